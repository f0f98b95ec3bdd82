#include "chart/Strength.h"

#include <gtest/gtest.h>

#include <string>

#include "chart/ChartCells.h"
#include "chart/Tables.h"

namespace tessaly {
namespace {

// Stem and branch numbers by name, for readable chart rows.
int S(std::string_view name) {
    for (int i = 0; i < 10; ++i) {
        if (kStemNames[i] == name) return i;
    }
    ADD_FAILURE() << "no stem " << name;
    return 0;
}
int B(std::string_view name) {
    for (int i = 0; i < 12; ++i) {
        if (kBranchNames[i] == name) return i;
    }
    ADD_FAILURE() << "no branch " << name;
    return 0;
}

// A pillar from its two-character name, e.g. "甲子".
std::int16_t P(std::string_view name) {
    return static_cast<std::int16_t>(PillarOfStemBranch(S(name.substr(0, 3)), B(name.substr(3, 3))));
}

// A chart as the construction leaves it: pillars, cells and relations.
ChartData Built(std::string_view y, std::string_view m, std::string_view d, std::string_view h) {
    ChartData c = ZeroChartData();
    c.pillars = {P(y), P(m), P(d), P(h)};
    FillChartCells(c);
    FillRelations(c);
    return c;
}

// A new chart counted, scored and judged.
ChartData Analysed(std::string_view y, std::string_view m, std::string_view d, std::string_view h,
                   const ChartOptions& options = {}) {
    ChartData c = Built(y, m, d, h);
    CountAndScore(c);
    JudgeStrength(c, options, true);
    SetRoleClasses(c);
    return c;
}

template <std::size_t N, typename T>
std::array<int, N> Ints(const std::array<T, N>& a) {
    std::array<int, N> r{};
    for (std::size_t i = 0; i < N; ++i) r[i] = a[i];
    return r;
}

TEST(SeasonFactorProduct, TruncatesTheFloat32ProductTowardZero) {
    // The factors are float32: 0.9f is 0.89999998 and 0.7f is 0.69999999,
    // so products that are whole numbers in decimal fall just below.
    const struct {
        int n;
        float f;
        int want;
    } kCases[] = {
        {30, 0.9f, 26}, {30, 0.7f, 20}, {10, 0.7f, 6},  {36, 0.9f, 32}, {36, 0.6f, 21},  // 21.6000008
        {30, 0.6f, 18},  // 18.0000007: 0.6f lies above 0.6
        {45, 0.8f, 36},  // 36.0000009
        {7, 1.75f, 12}, {9, 1.5f, 13},  {36, 2.0f, 72},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.n << " x " << c.f);
        EXPECT_EQ(TruncProduct(c.n, c.f), c.want);
    }
}

TEST(SeasonFactor, IsTheFactorOfTheMonthMainStemsGodForTheStem) {
    const struct {
        const char* stem;
        const char* month;
        float want;
    } kCases[] = {
        {"乙", "卯", 2.0f},   // 乙 is 比肩 to itself
        {"甲", "卯", 1.75f},  // 乙 is 劫财 of 甲
        {"癸", "卯", 0.9f},   // 乙 is 食神 of 癸
        {"庚", "午", 0.6f},   // 丁 is 正官 of 庚
        {"壬", "午", 0.8f},   // 丁 is 正财 of 壬
        {"辛", "午", 0.5f},   // 丁 is 七杀 of 辛
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.stem) + " in " + c.month);
        EXPECT_EQ(SeasonFactor(S(c.stem), B(c.month)), c.want);
    }
}

