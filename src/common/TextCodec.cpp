#include "common/TextCodec.h"

#include <iconv.h>

#include <cerrno>
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

struct IconvCloser {
    void operator()(iconv_t* cd) const {
        iconv_close(*cd);
        delete cd;
    }
};

CodecResult Convert(std::string_view in, const char* to, const char* from, const char* what) {
    CodecResult r;
    iconv_t raw = iconv_open(to, from);
    if (raw == reinterpret_cast<iconv_t>(-1)) {
        r.error = std::string("系统无法把 ") + from + " 转换为 " + to;
        return r;
    }
    std::unique_ptr<iconv_t, IconvCloser> cd(new iconv_t(raw));
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
    return Convert(utf8, "GBK", "UTF-8", "UTF-8 转 GBK");
}

CodecResult GbkToUtf8(std::string_view gbk) { return Convert(gbk, "UTF-8", "GBK", "GBK 转 UTF-8"); }

bool IsValidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const int n = ValidUtf8At(text, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::size_t GbkWidth(std::string_view utf8) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const int n = ValidUtf8At(utf8, i);
        if (n <= 1) {
            width += 1;
            i += 1;
        } else {
            width += 2;
            i += n;
        }
    }
    return width;
}

std::string PadRightGbk(std::string_view utf8, std::size_t width) {
    std::string s(utf8);
    const std::size_t w = GbkWidth(utf8);
    if (w < width) s.append(width - w, ' ');
    return s;
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
        const std::size_t cw = step == 1 ? 1 : 2;
        if (width + cw > maxBytes) break;
        width += cw;
        i += step;
    }
    return std::string(utf8.substr(0, i));
}

}  // namespace tessaly
