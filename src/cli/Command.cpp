#include "cli/Command.h"

#include <algorithm>
#include <ostream>

#include "cli/Messages.h"
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
    if (!gbkOutput || jsonOutput) {
        out << utf8;
        return;
    }
    const CodecResult gbk = Utf8ToGbk(utf8);
    if (gbk.ok()) {
        out << gbk.text;
    } else {
        // A text the GBK code page cannot hold: print it as it is rather
        // than lose it, and say so.
        Error("output kept in UTF-8: " + gbk.error);
        out << utf8;
    }
}

// A message may quote an argument or a stored text: its control characters
// are written out, its line breaks kept.
void CommandContext::Error(std::string_view message) {
    err << "tessaly-cli: " << EscapeControls(LocalizeMessage(message), true) << '\n';
}

void CommandContext::Notice(std::string_view message) {
    std::string text;
    for (std::size_t from = 0; from < message.size();) {
        const std::size_t end = std::min(message.find('\n', from), message.size());
        text += EscapeControls(LocalizeMessage(message.substr(from, end - from)), true);
        text += '\n';
        from = end + 1;
    }
    Print(text);
}

int CommandContext::Usage(std::string_view message) {
    Error(message);
    return kExitUsage;
}

ArgList SplitOperands(std::vector<std::string> args) {
    const auto dashes = std::find(args.begin(), args.end(), "--");
    if (dashes == args.end()) return ArgList(std::move(args));
    const auto operands = static_cast<std::size_t>(args.end() - dashes - 1);
    args.erase(dashes);
    return ArgList(std::move(args), operands);
}

namespace {

// Where "--key" or "--key=VALUE" stands among the options of args, from
// `from` on; OptionEnd() when nowhere.
std::size_t FindOption(const ArgList& args, std::string_view key, std::size_t from, bool withValue) {
    for (std::size_t i = from; i < args.OptionEnd(); ++i) {
        const std::string_view a = args[i];
        if (a == key) return i;
        if (withValue && a.size() > key.size() && a.starts_with(key) && a[key.size()] == '=') return i;
    }
    return args.OptionEnd();
}

void EraseAt(ArgList& args, std::size_t i, std::size_t count) {
    const auto first = args.begin() + static_cast<std::ptrdiff_t>(i);
    args.erase(first, first + static_cast<std::ptrdiff_t>(count));
}

}  // namespace

bool TakeFlag(ArgList& args, std::string_view flag) {
    const std::size_t i = FindOption(args, flag, 0, false);
    if (i == args.OptionEnd()) return false;
    EraseAt(args, i, 1);
    return true;
}

bool HasFlag(const ArgList& args, std::string_view flag) { return FindOption(args, flag, 0, false) < args.OptionEnd(); }

bool TakeOption(ArgList& args, std::string_view key, std::string* value, bool* missingValue) {
    const std::size_t i = FindOption(args, key, 0, true);
    if (i == args.OptionEnd()) return false;
    if (args[i].size() > key.size()) {  // --key=VALUE
        *value = args[i].substr(key.size() + 1);
        EraseAt(args, i, 1);
        return true;
    }
    if (i + 1 >= args.OptionEnd()) {
        if (missingValue) *missingValue = true;
        EraseAt(args, i, 1);
        return true;
    }
    *value = args[i + 1];
    EraseAt(args, i, 2);
    return true;
}

std::vector<std::string> TakeRepeatedOption(ArgList& args, std::string_view key, bool* missingValue) {
    std::vector<std::string> values;
    std::string v;
    while (TakeOption(args, key, &v, missingValue)) {
        if (missingValue && *missingValue) break;
        values.push_back(v);
    }
    return values;
}

}  // namespace tessaly::cli
