#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "readings/MarriageRules.h"
#include "marriage_test_util.h"

namespace tessaly {
namespace {

using namespace testing_marriage;

void NoSetup(ChartData&) {}

// Roles: 印 as 忌神; 财 as 用神.
constexpr Roles kYinUnfavourable = {kPairBiJie, kPairShiShang, kPairYin, kPairGuanSha, kPairCai};
constexpr Roles kCaiFavourable = {kPairCai, kPairGuanSha, kPairBiJie, kPairYin, kPairShiShang};

struct RuleCase {
    const char* note;
    const char* id;
    const char* pillars;  // 年 月 日 时
    bool male;
    Roles roles;
    void (*setup)(ChartData&);
    bool fires;
};

TEST(MarriageRules, HoldExactlyWhereTheirConditionsDo) {
    const RuleCase kCases[] = {
        // W63 and W122 share one condition and both write.
        {"子午卯酉 one each", "MW_W63", "甲子 丁卯 庚午 乙酉", false, kDefaultRoles, NoSetup, true},
        {"子午卯酉 one each", "MW_W122", "甲子 丁卯 庚午 乙酉", false, kDefaultRoles, NoSetup, true},
        {"卯 twice, no 酉", "MW_W63", "甲子 丁卯 庚午 乙卯", false, kDefaultRoles, NoSetup, false},
        {"卯 twice, no 酉", "MW_W122", "甲子 丁卯 庚午 乙卯", false, kDefaultRoles, NoSetup, false},
        // W78 and W90: three 正印 stems, 印枭 unfavourable.
        {"正印 ×3, 印 忌", "MW_W78", "癸酉 癸亥 甲子 癸酉", false, kYinUnfavourable, NoSetup, true},
        {"正印 ×3, 印 忌", "MW_W90", "癸酉 癸亥 甲子 癸酉", false, kYinUnfavourable, NoSetup, true},
        {"正印 ×3, 印 用", "MW_W78", "癸酉 癸亥 甲子 癸酉", false, kDefaultRoles, NoSetup, false},
        {"正印 ×3, 印 用", "MW_W90", "癸酉 癸亥 甲子 癸酉", false, kDefaultRoles, NoSetup, false},
        // W13..W16 by the number of 天乙 pillars (day 丁: 亥 and 酉).
        {"one 天乙", "MW_W13", "辛丑 己巳 丁亥 辛丑", false, kDefaultRoles, NoSetup, true},
        {"two 天乙", "MW_W14", "辛丑 己亥 丁亥 辛丑", false, kDefaultRoles, NoSetup, true},
        {"two 天乙", "MW_W13", "辛丑 己亥 丁亥 辛丑", false, kDefaultRoles, NoSetup, false},
        {"three 天乙", "MW_W15", "辛酉 己亥 丁亥 辛丑", false, kDefaultRoles, NoSetup, true},
        {"three 天乙, 官杀 ×2", "MW_W16", "辛酉 己亥 丁亥 辛丑", false, kDefaultRoles, NoSetup, false},
        {"four 天乙", "MW_W13", "辛酉 己亥 丁亥 辛亥", false, kDefaultRoles, NoSetup, false},
        {"four 天乙", "MW_W14", "辛酉 己亥 丁亥 辛亥", false, kDefaultRoles, NoSetup, false},
        {"four 天乙", "MW_W15", "辛酉 己亥 丁亥 辛亥", false, kDefaultRoles, NoSetup, false},
        {"four 天乙, 官杀 ×3", "MW_W16", "辛酉 己亥 丁亥 辛亥", false, kDefaultRoles, NoSetup, true},
        // W33..W36 only without a 正官 stem; W37 regardless.
        {"伤官, no 财", "MW_W34", "丁卯 丙寅 甲子 甲子", false, kDefaultRoles, NoSetup, true},
        {"伤官, no 财, 正官 stem", "MW_W34", "丁卯 丙寅 甲子 辛亥", false, kDefaultRoles, NoSetup, false},
        {"七杀 heavy, 正官 stem", "MW_W36", "庚申 庚申 甲戌 辛未", false, kDefaultRoles, NoSetup, false},
        {"七杀 heavy, 正官 stem", "MW_W37", "庚申 庚申 甲戌 辛未", false, kDefaultRoles, NoSetup, true},
        {"七杀 heavy", "MW_W36", "庚申 庚申 甲戌 戊辰", false, kDefaultRoles, NoSetup, true},
        {"七杀 heavy, 食神 stem", "MW_W37", "庚申 庚申 甲戌 丙寅", false, kDefaultRoles, NoSetup, false},
        {"比劫 strong", "MW_W33", "甲寅 乙卯 甲子 丙寅", false, kDefaultRoles,
         [](ChartData& c) { c.pairScore[kPairBiJie] = 90; }, true},
        {"比劫 strong, 正官 stem", "MW_W33", "甲寅 辛卯 甲子 乙亥", false, kDefaultRoles,
         [](ChartData& c) { c.pairScore[kPairBiJie] = 90; }, false},
        // W58: the first 正官 stem with 驿马 ends the rule.
        {"正官 rides 驿马", "MW_W58", "癸酉 辛亥 甲子 甲子", false, kDefaultRoles, NoSetup, true},
        {"正官 rides 驿马, 伤官 stem", "MW_W58", "癸酉 辛亥 甲子 丁卯", false, kDefaultRoles, NoSetup, false},
        // W116 and W117: 七杀 and 正官 side by side, one in 死 or 绝.
        {"庚 死 on 子, 辛 死 on 巳", "MW_W116", "庚子 辛巳 甲子 甲子", false, kDefaultRoles, NoSetup, true},
        {"庚 死 on 子, 辛 死 on 巳", "MW_W117", "庚子 辛巳 甲子 甲子", false, kDefaultRoles, NoSetup, true},
        {"both 沐浴", "MW_W116", "庚午 辛亥 甲子 甲子", false, kDefaultRoles, NoSetup, true},
        {"both 沐浴", "MW_W117", "庚午 辛亥 甲子 甲子", false, kDefaultRoles, NoSetup, false},
        {"a 七杀 branch", "MW_W117", "庚子 辛巳 甲申 甲子", false, kDefaultRoles, NoSetup, false},
        // W22: the 正官 month branch punished by a neighbour.
        {"子卯 with the year", "MW_W22", "甲子 丁卯 戊辰 戊午", false, kDefaultRoles, NoSetup, true},
        {"子卯 with the hour only", "MW_W22", "甲午 丁卯 戊辰 壬子", false, kDefaultRoles, NoSetup, false},
        {"丑未戌 with year and day", "MW_W22", "乙丑 丙戌 癸未 甲寅", false, kDefaultRoles, NoSetup, true},
        // W3 and W4.
        {"丙子, 子 favourable",
         "MW_W3",
         "甲子 丙寅 丙子 甲午",
         false,
         {kPairGuanSha, kPairCai, kPairYin, kPairBiJie, kPairShiShang},
         NoSetup,
         true},
        {"丙子, 子 unfavourable", "MW_W3", "甲子 丙寅 丙子 甲午", false, kDefaultRoles, NoSetup, false},
        {"戊午", "MW_W4", "甲子 丙寅 戊午 甲寅", false, kYinUnfavourable, NoSetup, true},
        // W126 and W130.
        {"year 子, day 午", "MW_W126", "甲子 丙寅 庚午 丙子", false, kDefaultRoles, NoSetup, true},
        {"year 子, day 午", "MW_W130", "甲子 丙寅 庚午 丙子", false, kDefaultRoles, NoSetup, true},
        {"day clashed by the hour", "MW_W126", "甲子 丙寅 庚寅 甲申", false, kDefaultRoles, NoSetup, false},
        {"day clashed by the hour", "MW_W130", "甲子 丙寅 庚寅 甲申", false, kDefaultRoles, NoSetup, true},
        // W107: 伤官 hour stem on 桃花; 华盖 does not count.
        {"丁卯 hour, 桃花", "MW_W107", "辛巳 甲午 甲寅 丁卯", false, kDefaultRoles, NoSetup, true},
        {"丁丑 hour, 华盖", "MW_W107", "辛巳 甲午 甲寅 丁丑", false, kDefaultRoles, NoSetup, false},
        // W128: the stage of 辛 (甲's 正官) on the day branch.
        {"甲辰: 墓", "MW_W128", "甲子 丙寅 甲辰 甲子", false, kDefaultRoles, NoSetup, true},
        {"甲午: 病", "MW_W128", "甲子 丙寅 甲午 甲子", false, kDefaultRoles, NoSetup, false},
        {"甲子: 长生", "MW_W128", "甲子 丙寅 甲子 甲子", false, kDefaultRoles, NoSetup, false},
        {"甲寅: 胎", "MW_W128", "甲子 丙寅 甲寅 甲子", false, kDefaultRoles, NoSetup, false},
        {"癸巳: 戊 on 巳", "MW_W128", "甲子 丙寅 癸巳 甲子", false, kDefaultRoles, NoSetup, false},
        // W9: pillars carrying 天乙, 天德 or 月德, counted once each.
        {"W9 one noble pillar", "MW_W9", "辛卯 辛卯 甲子 丙寅", false, kDefaultRoles, NoSetup, true},
        // M1 writes at most one, none on equal scores.
        {"偏财 > 正财", "MM_M1a", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) {
             c.godScore[kPianCai] = 61;
             c.godScore[kZhengCai] = 60;
         },
         true},
        {"偏财 = 61 only just", "MM_M1a", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) {
             c.godScore[kPianCai] = 60;
             c.godScore[kZhengCai] = 10;
         },
         false},
        {"正财 > 偏财", "MM_M1b", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) {
             c.godScore[kPianCai] = 20;
             c.godScore[kZhengCai] = 70;
         },
         true},
        {"equal scores", "MM_M1a", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) {
             c.godScore[kPianCai] = 70;
             c.godScore[kZhengCai] = 70;
         },
         false},
        {"equal scores", "MM_M1b", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) {
             c.godScore[kPianCai] = 70;
             c.godScore[kZhengCai] = 70;
         },
         false},
        // M5 needs a favourable 子; M6 always.
        {"丙子, 子 favourable",
         "MM_M5",
         "甲子 丙寅 丙子 甲午",
         true,
         {kPairGuanSha, kPairCai, kPairYin, kPairBiJie, kPairShiShang},
         NoSetup,
         true},
        {"丙子, 子 unfavourable", "MM_M5", "甲子 丙寅 丙子 甲午", true, kDefaultRoles, NoSetup, false},
        {"戊午", "MM_M6", "甲子 丙寅 戊午 甲寅", true, kYinUnfavourable, NoSetup, true},
        // M7 and M20 share one condition.
        {"weak, 财 ×3", "MM_M7", "戊辰 己未 甲子 戊辰", true, kDefaultRoles, [](ChartData& c) { c.strengthLevel = 2; },
         true},
        {"weak, 财 ×3", "MM_M20", "戊辰 己未 甲子 戊辰", true, kDefaultRoles, [](ChartData& c) { c.strengthLevel = 2; },
         true},
        {"level 3, 财 ×3", "MM_M7", "戊辰 己未 甲子 戊辰", true, kDefaultRoles, NoSetup, false},
        // M42: two 正财 stems combining with a yang day stem.
        {"two 己 with 甲", "MM_M42", "己巳 丙寅 甲子 己巳", true, kDefaultRoles, NoSetup, true},
        {"one 己 with 甲", "MM_M42", "己巳 丙寅 甲子 丙寅", true, kDefaultRoles, NoSetup, false},
        // M62 (some branch in a combination; read so, as a combination
        // always marks two branches).
        {"伤官, no 官杀, 子辰 half", "MM_M62", "甲子 丙寅 庚辰 戊子", true, kDefaultRoles, NoSetup, true},
        {"伤官, 官杀 scored", "MM_M62", "甲子 丙寅 庚辰 戊子", true, kDefaultRoles,
         [](ChartData& c) { c.pairScore[kPairGuanSha] = 1; }, false},
        // M69 whatever the role of the day branch.
        {"日坐七杀", "MM_M69", "甲子 丙寅 甲申 甲子", true, kDefaultRoles, NoSetup, true},
        {"日坐偏印, 印 用", "MM_M69", "甲子 丙寅 庚辰 戊子", true, kDefaultRoles, NoSetup, true},
        // M104: 甲 on 亥 in 亥卯未 (木).
        {"亥卯未 三合 木 on a 甲 day", "MM_M104", "丁卯 丁未 乙亥 丁亥", true, kDefaultRoles, NoSetup, true},
        // W32 and M33 never hold: the day branch is never its own void.
        {"日支正官 空亡?", "MW_W32", "甲子 丙寅 甲戌 甲子", false, kDefaultRoles, NoSetup, false},
        // F3 and F4 are a man's, F2 a woman's.
        {"weak man on favourable 印", "MF_F3", "甲子 丙寅 甲子 甲子", true, kDefaultRoles,
         [](ChartData& c) { c.strengthLevel = 1; }, true},
        {"weak woman on favourable 印", "MF_F3", "甲子 丙寅 甲子 甲子", false, kDefaultRoles,
         [](ChartData& c) { c.strengthLevel = 1; }, false},
        {"woman, 庚辰 day", "MF_F2", "甲子 丙寅 庚辰 甲申", false, kDefaultRoles, NoSetup, true},
        {"man, 庚辰 day", "MF_F2", "甲子 丙寅 庚辰 甲申", true, kDefaultRoles, NoSetup, false},
        // F6: a 驿马 pillar without the spouse star is passed over for a later one.
        {"寅 skipped, 申 hides 庚", "MF_F6b", "丙寅 庚寅 甲申 甲子", false, kDefaultRoles, NoSetup, true},
        {"寅 only", "MF_F6b", "丙寅 庚寅 甲子 甲子", false, kDefaultRoles, NoSetup, false},
        // F25: integer quotient of 比劫 by 官杀.
        {"比劫 4, 官杀 2", "MF_F25", "庚寅 乙卯 甲申 甲子", true, kDefaultRoles, NoSetup, true},
        {"比劫 3, 官杀 2", "MF_F25", "庚寅 乙卯 甲申 丙子", true, kDefaultRoles, NoSetup, false},
        // The 将星 sentence: a man on his favourable wealth star with 将星.
        {"戊子 day, 将星 from 申, 财 favourable", "MF_F1x", "壬申 丙午 戊子 甲寅", true, kCaiFavourable, NoSetup, true},
        {"戊子 day, 将星 from 申, 财 unfavourable", "MF_F1x", "壬申 丙午 戊子 甲寅", true, kDefaultRoles, NoSetup,
         false},
        {"the same for a woman", "MF_F1x", "壬申 丙午 戊子 甲寅", false, kCaiFavourable, NoSetup, false},
    };
    for (const RuleCase& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.id << " " << c.pillars << " (" << c.note << ")");
        TestChart t = MakeChart(c.pillars, c.male, c.roles);
        c.setup(t.c);
        EXPECT_EQ(Fired(t, c.id), c.fires);
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