// Judgement by the day-master score alone: seasonScore carries the whole
// score (all yin-yang scores zero).
TEST(JudgeStrength, GradesTheDayMasterScore) {
    // Day stem 甲: in a 寅 month it is 旺, in an 丑 month 囚.
    const struct {
        int score;
        bool congGe;
        bool inSeason;
        int level, judgement;
    } kCases[] = {
        {0, false, true, 3, 3},    {71, false, true, 3, 3},    {72, false, true, 4, 4},    {143, false, true, 4, 4},
        {144, false, true, 5, 5},  {305, true, true, 5, 5},    {306, false, true, 6, 5},   {306, true, true, 6, 0},
        {306, true, false, 6, 5},  {-1, false, true, 2, 2},    {-72, false, true, 2, 2},   {-73, false, true, 1, 1},
        {-235, true, false, 1, 1}, {-236, false, false, 0, 1}, {-300, false, false, 0, 1}, {-300, true, false, 0, 6},
        {-300, true, true, 0, 1},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(testing::Message() << k.score << (k.congGe ? " congGe" : "") << (k.inSeason ? " 旺" : " 囚"));
        ChartData c = Built("甲子", k.inSeason ? "丙寅" : "丁丑", "甲子", "甲子");
        c.seasonScore = static_cast<std::int16_t>(k.score);
        ChartOptions o;
        o.followJudgements = k.congGe;
        JudgeStrength(c, o, true);
        EXPECT_EQ(c.dayMasterScore, k.score);
        EXPECT_EQ(c.strengthLevel, k.level);
        EXPECT_EQ(c.judgement, k.judgement);
    }
}

TEST(JudgeStrength, FollowTheWeakIsWrittenOnlyWithCongGe) {
    for (const bool congGe : {false, true}) {
        SCOPED_TRACE(congGe ? "congGe on" : "congGe off");
        ChartData c = Built("甲子", "丁丑", "甲子", "甲子");  // 甲 in 丑: 囚
        c.seasonScore = -300;
        ChartOptions o;
        o.followJudgements = congGe;
        JudgeStrength(c, o, true);
        const std::string text = StrengthSectionText(c, o);
        EXPECT_EQ(text.find("日元极弱，以从弱看，") != std::string::npos, congGe);
        EXPECT_EQ(text.find("日元太弱，") != std::string::npos, !congGe);
    }
}

// The follow judgements take all five roles from one row of the follow
// table, chosen by the pair scores. Day stem 甲: 比肩 甲 (阳木), 劫财 乙
// (阴木), 食神 丙, 伤官 丁, 偏财 戊, 正财 己, 七杀 庚, 正官 辛, 偏印 壬, 正印 癸.
TEST(JudgeStrength, FollowRolesComeFromTheStrongestPairs) {
    const struct {
        const char* name;
        int season;
        std::array<int, 10> yy;  // 阴水 阳水 阴木 阳木 阴火 阳火 阴土 阳土 阴金 阳金
        std::array<int, 5> rolePair;
    } kCases[] = {
        // 从旺, 比劫 = 印枭 = 100: the tie goes to 印枭 (row 4).
        {"从旺 tie", 400, {100, 0, 0, 100, 0, 0, 0, 0, 0, 0}, {4, 0, 2, 3, 1}},
        // 从旺, 比劫 101 > 印枭 100: row 0.
        {"从旺 比劫", 400, {100, 0, 0, 101, 0, 0, 0, 0, 0, 0}, {0, 4, 3, 2, 1}},
        // 从弱 with 食伤 strongest: row 1.
        {"从弱 食伤", -500, {0, 0, 0, 0, 0, 50, 0, 0, 0, 0}, {1, 0, 4, 3, 2}},
        // 从弱, 财星 above 食伤: row 2.
        {"从弱 财星", -500, {0, 0, 0, 0, 0, 50, 0, 60, 0, 0}, {2, 1, 0, 4, 3}},
        // 从弱, 官杀 above 财星 above 食伤: row 3.
        {"从弱 官杀", -500, {0, 0, 0, 0, 0, 50, 0, 60, 0, 70}, {3, 2, 0, 4, 1}},
        // 从弱, 官杀 equal to 财星: 财星 stays (row 2).
        {"从弱 tie", -500, {0, 0, 0, 0, 0, 50, 0, 60, 0, 60}, {2, 1, 0, 4, 3}},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        // 寅 month: 甲 旺 (for 从旺); 丑 month: 甲 囚 (for 从弱).
        ChartData c = Built("甲子", k.season > 0 ? "丙寅" : "丁丑", "甲子", "甲子");
        for (int i = 0; i < 10; ++i) c.yyScore[i] = static_cast<std::int16_t>(k.yy[i]);
        c.seasonScore = static_cast<std::int16_t>(k.season);
        ChartOptions o;
        o.followJudgements = true;
        o.specialPatternRoles = false;
        JudgeStrength(c, o, true);
        ASSERT_EQ(c.judgement, k.season > 0 ? 0 : 6);
        EXPECT_EQ(Ints(c.rolePair), k.rolePair);
        for (int r = 0; r < 5; ++r) EXPECT_EQ(c.roleElement[r], (1 + k.rolePair[r]) % 5) << "role " << r;
    }
}

