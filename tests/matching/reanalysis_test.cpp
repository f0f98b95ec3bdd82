// The user's override of scores, roles and judgement, and the re-analysis
// of both charts from it.
#include "matching/Reanalysis.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

#include "chart/Strength.h"
#include "chart/Tables.h"

namespace tessaly {
namespace {

PersonRecord Person(const char* name, CivilTime t, bool male) {
    PersonRecord r;
    r.name = name;
    r.SetTime(t);
    r.isMale = male;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

MatchingResult Couple(const ChartOptions& options = {}) {
    return RunMatching(Person("张三", {1990, 5, 12, 8, 30}, true), Person("李四", {1992, 11, 3, 21, 10}, false),
                       options);
}

RoleOverride WithScores(RoleOverride o, std::array<int, 10> scores) {
    o.scores = scores;
    return o;
}

// The report from the first character up to the pairing section: both
// charts with their strength and relations sections.
std::string ChartsPart(const MatchingResult& m) {
    const std::string r = m.Text();
    return r.substr(0, r.find("婚姻配对分析："));
}

TEST(ParseScoreField, OnlyAnOptionallySignedRunOfDigitsIsANumber) {
    const struct {
        const char* text;
        int want;
    } kCases[] = {
        {"36", 36},
        {"0", 0},
        {"007", 7},
        {"999", 999},
        {"+5", 5},
        {"-0", 0},
        {"-5", -5},                   // a number, refused later as negative
        {"1000", 1000},               // typed on the command line: refused later
        {"99999999999999", 1000000},  // stays large, never wraps
        {"", -1},
        {"-", -1},
        {"+", -1},
        {" 5", -1},
        {"5 ", -1},
        {"1a", -1},
        {"1.5", -1},
        {"--5", -1},
        {"５", -1},  // full-width digit
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.text);
        EXPECT_EQ(ParseScoreField(k.text), k.want);
    }
}

TEST(CheckOverride, ScoresInRangeSummingToAtLeast36) {
    RoleOverride ok;
    ok.scores = {36, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    ok.rolePairs = {0, 1, 2, 3, 4};
    const struct {
        const char* label;
        RoleOverride o;
        const char* message;  // nullptr: accepted
        int field;
    } kCases[] = {
        {"sum 36", ok, nullptr, -1},
        {"sum 36 spread", WithScores(ok, {4, 4, 4, 4, 4, 4, 3, 3, 3, 3}), nullptr, -1},
        {"sum 35", WithScores(ok, {4, 4, 4, 4, 4, 4, 3, 3, 3, 2}), kScoreSumText, -1},
        {"all zero", WithScores(ok, {}), kScoreSumText, -1},
        {"999 each", WithScores(ok, {999, 999, 999, 999, 999, 999, 999, 999, 999, 999}), nullptr, -1},
        {"negative 伤官", WithScores(ok, {36, 0, 0, -1, 0, 0, 0, 0, 0, 0}), kScoreRangeText, 3},
        {"1000 正印", WithScores(ok, {36, 0, 0, 0, 0, 0, 0, 0, 0, 1000}), kScoreRangeText, 9},
        // The first refused field in ten-god order is named, before the sum.
        {"two bad", WithScores(ok, {0, -1, 0, 0, 0, 0, -1, 0, 0, 0}), kScoreRangeText, 1},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.label);
        const OverrideCheck c = CheckOverride(k.o);
        EXPECT_EQ(c.status.message(), k.message ? k.message : "");
        EXPECT_EQ(c.scoreField, k.field);
    }
    RoleOverride badRole = ok;
    badRole.rolePairs[4] = 5;
    EXPECT_FALSE(CheckOverride(badRole).status.ok());
    RoleOverride badJudgement = ok;
    badJudgement.judgement = 7;
    EXPECT_FALSE(CheckOverride(badJudgement).status.ok());
}

TEST(OverrideLabels, GodStemElementAndPairElement) {
    // A 丙 day: the ten gods' stems 丙 丁 戊 己 庚 辛 壬 癸 甲 乙.
    const char* kScores[] = {"比肩丙火", "劫财丁火", "食神戊土", "伤官己土", "偏财庚金",
                             "正财辛金", "七杀壬水", "正官癸水", "偏印甲木", "正印乙木"};
    for (int g = 0; g < 10; ++g) {
        SCOPED_TRACE(g);
        EXPECT_EQ(ScoreLabel(3, g), kScores[g]);
    }
    // A yin day stem: 乙's 比肩 is 乙, its 劫财 甲.
    EXPECT_EQ(ScoreLabel(2, 0), "比肩乙木");
    EXPECT_EQ(ScoreLabel(2, 1), "劫财甲木");
    const char* kPairs[] = {"比劫-木", "食伤-火", "财星-土", "官杀-金", "印枭-水"};
    for (int p = 0; p < 5; ++p) {
        SCOPED_TRACE(p);
        EXPECT_EQ(RolePairLabel(1, p), kPairs[p]);  // a 甲 day
    }
}

TEST(FillOverrides, TakesScoresRolesJudgementAndDayStemOfBothCharts) {
    const MatchingResult m = Couple();
    ASSERT_TRUE(m.ok());
    const std::array<RoleOverride, 2> o = FillOverrides(m);
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n);
        const ChartData& c = m.persons[n].Chart();
        for (int g = 0; g < 10; ++g) EXPECT_EQ(o[n].scores[g], c.godScore[g]);
        for (int k = 0; k < 5; ++k) EXPECT_EQ(o[n].rolePairs[k], c.rolePair[k]);
        EXPECT_EQ(o[n].judgement, c.judgement);
        EXPECT_EQ(o[n].dayStem, c.pillars[kDayPos] % 10);
        EXPECT_TRUE(CheckOverride(o[n]).status.ok());
    }
}

