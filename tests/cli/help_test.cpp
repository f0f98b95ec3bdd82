// The manners of tessaly-cli: --version, --where, help, COMMAND --help, the
// manual page and the bash completion, made from the command registry.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/Help.h"
#include "cli/cli_test_util.h"
#include "common/Version.h"
#include "test_paths.h"

namespace tessaly::cli {
namespace {
namespace fs = std::filesystem;
using testing_cli::RunCli;
using testing_cli::RunCliLine;
using testing_cli::ShellQuote;

TEST(CommandRegistry, EveryCommandExplainsItselfAndEachOption) {
    ASSERT_GE(Commands().size(), 10u);
    for (const CommandInfo& c : Commands()) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_FALSE(c.help.summary.empty());
        EXPECT_FALSE(c.help.arguments.empty());
        EXPECT_NE(c.help.examples.find("tessaly-cli " + std::string(c.name)), std::string_view::npos)
            << "each example is a whole command line";
        EXPECT_EQ(FindCommand(c.name), &c);
        for (const SynopsisPart& p : ParseSynopsis(c.synopsis)) {
            for (const std::string& option : p.options) {
                if (option == "--encoding") continue;  // explained with the program's own options
                EXPECT_NE(c.help.arguments.find(option), std::string_view::npos) << option << " is not explained";
            }
        }
    }
}

// The names of "NAME\tmeaning" lines, one per line ("" for a line that goes
// on with the meaning above).
std::vector<std::string> ArgumentNames(std::string_view arguments) {
    std::vector<std::string> names;
    for (std::size_t from = 0; from <= arguments.size();) {
        const std::size_t end = std::min(arguments.find('\n', from), arguments.size());
        const std::string_view line = arguments.substr(from, end - from);
        names.emplace_back(line.substr(0, line.find('\t')));
        from = end + 1;
    }
    return names;
}

// Whether text holds a Chinese character (U+4E00..U+9FFF: E4..E9 lead bytes).
bool HasHan(std::string_view text) {
    for (const char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0xE4 && b <= 0xE9) return true;
    }
    return false;
}

TEST(CommandRegistry, EveryCommandHasItsHelpInChinese) {
    for (const CommandInfo& c : Commands()) {
        SCOPED_TRACE(std::string(c.name));
        EXPECT_TRUE(HasHan(c.help.summaryZh)) << "no Chinese summary";
        EXPECT_EQ(ArgumentNames(c.help.argumentsZh), ArgumentNames(c.help.arguments))
            << "the Chinese arguments name the same arguments, line for line";
        EXPECT_TRUE(HasHan(c.help.argumentsZh));
        EXPECT_NE(CommandHelpText(c, MessageLanguage::kChinese), CommandHelpText(c, MessageLanguage::kEnglish));
    }
}

// Help in the language of the locale, lines within the width either way.
TEST(CliManners, HelpFollowsTheLocale) {
    const struct {
        std::string locale;
        std::vector<std::string> args;
        std::vector<std::string> parts;
    } kCases[] = {
        {"en_US.UTF-8",
         {"help", "terms"},
         {"usage: tessaly-cli terms YEAR", "\nArguments:\n  YEAR", "add the seconds"}},
        {"zh_CN.UTF-8", {"help", "terms"}, {"用法： tessaly-cli terms YEAR", "\n参数：\n  YEAR", "加上秒"}},
        {"", {"terms", "--help"}, {"用法： tessaly-cli terms YEAR", "输出一年的每个节气。"}},
        {"en_US.UTF-8", {"--help"}, {"usage: tessaly-cli", "\nCommands:\n", "  terms", "Prints every solar term"}},
        {"zh_CN.UTF-8", {"--help"}, {"用法： tessaly-cli", "\n命令：\n", "  terms", "输出一年的每个节气。"}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.locale + " " + c.args[0]);
        const auto r = RunCli(c.args, {}, c.locale);
        EXPECT_EQ(r.status, 0) << r.err;
        for (const std::string& part : c.parts) EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    }
    for (const CommandInfo& c : Commands()) {
        SCOPED_TRACE(std::string(c.name));
        const std::string text = CommandHelpText(c, MessageLanguage::kChinese);
        std::size_t from = 0;
        for (std::size_t nl = text.find('\n'); nl != std::string::npos; from = nl + 1, nl = text.find('\n', from)) {
            const std::string_view line = std::string_view(text).substr(from, nl - from);
            std::size_t columns = 0;
            for (std::size_t i = 0; i < line.size(); ++i) {
                const auto b = static_cast<unsigned char>(line[i]);
                if ((b & 0xC0) == 0x80) continue;
                columns += b >= 0xE0 ? 2 : 1;
            }
            // A synopsis line and an example are not broken.
            if (line.starts_with("用法") || line.starts_with("       ") || line.starts_with("  tessaly-cli")) continue;
            EXPECT_LE(columns, 79u) << line;
        }
    }
}

