// Where a test finds the source tree, its data and the programs it runs.
//
// Nothing of this is compiled in, so that a build in another folder compiles
// the same sources to the same objects (and a compiler cache finds them):
// the test programs lie in the build folder beside tessaly-cli, and that
// folder's CMakeCache.txt names the source tree. CTest also passes
// TESSALY_SOURCE_DIR, which wins when it is set.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace tessaly::testing_paths {

// The folder of the running test program: the build folder.
inline std::filesystem::path BuildDir() {
    static const std::filesystem::path dir = [] {
        std::error_code ec;
        const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
        return ec ? std::filesystem::current_path() : exe.parent_path();
    }();
    return dir;
}

// The source tree: $TESSALY_SOURCE_DIR, else the one the build folder's
// CMakeCache.txt was configured from.
inline std::filesystem::path SourceDir() {
    static const std::filesystem::path dir = []() -> std::filesystem::path {
        if (const char* env = std::getenv("TESSALY_SOURCE_DIR"); env != nullptr && *env != '\0') return env;
        std::ifstream cache(BuildDir() / "CMakeCache.txt");
        const std::string key = "CMAKE_HOME_DIRECTORY:INTERNAL=";
        for (std::string line; std::getline(cache, line);) {
            if (line.rfind(key, 0) == 0) return line.substr(key.size());
        }
        return BuildDir().parent_path();  // the usual build/ inside the tree
    }();
    return dir;
}

// tests/data of the source tree.
inline std::filesystem::path TestDataDir() { return SourceDir() / "tests" / "data"; }

// A program built beside the tests ("tessaly-cli", "tessaly").
inline std::filesystem::path ProgramPath(const std::string& name) { return BuildDir() / name; }

}  // namespace tessaly::testing_paths
