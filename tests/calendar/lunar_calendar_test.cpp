#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "calendar/Ephemeris.h"
#include "calendar/LunarCalendar.h"
#include "calendar/civil_time_util.h"

namespace tessaly {
namespace {

using testutil::Text;

TEST(DayPillar, AndWeekdayOfJ2000) {
    EXPECT_EQ(LunarCalendar::DayPillarOf({2000, 1, 1, 0, 0}), 55);  // 戊午
    EXPECT_EQ(LunarCalendar::WeekdayOf({2000, 1, 1, 0, 0}), 6);     // Saturday
    EXPECT_EQ(LunarCalendar::WeekdayOf({1582, 10, 15, 0, 0}), 5);   // Friday, after Thursday 10-04
    EXPECT_EQ(LunarCalendar::WeekdayOf({1582, 10, 4, 0, 0}), 4);
    EXPECT_EQ(LunarCalendar::DayPillarOf({2024, 2, 10, 0, 0}), 41);  // 8806 days later: 甲辰
}

TEST(FromJulianDay, RoundsToTheMinute) {
    const double base = JdFromDate(2024, 5, 6 + 10 / 24.0);
    const struct {
        double seconds;
        int hour, minute;
    } kCases[] = {{15, 10, 0}, {45, 10, 1}, {30, 10, 0}, {31, 10, 1}, {59.9999, 10, 1}, {0, 10, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.seconds);
        const CivilTime t = LunarCalendar::FromJulianDay(base + c.seconds / 86400);
        EXPECT_EQ(t.hour, c.hour);
        EXPECT_EQ(t.minute, c.minute);
    }
    // minute + 1 s shifted by whole seconds keeps the exact boundary
    const CivilTime t0{2024, 5, 6, 10, 0};
    EXPECT_EQ(LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(t0) + 29 / 86400.0).minute, 0);
    EXPECT_EQ(LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(t0) + 30 / 86400.0).minute, 1);
    EXPECT_EQ(LunarCalendar::FromJulianDay(JdFromDate(2024, 12, 31 + (23 + 59.75 / 60) / 24)),
              (CivilTime{2025, 1, 1, 0, 0}));
}

TEST(SolarDateExists, KnowsMonthLengthsAndTheGap) {
    const struct {
        CivilTime t;
        bool want;
    } kCases[] = {
        {{1582, 10, 4}, true},  {{1582, 10, 5}, false},  {{1582, 10, 14}, false}, {{1582, 10, 15}, true},
        {{1582, 10, 31}, true}, {{1582, 10, 32}, false}, {{2024, 2, 29}, true},   {{2023, 2, 29}, false},
        {{1900, 2, 29}, false}, {{1500, 2, 29}, true},   {{2000, 2, 30}, false},  {{-500, 4, 30}, true},
        {{-500, 4, 31}, false}, {{-4712, 1, 31}, true},  {{2024, 1, 0}, false},   {{2024, 13, 1}, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.t));
        EXPECT_EQ(LunarCalendar::SolarDateExists(c.t), c.want);
    }
}

