// TextCodec — text at the edges of the program.
//
// Inside the program every text is UTF-8. Files and layouts made for the
// Windows program (INI files, the case store, report files) are GBK, and the
// report is laid out in columns counted in GBK bytes: a Chinese character is
// two columns, an ASCII character one. The conversions here are strict: an
// invalid byte sequence or a character that GBK cannot hold is an error with
// a message, never a silent replacement.
//
// Columns of a character, the rule of every width below:
//   - ASCII: 1;
//   - a character GBK holds: the bytes it takes in GBK, 2 (1 for the euro
//     sign, byte 0x80), so a text GBK can hold is as wide as its GBK bytes;
//   - a character GBK cannot hold (a name such as "Søren" or "김민준"): 2
//     when its East Asian Width is Wide or Fullwidth (Hangul, kana, the
//     ideographs GBK lacks, emoji), else 1 (Latin, Greek, Cyrillic letters).
//   An invalid UTF-8 byte counts 1.
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

// Columns of the UTF-8 text by the rule above: for a text GBK can hold, the
// number of bytes it takes in GBK.
std::size_t GbkWidth(std::string_view utf8);

// Columns of one character (a Unicode code point) by the rule above.
int ColumnsOf(char32_t cp);

// True when the code point's East Asian Width is Wide or Fullwidth
// (Unicode 14 tables, tools/gen_east_asian_wide.py).
bool IsEastAsianWide(char32_t cp);

// True when GBK (code page 936) holds the character.
bool GbkHolds(char32_t cp);

// The first character of the UTF-8 text that GBK cannot hold (its UTF-8
// bytes), or empty when GBK holds them all. Invalid bytes are skipped.
std::string FirstCharacterOutsideGbk(std::string_view utf8);

// The refusal of a text GBK cannot hold, naming the character:
// "“ø”无法保存为GBK".
std::string OutsideGbkMessage(std::string_view character);

// Why Utf8ToGbk(utf8) failed with `failed`: OutsideGbkMessage of the first
// character GBK cannot hold, or the codec's own message when the text is not
// valid UTF-8.
std::string GbkRefusal(std::string_view utf8, const CodecResult& failed);

// Pads the UTF-8 text with spaces on the right up to `width` GBK columns.
// A text already as wide or wider is returned unchanged.
std::string PadRightGbk(std::string_view utf8, std::size_t width);

// The same appended to `out`, without a string of its own.
void AppendPadRightGbk(std::string& out, std::string_view utf8, std::size_t width);

// Pads on the left (right-aligns) up to `width` GBK columns.
std::string PadLeftGbk(std::string_view utf8, std::size_t width);

// Cuts the UTF-8 text so that it takes at most `maxBytes` columns (GBK bytes
// for a text GBK holds), on a character boundary (a two-column character
// that does not fit is dropped whole).
std::string CutToGbkWidth(std::string_view utf8, std::size_t maxBytes);

// True when GBK bytes look like Shift-JIS (Japanese) instead: most of their
// two-byte characters lie outside GB2312, where Shift-JIS kana and most of
// its kanji land when read as GBK, and the bytes are valid Shift-JIS. GBK
// alone cannot tell: nearly every Shift-JIS text is valid GBK, as garbage.
bool LooksLikeShiftJis(std::string_view bytes);

// True when the text is valid UTF-8.
bool IsValidUtf8(std::string_view text);

// True when the UTF-8 text holds a control character (U+0000..U+001F,
// U+007F, U+0080..U+009F); CR and LF pass when `lineBreaksAllowed`.
bool HasControlCharacter(std::string_view utf8, bool lineBreaksAllowed = false);

// The text as a terminal may be given it: every control character of
// HasControlCharacter written out, so that a stored text cannot move the
// cursor, clear the screen or change colours: \e (escape), \t, \n, \r, \0,
// \a, \b, \f, \v, else \xHH, and U+0080..U+009F as \u0080..\u009f. With
// `lineBreaksKept`, LF and CR LF stay as they are (a lone CR is written
// out). A text without control characters comes back unchanged.
std::string EscapeControls(std::string_view utf8, bool lineBreaksKept = false);

}  // namespace tessaly
