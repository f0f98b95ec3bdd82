#include "chart/BirthExplanation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "calendar/BirthTimeZone.h"
#include "calendar/Ephemeris.h"

namespace tessaly {
namespace {

constexpr double kJdOfDayZero = 2451545.0;  // 2000-01-01 at noon: day number 0

long long FloorDiv(long long a, long long n) { return a >= 0 ? a / n : -((-a + n - 1) / n); }

// Days from 2000-01-01 of a date, and back.
long long DayNumberOf(const CivilTime& t) {
    return std::llround(JdFromDate(t.year, t.month, t.day + 0.5) - kJdOfDayZero);
}
CivilTime DateOfDayNumber(long long day) {
    const JdDate r = DateFromJd(kJdOfDayZero + double(day));  // noon: far from any rounding
    return {std::int16_t(r.year), std::int16_t(r.month), std::int16_t(r.day), 0, 0};
}

// Term number (0 小寒 … 23 冬至) of the term at cumulative angle a.
int TermNumberOfAngle(int a) {
    int k = FloorMod(a, 360) - 285;
    if (k < 0) k += 360;
    return (k / 15) % 24;
}

// The same chart for the index and the pillars: a run of minutes with one
// of these is one alternative.
bool SameChart(const Status& sa, const PersonChart& a, const Status& sb, const PersonChart& b) {
    if (sa.ok() != sb.ok()) return false;
    if (!sa.ok()) return sa.message() == sb.message();
    const ChartData &ca = a.chart, &cb = b.chart;
    return ca.pillars == cb.pillars && ca.constellation == cb.constellation && ca.birthNumber == cb.birthNumber &&
           ca.era == cb.era;
}

// One birth's boundaries and alternatives, worked out with the calendar of
// the caller.
class Explainer {
public:
    Explainer(const PersonRecord& person, const ChartOptions& options, LunarCalendar& calendar,
              const BirthMoments& moments)
        : person_(person),
          options_(options),
          calendar_(calendar),
          moments_(moments),
          birth_(ClockMinuteOf(moments.clockTime)) {}

    std::vector<PillarBoundary> Boundaries() {
        std::vector<BoundaryMark> marks;
        const CivilTime& standard = moments_.clockTime;
        const MonthOfMoment month = calendar_.MonthBranchOf(standard);
        marks.push_back(TermMark(standard.year, month.jieAngle));
        marks.push_back(TermMark(standard.year, month.jieAngle + 30));
        // The 立春 nearest to the birth, unless it is one of those two.
        BoundaryMark lichun = TermMark(standard.year, -45);
        const BoundaryMark nextLichun = TermMark(standard.year + 1, -45);
        if (std::llabs(nextLichun.moment - birth_ * 60) < std::llabs(lichun.moment - birth_ * 60)) lichun = nextLichun;
        if (lichun.firstMinute != marks[0].firstMinute && lichun.firstMinute != marks[1].firstMinute) {
            marks.push_back(lichun);
        }

        // The hour branch runs from an odd hour for two hours; the day
        // pillar from 23:00, or from 00:00 when late 子 hours keep their day.
        const ClockMinute chart = ClockMinuteOf(moments_.chartTime);
        const ClockMinute midnight = FloorDiv(chart, 1440) * 1440;
        const int h = moments_.chartTime.hour;
        const ClockMinute hourStart = h % 2 == 1 ? midnight + h * 60 : midnight + (h - 1) * 60;
        ClockMinute dayStart = midnight;
        if (!options_.lateZiHourKeepsDay) dayStart = h == 23 ? midnight + 23 * 60 : midnight - 60;
        std::vector<ClockMinute> edges = {hourStart, hourStart + 120, dayStart, dayStart + 1440};
        std::sort(edges.begin(), edges.end());
        edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
        for (ClockMinute e : edges) marks.push_back(ChartEdgeMark(e));

        std::vector<PillarBoundary> out;
        for (std::size_t i = 0; i < marks.size(); ++i) {
            PillarBoundary b = Describe(marks[i]);
            if (i < 2) {  // the 节 on either side: the luck of a birth just across it
                const ClockMinute across = b.birthAfter ? b.mark.firstMinute - 1 : b.mark.firstMinute;
                const ChartBuild other = BuildAt(across);
                if (other.status.ok()) {
                    b.hasLuckAcross = true;
                    b.luckAcross = other.person.luck.Wait();
                    b.luckStartAgeAcross = other.person.luckStartAge;
                }
            }
            out.push_back(b);
        }
        std::stable_sort(out.begin(), out.end(), [](const PillarBoundary& x, const PillarBoundary& y) {
            return x.mark.moment < y.mark.moment;
        });
        return out;
    }

