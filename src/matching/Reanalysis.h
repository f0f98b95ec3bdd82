// Reanalysis (aka FillOverrides, Reanalyse, RoleOverride) — the user's own
// judgement of a matched couple: for each person the ten ten-god scores, the
// pair of each usefulness role and the day-master judgement, and the whole
// report analysed again from them.
//
// Like the matching run it is a function of values: the last result and the
// overrides go in, a new result comes out; the last result is not touched,
// so a second override starts from the first one's values when it is filled
// from the new result.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "chart/ChartOptions.h"
#include "common/Status.h"
#include "matching/MatchingRun.h"

namespace tessaly {

// One person's override.
struct RoleOverride {
    std::array<int, 10> scores{};    // score per TenGod (比肩 … 正印), 0..999
    std::array<int, 5> rolePairs{};  // GodPair of 用神 喜神 忌神 仇神 闲神
    int judgement = 3;               // StrengthJudgement: 0 从旺 … 6 从弱
    int dayStem = 0;                 // StemIndex of the person's day stem

    friend bool operator==(const RoleOverride&, const RoleOverride&) = default;
};

// The overrides as the charts of a result now are: scores := godScore,
// rolePairs := rolePair, judgement := judgement, dayStem := the day stem.
std::array<RoleOverride, 2> FillOverrides(const MatchingResult& last);

// A score field as the user typed it: an optionally signed run of decimal
// digits is its number (large numbers stay large), anything else — an empty
// field included — counts as −1.
int ParseScoreField(std::string_view text);

inline constexpr const char* kScoreRangeText = "请输入0至999之间的数";
inline constexpr const char* kScoreSumText = "十神之和不能小于36";
inline constexpr int kMinScoreSum = 36;
inline constexpr int kMaxScore = 999;

struct OverrideCheck {
    Status status;        // empty, kScoreRangeText, kScoreSumText, or a role/judgement message
    int scoreField = -1;  // the ten god whose score is refused (kScoreRangeText only)
};

// The checks of an override, the first that fails: each score in ten-god
// order within 0..999, then the sum of the scores at least 36, then the role
// pairs within 0..4, the judgement within 0..6 and the day stem within 0..9.
OverrideCheck CheckOverride(const RoleOverride& o);

// Labels of the override's fields for a day stem: the score of ten god g is
// labelled by the god, its stem and that stem's element ("比肩丙火" on a 丙
// day); pair p by its name and the element it means ("比劫-木" on a 甲 day).
std::string ScoreLabel(int dayStem, int god);
std::string RolePairLabel(int dayStem, int pair);

// Reanalyse — both charts of the last result analysed again with the
// overrides, then the pairing and the report as the matching run makes them.
//   Given:     last       a successful matching run (or an earlier
//                         re-analysis); its options are used, not re-read
//              overrides  甲命's and 乙命's (checked with CheckOverride; the
//                         day stem must be the chart's)
//              ending     the ending text, appended when the options ask
//   Returned:  the new result: per person the chart text kept, the birth
//              converted again, the override applied (ten-god and yin-yang
//              scores, role pairs and elements, the judgement with its
//              level) and the analysis without counting and scoring; then
//              the pairing section, the index and the report. The stars,
//              pillars, luck pillars and chart table do not change.
//              A last result that failed, or an override that fails its
//              checks, gives a failed result (failedPerson names the person
//              of a refused override).
MatchingResult Reanalyse(const MatchingResult& last, const std::array<RoleOverride, 2>& overrides,
                         const EndingText& ending = {});

// The message of an override of a run that did not succeed.
inline constexpr const char* kNeedsMatchingText = "请先排一个正确的盘";

}  // namespace tessaly