TEST(Reanalyse, ChosenJudgementRolesAndScoresAreWrittenWithTheChartUnchanged) {
    ChartOptions options;
    options.specialPatternRoles = false;
    const MatchingResult m = Couple(options);
    ASSERT_TRUE(m.ok());
    std::array<RoleOverride, 2> o = FillOverrides(m);
    const int dayStem = o[0].dayStem;
    const int dayElement = kStemElement[dayStem];
    o[0].judgement = 0;                             // 从旺
    o[0].rolePairs = {2, 1, 4, 0, 3};               // 财星 食伤 印枭 比劫 官杀
    o[1].scores = {36, 0, 0, 0, 0, 0, 0, 0, 0, 0};  // 比肩 alone

    const MatchingResult r = Reanalyse(m, o);
    ASSERT_TRUE(r.ok()) << r.status.message();
    const ChartData& a = r.persons[0].Chart();
    EXPECT_EQ(a.judgement, 0);
    EXPECT_EQ(a.strengthLevel, 6);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(a.rolePair[k], o[0].rolePairs[k]);
        EXPECT_EQ(a.roleElement[k], (dayElement + o[0].rolePairs[k]) % 5);
    }
    const std::string strengthA = r.persons[0].analysis.PlainText();
    const auto el = [&](int p) { return std::string(kElementNames[(dayElement + p) % 5]); };
    const std::string roles = "日元极旺，以从旺看，喜用" + el(2) + "，" + el(1) + "(财星、食伤)。忌仇" + el(4) + "，" +
                              el(0) + "(印枭、比劫)。";
    EXPECT_NE(strengthA.find(roles), std::string::npos) << strengthA;

    // 比肩 alone: the day element holds everything.
    const ChartData& b = r.persons[1].Chart();
    const int bElement = kStemElement[o[1].dayStem];
    EXPECT_EQ(b.elementScore[bElement], 36);
    EXPECT_EQ(b.pairScore[0], 36);
    const std::string strengthB = r.persons[1].analysis.PlainText();
    EXPECT_NE(strengthB.find(std::string(kElementNames[bElement]) + "36(100.0%)"), std::string::npos) << strengthB;
    EXPECT_NE(strengthB.find("己生助力量:36(100.0%)  克泄耗力量:0(0.0%)。"), std::string::npos) << strengthB;

    // The stars, pillars, luck pillars and chart table stay as they were,
    // in the result and in the report.
    for (int n = 0; n < 2; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(r.persons[n].built.text, m.persons[n].built.text);
        EXPECT_EQ(r.persons[n].built.moments, m.persons[n].built.moments);
        EXPECT_EQ(r.persons[n].Chart().starHits, m.persons[n].Chart().starHits);
        EXPECT_EQ(r.persons[n].Chart().pillars, m.persons[n].Chart().pillars);
        EXPECT_EQ(r.persons[n].Chart().seasonScore, m.persons[n].Chart().seasonScore);
        EXPECT_EQ(r.persons[n].Chart().godCountBranch, m.persons[n].Chart().godCountBranch);
    }
    const std::string aChart = m.persons[0].built.text.PlainText();
    EXPECT_EQ(r.Text().substr(0, aChart.size()), aChart);
    const std::string bChart = m.persons[1].built.text.PlainText();
    EXPECT_NE(r.Text().find(bChart), std::string::npos);
    EXPECT_TRUE(r.Text().ends_with(kReportClosing));

    // The last result is untouched; a second override starts from the first.
    EXPECT_EQ(FillOverrides(m)[0].judgement, m.persons[0].Chart().judgement);
    EXPECT_EQ(FillOverrides(r), o);
}

