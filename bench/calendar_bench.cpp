// Speed of the calendar: building a lunar year, the worst lunar-to-Gregorian
// search, a year of solar terms, and a year of day conversions.
#include <benchmark/benchmark.h>

#include <cmath>

#include "calendar/Ephemeris.h"
#include "calendar/LunarCalendar.h"

namespace tessaly {
namespace {

int DayOf(int y, int m, int d) { return int(std::floor(JdFromDate(y, m, d + 0.5))) - 2451545; }

void BM_EarthLonAll(benchmark::State& state) {
    double t = 0.24;
    for (auto _ : state) benchmark::DoNotOptimize(EarthLon(t += 1e-9, -1));
}
BENCHMARK(BM_EarthLonAll);

void BM_MoonLonAll(benchmark::State& state) {
    double t = 0.24;
    for (auto _ : state) benchmark::DoNotOptimize(MoonLon(t += 1e-9, -1));
}
BENCHMARK(BM_MoonLonAll);

void BM_NewMoonAccurate(benchmark::State& state) {
    double k = 300;
    for (auto _ : state) benchmark::DoNotOptimize(TimeOfElongation(kPi2 * (k += 1)));
}
BENCHMARK(BM_NewMoonAccurate);

// A fresh build of a modern lunar year (no cache).
void BM_BuildLunarYearModern(benchmark::State& state) {
    LunarYearBuilder s;
    int i = 0;
    for (auto _ : state) {
        s.BuildLunarYearUncached(DayOf(2000 + (i++ % 40), 6, 1));
        benchmark::DoNotOptimize(s.newMoonDays);
    }
}
BENCHMARK(BM_BuildLunarYearModern)->Repetitions(5)->ReportAggregatesOnly(true);

// Day by day through a year, as the wedding-date search does (cached).
void BM_SolarToLunarYearOfDays(benchmark::State& state) {
    LunarCalendar cal;
    for (auto _ : state) {
        CivilTime t{2031, 1, 1, 12, 0}, l;
        for (int i = 0; i < 365; ++i, LunarCalendar::AddOneDay(t)) benchmark::DoNotOptimize(cal.SolarToLunar(t, &l));
    }
}
BENCHMARK(BM_SolarToLunarYearOfDays)->Unit(benchmark::kMicrosecond);

// The worst case: a date that does not exist searches all 181 days.
void BM_LunarToSolarWorst(benchmark::State& state) {
    int y = 1990;
    for (auto _ : state) {
        LunarCalendar cal;  // a fresh object: nothing cached
        CivilTime s;
        benchmark::DoNotOptimize(cal.LunarToSolar({std::int16_t(y), 1, 30, 0, 0}, true, &s));
        y = y == 2030 ? 1990 : y + 1;
    }
}
BENCHMARK(BM_LunarToSolarWorst)->Unit(benchmark::kMicrosecond);

void BM_TermsOfYear(benchmark::State& state) {
    int y = 1990;
    for (auto _ : state) {
        benchmark::DoNotOptimize(LunarCalendar::TermsOfYear(y));
        y = y == 2030 ? 1990 : y + 1;
    }
}
BENCHMARK(BM_TermsOfYear)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {
void BM_TermAccurate(benchmark::State& state) {
    double k = 300;
    for (auto _ : state) benchmark::DoNotOptimize(TimeOfSunLon(kPi / 12 * (k += 1)));
}
BENCHMARK(BM_TermAccurate);
}  // namespace
}  // namespace tessaly
