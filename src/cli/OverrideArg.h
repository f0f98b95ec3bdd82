// The VALUES of `match --override-a VALUES` / `--override-b VALUES`: the user's own
// scores, roles and judgement for one person, "key=value" pairs separated by
// ";":
//   scores=s0,s1,...,s9     the ten-god scores 比肩 … 正印, 0..999, sum ≥ 36
//   roles=Y,X,J,C,N         the pairs of 用神 喜神 忌神 仇神 闲神, by name
//                           (比劫 食伤 财星 官杀 印枭) or number 0..4
//   judgement=J             从旺 太弱 偏弱 平和 偏旺 太旺 从弱, or 0..6
// A key left out keeps the value the matching run gave.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "matching/Reanalysis.h"

namespace tessaly::cli {

struct OverrideValues {
    std::optional<std::array<int, 10>> scores;
    std::optional<std::array<int, 5>> rolePairs;
    std::optional<int> judgement;
};

// Parses VALUES. The scores get the desktop dialog's checks (a value that is
// not a number or lies outside 0..999: "请输入0至999之间的数", naming the ten
// god; a sum below 36: "十神之和不能小于36"). On failure returns false with
// a message naming the key.
bool ParseOverrideValues(std::string_view text, OverrideValues* out, std::string* error);

// The override of a person: the values the user gave, over `base`.
RoleOverride ApplyOverrideValues(RoleOverride base, const OverrideValues& chosen);

}  // namespace tessaly::cli
