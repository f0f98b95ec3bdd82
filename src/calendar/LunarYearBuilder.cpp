#include "calendar/LunarYearBuilder.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>

#include "calendar/Ephemeris.h"
#include "calendar/Sexagenary.h"

namespace tessaly {
namespace {

#include "calendar/LunarFix.inc"

// Fitted tables: (start JD, period) pairs closed by an end JD.
struct MeanRow {
    double start, period;
};
constexpr MeanRow kNewMoonTable[] = {
    {1457698.231017, 29.53067166}, {1546082.512234, 29.53085106}, {1640640.7353, 29.5306},
    {1642472.151543, 29.53085439}, {1683430.5093, 29.53086148},   {1752148.041079, 29.53085097},
    {1807665.420323, 29.53059851}, {1883618.1141, 29.5306},       {1907360.7047, 29.5306},
    {1936596.2249, 29.5306},       {1939135.6753, 29.5306},
};
constexpr MeanRow kTermTable[] = {
    {1640650.479938, 15.218425},    {1642476.703182, 15.21874996},  {1683430.515601, 15.218750011},
    {1752157.640664, 15.218749978}, {1807675.003759, 15.218620279}, {1883627.765182, 15.218612292},
    {1907369.1281, 15.218449176},   {1936603.140413, 15.218425},    {1939145.52418, 15.218466998},
    {1947180.7983, 15.218524844},   {1964362.041824, 15.218533526}, {1987372.340971, 15.218513908},
    {1999653.819126, 15.218530782}, {2007445.469786, 15.218535181}, {2021324.917146, 15.218526248},
    {2047257.232342, 15.218519654}, {2070282.898213, 15.218425},    {2073204.87285, 15.218515221},
    {2080144.500926, 15.218530782}, {2086703.688963, 15.218523776}, {2110033.182763, 15.218425},
    {2111190.300888, 15.218425},    {2113731.271005, 15.218515671}, {2120670.840263, 15.218425},
    {2123973.309063, 15.218425},    {2125068.997336, 15.218477932}, {2136026.312633, 15.218472436},
    {2156099.495538, 15.218425},    {2159021.324663, 15.218425},    {2162308.575254, 15.218461742},
    {2178485.706538, 15.218425},    {2178759.662849, 15.218445786}, {2185334.0208, 15.218425},
    {2187525.481425, 15.218425},    {2188621.191481, 15.218437494},
};
static_assert(std::size(kNewMoonTable) == 11 && std::size(kTermTable) == 35);

// Month numbers by month index v mod 12, counted from the month holding the
// winter solstice (建子).
constexpr int kMonthNumber[12] = {11, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10};

// Cumulative angles of the term / new moon nearest Julian day J.
double TermAngle(double J) { return std::floor((J + 7 - 2451259) / 365.2422 * 24) * kPi / 12; }
double NewMoonAngle(double J) { return std::floor((J + 14 - 2451551) / 29.5306) * kPi2; }

double Frac(double x) { return x - std::floor(x); }

}  // namespace

LunarYearBuilder::LunarYearBuilder() : newMoonFix(kNewMoonFixText), termFix(kTermFixText) {}

double LunarYearBuilder::NewMoonLow(double W) {
    constexpr double v = 7771.37714500204;
    double t = (W + 1.08472) / v;
    t -= (-0.0000331 * t * t + 0.10976 * std::cos(0.785 + 8328.6914 * t) + 0.02224 * std::cos(0.187 + 7214.0629 * t) -
          0.03342 * std::cos(4.669 + 628.3076 * t)) /
             v +
         (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
    return t * 36525 + 1.0 / 3;
}

double LunarYearBuilder::TermLow(double W) {
    constexpr double v = 628.3319653318;
    double t = (W - 4.895062166) / v;
    t -= (53 * t * t + 334116 * std::cos(4.67 + 628.307585 * t) + 2061 * t * std::cos(2.678 + 628.3076 * t)) / v / 1e7;
    const double L = 48950621.66 + 6283319653.318 * t + 53 * t * t + 334166 * std::cos(4.669257 + 628.307585 * t) +
                     3489 * std::cos(4.6261 + 1256.61517 * t) + 2060.6 * t * std::cos(2.67823 + 628.307585 * t) - 994 -
                     834 * std::sin(2.1824 - 33.75705 * t);
    t -= (L / 1e7 - W) / 628.332 + (32 * (t + 1.8) * (t + 1.8) - 20) / 86400 / 36525;
    return t * 36525 + 1.0 / 3;
}

namespace {

// Moment by the fast inverse, redone with the accurate one when it lies
// within `window` seconds of midnight, where the fast form's error could move
// the day.
double EphemerisMoment(double (*fast)(double), double (*accurate)(double), double W, double window) {
    double t = fast(W) * 36525;
    t = t - DeltaTDays(t) + 1.0 / 3;
    const double s = Frac(t + 0.5) * 86400;
    if (s < window || s > 86400 - window) t = accurate(W) * 36525 - DeltaTDays(t) + 1.0 / 3;
    return t;
}

}  // namespace

double LunarYearBuilder::TermHigh(double W) { return EphemerisMoment(TimeOfSunLonFast, TimeOfSunLon, W, 1200); }

double LunarYearBuilder::NewMoonHigh(double W) {
    return EphemerisMoment(TimeOfElongationFast, TimeOfElongation, W, 1800);
}

int LunarYearBuilder::EventDay(double d, std::string_view kind) const {
    return EventDay(d, kind == "气" ? EventKind::Term : EventKind::NewMoon);
}

int LunarYearBuilder::EventDay(double d, EventKind kind) const {
    const double J = d + 2451545;
    const bool term = kind == EventKind::Term;
    const double pc = term ? 7 : 14;
    const double f1 = term ? kTermF1 : kNewMoonF1;
    const double f2 = term ? kTermF2 : kNewMoonF2;

    if (J < f1 || J >= kF3) {
        if (term) return int(std::floor(TermHigh(TermAngle(J)) + 0.5));
        return int(std::floor(NewMoonHigh(NewMoonAngle(J)) + 0.5));
    }
    if (J < f2) {
        const MeanRow* rows = term ? kTermTable : kNewMoonTable;
        const int n = term ? int(std::size(kTermTable)) : int(std::size(kNewMoonTable));
        int i = 0;
        while (i + 1 < n && J + pc >= rows[i + 1].start) ++i;
        double D = rows[i].start + rows[i].period * std::floor((J + pc - rows[i].start) / rows[i].period);
        D = std::floor(D + 0.5);
        if (D == 1683460) D = 1683461;  // 103 BC: the calendar reform's first month
        return int(D - 2451545);
    }
    double D;
    std::string_view fix;
    double index;
    if (term) {
        D = std::floor(TermLow(TermAngle(J)) + 0.5);
        fix = termFix;
        index = std::floor((J - f2) / 365.2422 * 24);
    } else {
        D = std::floor(NewMoonLow(NewMoonAngle(J)) + 0.5);
        fix = newMoonFix;
        index = std::floor((J - f2) / 29.5306);
    }
    if (index >= 0 && index < double(fix.size())) {
        const char c = fix[std::size_t(index)];
        if (c == '1') D += 1;
        else if (c == '2') D -= 1;
    }
    return int(D);
}

double LunarYearBuilder::SolsticeEstimate(int d) {
    const double W0 = std::floor((d - 355 + 183) / 365.2422) * 365.2422 + 355;
    int e;
    const auto built =
        std::find_if(cache_.begin(), cache_.end(), [W0](const CacheEntry& c) { return c.used && c.W == W0; });
    if (built != cache_.end()) {
        e = built->state.termDays[0];  // the year built from W0 opens with EventDay(W0)
    } else if (haveW0_ && W0 == lastW0_) {
        e = lastW0Day_;
    } else {
        e = EventDay(W0, EventKind::Term);
        lastW0_ = W0;
        lastW0Day_ = e;
        haveW0_ = true;
    }
    return e > d ? W0 - 365.2422 : W0;
}

namespace {

// One lunar year of the table: the day of its opening winter solstice and
// every other day counted from it.
struct LunarYearRow {
    int solsticeDay;
    std::int16_t termOffsets[24];     // termDays[1..24] − solsticeDay
    std::int16_t newMoonOffsets[15];  // newMoonDays[0..14] − solsticeDay
    std::int8_t monthNumbers[14];
    std::int8_t leapIndex;
};

#include "calendar/LunarYears.inc"

LunarYearState StateOfRow(const LunarYearRow& row) {
    LunarYearState s;
    s.leapIndex = row.leapIndex;
    s.termDays[0] = row.solsticeDay;
    for (std::size_t i = 0; i < 24; ++i) s.termDays[i + 1] = row.solsticeDay + row.termOffsets[i];
    for (std::size_t i = 0; i < 15; ++i) s.newMoonDays[i] = row.solsticeDay + row.newMoonOffsets[i];
    for (std::size_t i = 0; i < 14; ++i) {
        s.monthNumbers[i] = row.monthNumbers[i];
        s.monthLengths[i] = s.newMoonDays[i + 1] - s.newMoonDays[i];
    }
    return s;
}

}  // namespace

std::pair<int, int> LunarYearBuilder::TabulatedDays() {
    const LunarYearRow& last = std::end(kLunarYearRows)[-1];
    return {kLunarYearRows[0].solsticeDay, last.solsticeDay + last.termOffsets[23] - 1};
}

std::optional<LunarYearState> LunarYearBuilder::TabulatedLunarYear(int d) {
    const auto [first, last] = TabulatedDays();
    if (d < first || d > last) return std::nullopt;
    // The last year opening on or before d; each year ends where the next opens.
    const LunarYearRow* row = std::upper_bound(std::begin(kLunarYearRows), std::end(kLunarYearRows), d,
                                               [](int day, const LunarYearRow& r) { return day < r.solsticeDay; });
    return StateOfRow(row[-1]);
}

void LunarYearBuilder::BuildLunarYear(int d) {
    if (const std::optional<LunarYearState> year = TabulatedLunarYear(d)) {
        static_cast<LunarYearState&>(*this) = *year;
        return;
    }
    const double W = SolsticeEstimate(d);
    for (const CacheEntry& c : cache_) {
        if (c.used && c.W == W) {
            static_cast<LunarYearState&>(*this) = c.state;
            return;
        }
    }
    BuildFromSolstice(W);
    CacheEntry& slot = cache_[std::size_t(nextSlot_)];
    slot = {W, true, *this};
    nextSlot_ = (nextSlot_ + 1) % int(cache_.size());
}

void LunarYearBuilder::BuildLunarYearUncached(int d) {
    double W = std::floor((d - 355 + 183) / 365.2422) * 365.2422 + 355;
    if (EventDay(W, EventKind::Term) > d) W -= 365.2422;
    BuildFromSolstice(W);
}

void LunarYearBuilder::BuildFromSolstice(double W) {
    for (int i = 0; i < 25; ++i) termDays[std::size_t(i)] = EventDay(W + 15.2184 * i, EventKind::Term);

    double w = EventDay(termDays[0], EventKind::NewMoon);
    if (w > termDays[0]) w -= 29.53;
    for (int i = 0; i < 15; ++i) newMoonDays[std::size_t(i)] = EventDay(w + 29.5306 * i, EventKind::NewMoon);

    leapIndex = 0;
    int v[14];
    for (int i = 0; i < 14; ++i) {
        monthLengths[std::size_t(i)] = newMoonDays[std::size_t(i) + 1] - newMoonDays[std::size_t(i)];
        v[i] = i;
    }

    const int Y = int(std::floor((termDays[0] + 190) / 365.2422)) + 2000;
    if (Y < -721 || Y > -104) {
        if (newMoonDays[13] <= termDays[24]) {  // 13 months before the next 冬至
            int i = 1;
            while (i <= 12 && newMoonDays[std::size_t(i) + 1] > termDays[std::size_t(2 * i)]) ++i;
            leapIndex = i;  // the first month without a 中气, or 13
            for (int j = i; j < 14; ++j) {
                v[j] -= 1;
                if (v[j] == 0) v[j] = 12;
            }
        }
        for (int i = 0; i < 14; ++i) {
            const int N = newMoonDays[std::size_t(i)] + 2451545;
            const int vi = v[i];
            int number;
            if ((N >= 1724360 && N <= 1729794) || (N >= 1807724 && N <= 1808699)) {
                number = kMonthNumber[(vi + 1) % 12];
            } else if (N >= 1999349 && N <= 1999467) {
                number = kMonthNumber[(vi + 2) % 12];
            } else if (N >= 1973067 && N <= 1977052) {
                number = (vi % 12 == 0 || vi == 2) ? 1 : kMonthNumber[vi % 12];
            } else {
                number = kMonthNumber[vi % 12];
            }
            if (N == 1729794 || N == 1808699) number = 12;
            monthNumbers[std::size_t(i)] = number;
        }
        return;
    }

    // Ancient calendars: years start at fixed new moons, the 13th month is an
    // extra month (numbered 13, or 10 under the calendar of Qin and early Han).
    int start[3], extra[3], offset[3];
    bool has[3];
    for (int k = 0; k < 3; ++k) {
        const int y = Y + k - 1;
        has[k] = true;
        if (y >= -220) {
            start[k] = EventDay(-810904 + std::floor(0.866 + (y + 220) * 12.369) * 29.5306, EventKind::NewMoon);
            extra[k] = 10;
            offset[k] = 11;
        } else if (y >= -479) {
            start[k] = EventDay(-905462 + std::floor(0.5 + (y + 479) * 12.368422) * 29.5306, EventKind::NewMoon);
            extra[k] = 13;
            offset[k] = 2;
        } else if (y >= -721) {
            start[k] = EventDay(-993847 + std::floor(0.342 + (y + 721) * 12.368422) * 29.5306, EventKind::NewMoon);
            extra[k] = 13;
            offset[k] = 2;
        } else {
            has[k] = false;
            start[k] = extra[k] = offset[k] = 0;
        }
    }
    for (int i = 0; i < 14; ++i) {
        const int day = newMoonDays[std::size_t(i)];
        int k = -1;
        for (int j = 0; j < 3; ++j) {
            if (has[j] && day >= start[j]) k = j;
        }
        if (k < 0) {  // before every known year start: count back from the earliest one
            for (int j = 2; j >= 0; --j) {
                if (has[j]) k = j;
            }
        }
        const int f = int(std::floor((day - start[k] + 15) / 29.5306));
        monthNumbers[std::size_t(i)] = f < 12 ? kMonthNumber[FloorMod(f + offset[k], 12)] : extra[k];
    }
}

}  // namespace tessaly
