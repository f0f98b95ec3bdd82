#include "calendar/BirthTimeZone.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include <date/tz.h>

#include "calendar/LunarCalendar.h"
#include "calendar/Places.h"

namespace tessaly {
namespace {

using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::seconds;

// Standard time, the program's own clock: UTC+8.
constexpr seconds kStandardOffset = hours(8);

// Coordinates: the zone's main city, from published geography.
constexpr std::array<CommonTimeZone, 30> kCommonZones = {{
    {"Asia/Shanghai", "中国", 121.47f, 31.23f},
    {"Asia/Hong_Kong", "香港", 114.17f, 22.32f},
    {"Asia/Macau", "澳门", 113.55f, 22.20f},
    {"Asia/Taipei", "台湾", 121.57f, 25.03f},
    {"Asia/Urumqi", "乌鲁木齐", 87.62f, 43.83f},
    {"Asia/Singapore", "新加坡", 103.85f, 1.29f},
    {"Asia/Kuala_Lumpur", "吉隆坡", 101.69f, 3.14f},
    {"Asia/Tokyo", "东京", 139.69f, 35.69f},
    {"Asia/Seoul", "首尔", 126.98f, 37.57f},
    {"Asia/Bangkok", "曼谷", 100.50f, 13.75f},
    {"Asia/Manila", "马尼拉", 120.98f, 14.60f},
    {"Asia/Jakarta", "雅加达", 106.85f, -6.21f},
    {"Asia/Ho_Chi_Minh", "胡志明市", 106.70f, 10.78f},
    {"Asia/Kolkata", "印度", 77.21f, 28.61f},
    {"Asia/Dubai", "迪拜", 55.27f, 25.20f},
    {"Europe/London", "伦敦", -0.13f, 51.51f},
    {"Europe/Paris", "巴黎", 2.35f, 48.86f},
    {"Europe/Berlin", "柏林", 13.40f, 52.52f},
    {"Europe/Moscow", "莫斯科", 37.62f, 55.76f},
    {"America/New_York", "纽约", -74.01f, 40.71f},
    {"America/Chicago", "芝加哥", -87.63f, 41.88f},
    {"America/Denver", "丹佛", -104.99f, 39.74f},
    {"America/Los_Angeles", "洛杉矶", -118.24f, 34.05f},
    {"America/Vancouver", "温哥华", -123.12f, 49.28f},
    {"America/Toronto", "多伦多", -79.38f, 43.65f},
    {"America/Sao_Paulo", "圣保罗", -46.63f, -23.55f},
    {"Australia/Sydney", "悉尼", 151.21f, -33.87f},
    {"Australia/Melbourne", "墨尔本", 144.96f, -37.81f},
    {"Pacific/Auckland", "奥克兰", 174.76f, -36.85f},
    {"Pacific/Honolulu", "檀香山", -157.86f, 21.31f},
}};

// Seconds from 1970-01-01 00:00 of the same clock (Julian dates before
// 1582-10-15, as everywhere in the program), and back to the nearest minute.
long long SecondsOf(const CivilTime& t) {
    return std::llround((LunarCalendar::ToJulianDay(t) - 2440587.5) * 86400.0) - 1;  // ToJulianDay adds 1 s
}
CivilTime CivilOf(long long s) { return LunarCalendar::FromJulianDay(2440587.5 + double(s + 1) / 86400.0); }

date::sys_seconds SysOf(long long s) { return date::sys_seconds{seconds{s}}; }
long long CountOf(date::sys_seconds t) { return t.time_since_epoch().count(); }

std::string Format(const char* fmt, auto... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

std::string MomentText(const CivilTime& t) {
    return Format("%d-%02d-%02d %02d:%02d", ShownYear(t.year), t.month, t.day, t.hour, t.minute);
}
std::string DayText(const CivilTime& t) { return Format("%d年%d月%d日", ShownYear(t.year), t.month, t.day); }

// "1小时", "30分钟", "5分43秒".
std::string DurationText(long long secs) {
    secs = std::llabs(secs);
    std::string s;
    if (secs >= 3600) s += Format("%lld小时", secs / 3600);
    if (secs % 3600 >= 60) s += Format("%lld分", secs % 3600 / 60) + (secs % 60 ? "" : "钟");
    if (secs % 60) s += Format("%lld秒", secs % 60);
    return s;
}

// "UTC+8", "UTC-4", "UTC+5:30", "UTC+8:05:43".
std::string OffsetText(seconds offset) {
    const long long o = offset.count(), a = std::llabs(o);
    std::string s = Format("UTC%c%lld", o < 0 ? '-' : '+', a / 3600);
    if (a % 3600) s += Format(":%02lld", a % 3600 / 60);
    if (a % 60) s += Format(":%02lld", a % 60);
    return s;
}

// "纽约时间", "America/Boise 当地时间".
std::string ClockName(std::string_view zone) {
    for (const CommonTimeZone& z : kCommonZones) {
        if (z.name == zone) return std::string(z.label) + "时间";
    }
    return std::string(zone) + " 当地时间";
}

const date::time_zone* Locate(std::string_view zone, Status* error) {
    try {
        date::get_tzdb();
    } catch (const std::exception& e) {
        *error = Status::Error(std::string("时区数据库无法读取：") + e.what());
        return nullptr;
    }
    try {
        return date::locate_zone(std::string(zone));
    } catch (const std::exception&) {
        *error = Status::Error("未知的时区：" + std::string(zone));
        return nullptr;
    }
}

// A period whose rules the database stops listing: the zone's last change
// falls in 2037 or later and nothing follows it (the library does not
// extend the yearly summer-time rules past the listed changes).
bool BeyondListedRules(const date::sys_info& i) {
    using namespace date;
    const bool last = i.end >= sys_days{year{32767} / 1 / 1};
    return last && i.begin >= sys_days{year{2037} / 1 / 1};
}

}  // namespace

std::span<const CommonTimeZone> CommonTimeZones() { return kCommonZones; }

std::string DefaultTimeZone(int provinceIndex) {
    switch (provinceIndex) {
        case 31: return "Asia/Taipei";     // 台湾省
        case 32: return "Asia/Hong_Kong";  // 香港
        case 33: return "Asia/Macau";      // 澳门
        default: return "Asia/Shanghai";
    }
}

std::string TimeZoneOf(const PersonRecord& r) {
    return r.timeZone.empty() ? DefaultTimeZone(r.provinceIndex) : r.timeZone;
}

std::string TimeZoneLabel(std::string_view zone) {
    for (const CommonTimeZone& z : kCommonZones) {
        if (z.name == zone) return std::string(z.label);
    }
    return std::string(zone);
}

Status CheckTimeZone(std::string_view zone) {
    Status s;
    Locate(zone, &s);
    return s;
}

std::vector<std::string> AllTimeZones() {
    std::vector<std::string> names;
    try {
        for (const date::time_zone& z : date::get_tzdb().zones) {
            const std::string& n = z.name();
            // Files of the database folder that are no zones of a place.
            if (n.find('/') == std::string::npos && n != "UTC") continue;
            if (n.starts_with("posix/") || n.starts_with("right/")) continue;
            names.push_back(n);
        }
    } catch (const std::exception&) {
        return {};
    }
    std::sort(names.begin(), names.end());
    return names;
}

ClockConversion ClockToStandardTime(const CivilTime& clockTime, std::string_view zone, ClockReading reading) {
    ClockConversion out;
    const date::time_zone* tz = Locate(zone, &out.status);
    if (!tz) return out;
    const long long local = SecondsOf(clockTime);
    date::local_info li;
    try {
        li = tz->get_info(date::local_seconds{seconds{local}});
    } catch (const std::exception& e) {
        out.status = Status::Error(std::string("时区数据库无法读取：") + e.what());
        return out;
    }
    const auto standardOf = [&](const date::sys_info& i) {
        return CivilOf(local - (i.offset - kStandardOffset).count());
    };
    const date::sys_info* taken = &li.first;
    if (li.result != date::local_info::unique) {
        out.kind = li.result == date::local_info::nonexistent ? ClockTimeKind::kSkipped : ClockTimeKind::kRepeated;
        const bool firstAhead = li.first.offset >= li.second.offset;
        const date::sys_info& ahead = firstAhead ? li.first : li.second;
        const date::sys_info& behind = firstAhead ? li.second : li.first;
        out.summerReading = standardOf(ahead);
        out.standardReading = standardOf(behind);
        // Summer time names the readings when one of them is summer time;
        // other changes of a zone's clock, by their offsets.
        const bool summer = ahead.save != minutes(0) || behind.save != minutes(0);
        out.summerName = summer ? "夏令时" : OffsetText(ahead.offset);
        out.standardName = summer ? "标准时" : OffsetText(behind.offset);
        if (reading == ClockReading::kAsk) {
            const std::string& aheadName = out.summerName;
            const std::string& behindName = out.standardName;
            const std::string change = DurationText((ahead.offset - behind.offset).count());
            const std::string at = MomentText(clockTime) + " 这一时刻在" + ClockName(zone);
            if (out.kind == ClockTimeKind::kSkipped) {
                out.status =
                    Status::ClockChoiceNeeded(at + "里不存在（当时钟表拨快了" + change + "）：按" + aheadName +
                                              "是北京时间 " + MomentText(out.summerReading) + "，按" + behindName +
                                              "是北京时间 " + MomentText(out.standardReading) + "，请选择其一。");
            } else {
                out.status = Status::ClockChoiceNeeded(at + "里出现两次（当时钟表拨回了" + change + "）：第一次（" +
                                                       aheadName + "）是北京时间 " + MomentText(out.summerReading) +
                                                       "，第二次（" + behindName + "）是北京时间 " +
                                                       MomentText(out.standardReading) + "，请选择其一。");
            }
            return out;
        }
        taken = reading == ClockReading::kSummerTime ? &ahead : &behind;
    }
    if (BeyondListedRules(*taken)) {
        out.status = Status::Error(ClockName(zone) + "在" + std::to_string(ShownYear(clockTime.year)) +
                                   "年的钟表规则时区数据库里没有（只列到2037年），无法换算；请直接输入北京时间。");
        return out;
    }
    out.standard = standardOf(*taken);
    out.offsetSeconds = int(taken->offset.count());
    out.summerTime = taken->save != minutes(0);
    return out;
}

ClockAtMoment StandardToClockTime(const CivilTime& standardTime, std::string_view zone) {
    ClockAtMoment out;
    const date::time_zone* tz = Locate(zone, &out.status);
    if (!tz) return out;
    try {
        const long long utc = SecondsOf(standardTime) - kStandardOffset.count();
        const date::sys_info i = tz->get_info(SysOf(utc));
        out.clockTime = CivilOf(utc + i.offset.count());
        out.offsetSeconds = int(i.offset.count());
        out.summerTime = i.save != minutes(0);
    } catch (const std::exception& e) {
        out.status = Status::Error(std::string("时区数据库无法读取：") + e.what());
    }
    return out;
}

SummerTimePeriod SummerTimeAround(const CivilTime& standardTime, std::string_view zone) {
    SummerTimePeriod out;
    Status error;
    const date::time_zone* tz = Locate(zone, &error);
    if (!tz) return out;
    try {
        const date::sys_info i = tz->get_info(SysOf(SecondsOf(standardTime) - kStandardOffset.count()));
        // Summer time for good (no end listed) is no period to ask about.
        const bool endless =
            i.begin <= date::sys_days{date::year{-32000} / 1 / 1} || i.end >= date::sys_days{date::year{32000} / 1 / 1};
        if (i.save <= minutes(0) || endless) return out;
        // A summer-time period may be listed in pieces (a new name, a new
        // offset within it): join the neighbours that are summer time too.
        date::sys_info head = i, tail = i;
        for (int k = 0; k < 8; ++k) {
            const date::sys_info p = tz->get_info(head.begin - seconds(1));
            if (p.save <= minutes(0) || p.end != head.begin) break;
            head = p;
        }
        for (int k = 0; k < 8; ++k) {
            const date::sys_info n = tz->get_info(tail.end);
            if (n.save <= minutes(0) || n.begin != tail.end || n.end >= date::sys_days{date::year{32000} / 1 / 1})
                break;
            tail = n;
        }
        // The library marks summer time without its amount: the amount is
        // the step from the standard time before it (or else after it).
        const date::sys_info before = tz->get_info(head.begin - seconds(1));
        const date::sys_info standard = before.save == minutes(0) ? before : tz->get_info(tail.end);
        out.inside = true;
        out.first = CivilOf(CountOf(head.begin) + head.offset.count());
        out.last = CivilOf(CountOf(tail.end) - 60 + tail.offset.count());
        out.saveMinutes = int(std::chrono::duration_cast<minutes>(i.offset - standard.offset).count());
        out.standardOffsetSeconds = int(standard.offset.count());
    } catch (const std::exception&) {
        return {};
    }
    return out;
}

std::string StandardTimeQuestion(const CivilTime& standardTime, std::string_view zone) {
    Status error;
    const date::time_zone* tz = Locate(zone, &error);
    if (!tz) return {};
    date::sys_info i;
    try {
        i = tz->get_info(SysOf(SecondsOf(standardTime) - kStandardOffset.count()));
    } catch (const std::exception&) {
        return {};
    }
    const SummerTimePeriod period = SummerTimeAround(standardTime, zone);
    if (period.inside && seconds(period.standardOffsetSeconds) == kStandardOffset) {
        return "该时刻在夏令时期间（" + DayText(period.first) + "至" + DayText(period.last) +
               "），出生证上的时间通常是夏令时，要减去" + DurationText(period.saveMinutes * 60LL) + "吗？";
    }
    const seconds apart = i.offset - kStandardOffset;
    if (std::chrono::abs(apart) < hours(1)) return {};
    const std::string name = ClockName(zone);
    return "该时刻" + name + "比北京时间" + (apart < seconds(0) ? "慢" : "快") + DurationText(apart.count()) + "（" +
           OffsetText(i.offset) + (i.save != minutes(0) ? "，夏令时" : "") +
           "），出生证上的时间通常是当地钟表时间，要按" + name + "换算成北京时间吗？";
}

std::string ClockNoteText(const CivilTime& clockTime, const CivilTime& standardTime, std::string_view zone,
                          bool summerTime) {
    const bool sameDay = clockTime.year == standardTime.year && clockTime.month == standardTime.month &&
                         clockTime.day == standardTime.day;
    const std::string when = sameDay ? Format("%02d:%02d", clockTime.hour, clockTime.minute) : MomentText(clockTime);
    std::string note = "(";
    note += ClockName(zone);
    note += " " + when;
    if (summerTime) note += "，夏令时";
    return note + ")";
}

std::string PendingSummerTimeQuestion(const PersonRecord& r) {
    if (r.clock != BirthClock::kStandard || r.standardTimeSettled) return {};
    CivilTime t = r.Time();
    LunarCalendar calendar;
    if (r.isLunar && !calendar.LunarToSolar(r.Time(), r.isLeapMonth != 0, &t).ok()) return {};
    if (!r.isLunar && !LunarCalendar::SolarDateExists(t)) return {};
    return StandardTimeQuestion(t, TimeZoneOf(r));
}

void CarryClockAnswers(const PersonRecord& given, PersonRecord& edited) {
    const bool same = given.Time() == edited.Time() && given.isLunar == edited.isLunar &&
                      (!given.isLunar || given.isLeapMonth == edited.isLeapMonth) && given.clock == edited.clock &&
                      TimeZoneOf(given) == TimeZoneOf(edited);
    edited.clockReading = same ? given.clockReading : ClockReading::kAsk;
    edited.standardTimeSettled = same && given.standardTimeSettled;
}

}  // namespace tessaly
