#include "calendar/LunarCalendar.h"

#include <cmath>

#include "calendar/Ephemeris.h"

namespace tessaly {
namespace {

constexpr const char* kDigits[] = {"○", "一", "二", "三", "四", "五", "六", "七", "八", "九"};

CivilTime AtNoon(const CivilTime& t) { return {t.year, t.month, t.day, 12, 0}; }

// A moment rounded to its printed minute, as ToJulianDay sees it.
double MinuteJd(double jd) { return LunarCalendar::ToJulianDay(LunarCalendar::FromJulianDay(jd)); }

}  // namespace

double TermMomentJd(int year, int a) {
    const double W = kPi2 * ((year - 2000) + a / 360.0 + 1);
    return StandardJdOfTd(TimeOfSunLon(W));
}

double TermMomentFastJd(int year, int a) {
    const double W = kPi2 * ((year - 2000) + a / 360.0 + 1);
    return StandardJdOfTd(TimeOfSunLonFast(W));
}

double LunarCalendar::ToJulianDay(const CivilTime& t) {
    return JdFromDate(t.year, t.month, t.day + (t.hour + (t.minute + 1.0 / 60) / 60) / 24);
}

CivilTime LunarCalendar::FromJulianDay(double jd) {
    JdDate r = DateFromJd(jd);
    // Seconds past the minute, to the millisecond: whole-second shifts must
    // not be lost to floating-point noise.
    const double f = jd + 0.5 - std::floor(jd + 0.5);
    const double secs = std::round(((f * 24 - r.hour) * 60 - r.minute) * 60 * 1000) / 1000;
    if (secs > 30) r = DateFromJd(jd - secs / 86400 + 65.0 / 86400);
    return {std::int16_t(r.year), std::int16_t(r.month), std::int16_t(r.day), std::int16_t(r.hour),
            std::int16_t(r.minute)};
}

bool LunarCalendar::SolarDateExists(const CivilTime& t) {
    if (t.month < 1 || t.month > 12 || t.day < 1) return false;
    if (t.year == 1582 && t.month == 10 && t.day >= 5 && t.day <= 14) return false;
    const int D = (t.year == 1582 && t.month == 10 && t.day >= 15) ? t.day - 10 : t.day;
    const CivilTime first{t.year, t.month, 1, 12, 1};
    const CivilTime next = t.month == 12 ? CivilTime{std::int16_t(t.year + 1), 1, 1, 12, 1}
                                         : CivilTime{t.year, std::int16_t(t.month + 1), 1, 12, 1};
    const int length = int(std::lround(ToJulianDay(next) - ToJulianDay(first)));
    return D <= length;
}

bool LunarCalendar::LunarOfDay(int day, CivilTime* lunar) {
    dayNumber = day;
    BuildLunarYear(day);
    int b = (day - newMoonDays[0]) / 30;  // day ≥ newMoonDays[0]
    if (b < 13 && day >= newMoonDays[std::size_t(b) + 1]) ++b;
    lunar->day = std::int16_t(day - newMoonDays[std::size_t(b)] + 1);
    lunar->month = std::int16_t(monthNumbers[std::size_t(b)]);
    const bool leap = leapIndex != 0 && b == leapIndex;

    // The lunar year changes on the first day of the first month.
    int s = newMoonDays[2];
    for (int i = 0; i < 14; ++i) {
        if (monthNumbers[std::size_t(i)] == 1 && (i != leapIndex || i == 0)) {
            s = newMoonDays[std::size_t(i)];
            if (day < s) {
                s -= 365;
                break;
            }
        }
    }
    lunar->year = std::int16_t(std::floor((s + 5810) / 365.2422 + 0.5) + 1984);
    return leap;
}

bool LunarCalendar::SolarToLunar(const CivilTime& t, CivilTime* lunar) {
    const int day = int(std::floor(ToJulianDay(AtNoon(t)))) - 2451545;
    const bool leap = LunarOfDay(day, lunar);
    lunar->hour = t.hour;
    lunar->minute = t.minute;
    return leap;
}

Status LunarCalendar::LunarToSolar(const CivilTime& lunar, bool leap, CivilTime* solar) {
    // Month 13 exists in the ancient calendars; nothing beyond it, no day 31.
    if (lunar.month < 1 || lunar.month > 13 || lunar.day < 1 || lunar.day > 30) return Status::Error(kNoSuchLunarDate);
    CivilTime guess{lunar.year, lunar.month, lunar.day, 12, 0};
    if (guess.month == 2 && guess.day > 28) guess.day = 28;
    double J = ToJulianDay(guess);
    CivilTime lg;
    const bool leapG = SolarToLunar(guess, &lg);
    const auto key = [](const CivilTime& x, bool lp) {
        return int(std::floor(x.month * 29.5)) + x.year * 354 + x.day + (lp ? 30 : 0);
    };
    const int step = key(lunar, leap) < key(lg, leapG) ? -1 : 1;
    for (int n = 0; n < 181; ++n) {
        CivilTime l;
        const bool lp = LunarOfDay(int(std::floor(J)) - 2451545, &l);
        if (l.year == lunar.year && l.month == lunar.month && l.day == lunar.day && lp == leap) {
            *solar = FromJulianDay(J);
            solar->hour = lunar.hour;
            solar->minute = lunar.minute;
            return Status::Ok();
        }
        J += step;
    }
    return Status::Error(kNoSuchLunarDate);
}

void LunarCalendar::AddOneDay(CivilTime& t) { t = FromJulianDay(ToJulianDay(t) + 1); }

LocalTimeShift LunarCalendar::LocalTimeShiftOf(float longitude, const CivilTime& t, int mode) {
    LocalTimeShift s;
    s.longitudeSeconds = -int(std::floor((120 - double(longitude)) * 240));
    s.equationSeconds = mode == 1 ? int(std::trunc(EquationOfTime(t))) : 0;
    return s;
}

int LunarCalendar::ToLocalSolarTime(float longitude, CivilTime& t, int mode) {
    const double J = ToJulianDay(t);
    const LocalTimeShift s = LocalTimeShiftOf(longitude, t, mode);
    t = FromJulianDay(J + double(s.Total()) / 86400);
    return s.equationSeconds;
}

double LunarCalendar::EquationOfTime(const CivilTime& t) {
    const double d = JdFromDate(t.year, t.month, t.day + (t.hour + t.minute / 60.0) / 24) - 1.0 / 3 - 2451545;
    return EquationOfTimeDays((d + DeltaTDays(d)) / 36525) * 86400;
}

double LunarCalendar::TermMoment(int year, int a) {
    for (const KnownTerm& k : knownTerms_) {
        if (k.year == year && k.angle == a) return k.jd;
    }
    if (knownTerms_.size() >= 64) knownTerms_.erase(knownTerms_.begin(), knownTerms_.begin() + 32);
    const double jd = TermMomentJd(year, a);
    knownTerms_.push_back({year, a, jd});
    return jd;
}

int LunarCalendar::TermInMonth(int year, int month, bool isJie, CivilTime* out) {
    const int a = 30 * month - (isJie ? 105 : 90);
    *out = FromJulianDay(TermMoment(year, a));
    return out->hour;
}

double LunarCalendar::TermMinuteJd(int year, int a) { return MinuteJd(TermMoment(year, a)); }

bool LunarCalendar::BeforeTerm(double jd, int year, int a) {
    // Rounding to the printed minute moves a moment by at most half a minute.
    constexpr double kMargin = kFastTermError + 1.0 / 1440;
    const double fast = TermMomentFastJd(year, a);
    if (jd < fast - kMargin) return true;
    if (jd > fast + kMargin) return false;
    return jd < TermMinuteJd(year, a);
}

MonthPlace LunarCalendar::LocateMonth(const CivilTime& t) {
    // The 节 at a opens the month when its printed minute is at or before
    // the moment and the next 节's is after it; the terms are a month apart,
    // so that a is the only one.
    const double T = ToJulianDay(t);
    int a = 30 * t.month - 105;
    while (BeforeTerm(T, t.year, a)) a -= 30;
    while (!BeforeTerm(T, t.year, a + 30)) a += 30;
    MonthPlace m;
    m.jieAngle = a;
    int r = a;
    while (r < 0) r += 360;
    m.branch = ((r >= 285 ? r - 285 : r + 75) / 30 + 2) % 12;
    // 立春 is the 节 at −45 of the year; the months are compared at the same
    // printed minutes as the year pillar is.
    m.afterLichun = a >= -45;
    m.jieAngle = a;
    return m;
}

MonthOfMoment LunarCalendar::MonthBranchOf(const CivilTime& t) {
    const MonthPlace place = LocateMonth(t);
    const int a = place.jieAngle;
    MonthOfMoment m;
    m.branch = place.branch;
    m.afterLichun = place.afterLichun;
    m.jieAngle = a;
    m.jie = FromJulianDay(TermMoment(t.year, a));
    m.zhongqi = FromJulianDay(TermMoment(t.year, a + 15));
    m.nextJie = FromJulianDay(TermMoment(t.year, a + 30));
    return m;
}

std::vector<TermEntry> LunarCalendar::TermsOfYear(int year) {
    // The year of a term's printed minute. The terms just outside the year
    // (the last of the previous year, the first of the next) are only tested
    // for their year: the fast inverse decides that when the moment lies more
    // than a day from either new year, and its error is minutes.
    const double newYear = JdFromDate(year, 1, 1.0), nextNewYear = JdFromDate(year + 1, 1, 1.0);
    const auto yearOf = [&](int a) {
        const double fast = StandardJdOfTd(TimeOfSunLonFast(kPi2 * ((year - 2000) + a / 360.0 + 1)));
        if (fast < newYear - 1 || fast > nextNewYear + 1) return fast < newYear ? year - 1 : year + 1;
        if (fast > newYear + 1 && fast < nextNewYear - 1) return year;
        return int(FromJulianDay(TermMomentJd(year, a)).year);
    };
    std::vector<TermEntry> out;
    out.reserve(25);
    int a = -60;
    for (;;) {
        a -= 15;
        const int y = yearOf(a);
        if (y != year || y < -4713) break;
    }
    double last = newYear;  // terms are 14 to 16 days apart
    for (;;) {
        a += 15;
        if (last > nextNewYear - 17 && yearOf(a) != year) break;
        last = TermMomentJd(year, a);
        const CivilTime c = FromJulianDay(last);
        if (c.year != year || c.year > 9999) break;
        const int deg = FloorMod(a, 360);
        int k = deg - 285;
        if (k < 0) k += 360;
        out.push_back({c.year, c.month, c.day, c.hour, c.minute, std::int16_t((k / 15) % 24)});
    }
    return out;
}

std::string LunarCalendar::ChineseNumeral(int n) {
    std::string s;
    if (n >= 1 && n <= 30) {
        if (n <= 9) return kDigits[n];
        if (n == 10) return "十";
        if (n < 20) return std::string("十") + kDigits[n - 10];
        if (n == 20) return "二十";
        if (n < 30) return std::string("廿") + kDigits[n - 20];
        return "三十";
    }
    long long v = n;
    if (v < 0) {
        s = "前";
        v = -v;
    }
    if (v == 0) return s + "○○○○";
    std::string digits;  // 1..9 one digit, 10..99 two, and so on: no padding needed
    for (long long x = v; x > 0; x /= 10) digits.insert(0, kDigits[x % 10]);
    return s + digits;
}

int LunarCalendar::WeekdayOf(const CivilTime& t) {
    return FloorMod((long long)(std::floor(ToJulianDay(AtNoon(t)))) + 1, 7);
}

int LunarCalendar::DayPillarOf(const CivilTime& t) {
    return FloorMod((long long)(std::floor(ToJulianDay(AtNoon(t)))) + 50, 60);
}

double LunarCalendar::RoundToDecimals(double x, int n) {
    const double k = std::pow(10.0, n);
    const double xk = x * k;
    const double c = std::ceil(xk), f = std::floor(xk);
    return c - xk >= xk - f ? f / k : c / k;
}

int LunarCalendar::YearPillarOf(const CivilTime& t) {
    // The year changes at the printed minute of 立春, which opens a month: the
    // month of the moment tells on which side of it the moment lies.
    return YearPillarOfYear(LocateMonth(t).afterLichun ? t.year : t.year - 1);
}

int LunarCalendar::MonthPillarOf(const CivilTime& t) {
    const MonthPlace m = LocateMonth(t);
    return MonthPillarFrom(YearPillarOfYear(m.afterLichun ? t.year : t.year - 1), m.branch);
}

int LunarCalendar::DayPillarAt(const CivilTime& t, bool lateZiHourKeepsDay) {
    const int p = DayPillarOf(t);
    return (t.hour == 23 && !lateZiHourKeepsDay) ? (p + 1) % 60 : p;
}

int LunarCalendar::HourPillarOf(const CivilTime& t, bool lateZiHourKeepsDay) {
    int h = t.hour;
    if (h % 2 == 1) h += 1;
    if (h == 24) h = 0;
    const int branch = (h / 2 + 1) % 12;
    int d = DayPillarAt(t, lateZiHourKeepsDay) % 10;
    if (d == 0) d = 5;
    const int stem = FloorMod(2 * d + h / 2 - 1, 10);
    const int p = PillarOfStemBranch(stem, branch);
    return (lateZiHourKeepsDay && t.hour == 23) ? (p + 12) % 60 : p;
}

FourPillars LunarCalendar::PillarsOf(const CivilTime& t, bool lateZiHourKeepsDay) {
    return {YearPillarOf(t), MonthPillarOf(t), DayPillarAt(t, lateZiHourKeepsDay), HourPillarOf(t, lateZiHourKeepsDay)};
}

std::string LunarDateText(int month, int day, bool leap) {
    std::string s = leap ? "闰" : "";
    s += month == 1 ? std::string("正") : LunarCalendar::ChineseNumeral(month);
    s += "月";
    if (day <= 10) s += "初";
    return s + LunarCalendar::ChineseNumeral(day);
}

}  // namespace tessaly
