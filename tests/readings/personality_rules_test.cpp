#include "readings/PersonalityRules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "reading_chart.h"

namespace tessaly {
namespace {

using personality::CharacterRules;
using personality::TraitRules;
using testing_charts::BuildChart;
using testing_charts::Describe;
using testing_charts::Person;

constexpr bool kMan = true, kWoman = false;

std::vector<FiredRule> AllHits(const ChartData& c, const PersonRecord& person) {
    const ChartFacts f{c, person};
    std::vector<FiredRule> hits = FireRules(TraitRules(), f);
    const std::vector<FiredRule> more = FireRules(CharacterRules(), f);
    hits.insert(hits.end(), more.begin(), more.end());
    return hits;
}

int Count(const std::vector<FiredRule>& hits, std::string_view id) {
    return static_cast<int>(std::count_if(hits.begin(), hits.end(), [&](const FiredRule& h) { return h.id == id; }));
}

struct PersonalityRuleCase {
    const char* rule;
    const char* pillars;  // year month day hour
    bool male;
    int level;
    int use;  // the 用神 pair; the other roles follow the normal role table
    void (*tweak)(ChartData&);
    bool fires;
    const char* why;
};

// Each rule with a chart that triggers it and, where the condition has a
// sharp edge, one that just misses. Day master 甲 unless said: 丙 食神, 丁 伤官,
// 戊 偏财, 己 正财, 庚 七杀, 辛 正官, 壬 偏印, 癸 正印; 羊刃 卯, 禄 寅.
// Use pairs: 比劫 favours 比劫 印枭 (against 官杀 财星); 食伤 favours 食伤 财星
// (against 印枭 比劫); 财星 favours 财星 食伤 (against 比劫 印枭); 官杀 favours
// 官杀 财星 (against 比劫 印枭); 印枭 favours 印枭 比劫 (against 财星 食伤).
const PersonalityRuleCase kRuleCases[] = {
    // Group A and 三奇.
    {"P_A1", "丁卯 丙寅 甲子 甲子", kWoman, 4, kPairYin, nullptr, true, "伤官, strong woman"},
    {"P_A1", "丁卯 丙寅 甲子 甲子", kWoman, 3, kPairYin, nullptr, false, "level 3 is not above 3"},
    {"P_A1", "丁卯 丙寅 甲子 甲子", kMan, 4, kPairYin, nullptr, false, "a man"},
    {"P_A2", "丙寅 丙寅 甲子 甲子", kWoman, 4, kPairYin, nullptr, true, "食神 without 偏印"},
    {"P_A2", "丙寅 丙寅 甲子 壬申", kWoman, 4, kPairYin, nullptr, false, "偏印 on the hour stem"},
    {"P_A3", "丁卯 甲寅 戊辰 戊午", kMan, 3, kPairYin, nullptr, true, "戊 with 正印 丁"},
    {"P_A3", "丁卯 甲寅 戊辰 戊午", kMan, 2, kPairYin, nullptr, false, "level 2"},
    {"P_SanQi", "甲子 戊辰 庚午 丙子", kMan, 3, kPairYin, nullptr, true, "甲戊庚 on year, month, day"},
    {"P_SanQi", "甲子 乙丑 丙寅 丁酉", kMan, 3, kPairYin, nullptr, true, "乙丙丁 on month, day, hour"},
    {"P_SanQi", "庚午 戊寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "reverse order"},
    {"P_SanQi", "甲子 戊辰 丙子 庚寅", kMan, 3, kPairYin, nullptr, false, "not on three neighbouring pillars"},
    // C.
    {"P_C1", "乙丑 戊寅 甲寅 甲子", kMan, 3, kPairYin, nullptr, true, "丑 寅 寅"},
    {"P_C1", "甲戌 乙亥 癸亥 甲子", kMan, 3, kPairYin, nullptr, true, "戌 亥 亥"},
    {"P_C1", "乙丑 戊寅 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "two only"},
    {"P_C2", "乙卯 己卯 丁卯 甲辰", kMan, 3, kPairYin, nullptr, true, "three 卯"},
    {"P_C2", "乙卯 己卯 甲子 甲辰", kMan, 3, kPairYin, nullptr, false, "two 卯, one 辰"},
    {"P_C3", "乙巳 壬午 丙午 甲子", kMan, 3, kPairYin, nullptr, true, "巳 午 午"},
    {"P_C3", "乙巳 壬午 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "two"},
    {"P_C4", "壬子 壬寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, true, "three water"},
    {"P_C4", "壬子 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, false, "two water"},
    {"P_C5", "甲寅 丙寅 丙午 丙午", kMan, 3, kPairYin, nullptr, true, "three wood"},
    {"P_C5", "甲寅 丙午 丙午 丙午", kMan, 3, kPairYin, nullptr, false, "two wood"},
    {"P_C6", "丙午 丙午 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "four fire"},
    {"P_C6", "丙午 甲子 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "two fire"},
    {"P_C7", "庚申 庚申 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "four metal"},
    {"P_C7", "庚申 甲子 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "two metal"},
    {"P_C8", "戊辰 庚午 甲子 壬申", kMan, 3, kPairYin, nullptr, true, "偏财 七杀 偏印"},
    {"P_C8", "戊辰 庚午 甲子 癸酉", kMan, 3, kPairYin, nullptr, false, "正印 on the hour"},
    {"P_C9", "壬子 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "偏财 戊 hidden in 寅 only"},
    {"P_C9", "壬子 丙子 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "no hidden 偏财"},
    {"P_C9", "壬子 丙寅 甲辰 甲子", kMan, 3, kPairYin, nullptr, false, "辰's main stem is 偏财"},
    // D.
    {"P_D1", "丙子 庚寅 丙寅 甲午", kMan, 3, kPairYin, nullptr, true, "day 丙: 丙 on 子 (癸 正官)"},
    {"P_D1", "丙寅 庚寅 丙寅 甲午", kMan, 3, kPairYin, nullptr, false, "no 正官 branch"},
    {"P_D2", "庚申 庚申 甲申 甲子", kMan, 3, kPairYin, nullptr, true, "七杀 five times, uncombined"},
    {"P_D2", "庚申 庚申 甲申 乙亥", kMan, 3, kPairYin, nullptr, false, "乙 combines both 庚"},
    {"P_D2", "庚子 壬申 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "七杀 twice only"},
    // E.
    {"P_E1", "甲寅 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "比劫 four, no 官杀"},
    {"P_E1", "甲寅 丙寅 甲子 庚午", kMan, 3, kPairYin, nullptr, false, "a 官杀 stem"},
    {"P_E2", "乙卯 丙寅 甲寅 丙寅", kMan, 3, kPairCai, nullptr, true, "劫财, 比劫 against"},
    {"P_E2", "乙卯 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, false, "比劫 favourable"},
    {"P_E3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "月支比肩, no 官杀 near"},
    {"P_E3", "丙子 丙寅 甲子 壬申", kMan, 3, kPairYin, nullptr, true, "官杀 on the hour branch does not count"},
    {"P_E3", "丙申 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "官杀 on the year branch"},
    {"P_E4", "丙子 癸酉 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 on the month stem"},
    {"P_E4", "壬子 癸酉 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "偏印 too"},
    {"P_E4", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "正印 on the year only"},
    {"P_E5", "丙子 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "月干伤官"},
    {"P_E5", "丙子 丁卯 甲子 戊辰", kMan, 3, kPairYin, nullptr, false, "a 财 stem"},
    {"P_E6", "丙午 丁巳 甲午 丙寅", kMan, 3, kPairYin, nullptr, true, "食伤 six, no 印"},
    {"P_E6", "丙午 丁巳 甲午 壬申", kMan, 3, kPairYin, nullptr, false, "a 印 stem"},
    {"P_E6", "丙寅 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, false, "食伤 three only"},
    {"P_E7", "庚子 庚子 戊子 庚申", kMan, 3, kPairYin, nullptr, true, "day 戊: 食神 庚 four times"},
    {"P_E7", "庚子 庚子 戊子 庚子", kMan, 3, kPairYin, nullptr, false, "three times"},
    {"P_E8", "甲辰 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "辰 is 华盖 of 子"},
    {"P_E8", "甲午 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 华盖"},
    {"P_E9", "壬子 癸丑 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "壬 癸 甲"},
    {"P_E9", "壬子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 癸"},
    {"P_E10", "丙子 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "子 hour"},
    {"P_E10", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "寅 hour"},
    {"P_E11", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "寅 hour"},
    {"P_E11", "丙子 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "子 hour"},
    {"P_E12", "丙子 丙寅 甲子 戊辰", kMan, 3, kPairYin, nullptr, true, "辰 hour"},
    {"P_E12", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "寅 hour"},
    {"P_E13", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 90; }, true, "用神 印枭 90"},
    {"P_E13", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairBiJie] = 90; }, true, "喜神 比劫 90"},
    {"P_E13", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 89; }, false, "89"},
    {"P_E13", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 200; }, false, "忌神 strong"},
    {"P_E14", "丙子 丁卯 甲子 丙寅", kMan, 4, kPairYin, nullptr, true, "strong, 伤官, no 官杀 score"},
    {"P_E14", "丙子 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "level 3"},
    {"P_E14", "丙子 丁卯 甲子 丙寅", kMan, 4, kPairYin, [](ChartData& c) { c.pairScore[kPairGuanSha] = 1; }, false, "官杀 score 1"},
    {"P_E14", "丙子 丁卯 甲子 丙寅", kWoman, 4, kPairYin, nullptr, false, "a woman"},
    // F (personality).
    {"P_F1", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 on 酉, 桃花 of 子"},
    {"P_F1", "癸亥 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 桃花"},
    {"P_F2", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairShiShang, nullptr, true, "伤官 favourable"},
    {"P_F2", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "伤官 against"},
    {"P_F3", "丁卯 丙寅 甲子 丙寅", kWoman, 3, kPairYin, nullptr, true, "a woman with 伤官"},
    {"P_F3", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "a man"},
    // G.
    {"P_G1", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 101; c.pairScore[kPairCai] = 9; }, true, "101 and 9"},
    {"P_G1", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 100; }, false, "100"},
    {"P_G1", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 101; c.pairScore[kPairCai] = 10; }, false, "财 10"},
    {"P_G2", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 101; c.pairScore[kPairYin] = 9; }, true, "101 and 9"},
    {"P_G2", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 101; c.pairScore[kPairYin] = 10; }, false, "印 10"},
    {"P_G3", "壬子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.patterns = {6, -1, -1, -1}; }, true, "七杀格 and 偏印"},
    {"P_G3", "壬子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.patterns = {-1, 6, -1, -1}; }, false, "only entries before -1"},
    {"P_G3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.patterns = {6, -1, -1, -1}; }, false, "no 偏印"},
    // H.
    {"P_H1", "丙子 丁卯 甲子 己巳", kMan, 3, kPairYin, nullptr, true, "伤官 then 财 on (M, H)"},
    {"P_H1", "丙子 己巳 甲子 丁卯", kMan, 3, kPairYin, nullptr, false, "财 then 伤官"},
    {"P_H2", "丙子 己巳 甲子 丁卯", kMan, 3, kPairYin, nullptr, true, "食神 then 财 on (Y, M)"},
    {"P_H2", "丙子 己巳 甲子 壬申", kMan, 3, kPairYin, nullptr, false, "偏印 on the hour"},
    {"P_H3", "辛酉 癸巳 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正官 then 正印"},
    {"P_H3", "癸巳 辛酉 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "正印 then 正官"},
    {"P_H4", "丙子 壬申 甲子 乙亥", kWoman, 3, kPairYin, nullptr, true, "偏印 then 劫财, skipping the day"},
    {"P_H4", "丙子 壬申 甲子 乙亥", kMan, 3, kPairYin, nullptr, false, "a man"},
    // I.
    {"P_I1", "庚申 丙寅 乙丑 丙子", kMan, 3, kPairYin, nullptr, true, "day 乙 with 庚"},
    {"P_I1", "辛酉 丙寅 乙丑 丙子", kMan, 3, kPairYin, nullptr, false, "no combination"},
    {"P_I2", "己巳 丙寅 甲子 丙寅", kMan, 4, kPairYin, nullptr, true, "甲己, strong"},
    {"P_I2", "己巳 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "level 3"},
    {"P_I3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "甲 in 寅"},
    {"P_I3", "丙子 己巳 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "甲 in 巳"},
    {"P_I4", "丙子 丙寅 甲子 丙寅", kWoman, 3, kPairYin, nullptr, true, "level 3"},
    {"P_I4", "丙子 丙寅 甲子 丙寅", kWoman, 1, kPairYin, nullptr, true, "level 1"},
    {"P_I4", "丙子 丙寅 甲子 丙寅", kWoman, 0, kPairYin, nullptr, false, "level 0"},
    {"P_I4", "丙子 丙寅 甲子 丙寅", kWoman, 4, kPairYin, nullptr, false, "level 4"},
    {"P_I4", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, nullptr, false, "a man"},
    {"P_I5", "辛亥 己亥 丙子 甲午", kMan, 3, kPairYin, nullptr, true, "丙辛 in a 亥 month"},
    {"P_I5", "辛亥 辛丑 丙子 甲午", kMan, 3, kPairYin, nullptr, false, "丑 month"},
    {"P_I6", "庚申 庚申 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "four metal"},
    {"P_I6", "庚申 甲子 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "two metal"},
    {"P_I7", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.elementScore[1] = 90; }, true, "木 90"},
    {"P_I7", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.elementScore[1] = 89; }, false, "木 89"},
    {"P_I8", "壬子 壬寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, true, "three water"},
    {"P_I8", "壬子 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, false, "two water"},
    {"P_I9", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "平和"},
    {"P_I9", "丙子 丙寅 甲子 丙寅", kMan, 4, kPairYin, nullptr, false, "偏旺"},
    {"P_I10", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.elementScore[2] = 90; }, true, "火 90"},
    {"P_I10", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.elementScore[2] = 89; }, false, "火 89"},
    {"P_I11", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 150; }, true, "150, level 2"},
    {"P_I11", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 150; }, false, "level 3"},
    {"P_I11", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 149; }, false, "149"},
    {"P_I12", "己巳 辛未 甲子 癸酉", kMan, 3, kPairYin, nullptr, true, "财 官 印"},
    {"P_I12", "己巳 辛未 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "财 官 only"},
    // J.
    {"P_J1", "癸巳 辛亥 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正官 on 亥, 驿马 of the year 巳"},
    {"P_J1", "癸巳 辛亥 甲子 丁卯", kMan, 3, kPairYin, nullptr, false, "a 伤官 stem"},
    {"P_J2", "癸巳 辛亥 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kZhengGuan] = 90; }, true, "正官 90, 亥 旺 in its month"},
    {"P_J2", "癸巳 辛亥 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kZhengGuan] = 89; }, false, "89"},
    // K.
    {"P_K1", "甲子 丙寅 戊辰 庚午", kMan, 3, kPairYin, nullptr, true, "甲子旬"},
    {"P_K1", "甲子 乙丑 丙寅 癸酉", kMan, 3, kPairYin, nullptr, true, "癸酉 closes 甲子旬"},
    {"P_K1", "甲寅 丙辰 戊午 癸亥", kMan, 3, kPairYin, nullptr, true, "癸亥 (0) closes 甲寅旬"},
    {"P_K1", "甲子 丙寅 戊辰 甲戌", kMan, 3, kPairYin, nullptr, false, "甲戌 opens the next"},
    {"P_K2", "甲子 丙寅 丁酉 丙午", kMan, 3, kPairYin, nullptr, true, "丁 on 酉, 天乙"},
    {"P_K2", "甲子 丙寅 丁卯 丙午", kMan, 3, kPairYin, nullptr, false, "丁 on 卯"},
    {"P_K3", "丙子 丙寅 甲申 丙寅", kMan, 3, kPairYin, nullptr, true, "甲 on 申"},
    {"P_K3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "甲 on 子"},
    {"P_K4", "庚申 庚申 甲申 甲子", kMan, 3, kPairBiJie, nullptr, true, "七杀 five, against"},
    {"P_K4", "庚申 庚申 甲申 甲子", kMan, 3, kPairGuanSha, nullptr, false, "官杀 favourable"},
    {"P_K4", "庚子 壬申 甲子 甲子", kMan, 3, kPairBiJie, nullptr, false, "七杀 twice"},
    // L.
    {"P_L1", "庚申 戊寅 乙丑 丁亥", kMan, 3, kPairYin, nullptr, true, "day 乙 combines 正官 庚"},
    {"P_L1", "庚申 戊寅 乙丑 丙子", kMan, 3, kPairYin, nullptr, false, "伤官 丙 among the stems"},
    {"P_L2", "壬子 癸亥 甲子 丙寅", kMan, 4, kPairCai, nullptr, true, "印 five, against, strong"},
    {"P_L2", "壬子 癸亥 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "level 3"},
    {"P_L3", "癸亥 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "正印 on 亥 (壬)"},
    {"P_L3", "癸亥 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "印 favourable"},
    {"P_L4", "壬辰 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "壬 on 辰 is 墓"},
    {"P_L4", "壬辰 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "印 favourable"},
    // M (personality).
    {"P_M1", "辛酉 庚寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairGuanSha] = 90; }, true, "官杀混杂"},
    {"P_M1", "辛酉 庚寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairGuanSha] = 89; }, false, "89"},
    {"P_M1", "辛酉 庚寅 甲子 丙寅", kWoman, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairGuanSha] = 90; }, false, "a woman"},
    {"P_M2", "甲子 壬辰 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "壬 in a 辰 month: 天德 and 月德"},
    {"P_M2", "甲子 壬辰 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "偏印 against"},
    {"P_M3", "甲寅 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairBiJie] = 90; c.pairScore[kPairCai] = 29; }, true, "90 and 29"},
    {"P_M3", "甲寅 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairBiJie] = 90; c.pairScore[kPairCai] = 30; }, false, "财 30"},
    {"P_M4", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "月支比肩 against"},
    {"P_M4", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    // N.
    {"P_N1", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官 against on 卯 (乙)"},
    {"P_N1", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairShiShang, nullptr, false, "伤官 favourable"},
    {"P_N2", "甲寅 丙寅 甲寅 丙寅", kMan, 3, kPairCai, nullptr, true, "比肩 against, four 比劫"},
    {"P_N2", "甲子 丙子 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "two 比劫"},
    {"P_N3", "丙戌 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "食神 on the void 戌, 寅戌 alone no half"},
    {"P_N3", "丙戌 丙午 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "午戌 half combination"},
    {"P_N4", "丙寅 丙子 甲子 丙子", kMan, 3, kPairShiShang, nullptr, true, "丙 on 寅 长生"},
    {"P_N4", "丙午 丙子 甲子 丙子", kMan, 3, kPairShiShang, nullptr, true, "丙 on 午 帝旺"},
    {"P_N4", "丙子 丙戌 甲子 丙子", kMan, 3, kPairShiShang, nullptr, false, "胎 and 墓"},
    {"P_N4", "丙寅 丙子 甲子 丙子", kMan, 3, kPairYin, nullptr, false, "食神 against"},
    // O.
    {"P_O1", "丙寅 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "食神, no 偏印"},
    {"P_O1", "丙寅 丙寅 甲子 壬申", kMan, 3, kPairYin, nullptr, false, "偏印"},
    {"P_O2", "庚子 庚子 戊子 庚申", kMan, 2, kPairYin, nullptr, true, "day 戊: 食神 four, weak"},
    {"P_O2", "庚子 庚子 戊子 庚申", kMan, 3, kPairYin, nullptr, false, "level 3"},
    {"P_O3", "丙子 己巳 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "月支 巳 (丙)"},
    {"P_O3", "丙子 己巳 甲子 壬申", kMan, 3, kPairYin, nullptr, false, "偏印"},
    {"P_O4", "丙子 丙寅 甲子 丙寅", kMan, 4, kPairYin, nullptr, true, "食神 on 禄 寅, strong"},
    {"P_O4", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "level 3"},
    // P.
    {"P_P1", "丁卯 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官, no 财"},
    {"P_P1", "丁卯 丙寅 甲寅 丙辰", kMan, 3, kPairYin, nullptr, false, "辰 (戊)"},
    {"P_P2", "丁卯 丙寅 甲寅 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官, no 印"},
    {"P_P2", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "子 (癸)"},
    {"P_P3", "戊辰 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "偏财 favourable"},
    {"P_P3", "戊辰 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "偏财 against"},
    {"P_P4", "戊辰 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "戊 on 辰, against"},
    {"P_P4", "戊辰 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "favourable"},
    {"P_P5", "戊午 庚寅 丙子 甲午", kMan, 3, kPairBiJie, nullptr, true, "day 丙: 戊 on 午 (丁)"},
    {"P_P5", "戊午 庚寅 丙子 甲午", kMan, 3, kPairCai, nullptr, false, "劫财 against"},
    // Q.
    {"P_Q1", "己丑 己未 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "正财 four"},
    {"P_Q1", "己丑 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "正财 two"},
    {"P_Q2", "己丑 庚寅 丙子 甲午", kMan, 3, kPairYin, nullptr, true, "day 丙: 己丑 伤官 twice, against"},
    {"P_Q2", "己丑 庚寅 丙子 甲午", kMan, 3, kPairShiShang, nullptr, false, "favourable"},
    // R.
    {"P_R1", "丙午 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "食神 on 午 文昌"},
    {"P_R1", "丙戌 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 文昌"},
    {"P_R2", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "丁 伤官"},
    {"P_R2", "丙子 戊寅 乙丑 丁亥", kMan, 3, kPairYin, nullptr, false, "day 乙: 伤官 is 丙"},
    {"P_R3", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairShiShang, nullptr, true, "伤官, 食伤 useful"},
    {"P_R3", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "食伤 against"},
    {"P_R4", "癸巳 乙亥 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "亥: 驿马 of 巳 and void"},
    {"P_R4", "癸卯 乙亥 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "亥 void only"},
    // S.
    {"P_S1", "丙子 癸酉 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 month, 印 useful"},
    {"P_S1", "丙子 癸酉 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "印 against"},
    {"P_S2", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairShiShang, nullptr, true, "食神 month"},
    {"P_S2", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "食伤 against"},
    {"P_S3", "丙子 庚寅 甲子 丙寅", kMan, 3, kPairGuanSha, nullptr, true, "七杀 month, useful"},
    {"P_S3", "丙子 庚寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "官杀 against"},
    {"P_S4", "丙寅 丙子 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "子 month is 将星 of 子, 印 useful"},
    {"P_S4", "丙寅 丙子 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "印 against"},
    {"P_S5", "甲戌 乙亥 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "戌 and 亥"},
    {"P_S5", "甲戌 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "戌 only"},
    {"P_S6", "甲子 己丑 甲子 己丑", kMan, 3, kPairYin, nullptr, true, "4 stems and 4 branches combine"},
    {"P_S6", "甲寅 己巳 甲寅 己巳", kMan, 3, kPairYin, nullptr, false, "4 stems only"},
    {"P_S7", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.patterns = {4, -1, -1, -1}; }, true, "偏财格"},
    {"P_S7", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.patterns = {5, -1, -1, -1}; }, false, "正财格"},
    {"P_S8", "甲寅 壬申 丁巳 辛亥", kMan, 3, kPairYin, nullptr, true, "寅申巳亥"},
    {"P_S8", "甲寅 壬申 丁巳 丙寅", kMan, 3, kPairYin, nullptr, false, "寅 twice"},
    {"P_S9", "丙子 丙寅 甲子 丙寅", kWoman, 5, kPairYin, nullptr, true, "level 5"},
    {"P_S9", "丙子 丙寅 甲子 丙寅", kWoman, 4, kPairYin, nullptr, false, "level 4"},
    {"P_S9", "丙子 丙寅 甲子 丙寅", kMan, 5, kPairYin, nullptr, false, "a man"},
    {"P_S10", "丙子 丙寅 甲午 丙寅", kWoman, 3, kPairYin, nullptr, true, "甲 on 午 (丁), against"},
    {"P_S10", "丙子 丙寅 甲午 丙寅", kMan, 3, kPairYin, nullptr, false, "a man"},
    {"P_S11", "甲子 丙寅 丙子 丙寅", kMan, 3, kPairYin, nullptr, true, "丙子"},
    {"P_S11", "甲子 丙寅 癸亥 丙寅", kMan, 3, kPairYin, nullptr, true, "癸亥 (0)"},
    {"P_S11", "甲子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "甲子"},
    // T.
    {"P_T1", "丁卯 辛未 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官 then 正官"},
    {"P_T1", "辛未 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正官 then 伤官"},
    {"P_T1", "丁卯 辛未 甲子 癸酉", kMan, 3, kPairYin, nullptr, false, "an 印 stem"},
    {"P_T2", "壬子 癸丑 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "偏印 正印, first against"},
    {"P_T2", "壬子 癸丑 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "first favourable"},
    // U.
    {"P_U1", "甲午 庚寅 丙子 甲午", kMan, 3, kPairYin, nullptr, true, "day 丙: 甲 on 羊刃 午"},
    {"P_U1", "甲子 庚寅 丙子 甲寅", kMan, 3, kPairYin, nullptr, false, "no 羊刃"},
    {"P_U2", "戊辰 己巳 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "偏财 and 正财"},
    {"P_U2", "戊辰 戊辰 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "偏财 only"},
    {"P_U3", "甲辰 戊辰 甲辰 丙寅", kMan, 3, kPairYin, nullptr, true, "辰 three times"},
    {"P_U3", "甲寅 己巳 甲申 丙寅", kMan, 3, kPairYin, nullptr, true, "寅巳申"},
    {"P_U3", "甲辰 戊辰 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "two branches"},
    // V.
    {"P_V1", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 150; }, true, "150"},
    {"P_V1", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairCai] = 149; }, false, "149"},
    {"P_V2", "甲子 丙寅 丙戌 丙寅", kMan, 3, kPairYin, nullptr, true, "丙 on 戌 墓"},
    {"P_V2", "甲子 丙寅 丙子 丙寅", kMan, 3, kPairYin, nullptr, false, "丙 on 子"},
    {"P_V3", "丙子 丙寅 甲申 丙寅", kMan, 3, kPairBiJie, nullptr, true, "日坐七杀 against"},
    {"P_V3", "丙子 丙寅 甲申 丙寅", kWoman, 3, kPairBiJie, nullptr, false, "a woman"},
    {"P_V4", "己丑 己未 甲子 甲子", kMan, 2, kPairYin, nullptr, true, "财 four, weak"},
    {"P_V4", "己丑 己未 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "level 3"},
    {"P_V4", "己丑 己未 甲子 甲子", kWoman, 2, kPairYin, nullptr, false, "a woman"},
    {"P_V5", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, [](ChartData& c) { c.elementOrder = {1, 3, 4, 0, 2}; }, true, "水 火 strongest"},
    {"P_V5", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, [](ChartData& c) { c.elementOrder = {1, 3, 4, 2, 0}; }, true, "火 水 strongest"},
    {"P_V5", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, [](ChartData& c) { c.elementOrder = {0, 3, 4, 1, 2}; }, false, "水 weakest"},
    {"P_V5", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.elementOrder = {1, 3, 4, 0, 2}; }, false, "level 3"},
    // W.
    {"P_W1", "癸酉 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "正印 食神"},
    {"P_W1", "癸酉 甲子 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "not adjacent"},
    {"P_W2", "甲子 乙丑 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "比肩 劫财, against"},
    {"P_W2", "甲子 乙丑 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    {"P_W3", "丁卯 庚午 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官 七杀, 羊刃 on 卯"},
    {"P_W3", "丁亥 庚午 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 羊刃"},
    // X.
    {"P_X1", "壬子 壬子 庚申 丙午", kMan, 2, kPairYin, nullptr, true, "water four, no wood, weak"},
    {"P_X1", "壬子 壬子 甲寅 丙午", kMan, 2, kPairYin, nullptr, false, "wood two"},
    // Y.
    {"P_Y1", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 useful"},
    {"P_Y1", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, false, "against"},
    {"P_Y2", "戊辰 己巳 戊子 丙寅", kMan, 3, kPairYin, nullptr, true, "戊 己 戊"},
    {"P_Y2", "戊辰 丙寅 戊子 己未", kMan, 3, kPairYin, nullptr, true, "the day stem counts"},
    {"P_Y2", "戊辰 己巳 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "two"},
    {"P_Y3", "丁卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "伤官 on 羊刃, no 财"},
    {"P_Y3", "丁卯 丙寅 甲子 戊辰", kMan, 3, kPairYin, nullptr, false, "a 财 stem"},
    // Z.
    {"P_Z1", "甲子 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "驿马 寅 free"},
    {"P_Z1", "乙亥 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "寅亥 合"},
    {"P_Z2", "甲申 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, true, "驿马 寅 clashed by 申"},
    {"P_Z2", "甲子 丙寅 甲子 甲子", kMan, 3, kPairYin, nullptr, false, "not clashed"},
    {"P_Z3", "甲子 乙未 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "子未 害 on three branches"},
    {"P_Z3", "甲子 乙未 甲寅 丙寅", kMan, 3, kPairYin, nullptr, false, "two"},
    {"P_Z4", "甲子 己丑 甲子 己丑", kMan, 3, kPairYin, nullptr, true, "8"},
    {"P_Z4", "甲寅 己巳 甲寅 己巳", kMan, 3, kPairYin, nullptr, false, "4"},
    // AA.
    {"P_AA1", "甲子 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "month 卯 with 子"},
    {"P_AA1", "甲子 丙寅 甲寅 丁卯", kMan, 3, kPairYin, nullptr, false, "子卯 on year and hour"},
    {"P_AA1", "甲辰 戊辰 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "辰 自刑"},
    {"P_AA2", "乙亥 丙寅 甲子 丁卯", kMan, 3, kPairYin, nullptr, true, "劫财 year, 羊刃 hour"},
    {"P_AA2", "乙亥 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "羊刃 on the month"},
    {"P_AA3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "no 官杀"},
    {"P_AA3", "庚子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "庚"},
    // AB.
    {"P_AB1", "壬子 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "偏印 against"},
    {"P_AB1", "壬子 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    {"P_AB2", "戊辰 丙寅 壬子 丙午", kMan, 3, kPairYin, nullptr, true, "戊 with day 壬"},
    {"P_AB2", "戊辰 丙寅 甲子 丙午", kMan, 3, kPairYin, nullptr, false, "day 甲"},
    {"P_AB3", "丙午 甲午 丙子 甲午", kWoman, 3, kPairCai, nullptr, true, "day 丙: 丙 on 午 (丁)"},
    {"P_AB3", "丙午 甲午 丙子 甲午", kMan, 3, kPairCai, nullptr, false, "a man"},
    // AC.
    {"P_AC1", "丙子 丁卯 甲子 丙寅", kMan, 4, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 90; }, true, "甲 帝旺 in 卯"},
    {"P_AC1", "丙子 丁卯 甲子 丙寅", kMan, 4, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 89; }, false, "89"},
    {"P_AC1", "丙子 丙寅 甲子 丙寅", kMan, 4, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 90; }, false, "寅 is 临官"},
    // AD.
    {"P_AD1", "丙子 丁卯 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "羊刃 卯 against"},
    {"P_AD1", "丙子 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    {"P_AD2", "癸酉 壬子 甲子 壬申", kMan, 3, kPairYin, nullptr, true, "桃花 酉, water five"},
    {"P_AD2", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "water two"},
    {"P_AD3", "乙卯 庚子 甲寅 丙寅", kWoman, 3, kPairCai, nullptr, true, "七杀 on 子, 桃花 of the year 卯"},
    {"P_AD3", "乙卯 庚子 甲寅 丙寅", kMan, 3, kPairCai, nullptr, false, "a man"},
    {"P_AD4", "甲寅 丙寅 甲子 甲戌", kMan, 3, kPairYin, nullptr, true, "戌: 华盖 of 寅, void"},
    {"P_AD4", "甲寅 甲午 甲子 甲戌", kMan, 3, kPairYin, nullptr, false, "午戌 half"},
    // AE.
    {"P_AE1", "甲子 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, true, "庚辰"},
    {"P_AE1", "甲子 丙寅 庚辰 丙子", kWoman, 3, kPairYin, nullptr, false, "a woman"},
    {"P_AE2", "甲子 丙寅 庚辰 丙子", kWoman, 3, kPairYin, nullptr, true, "庚辰"},
    {"P_AE2", "甲子 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, false, "a man"},
    {"P_AE3", "甲戌 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, true, "辰戌 冲"},
    {"P_AE3", "甲子 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, false, "not clashed"},
    // AF.
    {"P_AF1", "癸酉 丙辰 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "桃花 酉 in 辰酉 合"},
    {"P_AF1", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "no 合"},
    {"P_AF2", "癸酉 壬申 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "申 month: 天德 癸"},
    {"P_AF2", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "寅 month: 天德 丁"},
    {"P_AF3", "癸酉 壬申 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "天德 on the year, unclashed"},
    {"P_AF3", "甲寅 壬申 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "月德 壬 on 申, clashed by 寅"},
    // AG.
    {"P_AG1", "乙亥 丙寅 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "劫财 on 亥, 亡神 of 子"},
    {"P_AG1", "乙亥 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    {"P_AG2", "乙酉 庚申 甲子 丙寅", kMan, 3, kPairBiJie, nullptr, true, "七杀 on 申, 亡神 of the year 酉"},
    {"P_AG2", "乙酉 庚申 甲子 丙寅", kMan, 3, kPairGuanSha, nullptr, false, "favourable"},
    {"P_AG3", "癸酉 丁卯 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 on 酉, clashed"},
    {"P_AG3", "癸卯 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "正印 on 卯, 子卯"},
    {"P_AG3", "癸酉 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "at peace"},
    {"P_AG4", "己巳 丙寅 甲子 丙寅", kMan, 2, kPairYin, nullptr, true, "己 combines the day"},
    {"P_AG4", "戊辰 癸亥 甲子 丙寅", kMan, 1, kPairYin, nullptr, true, "戊癸 (kind 0)"},
    {"P_AG4", "己巳 丙寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "level 3"},
    // AH.
    {"P_AH1", "丙子 丙寅 甲子 丙寅", kMan, 1, kPairYin, nullptr, true, "level 1"},
    {"P_AH1", "丙子 丙寅 甲子 丙寅", kMan, 2, kPairYin, nullptr, false, "level 2"},
    {"P_AH2", "甲子 丙寅 己卯 丙寅", kMan, 3, kPairBiJie, nullptr, true, "己卯 against"},
    {"P_AH2", "甲子 丙寅 己卯 丙寅", kMan, 3, kPairGuanSha, nullptr, false, "favourable"},
    {"P_AH3", "丙子 丙寅 甲子 丙寅", kMan, 4, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 90; }, true, "strong, 印 90"},
    {"P_AH3", "丙子 丙寅 甲子 丙寅", kMan, 3, kPairYin, [](ChartData& c) { c.pairScore[kPairYin] = 90; }, false, "level 3"},
    {"P_AH4", "丙子 壬申 甲子 丙寅", kMan, 3, kPairCai, nullptr, true, "月干偏印 against"},
    {"P_AH4", "丙子 壬申 甲子 丙寅", kMan, 3, kPairYin, nullptr, false, "favourable"},
    // AI.
    {"P_AI1", "丙子 庚寅 甲子 丁卯", kMan, 3, kPairYin, nullptr, true, "食神 七杀"},
    {"P_AI1", "丙子 庚寅 甲子 壬申", kMan, 3, kPairYin, nullptr, false, "偏印"},
    {"P_AI2", "丙子 壬申 甲子 丁卯", kMan, 3, kPairYin, nullptr, true, "食神 偏印"},
    {"P_AI2", "丙子 丁卯 甲子 壬申", kMan, 3, kPairYin, nullptr, false, "not adjacent"},
    {"P_AI3", "丙子 壬申 甲子 丁卯", kMan, 3, kPairShiShang, nullptr, true, "食伤 useful"},
    {"P_AI3", "丙子 壬申 甲子 丁卯", kMan, 3, kPairYin, nullptr, false, "against"},
    // AJ.
    {"P_AJ1", "甲子 丙寅 甲午 丁卯", kMan, 3, kPairYin, nullptr, true, "卯: 羊刃 and 桃花 of 午"},
    {"P_AJ1", "甲子 丙寅 甲子 丁卯", kMan, 3, kPairYin, nullptr, false, "no 桃花"},
    {"P_AJ2", "辛酉 庚寅 甲子 丙寅", kMan, 3, kPairYin, nullptr, true, "官 杀 on year and month"},
    {"P_AJ2", "辛酉 丙寅 甲子 庚午", kMan, 3, kPairYin, nullptr, false, "七杀 on the hour"},
    {"P_AJ3", "甲戌 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, true, "魁罡 clashed"},
    {"P_AJ3", "甲子 丙寅 庚辰 丙子", kMan, 3, kPairYin, nullptr, false, "not clashed"},
    {"P_AJ4", "甲子 丙寅 戊辰 庚午", kMan, 3, kPairYin, nullptr, true, "all yang"},
    {"P_AJ4", "乙丑 丙寅 戊辰 庚午", kMan, 3, kPairYin, nullptr, false, "one yin"},
    {"P_AJ5", "癸亥 丁卯 己巳 辛未", kMan, 3, kPairYin, nullptr, true, "all yin, 癸亥 (0) included"},
    {"P_AJ5", "乙丑 丁卯 己巳 庚午", kMan, 3, kPairYin, nullptr, false, "one yang"},
    {"P_AJ6", "戊辰 甲寅 癸亥 甲寅", kMan, 3, kPairYin, nullptr, true, "癸 with 戊"},
    {"P_AJ6", "癸亥 甲寅 戊辰 甲寅", kMan, 3, kPairYin, nullptr, false, "day 戊"},
    {"P_AJ7", "壬申 壬申 甲子 壬申", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 90; }, true, "偏印 three"},
    {"P_AJ7", "壬申 壬申 甲子 壬申", kMan, 3, kPairYin, [](ChartData& c) { c.godScore[kShangGuan] = 89; }, false, "89"},
    {"P_AJ8", "丙子 丙寅 甲午 丙寅", kMan, 3, kPairYin, nullptr, true, "甲 on 午 死"},
    {"P_AJ8", "丙子 丙寅 甲申 丙寅", kMan, 1, kPairBiJie, nullptr, true, "甲 on 申 绝, weak, against"},
    {"P_AJ8", "丙子 丙寅 甲申 丙寅", kMan, 2, kPairBiJie, nullptr, false, "绝 at level 2"},
    {"P_AJ8", "丙子 丙寅 甲申 丙寅", kMan, 1, kPairGuanSha, nullptr, false, "绝, favourable"},
};

TEST(PersonalityRules, EachRuleFiresOnItsChartAndNotJustBeyondIt) {
    for (const PersonalityRuleCase& rc : kRuleCases) {
        ChartData c = BuildChart(rc.pillars, rc.male, rc.level, rc.use);
        if (rc.tweak != nullptr) rc.tweak(c);
        SCOPED_TRACE(testing::Message() << rc.rule << " " << rc.pillars << " (" << rc.why << ")\n" << Describe(c));
        const int n = Count(AllHits(c, Person(rc.male)), rc.rule);
        if (rc.fires) {
            EXPECT_GE(n, 1);
        } else {
            EXPECT_EQ(n, 0);
        }
    }
}

// B1..B5 by the day stem: each stem gives exactly its rule.
const struct {
    const char* pillars;
    const char* rule;
} kDayStemCases[] = {
    {"丙子 丙寅 甲子 丙寅", "P_B1"}, {"丙子 丙寅 乙丑 丙子", "P_B1"}, {"丙子 丙寅 丙子 丙申", "P_B2"},
    {"丙子 丙寅 丁丑 丙午", "P_B2"}, {"丙子 丙寅 戊子 丙辰", "P_B3"}, {"丙子 丙寅 己丑 丙寅", "P_B3"},
    {"丙子 丙寅 庚子 丙戌", "P_B4"}, {"丙子 丙寅 辛丑 丙申", "P_B4"}, {"丙子 丙寅 壬子 丙午", "P_B5"},
    {"丙子 丙寅 癸亥 丙辰", "P_B5"},
};

TEST(PersonalityRules, DayStemGivesExactlyItsBRule) {
    for (const auto& dc : kDayStemCases) {
        SCOPED_TRACE(dc.pillars);
        const ChartData c = BuildChart(dc.pillars, kMan, 3, kPairYin);
        const std::vector<FiredRule> hits = AllHits(c, Person(kMan));
        for (const char* b : {"P_B1", "P_B2", "P_B3", "P_B4", "P_B5"}) {
            EXPECT_EQ(Count(hits, b), std::string_view(b) == dc.rule ? 1 : 0) << b;
        }
    }
}

TEST(PersonalityRules, EveryRuleHasACase) {
    std::set<std::string> tested;
    for (const PersonalityRuleCase& rc : kRuleCases) tested.insert(rc.rule);
    for (const auto& dc : kDayStemCases) tested.insert(dc.rule);
    for (const auto table : {TraitRules(), CharacterRules()}) {
        for (const std::string_view id : RuleIds(table)) EXPECT_TRUE(tested.count(std::string(id))) << id;
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// A walk over many charts, each read for a man and for a woman: the rules
// that name a sex never reach the other one (and do reach their own).
TEST(PersonalityRules, SexBoundRulesNeverReachTheOtherSex) {
    const std::set<std::string_view> kWomanOnly = {"P_A1", "P_A2",  "P_F3",  "P_H4",  "P_I4",
                                                   "P_S9", "P_S10", "P_AB3", "P_AD3", "P_AE2"};
    const std::set<std::string_view> kManOnly = {"P_A3", "P_E14", "P_M1", "P_V3", "P_V4", "P_AE1"};
    std::set<std::string_view> seenForWoman, seenForMan;
    std::uint32_t seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(n));
    };
    for (int i = 0; i < 20000; ++i) {
        std::array<std::int16_t, 4> pillars{};
        for (auto& p : pillars) p = static_cast<std::int16_t>(next(60));
        std::string names;
        for (const auto p : pillars) names += std::string(PillarStemName(p)) + std::string(PillarBranchName(p)) + " ";
        const int level = next(7), use = next(5);
        for (const bool male : {true, false}) {
            ChartData c = BuildChart(names, male, level, use);
            for (auto& s : c.pairScore) s = static_cast<std::int16_t>(next(200));
            c.godScore[kShangGuan] = static_cast<std::int16_t>(next(200));
            const std::vector<FiredRule> hits = AllHits(c, Person(male));
            for (const FiredRule& h : hits) {
                if (male) {
                    EXPECT_FALSE(kWomanOnly.count(h.id)) << h.id << " for a man: " << names;
                    seenForMan.insert(h.id);
                } else {
                    EXPECT_FALSE(kManOnly.count(h.id)) << h.id << " for a woman: " << names;
                    seenForWoman.insert(h.id);
                }
            }
        }
    }
    for (const auto id : kWomanOnly) EXPECT_TRUE(seenForWoman.count(id)) << id << " never seen";
    for (const auto id : kManOnly) EXPECT_TRUE(seenForMan.count(id)) << id << " never seen";
}

// A rule of a pillar pass is written once however many pillars qualify;
// AB3 is written for every pillar that does.
TEST(PersonalityRules, PillarPassWritesOnceExceptAB3) {
    // Day 甲: 伤官 丁 on the year and the hour.
    const ChartData twoShangGuan = BuildChart("丁卯 丙寅 甲子 丁卯", kWoman, 3, kPairYin);
    EXPECT_EQ(Count(AllHits(twoShangGuan, Person(kWoman)), "P_F3"), 1);
    EXPECT_EQ(Count(AllHits(twoShangGuan, Person(kWoman)), "P_R2"), 1);
    // Day 丙: 丙 (比肩) on 午 (丁, 劫财) on the year, the month and the hour.
    const ChartData threeBiJie = BuildChart("丙午 丙午 丙子 丙午", kWoman, 3, kPairCai);
    EXPECT_EQ(Count(AllHits(threeBiJie, Person(kWoman)), "P_AB3"), 3);
    EXPECT_EQ(Count(AllHits(threeBiJie, Person(kMan)), "P_AB3"), 0);
}

// Inside one pass the sentences come out pillar by pillar: a rule that hits
// on the year comes before a rule earlier in the table that hits only on
// the hour.
TEST(PersonalityRules, PillarPassOrdersByPillarFirst) {
    // Day 甲, for a woman: 伤官 丁 on the year (F3), 正印 癸 on 酉 (桃花 of
    // 子) on the hour (F1, the first row of the group).
    const ChartData c = BuildChart("丁卯 丙寅 甲子 癸酉", kWoman, 3, kPairYin);
    const std::vector<FiredRule> hits = AllHits(c, Person(kWoman));
    std::vector<std::string_view> groupF;
    for (const FiredRule& h : hits) {
        if (h.id == "P_F1" || h.id == "P_F2" || h.id == "P_F3") groupF.push_back(h.id);
    }
    EXPECT_EQ(groupF, (std::vector<std::string_view>{"P_F3", "P_F1"}));
}

// The two tables in the order of the section: A, 三奇, B; then C … AJ.
TEST(PersonalityRules, TablesKeepTheirOrder) {
    std::vector<std::string_view> ids;
    for (const auto table : {TraitRules(), CharacterRules()}) {
        for (const std::string_view id : RuleIds(table)) ids.push_back(id);
    }
    ASSERT_EQ(ids.size(), 8u + 1u + 148u);  // A1..B5, 三奇, C1..AJ8
    EXPECT_EQ(ids.front(), "P_A1");
    EXPECT_EQ(ids[3], "P_SanQi");
    EXPECT_EQ(ids[9], "P_C1");
    EXPECT_EQ(ids.back(), "P_AJ8");
    const std::set<std::string_view> unique(ids.begin(), ids.end());
    EXPECT_EQ(unique.size(), ids.size());
}

}  // namespace
}  // namespace tessaly
