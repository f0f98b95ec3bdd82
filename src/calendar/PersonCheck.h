// PersonCheck — one check of a person's birth data wherever it is entered
// or comes in: the birth-data dialog, "编辑命例", and the cases commands of
// tessaly-cli. The messages are the ones the user sees.
#pragma once

#include <cstddef>
#include <string_view>

#include "calendar/PersonRecord.h"
#include "common/IniFile.h"
#include "common/Status.h"

namespace tessaly {

// The longest name, in GBK bytes (five Chinese characters).
inline constexpr std::size_t kMaxNameBytes = 10;
inline constexpr std::string_view kEmptyNameMessage = "姓名不能为空";

// CheckDateExists — whether the entered date exists.
//   Given:     person  its date (Gregorian, or lunar with the leap flag);
//                      the time of day and the clock play no part
//   Returned:  first the record checks of CheckBirthRecord (the year range,
//              the ten days dropped in October 1582), then: a Gregorian day
//              beyond its month, "不存在这个日期：2023年2月只有28天"; a lunar
//              day 30 of a short month, "不存在这个农历日期：农历1984年五月只有29天";
//              a leap month the lunar year lacks, "不存在这个农历日期：农历1984年
//              没有闰五月（这一年闰十月）" or "（这一年没有闰月）".
Status CheckDateExists(const PersonRecord& person);

// CheckPerson — the whole person, the first failure in this order:
//   1. the name: not empty, at most 10 GBK bytes, GBK can hold it, no
//      control characters;
//   2. the year (−850..2100 as shown, no year 0), month 1..12, day 1..31,
//      hour 0..23, minute 0..59;
//   3. the date exists (CheckDateExists);
//   4. the province within the list; with `dili` (dat/dili.ini) the city
//      within that province's cities too;
//   5. longitude and latitude finite, within ±180° and ±90°;
//   6. the place text: at most 51 GBK bytes, GBK, no control characters;
//   7. a named time zone known to the time-zone database.
Status CheckPerson(const PersonRecord& person, const IniFile* dili);

}  // namespace tessaly
