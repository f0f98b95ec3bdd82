// The help of tessaly-cli: the usage, each command's help, the manual page
// tessaly-cli(1) and the bash completion, all made from the command registry
// (src/cli/Command.h), so that they never disagree with the commands.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "cli/Command.h"
#include "cli/Messages.h"

namespace tessaly::cli {

// The program's usage: its synopsis, every command with its summary, the
// options that come before the command.
std::string UsageText(MessageLanguage language = CurrentMessageLanguage());

// One command: usage line(s), summary, arguments and examples.
std::string CommandHelpText(const CommandInfo& command, MessageLanguage language = CurrentMessageLanguage());

// The manual page tessaly-cli(1), in roff.
std::string ManualPage();

// A bash completion script for tessaly-cli: commands, subcommands, options
// and the values of options that take one of a few words.
std::string BashCompletion();

// What a synopsis offers, as the completion needs it.
struct SynopsisPart {
    std::string subcommand;                                   // empty: none
    std::vector<std::string> options;                         // "--json", in order
    std::vector<std::string> valueOptions;                    // those followed by a value
    std::vector<std::pair<std::string, std::string>> values;  // "--sex" → "male female"
    bool takesPath = false;                                   // DIR, PATH or FILE
};
// One part per alternative: "list | show SLOT [--json]" gives two parts with
// the subcommands list and show; "--a PERSON [--json]" one part without.
std::vector<SynopsisPart> ParseSynopsis(std::string_view synopsis);

}  // namespace tessaly::cli
