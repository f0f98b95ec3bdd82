#include "common/ProgramFiles.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "common/SeededFiles.h"
#include "common/SystemError.h"

#ifndef TESSALY_SHIPPED_FROM_BIN
#define TESSALY_SHIPPED_FROM_BIN "../share/tessaly"
#endif

namespace tessaly {
namespace fs = std::filesystem;

namespace {

bool Exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(p, ec);
}

bool IsFolder(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(p, ec);
}

// The same folder, by path or, when both exist, on disk.
bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return a == b || fs::equivalent(a, b, ec);
}

std::string Env(const char* name) {
    const char* v = std::getenv(name);
    return v == nullptr ? std::string() : std::string(v);
}

std::string PasswordHome() {
    const struct passwd* pw = ::getpwuid(::getuid());
    return pw != nullptr && pw->pw_dir != nullptr ? std::string(pw->pw_dir) : std::string();
}

fs::path UserDataFolder(const ProgramEnvironment& env) {
    // Relative values of XDG_DATA_HOME are invalid and ignored.
    if (!env.xdgDataHome.empty() && fs::path(env.xdgDataHome).is_absolute()) {
        return fs::path(env.xdgDataHome) / "tessaly";
    }
    return fs::path(env.userHome) / ".local" / "share" / "tessaly";
}

Status MakeFolder(const fs::path& dir) {
    std::error_code ec;
    fs::create_directories(dir, ec);
    if (ec && !IsFolder(dir)) return Status::Error("无法创建文件夹 " + dir.string() + "：" + SystemErrorText(ec));
    return Status::Ok();
}

}  // namespace

fs::path ProgramFiles::UserOrShipped(const fs::path& relative) const {
    const fs::path own = home / relative;
    if (shipped.empty() || Exists(own)) return own;
    return shipped / relative;
}

std::vector<fs::path> ProgramFiles::SkinFolders() const {
    std::vector<fs::path> folders{SkinsFolder()};
    if (!shipped.empty() && !SameFolder(shipped, home)) folders.push_back(shipped / "skins");
    return folders;
}

fs::path ProgramFiles::Skin(std::string_view name) const {
    const std::string file = std::string(name) + ".skn";
    for (const fs::path& folder : SkinFolders()) {
        if (Exists(folder / file)) return folder / file;
    }
    return SkinsFolder() / file;
}

ProgramEnvironment CurrentProgramEnvironment() {
    ProgramEnvironment env;
    env.executableFolder = ExecutableFolder();
    env.tessalyHome = Env("TESSALY_HOME");
    env.xdgDataHome = Env("XDG_DATA_HOME");
    env.userHome = Env("HOME");
    if (env.userHome.empty()) env.userHome = PasswordHome();
    env.writable = [](const fs::path& p) { return ::access(p.c_str(), W_OK) == 0; };
    return env;
}

fs::path InstalledShippedFolder(const fs::path& executableFolder) {
    return (executableFolder / TESSALY_SHIPPED_FROM_BIN).lexically_normal();
}

ProgramFiles ChooseProgramFiles(const fs::path& homeOption, const ProgramEnvironment& env) {
    const fs::path& exe = env.executableFolder;
    const bool portable = IsFolder(exe / "dat");
    fs::path shipped;
    if (portable) {
        shipped = exe;
    } else if (const fs::path installed = InstalledShippedFolder(exe); IsFolder(installed)) {
        shipped = installed;
    }

    if (!homeOption.empty()) return {homeOption, shipped, HomeChoice::kOption};
    if (!env.tessalyHome.empty()) return {fs::path(env.tessalyHome), shipped, HomeChoice::kEnvironment};
    if (portable && env.writable && env.writable(exe / "dat")) return {exe, shipped, HomeChoice::kProgramFolder};
    return {UserDataFolder(env), shipped, HomeChoice::kUserDataFolder};
}

Status MakeProgramFolders(const ProgramFiles& files) {
    if (Status s = MakeFolder(files.DatFolder()); !s) return s;
    return MakeFolder(files.ReportsFolder());
}

Status PrepareProgramFiles(const ProgramFiles& files, SeedingReport* seeding) {
    if (files.choice != HomeChoice::kUserDataFolder) return Status::Ok();
    const bool fresh = !IsFolder(files.home);
    if (Status s = MakeFolder(files.home); !s) return s;
    if (fresh) {
        // Birth data of real people: the folder is the user's alone.
        std::error_code ec;
        fs::permissions(files.home, fs::perms::owner_all, fs::perm_options::replace, ec);
    }
    if (Status s = MakeProgramFolders(files); !s) return s;
    return UpdateSeededFiles(files, seeding);
}

ProgramFiles LocateProgramFiles(const fs::path& homeOption, Status* problem, SeedingReport* seeding) {
    ProgramFiles files = ChooseProgramFiles(homeOption, CurrentProgramEnvironment());
    Status s = PrepareProgramFiles(files, seeding);
    if (problem != nullptr) *problem = std::move(s);
    return files;
}

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

}  // namespace tessaly
