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

    CBaZiEx engine;
    if (int rc = RunMatchingOf(ctx, m, engine); rc != kExitOk) return rc;
    if (json) {
        ctx.Print(MatchingRunJson(engine));
        ctx.Print("\n");
    } else {
        ctx.Print(engine.LastReport());
    }
    return kExitOk;
}

const CommandRegistration kMatch{
    "match", "--a PERSON --b PERSON [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]", RunMatch};

}  // namespace
}  // namespace tessaly::cli
