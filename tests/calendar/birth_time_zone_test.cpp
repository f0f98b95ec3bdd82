// Clock times of birth places: the conversion into standard time UTC+8
// through the system's time-zone database, the skipped and repeated hours,
// the summer-time periods and the texts shown to the user.
#include <gtest/gtest.h>

#include <algorithm>

#include "calendar/BirthTimeZone.h"
#include "calendar/civil_time_util.h"

namespace tessaly {
namespace {

using testutil::T;
using testutil::Text;

TEST(ClockToStandardTime, ConvertsUniqueClockTimes) {
    const struct {
        const char* what;
        CivilTime clock;
        const char* zone;
        CivilTime want;
        bool summer;
        int offsetSeconds;
    } kCases[] = {
        {"China's summer time of 1988", T(1988, 6, 1, 10, 30), "Asia/Shanghai", T(1988, 6, 1, 9, 30), true, 9 * 3600},
        {"China's winter: standard time already", T(1988, 12, 1, 10, 30), "Asia/Shanghai", T(1988, 12, 1, 10, 30),
         false, 8 * 3600},
        {"China after 1991: no summer time", T(2000, 1, 1, 0, 30), "Asia/Shanghai", T(2000, 1, 1, 0, 30), false,
         8 * 3600},
        {"New York in summer: EDT", T(1990, 5, 12, 8, 30), "America/New_York", T(1990, 5, 12, 20, 30), true, -4 * 3600},
        {"New York in winter: EST", T(1990, 1, 12, 8, 30), "America/New_York", T(1990, 1, 12, 21, 30), false,
         -5 * 3600},
        {"New York evening: the next Beijing day", T(1990, 5, 12, 20, 0), "America/New_York", T(1990, 5, 13, 8, 0),
         true, -4 * 3600},
        {"Tokyo, an hour ahead", T(1990, 5, 12, 8, 30), "Asia/Tokyo", T(1990, 5, 12, 7, 30), false, 9 * 3600},
        {"Taipei under Japan's clock in 1940", T(1940, 3, 1, 12, 0), "Asia/Taipei", T(1940, 3, 1, 11, 0), false,
         9 * 3600},
        {"India's half hour", T(1990, 5, 12, 8, 30), "Asia/Kolkata", T(1990, 5, 12, 11, 0), false, 19800},
        // Before 1901 Shanghai kept local mean time, 8:05:43 ahead of UTC:
        // 12:00 is 11:54:17 standard time, to the minute 11:54.
        {"local mean time of 1850", T(1850, 3, 1, 12, 0), "Asia/Shanghai", T(1850, 3, 1, 11, 54), false, 29143},
        {"a Julian date", T(1500, 3, 1, 12, 0), "Asia/Shanghai", T(1500, 3, 1, 11, 54), false, 29143},
        {"a zone without summer time after 2037", T(2090, 7, 1, 12, 0), "Asia/Shanghai", T(2090, 7, 1, 12, 0), false,
         8 * 3600},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ClockConversion r = ClockToStandardTime(c.clock, c.zone, ClockReading::kAsk);
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        EXPECT_EQ(r.kind, ClockTimeKind::kUnique);
        EXPECT_EQ(Text(r.standard), Text(c.want));
        EXPECT_EQ(r.summerTime, c.summer);
        EXPECT_EQ(r.offsetSeconds, c.offsetSeconds);

        // And back: what the clock showed at that standard time.
        const ClockAtMoment back = StandardToClockTime(r.standard, c.zone);
        ASSERT_TRUE(back.status.ok()) << back.status.message();
        EXPECT_EQ(Text(back.clockTime), Text(c.clock));
        EXPECT_EQ(back.summerTime, c.summer);
        EXPECT_EQ(back.offsetSeconds, c.offsetSeconds);
    }
}

TEST(StandardToClockTime, ShowsTheRepeatedHourTwiceAndRefusesAnUnknownZone) {
    // Summer time of 1988 ended at 02:00 on 11 September: the clock went
    // back to 01:00 and showed 01:00–01:59 twice.
    const ClockAtMoment first = StandardToClockTime(T(1988, 9, 11, 0, 30), "Asia/Shanghai");
    const ClockAtMoment second = StandardToClockTime(T(1988, 9, 11, 1, 30), "Asia/Shanghai");
    EXPECT_EQ(Text(first.clockTime), "1988-09-11 01:30");
    EXPECT_TRUE(first.summerTime);
    EXPECT_EQ(Text(second.clockTime), "1988-09-11 01:30");
    EXPECT_FALSE(second.summerTime);
    EXPECT_EQ(StandardToClockTime(T(1988, 9, 11, 1, 30), "Mars/Olympus").status.message(), "未知的时区：Mars/Olympus");
}

TEST(ClockToStandardTime, NamesBothReadingsOfSkippedAndRepeatedTimes) {
    const struct {
        const char* what;
        CivilTime clock;
        ClockTimeKind kind;
        CivilTime summer, standard;
        const char* message;
    } kCases[] = {
        {"the hour skipped when summer time began", T(1988, 4, 17, 2, 30), ClockTimeKind::kSkipped,
         T(1988, 4, 17, 1, 30), T(1988, 4, 17, 2, 30),
         "1988-04-17 02:30 这一时刻在中国时间里不存在（当时钟表拨快了1小时）：按夏令时是北京时间 1988-04-17 "
         "01:30，按标准时是北京时间 1988-04-17 02:30，请选择其一。"},
        {"the hour repeated when summer time ended", T(1988, 9, 11, 1, 30), ClockTimeKind::kRepeated,
         T(1988, 9, 11, 0, 30), T(1988, 9, 11, 1, 30),
         "1988-09-11 01:30 这一时刻在中国时间里出现两次（当时钟表拨回了1小时）：第一次（夏令时）是北京时间 "
         "1988-09-11 00:30，第二次（标准时）是北京时间 1988-09-11 01:30，请选择其一。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ClockConversion ask = ClockToStandardTime(c.clock, "Asia/Shanghai", ClockReading::kAsk);
        EXPECT_EQ(ask.kind, c.kind);
        EXPECT_EQ(ask.status.message(), c.message);
        EXPECT_EQ(Text(ask.summerReading), Text(c.summer));
        EXPECT_EQ(Text(ask.standardReading), Text(c.standard));

        const ClockConversion summer = ClockToStandardTime(c.clock, "Asia/Shanghai", ClockReading::kSummerTime);
        ASSERT_TRUE(summer.status.ok()) << summer.status.message();
        EXPECT_EQ(Text(summer.standard), Text(c.summer));
        EXPECT_TRUE(summer.summerTime);
        const ClockConversion standard = ClockToStandardTime(c.clock, "Asia/Shanghai", ClockReading::kStandardTime);
        ASSERT_TRUE(standard.status.ok()) << standard.status.message();
        EXPECT_EQ(Text(standard.standard), Text(c.standard));
        EXPECT_FALSE(standard.summerTime);
    }
}

TEST(ClockToStandardTime, NamesOtherChangesOfTheClockByTheirOffsets) {
    // At the end of 1900 Shanghai left local mean time (UTC+8:05:43) for
    // UTC+8: the clock went back 5 min 43 s, and 23:57 came twice.
    const ClockConversion c = ClockToStandardTime(T(1900, 12, 31, 23, 57), "Asia/Shanghai", ClockReading::kAsk);
    EXPECT_EQ(c.kind, ClockTimeKind::kRepeated);
    EXPECT_EQ(c.summerName, "UTC+8:05:43");
    EXPECT_EQ(c.standardName, "UTC+8");
    EXPECT_EQ(c.status.message(),
              "1900-12-31 23:57 这一时刻在中国时间里出现两次（当时钟表拨回了5分43秒）：第一次（UTC+8:05:43）是北京时间 "
              "1900-12-31 23:51，第二次（UTC+8）是北京时间 1900-12-31 23:57，请选择其一。");
}

TEST(ClockToStandardTime, RefusesWhatItCannotConvert) {
    const struct {
        const char* what;
        CivilTime clock;
        const char* zone;
        const char* message;
    } kCases[] = {
        {"a zone the database does not know", T(1990, 5, 12, 8, 30), "Mars/Olympus", "未知的时区：Mars/Olympus"},
        {"an empty zone", T(1990, 5, 12, 8, 30), "", "未知的时区："},
        // The database lists New York's changes up to 2037 only.
        {"summer-time rules past 2037", T(2040, 7, 1, 12, 0), "America/New_York",
         "纽约时间在2040年的钟表规则时区数据库里没有（只列到2037年），无法换算；请直接输入北京时间。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ClockConversion r = ClockToStandardTime(c.clock, c.zone, ClockReading::kSummerTime);
        EXPECT_EQ(r.status.message(), c.message);
    }
}

TEST(SummerTimeAround, FindsThePeriodOfAStandardTimeMoment) {
    const struct {
        CivilTime standard;
        const char* zone;
        bool inside;
        CivilTime first, last;
    } kCases[] = {
        {T(1988, 6, 1, 10, 30), "Asia/Shanghai", true, T(1988, 4, 17, 3, 0), T(1988, 9, 11, 1, 59)},
        {T(1988, 4, 17, 2, 30), "Asia/Shanghai", true, T(1988, 4, 17, 3, 0), T(1988, 9, 11, 1, 59)},
        {T(1988, 4, 17, 1, 30), "Asia/Shanghai", false, {}, {}},
        {T(1988, 12, 1, 10, 30), "Asia/Shanghai", false, {}, {}},
        {T(1995, 6, 1, 10, 30), "Asia/Shanghai", false, {}, {}},
        {T(1990, 5, 12, 20, 30), "America/New_York", true, T(1990, 4, 1, 3, 0), T(1990, 10, 28, 1, 59)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.standard) + " " + c.zone);
        const SummerTimePeriod p = SummerTimeAround(c.standard, c.zone);
        EXPECT_EQ(p.inside, c.inside);
        if (!c.inside) continue;
        EXPECT_EQ(Text(p.first), Text(c.first));
        EXPECT_EQ(Text(p.last), Text(c.last));
        EXPECT_EQ(p.saveMinutes, 60);
    }
}

TEST(StandardTimeQuestion, AsksWhenTheClockShowedSomethingElse) {
    const struct {
        CivilTime standard;
        const char* zone;
        const char* want;  // "": no question
    } kCases[] = {
        {T(1988, 6, 1, 10, 30), "Asia/Shanghai",
         "该时刻在夏令时期间（1988年4月17日至1988年9月11日），出生证上的时间通常是夏令时，要减去1小时吗？"},
        {T(1947, 6, 1, 10, 30), "Asia/Shanghai",
         "该时刻在夏令时期间（1947年4月15日至1947年10月31日），出生证上的时间通常是夏令时，要减去1小时吗？"},
        {T(1988, 12, 1, 10, 30), "Asia/Shanghai", ""},
        {T(1850, 6, 1, 10, 30), "Asia/Shanghai", ""},  // local mean time, minutes from UTC+8
        {T(1995, 6, 1, 10, 30), "Asia/Hong_Kong", ""},
        {T(1990, 5, 12, 20, 30), "America/New_York",
         "该时刻纽约时间比北京时间慢12小时（UTC-4，夏令时），出生证上的时间通常是当地钟表时间，要按纽约时间换算成北京时间吗？"},
        {T(1990, 5, 12, 20, 30), "Asia/Kolkata",
         "该时刻印度时间比北京时间慢2小时30分钟（UTC+5:30），出生证上的时间通常是当地钟表时间，要按印度时间换算成北京时间吗？"},
        {T(1990, 5, 12, 20, 30), "Mars/Olympus", ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Text(c.standard) + " " + c.zone);
        EXPECT_EQ(StandardTimeQuestion(c.standard, c.zone), c.want);
    }
}

TEST(ClockNoteText, NamesTheClockAndTheDateWhenItDiffers) {
    const struct {
        CivilTime clock, standard;
        const char* zone;
        bool summer;
        const char* want;
    } kCases[] = {
        {T(1990, 5, 12, 8, 30), T(1990, 5, 12, 20, 30), "America/New_York", true, "(纽约时间 08:30，夏令时)"},
        {T(1990, 5, 12, 20, 0), T(1990, 5, 13, 8, 0), "America/New_York", true, "(纽约时间 1990-05-12 20:00，夏令时)"},
        {T(1990, 5, 12, 8, 30), T(1990, 5, 12, 7, 30), "Asia/Tokyo", false, "(东京时间 08:30)"},
        {T(1990, 5, 12, 8, 30), T(1990, 5, 12, 22, 30), "America/Boise", true,
         "(America/Boise 当地时间 08:30，夏令时)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(ClockNoteText(c.clock, c.standard, c.zone, c.summer), c.want);
    }
}

TEST(TimeZones, ProvinceDefaultsAndTheDatabase) {
    const struct {
        int province;
        const char* zone;
    } kCases[] = {{0, "Asia/Shanghai"},   {1, "Asia/Shanghai"}, {30, "Asia/Shanghai"}, {31, "Asia/Taipei"},
                  {32, "Asia/Hong_Kong"}, {33, "Asia/Macau"},   {34, "Asia/Shanghai"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.province);
        EXPECT_EQ(DefaultTimeZone(c.province), c.zone);
        PersonRecord r;
        r.provinceIndex = std::int16_t(c.province);
        EXPECT_EQ(TimeZoneOf(r), c.zone);
        r.timeZone = "Europe/London";
        EXPECT_EQ(TimeZoneOf(r), "Europe/London");
    }
    for (const CommonTimeZone& z : CommonTimeZones()) {
        SCOPED_TRACE(std::string(z.name));
        EXPECT_TRUE(CheckTimeZone(z.name).ok());
        EXPECT_EQ(TimeZoneLabel(z.name), z.label);
    }
    const std::vector<std::string> all = AllTimeZones();
    EXPECT_GT(all.size(), 300u);
    EXPECT_TRUE(std::is_sorted(all.begin(), all.end()));
    EXPECT_TRUE(std::binary_search(all.begin(), all.end(), "America/New_York"));
    EXPECT_TRUE(std::binary_search(all.begin(), all.end(), "Asia/Shanghai"));
    EXPECT_EQ(TimeZoneLabel("America/Boise"), "America/Boise");
}

}  // namespace
}  // namespace tessaly
