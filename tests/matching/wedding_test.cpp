#include "matching/WeddingSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <string>
#include <vector>

#include "matching/MatchingRun.h"
#include "chart/Tables.h"

namespace tessaly {
namespace {

// Branches and stems by name, for tables written as a reader checks them.
enum : int { kHai, kZi, kChou, kYin, kMao, kChen, kSi, kWu, kWei, kShen, kYou, kXu };
enum : int { kGui, kJia, kYi, kBing, kDing, kWuStem, kJi, kGeng, kXin, kRen };

constexpr int P(int stem, int branch) { return PillarOfStemBranch(stem, branch); }

WeddingSearchInput Input(int womanYear, int marriageYear, int idate = 0, float longitude = 120, bool zishi = false) {
    WeddingSearchInput in;
    in.womanYear = womanYear;
    in.marriageYear = marriageYear;
    in.longitude = longitude;
    in.options.timeBasis = static_cast<TimeBasis>(idate);
    in.options.lateZiHourKeepsDay = zishi;
    return in;
}

PersonRecord Person(int year, int month, int day, bool male) {
    PersonRecord r;
    r.name = male ? "甲" : "乙";
    r.year = static_cast<std::int16_t>(year);
    r.month = static_cast<std::int16_t>(month);
    r.day = static_cast<std::int16_t>(day);
    r.hour = 10;
    r.isMale = male;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

// A matching run with Beijing time and no 子-hour option.
MatchingResult Match(const PersonRecord& a, const PersonRecord& b) { return RunMatching(a, b, ChartOptions{}); }

// The lines of a text, CR LF removed.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find("\r\n", from)) != std::string::npos; from = at + 2) {
        out.push_back(text.substr(from, at - from));
    }
    if (from < text.size()) out.push_back(text.substr(from));
    return out;
}

TEST(WeddingKeys, WomenYearsCheckedByHand) {
    const struct {
        const char* name;
        int womanYear, marriageYear;
        WeddingKeys want;
    } kCases[] = {
        // 丙子 woman marrying in 甲辰 2024: 丙 years open with 庚寅; 正官 of 丙 is
        // 癸 (癸巳 month), 食神 戊 (戊戌); 子 belongs to 申子辰, 桃花 午 (甲午);
        // 丙 has 临官 in 巳; 癸 (yin, 长生 卯) dies in 申, 墓 未, 绝 午; 戊 (长生
        // 寅) 死 酉, 墓 戌, 绝 亥.
        {"丙子 1996, 2024",
         1996,
         2024,
         {P(kBing, kZi),
          29,
          P(kJia, kChen),
          kZi,
          kYin,
          kWu,
          kWei,
          kGeng,
          P(kGui, kSi),
          P(kWuStem, kXu),
          P(kJia, kWu),
          kSi,
          kXu,
          kChou,
          {kYin, kXu},
          {kMao, kYou},
          {kShen, kWei, kWu},
          {kYou, kXu, kHai}}},
        // 辛未 woman in 庚子 2020: 辛 years open with 庚寅; 正官 丙 (丙申), 食神 癸
        // (癸巳); 未 belongs to 亥卯未, 桃花 酉 (丁酉); 辛 临官 酉; 丙 (长生 寅)
        // 死 酉 墓 戌 绝 亥; 癸 死 申 墓 未 绝 午.
        {"辛未 1991, 2020",
         1991,
         2020,
         {P(kXin, kWei),
          30,
          P(kGeng, kZi),
          kShen,
          kXu,
          kChou,
          kXu,
          kGeng,
          P(kBing, kShen),
          P(kGui, kSi),
          P(kDing, kYou),
          kYou,
          kSi,
          kMao,
          {kChen, kShen},
          {kXu, kChen},
          {kYou, kXu, kHai},
          {kShen, kWei, kWu}}},
        // 癸亥 woman (stem and branch number 0) in 2024: 癸 years open with
        // 甲寅; 正官 戊 (戊午), 食神 乙 (乙卯); 亥卯未, 桃花 酉 (辛酉); 癸 临官
        // 子; 戊 死 酉 墓 戌 绝 亥; 乙 (yin, 长生 午) 死 亥 墓 戌 绝 酉.
        {"癸亥 1983, 2024",
         1983,
         2024,
         {P(kGui, kHai),
          42,
          P(kJia, kChen),
          kZi,
          kYin,
          kSi,
          kXu,
          kJia,
          P(kWuStem, kWu),
          P(kYi, kMao),
          P(kXin, kYou),
          kZi,
          kYou,
          kShen,
          {kYin, kXu},
          {kYin, kShen},
          {kYou, kXu, kHai},
          {kHai, kXu, kYou}}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const WeddingKeys k = ComputeWeddingKeys(c.womanYear, c.marriageYear);
        const WeddingKeys& w = c.want;
        EXPECT_EQ(k.womanPillar, w.womanPillar);
        EXPECT_EQ(k.age, w.age);
        EXPECT_EQ(k.yearPillar, w.yearPillar);
        EXPECT_EQ(k.tigerBranch, w.tigerBranch);
        EXPECT_EQ(k.dogBranch, w.dogBranch);
        EXPECT_EQ(k.clashBranch, w.clashBranch);
        EXPECT_EQ(k.groupBranch, w.groupBranch);
        EXPECT_EQ(k.firstMonthStem, w.firstMonthStem);
        EXPECT_EQ(k.officerMonth, w.officerMonth);
        EXPECT_EQ(k.foodMonth, w.foodMonth);
        EXPECT_EQ(k.groupMonth, w.groupMonth);
        EXPECT_EQ(k.luBranch, w.luBranch);
        EXPECT_EQ(k.tenBranch, w.tenBranch);
        EXPECT_EQ(k.hourBan, w.hourBan);
        EXPECT_EQ(k.pairA, w.pairA);
        EXPECT_EQ(k.pairB, w.pairB);
        EXPECT_EQ(k.officerEnd, w.officerEnd);
        EXPECT_EQ(k.foodEnd, w.foodEnd);
    }
}

TEST(WeddingMonthQuality, GreatMonthsOfEachWomanAreTheTraditionalOnes) {
    // 大利月: 子午女 六、十二月; 丑未女 五、十一月; 寅申女 二、八月;
    // 卯酉女 正、七月; 辰戌女 四、十月; 巳亥女 三、九月. The woman's own
    // branch pair is always a 不利月.
    const struct {
        int woman, month;
    } kGreat[] = {{kZi, kWei},  {kWu, kChou},  {kChou, kWu}, {kWei, kZi}, {kYin, kMao}, {kShen, kYou},
                  {kMao, kYin}, {kYou, kShen}, {kChen, kSi}, {kXu, kHai}, {kSi, kChen}, {kHai, kXu}};
    for (const auto& c : kGreat) {
        SCOPED_TRACE(testing::Message() << kBranchNames[c.woman] << "女 " << kBranchNames[c.month] << "月");
        EXPECT_EQ(WeddingMonthQuality(c.woman, c.month), 0);
        EXPECT_EQ(kMonthQualityNames[WeddingMonthQuality(c.woman, c.woman)], "不利月");
        EXPECT_EQ(kMonthQualityNames[WeddingMonthQuality(c.woman, (c.woman + 6) % 12)], "不利月");
    }
}

TEST(WeddingYearChoices, FiveYearsStoppingAt2100) {
    const struct {
        int current;
        std::vector<int> want;
    } kCases[] = {
        {2024, {2024, 2025, 2026, 2027, 2028}},
        {2098, {2098, 2099, 2100}},
        {2150, {2100}},  // a clock past the calendar's range
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.current);
        EXPECT_EQ(WeddingYearChoices(c.current), c.want);
    }
}

TEST(WeddingSearch, WorkedExampleAfterAMatchingRun) {
    const struct {
        const char* name;
        PersonRecord woman;
        const char* first;
    } kCases[] = {
        {"born after 立春 1996", Person(1996, 3, 3, false), "甲辰年29岁丙子女"},
        // 1996-02-03 lies before 立春 (02-04): her year is still 乙亥.
        {"born before 立春 1996", Person(1996, 2, 3, false), "甲辰年30岁乙亥女"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const MatchingResult m = Match(Person(1995, 5, 12, true), c.woman);
        ASSERT_TRUE(m.ok()) << m.status.message();
        const WeddingResult r = SearchWeddingDays(m, 2024);
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        const std::vector<std::string> lines = Lines(r.text);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], c.first);
        EXPECT_EQ(lines[1], "甲辰年白虎在子，天狗在寅");
    }
}

