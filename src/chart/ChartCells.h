// The cells of a chart: what every stem and branch is to the day master,
// and the relations between the pillars. Pure functions of the four pillars
// and, for the seasons, of the month branch.
#pragma once

#include "chart/ChartModel.h"

namespace tessaly {

// Fills from c.pillars: nayinElement; per stem god, pair, stage and season;
// per branch god, pair, hiddenGods, hiddenPairs and season; and the counts
// stemGodCount, stemPairCount, branchGodCount, branchPairCount,
// hiddenGodCount, hiddenPairCount (the day stem is neither given a god nor
// counted). The counts are added to, so they start at zero.
void FillChartCells(ChartData& c);

// The relation fields: every stem's combineKind and the eight relation slots
// of every branch, reset to −1 and then set by the stem combinations, the
// branch pairs, the branch triples and 四库全, later findings overwriting
// earlier ones in the same slot.
void FillRelations(ChartData& c);

// The two void branches (空亡) of a day pillar: the first is A % 12 and the
// second (A + 1) % 12 with A = 11 − 2 × ((p, 0 read as 60) − 1) / 10.
struct VoidBranches {
    int first, second;
};
VoidBranches VoidBranchesOf(int dayPillar);

}  // namespace tessaly
