// Ranking — one person matched against many candidates: the index of every
// couple, computed on several threads, and the candidates in order of it.
//
// Each couple goes through the steps of RunMatching up to the pairing
// (ScoreMatching); 甲命 is built and scored once and shared read-only by the
// threads, and each thread keeps its own calendar. A ranking of a long file
// scores it in batches (CandidateScorer) and keeps only the best
// (BestRanked).
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <span>
#include <string>
#include <string_view>
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

// CandidateScorer — a ranking in batches: 甲命 is scored once, and each
// batch of candidates on several threads, every thread keeping its calendar
// (and the lunar years it built) from one batch to the next. The scores are
// those ScoreCandidates gives.
class CandidateScorer {
public:
    CandidateScorer(const PersonRecord& a, const ChartOptions& options, int jobs);

    // 甲命's failure: nothing can be scored.
    const Status& status() const { return a_.status; }
    // 甲命's judgement (StrengthJudgement).
    int JudgementA() const { return a_.analysis.Chart().judgement; }

    // One score per candidate of the batch, in its order.
    std::vector<MatchingScore> Score(std::span<const PersonRecord> batch,
                                     const std::function<void(std::size_t done, std::size_t total)>& progress = {});

private:
    ChartOptions options_;
    int workers_;
    ScoredPerson a_;
    std::vector<LunarCalendar> calendars_;  // one per worker thread
};

// The key a candidate's name sorts by in RankOrder: its GBK bytes (the
// order of pinyin for the common characters), or its UTF-8 bytes when GBK
// cannot hold it.
std::string RankNameKey(std::string_view name);

// BestRanked — the best of many scored candidates, kept as they come, in
// the order of RankOrder: the index from high to low, then the name
// (RankNameKey), then the position (a number that grows with the
// candidates' order, such as their line). At most `limit` are kept (0: all
// of them), so that a long file needs memory only for the best.
template <typename Row>
class BestRanked {
public:
    explicit BestRanked(std::size_t limit) : limit_(limit) {}

    // Offers a candidate; make() builds its row, called only when the
    // candidate is kept.
    template <typename Make>
    void Offer(float index, std::string_view name, std::int32_t position, Make&& make) {
        if (limit_ != 0 && kept_.size() == limit_) {
            const Entry& worst = kept_.front();
            if (index < worst.index) return;  // the common case: no name key needed
            Entry e{index, position, RankNameKey(name), Row{}};
            if (!Better(e, worst)) return;
            e.row = make();
            std::pop_heap(kept_.begin(), kept_.end(), Better);
            kept_.back() = std::move(e);
            std::push_heap(kept_.begin(), kept_.end(), Better);
            return;
        }
        kept_.push_back({index, position, RankNameKey(name), make()});
        if (limit_ != 0) std::push_heap(kept_.begin(), kept_.end(), Better);
    }

    std::size_t size() const { return kept_.size(); }

    // Puts the rows kept in order, best first: then row(i) is the i-th.
    void Sort() { std::sort(kept_.begin(), kept_.end(), Better); }
    const Row& row(std::size_t i) const { return kept_[i].row; }

private:
    struct Entry {
        float index;
        std::int32_t position;
        std::string key;
        Row row;
    };
    // Ahead in the ranking. As the heap's order it puts the worst kept on top.
    static bool Better(const Entry& x, const Entry& y) {
        if (x.index != y.index) return x.index > y.index;
        if (x.key != y.key) return x.key < y.key;
        return x.position < y.position;
    }

    std::size_t limit_;
    std::deque<Entry> kept_;  // no spare capacity as it grows
};

// RankOrder — the positions of the candidates whose matching succeeded,
// best first: the index from high to low, then the name (in GBK order, that
// is by pinyin for the common characters), then the position.
std::vector<std::size_t> RankOrder(std::span<const MatchingScore> scores, std::span<const PersonRecord> candidates);

}  // namespace tessaly
