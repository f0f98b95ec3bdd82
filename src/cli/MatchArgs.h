// The arguments every command that runs a matching shares: --a PERSON,
// --b PERSON and any number of --set KEY=VALUE.
#pragma once

#include <string>
#include <vector>

#include "calendar/PersonRecord.h"
#include "cli/Command.h"
#include "engine/Baziex.h"

namespace tessaly::cli {

struct MatchArgs {
    PersonRecord a, b;
    std::vector<std::string> settings;  // "KEY=VALUE", checked
};

// Person A defaults to male, person B to female, both named 某人 and born at
// the unknown place (120° E, 30° N). Returns kExitOk or kExitUsage (with the
// message printed).
int TakeMatchArgs(CommandContext& ctx, MatchArgs* out);

// Runs the matching of the two persons with the --set overrides, printing
// the engine's warnings and, on a refused run, its message. Returns kExitOk
// or kExitRefused.
int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, CBaZiEx& engine);

}  // namespace tessaly::cli
