#include "common/TextCodec.h"

#include <gtest/gtest.h>

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
    } kCases[] = {
        {"GBK lead byte without trail", std::string("\xBC"), false},
        {"GBK byte 0xFF", std::string("a\xFF" "b"), false},
        {"UTF-8 truncated", std::string("\xE7\x94"), true},
        {"UTF-8 overlong slash", std::string("\xC0\xAF"), true},
        {"UTF-8 surrogate", std::string("\xED\xA0\x80"), true},
        {"character outside GBK (emoji)", std::string("\xF0\x9F\x98\x80"), true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const CodecResult r = c.toGbk ? Utf8ToGbk(c.bytes) : GbkToUtf8(c.bytes);
        EXPECT_FALSE(r.ok());
        EXPECT_TRUE(r.text.empty());
        EXPECT_NE(r.error.find("字节"), std::string::npos) << r.error;  // where the bad byte is
    }
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

TEST(TextCodec, CutsOnCharacterBoundaries) {
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 5), "福建");  // half of 省 is dropped
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 7), "福建省-");
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 8), "福建省-");  // half of 厦 is dropped
    EXPECT_EQ(CutToGbkWidth("福建省-厦门市", 9), "福建省-厦");
    EXPECT_EQ(CutToGbkWidth("ab", 0), "");
    EXPECT_EQ(CutToGbkWidth("ab", 5), "ab");
}

}  // namespace
}  // namespace tessaly
