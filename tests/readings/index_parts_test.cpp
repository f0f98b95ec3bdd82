#include "readings/IndexParts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "chart/Tables.h"
#include "readings/reading_chart.h"

namespace tessaly {
namespace {

std::int16_t PillarNamed(std::string_view name) { return static_cast<std::int16_t>(PillarFromName(std::string(name))); }

using testing_charts::Person;

// A chart carrying only what the pairing reads, all balanced: equal element
// scores, equal yin and yang, both judgements 平和, born 甲子 in 下元.
ChartData BalancedChart() {
    ChartData c = ZeroChartData();
    c.pillars = {PillarNamed("甲子"), PillarNamed("丙寅"), PillarNamed("甲子"), PillarNamed("甲子")};
    c.elementScore = {100, 100, 100, 100, 100};
    c.roleElement = {0, 1, 2, 3, 4};
    c.yinTotal = 250;
    c.yangTotal = 250;
    c.judgement = 3;
    c.era = 2;
    c.birthNumber = 1;
    return c;
}

// Everything in favour (see PairingAnalysis.IndexIsCappedAt99): 35 + 25 +
// 13.14 + 10 + 6 + 8 + 2 + 2 + 2 = 103.14 for a man and a woman.
void Favoured(ChartData& a, ChartData& b) {
    a.elementScore = {100, 100, 200, 0, 0};
    b.elementScore = {100, 100, 0, 0, 200};
    b.roleElement = {1, 0, 3, 4, 2};
    a.judgement = b.judgement = 0;
    a.pillars[0] = PillarNamed("甲子");
    b.pillars[0] = PillarNamed("己丑");
    a.birthNumber = 2;
    b.birthNumber = 7;
}

// What the line of each comparison begins with.
constexpr std::string_view kLineStarts[9] = {"☆乙命对甲命有",         "☆双方喜用神",     "☆双方八字交会后，五行",
                                             "☆双方八字交会后，阴阳", "☆甲乙命日元搭配", "☆甲乙命生年",
                                             "☆九星合婚得：",         "☆甲命",           "☆男命生日密码："};

TEST(IndexParts, NamesAndMostPoints) {
    const struct {
        IndexPartId id;
        const char* name;
        double max;
    } kParts[] = {
        {IndexPartId::kMutualSupport, "互相扶助", 35},
        {IndexPartId::kFavourableElements, "喜用五行", 25},
        {IndexPartId::kElementBalance, "五行平衡", 15},
        {IndexPartId::kYinYangBalance, "阴阳平衡", 10},
        {IndexPartId::kDayMasters, "日元搭配", 6},
        {IndexPartId::kBirthYears, "生年", 8},
        {IndexPartId::kNineStars, "九星", 2},
        {IndexPartId::kConstellations, "星座", 2},
        {IndexPartId::kBirthNumbers, "生日密码", 2},
        {IndexPartId::kHighScoreBonus, "高分制加分", 10},
        {IndexPartId::kCap, "封顶99分", 0},
    };
    ASSERT_EQ(std::size(kParts), std::size_t(kIndexPartCount));
    double nine = 0;
    for (const auto& k : kParts) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(IndexPartName(k.id), k.name);
        EXPECT_EQ(IndexPartMax(k.id), k.max);
        if (k.id < IndexPartId::kHighScoreBonus) nine += k.max;
    }
    EXPECT_EQ(nine, 105);  // so the cap can bite without the high-score scale
}

TEST(IndexParts, AddUpToTheIndexOfThePairing) {
    const struct {
        const char* name;
        bool aMale, bMale, bscore;
        void (*change)(ChartData& a, ChartData& b);
        std::array<double, kIndexPartCount> points;  // each part, to 1e-3
        bool starsAndNumbers;                        // both compared
    } kCases[] = {
        // 35 × (0.5 + 0.5) / 2; 水木 against 水木: four supports; 甲子 with
        // 甲子 harmless; 绝体; the same sign; birth numbers 1 and 1 give 0.
        {"balanced couple",
         true,
         false,
         false,
         [](ChartData&, ChartData&) {},
         {17.5, 25, 15, 10, 0, 4, 0, 2, 0, 0, 0},
         true},
        {"balanced, two men",
         true,
         true,
         false,
         [](ChartData&, ChartData&) {},
         {17.5, 25, 15, 10, 0, 4, 0, 2, 0, 0, 0},
         false},
        {"balanced, two women, bscore",
         false,
         false,
         true,
         [](ChartData&, ChartData&) {},
         {17.5, 25, 15, 10, 0, 4, 0, 2, 0, 10, 0},
         false},
        // 103.14 → 99 through a cap of −4.14.
        {"capped couple", true, false, false, Favoured, {35, 25, 13.137, 10, 6, 8, 2, 2, 2, 0, -4.137}, true},
        {"capped couple, bscore", true, false, true, Favoured, {35, 25, 13.137, 10, 6, 8, 2, 2, 2, 10, -14.137}, true},
        // Without stars and numbers 99.14 stays; with the bonus 109.14 → 99.
        {"favoured two men", true, true, false, Favoured, {35, 25, 13.137, 10, 6, 8, 0, 2, 0, 0, 0}, false},
        {"favoured two men, bscore",
         true,
         true,
         true,
         Favoured,
         {35, 25, 13.137, 10, 6, 8, 0, 2, 0, 10, -10.137},
         false},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        ChartData a = BalancedChart(), b = BalancedChart();
        k.change(a, b);
        ChartOptions options;
        options.highScoreScale = k.bscore;
        const PersonRecord pa = Person(k.aMale), pb = Person(k.bMale);
        const PairingResult r = PairingAnalysis(a, b, pa, pb, options);
        const IndexParts parts = DescribeIndexParts(a, b, pa, pb, options, r);

        ASSERT_EQ(parts.parts.size(), std::size_t(kIndexPartCount));
        EXPECT_EQ(parts.index, r.index);
        EXPECT_EQ(SumOfIndexPoints(parts.Points()), r.index);  // the same single-precision sum, exactly
        const bool capped = k.points[kIndexPartCount - 1] < 0;
        if (capped) {
            EXPECT_EQ(r.index, 99.0f);
        }
        const std::string section = r.Text();
        for (const IndexPart& p : parts.parts) {
            const auto i = static_cast<std::size_t>(p.id);
            SCOPED_TRACE(std::string(p.name));
            EXPECT_EQ(i, std::size_t(&p - parts.parts.data()));
            EXPECT_NEAR(p.points, k.points[i], 1e-3);
            const bool isComparison = p.id < IndexPartId::kHighScoreBonus;
            const bool skippable = p.id == IndexPartId::kNineStars || p.id == IndexPartId::kBirthNumbers;
            const bool applies = skippable                              ? k.starsAndNumbers
                                 : p.id == IndexPartId::kHighScoreBonus ? k.bscore
                                 : p.id == IndexPartId::kCap            ? capped
                                                                        : true;
            EXPECT_EQ(p.applies, applies);
            if (!p.applies) {
                EXPECT_EQ(p.points, 0);
                EXPECT_FALSE(p.note.empty());
            }
            if (isComparison && p.applies) {
                EXPECT_TRUE(p.line.starts_with(kLineStarts[i])) << p.line;
                EXPECT_NE(section.find(p.line + "\r\n"), std::string::npos) << p.line;
            } else {
                EXPECT_TRUE(p.line.empty()) << p.line;
            }
            EXPECT_FALSE(p.Explanation().empty());
            EXPECT_FALSE(p.inputs.empty());
        }
    }
}

TEST(IndexParts, InputsNameWhatWasCompared) {
    ChartData a = BalancedChart(), b = BalancedChart();
    Favoured(a, b);
    a.constellation = 4;
    const IndexParts parts = IndexPartsOf(a, b, Person(true), Person(false), {});
    EXPECT_EQ(parts[IndexPartId::kBirthYears].inputs, (std::vector<IndexPartInput>{{"年柱", "甲子", "己丑", true}}));
    EXPECT_EQ(
        parts[IndexPartId::kMutualSupport].inputs,
        (std::vector<IndexPartInput>{{"喜用", "水木", "木水", true},
                                     {"忌仇", "火土", "土金", true},
                                     {"五行力量", "水100 木100 火200 土0 金0", "水100 木100 火0 土0 金200", true}}));
    EXPECT_EQ(parts[IndexPartId::kDayMasters].inputs, (std::vector<IndexPartInput>{{"日元", "从旺", "从旺", true}}));
    EXPECT_EQ(parts[IndexPartId::kConstellations].inputs,
              (std::vector<IndexPartInput>{{"星座", "狮子座", "白羊座", true}}));
    EXPECT_EQ(parts[IndexPartId::kNineStars].inputs,
              (std::vector<IndexPartInput>{
                  {"性别", "男", "女", true}, {"年柱", "甲子", "己丑", true}, {"三元", "下元", "下元", true}}));
    EXPECT_EQ(parts[IndexPartId::kHighScoreBonus].inputs,
              (std::vector<IndexPartInput>{{"婚配指数高分制", "否", "", false}}));
    EXPECT_EQ(parts[IndexPartId::kCap].inputs, (std::vector<IndexPartInput>{{"封顶前合计", "103.14", "", false}}));
    EXPECT_EQ(parts[IndexPartId::kCap].note, "各项合计103.14分，满100分按99分计。");
}

// A birth number outside 1..9 leaves that comparison out; the nine stars
// still count.
TEST(IndexParts, MissingBirthNumberIsNotCompared) {
    ChartData a = BalancedChart(), b = BalancedChart();
    a.birthNumber = 0;
    const IndexParts parts = IndexPartsOf(a, b, Person(true), Person(false), {});
    EXPECT_TRUE(parts[IndexPartId::kNineStars].applies);
    EXPECT_FALSE(parts[IndexPartId::kBirthNumbers].applies);
    EXPECT_EQ(parts[IndexPartId::kBirthNumbers].note, "缺少生日密码，不作比较。");
    EXPECT_TRUE(parts[IndexPartId::kConstellations].line.starts_with("☆甲命白羊座"));
}

TEST(IndexParts, ReportTableListsEveryPartAndTheSum) {
    ChartData a = BalancedChart(), b = BalancedChart();
    Favoured(a, b);
    EXPECT_EQ(IndexPartsReportText(IndexPartsOf(a, b, Person(true), Person(false), {})),
              "\r\n※婚配指数构成（得分 / 满分）：\r\n"
              "  互相扶助     35.00 / 35\r\n"
              "  喜用五行     25.00 / 25\r\n"
              "  五行平衡     13.14 / 15\r\n"
              "  阴阳平衡     10.00 / 10\r\n"
              "  日元搭配      6.00 / 6\r\n"
              "  生年          8.00 / 8\r\n"
              "  九星          2.00 / 2\r\n"
              "  星座          2.00 / 2\r\n"
              "  生日密码      2.00 / 2\r\n"
              "  高分制加分    0.00 / 10  未选用婚配指数高分制，不加分。\r\n"
              "  封顶99分     -4.14\r\n"
              "  合计         99.00（婚配指数99分）\r\n");
    // Two men: no stars, no numbers, no cap.
    const std::string men =
        IndexPartsReportText(IndexPartsOf(BalancedChart(), BalancedChart(), Person(true), Person(true), {}));
    EXPECT_NE(men.find("  九星          0.00 / 2   双方同性，不作九星合婚。\r\n"), std::string::npos) << men;
    EXPECT_EQ(men.find("封顶"), std::string::npos) << men;
    EXPECT_TRUE(men.ends_with("  合计         73.50（婚配指数73分）\r\n")) << men;
}

}  // namespace
}  // namespace tessaly
