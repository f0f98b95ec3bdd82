#include "cli/MatchArgs.h"

#include "chart/ChartOptions.h"
#include "cli/PersonArg.h"
#include "session/Persons.h"

namespace tessaly::cli {

int TakePersonOption(CommandContext& ctx, std::string_view key, int personNo, PersonRecord* out,
                     std::vector<std::string>* warnings) {
    PersonRecord& r = *out;
    r = DefaultPerson(personNo, LocalNow());
    std::string text;
    bool missing = false;
    if (!TakeOption(ctx.args, key, &text, &missing) || missing) {
        return ctx.Usage(std::string(key) + " PERSON is required (e.g. \"name=甲;sex=M;date=1990-05-12 08:30\")");
    }
    std::string error;
    if (!ParsePersonArg(text, ctx.files, &r, &error, warnings)) return ctx.Usage(std::string(key) + ": " + error);
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
    if (int rc = TakePersonOption(ctx, "--a", 0, &out->a, &out->warnings); rc != kExitOk) return rc;
    if (int rc = TakePersonOption(ctx, "--b", 1, &out->b, &out->warnings); rc != kExitOk) return rc;
    return TakeSettings(ctx, &out->settings);
}

RunInputs MatchInputs(CommandContext& ctx, const std::vector<std::string>& settings) {
    RunInputs in = LoadRunInputs(ctx.files, [&](ChartOptions& options) {
        for (const std::string& kv : settings) SetChartOption(options, kv);  // checked by TakeSettings
    });
    for (const std::string& w : in.warnings) ctx.Error(w);
    return in;
}

int RefuseRun(CommandContext& ctx, const Status& status, int failedPerson) {
    ctx.Error(status.message());
    if (status.needsClockChoice()) ctx.Error(std::string(failedPerson == 0 ? "--a" : "--b") + ": " + kClockChoiceHint);
    return kExitRefused;
}

int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, MatchingResult* result, EndingText* ending) {
    const RunInputs in = MatchInputs(ctx, m.settings);
    if (ending != nullptr) *ending = in.ending;
    *result = RunMatching(m.a, m.b, in.options, in.ending);
    if (!result->ok()) {
        const Status s = result->status.needsClockChoice() ? Status::ClockChoiceNeeded(result->ErrorText())
                                                           : Status::Error(result->ErrorText());
        return RefuseRun(ctx, s, result->failedPerson);
    }
    return kExitOk;
}

}  // namespace tessaly::cli
