// The command registry of tessaly-cli. Each command lives in its own source
// file and registers itself with a static CommandRegistration, giving its
// name, its synopsis, the function that runs it and its help:
//
//   static int RunTerms(CommandContext& ctx);
//   static const CommandRegistration kTerms{"terms", "YEAR [--precise]", RunTerms, {
//       .summary = "Prints every solar term of a Gregorian year.",
//       .arguments = "YEAR\tthe year, negative for BC (no year 0)\n"
//                    "--precise\tadd the seconds",
//       .examples = "tessaly-cli terms 2024",
//   }};
//
// Each registration also gives the summary and the arguments in Chinese
// (.summaryZh, .argumentsZh, the same names line for line), printed under a
// Chinese locale; the registry test fails on a command without them.
//
// The help is what `tessaly-cli help terms` and `tessaly-cli terms --help`
// print; the manual page and the bash completion are made from the same
// registrations (the completion takes the options and subcommands from the
// synopsis), so a new command needs nothing else. A command without help
// fails the registry test.
//
// Exit statuses: 0 success, 1 the program refused the request or its output
// could not be written (its message goes to stderr), 2 bad arguments (a
// message naming the argument).
//
// Options take their value as the next argument or after "=" ("--year 2027"
// or "--year=2027"), anywhere before a "--", after which every argument is
// an operand, even one that begins with "-". The helpers below do this for
// every command.
#pragma once

#include <algorithm>
#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/ProgramFiles.h"

namespace tessaly::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1;
inline constexpr int kExitUsage = 2;

// The arguments of a command line. The last `operands` of them came after
// "--" (which is not among them): options are never looked for there.
struct ArgList : std::vector<std::string> {
    ArgList() = default;
    ArgList(std::vector<std::string> args, std::size_t operandCount = 0)
        : std::vector<std::string>(std::move(args)), operands(operandCount) {}
    // The arguments [0, OptionEnd()) may hold options.
    std::size_t OptionEnd() const { return size() - std::min(operands, size()); }

    std::size_t operands = 0;
};

// The arguments of a command line with its first "--" taken out: what
// follows it becomes the operands.
ArgList SplitOperands(std::vector<std::string> args);

struct CommandContext {
    ArgList args;  // the arguments after the command name
    std::ostream& out;
    std::ostream& err;
    bool gbkOutput = false;  // --encoding gbk: convert what is printed
    ProgramFiles files;      // where dat/, bazi_f/ and skins/ are
    // The command prints JSON (it was given --json): what it prints is
    // UTF-8 whatever --encoding says.
    bool jsonOutput = false;
    // Set by a command once its change of the stored files is made: a
    // failure to print after it is a warning (exit 0), not a failure.
    bool storeChanged = false;

    // Prints UTF-8 text to out, converted to GBK when gbkOutput is set and
    // the output is not JSON.
    void Print(std::string_view utf8);
    // Prints "tessaly-cli: <message>\n" to err (always UTF-8), the message
    // in the language of the locale (cli/Messages.h), control characters
    // other than line breaks written out (EscapeControls).
    void Error(std::string_view message);
    // Prints what a command did ("deleted slot 3"), each line in the
    // language of the locale, to out.
    void Notice(std::string_view message);
    // Reports a bad argument and returns kExitUsage.
    int Usage(std::string_view message);
};

using CommandFn = int (*)(CommandContext&);

// What a command tells about itself.
struct CommandHelp {
    std::string_view summary;    // one or two sentences: what it does
    std::string_view arguments;  // one line per argument or option: "NAME\tmeaning";
                                 // a line "\tmore" goes on with the meaning above
    std::string_view examples;   // one whole command line per line
    // The same in Chinese, for a Chinese locale (cli/Messages.h): the
    // summary, and the arguments line for line with the same names.
    std::string_view summaryZh;
    std::string_view argumentsZh;
};

struct CommandInfo {
    std::string_view name;
    std::string_view synopsis;  // the arguments after the name; alternatives
                                // of a command with subcommands are split by
                                // " | " outside brackets
    CommandFn run;
    CommandHelp help;
};

// Registers a command at static-initialisation time.
struct CommandRegistration {
    CommandRegistration(std::string_view name, std::string_view synopsis, CommandFn run, CommandHelp help = {});
};

// Every command, in the order of registration.
const std::vector<CommandInfo>& Commands();
// The command of that name, or nullptr.
const CommandInfo* FindCommand(std::string_view name);

// Small helpers for argument lists: takes "--flag", "--key VALUE" or
// "--key=VALUE" out of args (never from its operands). TakeOption returns
// false when the key is absent; when the key is present without a value,
// *missingValue is set.
bool TakeFlag(ArgList& args, std::string_view flag);
bool TakeOption(ArgList& args, std::string_view key, std::string* value, bool* missingValue);
// Every occurrence of "--key VALUE" or "--key=VALUE", in order.
std::vector<std::string> TakeRepeatedOption(ArgList& args, std::string_view key, bool* missingValue);
// Whether "--flag" is among the options of args, which keep it.
bool HasFlag(const ArgList& args, std::string_view flag);

}  // namespace tessaly::cli
