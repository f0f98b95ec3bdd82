// The index taken apart, on many couples: the parts add up to the index of
// the run exactly, each part stays within its points, and the report option
// "indexparts" adds the table of the parts and nothing else.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "matching/MatchingRun.h"
#include "matching/Reanalysis.h"
#include "readings/IndexParts.h"

namespace tessaly {
namespace {

// What every breakdown of a pairing must hold.
void CheckParts(const IndexParts& parts, const PairingResult& pairing, const PersonRecord& a, const PersonRecord& b,
                const ChartOptions& options) {
    ASSERT_EQ(parts.parts.size(), std::size_t(kIndexPartCount));
    EXPECT_EQ(SumOfIndexPoints(parts.Points()), pairing.index);
    EXPECT_EQ(parts.index, pairing.index);
    const bool couple = (a.isMale != 0) != (b.isMale != 0);
    const std::string section = pairing.Text();
    for (const IndexPart& p : parts.parts) {
        SCOPED_TRACE(std::string(p.name));
        if (p.id == IndexPartId::kCap) {
            EXPECT_LE(p.points, 0);
        } else {
            EXPECT_GE(p.points, 0);
            EXPECT_LE(p.points, p.max);
        }
        if (!p.applies) {
            EXPECT_EQ(p.points, 0);
        }
        if (!p.line.empty()) {
            EXPECT_NE(section.find(p.line + "\r\n"), std::string::npos);
        }
    }
    EXPECT_EQ(parts[IndexPartId::kNineStars].applies, couple);
    EXPECT_EQ(parts[IndexPartId::kHighScoreBonus].points, options.highScoreScale ? 10 : 0);
    // Discrete parts take their few values only.
    const double years = parts[IndexPartId::kBirthYears].points;
    EXPECT_TRUE(years == 0 || years == 4 || years == 6 || years == 8) << years;
    const double favourable = parts[IndexPartId::kFavourableElements].points;
    EXPECT_EQ(favourable, 6.25 * static_cast<int>(favourable / 6.25)) << favourable;
    // The cap takes effect exactly when the other parts reach 100.
    IndexPoints uncapped = parts.Points();
    uncapped[std::size_t(IndexPartId::kCap)] = 0;
    if (SumOfIndexPoints(uncapped) >= 100.0f) {
        EXPECT_EQ(pairing.index, 99.0f);
        EXPECT_TRUE(parts[IndexPartId::kCap].applies);
    } else {
        EXPECT_FALSE(parts[IndexPartId::kCap].applies);
    }
    // The report shows the index truncated.
    EXPECT_NE(section.find("婚配指数：" + std::to_string(static_cast<int>(pairing.index)) + "分\r\n"),
              std::string::npos);
}

// 10 000 couples drawn over the whole range with random options, each taken
// through the steps of the run up to the pairing. (Real couples reach the
// cap at 99 about once in 200 000 even with the high-score scale; the
// couple tables of the pairing and of the option comparison hold capped
// ones.)
TEST(IndexPartsSweep, PartsAddUpToTheIndexOnTenThousandCouples) {
    std::mt19937 rng(20261211);
    const auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    LunarCalendar calendar;
    int pairings = 0, sameSex = 0;
    for (int i = 0; i < 10000; ++i) {
        PersonRecord p[2];
        for (PersonRecord& r : p) {
            r.name = "某人";
            r.year = static_cast<std::int16_t>(draw(1, 2100));
            r.month = static_cast<std::int16_t>(draw(1, 12));
            r.day = static_cast<std::int16_t>(draw(1, 28));
            r.hour = static_cast<std::int16_t>(draw(0, 23));
            r.minute = static_cast<std::int16_t>(draw(0, 59));
            r.isMale = static_cast<std::uint8_t>(draw(0, 1));
            r.longitude = static_cast<float>(draw(73, 135));
            r.latitude = 30;
            r.placeText = "未知地";
        }
        ChartOptions options;
        options.timeBasis = static_cast<TimeBasis>(draw(0, 2));
        options.lateZiHourKeepsDay = draw(0, 1) != 0;
        options.specialPatternRoles = draw(0, 1) != 0;
        options.followJudgements = draw(0, 1) != 0;
        options.highScoreScale = draw(0, 3) == 0;
        const ScoredPerson a = ScorePersonOfRun(p[0], 0, options, calendar);
        const ScoredPerson b = ScorePersonOfRun(p[1], 1, options, calendar);
        if (!a.status.ok() || !b.status.ok()) continue;
        SCOPED_TRACE(testing::Message() << "couple " << i);
        const ChartData& ca = a.analysis.Chart();
        const ChartData& cb = b.analysis.Chart();
        const PairingResult pairing = PairingAnalysis(ca, cb, p[0], p[1], options);
        CheckParts(DescribeIndexParts(ca, cb, p[0], p[1], options, pairing), pairing, p[0], p[1], options);
        ++pairings;
        sameSex += p[0].isMale == p[1].isMale;
        if (HasFailure()) break;  // the first couple that fails is enough to see
    }
    EXPECT_GT(pairings, 9900);
    EXPECT_GT(sameSex, 4000);
}

PersonRecord SweepPerson(const char* name, CivilTime t, bool male, float longitude) {
    PersonRecord r;
    r.name = name;
    r.SetTime(t);
    r.isMale = male;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// With the option the pairing section ends with the table of the parts; the
// rest of the report stays as it is. The same after a re-analysis.
TEST(IndexPartsReport, OptionAppendsTheTableAfterThePairingSection) {
    const PersonRecord a = SweepPerson("张三", {1990, 5, 12, 8, 30}, true, 116.4f);
    const PersonRecord b = SweepPerson("李四", {1992, 11, 3, 21, 10}, false, 121.5f);
    for (const bool bscore : {false, true}) {
        SCOPED_TRACE(bscore);
        ChartOptions off;
        off.highScoreScale = bscore;
        ChartOptions on = off;
        on.appendIndexParts = true;
        const MatchingResult plain = RunMatching(a, b, off);
        const MatchingResult with = RunMatching(a, b, on);
        ASSERT_TRUE(plain.ok() && with.ok());
        EXPECT_EQ(with.index, plain.index);
        const std::string table = IndexPartsReportText(IndexPartsOf(plain));
        std::string expected = plain.Text();
        const std::size_t separator = expected.find(kReportSeparator);
        ASSERT_NE(separator, std::string::npos);
        expected.insert(separator, table);
        EXPECT_EQ(with.Text(), expected);
        // The table is part of the pairing section, in its style.
        bool found = false;
        for (const ReportBlock& block : with.report.Blocks()) {
            if (block.text.find("※婚配指数构成") == std::string::npos) continue;
            found = true;
            EXPECT_EQ(block.role, ReportRole::kPairing);
        }
        EXPECT_TRUE(found);

        std::array<RoleOverride, 2> overrides = FillOverrides(with);
        overrides[0].judgement = 0;  // 从旺
        const MatchingResult again = Reanalyse(with, overrides);
        ASSERT_TRUE(again.ok());
        EXPECT_NE(again.Text().find(IndexPartsReportText(IndexPartsOf(again)) + kReportSeparator), std::string::npos);
        EXPECT_EQ(SumOfIndexPoints(IndexPartsOf(again).Points()), again.index);
    }
}

TEST(ChartOptions, IndexPartsOptionIsOffByDefaultAndReadFromTheFile) {
    EXPECT_FALSE(ChartOptions{}.appendIndexParts);
    IniFile ini;
    ini.Parse("[set]\r\nindexparts=1\r\n");
    EXPECT_TRUE(ReadChartOptions(ini).appendIndexParts);
    ChartOptions o;
    EXPECT_TRUE(SetChartOption(o, "indexparts=1").ok());
    EXPECT_TRUE(o.appendIndexParts);
    EXPECT_EQ(SetChartOption(o, "indexparts=2").message(), "--set indexparts: 2 is outside 0..1");
}

}  // namespace
}  // namespace tessaly
