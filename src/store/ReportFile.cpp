#include "store/ReportFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <map>

#include "common/IniFile.h"
#include "common/SystemError.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

// ---- UTF-8 helpers ------------------------------------------------------------

// Length of the UTF-8 character starting at s[i] (1 for a stray byte).
std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return std::min(n, s.size() - i);
}

std::uint32_t DecodeUtf8Char(std::string_view s) {
    const auto c = static_cast<unsigned char>(s[0]);
    if (s.size() == 1) return c;
    std::uint32_t cp = c & (0x7F >> s.size());
    for (std::size_t k = 1; k < s.size(); ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[k]) & 0x3F);
    return cp;
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

// ---- writer ---------------------------------------------------------------------

constexpr char kHex[] = "0123456789abcdef";

void AppendHexByte(std::string& out, unsigned char b) {
    out += "\\'";
    out += kHex[b >> 4];
    out += kHex[b & 0xF];
}

// Text in RTF: ASCII as it is (\ { } escaped), line ends as \par, GBK bytes
// as \'hh, characters outside GBK as \uN?.
void AppendRtfText(std::string& out, std::string_view utf8, bool* lastWasCr) {
    const auto emitGbk = [&](std::string_view gbk) {
        for (std::size_t i = 0; i < gbk.size(); ++i) {
            const auto c = static_cast<unsigned char>(gbk[i]);
            if (c == '\n' && *lastWasCr) {
                *lastWasCr = false;
                continue;  // the LF of a CR LF
            }
            *lastWasCr = c == '\r';
            if (c == '\r' || c == '\n') {
                out += "\\par\r\n";
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += char(c);
            } else if (c >= 0x80 || c < 0x20) {
                AppendHexByte(out, c);
            } else {
                out += char(c);
            }
        }
    };
    if (const CodecResult whole = Utf8ToGbk(utf8); whole.ok()) {
        emitGbk(whole.text);
        return;
    }
    for (std::size_t i = 0; i < utf8.size();) {
        const std::size_t n = CharLength(utf8, i);
        const std::string_view ch = utf8.substr(i, n);
        i += n;
        if (const CodecResult one = Utf8ToGbk(ch); one.ok()) {
            emitGbk(one.text);
            continue;
        }
        *lastWasCr = false;
        const std::uint32_t cp = DecodeUtf8Char(ch);
        const auto unicode = [&](std::uint32_t unit) {
            out += "\\u" + std::to_string(static_cast<std::int16_t>(unit)) + '?';
        };
        if (cp >= 0x10000) {
            unicode(0xD800 + ((cp - 0x10000) >> 10));
            unicode(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unicode(cp);
        }
    }
}

int HalfPoints(double points) { return static_cast<int>(std::clamp(std::lround(points * 2), 2L, 3276L)); }

// ---- reader ---------------------------------------------------------------------

constexpr int kMaxDepth = 256;

enum class Dest { kText, kSkip, kFontTable, kColorTable };

struct GroupState {
    Dest dest = Dest::kText;
    int halfPoints = 24;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int colorIndex = 0;
    int font = 0;
    int uc = 1;
    int fi = 0;
};

// Code page of the bytes written under a font of the given charset.
int CodePageOfCharset(int charset, int ansiCodePage) {
    switch (charset) {
        case 134: return 936;
        case 0: return 1252;
        case 2: return 1252;  // symbol fonts: shown as Latin-1
        case 1: return ansiCodePage;
        default: return ansiCodePage;
    }
}

// Underline kinds other than the plain one (dotted, double, words, wave …):
// all shown as underlined.
bool IsUnderlineKind(std::string_view word) {
    static constexpr std::string_view kKinds[] = {"uld",      "uldb", "ulw",   "ulwave",  "uldash",  "uldashd",
                                                  "uldashdd", "ulth", "ulthd", "ulhwave", "ulldash", "ululdbwave"};
    return std::find(std::begin(kKinds), std::end(kKinds), word) != std::end(kKinds);
}

bool IsSkippedDestination(std::string_view word) {
    static constexpr std::string_view kSkipped[] = {"stylesheet",   "info",
                                                    "pict",         "object",
                                                    "header",       "headerl",
                                                    "headerr",      "headerf",
                                                    "footer",       "footerl",
                                                    "footerr",      "footerf",
                                                    "footnote",     "fldinst",
                                                    "xe",           "tc",
                                                    "listtable",    "listoverridetable",
                                                    "rsidtbl",      "generator",
                                                    "themedata",    "colorschememapping",
                                                    "latentstyles", "datastore",
                                                    "filetbl",      "revtbl",
                                                    "bkmkstart",    "bkmkend",
                                                    "annotation",   "atnid",
                                                    "atnauthor",    "nonshppict",
                                                    "shppict",      "mmathPr",
                                                    "xmlnstbl",     "userprops",
                                                    "template",     "docvar",
                                                    "private"};
    return std::find(std::begin(kSkipped), std::end(kSkipped), word) != std::end(kSkipped);
}

class RtfReader {
public:
    explicit RtfReader(std::string_view in) : in_(in) {}

    Status Read(StyledReport* out) {
        if (!LooksLikeRtf(in_)) return Status::Error("不是 RTF 文件（开头不是 {\\rtf）");
        Status s = Parse();
        if (s) s = FlushBytes();
        if (!s) return s;
        out->text = std::move(text_);
        out->base = TextStyle{};
        out->firstLineIndent = firstIndent_.value_or(0);
        out->runs.clear();
        for (const StyledSpan& sp : spans_) {
            StyleRun run(sp.start, sp.length, sp.style.color, sp.style.pointSize, sp.style.bold);
            run.italic = sp.style.italic;
            run.underline = sp.style.underline;
            run.strikeOut = sp.style.strikeOut;
            run.font = sp.style.font;
            out->runs.push_back(std::move(run));
        }
        if (!fontName_.empty()) out->fontName = fontName_;
        return Status::Ok();
    }

private:
    Status Error(const std::string& what) const {
        return Status::Error("RTF 文件第 " + std::to_string(pos_) + " 字节处已损坏：" + what);
    }

    Status Parse() {
        while (pos_ < in_.size()) {
            const char c = in_[pos_];
            if (c == '{') {
                ++pos_;
                if (Status s = FlushBytes(); !s) return s;
                if (stack_.size() >= kMaxDepth) return Error("分组嵌套太深");
                stack_.push_back(stack_.empty() ? GroupState{} : stack_.back());
                skipLeft_ = 0;
            } else if (c == '}') {
                ++pos_;
                if (stack_.empty()) return Error("多余的 }");
                if (Status s = FlushBytes(); !s) return s;
                stack_.pop_back();
                skipLeft_ = 0;
                if (stack_.empty()) return Status::Ok();  // the document is complete
            } else if (c == '\\') {
                if (stack_.empty()) return Error("文字在文档分组之外");
                if (Status s = ControlSequence(); !s) return s;
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                if (stack_.empty()) return Error("文字在文档分组之外");
                if (Status s = TextByte(static_cast<unsigned char>(c)); !s) return s;
            }
        }
        return Error("文件在分组中间结束");
    }

    GroupState& Top() { return stack_.back(); }

    Status ControlSequence() {
        ++pos_;  // the backslash
        if (pos_ >= in_.size()) return Error("文件以反斜杠结束");
        const char c = in_[pos_];
        if (!std::isalpha(static_cast<unsigned char>(c))) {
            ++pos_;
            switch (c) {
                case '\'': {
                    if (pos_ + 2 > in_.size()) return Error("\\' 后面不是两位十六进制数");
                    const int hi = HexValue(in_[pos_]), lo = HexValue(in_[pos_ + 1]);
                    if (hi < 0 || lo < 0) return Error("\\' 后面不是两位十六进制数");
                    pos_ += 2;
                    return TextByte(static_cast<unsigned char>(hi * 16 + lo));
                }
                case '\\':
                case '{':
                case '}': return TextByte(static_cast<unsigned char>(c));
                case '*': Top().dest = Dest::kSkip; return Status::Ok();  // {\*\dest …}: not ours
                case '~': return TextByte(' ');
                case '_': return TextByte('-');
                case '\r':
                case '\n': return Paragraph();
                case '\t': return TextByte('\t');
                default: return Status::Ok();  // \- \| \: and other symbols: nothing shown
            }
        }
        const std::size_t start = pos_;
        while (pos_ < in_.size() && std::isalpha(static_cast<unsigned char>(in_[pos_]))) {
            if (pos_ - start >= 32) return Error("控制字太长");
            ++pos_;
        }
        const std::string_view word = in_.substr(start, pos_ - start);
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ < in_.size() && in_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        const std::size_t digits = pos_;
        while (pos_ < in_.size() && std::isdigit(static_cast<unsigned char>(in_[pos_]))) {
            if (pos_ - digits >= 10) return Error("数字太长");
            param = param * 10 + (in_[pos_] - '0');
            ++pos_;
        }
        hasParam = pos_ > digits;
        if (negative && !hasParam) return Error("“-”后面没有数字");
        if (negative) param = -param;
        if (pos_ < in_.size() && in_[pos_] == ' ') ++pos_;
        return ControlWord(word, hasParam, param);
    }

    static int HexValue(char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        return -1;
    }

    static int Clamp(long v, long lo, long hi) { return static_cast<int>(std::clamp(v, lo, hi)); }

    Status ControlWord(std::string_view w, bool hasParam, long p) {
        GroupState& g = Top();
        if (w == "bin") {
            if (!hasParam || p < 0 || std::size_t(p) > in_.size() - pos_) return Error("\\bin 超出了文件末尾");
            pos_ += std::size_t(p);
            return Status::Ok();
        }
        if (g.dest == Dest::kSkip) return Status::Ok();
        if (w == "u") {
            if (!hasParam || g.dest != Dest::kText) return Status::Ok();
            if (Status s = FlushBytes(); !s) return s;
            UnicodeUnit(static_cast<std::uint16_t>(static_cast<std::int16_t>(Clamp(p, -32768, 65535))));
            skipLeft_ = g.uc;
            return Status::Ok();
        }
        skipLeft_ = 0;
        if (g.dest == Dest::kFontTable) {
            if (w == "f") fontDef_ = Clamp(p, 0, 1 << 20);
            else if (w == "fcharset") fontCharsets_[fontDef_] = Clamp(p, 0, 255);
            return Status::Ok();
        }
        if (g.dest == Dest::kColorTable) {
            const int v = Clamp(p, 0, 255);
            if (w == "red") colorPart_ = (colorPart_ & ~0xFFu) | std::uint32_t(v), colorSet_ = true;
            else if (w == "green") colorPart_ = (colorPart_ & ~0xFF00u) | (std::uint32_t(v) << 8), colorSet_ = true;
            else if (w == "blue") colorPart_ = (colorPart_ & ~0xFF0000u) | (std::uint32_t(v) << 16), colorSet_ = true;
            return Status::Ok();
        }
        if (w == "fonttbl") g.dest = Dest::kFontTable;
        else if (w == "colortbl") g.dest = Dest::kColorTable;
        else if (IsSkippedDestination(w)) g.dest = Dest::kSkip;
        else if (w == "ansicpg") ansiCodePage_ = Clamp(p, 0, 65535);
        else if (w == "deff") defaultFont_ = g.font = Clamp(p, 0, 1 << 20);
        else if (w == "f") g.font = Clamp(p, 0, 1 << 20);
        else if (w == "fs") g.halfPoints = hasParam && p > 0 ? Clamp(p, 1, 32767) : 24;
        else if (w == "b") g.bold = !hasParam || p != 0;
        else if (w == "i") g.italic = !hasParam || p != 0;
        else if (w == "ul" || w == "strike" || w == "striked") {
            (w == "ul" ? g.underline : g.strikeOut) = !hasParam || p != 0;
        } else if (w == "ulnone") g.underline = false;
        else if (IsUnderlineKind(w)) g.underline = !hasParam || p != 0;
        else if (w == "cf") g.colorIndex = Clamp(p, 0, 1 << 20);
        else if (w == "uc") g.uc = Clamp(p, 0, 16);
        else if (w == "fi") g.fi = Clamp(p, -32768, 32767);
        else if (w == "pard") g.fi = 0;
        else if (w == "plain") {
            g.halfPoints = 24, g.bold = g.italic = g.underline = g.strikeOut = false;
            g.colorIndex = 0, g.font = defaultFont_;
        } else if (w == "par" || w == "line") return Paragraph();
        else if (w == "tab") return TextByte('\t');
        else if (w == "emdash") return Unicode(0x2014);
        else if (w == "endash") return Unicode(0x2013);
        else if (w == "bullet") return Unicode(0x2022);
        else if (w == "lquote") return Unicode(0x2018);
        else if (w == "rquote") return Unicode(0x2019);
        else if (w == "ldblquote") return Unicode(0x201C);
        else if (w == "rdblquote") return Unicode(0x201D);
        return Status::Ok();
    }

    Status Paragraph() {
        if (Top().dest != Dest::kText) return Status::Ok();
        if (Status s = FlushBytes(); !s) return s;
        skipLeft_ = 0;
        Emit("\r\n");
        return Status::Ok();
    }

    Status Unicode(std::uint32_t cp) {
        if (Top().dest != Dest::kText) return Status::Ok();
        if (Status s = FlushBytes(); !s) return s;
        skipLeft_ = 0;
        std::string u;
        AppendUtf8(u, cp);
        Emit(u);
        return Status::Ok();
    }

    void UnicodeUnit(std::uint16_t unit) {
        std::string u;
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (highSurrogate_) AppendUtf8(u, 0xFFFD);
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            if (highSurrogate_) {
                AppendUtf8(u, 0x10000 + ((std::uint32_t(*highSurrogate_) - 0xD800) << 10) + (unit - 0xDC00));
                highSurrogate_.reset();
            } else {
                AppendUtf8(u, 0xFFFD);
            }
        } else {
            if (highSurrogate_) AppendUtf8(u, 0xFFFD);
            highSurrogate_.reset();
            if (unit >= 0x20 || unit == '\t') AppendUtf8(u, unit);  // control characters dropped
        }
        if (!u.empty()) Emit(u);
    }

    Status TextByte(unsigned char b) {
        GroupState& g = Top();
        if (g.dest == Dest::kFontTable) {
            if (b == ';') {
                const CodecResult name = GbkToUtf8(fontBytes_);
                if (name.ok() && !Trim(name.text).empty()) {
                    fontNames_.emplace(fontDef_, std::string(Trim(name.text)));
                    if (fontDef_ == defaultFont_ && fontName_.empty()) fontName_ = std::string(Trim(name.text));
                }
                fontBytes_.clear();
            } else {
                fontBytes_ += char(b);
            }
            return Status::Ok();
        }
        if (g.dest == Dest::kColorTable) {
            if (b == ';') {
                colors_.push_back(colorSet_ ? colorPart_ : 0);
                colorPart_ = 0;
                colorSet_ = false;
            }
            return Status::Ok();
        }
        if (g.dest == Dest::kSkip) return Status::Ok();
        if (skipLeft_ > 0) {
            --skipLeft_;  // the fallback of a \uN
            return Status::Ok();
        }
        if (highSurrogate_) {
            highSurrogate_.reset();
            Emit("\xEF\xBF\xBD");
        }
        if (b < 0x20 && b != '\t') return Status::Ok();  // control bytes are not report text
        const TextStyle style = CurrentStyle();
        const int cp = CodePage();
        if (!pending_.empty() && (style != pendingStyle_ || cp != pendingCodePage_)) {
            if (Status s = FlushBytes(); !s) return s;
        }
        if (pending_.empty()) {
            pendingStyle_ = style;
            pendingCodePage_ = cp;
            pendingAt_ = pos_;
        }
        pending_ += char(b);
        if (!firstIndent_) firstIndent_ = g.fi;
        return Status::Ok();
    }

    std::string DefaultFontName() const {
        const auto it = fontNames_.find(defaultFont_);
        return it == fontNames_.end() ? std::string() : it->second;
    }

    int CodePage() const {
        const auto it = fontCharsets_.find(stack_.back().font);
        const int ansi = ansiCodePage_ == 0 ? 936 : ansiCodePage_;
        return it == fontCharsets_.end() ? ansi : CodePageOfCharset(it->second, ansi);
    }

    TextStyle CurrentStyle() const {
        const GroupState& g = stack_.back();
        TextStyle s;
        s.pointSize = g.halfPoints / 2.0;
        s.bold = g.bold;
        s.italic = g.italic;
        s.underline = g.underline;
        s.strikeOut = g.strikeOut;
        s.color = g.colorIndex > 0 && std::size_t(g.colorIndex) < colors_.size() ? colors_[g.colorIndex] : 0;
        // Text in the default font, or in a font without a usable name, is in
        // the report's font.
        if (const auto it = fontNames_.find(g.font);
            it != fontNames_.end() && g.font != defaultFont_ && it->second != DefaultFontName()) {
            s.font = it->second;
        }
        return s;
    }

    Status FlushBytes() {
        if (pending_.empty()) return Status::Ok();
        std::string utf8;
        if (pendingCodePage_ == 1252) {
            for (const char c : pending_) AppendUtf8(utf8, static_cast<unsigned char>(c));
        } else {
            const CodecResult r = GbkToUtf8(pending_);
            if (!r.ok()) {
                return Status::Error("RTF 文件第 " + std::to_string(pendingAt_) + " 字节附近已损坏：文字不是 GBK（" +
                                     r.error + "）");
            }
            utf8 = r.text;
        }
        pending_.clear();
        EmitStyled(utf8, pendingStyle_);
        return Status::Ok();
    }

    void Emit(std::string_view utf8) { EmitStyled(utf8, CurrentStyle()); }

    void EmitStyled(std::string_view utf8, const TextStyle& style) {
        if (utf8.empty()) return;
        if (!firstIndent_) firstIndent_ = Top().fi;
        if (!spans_.empty() && spans_.back().style == style) {
            spans_.back().length += utf8.size();
        } else {
            spans_.push_back({text_.size(), utf8.size(), style});
        }
        text_ += utf8;
    }

    std::string_view in_;
    std::size_t pos_ = 0;
    std::vector<GroupState> stack_;
    int ansiCodePage_ = 936;
    int defaultFont_ = 0;
    int fontDef_ = 0;
    std::map<int, int> fontCharsets_;
    std::map<int, std::string> fontNames_;
    std::string fontBytes_, fontName_;
    std::vector<std::uint32_t> colors_;
    std::uint32_t colorPart_ = 0;
    bool colorSet_ = false;
    int skipLeft_ = 0;
    std::optional<std::uint16_t> highSurrogate_;
    std::optional<int> firstIndent_;
    std::string pending_;
    TextStyle pendingStyle_;
    int pendingCodePage_ = 936;
    std::size_t pendingAt_ = 0;
    std::string text_;
    std::vector<StyledSpan> spans_;
};

