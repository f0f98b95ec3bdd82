#include "common/TextCodec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <array>
#include <memory>

namespace tessaly {
namespace {

// Length of the UTF-8 sequence that starts with lead byte c, 0 if c cannot
// start a sequence.
int Utf8SequenceLength(unsigned char c) {
    if (c < 0x80) return 1;
    if (c >= 0xC2 && c <= 0xDF) return 2;
    if (c >= 0xE0 && c <= 0xEF) return 3;
    if (c >= 0xF0 && c <= 0xF4) return 4;
    return 0;
}

// Length of the valid UTF-8 character at s[i], 0 if invalid.
int ValidUtf8At(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const int n = Utf8SequenceLength(c);
    if (n == 0 || i + n > s.size()) return 0;
    for (int k = 1; k < n; ++k) {
        const auto cc = static_cast<unsigned char>(s[i + k]);
        if ((cc & 0xC0) != 0x80) return 0;
    }
    if (n >= 3) {
        const auto c1 = static_cast<unsigned char>(s[i + 1]);
        if (c == 0xE0 && c1 < 0xA0) return 0;   // overlong
        if (c == 0xED && c1 >= 0xA0) return 0;  // surrogate
        if (c == 0xF0 && c1 < 0x90) return 0;   // overlong
        if (c == 0xF4 && c1 >= 0x90) return 0;  // beyond U+10FFFF
    }
    return n;
}

// The code point of the valid UTF-8 sequence of n bytes at s[i].
char32_t DecodeAt(std::string_view s, std::size_t i, int n) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (n == 1) return c;
    char32_t cp = c & (0x7F >> n);
    for (int k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    return cp;
}

struct CodeRange {
    char32_t first, last;
};

constexpr CodeRange kEastAsianWide[] = {
#include "EastAsianWide.inc"
};

// The two converters of one thread, opened on first use and kept until the
// thread ends: opening one costs far more than a short conversion.
class Converters {
public:
    Converters() = default;
    Converters(const Converters&) = delete;
    Converters& operator=(const Converters&) = delete;
    ~Converters() {
        for (Slot& s : slots_) {
            if (s.open) iconv_close(s.cd);
        }
    }
    // The descriptor from `from` to `to` in its initial state, or nullptr
    // when the system lacks the conversion.
    iconv_t* Get(int which, const char* to, const char* from) {
        Slot& s = slots_[which];
        if (!s.open) {
            s.cd = iconv_open(to, from);
            if (s.cd == reinterpret_cast<iconv_t>(-1)) return nullptr;
            s.open = true;
        }
        iconv(s.cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
        return &s.cd;
    }

private:
    struct Slot {
        iconv_t cd{};
        bool open = false;
    };
    Slot slots_[3];
};

enum ConverterId { kToGbk = 0, kFromGbk = 1, kFromShiftJis = 2 };

bool IsAscii(std::string_view s) {
    for (const char c : s) {
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    }
    return true;
}

CodecResult Convert(std::string_view in, ConverterId which, const char* to, const char* from, const char* what) {
    CodecResult r;
    // Both encodings keep ASCII byte for byte.
    if (IsAscii(in)) {
        r.text.assign(in);
        return r;
    }
    thread_local Converters converters;
    iconv_t* cd = converters.Get(which, to, from);
    if (cd == nullptr) {
        r.error = std::string("系统无法把 ") + from + " 转换为 " + to;
        return r;
    }
    std::string out;
    out.resize(in.size() * 2 + 16);
    char* inp = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outp = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        const std::size_t rc = iconv(*cd, &inp, &inLeft, &outp, &outLeft);
        if (rc != static_cast<std::size_t>(-1)) break;
        if (errno == E2BIG) {
            const std::size_t used = out.size() - outLeft;
            out.resize(out.size() * 2);
            outp = out.data() + used;
            outLeft = out.size() - used;
            continue;
        }
        const std::size_t offset = in.size() - inLeft;
        if (errno == EILSEQ) {
            r.error = std::string(what) + "：第 " + std::to_string(offset) + " 字节处的字符无效或无法转换";
        } else {
            r.error = std::string(what) + "：第 " + std::to_string(offset) + " 字节处的字符不完整";
        }
        return r;
    }
    out.resize(out.size() - outLeft);
    r.text = std::move(out);
    return r;
}

// The UTF-8 of each two-byte GBK character met so far on this thread, asked
// of iconv once per character: leads 0x81..0xFE, trails 0x40..0xFE, a row of
// entries for each lead byte met.
class GbkPairCache {
public:
    struct Entry {
        std::uint8_t length = 0;  // 0 not asked yet, kNotGbk, else the UTF-8 length (1..3)
        char utf8[3] = {};
    };
    static constexpr std::uint8_t kNotGbk = 0xFF;

