// Births whose time was read from the clock of the birth place (summer time,
// places abroad): the conversion into standard time before everything else,
// the birth line of the chart, and the standard-time record the case store
// keeps.
#include <gtest/gtest.h>

#include "calendar/civil_time_util.h"
#include "chart/BirthConversion.h"
#include "chart/ChartBuilder.h"
#include "chart/chart_test_util.h"

namespace tessaly {
namespace {

using testutil::Pillars;
using testutil::T;
using testutil::Text;

PersonRecord Civil(CivilTime t, const char* zone, float longitude = 120) {
    PersonRecord r;
    r.name = "某人";
    r.SetTime(t);
    r.clock = BirthClock::kCivil;
    r.timeZone = zone;
    r.provinceIndex = 34;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

ChartBuild BuildInBasis(const PersonRecord& r, TimeBasis basis = TimeBasis::kBeijingTime) {
    ChartOptions options;
    options.timeBasis = basis;
    LunarCalendar calendar;
    return BuildChart(r, options, calendar);
}

TEST(CivilClock, ConvertsToStandardTimeBeforeThePillars) {
    PersonRecord lunarSummer = Civil(T(1988, 4, 17, 10, 30), "Asia/Shanghai");  // lunar of 1988-06-01
    lunarSummer.isLunar = 1;
    PersonRecord skippedAsSummer = Civil(T(1988, 4, 17, 2, 30), "Asia/Shanghai");
    skippedAsSummer.clockReading = ClockReading::kSummerTime;
    PersonRecord repeatedAsStandard = Civil(T(1988, 9, 11, 1, 30), "Asia/Shanghai");
    repeatedAsStandard.clockReading = ClockReading::kStandardTime;
    PersonRecord provinceZone = Civil(T(1988, 6, 1, 10, 30), "");  // 福建省: Asia/Shanghai
    provinceZone.provinceIndex = 0;
    const struct {
        const char* what;
        PersonRecord person;
        CivilTime standard;
        const char* pillars;
        bool summer;
    } kCases[] = {
        // 10:30 standard time would be the 丙午 hour.
        {"China's summer time", Civil(T(1988, 6, 1, 10, 30), "Asia/Shanghai"), T(1988, 6, 1, 9, 30),
         "戊辰 丁巳 丁亥 乙巳", true},
        {"the zone of the province", provinceZone, T(1988, 6, 1, 9, 30), "戊辰 丁巳 丁亥 乙巳", true},
        {"a lunar date on the summer clock", lunarSummer, T(1988, 6, 1, 9, 30), "戊辰 丁巳 丁亥 乙巳", true},
        {"New York's summer time", Civil(T(1990, 5, 12, 8, 30), "America/New_York"), T(1990, 5, 12, 20, 30),
         "庚午 辛巳 丁丑 庚戌", true},
        {"the skipped hour read as summer time", skippedAsSummer, T(1988, 4, 17, 1, 30), "", true},
        {"the repeated hour read as standard time", repeatedAsStandard, T(1988, 9, 11, 1, 30), "", false},
        {"a civil clock on standard time", Civil(T(1988, 12, 1, 10, 30), "Asia/Shanghai"), T(1988, 12, 1, 10, 30), "",
         false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ChartBuild b = BuildInBasis(c.person);
        ASSERT_TRUE(b.status.ok()) << b.status.message();
        EXPECT_EQ(Text(b.person.moments.clockTime), Text(c.standard));
        EXPECT_EQ(Text(b.person.moments.chartTime), Text(c.standard));
        EXPECT_TRUE(b.person.moments.civil.used);
        EXPECT_EQ(b.person.moments.civil.summerTime, c.summer);
        if (*c.pillars) {
            EXPECT_EQ(Pillars(b.person.chart), c.pillars);
        }

        // The record the store keeps gives the same chart in standard time.
        const PersonRecord stored = StandardTimeRecord(b.person.person, b.person.moments);
        EXPECT_EQ(stored.clock, BirthClock::kStandard);
        EXPECT_EQ(stored.isLunar, 0);
        EXPECT_EQ(Text(stored.Time()), Text(c.standard));
        const ChartBuild again = BuildInBasis(stored);
        ASSERT_TRUE(again.status.ok()) << again.status.message();
        EXPECT_EQ(Pillars(again.person.chart), Pillars(b.person.chart));
        EXPECT_EQ(again.person.moments.lunarTime, b.person.moments.lunarTime);
        EXPECT_FALSE(again.person.moments.civil.used);
    }
}

TEST(CivilClock, RefusesSkippedAndRepeatedTimesNamingBothReadings) {
    const struct {
        CivilTime clock;
        const char* message;
    } kCases[] = {
        {T(1988, 4, 17, 2, 30),
         "1988-04-17 02:30 这一时刻在中国时间里不存在（当时钟表拨快了1小时）：按夏令时是北京时间 1988-04-17 "
         "01:30，按标准时是北京时间 1988-04-17 02:30，请选择其一。"},
        {T(1988, 9, 11, 1, 30),
         "1988-09-11 01:30 这一时刻在中国时间里出现两次（当时钟表拨回了1小时）：第一次（夏令时）是北京时间 "
         "1988-09-11 00:30，第二次（标准时）是北京时间 1988-09-11 01:30，请选择其一。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.clock));
        LunarCalendar calendar;
        const BirthConversion conv = ConvertBirth(Civil(c.clock, "Asia/Shanghai"), ChartOptions{}, calendar);
        EXPECT_EQ(conv.status.message(), c.message);
        // The same time entered as standard time is no question at all.
        PersonRecord standard = Civil(c.clock, "Asia/Shanghai");
        standard.clock = BirthClock::kStandard;
        EXPECT_TRUE(ConvertBirth(standard, ChartOptions{}, calendar).status.ok());
    }
}

TEST(CivilClock, BirthLineNamesTheClockAfterTheBeijingTime) {
    const struct {
        const char* what;
        PersonRecord person;
        TimeBasis basis;
        const char* line;
    } kCases[] = {
        {"New York in summer", Civil(T(1990, 5, 12, 8, 30), "America/New_York", -74.0f), TimeBasis::kBeijingTime,
         "出生公历：1990年5月12日20时30分(北京时间)(纽约时间 08:30，夏令时)，星期六。"},
        {"New York in the evening", Civil(T(1990, 5, 12, 20, 0), "America/New_York", -74.0f), TimeBasis::kBeijingTime,
         "出生公历：1990年5月13日8时0分(北京时间)(纽约时间 1990-05-12 20:00，夏令时)，星期日。"},
        {"with local mean time", Civil(T(1990, 5, 12, 8, 30), "America/New_York", -74.0f), TimeBasis::kLocalMeanTime,
         "出生公历：1990年5月12日20时30分(北京时间)(纽约时间 08:30，夏令时)。\r\n"
         "出生公历：1990年5月12日7时34分(地方时)，星期六。"},
        {"Shanghai's summer time", Civil(T(1988, 6, 1, 10, 30), "Asia/Shanghai"), TimeBasis::kBeijingTime,
         "出生公历：1988年6月1日9时30分(北京时间)(中国时间 10:30，夏令时)，星期三。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ChartBuild b = BuildInBasis(c.person, c.basis);
        ASSERT_TRUE(b.status.ok()) << b.status.message();
        const std::string text = b.person.text.PlainText();
        EXPECT_NE(text.find(c.line), std::string::npos) << text.substr(0, 400);
    }
}

TEST(CivilClock, StandardRecordsStayAsTheyAre) {
    PersonRecord r = Civil(T(1988, 6, 1, 10, 30), "America/New_York");
    r.clock = BirthClock::kStandard;
    LunarCalendar calendar;
    const BirthConversion conv = ConvertBirth(r, ChartOptions{}, calendar);
    ASSERT_TRUE(conv.status.ok());
    EXPECT_EQ(Text(conv.moments.clockTime), "1988-06-01 10:30");  // the zone is not used
    EXPECT_FALSE(conv.moments.civil.used);
    const PersonRecord same = StandardTimeRecord(r, conv.moments);
    EXPECT_EQ(same.timeZone, r.timeZone);
    EXPECT_EQ(Text(same.Time()), Text(r.Time()));
}

}  // namespace
}  // namespace tessaly
