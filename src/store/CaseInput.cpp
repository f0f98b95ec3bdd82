#include "store/CaseInput.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "common/IniFile.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

std::string CalendarWord(bool lunar, bool leap) { return lunar ? (leap ? "lunar-leap" : "lunar") : "solar"; }

// "solar 1990-05-12 08:30", the year as users write it.
std::string EntryText(const CivilTime& t, bool lunar, bool leap) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", ShownYear(t.year), t.month, t.day, t.hour, t.minute);
    return CalendarWord(lunar, leap) + " " + buf;
}

// The record's own fields that the input file was written for.
std::string RecordText(const PersonRecord& p) {
    return EntryText(p.Time(), p.isLunar != 0, p.isLunar && p.isLeapMonth) + " province " +
           std::to_string(p.provinceIndex);
}

const char* ReadingWord(ClockReading r) {
    switch (r) {
        case ClockReading::kSummerTime: return "summer";
        case ClockReading::kStandardTime: return "standard";
        case ClockReading::kAsk: break;
    }
    return "ask";
}

struct Entry {
    CivilTime time;
    bool lunar = false, leap = false;
};

bool ParseEntryNumber(std::string_view s, long* v) { return !s.empty() && ParseInteger(s, v); }

// "solar 1990-05-12 08:30" (what EntryText writes).
std::optional<Entry> ParseEntry(std::string_view text) {
    Entry e;
    const std::size_t sp = text.find(' ');
    if (sp == std::string_view::npos) return std::nullopt;
    const std::string_view word = text.substr(0, sp);
    if (word == "lunar-leap") e.lunar = e.leap = true;
    else if (word == "lunar") e.lunar = true;
    else if (word != "solar") return std::nullopt;
    std::string_view rest = text.substr(sp + 1);
    const bool bc = rest.starts_with('-');
    if (bc) rest.remove_prefix(1);
    long y = 0, mo = 0, d = 0, h = 0, mi = 0;
    const std::size_t d1 = rest.find('-'), d2 = rest.find('-', d1 + 1), blank = rest.find(' '), colon = rest.find(':');
    if (d1 == std::string_view::npos || d2 == std::string_view::npos || blank == std::string_view::npos ||
        colon == std::string_view::npos || !(d1 < d2 && d2 < blank && blank < colon)) {
        return std::nullopt;
    }
    if (!ParseEntryNumber(rest.substr(0, d1), &y) || !ParseEntryNumber(rest.substr(d1 + 1, d2 - d1 - 1), &mo) ||
        !ParseEntryNumber(rest.substr(d2 + 1, blank - d2 - 1), &d) ||
        !ParseEntryNumber(rest.substr(blank + 1, colon - blank - 1), &h) ||
        !ParseEntryNumber(rest.substr(colon + 1), &mi)) {
        return std::nullopt;
    }
    if (bc) y = -y;
    if (y == 0 || y < -30000 || y > 30000 || mo < 1 || mo > 13 || d < 1 || d > 31 || h < 0 || h > 23 || mi < 0 ||
        mi > 59) {
        return std::nullopt;
    }
    e.time = {std::int16_t(StoredYear(int(y))), std::int16_t(mo), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
    return e;
}

// One person's keys as read.
struct Section {
    std::string record, entered, clock, zone, dst, settled;
    bool zoneGiven = false;
};

// The person as typed, from its section; nullopt when the section is not
// whole or not for this record.
std::optional<PersonRecord> TypedOf(const PersonRecord& recorded, const Section& s) {
    if (s.record != RecordText(recorded)) return std::nullopt;
    const std::optional<Entry> e = ParseEntry(s.entered);
    if (!e || !s.zoneGiven) return std::nullopt;
    PersonRecord p = recorded;
    p.SetTime(e->time);
    p.isLunar = e->lunar ? 1 : 0;
    p.isLeapMonth = e->leap ? 1 : 0;
    if (s.clock == "standard") p.clock = BirthClock::kStandard;
    else if (s.clock == "civil") p.clock = BirthClock::kCivil;
    else return std::nullopt;
    if (!IsValidUtf8(s.zone) || HasControlCharacter(s.zone) || s.zone.size() > 64) return std::nullopt;
    p.timeZone = s.zone;
    if (s.dst == "ask") p.clockReading = ClockReading::kAsk;
    else if (s.dst == "summer") p.clockReading = ClockReading::kSummerTime;
    else if (s.dst == "standard") p.clockReading = ClockReading::kStandardTime;
    else return std::nullopt;
    if (s.settled != "0" && s.settled != "1") return std::nullopt;
    p.standardTimeSettled = s.settled == "1";
    return p;
}

}  // namespace

