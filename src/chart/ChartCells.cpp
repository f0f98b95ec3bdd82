#include "chart/ChartCells.h"

#include "chart/Tables.h"

namespace tessaly {

void FillChartCells(ChartData& c) {
    const int dayStem = StemOfPillar(c.pillars[kDayPos]);
    const int monthElement = kBranchElement[BranchOfPillar(c.pillars[kMonthPos])];
    for (int i = 0; i < 4; ++i) {
        const int p = c.pillars[i];
        const int s = StemOfPillar(p);
        const int b = BranchOfPillar(p);
        c.nayinElement[i] = kNayinElement[NayinOf(p)];

        StemCell& sc = c.stems[i];
        if (i == kDayPos) {
            sc.god = kNone8;
            sc.pair = kNone8;
        } else {
            const int g = TenGodOf(dayStem, s);
            sc.god = static_cast<std::uint8_t>(g);
            sc.pair = static_cast<std::uint8_t>(g / 2);
            ++c.stemGodCount[g];
            ++c.stemPairCount[g / 2];
        }
        sc.stage = static_cast<std::uint8_t>(GrowthStageOf(s, b));
        sc.season = static_cast<std::uint8_t>(SeasonStateOf(kStemElement[s], monthElement));

        BranchCell& bc = c.branches[i];
        const int mainGod = TenGodOf(dayStem, kBranchMainStem[b]);
        bc.god = static_cast<std::uint8_t>(mainGod);
        bc.pair = static_cast<std::uint8_t>(mainGod / 2);
        ++c.branchGodCount[mainGod];
        ++c.branchPairCount[mainGod / 2];
        bc.hiddenGods.fill(kNone8);
        bc.hiddenPairs.fill(kNone8);
        for (int k = 0; k < HiddenStemCount(b); ++k) {
            const int g = TenGodOf(dayStem, HiddenStem(b, k));
            bc.hiddenGods[k] = static_cast<std::uint8_t>(g);
            bc.hiddenPairs[k] = static_cast<std::uint8_t>(g / 2);
            ++c.hiddenGodCount[g];
            ++c.hiddenPairCount[g / 2];
        }
        bc.season = static_cast<std::uint8_t>(SeasonStateOf(kBranchElement[b], monthElement));
    }
}

namespace {

// The 六合 or 六害 partner test.
template <std::size_t N>
bool IsPairIn(const std::array<BranchPair, N>& table, int t, int n) {
    for (const BranchPair& p : table) {
        if ((p.a == t && p.b == n) || (p.a == n && p.b == t)) return true;
    }
    return false;
}

// The element of the 三合 group in which t and n are the middle and one end,
// or −1.
int HalfTripleElement(int t, int n) {
    for (const BranchTriple& g : kThreeHarmonies) {
        const bool tMid = t == g.b && (n == g.a || n == g.c);
        const bool nMid = n == g.b && (t == g.a || t == g.c);
        if (tMid || nMid) return g.element;
    }
    return -1;
}

void SetBoth(ChartData& c, int i, int j, int slot, int value) {
    c.branches[i].relations[slot] = static_cast<std::int16_t>(value);
    c.branches[j].relations[slot] = static_cast<std::int16_t>(value);
}

}  // namespace

void FillRelations(ChartData& c) {
    for (StemCell& s : c.stems) s.combineKind = -1;
    for (BranchCell& b : c.branches) b.relations.fill(-1);

    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const int kind = StemCombinationKind(StemOfPillar(c.pillars[i]), StemOfPillar(c.pillars[j]));
            if (kind >= 0) {
                c.stems[i].combineKind = static_cast<std::int16_t>(kind);
                c.stems[j].combineKind = static_cast<std::int16_t>(kind);
            }
        }
    }

    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const int t = BranchOfPillar(c.pillars[i]);
            const int n = BranchOfPillar(c.pillars[j]);
            if (n == t && IsSelfPunishing(t)) {
                SetBoth(c, i, j, kRelPunish, t);
            } else if (n == (t + 6) % 12) {
                SetBoth(c, i, j, kRelClash, n % 6);
            } else if (IsPairIn(kSixCombinations, t, n)) {
                SetBoth(c, i, j, kRelCombine, t < n ? t : n);
            } else if (IsPairIn(kSixHarms, t, n)) {
                SetBoth(c, i, j, kRelHarm, t < n ? t : n);
            } else if (const int e = HalfTripleElement(t, n); e >= 0) {
                SetBoth(c, i, j, kRelHalfTriple, 10 * e + (IsGraveBranch(t) || IsGraveBranch(n) ? 5 : 0));
            } else if ((t == 1 && n == 4) || (t == 4 && n == 1)) {
                SetBoth(c, i, j, kRelPunish, 1);  // 子卯 无礼之刑
            }
        }
    }

    // Triples, recognised by product and sum on the 1..12 numbering (亥 = 12).
    const auto num = [&](int i) {
        const int b = BranchOfPillar(c.pillars[i]);
        return b == 0 ? 12 : b;
    };
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            for (int k = j + 1; k < 4; ++k) {
                const int p = num(i) * num(j) * num(k);
                const int s = num(i) + num(j) + num(k);
                int slot = -1, value = 0;
                if (p == 231 && s == 21) slot = kRelTriple, value = 2;            // 寅午戌 火
                else if (p == 384 && s == 24) slot = kRelTriple, value = 1;       // 亥卯未 木
                else if (p == 120 && s == 18) slot = kRelTriple, value = 4;       // 巳酉丑 金
                else if (p == 45 && s == 15) slot = kRelTriple, value = 0;        // 申子辰 水
                else if (p == 24 && s == 15) slot = kRelMeeting, value = 0;       // 亥子丑 水
                else if (p == 60 && s == 12) slot = kRelMeeting, value = 1;       // 寅卯辰 木
                else if (p == 336 && s == 21) slot = kRelMeeting, value = 2;      // 巳午未 火
                else if (p == 990 && s == 30) slot = kRelMeeting, value = 4;      // 申酉戌 金
                else if (p == 176 && s == 21) slot = kRelThreePunish, value = 2;  // 丑未戌
                else if (p == 162 && s == 18) slot = kRelThreePunish, value = 3;  // 寅巳申
                if (slot < 0) continue;
                for (const int x : {i, j, k}) c.branches[x].relations[slot] = static_cast<std::int16_t>(value);
            }
        }
    }

    // 四库全: 辰 戌 丑 未 all four (product 880, sum 26 on 0..11).
    int product = 1, sum = 0;
    for (int i = 0; i < 4; ++i) {
        product *= BranchOfPillar(c.pillars[i]);
        sum += BranchOfPillar(c.pillars[i]);
    }
    if (product == 880 && sum == 26) {
        for (BranchCell& b : c.branches) b.relations[kRelMeeting] = 3;
    }
}

VoidBranches VoidBranchesOf(int dayPillar) {
    const int p = dayPillar == 0 ? 60 : FloorMod(dayPillar, 60);
    int a = 11 - 2 * ((p - 1) / 10);
    if (a < 0) a += 12;
    return {a % 12, (a + 1) % 12};
}

}  // namespace tessaly
