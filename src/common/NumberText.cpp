#include "common/NumberText.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace tessaly {

std::string OneDecimalText(float v) {
    if (!std::isfinite(v) || std::fabs(v) >= 1e9f) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v));
        return buf;
    }
    // |v| = m · 2^(exp − 24) with a 24-bit integer m, so 10·|v| is
    // 10·m / 2^shift exactly: the tenths are that quotient rounded to the
    // nearest integer, a tie to the even one.
    int exp = 0;
    const float fraction = std::frexp(std::fabs(v), &exp);
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 24));
    const std::uint64_t tenM = 10 * m;  // below 2^28
    const int shift = 24 - exp;
    std::uint64_t tenths = 0;
    if (shift <= 0) {
        tenths = tenM << -shift;  // |v| < 1e9: no overflow
    } else if (shift < 40) {      // from 40 on, 10·|v| < 2^-12: zero tenths
        const std::uint64_t rest = tenM & ((std::uint64_t{1} << shift) - 1);
        const std::uint64_t half = std::uint64_t{1} << (shift - 1);
        tenths = tenM >> shift;
        if (rest > half || (rest == half && (tenths & 1) != 0)) ++tenths;
    }
    std::string s = std::signbit(v) ? "-" : "";
    s += std::to_string(tenths / 10);
    s += '.';
    s += static_cast<char>('0' + tenths % 10);
    return s;
}

}  // namespace tessaly
