// The JSON form of a couple's timeline: the span, both persons with their
// luck pillars, and per year the year pillar and each person's facts. Years
// are written as users write them (negative = BC, no year 0); a relation
// that does not hold is null.
#pragma once

#include <string>

#include "matching/CoupleTimeline.h"

namespace tessaly::cli {

std::string TimelineJson(const CoupleTimeline& timeline);

}  // namespace tessaly::cli
