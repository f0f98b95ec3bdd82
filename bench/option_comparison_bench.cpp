// What the other schools would make of a couple: the user's run and the 7
// runs with one school option changed (8 runs up to the pairing, without
// readings and report); and the index of a finished run taken apart. The
// comparison should stay within 3 ms of CPU time.
#include <benchmark/benchmark.h>

#include "matching/MatchingRun.h"
#include "matching/OptionComparison.h"
#include "readings/IndexParts.h"

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

// The window's case: its calendar object kept between comparisons.
void BM_CompareOptions(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(1984, 3, 8, 23, true);
    const tessaly::PersonRecord b = Person(1985, 6, 20, 4, false);
    tessaly::LunarCalendar calendar;
    for (auto _ : state) {
        const tessaly::OptionComparison c = tessaly::CompareOptions(a, b, {}, calendar);
        benchmark::DoNotOptimize(c.variants.data());
    }
}
BENCHMARK(BM_CompareOptions)->Unit(benchmark::kMicrosecond);

// The command line's case: a calendar of its own, every lunar year built.
void BM_CompareOptionsFreshCalendar(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(1984, 3, 8, 23, true);
    const tessaly::PersonRecord b = Person(1985, 6, 20, 4, false);
    for (auto _ : state) {
        const tessaly::OptionComparison c = tessaly::CompareOptions(a, b, {});
        benchmark::DoNotOptimize(c.variants.data());
    }
}
BENCHMARK(BM_CompareOptionsFreshCalendar)->Unit(benchmark::kMicrosecond);

void BM_IndexPartsOfRun(benchmark::State& state) {
    const tessaly::MatchingResult m =
        tessaly::RunMatching(Person(1984, 3, 8, 23, true), Person(1985, 6, 20, 4, false), {});
    for (auto _ : state) {
        const tessaly::IndexParts parts = tessaly::IndexPartsOf(m);
        benchmark::DoNotOptimize(parts.index);
    }
}
BENCHMARK(BM_IndexPartsOfRun)->Unit(benchmark::kMicrosecond);

}  // namespace
