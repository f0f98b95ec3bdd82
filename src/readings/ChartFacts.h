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

#include <cstdint>
#include <initializer_list>
#include <utility>

#include "calendar/PersonRecord.h"
#include "engine/ChartModel.h"
#include "engine/Stars.h"
#include "engine/Tables.h"

namespace tessaly {

inline constexpr int Y = kYearPos, M = kMonthPos, D = kDayPos, H = kHourPos;
inline constexpr int kAllPillars[4] = {Y, M, D, H};
// The adjacent stem pairs, this stem and the next; the day stem is in none.
inline constexpr std::pair<int, int> kAdjacentStemPairs[2] = {{Y, M}, {M, H}};

// Roles (usefulness of a god pair).
enum Role : int { kYongShen = 0, kXiShen = 1, kJiShen = 2, kChouShen = 3, kXianShen = 4 };
// Ten gods and pairs by name.
enum TenGod : int { kBiJian, kJieCai, kShiShen, kShangGuan, kPianCai, kZhengCai, kQiSha, kZhengGuan, kPianYin, kZhengYin };
enum GodPair : int { kPairBiJie, kPairShiShang, kPairCai, kPairGuanSha, kPairYin };
// Role classes of a cell.
inline constexpr int kFavourable = 0, kUnfavourable = 1;

struct ChartFacts {
    const ChartData& c;
    const PersonRecord& person;

    // Stems, branches and pillars.
    int Pillar(int p) const { return c.pillars[p]; }
    int Stem(int p) const { return StemOfPillar(c.pillars[p]); }
    int Branch(int p) const { return BranchOfPillar(c.pillars[p]); }
    int DayStem() const { return Stem(D); }
    int DayBranch() const { return Branch(D); }
    int DayElement() const { return kStemElement[DayStem()]; }
    bool Male() const { return person.isMale != 0; }

    // Stem cells. The day stem has no god or pair: SG(D) and SP(D) match no
    // ten god or pair.
    int SG(int p) const { return p == D ? -1 : c.stems[p].god; }
    int SP(int p) const { return p == D ? -1 : c.stems[p].pair; }
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
    int DayPillar() const { return Pillar(D); }
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
    bool AnyPillar(Pred pred) const { return CountPillars(pred) > 0; }
    // "Some / exactly one stem among Y, M, H is g": the stems that have a ten god.
    int StemsWithGod(int g) const { return CountPillars([&](int p) { return SG(p) == g; }); }
    int StemsWithPair(int pair) const { return CountPillars([&](int p) { return SP(p) == pair; }); }
    // Whether one of the four pillar stems / branches is the given one.
    bool StemsInclude(int stem) const { return AnyPillar([&](int p) { return Stem(p) == stem; }); }
    bool BranchesInclude(int branch) const { return AnyPillar([&](int p) { return Branch(p) == branch; }); }
    int BranchesEqualTo(int branch) const { return CountPillars([&](int p) { return Branch(p) == branch; }); }
    // The four branches are a, b, c and d, one each.
    bool BranchesAreOneEach(int a, int b, int c4, int d) const {
        for (const int x : {a, b, c4, d}) {
            if (BranchesEqualTo(x) != 1) return false;
        }
        return true;
    }
    // Whether branch p has any of the relation slots listed.
    bool HasAnyRel(int p, std::initializer_list<int> slots) const {
        for (const int s : slots) {
            if (HasRel(p, s)) return true;
        }
        return false;
    }
    bool AnyBranchHasRel(int slot) const { return AnyPillar([&](int p) { return HasRel(p, slot); }); }
    // The element of a half three-harmony (the slot holds 10 × element, + 5), −1 none.
    int HalfTripleElement(int p) const { return HasRel(p, kRelHalfTriple) ? Rel(p, kRelHalfTriple) / 10 : -1; }
    // x and y are a and b, in either arrangement.
    static bool EitherWay(int x, int y, int a, int b) { return (x == a && y == b) || (x == b && y == a); }
    // "One of 长生 沐浴 冠带 临官 帝旺": a growth stage below 衰.
    static bool IsRisingStage(int stage) { return stage < 5; }

    // Strength and roles.
    int Level() const { return c.strengthLevel; }
    int RolePair(int role) const { return c.rolePair[role]; }
    int RoleElement(int role) const { return c.roleElement[role]; }
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
};

}  // namespace tessaly
