#include "calendar/PersonCheck.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "calendar/BirthTimeZone.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Places.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

// "五月", "闰十月", "正月".
std::string LunarMonthText(int month, bool leap) {
    const std::string dayOne = LunarDateText(month, 1, leap);  // "五月初一"
    return dayOne.substr(0, dayOne.size() - std::string_view("初一").size());
}

// The days of a Gregorian month (28..31; 21 for October 1582).
int GregorianMonthDays(int year, int month) {
    int days = 31;
    while (days > 28 && !LunarCalendar::SolarDateExists({std::int16_t(year), std::int16_t(month), std::int16_t(days)}))
        --days;
    return year == 1582 && month == 10 ? 21 : days;
}

bool LunarDayExists(LunarCalendar& calendar, int year, int month, int day, bool leap) {
    CivilTime solar;
    return calendar.LunarToSolar({std::int16_t(year), std::int16_t(month), std::int16_t(day), 12, 0}, leap, &solar)
        .ok();
}

// Why a lunar date that LunarToSolar refused does not exist.
Status LunarDateRefusal(const PersonRecord& r) {
    const bool leap = r.isLeapMonth != 0;
    if (r.month < 1 || r.month > 12 || r.day < 1 || r.day > 30) return Status::Error(kNoSuchLunarDate);
    LunarCalendar calendar;
    const std::string year = "农历" + std::to_string(ShownYear(r.year)) + "年";
    if (!LunarDayExists(calendar, r.year, r.month, 1, leap)) {
        if (!leap) return Status::Error(kNoSuchLunarDate);
        std::string which = "（这一年没有闰月）";
        for (int m = 1; m <= 12; ++m) {
            if (LunarDayExists(calendar, r.year, m, 1, true)) {
                which = "（这一年" + LunarMonthText(m, true) + "）";
                break;
            }
        }
        return Status::Error("不存在这个农历日期：" + year + "没有" + LunarMonthText(r.month, true) + which);
    }
    if (r.day == 30 && LunarDayExists(calendar, r.year, r.month, 29, leap)) {
        return Status::Error("不存在这个农历日期：" + year + LunarMonthText(r.month, leap) + "只有29天");
    }
    return Status::Error(kNoSuchLunarDate);
}

Status CheckText(std::string_view text, std::string_view what, std::size_t maxBytes) {
    if (!IsValidUtf8(text)) return Status::Error(std::string(what) + "：不是有效的 UTF-8 文字");
    if (HasControlCharacter(text)) return Status::Error(std::string(what) + "：不能含有控制字符");
    if (const CodecResult gbk = Utf8ToGbk(text); !gbk.ok()) return Status::Error(std::string(what) + "：" + GbkRefusal(text, gbk));
    if (GbkWidth(text) > maxBytes) {
        return Status::Error(std::string(what) + "：最多 " + std::to_string(maxBytes) + " 个 GBK 字节" +
                             (maxBytes == kMaxNameBytes ? "（五个汉字）" : ""));
    }
    return Status::Ok();
}

Status CheckPlace(const PersonRecord& r, const IniFile* dili) {
    if (r.provinceIndex < 0 || r.provinceIndex >= kProvinceCount) {
        return Status::Error("省市：省份编号 " + std::to_string(r.provinceIndex) + " 不在 0 到 " +
                             std::to_string(kProvinceCount - 1) + " 之间");
    }
    if (dili == nullptr) return Status::Ok();
    const std::vector<City> cities = LoadCities(r.provinceIndex, *dili);
    const int count = int(cities.size());
    if (cities.empty() ? r.cityIndex != 0 : (r.cityIndex < 0 || r.cityIndex >= count)) {
        return Status::Error("省市：" + std::string(kProvinces[std::size_t(r.provinceIndex)]) + "没有第 " +
                             std::to_string(r.cityIndex) + " 号城市（城市编号 0 到 " +
                             std::to_string(std::max(0, count - 1)) + "）");
    }
    return Status::Ok();
}

Status CheckCoordinate(double value, double limit, std::string_view what) {
    if (std::isfinite(value) && value >= -limit && value <= limit) return Status::Ok();
    char shown[48] = "不是数";
    if (std::isfinite(value)) std::snprintf(shown, sizeof shown, "%.4f", value);
    return Status::Error(std::string(what) + " " + shown + " 不在 -" + std::to_string(int(limit)) + " 到 " +
                         std::to_string(int(limit)) + " 度之间");
}

}  // namespace

Status CheckDateExists(const PersonRecord& r) {
    if (Status s = CheckBirthRecord(r); !s.ok()) return s;
    if (r.isLunar) {
        LunarCalendar calendar;
        CivilTime solar;
        if (calendar.LunarToSolar(r.Time(), r.isLeapMonth != 0, &solar).ok()) return Status::Ok();
        return LunarDateRefusal(r);
    }
    if (LunarCalendar::SolarDateExists(r.Time())) return Status::Ok();
    if (r.month < 1 || r.month > 12) return Status::Error("不存在这个日期");
    return Status::Error("不存在这个日期：" + std::to_string(ShownYear(r.year)) + "年" + std::to_string(r.month) +
                         "月只有" + std::to_string(GregorianMonthDays(r.year, r.month)) + "天");
}

Status CheckPerson(const PersonRecord& r, const IniFile* dili) {
    if (r.name.empty()) return Status::Error(std::string(kEmptyNameMessage));
    if (Status s = CheckText(r.name, "姓名", kMaxNameBytes); !s) return s;
    if (r.year < kMinYear || r.year > kMaxYear) return Status::Error(kYearRangeMessage);
    const struct {
        const char* what;
        int value, min, max;
    } kFields[] = {
        {"月份", r.month, 1, 12},
        {"日", r.day, 1, 31},
        {"小时", r.hour, 0, 23},
        {"分钟", r.minute, 0, 59},
    };
    for (const auto& f : kFields) {
        if (f.value < f.min || f.value > f.max) {
            return Status::Error(std::string(f.what) + " " + std::to_string(f.value) + " 不在 " +
                                 std::to_string(f.min) + " 到 " + std::to_string(f.max) + " 之间");
        }
    }
    if (Status s = CheckDateExists(r); !s) return s;
    if (Status s = CheckPlace(r, dili); !s) return s;
    if (Status s = CheckCoordinate(r.longitude, 180, "经度"); !s) return s;
    if (Status s = CheckCoordinate(r.latitude, 90, "纬度"); !s) return s;
    if (Status s = CheckText(r.placeText, "地名", kPlaceTextBytes); !s) return s;
    if (!r.timeZone.empty()) {
        if (Status s = CheckTimeZone(r.timeZone); !s) return s;
    }
    return Status::Ok();
}

}  // namespace tessaly
