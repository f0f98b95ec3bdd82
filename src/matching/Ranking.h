// Ranking — one person matched against many candidates: the index of every
// couple, computed on several threads, and the candidates in order of it.
//
// Each couple goes through the steps of RunMatching up to the pairing
// (ScoreMatching); 甲命 is built and scored once and shared read-only by the
// threads, and each thread keeps its own calendar.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

#include "calendar/PersonRecord.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"
#include "matching/MatchingRun.h"

namespace tessaly {

struct RankingSettings {
    int jobs = 0;  // threads; 0: every hardware thread of the machine
    // Called on the calling thread with the number of candidates done.
    std::function<void(std::size_t done, std::size_t total)> progress;
};

struct RankingScores {
    Status status;                      // 甲命's failure: nothing was matched
    std::vector<MatchingScore> scores;  // one per candidate, in their order
};

// ScoreCandidates — person a (甲命) matched with every candidate (乙命).
//   Returned:  one score per candidate (a candidate that cannot be built has
//              its message and failedPerson 1), or a's failure
RankingScores ScoreCandidates(const PersonRecord& a, std::span<const PersonRecord> candidates,
                              const ChartOptions& options, const RankingSettings& settings = {});

// RankOrder — the positions of the candidates whose matching succeeded,
// best first: the index from high to low, then the name (in GBK order, that
// is by pinyin for the common characters), then the position.
std::vector<std::size_t> RankOrder(std::span<const MatchingScore> scores, std::span<const PersonRecord> candidates);

}  // namespace tessaly