TEST(ChineseNumeral, WritesDaysAndYears) {
    const struct {
        int n;
        const char* want;
    } kCases[] = {{1, "一"},    {10, "十"},        {13, "十三"},  {15, "十五"},      {20, "二十"},
                  {23, "廿三"}, {30, "三十"},      {0, "○○○○"},   {45, "四五"},      {2024, "二○二四"},
                  {-5, "前五"}, {-850, "前八五○"}, {100, "一○○"}, {9999, "九九九九"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(LunarCalendar::ChineseNumeral(c.n), c.want);
    }
}

TEST(RoundToDecimals, TiesGoDown) {
    EXPECT_EQ(LunarCalendar::RoundToDecimals(2.5, 0), 2);
    EXPECT_EQ(LunarCalendar::RoundToDecimals(2.51, 0), 3);
    EXPECT_EQ(LunarCalendar::RoundToDecimals(-2.5, 0), -3);
    EXPECT_NEAR(LunarCalendar::RoundToDecimals(1.236, 2), 1.24, 1e-12);
}

TEST(PillarOf, CombinesStemAndBranch) {
    EXPECT_EQ(PillarOfStemBranch(1, 1), 1);    // 甲子
    EXPECT_EQ(PillarOfStemBranch(0, 0), 0);    // 癸亥
    EXPECT_EQ(PillarOfStemBranch(5, 7), 55);   // 戊午
    EXPECT_EQ(PillarOfStemBranch(9, 11), 59);  // 壬戌
    EXPECT_EQ(PillarName(41), "甲辰");
}

// Published almanac facts, Beijing time. Solar terms and new moons to the
// minute (±1 min for the almanacs' own rounding).
TEST(Almanac, SolarTermsToTheMinute) {
    const struct {
        CivilTime t;
        int term;
    } kCases[] = {
        {{2022, 2, 4, 4, 51}, 2},      // 立春
        {{2023, 2, 4, 10, 43}, 2},     // 立春
        {{2024, 2, 4, 16, 27}, 2},     // 立春
        {{2025, 2, 3, 22, 10}, 2},     // 立春
        {{2024, 3, 20, 11, 6}, 5},     // 春分
        {{2024, 6, 21, 4, 51}, 11},    // 夏至
        {{2024, 9, 22, 20, 44}, 17},   // 秋分
        {{2023, 12, 22, 11, 27}, 23},  // 冬至
        {{2024, 12, 21, 17, 21}, 23},  // 冬至
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.t));
        bool found = false;
        for (const TermEntry& e : LunarCalendar::TermsOfYear(c.t.year)) {
            if (e.term != c.term) continue;
            found = true;
            const CivilTime got{e.year, e.month, e.day, e.hour, e.minute};
            EXPECT_NEAR(LunarCalendar::ToJulianDay(got), LunarCalendar::ToJulianDay(c.t), 1.01 / 1440) << Text(got);
        }
        EXPECT_TRUE(found);
    }
}

TEST(Almanac, NewMoonsToTheMinute) {
    const CivilTime kCases[] = {
        {2023, 1, 22, 4, 53},  {2024, 1, 11, 19, 57},
        {2024, 2, 10, 6, 59},  {2024, 4, 9, 2, 21},  // total solar eclipse of 2024-04-08 (UT)
        {2017, 8, 22, 2, 30},                        // total solar eclipse of 2017-08-21 (UT)
        {2025, 1, 29, 20, 36},
    };
    for (const CivilTime& c : kCases) {
        SCOPED_TRACE(Text(c));
        const double jd = LunarCalendar::ToJulianDay(c);
        const double W = std::round((jd - 2451551) / 29.5306) * kPi2;
        const double got = StandardJdOfTd(TimeOfElongation(W));
        EXPECT_NEAR(got, jd, 1.5 / 1440) << Text(LunarCalendar::FromJulianDay(got));
    }
}

TEST(Almanac, LunarNewYearDays) {
    const CivilTime kCases[] = {{2000, 2, 5},  {2020, 1, 25}, {2021, 2, 12}, {2022, 2, 1},
                                {2023, 1, 22}, {2024, 2, 10}, {2025, 1, 29}};
    LunarCalendar cal;
    for (const CivilTime& c : kCases) {
        SCOPED_TRACE(Text(c));
        CivilTime l;
        EXPECT_FALSE(cal.SolarToLunar(c, &l));
        EXPECT_EQ(l, (CivilTime{c.year, 1, 1, 0, 0}));
        CivilTime back;
        ASSERT_TRUE(cal.LunarToSolar({c.year, 1, 1, 0, 0}, false, &back).ok());
        EXPECT_EQ(back, c);
        // the day before is the last day of the 12th month of the previous year
        CivilTime before = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(c) - 1);
        cal.SolarToLunar(before, &l);
        EXPECT_EQ(l.year, c.year - 1);
        EXPECT_EQ(l.month, 12);
    }
}