// Scores of the fire and water entries with and without combinations.
// Month 午 (main stem 丁): F(丙) = 1.75 (丁 is 劫财 to 丙), F(丁) = 2.0,
// F(癸) = 0.7 (偏财), F(壬) = 0.8 (正财).
TEST(CountAndScore, CombinationBonuses) {
    const struct {
        const char* name;
        const char* pillars[4];
        std::array<int, 6> want;  // 阴水 阳水 阴木 阳木 阴火 阳火
    } kCases[] = {
        // 寅午戌 三合火 (years 0-2) and 寅午, 午戌 half pairs: only the 三合
        // counts, 81 × min(1.75, 1) = 81, 40 to each fire entry.
        //   阳火: 丙 stem 36 × 1.75 = 63, 寅's 丙 7 × 1.75 = 12.25 → 12; + 40 = 115
        //   阴火: 午's 丁 30 × 2 = 60, 戌's 丁 3 × 2 = 6; + 40 = 106
        //   阴水: 子's 癸 30 × 0.7 = 20.999999 → 20; 阳水 0
        //   木: 甲 stems 36 × F(甲) = 36 × 1.0 (丁 is 伤官 to 甲) twice = 72, 寅's 甲 30 → 阳木 102
        {"三合 only", {"甲寅", "丙午", "戊戌", "甲子"}, {20, 0, 0, 102, 106, 115}},
        // No triple: 寅午 (years 0,1) gives half fire, 45 × 1 → 22 each;
        // 辰子 (2,3) gives half water, 45 × min(0.8, 1) = 36.0000009 → 36,
        // 18 each.
        //   阳火 63 + 12 + 22 = 97; 阴火 60 + 22 = 82
        //   阴水 20 (子) + 辰's 癸 3 × 0.7 = 2.1 → 2, + 18 = 40; 阳水 18
        //   木: 72 + 30 + 辰's 乙 9 × F(乙) (丁 is 食神 to 乙: 0.9) = 8.1 → 8 to 阴木
        {"half pairs", {"甲寅", "丙午", "戊辰", "甲子"}, {40, 18, 8, 102, 82, 97}},
        // 寅午 (0,1) then 午寅 (1,2): the group just rewarded is not
        // rewarded again. 阳火 63 + 12 + 12 + 22 = 109; 阴火 60 + 22 = 82;
        // 阳木 three 甲 stems 108 + two 寅 60 = 168.
        {"repeat skipped", {"甲寅", "丙午", "甲寅", "甲子"}, {20, 0, 0, 168, 82, 109}},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        ChartData c = Built(k.pillars[0], k.pillars[1], k.pillars[2], k.pillars[3]);
        CountAndScore(c);
        std::array<int, 6> got{};
        for (int i = 0; i < 6; ++i) got[i] = c.yyScore[i];
        EXPECT_EQ(got, k.want);
    }
}

TEST(CountAndScore, FourStorehousesGiveTheEarthBonus) {
    // 辰 戌 丑 未 as the four branches, month 戌 (main stem 戊): F(戊) = 2.0
    // (比肩), F(己) = 1.75 (劫财). Bonus 150 × min(2.0, 1) = 150, 75 to each
    // earth entry; no stem is earth.
    //   阳土: 辰's 戊 18 × 2 = 36, 戌's 戊 36; + 75 = 147
    //   阴土: 丑's 己 18 × 1.75 = 31.5 → 31, 未's 己 31; + 75 = 137
    ChartData c = Built("甲辰", "甲戌", "乙丑", "丁未");
    CountAndScore(c);
    EXPECT_EQ(c.yyScore[6], 137);
    EXPECT_EQ(c.yyScore[7], 147);
    EXPECT_EQ(RelationsSectionText(c),
              "※天干无合。地支有辰戌年月相冲，丑未日时相冲，戌丑未月日时恃势之刑，辰戌丑未四库全。\r\n\r\n");
}