// The 十二月 (乙丑) month of 2024 for the 丙子 woman, checked day by day.
//
// The month runs from 小寒 2024-01-06 to 立春 2024-02-04 (16:27), so every
// day of it still has the year pillar 癸卯; the pillars' branches are 卯, 丑
// and the day's. 丙子 woman, keys as in WomenYearsCheckedByHand. 丑 is her
// 大利月. A day is rejected when its branch is
//   午 (clashes 子), 未 (her group branch), 辰 (clashes the 食神 month 戊戌),
//   巳 / 未 (临官 of 丙 and two on), 戌 (子 + 10),
//   酉 (with the year's 卯 it completes the pair 卯 酉);
// and also 己亥 (己 and 亥 clash 癸巳, her 正官 month), 甲子 and 庚子 (子
// clashes 甲午, her 桃花 month, with its stem or the stem's clash), 戊子 (子
// clashes 甲午 and 戊 is her 食神 stem). 死墓绝 triples and 酉戌亥 cannot
// complete with 卯 and 丑 already taking two of three branches.
// The hours: 酉 always completes 卯 酉; 午 (clash), 未 (group), 丑 (her barred
// hour) never pass; the day branch's clash does not; on a 寅 day 戌 completes
// 寅 戌. From Jan 1 (甲子) the days run:
//   1-6 己巳 巳 ×      1-7 庚午 午 ×      1-8 辛未 未 ×
//   1-9 壬申 passes, hours lose 寅 (clash of 申)
//   1-10 癸酉 酉 ×     1-11 甲戌 戌 ×
//   1-12 乙亥 passes (not 己亥), hours lose 巳
//   1-13 丙子 passes (not 甲/庚/戊子)     1-14 丁丑 passes, loses 未 (already)
//   1-15 戊寅 passes, loses 申 and 戌      1-16 己卯 passes, loses 酉 (already)
//   1-17 庚辰 辰 ×  1-18 辛巳 ×  1-19 壬午 ×  1-20 癸未 ×
//   1-21 甲申 passes   1-22 乙酉 ×  1-23 丙戌 ×  1-24 丁亥 passes
//   1-25 戊子 ×        1-26 己丑 passes  1-27 庚寅 passes  1-28 辛卯 passes
//   1-29 壬辰 ×  1-30 癸巳 ×  1-31 甲午 ×  2-1 乙未 ×
//   2-2 丙申 passes    2-3 丁酉 ×
// 腊月 (the twelfth lunar month) begins on 2024-01-11.
TEST(WeddingSearch, OneMonthCheckedDayByDay) {
    const WeddingResult r = SearchWeddingDays(Input(1996, 2024));
    ASSERT_TRUE(r.status.ok()) << r.status.message();
    const std::string want =
        "\r\n★十二月乙丑　大利月 \r\n"
        "2024-1-9 十一月廿八 壬申日 子卯辰巳申戌亥时 \r\n"
        "2024-1-12 十二月初二 乙亥日 子寅卯辰申戌亥时 \r\n"
        "2024-1-13 十二月初三 丙子日 子寅卯辰巳申戌亥时 \r\n"
        "2024-1-14 十二月初四 丁丑日 子寅卯辰巳申戌亥时 \r\n"
        "2024-1-15 十二月初五 戊寅日 子寅卯辰巳亥时 \r\n"
        "2024-1-16 十二月初六 己卯日 子寅卯辰巳申戌亥时 \r\n"
        "2024-1-21 十二月十一 甲申日 子卯辰巳申戌亥时 \r\n"
        "2024-1-24 十二月十四 丁亥日 子寅卯辰申戌亥时 \r\n"
        "2024-1-26 十二月十六 己丑日 子寅卯辰巳申戌亥时 \r\n"
        "2024-1-27 十二月十七 庚寅日 子寅卯辰巳亥时 \r\n"
        "2024-1-28 十二月十八 辛卯日 子寅卯辰巳申戌亥时 \r\n"
        "2024-2-2 十二月廿三 丙申日 子卯辰巳申戌亥时 \r\n"
        "\r\n★正月丙寅　";
    EXPECT_NE(r.text.find(want), std::string::npos) << r.text.substr(0, 1200);
}

