#include "common/TextCodec.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <random>
#include <thread>

namespace tessaly {
namespace {

TEST(TextCodec, GbkRoundTripOfMixedText) {
    const std::string utf8 = "甲命八字：\r\n乾造 1990年 ABC-123 ☆※";
    const CodecResult gbk = Utf8ToGbk(utf8);
    ASSERT_TRUE(gbk.ok()) << gbk.error;
    // 甲 is B C D7 in GBK; the ASCII part keeps its bytes.
    EXPECT_EQ(gbk.text.substr(0, 2), "\xBC\xD7");
    const CodecResult back = GbkToUtf8(gbk.text);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.text, utf8);
}

TEST(TextCodec, RefusesInvalidInput) {
    const struct {
        const char* what;
        std::string bytes;
        bool toGbk;
        const char* error;  // names the direction and the bad byte's offset
    } kCases[] = {
        {"GBK lead byte without trail", std::string("\xBC"), false, "GBK 转 UTF-8：第 0 字节处的字符不完整"},
        {"GBK byte 0xFF",
         std::string("a\xFF"
                     "b"),
         false, "GBK 转 UTF-8：第 1 字节处的字符无效或无法转换"},
        {"UTF-8 truncated", std::string("\xE7\x94"), true, "UTF-8 转 GBK：第 0 字节处不是有效的 UTF-8"},
        {"UTF-8 overlong slash", std::string("ab\xC0\xAF"), true, "UTF-8 转 GBK：第 2 字节处不是有效的 UTF-8"},
        {"UTF-8 surrogate", std::string("\xED\xA0\x80"), true, "UTF-8 转 GBK：第 0 字节处不是有效的 UTF-8"},
        {"character outside GBK (emoji)", std::string("甲\xF0\x9F\x98\x80"), true,
         "UTF-8 转 GBK：第 3 字节处的字符无效或无法转换"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const CodecResult r = c.toGbk ? Utf8ToGbk(c.bytes) : GbkToUtf8(c.bytes);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.text.empty());
        EXPECT_EQ(r.error, c.error);
    }
}

// A plain iconv conversion with the codec's messages, to hold the codec to:
// whatever the codec keeps between calls, each result must be what a fresh
// conversion gives.
CodecResult ReferenceConvert(std::string_view in, const char* to, const char* from, const char* what) {
    CodecResult r;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        r.error = "no converter";
        return r;
    }
    std::string out(in.size() * 4 + 16, '\0');
    char* inp = const_cast<char*>(in.data());
    std::size_t inLeft = in.size();
    char* outp = out.data();
    std::size_t outLeft = out.size();
    if (inLeft > 0 && iconv(cd, &inp, &inLeft, &outp, &outLeft) == static_cast<std::size_t>(-1)) {
        const std::string at = std::to_string(in.size() - inLeft);
        r.error = std::string(what) + "：第 " + at +
                  (errno == EILSEQ ? " 字节处的字符无效或无法转换" : " 字节处的字符不完整");
    } else {
        out.resize(out.size() - outLeft);
        r.text = out;
    }
    iconv_close(cd);
    return r;
}

void ExpectSameAsReference(const std::string& bytes, bool toGbk) {
    const CodecResult got = toGbk ? Utf8ToGbk(bytes) : GbkToUtf8(bytes);
    const CodecResult want = toGbk ? ReferenceConvert(bytes, "GBK", "UTF-8", "UTF-8 转 GBK")
                                   : ReferenceConvert(bytes, "UTF-8", "GBK", "GBK 转 UTF-8");
    if (!toGbk || IsValidUtf8(bytes)) {
        ASSERT_EQ(got.text, want.text) << testing::PrintToString(bytes);
        ASSERT_EQ(got.error, want.error) << testing::PrintToString(bytes);
    } else {
        ASSERT_FALSE(got.ok());  // invalid UTF-8 is refused before iconv sees it
    }
}

// Every one- and two-byte GBK sequence between ASCII neighbours, every BMP
// character and random byte strings, interleaved so that a failed
// conversion is followed by a good one on the same thread.
TEST(TextCodec, ConvertsExactlyAsAFreshIconvDoes) {
    for (int lead = 0; lead < 256; ++lead) {
        ExpectSameAsReference(std::string(1, char(lead)), false);
        for (int trail = 0; trail < 256; ++trail) {
            ExpectSameAsReference(std::string("a") + char(lead) + char(trail) + "b", false);
        }
    }
    for (std::uint32_t cp = 1; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp < 0xE000) continue;
        std::string u;
        if (cp < 0x80) {
            u = char(cp);
        } else if (cp < 0x800) {
            u = {char(0xC0 | (cp >> 6)), char(0x80 | (cp & 0x3F))};
        } else {
            u = {char(0xE0 | (cp >> 12)), char(0x80 | ((cp >> 6) & 0x3F)), char(0x80 | (cp & 0x3F))};
        }
        ExpectSameAsReference("x" + u + "y", true);
    }
    std::mt19937 rng(15);
    for (int i = 0; i < 2000; ++i) {
        std::string s(rng() % 40, '\0');
        for (char& c : s) c = char(rng() % 3 == 0 ? rng() % 128 : 0x81 + rng() % 126);
        ExpectSameAsReference(s, false);
        ExpectSameAsReference(s, true);
    }
}

// Each thread converts with converters of its own.
TEST(TextCodec, ThreadsConvertIndependently) {
    const std::string utf8 = "甲命八字：乾造 ABC";
    const std::string gbk = Utf8ToGbk(utf8).text;
    auto work = [&](bool* ok) {
        for (int i = 0; i < 2000 && *ok; ++i) {
            *ok = Utf8ToGbk(utf8).text == gbk && GbkToUtf8(gbk).text == utf8 && !GbkToUtf8("\xFF").ok();
        }
    };
    bool ok1 = true, ok2 = true;
    std::thread t1(work, &ok1), t2(work, &ok2);
    t1.join();
    t2.join();
    EXPECT_TRUE(ok1);
    EXPECT_TRUE(ok2);
}

