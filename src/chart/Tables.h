// The numbering of the classical categories and the constant tables that map
// between them. Every stored value in a chart uses this numbering:
//
//   StemIndex    0..9   癸 甲 乙 丙 丁 戊 己 庚 辛 壬   (odd = yang)
//   BranchIndex  0..11  亥 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 (odd = yang)
//   PillarIndex  0..59  1 = 甲子 … 59 = 壬戌, 0 = 癸亥; stem = p % 10, branch = p % 12
//   Element      0..4   水 木 火 土 金; e produces e+1, controls e+2
//   TenGod       0..9   比肩 劫财 食神 伤官 偏财 正财 七杀 正官 偏印 正印
//   GodPair      0..4   TenGod / 2
//
// Tables are data; the few pure functions below are the only logic.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "calendar/Sexagenary.h"

namespace tessaly {

using Names10 = std::array<std::string_view, 10>;
using Names12 = std::array<std::string_view, 12>;

inline constexpr std::array<std::string_view, 5> kElementNames = {"水", "木", "火", "土", "金"};
inline constexpr Names10 kYinYangElementNames = {"阴水", "阳水", "阴木", "阳木", "阴火",
                                                 "阳火", "阴土", "阳土", "阴金", "阳金"};
inline constexpr Names10 kTenGodNames = {"比肩", "劫财", "食神", "伤官", "偏财",
                                         "正财", "七杀", "正官", "偏印", "正印"};
// One-letter forms of the ten gods for compact columns.
inline constexpr Names10 kTenGodShortNames = {"比", "劫", "食", "伤", "才", "财", "杀", "官", "枭", "印"};
inline constexpr std::array<std::string_view, 5> kGodPairNames = {"比劫", "食伤", "财星", "官杀", "印枭"};
inline constexpr Names12 kGrowthStageNames = {"长生", "沐浴", "冠带", "临官", "帝旺", "衰",
                                              "病",   "死",   "墓",   "绝",   "胎",   "养"};
inline constexpr std::array<std::string_view, 5> kSeasonStateNames = {"旺", "相", "休", "囚", "死"};
inline constexpr std::array<std::string_view, 7> kJudgementNames = {"从旺", "太弱", "偏弱", "平和",
                                                                    "偏旺", "太旺", "从弱"};
inline constexpr std::array<std::string_view, 5> kRoleNames = {"用神", "喜神", "忌神", "仇神", "闲神"};
// Ordinary patterns, printed with "格" appended.
inline constexpr Names10 kOrdinaryPatternNames = {"建禄", "羊刃", "食神", "伤官", "偏财",
                                                  "正财", "七杀", "正官", "偏印", "正印"};
inline constexpr std::array<std::string_view, 17> kSpecialPatternNames = {
    "曲直格", "炎上格", "稼穑格",     "从革格",     "润下格",     "从财格",     "从杀格",     "从儿格",    "从强格",
    "从旺格", "半壁格", "两神成象格", "甲己化土格", "乙庚化金格", "丙辛化水格", "丁壬化木格", "戊癸化火格"};
// Printed with "座" appended.
inline constexpr Names12 kConstellationNames = {"白羊", "金牛", "双子", "巨蟹", "狮子", "处女",
                                                "天秤", "天蝎", "人马", "摩羯", "宝瓶", "双鱼"};
inline constexpr std::array<std::string_view, 7> kWeekdayNames = {"日", "一", "二", "三", "四", "五", "六"};
// Each nayin name covers two consecutive pillars; printed exactly as listed.
inline constexpr std::array<std::string_view, 30> kNayinNames = {
    "大海水", "海中金", "炉中火", "大林木", "路旁土", "剑锋金", "山头火", "洞下水", "城墙土", "白蜡金",
    "杨柳木", "泉中水", "屋上土", "霹雷火", "松柏木", "长流水", "沙中金", "山下火", "平地木", "壁上土",
    "金箔金", "佛灯火", "天河水", "大驿土", "钗钏金", "桑松木", "大溪水", "沙中土", "天上火", "石榴木"};

// --- Mapping tables -------------------------------------------------------

inline constexpr std::array<std::uint8_t, 10> kStemElement = {0, 1, 1, 2, 2, 3, 3, 4, 4, 0};
inline constexpr std::array<std::uint8_t, 10> kStemYinYangElement = {0, 3, 2, 5, 4, 7, 6, 9, 8, 1};
inline constexpr std::array<std::uint8_t, 12> kBranchElement = {0, 0, 3, 1, 1, 3, 2, 2, 3, 4, 4, 3};
inline constexpr std::array<std::uint8_t, 12> kBranchYinYangElement = {0, 1, 6, 3, 2, 7, 4, 5, 6, 9, 8, 7};
// 本气: the main hidden stem of each branch.
inline constexpr std::array<std::uint8_t, 12> kBranchMainStem = {9, 0, 6, 1, 2, 5, 3, 4, 6, 7, 8, 5};
// The branch on which each stem's growth cycle starts (长生).
inline constexpr std::array<std::uint8_t, 10> kGrowthStartBranch = {4, 0, 7, 3, 10, 3, 10, 6, 1, 9};
// SeasonState by (x − m) mod 5, x the element, m the month's element: 旺 相 死 囚 休.
inline constexpr std::array<std::uint8_t, 5> kSeasonStateByDistance = {0, 1, 4, 3, 2};
inline constexpr std::array<std::uint8_t, 30> kNayinElement = {0, 4, 2, 1, 3, 4, 2, 0, 3, 4, 1, 0, 3, 2, 1,
                                                               0, 4, 2, 1, 3, 4, 2, 0, 3, 4, 1, 0, 3, 2, 1};

// Hidden stems (藏干) of each branch as strings of stem digits, and their
// weights as two-digit numbers in the same order. Code walks the strings
// character by character: a hidden stem's position is its identity.
inline constexpr std::array<std::string_view, 12> kHiddenStems = {"19",  "0",  "086", "135", "2", "250",
                                                                  "735", "64", "264", "579", "8", "845"};
inline constexpr std::array<std::string_view, 12> kHiddenStemWeights = {
    "1230", "30", "090318", "300707", "30", "091803", "093005", "0930", "031809", "103003", "30", "090318"};

constexpr int HiddenStemCount(int branch) { return static_cast<int>(kHiddenStems[branch % 12].size()); }
constexpr int HiddenStem(int branch, int k) { return kHiddenStems[branch % 12][k] - '0'; }
constexpr int HiddenStemWeight(int branch, int k) {
    const std::string_view w = kHiddenStemWeights[branch % 12];
    return (w[2 * k] - '0') * 10 + (w[2 * k + 1] - '0');
}

// --- Relation tables of branches (pairs unordered) -------------------------

struct BranchPair {
    std::uint8_t a, b;
};
// 六合: 子丑 寅亥 卯戌 辰酉 巳申 午未
inline constexpr std::array<BranchPair, 6> kSixCombinations = {{{1, 2}, {3, 0}, {4, 11}, {5, 10}, {6, 9}, {7, 8}}};
// 六害: 子未 丑午 寅巳 卯辰 申亥 酉戌
inline constexpr std::array<BranchPair, 6> kSixHarms = {{{1, 8}, {2, 7}, {3, 6}, {4, 5}, {9, 0}, {10, 11}}};

struct BranchTriple {
    std::uint8_t a, b, c;  // BranchIndex, the middle one is b
    std::uint8_t element;
};
// 三合: 申子辰 水, 亥卯未 木, 寅午戌 火, 巳酉丑 金 (middle branch second).
inline constexpr std::array<BranchTriple, 4> kThreeHarmonies = {
    {{9, 1, 5, 0}, {0, 4, 8, 1}, {3, 7, 11, 2}, {6, 10, 2, 4}}};
// 三会: 亥子丑 北方水, 寅卯辰 东方木, 巳午未 南方火, 申酉戌 西方金.
inline constexpr std::array<BranchTriple, 4> kThreeMeetings = {
    {{0, 1, 2, 0}, {3, 4, 5, 1}, {6, 7, 8, 2}, {9, 10, 11, 4}}};
// The 三合 group of a branch by number, branch % 4: 0 亥卯未, 1 申子辰,
// 2 巳酉丑, 3 寅午戌.
constexpr int HarmonyGroupNumber(int branch) { return branch % 4; }
// The 三合 group of a branch, its three branches and element (every branch
// is in exactly one).
constexpr const BranchTriple& HarmonyGroupOf(int branch) {
    for (const BranchTriple& g : kThreeHarmonies) {
        if (g.a == branch || g.b == branch || g.c == branch) return g;
    }
    return kThreeHarmonies[0];  // not reached: the four groups cover all twelve
}
static_assert(HarmonyGroupOf(4).element == 1 && HarmonyGroupNumber(4) == 0);  // 卯: 亥卯未 木
// The grave (库) branches 丑 辰 未 戌.
constexpr bool IsGraveBranch(int branch) {
    const int b = branch % 12;
    return b == 2 || b == 5 || b == 8 || b == 11;
}
// 自刑: 辰 午 酉 亥 meeting themselves.
constexpr bool IsSelfPunishing(int branch) {
    const int b = branch % 12;
    return b == 5 || b == 7 || b == 10 || b == 0;
}

// 五合 of stems: kind 0 戊癸 无情之合, 1 甲己 中正之合, 2 乙庚 仁义之合,
// 3 丙辛 威制之合, 4 丁壬 淫匿之合.
inline constexpr std::array<std::string_view, 5> kStemCombinationNames = {"无情之合", "中正之合", "仁义之合",
                                                                          "威制之合", "淫匿之合"};
// The kind of the combination of two stems, recognised by the product and
// sum of their numbers (癸 = 0 … 壬 = 9); −1 when they do not combine.
constexpr int StemCombinationKind(int s1, int s2) {
    const int a = s1 % 10, b = s2 % 10;
    const int p = a * b, s = a + b;
    if (p == 0 && s == 5) return 0;
    if (p == 6 && s == 7) return 1;
    if (p == 14 && s == 9) return 2;
    if (p == 24 && s == 11) return 3;
    if (p == 36 && s == 13) return 4;
    return -1;
}

// --- Pure helpers on the numbering -----------------------------------------

// The ten god of stem s for the day stem `day`.
constexpr int TenGodOf(int day, int s) {
    const int d = day % 10;
    int x = s % 10;
    if (x < d) x += 10;
    if (d % 2 == 0 && (x - d) % 2 == 1) x += 2;
    return (x - d) % 10;
}

// The stem that is ten god g of the day stem.
constexpr int StemOfGod(int day, int g) {
    int x = (day % 10 + g) % 10;
    if (day % 2 == 0 && g % 2 == 1) {
        x -= 2;
        if (x < 0) x += 10;
    }
    return x;
}

// The growth stage of stem s on branch b: yang stems count forward from
// their start branch, yin stems backward.
constexpr int GrowthStageOf(int s, int b) {
    const int start = kGrowthStartBranch[s % 10];
    return (s % 10) % 2 == 1 ? FloorMod(b % 12 - start, 12) : FloorMod(start - b % 12, 12);
}

// The nayin number 0..29 of a pillar.
constexpr int NayinOf(int pillar) {
    const int p = FloorMod(pillar, 60);
    return (p % 2 == 1 ? (p + 1) % 60 : p) / 2;
}

// SeasonState of element x in a month whose branch element is m.
constexpr int SeasonStateOf(int x, int m) { return kSeasonStateByDistance[FloorMod(x - m, 5)]; }

static_assert(TenGodOf(2, 3) == 3);                  // day 乙, stem 丙: 伤官
static_assert(NayinOf(0) == 0 && NayinOf(59) == 0);  // 壬戌 癸亥 大海水
static_assert(NayinOf(1) == 1 && NayinOf(2) == 1);   // 甲子 乙丑 海中金

}  // namespace tessaly
