// ReadingRules — the rule rows of the personality and marriage readings and
// the one way they are walked.
//
// A reading is a sequence of groups; each group is a list of rows, one row
// per rule: an id, a condition on the chart, and the sentence written when
// the condition holds. A group is walked in one of three ways:
//
//   plain rows           each row tested once, in table order;
//   for each pillar      one pass over Y, M, D, H; inside it the rows in table
//                        order; a row is written at its first hit and not
//                        tested again in that pass (unless it counts every
//                        hit), and a row with a "write only if" test is
//                        ended by its first hit but written only when the
//                        test holds there;
//   adjacent stem pairs  (Y, M) and then (M, H), each row at its first hit.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "readings/ChartFacts.h"

namespace tessaly {

// A reading section as a report shows it: the heading line (without its
// line end) and the rest, which begins with that line end.
struct ReadingSection {
    std::string heading;
    std::string body;

    std::string Text() const { return heading + body; }
};

struct ReadingRule {
    std::string_view id;
    bool (*when)(const ChartFacts& f);
    std::string_view text;
};

struct PillarReadingRule {
    std::string_view id;
    bool (*when)(const ChartFacts& f, int p);
    std::string_view text;
    bool (*writeIf)(const ChartFacts& f, int p) = nullptr;  // tested at the first hit only
    bool everyHit = false;                                  // written at every pillar that hits
};

struct StemPairReadingRule {
    std::string_view id;
    bool (*when)(const ChartFacts& f, int first, int next);
    std::string_view text;
};

using ReadingRuleGroup = std::variant<std::span<const ReadingRule>, std::span<const PillarReadingRule>,
                                      std::span<const StemPairReadingRule>>;
using ReadingRuleTable = std::span<const ReadingRuleGroup>;

struct FiredRule {
    std::string_view id;
    std::string_view text;
};

// The rows written for the chart, in order.
std::vector<FiredRule> FireRules(ReadingRuleTable table, const ChartFacts& f);
// Their sentences joined, or appended to `out`.
std::string RulesText(ReadingRuleTable table, const ChartFacts& f);
void AppendRulesText(ReadingRuleTable table, const ChartFacts& f, std::string& out);

// The ids of every row, in table order.
std::vector<std::string_view> RuleIds(ReadingRuleTable table);

}  // namespace tessaly