TEST(SolarToLunar, FlagsTheLeapMonth) {
    LunarCalendar cal;
    CivilTime l;
    // 2023: 闰二月 from 2023-03-22; 二月 from 2023-02-20.
    EXPECT_TRUE(cal.SolarToLunar({2023, 3, 22, 8, 30}, &l));
    EXPECT_EQ(l, (CivilTime{2023, 2, 1, 8, 30}));
    EXPECT_FALSE(cal.SolarToLunar({2023, 2, 20, 0, 0}, &l));
    EXPECT_EQ(l, (CivilTime{2023, 2, 1, 0, 0}));
    CivilTime s;
    ASSERT_TRUE(cal.LunarToSolar({2023, 2, 1, 8, 30}, true, &s).ok());
    EXPECT_EQ(s, (CivilTime{2023, 3, 22, 8, 30}));
}

TEST(LunarToSolar, RefusesDatesThatDoNotExist) {
    LunarCalendar cal;
    const struct {
        CivilTime l;
        bool leap;
    } kCases[] = {
        {{2024, 1, 30}, false},  // 甲辰正月 has 29 days
        {{2024, 2, 1}, true},    // 2024 has no leap month
        {{2023, 3, 1}, true},    // 2023's leap month is the second
        {{2023, 1, 31}, false}, {{2023, 0, 1}, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.l));
        CivilTime s{};
        const Status st = cal.LunarToSolar(c.l, c.leap, &s);
        EXPECT_FALSE(st.ok());
        EXPECT_EQ(st.message(), kNoSuchLunarDate);
    }
}

// Every day of a span converts to lunar and back; lunar days run 1..29/30.
TEST(SolarToLunar, RoundTripsEveryDay) {
    LunarCalendar cal;
    const struct { int y; } kStarts[] = {{1899}, {1980}, {2024}, {-300}, {1200}};
    for (const auto& st : kStarts) {
        SCOPED_TRACE(st.y);
        CivilTime t{std::int16_t(st.y), 1, 1, 12, 0};
        CivilTime prev{};
        for (int i = 0; i < 400; ++i, LunarCalendar::AddOneDay(t)) {
            CivilTime l;
            const bool leap = cal.SolarToLunar(t, &l);
            if (i > 0) {
                ASSERT_TRUE(l.day == prev.day + 1 || (l.day == 1 && prev.day >= 29)) << Text(t);
            }
            prev = l;
            if (i % 9 == 0) {
                CivilTime back;
                ASSERT_TRUE(cal.LunarToSolar(l, leap, &back).ok()) << Text(t);
                ASSERT_EQ(back, t);
            }
        }
    }
}

TEST(ToLocalSolarTime, ShiftsByLongitudeAndEquationOfTime) {
    CivilTime t{2024, 5, 6, 10, 0};
    EXPECT_EQ(LunarCalendar::ToLocalSolarTime(105.0f, t, 2), 0);
    EXPECT_EQ(t, (CivilTime{2024, 5, 6, 9, 0}));
    CivilTime u{2020, 11, 3, 12, 0};
    const int E = LunarCalendar::ToLocalSolarTime(120.0f, u, 1);
    EXPECT_NEAR(E, 16 * 60 + 25, 15);
    EXPECT_EQ(u.hour, 12);
    EXPECT_EQ(u.minute, 16);
}

TEST(TermsOfYear, CountsAndOrder) {
    const int kYears[] = {2024, 2023, 1900, 1582, -849, 100, -4712, 9999};
    for (int y : kYears) {
        SCOPED_TRACE(y);
        const auto terms = LunarCalendar::TermsOfYear(y);
        ASSERT_GE(terms.size(), 23u);
        ASSERT_LE(terms.size(), 25u);
        for (std::size_t i = 0; i < terms.size(); ++i) {
            EXPECT_EQ(terms[i].year, y);
            if (i > 0) {
                EXPECT_EQ(terms[i].term, (terms[i - 1].term + 1) % 24);
            }
        }
    }
    EXPECT_EQ(LunarCalendar::TermsOfYear(2024).size(), 24u);
    EXPECT_EQ(LunarCalendar::TermsOfYear(2024)[0].term, 0);  // 小寒 first
}

