#include "matching/OptionComparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "readings/IndexParts.h"

namespace tessaly {
namespace {

PersonRecord Person(const char* name, CivilTime t, bool male, float longitude, bool lunar = false) {
    PersonRecord r;
    r.name = name;
    r.SetTime(t);
    r.isMale = male;
    r.isLunar = lunar;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

struct Couple {
    const char* label;
    PersonRecord a, b;
};

std::vector<Couple> Couples() {
    return {
        {"gregorian", Person("张三", {1990, 5, 12, 8, 30}, true, 116.4f),
         Person("李四", {1992, 11, 3, 21, 10}, false, 121.5f)},
        // Both born after 23:00, far west of the standard meridian.
        {"late zi hour", Person("王五", {1984, 2, 4, 23, 40}, true, 104.1f),
         Person("赵六", {1985, 12, 31, 23, 5}, false, 87.6f)},
        {"lunar", Person("甲", {1987, 6, 15, 6, 0}, false, 113.3f, true),
         Person("乙", {1986, 8, 20, 12, 45}, true, 126.6f, true)},
        {"two women", Person("丙", {1995, 9, 9, 9, 30}, false, 120.2f),
         Person("丁", {1996, 1, 15, 0, 20}, false, 75.9f)},
        {"ancient", Person("戊", {-500, 3, 3, 3, 3}, true, 112.0f),
         Person("己", {1582, 10, 15, 11, 11}, false, 118.0f)},
        // 101.02 points with the high-score scale: capped at 99.
        {"capped", Person("庚", {1938, 7, 13, 15, 50}, true, 120.0f),
         Person("辛", {1923, 11, 9, 14, 41}, false, 120.0f)},
    };
}

std::vector<ChartOptions> OptionSets() {
    std::vector<ChartOptions> sets(3);
    for (const char* kv : {"zishi=1", "idate=2", "biange=0", "bscore=1"}) EXPECT_TRUE(SetChartOption(sets[1], kv).ok());
    for (const char* kv : {"idate=1", "mgong=1", "congGe=1", "pai=1"}) EXPECT_TRUE(SetChartOption(sets[2], kv).ok());
    return sets;
}

void ExpectSameOutcome(const RunOutcome& got, const RunOutcome& want) {
    ASSERT_EQ(got.ok(), want.ok()) << got.status.message() << " / " << want.status.message();
    if (!got.ok()) {
        EXPECT_EQ(got.status.message(), want.status.message());
        return;
    }
    EXPECT_TRUE(got.persons[0] == want.persons[0]);
    EXPECT_TRUE(got.persons[1] == want.persons[1]);
    EXPECT_EQ(got.index, want.index);
    EXPECT_EQ(got.points, want.points);
}

TEST(CompareOptions, SchoolOptionsAreKeysOfTheOptionTable) {
    int others = 0;
    for (const SchoolOption& o : SchoolOptions()) {
        SCOPED_TRACE(std::string(o.key));
        const OptionKey* key = nullptr;
        for (const OptionKey& k : OptionKeys()) {
            if (k.key == o.key) key = &k;
        }
        ASSERT_NE(key, nullptr);
        for (int v = key->min; v <= key->max; ++v) EXPECT_FALSE(o.valueNames[std::size_t(v)].empty());
        others += key->max - key->min;
    }
    EXPECT_EQ(others, 7);  // with the user's own run: 8 runs, at most 15
}

// Each row is what `match` gives with that one option changed.
TEST(CompareOptions, EachRowEqualsAMatchingRunWithThatOptionSet) {
    for (const Couple& c : Couples()) {
        for (const ChartOptions& options : OptionSets()) {
            SCOPED_TRACE(c.label);
            const OptionComparison cmp = CompareOptions(c.a, c.b, options);
            ASSERT_TRUE(cmp.ok()) << cmp.status.message();
            ExpectSameOutcome(cmp.base, OutcomeOf(RunMatching(c.a, c.b, options)));
            ASSERT_EQ(cmp.variants.size(), 7u);
            for (const OptionVariant& v : cmp.variants) {
                SCOPED_TRACE(v.Setting());
                EXPECT_NE(v.value, SchoolOptionValue(options, v.option->key));
                const ChartOptions changed = WithSchoolOption(options, v.option->key, v.value);
                for (const SchoolOption& other : SchoolOptions()) {
                    if (other.key == v.option->key) continue;
                    EXPECT_EQ(SchoolOptionValue(changed, other.key), SchoolOptionValue(options, other.key));
                }
                ExpectSameOutcome(v.outcome, OutcomeOf(RunMatching(c.a, c.b, changed)));
            }
        }
    }
}

// A cell is marked exactly when it reads differently from the user's row;
// the parts column when some part's points moved.
TEST(CompareOptions, MarksExactlyTheCellsThatDiffer) {
    int marked = 0;
    for (const Couple& c : Couples()) {
        for (const ChartOptions& options : OptionSets()) {
            SCOPED_TRACE(c.label);
            const OptionComparison cmp = CompareOptions(c.a, c.b, options);
            const ComparisonTable t = ComparisonTableOf(cmp);
            ASSERT_EQ(t.rows.size(), cmp.variants.size() + 1);
            const ComparisonRow& own = t.rows.front();
            EXPECT_EQ(own.label, kOwnSettingsLabel);
            EXPECT_EQ(own.changed, (std::array<bool, kOutcomeColumnCount>{}));
            EXPECT_TRUE(own.cells[std::size_t(OutcomeColumn::kParts)].empty());
            for (std::size_t r = 1; r < t.rows.size(); ++r) {
                const ComparisonRow& row = t.rows[r];
                const OptionVariant& v = cmp.variants[r - 1];
                SCOPED_TRACE(row.setting);
                EXPECT_EQ(row.label, v.Label());
                for (int k = 0; k < kOutcomeColumnCount; ++k) {
                    SCOPED_TRACE(std::string(t.columns[std::size_t(k)]));
                    const bool differs = k == int(OutcomeColumn::kParts)
                                             ? v.outcome.points != cmp.base.points
                                             : row.cells[std::size_t(k)] != own.cells[std::size_t(k)];
                    EXPECT_EQ(row.changed[std::size_t(k)], differs) << row.cells[std::size_t(k)];
                    marked += row.changed[std::size_t(k)];
                }
                // The index moves only through its parts.
                if (row.changed[std::size_t(OutcomeColumn::kIndex)]) {
                    EXPECT_FALSE(v.movedParts.empty());
                }
            }
        }
    }
    EXPECT_GT(marked, 30);
}

TEST(CompareOptions, WhatTheOptionsChange) {
    const Couple c = Couples()[1];  // born after 23:00
    const OptionComparison cmp = CompareOptions(c.a, c.b, {});
    ASSERT_TRUE(cmp.ok());
    const auto variant = [&](std::string_view setting) -> const OptionVariant& {
        for (const OptionVariant& v : cmp.variants) {
            if (v.Setting() == setting) return v;
        }
        ADD_FAILURE() << setting;
        return cmp.variants.front();
    };
    const auto changed = [](const OptionVariant& v, OutcomeColumn col) { return v.changed[std::size_t(col)]; };

    // 23:40 keeps its own day: 甲命's day pillar (and so the hour's stem) changes.
    const OptionVariant& zishi = variant("zishi=1");
    EXPECT_EQ(zishi.Label(), "区分夜子时、和早子时：是");
    EXPECT_TRUE(changed(zishi, OutcomeColumn::kPillarsA));
    EXPECT_EQ(zishi.outcome.persons[0].pillars[kYearPos], cmp.base.persons[0].pillars[kYearPos]);
    EXPECT_NE(zishi.outcome.persons[0].pillars[kDayPos], cmp.base.persons[0].pillars[kDayPos]);

    // The high-score scale moves the bonus and nothing of the charts.
    const OptionVariant& bscore = variant("bscore=1");
    EXPECT_EQ(bscore.Label(), "婚配指数高分制：是");
    for (int k = 0; k < int(OutcomeColumn::kIndex); ++k) EXPECT_FALSE(bscore.changed[std::size_t(k)]) << k;
    ASSERT_FALSE(bscore.movedParts.empty());
    EXPECT_EQ(bscore.movedParts.front(), IndexPartId::kHighScoreBonus);
    EXPECT_EQ(bscore.outcome.points[std::size_t(IndexPartId::kHighScoreBonus)], 10);

    // 104° E is 16° west of the standard meridian: local mean time is over an
    // hour earlier, 22:36, the hour of 亥 on the same day.
    const OptionVariant& local = variant("idate=2");
    EXPECT_EQ(local.Label(), "使用时间：地方时");
    EXPECT_TRUE(changed(local, OutcomeColumn::kPillarsA));

    // The 命宫 counting changes no pillar.
    const OptionVariant& palace = variant("mgong=1");
    EXPECT_FALSE(changed(palace, OutcomeColumn::kPillarsA));
    EXPECT_FALSE(changed(palace, OutcomeColumn::kPillarsB));
}

// 91.02 points; the high-score scale would make it 101.02, capped at 99.
TEST(CompareOptions, TheCapIsAPartThatMoves) {
    const Couple c = Couples()[5];
    const OptionComparison cmp = CompareOptions(c.a, c.b, {});
    ASSERT_TRUE(cmp.ok());
    EXPECT_NEAR(cmp.base.index, 91.02f, 0.01f);
    for (const OptionVariant& v : cmp.variants) {
        if (v.Setting() != "bscore=1") continue;
        EXPECT_EQ(v.outcome.index, 99.0f);
        EXPECT_EQ(v.movedParts, (std::vector<IndexPartId>{IndexPartId::kHighScoreBonus, IndexPartId::kCap}));
        EXPECT_NEAR(v.outcome.points[std::size_t(IndexPartId::kCap)], -2.02, 0.01);
        EXPECT_EQ(ComparisonTableOf(cmp).rows.back().cells.size(), std::size_t(kOutcomeColumnCount));
    }
}

// At 135° E local time is an hour ahead: 2100-12-31 22:50 becomes a moment
// of 2101, which the calendar does not reach.
TEST(CompareOptions, AVariantThatCannotBeRunShowsItsMessage) {
    const PersonRecord a = Person("甲", {2100, 12, 31, 22, 50}, true, 135.0f);
    const PersonRecord b = Couples()[0].b;
    const OptionComparison cmp = CompareOptions(a, b, {});
    ASSERT_TRUE(cmp.ok()) << cmp.status.message();
    const ComparisonTable t = ComparisonTableOf(cmp);
    int refused = 0;
    for (std::size_t i = 0; i < cmp.variants.size(); ++i) {
        const OptionVariant& v = cmp.variants[i];
        SCOPED_TRACE(v.Setting());
        const MatchingResult m = RunMatching(a, b, WithSchoolOption({}, v.option->key, v.value));
        ExpectSameOutcome(v.outcome, OutcomeOf(m));
        if (v.outcome.ok()) continue;
        ++refused;
        EXPECT_EQ(v.outcome.status.message(), m.ErrorText());
        EXPECT_TRUE(v.ChangesAnything());
        const ComparisonRow& row = t.rows[i + 1];
        EXPECT_EQ(row.cells[0], v.outcome.status.message());
        EXPECT_EQ(row.cells[std::size_t(OutcomeColumn::kIndex)], "—");
        EXPECT_EQ(row.changed, (std::array<bool, kOutcomeColumnCount>{true, true, true, true, true, true, true, true,
                                                                      true, true, true, true}));
    }
    EXPECT_EQ(refused, 2);  // 真太阳时 and 地方时
}

TEST(CompareOptions, RefusedRunOfTheUserIsTheAnswer) {
    const Couple c = Couples()[0];
    PersonRecord late = c.b;
    late.year = 2101;
    const OptionComparison cmp = CompareOptions(c.a, late, {});
    EXPECT_FALSE(cmp.ok());
    EXPECT_TRUE(cmp.status.message().starts_with("乙命：")) << cmp.status.message();
    EXPECT_EQ(cmp.base.failedPerson, 1);
    EXPECT_TRUE(cmp.variants.empty());
    EXPECT_TRUE(ComparisonTableOf(cmp).rows.empty());
}

}  // namespace
}  // namespace tessaly
