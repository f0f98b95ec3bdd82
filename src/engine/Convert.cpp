// The birth-data conversion: the record of the person in hand becomes the
// standard-time moment (clockTime, clockJd), the moment after the time-basis
// correction (chartTime) and the lunar date (lunarTime with the leap flag).
#include "engine/Baziex.h"

namespace tessaly {
namespace {

constexpr const char* kLunarOutOfRange = "时间越界，年份在-850到2100之间";
constexpr const char* kNoSuchDate = "不存在这个日期";
constexpr const char* kRolledOutOfRange = "公、农历正常转换年份在-850到2100之间";

bool InRange(int year) { return year >= kMinYear && year <= kMaxYear; }

}  // namespace

bool CBaZiEx::ConvertBirthData() {
    errorText.clear();
    PersonRecord& r = currentPerson;
    const CivilTime entered = r.Time();

    if (r.isLunar) {
        // A lunar date is a standard-time date: converted before any correction.
        if (Status s = date.LunarToSolar(entered, r.isLeapMonth != 0, &chartTime); !s.ok()) {
            errorText = s.message();
            return false;
        }
        if (!InRange(chartTime.year)) {
            errorText = kLunarOutOfRange;
            return false;
        }
        clockTime = chartTime;
    } else {
        if (!LunarCalendar::SolarDateExists(entered)) {
            errorText = kNoSuchDate;
            return false;
        }
        chartTime = entered;
        clockTime = entered;
    }
    clockJd = LunarCalendar::ToJulianDay(clockTime);

    if (options.idate != 0) LunarCalendar::ToLocalSolarTime(r.longitude, chartTime, options.idate);

    // A birth from 23:00 belongs to the next day unless the user keeps late
    // 子 hours on their own day; the test looks at the corrected moment.
    CivilTime s = chartTime;
    if (chartTime.hour == 23 && !options.zishi) LunarCalendar::AddOneDay(s);
    if (!InRange(s.year)) {
        errorText = kRolledOutOfRange;
        return false;
    }
    const bool leap = date.SolarToLunar(s, &lunarTime);
    r.isLeapMonth = leap ? 1 : 0;
    return true;
}

}  // namespace tessaly
