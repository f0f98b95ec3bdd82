// Strength — the five-element strength model of a chart, its judgement, the
// ordinary and special patterns (格局), the usefulness roles, and the two
// report sections written from them (strength, relations between pillars).
//
// Every function works on one ChartData and the analysis options; nothing
// else is read or kept. The engine calls them in this order:
//   CountAndScore (new charts only), JudgeStrength, SetRoleClasses,
//   StrengthSectionText + RelationsSectionText.
//
// Float model: the season factors are float32 values; a product of an
// integer with a factor is formed in double from the float32 value and
// truncated toward zero, so 30 × 0.9 gives 26 (the stored 0.9 is
// 0.89999998) and 30 × 0.7 gives 20.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "chart/ChartModel.h"
#include "chart/ChartOptions.h"

namespace tessaly {

// Season factor by the ten god the month's main stem is for the scored stem
// (比肩 劫财 食神 伤官 偏财 正财 七杀 正官 偏印 正印).
inline constexpr std::array<float, 10> kSeasonFactor = {2.0f, 1.75f, 0.9f, 1.0f, 0.7f, 0.8f, 0.5f, 0.6f, 1.5f, 1.25f};

inline constexpr int kStemWorth = 36;         // a stem's base score
inline constexpr int kMonthCommandStep = 18;  // per strong or weak stage of the day stem
inline constexpr int kTripleBonus = 81;       // 三合
inline constexpr int kMeetingBonus = 120;     // 三会
inline constexpr int kFourGravesBonus = 150;  // 辰戌丑未 all four
inline constexpr int kHalfTripleBonus = 45;   // 半三合

// trunc(n × f): the product in double from the float32 factor, truncated
// toward zero.
constexpr int TruncProduct(int n, float f) { return static_cast<int>(static_cast<double>(n) * static_cast<double>(f)); }
static_assert(TruncProduct(30, 0.9f) == 26 && TruncProduct(30, 0.7f) == 20);
static_assert(TruncProduct(10, 0.7f) == 6 && TruncProduct(36, 0.9f) == 32);

// The season factor of stem x in a month whose branch is monthBranch.
float SeasonFactor(int x, int monthBranch);

// Counting and scoring of a new chart, from its pillars: seasonScore, the
// yin-yang scores with the combination bonuses, and every element, ten-god
// and pair count (yyCount*, elemCount*, godCount*, pairCount*). Those fields
// are reset first; nothing else is touched.
void CountAndScore(ChartData& c);

// Totals, ordinary patterns, special pattern, element and pair scores,
// day-master score, judgement, roles and the four sort orders.
//   fullAnalysis     true for a new chart: the judgement comes from the
//                    score and the roles are chosen here; false for a
//                    re-analysis: the judgement becomes chosenJudgement,
//                    strengthLevel its level (StrengthLevelOfJudgement) and
//                    the roles stay as they are.
void JudgeStrength(ChartData& c, const ChartOptions& options, bool fullAnalysis, int chosenJudgement = 3);

// The strengthLevel of a chosen judgement: 从旺 is extremely strong (6),
// 从弱 extremely weak (0), 太弱 … 太旺 keep their numbers 1 … 5.
constexpr int StrengthLevelOfJudgement(int judgement) { return judgement == 0 ? 6 : judgement == 6 ? 0 : judgement; }
static_assert(StrengthLevelOfJudgement(0) == 6 && StrengthLevelOfJudgement(6) == 0);
static_assert(StrengthLevelOfJudgement(1) == 1 && StrengthLevelOfJudgement(5) == 5);

// The special pattern of the chart (0..16) or −1. When one is found and
// roles is given, it receives the pattern's elements for 用神 喜神 忌神 仇神
// 闲神. Reads the counts, the cells and the relation slots.
int FindSpecialPattern(const ChartData& c, std::array<std::uint8_t, 5>* roles);

// The role class of every stem and branch cell: 0 when its pair is the 用神
// or 喜神 pair, 1 when the 忌神 or 仇神 pair, 2 otherwise (the day stem,
// whose pair is 255, gets 2).
void SetRoleClasses(ChartData& c);

// The indices 0..n−1 ordered by score, weakest first: selection sort that
// takes the first minimum of the rest and swaps it into place (ties are
// therefore not kept in index order).
template <std::size_t N>
std::array<std::uint8_t, N> SelectionOrder(const std::array<std::int16_t, N>& score) {
    std::array<std::uint8_t, N> order{};
    for (std::size_t i = 0; i < N; ++i) order[i] = static_cast<std::uint8_t>(i);
    for (std::size_t i = 0; i < N; ++i) {
        std::size_t m = i;
        for (std::size_t k = i + 1; k < N; ++k) {
            if (score[order[k]] < score[order[m]]) m = k;
        }
        const std::uint8_t t = order[i];
        order[i] = order[m];
        order[m] = t;
    }
    return order;
}

// The relation of two branches (BranchIndex), the first that holds:
// 0 自刑 (the same branch, 辰 午 酉 or 亥), 1 冲, 2 六合, 3 害, 4 半三合 (the
// middle of a 三合 group with one of its ends), 5 子卯 (无礼之刑); −1 none.
// For 4, *groupElement receives the group's element when given.
int BranchPairRelation(int a, int b, int* groupElement = nullptr);

// The strength section: element scores with their shares, support and
// drain, yin and yang, the day-master score and judgement, the useful and
// harmful elements and the pattern line. UTF-8 with CR LF line ends.
std::string StrengthSectionText(const ChartData& c, const ChartOptions& options);

// The relations section: stem combinations in one sentence, then the branch
// relations (pairs, triples, 四库全), recomputed from the pillars.
std::string RelationsSectionText(const ChartData& c);

}  // namespace tessaly