    // The entry of a pair, or nullptr when iconv has not been asked yet.
    const Entry* Find(unsigned char lead, unsigned char trail) const {
        const std::unique_ptr<Row>& row = rows_[lead - 0x81];
        if (!row) return nullptr;
        const Entry& e = (*row)[trail - 0x40];
        return e.length == 0 ? nullptr : &e;
    }

    const Entry& Get(unsigned char lead, unsigned char trail) {
        std::unique_ptr<Row>& row = rows_[lead - 0x81];
        if (!row) row = std::make_unique<Row>();
        Entry& e = (*row)[trail - 0x40];
        if (e.length == 0) {
            const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            const CodecResult r = Convert(std::string_view(pair, 2), kFromGbk, "UTF-8", "GBK", "GBK 转 UTF-8");
            e.length =
                r.ok() && !r.text.empty() && r.text.size() <= sizeof e.utf8 ? std::uint8_t(r.text.size()) : kNotGbk;
            if (e.length != kNotGbk) std::memcpy(e.utf8, r.text.data(), r.text.size());
        }
        return e;
    }

private:
    using Row = std::array<Entry, 0xFE - 0x40 + 1>;
    std::array<std::unique_ptr<Row>, 0xFE - 0x81 + 1> rows_;
};

// GBK to UTF-8 a character at a time through the cache. False (and `out`
// unfinished) at anything the cache cannot answer alone: a byte that is
// neither ASCII nor a lead with its trail, a pair that is not GBK, or more
// than 16 pairs the cache has not met.
bool GbkToUtf8Cached(std::string_view in, std::string* out) {
    thread_local GbkPairCache cache;
    // Each GBK byte gives at most two bytes of UTF-8 (a pair at most three),
    // and a copy writes three; a short text is built on the stack.
    char local[2048];
    std::string heap;
    char* const begin = in.size() * 2 + 4 <= sizeof local ? local : (heap.resize(in.size() * 2 + 4), heap.data());
    char* p = begin;
    constexpr int kMaxUnknownPairs = 16;
    int unknown = 0;
    for (std::size_t i = 0; i < in.size();) {
        const auto c = static_cast<unsigned char>(in[i]);
        if (c < 0x80) {
            *p++ = static_cast<char>(c);
            ++i;
            continue;
        }
        if (c < 0x81 || c > 0xFE || i + 1 >= in.size()) return false;
        const auto t = static_cast<unsigned char>(in[i + 1]);
        if (t < 0x40 || t > 0xFE) return false;
        const GbkPairCache::Entry* known = cache.Find(c, t);
        // A text of many characters not met yet (a section of dili.ini) is
        // one call of iconv as a whole rather than one for each of them.
        if (known == nullptr && ++unknown > kMaxUnknownPairs) return false;
        const GbkPairCache::Entry& e = known != nullptr ? *known : cache.Get(c, t);
        if (e.length == GbkPairCache::kNotGbk) return false;
        std::memcpy(p, e.utf8, sizeof e.utf8);
        p += e.length;
        i += 2;
    }
    out->assign(begin, p);
    return true;
}

}  // namespace

CodecResult Utf8ToGbk(std::string_view utf8) {
    // glibc's iconv may transliterate or accept some sequences we consider
    // invalid; check UTF-8 validity ourselves first.
    for (std::size_t i = 0; i < utf8.size();) {
        const int n = ValidUtf8At(utf8, i);
        if (n == 0) {
            return {{}, "UTF-8 转 GBK：第 " + std::to_string(i) + " 字节处不是有效的 UTF-8"};
        }
        i += n;
    }
    return Convert(utf8, kToGbk, "GBK", "UTF-8", "UTF-8 转 GBK");
}

CodecResult GbkToUtf8(std::string_view gbk) {
    // Each character on its own converts as it does within the text (GBK
    // keeps no state), so the cache gives iconv's answer; whatever it cannot
    // answer, errors included, goes to iconv whole.
    CodecResult r;
    if (GbkToUtf8Cached(gbk, &r.text)) return r;
    return Convert(gbk, kFromGbk, "UTF-8", "GBK", "GBK 转 UTF-8");
}

bool GbkToUtf8Into(std::string_view gbk, std::string* utf8) {
    if (GbkToUtf8Cached(gbk, utf8)) return true;
    CodecResult r = Convert(gbk, kFromGbk, "UTF-8", "GBK", "GBK 转 UTF-8");
    if (!r.ok()) return false;
    *utf8 = std::move(r.text);
    return true;
}

bool LooksLikeShiftJis(std::string_view bytes) {
    // Read as GBK, count the two-byte characters outside GB2312 (lead and
    // trail both 0xA1..0xFE); kana and most kanji of Shift-JIS land there.
    int pairs = 0, outside = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x80 || i + 1 >= bytes.size()) {
            ++i;
            continue;
        }
        const auto t = static_cast<unsigned char>(bytes[i + 1]);
        ++pairs;
        if (c < 0xA1 || c > 0xF7 || t < 0xA1 || t == 0xFF) ++outside;
        i += 2;
    }
    if (pairs == 0 || 2 * outside <= pairs) return false;
    return Convert(bytes, kFromShiftJis, "UTF-8", "SHIFT_JIS", "Shift-JIS 转 UTF-8").ok();
}

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const int n = ValidUtf8At(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

bool IsEastAsianWide(char32_t cp) {
    if (cp < kEastAsianWide[0].first) return false;
    const CodeRange* end = std::end(kEastAsianWide);
    const CodeRange* r = std::upper_bound(std::begin(kEastAsianWide), end, cp,
                                          [](char32_t c, const CodeRange& range) { return c < range.first; });
    return cp <= (r - 1)->last;
}

namespace {

// What GBK holds of the Basic Multilingual Plane, asked of iconv once per
// character and kept for the thread: two bits a character (asked, held).
class GbkCoverage {
public:
    bool Holds(char32_t cp) {
        const std::size_t word = cp / 32;
        const std::uint32_t bit = std::uint32_t(1) << (cp % 32);
        if ((asked_[word] & bit) == 0) {
            char utf8[3];
            const std::size_t n = cp < 0x800 ? 2 : 3;
            if (n == 2) {
                utf8[0] = char(0xC0 | (cp >> 6));
                utf8[1] = char(0x80 | (cp & 0x3F));
            } else {
                utf8[0] = char(0xE0 | (cp >> 12));
                utf8[1] = char(0x80 | ((cp >> 6) & 0x3F));
                utf8[2] = char(0x80 | (cp & 0x3F));
            }
            if (Convert(std::string_view(utf8, n), kToGbk, "GBK", "UTF-8", "").ok()) held_[word] |= bit;
            asked_[word] |= bit;
        }
        return (held_[word] & bit) != 0;
    }

private:
    std::array<std::uint32_t, 0x10000 / 32> asked_{}, held_{};
};

}  // namespace

bool GbkHolds(char32_t cp) {
    if (cp < 0x80) return true;
    if (cp >= 0x4E00 && cp <= 0x9FA5) return true;  // GBK holds every ideograph of this range
    if (cp >= 0x10000 || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    thread_local GbkCoverage coverage;
    return coverage.Holds(cp);
}

int ColumnsOf(char32_t cp) {
    if (cp < 0x80 || cp == 0x20AC) return 1;     // ASCII, and the euro sign: GBK's one byte 0x80
    if (cp >= 0x4E00 && cp <= 0x9FFF) return 2;  // the ideographs: wide, and nearly all in GBK
    return IsEastAsianWide(cp) || GbkHolds(cp) ? 2 : 1;
}

std::size_t GbkWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const int n = ValidUtf8At(utf8, i);
        if (n <= 1) {
            width += 1;
            i += 1;
        } else {
            width += static_cast<std::size_t>(ColumnsOf(DecodeAt(utf8, i, n)));
            i += n;
        }
    }
    return width;
}

