// tessaly-cli explain: why a chart has its pillars. For one person or a
// couple: the path of each birth time from the entered clock to the chart
// time, the pillar boundaries around it, and with --uncertainty-a/-b the
// charts a birth time known only to ± N minutes can give (with the index of
// every combination for a couple). Nothing is written.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include "calendar/BirthTimeZone.h"
#include "calendar/MonthGrid.h"
#include "calendar/Sexagenary.h"
#include "chart/BirthExplanation.h"
#include "chart/Tables.h"
#include "cli/ChartJson.h"
#include "cli/Command.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "common/TextCodec.h"
#include "matching/CoupleExplanation.h"

namespace tessaly::cli {
namespace {

std::string Format(const char* fmt, auto... args) {
    char buf[160];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// "29天17小时52分30秒", "3分8秒", "45秒".
std::string DurationText(long long seconds) {
    seconds = std::llabs(seconds);
    const long long d = seconds / 86400, h = seconds % 86400 / 3600, m = seconds % 3600 / 60, s = seconds % 60;
    std::string t;
    if (d) t += Format("%lld天", d);
    if (h) t += Format("%lld小时", h);
    if (m || d || h) t += Format("%lld分", m);
    return t + Format("%lld秒", s);
}
std::string AmountText(long long seconds) {
    std::string s = seconds < 0 ? "-" : "+";
    return s += DurationText(seconds);
}

std::string HourName(int hour) {  // the branch of an hour of the day, "申时"
    int h = hour % 2 == 1 ? hour + 1 : hour;
    if (h == 24) h = 0;
    return std::string(kBranchNames[(h / 2 + 1) % 12]) + "时";
}

const char* BasisName(TimeBasis b) {
    switch (b) {
        case TimeBasis::kTrueSolarTime: return "真太阳时";
        case TimeBasis::kLocalMeanTime: return "地方时";
        default: return "北京时间";
    }
}

// The name of a boundary: "立春", "未时与申时之交", "亥时与子时之交（换日）".
std::string MarkName(const BoundaryMark& m, bool keepsDay) {
    switch (m.kind) {
        case BoundaryKind::kSolarTerm: return std::string(kSolarTermNames[std::size_t(m.term)]);
        case BoundaryKind::kYearRange: return "可排盘年份的边界";
        case BoundaryKind::kChartEdge: break;
    }
    const int h = m.chartEdge.hour;
    if (h == 0) return keepsDay ? "零时（换日）" : "零时（生日日期）";
    std::string name = HourName(h - 1) + "与" + HourName(h) + "之交";
    if (h == 23 && !keepsDay) name += "（换日）";
    return name;
}

// The boundary with where it lies: "立春（节）", "未时与申时之交（真太阳时 15:00）".
std::string BoundaryTitle(const BoundaryMark& m, const BirthPath& path) {
    std::string t = MarkName(m, path.lateZiHourKeepsDay);
    if (m.kind == BoundaryKind::kSolarTerm) return t + (m.IsJie() ? "（节）" : "（中气）");
    if (m.kind == BoundaryKind::kChartEdge && path.timeBasis != TimeBasis::kBeijingTime) {
        t += Format("（%s %02d:%02d）", BasisName(path.timeBasis), m.chartEdge.hour, m.chartEdge.minute);
    }
    return t;
}

constexpr const char* kPillarNames[4] = {"年柱", "月柱", "日柱", "时柱"};

int PillarAt(const FourPillars& p, int i) {
    const int v[4] = {p.year, p.month, p.day, p.hour};
    return v[i];
}

std::string PillarsText(const FourPillars& p) {
    return PillarName(p.year) + " " + PillarName(p.month) + " " + PillarName(p.day) + " " + PillarName(p.hour);
}
FourPillars PillarsOf(const ChartData& c) { return {c.pillars[0], c.pillars[1], c.pillars[2], c.pillars[3]}; }

std::string LuckText(const LuckStart& l) { return Format("%d岁%d个月%d天", l.years, l.months, l.days); }

std::string PathText(const BirthPath& p) {
    std::string s = Format("出生时刻的换算（使用时间：%s；", BasisName(p.timeBasis));
    s += p.lateZiHourKeepsDay ? "区分夜子时、早子时）：\n" : "23时起算次日）：\n";
    const PathStep& entered = p.Step(PathStepKind::kEntered);
    const CivilTime& e = entered.moment.time;
    s += "  输入：";
    if (p.lunar) {
        s += Format("农历 %d年%s%d月%d日 %02d:%02d", ShownYear(e.year), p.leapMonth ? "闰" : "", e.month, e.day, e.hour,
                    e.minute);
    } else {
        s += "公历 " + FormatCivilTime(e);
    }
    s += p.civilClock ? "（" + TimeZoneLabel(p.timeZone) + "当地钟表）\n" : "（北京时间）\n";
    if (p.lunar) s += "  农历换公历：" + FormatCivilTime(p.Step(PathStepKind::kLunarToSolar).moment.time) + "\n";
    if (p.civilClock) {
        const PathStep& c = p.Step(PathStepKind::kClockToStandard);
        const int o = p.clockOffsetSeconds;
        std::string offset = Format("UTC%c%d", o < 0 ? '-' : '+', std::abs(o) / 3600);
        if (std::abs(o) % 3600) offset += Format(":%02d", std::abs(o) % 3600 / 60);
        s += "  当地钟表换北京时间（" + offset + (p.summerTime ? "，夏令时" : "") + "）：" +
             AmountText(c.amountSeconds) + "\n";
    }
    s += "  北京时间：" + FormatCivilSecond({p.standardTime, 0}) + "（年柱、月柱由此定）\n";
    if (p.timeBasis == TimeBasis::kBeijingTime) {
        s += "  使用北京时间，不作经度与均时差校正\n";
    } else {
        const PathStep& lon = p.Step(PathStepKind::kLongitude);
        s += Format("  经度校正（东经 %.2f°）：", double(p.longitude)) + AmountText(lon.amountSeconds) + " → 地方时 " +
             FormatCivilSecond(lon.moment) + "\n";
        if (p.timeBasis == TimeBasis::kTrueSolarTime) {
            const PathStep& eot = p.Step(PathStepKind::kEquationOfTime);
            s += "  均时差：" + AmountText(eot.amountSeconds) + " → 真太阳时 " + FormatCivilSecond(eot.moment) + "\n";
        }
        s += "  取整到分：" + AmountText(p.Step(PathStepKind::kRounding).amountSeconds) + "\n";
    }
    s += "  排盘时间：" + FormatCivilTime(p.chartTime) + "（日柱、时柱由此定）\n";
    if (p.lateZiHour) {
        s += p.lateZiHourKeepsDay ? "  23时属本日：日柱取本日，时柱取次日子时\n"
                                  : "  23时起算次日：日柱取 " + FormatCivilDate(p.dayPillarDate) + " 之日柱\n";
    }
    return s;
}

std::string BoundariesText(const BirthExplanation& e) {
    std::string s = "附近的交界（北京时间）：\n";
    std::size_t width = 0;
    for (const PillarBoundary& b : e.boundaries) width = std::max(width, GbkWidth(BoundaryTitle(b.mark, e.path)));
    for (const PillarBoundary& b : e.boundaries) {
        s += "  " + PadRightGbk(BoundaryTitle(b.mark, e.path), width + 2) +
             FormatCivilSecond(CivilSecondOf(b.mark.moment));
        s += b.distanceSeconds < 0 ? "  在出生前 " : "  在出生后 ";
        s += DurationText(b.distanceSeconds) + "：";
        bool any = false;
        for (int i = 0; i < 4; ++i) {
            if (!b.changes[i]) continue;
            s += std::string(any ? "，" : "") + kPillarNames[i] + " " + PillarName(PillarAt(b.before, i)) + "→" +
                 PillarName(PillarAt(b.after, i));
            any = true;
        }
        if (!any) s += "四柱不变";
        if (b.hasLuckAcross) s += "；在另一侧起大运 " + LuckText(b.luckAcross);
        s += "\n";
    }
    const std::vector<const PillarBoundary*> near = BoundariesWithin(e, 24 * 60);
    if (!near.empty()) {
        const PillarBoundary& n = *near.front();
        s += "最近的交界：" + MarkName(n.mark, e.path.lateZiHourKeepsDay) + "，相距 " + DurationText(n.distanceSeconds);
        const char* sep = "；另一侧";
        for (int i = 0; i < 4; ++i) {
            if (!n.changes[i]) continue;
            s += sep + std::string(kPillarNames[i]) + "为" + PillarName(PillarAt(n.OtherSide(), i));
            sep = "、";
        }
        s += "\n";
    }
    return s;
}

std::string UncertaintyText(const BirthExplanation& e) {
    const BirthUncertainty& u = e.uncertainty;
    std::string s = Format("出生时刻误差 ±%d 分钟：%d 种八字\n", u.minutes, int(u.alternatives.size()));
    for (std::size_t i = 0; i < u.alternatives.size(); ++i) {
        const ChartAlternative& a = u.alternatives[i];
        std::string line = Format("  %2d. ", int(i + 1)) + FormatCivilTime(CivilTimeOfMinute(a.first)) + " 至 " +
                           FormatCivilTime(CivilTimeOfMinute(a.last));
        if (e.path.civilClock) {
            line += "（当地钟表 " + FormatCivilTime(a.firstClock) + " 至 " + FormatCivilTime(a.lastClock) + "）";
        }
        line += a.containsBirth ? "  * " : "    ";
        if (a.status.ok()) {
            line += PillarsText(PillarsOf(a.chart.chart));
        } else {
            line += a.status.message();
        }
        if (!a.opening.empty()) {
            line += "  自";
            for (std::size_t k = 0; k < a.opening.size(); ++k) {
                line += (k ? "、" : "") + MarkName(a.opening[k], e.path.lateZiHourKeepsDay);
            }
            line += "起";
        }
        s += line + "\n";
    }
    return s;
}

std::string PersonText(const BirthExplanation& e, int personNo) {
    const PersonChart& c = e.chart;
    std::string s = std::string(personNo == 0 ? "甲命" : "乙命") + "：" + c.person.name + "\n";
    s += PathText(e.path);
    s += "四柱：" + PillarsText(PillarsOf(c.chart)) + "  起大运：" + LuckText(c.luck.Wait()) + "\n";
    s += BoundariesText(e);
    if (e.uncertainty.minutes > 0) s += UncertaintyText(e);
    return s;
}

int Points(float index) { return static_cast<int>(index); }

std::string CoupleText(const CoupleExplanation& x) {
    std::string s;
    for (int n = 0; n < 2; ++n) s += PersonText(x.persons[n], n) + "\n";
    const auto& altA = x.persons[0].uncertainty.alternatives;
    const auto& altB = x.persons[1].uncertainty.alternatives;
    s += "婚配指数（行：甲命的八字，列：乙命的八字，* 为输入时刻）：\n" + std::string(8, ' ');
    for (std::size_t j = 0; j < altB.size(); ++j) {
        s += PadLeftGbk("乙" + std::to_string(j + 1) + (altB[j].containsBirth ? "*" : ""), 8);
    }
    s += "\n";
    for (std::size_t i = 0; i < altA.size(); ++i) {
        s += PadRightGbk("  甲" + std::to_string(i + 1) + (altA[i].containsBirth ? "*" : ""), 8);
        for (std::size_t j = 0; j < altB.size(); ++j) {
            const IndexCombination* c = x.Find(int(i), int(j));
            s += PadLeftGbk(c ? std::to_string(Points(c->index)) : "—", 8);
        }
        s += "\n";
    }
    if (!x.combinations.empty()) {
        s += Format("婚配指数范围：%d 至 %d 分（按输入时刻 %d 分）\n", Points(x.minIndex), Points(x.maxIndex),
                    Points(x.enteredIndex));
    }
    return s;
}

// ---- JSON -------------------------------------------------------------------

void WriteMark(JsonWriter& w, const BoundaryMark& m, bool keepsDay) {
    static constexpr const char* kKinds[] = {"solar_term", "chart_edge", "year_range"};
    w.Key("kind").String(kKinds[static_cast<int>(m.kind)]);
    w.Key("name").String(MarkName(m, keepsDay));
    if (m.kind == BoundaryKind::kSolarTerm) w.Key("term").Integer(m.term);
    if (m.kind == BoundaryKind::kChartEdge) w.Key("chart_edge").String(FormatCivilTime(m.chartEdge));
    w.Key("moment").String(FormatCivilSecond(CivilSecondOf(m.moment)));
    w.Key("first_minute").String(FormatCivilTime(CivilTimeOfMinute(m.firstMinute)));
}

void WritePillars(JsonWriter& w, const FourPillars& p) {
    w.BeginArray().Integer(p.year).Integer(p.month).Integer(p.day).Integer(p.hour).EndArray();
}

void WriteLuck(JsonWriter& w, const LuckStart& l, int age) {
    w.BeginObject();
    w.Key("years").Integer(l.years);
    w.Key("months").Integer(l.months);
    w.Key("days").Integer(l.days);
    w.Key("start_age").Integer(age);
    w.EndObject();
}

void WriteExplanation(JsonWriter& w, const BirthExplanation& e) {
    const bool keepsDay = e.path.lateZiHourKeepsDay;
    w.BeginObject();
    w.Key("name").String(e.chart.person.name);
    w.Key("birth_path");
    WriteBirthPath(w, e.path);
    w.Key("pillars");
    WritePillars(w, PillarsOf(e.chart.chart));
    w.Key("pillar_names").String(PillarsText(PillarsOf(e.chart.chart)));
    w.Key("luck");
    WriteLuck(w, e.chart.luck.Wait(), e.chart.luckStartAge);
    w.Key("boundaries").BeginArray();
    for (const PillarBoundary& b : e.boundaries) {
        w.BeginObject();
        WriteMark(w, b.mark, keepsDay);
        w.Key("distance_seconds").Integer(b.distanceSeconds);
        w.Key("birth_after").Bool(b.birthAfter);
        w.Key("before");
        WritePillars(w, b.before);
        w.Key("after");
        WritePillars(w, b.after);
        w.Key("changes").BeginArray();
        static constexpr const char* kKeys[4] = {"year", "month", "day", "hour"};
        for (int i = 0; i < 4; ++i) {
            if (b.changes[i]) w.String(kKeys[i]);
        }
        w.EndArray();
        if (b.hasLuckAcross) {
            w.Key("luck_across");
            WriteLuck(w, b.luckAcross, b.luckStartAgeAcross);
        }
        w.EndObject();
    }
    w.EndArray();
    const BirthUncertainty& u = e.uncertainty;
    w.Key("uncertainty").BeginObject();
    w.Key("minutes").Integer(u.minutes);
    w.Key("alternatives").BeginArray();
    for (const ChartAlternative& a : u.alternatives) {
        w.BeginObject();
        w.Key("first").String(FormatCivilTime(CivilTimeOfMinute(a.first)));
        w.Key("last").String(FormatCivilTime(CivilTimeOfMinute(a.last)));
        if (e.path.civilClock) {
            w.Key("first_clock").String(FormatCivilTime(a.firstClock));
            w.Key("last_clock").String(FormatCivilTime(a.lastClock));
        }
        w.Key("contains_birth").Bool(a.containsBirth);
        w.Key("opening").BeginArray();
        for (const BoundaryMark& m : a.opening) w.String(MarkName(m, keepsDay));
        w.EndArray();
        if (a.status.ok()) {
            const ChartData& c = a.chart.chart;
            w.Key("pillars");
            WritePillars(w, PillarsOf(c));
            w.Key("pillar_names").String(PillarsText(PillarsOf(c)));
            w.Key("constellation").Integer(c.constellation);
            w.Key("constellation_name")
                .String(std::string(kConstellationNames[std::size_t(c.constellation) % kConstellationNames.size()]) + "座");
            w.Key("birth_number").Integer(c.birthNumber);
        } else {
            w.Key("error").String(a.status.message());
        }
        w.EndObject();
    }
    w.EndArray();
    w.EndObject();
    w.EndObject();
}

std::string CoupleJson(const CoupleExplanation& x, bool couple) {
    JsonWriter w;
    w.BeginObject();
    w.Key("persons").BeginArray();
    for (int n = 0; n < (couple ? 2 : 1); ++n) WriteExplanation(w, x.persons[n]);
    w.EndArray();
    if (couple) {
        w.Key("combinations").BeginArray();
        for (const IndexCombination& c : x.combinations) {
            w.BeginObject();
            w.Key("a").Integer(c.a);
            w.Key("b").Integer(c.b);
            w.Key("index").Number(c.index);
            w.EndObject();
        }
        w.EndArray();
        w.Key("index_min").Number(x.minIndex);
        w.Key("index_max").Number(x.maxIndex);
        w.Key("index_entered").Number(x.enteredIndex);
    }
    w.EndObject();
    return w.str();
}

// ---- Arguments --------------------------------------------------------------

// "--uncertainty-a MIN": whole minutes 0..kMaxUncertaintyMinutes.
int TakeMinutes(CommandContext& ctx, std::string_view key, int* minutes, bool* given) {
    std::string text;
    bool missing = false;
    *given = TakeOption(ctx.args, key, &text, &missing);
    if (!*given) return kExitOk;
    int v = -1;
    const char* end = text.data() + text.size();
    const auto r = std::from_chars(text.data(), end, v);
    if (missing || text.empty() || r.ec != std::errc() || r.ptr != end || v < 0 || v > kMaxUncertaintyMinutes) {
        return ctx.Usage(std::string(key) + " takes whole minutes from 0 to " + std::to_string(kMaxUncertaintyMinutes) +
                         (missing ? "" : ", got '" + text + "'"));
    }
    *minutes = v;
    return kExitOk;
}

// Whether the option `key` is given, as "KEY VALUE" or "KEY=VALUE".
bool HasOption(const ArgList& args, std::string_view key) {
    const std::string withValue = std::string(key) + "=";
    return HasFlag(args, key) || std::any_of(args.begin(), args.begin() + std::ptrdiff_t(args.OptionEnd()),
                                             [&](const std::string& a) { return a.starts_with(withValue); });
}

int RunExplain(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    MatchArgs m;
    if (int rc = TakePersonOption(ctx, "--a", 0, &m.a, &m.warnings); rc != kExitOk) return rc;
    const bool couple = HasOption(ctx.args, "--b");
    if (couple) {
        if (int rc = TakePersonOption(ctx, "--b", 1, &m.b, &m.warnings); rc != kExitOk) return rc;
    }
    int minutes[2] = {0, 0};
    bool given[2] = {false, false};
    if (int rc = TakeMinutes(ctx, "--uncertainty-a", &minutes[0], &given[0]); rc != kExitOk) return rc;
    if (int rc = TakeMinutes(ctx, "--uncertainty-b", &minutes[1], &given[1]); rc != kExitOk) return rc;
    if (given[1] && !couple) return ctx.Usage("--uncertainty-b needs --b PERSON");
    if (int rc = TakeSettings(ctx, &m.settings); rc != kExitOk) return rc;
    for (const std::string& w : m.warnings) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("explain: unexpected argument '" + ctx.args.front() + "'");

    const ChartOptions options = MatchInputs(ctx, m.settings).options;
    LunarCalendar calendar;
    CoupleExplanation x;
    if (couple) {
        x = ExplainCouple(m.a, m.b, options, minutes[0], minutes[1], calendar);
    } else {
        x.persons[0] = ExplainBirth(m.a, options, minutes[0], calendar);
        if (!x.persons[0].status.ok()) {
            x.status = x.persons[0].status;
            x.failedPerson = 0;
        }
    }
    if (!x.ok()) {
        const std::string text = std::string(x.failedPerson == 0 ? "甲命：" : "乙命：") + x.status.message();
        return RefuseRun(ctx, x.status.needsClockChoice() ? Status::ClockChoiceNeeded(text) : Status::Error(text),
                         x.failedPerson);
    }
    if (json) {
        ctx.Print(CoupleJson(x, couple) + "\n");
    } else {
        ctx.Print(couple ? CoupleText(x) : PersonText(x.persons[0], 0));
    }
    return kExitOk;
}

const CommandRegistration kExplain{
    "explain",
    "--a PERSON [--b PERSON] [--uncertainty-a MIN] [--uncertainty-b MIN] [--set KEY=VALUE]... [--json] [--encoding "
    "utf8|gbk]",
    RunExplain,
    {
        .summary = "Explains the pillars of a birth: the path of its time from the entered clock to the chart time "
                   "(summer time, Beijing time, local mean time, true solar time, each step with its amount), the "
                   "pillar boundaries around it (the 节 on either side, 立春, the edges of the hour and of the day) "
                   "with their distance and the pillars across them, and, for a birth time known only to ± MIN "
                   "minutes, every chart that window can give with its minutes; for a couple also the index of "
                   "every combination. Without --b only 甲命 is explained. Nothing is written.",
        .arguments = TESSALY_MATCH_ARGUMENTS_HELP
        "--uncertainty-a MIN\tthe birth time of 甲命 may be off by up to MIN minutes either way (0 to 1440, "
        "default 0)\n"
        "--uncertainty-b MIN\tthe same for 乙命 (needs --b)\n"
        "--json\tprint one JSON object: per person the birth path, the boundaries and the alternatives; for a "
        "couple the index of every combination with its range",
        .examples = "tessaly-cli explain --a \"name=张三;sex=M;date=2024-02-04 16:30\" --uncertainty-a 30\n"
                    "tessaly-cli explain --a \"name=张三;sex=M;date=1990-05-12 08:30\" --b \"name=李四;sex=F;"
                    "date=1992-11-03 23:10\" --uncertainty-a 60 --uncertainty-b 60",
        .summaryZh =
            "说明一个出生时刻的四柱从何而来：从输入的钟表时间到排盘时间的每一步（夏令时、北京时间、地方平太阳时、真太阳时，各步的改变量），"
            "出生前后的四柱交界（前后的节、立春、时辰和日的交界）与出生时刻的距离及交界两侧的四柱；出生时刻只知道在 ± MIN "
            "分钟之内时，列出这段时间内可能的每一种八字及其分钟范围；一对人时还给出每种组合的婚配指数。没有 --b 时只说明甲命。不写任何文件。",
        .argumentsZh = TESSALY_MATCH_ARGUMENTS_HELP_ZH
        "--uncertainty-a MIN\t甲命的出生时刻前后可能相差 MIN 分钟（0 到 1440，默认 0）\n"
        "--uncertainty-b MIN\t乙命的同样设置（需要 --b）\n"
        "--json\t输出一个 JSON 对象：每人的时间换算、交界和可能的八字；一对人时还有每种组合的婚配指数及其范围",
    }};

}  // namespace
}  // namespace tessaly::cli
