// The sexagenary cycle (干支): the ten stems, the twelve branches and their
// sixty pillars, as every part of the program numbers and names them.
//
//   StemIndex    0..9   癸 甲 乙 丙 丁 戊 己 庚 辛 壬   (odd = yang)
//   BranchIndex  0..11  亥 子 丑 寅 卯 辰 巳 午 未 申 酉 戌 (odd = yang)
//   PillarIndex  0..59  1 = 甲子 … 59 = 壬戌, 0 = 癸亥; stem = p % 10, branch = p % 12
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessaly {

inline constexpr std::array<std::string_view, 10> kStemNames = {"癸", "甲", "乙", "丙", "丁",
                                                                "戊", "己", "庚", "辛", "壬"};
inline constexpr std::array<std::string_view, 12> kBranchNames = {"亥", "子", "丑", "寅", "卯", "辰",
                                                                  "巳", "午", "未", "申", "酉", "戌"};
// The zodiac animal of each branch, in the same order (0 = 亥, 猪).
inline constexpr std::array<std::string_view, 12> kZodiacNames = {"猪", "鼠", "牛", "虎", "兔", "龙",
                                                                  "蛇", "马", "羊", "猴", "鸡", "狗"};

// a mod n in 0..n−1, for negative a too (years BC, days before J2000).
constexpr int FloorMod(long long a, int n) {
    const int r = static_cast<int>(a % n);
    return r < 0 ? r + n : r;
}

constexpr int StemOfPillar(int pillar) { return FloorMod(pillar, 10); }
constexpr int BranchOfPillar(int pillar) { return FloorMod(pillar, 12); }

// The pillar of a stem and a branch of equal parity.
constexpr int PillarOfStemBranch(int s, int b) {
    const int c = FloorMod(s - b, 12);
    return s + (c / 2) * 10;
}

static_assert(PillarOfStemBranch(1, 1) == 1);    // 甲子
static_assert(PillarOfStemBranch(0, 0) == 0);    // 癸亥
static_assert(PillarOfStemBranch(9, 11) == 59);  // 壬戌

// The year pillar of a year from its 立春 on (a birth before 立春 belongs
// to the year before): 1984 is 甲子.
constexpr int YearPillarOfYear(int year) { return FloorMod(year + 897LL, 60); }
static_assert(YearPillarOfYear(1984) == 1 && YearPillarOfYear(2024) == 41);

// The month pillar of a month branch in a year with the given year pillar:
// the stem of the 寅 month follows the year stem (甲己 丙寅, 乙庚 戊寅, …).
constexpr int MonthPillarFrom(int yearPillar, int monthBranch) {
    const int y = FloorMod(monthBranch - 3, 12);  // 寅 = 0
    int f = FloorMod(yearPillar, 10);
    if (f == 0) f = 10;
    if (f > 5) f -= 5;
    const int stem = ((2 * f + 1) % 10 + y) % 10;
    return PillarOfStemBranch(stem, (y + 3) % 12);
}
static_assert(MonthPillarFrom(41, 3) == 3);  // 甲辰年 寅月: 丙寅

inline std::string_view PillarStemName(int pillar) { return kStemNames[StemOfPillar(pillar)]; }
inline std::string_view PillarBranchName(int pillar) { return kBranchNames[BranchOfPillar(pillar)]; }

// "甲子" for pillar 1, "癸亥" for 0.
inline std::string PillarName(int pillar) {
    std::string name(PillarStemName(pillar));
    name += PillarBranchName(pillar);
    return name;
}

// The pillar of a name such as "甲子", or −1 when it names none.
inline int PillarFromName(std::string_view name) {
    for (int p = 0; p < 60; ++p) {
        const std::string_view stem = PillarStemName(p), branch = PillarBranchName(p);
        if (name.size() == stem.size() + branch.size() && name.starts_with(stem) && name.ends_with(branch)) return p;
    }
    return -1;
}

}  // namespace tessaly