PersonRecord RecordedPerson(const PersonRecord& recorded) {
    PersonRecord p = recorded;
    p.clock = BirthClock::kStandard;
    p.timeZone.clear();
    p.clockReading = ClockReading::kAsk;
    p.standardTimeSettled = true;
    return p;
}

std::string EncodeCaseInput(const CaseRecord& record, const std::array<PersonRecord, 2>& typed) {
    std::string out(kCaseInputHeading);
    out += '\n';
    for (int n = 0; n < 2; ++n) {
        const PersonRecord& p = typed[std::size_t(n)];
        out += n == 0 ? "[a]\n" : "[b]\n";
        out += "record = " + RecordText(n == 0 ? record.a : record.b) + '\n';
        out += "entered = " + EntryText(p.Time(), p.isLunar != 0, p.isLunar && p.isLeapMonth) + '\n';
        out += std::string("clock = ") + (p.clock == BirthClock::kCivil ? "civil" : "standard") + '\n';
        out += p.timeZone.empty() ? std::string("zone =\n") : "zone = " + p.timeZone + '\n';
        out += std::string("dst = ") + ReadingWord(p.clockReading) + '\n';
        out += std::string("settled = ") + (p.standardTimeSettled ? "1" : "0") + '\n';
    }
    return out;
}

StoredCase DecodeCaseInput(const CaseRecord& record, const std::string* text) {
    StoredCase out;
    out.record = record;
    out.typed = {RecordedPerson(record.a), RecordedPerson(record.b)};
    out.typed[1].personNo = 1;
    if (text == nullptr) return out;

    std::vector<std::string_view> lines;
    for (std::size_t i = 0; i < text->size();) {
        const std::size_t nl = text->find('\n', i);
        const std::size_t end = nl == std::string::npos ? text->size() : nl;
        lines.push_back(std::string_view(*text).substr(i, end - i));
        i = end + 1;
    }
    if (lines.empty() || lines[0] != kCaseInputHeading) {
        const std::string_view first = lines.empty() ? std::string_view() : lines[0];
        out.inputProblem =
            Status::Error(first.starts_with("tessaly-case-input ")
                              ? "输入记录的版本（" + std::string(first.substr(19)) + "）不是这一版程序能读的"
                              : std::string("输入记录的第一行不对"));
        return out;
    }
    Section sections[2];
    Section* current = nullptr;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = Trim(lines[i]);
        if (line.empty()) continue;
        if (line == "[a]" || line == "[b]") {
            current = &sections[line == "[a]" ? 0 : 1];
            continue;
        }
        const std::size_t eq = line.find('=');
        if (current == nullptr || eq == std::string_view::npos) {
            out.inputProblem = Status::Error("输入记录的第 " + std::to_string(i + 1) + " 行不对");
            return out;
        }
        const std::string_view key = Trim(line.substr(0, eq));
        const std::string value(Trim(line.substr(eq + 1)));
        if (key == "record") current->record = value;
        else if (key == "entered") current->entered = value;
        else if (key == "clock") current->clock = value;
        else if (key == "zone") current->zone = value, current->zoneGiven = true;
        else if (key == "dst") current->dst = value;
        else if (key == "settled") current->settled = value;
        // other keys: written by a later program of the same version; skipped
    }
    for (int n = 0; n < 2; ++n) {
        const PersonRecord& recorded = n == 0 ? record.a : record.b;
        if (std::optional<PersonRecord> p = TypedOf(recorded, sections[n])) {
            p->personNo = std::uint8_t(n);
            out.typed[std::size_t(n)] = std::move(*p);
            out.typedKept[std::size_t(n)] = true;
        }
    }
    return out;
}

}  // namespace tessaly
