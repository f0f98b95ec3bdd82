// OneDecimalText must write what printf("%.1f") writes, rounding included.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>

#include "common/NumberText.h"

namespace tessaly {
namespace {

std::string Printf(float v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.1f", static_cast<double>(v));
    return buf;
}

TEST(OneDecimalText, WritesWhatPrintfWrites) {
    const float kCases[] = {0.0f,   -0.0f,  0.05f,  0.25f,  0.35f,  0.75f,     1.25f,      2.45f,    12.5f, 99.95f,
                            100.0f, -0.25f, -0.04f, 1e-30f, 1e-45f, 0.049999f, 999999.94f, 9.999e8f, 1e9f,  3e38f};
    for (const float v : kCases) {
        SCOPED_TRACE(Printf(v));
        EXPECT_EQ(OneDecimalText(v), Printf(v));
    }
    // The strength section's percentages: 100·part/whole as float.
    for (int whole = 1; whole <= 400; ++whole) {
        for (int part = 0; part <= whole; ++part) {
            const float v = static_cast<float>(100.0 * part / whole);
            ASSERT_EQ(OneDecimalText(v), Printf(v)) << part << "/" << whole;
        }
    }
    // Any finite float.
    std::mt19937 rng(7);
    for (int i = 0; i < 200000; ++i) {
        const std::uint32_t bits = rng();
        float v;
        std::memcpy(&v, &bits, sizeof v);
        if (!std::isfinite(v)) continue;
        ASSERT_EQ(OneDecimalText(v), Printf(v)) << bits;
    }
}

}  // namespace
}  // namespace tessaly
