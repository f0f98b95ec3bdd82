// Uncertain birth times of a couple: every alternative chart is the chart a
// matching run gives for a birth inside its minutes (at both ends and in the
// middle), and the index of every combination is the run's index.
#include "matching/CoupleExplanation.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "calendar/BirthTimeZone.h"
#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

CivilTime T(int y, int m, int d, int h, int mi) {
    return {std::int16_t(y), std::int16_t(m), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
}

std::string Text(const CivilTime& t) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return buf;
}

PersonRecord Birth(const char* name, bool male, CivilTime t, float longitude = 120) {
    PersonRecord r;
    r.name = name;
    r.isMale = male;
    r.SetTime(t);
    r.provinceIndex = 34;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

PersonRecord Civil(PersonRecord r, const char* zone) {
    r.clock = BirthClock::kCivil;
    r.timeZone = zone;
    return r;
}

PersonRecord Lunar(PersonRecord r) {
    r.isLunar = 1;
    return r;
}

// The same person born in minute m of Beijing time, entered as the original
// was entered: on the clock of the birth place, as a lunar date.
PersonRecord EnteredAt(const PersonRecord& original, ClockMinute m) {
    PersonRecord r = original;
    CivilTime t = CivilTimeOfMinute(m);
    if (original.clock == BirthClock::kCivil) {
        const ClockAtMoment c = StandardToClockTime(t, TimeZoneOf(original));
        EXPECT_TRUE(c.status.ok());
        t = c.clockTime;
        r.clockReading = c.summerTime ? ClockReading::kSummerTime : ClockReading::kStandardTime;
    }
    if (original.isLunar) {
        LunarCalendar calendar;
        CivilTime lunar;
        r.isLeapMonth = calendar.SolarToLunar(t, &lunar);
        t = lunar;
    }
    r.SetTime(t);
    return r;
}

std::string PillarsOf(const ChartData& c) {
    std::string s;
    for (int p : c.pillars) s += PillarName(p);
    return s;
}

struct Couple {
    const char* what;
    PersonRecord a, b;
    ChartOptions options;
    int minutesA, minutesB;
};

ChartOptions Options(TimeBasis basis, bool keepsDay = false) {
    ChartOptions o;
    o.timeBasis = basis;
    o.lateZiHourKeepsDay = keepsDay;
    return o;
}

std::vector<Couple> Couples() {
    return {
        {"立春 and an evening", Birth("甲", true, T(2024, 2, 4, 16, 30)), Birth("乙", false, T(1992, 11, 3, 21, 10)),
         Options(TimeBasis::kBeijingTime), 30, 60},
        {"a summer clock and a lunar date under true solar time",
         Civil(Birth("甲", true, T(1988, 6, 1, 10, 30), 116.4f), "Asia/Shanghai"),
         Lunar(Birth("乙", false, T(1990, 4, 18, 6, 50), 104.07f)), Options(TimeBasis::kTrueSolarTime), 120, 45},
        {"the hour the summer clock skipped", Civil(Birth("甲", true, T(1988, 4, 17, 1, 30)), "Asia/Shanghai"),
         Birth("乙", false, T(1989, 3, 5, 23, 40)), Options(TimeBasis::kBeijingTime), 120, 120},
        {"far west under true solar time, late 子 hours kept", Birth("甲", true, T(2000, 3, 5, 23, 30), 75.99f),
         Birth("乙", false, T(2024, 3, 8, 23, 10), 87.6f), Options(TimeBasis::kTrueSolarTime, true), 90, 60},
        {"New York under local mean time", Civil(Birth("甲", true, T(1990, 5, 12, 8, 30), -74.0f), "America/New_York"),
         Birth("乙", false, T(1991, 6, 6, 0, 20), 121.47f), Options(TimeBasis::kLocalMeanTime), 120, 30},
        {"two men near midnight", Birth("甲", true, T(1984, 2, 4, 23, 50)), Birth("乙", true, T(1984, 2, 4, 23, 10)),
         Options(TimeBasis::kBeijingTime), 20, 20},
    };
}

TEST(CoupleExplanation, EveryAlternativeIsTheMatchingRunsChartInsideItsMinutes) {
    for (const Couple& c : Couples()) {
        SCOPED_TRACE(c.what);
        LunarCalendar calendar;
        const CoupleExplanation x = ExplainCouple(c.a, c.b, c.options, c.minutesA, c.minutesB, calendar);
        ASSERT_TRUE(x.ok()) << x.status.message();
        const PersonRecord* records[2] = {&c.a, &c.b};
        for (int n = 0; n < 2; ++n) {
            SCOPED_TRACE(n);
            const BirthUncertainty& u = x.persons[n].uncertainty;
            EXPECT_EQ(u.alternatives.front().first, ClockMinuteOf(x.persons[n].path.standardTime) - u.minutes);
            EXPECT_EQ(u.alternatives.back().last, ClockMinuteOf(x.persons[n].path.standardTime) + u.minutes);
            for (std::size_t i = 0; i < u.alternatives.size(); ++i) {
                const ChartAlternative& alt = u.alternatives[i];
                if (i > 0) {
                    EXPECT_EQ(alt.first, u.alternatives[i - 1].last + 1);  // no gap, no overlap
                }
                for (const ClockMinute m : {alt.first, (alt.first + alt.last) / 2, alt.last}) {
                    const PersonRecord probe = EnteredAt(*records[n], m);
                    SCOPED_TRACE(Text(CivilTimeOfMinute(m)) + " entered as " + Text(probe.Time()));
                    const MatchingResult run =
                        n == 0 ? RunMatching(probe, c.b, c.options) : RunMatching(c.a, probe, c.options);
                    if (!alt.status.ok()) {
                        EXPECT_EQ(run.status.message(), alt.status.message());
                        continue;
                    }
                    ASSERT_TRUE(run.ok()) << run.status.message();
                    const ChartData& got = run.persons[n].Chart();
                    EXPECT_EQ(PillarsOf(got), PillarsOf(alt.chart.chart));
                    EXPECT_EQ(got.constellation, alt.chart.chart.constellation);
                    EXPECT_EQ(got.birthNumber, alt.chart.chart.birthNumber);
                }
            }
        }
    }
}

TEST(CoupleExplanation, EveryCombinationHasTheMatchingRunsIndex) {
    for (const Couple& c : Couples()) {
        SCOPED_TRACE(c.what);
        LunarCalendar calendar;
        const CoupleExplanation x = ExplainCouple(c.a, c.b, c.options, c.minutesA, c.minutesB, calendar);
        ASSERT_TRUE(x.ok()) << x.status.message();
        const auto& altA = x.persons[0].uncertainty.alternatives;
        const auto& altB = x.persons[1].uncertainty.alternatives;
        EXPECT_EQ(x.combinations.size(), altA.size() * altB.size());
        float lo = 100, hi = -1;
        for (const IndexCombination& k : x.combinations) {
            const ChartAlternative &a = altA[std::size_t(k.a)], &b = altB[std::size_t(k.b)];
            const MatchingResult run =
                RunMatching(EnteredAt(c.a, (a.first + a.last) / 2), EnteredAt(c.b, (b.first + b.last) / 2), c.options);
            ASSERT_TRUE(run.ok()) << run.status.message();
            EXPECT_EQ(run.index, k.index) << "A" << k.a << " B" << k.b;
            lo = std::min(lo, k.index);
            hi = std::max(hi, k.index);
        }
        EXPECT_EQ(x.minIndex, lo);
        EXPECT_EQ(x.maxIndex, hi);
        EXPECT_EQ(x.enteredIndex, RunMatching(c.a, c.b, c.options).index);
    }
}

// A birth moved across the 节 next to it: the month pillar and the luck
// start the boundary names are the matching run's for that birth.
TEST(CoupleExplanation, LuckAcrossATermIsTheRunsLuckThere) {
    const PersonRecord births[] = {Birth("甲", true, T(2024, 2, 4, 16, 30)), Birth("乙", false, T(2024, 5, 5, 8, 9)),
                                   Birth("丙", false, T(1988, 6, 1, 9, 30))};
    for (const PersonRecord& r : births) {
        SCOPED_TRACE(Text(r.Time()));
        LunarCalendar calendar;
        const BirthExplanation e = ExplainBirth(r, {}, 0, calendar);
        ASSERT_TRUE(e.status.ok());
        int seen = 0;
        for (const PillarBoundary& b : e.boundaries) {
            if (!b.hasLuckAcross) continue;
            ++seen;
            const ClockMinute across = b.birthAfter ? b.mark.firstMinute - 1 : b.mark.firstMinute;
            const MatchingResult run = RunMatching(EnteredAt(r, across), Birth("丁", true, T(2000, 1, 1, 0, 0)), {});
            ASSERT_TRUE(run.ok());
            const PersonChart& got = run.persons[0].built;
            EXPECT_EQ(got.chart.pillars[1], b.OtherSide().month);
            EXPECT_EQ(got.luck.Wait(), b.luckAcross);
            EXPECT_EQ(got.luckStartAge, b.luckStartAgeAcross);
            char line[80];
            std::snprintf(line, sizeof line, "起大运周岁：%d岁 %d个月 %d天", b.luckAcross.years, b.luckAcross.months,
                          b.luckAcross.days);
            EXPECT_NE(run.Text().find(line), std::string::npos) << line;
        }
        EXPECT_EQ(seen, 2);
    }
}

TEST(CoupleExplanation, StopsAtTheFirstPersonThatCannotBeExplained) {
    LunarCalendar calendar;
    const PersonRecord good = Birth("甲", true, T(2024, 2, 4, 16, 30));
    const PersonRecord bad = Birth("乙", false, T(2023, 2, 30, 10, 0));
    const CoupleExplanation x = ExplainCouple(good, bad, {}, 0, 0, calendar);
    EXPECT_FALSE(x.ok());
    EXPECT_EQ(x.failedPerson, 1);
    EXPECT_EQ(x.status.message(), kNoSuchDate);
    const CoupleExplanation y = ExplainCouple(good, good, {}, 0, kMaxUncertaintyMinutes + 1, calendar);
    EXPECT_EQ(y.failedPerson, 1);
    EXPECT_EQ(y.status.message(), kUncertaintyOutOfRange);
}

}  // namespace
}  // namespace tessaly
