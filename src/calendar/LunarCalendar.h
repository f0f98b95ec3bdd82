// LunarCalendar (aka MYiDateEx, Yidateex) — the calendar object the rest of the program talks to.
//
// LunarCalendar converts between civil date-times (standard time, UTC+8) and
// Julian days, tests Gregorian dates, converts Gregorian dates to lunar dates
// and back, finds solar-term moments, shifts standard time to true solar or
// local mean time, and numbers days, weekdays and pillars. Below it, the
// pillar rules shared by the chart and the perpetual calendar.
//
// Years are astronomical (0 = 1 BC); dates before 1582-10-15 are Julian.
// Numbering: StemIndex 0..9 = 癸 甲 … 壬, BranchIndex 0..11 = 亥 子 … 戌,
// PillarIndex 0..59 with 1 = 甲子 … 59 = 壬戌, 0 = 癸亥.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/LunarYearBuilder.h"
#include "calendar/PersonRecord.h"
#include "calendar/Sexagenary.h"
#include "common/Status.h"

namespace tessaly {

// One solar term of a Gregorian year, at its minute (standard time).
struct TermEntry {
    std::int16_t year, month, day, hour, minute;
    std::int16_t term;  // 0 小寒, 1 大寒, 2 立春 … 23 冬至
};

// The month of a moment: its branch and the terms that bound it.
struct MonthOfMoment {
    int branch = 0;            // BranchIndex: 寅 = 3 opens at 立春
    CivilTime jie;             // the 节 that opens the month
    CivilTime zhongqi;         // the 中气 inside it
    CivilTime nextJie;         // the 节 that closes it
    bool afterLichun = false;  // the month opens at or after 立春 of the moment's year
    int jieAngle = 0;          // the angle of the opening 节 in the moment's year (TermMoment(t.year, jieAngle));
                               // the 中气 is at jieAngle + 15, the closing 节 at jieAngle + 30
};

// The shift from standard time to local mean time or true solar time at a
// moment, in whole seconds, as ToLocalSolarTime applies it.
struct LocalTimeShift {
    int longitudeSeconds = 0;  // −⌊(120 − λ) × 240⌋: the longitude's distance from 120° E
    int equationSeconds = 0;   // the equation of time truncated toward zero (true solar time only)
    int Total() const { return longitudeSeconds + equationSeconds; }
};

// Where a moment lies among the 节: the month it falls in, without the
// moments of the terms (LunarCalendar::LocateMonth finds most of it from the
// fast inverse alone).
struct MonthPlace {
    int jieAngle = 0;          // angle (degrees of the moment's year) of the 节 that opens the month
    int branch = 0;            // BranchIndex: 寅 = 3 opens at 立春
    bool afterLichun = false;  // the month opens at or after 立春 of the moment's year
};

struct FourPillars {
    int year, month, day, hour;  // PillarIndex
};

inline constexpr const char* kNoSuchLunarDate = "不存在这个农历日期，无法转换到公历！";

class LunarCalendar : public LunarYearBuilder {
public:
    // Julian day of the minute of t plus one second.
    static double ToJulianDay(const CivilTime& t);
    // The minute of a Julian day; more than 30 s past a minute rounds up.
    static CivilTime FromJulianDay(double jd);
    // Whether t's Gregorian (Julian before 1582-10-15) date exists.
    static bool SolarDateExists(const CivilTime& t);

    // Lunar date of a Gregorian date (hour and minute copied); returns the
    // leap flag. Sets dayNumber and the lunar-year state.
    bool SolarToLunar(const CivilTime& t, CivilTime* lunar);
    // Gregorian date of a lunar date (hour and minute copied), or the error
    // kNoSuchLunarDate.
    Status LunarToSolar(const CivilTime& lunar, bool leap, CivilTime* solar);

    // The same clock time one day later.
    static void AddOneDay(CivilTime& t);
    // Moves t from standard time to true solar time (mode 1) or local mean
    // time (other modes) at the longitude (degrees east). Returns the
    // equation-of-time seconds used (0 unless mode 1).
    static int ToLocalSolarTime(float longitude, CivilTime& t, int mode);
    // The shift ToLocalSolarTime applies to the standard-time moment t.
    static LocalTimeShift LocalTimeShiftOf(float longitude, const CivilTime& t, int mode);
    // Equation of time at the standard-time moment t, seconds.
    static double EquationOfTime(const CivilTime& t);

