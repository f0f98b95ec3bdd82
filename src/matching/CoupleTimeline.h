// CoupleTimeline — a couple's years side by side: each person's luck pillars
// (大运) with the Gregorian years they cover, and for every year of a span
// the year pillar (流年) with what it is to each person's chart: the ten gods
// of its stem and of its branch's main hidden stem, the relations of its
// branch to the day branch (the spouse palace) and the year branch, 桃花,
// clashed and repeated pillars, 岁运并临, and its branch against the other
// person's day branch.
//
// Only facts with the names the chart already uses: the relation names of
// the relation tables (相冲 六合 相害 自刑 半三合…局 无礼之刑), the ten gods,
// the group star 桃花 by the rule the chart's stars follow, the luck pillars
// of the report.
//
// Years are astronomical inside (0 = 1 BC) and shown as users write them.
// A calendar year Y stands for the sexagenary year that begins at 立春 of Y:
// its year pillar is the one of a birth after 立春 in Y (2024 is 甲辰 from
// 2024-02-04 on; a birth in January 2024 still has 癸卯).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "calendar/Sexagenary.h"
#include "chart/ChartBuilder.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"

namespace tessaly {

// The years of a timeline, astronomical, both ends included.
struct TimelineSpan {
    int firstYear = 0;
    int lastYear = 0;
};

// This year and the next 20, kept inside the convertible years.
TimelineSpan DefaultTimelineSpan(int thisYear);
// Ok, or the message that refuses the span (outside −850..2100, or the first
// year after the last).
Status CheckTimelineSpan(const TimelineSpan& span);

inline constexpr const char* kTimelineYearRange = "流年年份必须在-850到2100年之间，并且没有公元0年";
inline constexpr const char* kTimelineYearOrder = "起始年份不能晚于结束年份";

// The relation of two branches, the first that holds, as the chart's
// relation pass and the pairing section name it.
struct BranchRelation {
    int kind = -1;     // −1 none, 0 自刑, 1 冲, 2 六合, 3 害, 4 半三合, 5 子卯 无礼之刑
    int element = -1;  // for 半三合: the element of the 三合 group

    bool Any() const { return kind >= 0; }
    bool IsClash() const { return kind == 1; }
    // 六合 or 半三合.
    bool IsCombination() const { return kind == 2 || kind == 4; }
    // 自刑, 相害 or 无礼之刑.
    bool IsPunishmentOrHarm() const { return kind == 0 || kind == 3 || kind == 5; }
    friend bool operator==(const BranchRelation&, const BranchRelation&) = default;
};
BranchRelation BranchRelationOf(int branchA, int branchB);
// "自刑", "相冲", "六合", "相害", "半三合水局" (the element's name), "无礼之刑";
// empty for none.
std::string BranchRelationName(const BranchRelation& relation);

// "年柱", "月柱", "日柱", "时柱" by PillarPos.
std::string_view PillarPositionName(int position);

// One luck pillar and the years it covers: it begins on the cycle's start
// day (month and day of LuckCycle::start) of firstYear and lasts until the
// next one begins ten years later.
struct LuckPeriod {
    int pillar = 0;     // PillarIndex
    int firstYear = 0;  // astronomical
    int lastYear = 0;   // firstYear + 9
};

// One person of the couple: the chart's facts the years are measured by.
struct TimelinePerson {
    std::string name;
    bool male = true;
    std::array<std::int16_t, 4> pillars{};  // year, month, day, hour (PillarIndex)
    int birthYear = 0;                      // astronomical; the calendar year the report's ages count from
    LuckCycle luck;                         // as the report states it
    std::array<LuckPeriod, 8> periods{};
    std::array<int, 2> peachBranches{};  // 桃花 by the day branch, by the year branch

