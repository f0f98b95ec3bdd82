#include "matching/Reanalysis.h"

#include <algorithm>

#include "chart/Tables.h"

namespace tessaly {
namespace {

constexpr const char* kBadChoiceText = "用神或日元的设定无效";

// Writes the override into the saved chart: the ten-god scores and the
// yin-yang scores they stand for (all ten of each), the role pairs with
// their elements, and the chosen judgement (which the analysis takes).
void ApplyOverride(const RoleOverride& o, ChartData& c) {
    for (int g = 0; g < 10; ++g) {
        const auto score = static_cast<std::int16_t>(o.scores[g]);
        c.godScore[g] = score;
        c.yyScore[kStemYinYangElement[StemOfGod(o.dayStem, g)]] = score;
    }
    for (int k = 0; k < 5; ++k) {
        c.rolePair[k] = static_cast<std::uint8_t>(o.rolePairs[k]);
        c.roleElement[k] = static_cast<std::uint8_t>((kStemElement[o.dayStem] + o.rolePairs[k]) % 5);
    }
    c.judgement = static_cast<std::uint8_t>(o.judgement);
}

}  // namespace

std::array<RoleOverride, 2> FillOverrides(const MatchingResult& last) {
    std::array<RoleOverride, 2> out;
    for (std::size_t n = 0; n < 2; ++n) {
        const ChartData& c = last.persons[n].Chart();
        RoleOverride& o = out[n];
        for (int g = 0; g < 10; ++g) o.scores[g] = c.godScore[g];
        for (int k = 0; k < 5; ++k) o.rolePairs[k] = c.rolePair[k];
        o.judgement = c.judgement;
        o.dayStem = StemOfPillar(c.pillars[kDayPos]);
    }
    return out;
}

int ParseScoreField(std::string_view text) {
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) i = 1;
    if (i == text.size()) return -1;
    long value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return -1;
        value = std::min(value * 10 + (text[i] - '0'), 1000000L);  // far beyond any score, never wraps
    }
    return static_cast<int>(negative ? -value : value);
}

OverrideCheck CheckOverride(const RoleOverride& o) {
    int sum = 0;
    for (int g = 0; g < 10; ++g) {
        if (o.scores[g] < 0 || o.scores[g] > kMaxScore) return {Status::Error(kScoreRangeText), g};
        sum += o.scores[g];
    }
    if (sum < kMinScoreSum) return {Status::Error(kScoreSumText), -1};
    for (const int p : o.rolePairs) {
        if (p < 0 || p > 4) return {Status::Error(kBadChoiceText), -1};
    }
    if (o.judgement < 0 || o.judgement > 6 || o.dayStem < 0 || o.dayStem > 9) {
        return {Status::Error(kBadChoiceText), -1};
    }
    return {};
}

std::string ScoreLabel(int dayStem, int god) {
    const int stem = StemOfGod(dayStem, god);
    std::string label(kTenGodNames[god]);
    label += kStemNames[stem];
    label += kElementNames[kStemElement[stem]];
    return label;
}

std::string RolePairLabel(int dayStem, int pair) {
    std::string label(kGodPairNames[pair]);
    label += "-";
    label += kElementNames[(kStemElement[dayStem % 10] + pair) % 5];
    return label;
}

MatchingResult Reanalyse(const MatchingResult& last, const std::array<RoleOverride, 2>& overrides,
                         const EndingText& ending) {
    MatchingResult result;
    result.options = last.options;  // the options of the last run, not read again
    if (!last.ok()) {
        result.status = Status::Error(kNeedsMatchingText);
        return result;
    }
    const auto refuse = [&result](int n, const PersonRecord& person, Status status) {
        result.status = std::move(status);
        result.failedPerson = n;
        result.persons[static_cast<std::size_t>(n)].built.person = person;
        return result;
    };
    for (int n = 0; n < 2; ++n) {
        const RoleOverride& o = overrides[static_cast<std::size_t>(n)];
        // The saved chart with its kept chart text; stars, pillars, luck
        // pillars and the chart table come along unchanged.
        PersonChart built = last.persons[static_cast<std::size_t>(n)].built;
        OverrideCheck check = CheckOverride(o);
        if (check.status.ok() && o.dayStem != StemOfPillar(built.chart.pillars[kDayPos])) {
            check.status = Status::Error(kBadChoiceText);
        }
        if (!check.status.ok()) return refuse(n, built.person, check.status);
        ApplyOverride(o, built.chart);
        // The moments come along too: the last run converted this record
        // with these options.
        result.persons[static_cast<std::size_t>(n)] = AnalysePerson(std::move(built), result.options, false);
    }
    PairAndAssemble(result, ending);
    return result;
}

}  // namespace tessaly
