// TextCodec — text at the edges of the program.
//
// Inside the program every text is UTF-8. Files and layouts made for the
// Windows program (INI files, the case store, report files) are GBK, and the
// report is laid out in columns counted in GBK bytes: a Chinese character is
// two columns, an ASCII character one. The conversions here are strict: an
// invalid byte sequence or a character that GBK cannot hold is an error with
// a message, never a silent replacement.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

// The outcome of a conversion: the converted text, or an error message.
struct CodecResult {
    std::string text;   // converted text; empty when !ok
    std::string error;  // clear message naming the offending byte offset
    bool ok() const { return error.empty(); }
};

// UTF-8 -> GBK (code page 936). Fails on invalid UTF-8 and on characters
// outside GBK.
CodecResult Utf8ToGbk(std::string_view utf8);

// GBK -> UTF-8. Fails on byte sequences that are not GBK.
CodecResult GbkToUtf8(std::string_view gbk);
// The same into *utf8, reusing its storage (for many short texts in a row);
// false, with *utf8 unspecified, when the bytes are not GBK.
bool GbkToUtf8Into(std::string_view gbk, std::string* utf8);

// Number of bytes the UTF-8 text takes in GBK: 1 per ASCII character, 2 per
// other character (every non-ASCII character of GBK is two bytes). Characters
// that GBK cannot hold are counted as 2 as well, so a width is always defined.
std::size_t GbkWidth(std::string_view utf8);

// Pads the UTF-8 text with spaces on the right up to `width` GBK columns.
// A text already as wide or wider is returned unchanged.
std::string PadRightGbk(std::string_view utf8, std::size_t width);

// The same appended to `out`, without a string of its own.
void AppendPadRightGbk(std::string& out, std::string_view utf8, std::size_t width);

// Pads on the left (right-aligns) up to `width` GBK columns.
std::string PadLeftGbk(std::string_view utf8, std::size_t width);

// Cuts the UTF-8 text so that it takes at most `maxBytes` GBK bytes, on a
// character boundary (a two-byte character that does not fit is dropped
// whole).
std::string CutToGbkWidth(std::string_view utf8, std::size_t maxBytes);

// True when GBK bytes look like Shift-JIS (Japanese) instead: most of their
// two-byte characters lie outside GB2312, where Shift-JIS kana and most of
// its kanji land when read as GBK, and the bytes are valid Shift-JIS. GBK
// alone cannot tell: nearly every Shift-JIS text is valid GBK, as garbage.
bool LooksLikeShiftJis(std::string_view bytes);

// True when the text is valid UTF-8.
bool IsValidUtf8(std::string_view text);

}  // namespace tessaly
