// tessaly-cli wedding: a matching run of a man and a woman, then the search
// of one marriage year for wedding days and hours, printed as the result
// text. Nothing is written.
#include <charconv>
#include <ostream>

#include "cli/Command.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "matching/WeddingSearch.h"

namespace tessaly::cli {
namespace {

// The marriage year as users write it (negative = BC, no year 0) → stored.
// Its range is the engine's to refuse.
bool ParseMarriageYear(std::string_view s, int* stored, std::string* error) {
    int y = 0;
    const char* end = s.data() + s.size();
    const auto r = std::from_chars(s.data(), end, y);
    if (s.empty() || r.ec != std::errc() || r.ptr != end) {
        *error = "--year must be a whole number (negative for BC), got '" + std::string(s) + "'";
        return false;
    }
    if (y == 0) {
        *error = "--year 0 does not exist: 1 BC is -1";
        return false;
    }
    *stored = StoredYear(y);
    return true;
}

int RunWedding(CommandContext& ctx) {
    std::string yearText;
    bool missing = false;
    if (!TakeOption(ctx.args, "--year", &yearText, &missing) || missing) {
        return ctx.Usage("wedding: --year Y is required");
    }
    int year = 0;
    std::string error;
    if (!ParseMarriageYear(yearText, &year, &error)) return ctx.Usage(error);
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : m.warnings) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("wedding: unexpected argument '" + ctx.args.front() + "'");

    MatchingResult matching;
    if (int rc = RunMatchingOf(ctx, m, &matching); rc != kExitOk) return rc;
    const WeddingResult r = SearchWeddingDays(matching, year);
    if (!r.status.ok()) {
        ctx.Error(r.status.message());
        return kExitRefused;
    }
    ctx.Print(r.text);
    return kExitOk;
}

const CommandRegistration kWedding{
    "wedding",
    "--a PERSON --b PERSON --year Y [--set KEY=VALUE]... [--encoding utf8|gbk]",
    RunWedding,
    {
        .summary = "Searches a marriage year for the wedding days and hours of a couple. After the "
                   "matching of the man and the woman it prints a heading per solar month with its "
                   "quality for the woman, and each day that passes with its Gregorian and lunar date, "
                   "day pillar and good hours. A couple of one sex is refused.",
        .arguments = TESSALY_MATCH_ARGUMENTS_HELP "--year Y\tthe marriage year, -850..2100 (negative for BC)",
        .examples = "tessaly-cli wedding --a \"sex=M;date=1990-05-12 08:30\" --b \"sex=F;date=1992-11-03 21:10\" "
                    "--year 2026",
        .summaryZh =
            "为一对人在结婚年份中选择婚期和吉时。男女合婚之后，每个节气月输出一个标题及其对女方的吉凶，然后是每个合适的日子：公历和农历日期、日柱和吉时。同性别的一对会被拒绝。",
        .argumentsZh = TESSALY_MATCH_ARGUMENTS_HELP_ZH "--year Y\t结婚年份，-850..2100（公元前用负数）",
    }};

}  // namespace
}  // namespace tessaly::cli