    BirthUncertainty Uncertainty(int minutes) {
        BirthUncertainty u;
        u.minutes = minutes;
        const ClockMinute lo = birth_ - minutes, hi = birth_ + minutes;
        std::vector<BoundaryMark> marks = MarksWithin(lo, hi);
        std::stable_sort(marks.begin(), marks.end(),
                         [](const BoundaryMark& x, const BoundaryMark& y) { return x.firstMinute < y.firstMinute; });
        std::vector<ClockMinute> starts = {lo};
        for (const BoundaryMark& m : marks) {
            if (m.firstMinute != starts.back()) starts.push_back(m.firstMinute);
        }
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const ClockMinute first = starts[i];
            const ClockMinute last = i + 1 < starts.size() ? starts[i + 1] - 1 : hi;
            ChartBuild b = BuildAt(first);
            if (!u.alternatives.empty()) {
                ChartAlternative& prev = u.alternatives.back();
                if (SameChart(prev.status, prev.chart, b.status, b.person)) {
                    prev.last = last;
                    continue;
                }
            }
            ChartAlternative a;
            a.first = first;
            a.last = last;
            a.status = b.status;
            a.chart = std::move(b.person);
            for (const BoundaryMark& m : marks) {
                if (m.firstMinute == first) a.opening.push_back(m);
            }
            u.alternatives.push_back(std::move(a));
        }
        for (std::size_t i = 0; i < u.alternatives.size(); ++i) {
            ChartAlternative& a = u.alternatives[i];
            a.firstClock = OnEnteredClock(a.first);
            a.lastClock = OnEnteredClock(a.last);
            a.containsBirth = a.first <= birth_ && birth_ <= a.last;
            if (a.containsBirth) u.birthAlternative = int(i);
        }
        return u;
    }

private:
    bool Shifted() const { return options_.timeBasis != TimeBasis::kBeijingTime; }
    int Mode() const { return static_cast<int>(options_.timeBasis); }

    // The chart minute of a minute of standard time, as the conversion
    // shifts it.
    ClockMinute ChartMinuteOf(ClockMinute m) const {
        if (!Shifted()) return m;
        CivilTime t = CivilTimeOfMinute(m);
        LunarCalendar::ToLocalSolarTime(person_.longitude, t, Mode());
        return ClockMinuteOf(t);
    }
    int ShiftSecondsAt(ClockMinute m) const {
        if (!Shifted()) return 0;
        return LunarCalendar::LocalTimeShiftOf(person_.longitude, CivilTimeOfMinute(m), Mode()).Total();
    }

    // The first minute of standard time whose chart minute is `edge` or
    // later. The chart minute never goes back as the standard minute goes
    // on (the equation of time moves by less than a second a minute), so
    // the guess from the shift is at most a step or two away.
    ClockMinute FirstMinuteReaching(ClockMinute edge) const {
        if (!Shifted()) return edge;
        ClockMinute m = edge - std::llround(ShiftSecondsAt(edge) / 60.0);
        if (ChartMinuteOf(m) >= edge) {
            while (ChartMinuteOf(m - 1) >= edge) --m;
        } else {
            do ++m;
            while (ChartMinuteOf(m) < edge);
        }
        return m;
    }

    BoundaryMark TermMark(int year, int angle) {
        const double jd = calendar_.TermMoment(year, angle);
        BoundaryMark k;
        k.kind = BoundaryKind::kSolarTerm;
        k.term = TermNumberOfAngle(angle);
        k.moment = ClockSecondsOfJd(jd);
        // The chart compares a birth with the term's printed minute.
        k.firstMinute = ClockMinuteOf(LunarCalendar::FromJulianDay(jd));
        return k;
    }

    BoundaryMark ChartEdgeMark(ClockMinute edge) const {
        BoundaryMark k;
        k.kind = BoundaryKind::kChartEdge;
        k.chartEdge = CivilTimeOfMinute(edge);
        k.firstMinute = FirstMinuteReaching(edge);
        k.moment = edge * 60 - ShiftSecondsAt(k.firstMinute);
        return k;
    }

