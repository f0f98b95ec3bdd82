// The marriage rules as data: one row per rule, a condition over the chart
// (ChartFacts) and the sentence written when it holds.
//
// A table is a list of groups walked in order:
//   - plain rules, each tested once in row order;
//   - a pass over the pillars Y, M, D, H: inside it the group's rows are
//     tested in row order for each pillar, and each row is written at its
//     first hit and not tested again in that pass;
//   - a pass over the adjacent stem pairs (Y, M) then (M, H), likewise.
// Rules that the tables count "after the pass" are plain rules placed after
// their pass; their counts run over all four pillars, so they are ordinary
// conditions on the chart.
//
// Rule ids: MF_ for the rules common to both sexes, MM_ for a man's and
// MW_ for a woman's, followed by the rule's number in its table.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "readings/ChartFacts.h"

namespace tessaly {

// A rule tested once.
struct MarriageRule {
    std::string_view id;
    bool (*when)(const ChartFacts&);
    std::string_view text;
};

// A rule of a pass over the pillars. With writeIf set, the first pillar that
// meets `when` ends the rule, and its sentence is written only if writeIf
// holds for that pillar.
struct MarriagePillarRule {
    std::string_view id;
    bool (*when)(const ChartFacts&, int p);
    std::string_view text;
    bool (*writeIf)(const ChartFacts&, int p) = nullptr;
};

// A rule of a pass over the adjacent stem pairs: `first` is this stem's
// pillar, `next` the next one's.
struct MarriageStemPairRule {
    std::string_view id;
    bool (*when)(const ChartFacts&, int first, int next);
    std::string_view text;
};

using MarriageRuleGroup = std::variant<std::span<const MarriageRule>, std::span<const MarriagePillarRule>,
                                       std::span<const MarriageStemPairRule>>;
using MarriageRuleTable = std::span<const MarriageRuleGroup>;

// One written sentence with the id of the rule that wrote it.
struct FiredRule {
    std::string_view id;
    std::string_view text;
};

// The rules of a table that hold for the chart, in the order written.
std::vector<FiredRule> FireMarriageRules(MarriageRuleTable table, const ChartFacts& f);
// Their sentences run together.
std::string MarriageRulesText(MarriageRuleTable table, const ChartFacts& f);

// The tables. Common rules: F1 to F6 (with the 将星 sentence after F1)
// before the man's or woman's rules, F7 to F32 after them.
MarriageRuleTable MarriageRulesCommonBefore();
MarriageRuleTable MarriageRulesCommonAfter();
MarriageRuleTable MarriageRulesMan();
MarriageRuleTable MarriageRulesWoman();

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
constexpr int PillarOf(int stem, int branch) { return PillarOfStemBranch(stem, branch); }
inline bool DayPillarIs(const ChartFacts& f, int stem, int branch) { return f.DayPillar() == PillarOf(stem, branch); }
// Branch p has one of clash, six-harmony, three-harmony, half three-harmony,
// meeting or three-branch punishment (what "without remedy" rules ask for
// the absence of).
inline bool HasResolvingRel(const ChartFacts& f, int p) {
    return f.HasAnyRel(p, {kRelClash, kRelCombine, kRelTriple, kRelHalfTriple, kRelMeeting, kRelThreePunish});
}
}  // namespace marriage_names

}  // namespace tessaly
