// The explanation of a couple's birth times with ± 120 minutes on both: the
// paths, the boundaries, every alternative chart of both windows and the
// index of every combination. The goal: at most 2 ms in process.
//
// The couples: 甲命 four minutes after 立春 with the 申/酉 hour edge inside
// the window, 乙命 near 23:00; once under Beijing time, once under true
// solar time at a western longitude (every hour edge mapped back through
// the equation of time).
#include <benchmark/benchmark.h>

#include "matching/CoupleExplanation.h"

namespace {

tessaly::PersonRecord Person(int year, int month, int day, int hour, int minute, bool male, float longitude) {
    tessaly::PersonRecord r;
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = static_cast<std::int16_t>(hour);
    r.minute = static_cast<std::int16_t>(minute);
    r.isMale = male;
    r.longitude = longitude;
    r.latitude = 39.9f;
    r.placeText = "未知地";
    return r;
}

tessaly::ChartOptions Options(int basis) {
    tessaly::ChartOptions o;
    o.timeBasis = static_cast<tessaly::TimeBasis>(basis);
    return o;
}

// The window's case: one calendar object kept between explanations.
void BM_ExplainCouple120(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(2024, 2, 4, 16, 30, true, 87.6f);
    const tessaly::PersonRecord b = Person(1992, 11, 3, 22, 40, false, 87.6f);
    const tessaly::ChartOptions options = Options(int(state.range(0)));
    tessaly::LunarCalendar calendar;
    std::size_t combinations = 0;
    for (auto _ : state) {
        const tessaly::CoupleExplanation x = tessaly::ExplainCouple(a, b, options, 120, 120, calendar);
        combinations = x.combinations.size();
        benchmark::DoNotOptimize(x.maxIndex);
    }
    state.counters["combinations"] = double(combinations);
}
BENCHMARK(BM_ExplainCouple120)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// With a calendar of its own each time: the lunar years are built too.
void BM_ExplainCouple120FreshCalendar(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(2024, 2, 4, 16, 30, true, 87.6f);
    const tessaly::PersonRecord b = Person(1992, 11, 3, 22, 40, false, 87.6f);
    const tessaly::ChartOptions options = Options(int(state.range(0)));
    for (auto _ : state) {
        tessaly::LunarCalendar calendar;
        const tessaly::CoupleExplanation x = tessaly::ExplainCouple(a, b, options, 120, 120, calendar);
        benchmark::DoNotOptimize(x.maxIndex);
    }
}
BENCHMARK(BM_ExplainCouple120FreshCalendar)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// One person without uncertainty: what the window's notice needs after a run.
void BM_ExplainBirth(benchmark::State& state) {
    const tessaly::PersonRecord a = Person(2024, 2, 4, 16, 30, true, 87.6f);
    const tessaly::ChartOptions options = Options(1);
    tessaly::LunarCalendar calendar;
    for (auto _ : state) {
        const tessaly::BirthExplanation e = tessaly::ExplainBirth(a, options, 0, calendar);
        benchmark::DoNotOptimize(e.boundaries.size());
    }
}
BENCHMARK(BM_ExplainBirth)->Unit(benchmark::kMicrosecond);

}  // namespace
