#include "chart/BirthConversion.h"

#include "calendar/BirthTimeZone.h"

namespace tessaly {
namespace {

bool InRange(int year) { return year >= kMinYear && year <= kMaxYear; }

}  // namespace

BirthConversion ConvertBirth(const PersonRecord& r, const ChartOptions& options, LunarCalendar& calendar) {
    BirthConversion out;
    BirthMoments& m = out.moments;
    const CivilTime entered = r.Time();

    if (r.isLunar) {
        // A lunar date is a standard-time date: converted before any correction.
        if (Status s = calendar.LunarToSolar(entered, r.isLeapMonth != 0, &m.chartTime); !s.ok()) {
            out.status = s;
            return out;
        }
        if (!InRange(m.chartTime.year)) {
            out.status = Status::Error(kLunarOutOfRange);
            return out;
        }
        m.clockTime = m.chartTime;
    } else {
        if (!LunarCalendar::SolarDateExists(entered)) {
            out.status = Status::Error(kNoSuchDate);
            return out;
        }
        m.chartTime = entered;
        m.clockTime = entered;
    }
    if (r.clock == BirthClock::kCivil) {
        // The clock of the birth place, summer time included, gives way to
        // standard time before anything else is taken from the moment.
        const std::string zone = TimeZoneOf(r);
        const ClockConversion c = ClockToStandardTime(m.clockTime, zone, r.clockReading);
        if (!c.status.ok()) {
            out.status = c.status;
            return out;
        }
        m.civil = {true, zone, m.clockTime, c.summerTime};
        m.clockTime = c.standard;
        m.chartTime = c.standard;
    }
    m.clockJd = LunarCalendar::ToJulianDay(m.clockTime);

    if (options.timeBasis != TimeBasis::kBeijingTime) {
        LunarCalendar::ToLocalSolarTime(r.longitude, m.chartTime, static_cast<int>(options.timeBasis));
    }

    // A birth from 23:00 belongs to the next day unless the user keeps late
    // 子 hours on their own day; the test looks at the corrected moment.
    CivilTime s = m.chartTime;
    if (m.chartTime.hour == 23 && !options.lateZiHourKeepsDay) LunarCalendar::AddOneDay(s);
    if (!InRange(s.year)) {
        out.status = Status::Error(kRolledOutOfRange);
        return out;
    }
    m.isLeapMonth = calendar.SolarToLunar(s, &m.lunarTime);
    return out;
}

PersonRecord StandardTimeRecord(const PersonRecord& person, const BirthMoments& moments) {
    if (person.clock != BirthClock::kCivil) return person;
    PersonRecord r = person;
    r.SetTime(moments.clockTime);
    r.isLunar = 0;
    r.isLeapMonth = 0;
    r.clock = BirthClock::kStandard;
    r.clockReading = ClockReading::kAsk;
    return r;
}

}  // namespace tessaly
