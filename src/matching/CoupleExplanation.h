// CoupleExplanation — what uncertain birth times do to a couple: each
// person's explanation (the path, the boundaries and the alternative charts
// of ± N minutes, see chart/BirthExplanation.h) and the compatibility index
// of every combination of 甲命's and 乙命's alternatives.
#pragma once

#include <array>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/BirthExplanation.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"

namespace tessaly {

// The index of one alternative of 甲命 (a) with one of 乙命 (b).
struct IndexCombination {
    int a = 0, b = 0;  // positions in each person's uncertainty.alternatives
    float index = 0;   // 婚配指数, as RunMatching gives it for births in those minutes
};

struct CoupleExplanation {
    Status status;          // the first person's message that stops the explanation
    int failedPerson = -1;  // 0 or 1 when it failed
    std::array<BirthExplanation, 2> persons;
    // Every pair of alternatives whose charts can both be made, 甲命's
    // alternatives in order, and 乙命's within each.
    std::vector<IndexCombination> combinations;
    float minIndex = 0, maxIndex = 0;  // over the combinations
    float enteredIndex = 0;            // the births as entered

    bool ok() const { return status.ok(); }
    // The combination of two alternatives, or nullptr when either has no chart.
    const IndexCombination* Find(int a, int b) const;
};

// ExplainCouple — both persons explained with their uncertainties, and the
// index of every combination of their alternatives.
//   Given:     a, b        the records of 甲命 and 乙命 (personNo set here)
//              options     the analysis options of the run
//              minutesA/B  the uncertainty of each birth time, 0..kMaxUncertaintyMinutes
//              calendar    the calendar object of the caller
//   Returned:  the explanations and the combinations; or the first failure
//              (乙命 is not explained when 甲命 fails)
CoupleExplanation ExplainCouple(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options, int minutesA,
                                int minutesB, LunarCalendar& calendar);

}  // namespace tessaly
