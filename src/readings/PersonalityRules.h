// The rule tables of the personality reading: each row one condition on the
// chart of the person in hand and one sentence, tested in table order.
//
// The groups are walked as ReadingRules.h describes. Rows that a group tests
// "after the pass" are plain rows in a group right after it: their counts
// run over all four pillars.
//
// Row ids carry the prefix P_ (the marriage tables reuse some letters).
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "readings/ChartFacts.h"
#include "readings/ReadingRules.h"

namespace tessaly::personality {

// The rows of step 7 (groups A and B, with 命遇三奇 between them) and of step
// 9 (C1 … AJ8) of the personality section.
ReadingRuleTable TraitRules();
ReadingRuleTable CharacterRules();

// 三奇: the stems 甲戊庚 (天上三奇), 乙丙丁 (地下三奇) or 壬癸辛 (人中三奇) in
// this order on the year, month and day stems or on the month, day and hour
// stems (顺布; the reverse order does not count).
bool MeetsSanQi(const ChartFacts& f);

}  // namespace tessaly::personality
