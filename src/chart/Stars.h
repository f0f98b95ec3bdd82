// Symbolic stars (神煞): markers that attach to a pillar when its stem,
// branch or whole pillar stands in a fixed relation to the day stem, the
// year branch, the month branch or the day pillar.
//
// Every hit is a count in a [position][slot] table (position year, month,
// day, hour; slot below). Each rule is tested once per pillar, so every entry
// ends at 0 or 1 for one chart. Nothing here prints: the readings and the
// compatibility index consult the counts by position and slot.
//
// All functions are pure functions of the four pillars (PillarIndex, reduced
// mod 60) and the sex; the day pillar is the one after the 子时 rule.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "chart/ChartModel.h"

namespace tessaly {

// The star slots, the column of the hit table.
enum StarSlot : int {
    kStarYangRen = 0,     // 羊刃
    kStarTaoHua = 1,      // 桃花
    kStarYiMa = 2,        // 驿马
    kStarHuaGai = 3,      // 华盖
    kStarLuShen = 4,      // 禄神
    kStarKongWang = 5,    // 空亡
    kStarJinShen = 6,     // 金神
    kStarKuiGang = 7,     // 魁罡
    kStarTaiJi = 8,       // 太极
    kStarJiangXing = 9,   // 将星
    kStarWenChang = 10,   // 文昌
    kStarTianYi = 11,     // 天乙
    kStarJieSha = 12,     // 劫煞
    kStarZaiSha = 13,     // 灾煞
    kStarXueTang = 14,    // 学堂
    kStarCiGuan = 15,     // 词馆
    kStarTianDe = 16,     // 天德
    kStarYueDe = 17,      // 月德
    kStarGuChen = 18,     // 孤辰
    kStarGuaSu = 19,      // 寡宿
    kStarUnused = 20,     // never set
    kStarDeXiu = 21,      // 德秀 (set to 1, year row only)
    kStarGongLu = 22,     // 拱禄 (set to 1, day and hour rows)
    kStarGouSha = 23,     // 勾煞
    kStarJiaoSha = 24,    // 绞煞
    kStarWangShen = 25,   // 亡神
    kStarDaHao = 26,      // 大耗
    kStarShiEDaBai = 27,  // 十恶大败
    kStarSiFei = 28,      // 四废
    kStarGuLuan = 29,     // 孤鸾
    kStarTongZi = 30,     // 童子
};

// The star of each slot by name; slot 20 has none.
inline constexpr std::array<std::string_view, kStarSlots> kStarNames = {
    "羊刃", "桃花", "驿马", "华盖", "禄神", "空亡",     "金神", "魁罡", "太极", "将星", "文昌",
    "天乙", "劫煞", "灾煞", "学堂", "词馆", "天德",     "月德", "孤辰", "寡宿", "",     "德秀",
    "拱禄", "勾煞", "绞煞", "亡神", "大耗", "十恶大败", "四废", "孤鸾", "童子"};

// The slot of a star named as in kStarNames, or −1.
constexpr int StarSlotOf(std::string_view name) {
    if (name.empty()) return -1;
    for (int s = 0; s < kStarSlots; ++s) {
        if (kStarNames[s] == name) return s;
    }
    return -1;
}

// Hit counts by [pillar position][star slot], the shape of ChartData::starHits.
using StarHits = std::array<std::array<std::uint8_t, kStarSlots>, 4>;
static_assert(std::is_same_v<decltype(ChartData::starHits), StarHits>);

// The pillar stars of one position: adds to hits[position] the stars found
// by the day stem (天乙 太极 文昌 禄神 羊刃 词馆 学堂), by the month branch
// (月德 天德), the group stars of the day and the year branch (驿马 华盖 将星
// 桃花 劫煞 灾煞 亡神, each at most once), by the year (勾煞 绞煞 大耗, not on
// the year pillar), 孤辰 寡宿, 空亡 and 童子 (day and hour only).
//   Given:  pillars   year, month, day, hour (PillarIndex)
//           isMale    true for 乾造 (the year stars depend on it)
//           position  0..3, the pillar evaluated is pillars[position]
void EvaluateStars(const std::array<std::int16_t, 4>& pillars, bool isMale, int position, StarHits& hits);

// The stars of the day and hour pillars, evaluated once per chart: 魁罡,
// 金神, 十恶大败, 四废 (day row), 孤鸾 (day and hour rows), 德秀 (year row,
// set to 1) and 拱禄 (day and hour rows, set to 1).
void EvaluateDayHourStars(const std::array<std::int16_t, 4>& pillars, StarHits& hits);

// The branch that is a group star (驿马 华盖 将星 桃花 劫煞 灾煞 亡神) of a
// base branch, fixed by the base's 三合 group: the branch EvaluateStars
// looks for from the day branch and from the year branch (桃花 of 子 is 酉).
// −1 for a slot that is not a group star.
int GroupStarBranch(int slot, int baseBranch);

// The whole star table of a chart: from zero, EvaluateStars for the year,
// month, day and hour pillar in that order, then the day and hour stars.
// The chart builder stores the result in ChartData::starHits.
StarHits ChartStars(const std::array<std::int16_t, 4>& pillars, bool isMale);

}  // namespace tessaly
