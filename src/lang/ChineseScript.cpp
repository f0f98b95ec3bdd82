#include "lang/ChineseScript.h"

#include <opencc.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <set>

#include "common/TextCodec.h"
#include "lang/Utf8Text.h"

namespace tessaly {
namespace {

using utf8_text::CharLength;
using utf8_text::CodePoints;

// The start of the character that holds byte `at`.
std::size_t CharStart(std::string_view s, std::size_t at) {
    while (at > 0 && at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) --at;
    return at;
}

constexpr std::string_view kTermsTsv =
#include "traditional_terms.inc"
    ;

// The terms of art whose Traditional form is fixed (data/traditional_terms.tsv),
// and the length of the longest in characters.
struct FixedTerms {
    std::map<std::string, std::string, std::less<>> forms;
    std::size_t longest = 0;
};

const FixedTerms& Fixed() {
    static const FixedTerms fixed = [] {
        FixedTerms f;
        for (std::size_t from = 0; from < kTermsTsv.size();) {
            std::size_t end = kTermsTsv.find('\n', from);
            if (end == std::string_view::npos) end = kTermsTsv.size();
            const std::string_view line = kTermsTsv.substr(from, end - from);
            from = end + 1;
            const std::size_t tab = line.find('\t');
            if (line.empty() || line.front() == '#' || tab == std::string_view::npos) continue;
            f.forms.emplace(std::string(line.substr(0, tab)), std::string(line.substr(tab + 1)));
            f.longest = std::max(f.longest, CodePoints(line.substr(0, tab)));
        }
        return f;
    }();
    return fixed;
}

bool IsAscii(std::string_view s) {
    return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

const char* ConfigurationOf(UiLanguage language) {
    switch (language) {
        case UiLanguage::kTraditionalTaiwan: return "s2twp.json";
        case UiLanguage::kTraditionalHongKong: return "s2hk.json";
        default: return "";
    }
}

}  // namespace

TraditionalConverter::TraditionalConverter(std::string configuration) : config_(std::move(configuration)) {
    if (config_.empty()) return;
    const opencc_t od = opencc_open(config_.c_str());
    if (od == reinterpret_cast<opencc_t>(-1)) {
        const char* why = opencc_error();
        status_ =
            Status::Error("无法载入繁体转换配置 " + config_ + "（libopencc-data）：" + (why != nullptr ? why : ""));
        return;
    }
    handle_ = od;
}

TraditionalConverter::~TraditionalConverter() {
    if (handle_ != nullptr) opencc_close(static_cast<opencc_t>(handle_));
}

const TraditionalConverter& TraditionalConverter::For(UiLanguage language) {
    static std::mutex mutex;
    static std::map<std::string, std::unique_ptr<TraditionalConverter>> opened;
    const std::lock_guard<std::mutex> lock(mutex);
    std::unique_ptr<TraditionalConverter>& c = opened[ConfigurationOf(language)];
    if (!c) c = std::make_unique<TraditionalConverter>(ConfigurationOf(language));
    return *c;
}

std::string TraditionalConverter::OpenCc(std::string_view utf8) const {
    if (utf8.empty() || IsAscii(utf8)) return std::string(utf8);
    const std::lock_guard<std::mutex> lock(mutex_);
    char* out = opencc_convert_utf8(static_cast<opencc_t>(handle_), utf8.data(), utf8.size());
    if (out == nullptr) return std::string(utf8);
    std::string s(out);
    opencc_convert_utf8_free(out);
    return s;
}

std::string TraditionalConverter::Convert(std::string_view utf8) const {
    if (handle_ == nullptr || IsAscii(utf8) || !IsValidUtf8(utf8)) return std::string(utf8);
    // The fixed terms, longest first at each place; OpenCC for the text
    // between them.
    const FixedTerms& fixed = Fixed();
    std::string out;
    std::size_t plain = 0;  // start of the text not converted yet
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t end = i, best = 0;
        const std::string* form = nullptr;
        for (std::size_t k = 0; k < fixed.longest && end < utf8.size(); ++k) {
            end += CharLength(utf8, end);
            if (const auto it = fixed.forms.find(utf8.substr(i, end - i)); it != fixed.forms.end()) {
                form = &it->second;
                best = end;
            }
        }
        if (form == nullptr) {
            i += CharLength(utf8, i);
            continue;
        }
        out += OpenCc(utf8.substr(plain, i - plain));
        out += *form;
        i = plain = best;
    }
    out += OpenCc(utf8.substr(plain));
    return out;
}

std::string TraditionalConverter::ConvertPiece(std::string_view piece) const {
    // Word by word between spaces, so that a phrase that must go character
    // by character takes no other word with it.
    const std::size_t space = piece.find_first_of(" \t");
    if (space != std::string_view::npos) {
        const std::size_t next = std::min(piece.find_first_not_of(" \t", space), piece.size());
        return ConvertWord(piece.substr(0, space)) + std::string(piece.substr(space, next - space)) +
               ConvertPiece(piece.substr(next));
    }
    return ConvertWord(piece);
}

std::string TraditionalConverter::ConvertWord(std::string_view word) const {
    const auto keepsColumns = [](std::string_view from, const std::string& to) {
        return CodePoints(to) == CodePoints(from) && GbkWidth(to) == GbkWidth(from);
    };
    std::string whole = Convert(word);
    if (keepsColumns(word, whole)) return whole;
    // A phrase changed the length: clause by clause (cut after Chinese
    // punctuation), and within a clause that still changes, character by
    // character, each keeping its columns.
    static constexpr std::string_view kStops[] = {"，", "。", "、", "；", "：", "？", "！", "（", "）"};
    std::string out;
    for (std::size_t from = 0; from < word.size();) {
        std::size_t end = from;
        while (end < word.size()) {
            const std::size_t n = CharLength(word, end);
            end += n;
            const std::string_view ch = word.substr(end - n, n);
            if (std::find(std::begin(kStops), std::end(kStops), ch) != std::end(kStops)) break;
        }
        const std::string_view clause = word.substr(from, end - from);
        from = end;
        std::string t = Convert(clause);
        if (keepsColumns(clause, t)) {
            out += t;
            continue;
        }
        for (std::size_t i = 0; i < clause.size();) {
            const std::size_t n = CharLength(clause, i);
            const std::string_view ch = clause.substr(i, n);
            std::string c = Convert(ch);
            out += keepsColumns(ch, c) ? c : std::string(ch);
            i += n;
        }
    }
    return out;
}

std::string TraditionalConverter::ConvertKeepingColumns(std::string_view utf8) const {
    if (handle_ == nullptr || IsAscii(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + utf8.size() / 8);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t end = std::min(utf8.find_first_of("\r\n", i), utf8.size());
        out += ConvertPiece(utf8.substr(i, end - i));
        std::size_t next = end;
        while (next < utf8.size() && (utf8[next] == '\r' || utf8[next] == '\n')) ++next;
        out.append(utf8.substr(end, next - end));
        i = next;
    }
    return out;
}

StyledReport TraditionalConverter::ConvertReport(const StyledReport& report) const {
    StyledReport out = report;
    if (handle_ == nullptr || IsAscii(report.text)) return out;
    const std::string_view text = report.text;
    // Cut where a run begins or ends (on the character that holds it).
    std::set<std::size_t> cuts{0, text.size()};
    for (const StyleRun& r : report.runs) {
        const std::size_t from = std::min(r.start, text.size());
        cuts.insert(CharStart(text, from));
        cuts.insert(CharStart(text, from + std::min(r.length, text.size() - from)));
    }
    std::map<std::size_t, std::size_t> moved;  // cut in the old text → in the new
    std::string converted;
    converted.reserve(text.size() + text.size() / 8);
    for (auto it = cuts.begin(); it != cuts.end(); ++it) {
        moved[*it] = converted.size();
        const auto next = std::next(it);
        if (next == cuts.end()) break;
        converted += ConvertKeepingColumns(text.substr(*it, *next - *it));
    }
    const auto at = [&](std::size_t old) { return moved.at(CharStart(text, std::min(old, text.size()))); };
    for (StyleRun& r : out.runs) {
        const std::size_t from = std::min(r.start, text.size());
        const std::size_t to = from + std::min(r.length, text.size() - from);
        const std::size_t newFrom = at(from), newTo = at(to);
        r.start = newFrom;
        // A run that reached past the text still does.
        r.length = r.length > text.size() - from ? r.length : newTo - newFrom;
    }
    out.text = std::move(converted);
    return out;
}

std::string ToScript(UiLanguage language, std::string_view utf8) {
    return TraditionalConverter::For(language).ConvertKeepingColumns(utf8);
}

}  // namespace tessaly
