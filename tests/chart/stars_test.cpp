#include "chart/Stars.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>

#include "chart/Tables.h"

namespace tessaly {
namespace {

int PillarNamed(std::string_view name) {
    const int p = PillarFromName(name);
    if (p < 0) ADD_FAILURE() << "no pillar " << name;
    return p < 0 ? 0 : p;
}

std::array<std::int16_t, 4> Pillars(const char* y, const char* m, const char* d, const char* h) {
    return {static_cast<std::int16_t>(PillarNamed(y)), static_cast<std::int16_t>(PillarNamed(m)),
            static_cast<std::int16_t>(PillarNamed(d)), static_cast<std::int16_t>(PillarNamed(h))};
}

constexpr const char* kPosNames[4] = {"year", "month", "day", "hour"};

TEST(StarNames, SlotsAndNames) {
    EXPECT_EQ(StarSlotOf("羊刃"), 0);
    EXPECT_EQ(StarSlotOf("天乙"), 11);
    EXPECT_EQ(StarSlotOf("德秀"), 21);
    EXPECT_EQ(StarSlotOf("十恶大败"), 27);
    EXPECT_EQ(StarSlotOf("童子"), 30);
    EXPECT_EQ(StarSlotOf(""), -1);  // slot 20 has no star
    EXPECT_EQ(StarSlotOf("天罗"), -1);
    for (int s = 0; s < kStarSlots; ++s) {
        if (s != kStarUnused) {
            EXPECT_EQ(StarSlotOf(kStarNames[s]), s) << kStarNames[s];
        }
    }
}

// One star of one pillar of a chart, each row checked by hand against the
// rule of that star.
TEST(ChartStars, SingleRules) {
    const struct {
        const char *y, *m, *d, *h;
        bool male;
        int pos;
        const char* star;
        int want;
        const char* why;
    } kCases[] = {
        // 禄 and 羊刃 of the day stem.
        {"甲子", "丙寅", "戊辰", "丁巳", true, kHourPos, "禄神", 1, "戊: 巳 is 禄"},
        {"甲子", "丙寅", "戊辰", "丁巳", true, kHourPos, "羊刃", 0, "戊: 巳 is not 羊刃"},
        {"甲子", "丙寅", "戊辰", "戊午", true, kHourPos, "羊刃", 1, "戊: 午 is 羊刃"},
        {"甲子", "丙寅", "戊辰", "戊午", true, kHourPos, "禄神", 0, "戊: 午 is not 禄"},
        {"甲子", "戊寅", "乙丑", "戊寅", true, kMonthPos, "羊刃", 1, "乙: 寅 is 羊刃"},
        {"甲子", "戊寅", "乙丑", "庚辰", true, kHourPos, "羊刃", 0, "乙: 辰 is not 羊刃"},
        {"甲子", "戊寅", "乙丑", "己卯", true, kHourPos, "禄神", 1, "乙: 卯 is 禄"},
        // The other stars of the day stem.
        {"甲子", "丁丑", "甲子", "乙丑", true, kHourPos, "天乙", 1, "甲: 丑"},
        {"甲子", "丁丑", "乙丑", "丙子", true, kHourPos, "天乙", 1, "乙: 子"},
        {"甲子", "丙寅", "戊辰", "壬戌", true, kHourPos, "太极", 1, "戊: 戌"},
        {"甲子", "丙寅", "甲子", "甲子", true, kDayPos, "太极", 1, "甲: 子"},
        {"甲子", "丙寅", "甲子", "己巳", true, kHourPos, "文昌", 1, "甲 with 巳"},
        {"甲子", "丙寅", "甲子", "庚午", true, kHourPos, "文昌", 1, "甲 with 午"},
        {"甲子", "丙寅", "乙丑", "辛巳", true, kHourPos, "文昌", 1, "乙 with 巳"},
        {"甲子", "丙寅", "乙丑", "壬午", true, kHourPos, "文昌", 1, "乙 with 午"},
        {"甲子", "丙寅", "甲子", "壬申", true, kHourPos, "文昌", 0, "甲 with 申"},
        {"丙子", "庚寅", "甲子", "甲子", true, kMonthPos, "词馆", 1, "甲: 庚寅"},
        {"丙子", "庚寅", "甲子", "壬寅", true, kHourPos, "词馆", 0, "the whole pillar counts"},
        {"甲子", "丙寅", "丁卯", "庚子", true, kMonthPos, "学堂", 1, "fire day: 丙寅"},
        {"甲子", "丙寅", "癸亥", "甲申", true, kHourPos, "学堂", 1, "water day: 甲申"},
        // By the month branch.
        {"甲子", "丙寅", "丁卯", "丙午", true, kHourPos, "月德", 1, "寅 month: 丙"},
        {"甲子", "丁卯", "甲子", "甲子", true, kDayPos, "月德", 1, "卯 month: 甲"},
        {"甲子", "丁卯", "甲申", "壬申", true, kDayPos, "天德", 1, "卯 month: the branch 申"},
        {"甲子", "丁卯", "甲申", "庚午", true, kHourPos, "天德", 0, "卯 month: no stem"},
        {"甲子", "丙寅", "丁卯", "庚子", true, kDayPos, "天德", 1, "寅 month: the stem 丁"},
        {"甲子", "庚午", "丁亥", "庚子", true, kDayPos, "天德", 1, "午 month: the branch 亥"},
        // Group stars: from the day branch everywhere but the day, from the
        // year branch everywhere but the year, at most once.
        {"壬辰", "壬寅", "甲子", "甲子", true, kMonthPos, "驿马", 1, "寅 is 驿马 of both 子 and 辰"},
        {"壬辰", "壬寅", "甲午", "甲子", true, kYearPos, "华盖", 0, "the year is no base for itself"},
        {"乙亥", "戊寅", "甲辰", "甲子", true, kDayPos, "华盖", 0, "the day is no base for itself"},
        {"乙亥", "戊寅", "甲辰", "戊辰", true, kHourPos, "华盖", 1, "辰 from the day branch 辰"},
        {"甲子", "丙寅", "己酉", "甲子", true, kDayPos, "桃花", 1, "酉 from the year branch 子"},
        {"庚申", "戊寅", "甲午", "甲子", true, kYearPos, "驿马", 1, "申 from the day branch 午"},
        {"甲子", "丙寅", "丁卯", "庚子", true, kHourPos, "将星", 1, "子 from the year branch 子"},
        // By the year: yang year of a man or yin year of a woman, or exchanged.
        {"甲子", "丙寅", "丁卯", "庚子", true, kDayPos, "勾煞", 1, "yang year, man: 卯"},
        {"甲子", "丙寅", "丁卯", "庚子", false, kDayPos, "勾煞", 0, "yang year, woman: exchanged"},
        {"甲子", "丙寅", "丁卯", "庚子", false, kDayPos, "绞煞", 1, "yang year, woman: 卯"},
        {"甲子", "丙寅", "丁卯", "丁未", true, kHourPos, "大耗", 1, "yang year, man: 未"},
        {"甲子", "丙寅", "丁卯", "乙巳", false, kHourPos, "大耗", 1, "yang year, woman: 巳"},
        {"甲子", "丙寅", "丁卯", "乙巳", true, kHourPos, "大耗", 0, "yang year, man: not 巳"},
        {"乙丑", "戊寅", "甲戌", "甲子", true, kDayPos, "勾煞", 1, "yin year, man: 戌"},
        {"乙丑", "戊寅", "甲辰", "壬申", false, kDayPos, "勾煞", 1, "yin year, woman: 辰"},
        {"乙丑", "戊寅", "甲辰", "壬申", false, kHourPos, "大耗", 1, "yin year, woman: 申"},
        // By the year branch and the day pillar.
        {"甲子", "丙寅", "甲戌", "甲子", true, kDayPos, "寡宿", 1, "子 year: 戌"},
        {"甲子", "丙寅", "甲子", "甲戌", true, kHourPos, "空亡", 1, "甲子 day: 戌亥"},
        {"甲子", "丙寅", "甲子", "甲子", true, kHourPos, "空亡", 0, "甲子 day: not 子"},
        // 童子 on the day and the hour only.
        {"丙寅", "庚寅", "甲子", "甲子", true, kYearPos, "童子", 0, "spring 寅, but the year"},
        {"丙寅", "庚寅", "甲子", "甲寅", true, kMonthPos, "童子", 0, "spring 寅, but the month"},
        {"丙寅", "庚寅", "甲子", "甲寅", true, kDayPos, "童子", 1, "spring month: 子"},
        {"丙寅", "庚寅", "甲子", "甲寅", true, kHourPos, "童子", 1, "spring month: 寅"},
        {"甲子", "丙子", "甲辰", "甲子", true, kDayPos, "童子", 1, "winter month: 辰"},
        {"甲子", "丙寅", "丁卯", "庚子", true, kDayPos, "童子", 1, "metal nayin year: 卯"},
        // The stars of the day and hour pillars.
        {"甲子", "丙寅", "庚辰", "庚辰", true, kDayPos, "魁罡", 1, "庚辰 day"},
        {"甲子", "丙寅", "庚辰", "庚辰", true, kHourPos, "魁罡", 0, "a day star only"},
        {"甲子", "丙寅", "乙丑", "甲子", true, kDayPos, "金神", 1, "乙丑 day"},
        {"甲子", "丙寅", "甲辰", "甲子", true, kDayPos, "十恶大败", 1, "甲辰 day"},
        {"甲子", "丙寅", "庚申", "甲子", true, kDayPos, "四废", 1, "庚申 in a spring month"},
        {"甲子", "庚午", "庚申", "甲子", true, kDayPos, "四废", 0, "庚申 in a summer month"},
        {"甲子", "丙寅", "乙巳", "甲子", true, kDayPos, "孤鸾", 1, "乙巳 day"},
        {"甲子", "丙寅", "甲子", "丙午", true, kHourPos, "孤鸾", 1, "丙午 hour"},
        {"甲子", "乙巳", "甲子", "甲子", true, kMonthPos, "孤鸾", 0, "not on the month"},
        {"戊子", "甲寅", "癸卯", "丙辰", true, kYearPos, "德秀", 1, "寅 month: 丙, 戊, 癸"},
        {"戊子", "甲寅", "癸卯", "甲寅", true, kYearPos, "德秀", 0, "寅 month: no 丙 or 丁"},
        {"甲子", "壬申", "己卯", "甲子", true, kYearPos, "德秀", 1, "申 month: 己 and 甲"},
        {"甲子", "壬申", "己卯", "甲子", true, kDayPos, "德秀", 0, "the year row only"},
        {"甲子", "丙寅", "丁巳", "丁未", true, kDayPos, "拱禄", 1, "丁巳 day, 丁未 hour"},
        {"甲子", "丙寅", "丁巳", "丁未", true, kHourPos, "拱禄", 1, "丁巳 day, 丁未 hour"},
        {"甲子", "丙寅", "丁未", "丁巳", true, kDayPos, "拱禄", 0, "the pair is ordered"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.y << c.m << c.d << c.h << (c.male ? " 乾" : " 坤") << " "
                                        << kPosNames[c.pos] << " " << c.star << ": " << c.why);
        const int slot = StarSlotOf(c.star);
        ASSERT_GE(slot, 0);
        const StarHits hits = ChartStars(Pillars(c.y, c.m, c.d, c.h), c.male);
        EXPECT_EQ(int{hits[c.pos][slot]}, c.want);
    }
}

// Whole star tables, every hit derived by hand from the star rules; the
// comments give the derivation of the less obvious ones.
TEST(ChartStars, WholeChartsByHand) {
    using Row = std::initializer_list<const char*>;
    const struct {
        const char *y, *m, *d, *h;
        bool male;
        Row rows[4];
    } kCases[] = {
        // 乾造 甲子 丙寅 丁卯 庚子: day 丁 (fire), year 子 (yang), month 寅,
        // void 戌亥, year nayin 海中金.
        {"甲子",
         "丙寅",
         "丁卯",
         "庚子",
         true,
         {{"桃花"},                                  // 子 from the day branch 卯
          {"驿马", "学堂", "月德", "孤辰", "亡神"},  // 驿马 from 子, 亡神 from 卯
          {"太极", "天德", "勾煞", "童子"},          // 天德 by the stem 丁; 童子 by the nayin
          {"桃花", "将星", "童子"}}},                // 桃花 from 卯, 将星 from 子
        // 坤造 辛酉 丙申 癸亥 癸丑: day 癸 (water), year 酉 (yin, a woman:
        // 勾煞 子 绞煞 午 大耗 辰), month 申, void 子丑, year nayin 石榴木.
        {"辛酉",
         "丙申",
         "癸亥",
         "癸丑",
         false,
         {{"灾煞", "德秀"},          // 酉 from 亥; 德秀 by 癸 丙 辛
          {"太极", "劫煞", "亡神"},  // 劫煞 from 亥, 亡神 from 酉
          {"羊刃", "驿马", "天德", "孤辰", "拱禄", "十恶大败"},
          {"华盖", "空亡", "天德", "拱禄"}}},  // 华盖 from 酉
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.y << c.m << c.d << c.h);
        StarHits want{};
        for (int pos = 0; pos < 4; ++pos) {
            for (const char* name : c.rows[pos]) {
                const int slot = StarSlotOf(name);
                ASSERT_GE(slot, 0) << name;
                want[pos][slot] = 1;
            }
        }
        const StarHits got = ChartStars(Pillars(c.y, c.m, c.d, c.h), c.male);
        for (int pos = 0; pos < 4; ++pos) {
            for (int slot = 0; slot < kStarSlots; ++slot) {
                EXPECT_EQ(int{got[pos][slot]}, int{want[pos][slot]}) << kPosNames[pos] << " " << kStarNames[slot];
            }
        }
    }
}

// Over many charts: every entry is 0 or 1, slot 20 stays empty, and each
// star keeps to the rows it belongs to.
TEST(ChartStars, EveryChartKeepsTheRowsOfItsStars) {
    const struct {
        int slot;
        bool allowed[4];  // year, month, day, hour
    } kRowRules[] = {
        {kStarUnused, {false, false, false, false}}, {kStarGouSha, {false, true, true, true}},
        {kStarJiaoSha, {false, true, true, true}},   {kStarDaHao, {false, true, true, true}},
        {kStarTongZi, {false, false, true, true}},   {kStarKuiGang, {false, false, true, false}},
        {kStarJinShen, {false, false, true, false}}, {kStarShiEDaBai, {false, false, true, false}},
        {kStarSiFei, {false, false, true, false}},   {kStarGuLuan, {false, false, true, true}},
        {kStarDeXiu, {true, false, false, false}},   {kStarGongLu, {false, false, true, true}},
    };
    int charts = 0, seen[kStarSlots] = {};
    for (int y = 0; y < 60; ++y) {
        for (int d = 0; d < 60; ++d) {
            for (int k = 0; k < 12; ++k) {
                // Month and hour pillars spread over all values.
                const std::array<std::int16_t, 4> p = {
                    static_cast<std::int16_t>(y), static_cast<std::int16_t>((y * 13 + d * 5 + k * 11) % 60),
                    static_cast<std::int16_t>(d), static_cast<std::int16_t>((d * 17 + k * 7) % 60)};
                for (const bool male : {true, false}) {
                    const StarHits hits = ChartStars(p, male);
                    ++charts;
                    for (int pos = 0; pos < 4; ++pos) {
                        for (int s = 0; s < kStarSlots; ++s) {
                            ASSERT_LE(int{hits[pos][s]}, 1) << y << " " << d << " " << k << " " << kStarNames[s];
                            seen[s] += hits[pos][s];
                        }
                    }
                    for (const auto& r : kRowRules) {
                        for (int pos = 0; pos < 4; ++pos) {
                            if (!r.allowed[pos]) {
                                ASSERT_EQ(int{hits[pos][r.slot]}, 0)
                                    << kStarNames[r.slot] << " in the " << kPosNames[pos] << " row";
                            }
                        }
                    }
                }
            }
        }
    }
    // Every star but slot 20 occurs somewhere in the walk.
    for (int s = 0; s < kStarSlots; ++s) {
        if (s != kStarUnused) {
            EXPECT_GT(seen[s], 0) << kStarNames[s] << " of " << charts << " charts";
        }
    }
}

}  // namespace
}  // namespace tessaly
