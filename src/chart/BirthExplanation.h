// BirthExplanation — why a chart has its pillars: the path of a birth time
// from what was entered to the moment the chart is read from, each step with
// its amount; the boundaries around the birth where a pillar changes (the 节
// on either side, 立春, the edges of the hour branch and of the day); and the
// charts a birth time known only to ± N minutes can give, each with the
// minutes it covers.
//
// Every boundary moment comes from the calendar object's own term moments
// and its own standard-time → local-time shift, and every chart from
// BuildChart, so what is explained is what a matching run computes.
//
// Minutes and seconds are counted on one scale per clock: from 2000-01-01
// 00:00 of that clock (Julian dates before 1582-10-15, as everywhere in the
// program). The chart reads its birth to the minute; a boundary's first
// minute is the first minute the chart puts on its later side.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/BirthConversion.h"
#include "chart/ChartBuilder.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"

namespace tessaly {

using ClockMinute = long long;   // minutes from 2000-01-01 00:00 of a clock
using ClockSeconds = long long;  // seconds from 2000-01-01 00:00 of a clock

ClockMinute ClockMinuteOf(const CivilTime& t);
CivilTime CivilTimeOfMinute(ClockMinute minute);

// A moment to the second.
struct CivilSecond {
    CivilTime time;
    int second = 0;

    friend bool operator==(const CivilSecond&, const CivilSecond&) = default;
};
ClockSeconds ClockSecondsOf(const CivilSecond& t);
CivilSecond CivilSecondOf(ClockSeconds seconds);
// The standard-time Julian day of a term moment, to the nearest second.
ClockSeconds ClockSecondsOfJd(double jd);

// ---- The path of a birth time -------------------------------------------

enum class PathStepKind {
    kEntered,          // the date and time as entered (a lunar date for lunar input)
    kLunarToSolar,     // the lunar date's Gregorian date, the same clock time
    kClockToStandard,  // the clock's UTC offset and summer time taken away: Beijing standard time
    kLongitude,        // local mean time: the longitude's distance from 120° E
    kEquationOfTime,   // true solar time: the equation of time
    kRounding,         // to the minute the day and hour pillars are read from
};
inline constexpr int kPathStepCount = 6;

struct PathStep {
    PathStepKind kind = PathStepKind::kEntered;
    bool applies = false;         // false: the input or the options leave the step out
    long long amountSeconds = 0;  // what the step adds to the moment before it
    CivilSecond moment;           // the moment after the step
};

struct BirthPath {
    std::array<PathStep, kPathStepCount> steps;  // every kind once, in the order above

    bool lunar = false;                 // entered as a lunar date
    bool leapMonth = false;             // … in a leap month
    bool civilClock = false;            // read from the clock of the birth place
    std::string timeZone;               // its zone (civil clock only)
    int clockOffsetSeconds = 8 * 3600;  // that clock's UTC offset at the birth
    bool summerTime = false;            // that clock was on summer time
    TimeBasis timeBasis = TimeBasis::kBeijingTime;
    float longitude = 120;  // degrees east (used unless the time basis is Beijing time)
    bool lateZiHourKeepsDay = false;

    CivilTime standardTime;   // Beijing standard time: the year and month pillars are read here
    CivilTime chartTime;      // the day and hour pillars are read here
    bool lateZiHour = false;  // the chart time lies in 23:00–23:59
    CivilTime dayPillarDate;  // the date whose day pillar the chart takes: from 23:00 the next
                              // day's unless late 子 hours keep their day

