#include "chart/Tables.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/ChartModel.h"

namespace tessaly {
namespace {

TEST(Pillars, NumberingRunsFromJiaZiToGuiHai) {
    EXPECT_EQ(PillarName(1), "甲子");
    EXPECT_EQ(PillarName(2), "乙丑");
    EXPECT_EQ(PillarName(59), "壬戌");
    EXPECT_EQ(PillarName(0), "癸亥");  // pillar 0, not 60
    EXPECT_EQ(kNayinNames[NayinOf(0)], "大海水");
    EXPECT_EQ(kNayinNames[NayinOf(59)], "大海水");
    EXPECT_EQ(kNayinNames[NayinOf(1)], "海中金");
    EXPECT_EQ(kNayinNames[NayinOf(54)], "沙中土");  // 丁巳 (p = 54)
    // Every pillar is the pillar of its own stem and branch.
    for (int p = 0; p < 60; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(PillarOfStemBranch(StemOfPillar(p), BranchOfPillar(p)), p);
    }
}

TEST(TenGodOf, YieldsExpectedGod) {
    const struct {
        int day, stem, want;
        const char* why;
    } kCases[] = {
        {1, 1, 0, "甲 on 甲: 比肩"},        {2, 1, 1, "day 乙, stem 甲: 劫财"}, {0, 9, 1, "day 癸, stem 壬: 劫财"},
        {2, 3, 3, "day 乙, stem 丙: 伤官"}, {1, 3, 2, "day 甲, stem 丙: 食神"}, {1, 8, 7, "day 甲, stem 辛: 正官"},
        {1, 0, 9, "day 甲, stem 癸: 正印"}, {2, 0, 8, "day 乙, stem 癸: 偏印"}, {0, 6, 6, "day 癸, stem 己: 七杀"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(TenGodOf(c.day, c.stem), c.want);
    }
}

TEST(StemOfGod, InvertsTenGodOf) {
    for (int day = 0; day < 10; ++day) {
        for (int s = 0; s < 10; ++s) {
            SCOPED_TRACE(testing::Message() << "day " << day << " stem " << s);
            EXPECT_EQ(StemOfGod(day, TenGodOf(day, s)), s);
        }
    }
}

TEST(GrowthStageOf, YieldsExpectedStage) {
    const struct {
        int stem, branch, want;
        const char* why;
    } kCases[] = {
        {1, 0, 0, "甲 on 亥: 长生"}, {2, 7, 0, "乙 on 午: 长生"}, {0, 4, 0, "癸 on 卯: 长生"},
        {1, 4, 4, "甲 on 卯: 帝旺"}, {2, 6, 1, "乙 on 巳: 沐浴"}, {7, 9, 3, "庚 on 申: 临官"},
        {9, 9, 0, "壬 on 申: 长生"}, {1, 7, 7, "甲 on 午: 死"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.why);
        EXPECT_EQ(GrowthStageOf(c.stem, c.branch), c.want);
    }
}

TEST(HiddenStems, WeightsAndStemsLineUp) {
    for (int b = 0; b < 12; ++b) {
        SCOPED_TRACE(kBranchNames[b]);
        ASSERT_EQ(kHiddenStemWeights[b].size(), 2 * kHiddenStems[b].size());
        EXPECT_EQ(HiddenStem(b, 0) % 10, kHiddenStems[b][0] - '0');
        int total = 0;
        for (int k = 0; k < HiddenStemCount(b); ++k) total += HiddenStemWeight(b, k);
        EXPECT_GT(total, 0);
    }
    EXPECT_EQ(HiddenStemWeight(2, 2), 18);  // 丑: 己 carries 18
    EXPECT_EQ(HiddenStem(6, 0), 7);         // 巳 stores 庚 first
}

TEST(SeasonState, FollowsTheMonthElement) {
    // In a wood month (m = 1): 木 旺, 火 相, 水 休, 金 囚, 土 死.
    EXPECT_EQ(kSeasonStateNames[SeasonStateOf(1, 1)], "旺");
    EXPECT_EQ(kSeasonStateNames[SeasonStateOf(2, 1)], "相");
    EXPECT_EQ(kSeasonStateNames[SeasonStateOf(0, 1)], "休");
    EXPECT_EQ(kSeasonStateNames[SeasonStateOf(4, 1)], "囚");
    EXPECT_EQ(kSeasonStateNames[SeasonStateOf(3, 1)], "死");
}

TEST(StemCombination, RecognisesTheFivePairs) {
    EXPECT_EQ(StemCombinationKind(5, 0), 0);  // 戊癸
    EXPECT_EQ(StemCombinationKind(1, 6), 1);  // 甲己
    EXPECT_EQ(StemCombinationKind(7, 2), 2);  // 庚乙
    EXPECT_EQ(StemCombinationKind(3, 8), 3);  // 丙辛
    EXPECT_EQ(StemCombinationKind(4, 9), 4);  // 丁壬
    EXPECT_EQ(StemCombinationKind(1, 2), -1);
    EXPECT_EQ(StemCombinationKind(0, 0), -1);
}

TEST(BranchCell, OneHiddenStemLeavesTheRestEmpty) {
    const BranchCell cell;
    EXPECT_EQ(cell.hiddenGods[1], kNone8);
    EXPECT_EQ(cell.hiddenPairs[2], kNone8);
    EXPECT_EQ(cell.relations[kRelClash], -1);
}

}  // namespace
}  // namespace tessaly