using namespace testing_marriage;

// A sample of charts: random pillars (half of them drawn from two pillars
// only, so that repeated gods, full branch sets and follow judgements come
// up), random roles, levels, patterns and scores.
std::vector<TestChart> SampleCharts(bool male, int n) {
    std::mt19937 rng(male ? 17u : 29u);
    const int kScores[] = {0, 5, 15, 25, 35, 45, 55, 62, 75, 95, 105, 160};
    std::vector<TestChart> charts;
    for (int i = 0; i < n; ++i) {
        int pool[2] = {static_cast<int>(rng() % 60), static_cast<int>(rng() % 60)};
        std::string pillars;
        for (int p = 0; p < 4; ++p) {
            const int x = i % 2 == 0 ? static_cast<int>(rng() % 60) : pool[rng() % 2];
            pillars += std::string(kStemNames[x % 10]) + std::string(kBranchNames[x % 12]) + (p < 3 ? " " : "");
        }
        Roles roles = {0, 1, 2, 3, 4};
        std::shuffle(roles.begin(), roles.end(), rng);
        TestChart t = MakeChart(pillars, male, roles);
        t.c.strengthLevel = static_cast<std::uint8_t>(rng() % 7);
        t.c.judgement = static_cast<std::uint8_t>(rng() % 7);
        if (rng() % 3 == 0) t.c.patterns = {5, -1, -1, -1};
        for (auto& s : t.c.godScore) s = static_cast<std::int16_t>(kScores[rng() % std::size(kScores)]);
        for (int p = 0; p < 5; ++p)
            t.c.pairScore[p] = static_cast<std::int16_t>(t.c.godScore[2 * p] + t.c.godScore[2 * p + 1]);
        charts.push_back(t);
    }
    return charts;
}

