// Persons — the persons both front ends start from, and what a person's
// entry says in words (the time as typed beside the standard time the chart
// is read from).
#pragma once

#include <string>

#include "calendar/PersonRecord.h"
#include "calendar/Places.h"
#include "common/Status.h"

namespace tessaly {

// The computer's local date and time, to the minute.
CivilTime LocalNow();

// The person a front end starts from: born `now` (a year after 2100 becomes
// 2050), Gregorian, named 某人, 甲命 (personNo 0) a man and 乙命 a woman,
// at `place` (the unknown place 未知地, 120° E, 30° N, unless given).
PersonRecord DefaultPerson(int personNo, const CivilTime& now, const Place& place = {});

// A person's entry, read as the chart reads it.
struct EnteredTime {
    Status status;            // the entry cannot be converted (a date that does not exist, a skipped time …)
    CivilTime standard;       // standard time UTC+8 (北京时间), Gregorian
    bool summerTime = false;  // a civil time read from a clock on summer time
    // "1988-06-01 10:30 当地钟表 Asia/Shanghai（夏令时）→ 北京时间 09:30",
    // "农历1990-04-18 08:30 北京时间"; for an entry that cannot be converted
    // the entry and the reason.
    std::string text;
};
EnteredTime DescribeEntry(const PersonRecord& typed);

}  // namespace tessaly
