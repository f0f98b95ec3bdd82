#include "cli/MatchArgs.h"

#include "cli/PersonArg.h"
#include "engine/ChartOptions.h"

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
        if (!ParsePersonArg(text, &r, &error)) return ctx.Usage(key + ": " + error);
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

int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, CBaZiEx& engine) {
    engine.SetOptionOverrides(m.settings);
    const bool ok = engine.RunMatching(m.a, m.b);
    for (const std::string& w : engine.Warnings()) ctx.Error(w);
    if (!ok) {
        ctx.Error(engine.errorText);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace tessaly::cli