    const PathStep& Step(PathStepKind k) const { return steps[static_cast<std::size_t>(k)]; }
};

// BirthPathOf — the path of a converted birth.
//   Given:     person   the record as entered
//              moments  its conversion (ConvertBirth, or a built chart's)
//              options  the time basis and the late-子-hour rule of that conversion
//   Returned:  every step with its amount; the last step that applies ends
//              at moments.chartTime
BirthPath BirthPathOf(const PersonRecord& person, const BirthMoments& moments, const ChartOptions& options);

// ---- Boundaries -----------------------------------------------------------

enum class BoundaryKind {
    kSolarTerm,  // a solar term: a 节 changes the month pillar (立春 the year pillar too);
                 // a 中气 changes the constellation (星座) only
    kChartEdge,  // an hour of the chart time: an odd hour changes the hour branch; 23:00 or
                 // 00:00 changes the day pillar as the late-子-hour rule places the day; 00:00
                 // always changes the birth date (生日密码)
    kYearRange,  // the first or the last year a chart can be made for
};

// Where and what a boundary is.
struct BoundaryMark {
    BoundaryKind kind = BoundaryKind::kSolarTerm;
    int term = -1;                // kSolarTerm: 0 小寒 … 23 冬至 (even: a 节, odd: a 中气)
    CivilTime chartEdge;          // kChartEdge: the edge in the chart's own time
    ClockSeconds moment = 0;      // the boundary in Beijing standard time, to the second
    ClockMinute firstMinute = 0;  // the first minute of Beijing standard time on its later side

    bool IsJie() const { return kind == BoundaryKind::kSolarTerm && term % 2 == 0; }
    bool IsLichun() const { return kind == BoundaryKind::kSolarTerm && term == 2; }
};

struct PillarBoundary {
    BoundaryMark mark;
    long long distanceSeconds = 0;  // mark.moment − the start of the birth's minute (negative: before)
    bool birthAfter = false;        // the birth's minute lies on the later side
    FourPillars before{}, after{};  // in the minutes just before and just after it
    std::array<bool, 4> changes{};  // which pillars differ across it: year, month, day, hour
    // A 节 next to the birth: the luck start of a birth just across it.
    bool hasLuckAcross = false;
    LuckStart luckAcross;
    int luckStartAgeAcross = 0;

    bool ChangesPillar() const { return changes[0] || changes[1] || changes[2] || changes[3]; }
    // The pillars of a birth moved across the boundary.
    const FourPillars& OtherSide() const { return birthAfter ? before : after; }
};

// ---- Uncertainty ----------------------------------------------------------

// The charts of a window of birth minutes: one alternative per run of
// minutes with the same chart (pillars, constellation, birth number, era).
struct ChartAlternative {
    ClockMinute first = 0, last = 0;    // Beijing standard time, both minutes included
    CivilTime firstClock, lastClock;    // the same minutes on the entered clock (the
                                        // clock of the birth place for a civil clock)
    std::vector<BoundaryMark> opening;  // the boundaries at `first` (none for the first alternative)
    bool containsBirth = false;
    Status status;      // why no chart can be made for these minutes
    PersonChart chart;  // the chart of these minutes (built at `first`)
};

struct BirthUncertainty {
    int minutes = 0;                             // ± this many minutes around the birth
    std::vector<ChartAlternative> alternatives;  // in time order, covering the window without gap or overlap
    int birthAlternative = 0;                    // the one holding the birth as entered
};

inline constexpr int kMaxUncertaintyMinutes = 1440;
inline constexpr const char* kUncertaintyOutOfRange = "出生时刻的误差须在0到1440分钟之间";

// ---- The whole explanation ------------------------------------------------

struct BirthExplanation {
    Status status;  // the record check's or the conversion's message, or kUncertaintyOutOfRange
    BirthPath path;
    PersonChart chart;  // the chart of the birth as entered
    // The 节 before and after the birth, the nearest 立春 (when it is
    // neither), the edges of the hour branch and of the day; in time order.
    std::vector<PillarBoundary> boundaries;
    BirthUncertainty uncertainty;
};

// ExplainBirth — the path, the boundaries and the alternatives of a birth.
//   Given:     person    the record (its personNo names it in the charts' text)
//              options   time basis, late-子-hour rule and the rest of the run's options
//              minutes   the uncertainty of the birth time, 0..kMaxUncertaintyMinutes
//              calendar  the calendar object of the caller (its caches)
//   Returned:  the explanation, or the message that stops the chart of the
//              birth as entered
BirthExplanation ExplainBirth(const PersonRecord& person, const ChartOptions& options, int minutes,
                              LunarCalendar& calendar);

// The boundaries that change a pillar and lie within `minutes` of the
// birth, nearest first.
std::vector<const PillarBoundary*> BoundariesWithin(const BirthExplanation& e, int minutes);

}  // namespace tessaly
