#include "cli/MatchArgs.h"

#include "chart/ChartOptions.h"
#include "cli/PersonArg.h"

namespace tessaly::cli {

int TakeMatchArgs(CommandContext& ctx, MatchArgs* out) {
    for (int i = 0; i < 2; ++i) {
        const std::string key = i == 0 ? "--a" : "--b";
        PersonRecord& r = i == 0 ? out->a : out->b;
        r = PersonRecord{};
        r.personNo = static_cast<std::uint8_t>(i);
        r.isMale = i == 0;
        r.provinceIndex = 34;  // 未知地
        r.longitude = 120;
        r.latitude = 30;
        r.placeText = "未知地";
        std::string text;
        bool missing = false;
        if (!TakeOption(ctx.args, key, &text, &missing) || missing) {
            return ctx.Usage(key + " PERSON is required (e.g. \"name=甲;sex=M;date=1990-05-12 08:30\")");
        }
        std::string error;
        if (!ParsePersonArg(text, ctx.files, &r, &error)) return ctx.Usage(key + ": " + error);
    }
    bool missing = false;
    out->settings = TakeRepeatedOption(ctx.args, "--set", &missing);
    if (missing) return ctx.Usage("--set needs KEY=VALUE");
    ChartOptions probe;
    for (const std::string& kv : out->settings) {
        if (Status s = SetChartOption(probe, kv); !s.ok()) return ctx.Usage(s.message());
    }
    return kExitOk;
}

ChartOptions MatchOptions(CommandContext& ctx, const MatchArgs& m) {
    const IniFile ini(ctx.files.Dat("pan.ini"));
    if (!ini.loadStatus().ok()) ctx.Error("analysis options not read, defaults used: " + ini.loadStatus().message());
    std::vector<std::string> warnings;
    ChartOptions options = ReadChartOptions(ini, &warnings);
    for (const std::string& w : warnings) ctx.Error(w);
    for (const std::string& kv : m.settings) SetChartOption(options, kv);  // checked by TakeMatchArgs
    return options;
}

namespace {

// The ending text of dat/EndInfo.txt when the options ask for it (what
// could not be read is printed as a warning); no lines otherwise.
EndingText MatchEnding(CommandContext& ctx, const ChartOptions& options) {
    EndingText ending;
    if (options.appendEnding) {
        if (Status s = ReadEndingText(ctx.files.Dat("EndInfo.txt"), &ending); !s.ok()) {
            ctx.Error("ending text not added: " + s.message());
        }
    }
    return ending;
}

}  // namespace

int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, MatchingResult* result, EndingText* ending) {
    const ChartOptions options = MatchOptions(ctx, m);
    const EndingText used = MatchEnding(ctx, options);
    if (ending != nullptr) *ending = used;
    *result = RunMatching(m.a, m.b, options, used);
    if (!result->Ok()) {
        ctx.Error(result->ErrorText());
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace tessaly::cli
