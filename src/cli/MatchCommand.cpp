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
    "match", "--a PERSON --b PERSON [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]", RunMatch};

}  // namespace
}  // namespace tessaly::cli
