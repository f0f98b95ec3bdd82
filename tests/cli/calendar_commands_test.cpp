#include <gtest/gtest.h>

#include "calendar/MonthGrid.h"
#include "cli/cli_test_util.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include "test_paths.h"

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
        {"month 2024 2", 0, "2024-02-01\t星期四\t十二月廿二\t乙未"},
        {"month 1582 10", 0, "1582-10-01\t星期一\t九月十五\t庚午"},
        {"month -4713 1", 0, "-4713-01-01\t"},
        {"month 9999 12", 0, "9999-12-01\t"},
        {"month -4714 12", 2, ""},
        {"month 10000 1", 2, ""},
        {"month 0 1", 2, ""},
        {"month 2024 13", 2, ""},
        {"month 2024 0", 2, ""},
        {"month 2024", 2, ""},
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

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string s; std::getline(in, s, '\t');) f.push_back(s);
    return f;
}

// The month page says for every day what `lunar` and `terms` say.
TEST(CalendarCommands, MonthAgreesWithLunarAndTerms) {
    std::map<std::string, std::string> termOfDate;  // "2024-02-04" → "立春 16:27"
    std::istringstream terms(RunCliLine("terms 2024").out);
    for (std::string line; std::getline(terms, line);) {
        const auto f = Fields(line);
        ASSERT_EQ(f.size(), 3u);
        termOfDate[f[0].substr(0, 10)] = f[2] + ' ' + f[0].substr(11);
    }
    std::istringstream month(RunCliLine("month 2024 2").out);
    int days = 0;
    std::string previousWeekday;
    for (std::string line; std::getline(month, line); ++days) {
        SCOPED_TRACE(line);
        const auto f = Fields(line);
        ASSERT_GE(f.size(), 4u);
        EXPECT_EQ(f[0], "2024-02-" + std::string(days < 9 ? "0" : "") + std::to_string(days + 1));
        std::istringstream lunar(RunCliLine("lunar " + f[0]).out);
        int y = 0, m = 0, d = 0, leap = 0;
        std::string yearPillar, monthPillar, dayPillar;
        lunar >> y >> m >> d >> leap >> yearPillar >> monthPillar >> dayPillar;
        EXPECT_EQ(f[2], tessaly::LunarDateText(m, d, leap != 0));
        EXPECT_EQ(f[3], dayPillar);
        const auto term = termOfDate.find(f[0]);
        if (term == termOfDate.end()) {
            EXPECT_EQ(f.size(), 4u);
        } else {
            ASSERT_EQ(f.size(), 5u);
            EXPECT_EQ(f[4], term->second);
        }
        if (!previousWeekday.empty()) {
            const auto& w = tessaly::kWeekdayHeadings;
            const auto at = std::find(w.begin(), w.end(), previousWeekday) - w.begin();
            EXPECT_EQ(f[1], w[std::size_t((at + 1) % 7)]);
        }
        previousWeekday = f[1];
    }
    EXPECT_EQ(days, 29);
}

TEST(CalendarCommands, RefusalSaysWhy) {
    // Built in two steps: GCC 12 at -O3 warns falsely (array-bounds) about
    // a literal path joined to a literal with operator+.
    std::string cmd = tessaly::testing_paths::ProgramPath("tessaly-cli").string();
    cmd += " solar 2024 1 30 2>&1";
    FILE* p = popen(cmd.c_str(), "r");
    char buf[512] = {};
    const std::size_t n = fread(buf, 1, sizeof buf - 1, p);
    pclose(p);
    EXPECT_NE(std::string(buf, n).find("不存在这个农历日期，无法转换到公历！"), std::string::npos);
}

}  // namespace
