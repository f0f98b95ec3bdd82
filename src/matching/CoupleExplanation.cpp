#include "matching/CoupleExplanation.h"

#include <algorithm>
#include <optional>

#include "matching/MatchingRun.h"
#include "readings/Pairing.h"

namespace tessaly {

const IndexCombination* CoupleExplanation::Find(int a, int b) const {
    for (const IndexCombination& c : combinations) {
        if (c.a == a && c.b == b) return &c;
    }
    return nullptr;
}

CoupleExplanation ExplainCouple(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options, int minutesA,
                                int minutesB, LunarCalendar& calendar) {
    CoupleExplanation out;
    const PersonRecord* records[2] = {&a, &b};
    const int minutes[2] = {minutesA, minutesB};
    // Each alternative scored once: the pairing reads the scores, roles and
    // judgement of both charts.
    std::array<std::vector<std::optional<PersonAnalysis>>, 2> scored;
    for (int n = 0; n < 2; ++n) {
        PersonRecord r = *records[n];
        r.personNo = static_cast<std::uint8_t>(n);
        BirthExplanation& e = out.persons[n];
        e = ExplainBirth(r, options, minutes[n], calendar);
        if (!e.status.ok()) {
            out.status = e.status;
            out.failedPerson = n;
            return out;
        }
        for (const ChartAlternative& alt : e.uncertainty.alternatives) {
            if (alt.status.ok()) {
                scored[n].emplace_back(ScorePerson(alt.chart, options));
            } else {
                scored[n].emplace_back();
            }
        }
    }
    bool first = true;
    for (std::size_t i = 0; i < scored[0].size(); ++i) {
        if (!scored[0][i]) continue;
        for (std::size_t j = 0; j < scored[1].size(); ++j) {
            if (!scored[1][j]) continue;
            const PersonAnalysis &pa = *scored[0][i], &pb = *scored[1][j];
            const float index = PairingAnalysis(pa.Chart(), pb.Chart(), pa.Person(), pb.Person(), options).index;
            out.combinations.push_back({int(i), int(j), index});
            out.minIndex = first ? index : std::min(out.minIndex, index);
            out.maxIndex = first ? index : std::max(out.maxIndex, index);
            first = false;
        }
    }
    const IndexCombination* entered =
        out.Find(out.persons[0].uncertainty.birthAlternative, out.persons[1].uncertainty.birthAlternative);
    if (entered != nullptr) out.enteredIndex = entered->index;
    return out;
}

}  // namespace tessaly
