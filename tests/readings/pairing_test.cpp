#include "readings/Pairing.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/ChartCells.h"
#include "chart/Strength.h"
#include "chart/Tables.h"
#include "readings/reading_chart.h"

namespace tessaly {
namespace {

using testing_charts::Person;

std::int16_t P(std::string_view name) {
    int s = -1, b = -1;
    for (int i = 0; i < 10; ++i) {
        if (kStemNames[i] == name.substr(0, 3)) s = i;
    }
    for (int i = 0; i < 12; ++i) {
        if (kBranchNames[i] == name.substr(3, 3)) b = i;
    }
    EXPECT_TRUE(s >= 0 && b >= 0 && s % 2 == b % 2) << name;
    return static_cast<std::int16_t>(PillarOfStemBranch(s, b));
}

// A chart carrying only what the pairing reads, all balanced: equal element
// scores, equal yin and yang, both judgements 平和.
ChartData Plain() {
    ChartData c = ZeroChartData();
    c.pillars = {P("甲子"), P("丙寅"), P("甲子"), P("甲子")};
    c.elementScore = {100, 100, 100, 100, 100};
    c.roleElement = {0, 1, 2, 3, 4};
    c.yinTotal = 250;
    c.yangTotal = 250;
    c.judgement = 3;
    c.era = 2;
    c.birthNumber = 1;
    return c;
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The golden couple. Each chart is built from its pillars; the comments
// carry the arithmetic of every number the section shows.
//
// 甲命, a man born 1984: 甲子 丁卯 乙未 丙子. Day stem 乙 (木), month 卯
// (main stem 乙). Season factors by what 乙 is to the scored stem: 乙 2.0,
// 甲 1.75, 丁 1.5, 丙 1.25, 癸 0.9, 己 0.5.
//   month command: 36 × 2.0 = 72; 乙 on 子 病 −18, on 卯 临官 +18, on 未 养,
//     on 子 病 −18 → 54.
//   阴水 子's 癸 30 × 0.9 = 26.999999 → 26, twice = 52
//   阴木 卯's 乙 60 + stem 乙 72 + 未's 乙 3 × 2 = 6 → 138; 阳木 stem 甲 63
//   阴火 stem 丁 54 + 未's 丁 9 × 1.5 = 13.5 → 13 → 67; 阳火 stem 丙 45
//   阴土 未's 己 18 × 0.5 = 9
//   卯未 half 三合木: 45 × min(F(甲) 1.75, 1) = 45, 22 to each wood entry:
//     阴木 160, 阳木 85. No triple.
//   Elements 水 52 木 245 火 112 土 9 金 0 (total 418); yin 288, yang 130.
//   Pairs 比劫 245, 食伤 112, 财星 9, 官杀 0, 印枭 52.
//   Day master 54 + 245 + 52 − (112 + 9 + 0) = 230: 太旺, 用神 官杀.
//   Roles (用 喜 忌 仇 闲): 金 土 木 水 火; pattern 建禄 (乙 临官 in 卯).
//
// 乙命, a woman born 1985: 己丑 庚午 庚申 戊寅. Day stem 庚 (金), month 午
// (main stem 丁). Factors: 丁 2.0, 丙 1.75, 己 1.5, 戊 1.25, 甲 1.0,
// 壬 0.8, 癸 0.7, 庚 0.6, 辛 0.5.
//   month command: 36 × 0.6 = 21.6000008; 庚 on 申 临官 +18, on 寅 绝 −18
//     → 21.6 → 21.
//   阴水 丑's 癸 9 × 0.7 = 6.2999999 → 6; 阳水 申's 壬 3 × 0.8 = 2.4 → 2
//   阳木 寅's 甲 30
//   阴火 午's 丁 60; 阳火 寅's 丙 7 × 1.75 = 12.25 → 12
//   阴土 stem 己 54 + 丑's 己 27 + 午's 己 13.5 → 13 = 94
//   阳土 申's 戊 12.5 → 12 + stem 戊 45 + 寅's 戊 8.75 → 8 = 65
//   阴金 丑's 辛 1.5 → 1; 阳金 stems 庚 21 + 21 + 申's 庚 18.0000007 → 18 = 60
//   午寅 half 三合火: 45 × min(F(丙), 1) = 45, 22 to each: 阴火 82, 阳火 34.
//   Elements 水 8 木 30 火 116 土 159 金 61 (total 374); yin 183, yang 191.
//   Pairs 比劫 61, 食伤 8, 财星 30, 官杀 116, 印枭 159.
//   Day master 21 + 61 + 159 − (8 + 30 + 116) = 87: 偏旺, 用神 财星.
//   Roles: 木 水 金 土 火; pattern 正印 (午 hides 己, the year stem).
TEST(PairingAnalysis, GoldenCouple) {
    ChartOptions options;
    ChartData a = ZeroChartData();
    a.pillars = {P("甲子"), P("丁卯"), P("乙未"), P("丙子")};
    ChartData b = ZeroChartData();
    b.pillars = {P("己丑"), P("庚午"), P("庚申"), P("戊寅")};
    for (ChartData* c : {&a, &b}) {
        FillChartCells(*c);
        FillRelations(*c);
        CountAndScore(*c);
        JudgeStrength(*c, options, true);
        SetRoleClasses(*c);
        c->era = 2;  // 下元 for 1984 to 2043
    }
    a.constellation = 0;  // 白羊
    b.constellation = 4;  // 狮子
    a.birthNumber = 7;
    b.birthNumber = 2;

    EXPECT_EQ(a.seasonScore, 54);
    EXPECT_EQ(b.seasonScore, 21);
    EXPECT_EQ(a.dayMasterScore, 230);
    EXPECT_EQ(b.dayMasterScore, 87);
    EXPECT_EQ(a.judgement, 5);
    EXPECT_EQ(b.judgement, 4);
    // A's cells against its roles (用喜 官杀 财星, 忌仇 比劫 印枭): stems 甲
    // 劫财 → 1, 丁 食神 → 2, day → 2, 丙 伤官 → 2; branches 子 偏印 → 1,
    // 卯 比肩 → 1, 未 偏财 → 0, 子 → 1.
    EXPECT_EQ(a.stems[0].roleClass, 1);
    EXPECT_EQ(a.stems[1].roleClass, 2);
    EXPECT_EQ(a.stems[2].roleClass, 2);
    EXPECT_EQ(a.stems[3].roleClass, 2);
    EXPECT_EQ(a.branches[0].roleClass, 1);
    EXPECT_EQ(a.branches[1].roleClass, 1);
    EXPECT_EQ(a.branches[2].roleClass, 0);
    EXPECT_EQ(a.branches[3].roleClass, 1);

    // Shares print with one decimal: 52/418 = 12.44, 245/418 = 58.61,
    // 112/418 = 26.79, 9/418 = 2.15; support 297/418 = 71.05, 100 − that
    // = 28.95; yin 288/418 = 68.90, 100 − that = 31.10.
    EXPECT_EQ(StrengthSectionText(a, options),
              "\r\n\r\n※五行力量：水52(12.4%)  木245(58.6%)  火112(26.8%)  土9(2.2%)  金0(0.0%)  \r\n"
              "  己生助力量:297(71.1%)  克泄耗力量:121(28.9%)。  阴气:288(68.9%)  阳气:130(31.1%)。\r\n\r\n"
              "※日主综合得分：230。 日元太旺，喜用金，土(官杀、财星)。忌仇木，水(比劫、印枭)。\r\n"
              "※此命局入建禄格。\r\n");
    // 8/374 = 2.14, 30/374 = 8.02, 116/374 = 31.02, 159/374 = 42.51,
    // 61/374 = 16.31; support 220/374 = 58.82 and 41.18; yin 183/374 =
    // 48.93 and 51.07.
    EXPECT_EQ(StrengthSectionText(b, options),
              "\r\n\r\n※五行力量：水8(2.1%)  木30(8.0%)  火116(31.0%)  土159(42.5%)  金61(16.3%)  \r\n"
              "  己生助力量:220(58.8%)  克泄耗力量:154(41.2%)。  阴气:183(48.9%)  阳气:191(51.1%)。\r\n\r\n"
              "※日主综合得分：87。 日元偏旺，喜用木，水(财星、食伤)。忌仇金，土(比劫、印枭)。\r\n"
              "※此命局入正印格。\r\n");
    EXPECT_EQ(RelationsSectionText(b), "※天干无合。地支有丑午年月相害，午寅月时半三合火局，申寅日时相冲。\r\n\r\n");

    // The index:
    //   support of A by B: B's 金 61 + 土 159 = 220 against 木 30 + 水 8 = 38
    //     → 220/258 = 0.8527 (85%); of B by A: A's 木 245 + 水 52 = 297
    //     against 金 0 + 土 9 → 297/306 = 0.9706 (97%);
    //     35 × (0.8527 + 0.9706) / 2 = 31.9078
    //   favourable elements 金土 against 木水: only 金–水 (金 produces 水)
    //     supports, three conflict: 6.25 → 38.1578
    //   element balance: 水 60, 木 275, 火 228, 土 168, 金 61, total 792,
    //     descending 275 228 168 61 60: ((275 − 60) + (228 − 61)) / 2 / 792
    //     = 0.2412, balance 0.7588 (75%): 15 × 0.7588 = 11.3826 → 49.5404
    //   yin 471, yang 321: 1 − 150/792 = 0.8106 (81%): 8.1061 → 57.6464
    //   judgements 太旺 5 and 偏旺 4: p = 4.5, not harmonious; 6 × 1.5 / 3
    //     = 3 → 60.6464
    //   years 甲子 and 己丑: 甲己 and 子丑, 天合地合: 8 → 68.6464
    //   nine stars: man 1984 (甲子, n = 0, 下元) (7 − 0 + 180) mod 9 = 7;
    //     woman 1985 (己丑, n = 25) (8 + 25) mod 9 = 6; 7 with 6 is 生气:
    //     2 → 70.6464
    //   constellations 白羊 and 狮子: (0 − 4) mod 12 = 8, harmonious: 2
    //     → 72.6464
    //   birth numbers man 7, woman 2: the table gives 0, no points.
    //   Shown: 72 points.
    const PairingResult r = PairingAnalysis(a, b, Person(true), Person(false), options);
    EXPECT_NEAR(r.index, 72.6464f, 1e-3);
    EXPECT_EQ(r.Text(),
              "婚姻配对分析：\r\n        婚配指数：72分\r\n"
              "☆乙命对甲命有85％的补益作用力，甲命对乙命有97％的补益作用力。\r\n"
              "☆双方喜用神互相克害，容易有分歧，不利相处。\r\n"
              "☆双方八字交会后，五行平衡性为75％。\r\n"
              "☆双方八字交会后，阴阳平衡性为81％。\r\n"
              "☆甲乙命日元搭配不和谐，相处不容易。\r\n"
              "☆甲乙命生年天合地合，百年好合！\r\n"
              "☆九星合婚得：生气，子孙昌盛，不忌诸恶煞。\r\n"
              "☆甲命白羊座，乙命狮子座，较为和谐的一对。\r\n"
              "☆男命生日密码：7，女命生日密码：2，两人不适合在一起，没有姻缘。\r\n"
              "★甲命对照乙命：天干有乙庚甲日乙月仁义之合，乙庚甲日乙日仁义之合。地支无刑冲害合。\r\n"
              "★乙命对照甲命：天干有庚乙乙日甲日仁义之合。地支有午子乙月甲年相冲，午未乙月甲日六合，"
              "午子乙月甲时相冲。\r\n"
              "\r\n※提示：指数有在60分以上，双方可以交往，喜配良缘的机会大。80分以上者，如能婚配真是天生的一对。※\r\n");

    options.highScoreScale = true;
    const PairingResult high = PairingAnalysis(a, b, Person(true), Person(false), options);
    EXPECT_NEAR(high.index, 82.6464f, 1e-3);
    EXPECT_TRUE(Has(high.Text(), "婚配指数：82分\r\n"));
}

TEST(YearPairRelation, StemsAndBranchesOfTheTwoYears) {
    const struct {
        const char* a;
        const char* b;
        int stem, branch;
    } kCases[] = {
        {"甲子", "己丑", 1, 2},    // 甲己, 子丑 六合
        {"己丑", "甲子", 1, 2},    // either order
        {"甲子", "壬辰", -1, 4},   // 子辰 half 三合
        {"丙申", "甲辰", -1, -1},  // 申辰: the two ends alone are nothing
        {"丙午", "丙午", -1, 0},   // 午 meets itself
        {"甲子", "甲子", -1, -1},  // 子 does not punish itself
        {"甲子", "甲午", -1, 1},   // clash
        {"甲子", "辛未", -1, 3},   // 子未 害
        {"甲子", "丁卯", -1, 5},   // 子卯
        {"戊寅", "癸酉", 0, -1},   // 戊癸, 寅酉 nothing
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(std::string(k.a) + "/" + k.b);
        const YearRelation r = YearPairRelation(P(k.a), P(k.b));
        EXPECT_EQ(r.stemCombination, k.stem);
        EXPECT_EQ(r.branchRelation, k.branch);
    }
}

TEST(PairingAnalysis, BirthYearLines) {
    const struct {
        const char* a;
        const char* b;
        const char* line;
        float points;
    } kCases[] = {
        {"甲子", "己丑", "☆甲乙命生年天合地合，百年好合！\r\n", 8},
        {"甲子", "乙丑", "☆甲乙命生年相合，利于交往！\r\n", 6},
        {"甲子", "甲午", "☆甲乙命生年相冲，不容易相聚！\r\n", 0},
        {"甲子", "辛未", "☆甲乙命生年相刑害，不利！\r\n", 0},
        {"甲子", "丁卯", "☆甲乙命生年相刑害，不利！\r\n", 0},
        {"甲子", "壬辰", "☆甲乙命生年无害，可以交往！\r\n", 4},
        {"甲子", "丙寅", "☆甲乙命生年无害，可以交往！\r\n", 4},
    };
    // Two balanced charts of the same sex score 35 × 0.5 + 25 + 15 + 10 + 0
    // + 2 (same constellation) = 69.5 before the birth years.
    for (const auto& k : kCases) {
        SCOPED_TRACE(std::string(k.a) + "/" + k.b);
        ChartData a = Plain(), b = Plain();
        a.pillars[0] = P(k.a);
        b.pillars[0] = P(k.b);
        const PairingResult r = PairingAnalysis(a, b, Person(true), Person(true), {});
        EXPECT_TRUE(Has(r.Text(), k.line)) << r.Text();
        EXPECT_FLOAT_EQ(r.index, 69.5f + k.points);
    }
}

TEST(PairingAnalysis, BalancesSupportAndDayMasters) {
    const struct {
        const char* name;
        void (*change)(ChartData& a, ChartData& b);
        const char* line;
        float index;  // the balanced pair gives 35 × 0.5 + 25 + 15 + 10 + 0 + 4 + 2 = 73.5
    } kCases[] = {
        {"balanced", [](ChartData&, ChartData&) {}, "五行平衡性为100％。\r\n☆双方八字交会后，阴阳平衡性为100％。",
         73.5f},
        // B scores nothing in A's four role elements: A is supported 100 %.
        {"g + h = 0",
         [](ChartData&, ChartData& b) {
             b.elementScore = {0, 0, 0, 0, 500};
         },
         "☆乙命对甲命有100％的补益作用力，甲命对乙命有50％", 0},
        // Both 平和 → p = 3; both 从旺 → p = 0, 6 points; 从弱 and 太弱 → 3.5.
        {"both 从旺", [](ChartData& a, ChartData& b) { a.judgement = b.judgement = 0; },
         "☆甲乙命日元搭配不和谐，相处不容易。\r\n", 79.5f},
        {"both 从弱", [](ChartData& a, ChartData& b) { a.judgement = b.judgement = 6; },
         "☆甲乙命日元搭配不和谐，相处不容易。\r\n", 79.5f},
        {"太弱 and 太旺",
         [](ChartData& a, ChartData& b) {
             a.judgement = 1;
             b.judgement = 5;
         },
         "☆甲乙命日元搭配，趋向于平和，相处和谐。\r\n", 73.5f},
        {"平和 and 从弱",
         [](ChartData& a, ChartData& b) {
             a.judgement = 3;
             b.judgement = 6;
         },
         "☆甲乙命日元搭配不和谐，相处不容易。\r\n", 76.5f},
        // Favourable elements 水木 against 火土: 木–火 supports, 水–火,
        // 水–土, 木–土 conflict: 6.25 instead of 25.
        {"favourable conflict",
         [](ChartData&, ChartData& b) {
             b.roleElement = {2, 3, 4, 0, 1};
         },
         "☆双方喜用神互相克害，容易有分歧，不利相处。\r\n", -1},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        ChartData a = Plain(), b = Plain();
        k.change(a, b);
        const PairingResult r = PairingAnalysis(a, b, Person(true), Person(true), {});
        EXPECT_TRUE(Has(r.Text(), k.line)) << r.Text();
        if (k.index > 0) {
            EXPECT_FLOAT_EQ(r.index, k.index);
        }
    }
}

TEST(PairingAnalysis, NineStarsAndBirthNumbersOnlyForAManAndAWoman) {
    const struct {
        const char* name;
        bool aMale, bMale;
        const char* yearA;
        const char* yearB;
        int numberA, numberB;
        const char* star;    // expected nine-star line, "" when none
        const char* number;  // expected birth-number line, "" when none
    } kCases[] = {
        // 1984 甲子 in 下元: a man's star 7, a woman's 8; 7 with 8 is 绝体.
        {"1984 couple", true, false, "甲子", "甲子", 2, 7, "☆九星合婚得：绝体，男女更有忧亡。\r\n",
         "☆男命生日密码：2，女命生日密码：7，天生的一对，完美的绝配。\r\n"},
        // The woman first: the man is still the one whose number is read as
        // the row; 7 (man) with 2 (woman) gives 0 although 2 with 7 gives 2.
        {"woman first", false, true, "甲子", "甲子", 2, 7, "☆九星合婚得：绝体，男女更有忧亡。\r\n",
         "☆男命生日密码：7，女命生日密码：2，两人不适合在一起，没有姻缘。\r\n"},
        // 1986 丙寅 (n = 2): man's remainder 5 becomes 2; 1990 庚午 (n = 6):
        // woman's remainder 5 becomes 8; 2 with 8 is 生气.
        {"stars 5", true, false, "丙寅", "庚午", 1, 3, "☆九星合婚得：生气，子孙昌盛，不忌诸恶煞。\r\n",
         "☆男命生日密码：1，女命生日密码：3，两人适合在一起，可以发展感情。\r\n"},
        {"two men", true, true, "甲子", "甲子", 2, 7, "", ""},
        {"two women", false, false, "甲子", "甲子", 2, 7, "", ""},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        ChartData a = Plain(), b = Plain();
        a.pillars[0] = P(k.yearA);
        b.pillars[0] = P(k.yearB);
        a.birthNumber = static_cast<std::int16_t>(k.numberA);
        b.birthNumber = static_cast<std::int16_t>(k.numberB);
        const PairingResult r = PairingAnalysis(a, b, Person(k.aMale), Person(k.bMale), {});
        if (*k.star != '\0') {
            EXPECT_TRUE(Has(r.Text(), k.star)) << r.Text();
            EXPECT_TRUE(Has(r.Text(), k.number)) << r.Text();
        } else {
            EXPECT_FALSE(Has(r.Text(), "九星合婚"));
            EXPECT_FALSE(Has(r.Text(), "生日密码"));
            EXPECT_TRUE(Has(r.Text(), "☆甲命白羊座，乙命白羊座，较为和谐的一对。\r\n"));
        }
    }
}

// A birth number outside 1..9 has no row in the table: the line is left
// out rather than read outside it; the nine stars still count.
TEST(PairingAnalysis, MissingBirthNumberWritesNoBirthNumberLine) {
    ChartData a = Plain(), b = Plain();
    a.birthNumber = 0;
    b.birthNumber = 7;
    const PairingResult r = PairingAnalysis(a, b, Person(true), Person(false), {});
    EXPECT_FALSE(Has(r.Text(), "生日密码"));
    EXPECT_TRUE(Has(r.Text(), "☆九星合婚得：绝体，"));
}

TEST(PairingAnalysis, Constellations) {
    const struct {
        int a, b;
        const char* verdict;
        float points;
    } kCases[] = {
        {0, 0, "较为和谐的一对。", 2},   {0, 4, "较为和谐的一对。", 2},   {1, 0, "较为和谐的一对。", 2},
        {3, 0, "容易有矛盾的一对。", 0}, {0, 6, "容易有矛盾的一对。", 0}, {9, 0, "容易有矛盾的一对。", 0},
        {5, 0, "可以相处的一对。", 1},   {0, 5, "可以相处的一对。", 1},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << k.a << " " << k.b);
        ChartData a = Plain(), b = Plain();
        a.constellation = static_cast<std::uint8_t>(k.a);
        b.constellation = static_cast<std::uint8_t>(k.b);
        const PairingResult r = PairingAnalysis(a, b, Person(true), Person(true), {});
        const std::string line = std::string("☆甲命") + std::string(kConstellationNames[k.a]) + "座，乙命" +
                                 std::string(kConstellationNames[k.b]) + "座，" + k.verdict + "\r\n";
        EXPECT_TRUE(Has(r.Text(), line)) << r.Text();
        EXPECT_FLOAT_EQ(r.index, 71.5f + k.points);
    }
}

// Everything in favour: both supported fully (each scores only in the
// other's favourable elements), favourable elements 水木 on both sides,
// combined elements 200 200 200 1 200 (balance 1 − (199/801)/2 = 0.8758),
// yin equal to yang, both 从旺, 甲子 with 己丑, 生气, the same sign, birth
// numbers 2 and 7: 35 + 25 + 13.14 + 10 + 6 + 8 + 2 + 2 + 2 = 103.14.
TEST(PairingAnalysis, IndexIsCappedAt99) {
    const struct {
        bool couple;
        bool bscore;
        float index;
        const char* shown;
    } kCases[] = {
        {true, false, 99.0f, "婚配指数：99分"},     // 103.14 → 99
        {true, true, 99.0f, "婚配指数：99分"},      // 113.14 → 99
        {false, false, 99.137f, "婚配指数：99分"},  // no stars, no numbers: 99.14 stays
        {false, true, 99.0f, "婚配指数：99分"},     // 109.14 → 99
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << (k.couple ? "couple" : "two men") << (k.bscore ? " bscore" : ""));
        ChartData a = Plain(), b = Plain();
        a.elementScore = {100, 100, 200, 0, 0};
        a.roleElement = {0, 1, 2, 3, 4};
        b.elementScore = {100, 100, 0, 0, 200};
        b.roleElement = {1, 0, 3, 4, 2};
        a.judgement = b.judgement = 0;
        a.pillars[0] = P("甲子");
        b.pillars[0] = P("己丑");
        a.birthNumber = 2;
        b.birthNumber = 7;
        ChartOptions o;
        o.highScoreScale = k.bscore;
        const PairingResult r = PairingAnalysis(a, b, Person(true), Person(!k.couple), o);
        EXPECT_NEAR(r.index, k.index, 1e-3);
        EXPECT_TRUE(Has(r.Text(), k.shown)) << r.Text();
    }
}

TEST(CrossRelations, DayStemAndMonthBranchAgainstTheOtherPillars) {
    const struct {
        int subject;
        const char* dayStem;
        const char* monthBranch;
        const char* other[4];
        const char* want;
    } kCases[] = {
        // 甲 meets 己 of B's year, 子 meets 丑 of B's day; nothing else.
        {0,
         "甲",
         "子",
         {"己巳", "丙寅", "乙丑", "丁酉"},
         "★甲命对照乙命：天干有甲己甲日乙年中正之合。地支有子丑甲月乙日六合。\r\n"},
        {0, "甲", "子", {"丙寅", "丙寅", "丙寅", "丙寅"}, "★甲命对照乙命：天干无合。地支无刑冲害合。\r\n"},
        // 乙 meets 庚 of A's hour; 午 against 午 (自刑), 子 (冲), 寅 and 戌
        // (half 三合), then with A's day and hour branches 寅午戌 whole.
        {1,
         "乙",
         "午",
         {"甲午", "甲子", "丙寅", "庚戌"},
         "★乙命对照甲命：天干有乙庚乙日甲时仁义之合。地支有午午乙月甲年自刑，午子乙月甲月相冲，"
         "午寅乙月甲日半三合火局，午戌乙月甲时半三合火局，午寅戌乙月甲日甲时三合火局。\r\n"},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.want);
        ChartData other = ZeroChartData();
        for (int i = 0; i < 4; ++i) other.pillars[i] = P(k.other[i]);
        int stem = 0, branch = 0;
        for (int i = 0; i < 10; ++i) {
            if (kStemNames[i] == k.dayStem) stem = i;
        }
        for (int i = 0; i < 12; ++i) {
            if (kBranchNames[i] == k.monthBranch) branch = i;
        }
        EXPECT_EQ(CrossRelations(k.subject, stem, branch, other), k.want);
    }
}

}  // namespace
}  // namespace tessaly
