#include "readings/Personality.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/ChartOptions.h"
#include "chart/Strength.h"
#include "reading_chart.h"
#include "readings/ProgramTexts.h"

namespace tessaly {
namespace {

using testing_charts::BuildChart;
using testing_charts::Person;

std::string Read(const ChartData& c, bool male, int personNo = 0) {
    const PersonRecord person = Person(male, personNo);
    return PersonalityReading(ChartFacts{c, person}).Text();
}

int Occurrences(const std::string& text, std::string_view part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

TEST(PersonalityReading, WholeSectionOfOneChart) {
    // Day 甲 in a 寅 month, 丙 on year, month and hour, all pillars yang;
    // 平和 with 印枭 as 用神 (食伤 is the 仇神 pair, so step 6 writes nothing).
    const ChartData c = BuildChart("丙子 丙寅 甲子 丙寅", true, 3, kPairYin);
    const std::string want =
        "甲命性格特征：(测个人性情、先天禀赋、相貌、喜好等)\r\n"
        "  ★甲木日主，其个性是有积极性的开拓精神，精力旺盛，重感情，刚直豪迈，勤勉随和，但好自我显示，"
        "直爽当中隐蔽着一点点的虚伪。\r\n"
        "  ★比肩心性：优点是意志坚定，独立自主，重义气，守信用，做事有恒心，不轻易向困难低头；"
        "缺点是主观固执，孤僻自负，不善合作，好与人争强，易因自我而失人和。\r\n"
        "  ★日干坐月支，临官：刻苦好学，勤奋工作，一生月圆月缺几度起落，社交圆满，财禄丰厚，"
        "并能获得某一方面的成就。但夫妻关系有时不够协调，防止被人不当利用。\r\n"
        "  ★阴阳二气平衡，性格刚柔相济，做事会分轻重缓急，公正之人。\r\n"
        "  ★甲乙日生者，印堂宽，目藏神，人中长，眉疏秀。\r\n"
        "  ★日元属木，旺相，主有博爱侧隐之心，慈祥恺悌之意，济物利人，恤孤念寡，直朴清高，行藏慷慨，"
        "丰姿秀丽，骨格修长，手足纤腻，口尖发美，面色青白，语句轩昂，此则木盛多仁之义。\r\n"
        "  ★柱中三木或多者，闻喧惊悸，不在正屋，或在山庄山村生。\r\n"        // C5: 甲 寅 寅
        "  ★柱中三火或多者，生时邻居有丧祸之事，或家中有忧恐离别之事。\r\n"  // C6: 丙 丙 丙
        "  ◆月支比肩，官杀之星不明者或近邻无官杀，性多急躁不驯。\r\n"        // E3
        "  ★寅申巳亥四时生，习惯侧身睡觉，脸长。\r\n"                        // E11
        "  ★甲木生于春月，性温心慈。\r\n"                                    // I3
        "  ★四柱平和，不争妒。\r\n"                                          // I9
        "  ★有食神无偏印者：一生无多大灾难。\r\n"                            // O1
        "  ◆驿马无缰，东西南北之客。\r\n"                                    // Z1: 寅 of 子
        "  ◆柱无官星，喜自由，不服管。\r\n"                                  // AA3
        "  ★二德无破，男多忠孝，女多贤良。\r\n"                              // AF3: 月德 丙
        "  ◆四柱纯阳，性刚而暴。\r\n"                                        // AJ4
        "\r\n";
    EXPECT_EQ(Read(c, true), want);
}

TEST(PersonalityReading, HeadingFollowsPersonNoNotSex) {
    const ChartData c = BuildChart("丙子 丙寅 甲子 丙寅", true, 3, kPairYin);
    EXPECT_TRUE(Read(c, false, 0).starts_with("甲命性格特征：(测个人性情、先天禀赋、相貌、喜好等)\r\n  ★甲木日主"));
    EXPECT_TRUE(Read(c, true, 1).starts_with("乙命性格特征：(测个人性情、先天禀赋、相貌、喜好等)\r\n  ★甲木日主"));
}

TEST(PersonalityReading, DayStemTextByStem) {
    const struct {
        const char* pillars;
        int id;
    } kCases[] = {
        {"丙子 丙寅 甲子 丙寅", 7016},  // 甲
        {"丙子 丙寅 壬子 丙午", 7024},  // 壬
        {"丙子 丙寅 癸亥 丙辰", 7025},  // 癸 is 10, not 0
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.pillars);
        const std::string text = Read(BuildChart(k.pillars, true, 3, kPairYin), true);
        const std::string line = "\r\n  ★" + std::string(ProgramText(k.id)) + "\r\n";
        EXPECT_NE(text.find(line), std::string::npos);
    }
}

TEST(PersonalityReading, MonthAndHourStemsByRole) {
    const struct {
        const char* pillars;
        int use;
        int want[2];  // ids written, -1 for none
        const char* why;
    } kCases[] = {
        // Day 癸: 壬 is 劫财. With 财星 as 用神 the 忌神 pair is 比劫.
        {"丙子 壬子 癸亥 壬子", kPairCai, {8221, -1}, "same god on month and hour: once"},
        // With 比劫 as 用神 both 壬 give the 喜用 text, once.
        {"丙子 壬子 癸亥 壬子", kPairBiJie, {8211, -1}, "喜用 once"},
        // Day 甲: 丙 食神 month, 庚 七杀 hour. 用神 食伤: 忌神 印枭, 官杀 闲神.
        {"丙子 丙寅 甲子 庚午", kPairShiShang, {8212, -1}, "hour stem of the 闲神 pair"},
        // 用神 官杀: 忌神 比劫, 食伤 闲神; only the hour 七杀 is written.
        {"丙子 丙寅 甲子 庚午", kPairGuanSha, {8216, -1}, "month stem of no tested pair"},
        // Day 甲: 乙 劫财 month, 庚 七杀 hour; 用神 比劫 makes 官杀 the 忌神 pair.
        {"丙子 乙未 甲子 庚午", kPairBiJie, {8211, 8226}, "month 用神, hour 忌神"},
        // 用神 印枭: 喜神 比劫 gives no text (only the 用神 and the 忌神 pair count).
        {"丙子 乙未 甲子 丙寅", kPairYin, {-1, -1}, "喜神 pair, then 仇神 pair"},
        // 用神 财星: 忌神 比劫 (乙 on the month), 用神 财星 (己 on the hour).
        {"丙子 乙未 甲子 己巳", kPairCai, {8221, 8215}, "month 忌神, hour 用神"},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << k.pillars << " (" << k.why << ")");
        const std::string text = Read(BuildChart(k.pillars, true, 3, k.use), true);
        for (int id = 8210; id < 8230; ++id) {
            const int n = Occurrences(text, ProgramText(id));
            const bool wanted = id == k.want[0] || id == k.want[1];
            EXPECT_EQ(n, wanted ? 1 : 0) << id;
        }
    }
}

TEST(PersonalityReading, YinYangBalanceAt20PerCent) {
    const struct {
        int yin, yang;
        const char* want;
    } kCases[] = {
        {60, 40, "  ★阴阳二气平衡，"},                               // d = 20 is balanced
        {40, 60, "  ★阴阳二气平衡，"}, {61, 39, "  ★阴气过重，"},    // d = 22
        {39, 61, "  ★阳气过重，"},     {0, 0, "  ★阴阳二气平衡，"},  // no total: nothing leans
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << k.yin << "/" << k.yang);
        ChartData c = BuildChart("丙子 丙寅 甲子 丙寅", true, 3, kPairYin);
        c.yinTotal = static_cast<std::int16_t>(k.yin);
        c.yangTotal = static_cast<std::int16_t>(k.yang);
        EXPECT_NE(Read(c, true).find(k.want), std::string::npos);
    }
}

