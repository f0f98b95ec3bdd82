#include "common/ProgramDir.h"

#include <cstdlib>
#include <system_error>

namespace tessaly {
namespace fs = std::filesystem;
namespace {

fs::path& Override() {
    static fs::path dir;
    return dir;
}

fs::path ExecutableDir() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

}  // namespace

const fs::path& ProgramDir() {
    static fs::path resolved;
    if (!Override().empty()) return Override();
    if (resolved.empty()) {
        if (const char* home = std::getenv("TESSALY_HOME"); home != nullptr && *home != '\0') {
            resolved = fs::path(home);
        } else {
            resolved = ExecutableDir();
        }
    }
    return resolved;
}

void SetProgramDir(const fs::path& dir) { Override() = dir; }

fs::path DatPath(const fs::path& name) { return ProgramDir() / "dat" / name; }

}  // namespace tessaly
