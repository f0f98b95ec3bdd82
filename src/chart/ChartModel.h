// The chart block of one person and its cells. Counts are unsigned 8-bit,
// scores signed 16-bit, as the analysis and the stored cases expect.
#pragma once

#include <array>
#include <cstdint>

namespace tessaly {

inline constexpr std::uint8_t kNone8 = 255;  // "no god/pair" in a cell

// Positions of the four pillars.
enum PillarPos : int { kYearPos = 0, kMonthPos = 1, kDayPos = 2, kHourPos = 3 };

// Relation slots of a BranchCell; −1 = none.
enum RelationSlot : int {
    kRelClash = 0,        // 冲: branch % 6 of the clashing pair
    kRelPunish = 1,       // 刑: 自刑 the branch itself; 子卯 1
    kRelHarm = 2,         // 害: smaller branch number of the pair
    kRelCombine = 3,      // 六合: smaller branch number of the pair
    kRelTriple = 4,       // 三合 (all three): the group element
    kRelHalfTriple = 5,   // 半三合: 10 × element, + 5 with 丑 辰 未 or 戌
    kRelMeeting = 6,      // 三会: the group element; 3 for 辰戌丑未 all four
    kRelThreePunish = 7,  // 三刑: 2 for 丑未戌, 3 for 寅巳申
};

struct StemCell {
    std::uint8_t god = 0;           // TenGod of the stem; 255 for the day stem
    std::uint8_t pair = 0;          // its GodPair; 255 for the day stem
    std::uint8_t stage = 0;         // GrowthStage on its own pillar's branch
    std::uint8_t season = 0;        // SeasonState in the birth month
    std::int16_t combineKind = -1;  // stem-combination kind 0..4, −1 none
    std::uint8_t roleClass = 0;     // 0 用/喜 pair, 1 忌/仇 pair, 2 otherwise
};

struct BranchCell {
    std::uint8_t god = 0;   // TenGod of the main stem
    std::uint8_t pair = 0;  // its GodPair
    std::array<std::uint8_t, 3> hiddenGods = {kNone8, kNone8, kNone8};
    std::array<std::uint8_t, 3> hiddenPairs = {kNone8, kNone8, kNone8};
    std::uint8_t season = 0;  // SeasonState of the branch element
    std::uint8_t roleClass = 0;
    std::array<std::int16_t, 8> relations = {-1, -1, -1, -1, -1, -1, -1, -1};
};

inline constexpr int kStarSlots = 31;

// One person's chart.
struct ChartData {
    std::array<std::int16_t, 4> pillars{};  // year, month, day, hour (PillarIndex)
    std::array<std::uint8_t, 4> nayinElement{};
    std::array<std::uint8_t, 10> yyCountBranch{};
    std::array<std::uint8_t, 10> yyCountHidden{};
    std::array<std::uint8_t, 5> elemCountBranch{};
    std::array<std::uint8_t, 5> elemCountHidden{};
    std::array<std::uint8_t, 10> godCountBranch{};
    std::array<std::uint8_t, 10> godCountHidden{};
    std::array<std::uint8_t, 5> pairCountBranch{};
    std::array<std::uint8_t, 5> pairCountHidden{};
    std::array<std::uint8_t, 10> stemGodCount{};
    std::array<std::uint8_t, 5> stemPairCount{};
    std::array<std::uint8_t, 10> branchGodCount{};
    std::array<std::uint8_t, 10> hiddenGodCount{};
    std::array<std::uint8_t, 5> branchPairCount{};
    std::array<std::uint8_t, 5> hiddenPairCount{};
    std::int16_t dayMasterScore = 0;
    std::array<std::int16_t, 10> yyScore{};
    std::array<std::int16_t, 10> godScore{};
    std::array<std::int16_t, 5> elementScore{};
    std::array<std::int16_t, 5> pairScore{};
    std::array<std::uint8_t, 5> elementOrder{};  // weakest first
    std::array<std::uint8_t, 5> pairOrder{};
    std::array<std::uint8_t, 10> yyOrder{};
    std::array<std::uint8_t, 10> godOrder{};
    std::int16_t yinTotal = 0;
    std::int16_t yangTotal = 0;
    std::int16_t seasonScore = 0;
    std::uint8_t strengthLevel = 0;          // 0..6, weak to strong
    std::uint8_t judgement = 0;              // StrengthJudgement
    std::array<std::int16_t, 4> patterns{};  // ordinary patterns, ended by −1
    std::int16_t specialPattern = 0;         // −1 none
    std::uint8_t constellation = 0;
    std::uint8_t lifePalace = 0;        // 命宫 pillar
    std::uint8_t conceptionPillar = 0;  // 胎元 pillar
    std::uint8_t luckStartYears = 0;
    std::array<std::uint8_t, 5> roleElement{};  // element of each Role
    std::array<std::uint8_t, 5> rolePair{};     // GodPair of each Role
    std::array<std::array<std::uint8_t, kStarSlots>, 4> starHits{};
    std::array<StemCell, 4> stems{};
    std::array<BranchCell, 4> branches{};
    std::uint8_t era = 0;  // 年命: 0 上元, 1 中元, 2 下元
    std::int16_t birthNumber = 0;
};

// A chart block with every field zero, the state a run starts each person
// from (the cells' "none" markers are zero too until the chart is built).
inline ChartData ZeroChartData() {
    ChartData c;
    for (auto& s : c.stems) s = StemCell{0, 0, 0, 0, 0, 0};
    for (auto& b : c.branches) {
        b = BranchCell{};
        b.hiddenGods.fill(0);
        b.hiddenPairs.fill(0);
        b.relations.fill(0);
    }
    return c;
}

}  // namespace tessaly