TEST(CommandRegistry, SynopsisGivesSubcommandsOptionsAndValues) {
    using Values = std::vector<std::pair<std::string, std::string>>;
    const struct {
        const char* synopsis;
        std::vector<std::string> subcommands, options, valueOptions;
        Values values;
        bool takesPath;
    } kCases[] = {
        {"--a PERSON --b PERSON [--set KEY=VALUE]... [--json] [--encoding utf8|gbk]",
         {""},
         {"--a", "--b", "--set", "--json", "--encoding"},
         {"--a", "--b", "--set", "--encoding"},
         {{"--encoding", "utf8 gbk"}},
         false},
        {"YEAR [--precise]", {""}, {"--precise"}, {}, {}, false},
        {"bash", {"bash"}, {}, {}, {}, false},
        // Alternatives split at " | " outside brackets only.
        {"list | search [--name T|--name-exact T] [--sex male|female] | export DIR | clear --yes",
         {"list", "search", "export", "clear"},
         {"--name", "--name-exact", "--sex", "--yes"},
         {"--name", "--name-exact", "--sex"},
         {{"--sex", "male female"}},
         true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.synopsis);
        const std::vector<SynopsisPart> parts = ParseSynopsis(c.synopsis);
        std::vector<std::string> subcommands, options, valueOptions;
        Values values;
        bool takesPath = false;
        for (const SynopsisPart& p : parts) {
            subcommands.push_back(p.subcommand);
            options.insert(options.end(), p.options.begin(), p.options.end());
            valueOptions.insert(valueOptions.end(), p.valueOptions.begin(), p.valueOptions.end());
            values.insert(values.end(), p.values.begin(), p.values.end());
            takesPath = takesPath || p.takesPath;
        }
        EXPECT_EQ(subcommands, c.subcommands);
        EXPECT_EQ(options, c.options);
        EXPECT_EQ(valueOptions, c.valueOptions);
        EXPECT_EQ(values, c.values);
        EXPECT_EQ(takesPath, c.takesPath);
    }
}

