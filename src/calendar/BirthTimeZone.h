// BirthTimeZone — the clock of a birth place: its time zone (an IANA name of
// the system's time-zone database, read through Howard Hinnant's date/tz
// library) and the conversion of a time read from a clock or a certificate
// there, summer time included, into standard time UTC+8 (北京时间), from
// which the rest of the program works.
//
// Every moment here is a CivilTime of the Gregorian calendar (Julian before
// 1582-10-15), to the minute; the clocks of the zone may have had seconds in
// their offset (local mean time before 1901), which round to the nearest
// minute. The library reads the system database; when it cannot, every
// function answers with a message instead of a result.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/Status.h"

namespace tessaly {

// A zone users often need, with its Chinese name and the coordinates of its
// main city (degrees east and north), offered first in lists.
struct CommonTimeZone {
    std::string_view name;   // IANA name
    std::string_view label;  // 纽约
    float longitude, latitude;
};
std::span<const CommonTimeZone> CommonTimeZones();

// The zone of a province of the place list: Asia/Hong_Kong, Asia/Macau and
// Asia/Taipei for 香港, 澳门 and 台湾省, Asia/Shanghai for every other.
std::string DefaultTimeZone(int provinceIndex);
// The zone of a record: its own, or its province's when it names none.
std::string TimeZoneOf(const PersonRecord& record);
// "纽约" for America/New_York; the IANA name for a zone without a Chinese name.
std::string TimeZoneLabel(std::string_view zone);
// Fails with "未知的时区：NAME" (or the database's trouble) unless the
// database knows the zone.
Status CheckTimeZone(std::string_view zone);
// Every zone of the database, sorted by name (empty when it cannot be read).
std::vector<std::string> AllTimeZones();

// What a clock showed at a civil time.
enum class ClockTimeKind {
    kUnique,    // one moment
    kSkipped,   // none: the clock jumped over it (summer time began)
    kRepeated,  // two moments: the clock showed it twice (summer time ended)
};

struct ClockConversion {
    Status status;  // an unknown zone, no database, an unresolved skipped
                    // or repeated time, or a time beyond the database's rules
    ClockTimeKind kind = ClockTimeKind::kUnique;
    CivilTime standard;       // standard time UTC+8 of the reading taken
    int offsetSeconds = 0;    // the clock's UTC offset in that reading
    bool summerTime = false;  // the clock was on summer time in that reading
    // Of a skipped or repeated time, both readings as standard time UTC+8:
    CivilTime summerReading;    // the clock on summer time (the larger UTC offset)
    CivilTime standardReading;  // the clock on standard time (the smaller UTC offset)
    std::string summerName;     // what the message calls them: "夏令时" and "标准时", or
    std::string standardName;   // the two offsets ("UTC+8:05:43") for a change of another kind
};

// ClockToStandardTime — standard time UTC+8 of a clock time at a place.
//   Given:     clockTime  the date and time the clock showed (Gregorian)
//              zone       the IANA name of the place's zone
//              reading    the reading of a skipped or repeated time
//   Returned:  the standard time; for a skipped or repeated time both
//              readings, and with ClockReading::kAsk a message naming both
//   Notes:     a zone whose database rules stop in 2037 while its clocks
//              still change (summer time every year) is refused after its
//              last listed change: the library does not extend the rules.
ClockConversion ClockToStandardTime(const CivilTime& clockTime, std::string_view zone, ClockReading reading);

// What the clock of a zone showed at a standard-time moment (UTC+8).
struct ClockAtMoment {
    Status status;            // an unknown zone or no database
    CivilTime clockTime;      // the clock's date and time, to the minute
    int offsetSeconds = 0;    // the clock's UTC offset then
    bool summerTime = false;  // the clock was on summer time
};
ClockAtMoment StandardToClockTime(const CivilTime& standardTime, std::string_view zone);

// The summer-time period of a zone around a standard-time moment.
struct SummerTimePeriod {
    bool inside = false;            // the zone's clock was on summer time at that moment
    CivilTime first, last;          // the clock's first and last day on summer time
    int saveMinutes = 0;            // how far summer time set the clock ahead
    int standardOffsetSeconds = 0;  // the zone's standard UTC offset then
};
SummerTimePeriod SummerTimeAround(const CivilTime& standardTime, std::string_view zone);

// The question to put to a user who entered standard time (北京时间) for a
// place whose clock showed something else at that moment: summer time of a
// zone whose standard time is UTC+8 ("该时刻在夏令时期间（…至…），出生证上的
// 时间通常是夏令时，要减去1小时吗？"), or a clock at least an hour away from
// UTC+8. Empty when the clock showed standard time UTC+8 (or near it, as
// local mean time before 1901 did).
std::string StandardTimeQuestion(const CivilTime& standardTime, std::string_view zone);

// The summer-time question the birth dialog puts for an entry at "确定":
// StandardTimeQuestion for its Gregorian date in its zone, or empty for a
// time read from a clock (civil), a standard time already settled, or a date
// that does not convert.
std::string PendingSummerTimeQuestion(const PersonRecord& entry);

// The answers a person's entry carries (the reading of a skipped or
// repeated clock time, a standard time settled) hold for that entry only:
// `edited` keeps those of `given` when its date, time, calendar, clock and
// zone are the ones given, and loses them otherwise (the questions are asked
// again for the new entry).
void CarryClockAnswers(const PersonRecord& given, PersonRecord& edited);

// "(纽约时间 08:30，夏令时)": the note after the Beijing time of a birth whose
// time was read from the clock of its place. The date is written as well
// when it differs from the Beijing date.
std::string ClockNoteText(const CivilTime& clockTime, const CivilTime& standardTime, std::string_view zone,
                          bool summerTime);

}  // namespace tessaly