    // Every boundary whose first minute lies in (lo, hi].
    std::vector<BoundaryMark> MarksWithin(ClockMinute lo, ClockMinute hi) {
        std::vector<BoundaryMark> marks;
        // Solar terms: from the 节 that opens the month of lo, 15° at a time.
        const CivilTime from = CivilTimeOfMinute(lo);
        const int firstAngle = calendar_.MonthBranchOf(from).jieAngle;
        for (int a = firstAngle;; a += 15) {
            const BoundaryMark k = TermMark(from.year, a);
            if (k.firstMinute > hi) break;
            if (k.firstMinute > lo) marks.push_back(k);
        }
        // Chart edges: every odd hour and every midnight of the chart time.
        const ClockMinute cLo = ChartMinuteOf(lo), cHi = ChartMinuteOf(hi);
        for (ClockMinute e = FloorDiv(cLo, 60) * 60 + 60; e <= cHi; e += 60) {
            const int hour = FloorMod(e / 60, 24);
            if (hour % 2 == 1 || hour == 0) marks.push_back(ChartEdgeMark(e));
        }
        // The years a chart can be made for.
        for (const int year : {kMinYear, kMaxYear + 1}) {
            const CivilTime edge{std::int16_t(year), 1, 1, 0, 0};
            const ClockMinute m = ClockMinuteOf(edge);
            if (m > lo && m <= hi) {
                BoundaryMark k;
                k.kind = BoundaryKind::kYearRange;
                k.moment = m * 60;
                k.firstMinute = m;
                marks.push_back(k);
            }
        }
        return marks;
    }

    // The four pillars of a minute of standard time, by the chart's rules:
    // year and month from standard time, day and hour from the chart time.
    FourPillars PillarsAt(ClockMinute m) {
        const CivilTime standard = CivilTimeOfMinute(m);
        CivilTime chart = standard;
        if (Shifted()) LunarCalendar::ToLocalSolarTime(person_.longitude, chart, Mode());
        const MonthOfMoment month = calendar_.MonthBranchOf(standard);
        const int year = YearPillarOfYear(month.afterLichun ? standard.year : standard.year - 1);
        const bool keepsDay = options_.lateZiHourKeepsDay;
        return {year, MonthPillarFrom(year, month.branch), LunarCalendar::DayPillarAt(chart, keepsDay),
                LunarCalendar::HourPillarOf(chart, keepsDay)};
    }

    PillarBoundary Describe(const BoundaryMark& mark) {
        PillarBoundary b;
        b.mark = mark;
        b.distanceSeconds = mark.moment - birth_ * 60;
        b.birthAfter = birth_ >= mark.firstMinute;
        b.before = PillarsAt(mark.firstMinute - 1);
        b.after = PillarsAt(mark.firstMinute);
        b.changes = {b.before.year != b.after.year, b.before.month != b.after.month, b.before.day != b.after.day,
                     b.before.hour != b.after.hour};
        return b;
    }

    // The record of a birth in minute m of standard time.
    ChartBuild BuildAt(ClockMinute m) {
        PersonRecord r = person_;
        r.SetTime(CivilTimeOfMinute(m));
        r.isLunar = 0;
        r.isLeapMonth = 0;
        r.clock = BirthClock::kStandard;
        r.clockReading = ClockReading::kAsk;
        return BuildChart(r, options_, calendar_);
    }

    CivilTime OnEnteredClock(ClockMinute m) const {
        const CivilTime standard = CivilTimeOfMinute(m);
        if (!moments_.civil.used) return standard;
        const ClockAtMoment c = StandardToClockTime(standard, moments_.civil.timeZone);
        return c.status.ok() ? c.clockTime : standard;
    }

    const PersonRecord& person_;
    const ChartOptions& options_;
    LunarCalendar& calendar_;
    const BirthMoments& moments_;
    const ClockMinute birth_;
};

}  // namespace

ClockMinute ClockMinuteOf(const CivilTime& t) { return DayNumberOf(t) * 1440 + t.hour * 60 + t.minute; }

CivilTime CivilTimeOfMinute(ClockMinute minute) {
    const long long day = FloorDiv(minute, 1440);
    const long long rest = minute - day * 1440;
    CivilTime t = DateOfDayNumber(day);
    t.hour = std::int16_t(rest / 60);
    t.minute = std::int16_t(rest % 60);
    return t;
}

ClockSeconds ClockSecondsOf(const CivilSecond& t) { return ClockMinuteOf(t.time) * 60 + t.second; }