TEST(JudgeStrength, OrdinaryPatterns) {
    const struct {
        const char* pillars[4];
        std::array<int, 4> want;
        const char* line;
    } kCases[] = {
        // 乙 at 临官 in 卯: 建禄 alone.
        {{"甲子", "丁卯", "乙未", "丙子"}, {0, -1, -1, -1}, "※此命局入建禄格。"},
        // 乙 at 帝旺 in 寅: 羊刃 alone.
        {{"甲子", "丙寅", "乙未", "丙子"}, {1, -1, -1, -1}, "※此命局入羊刃格。"},
        // 午 hides 己 丁; 己 stands twice among the stems and is listed once
        // (正印 to 庚).
        {{"己丑", "庚午", "庚申", "己卯"}, {9, -1, -1, -1}, "※此命局入正印格。"},
        // 己 and 丁 both stand among the stems: 正印, then 正官.
        {{"己丑", "庚午", "庚申", "丁亥"}, {9, 7, -1, -1}, "※此命局入正印格、正官格。"},
        // Neither hidden stem of 午 stands among the stems.
        {{"甲子", "庚午", "庚申", "戊寅"}, {-1, -1, -1, -1}, "※此命局未入正格。"},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(std::string(k.pillars[0]) + k.pillars[1] + k.pillars[2] + k.pillars[3]);
        const ChartData c = Analysed(k.pillars[0], k.pillars[1], k.pillars[2], k.pillars[3]);
        EXPECT_EQ(Ints(c.patterns), k.want);
        EXPECT_NE(StrengthSectionText(c, {}).find(std::string(k.line)), std::string::npos);
    }
}

// 己亥 丁卯 乙未 丙子: 乙 day in a 卯 month, 亥卯未 三合木, no metal at all:
// 曲直格. Its score: month command 36 × 2.0 = 72, 亥 死 −18, 卯 临官 +18,
// 子 病 −18 → 54; 比劫 239, 食伤 112, 财星 27, 官杀 0, 印枭 56 →
// 54 + 239 + 56 − 139 = 210, 太旺, whose roles are 官杀 财星 比劫 印枭 食伤.
TEST(JudgeStrength, SpecialPatternRolesFollowBiange) {
    const struct {
        const char* name;
        const char* pillars[4];
        bool biange;
        int special;
        std::array<int, 5> roleElement, rolePair;
        const char* judgementText;
        const char* patternLine;
    } kCases[] = {
        {"曲直 biange",
         {"己亥", "丁卯", "乙未", "丙子"},
         true,
         0,
         {1, 0, 4, 3, 2},
         {0, 4, 3, 2, 1},
         "※日主综合得分：210。 日元太旺，命局入曲直格(以变格论命)，喜用木，水(比劫、印枭)。忌仇金，土(官杀、财星)。\r\n",
         "※此命局入建禄格。入曲直格（变格）。\r\n"},
        {"曲直 no biange",
         {"己亥", "丁卯", "乙未", "丙子"},
         false,
         0,
         {4, 3, 1, 0, 2},
         {3, 2, 0, 4, 1},
         "※日主综合得分：210。 日元太旺，喜用金，土(官杀、财星)。忌仇木，水(比劫、印枭)。\r\n",
         "※此命局入建禄格。入曲直格（变格）。\r\n"},
        // 丁 day in a 寅 month (相), 寅 main stem 甲 is 正印; 比劫 count 4,
        // 印枭 3, no 官杀: 从强格, roles from the day element 火: e+4 e e+2
        // e+3 e+1 = 木 火 金 水 土.
        {"从强 biange", {"甲午", "丙寅", "丁卯", "丙午"}, true, 8, {1, 2, 4, 0, 3}, {4, 0, 2, 3, 1}, "", ""},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.name);
        ChartOptions o;
        o.specialPatternRoles = k.biange;
        const ChartData c = Analysed(k.pillars[0], k.pillars[1], k.pillars[2], k.pillars[3], o);
        EXPECT_EQ(c.specialPattern, k.special);
        EXPECT_EQ(Ints(c.roleElement), k.roleElement);
        EXPECT_EQ(Ints(c.rolePair), k.rolePair);
        const std::string text = StrengthSectionText(c, o);
        EXPECT_NE(text.find(k.judgementText), std::string::npos) << text;
        EXPECT_NE(text.find(k.patternLine), std::string::npos) << text;
    }
}

