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
    for (const std::string& w : m.warnings) ctx.Error(w);
    OverrideValues chosen[2];
    bool overridden[2] = {false, false};
    for (int n = 0; n < 2; ++n) {
        const std::string key = n == 0 ? "--override-a" : "--override-b";
        std::string text, error;
        bool missing = false;
        overridden[n] = TakeOption(ctx.args, key, &text, &missing);
        if (missing) return ctx.Usage(key + " needs VALUES (scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J)");
        if (overridden[n] && !ParseOverrideValues(text, &chosen[n], &error)) return ctx.Usage(key + ": " + error);
    }
    if (!ctx.args.empty()) return ctx.Usage("match: unexpected argument '" + ctx.args.front() + "'");

    MatchingResult result;
    EndingText ending;
    if (int rc = RunMatchingOf(ctx, m, &result, &ending); rc != kExitOk) return rc;
    if (overridden[0] || overridden[1]) {
        std::array<RoleOverride, 2> overrides = FillOverrides(result);
        for (int n = 0; n < 2; ++n) overrides[n] = ApplyOverrideValues(overrides[n], chosen[n]);
        result = Reanalyse(result, overrides, ending);
        if (!result.ok()) {
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
    "--a PERSON --b PERSON [--set KEY=VALUE]... [--override-a VALUES] [--override-b VALUES] [--json] [--encoding utf8|gbk]",
    RunMatch,
    {
        .summary = "Runs the matching of two persons and prints the report. The report holds both charts, "
                   "the readings, the pairing and the compatibility index (婚配指数). Nothing is written.",
        .arguments = TESSALY_MATCH_ARGUMENTS_HELP
        "--override-a VALUES\tafter the run, analyse 甲命 again with your own ten-god scores, roles "
        "and judgement: VALUES is scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J (a key left out keeps "
        "the run's value; pairs 比劫 食伤 财星 官杀 印枭 or 0..4; judgements 从旺 太弱 偏弱 平和 偏旺 "
        "太旺 从弱 or 0..6)\n"
        "--override-b VALUES\tthe same for 乙命\n"
        "--json\tprint one JSON object: the index, the report and both persons' chart data",
        .examples = "tessaly-cli match --a \"name=张三;sex=M;date=1990-05-12 08:30;prov=北京市\" "
                    "--b \"name=李四;sex=F;date=1992-11-03 21:10\"",
        .summaryZh = "给两人合婚并输出命稿。命稿包括两人的命盘、论断、配对和婚配指数。不写任何文件。",
        .argumentsZh = TESSALY_MATCH_ARGUMENTS_HELP_ZH
        "--override-a VALUES\t合婚之后，用你自己的十神分数、用神和旺衰重新分析甲命：VALUES 为 "
        "scores=s0,...,s9;roles=Y,X,J,C,N;judgement=J（没给的键保留运行的值；五类为 比劫 食伤 财星 官杀 印枭 或 "
        "0..4；旺衰为 从旺 太弱 偏弱 平和 偏旺 太旺 从弱 或 0..6）\n"
        "--override-b VALUES\t乙命同上\n"
        "--json\t输出一个 JSON 对象：指数、命稿和两人的命盘数据",
    }};

}  // namespace
}  // namespace tessaly::cli
