// The chart of one person and its report: header lines, pillars, lunar
// line, chart table, luck pillars, 胎元 and 命宫, the 年命/星座/生肖 line.
// Column widths are counted in GBK bytes (a Chinese character is two).
#include <cmath>
#include <cstdio>
#include <string>

#include "common/TextCodec.h"
#include "engine/Baziex.h"
#include "engine/ChartCells.h"
#include "engine/Stars.h"
#include "engine/Tables.h"

namespace tessaly {
namespace {

std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

std::string Format(const char* fmt, auto... args) {
    char buf[256];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// "出生公历：Y年M月D日H时M分" of a moment, the year as shown.
std::string SolarDateText(const CivilTime& t) {
    return Format("出生公历：%d年%d月%d日%d时%d分", ShownYear(t.year), t.month, t.day, t.hour, t.minute);
}

// Degrees and minutes of an angle: the whole degrees (floor) and the
// fraction in minutes rounded to 0 decimals.
std::string DegreesText(double deg) {
    const double whole = std::floor(deg);
    const double minutes = LunarCalendar::RoundToDecimals((deg - whole) * 60.0, 0);
    return Format("%d度%d分", static_cast<int>(whole), static_cast<int>(minutes));
}

std::string StemOf(int pillar) { return std::string(kStemNames[StemOfPillar(pillar)]); }
std::string BranchOf(int pillar) { return std::string(kBranchNames[BranchOfPillar(pillar)]); }
std::string NayinPillarName(int pillar) { return std::string(kNayinNames[NayinOf(pillar)]); }

// Digit sum of a value (a non-positive value adds nothing).
int DigitSum(int v) {
    int s = 0;
    for (; v > 0; v /= 10) s += v % 10;
    return s;
}

}  // namespace

bool CBaZiEx::BuildChartReport() {
    errorText.clear();
    if (Status s = CheckBirthRecord(currentPerson); !s.ok()) {
        errorText = s.message();
        return false;
    }
    if (!ConvertBirthData()) return false;

    const PersonRecord& r = currentPerson;
    ChartData& c = current;

    // --- Header lines ---------------------------------------------------
    personText += Format("命主姓名:%s  出生地:", r.name.c_str());
    std::string scratch;
    if (options.idate == 0) {
        scratch = r.placeText + "。\r\n";
        scratch += SolarDateText(chartTime) + "(北京时间)，";
    } else {
        personText += r.placeText + ",";
        personText += "经度:" + DegreesText(r.longitude) + ",";
        personText += "纬度:" + DegreesText(r.latitude) + "。\r\n";
        scratch = SolarDateText(clockTime) + "(北京时间)。\r\n";
        scratch += SolarDateText(chartTime) + (options.idate == 1 ? "(真太阳时)，" : "(地方时)，");
    }
    scratch += "星期" + std::string(kWeekdayNames[LunarCalendar::WeekdayOf(chartTime)]) + "。\r\n";
    personText += scratch;

    // --- Pillars ------------------------------------------------------------
    // Year and month from the standard-time moment, day and hour from the
    // corrected one.
    const MonthOfMoment month = LunarCalendar::MonthBranchOf(clockTime);
    const double prevJieJd = LunarCalendar::ToJulianDay(month.jie);
    const double nextJieJd = LunarCalendar::ToJulianDay(month.nextJie);
    midTermJd = LunarCalendar::ToJulianDay(month.zhongqi);
    c.pillars[kYearPos] = static_cast<std::int16_t>(YearPillarOf(clockTime));
    c.pillars[kMonthPos] = static_cast<std::int16_t>(MonthPillarOf(clockTime));
    c.pillars[kDayPos] = static_cast<std::int16_t>(DayPillarAt(chartTime, options.zishi));
    c.pillars[kHourPos] = static_cast<std::int16_t>(HourPillarOf(chartTime, options.zishi));
    const int yearP = c.pillars[kYearPos], monthP = c.pillars[kMonthPos];
    const int dayP = c.pillars[kDayPos], hourP = c.pillars[kHourPos];
    const int dayStem = StemOfPillar(dayP);

    // --- Lunar line -------------------------------------------------------
    scratch = "出生农历：" + LunarCalendar::ChineseNumeral(ShownYear(lunarTime.year)) + "年";
    std::string monthText = " " + LunarCalendar::ChineseNumeral(lunarTime.month) + "月 ";
    if (lunarTime.month == 1) monthText = " 正月 ";
    if (r.isLeapMonth) monthText = " 闰" + monthText.substr(monthText.find_first_not_of(' '));
    scratch += monthText;
    scratch += (lunarTime.day <= 10 ? "初" : "") + LunarCalendar::ChineseNumeral(lunarTime.day) + "日";
    scratch.append(" ").append(BranchOf(hourP)).append("时。");
    personText += scratch + "\r\n\r\n";

    // --- Chart table --------------------------------------------------------
    personText += Sp(6);
    for (int i = 0; i < 4; ++i) {
        if (i == kDayPos) {
            personText += "日元" + Sp(8);
        } else {
            personText += std::string(kTenGodShortNames[TenGodOf(dayStem, StemOfPillar(c.pillars[i]))]) + Sp(10);
        }
    }
    personText += "\r\n";
    personText += r.isMale ? "乾造  " : "坤造  ";
    for (int i = 0; i < 4; ++i) {
        if (options.pai == 0) {
            personText += PillarName(c.pillars[i]) + (i < 3 ? Sp(8) : "");
        } else {
            personText += StemOf(c.pillars[i]) + (i < 3 ? Sp(10) : "");
        }
    }
    const VoidBranches voids = VoidBranchesOf(dayP);
    personText += " (日空" + std::string(kBranchNames[voids.first]) + "、" +
                  std::string(kBranchNames[voids.second]) + ")\r\n";
    if (options.pai != 0) {
        personText += Sp(6);
        for (int i = 0; i < 4; ++i) personText += BranchOf(c.pillars[i]) + (i < 3 ? Sp(10) : "");
        personText += "\r\n";
    }
    personText += "藏干  ";
    for (int i = 0; i < 4; ++i) {
        const int b = BranchOfPillar(c.pillars[i]);
        std::string names;
        for (int k = 0; k < HiddenStemCount(b); ++k) names += kStemNames[HiddenStem(b, k)];
        personText += PadRightGbk(names, 12);
    }
    personText += "\r\n" + Sp(6);
    for (int i = 0; i < 4; ++i) {
        const int b = BranchOfPillar(c.pillars[i]);
        std::string gods;
        for (int k = 0; k < HiddenStemCount(b); ++k) gods += kTenGodShortNames[TenGodOf(dayStem, HiddenStem(b, k))];
        personText += PadRightGbk(gods, 12);
    }
    personText += "\r\n\r\n";

    // --- Cells ----------------------------------------------------------------
    FillChartCells(c);

    // --- Luck pillars (大运) ----------------------------------------------
    const bool yangYear = yearP % 2 == 1;
    const bool forward = (r.isMale && yangYear) || (!r.isMale && !yangYear);
    // Both moments are whole minutes plus one second: the difference is a
    // whole number of minutes.
    const long minutes = std::lround((forward ? nextJieJd - clockJd : clockJd - prevJieJd) * 1440.0);
    const long years = minutes / 4320;
    const long months = (minutes % 4320) / 360;
    const long days = (minutes % 4320 % 360) / 12;
    CivilTime start = chartTime;
    start.month = static_cast<std::int16_t>(start.month + months);
    if (start.month > 12) {
        start.month = static_cast<std::int16_t>(start.month - 12);
        start.year = static_cast<std::int16_t>(start.year + 1);
    }
    start.year = static_cast<std::int16_t>(start.year + years);
    start = LunarCalendar::FromJulianDay(LunarCalendar::ToJulianDay(start) + static_cast<double>(days));
    luckStartAge = static_cast<std::int16_t>(start.year - chartTime.year + 1);
    c.luckStartYears = static_cast<std::uint8_t>(luckStartAge);
    personText += Format("起大运周岁：%ld岁 %ld个月 %ld天，", years, months, days);
    personText += Format("每一交大运年 %d月 %d日起运(公历)。\r\n", start.month, start.day);

    int luck[8];
    for (int u = 1; u <= 8; ++u) luck[u - 1] = FloorMod(monthP + (forward ? u : -u), 60);
    personText += Sp(5);
    for (const int p : luck) personText += std::string(kTenGodShortNames[TenGodOf(dayStem, StemOfPillar(p))]) + Sp(4);
    personText += "\r\n大运 ";
    for (const int p : luck) personText += PillarName(p) + Sp(2);
    personText += "\r\n" + Sp(5);
    for (const int p : luck) personText += PadRightGbk(kGrowthStageNames[GrowthStageOf(dayStem, BranchOfPillar(p))], 6);
    personText += "\r\n岁数 ";
    for (int u = 1; u <= 8; ++u) personText += PadRightGbk(std::to_string(luckStartAge + 10 * (u - 1)), 6);
    personText += "\r\n年份 ";
    for (int u = 1; u <= 8; ++u) {
        personText += PadRightGbk(std::to_string(ShownYear(chartTime.year) + luckStartAge - 1 + 10 * (u - 1)), 6);
    }
    personText += "\r\n";

    // --- 胎元 and 命宫 ------------------------------------------------------
    const int monthStem = StemOfPillar(monthP), monthBranch = BranchOfPillar(monthP);
    const int conception = LunarCalendar::PillarOf((monthStem + 1) % 10, (monthBranch + 3) % 12);
    c.conceptionPillar = static_cast<std::uint8_t>(conception);
    std::string line = "\r\n☆胎元：" + PillarName(conception) + "(" + NayinPillarName(conception) + ")  ";
    int ordinal;  // month counted from 寅 = 1 to 丑 = 12
    if (options.mgong == 0) {
        ordinal = monthBranch - 2;
        if (ordinal < 1) ordinal += 12;
    } else {
        // Counted from the 中气 instead of the 节.
        int a = monthBranch - 1;
        if (a < 1) a += 12;
        a += 2;
        if (clockJd < midTermJd) a -= 1;
        ordinal = a - 2;
        if (ordinal < 1) ordinal += 12;
    }
    const int b = FloorMod(2 - ordinal, 12);
    const int hc = FloorMod(4 - BranchOfPillar(hourP), 12);
    const int palaceBranch = (b + hc) % 12;
    int g = yearP % 10;
    if (g >= 5) g -= 5;
    const int palaceStem = (FloorMod(palaceBranch - 3, 12) + 2 * g + 1) % 10;
    const int palace = LunarCalendar::PillarOf(palaceStem, palaceBranch);
    c.lifePalace = static_cast<std::uint8_t>(palace);
    line += "命宫：" + PillarName(palace) + "(" + NayinPillarName(palace) + ")\r\n";
    personText += line;

    // --- Symbolic stars and the 年命/星座/生肖 line -------------------------
    EvaluateChartStars();
    int w = clockTime.year;
    if (FloorMod(w + 897, 60) != yearP) w -= 1;  // born before 立春
    c.era = static_cast<std::uint8_t>(((w + 1736) / 60) % 3);
    static constexpr const char* kEraText[] = {"(上元)  ", "(中元)  ", "(下元)  "};
    personText += "☆年命：" + NayinPillarName(yearP) + kEraText[c.era];
    int n = monthBranch - 1;
    if (n < 1) n += 12;
    if (clockJd >= midTermJd) n += 1;
    c.constellation = static_cast<std::uint8_t>((n + 8) % 12);
    personText += "星座：" + std::string(kConstellationNames[c.constellation]) + "座  ";
    personText += "生肖：" + std::string(kZodiacNames[BranchOfPillar(yearP)]);

    int number = DigitSum(chartTime.year) + DigitSum(chartTime.month) + DigitSum(chartTime.day);
    while (number > 9) number = DigitSum(number);
    c.birthNumber = static_cast<std::int16_t>(number);

    FillRelations(c);

    chartText[r.personNo % 2] = personText;
    moments[r.personNo % 2] = {clockTime, chartTime, lunarTime, clockJd, r.isLeapMonth != 0};
    AnalyseChart();
    if (!r.isMale) femaleSolarYear = static_cast<std::int16_t>(w);
    return true;
}

void CBaZiEx::EvaluateChartStars() {
    // The report prints no star list; the readings and the index consult
    // the hits by pillar and slot.
    current.starHits = ChartStars(current.pillars, currentPerson.isMale != 0);
}

}  // namespace tessaly