TEST(TextCodec, WidthCountsChineseAsTwoColumns) {
    EXPECT_EQ(GbkWidth(""), 0u);
    EXPECT_EQ(GbkWidth("abc"), 3u);
    EXPECT_EQ(GbkWidth("甲子"), 4u);
    EXPECT_EQ(GbkWidth("甲子 1984"), 9u);
    EXPECT_EQ(PadRightGbk("甲子", 6), "甲子  ");
    EXPECT_EQ(PadLeftGbk("甲子", 6), "  甲子");
    EXPECT_EQ(PadRightGbk("甲子丙寅", 4), "甲子丙寅");  // never cut
}

TEST(TextCodec, CharactersOutsideGbkAreWideOrNarrowByTheirEastAsianWidth) {
    const struct {
        const char* text;
        std::size_t columns;
        const char* outside;  // first character GBK cannot hold
    } kCases[] = {
        {"Søren", 5, "ø"},                            // ø is narrow
        {"김민준", 6, "김"},                          // Hangul is wide
        {"café", 5, ""},                              // é is in GBK: two bytes there
        {"Ωμ", 4, ""},                                // Greek of GBK
        {"Ἀθ", 3, "Ἀ"},                               // polytonic Greek is not, θ is
        {"ゆき", 4, ""},                              // kana of GBK
        {"ｶﾅ", 2, "ｶ"},                               // halfwidth kana: narrow, outside GBK
        {"\xF0\xA0\x80\x80", 2, "\xF0\xA0\x80\x80"},  // U+20000, an ideograph GBK lacks
        {"😀", 2, "😀"},                                // emoji: wide
        {"€", 1, ""},                                 // GBK's one-byte 0x80
        {"Mó Mǒ", 7, ""},                             // pinyin letters of GBK
        {"a\xFF\x62", 3, ""},                         // a, a byte no UTF-8 has, b: the byte counts one
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(GbkWidth(c.text), c.columns);
        EXPECT_EQ(FirstCharacterOutsideGbk(c.text), c.outside);
        EXPECT_EQ(GbkWidth(PadRightGbk(c.text, 12)), 12u);
        EXPECT_EQ(GbkWidth(PadLeftGbk(c.text, 12)), 12u);
    }
    EXPECT_EQ(CutToGbkWidth("김민준", 5), "김민");
    EXPECT_EQ(CutToGbkWidth("Søren", 2), "Sø");
    EXPECT_EQ(OutsideGbkMessage("ø"), "“ø”无法保存为GBK");
}

// Whatever GBK holds is as many columns as it takes bytes there: the report's
// columns never move for a text GBK can hold.
TEST(TextCodec, WidthOfEveryCharacterGbkHoldsIsItsGbkBytes) {
    std::string utf8;
    for (char32_t cp = 0x80; cp < 0x10000; ++cp) {
        if (cp >= 0xD800 && cp <= 0xDFFF) continue;
        utf8.clear();
        if (cp < 0x800) {
            utf8 += char(0xC0 | (cp >> 6));
        } else {
            utf8 += char(0xE0 | (cp >> 12));
            utf8 += char(0x80 | ((cp >> 6) & 0x3F));
        }
        utf8 += char(0x80 | (cp & 0x3F));
        const CodecResult gbk = Utf8ToGbk(utf8);
        ASSERT_EQ(GbkHolds(cp), gbk.ok()) << std::hex << std::uint32_t(cp);
        if (gbk.ok()) {
            ASSERT_EQ(GbkWidth(utf8), gbk.text.size()) << std::hex << std::uint32_t(cp);
        } else {
            ASSERT_EQ(GbkWidth(utf8), IsEastAsianWide(cp) ? 2u : 1u) << std::hex << std::uint32_t(cp);
        }
    }
}

TEST(TextCodec, CutsOnCharacterBoundaries) {
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 5), "福建");  // half of 省 is dropped
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 7), "福建省-");
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 8), "福建省-");  // half of 厦 is dropped
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 9), "福建省-厦");
    EXPECT_EQ(CutToGbkWidth("ab", 0), "");
    EXPECT_EQ(CutToGbkWidth("ab", 5), "ab");
}

// Shift-JIS is nearly always valid GBK; what gives it away is where its
// characters land in GBK, and that the bytes are Shift-JIS.
TEST(LooksLikeShiftJis, TellsJapaneseFromChinese) {
    const auto gbk = [](const char* utf8) { return Utf8ToGbk(utf8).text; };
    const struct {
        std::string bytes;
        bool shiftJis;
    } kCases[] = {
        {"\x8e\x52\x93\x63\x89\xd4\x8e\x71", true},      // 山田花子
        {"\x82\xe2\x82\xdc\x82\xbe,1990-01-01", true},   // やまだ
        {"\x83\x5e\x83\x69\x83\x4a", true},              // タナカ
        {gbk("张伟,F,1990-01-01 08:00,北京市"), false},  // GB2312
        {gbk("陳國華"), false},                          // traditional, outside GB2312, not Shift-JIS
        {gbk("王喆"), false},                            // one rare character of two
        {"1990-01-01,F", false},                         // ASCII only
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.bytes);
        ASSERT_TRUE(GbkToUtf8(c.bytes).ok());  // all of them read as GBK
        EXPECT_EQ(LooksLikeShiftJis(c.bytes), c.shiftJis);
    }
}

}  // namespace
}  // namespace tessaly
