// tessaly-cli help [COMMAND] and tessaly-cli completion bash.
#include <ostream>

#include "cli/Command.h"
#include "cli/Help.h"

namespace tessaly::cli {
namespace {

int RunHelp(CommandContext& ctx) {
    if (TakeFlag(ctx.args, "--man")) {
        if (!ctx.args.empty()) return ctx.Usage("help --man takes no COMMAND");
        ctx.out << ManualPage();
        return kExitOk;
    }
    if (ctx.args.empty()) {
        ctx.Print(UsageText());
        return kExitOk;
    }
    if (ctx.args.size() > 1) return ctx.Usage("help takes one COMMAND, got '" + ctx.args[1] + "' too");
    const CommandInfo* c = FindCommand(ctx.args[0]);
    if (c == nullptr) return ctx.Usage("help: unknown command '" + ctx.args[0] + "'");
    ctx.Print(CommandHelpText(*c));
    return kExitOk;
}

int RunCompletion(CommandContext& ctx) {
    if (ctx.args.size() != 1 || ctx.args[0] != "bash") return ctx.Usage("completion takes the shell: bash");
    ctx.out << BashCompletion();
    return kExitOk;
}

const CommandRegistration kHelp{
    "help",
    "[COMMAND] [--man]",
    RunHelp,
    {
        .summary = "Describes tessaly-cli, or one command with its arguments and an example. "
                   "With --man, prints the manual page tessaly-cli(1).",
        .arguments = "COMMAND\tthe command to describe; without it, all commands in short\n"
                     "--man\tprint the whole manual page in roff (for man -l -)",
        .examples = "tessaly-cli help match\n"
                    "tessaly-cli help --man | man -l -",
        .summaryZh = "说明 tessaly-cli，或一个命令及其参数和示例。加 --man 时输出手册页 tessaly-cli(1)。",
        .argumentsZh = "COMMAND\t要说明的命令；不给时简要列出所有命令\n"
                       "--man\t以 roff 输出整个手册页（供 man -l - 使用）",
    }};

const CommandRegistration kCompletion{
    "completion",
    "bash",
    RunCompletion,
    {
        .summary = "Prints a bash completion script for tessaly-cli. The installed package puts it where "
                   "bash finds it; a copy run from its own folder can load it by hand.",
        .arguments = "bash\tthe shell (bash is the only one)",
        .examples = "source <(tessaly-cli completion bash)",
        .summaryZh =
            "输出 tessaly-cli 的 bash 补全脚本。安装的软件包把它放在 bash 能找到的地方；从自己的文件夹运行时可以手工加载。",
        .argumentsZh = "bash\tshell（只有 bash）",
    }};

}  // namespace
}  // namespace tessaly::cli
