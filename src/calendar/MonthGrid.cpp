#include "calendar/MonthGrid.h"

#include <cstdio>

#include "calendar/EraText.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"

namespace tessaly {

std::optional<int> ParseCalendarYear(std::string_view text) {
    long y = 0;
    if (!ParseInteger(text, &y) || y == 0 || y < kCalendarFirstShownYear || y > kCalendarLastShownYear) {
        return std::nullopt;
    }
    return StoredYear(int(y));
}

std::optional<ShownMonth> PreviousMonth(const ShownMonth& m) {
    if (m.shownYear < kCalendarFirstShownYear || (m.shownYear == kCalendarFirstShownYear && m.month <= 1)) {
        return std::nullopt;
    }
    if (m.month > 1) return ShownMonth{m.shownYear, m.month - 1};
    return ShownMonth{m.shownYear == 1 ? -1 : m.shownYear - 1, 12};
}

std::optional<ShownMonth> NextMonth(const ShownMonth& m) {
    if (m.shownYear > kCalendarLastShownYear || (m.shownYear == kCalendarLastShownYear && m.month >= 12)) {
        return std::nullopt;
    }
    if (m.month < 12) return ShownMonth{m.shownYear, m.month + 1};
    return ShownMonth{m.shownYear == -1 ? 1 : m.shownYear + 1, 1};
}

std::optional<CivilTime> ShiftDays(const CivilTime& t, int days) {
    CivilTime r = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(t) + days);
    const int shown = ShownYear(r.year);
    if (shown < kCalendarFirstShownYear || shown > kCalendarLastShownYear) return std::nullopt;
    r.hour = t.hour;
    r.minute = t.minute;
    return r;
}

std::string TermListLine(const MonthTerm& t) {
    char b[64];
    std::snprintf(b, sizeof b, "%s:%d日%d时%d分", kSolarTermNames[std::size_t(t.term)].data(), t.day, t.hour, t.minute);
    return b;
}

std::string TermAtMinute(int term, int hour, int minute) {
    char b[48];
    std::snprintf(b, sizeof b, "%s %02d:%02d", kSolarTermNames[std::size_t(term)].data(), hour, minute);
    return b;
}

int MonthGrid::DayAt(int row, int column) const {
    if (row < 1 || row > 6 || column < 0 || column > 6) return 0;
    const int k = row * 7 + column - 7 - firstColumn;
    return k >= 0 && k < int(days.size()) ? days[std::size_t(k)].day : 0;
}

const DayCell* MonthGrid::Cell(int day) const {
    for (const DayCell& c : days) {
        if (c.day == day) return &c;
    }
    return nullptr;
}

MonthGrid BuildMonthGrid(LunarCalendar& calendar, int year, int month) {
    MonthGrid g;
    g.year = year;
    g.month = month;
    for (const TermEntry& e : LunarCalendar::TermsOfYear(year)) {
        if (e.month == month) g.terms.push_back({e.term, e.day, e.hour, e.minute});
    }
    const CivilTime first{std::int16_t(year), std::int16_t(month), 1, 0, 0};
    g.firstColumn = (LunarCalendar::WeekdayOf(first) + 6) % 7;
    for (int d = 1; d <= 31; ++d) {
        const CivilTime date{std::int16_t(year), std::int16_t(month), std::int16_t(d), 0, 0};
        if (!LunarCalendar::SolarDateExists(date)) continue;
        DayCell c;
        c.day = d;
        const int position = g.firstColumn + int(g.days.size());
        c.row = 1 + position / 7;
        c.column = position % 7;
        c.weekday = LunarCalendar::WeekdayOf(date);
        c.leap = calendar.SolarToLunar(date, &c.lunar);
        c.dayPillar = LunarCalendar::DayPillarOf(date);
        c.dayText = d == 1 ? std::to_string(month) + "月" : std::to_string(d);
        for (const MonthTerm& t : g.terms) {
            if (t.day != d) continue;
            c.term = t.term;
            c.termHour = t.hour;
            c.termMinute = t.minute;
            c.dayText.append(" ").append(kSolarTermNames[std::size_t(t.term)]);
            c.dayPoints = 10;
        }
        c.lunarText = LunarDateText(c.lunar.month, c.lunar.day, c.leap);
        c.lunarPoints = GbkWidth(c.lunarText) > 10 ? 8 : 9;
        g.days.push_back(std::move(c));
    }
    return g;
}

MomentDescription DescribeMoment(LunarCalendar& calendar, const CivilTime& t) {
    MomentDescription m;
    m.pillars = calendar.PillarsOf(t, false);
    // The year pillar counts from the 立春 year.
    m.pillarYear = m.pillars.year == YearPillarOfYear(t.year) ? t.year : t.year - 1;
    m.title = std::to_string(ShownYear(t.year)) + "年" + std::to_string(t.month) + "月";
    m.eraLine = EraText(m.pillarYear) + "  【" +
                std::string(kZodiacNames[std::size_t(BranchOfPillar(m.pillars.year))]) + "年】";
    m.pillarLines = {PillarName(m.pillars.year) + "年", PillarName(m.pillars.month) + "月",
                     PillarName(m.pillars.day) + "日", PillarName(m.pillars.hour) + "时"};
    return m;
}

}  // namespace tessaly
