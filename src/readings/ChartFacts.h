// ChartFacts — the chart of the person in hand as the reading rules see it.
//
// The rule tables of the personality and marriage readings are written in a
// small notation over one finished chart; these helpers are that notation,
// one function per term, so that each rule row reads like its condition:
//
//   SG(p), SP(p)   ten god and pair of the stem of pillar p (none for the day stem)
//   SS(p)          growth stage of the stem of p on its own branch
//   SC(p)          stem-combination kind of the stem of p, −1 none
//   SR(p), BR(p)   role class of the stem / branch of p: 0 favourable, 1 unfavourable, 2 neither
//   BG(p), BP(p)   ten god and pair of the main stem of branch p
//   Rel(p, slot)   a branch relation slot of p, −1 when absent
//   Star(p, X)     symbolic star X hits pillar p
//   Level()        strength level 0..6
//
// Pillar positions: Y, M, D, H = year, month, day, hour.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "calendar/PersonRecord.h"
#include "chart/ChartModel.h"
#include "chart/Stars.h"
#include "chart/Tables.h"

namespace tessaly {

// The pillars by one letter, for the rule tables of the readings, where a
// pillar is named in almost every line: `using namespace pillar_letters;`
// in the files that read so.
namespace pillar_letters {
inline constexpr int Y = kYearPos, M = kMonthPos, D = kDayPos, H = kHourPos;
}  // namespace pillar_letters

inline constexpr int kAllPillars[4] = {kYearPos, kMonthPos, kDayPos, kHourPos};
// The adjacent stem pairs, this stem and the next; the day stem is in none.
inline constexpr std::pair<int, int> kAdjacentStemPairs[2] = {{kYearPos, kMonthPos}, {kMonthPos, kHourPos}};

// Roles (usefulness of a god pair).
enum Role : int { kYongShen = 0, kXiShen = 1, kJiShen = 2, kChouShen = 3, kXianShen = 4 };
// Ten gods and pairs by name.
enum TenGod : int {
    kBiJian,
    kJieCai,
    kShiShen,
    kShangGuan,
    kPianCai,
    kZhengCai,
    kQiSha,
    kZhengGuan,
    kPianYin,
    kZhengYin
};
enum GodPair : int { kPairBiJie, kPairShiShang, kPairCai, kPairGuanSha, kPairYin };
// Role classes of a cell.
inline constexpr int kFavourable = 0, kUnfavourable = 1;

// Numbers by name, for rule rows: StemNo("甲") is 1, BranchNo("亥") 0,
// PillarNo("甲子") 1, StageNo("墓") 8, ElementNo("水") 0, SeasonNo("旺") 0.
// Evaluated while compiling: a misspelt name does not compile.
template <std::size_t N>
consteval int NameIndex(const std::array<std::string_view, N>& names, std::string_view name) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == name) return static_cast<int>(i);
    }
    throw "unknown name";
}
consteval int StemNo(std::string_view name) { return NameIndex(kStemNames, name); }
consteval int BranchNo(std::string_view name) { return NameIndex(kBranchNames, name); }
consteval int StageNo(std::string_view name) { return NameIndex(kGrowthStageNames, name); }
consteval int ElementNo(std::string_view name) { return NameIndex(kElementNames, name); }
consteval int SeasonNo(std::string_view name) { return NameIndex(kSeasonStateNames, name); }
// Ordinary patterns by name without 格: PatternNo("七杀") is 6.
consteval int PatternNo(std::string_view name) { return NameIndex(kOrdinaryPatternNames, name); }
// Stem-combination kinds (SC) by the two stems: CombinationNo("乙庚") is 2.
consteval int CombinationNo(std::string_view stems) {
    constexpr std::array<std::string_view, 5> kPairs = {"戊癸", "甲己", "乙庚", "丙辛", "丁壬"};
    return NameIndex(kPairs, stems);
}
consteval int PillarNo(std::string_view name) {
    for (int p = 0; p < 60; ++p) {
        const std::string_view stem = kStemNames[StemOfPillar(p)], branch = kBranchNames[BranchOfPillar(p)];
        if (name.size() == stem.size() + branch.size() && name.starts_with(stem) && name.ends_with(branch)) return p;
    }
    throw "unknown pillar";
}

// "x and y are a and b, in either arrangement": one of each, never the same
// god twice.
constexpr bool OneEach(int x, int y, int a, int b) { return (x == a && y == b) || (x == b && y == a); }

struct ChartFacts {
    const ChartData& c;
    const PersonRecord& person;

