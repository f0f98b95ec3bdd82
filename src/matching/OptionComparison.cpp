#include "matching/OptionComparison.h"

#include "chart/Tables.h"
#include "readings/IndexParts.h"

namespace tessaly {
namespace {

constexpr SchoolOption kSchoolOptions[] = {
    {"zishi", "区分夜子时、和早子时", {"否", "是"}}, {"biange", "变格时按格局取用神", {"否", "是"}},
    {"mgong", "命宫起法", {"按节入起", "按中气起"}}, {"idate", "使用时间", {"北京时间", "真太阳时", "地方时"}},
    {"bscore", "婚配指数高分制", {"否", "是"}},      {"congGe", "分析使用从格", {"否", "是"}},
};

const OptionKey& KeyOf(std::string_view key) {
    for (const OptionKey& k : OptionKeys()) {
        if (k.key == key) return k;
    }
    // Every school option is a key of the table (checked by the tests).
    return OptionKeys().front();
}

PersonOutcome PersonOutcomeOf(const ChartData& c) {
    PersonOutcome p;
    p.pillars = c.pillars;
    p.lifePalace = c.lifePalace;
    p.patterns = c.patterns;
    p.specialPattern = c.specialPattern;
    p.judgement = c.judgement;
    p.favourable = {c.roleElement[0], c.roleElement[1]};
    p.favourablePairs = {c.rolePair[0], c.rolePair[1]};
    return p;
}

// The steps of RunMatching up to the pairing.
RunOutcome ScoreRun(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                    LunarCalendar& calendar) {
    RunOutcome out;
    MatchingResult run;
    run.options = options;
    const PersonRecord* records[2] = {&a, &b};
    for (int n = 0; n < 2; ++n) {
        ScoredPerson p = ScorePersonOfRun(*records[n], n, options, calendar);
        run.persons[static_cast<std::size_t>(n)] = std::move(p.analysis);
        if (!p.status.ok()) {
            run.status = p.status;
            run.failedPerson = n;
            out.status = run.status.needsClockChoice() ? Status::ClockChoiceNeeded(run.ErrorText())
                                                       : Status::Error(run.ErrorText());
            out.failedPerson = n;
            return out;
        }
    }
    const PersonAnalysis& pa = run.persons[0];
    const PersonAnalysis& pb = run.persons[1];
    const PairingResult pairing = PairingAnalysis(pa.Chart(), pb.Chart(), pa.Person(), pb.Person(), options);
    out.persons = {PersonOutcomeOf(pa.Chart()), PersonOutcomeOf(pb.Chart())};
    out.index = pairing.index;
    out.points = pairing.points;
    return out;
}

void MarkChanges(const RunOutcome& base, OptionVariant& v) {
    if (!v.outcome.ok()) {
        v.changed.fill(true);
        return;
    }
    const auto mark = [&v](OutcomeColumn c, bool differs) { v.changed[static_cast<std::size_t>(c)] = differs; };
    for (int n = 0; n < 2; ++n) {
        const PersonOutcome& was = base.persons[static_cast<std::size_t>(n)];
        const PersonOutcome& is = v.outcome.persons[static_cast<std::size_t>(n)];
        const int first =
            n == 0 ? static_cast<int>(OutcomeColumn::kPillarsA) : static_cast<int>(OutcomeColumn::kPillarsB);
        mark(static_cast<OutcomeColumn>(first + 0), was.pillars != is.pillars);
        mark(static_cast<OutcomeColumn>(first + 1), was.lifePalace != is.lifePalace);
        mark(static_cast<OutcomeColumn>(first + 2),
             was.patterns != is.patterns || was.specialPattern != is.specialPattern);
        mark(static_cast<OutcomeColumn>(first + 3), was.judgement != is.judgement);
        mark(static_cast<OutcomeColumn>(first + 4),
             was.favourable != is.favourable || was.favourablePairs != is.favourablePairs);
    }
    mark(OutcomeColumn::kIndex, base.index != v.outcome.index);
    for (int i = 0; i < kIndexPartCount; ++i) {
        if (base.points[static_cast<std::size_t>(i)] != v.outcome.points[static_cast<std::size_t>(i)]) {
            v.movedParts.push_back(static_cast<IndexPartId>(i));
        }
    }
    mark(OutcomeColumn::kParts, !v.movedParts.empty());
}

std::string Pillars(const std::array<std::int16_t, 4>& pillars) {
    std::string s;
    for (const std::int16_t p : pillars) {
        if (!s.empty()) s += ' ';
        s += PillarName(p);
    }
    return s;
}

std::string Pattern(const PersonOutcome& p) {
    std::string s;
    for (const std::int16_t g : p.patterns) {
        if (g < 0 || g >= static_cast<int>(kOrdinaryPatternNames.size())) break;
        s += (s.empty() ? "" : "、") + std::string(kOrdinaryPatternNames[static_cast<std::size_t>(g)]) + "格";
    }
    if (s.empty()) s = "未入正格";
    if (p.specialPattern >= 0 && p.specialPattern < static_cast<int>(kSpecialPatternNames.size())) {
        s += "，" + std::string(kSpecialPatternNames[static_cast<std::size_t>(p.specialPattern)]) + "（变格）";
    }
    return s;
}

std::string Favourable(const PersonOutcome& p) {
    return std::string(kElementNames[p.favourable[0] % 5]) + std::string(kElementNames[p.favourable[1] % 5]) + "（" +
           std::string(kGodPairNames[p.favourablePairs[0] % 5]) + "、" +
           std::string(kGodPairNames[p.favourablePairs[1] % 5]) + "）";
}

std::string MovedParts(const RunOutcome& base, const OptionVariant& v) {
    std::string s;
    for (const IndexPartId id : v.movedParts) {
        const auto i = static_cast<std::size_t>(id);
        s += (s.empty() ? "" : "，") + std::string(IndexPartName(id)) + " " + PointsText(base.points[i]) + "→" +
             PointsText(v.outcome.points[i]);
    }
    return s;
}

}  // namespace

std::span<const SchoolOption> SchoolOptions() { return kSchoolOptions; }

int SchoolOptionValue(const ChartOptions& options, std::string_view key) { return KeyOf(key).get(options); }

ChartOptions WithSchoolOption(ChartOptions options, std::string_view key, int value) {
    KeyOf(key).set(options, value);
    return options;
}

RunOutcome OutcomeOf(const MatchingResult& result) {
    RunOutcome out;
    if (!result.ok()) {
        out.status = result.status.needsClockChoice() ? Status::ClockChoiceNeeded(result.ErrorText())
                                                      : Status::Error(result.ErrorText());
        out.failedPerson = result.failedPerson;
        return out;
    }
    out.persons = {PersonOutcomeOf(result.persons[0].Chart()), PersonOutcomeOf(result.persons[1].Chart())};
    out.index = result.index;
    out.points = IndexPartsOf(result).Points();
    return out;
}

std::string OptionVariant::Setting() const { return std::string(option->key) + "=" + std::to_string(value); }

std::string OptionVariant::Label() const {
    return std::string(option->caption) + "：" + std::string(option->valueNames[static_cast<std::size_t>(value)]);
}

bool OptionVariant::ChangesAnything() const {
    for (const bool c : changed) {
        if (c) return true;
    }
    return false;
}

OptionComparison CompareOptions(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options) {
    LunarCalendar calendar;
    return CompareOptions(a, b, options, calendar);
}

OptionComparison CompareOptions(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                                LunarCalendar& calendar) {
    OptionComparison c;
    c.options = options;
    calendar.ForgetTermMoments();
    c.base = ScoreRun(a, b, options, calendar);
    if (!c.base.ok()) {
        c.status = c.base.status;
        return c;
    }
    for (const SchoolOption& option : kSchoolOptions) {
        const OptionKey& key = KeyOf(option.key);
        const int own = key.get(options);
        for (int value = key.min; value <= key.max; ++value) {
            if (value == own) continue;
            OptionVariant v;
            v.option = &option;
            v.value = value;
            v.outcome = ScoreRun(a, b, WithSchoolOption(options, option.key, value), calendar);
            MarkChanges(c.base, v);
            c.variants.push_back(std::move(v));
        }
    }
    return c;
}

std::array<std::string, kOutcomeColumnCount> OutcomeCells(const RunOutcome& outcome) {
    std::array<std::string, kOutcomeColumnCount> cells;
    if (!outcome.ok()) {
        cells.fill("—");
        cells[0] = outcome.status.message();
        return cells;
    }
    for (int n = 0; n < 2; ++n) {
        const PersonOutcome& p = outcome.persons[static_cast<std::size_t>(n)];
        const std::size_t first = n == 0 ? 0 : 5;
        cells[first + 0] = Pillars(p.pillars);
        cells[first + 1] = PillarName(p.lifePalace);
        cells[first + 2] = Pattern(p);
        cells[first + 3] = p.judgement < kJudgementNames.size() ? std::string(kJudgementNames[p.judgement]) : "?";
        cells[first + 4] = Favourable(p);
    }
    cells[static_cast<std::size_t>(OutcomeColumn::kIndex)] = PointsText(outcome.index);
    return cells;
}

ComparisonTable ComparisonTableOf(const OptionComparison& comparison) {
    ComparisonTable t;
    t.columns = {"甲命八字", "甲命命宫", "甲命格局", "甲命日元", "甲命喜用", "乙命八字",
                 "乙命命宫", "乙命格局", "乙命日元", "乙命喜用", "婚配指数", "变动分项"};
    if (!comparison.ok()) return t;
    ComparisonRow own;
    own.label = kOwnSettingsLabel;
    own.cells = OutcomeCells(comparison.base);
    t.rows.push_back(std::move(own));
    for (const OptionVariant& v : comparison.variants) {
        ComparisonRow row;
        row.label = v.Label();
        row.setting = v.Setting();
        row.cells = OutcomeCells(v.outcome);
        if (v.outcome.ok()) row.cells[static_cast<std::size_t>(OutcomeColumn::kParts)] = MovedParts(comparison.base, v);
        row.changed = v.changed;
        t.rows.push_back(std::move(row));
    }
    return t;
}

}  // namespace tessaly
