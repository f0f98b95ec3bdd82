// BirthConversion (aka ConvertBirthData) — the birth record of one person
// becomes the moments its chart is read from: the standard-time moment, the
// moment after the time-basis correction, and the lunar date.
#pragma once

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"

namespace tessaly {

// The moments of one birth (aka clockTime, clockJd, chartTime, lunarTime).
struct BirthMoments {
    CivilTime clockTime;       // standard time UTC+8 (北京时间) of the birth
    double clockJd = 0;        // its Julian day
    CivilTime chartTime;       // after the time-basis correction
    CivilTime lunarTime;       // lunar date of chartTime, of the next day from 23:00
                               // unless late 子 hours keep their day
    bool isLeapMonth = false;  // lunarTime lies in a leap month

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
//              come first and are not repeated here.
BirthConversion ConvertBirth(const PersonRecord& person, const ChartOptions& options, LunarCalendar& calendar);

inline constexpr const char* kLunarOutOfRange = "时间越界，年份在-850到2100之间";
inline constexpr const char* kNoSuchDate = "不存在这个日期";
inline constexpr const char* kRolledOutOfRange = "公、农历正常转换年份在-850到2100之间";

}  // namespace tessaly
