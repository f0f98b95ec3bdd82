// tessaly-cli reset-file NAME: the shipped copy of a data file in place of
// the user's (common/SeededFiles.h), the user's copy kept aside.
#include <string>

#include "cli/Command.h"
#include "common/SeededFiles.h"

namespace tessaly::cli {
namespace {

int RunResetFile(CommandContext& ctx) {
    if (ctx.args.size() != 1) return ctx.Usage("reset-file takes one NAME, a file of the shipped dat/ (dili.ini)");
    std::filesystem::path keptAs;
    if (Status s = ResetSeededFile(ctx.files, ctx.args[0], &keptAs); !s) {
        ctx.Error(s.message());
        return kExitRefused;
    }
    std::string out = "已换用程序自带的 " + ctx.files.Dat(ctx.args[0]).string();
    if (!keptAs.empty()) out += "；原来的文件另存为 " + keptAs.string();
    ctx.Notice(out);
    return kExitOk;
}

const CommandRegistration kResetFile{
    "reset-file",
    "NAME",
    RunResetFile,
    {
        .summary = "Replaces a data file of your folder by the one the program ships, keeping yours aside as "
                   "dat/NAME.YYYYMMDD-HHMMSS. A file you never changed follows a newer program by itself; one "
                   "you changed is kept, and the program says once that a newer one exists.",
        .arguments = "NAME\ta file of the shipped dat/ folder, e.g. dili.ini (the place list)",
        .examples = "tessaly-cli reset-file dili.ini",
        .summaryZh =
            "用程序自带的文件替换你文件夹中的一个数据文件，你的那份另存为 dat/NAME.YYYYMMDD-HHMMSS。你没改过的文件会自动随新版本更新；改过的保留，程序会提示一次有新版本。",
        .argumentsZh = "NAME\t程序自带的 dat/ 中的一个文件，例如 dili.ini（地点列表）",
    }};

}  // namespace
}  // namespace tessaly::cli
