// One person matched against many candidates on several threads: every
// index equals the one of the whole matching run, the order follows the
// index and then the name, and runs on several threads at once give what
// one thread gives (the ThreadSanitizer build runs these tests too).
#include <gtest/gtest.h>

#include <thread>

#include "matching/Ranking.h"

namespace tessaly {
namespace {

PersonRecord Person(const std::string& name, bool male, int y, int m, int d, int h, int mi) {
    PersonRecord r;
    r.name = name;
    r.isMale = male;
    r.year = std::int16_t(y), r.month = std::int16_t(m), r.day = std::int16_t(d);
    r.hour = std::int16_t(h), r.minute = std::int16_t(mi);
    r.provinceIndex = 34;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// Sixty women of many years, months and hours; some lunar, some read from a
// clock abroad or on China's summer time, some at a longitude of their own.
std::vector<PersonRecord> Candidates() {
    std::vector<PersonRecord> v;
    for (int i = 0; i < 60; ++i) {
        PersonRecord r = Person("候选" + std::to_string(i), false, 1960 + (i * 7) % 45, 1 + (i * 5) % 12,
                                1 + (i * 11) % 28, (i * 13) % 24, (i * 17) % 60);
        if (i % 7 == 3) r.isLunar = 1;
        if (i % 9 == 4) {
            r.clock = BirthClock::kCivil;
            r.timeZone = i % 2 ? "America/New_York" : "Europe/London";
            r.longitude = i % 2 ? -74.0f : -0.1f;
        }
        if (i % 11 == 5) {
            r.clock = BirthClock::kCivil;  // the zone of the province: Asia/Shanghai
            r.year = 1988, r.month = 7;
        }
        if (i % 6 == 1) r.longitude = 87.6f;
        v.push_back(r);
    }
    return v;
}

TEST(ScoreCandidates, GivesTheIndexOfTheWholeRunForEveryCandidate) {
    const PersonRecord a = Person("甲", true, 1984, 3, 8, 23, 30);
    const std::vector<PersonRecord> candidates = Candidates();
    const struct {
        const char* what;
        int jobs;
        bool trueSolarTime;
    } kCases[] = {{"one thread", 1, false}, {"four threads", 4, false}, {"four threads, true solar time", 4, true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ChartOptions options;
        if (c.trueSolarTime) options.timeBasis = TimeBasis::kTrueSolarTime;
        const RankingScores got = ScoreCandidates(a, candidates, options, {c.jobs, {}});
        ASSERT_TRUE(got.status.ok()) << got.status.message();
        ASSERT_EQ(got.scores.size(), candidates.size());
        EXPECT_GE(RankOrder(got.scores, candidates).size(), 55u);  // a few dates do not exist
        for (std::size_t i = 0; i < candidates.size(); ++i) {
            SCOPED_TRACE(candidates[i].name);
            const MatchingResult full = RunMatching(a, candidates[i], options);
            const MatchingScore& s = got.scores[i];
            ASSERT_EQ(s.ok(), full.ok()) << full.ErrorText();
            if (!full.ok()) {
                EXPECT_EQ(s.status.message(), full.status.message());
                EXPECT_EQ(s.failedPerson, 1);
                continue;
            }
            EXPECT_EQ(s.index, full.index);  // exactly: the same steps
            EXPECT_EQ(s.judgements[0], full.persons[0].Chart().judgement);
            EXPECT_EQ(s.judgements[1], full.persons[1].Chart().judgement);
            EXPECT_EQ(s.years, YearPairKindOf(YearPairRelation(full.persons[0].Chart().pillars[kYearPos],
                                                               full.persons[1].Chart().pillars[kYearPos])));
        }
    }
}

TEST(ScoreCandidates, ReportsFailuresOfEitherSide) {
    const PersonRecord a = Person("甲", true, 1984, 3, 8, 23, 30);
    PersonRecord badDate = Person("乙", false, 1990, 2, 30, 8, 0);
    PersonRecord skipped = Person("丙", false, 1988, 4, 17, 2, 30);
    skipped.clock = BirthClock::kCivil;
    const std::vector<PersonRecord> candidates = {badDate, skipped, Person("丁", false, 1986, 6, 6, 6, 6)};
    const RankingScores got = ScoreCandidates(a, candidates, ChartOptions{}, {2, {}});
    ASSERT_TRUE(got.status.ok());
    EXPECT_EQ(got.scores[0].status.message(), "不存在这个日期");
    EXPECT_EQ(got.scores[0].failedPerson, 1);
    EXPECT_NE(got.scores[1].status.message().find("请选择其一"), std::string::npos);
    EXPECT_TRUE(got.scores[2].ok());
    EXPECT_EQ(RankOrder(got.scores, candidates), std::vector<std::size_t>{2});

    const RankingScores failedA = ScoreCandidates(badDate, candidates, ChartOptions{});
    EXPECT_EQ(failedA.status.message(), "不存在这个日期");
    EXPECT_TRUE(failedA.scores.empty());
    EXPECT_TRUE(ScoreCandidates(a, {}, ChartOptions{}).scores.empty());
}

TEST(RankOrder, ByIndexThenNameThenPosition) {
    const struct {
        const char* name;
        float index;
        bool failed;
    } kRows[] = {
        {"b", 60.5f, false},    // 0
        {"a", 60.5f, false},    // 1
        {"c", 71.0f, false},    // 2
        {"a", 60.5f, false},    // 3: the same name and index as row 1
        {"d", 0, true},         // 4: failed
        {"同分乙", 55, false},  // 5: 乙 (yǐ) after 甲 (jiǎ) by pinyin,
        {"同分甲", 55, false},  // 6: though not by code point
        {"张三", 55, false},    // 7: 张 (zhāng) after 同 (tóng)
    };
    std::vector<PersonRecord> c;
    std::vector<MatchingScore> s;
    for (const auto& r : kRows) {
        c.push_back(Person(r.name, false, 1990, 1, 1, 1, 1));
        s.emplace_back();
        s.back().index = r.index;
        if (r.failed) s.back().status = Status::Error("不存在这个日期");
    }
    EXPECT_EQ(RankOrder(s, c), (std::vector<std::size_t>{2, 1, 3, 0, 6, 5, 7}));
}

TEST(ScoreCandidates, ReportsProgressOnTheCallingThread) {
    const std::vector<PersonRecord> candidates = Candidates();
    const std::thread::id caller = std::this_thread::get_id();
    std::size_t last = 0;
    bool onCaller = true;
    ScoreCandidates(Person("甲", true, 1984, 3, 8, 23, 30), candidates, ChartOptions{},
                    {3, [&](std::size_t done, std::size_t total) {
                         onCaller = onCaller && std::this_thread::get_id() == caller;
                         EXPECT_GE(done, last);
                         EXPECT_EQ(total, candidates.size());
                         last = done;
                     }});
    EXPECT_TRUE(onCaller);
    EXPECT_EQ(last, candidates.size());
}

// Whole runs on several threads at once: no run may see another's state.
TEST(RunMatching, RunsOnSeveralThreadsAtOnce) {
    const PersonRecord a = Person("甲", true, 1984, 3, 8, 23, 30);
    const std::vector<PersonRecord> candidates = Candidates();
    ChartOptions options;
    options.timeBasis = TimeBasis::kTrueSolarTime;
    std::vector<std::string> alone;
    for (const PersonRecord& b : candidates) alone.push_back(RunMatching(a, b, options).Text());

    std::vector<std::string> together(candidates.size());
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (std::size_t i = std::size_t(t); i < candidates.size(); i += 4) {
                together[i] = RunMatching(a, candidates[i], options).Text();
            }
        });
    }
    for (std::thread& t : threads) t.join();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        SCOPED_TRACE(candidates[i].name);
        EXPECT_EQ(together[i], alone[i]);
    }
}

}  // namespace
}  // namespace tessaly