TEST(CliManners, VersionHelpAndCommandHelp) {
    auto r = RunCli({"--version"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "tessaly-cli " + std::string(ProgramVersion()) + "\n");

    r = RunCli({"help", "match"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part : {"usage: tessaly-cli match --a PERSON --b PERSON", "\nArguments:\n  --a PERSON", "--json",
                             "\nExample:\n  tessaly-cli match --a "}) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    }
    const auto viaOption = RunCli({"match", "--help"});
    EXPECT_EQ(viaOption.status, 0);
    EXPECT_EQ(viaOption.out, r.out);
    EXPECT_EQ(RunCli({"cases", "add", "-h"}).out, RunCli({"help", "cases"}).out);

    r = RunCli({"--help"});
    ASSERT_EQ(r.status, 0);
    for (const CommandInfo& c : Commands()) {
        EXPECT_NE(r.out.find("\n  " + std::string(c.name) + " "), std::string::npos) << c.name;
    }

    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } kRefused[] = {
        {{"help", "nosuch"}, "nosuch"},
        {{"help", "match", "wedding"}, "wedding"},
        {{"--nosuch"}, "unknown option '--nosuch'"},
        {{"completion", "zsh"}, "bash"},
        {{}, "usage: tessaly-cli"},
    };
    for (const auto& c : kRefused) {
        SCOPED_TRACE(c.mentions);
        r = RunCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

TEST(CliManners, ManualPageHasEveryCommand) {
    const auto r = RunCli({"help", "--man"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with(".\\\" -*- coding: UTF-8 -*-\n"));
    for (const char* section :
         {".TH TESSALY\\-CLI 1", ".SH SYNOPSIS", ".SH COMMANDS", ".SH FILES", ".SH ENVIRONMENT", ".SH EXIT STATUS"}) {
        EXPECT_NE(r.out.find(section), std::string::npos) << section;
    }
    for (const CommandInfo& c : Commands()) {
        std::string name;  // in roff a hyphen is written "\-"
        for (const char ch : c.name) name += ch == '-' ? std::string("\\-") : std::string(1, ch);
        EXPECT_NE(r.out.find(".SS " + name + "\n"), std::string::npos) << c.name;
    }
}

// What bash offers after the words typed so far (the last one may be empty),
// with the completion script in `script`.
std::string Completions(const fs::path& script, const std::string& typed) {
    const std::string program = "source " + ShellQuote(script.string()) + "; read -ra COMP_WORDS <<< " +
                                ShellQuote(typed) + "; [[ " + ShellQuote(typed) +
                                " == *' ' ]] && COMP_WORDS+=(''); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); "
                                "_tessaly_cli; echo \"${COMPREPLY[*]}\"";
    std::string out = testing_cli::RunShellLine("bash -c " + ShellQuote(program)).out;
    if (!out.empty() && out.back() == '\n') out.pop_back();
    return out;
}

TEST(CliManners, BashCompletesCommandsOptionsAndValues) {
    if (::system("command -v bash >/dev/null 2>&1") != 0) GTEST_SKIP() << "no bash";
    const struct {
        const char* typed;
        const char* want;
    } kCases[] = {
        {"tessaly-cli ma", "match"},
        {"tessaly-cli --ver", "--version"},
        {"tessaly-cli --encoding g", "gbk"},
        {"tessaly-cli cases se", "search"},
        {"tessaly-cli cases search --s", "--sex"},
        {"tessaly-cli cases search --sex f", "female"},
        {"tessaly-cli cases search --sex female --y", "--years"},
        {"tessaly-cli --home /tmp terms 2024 --p", "--precise"},
        {"tessaly-cli match --js", "--json"},
        {"tessaly-cli match --a ", ""},  // a PERSON is typed, not offered
        {"tessaly-cli help wed", "wedding"},
        {"tessaly-cli completion ", "bash"},
    };
    const fs::path script = fs::temp_directory_path() / ("tessaly_completion_" + std::to_string(::getpid()));
    std::ofstream(script) << RunCli({"completion", "bash"}).out;
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(Completions(script, c.typed), c.want);
    }
    fs::remove(script);
}

TEST(CliManners, WherePrintsTheFolderWithoutMakingIt) {
    const fs::path home = fs::temp_directory_path() / ("tessaly_where_" + std::to_string(::getpid()));
    auto r = RunCli({"--where"}, home);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, home.string() + "\n");
    EXPECT_FALSE(fs::exists(home));

    r = RunCliLine("--where");  // from the build folder: the build folder itself
    EXPECT_EQ(r.out, tessaly::testing_paths::BuildDir().string() + "\n");
}

}  // namespace
}  // namespace tessaly::cli