TEST(WeddingSearch, BadMonthHeadingSaysNotTakenAndHasNoDays) {
    // For a 子 woman the 子 午 and 亥 巳 months are 不利月: 十一月 (Jan 1–5
    // and December from 大雪), 五月, 四月 and 十月.
    const std::vector<std::string> lines = Lines(SearchWeddingDays(Input(1996, 2024)).text);
    int bad = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find("不利月") == std::string::npos) continue;
        SCOPED_TRACE(lines[i]);
        ++bad;
        EXPECT_TRUE(lines[i].ends_with("不利月不取 "));
        // Nothing but the blank line before the next heading follows.
        EXPECT_TRUE(i + 1 == lines.size() || lines[i + 1].empty());
    }
    EXPECT_EQ(bad, 5);  // 十一月 twice: January and December
}

TEST(WeddingSearch, JanuaryBeforeXiaohanFallsUnderTheZiMonthHeading) {
    // 辛未 woman: 子 is a 大利月. 小寒 2024 is on January 6, so the text opens
    // with the 十一月 (甲子) heading and its January days, then 十二月.
    const std::vector<std::string> lines = Lines(SearchWeddingDays(Input(1991, 2024)).text);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines[2], "");
    EXPECT_EQ(lines[3], "★十一月甲子　大利月 ");
    std::size_t i = 4;
    for (; i < lines.size() && !lines[i].empty(); ++i) {
        SCOPED_TRACE(lines[i]);
        ASSERT_TRUE(lines[i].starts_with("2024-1-"));
        EXPECT_LE(std::stoi(lines[i].substr(7)), 5);
    }
    EXPECT_GT(i, 4u);  // at least one January day passed
    ASSERT_LT(i + 1, lines.size());
    EXPECT_TRUE(lines[i + 1].starts_with("★十二月乙丑　"));
}