    int DayStem() const { return StemOfPillar(pillars[2]); }
    int DayBranch() const { return BranchOfPillar(pillars[2]); }
    int YearBranch() const { return BranchOfPillar(pillars[0]); }
};

// What one year is to one person.
struct TimelinePersonYear {
    bool born = false;          // the birth year or later; nothing else is set before it
    int age = 0;                // nominal age, 1 in the birth year (the report's 岁数 row)
    int period = -1;            // index into TimelinePerson::periods of the luck pillar of the year; −1 none
    bool periodBegins = false;  // that luck pillar begins in this year
    int stemGod = 0;            // TenGod of the year stem
    int branchGod = 0;          // TenGod of the main hidden stem of the year branch
    BranchRelation toDayBranch;
    BranchRelation toYearBranch;
    BranchRelation toOtherDayBranch;   // the other person's day branch
    bool peachByDayBranch = false;     // the year branch is 桃花 of the day branch
    bool peachByYearBranch = false;    // … of the year branch
    std::uint8_t clashedPillars = 0;   // bit PillarPos: the year branch clashes that pillar's branch
    std::uint8_t repeatedPillars = 0;  // bit PillarPos: the year pillar is that pillar
    bool repeatsLuck = false;          // 岁运并临: the year pillar is the year's luck pillar

    bool Peach() const { return peachByDayBranch || peachByYearBranch; }
};

struct TimelineYear {
    int year = 0;    // astronomical
    int pillar = 0;  // from 立春 of the year
    std::array<TimelinePersonYear, 2> persons;
};

struct CoupleTimeline {
    TimelineSpan span;
    std::array<TimelinePerson, 2> persons;  // 甲命, 乙命
    std::vector<TimelineYear> years;        // one per year of the span, in order

    // The index of a year in `years`, or −1.
    int IndexOfYear(int year) const;
};

// The timeline of two built charts over a span (checked by the caller with
// CheckTimelineSpan).
CoupleTimeline CoupleTimelineOf(const PersonChart& a, const PersonChart& b, const TimelineSpan& span);

struct CoupleTimelineBuild {
    Status status;          // the span's, or the first person's record or conversion message
    int failedPerson = -1;  // 0 or 1 when a chart could not be built
    std::string errorText;  // the message with the person and the date: "乙命：不存在这个日期（2023-02-30）"
    CoupleTimeline timeline;

    bool ok() const { return status.ok(); }
};

// The charts of both records and their timeline.
CoupleTimelineBuild BuildCoupleTimeline(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                                        const TimelineSpan& span, LunarCalendar& calendar);

// --- Texts ----------------------------------------------------------------------

// "甲命" or "乙命".
std::string_view PersonLabel(int person);

// "每一交大运年 8月 22日起运(公历)", as the report says it.
std::string LuckStartText(const LuckCycle& luck);

// The cells of one person's part of a table line, in the order of
// kTimelineColumns: age ("37岁"), the luck pillar ("庚申"; "交庚申" in the
// year it begins; "未起运" before the first; "" after the eighth), the ten
// gods ("偏财/伤官"), the relations to the day branch and to the year
// branch, "桃花", clashed and repeated pillars and 岁运并临 ("冲日柱、同月柱、
// 岁运并临"), the relation to the other person's day branch. "未出生" and
// empty cells before the birth year.
inline constexpr std::array<std::string_view, 8> kTimelineColumns = {"岁",   "大运", "十神",    "日支",
                                                                     "年支", "桃花", "冲/同柱", "对方日支"};
std::array<std::string, 8> TimelineCells(const CoupleTimeline& timeline, std::size_t yearIndex, int person);

// The whole table: heading lines (the persons, the 立春 boundary, each
// person's luck pillars with their years), then one line per year with
// the year, its pillar and both persons' cells, columns aligned for a
// terminal (a Chinese character two columns wide). Lines end in "\n".
std::string TimelineTableText(const CoupleTimeline& timeline);

// Everything one year is to one person, in one line without line end:
// "甲命 37岁，大运庚申：流年丙午，天干偏财，地支伤官；日支子：午子相冲；…".
std::string TimelineYearLine(const CoupleTimeline& timeline, std::size_t yearIndex, int person);

}  // namespace tessaly
