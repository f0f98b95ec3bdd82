#include "store/ReportFile.h"

#include <gtest/gtest.h>

#include "store_test_util.h"

namespace tessaly {
namespace {

using test::ReadAll;
using test::TempProgramDir;

constexpr std::uint32_t kBlue = RgbColor(0, 0, 255);
constexpr std::uint32_t kRed = RgbColor(255, 0, 0);
constexpr std::uint32_t kGreen = RgbColor(0, 128, 0);

StyledReport SampleReport() {
    StyledReport r;
    r.text = "甲命八字：乾造\r\n{braces} and \\back\tslash\r\n婚配指数=88分\r\n笑\xF0\x9F\x98\x80 é\r\n";
    r.base = {0, 10.5, false};
    r.firstLineIndent = 240;
    r.runs = {
        {0, 15, kBlue, 10.5, true},                     // the heading 甲命八字：
        {15, 40, kGreen, std::nullopt, std::nullopt},   // colour only
        {20, 3, std::nullopt, 9.0, std::nullopt},       // size only, a partial span
        {52, 4, kRed, 14.5, true},                      // starts inside a character
        {70, 1000, std::nullopt, std::nullopt, false},  // reaches past the end
    };
    return r;
}

TEST(Rtf, RoundTripKeepsTextAndStyles) {
    const StyledReport r = SampleReport();
    std::string rtf;
    ASSERT_TRUE(WriteRtf(r, &rtf).ok());
    StyledReport back;
    const Status s = ReadRtf(rtf, &back);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(back.text, r.text);
    EXPECT_EQ(back.fontName, "宋体");
    EXPECT_EQ(back.firstLineIndent, 240);
    EXPECT_EQ(ResolveStyles(back), ResolveStyles(r));
}

TEST(Rtf, WritesCodePage936WithColourTableSizesAndBold) {
    StyledReport r;
    r.text = "张三\r\nab";
    r.base = {0, 12, false};
    r.runs = {{0, 6, kBlue, 13, true}};
    std::string rtf;
    ASSERT_TRUE(WriteRtf(r, &rtf).ok());
    for (const char* want : {"{\\rtf1\\ansi\\ansicpg936", "\\fcharset134 \\'cb\\'ce\\'cc\\'e5;",
                             "{\\colortbl ;\\red0\\green0\\blue0;\\red0\\green0\\blue255;}", "\\fi0",
                             "\\cf2\\fs26\\b \\'d5\\'c5\\'c8\\'fd", "\\cf1\\fs24\\b0 \\par\r\nab"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(rtf.find(want), std::string::npos) << rtf;
    }
}

// What Windows RichEdit writes, by hand: an ANSI font among the Chinese one,
// \uN with fallbacks, surrogate pairs, ignorable groups, \plain and \pard.
TEST(Rtf, ReadsRichEditOutput) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg936\\deff0\\nouicompat\\deflang1033\\deflangfe2052"
        "{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}{\\f1\\fnil\\fcharset0 Arial;}}\r\n"
        "{\\colortbl ;\\red0\\green0\\blue255;\\red255\\green0\\blue0;}\r\n"
        "{\\*\\generator Riched20 10.0.19041}\\viewkind4\\uc1 \r\n"
        "\\pard\\fi420\\cf1\\b\\f0\\fs24\\lang2052\\'bc\\'d7\\'c3\\'fc\\'b0\\'cb\\'d7\\'d6\\'a3\\'ba\\cf0\\b0\\fs20\\par\r\n"
        "\\f1\\lang1033 caf\\'e9 \\u8364?\\f0 x\\cf2\\fs28\\u-10179?\\u-8704?\\par\r\n"
        "{\\*\\unknown {nested} stuff}{\\*\\bkmkstart x}\\pard\\plain\\fs22 pl\\unknownword ain\\uc2\\u20320\\'c4\\'e3\\par\r\n"
        "}\r\n\0";
    StyledReport r;
    const Status s = ReadRtf(rtf, &r);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(r.text, "甲命八字：\r\ncafé €x\xF0\x9F\x98\x80\r\nplain你\r\n");
    EXPECT_EQ(r.fontName, "宋体");
    EXPECT_EQ(r.firstLineIndent, 420);
    TextStyle arial{0, 10, false};
    arial.font = "Arial";
    const std::vector<StyledSpan> want = {
        {0, 15, {kBlue, 12, true}},
        {15, 2, {0, 10, false}},         // \r\n
        {17, 9, arial},                  // "café €" in the second font
        {26, 1, {0, 10, false}},         // "x", back in the default font
        {27, 4 + 2, {kRed, 14, false}},  // the emoji and its line end
        {33, 5 + 3 + 2, {0, 11, false}},
    };
    EXPECT_EQ(ResolveStyles(r), want);
}

// What the pane's font dialog can set: italic, underline, strike-out and
// other fonts, beside colour, size and weight.
TEST(Rtf, RoundTripKeepsItalicUnderlineStrikeOutAndFonts) {
    StyledReport r;
    r.text = "甲乙丙丁戊己庚辛\r\nabc";
    r.base = {0, 12, false};
    StyleRun italic(0, 6), underline(3, 6), strike(9, 3), kaiti(6, 9), report(12, 3), korean(20, 3);
    italic.italic = true;
    underline.underline = true;
    strike.strikeOut = true;
    kaiti.font = "楷体";
    report.font = "宋体";                      // the report's own font: no second entry
    korean.font = "\xEB\x8F\x8B\xEC\x9D\x8C";  // 돋음: not GBK, written in the report's font
    r.runs = {italic, underline, strike, kaiti, report, korean};
    std::string rtf;
    ASSERT_TRUE(WriteRtf(r, &rtf).ok());
    for (const char* want : {"{\\fonttbl{\\f0\\fnil\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}"
                             "{\\f1\\fnil\\fcharset134 \\'bf\\'ac\\'cc\\'e5;}}",
                             "\\i ", "\\ul", "\\strike", "\\f1 ", "\\i0", "\\ulnone", "\\strike0"}) {
        SCOPED_TRACE(want);
        EXPECT_NE(rtf.find(want), std::string::npos) << rtf;
    }
    EXPECT_EQ(rtf.find("\\f2"), std::string::npos) << rtf;
    StyledReport back;
    const Status s = ReadRtf(rtf, &back);
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(back.text, r.text);
    r.runs.pop_back();  // the font GBK cannot name is gone
    EXPECT_EQ(ResolveStyles(back), ResolveStyles(r));
}

TEST(Rtf, ReadsTheSwitchesOfItalicUnderlineAndStrikeOut) {
    const struct {
        const char* rtf;
        bool italic, underline, strikeOut;
    } kCases[] = {
        {"{\\rtf1 \\i x}", true, false, false},
        {"{\\rtf1 \\i\\i0 x}", false, false, false},
        {"{\\rtf1 \\ul x}", false, true, false},
        {"{\\rtf1 \\ul\\ulnone x}", false, false, false},
        {"{\\rtf1 \\ul\\ul0 x}", false, false, false},
        {"{\\rtf1 \\uldb x}", false, true, false},
        {"{\\rtf1 \\ulwave x}", false, true, false},
        {"{\\rtf1 \\strike x}", false, false, true},
        {"{\\rtf1 \\striked1 x}", false, false, true},
        {"{\\rtf1 \\strike\\strike0 x}", false, false, false},
        {"{\\rtf1 \\i\\ul\\strike\\plain x}", false, false, false},
        {"{\\rtf1 {\\i\\ul\\strike y}x}", false, false, false},  // a group ends its switches
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.rtf);
        StyledReport r;
        ASSERT_TRUE(ReadRtf(c.rtf, &r).ok());
        const std::vector<StyledSpan> spans = ResolveStyles(r);
        ASSERT_FALSE(spans.empty());
        const TextStyle& x = spans.back().style;
        EXPECT_EQ(x.italic, c.italic);
        EXPECT_EQ(x.underline, c.underline);
        EXPECT_EQ(x.strikeOut, c.strikeOut);
    }
}

// \uN inside the font table names no text.
TEST(Rtf, UnicodeInTheFontTableIsNoText) {
    StyledReport r;
    ASSERT_TRUE(ReadRtf("{\\rtf1{\\fonttbl{\\f0 A\\u22909?B;}}x}", &r).ok());
    EXPECT_EQ(r.text, "x");
}

TEST(Rtf, MalformedInputIsAnError) {
    const struct {
        const char* what;
        std::string rtf;
    } kCases[] = {
        {"empty", ""},
        {"plain text", "hello"},
        {"unclosed group", "{\\rtf1 abc"},
        {"bad hex", "{\\rtf1 \\'zz}"},
        {"hex cut short", "{\\rtf1 \\'d"},
        {"lone GBK lead byte", "{\\rtf1 \\'d5}"},
        {"backslash at end", "{\\rtf1 \\"},
        {"control word too long", "{\\rtf1 \\" + std::string(40, 'a') + "}"},
        {"number too long", "{\\rtf1 \\fs123456789012}"},
        {"minus without number", "{\\rtf1 \\fs-}"},
        {"bin past end", "{\\rtf1 \\bin999 ab}"},
        {"nesting too deep", "{\\rtf1 " + std::string(5000, '{') + std::string(5000, '}') + "}"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        StyledReport r;
        EXPECT_FALSE(ReadRtf(c.rtf, &r).ok());
    }
    StyledReport r;
    EXPECT_TRUE(ReadRtf("{\\rtf1 {{{a}}}}", &r).ok());  // modest nesting is fine
    EXPECT_EQ(r.text, "a");
    // Control characters are no report text: only \par makes a line end.
    constexpr char kControls[] = "{\\rtf1 a\\u10?b\\'0a\\'00c\0d\\u9?e}";
    ASSERT_TRUE(ReadRtf(std::string_view(kControls, sizeof kControls - 1), &r).ok());
    EXPECT_EQ(r.text, "abcd\te");
}

TEST(ReportFiles, TextFilesAreUtf8OrGbk) {
    const struct {
        const char* what;
        std::string bytes;
        bool ok;
        const char* want;
    } kCases[] = {
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF\xE7\x94\xB2\r\nb", true, "甲\r\nb"},
        {"UTF-8 without a mark", "\xE7\x94\xB2\xE5\x91\xBD\nb", true, "甲命\r\nb"},
        {"GBK", "\xBC\xD7\xC3\xFC\r\nb", true, "甲命\r\nb"},
        {"ASCII, old Mac line ends", "a\rb\r\rc", true, "a\r\nb\r\n\r\nc"},
        {"mixed line ends", "a\r\nb\nc\n", true, "a\r\nb\r\nc\r\n"},
        {"empty", "", true, ""},
        {"a mark, then GBK", "\xEF\xBB\xBF\xBC\xD7", false, ""},
        {"neither UTF-8 nor GBK", "\xFF\xFE\x41\x00", false, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        std::string utf8 = "unchanged";
        const Status s = DecodeTextFile(c.bytes, &utf8);
        EXPECT_EQ(s.ok(), c.ok) << s.message();
        EXPECT_EQ(utf8, c.ok ? std::string(c.want) : std::string("unchanged"));
    }
}

TEST(ReportFiles, PlainTextAndFileRoundTrips) {
    std::string gbk;
    ASSERT_TRUE(EncodePlainText("甲\nb\r\nc", &gbk).ok());
    EXPECT_EQ(gbk, "\xBC\xD7\r\nb\r\nc");
    std::string utf8;
    ASSERT_TRUE(DecodeTextFile(gbk, &utf8).ok());
    EXPECT_EQ(utf8, "甲\r\nb\r\nc");
    EXPECT_FALSE(DecodeTextFile("\xFF\xFF", &utf8).ok());
    EXPECT_FALSE(EncodePlainText("\xF0\x9F\x98\x80", &gbk).ok());

    TempProgramDir dir("report");
    const StyledReport r = SampleReport();
    StyledReport back;
    ASSERT_TRUE(SaveReportFile(dir / "a.rtf", r).ok());
    ASSERT_TRUE(LoadReportFile(dir / "a.rtf", &back).ok());
    EXPECT_EQ(ResolveStyles(back), ResolveStyles(r));

    StyledReport plain = r;
    plain.text = "第一行\r\n第二行\r\n";
    ASSERT_TRUE(SaveReportFile(dir / "b.TXT", plain).ok());
    EXPECT_EQ(ReadAll(dir / "b.TXT").substr(0, 6), "\xB5\xDA\xD2\xBB\xD0\xD0");
    ASSERT_TRUE(LoadReportFile(dir / "b.TXT", &back).ok());
    EXPECT_EQ(back.text, plain.text);
    EXPECT_TRUE(back.runs.empty());
    EXPECT_FALSE(LoadReportFile(dir / "missing.rtf", &back).ok());
}

// A name GBK cannot hold goes into an RTF file as \uN and comes back; a GBK
// text file refuses it, naming the character, and nothing is written.
TEST(ReportFiles, NamesOutsideGbkRoundTripThroughRtfAndAreNamedByTxt) {
    const struct {
        const char* name;
        const char* escape;  // how the RTF holds its first character outside GBK
        const char* refusal;
    } kCases[] = {
        {"Søren", "S\\u248?ren", "命稿无法保存为 GBK 文本：“ø”无法保存为GBK"},
        {"김민준", "\\u-20928?\\u-17412?\\u-14080?", "命稿无法保存为 GBK 文本：“김”无法保存为GBK"},
    };
    TempProgramDir dir("names");
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        StyledReport r;
        r.text = std::string("甲命八字：\r\n命主姓名:") + c.name + "  出生地:北京市-北京。\r\n";
        r.base = {0, 10.5, false};
        r.runs = {{0, 15, kBlue, 10.5, true}, {15, r.text.size() - 15, kGreen, std::nullopt, std::nullopt}};
        ASSERT_TRUE(SaveReportFile(dir / "n.rtf", r).ok());
        EXPECT_NE(ReadAll(dir / "n.rtf").find(c.escape), std::string::npos) << ReadAll(dir / "n.rtf");
        StyledReport back;
        ASSERT_TRUE(LoadReportFile(dir / "n.rtf", &back).ok());
        EXPECT_EQ(back.text, r.text);
        EXPECT_EQ(ResolveStyles(back), ResolveStyles(r));

        const Status txt = SaveReportFile(dir / "n.txt", r);
        EXPECT_EQ(txt.message(), c.refusal);
        EXPECT_FALSE(std::filesystem::exists(dir / "n.txt"));
    }
}

}  // namespace
}  // namespace tessaly
