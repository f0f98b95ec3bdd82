// The PERSON keys of a birth read from the clock of its place: tz, clock,
// dst and place; the report and JSON of such a birth, its refusals, and the
// standard time a saved case keeps.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "cli/cli_test_util.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;
using testing_cli::RunCli;

const std::string kB = "name=乙;sex=F;date=1992-11-03 21:10";
const std::string kNewYork =
    "name=甲;sex=M;date=1990-05-12 08:30;tz=America/New_York;clock=civil;lon=-74;lat=40.7;"
    "place=美国纽约";

TEST(BirthClock, MatchConvertsTheClockAndSaysSo) {
    const auto r = RunCli({"match", "--a", kNewYork, "--b", kB});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(
        r.out.find(
            "命主姓名:甲  出生地:美国纽约。\r\n出生公历：1990年5月12日20时30分(北京时间)(纽约时间 08:30，夏令时)，星期六。"),
        std::string::npos)
        << r.out.substr(0, 300);

    const auto json = RunCli({"match", "--a", kNewYork, "--b", kB, "--json"});
    ASSERT_EQ(json.status, 0) << json.err;
    EXPECT_NE(json.out.find(R"("clock_time":"1990-05-12 20:30","chart_time":"1990-05-12 20:30")"), std::string::npos);
    EXPECT_NE(
        json.out.find(
            R"("clock":"civil","time_zone":"America/New_York","local_time":"1990-05-12 08:30","summer_time":true)"),
        std::string::npos)
        << json.out.substr(0, 600);
    // Standard time, the default, adds nothing.
    const auto standard = RunCli({"match", "--a", "name=甲;sex=M;date=1990-05-12 08:30", "--b", kB, "--json"});
    ASSERT_EQ(standard.status, 0) << standard.err;
    EXPECT_EQ(standard.out.find("\"clock\""), std::string::npos);
}

TEST(BirthClock, SkippedAndRepeatedTimesNeedAReading) {
    const struct {
        const char* person;
        int status;
        const char* mentions;  // on stderr when refused, in the report otherwise
    } kCases[] = {
        {"name=甲;sex=M;date=1988-04-17 02:30;clock=civil", 1, "这一时刻在中国时间里不存在"},
        {"name=甲;sex=M;date=1988-04-17 02:30;clock=civil", 1,
         "--a: choose the reading with dst=1 for summer time or dst=0 for standard time"},
        {"name=甲;sex=M;date=1988-09-11 01:30;clock=civil", 1, "这一时刻在中国时间里出现两次"},
        {"name=甲;sex=M;date=1988-04-17 02:30;clock=civil;dst=1", 0,
         "出生公历：1988年4月17日1时30分(北京时间)(中国时间 02:30，夏令时)"},
        {"name=甲;sex=M;date=1988-09-11 01:30;clock=civil;dst=0", 0,
         "出生公历：1988年9月11日1时30分(北京时间)(中国时间 01:30)"},
        {"name=甲;sex=M;date=1988-09-11 01:30;clock=civil;dst=1", 0,
         "出生公历：1988年9月11日0时30分(北京时间)(中国时间 01:30，夏令时)"},
        // 香港 keeps its own zone: no summer time in 1988.
        {"name=甲;sex=M;date=1988-06-01 10:30;clock=civil;prov=香港", 0,
         "出生公历：1988年6月1日10时30分(北京时间)(香港时间 10:30)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.person);
        const auto r = RunCli({"match", "--a", c.person, "--b", kB});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((c.status ? r.err : r.out).find(c.mentions), std::string::npos) << r.err << r.out.substr(0, 300);
    }
}

TEST(BirthClock, RefusesBadKeys) {
    const struct {
        const char* person;
        const char* mentions;
    } kCases[] = {
        {"name=甲;date=1990-05-12 08:30;tz=America/New_York", "tz: say how the time was read"},
        {"name=甲;date=1990-05-12 08:30;tz=Mars/Olympus;clock=civil", "tz: unknown time zone 'Mars/Olympus'"},
        {"name=甲;date=1990-05-12 08:30;clock=sundial", "clock: expected standard or civil"},
        {"name=甲;date=1990-05-12 08:30;dst=1", "dst: only a clock=civil time"},
        {"name=甲;date=1990-05-12 08:30;clock=civil;dst=yes", "dst: expected 1 (summer time) or 0"},
        {"name=甲;date=1990-05-12 08:30;place=一个非常非常非常非常非常非常非常非常长的地名超过了五十一个字节",
         "place: longer than 51"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.person);
        const auto r = RunCli({"match", "--a", c.person, "--b", kB});
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

TEST(BirthClock, SavedCaseKeepsTheStandardTime) {
    const fs::path home = fs::temp_directory_path() / ("tessaly_clock_cli_" + std::to_string(::getpid()));
    fs::remove_all(home);
    fs::create_directories(home / "dat");
    const auto add =
        RunCli({"cases", "add", "--a", kNewYork, "--b", kB, "--category", "国外", "--note", "纽约出生"}, home);
    ASSERT_EQ(add.status, 0) << add.err;
    const auto show = RunCli({"cases", "show", "0"}, home);
    ASSERT_EQ(show.status, 0) << show.err;
    // The record keeps standard time; the entry as typed is shown beside it.
    EXPECT_NE(show.out.find("  birth: gregorian 1990-5-12 20:30\n"
                            "  entered: 1990-05-12 08:30 当地钟表 America/New_York（夏令时）→ 北京时间 20:30\n"
                            "  place: 美国纽约 (province 34, city 0)\n"
                            "  coordinates: -74.0000, 40.7000"),
              std::string::npos)
        << show.out;
    fs::remove_all(home);
}

}  // namespace
}  // namespace tessaly
