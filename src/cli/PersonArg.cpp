#include "cli/PersonArg.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <vector>

#include "calendar/BirthClipboard.h"
#include "calendar/BirthTimeZone.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Places.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"

namespace tessaly::cli {
namespace {

bool Fail(std::string* error, std::string message) {
    *error = std::move(message);
    return false;
}

// dat/dili.ini, read once per command and each province's section decoded
// once (a ranking resolves thousands of places).
PlaceList& PlaceFile(const ProgramFiles& files) {
    static std::optional<PlaceList> dili;
    const std::filesystem::path path = files.Dat("dili.ini");
    if (!dili || dili->path() != path) dili.emplace(path);
    return *dili;
}

// Resolves a province and city (index or name each) through dat/dili.ini
// into the record's place fields.
bool ResolvePlaceInto(std::string_view province, std::string_view city, const ProgramFiles& files, PersonRecord* r,
                      std::string* error, std::vector<std::string>* warnings) {
    PlaceList& places = PlaceFile(files);
    // Without its cities a province would silently get the default place.
    if (const int index = ProvinceFromText(province); index >= 0 && index != kUnknownProvince) {
        const std::string_view name = kProvinces[static_cast<std::size_t>(index)];
        const PlaceList::Province& p = places.Cities(index);
        if (!p.status.ok()) return Fail(error, "prov: " + p.status.message());
        if (!places.exists()) {
            return Fail(error, "prov: " + places.path().string() +
                                   " is missing, so no province or city can be found; give lon= and lat= instead");
        }
        if (p.cities.empty()) {
            return Fail(error, "prov: " + places.path().string() + " lists no cities for " + std::string(name) +
                                   "; give lon= and lat= instead");
        }
    }
    const PlaceResult found = FindPlace(province, city, places);
    if (!found.status.ok()) return Fail(error, "prov/city: " + found.status.message());
    const Place& p = found.place;
    r->provinceIndex = static_cast<std::int16_t>(p.provinceIndex);
    r->cityIndex = static_cast<std::int16_t>(p.cityIndex);
    r->longitude = p.longitude;
    r->latitude = p.latitude;
    r->placeText = p.placeText;
    if (p.malformed) {
        const std::string w = "dat/dili.ini: the value '" + p.cityValue + "' of " + p.placeText +
                              " is not of the form d:m*d:m; 120°, 30° used";
        if (std::find(warnings->begin(), warnings->end(), w) == warnings->end()) warnings->push_back(w);
    }
    return true;
}

// A plain decimal number: an optional sign, digits, an optional point with
// digits (no exponent, no hexadecimal, no NaN or infinity).
bool ParseDouble(std::string_view text, double* value) {
    const std::string s(Trim(text));
    std::size_t i = s.size() > 0 && (s[0] == '-' || s[0] == '+') ? 1 : 0;
    std::size_t digits = 0;
    for (bool point = false; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') {
            ++digits;
        } else if (s[i] == '.' && !point) {
            point = true;
        } else {
            return false;
        }
    }
    if (digits == 0) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    if (errno != 0 || end != s.c_str() + s.size()) return false;
    *value = v;
    return true;
}

// "YYYY-MM-DD HH:MM" (the time may be left out: 00:00). The year may be
// negative (BC).
bool ParseDate(std::string_view text, PersonRecord* r, std::string* error) {
    text = Trim(text);
    const std::string_view what = "date: expected YYYY-MM-DD HH:MM, got '";
    const auto bad = [&] { return Fail(error, std::string(what) + std::string(text) + "'"); };
    std::string_view datePart = text, timePart;
    if (const std::size_t sp = text.find(' '); sp != std::string_view::npos) {
        datePart = text.substr(0, sp);
        timePart = Trim(text.substr(sp + 1));
    }
    const bool negative = !datePart.empty() && datePart.front() == '-';
    if (negative) datePart.remove_prefix(1);
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t dash = datePart.find('-', start);
        parts.push_back(datePart.substr(start, dash == std::string_view::npos ? dash : dash - start));
        if (dash == std::string_view::npos) break;
        start = dash + 1;
    }
    long y = 0, m = 0, d = 0, hh = 0, mm = 0;
    if (parts.size() != 3 || !ParseInteger(parts[0], &y) || !ParseInteger(parts[1], &m) ||
        !ParseInteger(parts[2], &d) || parts[0].front() == '+' || parts[0].front() == '-') {
        return bad();
    }
    if (!timePart.empty()) {
        const std::size_t colon = timePart.find(':');
        if (colon == std::string_view::npos || !ParseInteger(timePart.substr(0, colon), &hh) ||
            !ParseInteger(timePart.substr(colon + 1), &mm)) {
            return bad();
        }
    }
    if (negative) y = -y;
    if (y == 0) return Fail(error, "date: there is no year 0 (1 BC is -1)");
    if (y < -30000 || y > 30000) return Fail(error, "date: year " + std::to_string(y) + " is out of range");
    if (m < 1 || m > 12) return Fail(error, "date: month " + std::to_string(m) + " is not 1..12");
    if (d < 1 || d > 31) return Fail(error, "date: day " + std::to_string(d) + " is not 1..31");
    if (hh < 0 || hh > 23) return Fail(error, "date: hour " + std::to_string(hh) + " is not 0..23");
    if (mm < 0 || mm > 59) return Fail(error, "date: minute " + std::to_string(mm) + " is not 0..59");
    r->year = static_cast<std::int16_t>(StoredYear(static_cast<int>(y)));
    r->month = static_cast<std::int16_t>(m);
    r->day = static_cast<std::int16_t>(d);
    r->hour = static_cast<std::int16_t>(hh);
    r->minute = static_cast<std::int16_t>(mm);
    return true;
}

