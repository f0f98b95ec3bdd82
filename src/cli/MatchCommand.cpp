// tessaly-cli match: a matching run of two persons, printed as the report or
// as JSON. Nothing is written.
#include <ostream>

#include "cli/ChartJson.h"
#include "cli/Command.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"

namespace tessaly::cli {
namespace {

int RunMatch(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : PlaceWarnings()) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("match: unexpected argument '" + ctx.args.front() + "'");

    MatchingResult result;
    if (int rc = RunMatchingOf(ctx, m, &result); rc != kExitOk) return rc;
    if (json) {
        ctx.Print(MatchingRunJson(result));
        ctx.Print("\n");
    } else {
        ctx.Print(result.Text());
    }
    return kExitOk;
}

const CommandRegistration kMatch{
    "match", "--a PERSON --b PERSON [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]", RunMatch, {
        .summary = "Runs the matching of two persons and prints the report. The report holds both charts, "
                   "the readings, the pairing and the compatibility index (婚配指数). Nothing is written.",
        .arguments = TESSALY_MATCH_ARGUMENTS_HELP
                     "--json\tprint one JSON object: the index, the report and both persons' chart data",
        .examples = "tessaly-cli match --a \"name=张三;sex=M;date=1990-05-12 08:30;prov=北京市\" "
                    "--b \"name=李四;sex=F;date=1992-11-03 21:10\"",
    }};

}  // namespace
}  // namespace tessaly::cli
