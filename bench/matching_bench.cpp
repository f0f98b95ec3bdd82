// A whole matching run for two persons given by Gregorian dates: both
// charts with their analysis, the pairing section and the report; and the
// re-analysis of such a run with the user's own judgement.
#include <benchmark/benchmark.h>

#include "matching/MatchingRun.h"
#include "matching/Reanalysis.h"

namespace {

tessaly::PersonRecord Person(int year, int month, int day, int hour, bool male) {
    tessaly::PersonRecord r;
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = static_cast<std::int16_t>(hour);
    r.minute = 30;
    r.isMale = male;
    r.longitude = 116.4f;
    r.latitude = 39.9f;
    r.placeText = "北京-北京";
    return r;
}

// The window's case: one calendar object kept between runs (its lunar years
// are reused, the term moments of each run are found afresh).
void BM_RunMatching(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(1984, 3, 8, 23, true);
    const tessaly::PersonRecord b = Person(1985, 6, 20, 4, false);
    const tessaly::ChartOptions options;
    tessaly::LunarCalendar calendar;
    for (auto _ : state) {
        const tessaly::MatchingResult m = tessaly::RunMatching(a, b, options, {}, calendar);
        benchmark::DoNotOptimize(m.index);
    }
}
BENCHMARK(BM_RunMatching)->Unit(benchmark::kMicrosecond);

// A run with a calendar of its own: both lunar years are built too.
void BM_RunMatchingFreshCalendar(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(1984, 3, 8, 23, true);
    const tessaly::PersonRecord b = Person(1985, 6, 20, 4, false);
    const tessaly::ChartOptions options;
    for (auto _ : state) {
        const tessaly::MatchingResult m = tessaly::RunMatching(a, b, options);
        benchmark::DoNotOptimize(m.index);
    }
}
BENCHMARK(BM_RunMatchingFreshCalendar)->Unit(benchmark::kMicrosecond);

void BM_Reanalyse(benchmark::State& state) {
    const tessaly::MatchingResult last =
        tessaly::RunMatching(Person(1984, 3, 8, 23, true), Person(1985, 6, 20, 4, false), {});
    std::array<tessaly::RoleOverride, 2> overrides = tessaly::FillOverrides(last);
    overrides[0].judgement = 0;  // 从旺
    for (auto _ : state) {
        const tessaly::MatchingResult m = tessaly::Reanalyse(last, overrides);
        benchmark::DoNotOptimize(m.index);
    }
}
BENCHMARK(BM_Reanalyse)->Unit(benchmark::kMicrosecond);

}  // namespace
