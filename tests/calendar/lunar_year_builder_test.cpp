#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "calendar/Ephemeris.h"
#include "calendar/LunarYearBuilder.h"

namespace tessaly {
namespace {

int DayOf(int y, int m, int d) { return int(std::floor(JdFromDate(y, m, d + 0.5))) - 2451545; }

// The leap month of the lunar year that runs from the first month of year y:
// month number of the flagged month, 0 for none.
int LeapMonthOfLunarYear(LunarYearBuilder& s, int y, int probeMonth) {
    s.BuildLunarYear(DayOf(probeMonth > 12 ? y + 1 : y, probeMonth > 12 ? 1 : probeMonth, 5));
    return s.leapIndex ? s.monthNumbers[std::size_t(s.leapIndex)] : 0;
}

TEST(BuildLunarYear, LeapMonthsOfRecentYears) {
    const struct {
        int year, leapMonth, probeMonth;
    } kCases[] = {
        {2001, 4, 6}, {2004, 2, 6}, {2006, 7, 6}, {2009, 5, 6},   {2012, 4, 6},
        {2014, 9, 6}, {2017, 6, 6}, {2020, 4, 6}, {2023, 2, 6},   {2025, 6, 6},
        {2024, 0, 6}, {2022, 0, 6}, {2021, 0, 6}, {2033, 11, 13},  // leap 11th month after the winter solstice: probe January 2034
    };
    LunarYearBuilder s;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        EXPECT_EQ(LeapMonthOfLunarYear(s, c.year, c.probeMonth), c.leapMonth);
    }
}

TEST(BuildLunarYear, LeapMonthCarriesThePreviousNumber) {
    LunarYearBuilder s;
    s.BuildLunarYear(DayOf(2023, 4, 1));
    ASSERT_GT(s.leapIndex, 0);
    EXPECT_EQ(s.monthNumbers[std::size_t(s.leapIndex)], s.monthNumbers[std::size_t(s.leapIndex) - 1]);
    EXPECT_EQ(s.monthNumbers[std::size_t(s.leapIndex)], 2);
}

// Walk the days of many years: the months cover the day, lengths are 29/30,
// terms are 14..17 days apart, a leap month only in a 13-month year.
TEST(BuildLunarYear, InvariantsHoldOverTheRange) {
    LunarYearBuilder s;
    for (int y = -4712; y <= 9999; y += (y > -900 && y < 2200) ? 7 : 97) {
        for (int m = 1; m <= 12; m += 5) {
            const int d = DayOf(y, m, 10);
            s.BuildLunarYear(d);
            SCOPED_TRACE(testing::Message() << y << '-' << m);
            ASSERT_LE(s.newMoonDays[0], d);
            ASSERT_GT(s.newMoonDays[14], d);
            ASSERT_LE(s.termDays[0], d);
            ASSERT_GT(s.termDays[24], d);
            for (int i = 0; i < 14; ++i) {
                ASSERT_TRUE(s.monthLengths[std::size_t(i)] == 29 || s.monthLengths[std::size_t(i)] == 30);
                ASSERT_GE(s.monthNumbers[std::size_t(i)], 1);
                ASSERT_LE(s.monthNumbers[std::size_t(i)], 13);
            }
            for (int i = 0; i < 24; ++i) {
                const int gap = s.termDays[std::size_t(i) + 1] - s.termDays[std::size_t(i)];
                ASSERT_GE(gap, 14);
                ASSERT_LE(gap, 17);
            }
            if (s.leapIndex) {
                ASSERT_LE(s.newMoonDays[13], s.termDays[24]);
            }
        }
    }
}

TEST(BuildLunarYear, AncientExtraMonthIsNumberedNotFlagged) {
    LunarYearBuilder s;
    const struct { int year, extra; } kCases[] = {{-600, 13}, {-300, 13}, {-150, 10}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        bool seen = false;
        for (int y = c.year; y < c.year + 4; ++y) {
            s.BuildLunarYear(DayOf(y, 6, 1));
            EXPECT_EQ(s.leapIndex, 0);
            for (int n : s.monthNumbers) seen = seen || n == c.extra;
        }
        EXPECT_TRUE(seen);
    }
}

TEST(EventDay, MeanNewMoonException) {
    LunarYearBuilder s;
    EXPECT_EQ(s.EventDay(1683460 - 2451545, "朔"), 1683461 - 2451545);
}

TEST(EventDay, KindIsComparedAsText) {
    LunarYearBuilder s;
    const double d = DayOf(2024, 2, 4);
    EXPECT_EQ(s.EventDay(d, "气"), DayOf(2024, 2, 4));   // 立春
    EXPECT_EQ(s.EventDay(d, "朔"), DayOf(2024, 2, 10));  // new moon
    EXPECT_EQ(s.EventDay(d, "x"), DayOf(2024, 2, 10));
}

TEST(EventDay, MeanMethodStartsAtItsFirstTableEntry) {
    // A query at f1 already uses the mean method: the first table entry itself.
    LunarYearBuilder s;
    EXPECT_EQ(s.EventDay(LunarYearBuilder::kNewMoonF1 - 2451545, EventKind::NewMoon), 1457698 - 2451545);
    EXPECT_EQ(s.EventDay(LunarYearBuilder::kTermF1 - 2451545, EventKind::Term), 1640650 - 2451545);
}

TEST(CorrectionTexts, AreTheOnesTheEphemerisGives) {
    LunarYearBuilder s;
    const CorrectionText moons = DeriveCorrectionText(EventKind::NewMoon);
    const CorrectionText terms = DeriveCorrectionText(EventKind::Term);
    ASSERT_TRUE(moons.ok) << moons.error;
    ASSERT_TRUE(terms.ok) << terms.error;
    EXPECT_EQ(s.newMoonFix, moons.text);
    EXPECT_EQ(s.termFix, terms.text);
    // Both cover every query before 1960.
    EXPECT_GT(double(s.newMoonFix.size()), (LunarYearBuilder::kF3 - LunarYearBuilder::kNewMoonF2) / 29.5306);
    EXPECT_GT(double(s.termFix.size()), (LunarYearBuilder::kF3 - LunarYearBuilder::kTermF2) / 365.2422 * 24);
}

TEST(CorrectionTexts, PutLowPrecisionDaysOnTheAccurateDay) {
    // Between 1645 and 1960 every new moon and term falls on the civil day of
    // its accurate moment.
    LunarYearBuilder s;
    for (double J = LunarYearBuilder::kNewMoonF2 + 20; J < LunarYearBuilder::kF3; J += 29.5306 * 13) {
        const double W = std::floor((J + 14 - 2451551) / 29.5306) * kPi2;
        const double d = TimeOfElongation(W) * kDaysPerCentury;
        ASSERT_EQ(s.EventDay(J - 2451545, EventKind::NewMoon), int(std::floor(d - DeltaTDays(d) + 1.0 / 3 + 0.5)));
    }
}

TEST(BuildLunarYear, CacheGivesExactlyAFreshBuild) {
    LunarYearBuilder cached, fresh;
    for (int d = DayOf(1990, 1, 1); d < DayOf(1990, 1, 1) + 800; d += 3) {
        cached.BuildLunarYear(d);
        fresh.BuildLunarYearUncached(d);
        ASSERT_EQ(static_cast<const LunarYearState&>(cached), static_cast<const LunarYearState&>(fresh)) << d;
    }
    // jumping back and forth across years and epochs
    const int kDays[] = {DayOf(2024, 1, 1), DayOf(-500, 3, 1), DayOf(2024, 2, 20),
                         DayOf(1700, 1, 1), DayOf(2024, 1, 1), DayOf(-500, 3, 1)};
    for (int d : kDays) {
        cached.BuildLunarYear(d);
        fresh.BuildLunarYearUncached(d);
        ASSERT_EQ(static_cast<const LunarYearState&>(cached), static_cast<const LunarYearState&>(fresh)) << d;
    }
}

// The table of lunar years against the builder: both ends of every year.
// BuildLunarYearUncached picks the last solstice on or before a day, so a
// year whose first and last days build as the row builds so on every day
// between; the day before its solstice belongs to the year before.
TEST(TabulatedLunarYears, AreTheYearsTheBuilderBuilds) {
    const auto [first, last] = LunarYearBuilder::TabulatedDays();
    ASSERT_LE(first, DayOf(1800, 1, 1));
    ASSERT_GE(last, DayOf(2200, 11, 30));
    EXPECT_FALSE(LunarYearBuilder::TabulatedLunarYear(first - 1));
    EXPECT_FALSE(LunarYearBuilder::TabulatedLunarYear(last + 1));
    LunarYearBuilder fresh;
    int years = 0;
    for (int opening = first; opening <= last; ++years) {
        const std::optional<LunarYearState> row = LunarYearBuilder::TabulatedLunarYear(opening);
        ASSERT_TRUE(row) << opening;
        ASSERT_EQ(row->termDays[0], opening);
        const int closing = row->termDays[24] - 1;
        for (const int d : {opening, closing}) {
            fresh.BuildLunarYearUncached(d);
            ASSERT_EQ(*row, static_cast<const LunarYearState&>(fresh)) << d;
            ASSERT_EQ(LunarYearBuilder::TabulatedLunarYear(d), row) << d;
        }
        opening = closing + 1;
    }
    EXPECT_EQ(years, 401);
}

}  // namespace
}  // namespace tessaly