    // The moment of the solar term at angle a degrees of year (a = −75: 小寒
    // of January; a = 255: 大雪 of December), standard-time Julian day,
    // unrounded. Moments already found by this calendar object are reused.
    double TermMoment(int year, int a);
    // The 节 (isJie) or 中气 that falls in Gregorian month 1..12 of year, at
    // its minute; returns its hour.
    int TermInMonth(int year, int month, bool isJie, CivilTime* out);
    // Month branch of a moment: the month changes at the printed minute of
    // each 节 (term moments are compared rounded to the minute).
    MonthOfMoment MonthBranchOf(const CivilTime& t);
    // The same month without the moments of its terms. The accurate inverse
    // runs only for a 节 whose fast estimate lies within kFastTermError of
    // the moment; MonthBranchOf(t) gives the same month.
    MonthPlace LocateMonth(const CivilTime& t);
    // Whether a minute (jd as ToJulianDay gives it) lies before the printed
    // minute of the term at angle a degrees of year: decided by the fast
    // inverse where it is far enough from the term, by the accurate one
    // otherwise. Equal to jd < ToJulianDay(FromJulianDay(TermMoment(year, a))).
    bool BeforeTerm(double jd, int year, int a);
    // The printed minute of the term at angle a of year, as a Julian day
    // (ToJulianDay(FromJulianDay(TermMoment(year, a)))).
    double TermMinuteJd(int year, int a);
    // Every solar term of a Gregorian year (23 to 25 entries).
    static std::vector<TermEntry> TermsOfYear(int year);
    // Forgets the term moments found so far (the lunar years built stay).
    void ForgetTermMoments() { knownTerms_.clear(); }

    // Pillar rules of standard-time moments (lateZiHourKeepsDay: the user
    // keeps 23:00–23:59 on its own day instead of the next one).
    // Year pillar: changes at the printed minute of 立春.
    int YearPillarOf(const CivilTime& t);
    // Month pillar: changes at the printed minute of each 节.
    int MonthPillarOf(const CivilTime& t);
    // Day pillar of a moment: the next day's from 23:00 unless lateZiHourKeepsDay.
    static int DayPillarAt(const CivilTime& t, bool lateZiHourKeepsDay);
    // Hour pillar of a moment (with lateZiHourKeepsDay at 23:00 the next day's 子 hour).
    static int HourPillarOf(const CivilTime& t, bool lateZiHourKeepsDay);
    // All four from one moment.
    FourPillars PillarsOf(const CivilTime& t, bool lateZiHourKeepsDay);

    // Chinese numerals: 1..30 as day numbers (初… not included: 十五, 廿三),
    // other values digit by digit (二○二四), "前" for negatives.
    static std::string ChineseNumeral(int n);
    // 0 = Sunday.
    static int WeekdayOf(const CivilTime& t);
    // PillarIndex of t's date (2000-01-01 is 55, 戊午).
    static int DayPillarOf(const CivilTime& t);
    // x rounded to n decimals, a tie going to the lower value.
    static double RoundToDecimals(double x, int n);

    // Day number (days from 2000-01-01) of the date last given to SolarToLunar.
    std::int32_t dayNumber = 0;

private:
    bool LunarOfDay(int day, CivilTime* lunar);

    // Term moments found so far, newest last; a few dozen at most are asked
    // for in one chart or one search.
    struct KnownTerm {
        int year, angle;
        double jd;
    };
    std::vector<KnownTerm> knownTerms_;
};

// TermMomentJd — the moment of the solar term at angle a degrees of year,
// computed afresh (LunarCalendar::TermMoment reuses what it found).
double TermMomentJd(int year, int a);
// The same from the fast inverse (one truncated series); it lies within
// kFastTermError of TermMomentJd for every term of the years −4712..9999.
double TermMomentFastJd(int year, int a);
// The largest difference between the two, in days, with room to spare: the
// largest found over every term of those years is 24 minutes (at −4616 and
// 9683; 8 minutes from 0 to 3000).
inline constexpr double kFastTermError = 60.0 / 1440;

// "正月初一", "闰二月十五", "十一月廿三": a lunar month ("闰" before a leap
// month, 正月 for the first) and day ("初" before days up to 10).
std::string LunarDateText(int month, int day, bool leap);

}  // namespace tessaly
