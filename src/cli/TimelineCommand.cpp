// tessaly-cli timeline: a couple's luck pillars and yearly pillars side by
// side, as a text table (one line per year) or as JSON with the same facts.
// Nothing is written.
#include <algorithm>
#include <charconv>
#include <ctime>
#include <ostream>

#include "cli/Command.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "cli/TimelineJson.h"
#include "matching/CoupleTimeline.h"

namespace tessaly::cli {
namespace {

int ThisYear() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return local.tm_year + 1900;
}

// A year as users write it (negative = BC, no year 0) → stored; false with
// the message when it is not one.
bool ParseTimelineYear(std::string_view key, std::string_view s, int* stored, std::string* error) {
    int y = 0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, y);
    if (s.empty() || r.ec != std::errc() || r.ptr != end) {
        *error = std::string(key) + " 须为整数年份（公元前用负数），而不是“" + std::string(s) + "”";
        return false;
    }
    if (y == 0) {
        *error = std::string(key) + "：没有公元0年，公元前1年是 -1";
        return false;
    }
    *stored = StoredYear(y);
    return true;
}

int RunTimeline(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    // Without --from this year; without --to the first year and the next 20.
    TimelineSpan span = DefaultTimelineSpan(ThisYear());
    bool toGiven = false;
    for (const char* key : {"--from", "--to"}) {
        std::string text, error;
        bool missing = false;
        if (!TakeOption(ctx.args, key, &text, &missing)) continue;
        if (missing) return ctx.Usage(std::string(key) + " 需要一个年份");
        int year = 0;
        if (!ParseTimelineYear(key, text, &year, &error)) return ctx.Usage(error);
        if (std::string_view(key) == "--from") {
            span.firstYear = year;
        } else {
            span.lastYear = year;
            toGiven = true;
        }
    }
    if (!toGiven) span.lastYear = std::min(span.firstYear + 20, std::max(span.firstYear, kMaxYear));
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : m.warnings) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("timeline: unexpected argument '" + ctx.args.front() + "'");

    const ChartOptions options = MatchInputs(ctx, m.settings).options;
    LunarCalendar calendar;
    const CoupleTimelineBuild built = BuildCoupleTimeline(m.a, m.b, options, span, calendar);
    if (!built.status.ok()) {
        const Status shown = built.status.needsClockChoice() ? Status::ClockChoiceNeeded(built.errorText)
                                                             : Status::Error(built.errorText);
        return RefuseRun(ctx, shown, built.failedPerson);
    }
    if (json) {
        ctx.Print(TimelineJson(built.timeline));
        ctx.Print("\n");
    } else {
        ctx.Print(TimelineTableText(built.timeline));
    }
    return kExitOk;
}

const CommandRegistration kTimeline{
    "timeline",
    "--a PERSON --b PERSON [--from Y] [--to Y] [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]",
    RunTimeline,
    {
        .summary = "Prints a couple's years side by side: each person's eight luck pillars (大运) with the "
                   "years they cover, and one line per year with the year pillar (流年, from 立春 of the "
                   "year) and what it is to each person: the ten gods of its stem and branch, its branch's "
                   "relation to the day branch, the year branch and the other person's day branch, 桃花, "
                   "clashed and repeated pillars and 岁运并临. Nothing is written.",
        .arguments =
            TESSALY_MATCH_ARGUMENTS_HELP "--from Y\tthe first year, -850..2100 (negative for BC); default this year\n"
                                         "--to Y\tthe last year, -850..2100; default 20 years after the first\n"
                                         "--json\tprint one JSON object with the same facts",
        .examples = "tessaly-cli timeline --a \"name=张三;sex=M;date=1990-05-12 08:30\" "
                    "--b \"name=李四;sex=F;date=1992-11-03 21:10\" --from 2025 --to 2045",
        .summaryZh =
            "并排输出一对人的流年：每人的八步大运及其覆盖的年份，每年一行，有流年干支（从当年立春起）以及它对每人的意义：天干和地支的十神、地支与日支、年支和对方日支的关系、桃花、被冲和重复的柱、岁运并临。不写任何文件。",
        .argumentsZh = TESSALY_MATCH_ARGUMENTS_HELP_ZH "--from Y\t第一年，-850..2100（公元前用负数）；默认今年\n"
                                                       "--to Y\t最后一年，-850..2100；默认第一年之后 20 年\n"
                                                       "--json\t输出一个包含同样内容的 JSON 对象",
    }};

}  // namespace
}  // namespace tessaly::cli