// No rule is dead or always on: over a broad sample every rule both holds
// and fails, except three that no chart can meet: a day branch is never its
// own void (W32, M33), and a 羊刃 branch's main stem is the day stem's 劫财
// or 正印, never its 伤官 (W51).
TEST(MarriageRules, EveryRuleBothHoldsAndFailsOverASample) {
    const std::set<std::string_view> kNeverHold = {"MW_W32", "MM_M33", "MW_W51"};
    for (const bool male : {true, false}) {
        const std::vector<TestChart> charts = SampleCharts(male, 40000);
        std::map<std::string, int> hits;
        for (const TestChart& t : charts) {
            for (const std::string& id : FiredIds(t)) ++hits[id];
        }
        std::vector<std::string_view> ids = RuleIds(male ? MarriageRulesMan() : MarriageRulesWoman());
        for (const ReadingRuleTable common : {MarriageRulesCommonBefore(), MarriageRulesCommonAfter()}) {
            for (const std::string_view id : RuleIds(common)) ids.push_back(id);
        }
        for (const std::string_view id : ids) {
            // The rules of the other sex among the common ones.
            if (male && (id == "MF_F2" || id == "MF_F6b" || id == "MF_F8")) continue;
            if (!male && (id == "MF_F1x" || id == "MF_F3" || id == "MF_F4" || id == "MF_F6a" || id == "MF_F7"))
                continue;
            SCOPED_TRACE(id);
            const int n = hits[std::string(id)];
            if (kNeverHold.count(id)) {
                EXPECT_EQ(n, 0);
            } else {
                EXPECT_GT(n, 0);
                EXPECT_LT(n, static_cast<int>(charts.size()));
            }
        }
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

using namespace testing_marriage;

// Whole charts whose every rule was checked by hand against the tables:
// the rules written, in order, and by their absence all the others.
TEST(MarriageRules, WriteExactlyTheRulesThatHoldOnCheckedCharts) {
    const struct {
        const char* pillars;
        bool male;
        int level;
        Roles roles;
        std::array<std::int16_t, 10> godScore;
        std::vector<std::string> want;
    } kCases[] = {
        {"戊辰 己未 甲子 戊辰",
         true,
         2,
         {kPairYin, kPairBiJie, kPairCai, kPairShiShang, kPairGuanSha},
         {10, 20, 30, 0, 50, 45, 10, 5, 0, 70},
         {"MM_M7", "MM_M11", "MM_M20", "MM_M25", "MM_M26", "MM_M44", "MM_M78", "MM_M88", "MM_M95", "MM_M97", "MM_M98",
          "MM_M99", "MF_F10", "MF_F14", "MF_F16"}},
        {"壬子 辛巳 壬寅 壬寅",
         true,
         5,
         {kPairCai, kPairGuanSha, kPairBiJie, kPairYin, kPairShiShang},
         {30, 40, 20, 10, 50, 45, 0, 70, 25, 5},
         {"MF_F4", "MF_F6a", "MM_M35", "MM_M51", "MM_M65", "MM_M90", "MM_M94", "MM_M100", "MF_F20", "MF_F19"}},
        {"庚申 庚辰 甲午 辛未",
         false,
         4,
         {kPairShiShang, kPairGuanSha, kPairYin, kPairBiJie, kPairCai},
         {0, 10, 30, 95, 20, 40, 120, 60, 10, 5},
         {"MF_F6b", "MW_W8", "MW_W11", "MW_W13", "MW_W18", "MW_W28", "MW_W41", "MW_W68", "MW_W108", "MW_W116"}},
        {"辛巳 甲午 甲寅 丁卯",
         false,
         3,
         {kPairYin, kPairCai, kPairBiJie, kPairGuanSha, kPairShiShang},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         {"MW_W66", "MW_W83", "MW_W84", "MW_W89", "MW_W93", "MW_W101", "MW_W102", "MW_W106", "MW_W107", "MW_W111",
          "MW_W112", "MF_F10", "MF_F13", "MF_F18", "MF_F25"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pillars);
        TestChart t = MakeChart(c.pillars, c.male, c.roles);
        t.c.strengthLevel = static_cast<std::uint8_t>(c.level);
        t.c.godScore = c.godScore;
        for (int p = 0; p < 5; ++p)
            t.c.pairScore[p] = static_cast<std::int16_t>(c.godScore[2 * p] + c.godScore[2 * p + 1]);
        EXPECT_EQ(FiredIds(t), c.want);
    }
}

}  // namespace
}  // namespace tessaly
