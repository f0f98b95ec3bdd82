#include "chart/Stars.h"

#include "chart/ChartCells.h"
#include "chart/Tables.h"

namespace tessaly {
namespace {

// --- Writing the tables with the names of stems, branches and pillars -------
//
// The tables below are written with the Chinese names, as the rules read, and
// turned into numbers at compile time; a misspelt name does not compile.

inline constexpr std::size_t kCharBytes = 3;  // a CJK character in UTF-8

template <std::size_t M>
consteval int IndexOfName(const std::array<std::string_view, M>& names, std::string_view name) {
    for (std::size_t i = 0; i < M; ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    throw "unknown name";
}

// The indices in `names` of the characters of `text`, one after another:
// IndicesOf<2>(kBranchNames, "丑未") is {2, 8}.
template <std::size_t N, std::size_t M>
consteval std::array<std::uint8_t, N> IndicesOf(const std::array<std::string_view, M>& names, std::string_view text) {
    if (text.size() != N * kCharBytes) throw "wrong count";
    std::array<std::uint8_t, N> out{};
    for (std::size_t i = 0; i < N; ++i) {
        out[i] = static_cast<std::uint8_t>(IndexOfName(names, text.substr(i * kCharBytes, kCharBytes)));
    }
    return out;
}

// The same as a set, bit i for index i: SetOf(kStemNames, "丙丁") is bits 3 and 4.
template <std::size_t M>
consteval std::uint16_t SetOf(const std::array<std::string_view, M>& names, std::string_view text) {
    std::uint16_t set = 0;
    for (std::size_t i = 0; i < text.size(); i += kCharBytes) {
        set = static_cast<std::uint16_t>(set | 1u << IndexOfName(names, text.substr(i, kCharBytes)));
    }
    return set;
}

consteval std::uint16_t BranchSet(std::string_view names) { return SetOf(kBranchNames, names); }
consteval std::uint16_t StemSet(std::string_view names) { return SetOf(kStemNames, names); }
consteval int BranchOfName(std::string_view name) { return IndexOfName(kBranchNames, name); }

// The pillar named "甲子".
consteval int PillarOfName(std::string_view name) {
    const int s = IndexOfName(kStemNames, name.substr(0, kCharBytes));
    const int b = IndexOfName(kBranchNames, name.substr(kCharBytes));
    if (s % 2 != b % 2) throw "not a pillar";
    return PillarOfStemBranch(s, b);
}

// The set of pillars named one after another ("庚辰壬辰"), bit p for PillarIndex p.
consteval std::uint64_t PillarSet(std::string_view names) {
    std::uint64_t set = 0;
    for (std::size_t i = 0; i < names.size(); i += 2 * kCharBytes) {
        set |= std::uint64_t{1} << PillarOfName(names.substr(i, 2 * kCharBytes));
    }
    return set;
}

template <std::size_t N>
consteval std::array<std::uint16_t, N> BranchSets(const std::array<std::string_view, N>& names) {
    std::array<std::uint16_t, N> sets{};
    for (std::size_t i = 0; i < N; ++i) sets[i] = BranchSet(names[i]);
    return sets;
}

template <std::size_t N>
consteval std::array<std::uint8_t, N> Pillars(const std::array<std::string_view, N>& names) {
    std::array<std::uint8_t, N> out{};
    for (std::size_t i = 0; i < N; ++i) out[i] = static_cast<std::uint8_t>(PillarOfName(names[i]));
    return out;
}

constexpr bool Has(std::uint16_t set, int i) { return (set >> i) & 1u; }
constexpr bool HasPillar(std::uint64_t set, int p) { return (set >> p) & 1u; }

// --- Stars by the day stem ----------------------------------------------------

// A star hit when the branch is in the set of the day stem; columns by day
// stem 癸 甲 乙 丙 丁 戊 己 庚 辛 壬.
struct DayStemStar {
    int slot;
    std::array<std::uint16_t, 10> branches;
};
inline constexpr DayStemStar kDayStemStars[] = {
    {kStarTianYi, BranchSets<10>({"卯巳", "丑未", "子申", "亥酉", "亥酉", "丑未", "子申", "寅午", "寅午", "卯巳"})},
    {kStarTaiJi,
     BranchSets<10>({"巳申", "子午", "子午", "卯酉", "卯酉", "丑辰未戌", "丑辰未戌", "寅亥", "寅亥", "巳申"})},
    // Either of 甲 and 乙 with either of 巳 and 午.
    {kStarWenChang, BranchSets<10>({"卯", "巳午", "巳午", "申", "酉", "申", "酉", "亥", "子", "寅"})},
    {kStarLuShen, BranchSets<10>({"子", "寅", "卯", "巳", "午", "巳", "午", "申", "酉", "亥"})},
    {kStarYangRen, BranchSets<10>({"亥", "卯", "寅", "午", "巳", "午", "巳", "酉", "申", "子"})},
};

// 词馆: the whole pillar, by day stem 癸 … 壬.
inline constexpr auto kCiGuanPillar =
    Pillars<10>({"壬戌", "庚寅", "辛卯", "乙巳", "戊午", "丁巳", "庚午", "壬申", "癸酉", "癸亥"});
// 学堂: the whole pillar, by the day stem's element 水 木 火 土 金.
inline constexpr auto kXueTangPillar = Pillars<5>({"甲申", "己亥", "丙寅", "戊申", "辛巳"});

// --- Stars by the month branch ---------------------------------------------

// 月德: the stem, by month branch 亥 子 丑 … 戌.
inline constexpr auto kYueDeStem = IndicesOf<12>(kStemNames, "甲壬庚丙甲壬庚丙甲壬庚丙");
// 天德: the month's character, a stem or a branch name, by month branch
// 亥 子 丑 … 戌; matched against the pillar's branch name, else its stem name.
inline constexpr std::array<std::string_view, 12> kTianDeName = {"乙", "巳", "庚", "丁", "申", "壬",
                                                                 "辛", "亥", "甲", "癸", "寅", "丙"};

// --- Group stars ---------------------------------------------------------------

// The base branch's 三合 group is HarmonyGroupNumber(base) (Tables.h).

// The branch that is the star for a base branch, by the base's group (columns
// 亥卯未 申子辰 巳酉丑 寅午戌).
struct GroupStar {
    int slot;
    std::array<std::uint8_t, 4> branchByGroup;
};
inline constexpr GroupStar kGroupStars[] = {
    {kStarYiMa, IndicesOf<4>(kBranchNames, "巳寅亥申")},      {kStarHuaGai, IndicesOf<4>(kBranchNames, "未辰丑戌")},
    {kStarJiangXing, IndicesOf<4>(kBranchNames, "卯子酉午")}, {kStarTaoHua, IndicesOf<4>(kBranchNames, "子酉午卯")},
    {kStarJieSha, IndicesOf<4>(kBranchNames, "申巳寅亥")},    {kStarZaiSha, IndicesOf<4>(kBranchNames, "酉午卯子")},
    {kStarWangShen, IndicesOf<4>(kBranchNames, "寅亥申巳")},
};

// --- 童子 ----------------------------------------------------------------------

// The month's season is M / 3: 0 亥子丑, 1 寅卯辰, 2 巳午未, 3 申酉戌.
constexpr int SeasonOfMonth(int monthBranch) { return monthBranch / 3; }

// By the season of the month.
inline constexpr std::array<std::uint16_t, 4> kTongZiBySeason = BranchSets<4>({"卯辰未", "子寅", "卯辰未", "子寅"});
// By the nayin element of the year pillar, 水 木 火 土 金.
inline constexpr std::array<std::uint16_t, 5> kTongZiByNayin = BranchSets<5>({"酉戌", "卯午", "酉戌", "辰巳", "卯午"});

// --- Stars of the day and hour pillars ------------------------------------------

struct PillarSetStar {
    int slot;
    std::uint64_t pillars;
};
// Day row only.
inline constexpr PillarSetStar kDayPillarStars[] = {
    {kStarKuiGang, PillarSet("庚辰壬辰戊戌庚戌")},
    {kStarJinShen, PillarSet("乙丑己巳癸酉")},
    {kStarShiEDaBai, PillarSet("甲辰乙巳丙申丁亥戊戌己丑庚辰辛巳壬申癸亥")},
};
// 孤鸾, in the day row by the day pillar and in the hour row by the hour pillar.
inline constexpr std::uint64_t kGuLuanPillars = PillarSet("乙巳丁巳辛亥戊申壬寅戊午壬子丙午");
// 四废, day pillar by the season of the month.
inline constexpr std::array<std::uint64_t, 4> kSiFeiBySeason = {PillarSet("丙午丁巳"), PillarSet("庚申辛酉"),
                                                                PillarSet("壬子癸亥"), PillarSet("甲寅乙卯")};

// 德秀, by the month's 三合 group: hit when the four stems hold one of
// `anyOf` and all of `allOf`.
struct DeXiuClause {
    int group;  // HarmonyGroupOf the month branch
    std::uint16_t anyOf, allOf;
};
inline constexpr DeXiuClause kDeXiuClauses[] = {
    {HarmonyGroupNumber(BranchOfName("寅")), StemSet("丙丁"), StemSet("戊癸")},
    {HarmonyGroupNumber(BranchOfName("申")), StemSet("壬癸"), StemSet("丙辛")},
    {HarmonyGroupNumber(BranchOfName("申")), StemSet("戊己"), StemSet("甲己")},
    {HarmonyGroupNumber(BranchOfName("巳")), StemSet("庚辛"), StemSet("乙庚")},
    {HarmonyGroupNumber(BranchOfName("亥")), StemSet("甲乙"), StemSet("丁壬")},
};

// 拱禄: the day and hour pillar pairs.
struct PillarPair {
    std::uint8_t day, hour;
};
inline constexpr PillarPair kGongLuPairs[] = {
    {PillarOfName("癸亥"), PillarOfName("癸丑")}, {PillarOfName("癸丑"), PillarOfName("癸亥")},
    {PillarOfName("丁巳"), PillarOfName("丁未")}, {PillarOfName("己未"), PillarOfName("己巳")},
    {PillarOfName("戊辰"), PillarOfName("戊午")},
};

static_assert(HarmonyGroupNumber(BranchOfName("子")) == 1 && HarmonyGroupNumber(BranchOfName("辰")) == 1);
static_assert(HarmonyGroupNumber(BranchOfName("午")) == 3 && HarmonyGroupNumber(BranchOfName("丑")) == 2);
static_assert(SeasonOfMonth(BranchOfName("辰")) == 1 && SeasonOfMonth(BranchOfName("丑")) == 0);
static_assert(PillarOfName("甲子") == 1 && PillarOfName("癸亥") == 0);

void Hit(StarHits& hits, int position, int slot) { ++hits[position][slot]; }

}  // namespace

void EvaluateStars(const std::array<std::int16_t, 4>& pillars, bool isMale, int position, StarHits& hits) {
    const int pillar = FloorMod(pillars[position], 60);
    const int x = StemOfPillar(pillar);
    const int b = BranchOfPillar(pillar);
    const int dayStem = StemOfPillar(pillars[kDayPos]);
    const int dayBranch = BranchOfPillar(pillars[kDayPos]);
    const int yearPillar = FloorMod(pillars[kYearPos], 60);
    const int yearBranch = BranchOfPillar(yearPillar);
    const int monthBranch = BranchOfPillar(pillars[kMonthPos]);

    // By the day stem.
    for (const DayStemStar& star : kDayStemStars) {
        if (Has(star.branches[dayStem], b)) Hit(hits, position, star.slot);
    }
    if (pillar == kCiGuanPillar[dayStem]) Hit(hits, position, kStarCiGuan);
    if (pillar == kXueTangPillar[kStemElement[dayStem]]) Hit(hits, position, kStarXueTang);

    // By the month branch.
    if (x == kYueDeStem[monthBranch]) Hit(hits, position, kStarYueDe);
    if (kBranchNames[b] == kTianDeName[monthBranch] || kStemNames[x] == kTianDeName[monthBranch]) {
        Hit(hits, position, kStarTianDe);
    }

    // Group stars: from the day branch (not on the day pillar), then from the
    // year branch (not on the year pillar) unless the day branch gave it.
    for (const GroupStar& star : kGroupStars) {
        const bool fromDay = position != kDayPos && b == star.branchByGroup[HarmonyGroupNumber(dayBranch)];
        const bool fromYear = position != kYearPos && b == star.branchByGroup[HarmonyGroupNumber(yearBranch)];
        if (fromDay || fromYear) Hit(hits, position, star.slot);
    }

    // By the year, on the month, day and hour pillars: the offsets hold for a
    // yang year of a man or a yin year of a woman and are exchanged otherwise.
    if (position != kYearPos) {
        const bool yangYear = yearPillar % 2 == 1;
        const bool direct = yangYear == isMale;
        if (b == (yearBranch + (direct ? 3 : 9)) % 12) Hit(hits, position, kStarGouSha);
        if (b == (yearBranch + (direct ? 9 : 3)) % 12) Hit(hits, position, kStarJiaoSha);
        if (b == (yearBranch + (direct ? 7 : 5)) % 12) Hit(hits, position, kStarDaHao);
    }

    // 孤辰 is the branch after the year's 三会 season, 寡宿 the one before it.
    const int guChen = (yearBranch / 3 * 3 + 3) % 12;
    if (b == guChen) Hit(hits, position, kStarGuChen);
    if (b == FloorMod(guChen - 4, 12)) Hit(hits, position, kStarGuaSu);

    const VoidBranches voids = VoidBranchesOf(pillars[kDayPos]);
    if (b == voids.first || b == voids.second) Hit(hits, position, kStarKongWang);

    if (position == kDayPos || position == kHourPos) {
        const int yearNayin = kNayinElement[NayinOf(yearPillar)];
        if (Has(kTongZiBySeason[SeasonOfMonth(monthBranch)], b) || Has(kTongZiByNayin[yearNayin], b)) {
            Hit(hits, position, kStarTongZi);
        }
    }
}

void EvaluateDayHourStars(const std::array<std::int16_t, 4>& pillars, StarHits& hits) {
    const int day = FloorMod(pillars[kDayPos], 60);
    const int hour = FloorMod(pillars[kHourPos], 60);
    const int monthBranch = BranchOfPillar(pillars[kMonthPos]);

    for (const PillarSetStar& star : kDayPillarStars) {
        if (HasPillar(star.pillars, day)) Hit(hits, kDayPos, star.slot);
    }
    if (HasPillar(kSiFeiBySeason[SeasonOfMonth(monthBranch)], day)) Hit(hits, kDayPos, kStarSiFei);
    if (HasPillar(kGuLuanPillars, day)) Hit(hits, kDayPos, kStarGuLuan);
    if (HasPillar(kGuLuanPillars, hour)) Hit(hits, kHourPos, kStarGuLuan);

    std::uint16_t stems = 0;
    for (const std::int16_t p : pillars) stems = static_cast<std::uint16_t>(stems | 1u << StemOfPillar(p));
    for (const DeXiuClause& c : kDeXiuClauses) {
        if (c.group == HarmonyGroupNumber(monthBranch) && (stems & c.anyOf) != 0 && (stems & c.allOf) == c.allOf) {
            hits[kYearPos][kStarDeXiu] = 1;
        }
    }

    for (const PillarPair& pair : kGongLuPairs) {
        if (day == pair.day && hour == pair.hour) {
            hits[kDayPos][kStarGongLu] = 1;
            hits[kHourPos][kStarGongLu] = 1;
        }
    }
}

StarHits ChartStars(const std::array<std::int16_t, 4>& pillars, bool isMale) {
    StarHits hits{};
    for (int position = kYearPos; position <= kHourPos; ++position) EvaluateStars(pillars, isMale, position, hits);
    EvaluateDayHourStars(pillars, hits);
    return hits;
}

int GroupStarBranch(int slot, int baseBranch) {
    for (const GroupStar& star : kGroupStars) {
        if (star.slot == slot) return star.branchByGroup[HarmonyGroupNumber(FloorMod(baseBranch, 12))];
    }
    return -1;
}

}  // namespace tessaly
