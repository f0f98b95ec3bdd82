#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "calendar/civil_time_util.h"
#include "chart/ChartBuilder.h"
#include "chart/Tables.h"
#include "chart/chart_test_util.h"
#include "test_paths.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;
using testutil::Pillars;
using testutil::T;

PersonRecord Person(const char* name, bool male, CivilTime t) {
    PersonRecord r;
    r.name = name;
    r.isMale = male;
    r.SetTime(t);
    r.provinceIndex = 34;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// Builds the chart of `p` with the options given as KEY=VALUE.
ChartBuild Build(const PersonRecord& p, const std::vector<std::string>& settings = {}, int personNo = 0) {
    ChartOptions options;
    for (const std::string& kv : settings) EXPECT_TRUE(SetChartOption(options, kv).ok()) << kv;
    PersonRecord r = p;
    r.personNo = static_cast<std::uint8_t>(personNo);
    LunarCalendar calendar;
    return BuildChart(r, options, calendar);
}

TEST(BuildChart, PillarsAtTheBoundaries) {
    const struct {
        const char* what;
        CivilTime t;
        bool zishi;
        const char* want;
    } kCases[] = {
        // 立春 1984 is printed 1984-02-04 23:19: year and month change together
        // in that minute.
        // (1984-02-05 is 己巳; 23:18 already takes the next day's pillar.)
        {"the minute before 立春 1984", T(1984, 2, 4, 23, 18), false, "癸亥 乙丑 己巳 甲子"},
        {"the minute of 立春 1984", T(1984, 2, 4, 23, 19), false, "甲子 丙寅 己巳 甲子"},
        // 23:30 belongs to the next day (庚午, whose 子 hour is 丙子) unless
        // late 子 hours keep their day; then the hour is still the next day's 子.
        {"23:30 without zishi", T(1984, 2, 5, 23, 30), false, "甲子 丙寅 庚午 丙子"},
        {"23:30 with zishi", T(1984, 2, 5, 23, 30), true, "甲子 丙寅 己巳 丙子"},
        {"hour 1 is 丑", T(1984, 2, 5, 1, 0), false, "甲子 丙寅 己巳 乙丑"},
        {"hour 2 is 丑", T(1984, 2, 5, 2, 59), false, "甲子 丙寅 己巳 乙丑"},
        {"hour 0 is 子", T(1984, 2, 5, 0, 10), false, "甲子 丙寅 己巳 甲子"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ChartBuild b = Build(Person("甲", true, c.t), {std::string("zishi=") + (c.zishi ? "1" : "0")});
        ASSERT_TRUE(b.status.ok()) << b.status.message();
        EXPECT_EQ(Pillars(b.person.chart), c.want);
    }
}

TEST(BuildChart, LuckStartCountsThreeDaysAYear) {
    const struct {
        const char* what;
        PersonRecord p;
        const char* line;
        int startYears;
    } kCases[] = {
        // 惊蛰 1984 is printed 03-05 17:25; a yang-year man counts forward:
        // 4319 minutes are 0 years, 11 months and 29 days; 1985-02-02 plus
        // 29 days is 03-03, a nominal age of 2.
        {"forward 4319 minutes", Person("甲", true, T(1984, 3, 2, 17, 26)),
         "起大运周岁：0岁 11个月 29天，每一交大运年 3月 3日起运(公历)。\r\n", 2},
        // A yang-year woman counts backward to 寒露 1992 (10-08 08:51); ten
        // months from November run into September of the next year.
        {"backward, months past December", Person("乙", false, T(1992, 11, 3, 21, 10)),
         "起大运周岁：8岁 10个月 1天，每一交大运年 9月 4日起运(公历)。\r\n", 10},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const ChartBuild b = Build(c.p);
        ASSERT_TRUE(b.status.ok()) << b.status.message();
        const std::string text = b.person.text.PlainText();
        EXPECT_NE(text.find(c.line), std::string::npos) << text;
        EXPECT_EQ(b.person.chart.luckStartYears, c.startYears);
    }
}

TEST(BuildChart, VerticalLayoutHasStemAndBranchRows) {
    const ChartBuild b = Build(Person("甲", true, T(1990, 5, 12, 8, 30)), {"pai=1"});
    ASSERT_TRUE(b.status.ok());
    const std::string text = b.person.text.PlainText();
    EXPECT_NE(text.find("乾造  庚          辛          丁          甲 (日空申、酉)\r\n"
                        "      午          巳          丑          辰\r\n"),
              std::string::npos)
        << text;
}

TEST(BuildChart, HeaderShowsBothTimesWithAnotherTimeBasis) {
    PersonRecord p = Person("甲", true, T(1990, 5, 12, 10, 0));
    p.longitude = 105.0f;
    p.latitude = 30.5f;
    p.placeText = "四川省-成都";
    const ChartBuild b = Build(p, {"idate=2"});
    ASSERT_TRUE(b.status.ok());
    const std::string text = b.person.text.PlainText();
    EXPECT_NE(text.find("命主姓名:甲  出生地:四川省-成都,经度:105度0分,纬度:30度30分。\r\n"
                        "出生公历：1990年5月12日10时0分(北京时间)。\r\n"
                        "出生公历：1990年5月12日9时0分(地方时)，星期六。\r\n"),
              std::string::npos)
        << text;
}

TEST(BuildChart, BirthBeforeLiChunCountsThePreviousYear) {
    EXPECT_EQ(Build(Person("乙", false, T(1996, 2, 3, 12, 0))).person.yearFromLichun, 1995);
    EXPECT_EQ(Build(Person("乙", false, T(1996, 2, 5, 12, 0))).person.yearFromLichun, 1996);
}

TEST(BuildChart, RefusalsComeFromTheRecordCheckAndTheConversion) {
    EXPECT_EQ(Build(Person("甲", true, T(2101, 1, 1, 0, 0))).status.message(), kYearRangeMessage);
    EXPECT_EQ(Build(Person("甲", true, T(1582, 10, 10, 0, 0))).status.message(), kMissingDaysMessage);
    EXPECT_EQ(Build(Person("甲", true, T(2023, 2, 30, 0, 0))).status.message(), kNoSuchDate);
}

TEST(BuildChart, TextRolesMarkHeadingPillarRowAndNotes) {
    const ChartBuild b = Build(Person("乙", false, T(1992, 11, 3, 21, 10)), {}, 1);
    ASSERT_TRUE(b.status.ok());
    const std::vector<ReportBlock>& blocks = b.person.text.Blocks();
    ASSERT_GE(blocks.size(), 5u);
    EXPECT_EQ(blocks[0], (ReportBlock{ReportRole::kPersonHeading, "乙命八字："}));
    EXPECT_EQ(blocks[1].role, ReportRole::kPersonBBody);
    EXPECT_EQ(blocks[2].role, ReportRole::kPillarRow);
    EXPECT_TRUE(blocks[2].text.starts_with("坤造  壬申"));
    EXPECT_EQ(blocks.back().role, ReportRole::kPersonBNotes);
    EXPECT_TRUE(blocks.back().text.starts_with("☆胎元："));
}

// Both chart reports of one couple, every line checked by hand against the
// rules of the chart: pillars (庚午 辛巳 丁丑 甲辰; 壬申 庚戌 癸未 癸亥), hidden
// stems and their gods for the day masters 丁 and 癸, void branches of the
// 甲戌 decade, luck direction (yang man forward, yang woman backward), start
// from 芒种 1990-06-06 06:46 and 寒露 1992-10-08 08:51, growth stages of the
// day masters, 胎元, 命宫, 年命 era, constellation and weekday.
TEST(BuildChart, GoldenChartReports) {
    const ChartBuild a = Build(Person("甲", true, T(1990, 5, 12, 8, 30)), {}, 0);
    const ChartBuild b = Build(Person("乙", false, T(1992, 11, 3, 21, 10)), {}, 1);
    ASSERT_TRUE(a.status.ok() && b.status.ok());
    std::ifstream in(testing_paths::TestDataDir() / "golden_chart_reports.txt", std::ios::binary);
    ASSERT_TRUE(in) << "fixture missing";
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(a.person.text.PlainText() + b.person.text.PlainText(), ss.str());
}

}  // namespace
}  // namespace tessaly
