#include "lang/Glossary.h"

#include <algorithm>

#include "common/TextCodec.h"
#include "lang/Utf8Text.h"

namespace tessaly {
namespace {

constexpr std::string_view kBuiltinTsv =
#include "glossary.inc"
    ;

using utf8_text::CharLength;
using utf8_text::CodePoints;

// True for a CJK ideograph (the Han characters the report writes).
bool IsHanAt(std::string_view s, std::size_t i) {
    if (i >= s.size() || CharLength(s, i) != 3) return false;
    const auto c0 = static_cast<unsigned char>(s[i]), c1 = static_cast<unsigned char>(s[i + 1]);
    const char32_t cp =
        (char32_t(c0 & 0x0F) << 12) | (char32_t(c1 & 0x3F) << 6) | (static_cast<unsigned char>(s[i + 2]) & 0x3F);
    return (cp >= 0x4E00 && cp <= 0x9FFF) || (cp >= 0x3400 && cp <= 0x4DBF);
}

// The start of the character before byte i.
std::size_t PreviousChar(std::string_view s, std::size_t i) {
    do {
        --i;
    } while (i > 0 && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80);
    return i;
}

std::vector<std::string_view> SplitTabs(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t from = 0;
    while (true) {
        const std::size_t tab = line.find('\t', from);
        fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
        if (tab == std::string_view::npos) return fields;
        from = tab + 1;
    }
}

std::string HtmlEscaped(std::string_view s) {
    std::string out;
    for (const char c : s) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            default: out += c;
        }
    }
    return out;
}

// "Heavenly Stems" → "heavenly-stems", an anchor of the page.
std::string Anchor(std::string_view title) {
    std::string out;
    for (const char c : title) {
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += c;
        else if (c >= 'A' && c <= 'Z') out += char(c - 'A' + 'a');
        else if (!out.empty() && out.back() != '-') out += '-';
    }
    while (!out.empty() && out.back() == '-') out.pop_back();
    return out;
}

}  // namespace

const Glossary& Glossary::Builtin() {
    static const Glossary builtin = [] {
        Glossary g;
        Parse(kBuiltinTsv, &g);  // checked by the tests; a bad line leaves the glossary short
        return g;
    }();
    return builtin;
}

Status Glossary::Parse(std::string_view tsv, Glossary* glossary) {
    Glossary g;
    std::size_t lineNo = 0;
    for (std::size_t from = 0; from < tsv.size();) {
        std::size_t end = tsv.find('\n', from);
        if (end == std::string_view::npos) end = tsv.size();
        std::string_view line = tsv.substr(from, end - from);
        from = end + 1;
        ++lineNo;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty() || line.front() == '#') continue;
        const std::string where = "词汇表第 " + std::to_string(lineNo) + " 行：";
        if (!IsValidUtf8(line)) return Status::Error(where + "不是有效的 UTF-8");
        const std::vector<std::string_view> f = SplitTabs(line);
        if (f.size() < 4 || f.size() > 5) return Status::Error(where + "应有四或五栏（用制表符分开）");
        for (std::size_t k = 0; k < 4; ++k) {
            if (f[k].empty()) return Status::Error(where + "第 " + std::to_string(k + 1) + " 栏是空的");
        }
        GlossaryTerm t{std::string(f[0]), std::string(f[1]), std::string(f[2]), std::string(f[3]),
                       f.size() == 5 ? std::string(f[4]) : std::string()};
        if (!g.index_.emplace(t.chinese, g.terms_.size()).second) {
            return Status::Error(where + "“" + t.chinese + "”已经有了");
        }
        g.longestChars_ = std::max(g.longestChars_, CodePoints(t.chinese));
        g.terms_.push_back(std::move(t));
    }
    *glossary = std::move(g);
    return Status::Ok();
}

std::vector<std::string> Glossary::Groups() const {
    std::vector<std::string> groups;
    for (const GlossaryTerm& t : terms_) {
        if (std::find(groups.begin(), groups.end(), t.group) == groups.end()) groups.push_back(t.group);
    }
    return groups;
}

const GlossaryTerm* Glossary::Find(std::string_view chinese) const {
    const auto it = index_.find(std::string(chinese));
    return it == index_.end() ? nullptr : &terms_[it->second];
}

