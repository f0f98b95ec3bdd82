// Charts for the reading tests, built directly: pillars by name, the cells,
// relations and stars as the chart builder fills them, the counts of the
// chart model, then level and roles as the strength analysis would leave
// them (role classes follow the roles).
#pragma once

#include <sstream>
#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"
#include "chart/ChartCells.h"
#include "chart/ChartModel.h"
#include "chart/Stars.h"
#include "chart/Strength.h"
#include "chart/Tables.h"
#include "readings/ChartFacts.h"

namespace tessaly::testing_charts {

// Roles of the normal case by the 用神 pair: offsets (= pairs) of 喜神, 忌神,
// 仇神, 闲神.
inline constexpr int kRoleRows[5][4] = {{4, 3, 2, 1}, {2, 4, 0, 3}, {1, 0, 4, 3}, {2, 0, 4, 1}, {0, 2, 1, 3}};

// Sets the roles from the 用神 pair and the role class of every cell.
inline void SetRoles(ChartData& c, int usePair) {
    c.rolePair[0] = static_cast<std::uint8_t>(usePair);
    for (int r = 0; r < 4; ++r) c.rolePair[r + 1] = static_cast<std::uint8_t>(kRoleRows[usePair][r]);
    SetRoleClasses(c);
}

// "甲子 丙寅 戊辰 庚申": year, month, day, hour.
inline ChartData BuildChart(std::string_view pillars, bool male, int level, int usePair) {
    ChartData c = ZeroChartData();
    std::istringstream in{std::string(pillars)};
    for (int i = 0; i < 4; ++i) {
        std::string name;
        in >> name;
        c.pillars[i] = static_cast<std::int16_t>(PillarFromName(name));
    }
    FillChartCells(c);
    FillRelations(c);
    c.starHits = ChartStars(c.pillars, male);
    // The counts by their definitions in the chart model.
    for (int p = 0; p < 4; ++p) {
        ++c.elemCountBranch[kStemElement[StemOfPillar(c.pillars[p])]];
        ++c.elemCountBranch[kBranchElement[BranchOfPillar(c.pillars[p])]];
    }
    for (int g = 0; g < 10; ++g) {
        c.godCountBranch[g] = static_cast<std::uint8_t>(c.stemGodCount[g] + c.branchGodCount[g]);
        c.godCountHidden[g] = static_cast<std::uint8_t>(c.stemGodCount[g] + c.hiddenGodCount[g]);
    }
    for (int pr = 0; pr < 5; ++pr) {
        c.pairCountBranch[pr] = static_cast<std::uint8_t>(c.godCountBranch[2 * pr] + c.godCountBranch[2 * pr + 1]);
        c.pairCountHidden[pr] = static_cast<std::uint8_t>(c.godCountHidden[2 * pr] + c.godCountHidden[2 * pr + 1]);
    }
    c.patterns = {-1, -1, -1, -1};
    c.specialPattern = -1;
    c.elementOrder = {0, 1, 2, 3, 4};
    c.yinTotal = 100;
    c.yangTotal = 100;
    c.strengthLevel = static_cast<std::uint8_t>(level);
    SetRoles(c, usePair);
    return c;
}

inline PersonRecord Person(bool male, int personNo = 0) {
    PersonRecord r;
    r.isMale = male ? 1 : 0;
    r.personNo = static_cast<std::uint8_t>(personNo);
    return r;
}

// The facts of a chart, for failure messages.
inline std::string Describe(const ChartData& c) {
    std::ostringstream o;
    for (int p = 0; p < 4; ++p) {
        o << PillarStemName(c.pillars[p]) << PillarBranchName(c.pillars[p]) << " SG=" << int(c.stems[p].god)
          << " SS=" << int(c.stems[p].stage) << " SC=" << c.stems[p].combineKind << " SR=" << int(c.stems[p].roleClass)
          << " BG=" << int(c.branches[p].god) << " BR=" << int(c.branches[p].roleClass) << " rel=";
        for (const auto r : c.branches[p].relations) o << r << ',';
        o << " stars=";
        for (int s = 0; s < kStarSlots; ++s) {
            if (c.starHits[p][s]) o << kStarNames[s] << ' ';
        }
        o << '\n';
    }
    return o.str();
}

}  // namespace tessaly::testing_charts
