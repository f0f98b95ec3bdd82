#include "cli/ChartJson.h"

#include <cstdio>

namespace tessaly::cli {

std::string FormatCivilTime(const CivilTime& t) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", ShownYear(t.year), t.month, t.day, t.hour, t.minute);
    return buf;
}

std::string FormatCivilDate(const CivilTime& t) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ShownYear(t.year), t.month, t.day);
    return buf;
}

std::string FormatCivilSecond(const CivilSecond& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, ":%02d", t.second);
    return FormatCivilTime(t.time) + buf;
}

void WriteBirthPath(JsonWriter& w, const BirthPath& p) {
    static constexpr const char* kStepNames[kPathStepCount] = {"entered",   "lunar_to_solar",   "clock_to_standard",
                                                               "longitude", "equation_of_time", "rounding"};
    w.BeginObject();
    w.Key("calendar").String(p.lunar ? "lunar" : "solar");
    if (p.lunar) w.Key("leap_month").Bool(p.leapMonth);
    w.Key("civil_clock").Bool(p.civilClock);
    if (p.civilClock) {
        w.Key("time_zone").String(p.timeZone);
        w.Key("utc_offset_seconds").Integer(p.clockOffsetSeconds);
        w.Key("summer_time").Bool(p.summerTime);
    }
    static constexpr const char* kBasisNames[] = {"北京时间", "真太阳时", "地方时"};
    w.Key("time_basis").Integer(static_cast<int>(p.timeBasis));
    w.Key("time_basis_name").String(kBasisNames[static_cast<int>(p.timeBasis)]);
    if (p.timeBasis != TimeBasis::kBeijingTime) w.Key("longitude").Number(p.longitude);
    w.Key("late_zi_hour_keeps_day").Bool(p.lateZiHourKeepsDay);
    w.Key("steps").BeginArray();
    for (const PathStep& s : p.steps) {
        w.BeginObject();
        w.Key("step").String(kStepNames[static_cast<int>(s.kind)]);
        w.Key("applies").Bool(s.applies);
        w.Key("amount_seconds").Integer(s.amountSeconds);
        w.Key("time").String(FormatCivilSecond(s.moment));
        w.EndObject();
    }
    w.EndArray();
    w.Key("standard_time").String(FormatCivilTime(p.standardTime));
    w.Key("chart_time").String(FormatCivilTime(p.chartTime));
    w.Key("late_zi_hour").Bool(p.lateZiHour);
    w.Key("day_pillar_date").String(FormatCivilDate(p.dayPillarDate));
    w.EndObject();
}

void WriteChartData(JsonWriter& w, const ChartData& c) {
    w.Key("pillars").IntArray(c.pillars);
    w.Key("nayin_element").IntArray(c.nayinElement);
    w.Key("yy_count_branch").IntArray(c.yyCountBranch);
    w.Key("yy_count_hidden").IntArray(c.yyCountHidden);
    w.Key("elem_count_branch").IntArray(c.elemCountBranch);
    w.Key("elem_count_hidden").IntArray(c.elemCountHidden);
    w.Key("god_count_branch").IntArray(c.godCountBranch);
    w.Key("god_count_hidden").IntArray(c.godCountHidden);
    w.Key("pair_count_branch").IntArray(c.pairCountBranch);
    w.Key("pair_count_hidden").IntArray(c.pairCountHidden);
    w.Key("stem_god_count").IntArray(c.stemGodCount);
    w.Key("stem_pair_count").IntArray(c.stemPairCount);
    w.Key("branch_god_count").IntArray(c.branchGodCount);
    w.Key("hidden_god_count").IntArray(c.hiddenGodCount);
    w.Key("branch_pair_count").IntArray(c.branchPairCount);
    w.Key("hidden_pair_count").IntArray(c.hiddenPairCount);
    w.Key("day_master_score").Integer(c.dayMasterScore);
    w.Key("yy_score").IntArray(c.yyScore);
    w.Key("god_score").IntArray(c.godScore);
    w.Key("element_score").IntArray(c.elementScore);
    w.Key("pair_score").IntArray(c.pairScore);
    w.Key("element_order").IntArray(c.elementOrder);
    w.Key("pair_order").IntArray(c.pairOrder);
    w.Key("yy_order").IntArray(c.yyOrder);
    w.Key("god_order").IntArray(c.godOrder);
    w.Key("yin_total").Integer(c.yinTotal);
    w.Key("yang_total").Integer(c.yangTotal);
    w.Key("season_score").Integer(c.seasonScore);
    w.Key("strength_level").Integer(c.strengthLevel);
    w.Key("judgement").Integer(c.judgement);
    w.Key("patterns").IntArray(c.patterns);
    w.Key("special_pattern").Integer(c.specialPattern);
    w.Key("constellation").Integer(c.constellation);
    w.Key("life_palace").Integer(c.lifePalace);
    w.Key("conception_pillar").Integer(c.conceptionPillar);
    w.Key("luck_start_years").Integer(c.luckStartYears);
    w.Key("role_element").IntArray(c.roleElement);
    w.Key("role_pair").IntArray(c.rolePair);
    w.Key("star_hits").BeginArray();
    for (const auto& row : c.starHits) w.IntArray(row);
    w.EndArray();
    w.Key("stems").BeginArray();
    for (const StemCell& s : c.stems) {
        w.BeginObject();
        w.Key("god").Integer(s.god);
        w.Key("pair").Integer(s.pair);
        w.Key("stage").Integer(s.stage);
        w.Key("season").Integer(s.season);
        w.Key("combine_kind").Integer(s.combineKind);
        w.Key("role_class").Integer(s.roleClass);
        w.EndObject();
    }
    w.EndArray();
    w.Key("branches").BeginArray();
    for (const BranchCell& b : c.branches) {
        w.BeginObject();
        w.Key("god").Integer(b.god);
        w.Key("pair").Integer(b.pair);
        w.Key("hidden_gods").IntArray(b.hiddenGods);
        w.Key("hidden_pairs").IntArray(b.hiddenPairs);
        w.Key("season").Integer(b.season);
        w.Key("role_class").Integer(b.roleClass);
        w.Key("relations").IntArray(b.relations);
        w.EndObject();
    }
    w.EndArray();
    w.Key("era").Integer(c.era);
    w.Key("birth_number").Integer(c.birthNumber);
}

