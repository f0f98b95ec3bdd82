#include "readings/MarriageRules.h"

namespace tessaly {
namespace {

void FirePlain(std::span<const MarriageRule> rules, const ChartFacts& f, std::vector<FiredRule>& out) {
    for (const MarriageRule& r : rules) {
        if (r.when(f)) out.push_back({r.id, r.text});
    }
}

// One pass over the pillars; every row is written at its first hit.
void FirePillarPass(std::span<const MarriagePillarRule> rules, const ChartFacts& f, std::vector<FiredRule>& out) {
    std::vector<bool> ended(rules.size(), false);
    for (const int p : kAllPillars) {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            const MarriagePillarRule& r = rules[i];
            if (ended[i] || !r.when(f, p)) continue;
            ended[i] = true;
            if (r.writeIf == nullptr || r.writeIf(f, p)) out.push_back({r.id, r.text});
        }
    }
}

// One pass over the adjacent stem pairs (Y, M) then (M, H).
void FireStemPairPass(std::span<const MarriageStemPairRule> rules, const ChartFacts& f,
                      std::vector<FiredRule>& out) {
    std::vector<bool> ended(rules.size(), false);
    for (const auto& [first, next] : kAdjacentStemPairs) {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            const MarriageStemPairRule& r = rules[i];
            if (ended[i] || !r.when(f, first, next)) continue;
            ended[i] = true;
            out.push_back({r.id, r.text});
        }
    }
}

}  // namespace

std::vector<FiredRule> FireMarriageRules(MarriageRuleTable table, const ChartFacts& f) {
    std::vector<FiredRule> out;
    for (const MarriageRuleGroup& group : table) {
        if (const auto* plain = std::get_if<std::span<const MarriageRule>>(&group)) {
            FirePlain(*plain, f, out);
        } else if (const auto* pillars = std::get_if<std::span<const MarriagePillarRule>>(&group)) {
            FirePillarPass(*pillars, f, out);
        } else if (const auto* pairs = std::get_if<std::span<const MarriageStemPairRule>>(&group)) {
            FireStemPairPass(*pairs, f, out);
        }
    }
    return out;
}

std::string MarriageRulesText(MarriageRuleTable table, const ChartFacts& f) {
    std::string text;
    for (const FiredRule& r : FireMarriageRules(table, f)) text += r.text;
    return text;
}

}  // namespace tessaly
