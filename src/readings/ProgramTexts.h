// The program's numbered texts, looked up by id (906, 909, 5251..5260,
// 7016..7025, 8200..8229, 8260..8271).
#pragma once

#include <string_view>

namespace tessaly {

// The text with this id; empty for an id the table does not hold.
std::string_view ProgramText(int id);

inline constexpr int kPersonalityTipText = 906;
inline constexpr int kMarriageTipText = 909;

}  // namespace tessaly