TEST(TermInMonth, FindsJieAndZhongqi) {
    LunarCalendar cal;
    CivilTime t;
    EXPECT_EQ(cal.TermInMonth(2024, 2, true, &t), 16);
    EXPECT_EQ(t, (CivilTime{2024, 2, 4, 16, 27}));
    cal.TermInMonth(2024, 3, false, &t);
    EXPECT_EQ(t, (CivilTime{2024, 3, 20, 11, 6}));  // 春分
}

TEST(Pillars, YearAndMonthChangeTogetherAtTheLichunMinute) {
    // 立春 2024 printed 16:27: 16:26 is still 癸卯年乙丑月, 16:27 is 甲辰年丙寅月.
    const struct {
        CivilTime t;
        const char* year;
        const char* month;
    } kCases[] = {
        {{2024, 2, 4, 16, 26}, "癸卯", "乙丑"}, {{2024, 2, 4, 16, 27}, "甲辰", "丙寅"},
        {{2024, 2, 4, 16, 28}, "甲辰", "丙寅"}, {{2024, 3, 5, 12, 0}, "甲辰", "丁卯"},  // after 惊蛰 (03-05 10:23)
        {{2024, 1, 10, 12, 0}, "癸卯", "乙丑"}, {{2023, 12, 10, 12, 0}, "癸卯", "甲子"},
    };
    LunarCalendar cal;
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.t));
        EXPECT_EQ(PillarName(cal.YearPillarOf(c.t)), c.year);
        EXPECT_EQ(PillarName(cal.MonthPillarOf(c.t)), c.month);
    }
    // around every 节 of a year the month changes exactly at its printed minute
    for (int m = 1; m <= 12; ++m) {
        SCOPED_TRACE(m);
        CivilTime jie;
        cal.TermInMonth(2024, m, true, &jie);
        const CivilTime before = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(jie) - 60.0 / 86400);
        EXPECT_EQ(cal.MonthBranchOf(jie).branch, (cal.MonthBranchOf(before).branch + 1) % 12);
        EXPECT_EQ(cal.MonthBranchOf(jie).jie, jie);
    }
}

// The fast inverse decides which side of a term a moment lies on only where
// the two cannot disagree: at the term's printed minute, a minute either
// side, and around the edge of the fast inverse's error bound the answer is
// the accurate one, over the whole range of the calendar.
TEST(BeforeTerm, AgreesWithTheAccurateMinuteOfEveryTerm) {
    LunarCalendar cal;
    const double bound = kFastTermError * 1440;  // minutes
    const double kMinutes[] = {0, 1, 2, bound - 1, bound, bound + 1, bound + 2, bound + 3};
    for (int year = -4712; year <= 9999; year += 53) {
        for (int a = -75; a <= 270; a += 15) {
            SCOPED_TRACE(testing::Message() << year << " " << a);
            const double minute = LunarCalendar::ToJulianDay(LunarCalendar::FromJulianDay(TermMomentJd(year, a)));
            EXPECT_LT(std::abs(TermMomentFastJd(year, a) - TermMomentJd(year, a)), kFastTermError);
            for (const double m : kMinutes) {
                for (const double sign : {-1.0, 1.0}) {
                    const double jd =
                        LunarCalendar::ToJulianDay(LunarCalendar::FromJulianDay(minute + sign * m / 1440));
                    ASSERT_EQ(cal.BeforeTerm(jd, year, a), jd < minute) << sign * m << " minutes";
                }
            }
        }
    }
}

