// The month page of the perpetual calendar: cells, texts, navigation limits.
#include "calendar/MonthGrid.h"

#include <gtest/gtest.h>

#include <set>

namespace tessaly {
namespace {

TEST(MonthGrid, October1582HasTwentyOneDaysAndNoGapInTheGrid) {
    LunarCalendar cal;
    const MonthGrid g = BuildMonthGrid(cal, 1582, 10);
    ASSERT_EQ(g.days.size(), 21u);
    std::vector<int> numbers;
    for (const DayCell& c : g.days) numbers.push_back(c.day);
    const std::vector<int> want = {1, 2, 3, 4, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31};
    EXPECT_EQ(numbers, want);
    EXPECT_EQ(g.firstColumn, 0);  // 1582-10-01 was a Monday
    // The fifth cell after the first day holds the 15th, a Friday.
    EXPECT_EQ(g.DayAt(1, g.firstColumn + 4), 15);
    EXPECT_EQ(g.Cell(15)->weekday, 5);
    EXPECT_EQ(g.Cell(4)->dayPillar + 1, g.Cell(15)->dayPillar);  // no day is lost to the pillars
    EXPECT_EQ(g.Cell(1)->dayText, "10月");
    EXPECT_EQ(g.Cell(15)->dayText, "15");
    EXPECT_EQ(g.Cell(5), nullptr);
}

TEST(MonthGrid, February2024) {
    LunarCalendar cal;
    const MonthGrid g = BuildMonthGrid(cal, 2024, 2);
    ASSERT_EQ(g.days.size(), 29u);
    EXPECT_EQ(g.firstColumn, 3);  // Thursday
    const struct {
        int day;
        const char* dayText;
        const char* lunarText;
        int dayPoints, lunarPoints, term, row, column;
    } kCases[] = {
        {1, "2月", "十二月廿二", 14, 9, -1, 1, 3}, {4, "4 立春", "十二月廿五", 10, 9, 2, 1, 6},
        {10, "10", "正月初一", 14, 9, -1, 2, 5},   {19, "19 雨水", "正月初十", 10, 9, 3, 4, 0},
        {29, "29", "正月二十", 14, 9, -1, 5, 3},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "2024-02-" << c.day);
        const DayCell* cell = g.Cell(c.day);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->dayText, c.dayText);
        EXPECT_EQ(cell->lunarText, c.lunarText);
        EXPECT_EQ(cell->dayPoints, c.dayPoints);
        EXPECT_EQ(cell->lunarPoints, c.lunarPoints);
        EXPECT_EQ(cell->term, c.term);
        EXPECT_EQ(cell->termDay(), c.term >= 0);
        EXPECT_EQ(cell->row, c.row);
        EXPECT_EQ(cell->column, c.column);
        EXPECT_EQ(g.DayAt(c.row, c.column), c.day);
    }
    ASSERT_EQ(g.terms.size(), 2u);
    EXPECT_EQ(TermListLine(g.terms[0]), "立春:4日16时27分");
    EXPECT_EQ(TermListLine(g.terms[1]), "雨水:19日12时13分");
    EXPECT_EQ(g.Cell(4)->termHour, 16);
    EXPECT_EQ(g.Cell(4)->termMinute, 27);
    EXPECT_EQ(TermAtMinute(2, 16, 27), "立春 16:27");
    EXPECT_EQ(g.DayAt(0, 3), 0);  // headings
    EXPECT_EQ(g.DayAt(1, 2), 0);  // before the first day
    EXPECT_EQ(g.DayAt(5, 4), 0);  // after the last
}

TEST(MonthGrid, LeapFirstMonthShowsItsMark) {
    LunarCalendar cal;
    const MonthGrid g = BuildMonthGrid(cal, 2262, 3);  // 2262 has a leap 正月
    EXPECT_EQ(g.Cell(1)->lunarText, "闰正月初十");
    EXPECT_TRUE(g.Cell(1)->leap);
    EXPECT_EQ(g.Cell(1)->lunarPoints, 9);  // 10 GBK bytes
}

TEST(MonthGrid, EveryMonthFillsItsCellsInOrder) {
    LunarCalendar cal;
    for (int year : {-4712, -1, 0, 1, 1582, 1900, 2024, 2033, 9999}) {
        for (int month = 1; month <= 12; ++month) {
            SCOPED_TRACE(testing::Message() << year << '-' << month);
            const MonthGrid g = BuildMonthGrid(cal, year, month);
            ASSERT_GE(g.days.size(), 21u);
            ASSERT_LE(g.days.size(), 31u);
            std::set<int> termDays;
            for (const MonthTerm& t : g.terms) termDays.insert(t.day);
            for (std::size_t i = 0; i < g.days.size(); ++i) {
                const DayCell& c = g.days[i];
                EXPECT_EQ((c.row - 1) * 7 + c.column, g.firstColumn + int(i));
                EXPECT_EQ(g.DayAt(c.row, c.column), c.day);
                EXPECT_EQ(c.column, (c.weekday + 6) % 7);
                EXPECT_EQ(c.termDay(), termDays.count(c.day) == 1);
                if (i > 0) {
                    EXPECT_EQ(c.weekday, (g.days[i - 1].weekday + 1) % 7);
                    EXPECT_EQ(c.dayPillar, (g.days[i - 1].dayPillar + 1) % 60);
                }
            }
        }
    }
}

