#include "cli/TimelineJson.h"

#include "chart/Tables.h"
#include "cli/Json.h"

namespace tessaly::cli {
namespace {

void Relation(JsonWriter& w, std::string_view key, const BranchRelation& r) {
    w.Key(key);
    if (r.Any()) {
        w.String(BranchRelationName(r));
    } else {
        w.Null();
    }
}

void Positions(JsonWriter& w, std::string_view key, std::uint8_t mask) {
    w.Key(key).BeginArray();
    for (int i = 0; i < 4; ++i) {
        if (mask & (1u << i)) w.String(PillarPositionName(i));
    }
    w.EndArray();
}

void Person(JsonWriter& w, const TimelinePerson& p, int k) {
    w.BeginObject();
    w.Key("label").String(PersonLabel(k));
    w.Key("name").String(p.name);
    w.Key("male").Bool(p.male);
    w.Key("pillars").BeginArray();
    for (const std::int16_t pillar : p.pillars) w.String(PillarName(pillar));
    w.EndArray();
    w.Key("day_master").String(kStemNames[static_cast<std::size_t>(p.DayStem())]);
    w.Key("birth_year").Integer(ShownYear(p.birthYear));
    w.Key("luck_start").BeginObject();
    w.Key("forward").Bool(p.luck.forward);
    w.Key("years").Integer(p.luck.years);
    w.Key("months").Integer(p.luck.months);
    w.Key("days").Integer(p.luck.days);
    w.Key("year").Integer(ShownYear(p.luck.start.year));
    w.Key("month").Integer(p.luck.start.month);
    w.Key("day").Integer(p.luck.start.day);
    w.Key("text").String(LuckStartText(p.luck));
    w.EndObject();
    w.Key("peach_branches").BeginObject();
    w.Key("by_day_branch").String(kBranchNames[static_cast<std::size_t>(p.peachBranches[0])]);
    w.Key("by_year_branch").String(kBranchNames[static_cast<std::size_t>(p.peachBranches[1])]);
    w.EndObject();
    w.Key("luck").BeginArray();
    for (const LuckPeriod& period : p.periods) {
        w.BeginObject();
        w.Key("pillar").String(PillarName(period.pillar));
        w.Key("ten_god").String(
            kTenGodNames[static_cast<std::size_t>(TenGodOf(p.DayStem(), StemOfPillar(period.pillar)))]);
        w.Key("first_year").Integer(ShownYear(period.firstYear));
        w.Key("last_year").Integer(ShownYear(period.lastYear));
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
}

void PersonYear(JsonWriter& w, const TimelinePerson& p, const TimelinePersonYear& y) {
    w.BeginObject();
    w.Key("born").Bool(y.born);
    if (y.born) {
        w.Key("age").Integer(y.age);
        w.Key("luck");
        if (y.period >= 0) {
            w.String(PillarName(p.periods[static_cast<std::size_t>(y.period)].pillar));
        } else {
            w.Null();
        }
        w.Key("luck_begins").Bool(y.periodBegins);
        w.Key("stem_god").String(kTenGodNames[static_cast<std::size_t>(y.stemGod)]);
        w.Key("branch_god").String(kTenGodNames[static_cast<std::size_t>(y.branchGod)]);
        Relation(w, "day_branch", y.toDayBranch);
        Relation(w, "year_branch", y.toYearBranch);
        w.Key("peach").Bool(y.Peach());
        w.Key("peach_by_day_branch").Bool(y.peachByDayBranch);
        w.Key("peach_by_year_branch").Bool(y.peachByYearBranch);
        Positions(w, "clashed_pillars", y.clashedPillars);
        Positions(w, "repeated_pillars", y.repeatedPillars);
        w.Key("sui_yun_bing_lin").Bool(y.repeatsLuck);
        Relation(w, "other_day_branch", y.toOtherDayBranch);
    }
    w.EndObject();
}

}  // namespace

std::string TimelineJson(const CoupleTimeline& t) {
    JsonWriter w;
    w.BeginObject();
    w.Key("from").Integer(ShownYear(t.span.firstYear));
    w.Key("to").Integer(ShownYear(t.span.lastYear));
    w.Key("year_begins_at").String("立春");
    w.Key("persons").BeginArray();
    for (int k = 0; k < 2; ++k) Person(w, t.persons[static_cast<std::size_t>(k)], k);
    w.EndArray();
    w.Key("years").BeginArray();
    for (const TimelineYear& year : t.years) {
        w.BeginObject();
        w.Key("year").Integer(ShownYear(year.year));
        w.Key("pillar").String(PillarName(year.pillar));
        w.Key("persons").BeginArray();
        for (int k = 0; k < 2; ++k) {
            PersonYear(w, t.persons[static_cast<std::size_t>(k)], year.persons[static_cast<std::size_t>(k)]);
        }
        w.EndArray();
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    return w.str();
}

}  // namespace tessaly::cli
