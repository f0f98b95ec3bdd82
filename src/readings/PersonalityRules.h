// The rule tables of the personality reading: each row one condition on the
// chart of the person in hand and one sentence, tested in table order.
//
// A table is a list of blocks, each one of the ways its rows are walked:
//   kOnce          single rules, each tested once
//   kEachPillar    one pass over the pillars Y, M, D, H; inside it the rows
//                  are tested in order for each pillar, each written at most
//                  once (at its first hit) unless the row says every hit
//   kEachStemPair  one pass over the adjacent stem pairs (Y, M) then (M, H),
//                  the first stem "this", the second "next"; each row at
//                  most once
// Rows that a group tests "after the pass" are single rules in a kOnce block
// right after it: their counts run over all four pillars.
//
// Row ids carry the prefix P_ (the marriage tables reuse some letters).
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "readings/ChartFacts.h"

namespace tessaly::personality {

struct Rule {
    std::string_view id;
    bool (*when)(const ChartFacts& f);
    std::string_view text;
};

enum class Hits { kFirstOnly, kEvery };

struct PillarRule {
    std::string_view id;
    bool (*when)(const ChartFacts& f, int p);
    std::string_view text;
    Hits hits = Hits::kFirstOnly;
};

struct StemPairRule {
    std::string_view id;
    bool (*when)(const ChartFacts& f, int self, int next);
    std::string_view text;
};

enum class Pass { kOnce, kEachPillar, kEachStemPair };

struct RuleBlock {
    Pass pass;
    std::span<const Rule> rules;              // kOnce
    std::span<const PillarRule> pillarRules;  // kEachPillar
    std::span<const StemPairRule> pairRules;  // kEachStemPair
};

// A written row: its id and sentence.
struct RuleHit {
    std::string_view id;
    std::string_view text;
};

// The rows of step 7 (groups A and B, with 命遇三奇 between them) and of step
// 9 (C1 … AJ8) of the personality section.
std::span<const RuleBlock> TraitRules();
std::span<const RuleBlock> CharacterRules();

// Walks a table over one chart and returns the rows written, in order.
std::vector<RuleHit> EvaluateRules(std::span<const RuleBlock> table, const ChartFacts& f);

// 三奇: the stems 甲戊庚 (天上三奇), 乙丙丁 (地下三奇) or 壬癸辛 (人中三奇) in
// this order on the year, month and day stems or on the month, day and hour
// stems (顺布; the reverse order does not count).
bool MeetsSanQi(const ChartFacts& f);

}  // namespace tessaly::personality
