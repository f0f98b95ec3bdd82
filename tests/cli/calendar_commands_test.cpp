#include <gtest/gtest.h>

#include "cli/cli_test_util.h"

#include <cstdio>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace {

using tessaly::testing_cli::RunCliLine;

std::string FirstLine(const std::string& s) { return s.substr(0, s.find('\n')); }

std::size_t Lines(const std::string& s) {
    std::size_t n = 0;
    for (char c : s) n += c == '\n';
    return n;
}

TEST(CalendarCommands, PrintWhatTheCalendarGives) {
    const struct {
        const char* args;
        int status;
        const char* firstLine;
    } kCases[] = {
        {"terms 2024", 0, "2024-01-06 04:49\t0\t小寒"},
        {"terms 2024 --precise", 0, "2024-01-06 04:49:08\t0\t小寒"},
        {"newmoons 2024", 0, "2024-01-11 19:57"},
        {"lunar 2024-02-10", 0, "2024 1 1 0"},
        {"lunar 2023-03-22", 0, "2023 2 1 1"},
        {"solar 2023 2 1 --leap", 0, "2023-03-22"},
        {"solar 2024 1 30", 1, ""},
        {"lunaryear 2023", 0, "2023-01-22\t1\t0\t29"},
        {"pillars '2024-02-04 16:27'", 0, "甲辰 丙寅 戊戌 庚申"},
        {"pillars '2024-02-04 16:26'", 0, "癸卯 乙丑 戊戌 庚申"},
        {"pillars '2000-01-01 23:30'", 0, "己卯 丙子 己未 甲子"},
        {"pillars '2000-01-01 23:30' --set zishi=1", 0, "己卯 丙子 戊午 甲子"},
        {"terms -1", 0, "-0001-01-"},
        {"terms 0", 2, ""},
        {"terms 10000", 2, ""},
        {"terms -4713", 2, ""},
        {"terms 20x4", 2, ""},
        {"lunar 2023-02-29", 2, ""},
        {"lunar 1582-10-10", 2, ""},
        {"pillars '2024-02-04 24:00'", 2, ""},
        {"pillars 2024-02-04", 2, ""},
        {"solar 2024 14 1", 2, ""},
        {"solar 2024 13 1", 1, ""},  // month 13 exists only in ancient years
        {"solar 2024 1", 2, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args);
        const auto r = RunCliLine(c.args);
        EXPECT_EQ(r.status, c.status);
        const std::string want = c.firstLine;
        EXPECT_EQ(FirstLine(r.out).substr(0, want.size()), want);
        if (c.status != 0) {
            EXPECT_EQ(r.out, "");
        }
    }
}

TEST(CalendarCommands, CountsOfAYear) {
    EXPECT_EQ(Lines(RunCliLine("terms 2024").out), 24u);
    EXPECT_EQ(Lines(RunCliLine("newmoons 2024").out), 13u);
    EXPECT_EQ(Lines(RunCliLine("lunaryear 2023").out), 12u);  // 01-22 .. 12-13, with the leap second month
    EXPECT_EQ(Lines(RunCliLine("lunaryear 2024").out), 13u);  // 01-11 .. 12-31
}

// Month after month, the numbers run 1..12 with a leap month repeating the
// number before it, across the seams between lunar years. 2033's leap month
// comes after the winter solstice and is numbered by the following lunar
// year.
TEST(CalendarCommands, LunarYearsRunOnWithoutGaps) {
    EXPECT_NE(RunCliLine("lunaryear 2033").out.find("2033-12-22\t11\t1\t29\n"), std::string::npos);
    int previous = 0;
    for (int year = 2028; year <= 2036; ++year) {
        std::istringstream lines(RunCliLine("lunaryear " + std::to_string(year)).out);
        std::string date;
        int month = 0, leap = 0, length = 0;
        while (lines >> date >> month >> leap >> length) {
            SCOPED_TRACE(date);
            if (previous != 0) {
                EXPECT_EQ(month, leap ? previous : previous % 12 + 1);
            }
            EXPECT_TRUE(length == 29 || length == 30);
            previous = month;
        }
    }
}

TEST(CalendarCommands, RefusalSaysWhy) {
    const std::string cmd = std::string(TESSALY_CLI) + " solar 2024 1 30 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512] = {};
    const std::size_t n = fread(buf, 1, sizeof buf - 1, p);
    pclose(p);
    EXPECT_NE(std::string(buf, n).find("不存在这个农历日期，无法转换到公历！"), std::string::npos);
}

}  // namespace
