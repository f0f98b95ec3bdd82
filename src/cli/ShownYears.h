// The years the calendar commands of tessaly-cli accept, as users write
// them (negative for BC, no year 0): every year whose terms and new moons
// the calendar finds.
#pragma once

namespace tessaly::cli {

inline constexpr int kFirstShownYear = -4712;
inline constexpr int kLastShownYear = 9999;

}  // namespace tessaly::cli
