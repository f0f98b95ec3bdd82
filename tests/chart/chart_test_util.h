// Small helpers of the chart tests: a chart's four pillars as text.
#pragma once

#include <string>

#include "calendar/Sexagenary.h"
#include "chart/ChartModel.h"

namespace tessaly::testutil {

// "甲子 乙丑 丙寅 丁卯": year, month, day and hour pillar.
inline std::string Pillars(const ChartData& c) {
    std::string s;
    for (std::size_t i = 0; i < c.pillars.size(); ++i) {
        if (i) s += ' ';
        s += PillarName(c.pillars[i]);
    }
    return s;
}

}  // namespace tessaly::testutil