    // Stems, branches and pillars.
    int Pillar(int p) const { return c.pillars[p]; }
    int Stem(int p) const { return StemOfPillar(c.pillars[p]); }
    int Branch(int p) const { return BranchOfPillar(c.pillars[p]); }
    int DayStem() const { return Stem(kDayPos); }
    int DayBranch() const { return Branch(kDayPos); }
    int DayElement() const { return kStemElement[DayStem()]; }
    bool Male() const { return person.isMale != 0; }

    // Stem cells. The day stem has no god or pair: SG and SP of the day match no
    // ten god or pair.
    int SG(int p) const { return p == kDayPos ? -1 : c.stems[p].god; }
    int SP(int p) const { return p == kDayPos ? -1 : c.stems[p].pair; }
    int SS(int p) const { return c.stems[p].stage; }
    int SC(int p) const { return c.stems[p].combineKind; }
    int SR(int p) const { return c.stems[p].roleClass; }

    // Branch cells.
    int BG(int p) const { return c.branches[p].god; }
    int BP(int p) const { return c.branches[p].pair; }
    int BR(int p) const { return c.branches[p].roleClass; }
    int Rel(int p, int slot) const { return c.branches[p].relations[slot]; }
    bool Clashed(int p) const { return Rel(p, kRelClash) != -1; }
    bool HasRel(int p, int slot) const { return Rel(p, slot) != -1; }
    // Whether any hidden stem of branch p (the main stem included) is god g.
    bool HiddenHasGod(int p, int g) const {
        for (const auto h : c.branches[p].hiddenGods) {
            if (h == g) return true;
        }
        return false;
    }
    bool HiddenHasPair(int p, int pair) const {
        for (const auto h : c.branches[p].hiddenPairs) {
            if (h == pair) return true;
        }
        return false;
    }

    // Symbolic stars.
    bool Star(int p, int slot) const { return c.starHits[p][slot] != 0; }
    bool StarAnywhere(int slot) const {
        for (const int p : kAllPillars) {
            if (Star(p, slot)) return true;
        }
        return false;
    }

    // Counts over the pillars and small tests on the whole chart.
    int DayPillar() const { return Pillar(kDayPos); }
    // How many pillars p (Y, M, D, H) meet pred(p).
    template <class Pred>
    int CountPillars(Pred pred) const {
        int n = 0;
        for (const int p : kAllPillars) {
            if (pred(p)) ++n;
        }
        return n;
    }
    template <class Pred>
    bool AnyPillar(Pred pred) const {
        return CountPillars(pred) > 0;
    }
    // "Some / exactly one stem among Y, M, H is g": the stems that have a ten god.
    int StemsWithGod(int g) const {
        return CountPillars([&](int p) { return SG(p) == g; });
    }
    int StemsWithPair(int pair) const {
        return CountPillars([&](int p) { return SP(p) == pair; });
    }
    // Whether one of the four pillar stems (the day stem included) /
    // branches is the given one.
    bool StemsInclude(int stem) const {
        return AnyPillar([&](int p) { return Stem(p) == stem; });
    }
    bool BranchesInclude(int branch) const {
        return AnyPillar([&](int p) { return Branch(p) == branch; });
    }
    // The four branches are a, b, c and d, one each.
    bool BranchesAreOneEach(int a, int b, int c4, int d) const {
        for (const int x : {a, b, c4, d}) {
            if (BranchCount(x) != 1) return false;
        }
        return true;
    }
    // Whether branch p has any of the relation relationSlots listed.
    bool HasAnyRel(int p, std::initializer_list<int> relationSlots) const {
        for (const int s : relationSlots) {
            if (HasRel(p, s)) return true;
        }
        return false;
    }
    bool AnyBranchHasRel(int slot) const {
        return AnyPillar([&](int p) { return HasRel(p, slot); });
    }
    // The element of a half three-harmony (the slot holds 10 × element, + 5), −1 none.
    int HalfTripleElement(int p) const { return HasRel(p, kRelHalfTriple) ? Rel(p, kRelHalfTriple) / 10 : -1; }
    // x and y are a and b, in either arrangement.
    static bool EitherWay(int x, int y, int a, int b) { return (x == a && y == b) || (x == b && y == a); }
    // "One of 长生 沐浴 冠带 临官 帝旺": a growth stage below 衰.
    static bool IsRisingStage(int stage) { return stage < 5; }

