// tessaly-cli match: a matching run of two persons, printed as the report or
// as JSON; with --override-a/--override-b the run is then analysed again
// with the user's scores, roles and judgement. Nothing is written.
#include <ostream>

#include "cli/ChartJson.h"
#include "cli/Command.h"
#include "cli/MatchArgs.h"
#include "cli/OverrideArg.h"
#include "cli/PersonArg.h"

namespace tessaly::cli {
namespace {

int RunMatch(CommandContext& ctx) {
    const bool json = TakeFlag(ctx.args, "--json");
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : PlaceWarnings()) ctx.Error(w);
    OverrideSpec specs[2];
    bool overridden[2] = {false, false};
    for (int n = 0; n < 2; ++n) {
        const std::string key = n == 0 ? "--override-a" : "--override-b";
        std::string text, error;
        bool missing = false;
        overridden[n] = TakeOption(ctx.args, key, &text, &missing);
        if (missing) return ctx.Usage(key + " needs SPEC (scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J)");
        if (overridden[n] && !ParseOverrideSpec(text, &specs[n], &error)) return ctx.Usage(key + ": " + error);
    }
    if (!ctx.args.empty()) return ctx.Usage("match: unexpected argument '" + ctx.args.front() + "'");

    MatchingResult result;
    EndingText ending;
    if (int rc = RunMatchingOf(ctx, m, &result, &ending); rc != kExitOk) return rc;
    if (overridden[0] || overridden[1]) {
        std::array<RoleOverride, 2> overrides = FillOverrides(result);
        for (int n = 0; n < 2; ++n) overrides[n] = ApplyOverrideSpec(overrides[n], specs[n]);
        result = Reanalyse(result, overrides, ending);
        if (!result.Ok()) {
            ctx.Error(result.ErrorText());
            return kExitRefused;
        }
    }
    if (json) {
        ctx.Print(MatchingRunJson(result));
        ctx.Print("\n");
    } else {
        ctx.Print(result.Text());
    }
    return kExitOk;
}

const CommandRegistration kMatch{
    "match",
    "--a PERSON --b PERSON [--set KEY=VALUE]... [--override-a SPEC] [--override-b SPEC] [--json] [--encoding utf8|gbk]",
    RunMatch};

}  // namespace
}  // namespace tessaly::cli