bool EndsWithTxt(const std::filesystem::path& path) {
    const std::string ext = path.extension().string();
    return EqualsIgnoreAsciiCase(ext, ".txt");
}

}  // namespace

std::vector<StyledSpan> ResolveStyles(const StyledReport& report) {
    const std::string& text = report.text;
    std::vector<TextStyle> styles(text.size(), report.base);
    for (const StyleRun& run : report.runs) {
        const std::size_t from = std::min(run.start, text.size());
        const std::size_t to = from + std::min(run.length, text.size() - from);
        for (std::size_t i = from; i < to; ++i) {
            if (run.color) styles[i].color = *run.color;
            if (run.pointSize) styles[i].pointSize = *run.pointSize;
            if (run.bold) styles[i].bold = *run.bold;
            if (run.italic) styles[i].italic = *run.italic;
            if (run.underline) styles[i].underline = *run.underline;
            if (run.strikeOut) styles[i].strikeOut = *run.strikeOut;
            if (run.font) styles[i].font = *run.font == report.fontName ? std::string() : *run.font;
        }
    }
    std::vector<StyledSpan> spans;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = CharLength(text, i);
        if (!spans.empty() && spans.back().style == styles[i]) {
            spans.back().length += n;
        } else {
            spans.push_back({i, n, styles[i]});
        }
        i += n;
    }
    return spans;
}