    // Strength and roles.
    int Level() const { return c.strengthLevel; }
    int RolePair(int role) const { return c.rolePair[role]; }
    // "X is the 用神 or the 喜神 pair" and "the 忌神 or the 仇神 pair".
    bool IsFavourablePair(int pair) const { return pair == RolePair(kYongShen) || pair == RolePair(kXiShen); }
    bool IsUnfavourablePair(int pair) const { return pair == RolePair(kJiShen) || pair == RolePair(kChouShen); }
    // Whether the ordinary patterns (entries before −1) contain pattern n.
    bool HasPattern(int n) const {
        for (const auto x : c.patterns) {
            if (x == -1) break;
            if (x == n) return true;
        }
        return false;
    }

    // Whole-chart terms of the rule tables.
    // How many of the four branches are b.
    int BranchCount(int b) const {
        int n = 0;
        for (const int p : kAllPillars) n += Branch(p) == b ? 1 : 0;
        return n;
    }
    // 纯阳 / 纯阴: all four pillars yang (odd PillarIndex) or all yin.
    bool AllPillarsYang() const {
        for (const int p : kAllPillars) {
            if (Pillar(p) % 2 == 0) return false;
        }
        return true;
    }
    bool AllPillarsYin() const {
        for (const int p : kAllPillars) {
            if (Pillar(p) % 2 != 0) return false;
        }
        return true;
    }
    // 阴阳差错: the day pillar is one of 丙子 丁丑 戊寅 辛卯 壬辰 癸巳 丙午 丁未
    // 戊申 辛酉 壬戌 癸亥.
    bool YinYangCrossDay() const {
        constexpr int kDays[] = {PillarNo("丙子"), PillarNo("丁丑"), PillarNo("戊寅"), PillarNo("辛卯"),
                                 PillarNo("壬辰"), PillarNo("癸巳"), PillarNo("丙午"), PillarNo("丁未"),
                                 PillarNo("戊申"), PillarNo("辛酉"), PillarNo("壬戌"), PillarNo("癸亥")};
        for (const int d : kDays) {
            if (DayPillar() == d) return true;
        }
        return false;
    }
    // The 旬 (decade of the sexagenary cycle) of pillar p: 0 for 甲子..癸酉 …
    // 5 for 甲寅..癸亥.
    int Decade(int p) const { return FloorMod(Pillar(p) - 1, 60) / 10; }
    // SeasonState of the element of branch p in the birth month.
    int BranchSeason(int p) const { return c.branches[p].season; }
    // In a punishment: 自刑, 子卯 (slot 1) or a three-branch punishment (slot 7).
    bool Punished(int p) const { return HasAnyRel(p, {kRelPunish, kRelThreePunish}); }
    // In the 子卯 punishment (slot 1 holds 1; 自刑 holds 辰 午 酉 or 亥).
    bool ZiMaoPunished(int p) const { return Rel(p, kRelPunish) == 1; }

    // Counts and scores, indexed by TenGod, GodPair or Element.
    int StemGodCount(int g) const { return c.stemGodCount[g]; }
    int StemPairCount(int pair) const { return c.stemPairCount[pair]; }
    int GodCountBranch(int g) const { return c.godCountBranch[g]; }
    int GodCountHidden(int g) const { return c.godCountHidden[g]; }
    int PairCountBranch(int pair) const { return c.pairCountBranch[pair]; }
    int ElemCountBranch(int e) const { return c.elemCountBranch[e]; }
    int GodScore(int g) const { return c.godScore[g]; }
    int PairScore(int pair) const { return c.pairScore[pair]; }
    int ElementScore(int e) const { return c.elementScore[e]; }
    // The element at place i of elementOrder (0 weakest … 4 strongest).
    int ElementAtPlace(int i) const { return c.elementOrder[i]; }

    // Pillars whose stem combines (SC ≥ 0), and branches with any of the
    // given relation relationSlots.
    int CombinedStems() const {
        return CountPillars([this](int p) { return SC(p) >= 0; });
    }
    int BranchesWithRel(std::initializer_list<int> relationSlots) const {
        return CountPillars([this, relationSlots](int p) { return HasAnyRel(p, relationSlots); });
    }
};

// Whether stem s (branch b) is one of the names listed, e.g.
// StemAmong(f.DayStem(), "甲乙"), BranchAmong(f.Branch(H), "子午卯酉").
inline bool StemAmong(int s, std::string_view names) {
    return names.find(kStemNames[FloorMod(s, 10)]) != std::string_view::npos;
}
inline bool BranchAmong(int b, std::string_view names) {
    return names.find(kBranchNames[FloorMod(b, 12)]) != std::string_view::npos;
}
// How many of the conditions hold.
template <class... B>
constexpr int HowManyHold(B... conditions) {
    return (0 + ... + (conditions ? 1 : 0));
}

}  // namespace tessaly