std::string FirstCharacterOutsideGbk(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const int n = ValidUtf8At(utf8, i);
        if (n == 0) {
            ++i;
            continue;
        }
        if (!GbkHolds(DecodeAt(utf8, i, n))) return std::string(utf8.substr(i, n));
        i += n;
    }
    return {};
}

std::string OutsideGbkMessage(std::string_view character) { return "“" + std::string(character) + "”无法保存为GBK"; }

std::string GbkRefusal(std::string_view utf8, const CodecResult& failed) {
    if (!IsValidUtf8(utf8)) return failed.error;
    const std::string ch = FirstCharacterOutsideGbk(utf8);
    return ch.empty() ? failed.error : OutsideGbkMessage(ch);
}

std::string PadRightGbk(std::string_view utf8, std::size_t width) {
    std::string s;
    AppendPadRightGbk(s, utf8, width);
    return s;
}

void AppendPadRightGbk(std::string& out, std::string_view utf8, std::size_t width) {
    out += utf8;
    const std::size_t w = GbkWidth(utf8);
    if (w < width) out.append(width - w, ' ');
}

std::string PadLeftGbk(std::string_view utf8, std::size_t width) {
    const std::size_t w = GbkWidth(utf8);
    std::string s;
    if (w < width) s.assign(width - w, ' ');
    s.append(utf8);
    return s;
}

