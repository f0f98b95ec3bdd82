// tessaly-cli — the scriptable front end over the Tessaly core.
#include <iostream>
#include <string>
#include <vector>

#include "cli/Command.h"
#include "common/ProgramFiles.h"
#include "common/TextCodec.h"

namespace {

void PrintUsage(std::ostream& os) {
    os << "usage: tessaly-cli [--home DIR] [--encoding utf8|gbk] COMMAND [ARGS...]\n\ncommands:\n";
    for (const auto& c : tessaly::cli::Commands()) {
        os << "  " << c.name << ' ' << c.synopsis << '\n';
    }
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tessaly::cli;
    std::vector<std::string> args(argv + 1, argv + argc);
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (!tessaly::IsValidUtf8(args[i])) {
            std::cerr << "tessaly-cli: argument " << i + 1 << " is not valid UTF-8 text\n";
            return kExitUsage;
        }
    }

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
    if (args.empty() || args[0] == "--help" || args[0] == "help") {
        PrintUsage(args.empty() ? std::cerr : std::cout);
        return args.empty() ? kExitUsage : kExitOk;
    }
    const std::string name = args[0];
    args.erase(args.begin());
    for (const auto& c : Commands()) {
        if (c.name != name) continue;
        CommandContext ctx{args, std::cout, std::cerr, encoding == "gbk", tessaly::LocateProgramFiles(home)};
        return c.run(ctx);
    }
    std::cerr << "tessaly-cli: unknown command '" << name << "'\n";
    PrintUsage(std::cerr);
    return kExitUsage;
}
