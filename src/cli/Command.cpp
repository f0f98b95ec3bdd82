#include "cli/Command.h"

#include <ostream>

#include "common/TextCodec.h"

namespace tessaly::cli {
namespace {

std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> commands;
    return commands;
}

}  // namespace

CommandRegistration::CommandRegistration(std::string_view name, std::string_view synopsis, CommandFn run,
                                         CommandHelp help) {
    Registry().push_back({name, synopsis, run, help});
}

const std::vector<CommandInfo>& Commands() { return Registry(); }

const CommandInfo* FindCommand(std::string_view name) {
    for (const CommandInfo& c : Registry()) {
        if (c.name == name) return &c;
    }
    return nullptr;
}

void CommandContext::Print(std::string_view utf8) {
    if (!gbkOutput) {
        out << utf8;
        return;
    }
    const CodecResult gbk = Utf8ToGbk(utf8);
    if (gbk.ok()) {
        out << gbk.text;
    } else {
        // A text the GBK code page cannot hold: print it as it is rather
        // than lose it, and say so.
        err << "tessaly-cli: output kept in UTF-8: " << gbk.error << '\n';
        out << utf8;
    }
}

void CommandContext::Error(std::string_view message) { err << "tessaly-cli: " << message << '\n'; }

int CommandContext::Usage(std::string_view message) {
    Error(message);
    return kExitUsage;
}

bool TakeFlag(std::vector<std::string>& args, std::string_view flag) {
    for (auto it = args.begin(); it != args.end(); ++it) {
        if (*it == flag) {
            args.erase(it);
            return true;
        }
    }
    return false;
}

bool TakeOption(std::vector<std::string>& args, std::string_view key, std::string* value, bool* missingValue) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != key) continue;
        if (i + 1 >= args.size()) {
            if (missingValue) *missingValue = true;
            args.erase(args.begin() + static_cast<std::ptrdiff_t>(i));
            return true;
        }
        *value = args[i + 1];
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i), args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        return true;
    }
    return false;
}

std::vector<std::string> TakeRepeatedOption(std::vector<std::string>& args, std::string_view key, bool* missingValue) {
    std::vector<std::string> values;
    std::string v;
    while (TakeOption(args, key, &v, missingValue)) {
        if (missingValue && *missingValue) break;
        values.push_back(v);
    }
    return values;
}

}  // namespace tessaly::cli
