// Why a chart has its pillars: the path of a birth time to the chart time,
// the boundaries around it with their distance and the pillars across them,
// and the alternatives of an uncertain birth time.
#include <gtest/gtest.h>

#include <cstdlib>

#include "calendar/civil_time_util.h"
#include "chart/BirthExplanation.h"
#include "chart/chart_test_util.h"

namespace tessaly {
namespace {

using testutil::Pillars;
using testutil::T;
using testutil::Text;

PersonRecord Birth(CivilTime t, float longitude = 120) {
    PersonRecord r;
    r.SetTime(t);
    r.provinceIndex = 34;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

PersonRecord CivilBirth(CivilTime t, const char* zone) {
    PersonRecord r = Birth(t);
    r.clock = BirthClock::kCivil;
    r.timeZone = zone;
    return r;
}

ChartOptions Options(TimeBasis basis, bool keepsDay = false) {
    ChartOptions o;
    o.timeBasis = basis;
    o.lateZiHourKeepsDay = keepsDay;
    return o;
}

std::string PillarText(const FourPillars& p, int i) {
    const int v[4] = {p.year, p.month, p.day, p.hour};
    return PillarName(v[i]);
}

// The changed pillars on the far side of a boundary: "年柱甲辰 月柱丙寅".
std::string OtherSide(const PillarBoundary& b) {
    static constexpr const char* kNames[4] = {"年柱", "月柱", "日柱", "时柱"};
    std::string s;
    for (int i = 0; i < 4; ++i) {
        if (!b.changes[i]) continue;
        if (!s.empty()) s += ' ';
        s += kNames[i] + PillarText(b.OtherSide(), i);
    }
    return s;
}

// The name of a boundary for the table: a term number or the chart hour.
std::string Where(const BoundaryMark& m) {
    if (m.kind == BoundaryKind::kSolarTerm) return "term " + std::to_string(m.term);
    if (m.kind == BoundaryKind::kChartEdge) return "edge " + Text(m.chartEdge);
    return "year range";
}

TEST(BirthExplanation, NamesTheNearestBoundaryItsDistanceAndThePillarsAcrossIt) {
    const auto basis0 = Options(TimeBasis::kBeijingTime);
    const auto keeps = Options(TimeBasis::kBeijingTime, true);
    const struct {
        const char* what;
        PersonRecord person;
        ChartOptions options;
        const char* pillars;
        const char* nearest;
        long long distance;  // seconds from the start of the birth's minute
        bool after;
        const char* otherSide;
    } kCases[] = {
        // 立春 2024 is 2024-02-04 16:26:52; the chart takes its minute, 16:27.
        {"a minute before 立春", Birth(T(2024, 2, 4, 16, 26)), basis0, "癸卯 乙丑 戊戌 庚申", "term 2", 52, false,
         "年柱甲辰 月柱丙寅"},
        {"in the minute of 立春", Birth(T(2024, 2, 4, 16, 27)), basis0, "甲辰 丙寅 戊戌 庚申", "term 2", -8, true,
         "年柱癸卯 月柱乙丑"},
        // 立夏 2024 is 2024-05-05 08:09:50, a 节 that changes the month alone.
        {"a minute before 立夏", Birth(T(2024, 5, 5, 8, 9)), basis0, "甲辰 戊辰 己巳 戊辰", "term 8", 50, false,
         "月柱己巳"},
        {"in the minute of 立夏", Birth(T(2024, 5, 5, 8, 10)), basis0, "甲辰 己巳 己巳 戊辰", "term 8", -10, true,
         "月柱戊辰"},
        // 23:00 opens the next day unless late 子 hours keep their day.
        {"22:59, the day turns at 23:00", Birth(T(2024, 3, 8, 22, 59)), basis0, "甲辰 丁卯 辛未 己亥",
         "edge 2024-03-08 23:00", 60, false, "日柱壬申 时柱庚子"},
        {"23:00, the day turns at 23:00", Birth(T(2024, 3, 8, 23, 0)), basis0, "甲辰 丁卯 壬申 庚子",
         "edge 2024-03-08 23:00", 0, true, "日柱辛未 时柱己亥"},
        {"23:00, the day keeps to midnight", Birth(T(2024, 3, 8, 23, 0)), keeps, "甲辰 丁卯 辛未 庚子",
         "edge 2024-03-08 23:00", 0, true, "时柱己亥"},
        {"23:59, the day keeps to midnight", Birth(T(2024, 3, 8, 23, 59)), keeps, "甲辰 丁卯 辛未 庚子",
         "edge 2024-03-09 00:00", 60, false, "日柱壬申"},
        {"00:00, the day keeps to midnight", Birth(T(2024, 3, 9, 0, 0)), keeps, "甲辰 丁卯 壬申 庚子",
         "edge 2024-03-09 00:00", 0, true, "日柱辛未"},
        // Midnight is no pillar boundary when the day turned at 23:00.
        {"00:10, the day turned at 23:00", Birth(T(2024, 3, 9, 0, 10)), basis0, "甲辰 丁卯 壬申 庚子",
         "edge 2024-03-09 01:00", 3000, false, "时柱辛丑"},
        // The summer clock of 1988 was an hour ahead: 10:30 on it is 09:30.
        {"China's summer time", CivilBirth(T(1988, 6, 1, 10, 30), "Asia/Shanghai"), basis0, "戊辰 丁巳 丁亥 乙巳",
         "edge 1988-06-01 09:00", -1800, true, "时柱甲辰"},
        // Kashgar, 75.99° E: true solar time is about three hours behind.
        {"a far-west longitude, true solar time", Birth(T(2000, 3, 5, 23, 30), 75.99f),
         Options(TimeBasis::kTrueSolarTime), "庚辰 己卯 壬戌 庚戌", "edge 2000-03-05 21:00", 37 * 60 + 24, false,
         "时柱辛亥"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        LunarCalendar calendar;
        const BirthExplanation e = ExplainBirth(c.person, c.options, 0, calendar);
        ASSERT_TRUE(e.status.ok()) << e.status.message();
        EXPECT_EQ(Pillars(e.chart.chart), c.pillars);
        const std::vector<const PillarBoundary*> near = BoundariesWithin(e, 60);
        ASSERT_FALSE(near.empty());
        const PillarBoundary& b = *near.front();
        EXPECT_EQ(Where(b.mark), c.nearest);
        EXPECT_EQ(b.distanceSeconds, c.distance);
        EXPECT_EQ(b.birthAfter, c.after);
        EXPECT_EQ(OtherSide(b), c.otherSide);
    }
}

TEST(BirthExplanation, PathStepsAddUpToTheChartTime) {
    PersonRecord lunar = Birth(T(1988, 4, 17, 10, 30));  // 1988-06-01 as a lunar date
    lunar.isLunar = 1;
    const struct {
        const char* what;
        PersonRecord person;
        ChartOptions options;
        std::array<bool, kPathStepCount> applies;
        std::array<long long, kPathStepCount> amounts;  // seconds
        CivilTime standard, chart;
    } kCases[] = {
        {"Beijing time",
         Birth(T(2024, 2, 4, 16, 30)),
         Options(TimeBasis::kBeijingTime),
         {true, false, false, false, false, false},
         {0, 0, 0, 0, 0, 0},
         T(2024, 2, 4, 16, 30),
         T(2024, 2, 4, 16, 30)},
        {"the summer clock of 1988",
         CivilBirth(T(1988, 6, 1, 10, 30), "Asia/Shanghai"),
         Options(TimeBasis::kBeijingTime),
         {true, false, true, false, false, false},
         {0, 0, -3600, 0, 0, 0},
         T(1988, 6, 1, 9, 30),
         T(1988, 6, 1, 9, 30)},
        {"a lunar date",
         lunar,
         Options(TimeBasis::kBeijingTime),
         {true, true, false, false, false, false},
         {0, 0, 0, 0, 0, 0},
         T(1988, 6, 1, 10, 30),
         T(1988, 6, 1, 10, 30)},
        // (120 − 75.99) × 240 = 10562.4 s; the equation of time is −11 min 22 s.
        {"true solar time at 75.99° E",
         Birth(T(2000, 3, 5, 23, 30), 75.99f),
         Options(TimeBasis::kTrueSolarTime),
         {true, false, false, true, true, true},
         {0, 0, 0, -10562, -682, 24},
         T(2000, 3, 5, 23, 30),
         T(2000, 3, 5, 20, 23)},
        {"local mean time at 75.99° E",
         Birth(T(2000, 3, 5, 23, 30), 75.99f),
         Options(TimeBasis::kLocalMeanTime),
         {true, false, false, true, false, true},
         {0, 0, 0, -10562, 0, 2},
         T(2000, 3, 5, 23, 30),
         T(2000, 3, 5, 20, 34)},
        // 105° E under local mean time: exactly an hour behind.
        {"local mean time at 105° E",
         Birth(T(2024, 7, 1, 10, 0), 105),
         Options(TimeBasis::kLocalMeanTime),
         {true, false, false, true, false, true},
         {0, 0, 0, -3600, 0, 0},
         T(2024, 7, 1, 10, 0),
         T(2024, 7, 1, 9, 0)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        LunarCalendar calendar;
        const BirthConversion conv = ConvertBirth(c.person, c.options, calendar);
        ASSERT_TRUE(conv.status.ok());
        const BirthPath p = BirthPathOf(c.person, conv.moments, c.options);
        EXPECT_EQ(Text(p.standardTime), Text(c.standard));
        EXPECT_EQ(Text(p.chartTime), Text(c.chart));
        EXPECT_EQ(Text(p.chartTime), Text(conv.moments.chartTime));
        ClockSeconds at = ClockSecondsOf(p.steps[1].moment);  // the Gregorian date on the entered clock
        for (int i = 0; i < kPathStepCount; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(p.steps[i].applies, c.applies[i]);
            EXPECT_EQ(p.steps[i].amountSeconds, c.amounts[i]);
            if (i >= 2) {
                at += p.steps[i].amountSeconds;
                EXPECT_EQ(ClockSecondsOf(p.steps[i].moment), at);
            }
        }
        EXPECT_EQ(p.steps.back().moment, (CivilSecond{c.chart, 0}));
    }
}

TEST(BirthExplanation, PathTellsWhichDayThePillarOfALateZiHourComesFrom) {
    for (const bool keepsDay : {false, true}) {
        SCOPED_TRACE(keepsDay);
        const PersonRecord r = Birth(T(2024, 2, 29, 23, 30));
        LunarCalendar calendar;
        const BirthExplanation e = ExplainBirth(r, Options(TimeBasis::kBeijingTime, keepsDay), 0, calendar);
        ASSERT_TRUE(e.status.ok());
        EXPECT_TRUE(e.path.lateZiHour);
        EXPECT_EQ(Text(e.path.dayPillarDate), keepsDay ? "2024-02-29 00:00" : "2024-03-01 00:00");
        EXPECT_EQ(e.chart.chart.pillars[2], LunarCalendar::DayPillarOf(e.path.dayPillarDate));
    }
}

// Every term boundary is the calendar's own term: its moment to the second
// and the minute the term list prints for it.
TEST(BirthExplanation, TermBoundariesAreTheCalendarsTerms) {
    const CivilTime births[] = {T(2024, 2, 4, 16, 30), T(1988, 6, 1, 9, 30), T(1900, 12, 31, 23, 50),
                                T(-100, 7, 7, 12, 0)};
    for (const CivilTime& t : births) {
        SCOPED_TRACE(Text(t));
        LunarCalendar calendar;
        const BirthExplanation e = ExplainBirth(Birth(t), Options(TimeBasis::kBeijingTime), 0, calendar);
        ASSERT_TRUE(e.status.ok());
        int terms = 0;
        for (const PillarBoundary& b : e.boundaries) {
            if (b.mark.kind != BoundaryKind::kSolarTerm) continue;
            ++terms;
            EXPECT_TRUE(b.mark.IsJie());
            const CivilTime printed = CivilTimeOfMinute(b.mark.firstMinute);
            bool listed = false;
            for (const TermEntry& k : LunarCalendar::TermsOfYear(printed.year)) {
                if (k.term == b.mark.term && k.month == printed.month && k.day == printed.day &&
                    k.hour == printed.hour && k.minute == printed.minute) {
                    listed = true;
                }
            }
            EXPECT_TRUE(listed) << "term " << b.mark.term << " at " << Text(printed);
            // The moment to the second lies within the printed minute's rounding.
            const long long off = b.mark.moment - b.mark.firstMinute * 60;
            EXPECT_GE(off, -31);
            EXPECT_LE(off, 30);
        }
        EXPECT_GE(terms, 2);  // the 节 on either side, and 立春 when it is neither
        EXPECT_LE(terms, 3);
    }
}

// What tells two alternatives apart: the pillars and what the index reads
// besides them.
std::string Key(const ChartData& c) {
    return Pillars(c) + " " + std::to_string(c.constellation) + " " + std::to_string(c.birthNumber) + " " +
           std::to_string(c.era);
}

TEST(BirthExplanation, AlternativesCoverTheWindowWithoutGapOrOverlap) {
    const struct {
        const char* what;
        PersonRecord person;
        ChartOptions options;
        int minutes;
        int alternatives;
    } kCases[] = {
        {"立春 inside ±30", Birth(T(2024, 2, 4, 16, 30)), Options(TimeBasis::kBeijingTime), 30, 3},
        {"no boundary inside ±10", Birth(T(2024, 2, 4, 16, 0)), Options(TimeBasis::kBeijingTime), 10, 1},
        // 雨水 2024-02-19 12:12:57, a 中气: the constellation changes, no pillar.
        {"a 中气 and an hour edge inside ±30", Birth(T(2024, 2, 19, 12, 30)), Options(TimeBasis::kBeijingTime), 30, 3},
        // 24 hour edges and two midnights (a new birth date each), no term.
        {"a whole day either way", Birth(T(2024, 3, 8, 12, 0)), Options(TimeBasis::kTrueSolarTime), 1440, 27},
        {"exactly at an edge, ±0", Birth(T(2024, 3, 8, 23, 0)), Options(TimeBasis::kBeijingTime), 0, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        LunarCalendar calendar;
        const BirthExplanation e = ExplainBirth(c.person, c.options, c.minutes, calendar);
        ASSERT_TRUE(e.status.ok());
        const BirthUncertainty& u = e.uncertainty;
        ASSERT_EQ(int(u.alternatives.size()), c.alternatives);
        const ClockMinute birth = ClockMinuteOf(e.path.standardTime);
        EXPECT_EQ(u.alternatives.front().first, birth - c.minutes);
        EXPECT_EQ(u.alternatives.back().last, birth + c.minutes);
        int holding = 0;
        for (std::size_t i = 0; i < u.alternatives.size(); ++i) {
            const ChartAlternative& a = u.alternatives[i];
            EXPECT_LE(a.first, a.last);
            if (i > 0) {
                EXPECT_EQ(a.first, u.alternatives[i - 1].last + 1);
                EXPECT_FALSE(a.opening.empty());
                EXPECT_NE(Key(a.chart.chart), Key(u.alternatives[i - 1].chart.chart));  // distinct charts
            }
            if (a.containsBirth) {
                ++holding;
                EXPECT_EQ(u.birthAlternative, int(i));
                EXPECT_EQ(Pillars(a.chart.chart), Pillars(e.chart.chart));
            }
        }
        EXPECT_EQ(holding, 1);
    }
}

TEST(BirthExplanation, AlternativesBeyondTheYearRangeCarryTheMessage) {
    LunarCalendar calendar;
    const BirthExplanation e =
        ExplainBirth(Birth(T(2100, 12, 31, 22, 30)), Options(TimeBasis::kBeijingTime), 120, calendar);
    ASSERT_TRUE(e.status.ok());
    const std::vector<ChartAlternative>& alts = e.uncertainty.alternatives;
    ASSERT_EQ(alts.size(), 4u);
    EXPECT_TRUE(alts[0].status.ok());
    EXPECT_EQ(Text(CivilTimeOfMinute(alts[1].first)), "2100-12-31 21:00");
    EXPECT_TRUE(alts[1].status.ok());
    // From 23:00 the day pillar is the next day's, in 2101.
    EXPECT_EQ(Text(CivilTimeOfMinute(alts[2].first)), "2100-12-31 23:00");
    EXPECT_EQ(alts[2].status.message(), kRolledOutOfRange);
    EXPECT_EQ(Text(CivilTimeOfMinute(alts[3].first)), "2101-01-01 00:00");
    EXPECT_EQ(alts[3].status.message(), kYearRangeMessage);
    EXPECT_EQ(alts[3].opening.size(), 2u);  // the year range and the new date
}

TEST(BirthExplanation, RefusesWhatTheChartRefusesAndAnUncertaintyOutOfRange) {
    LunarCalendar calendar;
    const ChartOptions o = Options(TimeBasis::kBeijingTime);
    EXPECT_EQ(ExplainBirth(Birth(T(2023, 2, 30, 10, 0)), o, 0, calendar).status.message(), kNoSuchDate);
    EXPECT_EQ(ExplainBirth(Birth(T(2024, 2, 4, 10, 0)), o, -1, calendar).status.message(), kUncertaintyOutOfRange);
    EXPECT_EQ(ExplainBirth(Birth(T(2024, 2, 4, 10, 0)), o, kMaxUncertaintyMinutes + 1, calendar).status.message(),
              kUncertaintyOutOfRange);
    EXPECT_TRUE(ExplainBirth(Birth(T(2024, 2, 4, 10, 0)), o, kMaxUncertaintyMinutes, calendar).status.ok());
}

TEST(ClockMinute, RoundTripsThroughTheCalendarsDates) {
    const CivilTime times[] = {T(2000, 1, 1, 0, 0), T(1582, 10, 4, 23, 59),  T(1582, 10, 15, 0, 0),
                               T(-849, 1, 1, 0, 0), T(2100, 12, 31, 23, 59), T(1999, 12, 31, 23, 59)};
    for (const CivilTime& t : times) {
        SCOPED_TRACE(Text(t));
        EXPECT_EQ(Text(CivilTimeOfMinute(ClockMinuteOf(t))), Text(t));
        // One minute later is the calendar's next minute.
        const CivilTime next = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(t) + 1.0 / 1440);
        EXPECT_EQ(ClockMinuteOf(next), ClockMinuteOf(t) + 1);
    }
    EXPECT_EQ(ClockMinuteOf(T(2000, 1, 1, 0, 0)), 0);
    EXPECT_EQ(ClockMinuteOf(T(1582, 10, 15, 0, 0)) - ClockMinuteOf(T(1582, 10, 4, 0, 0)), 1440);
}

}  // namespace
}  // namespace tessaly
