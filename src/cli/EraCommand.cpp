// era YEAR — the historical era names of a year.
//
// YEAR is written as users write it: negative for BC, no year 0 (−1 is
// 1 BC), from −4712 to 9999 as the perpetual calendar shows them.
#include <charconv>
#include <string>

#include "calendar/EraText.h"
#include "calendar/PersonRecord.h"
#include "cli/Command.h"
#include "cli/ShownYears.h"

namespace tessaly::cli {
namespace {

int RunEra(CommandContext& ctx) {
    if (ctx.args.size() != 1) return ctx.Usage("era: expected one argument YEAR");
    const std::string& arg = ctx.args[0];
    int shown = 0;
    const char* end = arg.data() + arg.size();
    const auto [ptr, ec] = std::from_chars(arg.data(), end, shown);
    if (arg.empty() || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range)) {
        return ctx.Usage("era: YEAR '" + arg + "' is not a whole number");
    }
    if (ec == std::errc::result_out_of_range || shown < kFirstShownYear || shown > kLastShownYear) {
        return ctx.Usage("era: YEAR " + arg + " is outside -4712..9999");
    }
    if (shown == 0) return ctx.Usage("era: YEAR 0 does not exist (-1 is 1 BC)");
    ctx.Print(EraText(StoredYear(shown)));
    ctx.Print("\n");
    return kExitOk;
}

const CommandRegistration kEra{"era",
                               "YEAR",
                               RunEra,
                               {
                                   .summary = "Prints the historical Chinese era or eras (年号) of a year.",
                                   .arguments = "YEAR\tthe year, -4712..9999 (negative for BC, no year 0)",
                                   .examples = "tessaly-cli era 1644",
                                   .summaryZh = "输出一年的中国历史纪年（年号）。",
                                   .argumentsZh = "YEAR\t年份，-4712..9999（公元前用负数，没有公元0年）",
                               }};

}  // namespace
}  // namespace tessaly::cli