TEST(Reanalyse, SpecialPatternWithBiangeIsNamedInsteadOfTheFollowSentence) {
    // 己亥 丁卯 乙未 丙子 meets 曲直格 (the strength tests' chart).
    ChartOptions options;
    options.specialPatternRoles = true;
    const MatchingResult m =
        RunMatching(Person("甲", {1959, 3, 14, 0, 30}, true), Person("乙", {1992, 11, 3, 21, 10}, false), options);
    ASSERT_TRUE(m.ok());
    ASSERT_EQ(m.persons[0].Chart().specialPattern, 0) << m.Text().substr(0, 400);
    std::array<RoleOverride, 2> o = FillOverrides(m);
    o[0].judgement = 0;
    const MatchingResult r = Reanalyse(m, o);
    ASSERT_TRUE(r.ok());
    const std::string t = r.persons[0].analysis.PlainText();
    EXPECT_NE(t.find("日元极旺，命局入曲直格(以变格论命)，"), std::string::npos) << t;
    EXPECT_EQ(t.find("以从旺看"), std::string::npos) << t;
}

TEST(Reanalyse, UsesTheOptionsOfTheLastRunAndTheEndingText) {
    ChartOptions options;
    options.appendEnding = true;
    options.highScoreScale = true;
    options.verticalChart = true;
    const MatchingResult m = Couple(options);
    ASSERT_TRUE(m.ok());
    const MatchingResult r = Reanalyse(m, FillOverrides(m), EndingText{{"甲行", "乙行"}});
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.options.appendEnding && r.options.highScoreScale && r.options.verticalChart);
    EXPECT_TRUE(r.Text().ends_with(std::string(kReportClosing) + "甲行\r\n乙行\r\n"));
    EXPECT_GE(r.index, 10.0f);
    EXPECT_EQ(r.index, m.index);
}

