// ReportFile — the report as a file: Rich Text Format (bazi_f/N.rtf and
// "另存为" .rtf) and plain GBK text (.txt).
//
// A report is UTF-8 text (lines end in CR LF) with styled runs laid over
// default attributes, the way the report pane colours its headings: each run
// sets any of colour, size, bold, italic, underline, strike-out and font over
// a range, later runs over earlier.
//
// The RTF written is code page 936 (\ansicpg936, GBK bytes as \'hh, a font of
// charset 134), so the Windows program and word processors read it. The
// reader takes our own files and what Windows RichEdit writes: \ansicpg,
// \'hh, \uN with its fallback, font and colour tables, \f, \fs, \b, \i,
// \ul (and its kinds), \strike, \cf, \par, \pard, \plain, \fi; unknown
// control words and {\*…} groups are skipped.
// Malformed input is an error, never a crash; nesting is bounded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"
#include "common/StyledText.h"

namespace tessaly {

// A piece of text with all its attributes.
struct StyledSpan {
    std::size_t start = 0;
    std::size_t length = 0;
    TextStyle style;

    friend bool operator==(const StyledSpan&, const StyledSpan&) = default;
};

// The runs applied over the base: consecutive spans that cover the text, cut
// only on character boundaries, neighbours always differing in style. Runs
// reaching past the text are clipped.
std::vector<StyledSpan> ResolveStyles(const StyledReport& report);

// The report as RTF. Fails on invalid UTF-8 and on a font name GBK cannot
// hold; characters outside GBK are written as \uN.
Status WriteRtf(const StyledReport& report, std::string* rtf);

// Reads RTF into text and fully specified runs (base is the RTF default:
// black, 12 points, not bold). The default font's name becomes the report's
// font; runs name only other fonts.
Status ReadRtf(std::string_view rtf, StyledReport* report);

// True when the bytes begin as an RTF file does ("{\rtf").
bool LooksLikeRtf(std::string_view bytes);

// Plain text: UTF-8 to GBK with CR LF line ends (strict).
Status EncodePlainText(std::string_view utf8, std::string* gbk);

// Saves the report: plain text for a name ending in ".txt" (any case), RTF
// otherwise. The file is replaced atomically.
Status SaveReportFile(const std::filesystem::path& path, const StyledReport& report);

// The text of a plain-text file as UTF-8 with CR LF line ends (CR LF, LF and
// CR alone each end a line). The encoding: UTF-8 when the file begins with a
// UTF-8 byte-order mark (which is dropped) or is valid UTF-8 throughout —
// ASCII is both, and real GBK Chinese text is practically never valid UTF-8;
// otherwise GBK, strictly. Anything else is an error.
Status DecodeTextFile(std::string_view bytes, std::string* utf8);

// Loads a report: RTF when the file begins as RTF, else plain text as
// DecodeTextFile reads it.
Status LoadReportFile(const std::filesystem::path& path, StyledReport* report);

// The largest report CheckReportFile reads whole (a report of the program
// is some ten kilobytes).
inline constexpr std::uint64_t kLargestCheckedReport = std::uint64_t(16) << 20;

// What a look at a report file found.
struct ReportCheck {
    bool present = false;    // a regular file is there (as LoadReportFile reaches it)
    std::uint64_t size = 0;  // its size
    Status problem;          // why it cannot be loaded, when that is known
};

// Looks at the report file at `path` reading no more than `limit` bytes of
// it: one of at most `limit` bytes is loaded as LoadReportFile loads it
// (its problem is the error), a larger one only opened and its first
// bytes read.
ReportCheck CheckReportFile(const std::filesystem::path& path, std::uint64_t limit = kLargestCheckedReport);

}  // namespace tessaly
