#include <gtest/gtest.h>

#include "calendar/civil_time_util.h"
#include "chart/BirthConversion.h"

namespace tessaly {
namespace {

using testutil::T;

struct Input {
    int year, month, day, hour, minute;
    bool lunar = false;
    bool leap = false;
};

// Runs the conversion of one record with the given options.
struct Converted {
    bool ok;
    std::string error;
    CivilTime clock, chart, lunar;
    bool leap;
};

Converted Convert(const Input& in, int idate = 0, bool zishi = false, float lon = 120.0f) {
    PersonRecord r;
    r.year = static_cast<std::int16_t>(in.year);
    r.month = static_cast<std::int16_t>(in.month);
    r.day = static_cast<std::int16_t>(in.day);
    r.hour = static_cast<std::int16_t>(in.hour);
    r.minute = static_cast<std::int16_t>(in.minute);
    r.isLunar = in.lunar;
    r.isLeapMonth = in.leap;
    r.longitude = lon;
    ChartOptions options;
    options.timeBasis = static_cast<TimeBasis>(idate);
    options.lateZiHourKeepsDay = zishi;
    LunarCalendar calendar;
    const BirthConversion c = ConvertBirth(r, options, calendar);
    const BirthMoments& m = c.moments;
    return {c.status.ok(), c.status.message(), m.clockTime, m.chartTime, m.lunarTime, m.isLeapMonth};
}

TEST(ConvertBirth, RefusesWithItsFourMessages) {
    const struct {
        const char* what;
        Input in;
        bool zishi;
        const char* want;  // nullptr: converts
    } kCases[] = {
        {"day 30 of a 29-day lunar month",
         {2023, 2, 30, 8, 0, true, true},
         false,
         "不存在这个农历日期，无法转换到公历！"},
        {"leap flag on a year whose leap month is another",
         {2024, 2, 1, 8, 0, true, true},
         false,
         "不存在这个农历日期，无法转换到公历！"},
        {"lunar date whose Gregorian year is 2101",
         {2100, 12, 20, 8, 0, true, false},
         false,
         "时间越界，年份在-850到2100之间"},
        {"February 30", {2000, 2, 30, 8, 0}, false, "不存在这个日期"},
        {"February 29 of a common Gregorian year", {1900, 2, 29, 8, 0}, false, "不存在这个日期"},
        {"February 29 of a Julian leap year", {1500, 2, 29, 8, 0}, false, nullptr},
        {"February 29 of a Gregorian leap year", {2000, 2, 29, 8, 0}, false, nullptr},
        {"1582-10-04, the last Julian day", {1582, 10, 4, 8, 0}, false, nullptr},
        {"1582-10-05 does not exist", {1582, 10, 5, 8, 0}, false, "不存在这个日期"},
        {"1582-10-15, the first Gregorian day", {1582, 10, 15, 8, 0}, false, nullptr},
        {"1582-10-31: October 1582 has 21 days", {1582, 10, 31, 8, 0}, false, nullptr},
        {"2100-12-31 23:30 rolls into 2101", {2100, 12, 31, 23, 30}, false, "公、农历正常转换年份在-850到2100之间"},
        {"2100-12-31 23:30 keeps its day with zishi", {2100, 12, 31, 23, 30}, true, nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const Converted r = Convert(c.in, 0, c.zishi);
        if (c.want == nullptr) {
            EXPECT_TRUE(r.ok) << r.error;
            EXPECT_TRUE(r.error.empty());
        } else {
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.error, c.want);
        }
    }
}

TEST(ConvertBirth, TimeBasisMovesOnlyTheChartTime) {
    const struct {
        const char* what;
        int idate;
        float lon;
        CivilTime clock, chart;
    } kCases[] = {
        {"standard time", 0, 105.0f, T(2024, 11, 3, 10, 0), T(2024, 11, 3, 10, 0)},
        {"local mean time at 120° is standard time", 2, 120.0f, T(2024, 11, 3, 10, 0), T(2024, 11, 3, 10, 0)},
        {"local mean time at 105°: one hour earlier", 2, 105.0f, T(2024, 11, 3, 10, 0), T(2024, 11, 3, 9, 0)},
        // Early November the true sun runs about 16 minutes ahead of the mean sun.
        {"true solar time at 120°: the equation of time only", 1, 120.0f, T(2024, 11, 3, 10, 0),
         T(2024, 11, 3, 10, 16)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const Converted r = Convert({2024, 11, 3, 10, 0}, c.idate, false, c.lon);
        ASSERT_TRUE(r.ok) << r.error;
        EXPECT_EQ(r.clock, c.clock);
        EXPECT_EQ(r.chart, c.chart);
    }
}

TEST(ConvertBirth, LateZiHourTakesTheNextLunarDay) {
    // 2023 has a leap second month: 闰二月 runs 2023-03-22 .. 2023-04-19
    // (29 days), and 三月初一 is 2023-04-20.
    const Converted inLeap = Convert({2023, 2, 29, 22, 30, true, true});
    ASSERT_TRUE(inLeap.ok) << inLeap.error;
    EXPECT_EQ(inLeap.clock, T(2023, 4, 19, 22, 30));
    EXPECT_EQ(inLeap.lunar, T(2023, 2, 29, 22, 30));
    EXPECT_TRUE(inLeap.leap);

    // At 23:30 the lunar date is the next day's, outside the leap month: the
    // flag then describes the lunar date, not the input.
    const Converted rolled = Convert({2023, 2, 29, 23, 30, true, true});
    ASSERT_TRUE(rolled.ok) << rolled.error;
    EXPECT_EQ(rolled.clock, T(2023, 4, 19, 23, 30));
    EXPECT_EQ(rolled.chart, T(2023, 4, 19, 23, 30));  // the chart time keeps the entered day
    EXPECT_EQ(rolled.lunar, T(2023, 3, 1, 23, 30));
    EXPECT_FALSE(rolled.leap);

    const Converted kept = Convert({2023, 2, 29, 23, 30, true, true}, 0, true);
    ASSERT_TRUE(kept.ok);
    EXPECT_EQ(kept.lunar, T(2023, 2, 29, 23, 30));
    EXPECT_TRUE(kept.leap);

    // The month before the leap month carries the same number, not leap.
    const Converted before = Convert({2023, 3, 21, 12, 0});
    ASSERT_TRUE(before.ok);
    EXPECT_EQ(before.lunar, T(2023, 2, 30, 12, 0));
    EXPECT_FALSE(before.leap);
}

}  // namespace
}  // namespace tessaly
