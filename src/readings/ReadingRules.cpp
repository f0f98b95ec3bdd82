#include "readings/ReadingRules.h"

#include <cstdint>

namespace tessaly {

using namespace pillar_letters;
namespace {

// Which rows of a group have ended their pass: bits of one word for the
// groups the tables hold (a few rows each), a vector beyond that.
class EndedRows {
public:
    explicit EndedRows(std::size_t n) {
        if (n > 64) many_.assign(n, false);
    }
    bool Test(std::size_t i) const { return many_.empty() ? (bits_ >> i) & 1 : bool(many_[i]); }
    void Set(std::size_t i) {
        if (many_.empty()) {
            bits_ |= std::uint64_t{1} << i;
        } else {
            many_[i] = true;
        }
    }

private:
    std::uint64_t bits_ = 0;
    std::vector<bool> many_;
};

// Walks the table in its order and hands every row written to emit(id, text).
template <typename Emit>
void WalkRules(ReadingRuleTable table, const ChartFacts& f, Emit&& emit) {
    for (const ReadingRuleGroup& group : table) {
        if (const auto* plain = std::get_if<std::span<const ReadingRule>>(&group)) {
            for (const ReadingRule& r : *plain) {
                if (r.when(f)) emit(r.id, r.text);
            }
        } else if (const auto* pillars = std::get_if<std::span<const PillarReadingRule>>(&group)) {
            EndedRows ended(pillars->size());
            for (const int p : kAllPillars) {
                for (std::size_t i = 0; i < pillars->size(); ++i) {
                    const PillarReadingRule& r = (*pillars)[i];
                    if ((ended.Test(i) && !r.everyHit) || !r.when(f, p)) continue;
                    ended.Set(i);
                    if (r.writeIf == nullptr || r.writeIf(f, p)) emit(r.id, r.text);
                }
            }
        } else if (const auto* pairs = std::get_if<std::span<const StemPairReadingRule>>(&group)) {
            EndedRows ended(pairs->size());
            for (const auto& [first, next] : kAdjacentStemPairs) {
                for (std::size_t i = 0; i < pairs->size(); ++i) {
                    const StemPairReadingRule& r = (*pairs)[i];
                    if (ended.Test(i) || !r.when(f, first, next)) continue;
                    ended.Set(i);
                    emit(r.id, r.text);
                }
            }
        }
    }
}

}  // namespace

std::vector<FiredRule> FireRules(ReadingRuleTable table, const ChartFacts& f) {
    std::vector<FiredRule> out;
    WalkRules(table, f, [&](std::string_view id, std::string_view text) { out.push_back({id, text}); });
    return out;
}

void AppendRulesText(ReadingRuleTable table, const ChartFacts& f, std::string& out) {
    WalkRules(table, f, [&](std::string_view, std::string_view text) { out += text; });
}

std::string RulesText(ReadingRuleTable table, const ChartFacts& f) {
    std::string text;
    AppendRulesText(table, f, text);
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
