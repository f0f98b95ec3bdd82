// tessaly-cli — the scriptable front end over the Tessaly core.
#include <algorithm>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "cli/Help.h"
#include "common/ProgramFiles.h"
#include "common/SeededFiles.h"
#include "common/Version.h"

int main(int argc, char** argv) {
    using namespace tessaly::cli;
    std::vector<std::string> args(argv + 1, argv + argc);

    bool missing = false;
    std::string home;
    if (TakeOption(args, "--home", &home, &missing)) {
        if (missing || home.empty()) {
            std::cerr << "tessaly-cli: --home needs a folder\n";
            return kExitUsage;
        }
    }
    std::string encoding = "utf8";
    if (TakeOption(args, "--encoding", &encoding, &missing) && (missing || (encoding != "utf8" && encoding != "gbk"))) {
        std::cerr << "tessaly-cli: --encoding takes utf8 or gbk\n";
        return kExitUsage;
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
        std::cerr << "tessaly-cli: unknown " << (name.starts_with("-") ? "option" : "command") << " '" << name
                  << "' (tessaly-cli --help lists the commands)\n";
        return kExitUsage;
    }
    if (std::find_if(args.begin(), args.end(), [](const std::string& a) { return a == "--help" || a == "-h"; }) !=
        args.end()) {
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
        if (!problem) std::cerr << "tessaly-cli: " << problem.message() << '\n';
        if (const std::string notice = tessaly::SeedingNotice(seeding); !notice.empty()) {
            std::cerr << "tessaly-cli: " << notice << '\n';
        }
    }
    CommandContext ctx{args, std::cout, std::cerr, encoding == "gbk", files};
    return command->run(ctx);
}
