#include "engine/ReportStyle.h"

#include <algorithm>
#include <string_view>
#include <vector>


namespace tessaly {
namespace {

constexpr std::size_t kNotFound = std::string::npos;

// The report text with its GBK byte positions: for every character its
// UTF-8 offset and its GBK position (ASCII one byte, any other character two).
class GbkPositions {
public:
    explicit GbkPositions(const std::string& text) : text_(text) {
        std::size_t g = 0;
        for (std::size_t i = 0; i < text.size();) {
            const auto c = static_cast<unsigned char>(text[i]);
            std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
            if (i + n > text.size()) n = text.size() - i;
            utf8_.push_back(i);
            gbk_.push_back(g);
            g += n == 1 ? 1 : 2;
            i += n;
        }
        utf8_.push_back(text.size());
        gbk_.push_back(g);
    }

    std::size_t Length() const { return gbk_.back(); }

    // The UTF-8 offset of the first character at or after GBK position g.
    std::size_t Utf8At(std::size_t g) const {
        const auto it = std::lower_bound(gbk_.begin(), gbk_.end(), g);
        return it == gbk_.end() ? text_.size() : utf8_[static_cast<std::size_t>(it - gbk_.begin())];
    }
    // The UTF-8 offset of the character that contains GBK position g.
    std::size_t Utf8Containing(std::size_t g) const {
        const auto it = std::upper_bound(gbk_.begin(), gbk_.end(), g);
        return utf8_[static_cast<std::size_t>(it - gbk_.begin()) - 1];
    }
    // The GBK position of the character at UTF-8 offset i.
    std::size_t GbkOf(std::size_t i) const {
        const auto it = std::lower_bound(utf8_.begin(), utf8_.end(), i);
        return gbk_[static_cast<std::size_t>(it - utf8_.begin())];
    }

    // GBK position of `needle` searched from GBK position `from`; kNotFound
    // when it is not there.
    std::size_t Find(std::string_view needle, std::size_t from) const {
        if (from == kNotFound || from > Length()) return kNotFound;
        const std::size_t at = text_.find(needle, Utf8At(from));
        return at == std::string::npos ? kNotFound : GbkOf(at);
    }

private:
    const std::string& text_;
    std::vector<std::size_t> utf8_;  // character starts, then the text size
    std::vector<std::size_t> gbk_;   // their GBK positions, then the GBK length
};

class RunBuilder {
public:
    RunBuilder(const GbkPositions& pos, double base, std::vector<StyleRun>& runs)
        : pos_(pos), base_(base), runs_(runs) {}

    // Styles GBK positions [from, to): nothing when either end is missing or
    // the range is empty. Ends inside a character take the whole character.
    void Range(std::size_t from, std::size_t to, std::optional<std::uint32_t> color, std::optional<double> sizeDelta,
               std::optional<bool> bold) {
        if (from == kNotFound || to == kNotFound || to <= from) return;
        const std::size_t s = pos_.Utf8Containing(from);
        const std::size_t e = pos_.Utf8At(to);
        if (e <= s) return;
        StyleRun r;
        r.start = s;
        r.length = e - s;
        r.color = color;
        if (sizeDelta) r.pointSize = base_ + *sizeDelta;
        r.bold = bold;
        runs_.push_back(r);
    }

private:
    const GbkPositions& pos_;
    double base_;
    std::vector<StyleRun>& runs_;
};

std::size_t Plus(std::size_t p, std::size_t n) { return p == kNotFound ? kNotFound : p + n; }
std::size_t Minus(std::size_t p, std::size_t n) { return p == kNotFound || p < n ? kNotFound : p - n; }

}  // namespace

StyledReport StyleReport(std::string report, std::string fontName, double base, int leftpos) {
    StyledReport out;
    out.text = std::move(report);
    out.fontName = std::move(fontName);
    out.base = TextStyle{kReportBlack, base, false};
    out.firstLineIndent = leftpos * 15;

    const GbkPositions pos(out.text);
    RunBuilder style(pos, base, out.runs);
    const auto Find = [&](std::string_view what, std::size_t from) { return pos.Find(what, from); };

    // The heading 甲命八字：
    style.Range(0, 10, kReportBlue, 0, true);
    // Person A's pillar row(s), from 乾造/坤造 to 藏干.
    std::size_t a = Find("造  ", 80);
    std::size_t c = Find("藏干", 80);
    style.Range(Minus(a, 2), c, kReportRed, std::nullopt, std::nullopt);
    // A's lines from 胎元 to the heading of B, one position into it.
    const std::size_t h = Find("☆胎元", 90);
    const std::size_t m = Find("乙命八字：", h);
    style.Range(h, Plus(m, 1), std::nullopt, -1, std::nullopt);
    // Person B's whole chart report in green, its heading blue and bold.
    std::size_t g = Find("婚姻配对分析：", m);
    style.Range(m, g, kReportGreen, std::nullopt, std::nullopt);
    style.Range(m, Plus(m, 10), kReportBlue, 0, true);
    // B's pillar row(s).
    a = Find("造  ", m);
    c = Find("藏干", a);
    style.Range(Minus(a, 2), c, kReportRed, std::nullopt, std::nullopt);
    // B's lines from 胎元 to the pairing section.
    const std::size_t e = Find("☆胎元", Plus(c, 2));
    g = Find("婚姻配对分析：", e);
    style.Range(e, g, std::nullopt, -1, std::nullopt);
    // The pairing section, its heading, and the index.
    const std::size_t s = Find("----------", g);
    style.Range(g, s, kReportBlue, -1, std::nullopt);
    style.Range(g, Plus(g, 14), kReportBlue, 0, true);
    const std::size_t i = Find("婚配指数", g);
    const std::size_t f = Find("分", i);
    style.Range(i, Plus(f, 2), kReportRed, 4, true);
    // The reading sections and their headings.
    std::size_t p = Find("甲命性格", f);
    std::size_t q = Find("乙命性格", p);
    style.Range(p, q, std::nullopt, -1, std::nullopt);
    std::size_t r = Find(")", p);
    style.Range(p, Plus(r, 1), kReportBlack, -1, true);
    p = Find("甲命婚姻", r);
    r = Find(")", p);
    style.Range(p, Plus(r, 1), kReportBlack, -1, true);
    p = Find("乙命性格", r);
    q = Find("※软件开发商", p);
    style.Range(p, q, kReportGreen, -1, std::nullopt);
    r = Find(")", p);
    style.Range(p, Plus(r, 1), kReportGreen, -1, true);
    p = Find("乙命婚姻", r);
    r = Find(")", p);
    style.Range(p, Plus(r, 1), kReportGreen, -1, true);
    return out;
}

}  // namespace tessaly
