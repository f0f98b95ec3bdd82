// Column widths are counted in GBK bytes (a Chinese character is two).
#include "chart/ChartBuilder.h"

#include <cmath>
#include <string>
#include <string_view>
#include <type_traits>

#include "calendar/BirthTimeZone.h"
#include "common/TextCodec.h"
#include "chart/ChartCells.h"
#include "chart/Stars.h"
#include "chart/Tables.h"

namespace tessaly {
namespace {

std::string Sp(int n) { return std::string(static_cast<std::size_t>(n), ' '); }

// Text and numbers run together ("%d" of each number).
std::string Join(auto... parts) {
    std::string s;
    const auto add = [&s](const auto& part) {
        if constexpr (std::is_integral_v<std::decay_t<decltype(part)>>) {
            s += std::to_string(part);
        } else {
            s += part;
        }
    };
    (add(parts), ...);
    return s;
}

// "出生公历：Y年M月D日H时M分" of a moment, the year as shown.
std::string SolarDateText(const CivilTime& t) {
    return Join("出生公历：", ShownYear(t.year), "年", t.month, "月", t.day, "日", t.hour, "时", t.minute, "分");
}

// "(纽约时间 08:30，夏令时)" after the Beijing time of a birth read from the
// clock of its place; nothing for a birth entered in standard time.
std::string CivilClockNote(const BirthMoments& m) {
    if (!m.civil.used) return {};
    return ClockNoteText(m.civil.localTime, m.clockTime, m.civil.timeZone, m.civil.summerTime);
}

// Degrees and minutes of an angle: the whole degrees (floor) and the
// fraction in minutes rounded to 0 decimals.
std::string DegreesText(double deg) {
    const double whole = std::floor(deg);
    const double minutes = LunarCalendar::RoundToDecimals((deg - whole) * 60.0, 0);
    return Join(static_cast<int>(whole), "度", static_cast<int>(minutes), "分");
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

ChartBuild BuildChart(const PersonRecord& r, const ChartOptions& options, LunarCalendar& calendar) {
    ChartBuild out;
    if (Status s = CheckBirthRecord(r); !s.ok()) {
        out.status = s;
        return out;
    }
    BirthConversion conversion = ConvertBirth(r, options, calendar);
    if (!conversion.status.ok()) {
        out.status = conversion.status;
        return out;
    }
    PersonChart& pc = out.person;
    pc.person = r;
    pc.moments = conversion.moments;
    pc.chart = ZeroChartData();
    const CivilTime& clockTime = pc.moments.clockTime;
    const CivilTime& chartTime = pc.moments.chartTime;
    const CivilTime& lunarTime = pc.moments.lunarTime;
    const double clockJd = pc.moments.clockJd;
    ChartData& c = pc.chart;
    const bool vertical = options.verticalChart;

    // The text, in the roles of this person.
    const int personNo = r.personNo;
    const auto emit = [&](ReportRole role, const std::string& text) {
        pc.text.Add(RoleOfPerson(role, personNo), text);
    };
    const auto body = [&](const std::string& text) { emit(ReportRole::kBody, text); };

    emit(ReportRole::kPersonHeading, personNo == 0 ? "甲命八字：" : "乙命八字：");
    body("\r\n");

    // --- Header lines ---------------------------------------------------
    // Written once through a 256-byte buffer: a name stopped at a NUL byte,
    // the line cut to 255 bytes.
    body(Join("命主姓名:", std::string_view(r.name.c_str()), "  出生地:").substr(0, 255));
    if (options.timeBasis == TimeBasis::kBeijingTime) {
        body(r.placeText + "。\r\n");
        body(SolarDateText(chartTime) + "(北京时间)" + CivilClockNote(pc.moments) + "，");
    } else {
        body(r.placeText + ",");
        body("经度:" + DegreesText(r.longitude) + ",");
        body("纬度:" + DegreesText(r.latitude) + "。\r\n");
        body(SolarDateText(clockTime) + "(北京时间)" + CivilClockNote(pc.moments) + "。\r\n");
        body(SolarDateText(chartTime) +
             (options.timeBasis == TimeBasis::kTrueSolarTime ? "(真太阳时)，" : "(地方时)，"));
    }
    body("星期" + std::string(kWeekdayNames[LunarCalendar::WeekdayOf(chartTime)]) + "。\r\n");

    // --- Pillars ------------------------------------------------------------
    // Year and month from the standard-time moment, day and hour from the
    // corrected one.
    // Only the 节 the luck count reads is needed to its minute; the others
    // only tell on which side of them the birth lies.
    const MonthPlace month = calendar.LocateMonth(clockTime);
    pc.afterMidTerm = !calendar.BeforeTerm(clockJd, clockTime.year, month.jieAngle + 15);
    const int yearP = YearPillarOfYear(month.afterLichun ? clockTime.year : clockTime.year - 1);
    const int monthP = MonthPillarFrom(yearP, month.branch);
    const int dayP = LunarCalendar::DayPillarAt(chartTime, options.lateZiHourKeepsDay);
    const int hourP = LunarCalendar::HourPillarOf(chartTime, options.lateZiHourKeepsDay);
    c.pillars = {static_cast<std::int16_t>(yearP), static_cast<std::int16_t>(monthP), static_cast<std::int16_t>(dayP),
                 static_cast<std::int16_t>(hourP)};
    const int dayStem = StemOfPillar(dayP);

    // --- Lunar line -------------------------------------------------------
    std::string line = "出生农历：" + LunarCalendar::ChineseNumeral(ShownYear(lunarTime.year)) + "年";
    std::string monthText = " " + LunarCalendar::ChineseNumeral(lunarTime.month) + "月 ";
    if (lunarTime.month == 1) monthText = " 正月 ";
    if (pc.moments.isLeapMonth) monthText = " 闰" + monthText.substr(monthText.find_first_not_of(' '));
    line += monthText;
    line += (lunarTime.day <= 10 ? "初" : "") + LunarCalendar::ChineseNumeral(lunarTime.day) + "日";
    line.append(" ").append(BranchOf(hourP)).append("时。");
    body(line + "\r\n\r\n");

    // --- Chart table --------------------------------------------------------
    line = Sp(6);
    for (int i = 0; i < 4; ++i) {
        if (i == kDayPos) {
            line.append("日元").append(8, ' ');
        } else {
            line.append(kTenGodShortNames[TenGodOf(dayStem, StemOfPillar(c.pillars[i]))]).append(10, ' ');
        }
    }
    body(line + "\r\n");
    line = r.isMale ? "乾造  " : "坤造  ";
    for (int i = 0; i < 4; ++i) {
        if (!vertical) {
            line.append(PillarName(c.pillars[i])).append(i < 3 ? 8 : 0, ' ');
        } else {
            line.append(StemOf(c.pillars[i])).append(i < 3 ? 10 : 0, ' ');
        }
    }
    const VoidBranches voids = VoidBranchesOf(dayP);
    line +=
        " (日空" + std::string(kBranchNames[voids.first]) + "、" + std::string(kBranchNames[voids.second]) + ")\r\n";
    if (vertical) {
        line += Sp(6);
        for (int i = 0; i < 4; ++i) line.append(BranchOf(c.pillars[i])).append(i < 3 ? 10 : 0, ' ');
        line += "\r\n";
    }
    emit(ReportRole::kPillarRow, line);
    line = "藏干  ";
    for (int i = 0; i < 4; ++i) {
        const int b = BranchOfPillar(c.pillars[i]);
        std::string names;
        for (int k = 0; k < HiddenStemCount(b); ++k) names += kStemNames[HiddenStem(b, k)];
        AppendPadRightGbk(line, names, 12);
    }
    line += "\r\n" + Sp(6);
    for (int i = 0; i < 4; ++i) {
        const int b = BranchOfPillar(c.pillars[i]);
        std::string gods;
        for (int k = 0; k < HiddenStemCount(b); ++k) gods += kTenGodShortNames[TenGodOf(dayStem, HiddenStem(b, k))];
        AppendPadRightGbk(line, gods, 12);
    }
    body(line + "\r\n\r\n");

    // --- Cells ----------------------------------------------------------------
    FillChartCells(c);

    // --- Luck pillars (大运) ----------------------------------------------
    const bool yangYear = yearP % 2 == 1;
    const bool forward = (r.isMale && yangYear) || (!r.isMale && !yangYear);
    // Both moments are whole minutes plus one second: the difference is a
    // whole number of minutes.
    const long minutes =
        forward ? std::lround((calendar.TermMinuteJd(clockTime.year, month.jieAngle + 30) - clockJd) * 1440.0)
                : std::lround((clockJd - calendar.TermMinuteJd(clockTime.year, month.jieAngle)) * 1440.0);
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
    pc.luckStartAge = static_cast<std::int16_t>(start.year - chartTime.year + 1);
    c.luckStartYears = static_cast<std::uint8_t>(pc.luckStartAge);
    line = Join("起大运周岁：", years, "岁 ", months, "个月 ", days, "天，");
    line += Join("每一交大运年 ", start.month, "月 ", start.day, "日起运(公历)。\r\n");

    LuckCycle& luck = pc.luck;
    luck.forward = forward;
    luck.years = static_cast<int>(years);
    luck.months = static_cast<int>(months);
    luck.days = static_cast<int>(days);
    luck.start = start;
    for (int u = 1; u <= 8; ++u) {
        luck.pillars[u - 1] = static_cast<std::int16_t>(FloorMod(monthP + (forward ? u : -u), 60));
    }
    line += Sp(5);
    for (const int p : luck.pillars) line.append(kTenGodShortNames[TenGodOf(dayStem, StemOfPillar(p))]).append(4, ' ');
    line += "\r\n大运 ";
    for (const int p : luck.pillars) line.append(PillarName(p)).append(2, ' ');
    line += "\r\n" + Sp(5);
    for (const int p : luck.pillars) {
        AppendPadRightGbk(line, kGrowthStageNames[GrowthStageOf(dayStem, BranchOfPillar(p))], 6);
    }
    line += "\r\n岁数 ";
    for (int u = 1; u <= 8; ++u) AppendPadRightGbk(line, std::to_string(pc.luckStartAge + 10 * (u - 1)), 6);
    line += "\r\n年份 ";
    for (int u = 1; u <= 8; ++u) {
        AppendPadRightGbk(line, std::to_string(ShownYear(chartTime.year) + pc.luckStartAge - 1 + 10 * (u - 1)), 6);
    }
    body(line + "\r\n\r\n");

    // --- 胎元 and 命宫 ------------------------------------------------------
    const int monthStem = StemOfPillar(monthP), monthBranch = BranchOfPillar(monthP);
    const int conception = PillarOfStemBranch((monthStem + 1) % 10, (monthBranch + 3) % 12);
    c.conceptionPillar = static_cast<std::uint8_t>(conception);
    line = "☆胎元：" + PillarName(conception) + "(" + NayinPillarName(conception) + ")  ";
    int ordinal;  // month counted from 寅 = 1 to 丑 = 12
    if (!options.lifePalaceByMidTerm) {
        ordinal = monthBranch - 2;
        if (ordinal < 1) ordinal += 12;
    } else {
        // Counted from the 中气 instead of the 节.
        int a = monthBranch - 1;
        if (a < 1) a += 12;
        a += 2;
        if (!pc.afterMidTerm) a -= 1;
        ordinal = a - 2;
        if (ordinal < 1) ordinal += 12;
    }
    const int b = FloorMod(2 - ordinal, 12);
    const int hc = FloorMod(4 - BranchOfPillar(hourP), 12);
    const int palaceBranch = (b + hc) % 12;
    int g = yearP % 10;
    if (g >= 5) g -= 5;
    const int palaceStem = (FloorMod(palaceBranch - 3, 12) + 2 * g + 1) % 10;
    const int palace = PillarOfStemBranch(palaceStem, palaceBranch);
    c.lifePalace = static_cast<std::uint8_t>(palace);
    line += "命宫：" + PillarName(palace) + "(" + NayinPillarName(palace) + ")\r\n";

    // --- Symbolic stars and the 年命/星座/生肖 line -------------------------
    // The report prints no star list; the readings and the index consult
    // the hits by pillar and slot.
    c.starHits = ChartStars(c.pillars, r.isMale != 0);
    int w = clockTime.year;
    if (YearPillarOfYear(w) != yearP) w -= 1;  // born before 立春
    pc.yearFromLichun = w;
    c.era = static_cast<std::uint8_t>(((w + 1736) / 60) % 3);
    static constexpr const char* kEraText[] = {"(上元)  ", "(中元)  ", "(下元)  "};
    line += "☆年命：" + NayinPillarName(yearP) + kEraText[c.era];
    int n = monthBranch - 1;
    if (n < 1) n += 12;
    if (pc.afterMidTerm) n += 1;
    c.constellation = static_cast<std::uint8_t>((n + 8) % 12);
    line += "星座：" + std::string(kConstellationNames[c.constellation]) + "座  ";
    line += "生肖：" + std::string(kZodiacNames[BranchOfPillar(yearP)]);
    emit(ReportRole::kChartNotes, line);

    int number = DigitSum(chartTime.year) + DigitSum(chartTime.month) + DigitSum(chartTime.day);
    while (number > 9) number = DigitSum(number);
    c.birthNumber = static_cast<std::int16_t>(number);

    FillRelations(c);
    return out;
}

}  // namespace tessaly
