#include "matching/Ranking.h"

#include <algorithm>
#include <tuple>

#include "common/ParallelWork.h"
#include "common/TextCodec.h"

namespace tessaly {

CandidateScorer::CandidateScorer(const PersonRecord& a, const ChartOptions& options, int jobs)
    : options_(options), workers_(WorkerCount(jobs)), calendars_(static_cast<std::size_t>(workers_)) {
    LunarCalendar calendarA;
    a_ = ScorePersonOfRun(a, 0, options, calendarA);
}

std::vector<MatchingScore> CandidateScorer::Score(std::span<const PersonRecord> batch,
                                                  const std::function<void(std::size_t, std::size_t)>& progress) {
    std::vector<MatchingScore> scores(batch.size());
    if (!a_.status.ok()) return scores;
    const int workers = std::min<int>(workers_, int(std::max<std::size_t>(1, batch.size())));
    // Candidates born close together share solar terms and lunar years: in
    // order of birth, each thread's calendar finds most of them in its
    // caches. The order changes nothing else (a cached year is a fresh one).
    std::vector<std::size_t> order(batch.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        const PersonRecord &p = batch[x], &q = batch[y];
        return std::tie(p.year, p.month, p.day) < std::tie(q.year, q.month, q.day);
    });
    RunParallel(
        order.size(), workers,
        [&](std::size_t k, int worker) {
            const std::size_t i = order[k];
            scores[i] = ScoreMatching(a_.analysis, batch[i], options_, calendars_[std::size_t(worker)]);
        },
        progress);
    return scores;
}

RankingScores ScoreCandidates(const PersonRecord& a, std::span<const PersonRecord> candidates,
                              const ChartOptions& options, const RankingSettings& settings) {
    RankingScores out;
    const int jobs = std::min<int>(WorkerCount(settings.jobs), int(std::max<std::size_t>(1, candidates.size())));
    CandidateScorer scorer(a, options, jobs);
    if (!scorer.status().ok()) {
        out.status = scorer.status();
        return out;
    }
    out.scores = scorer.Score(candidates, settings.progress);
    return out;
}

std::string RankNameKey(std::string_view name) {
    CodecResult gbk = Utf8ToGbk(name);
    return gbk.ok() ? std::move(gbk.text) : std::string(name);
}

std::vector<std::size_t> RankOrder(std::span<const MatchingScore> scores, std::span<const PersonRecord> candidates) {
    std::vector<std::size_t> order;
    // Names compare by their GBK bytes, which put the common characters in
    // the order of their pinyin (a name GBK cannot hold by its UTF-8 bytes).
    std::vector<std::string> keys(scores.size());
    for (std::size_t i = 0; i < scores.size(); ++i) {
        if (!scores[i].ok()) continue;
        order.push_back(i);
        keys[i] = RankNameKey(candidates[i].name);
    }
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        if (scores[x].index != scores[y].index) return scores[x].index > scores[y].index;
        if (keys[x] != keys[y]) return keys[x] < keys[y];
        return x < y;
    });
    return order;
}

}  // namespace tessaly
