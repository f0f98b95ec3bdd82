// Charts built by hand for the marriage rule tests: pillars by name, cells,
// relations and stars as the chart builder makes them, and the strength
// results (level, scores, roles) set by the test.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "chart/ChartCells.h"
#include "chart/ChartModel.h"
#include "chart/Stars.h"
#include "chart/Strength.h"
#include "chart/Tables.h"
#include "readings/ChartFacts.h"
#include "readings/MarriageRules.h"

namespace tessaly::testing_marriage {

// Roles as god pairs, 用神 喜神 忌神 仇神 闲神.
using Roles = std::array<int, 5>;
inline constexpr Roles kDefaultRoles = {kPairYin, kPairBiJie, kPairCai, kPairGuanSha, kPairShiShang};

// Sets the roles and the role classes of every cell from them.
inline void SetRoles(ChartData& c, const Roles& r) {
    for (int i = 0; i < 5; ++i) c.rolePair[i] = static_cast<std::uint8_t>(r[i]);
    SetRoleClasses(c);
}

struct TestChart {
    ChartData c;
    PersonRecord person;
    ChartFacts Facts() const { return ChartFacts{c, person}; }
};

// A chart from four pillar names, "年 月 日 时" separated by spaces; level 3,
// no ordinary pattern, scores zero, the default roles.
inline TestChart MakeChart(std::string_view pillars, bool male, const Roles& roles = kDefaultRoles) {
    TestChart t;
    t.person.isMale = male ? 1 : 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t cut = pillars.find(' ');
        t.c.pillars[i] = static_cast<std::int16_t>(PillarFromName(pillars.substr(0, cut)));
        pillars = cut == std::string_view::npos ? std::string_view{} : pillars.substr(cut + 1);
    }
    FillChartCells(t.c);
    FillRelations(t.c);
    t.c.starHits = ChartStars(t.c.pillars, male);
    for (int g = 0; g < 10; ++g) {
        t.c.godCountBranch[g] = static_cast<std::uint8_t>(t.c.stemGodCount[g] + t.c.branchGodCount[g]);
        t.c.godCountHidden[g] = static_cast<std::uint8_t>(t.c.stemGodCount[g] + t.c.hiddenGodCount[g]);
    }
    for (int p = 0; p < 5; ++p) {
        t.c.pairCountBranch[p] = static_cast<std::uint8_t>(t.c.godCountBranch[2 * p] + t.c.godCountBranch[2 * p + 1]);
        t.c.pairCountHidden[p] = static_cast<std::uint8_t>(t.c.godCountHidden[2 * p] + t.c.godCountHidden[2 * p + 1]);
    }
    t.c.strengthLevel = 3;
    t.c.judgement = 3;
    t.c.patterns = {-1, -1, -1, -1};
    t.c.specialPattern = -1;
    SetRoles(t.c, roles);
    return t;
}

// The ids of the rules written for the chart, in order: the common rules
// before, the rules of the person's sex, the common rules after.
inline std::vector<std::string> FiredIds(const TestChart& t) {
    std::vector<std::string> ids;
    const ChartFacts f = t.Facts();
    for (const ReadingRuleTable table :
         {MarriageRulesCommonBefore(), f.Male() ? MarriageRulesMan() : MarriageRulesWoman(),
          MarriageRulesCommonAfter()}) {
        for (const FiredRule& r : FireRules(table, f)) ids.emplace_back(r.id);
    }
    return ids;
}

inline bool Fired(const TestChart& t, std::string_view id) {
    for (const std::string& x : FiredIds(t)) {
        if (x == id) return true;
    }
    return false;
}

}  // namespace tessaly::testing_marriage