// A re-analysis keeps the roles it is given and takes the chosen judgement,
// with the level of that judgement on the weak-to-strong scale; the scores
// are summed afresh.
TEST(JudgeStrength, ReanalysisTakesTheChosenJudgement) {
    const struct {
        int judgement, level;
    } kLevels[] = {
        {0, 6},                                          // 从旺: extremely strong
        {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 0},  // 从弱: extremely weak
    };
    for (const auto& k : kLevels) {
        SCOPED_TRACE(k.judgement);
        ChartData c = Analysed("甲子", "丁卯", "乙未", "丙子");
        JudgeStrength(c, {}, false, k.judgement);
        EXPECT_EQ(c.judgement, k.judgement);
        EXPECT_EQ(c.strengthLevel, k.level);
    }

    ChartData c = Analysed("甲子", "丁卯", "乙未", "丙子");
    c.rolePair = {4, 0, 1, 2, 3};
    c.roleElement = {0, 1, 2, 3, 4};
    c.yyScore.fill(0);
    c.yyScore[2] = 36;  // only 比肩 (乙) left
    JudgeStrength(c, {}, false, 0);
    EXPECT_EQ(c.judgement, 0);
    EXPECT_EQ(c.strengthLevel, 6);
    EXPECT_EQ(Ints(c.rolePair), (std::array<int, 5>{4, 0, 1, 2, 3}));
    EXPECT_EQ(c.pairScore[0], 36);
    EXPECT_EQ(c.dayMasterScore, 54 + 36);
    const std::string text = StrengthSectionText(c, {});
    EXPECT_NE(text.find("木36(100.0%)"), std::string::npos) << text;
    EXPECT_NE(text.find("日元极旺，以从旺看，喜用水，木(印枭、比劫)。"), std::string::npos) << text;
}

TEST(SelectionOrder, TakesTheFirstMinimumAndSwapsItIntoPlace) {
    // A stable sort would give 4 1 3 0 2; the swap of the first pass moves
    // index 0 behind index 2.
    const std::array<std::int16_t, 5> score = {5, 3, 5, 3, 1};
    const std::array<std::uint8_t, 5> want = {4, 1, 3, 2, 0};
    EXPECT_EQ(SelectionOrder(score), want);

    const std::array<std::int16_t, 5> sorted = {1, 2, 3, 4, 5};
    const std::array<std::uint8_t, 5> identity = {0, 1, 2, 3, 4};
    EXPECT_EQ(SelectionOrder(sorted), identity);
}

TEST(RelationsSectionText, StemsAndBranches) {
    const struct {
        const char* pillars[4];
        const char* want;
    } kCases[] = {
        {{"甲子", "丁卯", "乙未", "丙子"},
         "※天干无合。地支有子卯年月无礼之刑，子未年日相害，卯未月日半三合木局，卯子月时无礼之刑，未子日时相害。\r\n\r\n"},
        // 甲己 and 乙庚 combine; 午 meets 午 (自刑) and 未 (六合); 巳午未
        // stands twice among the triples.
        {{"甲午", "己巳", "乙未", "庚午"},
         "※天干有甲己年月中正之合，乙庚日时仁义之合。地支有午未年日六合，午午年时自刑，未午日时六合，"
         "午巳未年月日三会南方火，巳未午月日时三会南方火。\r\n\r\n"},
        // Nothing relates: 子子 is no self-punishment, 子酉 and 寅酉 nothing.
        {{"甲子", "丙寅", "癸酉", "甲子"}, "※天干无合。地支无刑冲害合。\r\n\r\n"},
        // 寅巳申 无恩之刑 after the pairs 寅巳 (害) and 巳申 (六合), 寅申 (冲).
        {{"甲寅", "己巳", "丙申", "丙申"},
         "※天干有甲己年月中正之合。地支有寅巳年月相害，寅申年日相冲，寅申年时相冲，巳申月日六合，巳申月时六合，"
         "寅巳申年月日无恩之刑，寅巳申年月时无恩之刑。\r\n\r\n"},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(std::string(k.pillars[0]) + k.pillars[1] + k.pillars[2] + k.pillars[3]);
        EXPECT_EQ(RelationsSectionText(Built(k.pillars[0], k.pillars[1], k.pillars[2], k.pillars[3])), k.want);
    }
}

}  // namespace
}  // namespace tessaly
