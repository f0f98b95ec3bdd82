#include "readings/ReadingRules.h"

namespace tessaly {
namespace {

void FirePlain(std::span<const ReadingRule> rules, const ChartFacts& f, std::vector<FiredRule>& out) {
    for (const ReadingRule& r : rules) {
        if (r.when(f)) out.push_back({r.id, r.text});
    }
}

void FirePillarPass(std::span<const PillarReadingRule> rules, const ChartFacts& f, std::vector<FiredRule>& out) {
    std::vector<bool> ended(rules.size(), false);
    for (const int p : kAllPillars) {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            const PillarReadingRule& r = rules[i];
            if ((ended[i] && !r.everyHit) || !r.when(f, p)) continue;
            ended[i] = true;
            if (r.writeIf == nullptr || r.writeIf(f, p)) out.push_back({r.id, r.text});
        }
    }
}

void FireStemPairPass(std::span<const StemPairReadingRule> rules, const ChartFacts& f, std::vector<FiredRule>& out) {
    std::vector<bool> ended(rules.size(), false);
    for (const auto& [first, next] : kAdjacentStemPairs) {
        for (std::size_t i = 0; i < rules.size(); ++i) {
            const StemPairReadingRule& r = rules[i];
            if (ended[i] || !r.when(f, first, next)) continue;
            ended[i] = true;
            out.push_back({r.id, r.text});
        }
    }
}

}  // namespace

std::vector<FiredRule> FireRules(ReadingRuleTable table, const ChartFacts& f) {
    std::vector<FiredRule> out;
    for (const ReadingRuleGroup& group : table) {
        if (const auto* plain = std::get_if<std::span<const ReadingRule>>(&group)) {
            FirePlain(*plain, f, out);
        } else if (const auto* pillars = std::get_if<std::span<const PillarReadingRule>>(&group)) {
            FirePillarPass(*pillars, f, out);
        } else if (const auto* pairs = std::get_if<std::span<const StemPairReadingRule>>(&group)) {
            FireStemPairPass(*pairs, f, out);
        }
    }
    return out;
}

std::string RulesText(ReadingRuleTable table, const ChartFacts& f) {
    std::string text;
    for (const FiredRule& r : FireRules(table, f)) text += r.text;
    return text;
}

std::vector<std::string_view> RuleIds(ReadingRuleTable table) {
    std::vector<std::string_view> ids;
    for (const ReadingRuleGroup& group : table) {
        std::visit(
            [&](const auto& rows) {
                for (const auto& r : rows) ids.push_back(r.id);
            },
            group);
    }
    return ids;
}

}  // namespace tessaly