TEST(WeddingDayLine, WritesTheAcceptedHoursInClockOrderOrNothing) {
    const CivilTime date{2024, 3, 5, 12, 0};
    const CivilTime lunar{2024, 1, 25, 12, 0};
    const struct {
        const char* name;
        CivilTime lunar;
        bool leap;
        std::uint16_t hours;
        const char* want;
    } kCases[] = {
        {"子 first, 亥 last", lunar, false, (1 << kHai) | (1 << kZi) | (1 << kXu),
         "2024-3-5 正月廿五 甲子日 子戌亥时 \r\n"},
        {"leap month, day 10", {2023, 2, 10, 12, 0}, true, 1 << kWu, "2024-3-5 闰二月初十 甲子日 午时 \r\n"},
        // Every hour rejected: no line at all. The search's own rules never
        // reject all twelve (at most four fixed hours and one completing
        // branch per triple or pair), so the writer is checked directly.
        {"no hour", lunar, false, 0, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(WeddingDayLine(date, c.lunar, c.leap, P(kJia, kZi), c.hours), c.want);
    }
}

TEST(WeddingSearch, WalksEveryDayOfTheYearWithProgress) {
    const struct {
        int year, days;
    } kCases[] = {{2024, 366}, {2023, 365}, {1900, 365}, {2000, 366}, {1582, 355}};  // 1582: ten days dropped
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.year);
        std::vector<int> done;
        WeddingProgress progress;
        progress.onDay = [&](int d, int days) {
            EXPECT_EQ(days, c.days);
            done.push_back(d);
        };
        const WeddingResult r = SearchWeddingDays(Input(1990, c.year), progress);
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        EXPECT_EQ(r.days, c.days);
        ASSERT_EQ(static_cast<int>(done.size()), c.days);
        EXPECT_EQ(done.front(), 1);
        EXPECT_EQ(done.back(), c.days);
    }
}

TEST(WeddingSearch, CancelStopsBetweenDays) {
    std::atomic<bool> cancel{false};
    WeddingProgress progress;
    progress.cancel = &cancel;
    progress.onDay = [&](int d, int) {
        if (d == 10) cancel = true;
    };
    const WeddingResult r = SearchWeddingDays(Input(1996, 2024), progress);
    EXPECT_EQ(r.status.message(), kWeddingCancelled);
    EXPECT_EQ(r.days, 10);
    EXPECT_TRUE(r.text.empty());
}

