#include "lang/ChineseScript.h"

#include <gtest/gtest.h>

#include "common/TextCodec.h"
#include "matching/MatchingRun.h"
#include "matching/ReportStyle.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

const TraditionalConverter& Taiwan() { return TraditionalConverter::For(UiLanguage::kTraditionalTaiwan); }
const TraditionalConverter& HongKong() { return TraditionalConverter::For(UiLanguage::kTraditionalHongKong); }

TEST(ChineseScript, OpensOpenCcForTheTraditionalLanguagesOnly) {
    EXPECT_TRUE(Taiwan().ok()) << Taiwan().status().message();
    EXPECT_TRUE(HongKong().ok()) << HongKong().status().message();
    EXPECT_EQ(Taiwan().configuration(), "s2twp.json");
    EXPECT_EQ(HongKong().configuration(), "s2hk.json");
    EXPECT_EQ(&Taiwan(), &TraditionalConverter::For(UiLanguage::kTraditionalTaiwan));  // opened once
    for (UiLanguage l : {UiLanguage::kSimplified, UiLanguage::kEnglish}) {
        EXPECT_EQ(TraditionalConverter::For(l).Convert("乾造财杀"), "乾造财杀");
        EXPECT_EQ(ToScript(l, "阴阳"), "阴阳");
    }
    const TraditionalConverter missing("no-such-configuration.json");
    EXPECT_FALSE(missing.ok());
    EXPECT_EQ(missing.Convert("财"), "财");  // unchanged rather than lost
}

TEST(ChineseScript, TermsOfArt) {
    const struct {
        const char* simplified;
        const char* taiwan;
        const char* hongKong;
    } kTerms[] = {
        {"乾造", "乾造", "乾造"},
        {"坤造", "坤造", "坤造"},
        {"财", "財", "財"},
        {"杀", "殺", "殺"},
        {"伤官", "傷官", "傷官"},
        {"阳", "陽", "陽"},
        {"阴", "陰", "陰"},
        {"岁", "歲", "歲"},
        {"七杀", "七殺", "七殺"},
        {"劫财", "劫財", "劫財"},
        {"十二长生", "十二長生", "十二長生"},
        {"命宫", "命宮", "命宮"},
        {"婚配指数", "婚配指數", "婚配指數"},
        {"出生农历", "出生農曆", "出生農曆"},
        {"节气", "節氣", "節氣"},
        {"闰月", "閏月", "閏月"},
        {"丁丑", "丁丑", "丁丑"},  // the branch 丑 is never 醜
        {"辰戌丑未", "辰戌丑未", "辰戌丑未"},
        {"藏干", "藏干", "藏干"},  // the stem 干 is never 幹
        {"月干见", "月干見", "月干見"},
        {"能干", "能幹", "能幹"},  // … where it is no stem, OpenCC decides
        {"干燥", "乾燥", "乾燥"},
        {"刑冲害合", "刑沖害合", "刑沖害合"},  // the clash is 沖
        {"冲动", "衝動", "衝動"},
        {"软件", "軟體", "軟件"},  // Taiwan's and Hong Kong's phrases
        {"打印", "列印", "打印"},
        {"命里", "命裡", "命裏"},
    };
    for (const auto& t : kTerms) {
        SCOPED_TRACE(t.simplified);
        EXPECT_EQ(Taiwan().Convert(t.simplified), t.taiwan);
        EXPECT_EQ(HongKong().Convert(t.simplified), t.hongKong);
    }
}

// A phrase that changes its length would move the columns: that piece goes
// character by character.
TEST(ChineseScript, KeepsTheColumnsOfEveryLine) {
    const std::string text = "U盘  鼠标\r\n打印机 2024\r\n";
    EXPECT_NE(GbkWidth(Taiwan().Convert("U盘")), GbkWidth("U盘"));  // 隨身碟: OpenCC changes the length
    const std::string kept = Taiwan().ConvertKeepingColumns(text);
    EXPECT_EQ(kept, "U盤  滑鼠\r\n印表機 2024\r\n");
}

MatchingResult SampleMatching() {
    PersonRecord a, b;
    a.name = "张三";
    a.year = 1990, a.month = 5, a.day = 12, a.hour = 8, a.minute = 30, a.isMale = 1;
    a.longitude = 116.4f, a.latitude = 39.9f, a.placeText = "北京市-北京";
    b = a;
    b.name = "李四";
    b.year = 1992, b.month = 11, b.day = 3, b.hour = 21, b.minute = 10, b.isMale = 0;
    return RunMatching(a, b, {});
}

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t from = 0; from <= text.size();) {
        std::size_t end = text.find("\r\n", from);
        if (end == std::string_view::npos) end = text.size();
        lines.push_back(text.substr(from, end - from));
        from = end + 2;
    }
    return lines;
}

std::size_t Characters(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s) n += (c & 0xC0) != 0x80;
    return n;
}

// The report of a matching converted for display: every line as wide as
// before, every character under the style it had; what GBK cannot hold of
// it is named.
TEST(ChineseScript, ReportKeepsItsColumnsAndStyles) {
    const MatchingResult m = SampleMatching();
    ASSERT_TRUE(m.ok());
    const StyledReport simplified = StyleReport(m.report, "宋体", 10.5, 0);
    for (const TraditionalConverter* c : {&Taiwan(), &HongKong()}) {
        SCOPED_TRACE(c->configuration());
        const StyledReport traditional = c->ConvertReport(simplified);
        EXPECT_NE(traditional.text, simplified.text);
        EXPECT_NE(traditional.text.find("坤造  壬申        庚戌        癸未        癸亥"), std::string::npos);
        EXPECT_NE(traditional.text.find("婚配指數"), std::string::npos);
        const auto before = Lines(simplified.text), after = Lines(traditional.text);
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t i = 0; i < before.size(); ++i) {
            ASSERT_EQ(GbkWidth(after[i]), GbkWidth(before[i])) << i << ": " << after[i];
            ASSERT_EQ(Characters(after[i]), Characters(before[i])) << i << ": " << after[i];
        }
        // Character k has the same style before and after.
        const auto styles = [](const StyledReport& r) {
            std::vector<TextStyle> out;
            for (const StyledSpan& s : ResolveStyles(r)) {
                for (std::size_t k = 0; k < Characters(std::string_view(r.text).substr(s.start, s.length)); ++k) {
                    out.push_back(s.style);
                }
            }
            return out;
        };
        EXPECT_EQ(styles(traditional), styles(simplified));
        EXPECT_EQ(FirstCharacterOutsideGbk(traditional.text), "");  // this report: all in GBK
    }
}

}  // namespace
}  // namespace tessaly