std::string CutToGbkWidth(std::string_view utf8, std::size_t maxBytes) {
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const int n = ValidUtf8At(utf8, i);
        const std::size_t step = n == 0 ? 1 : static_cast<std::size_t>(n);
        const std::size_t cw = step == 1 ? 1 : static_cast<std::size_t>(ColumnsOf(DecodeAt(utf8, i, n)));
        if (width + cw > maxBytes) break;
        width += cw;
        i += step;
    }
    return std::string(utf8.substr(0, i));
}

bool HasControlCharacter(std::string_view utf8, bool lineBreaksAllowed) {
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if ((c == '\r' || c == '\n') && lineBreaksAllowed) continue;
        if (c < 0x20 || c == 0x7F) return true;
        // U+0080..U+009F, the second set of control characters
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) return true;
    }
    return false;
}

std::string EscapeControls(std::string_view utf8, bool lineBreaksKept) {
    if (!HasControlCharacter(utf8, lineBreaksKept)) return std::string(utf8);
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    out.reserve(utf8.size() + 16);
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (lineBreaksKept && (c == '\n' || (c == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n'))) {
            out += static_cast<char>(c);
            continue;
        }
        if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) <= 0x9F) {
            const auto c1 = static_cast<unsigned char>(utf8[++i]);
            out += "\\u00";
            out += kHex[c1 >> 4];
            out += kHex[c1 & 0xF];
            continue;
        }
        if (c >= 0x20 && c != 0x7F) {
            out += static_cast<char>(c);
            continue;
        }
        switch (c) {
            case 0x1B: out += "\\e"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\0': out += "\\0"; break;
            case '\a': out += "\\a"; break;
            case '\b': out += "\\b"; break;
            case '\f': out += "\\f"; break;
            case '\v': out += "\\v"; break;
            default:
                out += "\\x";
                out += kHex[c >> 4];
                out += kHex[c & 0xF];
        }
    }
    return out;
}

}  // namespace tessaly