TEST(MonthGrid, LunarDateTexts) {
    const struct {
        int month, day;
        bool leap;
        const char* want;
    } kCases[] = {
        {1, 1, false, "正月初一"},     {1, 30, false, "正月三十"},    {2, 15, true, "闰二月十五"},
        {11, 23, false, "十一月廿三"}, {12, 10, false, "十二月初十"}, {11, 20, true, "闰十一月二十"},
        {4, 21, false, "四月廿一"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(LunarDateText(c.month, c.day, c.leap), c.want);
    }
}

TEST(MonthGrid, YearField) {
    const struct {
        const char* text;
        std::optional<int> want;  // astronomical
    } kCases[] = {
        {"2024", 2024},
        {"1", 1},
        {"-1", 0},
        {"-4713", -4712},
        {"9999", 9999},
        {"+12", 12},
        {" 1900 ", 1900},
        {"0", std::nullopt},
        {"-4714", std::nullopt},
        {"10000", std::nullopt},
        {"", std::nullopt},
        {"19a4", std::nullopt},
        {"1.5", std::nullopt},
        {"-", std::nullopt},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "'" << c.text << "'");
        EXPECT_EQ(ParseCalendarYear(c.text), c.want);
    }
}

TEST(MonthGrid, MonthStepsSkipYearZeroAndStopAtTheEnds) {
    const struct {
        ShownMonth from;
        std::optional<ShownMonth> previous, next;
    } kCases[] = {
        {{2024, 3}, ShownMonth{2024, 2}, ShownMonth{2024, 4}},
        {{2024, 1}, ShownMonth{2023, 12}, ShownMonth{2024, 2}},
        {{1, 1}, ShownMonth{-1, 12}, ShownMonth{1, 2}},
        {{-1, 12}, ShownMonth{-1, 11}, ShownMonth{1, 1}},
        {{0, 1}, ShownMonth{-1, 12}, ShownMonth{0, 2}},  // a typed 0 steps out of it
        {{0, 12}, ShownMonth{0, 11}, ShownMonth{1, 1}},
        {{-4713, 1}, std::nullopt, ShownMonth{-4713, 2}},
        {{-4713, 2}, ShownMonth{-4713, 1}, ShownMonth{-4713, 3}},
        {{9999, 12}, ShownMonth{9999, 11}, std::nullopt},
        {{-5000, 6}, std::nullopt, ShownMonth{-5000, 7}},  // outside: only towards the range
        {{12000, 6}, ShownMonth{12000, 5}, std::nullopt},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.from.shownYear << '-' << c.from.month);
        EXPECT_EQ(PreviousMonth(c.from), c.previous);
        EXPECT_EQ(NextMonth(c.from), c.next);
    }
}

TEST(MonthGrid, ShiftDaysCrossesTheGapAndStopsAtTheEnds) {
    const struct {
        CivilTime from;
        int days;
        std::optional<CivilTime> want;
    } kCases[] = {
        {{1582, 10, 4, 9, 30}, 1, CivilTime{1582, 10, 15, 9, 30}},
        {{1582, 10, 15, 0, 0}, -1, CivilTime{1582, 10, 4, 0, 0}},
        {{2024, 2, 29, 23, 59}, 1, CivilTime{2024, 3, 1, 23, 59}},
        {{2024, 3, 3, 12, 0}, -7, CivilTime{2024, 2, 25, 12, 0}},
        {{1, 1, 1, 0, 0}, -1, CivilTime{0, 12, 31, 0, 0}},
        {{-4712, 1, 1, 0, 0}, -1, std::nullopt},
        {{9999, 12, 31, 0, 0}, 1, std::nullopt},
        {{9999, 12, 25, 0, 0}, 6, CivilTime{9999, 12, 31, 0, 0}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.from.year << '-' << c.from.month << '-' << c.from.day << ' ' << c.days);
        EXPECT_EQ(ShiftDays(c.from, c.days), c.want);
    }
}

TEST(MonthGrid, MomentTexts) {
    const struct {
        CivilTime t;
        const char* title;
        const char* eraLine;
        std::array<const char*, 4> pillars;
    } kCases[] = {
        // From 23:00 the next day's day pillar and its 子 hour.
        {{2000, 1, 1, 23, 30},
         "2000年1月",
         "[当代] 中国  公历纪元1999年  【兔年】",
         {"己卯年", "丙子月", "己未日", "甲子时"}},
        {{2000, 1, 1, 22, 59},
         "2000年1月",
         "[当代] 中国  公历纪元1999年  【兔年】",
         {"己卯年", "丙子月", "戊午日", "癸亥时"}},
        // The year pillar and the era follow 立春 (2024-02-04 16:27).
        {{2024, 2, 4, 16, 26},
         "2024年2月",
         "[当代] 中国  公历纪元2023年  【兔年】",
         {"癸卯年", "乙丑月", "戊戌日", "庚申时"}},
        {{2024, 2, 4, 16, 27},
         "2024年2月",
         "[当代] 中国  公历纪元2024年  【龙年】",
         {"甲辰年", "丙寅月", "戊戌日", "庚申时"}},
        {{0, 12, 31, 12, 0}, "-1年12月", nullptr, {nullptr, nullptr, nullptr, nullptr}},
    };
    LunarCalendar calendar;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.title);
        const MomentDescription m = DescribeMoment(calendar, c.t);
        EXPECT_EQ(m.title, c.title);
        if (c.eraLine != nullptr) {
            EXPECT_EQ(m.eraLine, c.eraLine);
        }
        for (std::size_t i = 0; i < 4; ++i) {
            if (c.pillars[i] != nullptr) {
                EXPECT_EQ(m.pillarLines[i], c.pillars[i]);
            }
        }
    }
}

}  // namespace
}  // namespace tessaly
