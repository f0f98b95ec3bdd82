// PersonRecord, CivilTime and the year numbering.
//
// Years are astronomical inside the program: 0 is 1 BC, −1 is 2 BC. Users
// write and read years without a year 0: a shown year ≤ −1 is BC. Dates
// before 1582-10-15 are Julian-calendar dates; 1582-10-05..14 do not exist.
#pragma once

#include <cstdint>
#include <string>

#include "common/Status.h"

namespace tessaly {

// A date with a time of day, Gregorian or lunar (the owner knows which).
struct CivilTime {
    std::int16_t year = 2000;  // astronomical numbering
    std::int16_t month = 1;
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;

    friend bool operator==(const CivilTime&, const CivilTime&) = default;
};

// The clock a birth time was read from.
enum class BirthClock : std::uint8_t {
    kStandard = 0,  // standard time UTC+8 (北京时间), as stored cases always are
    kCivil = 1,     // the clock of the birth place in its time zone, summer time included
};

// Which reading of a civil clock time to take when the clock skipped it (the
// hour lost when summer time began) or showed it twice (the hour repeated
// when it ended).
enum class ClockReading : std::uint8_t {
    kAsk = 0,           // neither: the conversion names both and refuses
    kSummerTime = 1,    // the clock was on summer time (the larger UTC offset)
    kStandardTime = 2,  // the clock was on standard time (the smaller UTC offset)
};

// The birth data of one person as the user entered it.
struct PersonRecord {
    std::uint8_t personNo = 0;  // 0 = 甲命, 1 = 乙命
    std::string name = "某人";  // UTF-8; at most 10 GBK bytes when entered
    std::int16_t year = 2000;   // astronomical numbering
    std::int16_t month = 1;     // Gregorian month, or lunar month when isLunar
    std::int16_t day = 1;
    std::int16_t hour = 0;
    std::int16_t minute = 0;
    std::uint8_t isLunar = 0;      // 1: year/month/day are a lunar date
    std::uint8_t isLeapMonth = 0;  // 1: the lunar month is the leap month (闰月)
    std::uint8_t isMale = 1;       // 1 = 乾造, 0 = 坤造
    std::int16_t provinceIndex = 0;
    std::int16_t cityIndex = 0;
    float longitude = 0;    // degrees east
    float latitude = 0;     // degrees north; only printed
    std::string placeText;  // "province-city" or "未知地"; at most 51 GBK bytes
    // How the time was read. The case record keeps standard time only; the
    // time as entered, with these, is kept beside it (store/CaseInput.h).
    BirthClock clock = BirthClock::kStandard;
    std::string timeZone;                            // IANA name (Asia/Shanghai); empty: the province's zone
    ClockReading clockReading = ClockReading::kAsk;  // a skipped or repeated civil time
    // A standard-time entry known to be standard time: the user answered the
    // summer-time question for it, or it came from where times are standard
    // time (a store without the typed input, the command line). No question
    // is asked for it again while the entry stays as it is.
    bool standardTimeSettled = false;

    CivilTime Time() const { return {year, month, day, hour, minute}; }
    void SetTime(const CivilTime& t) {
        year = t.year;
        month = t.month;
        day = t.day;
        hour = t.hour;
        minute = t.minute;
    }
};

// The year range accepted for births and conversions, astronomical numbering
// (shown as −850..2100).
inline constexpr int kMinYear = -849;
inline constexpr int kMaxYear = 2100;

// Year as shown to the user: a value ≤ 0 is shown as value − 1 (0 → −1).
constexpr int ShownYear(int year) { return year <= 0 ? year - 1 : year; }
// Year as stored from a year typed by the user (negative = BC, no year 0).
constexpr int StoredYear(int shown) { return shown < 0 ? shown + 1 : shown; }
static_assert(ShownYear(-849) == -850 && StoredYear(-850) == -849 && ShownYear(1) == 1);

// The two checks every record passes before conversion: the year range
// (either calendar), then the ten days dropped from October 1582 (Gregorian
// input only). The messages are the ones the user sees.
Status CheckBirthRecord(const PersonRecord& record);

inline constexpr const char* kYearRangeMessage =
    "年份必须在-850到2100年之间，并且没有公元0年\r\n注意：公元前用负数，比如公元前120年，就输入-120";
inline constexpr const char* kMissingDaysMessage = "不存在1582-10-5到1582-10-14这10天时间。";

}  // namespace tessaly
