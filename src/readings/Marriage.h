// The marriage section (婚姻择偶) of one person: partner birth years, the
// direction for meeting a partner, the spouse palace, the partner's build and
// the rule sentences common to both sexes around those of the person's sex.
#pragma once

#include <string>

#include "calendar/PersonRecord.h"
#include "readings/ChartFacts.h"
#include "readings/ReadingRules.h"

namespace tessaly {

// MarriageReading — the whole marriage section of the person in hand.
//   Given:     f          the finished chart (strength, roles, role classes,
//                         stars) and the person record of the same person
//              lunarTime  the person's lunar birth date (its day is read)
//   Returned:  the section, from its heading to its closing "\r\n"; the
//              caller appends the tip line of text 909 after it.
//   Notes:     line ends are "\r\n" or a bare "\n" sentence by sentence, as
//              the section has always been written.
ReadingSection MarriageReading(const ChartFacts& f, const CivilTime& lunarTime);

// The sentences of a man's rules, run together (empty when none holds).
std::string MarriageReadingMan(const ChartFacts& f);
// The sentences of a woman's rules, run together (empty when none holds).
std::string MarriageReadingWoman(const ChartFacts& f);

}  // namespace tessaly