TEST(WeddingSearch, EqualsTheDayByDaySearch) {
    const struct {
        const char* name;
        WeddingSearchInput in;
    } kCases[] = {
        {"2024 北京时间", Input(1996, 2024)},
        {"2023 真太阳时 at 75°E", Input(1983, 2023, 1, 75.5f)},
        {"2100 地方时 at 134°E, zishi", Input(2001, 2100, 2, 134.2f, true)},
        {"1582, the Gregorian switch", Input(1560, 1582, 1, 100)},
        {"-849, the first year", Input(-870, -849)},
        {"1000 真太阳时", Input(979, 1000, 1, 120)},
        // West of 60°W noon moves back to midnight, west of 75°W to hour 23
        // of the day before: the equation of time decides the day there.
        {"2024 真太阳时 at 60°W", Input(1996, 2024, 1, -60.0f)},
        {"2024 真太阳时 at 62.3°W", Input(1996, 2024, 1, -62.3f)},
        {"2024 真太阳时 at 57.9°W", Input(1996, 2024, 1, -57.9f)},
        {"2024 真太阳时 at 75°W, zishi", Input(1996, 2024, 1, -75.0f, true)},
        {"1900 真太阳时 at 73.6°W", Input(1880, 1900, 1, -73.6f)},
        {"-500 真太阳时 at 178°E", Input(-520, -500, 1, 178.0f)},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const WeddingResult fast = SearchWeddingDays(c.in);
        const WeddingResult reference = SearchWeddingDaysDayByDay(c.in);
        ASSERT_TRUE(fast.status.ok()) << fast.status.message();
        ASSERT_TRUE(reference.status.ok()) << reference.status.message();
        EXPECT_EQ(fast.days, reference.days);
        EXPECT_EQ(fast.text, reference.text);
    }
}

TEST(WeddingSearch, RefusesWithoutAMatchedCoupleOrAConvertibleYear) {
    const PersonRecord man = Person(1995, 5, 12, true);
    const PersonRecord woman = Person(1996, 3, 3, false);
    PersonRecord outOfRange = woman;
    outOfRange.year = 2101;
    const struct {
        const char* name;
        PersonRecord a, b;
        int year;
        const char* want;
    } kCases[] = {
        {"failed run", man, outOfRange, 2024, kWeddingNeedsMatching},
        {"two men", man, Person(1996, 3, 3, true), 2024, kWeddingNeedsCouple},
        {"two women", Person(1995, 5, 12, false), woman, 2024, kWeddingNeedsCouple},
        {"year after 2100", man, woman, 2101, kWeddingYearRange},
        {"year before 850 BC", man, woman, -850, kWeddingYearRange},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const WeddingResult r = SearchWeddingDays(Match(c.a, c.b), c.year);
        EXPECT_EQ(r.status.message(), c.want);
        EXPECT_TRUE(r.text.empty());
        EXPECT_EQ(r.days, 0);
    }
    EXPECT_EQ(SearchWeddingDaysDayByDay(Input(1996, 2101)).status.message(), kWeddingYearRange);
}

TEST(WeddingSearch, TakesTheWomansYearAndTheLongitudeOfPersonB) {
    PersonRecord man = Person(1995, 5, 12, true), woman = Person(1996, 2, 3, false);
    man.longitude = 87.6f;
    woman.longitude = 126.6f;
    ChartOptions options;
    options.timeBasis = TimeBasis::kTrueSolarTime;
    WeddingSearchInput in;
    ASSERT_TRUE(WeddingSearchInputOf(RunMatching(man, woman, options), 2024, &in).ok());
    EXPECT_EQ(in.womanYear, 1995);  // born before 立春 1996
    EXPECT_EQ(in.longitude, 126.6f);
    EXPECT_EQ(in.options.timeBasis, TimeBasis::kTrueSolarTime);
    // With the woman as 甲命 the place is still 乙命's.
    ASSERT_TRUE(WeddingSearchInputOf(RunMatching(woman, man, options), 2024, &in).ok());
    EXPECT_EQ(in.womanYear, 1995);
    EXPECT_EQ(in.longitude, 87.6f);
}

// The search in true solar time leaves out the equation of time where it
// cannot move the day; its bound must hold over every marriage year.
TEST(WeddingSearch, EquationOfTimeStaysWithinItsBound) {
    double worst = 0;
    for (int year = -850; year <= 2100; ++year) {
        if (year == 0) continue;
        for (int day = 1; day <= 365; day += 5) {
            const CivilTime t = LunarCalendar::FromJulianDay(
                LunarCalendar::ToJulianDay({static_cast<std::int16_t>(year), 1, 1, 12, 0}) + day - 1);
            worst = std::max(worst, std::abs(LunarCalendar::EquationOfTime(t)));
        }
    }
    EXPECT_LT(worst, 18.3 * 60);
    EXPECT_LT(worst, kMaxEquationOfTime);
}

}  // namespace
}  // namespace tessaly
