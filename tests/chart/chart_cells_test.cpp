#include "chart/ChartCells.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/Tables.h"

namespace tessaly {
namespace {

// A chart from four pillar names such as "甲子".
ChartData Chart(const char* y, const char* m, const char* d, const char* h) {
    ChartData c = ZeroChartData();
    const char* names[4] = {y, m, d, h};
    for (int i = 0; i < 4; ++i) c.pillars[i] = static_cast<std::int16_t>(PillarFromName(names[i]));
    return c;
}

TEST(FillChartCells, GodsStagesAndCounts) {
    // 甲子 丙寅 戊辰 庚申, day master 戊 in a 寅 (wood) month.
    ChartData c = Chart("甲子", "丙寅", "戊辰", "庚申");
    FillChartCells(c);
    EXPECT_EQ(c.stems[kYearPos].god, 6);   // 甲 to 戊: 七杀
    EXPECT_EQ(c.stems[kMonthPos].god, 8);  // 丙: 偏印
    EXPECT_EQ(c.stems[kDayPos].god, kNone8);
    EXPECT_EQ(c.stems[kDayPos].pair, kNone8);
    EXPECT_EQ(c.stems[kHourPos].god, 2);  // 庚: 食神
    EXPECT_EQ(c.stems[kDayPos].stage, GrowthStageOf(5, 5));
    EXPECT_EQ(kSeasonStateNames[c.stems[kDayPos].season], "死");  // earth in a wood month
    EXPECT_EQ(c.branches[kYearPos].god, 5);                       // 子 main stem 癸: 正财
    // 子 has one hidden stem: the other entries stay empty.
    EXPECT_EQ(c.branches[kYearPos].hiddenGods[0], 5);
    EXPECT_EQ(c.branches[kYearPos].hiddenGods[1], kNone8);
    EXPECT_EQ(c.branches[kYearPos].hiddenPairs[2], kNone8);
    // Three stems counted (the day stem is not), 4 branch main stems, and
    // 1 + 3 + 3 + 3 hidden stems.
    int stems = 0, mains = 0, hidden = 0;
    for (int g = 0; g < 10; ++g) {
        stems += c.stemGodCount[g];
        mains += c.branchGodCount[g];
        hidden += c.hiddenGodCount[g];
    }
    EXPECT_EQ(stems, 3);
    EXPECT_EQ(mains, 4);
    EXPECT_EQ(hidden, 10);
    EXPECT_EQ(c.nayinElement[kYearPos], kNayinElement[NayinOf(1)]);
}

TEST(FillRelations, SetsTheSlotsOfPairsAndTriples) {
    const struct {
        const char *y, *m, *d, *h;
        int pos, slot, want;
        const char* why;
    } kCases[] = {
        {"甲子", "庚午", "甲戌", "甲戌", kYearPos, kRelClash, 1, "子午冲: 午 % 6"},
        {"甲子", "庚午", "甲戌", "甲戌", kMonthPos, kRelClash, 1, "set on both"},
        {"甲辰", "甲辰", "甲子", "丙寅", kYearPos, kRelPunish, 5, "辰辰 自刑"},
        {"甲子", "甲子", "甲寅", "丙寅", kYearPos, kRelPunish, -1, "子子 is no 自刑"},
        {"甲子", "丁卯", "甲戌", "甲戌", kYearPos, kRelPunish, 1, "子卯 无礼之刑"},
        {"甲子", "乙丑", "甲戌", "甲戌", kYearPos, kRelCombine, 1, "子丑合"},
        {"甲子", "乙未", "甲戌", "甲戌", kYearPos, kRelHarm, 1, "子未害"},
        {"甲子", "甲辰", "甲戌", "丙寅", kYearPos, kRelHalfTriple, 5, "子辰: 水, with 辰"},
        {"甲申", "甲子", "丙寅", "丙寅", kYearPos, kRelHalfTriple, 0, "申子: 水"},
        {"甲申", "甲辰", "丙寅", "丙寅", kYearPos, kRelHalfTriple, -1, "the two ends alone do not count"},
        {"甲申", "甲子", "甲辰", "丙寅", kHourPos, kRelTriple, -1, "寅 is outside 申子辰"},
        {"甲申", "甲子", "甲辰", "丙寅", kDayPos, kRelTriple, 0, "申子辰 水"},
        {"甲寅", "甲午", "甲戌", "丁卯", kYearPos, kRelTriple, 2, "寅午戌 火"},
        {"乙亥", "甲子", "乙丑", "丁卯", kYearPos, kRelMeeting, 0, "亥子丑 北方水"},
        {"乙丑", "乙未", "甲戌", "丁卯", kYearPos, kRelThreePunish, 2, "丑未戌"},
        {"甲寅", "乙巳", "甲申", "丁卯", kMonthPos, kRelThreePunish, 3, "寅巳申"},
        {"甲辰", "甲戌", "乙丑", "乙未", kHourPos, kRelMeeting, 3, "四库全"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        ChartData chart = Chart(c.y, c.m, c.d, c.h);
        FillRelations(chart);
        EXPECT_EQ(chart.branches[c.pos].relations[c.slot], c.want);
    }
}

TEST(FillRelations, StemCombinationMarksBothStems) {
    ChartData c = Chart("甲子", "己巳", "丙寅", "辛卯");
    FillRelations(c);
    EXPECT_EQ(c.stems[kYearPos].combineKind, 1);  // 甲己 中正之合
    EXPECT_EQ(c.stems[kMonthPos].combineKind, 1);
    EXPECT_EQ(c.stems[kDayPos].combineKind, 3);  // 丙辛 威制之合
    EXPECT_EQ(c.stems[kHourPos].combineKind, 3);
    ChartData none = Chart("甲子", "甲子", "甲子", "甲子");
    FillRelations(none);
    EXPECT_EQ(none.stems[kYearPos].combineKind, -1);
}

TEST(VoidBranches, OfTheDayPillar) {
    const struct {
        int pillar;
        const char *first, *second;
    } kCases[] = {
        {0, "子", "丑"},   // 癸亥
        {1, "戌", "亥"},   // 甲子
        {10, "戌", "亥"},  // 癸酉 closes the 甲子 decade
        {11, "申", "酉"},  // 甲戌
        {51, "子", "丑"},  // 甲寅 decade
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.pillar);
        const VoidBranches v = VoidBranchesOf(c.pillar);
        EXPECT_EQ(kBranchNames[v.first], c.first);
        EXPECT_EQ(kBranchNames[v.second], c.second);
    }
}

}  // namespace
}  // namespace tessaly
