#include <gtest/gtest.h>

#include <string>

#include "readings/Marriage.h"
#include "readings/MarriageRules.h"
#include "readings/ProgramTexts.h"
#include "marriage_test_util.h"

namespace tessaly {
namespace {

using namespace testing_marriage;

std::string Section(const TestChart& t, int lunarDay = 1) {
    CivilTime lunar;
    lunar.day = static_cast<std::int16_t>(lunarDay);
    return MarriageReading(t.Facts(), lunar).Text();
}

bool Contains(const std::string& s, std::string_view part) { return s.find(part) != std::string::npos; }

TEST(MarriageSection, HeadingFollowsThePersonNumber) {
    TestChart t = MakeChart("甲子 丙寅 甲子 甲子", true);
    EXPECT_TRUE(Section(t).starts_with("甲命婚姻择偶：(测婚姻、恋爱、看夫妻状况)\r\n  ★命主与"));
    t.person.personNo = 1;
    EXPECT_TRUE(Section(t).starts_with("乙命婚姻择偶：(测婚姻、恋爱、看夫妻状况)\r\n"));
}

TEST(MarriageSection, BirthYearsByTheYearBranch) {
    const struct {
        const char* year;
        const char* want;
    } kCases[] = {
        {"甲子",
         "  ★命主与申、辰年生者三合，与丑年生者六合，也就是属相为猴、龙、牛的人婚配较为有利；"
         "与未年生者相害，与午年生者相冲，和此二年生者婚配不利，"
         "也就是属相为羊的人较不利，与属马的人相冲，除此以外不必顾虑。\n"},
        {"壬申", "  ★命主与子、辰年生者三合，与巳年生者六合，也就是属相为鼠、龙、蛇的人"},
        {"壬辰", "  ★命主与申、子年生者三合，与酉年生者六合，也就是属相为猴、鼠、鸡的人"},
        {"乙卯", "  ★命主与亥、未年生者三合，与戌年生者六合，"},
        {"癸亥",
         "  ★命主与卯、未年生者三合，与寅年生者六合，也就是属相为兔、羊、虎的人婚配较为有利；与申年生者相害，与巳年生者相冲，"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        const std::string s = Section(MakeChart(std::string(c.year) + " 丙寅 甲子 甲子", true));
        EXPECT_TRUE(Contains(s, "\r\n" + std::string(c.want)));
    }
}

TEST(MarriageSection, SpouseDirectionFromMonthBranchAndLunarDay) {
    const struct {
        const char* month;
        int lunarDay;
        const char* want;
    } kCases[] = {
        {"丙寅", 1, "\n  【配偶方向】选在自己住宅的东北方或西南方为佳。\n"},   // 寅
        {"丙寅", 11, "\n  【配偶方向】选在自己住宅的北方或南方为佳。\n"},      // 子
        {"丙寅", 10, "\n  【配偶方向】选在自己住宅的西北方或东南方为佳。\n"},  // 12: 亥
        {"丁卯", 30, "\n  【配偶方向】选在自己住宅的西南方或东北方为佳。\n"},  // 卯 + 29: 申
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.month << " day " << c.lunarDay);
        const std::string s = Section(MakeChart(std::string("甲子 ") + c.month + " 甲子 甲子", true), c.lunarDay);
        EXPECT_TRUE(Contains(s, c.want));
    }
}

TEST(MarriageSection, SpousePalaceSplitsOffTheGodName) {
    // Day 甲寅: the day branch's main stem is 比肩.
    const Roles kBiJieUnfavourable = {kPairYin, kPairShiShang, kPairBiJie, kPairGuanSha, kPairCai};
    const Roles kBiJieIdle = {kPairYin, kPairCai, kPairGuanSha, kPairShiShang, kPairBiJie};
    const std::string s = Section(MakeChart("甲子 丙寅 甲寅 甲子", true, kBiJieUnfavourable));
    EXPECT_TRUE(Contains(s, "  ★日支为比肩配偶之人为人性情刚毅，处事稳重，"));
    EXPECT_TRUE(Contains(s, "与人争财夺利。\n  ★日支对命主而言为忌主配偶甚少帮助或关系较疏远。\n"));
    // An idle (闲神) pair counts as favourable.
    EXPECT_TRUE(Contains(Section(MakeChart("甲子 丙寅 甲寅 甲子", true, kBiJieIdle)),
                         "\n  ★日支对命主而言为喜主配偶多有帮助或关系密切。\n"));
    // 七杀's text begins 偏官: day 甲申.
    EXPECT_TRUE(Contains(Section(MakeChart("甲子 丙寅 甲申 甲子", true)), "  ★日支为偏官配偶之人为人严利威严"));
}

TEST(MarriageSection, SexDecidesBuildSpouseStarAndRules) {
    // Day 甲申 (寅申巳亥); 官杀 and 财星 both have roles here.
    const Roles kRoles = {kPairGuanSha, kPairBiJie, kPairCai, kPairYin, kPairShiShang};
    const TestChart man = MakeChart("甲子 丙寅 甲申 甲子", true, kRoles);
    TestChart woman = man;
    woman.person.isMale = 0;
    const std::string m = Section(man), w = Section(woman);
    EXPECT_TRUE(
        Contains(m,
                 "  ★妻子身材中等，在1.6米左右上下，妻略丰满。\r\n  ◆日干支相克，夫妻之间偶有矛盾。\n"
                 "  ★日支为寅申巳亥，主配偶为人踏实敦厚。\n  ◆财星为仇忌神，妻子对自己没有助益，夫妻偶有矛盾。\r\n"));
    EXPECT_TRUE(Contains(w, "  ★丈夫身材中等，在1.7米左右上下。\r\n"));
    EXPECT_TRUE(Contains(w, "  ★官星为喜用神，丈夫对自己好，夫妻关系和顺，家庭和睦。\n"));
    EXPECT_FALSE(Contains(w, "财星为"));
    EXPECT_FALSE(Contains(m, "官星为"));
}

TEST(MarriageSection, StepsAndRulesInOrder) {
    for (const bool male : {true, false}) {
        SCOPED_TRACE(male);
        const TestChart t = MakeChart("壬子 辛巳 壬寅 壬寅", male);
        const ChartFacts f = t.Facts();
        const std::string s = Section(t);
        const std::string rules = RulesText(MarriageRulesCommonBefore(), f) +
                                  (male ? MarriageReadingMan(f) : MarriageReadingWoman(f)) +
                                  RulesText(MarriageRulesCommonAfter(), f) + "\r\n";
        // Day 壬寅: 寅's main stem 甲 is 食神, a 寅申巳亥 branch; with the
        // default roles 财星 is the 忌神 and 官杀 the 仇神 pair.
        const std::string kind =
            "  ★日干支相生，夫妻和睦，相互之间多有助益。\n  ★日支为寅申巳亥，主配偶为人踏实敦厚。\n";
        const std::size_t at = s.find(kind);
        ASSERT_NE(at, std::string::npos);
        std::string tail = s.substr(at + kind.size());
        const std::string star = male ? "  ◆财星为仇忌神，妻子对自己没有助益，夫妻偶有矛盾。\r\n"
                                      : "  ◆官星为仇忌神，夫妻不和，对丈夫常有意见。\n";
        ASSERT_TRUE(tail.starts_with(star));
        EXPECT_EQ(tail.substr(star.size()), rules);
        EXPECT_TRUE(s.ends_with("\r\n\r\n"));
    }
}

TEST(MarriageSection, PillarPassWritesInPillarOrder) {
    // 壬子 year: 比肩 on 劫财 (F20); 辛巳 month: 正印 on a favourable 偏财
    // (F19). The pass meets the year first, so F20 precedes F19.
    const Roles kCaiFavourable = {kPairCai, kPairGuanSha, kPairBiJie, kPairYin, kPairShiShang};
    const TestChart t = MakeChart("壬子 辛巳 壬寅 壬寅", true, kCaiFavourable);
    std::vector<std::string_view> ids;
    for (const FiredRule& r : FireRules(MarriageRulesCommonAfter(), t.Facts())) ids.push_back(r.id);
    const auto f19 = std::find(ids.begin(), ids.end(), "MF_F19");
    const auto f20 = std::find(ids.begin(), ids.end(), "MF_F20");
    ASSERT_NE(f19, ids.end());
    ASSERT_NE(f20, ids.end());
    EXPECT_LT(f20, f19);
}

TEST(MarriageSection, SentencesKeepTheirLineEnds) {
    for (const ReadingRuleTable table :
         {MarriageRulesMan(), MarriageRulesWoman(), MarriageRulesCommonBefore(), MarriageRulesCommonAfter()}) {
        for (const ReadingRuleGroup& g : table) {
            std::visit(
                [](const auto& rules) {
                    for (const auto& r : rules) {
                        SCOPED_TRACE(r.id);
                        EXPECT_TRUE(r.text.starts_with("  ★") || r.text.starts_with("  ◆"));
                        EXPECT_TRUE(r.text.ends_with("。\r\n") || r.id == "MF_F1") << r.text;
                    }
                },
                g);
        }
    }
    TestChart t = MakeChart("甲子 丙寅 丙子 甲午", true, {kPairBiJie, kPairYin, kPairGuanSha, kPairCai, kPairShiShang});
    // 丙子 is a 阴阳差错 day; its sentence ends with a space before CR LF.
    EXPECT_TRUE(Contains(Section(t), "  ★日逢阴阳差错为忌神，不利婚姻，恐有再婚之像。 \r\n"));
}

}  // namespace
}  // namespace tessaly
