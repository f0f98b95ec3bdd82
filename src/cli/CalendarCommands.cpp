// Calendar commands of tessaly-cli: terms, newmoons, lunar, solar, lunaryear,
// pillars, month. Years are written as users write them: negative = BC, no year 0.
// Those that print a table also print it as JSON (--json; docs/json.md).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <string>

#include "calendar/Ephemeris.h"
#include "calendar/LunarCalendar.h"
#include "calendar/MonthGrid.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/ShownYears.h"

namespace tessaly::cli {
namespace {

// Shown years the calendar covers.
bool ParseInt(std::string_view s, int* out) {
    if (s.empty()) return false;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, *out);
    return r.ec == std::errc() && r.ptr == end;
}

// A shown year → stored (astronomical) year, or an error text. The month
// page reaches one year further back than the other commands.
bool ParseShownYear(std::string_view s, int* stored, std::string* error, int firstShownYear = kFirstShownYear) {
    int y;
    if (!ParseInt(s, &y)) {
        *error = "YEAR must be a whole number (negative for BC), got '" + std::string(s) + "'";
        return false;
    }
    if (y == 0) {
        *error = "YEAR 0 does not exist: 1 BC is -1";
        return false;
    }
    if (y < firstShownYear || y > kLastShownYear) {
        *error = "YEAR " + std::to_string(y) + " is outside " + std::to_string(firstShownYear) + ".." +
                 std::to_string(kLastShownYear);
        return false;
    }
    *stored = StoredYear(y);
    return true;
}

// "YYYY-MM-DD" (year may start with '-') → a date that exists.
bool ParseDate(std::string_view s, CivilTime* t, std::string* error) {
    const std::string bad = "DATE must be YYYY-MM-DD (negative year for BC), got '" + std::string(s) + "'";
    const std::size_t first = s.find('-', s.size() > 0 && s[0] == '-' ? 1 : 0);
    const std::size_t second = first == std::string_view::npos ? first : s.find('-', first + 1);
    int month, day, y;
    if (second == std::string_view::npos || !ParseInt(s.substr(first + 1, second - first - 1), &month) ||
        !ParseInt(s.substr(second + 1), &day)) {
        *error = bad;
        return false;
    }
    if (!ParseShownYear(s.substr(0, first), &y, error)) return false;
    *t = {std::int16_t(y), std::int16_t(month), std::int16_t(day), 0, 0};
    if (!LunarCalendar::SolarDateExists(*t)) {
        *error = "DATE " + std::string(s) + " does not exist";
        return false;
    }
    return true;
}

// "HH:MM"
bool ParseClock(std::string_view s, CivilTime* t) {
    const std::size_t colon = s.find(':');
    int h, m;
    if (colon == std::string_view::npos || !ParseInt(s.substr(0, colon), &h) || !ParseInt(s.substr(colon + 1), &m) ||
        h < 0 || h > 23 || m < 0 || m > 59)
        return false;
    t->hour = std::int16_t(h);
    t->minute = std::int16_t(m);
    return true;
}

std::string DateText(int year, int month, int day) {
    const int shown = ShownYear(year);
    char b[32];
    std::snprintf(b, sizeof b, "%s%04d-%02d-%02d", shown < 0 ? "-" : "", std::abs(shown), month, day);
    return b;
}

// Minute-rounded or, with seconds, rounded to the second.
std::string MomentText(double jd, bool precise) {
    if (!precise) {
        const CivilTime c = LunarCalendar::FromJulianDay(jd);
        char b[16];
        std::snprintf(b, sizeof b, " %02d:%02d", c.hour, c.minute);
        return DateText(c.year, c.month, c.day) + b;
    }
    const JdDate r = DateFromJd(jd + 0.5 / 86400);
    char b[16];
    std::snprintf(b, sizeof b, " %02d:%02d:%02d", r.hour, r.minute, r.second);
    return DateText(r.year, r.month, r.day) + b;
}

int YearOfMoment(double jd, bool precise) {
    return precise ? DateFromJd(jd + 0.5 / 86400).year : LunarCalendar::FromJulianDay(jd).year;
}

std::string PillarsLine(const FourPillars& p) {
    return PillarName(p.year) + ' ' + PillarName(p.month) + ' ' + PillarName(p.day) + ' ' + PillarName(p.hour) + '\n';
}

// The four pillars by name, as a JSON object.
void PillarsJson(JsonWriter& w, const FourPillars& p) {
    w.BeginObject();
    w.Key("year").String(PillarName(p.year)).Key("month").String(PillarName(p.month));
    w.Key("day").String(PillarName(p.day)).Key("hour").String(PillarName(p.hour));
    w.EndObject();
}

// Prints a finished JSON document and its line end.
void PrintJson(CommandContext& ctx, const JsonWriter& w) { ctx.Print(w.str() + '\n'); }

// Takes a single YEAR argument; returns false after reporting.
bool OneYear(CommandContext& ctx, int* year, int* exitCode) {
    std::string error;
    if (ctx.args.size() != 1) {
        *exitCode = ctx.Usage("expected one YEAR argument");
        return false;
    }
    if (!ParseShownYear(ctx.args[0], year, &error)) {
        *exitCode = ctx.Usage(error);
        return false;
    }
    return true;
}

int RunTerms(CommandContext& ctx) {
    const bool precise = TakeFlag(ctx.args, "--precise");
    const bool json = TakeFlag(ctx.args, "--json");
    int year, code;
    if (!OneYear(ctx, &year, &code)) return code;
    std::string out;
    JsonWriter w;
    w.BeginObject().Key("year").Integer(ShownYear(year)).Key("terms").BeginArray();
    for (const TermEntry& e : LunarCalendar::TermsOfYear(year)) {
        // The term at angle a of this year: 小寒 is a = −75, then 15° steps.
        const int a = -75 + 15 * e.term;
        std::string when;
        if (precise) {
            when = MomentText(TermMomentJd(year, a), true);
        } else {
            char b[16];
            std::snprintf(b, sizeof b, " %02d:%02d", e.hour, e.minute);
            when = DateText(e.year, e.month, e.day) + b;
        }
        const std::string_view name = kSolarTermNames[std::size_t(e.term)];
        out += when + '\t' + std::to_string(e.term) + '\t' + std::string(name) + '\n';
        w.BeginObject().Key("time").String(when).Key("term").Integer(e.term).Key("name").String(name).EndObject();
    }
    w.EndArray().EndObject();
    if (json) PrintJson(ctx, w);
    else ctx.Print(out);
    return kExitOk;
}

int RunNewMoons(CommandContext& ctx) {
    const bool precise = TakeFlag(ctx.args, "--precise");
    const bool json = TakeFlag(ctx.args, "--json");
    int year, code;
    if (!OneYear(ctx, &year, &code)) return code;
    const double jan1 = JdFromDate(year, 1, 1.0);
    std::string out;
    JsonWriter w;
    w.BeginObject().Key("year").Integer(ShownYear(year)).Key("new_moons").BeginArray();
    for (long k = long(std::floor((jan1 - 2451551) / 29.5306)) - 1;; ++k) {
        const double jd = StandardJdOfTd(TimeOfElongation(double(k) * kPi2));
        const int y = YearOfMoment(jd, precise);
        if (y < year) continue;
        if (y > year) break;
        const std::string when = MomentText(jd, precise);
        out += when + '\n';
        w.BeginObject().Key("time").String(when).EndObject();
    }
    w.EndArray().EndObject();
    if (json) PrintJson(ctx, w);
    else ctx.Print(out);
    return kExitOk;
}

int RunLunar(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    if (ctx.args.size() != 1) return ctx.Usage("expected one DATE argument (YYYY-MM-DD)");
    CivilTime t;
    std::string error;
    if (!ParseDate(ctx.args[0], &t, &error)) return ctx.Usage(error);
    LunarCalendar cal;
    CivilTime l;
    const bool leap = cal.SolarToLunar(t, &l);
    t.hour = 12;
    const FourPillars pillars = cal.PillarsOf(t, false);
    if (json) {
        JsonWriter w;
        w.BeginObject().Key("date").String(DateText(t.year, t.month, t.day));
        w.Key("lunar").BeginObject().Key("year").Integer(ShownYear(l.year)).Key("month").Integer(l.month);
        w.Key("day").Integer(l.day).Key("leap").Bool(leap).Key("text").String(LunarDateText(l.month, l.day, leap));
        w.EndObject().Key("pillars");
        PillarsJson(w, pillars);
        w.EndObject();
        PrintJson(ctx, w);
        return kExitOk;
    }
    ctx.Print(std::to_string(ShownYear(l.year)) + ' ' + std::to_string(l.month) + ' ' + std::to_string(l.day) + ' ' +
              (leap ? "1" : "0") + '\n' + PillarsLine(pillars));
    return kExitOk;
}

int RunSolar(CommandContext& ctx) {
    const bool leap = TakeFlag(ctx.args, "--leap");
    if (ctx.args.size() != 3) return ctx.Usage("expected Y M D (lunar year, month, day)");
    int y, m, d;
    std::string error;
    if (!ParseShownYear(ctx.args[0], &y, &error)) return ctx.Usage(error);
    if (!ParseInt(ctx.args[1], &m) || m < 1 || m > 13)
        return ctx.Usage("M must be a lunar month 1..12 (13 in ancient years)");
    if (!ParseInt(ctx.args[2], &d) || d < 1 || d > 30) return ctx.Usage("D must be a lunar day 1..30");
    LunarCalendar cal;
    CivilTime s;
    const Status st = cal.LunarToSolar({std::int16_t(y), std::int16_t(m), std::int16_t(d), 0, 0}, leap, &s);
    if (!st.ok()) {
        ctx.Error(st.message());
        return kExitRefused;
    }
    ctx.Print(DateText(s.year, s.month, s.day) + '\n');
    return kExitOk;
}

int RunLunarYear(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    int year, code;
    if (!OneYear(ctx, &year, &code)) return code;
    LunarCalendar cal;
    const int first = int(std::floor(JdFromDate(year, 1, 1.5))) - 2451545;
    const int last = int(std::floor(JdFromDate(year + 1, 1, 1.5))) - 2451545 - 1;
    // Two lunar years (solstice to solstice) cover every month starting in
    // the year: collect the months' first days and lengths from both.
    std::map<int, int> lengthOfMonthAt;
    for (int probe : {first, last}) {
        cal.BuildLunarYear(probe);
        for (int i = 0; i < 14; ++i) {
            const int day = cal.newMoonDays[std::size_t(i)];
            if (day >= first && day <= last) lengthOfMonthAt.emplace(day, cal.monthLengths[std::size_t(i)]);
        }
    }
    // Each month is numbered as its own days convert: the months at the end
    // of one lunar year are numbered for good only by the next one (a leap
    // month after the winter solstice, as in 2033).
    std::string out;
    JsonWriter w;
    w.BeginObject().Key("year").Integer(ShownYear(year)).Key("months").BeginArray();
    for (const auto& [day, length] : lengthOfMonthAt) {
        CivilTime date = LunarCalendar::FromJulianDay(day + 2451545.0);
        date.hour = 12;
        date.minute = 0;
        CivilTime lunar;
        const bool leap = cal.SolarToLunar(date, &lunar);
        const std::string firstDay = DateText(date.year, date.month, date.day);
        out += firstDay + '\t' + std::to_string(lunar.month) + '\t' + (leap ? "1" : "0") + '\t' +
               std::to_string(length) + '\n';
        w.BeginObject().Key("first_day").String(firstDay).Key("month").Integer(lunar.month).Key("leap").Bool(leap);
        w.Key("days").Integer(length).EndObject();
    }
    w.EndArray().EndObject();
    if (json) PrintJson(ctx, w);
    else ctx.Print(out);
    return kExitOk;
}

int RunPillars(CommandContext& ctx) {
    bool missing = false;
    bool zishi = false;
    for (const std::string& s : TakeRepeatedOption(ctx.args, "--set", &missing)) {
        if (s == "zishi=1") zishi = true;
        else if (s == "zishi=0") zishi = false;
        else return ctx.Usage("--set takes zishi=0 or zishi=1, got '" + s + "'");
    }
    if (missing) return ctx.Usage("--set needs zishi=0 or zishi=1");
    if (ctx.args.size() != 1) return ctx.Usage("expected one \"YYYY-MM-DD HH:MM\" argument");
    const std::string& arg = ctx.args[0];
    const std::size_t space = arg.find(' ');
    CivilTime t;
    std::string error;
    if (space == std::string::npos) return ctx.Usage("MOMENT must be \"YYYY-MM-DD HH:MM\", got '" + arg + "'");
    if (!ParseDate(std::string_view(arg).substr(0, space), &t, &error)) return ctx.Usage(error);
    if (!ParseClock(std::string_view(arg).substr(space + 1), &t))
        return ctx.Usage("MOMENT time must be HH:MM (00:00..23:59), got '" + arg.substr(space + 1) + "'");
    LunarCalendar cal;
    ctx.Print(PillarsLine(cal.PillarsOf(t, zishi)));
    return kExitOk;
}

// One line per day of the month, as the perpetual calendar's grid shows it:
// date, weekday, lunar date, day pillar and, on a term day, the term with
// its minute.
int RunMonth(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    if (ctx.args.size() != 2) return ctx.Usage("expected YEAR MONTH");
    int year, month;
    std::string error;
    if (!ParseShownYear(ctx.args[0], &year, &error, kCalendarFirstShownYear)) return ctx.Usage(error);
    if (!ParseInt(ctx.args[1], &month) || month < 1 || month > 12)
        return ctx.Usage("MONTH must be 1..12, got '" + ctx.args[1] + "'");
    LunarCalendar cal;
    std::string out;
    JsonWriter w;
    w.BeginObject().Key("year").Integer(ShownYear(year)).Key("month").Integer(month).Key("days").BeginArray();
    for (const DayCell& c : BuildMonthGrid(cal, year, month).days) {
        const std::string date = DateText(year, month, c.day);
        const std::string_view weekday = kWeekdayHeadings[std::size_t(c.column)];
        // Appended piece by piece (g++ 12 warns falsely on char + string&&).
        out.append(date).append("\t").append(weekday);
        out.append("\t").append(c.lunarText).append("\t").append(PillarName(c.dayPillar));
        if (c.termDay()) out.append("\t").append(TermAtMinute(c.term, c.termHour, c.termMinute));
        out.append("\n");

        w.BeginObject().Key("date").String(date).Key("weekday").String(weekday);
        w.Key("weekday_number").Integer(c.weekday);
        w.Key("lunar").BeginObject().Key("year").Integer(ShownYear(c.lunar.year)).Key("month").Integer(c.lunar.month);
        w.Key("day").Integer(c.lunar.day).Key("leap").Bool(c.leap).Key("text").String(c.lunarText).EndObject();
        w.Key("day_pillar").String(PillarName(c.dayPillar)).Key("term");
        if (c.termDay()) {
            char time[8];
            std::snprintf(time, sizeof time, "%02d:%02d", c.termHour, c.termMinute);
            w.BeginObject().Key("term").Integer(c.term).Key("name").String(kSolarTermNames[std::size_t(c.term)]);
            w.Key("time").String(date + ' ' + time).EndObject();
        } else {
            w.Null();
        }
        w.EndObject();
    }
    w.EndArray().EndObject();
    if (json) PrintJson(ctx, w);
    else ctx.Print(out);
    return kExitOk;
}

#define TESSALY_JSON_ARGUMENT_HELP "\n" TESSALY_JSON_HELP
#define TESSALY_YEAR_HELP "YEAR\tthe year, -4712..9999 (negative for BC, no year 0)\n"
#define TESSALY_JSON_ARGUMENT_HELP_ZH "\n" TESSALY_JSON_HELP_ZH
#define TESSALY_YEAR_HELP_ZH "YEAR\t年份，-4712..9999（公元前用负数，没有公元0年）\n"

const CommandRegistration kTerms{
    "terms",
    "YEAR [--precise] [--json]",
    RunTerms,
    {
        .summary = "Prints every solar term (节气) of a year. Each line holds the date and time (Beijing "
                   "time), the term number (0 = 小寒 ... 23 = 冬至) and the name.",
        .arguments = TESSALY_YEAR_HELP "--precise\tadd the seconds" TESSALY_JSON_ARGUMENT_HELP,
        .examples = "tessaly-cli terms 2024",
        .summaryZh = "输出一年的每个节气。每行是日期和时间（北京时间）、节气编号（0 = 小寒 ... 23 = 冬至）和名称。",
        .argumentsZh = TESSALY_YEAR_HELP_ZH "--precise\t加上秒" TESSALY_JSON_ARGUMENT_HELP_ZH,
    }};
const CommandRegistration kNewMoons{
    "newmoons",
    "YEAR [--precise] [--json]",
    RunNewMoons,
    {
        .summary = "Prints every new moon (朔) whose date, in Beijing time, lies in the year.",
        .arguments = TESSALY_YEAR_HELP "--precise\tadd the seconds" TESSALY_JSON_ARGUMENT_HELP,
        .examples = "tessaly-cli newmoons 2024 --precise",
        .summaryZh = "输出日期（北京时间）在这一年里的每个朔日。",
        .argumentsZh = TESSALY_YEAR_HELP_ZH "--precise\t加上秒" TESSALY_JSON_ARGUMENT_HELP_ZH,
    }};
const CommandRegistration kLunar{
    "lunar",
    "YYYY-MM-DD [--json]",
    RunLunar,
    {
        .summary = "Converts a date to the lunar date. It prints the lunar year, month, day and leap flag, "
                   "then the day's four pillars at noon. Dates before 1582-10-15 are Julian dates.",
        .arguments = "YYYY-MM-DD\tthe date; a negative year is BC" TESSALY_JSON_ARGUMENT_HELP,
        .examples = "tessaly-cli lunar 2024-02-10",
        .summaryZh =
            "把公历日期换算为农历日期。输出农历年、月、日和闰月标记，然后是这一天正午的四柱。1582-10-15 以前是儒略历日期。",
        .argumentsZh = "YYYY-MM-DD\t日期；负的年份是公元前" TESSALY_JSON_ARGUMENT_HELP_ZH,
    }};
const CommandRegistration kSolar{
    "solar",
    "Y M D [--leap]",
    RunSolar,
    {
        .summary = "Converts a lunar date to the Gregorian date. A lunar date that does not exist is refused "
                   "with status 1.",
        .arguments = "Y M D\tlunar year, month (1..12) and day (1..30)\n"
                     "--leap\tthe month is the leap month",
        .examples = "tessaly-cli solar 2023 2 15 --leap",
        .summaryZh = "把农历日期换算为公历日期。不存在的农历日期以状态 1 拒绝。",
        .argumentsZh = "Y M D\t农历年、月（1..12）和日（1..30）\n"
                       "--leap\t这个月是闰月",
    }};
const CommandRegistration kLunarYear{
    "lunaryear",
    "YEAR [--json]",
    RunLunarYear,
    {
        .summary = "Prints the lunar months that begin in a year. Each line holds the first day, the month "
                   "number, the leap flag and the length.",
        .arguments = TESSALY_YEAR_HELP TESSALY_JSON_HELP,
        .examples = "tessaly-cli lunaryear 2023",
        .summaryZh = "输出一年中开始的各个农历月。每行是初一的日期、月份、闰月标记和月的天数。",
        .argumentsZh = TESSALY_YEAR_HELP_ZH TESSALY_JSON_HELP_ZH,
    }};
const CommandRegistration kPillars{
    "pillars",
    "\"YYYY-MM-DD HH:MM\" [--set zishi=1]",
    RunPillars,
    {
        .summary = "Prints the four pillars (四柱) of a moment in Beijing time.",
        .arguments = "\"YYYY-MM-DD HH:MM\"\tthe moment, in one argument\n"
                     "--set zishi=1\tfrom 23:00 the day pillar stays that of the same day (by default the 子 hour "
                     "starts the next day)",
        .examples = "tessaly-cli pillars \"1990-05-12 08:30\"",
        .summaryZh = "输出一个时刻（北京时间）的四柱。",
        .argumentsZh = "\"YYYY-MM-DD HH:MM\"\t时刻，写在一个参数里\n"
                       "--set zishi=1\t23:00 以后日柱仍是当天的（默认子时开始算下一天）",
    }};
const CommandRegistration kMonth{
    "month",
    "YEAR MONTH [--json]",
    RunMonth,
    {
        .summary = "Prints a month as the perpetual calendar shows it: one line per day with the date, the "
                   "weekday, the lunar date, the day pillar and, on the day of a solar term, the term with its "
                   "minute (Beijing time).",
        .arguments = "YEAR\tthe year, -4713..9999 (negative for BC, no year 0)\n"
                     "MONTH\tthe month, 1..12" TESSALY_JSON_ARGUMENT_HELP,
        .examples = "tessaly-cli month 2024 2",
        .summaryZh =
            "按万年历的样子输出一个月。每天一行，有日期、星期、农历日期、日柱，交节的那天还有节气和它的时刻（北京时间）。",
        .argumentsZh = "YEAR\t年份，-4713..9999（公元前用负数，没有公元0年）\n"
                       "MONTH\t月份，1..12" TESSALY_JSON_ARGUMENT_HELP_ZH,
    }};

}  // namespace
}  // namespace tessaly::cli
