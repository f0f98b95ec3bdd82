// Speed of a couple's timeline over 60 years: from two built charts (what
// the window does after a matching run), with the table text, and from the
// two birth records (the command line: both charts are built first).
// Goal: the 60-year timeline of a couple within 1 ms.
#include <benchmark/benchmark.h>

#include "matching/CoupleTimeline.h"

namespace tessaly {
namespace {

PersonRecord Person(int year, int month, int day, bool male) {
    PersonRecord r;
    r.name = male ? "张三" : "李四";
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = 10;
    r.isMale = male;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

const TimelineSpan kSixtyYears{2000, 2059};

PersonChart Chart(const PersonRecord& r, int personNo) {
    LunarCalendar calendar;
    PersonRecord p = r;
    p.personNo = static_cast<std::uint8_t>(personNo);
    return BuildChart(p, ChartOptions{}, calendar).person;
}

void BM_TimelineOfCharts(benchmark::State& state) {
    const PersonChart a = Chart(Person(1988, 3, 10, true), 0);
    const PersonChart b = Chart(Person(1990, 1, 20, false), 1);
    for (auto _ : state) benchmark::DoNotOptimize(CoupleTimelineOf(a, b, kSixtyYears).years.data());
}
BENCHMARK(BM_TimelineOfCharts)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_TimelineOfChartsWithTable(benchmark::State& state) {
    const PersonChart a = Chart(Person(1988, 3, 10, true), 0);
    const PersonChart b = Chart(Person(1990, 1, 20, false), 1);
    for (auto _ : state) benchmark::DoNotOptimize(TimelineTableText(CoupleTimelineOf(a, b, kSixtyYears)));
}
BENCHMARK(BM_TimelineOfChartsWithTable)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A fresh calendar each time, as one command-line run has.
void BM_TimelineOfRecords(benchmark::State& state) {
    const PersonRecord a = Person(1988, 3, 10, true), b = Person(1990, 1, 20, false);
    for (auto _ : state) {
        LunarCalendar calendar;
        benchmark::DoNotOptimize(
            BuildCoupleTimeline(a, b, ChartOptions{}, kSixtyYears, calendar).timeline.years.data());
    }
}
BENCHMARK(BM_TimelineOfRecords)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessaly
