#include "matching/Ranking.h"

#include <algorithm>
#include <tuple>

#include "common/ParallelWork.h"
#include "common/TextCodec.h"

namespace tessaly {

RankingScores ScoreCandidates(const PersonRecord& a, std::span<const PersonRecord> candidates,
                              const ChartOptions& options, const RankingSettings& settings) {
    RankingScores out;
    LunarCalendar calendarA;
    const ScoredPerson pa = ScorePersonOfRun(a, 0, options, calendarA);
    if (!pa.status.ok()) {
        out.status = pa.status;
        return out;
    }
    out.scores.resize(candidates.size());
    const int workers = std::min<int>(WorkerCount(settings.jobs), int(std::max<std::size_t>(1, candidates.size())));
    std::vector<LunarCalendar> calendars(static_cast<std::size_t>(workers));  // one per thread, caches and all
    // Candidates born close together share solar terms and lunar years: in
    // order of birth, each thread's calendar finds most of them in its
    // caches. The order changes nothing else (a cached year is a fresh one).
    std::vector<std::size_t> order(candidates.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        const PersonRecord &p = candidates[x], &q = candidates[y];
        return std::tie(p.year, p.month, p.day) < std::tie(q.year, q.month, q.day);
    });
    RunParallel(
        order.size(), workers,
        [&](std::size_t k, int worker) {
            const std::size_t i = order[k];
            out.scores[i] = ScoreMatching(pa.analysis, candidates[i], options, calendars[std::size_t(worker)]);
        },
        settings.progress);
    return out;
}

std::vector<std::size_t> RankOrder(std::span<const MatchingScore> scores, std::span<const PersonRecord> candidates) {
    std::vector<std::size_t> order;
    // Names compare by their GBK bytes, which put the common characters in
    // the order of their pinyin (a name GBK cannot hold by its UTF-8 bytes).
    std::vector<std::string> keys(scores.size());
    for (std::size_t i = 0; i < scores.size(); ++i) {
        if (!scores[i].Ok()) continue;
        order.push_back(i);
        CodecResult gbk = Utf8ToGbk(candidates[i].name);
        keys[i] = gbk.ok() ? std::move(gbk.text) : candidates[i].name;
    }
    std::sort(order.begin(), order.end(), [&](std::size_t x, std::size_t y) {
        if (scores[x].index != scores[y].index) return scores[x].index > scores[y].index;
        if (keys[x] != keys[y]) return keys[x] < keys[y];
        return x < y;
    });
    return order;
}

}  // namespace tessaly