Status WriteRtf(const StyledReport& report, std::string* rtf) {
    if (!IsValidUtf8(report.text)) return Status::Error("命稿文字不是有效的 UTF-8");
    const CodecResult font = Utf8ToGbk(report.fontName.empty() ? "宋体" : report.fontName);
    if (!font.ok()) return Status::Error("字体名称：" + font.error);
    const std::vector<StyledSpan> spans = ResolveStyles(report);

    // The font table: \f0 is the report's font, then every other font a span
    // names. A name GBK cannot hold is not written; its text keeps \f0.
    std::vector<std::string> fontNames{report.fontName};
    std::vector<std::string> fontBytes{font.text};
    for (const StyledSpan& s : spans) {
        if (s.style.font.empty()) continue;
        if (std::find(fontNames.begin(), fontNames.end(), s.style.font) != fontNames.end()) continue;
        const CodecResult bytes = Utf8ToGbk(s.style.font);
        if (!bytes.ok()) continue;
        fontNames.push_back(s.style.font);
        fontBytes.push_back(bytes.text);
    }
    const auto fontIndex = [&](const std::string& name) -> std::size_t {
        if (name.empty()) return 0;
        const auto it = std::find(fontNames.begin(), fontNames.end(), name);
        return it == fontNames.end() ? 0 : std::size_t(it - fontNames.begin());
    };

    std::vector<std::uint32_t> colors{report.base.color};
    for (const StyledSpan& s : spans) {
        if (std::find(colors.begin(), colors.end(), s.style.color) == colors.end()) colors.push_back(s.style.color);
    }
    const auto colorIndex = [&](std::uint32_t c) {
        return std::find(colors.begin(), colors.end(), c) - colors.begin() + 1;
    };

    std::string out = "{\\rtf1\\ansi\\ansicpg936\\deff0\\deflang1033\\deflangfe2052{\\fonttbl";
    for (std::size_t f = 0; f < fontBytes.size(); ++f) {
        out += "{\\f" + std::to_string(f) + "\\fnil\\fcharset134 ";
        for (const char c : fontBytes[f]) {
            const auto b = static_cast<unsigned char>(c);
            if (b >= 0x80 || b == '\\' || b == '{' || b == '}' || b == ';') AppendHexByte(out, b);
            else out += c;
        }
        out += ";}";
    }
    out += "}\r\n{\\colortbl ;";
    for (const std::uint32_t c : colors) {
        out += "\\red" + std::to_string(c & 0xFF) + "\\green" + std::to_string((c >> 8) & 0xFF) + "\\blue" +
               std::to_string((c >> 16) & 0xFF) + ';';
    }
    out += "}\r\n\\viewkind4\\uc1\\pard\\fi" + std::to_string(report.firstLineIndent) + "\\lang2052\\f0";
    TextStyle current = report.base;
    current.font.clear();
    out += "\\cf" + std::to_string(colorIndex(current.color)) + "\\fs" + std::to_string(HalfPoints(current.pointSize)) +
           (current.bold ? "\\b" : "") + (current.italic ? "\\i" : "") + (current.underline ? "\\ul" : "") +
           (current.strikeOut ? "\\strike" : "") + ' ';
    bool lastWasCr = false;
    for (const StyledSpan& s : spans) {
        std::string words;
        if (s.style.color != current.color) words += "\\cf" + std::to_string(colorIndex(s.style.color));
        if (HalfPoints(s.style.pointSize) != HalfPoints(current.pointSize)) {
            words += "\\fs" + std::to_string(HalfPoints(s.style.pointSize));
        }
        if (s.style.bold != current.bold) words += s.style.bold ? "\\b" : "\\b0";
        if (s.style.italic != current.italic) words += s.style.italic ? "\\i" : "\\i0";
        if (s.style.underline != current.underline) words += s.style.underline ? "\\ul" : "\\ulnone";
        if (s.style.strikeOut != current.strikeOut) words += s.style.strikeOut ? "\\strike" : "\\strike0";
        if (fontIndex(s.style.font) != fontIndex(current.font))
            words += "\\f" + std::to_string(fontIndex(s.style.font));
        if (!words.empty()) out += words + ' ';
        current = s.style;
        AppendRtfText(out, std::string_view(report.text).substr(s.start, s.length), &lastWasCr);
    }
    out += "}\r\n";
    *rtf = std::move(out);
    return Status::Ok();
}

