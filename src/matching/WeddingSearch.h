// WeddingSearch (aka Wedding) — the search of one Gregorian year for wedding days and hours.
//
// After a matching run of a man and a woman, every day of the marriage year
// is judged by traditional rules keyed to the woman's year pillar (counted
// from 立春) and to the day's own year, month and day pillars; for each day
// that passes, the hour branches that also pass are listed. The result is
// one plain text (UTF-8, CR LF line ends):
//
//   甲辰年29岁丙子女
//   甲辰年白虎在子，天狗在寅
//
//   ★十一月甲子　不利月不取
//
//   ★十二月乙丑　大利月
//   2024-1-9 十一月廿八 壬申日 子卯辰巳申戌亥时
//   …
//
// The search knows nothing of windows: it reports progress through a
// callback and stops when a cancel flag is raised between two days. It takes
// what it needs from a finished matching run.
//
// Numbering as everywhere: StemIndex 0 = 癸, BranchIndex 0 = 亥,
// PillarIndex 1 = 甲子 … 0 = 癸亥.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/Status.h"
#include "chart/ChartOptions.h"

namespace tessaly {

struct MatchingResult;

// The refusals of the search, as the user reads them.
inline constexpr const char* kWeddingNeedsMatching = "请先输入男、女生日合婚后，才能选择结婚吉日！";
inline constexpr const char* kWeddingNeedsCouple = "必须输入男、女八字合婚后，才能选择结婚吉日！";
inline constexpr const char* kWeddingYearRange = "结婚年份必须在-850到2100年之间，并且没有公元0年";
inline constexpr const char* kWeddingCancelled = "结婚择日已取消。";

// What the rules of one search are keyed to: the woman's year pillar W
// (stem s, branch b) and the marriage-year pillar M.
struct WeddingKeys {
    int womanPillar = 0;     // W = (woman's year + 897) mod 60
    int age = 0;             // marriage year − woman's year + 1
    int yearPillar = 0;      // M = (marriage year + 897) mod 60
    int tigerBranch = 0;     // 白虎: (M's branch + 8) mod 12, printed only
    int dogBranch = 0;       // 天狗: (M's branch + 10) mod 12, printed only
    int clashBranch = 0;     // the branch clashing b
    int groupBranch = 0;     // by b's 三合 group: 亥卯未 戌, 申子辰 未, 巳酉丑 辰, 寅午戌 丑
    int firstMonthStem = 0;  // stem of the 寅 month of the woman's year
    int officerMonth = 0;    // month pillar of the woman's year whose stem is s's 正官
    int foodMonth = 0;       // month pillar of the woman's year whose stem is s's 食神
    int groupMonth = 0;      // month pillar of the woman's year on the group's 桃花 branch
    int luBranch = 0;        // the branch where s stands at 临官
    int tenBranch = 0;       // (b + 10) mod 12
    int hourBan = 0;         // the barred hour: 亥寅巳申 申, 子卯午酉 丑, 丑辰未戌 卯
    std::array<int, 2> pairA{};  // by b's 三会 group: 亥子丑 寅戌, 寅卯辰 丑巳, 巳午未 辰申, 申酉戌 亥未
    std::array<int, 2> pairB{};       // (b + 3) and (b + 9) mod 12
    std::array<int, 3> officerEnd{};  // 死 墓 绝 branches of the officerMonth stem
    std::array<int, 3> foodEnd{};     // 死 墓 绝 branches of the foodMonth stem
};

// The keys of a woman's year (counted from 立春) and a marriage year, both
// astronomical.
WeddingKeys ComputeWeddingKeys(int womanYear, int marriageYear);

// Month quality by the woman's year branch and the month branch:
// 0 大利月, 1 小利月, 2 翁姑月, 3 父母月, 4 and 5 不利月 (no wedding).
int WeddingMonthQuality(int womanBranch, int monthBranch);
inline constexpr std::array<std::string_view, 6> kMonthQualityNames = {"大利月", "小利月", "翁姑月",
                                                                       "父母月", "不利月", "不利月"};
// Month names by month number 1..12 (寅 = 1 … 丑 = 12), index n − 1.
inline constexpr std::array<std::string_view, 12> kWeddingMonthNames = {"正", "二", "三", "四", "五",   "六",
                                                                        "七", "八", "九", "十", "十一", "十二"};

// The pillars of one day at 12:00.
struct WeddingDayPillars {
    int year = 0, month = 0, day = 0;  // PillarIndex
};

// The largest the equation of time is, in seconds, with room to spare: it
// stays within 18.3 minutes over the marriage years −850..2100 (16.5 in
// our time; a test walks them). The search in true solar time skips the equation of time on
// days it cannot move past midnight or into or out of hour 23.
inline constexpr double kMaxEquationOfTime = 25 * 60;

// Whether the day rules reject a day (month quality included).
bool WeddingDayRejected(const WeddingKeys& k, const WeddingDayPillars& p);
// The hour branches accepted on a day the day rules let through: bit h for
// BranchIndex h (0 = 亥 … 11 = 戌).
std::uint16_t WeddingHoursAccepted(const WeddingKeys& k, const WeddingDayPillars& p);

// The line of a day that passed the day rules: Gregorian date, lunar month
// and day, day pillar, the accepted hours in the order 子 丑 … 亥, e.g.
// "2024-1-13 十二月初三 丙子日 子寅卯辰巳申戌亥时 \r\n". Empty when no hour
// is accepted (the day is then left out).
std::string WeddingDayLine(const CivilTime& date, const CivilTime& lunar, bool leapMonth, int dayPillar,
                           std::uint16_t hours);

// The marriage years a user is offered in a given current year: that year
// and the four following, none past 2100 (the last convertible year); 2100
// alone when the clock is already past it.
std::vector<int> WeddingYearChoices(int currentYear);

// Everything the search needs from a finished matching run.
struct WeddingSearchInput {
    int womanYear = 0;        // the woman's birth year counted from 立春
    int marriageYear = 2000;  // astronomical
    float longitude = 120;    // degrees east: the place whose local time the days are read in
    ChartOptions options;     // the time basis and the late-子-hour rule
};

// Progress of a running search, for a progress bar: called after each day
// with the days done (1 … days) and the number of days of the year. The
// search stops before the next day once *cancel is true.
struct WeddingProgress {
    std::function<void(int done, int days)> onDay;
    const std::atomic<bool>* cancel = nullptr;
};

struct WeddingResult {
    Status status;     // a refusal or cancellation leaves text empty
    std::string text;  // UTF-8, CR LF line ends
    int days = 0;      // days walked
};

// Reads what the search needs from a matching run: the woman's year, the
// options, and the longitude of 乙命 (the person the run converted last).
// Refuses when the run failed, when both persons have the same sex, or when
// the days of the marriage year cannot be converted.
Status WeddingSearchInputOf(const MatchingResult& matching, int marriageYear, WeddingSearchInput* out);

// The search after a matching run (WeddingSearchInputOf, then the search).
WeddingResult SearchWeddingDays(const MatchingResult& matching, int marriageYear, const WeddingProgress& progress = {});
// The search: the year's solar terms are found once, each day's pillars from
// them.
WeddingResult SearchWeddingDays(const WeddingSearchInput& input, const WeddingProgress& progress = {});
// The same search day by day as the chart does it: a full birth-data
// conversion and the pillar rules for each day. Slower; kept as the
// reference the fast search must equal.
WeddingResult SearchWeddingDaysDayByDay(const WeddingSearchInput& input, const WeddingProgress& progress = {});

}  // namespace tessaly
