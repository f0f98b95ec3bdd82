// MonthGrid (aka the page of TFrmWnl, Untwnl) — one month of the perpetual calendar as its window shows it.
//
// The window draws a grid of 7 × 7 cells: a row of weekday headings
// (Monday first) and up to six weeks. Each day cell carries the Gregorian day,
// the lunar date and, on the day of a solar term, the term's name in red.
// Beside the grid the window lists the month's terms to the minute and, for
// the selected moment, the era, the zodiac animal and the four pillars.
// Everything here is what the window and `tessaly-cli month` print; the
// window only paints it.
//
// Years are astronomical inside (0 = 1 BC) and shown without a year 0; the
// calendar covers the shown years −4713..9999. October 1582 has 21 days:
// 1–4 and 15–31.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/LunarCalendar.h"

namespace tessaly {

// The range of the calendar, as users write years.
inline constexpr int kCalendarFirstShownYear = -4713;
inline constexpr int kCalendarLastShownYear = 9999;

// Names of the solar terms by term number (TermEntry::term).
inline constexpr std::array<std::string_view, 24> kSolarTermNames = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨", "立夏", "小满", "芒种", "夏至",
    "小暑", "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};

// Headings of the grid columns, Monday (column 0) to Sunday (column 6).
inline constexpr std::array<std::string_view, 7> kWeekdayHeadings = {"星期一", "星期二", "星期三", "星期四",
                                                                     "星期五", "星期六", "星期日"};

// What the window says when a year or a date is refused, with its caption.
struct CalendarMessage {
    std::string_view text;
    std::string_view caption;
};
// Enter in the year field with a year outside the range (or 0, or no number).
inline constexpr CalendarMessage kYearEntryRefused{"年份在-4713 到 9999之间", "错误"};
// A redraw with such a year in the year field.
inline constexpr CalendarMessage kShownYearRefused{"年份在-4713 到 9999年之间，并且没有公元0年", "年份不对"};
// A redraw of a day the month does not have (31 in April, 5..14 October 1582).
inline constexpr CalendarMessage kNoSuchDay{"不存在这个日期，请重新输入！", "日期不对"};

// The year field's text → the astronomical year; nullopt unless the text is a
// non-zero whole number (optionally signed decimal digits) in −4713..9999.
std::optional<int> ParseCalendarYear(std::string_view text);

// A month as the window shows it: year as written (no year 0), month 1..12.
struct ShownMonth {
    int shownYear = 2000;
    int month = 1;
    friend bool operator==(const ShownMonth&, const ShownMonth&) = default;
};
// "上一月" and "下一月": the month before / after, stepping from 1 to −1 and
// back (there is no year 0). Nothing (nullopt) before −4713 January or after
// 9999 December.
std::optional<ShownMonth> PreviousMonth(const ShownMonth& m);
std::optional<ShownMonth> NextMonth(const ShownMonth& m);

// The same clock time `days` days later (earlier when negative), across the
// gap of October 1582; nullopt when the date leaves the calendar's range.
std::optional<CivilTime> ShiftDays(const CivilTime& t, int days);

// A solar term inside the shown month, at its minute.
struct MonthTerm {
    int term = 0;  // 0 小寒 … 23 冬至
    int day = 0, hour = 0, minute = 0;
};
// "立春:4日16时27分", a line of the window's term list.
std::string TermListLine(const MonthTerm& t);
// "立春 16:27": a term with the minute it begins.
std::string TermAtMinute(int term, int hour, int minute);

// One day of the grid.
struct DayCell {
    int day = 1;        // day of the month (15..31 after the gap of October 1582)
    int row = 1;        // 1..6; row 0 holds the headings
    int column = 0;     // 0 = Monday … 6 = Sunday
    int weekday = 0;    // 0 = Sunday
    CivilTime lunar;    // lunar year, month and day (hour and minute 0)
    bool leap = false;  // the lunar month is a leap month
    int dayPillar = 0;  // PillarIndex of the date
    int term = -1;      // the solar term beginning this day, or −1
    int termHour = 0, termMinute = 0;
    std::string dayText;    // "2月" on the first day, else the day; " 立春" appended on a term day
    std::string lunarText;  // LunarDateText
    // Sizes the window draws the two texts in, in points of a 450 × 330 grid
    // (96 dots per inch): a term day's texts are smaller.
    int dayPoints = 14;   // 10 on a term day
    int lunarPoints = 9;  // 8 when the lunar text is longer than 10 GBK bytes
    bool termDay() const { return term >= 0; }
};

struct MonthGrid {
    int year = 2000;  // astronomical
    int month = 1;
    int firstColumn = 0;           // column of the first day (0 = Monday)
    std::vector<DayCell> days;     // in order, one per existing day
    std::vector<MonthTerm> terms;  // the terms of the month, in order

    // The day in cell (row, column) of the 7 × 7 grid, or 0 for a heading or
    // an empty cell. In October 1582 the fifth cell holds the 15th.
    int DayAt(int row, int column) const;
    // The cell of a day of the month, or nullptr.
    const DayCell* Cell(int day) const;
};

// The grid of month 1..12 of astronomical year −4712..9999. `calendar` makes
// the lunar conversions (its conversion state changes).
MonthGrid BuildMonthGrid(LunarCalendar& calendar, int year, int month);

// What the window shows of the selected moment (standard time).
struct MomentDescription {
    FourPillars pillars{};                   // no zishi: from 23:00 the next day's day pillar and its 子 hour
    int pillarYear = 0;                      // the year of the year pillar (it begins at 立春), astronomical
    std::string title;                       // "2024年2月"
    std::string eraLine;                     // "[当代] 中国  公历纪元2024年  【龙年】"
    std::array<std::string, 4> pillarLines;  // "甲辰年", "丙寅月", "戊戌日", "庚申时"
};
MomentDescription DescribeMoment(LunarCalendar& calendar, const CivilTime& t);

}  // namespace tessaly
