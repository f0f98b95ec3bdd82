// Derivation of the correction texts of LunarYearBuilder from the ephemeris. Used by
// tools/gen_lunar_fix.cpp to write LunarFix.inc and by the tests to check it.
#include <cmath>
#include <cstdio>

#include "calendar/Ephemeris.h"
#include "calendar/LunarYearBuilder.h"

namespace tessaly {

CorrectionText DeriveCorrectionText(EventKind kind) {
    const bool term = kind == EventKind::Term;
    const double f2 = term ? LunarYearBuilder::kTermF2 : LunarYearBuilder::kNewMoonF2;
    const double width = term ? 365.2422 / 24 : 29.5306;
    const int last = int(std::floor((LunarYearBuilder::kF3 - f2) / width));  // index of the last query before 1960

    CorrectionText out;
    out.text.reserve(std::size_t(last) + 1);
    for (int k = 0; k <= last; ++k) {
        const double J = f2 + (k + 0.5) * width;  // a query in the middle of slot k
        double W, low, t;
        if (term) {
            W = std::floor((J + 7 - 2451259) / 365.2422 * 24) * kPi / 12;
            low = LunarYearBuilder::TermLow(W);
            t = TimeOfSunLon(W);
        } else {
            W = std::floor((J + 14 - 2451551) / 29.5306) * kPi2;
            low = LunarYearBuilder::NewMoonLow(W);
            t = TimeOfElongation(W);
        }
        const double d = t * kDaysPerCentury;
        const double accurate = d - DeltaTDays(d) + 1.0 / 3;
        const double lowDay = std::floor(low + 0.5), accurateDay = std::floor(accurate + 0.5);
        const double slot = std::floor((accurateDay + kJ2000 - f2) / width);
        const int shift = int(accurateDay - lowDay);
        if (slot != k || shift < -1 || shift > 1) {
            char buf[160];
            std::snprintf(buf, sizeof buf, "%s %d: low day %.0f, accurate day %.0f, slot %.0f",
                          term ? "term" : "new moon", k, lowDay, accurateDay, slot);
            out.error = buf;
            return out;
        }
        out.text.push_back(shift == 0 ? '0' : shift == 1 ? '1' : '2');
    }
    out.ok = true;
    return out;
}

}  // namespace tessaly
