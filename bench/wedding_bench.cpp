// Speed of the wedding-date search: one whole marriage year, by the search
// the program uses and by the day-by-day reference it must equal. Each
// search starts from a fresh calendar object, as a user's search does.
#include <benchmark/benchmark.h>

#include "matching/WeddingSearch.h"

namespace tessaly {
namespace {

WeddingSearchInput Input(int marriageYear, int idate) {
    WeddingSearchInput in;
    in.womanYear = 1996;
    in.marriageYear = marriageYear;
    in.longitude = 116.4f;
    in.options.timeBasis = static_cast<TimeBasis>(idate);
    return in;
}

// Argument: the time basis (0 北京时间, 1 真太阳时).
void BM_WeddingYear(benchmark::State& state) {
    const WeddingSearchInput in = Input(2024, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(SearchWeddingDays(in).text);
}
BENCHMARK(BM_WeddingYear)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_WeddingYearDayByDay(benchmark::State& state) {
    const WeddingSearchInput in = Input(2024, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(SearchWeddingDaysDayByDay(in).text);
}
BENCHMARK(BM_WeddingYearDayByDay)
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
}  // namespace tessaly
