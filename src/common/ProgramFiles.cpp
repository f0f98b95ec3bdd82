#include "common/ProgramFiles.h"

#include <cstdlib>
#include <system_error>

namespace tessaly {
namespace fs = std::filesystem;

fs::path ExecutableFolder() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec || exe.empty()) return fs::current_path(ec);
    return exe.parent_path();
}

ProgramFiles LocateProgramFiles(const fs::path& homeOption) {
    if (!homeOption.empty()) return {homeOption};
    if (const char* home = std::getenv("TESSALY_HOME"); home != nullptr && *home != '\0') return {fs::path(home)};
    return {ExecutableFolder()};
}

}  // namespace tessaly
