// Ranking many candidates against one person: the index, the birth years'
// relation and both judgements per couple, without readings and report.
// Items per second are candidates per second of real time; the CPU column of
// BM_ScoreCandidates is the CPU time of the whole process (every thread).
#include <benchmark/benchmark.h>

#include "matching/Ranking.h"

namespace {

tessaly::PersonRecord Person(int year, int month, int day, int hour, int minute, bool male) {
    tessaly::PersonRecord r;
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = static_cast<std::int16_t>(hour);
    r.minute = static_cast<std::int16_t>(minute);
    r.isMale = male;
    r.longitude = 116.4f;
    r.latitude = 39.9f;
    r.placeText = "北京-北京";
    return r;
}

// Women born over half a century, spread over every month, day and hour.
std::vector<tessaly::PersonRecord> Candidates(int n) {
    std::vector<tessaly::PersonRecord> v;
    for (int i = 0; i < n; ++i) {
        v.push_back(
            Person(1950 + (i * 7919) % 55, 1 + (i * 5) % 12, 1 + (i * 11) % 28, (i * 13) % 24, (i * 17) % 60, false));
    }
    return v;
}

const tessaly::PersonRecord kA = Person(1984, 3, 8, 23, 30, true);

// One candidate at a time on the calling thread: the CPU cost of a couple.
void BM_ScoreMatching(benchmark::State& state) {
    const std::vector<tessaly::PersonRecord> candidates = Candidates(5000);
    const tessaly::ChartOptions options;
    tessaly::LunarCalendar calendar;
    const tessaly::ScoredPerson a = tessaly::ScorePersonOfRun(kA, 0, options, calendar);
    std::size_t i = 0;
    for (auto _ : state) {
        const tessaly::MatchingScore s = tessaly::ScoreMatching(a.analysis, candidates[i], options, calendar);
        benchmark::DoNotOptimize(s.index);
        i = (i + 1) % candidates.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ScoreMatching)->Unit(benchmark::kMicrosecond);

// 5 000 candidates on 1 and 2 threads.
void BM_ScoreCandidates(benchmark::State& state) {
    const std::vector<tessaly::PersonRecord> candidates = Candidates(5000);
    const tessaly::ChartOptions options;
    for (auto _ : state) {
        const tessaly::RankingScores s =
            tessaly::ScoreCandidates(kA, candidates, options, {static_cast<int>(state.range(0)), {}});
        benchmark::DoNotOptimize(s.scores.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(candidates.size()));
}
BENCHMARK(BM_ScoreCandidates)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

// The whole run with readings and report, for comparison.
void BM_RunMatchingCandidates(benchmark::State& state) {
    const std::vector<tessaly::PersonRecord> candidates = Candidates(5000);
    const tessaly::ChartOptions options;
    std::size_t i = 0;
    for (auto _ : state) {
        const tessaly::MatchingResult m = tessaly::RunMatching(kA, candidates[i], options);
        benchmark::DoNotOptimize(m.index);
        i = (i + 1) % candidates.size();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RunMatchingCandidates)->Unit(benchmark::kMicrosecond);

}  // namespace
