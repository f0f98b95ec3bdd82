// Small helpers of the tests that compare moments: a CivilTime from five
// numbers and its text for messages.
#pragma once

#include <cstdio>
#include <string>

#include "calendar/PersonRecord.h"

namespace tessaly::testutil {

inline CivilTime T(int y, int m, int d, int h, int mi) {
    return {std::int16_t(y), std::int16_t(m), std::int16_t(d), std::int16_t(h), std::int16_t(mi)};
}

// "1988-06-01 09:30" (the year as stored).
inline std::string Text(const CivilTime& t) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return buf;
}

}  // namespace tessaly::testutil
