// ChartBuilder (aka BuildChartReport) — the chart of one person and its
// text: header lines, the pillars, the lunar line, the chart table, the luck
// pillars, 胎元 and 命宫, the 年命/星座/生肖 line, and the symbolic stars.
// The chart is not scored yet: counting, strength and roles follow in the
// analysis.
#pragma once

#include <array>
#include <cstdint>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/BirthConversion.h"
#include "chart/ChartModel.h"
#include "chart/ChartOptions.h"
#include "chart/ReportText.h"
#include "common/Status.h"

namespace tessaly {

// The time from the birth to the first luck pillar, as the start line
// "起大运周岁：%d岁 %d个月 %d天" gives it (3 days count one year).
struct LuckStart {
    int years = 0, months = 0, days = 0;

    friend bool operator==(const LuckStart&, const LuckStart&) = default;
};

// The eight luck pillars (大运) of a chart, as its report lists them.
struct LuckCycle {
    bool forward = true;                  // counted forward from the month pillar
    int years = 0, months = 0, days = 0;  // "起大运周岁：%d岁 %d个月 %d天"
    CivilTime start;                      // the first luck pillar's start day ("每一交大运年 %d月 %d日起运")
    std::array<std::int16_t, 8> pillars{};  // PillarIndex, in order

    LuckStart Wait() const { return {years, months, days}; }
};

// One person's built chart.
struct PersonChart {
    PersonRecord person;  // as entered; personNo 0 = 甲命, 1 = 乙命
    BirthMoments moments;
    ChartData chart;            // pillars, cells, stars, relation slots, 胎元, 命宫, …
    bool afterMidTerm = false;  // born at or after the minute of the 中气 inside the birth month
    int luckStartAge = 0;       // age (in years, counted as the luck rows show it) of the first luck pillar
    LuckCycle luck;             // the luck pillars and the day each begins
    int yearFromLichun = 0;     // birth year counted from 立春, astronomical
    ReportText text;            // from "甲命八字：" to the 年命/星座/生肖 line (aka chartText)
};

struct ChartBuild {
    Status status;  // the record check's or the conversion's message
    PersonChart person;
};

// BuildChart — checks the record, converts it and builds the chart.
//   Given:     person    the record; its personNo names it in the text
//              options   time basis, late 子 hours, layout, 命宫 counting
//              calendar  the calendar object of the run
//   Returned:  the chart with its text, or the first message that stops it
ChartBuild BuildChart(const PersonRecord& person, const ChartOptions& options, LunarCalendar& calendar);

}  // namespace tessaly