std::vector<TermMatch> Glossary::TermsIn(std::string_view text) const {
    std::vector<TermMatch> found;
    std::string key;
    for (std::size_t i = 0; i < text.size();) {
        // The ends of the next 1 … longestChars_ characters.
        std::size_t ends[16];
        std::size_t count = 0, e = i;
        while (count < std::min<std::size_t>(longestChars_, 16) && e < text.size()) {
            e += CharLength(text, e);
            ends[count++] = e;
        }
        const GlossaryTerm* hit = nullptr;
        std::size_t hitEnd = 0;
        for (std::size_t k = count; k > 0 && hit == nullptr; --k) {
            key.assign(text.substr(i, ends[k - 1] - i));
            if (const auto it = index_.find(key); it != index_.end()) {
                hit = &terms_[it->second];
                hitEnd = ends[k - 1];
            }
        }
        if (hit != nullptr) {
            found.push_back({i, hitEnd - i, hit});
            i = hitEnd;
        } else {
            i += CharLength(text, i);
        }
    }
    // A term of one character counts only where it does not stand in a word
    // of the sentence: each neighbour is no Han character, or belongs to a
    // term that counts ("庚午", "喜用水，金", "食比"; not 气 in "脾气").
    std::vector<bool> keep(found.size(), true);
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t k = 0; k < found.size(); ++k) {
            if (!keep[k] || CodePoints(found[k].term->chinese) != 1) continue;
            const std::size_t begin = found[k].start, end = begin + found[k].length;
            const bool leftKept = k > 0 && keep[k - 1] && found[k - 1].start + found[k - 1].length == begin;
            const bool rightKept = k + 1 < found.size() && keep[k + 1] && found[k + 1].start == end;
            const bool leftFree = begin == 0 || leftKept || !IsHanAt(text, PreviousChar(text, begin));
            const bool rightFree = end >= text.size() || rightKept || !IsHanAt(text, end);
            if (!leftFree || !rightFree) {
                keep[k] = false;
                changed = true;
            }
        }
    }
    std::vector<TermMatch> kept;
    for (std::size_t k = 0; k < found.size(); ++k) {
        if (keep[k]) kept.push_back(found[k]);
    }
    return kept;
}

std::optional<TermMatch> Glossary::TermAt(std::string_view text, std::size_t at) const {
    if (at >= text.size()) return std::nullopt;
    std::size_t begin = text.find_last_of("\r\n", at);
    begin = begin == std::string_view::npos ? 0 : begin + 1;
    if (begin > at) return std::nullopt;  // `at` is a line end
    std::size_t end = text.find_first_of("\r\n", at);
    if (end == std::string_view::npos) end = text.size();
    for (TermMatch m : TermsIn(text.substr(begin, end - begin))) {
        m.start += begin;
        if (m.start <= at && at < m.start + m.length) return m;
        if (m.start > at) break;
    }
    return std::nullopt;
}

std::string TermTooltip(const GlossaryTerm& term) {
    std::string s = term.chinese + " " + term.pinyin + " — " + term.english;
    if (!term.note.empty()) s += "\n" + term.note;
    return s;
}

std::string GlossaryPageHtml(const Glossary& glossary) {
    std::string html =
        "<!DOCTYPE html>\n"
        "<html lang=\"en\">\n"
        "<head>\n"
        "<meta charset=\"utf-8\">\n"
        "<title>Glossary — Tessaly</title>\n"
        "<link rel=\"stylesheet\" href=\"style.css\">\n"
        "</head>\n"
        "<body>\n"
        "<!-- Made from data/glossary.tsv by make_glossary_page; do not edit by hand. -->\n"
        "<p class=\"nav\"><a href=\"index.html\">Contents</a></p>\n"
        "<h1>Glossary</h1>\n"
        "<p>Every term of art that the report and the window use, in Chinese (as the report writes it), "
        "in pinyin and in English. The English names are the ones this program and its pages use "
        "throughout.</p>\n"
        "<p class=\"nav\">";
    const std::vector<std::string> groups = glossary.Groups();
    for (const std::string& g : groups) {
        html += "<a href=\"#" + Anchor(g) + "\">" + HtmlEscaped(g) + "</a> ";
    }
    html += "</p>\n";
    for (const std::string& g : groups) {
        html += "\n<h2 id=\"" + Anchor(g) + "\">" + HtmlEscaped(g) + "</h2>\n<table>\n";
        html += "<tr><th>Chinese</th><th>Pinyin</th><th>English</th><th>Note</th></tr>\n";
        for (const GlossaryTerm& t : glossary.Terms()) {
            if (t.group != g) continue;
            html += "<tr><td lang=\"zh-CN\">" + HtmlEscaped(t.chinese) + "</td><td>" + HtmlEscaped(t.pinyin) +
                    "</td><td class=\"l\">" + HtmlEscaped(t.english) + "</td><td class=\"l\">" + HtmlEscaped(t.note) +
                    "</td></tr>\n";
        }
        html += "</table>\n";
    }
    html += "\n<p class=\"nav\"><a href=\"index.html\">Contents</a></p>\n</body>\n</html>\n";
    return html;
}

}  // namespace tessaly