bool CheckName(std::string_view name, std::string* error) {
    if (name.empty()) return Fail(error, "name: must not be empty");
    if (!IsValidUtf8(name)) return Fail(error, "name: not valid UTF-8");
    if (HasControlCharacter(name)) return Fail(error, "name: must not hold control characters");
    if (!Utf8ToGbk(name).ok()) return Fail(error, "name: has characters that GBK cannot hold");
    if (GbkWidth(name) > 10) return Fail(error, "name: longer than 10 bytes in GBK (5 Chinese characters)");
    return true;
}

// A place name: UTF-8 that GBK can hold, within the record's field, no
// control characters.
bool CheckPlaceText(std::string_view place, std::string* error) {
    if (!IsValidUtf8(place)) return Fail(error, "place: not valid UTF-8");
    if (!Utf8ToGbk(place).ok()) return Fail(error, "place: has characters that GBK cannot hold");
    if (GbkWidth(place) > kPlaceTextBytes) {
        return Fail(error, "place: longer than " + std::to_string(kPlaceTextBytes) + " bytes in GBK");
    }
    if (HasControlCharacter(place)) return Fail(error, "place: has a control character");
    return true;
}

bool ParseClipboard(std::string_view text, const ProgramFiles& files, PersonRecord* r, std::string* error,
                    std::vector<std::string>* warnings) {
    const auto b = ParseClipboardLine(text, ClipboardSex::kZeroOrOne);
    if (!b) return Fail(error, "PERSON: not a valid orvane_mingli_data line (its sex field must be 0 or 1)");
    if (!CheckName(b->name, error)) return false;
    r->name = b->name;
    r->year = static_cast<std::int16_t>(StoredYear(b->year));
    r->month = static_cast<std::int16_t>(b->month);
    r->day = static_cast<std::int16_t>(b->day);
    r->hour = static_cast<std::int16_t>(b->hour);
    r->minute = static_cast<std::int16_t>(b->minute);
    r->isLunar = b->kind >= 2;
    r->isLeapMonth = b->kind == 3;
    r->isMale = b->male;
    r->clock = BirthClock::kStandard;
    r->standardTimeSettled = true;
    return ResolvePlaceInto(std::to_string(b->provinceIndex), std::to_string(b->cityIndex), files, r, error, warnings);
}

}  // namespace

bool ParsePersonArg(std::string_view text, const ProgramFiles& files, PersonRecord* r, std::string* error,
                    std::vector<std::string>* warnings) {
    if (Trim(text).starts_with(kClipboardMarker)) return ParseClipboard(text, files, r, error, warnings);

    std::vector<PersonField> fields;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t semi = text.find(';', start);
        const std::string_view item =
            Trim(text.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
        start = semi == std::string_view::npos ? text.size() + 1 : semi + 1;
        if (item.empty()) continue;
        const std::size_t eq = item.find('=');
        if (eq == std::string_view::npos) return Fail(error, "PERSON: '" + std::string(item) + "' is not key=value");
        std::string key(Trim(item.substr(0, eq)));
        // Which of two values was meant cannot be told: refused, as the
        // override keys are.
        if (std::any_of(fields.begin(), fields.end(), [&](const PersonField& f) { return f.key == key; })) {
            return Fail(error, EscapeControls(key) + " is given twice");
        }
        fields.push_back({std::move(key), std::string(Trim(item.substr(eq + 1)))});
    }
    return ParsePersonFields(fields, files, r, error, warnings);
}

