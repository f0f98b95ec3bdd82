// tessaly-cli — the scriptable front end over the Tessaly core.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Help.h"
#include "cli/Messages.h"
#include "cli/Output.h"
#include "common/ProgramFiles.h"
#include "common/SeededFiles.h"
#include "common/SystemError.h"
#include "common/Version.h"

namespace {
using namespace tessaly::cli;

// *storeChanged: the command changed the stored files (CommandContext).
int Run(std::vector<std::string> commandLine, OutputBuffer& output, bool* storeChanged) {
    ArgList args = SplitOperands(std::move(commandLine));

    bool missing = false;
    std::string home;
    if (TakeOption(args, "--home", &home, &missing)) {
        if (missing || home.empty()) {
            std::cerr << "tessaly-cli: " << LocalizeMessage("--home needs a folder") << '\n';
            return kExitUsage;
        }
    }
    std::string encoding = "utf8";
    if (TakeOption(args, "--encoding", &encoding, &missing) && (missing || (encoding != "utf8" && encoding != "gbk"))) {
        std::cerr << "tessaly-cli: " << LocalizeMessage("--encoding takes utf8 or gbk") << '\n';
        return kExitUsage;
    }
    std::string newline;
    if (TakeOption(args, "--newline", &newline, &missing)) {
        if (missing || (newline != "lf" && newline != "crlf")) {
            std::cerr << "tessaly-cli: " << LocalizeMessage("--newline takes lf or crlf") << '\n';
            return kExitUsage;
        }
        output.SetLineEnds(newline == "lf" ? LineEnds::kLf : LineEnds::kCrlf);
    }
    if (args.empty()) {
        std::cerr << UsageText();
        return kExitUsage;
    }
    const std::string name = args[0];
    args.erase(args.begin());
    if (name == "--version") {
        std::cout << "tessaly-cli " << tessaly::ProgramVersion() << '\n';
        return kExitOk;
    }
    if (name == "--where") {
        // Only tells: the folder is made by the first command that uses it.
        std::cout << tessaly::ChooseProgramFiles(home, tessaly::CurrentProgramEnvironment()).home.string() << '\n';
        return kExitOk;
    }
    if (name == "--help" || name == "-h") {
        std::cout << UsageText();
        return kExitOk;
    }
    const CommandInfo* command = FindCommand(name);
    if (command == nullptr) {
        std::cerr << "tessaly-cli: "
                  << LocalizeMessage(std::string("unknown ") + (name.starts_with("-") ? "option" : "command") + " '" +
                                     name + "' (tessaly-cli --help lists the commands)")
                  << '\n';
        return kExitUsage;
    }
    if (HasFlag(args, "--help") || HasFlag(args, "-h")) {
        std::cout << CommandHelpText(*command);
        return kExitOk;
    }

    // Help needs no data folder; every other command readies it first.
    tessaly::ProgramFiles files;
    if (name == "help" || name == "completion") {
        files = tessaly::ChooseProgramFiles(home, tessaly::CurrentProgramEnvironment());
    } else {
        tessaly::Status problem;
        tessaly::SeedingReport seeding;
        files = tessaly::LocateProgramFiles(home, &problem, &seeding);
        if (!problem) std::cerr << "tessaly-cli: " << LocalizeMessage(problem.message()) << '\n';
        if (const std::string notice = tessaly::SeedingNotice(seeding); !notice.empty()) {
            std::cerr << "tessaly-cli: " << LocalizeMessage(notice) << '\n';
        }
    }
    CommandContext ctx{args, std::cout, std::cerr, encoding == "gbk", files};
    ctx.jsonOutput = HasFlag(ctx.args, "--json");
    const int code = command->run(ctx);
    *storeChanged = ctx.storeChanged;
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    // Everything printed passes through one buffer, which sees every write
    // fail or succeed.
    OutputBuffer output(STDOUT_FILENO);
    std::streambuf* const original = std::cout.rdbuf(&output);
    bool storeChanged = false;
    const int code = Run(std::vector<std::string>(argv + 1, argv + argc), output, &storeChanged);
    const bool written = output.Finish();
    std::cout.rdbuf(original);
    if (!written && storeChanged && code == kExitOk) {
        // The change is made: saying "failed" would make a script try it
        // again (and store a case twice).
        std::cerr << "tessaly-cli: "
                  << LocalizeMessage("warning: cannot write the output: " + tessaly::SystemErrorText(output.error()) +
                                     "; the change of the store stands")
                  << '\n';
        return code;
    }
    if (!written) {
        std::cerr << "tessaly-cli: "
                  << LocalizeMessage("cannot write the output: " + tessaly::SystemErrorText(output.error())) << '\n';
        return code == kExitOk ? kExitRefused : code;
    }
    return code;
}
