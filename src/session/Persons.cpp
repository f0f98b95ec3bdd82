#include "session/Persons.h"

#include <cstdio>
#include <ctime>

#include "calendar/BirthTimeZone.h"
#include "chart/BirthConversion.h"

namespace tessaly {
namespace {

std::string DateText(const CivilTime& t) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", ShownYear(t.year), t.month, t.day);
    return buf;
}

std::string ClockText(const CivilTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d", t.hour, t.minute);
    return buf;
}

}  // namespace

CivilTime LocalNow() {
    const std::time_t now = std::time(nullptr);
    std::tm tm{};
    ::localtime_r(&now, &tm);
    return {std::int16_t(tm.tm_year + 1900), std::int16_t(tm.tm_mon + 1), std::int16_t(tm.tm_mday),
            std::int16_t(tm.tm_hour), std::int16_t(tm.tm_min)};
}

PersonRecord DefaultPerson(int personNo, const CivilTime& now, const Place& place) {
    PersonRecord r;
    r.personNo = std::uint8_t(personNo);
    r.SetTime(now);
    if (r.year > 2100) r.year = 2050;
    r.isLunar = 0;
    r.isLeapMonth = 0;
    r.isMale = personNo == 0 ? 1 : 0;
    r.name = "某人";
    r.provinceIndex = std::int16_t(place.provinceIndex);
    r.cityIndex = std::int16_t(place.cityIndex);
    r.longitude = place.longitude;
    r.latitude = place.latitude;
    r.placeText = place.placeText;
    return r;
}

EnteredTime DescribeEntry(const PersonRecord& typed) {
    EnteredTime out;
    const CivilTime t = typed.Time();
    std::string entry = typed.isLunar ? std::string(typed.isLeapMonth ? "农历闰月" : "农历") : std::string();
    entry += DateText(t) + " " + ClockText(t);
    const bool civil = typed.clock == BirthClock::kCivil;
    entry += civil ? " 当地钟表 " + TimeZoneOf(typed) : std::string(" 北京时间");

    // The standard time as the chart takes it: no time-basis correction.
    ChartOptions asEntered;
    asEntered.timeBasis = TimeBasis::kBeijingTime;
    asEntered.lateZiHourKeepsDay = true;
    LunarCalendar calendar;
    const BirthConversion c = ConvertBirth(typed, asEntered, calendar);
    out.status = c.status;
    if (!c.status.ok()) {
        out.text = entry + "（" + c.status.message() + "）";
        return out;
    }
    out.standard = c.moments.clockTime;
    out.summerTime = c.moments.civil.used && c.moments.civil.summerTime;
    if (out.summerTime) entry += "（夏令时）";
    if (civil || typed.isLunar) {
        // The Gregorian date is written when it is not the entered one.
        const CivilTime& gregorian = civil ? c.moments.civil.localTime : c.moments.clockTime;
        const bool sameDate = !typed.isLunar && gregorian.year == out.standard.year &&
                              gregorian.month == out.standard.month && gregorian.day == out.standard.day;
        // "（夏令时）→", else a blank before the arrow.
        entry += out.summerTime ? "→ " : " → ";
        if (civil) {
            entry += "北京时间 " + (sameDate ? std::string() : DateText(out.standard) + " ") + ClockText(out.standard);
        } else {
            entry += "公历 " + DateText(out.standard);
        }
    }
    out.text = std::move(entry);
    return out;
}

}  // namespace tessaly