TEST(PersonalityReading, ElementStateByLevel) {
    const struct {
        const char* pillars;
        int level;
        const char* want;
    } kCases[] = {
        {"丙子 丙寅 癸亥 丙辰", 0, "  ★日元属水，不及，则人物矮小，行事反复，性情不常，胆小无略。\r\n"},
        {"丙子 丙寅 癸亥 丙辰", 1, "  ★日元属水，不及，"},
        {"丙子 丙寅 癸亥 丙辰", 2, "  ★日元属水，旺相，则机关深远，"},
        {"丙子 丙寅 癸亥 丙辰", 4, "  ★日元属水，旺相，"},
        {"丙子 丙寅 癸亥 丙辰", 5, "  ★日元属水，太过，则是非好动，飘荡贪淫。\r\n"},
        {"丙子 丙寅 癸亥 丙辰", 6, "  ★日元属水，太过，"},
        {"丙子 丙寅 戊子 丙辰", 6, "  ★日元属土，太过，则执一古扑，愚拙不明。\r\n"},
        {"丙子 丙寅 丙子 丙申", 3, "  ★日元属火，旺相，主有辞让端谨之风，恭敬谦和之义，威仪凛烈，淳扑尊崇。"},
        {"丙子 丙寅 庚子 丙戌", 1, "  ★日元属金，不及，则悭吝贪酷，"},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << k.pillars << " level " << k.level);
        EXPECT_NE(Read(BuildChart(k.pillars, true, k.level, kPairYin), true).find(k.want), std::string::npos);
    }
}

TEST(PersonalityReading, EndsWithAnEmptyLineAndNoTip) {
    const std::string text = Read(BuildChart("丁卯 丙寅 甲子 丁卯", false, 5, kPairCai), false);
    EXPECT_TRUE(text.ends_with("。\r\n\r\n"));
    EXPECT_EQ(text.find(ProgramText(kPersonalityTipText)), std::string::npos);
}

// The analysed charts of a walk over the cycle, read as the engine reads
// them: every section is well formed, and the test charts' counts agree
// with the engine's own counting.
TEST(PersonalityReading, SectionsOfAnalysedChartsAreWellFormed) {
    ChartOptions options;
    for (int i = 0; i < 600; ++i) {
        const int y = (i * 7) % 60, m = (i * 13 + 2) % 60, d = i % 60, h = (i * 11 + 5) % 60;
        std::string names;
        for (const int p : {y, m, d, h})
            names += std::string(PillarStemName(p)) + std::string(PillarBranchName(p)) + " ";
        SCOPED_TRACE(names);
        ChartData c = BuildChart(names, i % 2 == 0, 3, kPairYin);
        const ChartData byHand = c;
        CountAndScore(c);
        EXPECT_EQ(c.elemCountBranch, byHand.elemCountBranch);
        EXPECT_EQ(c.godCountBranch, byHand.godCountBranch);
        EXPECT_EQ(c.godCountHidden, byHand.godCountHidden);
        EXPECT_EQ(c.pairCountBranch, byHand.pairCountBranch);
        JudgeStrength(c, options, true);
        SetRoleClasses(c);
        const std::string text = Read(c, i % 2 == 0, i % 2);
        EXPECT_TRUE(text.starts_with(i % 2 == 0 ? "甲命性格特征：" : "乙命性格特征："));
        EXPECT_TRUE(text.ends_with("\r\n\r\n"));
        EXPECT_EQ(text.find("  ★\r\n"), std::string::npos);  // no missing text
        EXPECT_EQ(Occurrences(text, "\r\n\r\n"), 1);
    }
}

}  // namespace
}  // namespace tessaly
