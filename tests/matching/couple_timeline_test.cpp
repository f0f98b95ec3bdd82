// A couple's timeline: year pillars from 立春, luck pillars on the years the
// report gives them, and what each year is to each chart, checked by hand
// from the tables.
#include "matching/CoupleTimeline.h"

#include <gtest/gtest.h>

#include <sstream>

#include "chart/Tables.h"

namespace tessaly {
namespace {

PersonRecord Person(const char* name, int year, int month, int day, int hour, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = static_cast<std::int16_t>(hour);
    r.minute = 0;
    r.isMale = male;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// 戊辰 乙卯 甲子 己巳: a 子 day branch and a 辰 year branch (both 申子辰, 桃花 酉).
PersonRecord Man() { return Person("甲", 1988, 3, 10, 10, true); }
// 己巳 丁丑 乙酉 辛巳: born before 立春 1990, so in the year 己巳 of 1989;
// 酉 day and 巳 year branch (both 巳酉丑, 桃花 午).
PersonRecord Woman() { return Person("乙", 1990, 1, 20, 10, false); }

CoupleTimeline Build(const PersonRecord& a, const PersonRecord& b, int from, int to) {
    LunarCalendar calendar;
    const CoupleTimelineBuild built = BuildCoupleTimeline(a, b, ChartOptions{}, {from, to}, calendar);
    EXPECT_TRUE(built.ok()) << built.errorText;
    return built.timeline;
}

std::string Pillars(const std::array<std::int16_t, 4>& p) {
    return PillarName(p[0]) + " " + PillarName(p[1]) + " " + PillarName(p[2]) + " " + PillarName(p[3]);
}

TEST(CoupleTimeline, BothChartsAreTheOnesOfTheRecords) {
    const CoupleTimeline t = Build(Man(), Woman(), 2020, 2030);
    EXPECT_EQ(Pillars(t.persons[0].pillars), "戊辰 乙卯 甲子 己巳");
    // A birth in January belongs to the sexagenary year before.
    EXPECT_EQ(Pillars(t.persons[1].pillars), "己巳 丁丑 乙酉 辛巳");
    EXPECT_EQ(t.persons[1].birthYear, 1990);
    EXPECT_EQ(t.persons[0].peachBranches, (std::array<int, 2>{10, 10}));  // 酉, 酉
    EXPECT_EQ(t.persons[1].peachBranches, (std::array<int, 2>{7, 7}));    // 午, 午
}

TEST(CoupleTimeline, CalendarYearsTakeTheirPillarFromLichun) {
    const CoupleTimeline t = Build(Man(), Woman(), 1989, 2045);
    ASSERT_EQ(t.years.size(), 57u);
    const struct {
        int year;
        const char* pillar;
    } kCases[] = {
        {1989, "己巳"},                  // the woman's year pillar, though she was born in January 1990
        {1990, "庚午"}, {2024, "甲辰"},  // from 2024-02-04 on; January 2024 is still 癸卯
        {2026, "丙午"}, {2044, "甲子"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        const int i = t.IndexOfYear(c.year);
        ASSERT_GE(i, 0);
        EXPECT_EQ(t.years[static_cast<std::size_t>(i)].year, c.year);
        EXPECT_EQ(PillarName(t.years[static_cast<std::size_t>(i)].pillar), c.pillar);
    }
    // The calendar year 1989 is before her birth: nothing is said of it.
    EXPECT_FALSE(t.years[0].persons[1].born);
    EXPECT_TRUE(t.years[1].persons[1].born);
    EXPECT_EQ(t.years[1].persons[1].age, 1);
    EXPECT_EQ(t.years[0].persons[0].age, 2);  // the report's 岁数: 1 in the birth year
}

// The luck pillars begin in the years of the report's "年份" row, for
// forward and backward counting, a January birth and a birth BC.
TEST(CoupleTimeline, LuckPillarsBeginInTheYearsOfTheReportRow) {
    const PersonRecord kPersons[] = {
        Man(),                                           // yang year, man: forward
        Woman(),                                         // yin year, woman: forward
        Person("丙", 1990, 5, 12, 8, false),             // yang year, woman: backward
        Person("丁", 1975, 12, 30, 23, true),            // yin year, man: backward
        Person("戊", StoredYear(-500), 7, 1, 12, true),  // BC, the luck years stay BC
    };
    for (const PersonRecord& r : kPersons) {
        SCOPED_TRACE(r.name);
        LunarCalendar calendar;
        const ChartBuild built = BuildChart(r, ChartOptions{}, calendar);
        ASSERT_TRUE(built.status.ok()) << built.status.message();
        const std::string text = built.person.text.PlainText();
        const std::size_t row = text.find("\r\n年份 ");
        ASSERT_NE(row, std::string::npos);
        std::istringstream years(text.substr(row + 9, text.find("\r\n", row + 2) - row - 9));
        const CoupleTimeline t = CoupleTimelineOf(built.person, built.person, {2000, 2000});
        const TimelinePerson& p = t.persons[0];
        for (const LuckPeriod& period : p.periods) {
            int shown = 0;
            ASSERT_TRUE(years >> shown);
            EXPECT_EQ(ShownYear(period.firstYear), shown);
            EXPECT_EQ(period.lastYear, period.firstYear + 9);
        }
        const std::string start = "每一交大运年 " + std::to_string(p.luck.start.month) + "月 " +
                                  std::to_string(p.luck.start.day) + "日起运(公历)";
        EXPECT_NE(text.find(start), std::string::npos) << start;
        EXPECT_EQ(LuckStartText(p.luck), start);
        // The report's 大运 row.
        std::string names = "大运 ";
        for (const LuckPeriod& period : p.periods) names += PillarName(period.pillar) + "  ";
        EXPECT_NE(text.find(names), std::string::npos) << names;
    }
}

// What some years are to each person, from the tables by hand.
TEST(CoupleTimeline, YearFactsAgainstBothCharts) {
    const CoupleTimeline t = Build(Man(), Woman(), 1988, 2060);
    constexpr int kNone = -1;
    constexpr int kDay = 1 << kDayPos, kMonth = 1 << kMonthPos, kYear = 1 << kYearPos, kHour = 1 << kHourPos;
    const struct {
        const char* why;
        int year, person;
        const char *stemGod, *branchGod;
        int toDay, toYear, toOtherDay;  // BranchRelation kinds
        bool peach;
        int clashed, repeated;
        bool suiYunBingLin;
    } kCases[] = {
        {"午 year clashes the 子 day branch", 2026, 0, "食神", "伤官", 1, kNone, kNone, false, kDay, 0, false},
        {"the other side: his 子 day branch", 2026, 1, "伤官", "食神", kNone, kNone, 1, true, 0, 0, false},
        {"丑 year: 六合 with the 子 day branch", 2021, 0, "正官", "正财", 2, kNone, 4, false, 0, 0, false},
        {"酉 year: 桃花 of 子 and 辰, 六合 with 辰, clashes 卯", 2029, 0, "正财", "正官", kNone, 2, 0, true, kMonth, 0,
         false},
        {"酉 year on a 酉 day: 自刑", 2029, 1, "偏财", "七杀", 0, 4, kNone, false, 0, 0, false},
        {"戊辰 year: his own year pillar, 辰酉 六合 with her day", 1988, 0, "偏财", "偏财", 4, 0, 2, false, 0, kYear,
         false},
        // 申 and 辰 are the two ends of 申子辰: no relation without the middle.
        {"庚申 year in the 庚申 luck pillar: 岁运并临", 2040, 0, "七杀", "七杀", 4, kNone, kNone, false, 0, 0, true},
        {"己巳 year: repeats her year pillar", 2049, 1, "偏财", "伤官", 4, kNone, kNone, false, 0, kYear, false},
        {"乙亥 year clashes her 巳 year and hour", 1995, 1, "比肩", "正印", kNone, 1, kNone, false, kYear | kHour, 0,
         false},
        {"戊寅 year in the 戊寅 luck pillar", 1998, 1, "正财", "劫财", kNone, 3, kNone, false, 0, 0, true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.year << " " << PersonLabel(c.person) << ": " << c.why);
        const int i = t.IndexOfYear(c.year);
        ASSERT_GE(i, 0);
        const TimelinePersonYear& y = t.years[static_cast<std::size_t>(i)].persons[static_cast<std::size_t>(c.person)];
        ASSERT_TRUE(y.born);
        EXPECT_EQ(kTenGodNames[static_cast<std::size_t>(y.stemGod)], c.stemGod);
        EXPECT_EQ(kTenGodNames[static_cast<std::size_t>(y.branchGod)], c.branchGod);
        EXPECT_EQ(y.toDayBranch.kind, c.toDay);
        EXPECT_EQ(y.toYearBranch.kind, c.toYear);
        EXPECT_EQ(y.toOtherDayBranch.kind, c.toOtherDay);
        EXPECT_EQ(y.Peach(), c.peach);
        EXPECT_EQ(y.clashedPillars, c.clashed);
        EXPECT_EQ(y.repeatedPillars, c.repeated);
        EXPECT_EQ(y.repeatsLuck, c.suiYunBingLin);
    }
}

TEST(CoupleTimeline, LuckPillarOfEachYear) {
    const CoupleTimeline t = Build(Man(), Woman(), 1988, 2080);
    const TimelinePerson& man = t.persons[0];
    ASSERT_EQ(man.periods[0].firstYear, 1996);  // 丙辰, from 9月 7日 1996
    for (const TimelineYear& y : t.years) {
        SCOPED_TRACE(y.year);
        const TimelinePersonYear& m = y.persons[0];
        if (y.year < 1996 || y.year > 2075) {
            EXPECT_EQ(m.period, -1);  // before the first and after the eighth
            continue;
        }
        ASSERT_EQ(m.period, (y.year - 1996) / 10);
        EXPECT_EQ(m.periodBegins, (y.year - 1996) % 10 == 0);
        EXPECT_EQ(m.repeatsLuck, man.periods[static_cast<std::size_t>(m.period)].pillar == y.pillar);
    }
}

TEST(CoupleTimeline, RelationNamesAreThoseOfTheRelationTables) {
    const struct {
        const char *a, *b, *name;
    } kCases[] = {
        {"午", "子", "相冲"},       {"丑", "子", "六合"},     {"未", "子", "相害"}, {"午", "午", "自刑"},
        {"申", "子", "半三合水局"}, {"卯", "子", "无礼之刑"}, {"子", "子", ""},     {"寅", "卯", ""},
    };
    const auto branch = [](std::string_view name) {
        for (std::size_t b = 0; b < kBranchNames.size(); ++b) {
            if (kBranchNames[b] == name) return static_cast<int>(b);
        }
        return -1;
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.a << c.b);
        EXPECT_EQ(BranchRelationName(BranchRelationOf(branch(c.a), branch(c.b))), c.name);
    }
}

TEST(CoupleTimeline, SpanIsChecked) {
    EXPECT_TRUE(CheckTimelineSpan({StoredYear(-850), 2100}).ok());
    EXPECT_EQ(CheckTimelineSpan({StoredYear(-851), 2000}).message(), kTimelineYearRange);
    EXPECT_EQ(CheckTimelineSpan({2000, 2101}).message(), kTimelineYearRange);
    EXPECT_EQ(CheckTimelineSpan({2001, 2000}).message(), kTimelineYearOrder);
    const TimelineSpan d = DefaultTimelineSpan(2026);
    EXPECT_EQ(d.firstYear, 2026);
    EXPECT_EQ(d.lastYear, 2046);
    EXPECT_EQ(DefaultTimelineSpan(2090).lastYear, 2100);

    LunarCalendar calendar;
    const CoupleTimelineBuild refused = BuildCoupleTimeline(Man(), Woman(), {}, {2030, 2020}, calendar);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(refused.errorText, kTimelineYearOrder);
    PersonRecord bad = Woman();
    bad.month = 2;
    bad.day = 30;
    const CoupleTimelineBuild failed = BuildCoupleTimeline(Man(), bad, {}, {2020, 2030}, calendar);
    EXPECT_EQ(failed.failedPerson, 1);
    EXPECT_EQ(failed.errorText.rfind("乙命：", 0), 0u) << failed.errorText;
    EXPECT_NE(failed.errorText.find("（1990-02-30）"), std::string::npos) << failed.errorText;
}

// The texts say what the value holds: a clash year in the table line and in
// the full line of each person.
TEST(CoupleTimeline, TextsCarryTheFacts) {
    const CoupleTimeline t = Build(Man(), Woman(), 2026, 2026);
    const auto man = TimelineCells(t, 0, 0);
    EXPECT_EQ(man[0], "39岁");
    EXPECT_EQ(man[1], "交己未");
    EXPECT_EQ(man[2], "食神/伤官");
    EXPECT_EQ(man[3], "相冲");
    EXPECT_EQ(man[6], "冲日柱");
    const auto woman = TimelineCells(t, 0, 1);
    EXPECT_EQ(woman[5], "桃花");
    EXPECT_EQ(woman[7], "相冲");
    EXPECT_EQ(TimelineYearLine(t, 0, 0),
              "甲命 39岁，大运己未（本年交运）：流年丙午，天干食神，地支伤官；日支子：午子相冲；冲日柱。");
    EXPECT_EQ(TimelineYearLine(t, 0, 1),
              "乙命 37岁，大运辛巳：流年丙午，天干伤官，地支食神；桃花（日支酉、年支巳）；甲命日支子：午子相冲。");
    const std::string table = TimelineTableText(t);
    EXPECT_NE(table.find("年份以立春为界"), std::string::npos);
    EXPECT_NE(table.find("\n2026  丙午 | 39岁"), std::string::npos) << table;
}

}  // namespace
}  // namespace tessaly