Status ReadRtf(std::string_view rtf, StyledReport* report) { return RtfReader(rtf).Read(report); }

bool LooksLikeRtf(std::string_view bytes) { return bytes.substr(0, 5) == "{\\rtf"; }

Status EncodePlainText(std::string_view utf8, std::string* gbk) {
    std::string crlf;
    crlf.reserve(utf8.size() + utf8.size() / 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\n' && (i == 0 || utf8[i - 1] != '\r')) crlf += '\r';
        crlf += utf8[i];
    }
    CodecResult r = Utf8ToGbk(crlf);
    if (!r.ok()) return Status::Error("命稿无法保存为 GBK 文本：" + GbkRefusal(crlf, r));
    *gbk = std::move(r.text);
    return Status::Ok();
}

Status DecodeTextFile(std::string_view bytes, std::string* utf8) {
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    std::string text;
    if (bytes.substr(0, kBom.size()) == kBom) {
        bytes.remove_prefix(kBom.size());
        if (!IsValidUtf8(bytes)) return Status::Error("文件以 UTF-8 标记开头，但不是有效的 UTF-8 文本");
        text = std::string(bytes);
    } else if (IsValidUtf8(bytes)) {
        text = std::string(bytes);
    } else {
        CodecResult r = GbkToUtf8(bytes);
        if (!r.ok()) return Status::Error("文件既不是 UTF-8 文本，也不是 GBK 文本：" + r.error);
        text = std::move(r.text);
    }
    std::string crlf;
    crlf.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r') {
            crlf += "\r\n";
            if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else if (text[i] == '\n') {
            crlf += "\r\n";
        } else {
            crlf += text[i];
        }
    }
    *utf8 = std::move(crlf);
    return Status::Ok();
}