void WritePerson(JsonWriter& w, const PersonRecord& p, const BirthMoments& m, const ChartData& c,
                 const ChartOptions* options) {
    w.BeginObject();
    w.Key("name").String(p.name);
    w.Key("sex").String(p.isMale ? "M" : "F");
    w.Key("place").String(p.placeText);
    w.Key("longitude").Number(p.longitude);
    w.Key("latitude").Number(p.latitude);
    w.Key("clock_time").String(FormatCivilTime(m.clockTime));
    w.Key("chart_time").String(FormatCivilTime(m.chartTime));
    w.Key("lunar_time").String(FormatCivilTime(m.lunarTime));
    w.Key("is_leap_month").Bool(m.isLeapMonth);
    if (m.civil.used) {  // read from the clock of the birth place
        w.Key("clock").String("civil");
        w.Key("time_zone").String(m.civil.timeZone);
        w.Key("local_time").String(FormatCivilTime(m.civil.localTime));
        w.Key("summer_time").Bool(m.civil.summerTime);
    }
    if (options != nullptr) {
        w.Key("birth_path");
        WriteBirthPath(w, BirthPathOf(p, m, *options));
    }
    WriteChartData(w, c);
    w.EndObject();
}

namespace {

// The part's name in JSON: what it is, in snake_case.
constexpr std::string_view kPartIds[kIndexPartCount] = {
    "mutual_support", "favourable_elements", "element_balance", "yin_yang_balance", "day_masters", "birth_years",
    "nine_stars",     "constellations",      "birth_numbers",   "high_score_bonus", "cap"};

}  // namespace

void WriteIndexParts(JsonWriter& w, const IndexParts& parts) {
    w.BeginArray();
    for (const IndexPart& p : parts.parts) {
        w.BeginObject();
        w.Key("id").String(kPartIds[static_cast<int>(p.id)]);
        w.Key("name").String(p.name);
        w.Key("points").Number(p.points);
        w.Key("max").Number(p.max);
        w.Key("applies").Bool(p.applies);
        w.Key("inputs").BeginArray();
        for (const IndexPartInput& in : p.inputs) {
            w.BeginObject();
            w.Key("name").String(in.name);
            if (in.ofBoth) {
                w.Key("a").String(in.a);
                w.Key("b").String(in.b);
            } else {
                w.Key("value").String(in.a);
            }
            w.EndObject();
        }
        w.EndArray();
        w.Key("line").String(p.line);
        w.Key("note").String(p.note);
        w.EndObject();
    }
    w.EndArray();
}

std::string MatchingRunJson(const MatchingResult& m) {
    JsonWriter w;
    w.BeginObject();
    w.Key("index").Number(m.index);
    w.Key("index_parts");
    WriteIndexParts(w, IndexPartsOf(m));
    w.Key("report").String(m.Text());
    w.Key("persons").BeginArray();
    for (const PersonAnalysis& p : m.persons) WritePerson(w, p.Person(), p.built.moments, p.Chart(), &m.options);
    w.EndArray();
    w.EndObject();
    return w.str();
}

}  // namespace tessaly::cli