CivilSecond CivilSecondOf(ClockSeconds seconds) {
    const long long minute = FloorDiv(seconds, 60);
    return {CivilTimeOfMinute(minute), int(seconds - minute * 60)};
}

ClockSeconds ClockSecondsOfJd(double jd) { return std::llround((jd - (kJdOfDayZero - 0.5)) * 86400.0); }

BirthPath BirthPathOf(const PersonRecord& person, const BirthMoments& moments, const ChartOptions& options) {
    BirthPath p;
    p.lunar = person.isLunar != 0;
    p.leapMonth = p.lunar && person.isLeapMonth != 0;
    p.civilClock = moments.civil.used;
    p.timeZone = moments.civil.timeZone;
    p.summerTime = moments.civil.summerTime;
    p.timeBasis = options.timeBasis;
    p.longitude = person.longitude;
    p.lateZiHourKeepsDay = options.lateZiHourKeepsDay;
    p.standardTime = moments.clockTime;
    p.chartTime = moments.chartTime;

    const auto step = [&](PathStepKind kind, bool applies, long long amount, ClockSeconds at) {
        p.steps[static_cast<std::size_t>(kind)] = {kind, applies, applies ? amount : 0, CivilSecondOf(at)};
    };
    // A lunar date keeps its clock time; so does the Gregorian date of a
    // civil clock until its offset is taken away.
    const CivilTime solarOnClock = p.civilClock ? moments.civil.localTime : moments.clockTime;
    p.steps[0] = {PathStepKind::kEntered, true, 0, {person.Time(), 0}};
    const ClockSeconds local = ClockMinuteOf(solarOnClock) * 60;
    const ClockSeconds standard = ClockMinuteOf(moments.clockTime) * 60;
    step(PathStepKind::kLunarToSolar, p.lunar, 0, local);
    step(PathStepKind::kClockToStandard, p.civilClock, standard - local, p.civilClock ? standard : local);
    if (p.civilClock) p.clockOffsetSeconds = int(8 * 3600 + (local - standard));

    const bool shifted = options.timeBasis != TimeBasis::kBeijingTime;
    LocalTimeShift shift;
    if (shifted) {
        shift =
            LunarCalendar::LocalTimeShiftOf(person.longitude, moments.clockTime, static_cast<int>(options.timeBasis));
    }
    ClockSeconds at = standard + shift.longitudeSeconds;
    step(PathStepKind::kLongitude, shifted, shift.longitudeSeconds, at);
    at += shift.equationSeconds;
    step(PathStepKind::kEquationOfTime, options.timeBasis == TimeBasis::kTrueSolarTime, shift.equationSeconds, at);
    const ClockSeconds chart = ClockMinuteOf(moments.chartTime) * 60;
    step(PathStepKind::kRounding, shifted, chart - at, shifted ? chart : at);

    p.lateZiHour = moments.chartTime.hour == 23;
    CivilTime day = moments.chartTime;
    if (p.lateZiHour && !options.lateZiHourKeepsDay) LunarCalendar::AddOneDay(day);
    day.hour = 0;
    day.minute = 0;
    p.dayPillarDate = day;
    return p;
}

BirthExplanation ExplainBirth(const PersonRecord& person, const ChartOptions& options, int minutes,
                              LunarCalendar& calendar) {
    BirthExplanation out;
    if (minutes < 0 || minutes > kMaxUncertaintyMinutes) {
        out.status = Status::Error(kUncertaintyOutOfRange);
        return out;
    }
    ChartBuild built = BuildChart(person, options, calendar);
    if (!built.status.ok()) {
        out.status = built.status;
        return out;
    }
    out.chart = std::move(built.person);
    out.path = BirthPathOf(person, out.chart.moments, options);
    Explainer x(person, options, calendar, out.chart.moments);
    out.boundaries = x.Boundaries();
    out.uncertainty = x.Uncertainty(minutes);
    return out;
}

std::vector<const PillarBoundary*> BoundariesWithin(const BirthExplanation& e, int minutes) {
    std::vector<const PillarBoundary*> near;
    for (const PillarBoundary& b : e.boundaries) {
        if (b.ChangesPillar() && std::llabs(b.distanceSeconds) <= minutes * 60LL) near.push_back(&b);
    }
    std::stable_sort(near.begin(), near.end(), [](const PillarBoundary* x, const PillarBoundary* y) {
        return std::llabs(x->distanceSeconds) < std::llabs(y->distanceSeconds);
    });
    return near;
}

}  // namespace tessaly