Status SaveReportFile(const std::filesystem::path& path, const StyledReport& report) {
    std::string bytes;
    Status s = EndsWithTxt(path) ? EncodePlainText(report.text, &bytes) : WriteRtf(report, &bytes);
    if (!s) return s;
    return WriteFileAtomically(path, bytes);
}

Status LoadReportFile(const std::filesystem::path& path, StyledReport* report) {
    std::string bytes;
    if (Status s = ReadFileBytes(path, &bytes); !s) return s;
    if (LooksLikeRtf(bytes)) {
        if (Status s = ReadRtf(bytes, report); !s) return Status::Error(path.string() + "：" + s.message());
        return Status::Ok();
    }
    StyledReport plain;
    if (Status s = DecodeTextFile(bytes, &plain.text); !s) return Status::Error(path.string() + "：" + s.message());
    *report = std::move(plain);
    return Status::Ok();
}

ReportCheck CheckReportFile(const std::filesystem::path& path, std::uint64_t limit) {
    ReportCheck check;
    struct stat st;
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return check;
    check.present = true;
    check.size = static_cast<std::uint64_t>(st.st_size);
    if (check.size <= limit) {
        StyledReport report;
        check.problem = LoadReportFile(path, &report);
        return check;
    }
    // Too large to read whole just to look: opened, and its first bytes
    // read, with the messages ReadFileBytes gives.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        check.problem = Status::Error("无法打开 " + path.string() + "：" + SystemErrorText(errno));
        return check;
    }
    char head[64];
    ssize_t n;
    do {
        n = ::read(fd, head, sizeof head);
    } while (n < 0 && errno == EINTR);
    ::close(fd);
    if (n < 0) check.problem = Status::Error("无法读取 " + path.string());
    return check;
}

}  // namespace tessaly
