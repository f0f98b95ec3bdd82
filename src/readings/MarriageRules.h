// The marriage rules as data: one row per rule, a condition over the chart
// (ChartFacts) and the sentence written when it holds, in groups walked as
// ReadingRules.h describes. Rules that the tables count "after the pass" are
// plain rules placed after their pass; their counts run over all four
// pillars, so they are ordinary conditions on the chart.
//
// Rule ids: MF_ for the rules common to both sexes, MM_ for a man's and
// MW_ for a woman's, followed by the rule's number in its table.
#pragma once

#include "readings/ChartFacts.h"
#include "readings/ReadingRules.h"

namespace tessaly {

// The tables: the common rules before and after the rules of each sex.
ReadingRuleTable MarriageRulesCommonBefore();
ReadingRuleTable MarriageRulesCommonAfter();
ReadingRuleTable MarriageRulesMan();
ReadingRuleTable MarriageRulesWoman();

// Names used by the rule rows.
namespace marriage_names {
// Branches (BranchIndex).
enum : int { kHai, kZi, kChou, kYin, kMao, kChen, kSi, kWu, kWei, kShen, kYou, kXu };
// Stems (StemIndex).
enum : int { kGui, kJia, kYi, kBing, kDing, kWuStem, kJi, kGeng, kXin, kRen };
// Growth stages.
enum : int { kChangSheng, kMuYu, kGuanDai, kLinGuan, kDiWang, kShuai, kBing6, kSiStage, kMuStage, kJue, kTai, kYang };
// The ordinary pattern 正财格.
inline constexpr int kPatternZhengCai = 5;
// The follow judgements.
inline constexpr int kJudgeFollowStrong = 0, kJudgeFollowWeak = 6;
// A pillar by stem and branch.
inline bool DayPillarIs(const ChartFacts& f, int stem, int branch) {
    return f.DayPillar() == PillarOfStemBranch(stem, branch);
}
// Branch p has one of clash, six-harmony, three-harmony, half three-harmony,
// meeting or three-branch punishment (what "without remedy" rules ask for
// the absence of).
inline bool HasResolvingRel(const ChartFacts& f, int p) {
    return f.HasAnyRel(p, {kRelClash, kRelCombine, kRelTriple, kRelHalfTriple, kRelMeeting, kRelThreePunish});
}
}  // namespace marriage_names

}  // namespace tessaly
