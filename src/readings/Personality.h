// The personality section ("性格特征") of one person: temperament, gifts,
// looks and habits, each sentence chosen by a condition on that person's
// finished chart (strength, pattern, roles, role classes and stars done).
#pragma once

#include <string>

#include "readings/ChartFacts.h"
#include "readings/ReadingRules.h"

namespace tessaly {

// The whole section text of the person in hand, from the heading (甲命 or
// 乙命 by personNo) to the closing empty line; lines end in "\r\n". The tip
// line with program text 906 is not part of it: the caller appends it.
ReadingSection PersonalityReading(const ChartFacts& f);

}  // namespace tessaly
