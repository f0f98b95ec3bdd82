#include "chart/Strength.h"

#include <cmath>
#include <string_view>

#include "chart/Tables.h"
#include "common/NumberText.h"

namespace tessaly {

namespace {

// Growth stages of the day stem that strengthen it in the month command
// (长生 冠带 临官 帝旺) and that weaken it (衰 病 死 绝).
bool IsRisingStage(int stage) { return stage == 0 || stage == 2 || stage == 3 || stage == 4; }
bool IsFallingStage(int stage) { return stage == 5 || stage == 6 || stage == 7 || stage == 9; }

// Season states in which an element is out of season (休 囚 死) or in it (旺 相).
bool IsOutOfSeason(int state) { return state >= 2; }
bool IsInSeason(int state) { return state <= 1; }

// The yang stem of each element: 壬 甲 丙 戊 庚.
constexpr std::array<int, 5> kYangStemOfElement = {9, 1, 3, 5, 7};

// Branch on the 1..12 numbering used by the product-and-sum tests (亥 = 12).
int BranchNumber(int pillar) {
    const int b = BranchOfPillar(pillar);
    return b == 0 ? 12 : b;
}

// The combination bonus of the first kind: 三合 or 三会 of three branches.
struct TripleKind {
    int product, sum;
    int base;  // bonus before the season factor
    int element;
};
constexpr std::array<TripleKind, 8> kBonusTriples = {{
    {231, 21, kTripleBonus, 2},   // 寅午戌 火
    {384, 24, kTripleBonus, 1},   // 亥卯未 木
    {120, 18, kTripleBonus, 4},   // 巳酉丑 金
    {45, 15, kTripleBonus, 0},    // 申子辰 水
    {24, 15, kMeetingBonus, 0},   // 亥子丑 水
    {60, 12, kMeetingBonus, 1},   // 寅卯辰 木
    {336, 21, kMeetingBonus, 2},  // 巳午未 火
    {990, 30, kMeetingBonus, 4},  // 申酉戌 金
}};

// True when the four branches are 辰 戌 丑 未 in any order.
bool HasFourGraves(const ChartData& c) {
    int product = 1, sum = 0;
    for (const int p : c.pillars) {
        product *= BranchOfPillar(p);
        sum += BranchOfPillar(p);
    }
    return product == 880 && sum == 26;
}

// A bonus on element e: trunc(base × min(F(yang stem of e), 1)), half of it
// to the yin and half to the yang entry of the element.
void AddElementBonus(ChartData& c, int base, int element, int monthBranch) {
    float f = SeasonFactor(kYangStemOfElement[element], monthBranch);
    if (f > 1.0f) f = 1.0f;
    const int half = TruncProduct(base, f) / 2;
    c.yyScore[2 * element] = static_cast<std::int16_t>(c.yyScore[2 * element] + half);
    c.yyScore[2 * element + 1] = static_cast<std::int16_t>(c.yyScore[2 * element + 1] + half);
}

// True when `other` is a mate of `branch` in its 三合 group: the middle has
// both ends as mates, an end only the middle.
bool IsHarmonyMate(const BranchTriple& g, int branch, int other) {
    if (branch == g.b) return other == g.a || other == g.c;
    return other == g.b;
}

void ApplyCombinationBonus(ChartData& c, int monthBranch) {
    static constexpr int kTriples[4][3] = {{0, 1, 2}, {0, 1, 3}, {0, 2, 3}, {1, 2, 3}};
    int base = 0, element = -1;
    for (const auto& t : kTriples) {
        const int n0 = BranchNumber(c.pillars[t[0]]);
        const int n1 = BranchNumber(c.pillars[t[1]]);
        const int n2 = BranchNumber(c.pillars[t[2]]);
        for (const TripleKind& k : kBonusTriples) {
            if (n0 * n1 * n2 == k.product && n0 + n1 + n2 == k.sum) {
                base = k.base;
                element = k.element;
                break;
            }
        }
        if (element >= 0) break;
    }
    if (HasFourGraves(c)) {
        base = kFourGravesBonus;
        element = 3;  // 土
    }
    if (element >= 0) {
        AddElementBonus(c, base, element, monthBranch);
        return;
    }

    // Half combinations: only a repeat of the group just rewarded is skipped.
    int last = -1;
    for (int i = 0; i < 3; ++i) {
        const int bi = BranchOfPillar(c.pillars[i]);
        const BranchTriple& g = HarmonyGroupOf(bi);
        for (int j = i + 1; j < 4; ++j) {
            if (!IsHarmonyMate(g, bi, BranchOfPillar(c.pillars[j]))) continue;
            if (g.element == last) continue;
            last = g.element;
            AddElementBonus(c, kHalfTripleBonus, g.element, monthBranch);
        }
    }
}

// Ordinary patterns: 建禄 or 羊刃 by the day stem's stage in the month;
// otherwise each hidden stem of the month branch that stands among the four
// stems and is above 劫财 to the day stem.
void FindOrdinaryPatterns(ChartData& c) {
    c.patterns.fill(-1);
    const int dayStem = StemOfPillar(c.pillars[kDayPos]);
    const int monthBranch = BranchOfPillar(c.pillars[kMonthPos]);
    const int stage = GrowthStageOf(dayStem, monthBranch);
    if (stage == 3) {
        c.patterns[0] = 0;  // 建禄
        return;
    }
    if (stage == 4) {
        c.patterns[0] = 1;  // 羊刃
        return;
    }
    int n = 0;
    for (int k = 0; k < HiddenStemCount(monthBranch); ++k) {
        const int h = HiddenStem(monthBranch, k);
        const int g = TenGodOf(dayStem, h);
        if (g <= 1) continue;
        for (const int p : c.pillars) {
            if (StemOfPillar(p) == h) {
                c.patterns[n++] = static_cast<std::int16_t>(g);
                break;
            }
        }
    }
}

// The normal roles: for each 用神 pair, the offsets of 喜神 忌神 仇神 闲神
// from the day element.
constexpr int kNormalRoleOffsets[5][4] = {
    {4, 3, 2, 1},  // 比劫
    {2, 4, 0, 3},  // 食伤
    {1, 0, 4, 3},  // 财星
    {2, 0, 4, 1},  // 官杀
    {0, 2, 1, 3},  // 印枭
};
// 用神 pair by judgement 1..5 (太弱 偏弱 平和 偏旺 太旺).
constexpr int kUsefulPairByJudgement[7] = {-1, 0, 4, 4, 2, 3, -1};
// The roles of the follow judgements: pairs of 用 喜 忌 仇 闲 by row.
constexpr int kFollowRoles[5][5] = {
    {0, 4, 3, 2, 1}, {1, 0, 4, 3, 2}, {2, 1, 0, 4, 3}, {3, 2, 0, 4, 1}, {4, 0, 2, 3, 1},
};

void ChooseRoles(ChartData& c, int dayElement) {
    const int j = c.judgement;
    if (j >= 1 && j <= 5) {
        const int useful = kUsefulPairByJudgement[j];
        c.rolePair[0] = static_cast<std::uint8_t>(useful);
        c.roleElement[0] = static_cast<std::uint8_t>((dayElement + useful) % 5);
        for (int k = 1; k < 5; ++k) {
            const int off = kNormalRoleOffsets[useful][k - 1];
            c.rolePair[k] = static_cast<std::uint8_t>(off);
            c.roleElement[k] = static_cast<std::uint8_t>((dayElement + off) % 5);
        }
        return;
    }
    int row;
    if (j == 0) {  // 从旺: 印枭 wins a tie
        row = c.pairScore[0] > c.pairScore[4] ? 0 : 4;
    } else {  // 从弱
        row = 1;
        if (c.pairScore[2] > c.pairScore[row]) row = 2;
        if (c.pairScore[3] > c.pairScore[row]) row = 3;
    }
    for (int k = 0; k < 5; ++k) {
        c.rolePair[k] = static_cast<std::uint8_t>(kFollowRoles[row][k]);
        c.roleElement[k] = static_cast<std::uint8_t>((dayElement + kFollowRoles[row][k]) % 5);
    }
}

struct Judged {
    int level, judgement;
};
Judged JudgeScore(int score, int daySeason, bool congGe) {
    if (score >= 0 && score <= 71) return {3, 3};
    if (score >= 72 && score <= 143) return {4, 4};
    if (score >= -72 && score <= -1) return {2, 2};
    if (score < -72) {
        const int level = score < -235 ? 0 : 1;
        const bool follow = congGe && score < -235 && IsOutOfSeason(daySeason);
        return {level, follow ? 6 : 1};
    }
    const int level = score > 305 ? 6 : 5;
    const bool follow = congGe && score > 305 && IsInSeason(daySeason);
    return {level, follow ? 0 : 5};
}

// A share in per cent as the section prints it: 100 × part / whole as a
// float32 (0 when the whole is 0).
float Percent(int part, int whole) {
    if (whole == 0) return 0.0f;
    return static_cast<float>(100.0 * part / whole);
}

// "%2.1f%)": the number, then the two characters as they stand (the
// number never takes fewer than three characters, so the width adds none).
std::string PercentText(float v) { return OneDecimalText(v) + "%)"; }

// Replaces the last character (a full-width "，" or "。") by `with`.
void ReplaceLastChar(std::string& s, std::string_view with) {
    std::size_t n = s.size();
    while (n > 0 && (static_cast<unsigned char>(s[n - 1]) & 0xC0) == 0x80) --n;  // continuation bytes
    if (n > 0) --n;
    s.resize(n);
    s += with;
}

constexpr std::array<std::string_view, 4> kPositionNames = {"年", "月", "日", "时"};

}  // namespace

int BranchPairRelation(int a, int b, int* groupElement) {
    a = FloorMod(a, 12);
    b = FloorMod(b, 12);
    const auto isPair = [&](const auto& table) {
        for (const BranchPair& p : table) {
            if ((p.a == a && p.b == b) || (p.a == b && p.b == a)) return true;
        }
        return false;
    };
    if (a == b && IsSelfPunishing(a)) return 0;
    if (b == (a + 6) % 12) return 1;
    if (isPair(kSixCombinations)) return 2;
    if (isPair(kSixHarms)) return 3;
    if (const BranchTriple& g = HarmonyGroupOf(a); IsHarmonyMate(g, a, b)) {
        if (groupElement != nullptr) *groupElement = g.element;
        return 4;
    }
    if ((a == 1 && b == 4) || (a == 4 && b == 1)) return 5;
    return -1;
}

float SeasonFactor(int x, int monthBranch) {
    return kSeasonFactor[TenGodOf(x, kBranchMainStem[FloorMod(monthBranch, 12)])];
}

void CountAndScore(ChartData& c) {
    c.yyCountBranch.fill(0);
    c.yyCountHidden.fill(0);
    c.elemCountBranch.fill(0);
    c.elemCountHidden.fill(0);
    c.godCountBranch.fill(0);
    c.godCountHidden.fill(0);
    c.pairCountBranch.fill(0);
    c.pairCountHidden.fill(0);
    c.yyScore.fill(0);

    const int dayStem = StemOfPillar(c.pillars[kDayPos]);
    const int monthBranch = BranchOfPillar(c.pillars[kMonthPos]);

    // The month command: the day stem's factor, ±18 per branch by its stage.
    float season = static_cast<float>(kStemWorth * static_cast<double>(SeasonFactor(dayStem, monthBranch)));
    for (const int p : c.pillars) {
        const int stage = GrowthStageOf(dayStem, BranchOfPillar(p));
        if (IsRisingStage(stage)) season = static_cast<float>(static_cast<double>(season) + kMonthCommandStep);
        if (IsFallingStage(stage)) season = static_cast<float>(static_cast<double>(season) - kMonthCommandStep);
    }
    c.seasonScore = static_cast<std::int16_t>(static_cast<int>(static_cast<double>(season)));

    for (const int p : c.pillars) {
        const int s = StemOfPillar(p);
        const int b = BranchOfPillar(p);
        const int syy = kStemYinYangElement[s];
        ++c.yyCountBranch[syy];
        ++c.yyCountHidden[syy];
        c.yyScore[syy] =
            static_cast<std::int16_t>(c.yyScore[syy] + TruncProduct(kStemWorth, SeasonFactor(s, monthBranch)));
        ++c.yyCountBranch[kBranchYinYangElement[b]];
        for (int k = 0; k < HiddenStemCount(b); ++k) {
            const int h = HiddenStem(b, k);
            const int hyy = kStemYinYangElement[h];
            ++c.yyCountHidden[hyy];
            c.yyScore[hyy] = static_cast<std::int16_t>(
                c.yyScore[hyy] + TruncProduct(HiddenStemWeight(b, k), SeasonFactor(h, monthBranch)));
        }
    }

    ApplyCombinationBonus(c, monthBranch);

    for (int e = 0; e < 5; ++e) {
        c.elemCountBranch[e] = static_cast<std::uint8_t>(c.yyCountBranch[2 * e] + c.yyCountBranch[2 * e + 1]);
        c.elemCountHidden[e] = static_cast<std::uint8_t>(c.yyCountHidden[2 * e] + c.yyCountHidden[2 * e + 1]);
    }

    for (int i = 0; i < 4; ++i) {
        const int s = StemOfPillar(c.pillars[i]);
        const int b = BranchOfPillar(c.pillars[i]);
        if (i != kDayPos) {
            const int g = TenGodOf(dayStem, s);
            ++c.godCountBranch[g];
            ++c.godCountHidden[g];
        }
        ++c.godCountBranch[TenGodOf(dayStem, kBranchMainStem[b])];
        for (int k = 0; k < HiddenStemCount(b); ++k) ++c.godCountHidden[TenGodOf(dayStem, HiddenStem(b, k))];
    }
    for (int p = 0; p < 5; ++p) {
        c.pairCountBranch[p] = static_cast<std::uint8_t>(c.godCountBranch[2 * p] + c.godCountBranch[2 * p + 1]);
        c.pairCountHidden[p] = static_cast<std::uint8_t>(c.godCountHidden[2 * p] + c.godCountHidden[2 * p + 1]);
    }
}

int FindSpecialPattern(const ChartData& c, std::array<std::uint8_t, 5>* roles) {
    const int d = StemOfPillar(c.pillars[kDayPos]);
    const int M = BranchOfPillar(c.pillars[kMonthPos]);
    const int e = kStemElement[d];
    int t3 = -1, t4 = -1;
    for (const BranchCell& b : c.branches) {
        if (b.relations[kRelTriple] >= 0) t3 = b.relations[kRelTriple];
        if (b.relations[kRelMeeting] >= 0) t4 = b.relations[kRelMeeting];
    }
    const auto& E = c.elemCountBranch;
    const auto& P = c.pairCountBranch;
    const auto& S = c.stemPairCount;
    const int s = c.stems[kDayPos].season;
    const int mp = c.branches[kMonthPos].pair;
    const int slot4 = c.branches[kMonthPos].relations[kRelTriple];
    const int slot6 = c.branches[kMonthPos].relations[kRelMeeting];
    const int u = slot4 >= 0 ? FloorMod(slot4 - e, 5) : -1;
    const int w = slot6 >= 0 ? FloorMod(slot6 - e, 5) : -1;
    const auto frame = [&](int element) { return t3 == element || t4 == element; };
    const auto in = [](int x, std::initializer_list<int> set) {
        for (const int v : set) {
            if (x == v) return true;
        }
        return false;
    };

    // Roles as absolute elements, or as offsets from the day element.
    std::array<int, 5> r{};
    bool relative = false;
    int found = -1;
    const auto take = [&](int no, std::array<int, 5> elements, bool fromDay) {
        found = no;
        r = elements;
        relative = fromDay;
    };

    if (in(d, {1, 2}) && in(M, {3, 4}) && frame(1) && E[4] == 0) {
        take(0, {1, 0, 4, 3, 2}, false);  // 曲直格
    } else if (in(d, {3, 4}) && in(M, {6, 7}) && frame(2) && E[0] == 0) {
        take(1, {2, 1, 0, 4, 3}, false);  // 炎上格
    } else if (in(d, {5, 6}) && in(M, {2, 5, 8, 11}) && frame(3) && E[1] == 0) {
        take(2, {3, 2, 1, 0, 4}, false);  // 稼穑格
    } else if (in(d, {7, 8}) && in(M, {9, 10}) && frame(4) && E[2] == 0) {
        take(3, {4, 3, 2, 1, 0}, false);  // 从革格
    } else if (in(d, {9, 0}) && in(M, {0, 1}) && frame(0) && E[3] == 0) {
        take(4, {0, 4, 3, 2, 1}, false);  // 润下格
    } else if (IsOutOfSeason(s) && mp == 2 && (u == 2 || w == 2 || P[2] >= 4) && S[1] + S[2] == 3) {
        take(5, {2, 1, 0, 4, 3}, true);  // 从财格
    } else if (IsOutOfSeason(s) && mp == 3 && (u == 3 || w == 3 || P[3] >= 4) && S[3] + S[2] == 3) {
        take(6, {3, 2, 0, 4, 1}, true);  // 从杀格
    } else if (IsOutOfSeason(s) && mp == 1 && (u == 1 || w == 1 || P[1] >= 4) && S[0] + S[1] == 3) {
        take(7, {1, 0, 4, 3, 2}, true);  // 从儿格
    } else if ((mp == 0 || mp == 4) && IsInSeason(s) && P[0] >= 2 && P[4] >= 2 && P[0] + P[4] >= 6 && P[3] == 0) {
        take(8, {4, 0, 2, 3, 1}, true);  // 从强格
    } else if (s == 0 && P[0] >= 6 && P[3] == 0) {
        take(9, {0, 4, 3, 2, 1}, true);  // 从旺格
    } else {
        int four = 0, present = 0;
        for (int x = 0; x < 5; ++x) {
            four += E[x] == 4;
            present += E[x] > 0;
        }
        if (four == 2) {  // 半壁格: the two full elements, then the rest
            int k = 0;
            for (int x = 0; x < 5; ++x) {
                if (E[x] == 4) r[k++] = x;
            }
            for (int x = 0; x < 5; ++x) {
                if (E[x] != 4) r[k++] = x;
            }
            found = 10;
        } else if (present == 2 && (mp == 0 || mp == 1 || mp == 4)) {
            int lo = -1, hi = -1;
            for (int x = 0; x < 5; ++x) {
                if (E[x] > 0) (lo < 0 ? lo : hi) = x;
            }
            if (hi - lo == 1 || hi - lo == 4) take(11, {0, 4, 3, 2, 1}, true);  // 两神成象格
        }
        if (found < 0) {
            // The transformations: the month and day stems, or the day and
            // hour stems, combine (numbered 1..10, 癸 = 10).
            const auto num = [&](int pos) {
                const int x = StemOfPillar(c.pillars[pos]);
                return x == 0 ? 10 : x;
            };
            const auto pairIs = [&](int sum, int product) {
                const int m = num(kMonthPos), dd = num(kDayPos), h = num(kHourPos);
                return (m + dd == sum && m * dd == product) || (dd + h == sum && dd * h == product);
            };
            if (pairIs(7, 6) && in(M, {2, 5, 8, 11}) && E[1] == 0) {
                take(12, {3, 2, 1, 0, 4}, false);  // 甲己化土格
            } else if (pairIs(9, 14) && in(M, {9, 10}) && E[2] == 0) {
                take(13, {4, 3, 2, 1, 0}, false);  // 乙庚化金格
            } else if (pairIs(11, 24) && in(M, {0, 1}) && E[3] == 0) {
                take(14, {0, 4, 3, 2, 1}, false);  // 丙辛化水格
            } else if (pairIs(13, 36) && in(M, {3, 4}) && E[4] == 0) {
                take(15, {1, 0, 4, 3, 2}, false);  // 丁壬化木格
            } else if (pairIs(15, 50) && in(M, {6, 7}) && E[0] == 0) {
                take(16, {2, 1, 0, 4, 3}, false);  // 戊癸化火格
            }
        }
    }

    if (found >= 0 && roles != nullptr) {
        for (int k = 0; k < 5; ++k) (*roles)[k] = static_cast<std::uint8_t>(relative ? (e + r[k]) % 5 : r[k]);
    }
    return found;
}

void JudgeStrength(ChartData& c, const ChartOptions& options, bool fullAnalysis, int chosenJudgement) {
    const int dayStem = StemOfPillar(c.pillars[kDayPos]);
    const int dayElement = kStemElement[dayStem];

    int yin = 0, yang = 0;
    for (int i = 0; i < 10; ++i) (i % 2 == 0 ? yin : yang) += c.yyScore[i];
    c.yinTotal = static_cast<std::int16_t>(yin);
    c.yangTotal = static_cast<std::int16_t>(yang);
    for (int g = 0; g < 10; ++g) c.godScore[g] = c.yyScore[kStemYinYangElement[StemOfGod(dayStem, g)]];

    FindOrdinaryPatterns(c);
    std::array<std::uint8_t, 5> specialRoles{};
    c.specialPattern = static_cast<std::int16_t>(FindSpecialPattern(c, &specialRoles));

    for (int e = 0; e < 5; ++e) c.elementScore[e] = static_cast<std::int16_t>(c.yyScore[2 * e] + c.yyScore[2 * e + 1]);
    for (int p = 0; p < 5; ++p) c.pairScore[p] = static_cast<std::int16_t>(c.godScore[2 * p] + c.godScore[2 * p + 1]);
    c.dayMasterScore = static_cast<std::int16_t>(c.seasonScore + c.pairScore[0] + c.pairScore[4] -
                                                 (c.pairScore[1] + c.pairScore[2] + c.pairScore[3]));

    if (fullAnalysis) {
        const Judged j = JudgeScore(c.dayMasterScore, c.stems[kDayPos].season, options.followJudgements);
        c.strengthLevel = static_cast<std::uint8_t>(j.level);
        c.judgement = static_cast<std::uint8_t>(j.judgement);
        ChooseRoles(c, dayElement);
        if (c.specialPattern >= 0 && options.specialPatternRoles) {
            for (int k = 0; k < 5; ++k) {
                c.roleElement[k] = specialRoles[k];
                c.rolePair[k] = static_cast<std::uint8_t>(FloorMod(specialRoles[k] - dayElement, 5));
            }
        }
    } else {
        c.strengthLevel = static_cast<std::uint8_t>(StrengthLevelOfJudgement(chosenJudgement));
        c.judgement = static_cast<std::uint8_t>(chosenJudgement);
    }

    c.elementOrder = SelectionOrder(c.elementScore);
    c.pairOrder = SelectionOrder(c.pairScore);
    c.yyOrder = SelectionOrder(c.yyScore);
    c.godOrder = SelectionOrder(c.godScore);
}

void SetRoleClasses(ChartData& c) {
    const auto classOf = [&](int pair) -> std::uint8_t {
        if (pair == c.rolePair[0] || pair == c.rolePair[1]) return 0;
        if (pair == c.rolePair[2] || pair == c.rolePair[3]) return 1;
        return 2;
    };
    for (int i = 0; i < 4; ++i) {
        c.stems[i].roleClass = classOf(c.stems[i].pair);
        c.branches[i].roleClass = classOf(c.branches[i].pair);
    }
}

std::string StrengthSectionText(const ChartData& c, const ChartOptions& options) {
    std::string t;
    t.reserve(640);  // the section with its longest names
    t += "\r\n\r\n※五行力量：";
    // "N(P%)" and what follows it.
    const auto score = [&t](int value, float percent, std::string_view after) {
        t += std::to_string(value);
        t += '(';
        t += PercentText(percent);
        t += after;
    };
    int total = 0;
    for (const int s : c.elementScore) total += s;
    for (int e = 0; e < 5; ++e) {
        t += kElementNames[e];
        score(c.elementScore[e], Percent(c.elementScore[e], total), "  ");
    }
    t += "\r\n";

    const int support = c.pairScore[0] + c.pairScore[4];
    const int drain = c.pairScore[1] + c.pairScore[2] + c.pairScore[3];
    const float supportPct = Percent(support, support + drain);
    t += "  己生助力量:";
    score(support, supportPct, "");
    t += "  克泄耗力量:";
    score(drain, static_cast<float>(100.0 - static_cast<double>(supportPct)), "。");

    const float yinPct = Percent(c.yinTotal, c.yinTotal + c.yangTotal);
    t += "  阴气:";
    score(c.yinTotal, yinPct, "");
    t += "  阳气:";
    score(c.yangTotal, static_cast<float>(100.0 - static_cast<double>(yinPct)), "。\r\n\r\n");

    t += "※日主综合得分：" + std::to_string(c.dayMasterScore) + "。 ";

    const int j = c.judgement;
    const bool special = c.specialPattern >= 0 && c.specialPattern < 17;
    if (special && options.specialPatternRoles) {
        if (j == 0) {
            t += "日元极旺，";
        } else if (j == 6) {
            t += "日元极弱，";
        } else {
            t += "日元";
            t += kJudgementNames[j % 7];
            t += "，";
        }
        t += "命局入";
        t += kSpecialPatternNames[c.specialPattern];
        t += "(以变格论命)，";
    } else if (j == 0) {
        t += "日元极旺，以从旺看，";
    } else if (j == 6) {
        t += "日元极弱，以从弱看，";
    } else {
        t += "日元";
        t += kJudgementNames[j % 7];
        t += "，";
    }

    const auto roleLine = [&](std::string_view head, int r1, int r2, std::string_view end) {
        t += head;
        t += kElementNames[c.roleElement[r1] % 5];
        t += "，";
        t += kElementNames[c.roleElement[r2] % 5];
        t += "(";
        t += kGodPairNames[c.rolePair[r1] % 5];
        t += "、";
        t += kGodPairNames[c.rolePair[r2] % 5];
        t += ")";
        t += end;
    };
    roleLine("喜用", 0, 1, "。");
    roleLine("忌仇", 2, 3, "。\r\n");

    if (c.patterns[0] < 0) {
        t += "※此命局未入正格。";
    } else {
        t += "※此命局入";
        for (int k = 0; k < 4 && c.patterns[k] >= 0; ++k) {
            t += kOrdinaryPatternNames[c.patterns[k] % 10];
            t += "格、";
        }
        ReplaceLastChar(t, "。");
    }
    if (special) {
        t += "入";
        t += kSpecialPatternNames[c.specialPattern];
        t += "（变格）。";
    }
    t += "\r\n";
    return t;
}

std::string RelationsSectionText(const ChartData& c) {
    std::string t = "※天干有";
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const int si = StemOfPillar(c.pillars[i]), sj = StemOfPillar(c.pillars[j]);
            const int kind = StemCombinationKind(si, sj);
            if (kind < 0) continue;
            t += kStemNames[si];
            t += kStemNames[sj];
            t += kPositionNames[i];
            t += kPositionNames[j];
            t += kStemCombinationNames[kind];
            t += "，";
            any = true;
        }
    }
    if (any) {
        ReplaceLastChar(t, "。");
    } else {
        t = "※天干无合。";
    }

    std::string b = "地支有";
    const std::size_t head = b.size();
    const auto pairText = [&](int t1, int t2, int i, int j, std::string_view name) {
        b += kBranchNames[t1];
        b += kBranchNames[t2];
        b += kPositionNames[i];
        b += kPositionNames[j];
        b += name;
    };
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            const int tb = BranchOfPillar(c.pillars[i]);
            const int nb = BranchOfPillar(c.pillars[j]);
            int element = -1;
            switch (BranchPairRelation(tb, nb, &element)) {
                case 0: pairText(tb, nb, i, j, "自刑，"); break;
                case 1: pairText(tb, nb, i, j, "相冲，"); break;
                case 2: pairText(tb, nb, i, j, "六合，"); break;
                case 3: pairText(tb, nb, i, j, "相害，"); break;
                case 4:
                    pairText(tb, nb, i, j, "半三合");
                    b += kElementNames[element];
                    b += "局，";
                    break;
                case 5: pairText(tb, nb, i, j, "无礼之刑，"); break;
                default: break;
            }
        }
    }

    static constexpr struct {
        int product, sum;
        std::string_view name;
    } kTripleTexts[] = {
        {231, 21, "三合火局"},  {384, 24, "三合木局"},  {120, 18, "三合金局"},   {45, 15, "三合水局"},
        {24, 15, "三会北方水"}, {60, 12, "三会东方木"}, {336, 21, "三会南方火"}, {990, 30, "三会西方金"},
        {176, 21, "恃势之刑"},  {162, 18, "无恩之刑"},
    };
    for (int i = 0; i < 4; ++i) {
        for (int j = i + 1; j < 4; ++j) {
            for (int k = j + 1; k < 4; ++k) {
                const int ni = BranchNumber(c.pillars[i]), nj = BranchNumber(c.pillars[j]),
                          nk = BranchNumber(c.pillars[k]);
                for (const auto& tt : kTripleTexts) {
                    if (ni * nj * nk != tt.product || ni + nj + nk != tt.sum) continue;
                    b += PillarBranchName(c.pillars[i]);
                    b += PillarBranchName(c.pillars[j]);
                    b += PillarBranchName(c.pillars[k]);
                    b += kPositionNames[i];
                    b += kPositionNames[j];
                    b += kPositionNames[k];
                    b += tt.name;
                    b += "，";
                    break;
                }
            }
        }
    }
    if (HasFourGraves(c)) b += "辰戌丑未四库全。";

    if (b.size() == head) {
        b = "地支无刑冲害合。\r\n\r\n";
    } else {
        ReplaceLastChar(b, "。\r\n\r\n");
    }
    return t + b;
}

}  // namespace tessaly