bool ParsePersonFields(std::span<const PersonField> fields, const ProgramFiles& files, PersonRecord* r,
                       std::string* error, std::vector<std::string>* warnings) {
    bool haveDate = false;
    std::string province, city;
    bool haveLon = false, haveLat = false;
    bool haveZone = false, haveClock = false, haveReading = false;
    std::optional<std::string> place;
    for (const PersonField& field : fields) {
        const std::string& key = field.key;
        const std::string_view value = field.value;
        if (key == "name") {
            if (!CheckName(value, error)) return false;
            r->name = std::string(value);
        } else if (key == "sex") {
            if (value == "M" || value == "m") r->isMale = 1;
            else if (value == "F" || value == "f") r->isMale = 0;
            else return Fail(error, "sex: expected M or F, got '" + std::string(value) + "'");
        } else if (key == "date") {
            if (!ParseDate(value, r, error)) return false;
            haveDate = true;
        } else if (key == "cal") {
            if (value == "solar") r->isLunar = 0;
            else if (value == "lunar") r->isLunar = 1;
            else return Fail(error, "cal: expected solar or lunar, got '" + std::string(value) + "'");
        } else if (key == "leap") {
            if (value == "0" || value == "1") r->isLeapMonth = value == "1";
            else return Fail(error, "leap: expected 0 or 1, got '" + std::string(value) + "'");
        } else if (key == "lon" || key == "lat") {
            double v = 0;
            const double limit = key == "lon" ? 180 : 90;
            if (!ParseDouble(value, &v) || v < -limit || v > limit) {
                return Fail(error, key + ": expected decimal degrees within ±" + std::to_string(int(limit)) +
                                       ", got '" + std::string(value) + "'");
            }
            (key == "lon" ? r->longitude : r->latitude) = static_cast<float>(v);
            (key == "lon" ? haveLon : haveLat) = true;
        } else if (key == "prov") {
            province = std::string(value);
        } else if (key == "city") {
            city = std::string(value);
        } else if (key == "place") {
            if (!CheckPlaceText(value, error)) return false;
            place = std::string(value);
        } else if (key == "tz") {
            if (!CheckTimeZone(value).ok()) {
                return Fail(error, "tz: unknown time zone '" + std::string(value) +
                                       "' (an IANA name such as Asia/Shanghai or America/New_York)");
            }
            r->timeZone = std::string(value);
            haveZone = true;
        } else if (key == "clock") {
            if (value == "standard") r->clock = BirthClock::kStandard;
            else if (value == "civil") r->clock = BirthClock::kCivil;
            else return Fail(error, "clock: expected standard or civil, got '" + std::string(value) + "'");
            haveClock = true;
        } else if (key == "dst") {
            if (value == "1") r->clockReading = ClockReading::kSummerTime;
            else if (value == "0") r->clockReading = ClockReading::kStandardTime;
            else
                return Fail(error,
                            "dst: expected 1 (summer time) or 0 (standard time), got '" + std::string(value) + "'");
            haveReading = true;
        } else {
            return Fail(error, "PERSON: unknown key '" + key +
                                   "' (name, sex, date, cal, leap, lon, lat, prov, city, place, tz, clock, dst)");
        }
    }
    if (!haveDate) return Fail(error, "PERSON: date=YYYY-MM-DD HH:MM is required");
    if (!r->isLunar && r->isLeapMonth) return Fail(error, "leap: only a lunar date (cal=lunar) can be in a leap month");
    if (!city.empty() && province.empty()) return Fail(error, "city: needs prov as well");
    if (haveZone && !haveClock) {
        return Fail(error,
                    "tz: say how the time was read: clock=civil (the clock of that zone, summer time "
                    "included) or clock=standard (Beijing time)");
    }
    if (haveReading && r->clock != BirthClock::kCivil) return Fail(error, "dst: only a clock=civil time can need it");
    if (!province.empty()) {
        const float lon = r->longitude, lat = r->latitude;
        if (!ResolvePlaceInto(province, city, files, r, error, warnings)) return false;
        if (haveLon) r->longitude = lon;  // explicit coordinates win
        if (haveLat) r->latitude = lat;
    } else if (haveLon || haveLat) {
        if (r->placeText.empty()) r->placeText = "未知地";
        r->provinceIndex = 34;
        r->cityIndex = 0;
    }
    if (place) r->placeText = *place;
    // The command line's standard time is Beijing time as given.
    r->standardTimeSettled = r->clock == BirthClock::kStandard;
    if (r->clock == BirthClock::kStandard) r->clockReading = ClockReading::kAsk;
    return true;
}

}  // namespace tessaly::cli