TEST(Reanalyse, RefusesAFailedRunAndABadOverride) {
    MatchingResult failed =
        RunMatching(Person("甲", {2101, 1, 1, 0, 0}, true), Person("乙", {1992, 1, 1, 0, 0}, false), {});
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(Reanalyse(failed, {}).status.message(), kNeedsMatchingText);

    const MatchingResult m = Couple();
    const struct {
        const char* label;
        int person;
        void (*spoil)(RoleOverride&);
        const char* message;  // nullptr: some message
    } kCases[] = {
        {"A sum 35", 0, [](RoleOverride& o) { o.scores = {35, 0, 0, 0, 0, 0, 0, 0, 0, 0}; }, kScoreSumText},
        {"B negative", 1, [](RoleOverride& o) { o.scores[2] = -1; }, kScoreRangeText},
        {"B role 5", 1, [](RoleOverride& o) { o.rolePairs[0] = 5; }, nullptr},
        {"A other day stem", 0, [](RoleOverride& o) { o.dayStem = (o.dayStem + 1) % 10; }, nullptr},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.label);
        std::array<RoleOverride, 2> o = FillOverrides(m);
        k.spoil(o[static_cast<std::size_t>(k.person)]);
        const MatchingResult r = Reanalyse(m, o);
        EXPECT_FALSE(r.ok());
        EXPECT_EQ(r.failedPerson, k.person);
        if (k.message) {
            EXPECT_EQ(r.status.message(), k.message);
        }
        EXPECT_TRUE(r.report.Empty());
    }
}

// Re-analysing with the values FillOverrides gives changes nothing but the
// level of a judgement that the score alone would grade otherwise: a 太弱
// chart scored below −235 (level 0) or a 太旺 chart above 305 (level 6)
// takes level 1 or 5 from its judgement, which only the personality and
// marriage readings look at. Everything else is reproduced byte for byte.
TEST(Reanalyse, UnchangedOverridesReproduceTheReport) {
    std::mt19937 rng(19);
    const auto draw = [&](int lo, int hi) {
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>(lo, hi)(rng));
    };
    int runs = 0, levelChanged = 0, reportChanged = 0;
    for (int i = 0; i < 400; ++i) {
        PersonRecord p[2];
        for (PersonRecord& r : p) {
            r = Person("某人", {draw(1900, 2050), draw(1, 12), draw(1, 28), draw(0, 23), draw(0, 59)}, draw(0, 1));
            r.longitude = static_cast<float>(draw(75, 134));
        }
        ChartOptions options;
        options.specialPatternRoles = draw(0, 1);
        options.followJudgements = draw(0, 1);
        options.lateZiHourKeepsDay = draw(0, 1);
        options.timeBasis = static_cast<TimeBasis>(draw(0, 2));
        options.highScoreScale = draw(0, 1);
        const MatchingResult m = RunMatching(p[0], p[1], options);
        if (!m.ok()) continue;
        SCOPED_TRACE(i);
        ++runs;
        const MatchingResult r = Reanalyse(m, FillOverrides(m));
        ASSERT_TRUE(r.ok()) << r.status.message();
        bool sameLevels = true;
        for (int n = 0; n < 2; ++n) {
            const ChartData& before = m.persons[n].Chart();
            const int level = StrengthLevelOfJudgement(before.judgement);
            EXPECT_EQ(r.persons[n].Chart().strengthLevel, level);
            sameLevels = sameLevels && before.strengthLevel == level;
            EXPECT_EQ(r.persons[n].built.text, m.persons[n].built.text);
            EXPECT_EQ(r.persons[n].analysis, m.persons[n].analysis);
            if (before.strengthLevel == level) {
                EXPECT_EQ(r.persons[n].personality.body, m.persons[n].personality.body);
                EXPECT_EQ(r.persons[n].marriage.body, m.persons[n].marriage.body);
            }
        }
        EXPECT_EQ(ChartsPart(r), ChartsPart(m));
        EXPECT_EQ(r.index, m.index);
        if (sameLevels) {
            EXPECT_EQ(r.report, m.report);
        }
        levelChanged += !sameLevels;
        reportChanged += r.report != m.report;
    }
    EXPECT_GT(runs, 350);
    std::printf("[ reanalysis ] %d runs, %d with a level taken from the judgement, %d reports changed\n", runs,
                levelChanged, reportChanged);
}

}  // namespace
}  // namespace tessaly
