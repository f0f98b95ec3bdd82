// PregnancyTable (aka the table of TFrmHuaiYun, Unthiyun) — the folk table "清宫珍藏生男生女预计法".
//
// From the mother's age in nominal years (虚岁, 18..45) and the lunar month
// of conception (1..12) the table answers "生男孩" or "生女孩".
#pragma once

#include <string_view>

namespace tessaly {

inline constexpr int kPregnancyFirstAge = 18;
inline constexpr int kPregnancyLastAge = 45;

inline constexpr std::string_view kPregnancyTitle = "清宫珍藏生男生女预计法";
inline constexpr std::string_view kBoyAnswer = "生男孩";
inline constexpr std::string_view kGirlAnswer = "生女孩";
// An age outside the table, with its caption.
inline constexpr std::string_view kAgeRefused = "母亲年龄在18-45岁";
inline constexpr std::string_view kAgeRefusedCaption = "岁数";

// The table's answer for an age and a month 1..12; empty when the age is
// outside 18..45 (or the month outside 1..12).
std::string_view PregnancyAnswer(int age, int month);

// The same for the age as typed: a text that is not a number (optionally
// signed decimal digits; empty counts as not a number) is age 0.
std::string_view PregnancyAnswer(std::string_view ageText, int month);

}  // namespace tessaly
