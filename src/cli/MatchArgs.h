// The arguments every command that runs a matching shares: --a PERSON,
// --b PERSON and any number of --set KEY=VALUE, and the run itself with the
// options of dat/pan.ini and the ending text of dat/EndInfo.txt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "cli/Command.h"
#include "matching/MatchingRun.h"

namespace tessaly::cli {

struct MatchArgs {
    PersonRecord a, b;
    std::vector<std::string> settings;  // "KEY=VALUE", checked
};

// Person A defaults to male, person B to female, both named 某人 and born at
// the unknown place (120° E, 30° N). Returns kExitOk or kExitUsage (with the
// message printed).
int TakeMatchArgs(CommandContext& ctx, MatchArgs* out);

// The pieces of TakeMatchArgs: one required "KEY PERSON" for the person in
// slot personNo (0 male, 1 female by default), and every --set KEY=VALUE.
int TakePersonOption(CommandContext& ctx, std::string_view key, int personNo, PersonRecord* out);
int TakeSettings(CommandContext& ctx, std::vector<std::string>* settings);

// The options of a run: dat/pan.ini with the --set values over it. What
// could not be read is printed as a warning.
ChartOptions MatchOptions(CommandContext& ctx, const MatchArgs& m);

// Runs the matching of the two persons with the options of MatchOptions and
// the ending text when the options ask for it, printing what could not be
// read and, on a refused run, its message. Returns kExitOk or kExitRefused.
int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, MatchingResult* result);

}  // namespace tessaly::cli