// LocateMonth finds the 节 whose printed minute is the last at or before
// the moment, as a walk over the accurate minutes does.
TEST(LocateMonth, FindsTheJieOfTheAccurateMinutes) {
    LunarCalendar cal;
    for (int year = -4700; year <= 9990; year += 37) {
        for (int m = 1; m <= 12; ++m) {
            CivilTime jie;
            cal.TermInMonth(year, m, true, &jie);
            const double at = LunarCalendar::ToJulianDay(jie);
            for (const double minutes : {-1.0, 0.0, 30.0, 1440.0 * 14}) {
                const CivilTime t = LunarCalendar::FromJulianDay(at + minutes / 1440);
                const double T = LunarCalendar::ToJulianDay(t);
                int a = 30 * t.month - 105;
                while (T < cal.TermMinuteJd(t.year, a)) a -= 30;
                while (T >= cal.TermMinuteJd(t.year, a + 30)) a += 30;
                SCOPED_TRACE(Text(t));
                const MonthPlace place = cal.LocateMonth(t);
                ASSERT_EQ(place.jieAngle, a);
                EXPECT_EQ(place.afterLichun, a >= -45);
            }
        }
    }
}

TEST(Pillars, DayAndHourWithLateZiHour) {
    // 2000-01-01 戊午日: 12:00 is 戊午 day, 戊午 hour; 23:30 belongs to 己未 day 甲子 hour
    // unless late 子 hours keep their own day (then 戊午 day, 甲子 hour as well).
    const struct {
        CivilTime t;
        bool zishi;
        const char* day;
        const char* hour;
    } kCases[] = {
        {{2000, 1, 1, 12, 0}, false, "戊午", "戊午"},  {{2000, 1, 1, 0, 30}, false, "戊午", "壬子"},
        {{2000, 1, 1, 23, 30}, false, "己未", "甲子"}, {{2000, 1, 1, 23, 30}, true, "戊午", "甲子"},
        {{2000, 1, 1, 1, 0}, false, "戊午", "癸丑"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.t));
        EXPECT_EQ(PillarName(LunarCalendar::DayPillarAt(c.t, c.zishi)), c.day);
        EXPECT_EQ(PillarName(LunarCalendar::HourPillarOf(c.t, c.zishi)), c.hour);
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// Every term of the year by the plain search over accurate moments only.
std::vector<TermEntry> TermsOfYearPlain(int year) {
    std::vector<TermEntry> out;
    int a = -60;
    for (;;) {
        a -= 15;
        const CivilTime c = LunarCalendar::FromJulianDay(TermMomentJd(year, a));
        if (c.year != year || c.year < -4713) break;
    }
    for (;;) {
        a += 15;
        const CivilTime c = LunarCalendar::FromJulianDay(TermMomentJd(year, a));
        if (c.year != year || c.year > 9999) break;
        const int k = (((a % 360) + 360) % 360 - 285 + 360) % 360;
        out.push_back({c.year, c.month, c.day, c.hour, c.minute, std::int16_t(k / 15 % 24)});
    }
    return out;
}

TEST(TermsOfYear, SameAsThePlainSearch) {
    const int step = std::getenv("TESSALY_ALL_YEARS") ? 1 : 53;
    for (int y = -4711; y <= 9999; y += (y > -200 && y < 2200) ? (step == 1 ? 1 : 11) : step) {
        const auto fast = LunarCalendar::TermsOfYear(y), plain = TermsOfYearPlain(y);
        ASSERT_EQ(fast.size(), plain.size()) << y;
        for (std::size_t i = 0; i < fast.size(); ++i) {
            ASSERT_EQ(fast[i].year, plain[i].year);
            ASSERT_EQ(fast[i].month, plain[i].month);
            ASSERT_EQ(fast[i].day, plain[i].day);
            ASSERT_EQ(fast[i].hour, plain[i].hour);
            ASSERT_EQ(fast[i].minute, plain[i].minute);
            ASSERT_EQ(fast[i].term, plain[i].term);
        }
    }
}

}  // namespace
}  // namespace tessaly
