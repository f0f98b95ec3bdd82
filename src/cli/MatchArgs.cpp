#include "cli/MatchArgs.h"

#include "chart/ChartOptions.h"
#include "cli/PersonArg.h"

namespace tessaly::cli {

PersonRecord DefaultPerson(int personNo) {
    PersonRecord r;
    r.personNo = static_cast<std::uint8_t>(personNo);
    r.isMale = personNo == 0;
    r.provinceIndex = 34;  // 未知地
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

int TakePersonOption(CommandContext& ctx, std::string_view key, int personNo, PersonRecord* out) {
    PersonRecord& r = *out;
    r = DefaultPerson(personNo);
    std::string text;
    bool missing = false;
    if (!TakeOption(ctx.args, key, &text, &missing) || missing) {
        return ctx.Usage(std::string(key) + " PERSON is required (e.g. \"name=甲;sex=M;date=1990-05-12 08:30\")");
    }
    std::string error;
    if (!ParsePersonArg(text, ctx.files, &r, &error)) return ctx.Usage(std::string(key) + ": " + error);
    return kExitOk;
}

int TakeSettings(CommandContext& ctx, std::vector<std::string>* settings) {
    bool missing = false;
    *settings = TakeRepeatedOption(ctx.args, "--set", &missing);
    if (missing) return ctx.Usage("--set needs KEY=VALUE");
    ChartOptions probe;
    for (const std::string& kv : *settings) {
        if (Status s = SetChartOption(probe, kv); !s.ok()) return ctx.Usage(s.message());
    }
    return kExitOk;
}

int TakeMatchArgs(CommandContext& ctx, MatchArgs* out) {
    if (int rc = TakePersonOption(ctx, "--a", 0, &out->a); rc != kExitOk) return rc;
    if (int rc = TakePersonOption(ctx, "--b", 1, &out->b); rc != kExitOk) return rc;
    return TakeSettings(ctx, &out->settings);
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

EndingText MatchEnding(CommandContext& ctx, const ChartOptions& options) {
    EndingText ending;
    if (options.appendEnding) {
        if (Status s = ReadEndingText(ctx.files.Dat("EndInfo.txt"), &ending); !s.ok()) {
            ctx.Error("ending text not added: " + s.message());
        }
    }
    return ending;
}

int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, MatchingResult* result, EndingText* ending) {
    const ChartOptions options = MatchOptions(ctx, m);
    const EndingText used = MatchEnding(ctx, options);
    if (ending != nullptr) *ending = used;
    *result = RunMatching(m.a, m.b, options, used);
    if (!result->Ok()) {
        ctx.Error(result->ErrorText());
        const std::string hint = ClockChoiceHint(result->failedPerson == 0 ? m.a : m.b);
        if (!hint.empty()) ctx.Error(std::string(result->failedPerson == 0 ? "--a" : "--b") + ": " + hint);
        return kExitRefused;
    }
    return kExitOk;
}

}  // namespace tessaly::cli
