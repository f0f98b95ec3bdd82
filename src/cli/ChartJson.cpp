#include "cli/ChartJson.h"

#include <cstdio>

#include "calendar/Sexagenary.h"
#include "chart/Stars.h"
#include "chart/Tables.h"

namespace tessaly::cli {
namespace {

// Names of the codes the chart block keeps as numbers, beside those of
// chart/Tables.h.
constexpr std::array<std::string_view, 5> kCombineNames = {"戊癸", "甲己", "乙庚", "丙辛", "丁壬"};
constexpr std::array<std::string_view, 3> kRoleClassNames = {"喜用", "忌仇", "闲"};
constexpr std::array<std::string_view, 8> kRelationNames = {"冲", "刑", "害", "六合", "三合", "半三合", "三会", "三刑"};
// The day master's strength, weakest first, as the report words the extremes.
constexpr std::array<std::string_view, 7> kStrengthLevelNames = {"极弱", "太弱", "偏弱", "平和",
                                                                 "偏旺", "太旺", "极旺"};
constexpr std::array<std::string_view, 3> kEraNames = {"上元", "中元", "下元"};

// names[code] followed by `suffix`, or null for a code outside the table
// (255 or −1, "none").
template <class Names>
void CodeName(JsonWriter& w, long long code, const Names& names, std::string_view suffix = {}) {
    if (code < 0 || code >= static_cast<long long>(names.size())) {
        w.Null();
        return;
    }
    w.String(std::string(names[static_cast<std::size_t>(code)]).append(suffix));
}

// The names of an array of codes, one for one.
template <class Codes, class Names>
void CodeNames(JsonWriter& w, const Codes& codes, const Names& names) {
    w.BeginArray();
    for (const auto c : codes) CodeName(w, static_cast<long long>(c), names);
    w.EndArray();
}

void PillarNames(JsonWriter& w, const auto& pillars) {
    w.BeginArray();
    for (const auto p : pillars) w.String(PillarName(p));
    w.EndArray();
}

}  // namespace

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
    w.Key("pillar_names");
    PillarNames(w, c.pillars);
    w.Key("nayin_element").IntArray(c.nayinElement);
    w.Key("nayin_element_names");
    CodeNames(w, c.nayinElement, kElementNames);
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
    w.Key("element_order_names");
    CodeNames(w, c.elementOrder, kElementNames);
    w.Key("pair_order").IntArray(c.pairOrder);
    w.Key("pair_order_names");
    CodeNames(w, c.pairOrder, kGodPairNames);
    w.Key("yy_order").IntArray(c.yyOrder);
    w.Key("yy_order_names");
    CodeNames(w, c.yyOrder, kYinYangElementNames);
    w.Key("god_order").IntArray(c.godOrder);
    w.Key("god_order_names");
    CodeNames(w, c.godOrder, kTenGodNames);
    w.Key("yin_total").Integer(c.yinTotal);
    w.Key("yang_total").Integer(c.yangTotal);
    w.Key("season_score").Integer(c.seasonScore);
    w.Key("strength_level").Integer(c.strengthLevel);
    w.Key("strength_level_name");
    CodeName(w, c.strengthLevel, kStrengthLevelNames);
    w.Key("judgement").Integer(c.judgement);
    w.Key("judgement_name");
    CodeName(w, c.judgement, kJudgementNames);
    w.Key("patterns").IntArray(c.patterns);
    w.Key("pattern_names").BeginArray();
    for (const auto p : c.patterns) {
        if (p < 0) break;
        CodeName(w, p, kOrdinaryPatternNames, "格");
    }
    w.EndArray();
    w.Key("special_pattern").Integer(c.specialPattern);
    w.Key("special_pattern_name");
    CodeName(w, c.specialPattern, kSpecialPatternNames);
    w.Key("constellation").Integer(c.constellation);
    w.Key("constellation_name");
    CodeName(w, c.constellation, kConstellationNames, "座");
    w.Key("life_palace").Integer(c.lifePalace);
    w.Key("life_palace_name").String(PillarName(c.lifePalace));
    w.Key("conception_pillar").Integer(c.conceptionPillar);
    w.Key("conception_pillar_name").String(PillarName(c.conceptionPillar));
    w.Key("luck_start_years").Integer(c.luckStartYears);
    w.Key("role_element").IntArray(c.roleElement);
    w.Key("role_element_names");
    CodeNames(w, c.roleElement, kElementNames);
    w.Key("role_pair").IntArray(c.rolePair);
    w.Key("role_pair_names");
    CodeNames(w, c.rolePair, kGodPairNames);
    w.Key("star_hits").BeginArray();
    for (const auto& row : c.starHits) w.IntArray(row);
    w.EndArray();
    w.Key("star_names").BeginArray();
    for (const auto& row : c.starHits) {
        w.BeginArray();
        for (std::size_t slot = 0; slot < row.size(); ++slot) {
            if (row[slot] != 0 && !kStarNames[slot].empty()) w.String(kStarNames[slot]);
        }
        w.EndArray();
    }
    w.EndArray();
    w.Key("stems").BeginArray();
    for (const StemCell& s : c.stems) {
        w.BeginObject();
        w.Key("god").Integer(s.god);
        w.Key("god_name");
        CodeName(w, s.god, kTenGodNames);
        w.Key("pair").Integer(s.pair);
        w.Key("pair_name");
        CodeName(w, s.pair, kGodPairNames);
        w.Key("stage").Integer(s.stage);
        w.Key("stage_name");
        CodeName(w, s.stage, kGrowthStageNames);
        w.Key("season").Integer(s.season);
        w.Key("season_name");
        CodeName(w, s.season, kSeasonStateNames);
        w.Key("combine_kind").Integer(s.combineKind);
        w.Key("combine_name");
        CodeName(w, s.combineKind, kCombineNames);
        w.Key("role_class").Integer(s.roleClass);
        w.Key("role_class_name");
        CodeName(w, s.roleClass, kRoleClassNames);
        w.EndObject();
    }
    w.EndArray();
    w.Key("branches").BeginArray();
    for (const BranchCell& b : c.branches) {
        w.BeginObject();
        w.Key("god").Integer(b.god);
        w.Key("god_name");
        CodeName(w, b.god, kTenGodNames);
        w.Key("pair").Integer(b.pair);
        w.Key("pair_name");
        CodeName(w, b.pair, kGodPairNames);
        w.Key("hidden_gods").IntArray(b.hiddenGods);
        w.Key("hidden_god_names");
        CodeNames(w, b.hiddenGods, kTenGodNames);
        w.Key("hidden_pairs").IntArray(b.hiddenPairs);
        w.Key("hidden_pair_names");
        CodeNames(w, b.hiddenPairs, kGodPairNames);
        w.Key("season").Integer(b.season);
        w.Key("season_name");
        CodeName(w, b.season, kSeasonStateNames);
        w.Key("role_class").Integer(b.roleClass);
        w.Key("role_class_name");
        CodeName(w, b.roleClass, kRoleClassNames);
        w.Key("relations").IntArray(b.relations);
        w.Key("relation_names").BeginArray();
        for (std::size_t slot = 0; slot < b.relations.size(); ++slot) {
            if (b.relations[slot] >= 0) w.String(kRelationNames[slot]);
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.Key("era").Integer(c.era);
    w.Key("era_name");
    CodeName(w, c.era, kEraNames);
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
