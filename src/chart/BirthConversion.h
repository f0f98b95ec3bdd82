// BirthConversion (aka ConvertBirthData) — the birth record of one person
// becomes the moments its chart is read from: the standard-time moment, the
// moment after the time-basis correction, and the lunar date.
#pragma once

#include <string>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"

namespace tessaly {

// A birth time read from the clock of the birth place (BirthClock::kCivil)
// and what that clock showed.
struct CivilClock {
    bool used = false;        // false: the time was entered in standard time
    std::string timeZone;     // IANA name
    CivilTime localTime;      // the clock's Gregorian date and time
    bool summerTime = false;  // the clock was on summer time

    friend bool operator==(const CivilClock&, const CivilClock&) = default;
};

// The moments of one birth (aka clockTime, clockJd, chartTime, lunarTime).
struct BirthMoments {
    CivilTime clockTime;       // standard time UTC+8 (北京时间) of the birth
    double clockJd = 0;        // its Julian day
    CivilTime chartTime;       // after the time-basis correction
    CivilTime lunarTime;       // lunar date of chartTime, of the next day from 23:00
                               // unless late 子 hours keep their day
    bool isLeapMonth = false;  // lunarTime lies in a leap month
    CivilClock civil;          // the clock the time was read from, when not standard time

    friend bool operator==(const BirthMoments&, const BirthMoments&) = default;
};

struct BirthConversion {
    Status status;  // the user's message when the date cannot be converted
    BirthMoments moments;
};

// ConvertBirth — the moments of a birth record.
//   Given:     person    the record as entered (Gregorian, or lunar with its
//                        leap flag); its longitude sets the local time
//              options   the time basis and the late-子-hour rule
//              calendar  the calendar object of the run (its caches)
//   Returned:  the moments, or one of the messages "不存在这个日期",
//              the lunar conversion's, "时间越界，年份在-850到2100之间" or
//              "公、农历正常转换年份在-850到2100之间".
//   Notes:     the record checks (year range, the missing days of 1582)
//              come first and are not repeated here. A time read from the
//              clock of the birth place (person.clock civil) is turned into
//              standard time UTC+8 in the person's zone first (the date, if
//              lunar, after its conversion to the Gregorian date), and fails
//              with the zone's message when that clock skipped or repeated
//              the time and the person's clockReading does not choose.
BirthConversion ConvertBirth(const PersonRecord& person, const ChartOptions& options, LunarCalendar& calendar);

// The record as the case store keeps it: standard time. A record whose time
// was read from the clock of its birth place gets the standard time of its
// moments, as a Gregorian date, and the standard clock; its chart stays the
// same. Any other record comes back as it is.
PersonRecord StandardTimeRecord(const PersonRecord& person, const BirthMoments& moments);

inline constexpr const char* kLunarOutOfRange = "时间越界，年份在-850到2100之间";
inline constexpr const char* kNoSuchDate = "不存在这个日期";
inline constexpr const char* kRolledOutOfRange = "公、农历正常转换年份在-850到2100之间";

}  // namespace tessaly
