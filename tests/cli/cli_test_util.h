// Runs tessaly-cli as a user would and captures what it prints.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>
#include "test_paths.h"

namespace tessaly::testing_cli {

struct CliResult {
    int status = -1;
    std::string out;
    std::string err;
};

// Quotes one argument for /bin/sh.
inline std::string ShellQuote(const std::string& s) {
    std::string q = "'";
    for (char c : s) {
        if (c == '\'') q += "'\\''";
        else q += c;
    }
    return q + "'";
}

// Runs a /bin/sh command line and captures what it prints.
inline CliResult RunShellLine(const std::string& commandLine) {
    static int counter = 0;
    const std::filesystem::path errFile =
        std::filesystem::temp_directory_path() /
        ("tessaly_cli_err_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::string cmd = commandLine;
    cmd.append(" 2>").append(ShellQuote(errFile.string()));
    CliResult r;
    FILE* p = ::popen(cmd.c_str(), "r");
    if (p == nullptr) return r;
    char buf[4096];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0) r.out.append(buf, n);
    const int st = ::pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    if (FILE* e = std::fopen(errFile.c_str(), "rb")) {
        while ((n = std::fread(buf, 1, sizeof buf, e)) > 0) r.err.append(buf, n);
        std::fclose(e);
    }
    std::filesystem::remove(errFile);
    return r;
}

// The locale the tests run tessaly-cli in unless they name another: its
// messages then are English, the language most tests check them in.
inline constexpr const char* kTestLocale = "en_US.UTF-8";

// Runs tessaly-cli with `argsLine` put into the shell command as it is (the
// caller quotes what needs quoting), with --home when `home` is not empty,
// under the locale `locale` (LANG; LC_ALL and LC_MESSAGES emptied; "" leaves
// all three unset).
inline CliResult RunCliLine(const std::string& argsLine, const std::filesystem::path& home = {},
                            const std::string& locale = kTestLocale) {
    std::string cmd = "env -u LC_ALL -u LC_MESSAGES -u LANG ";
    if (!locale.empty()) cmd.append("LANG=").append(ShellQuote(locale)).append(" ");
    cmd.append(ShellQuote(testing_paths::ProgramPath("tessaly-cli").string()));
    // Appended piece by piece (g++ 12 warns falsely on "literal" + string&&).
    if (!home.empty()) cmd.append(" --home ").append(ShellQuote(home.string()));
    cmd.append(" ").append(argsLine);
    return RunShellLine(cmd);
}

// `args` is a list of arguments, each quoted here.
inline CliResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& home = {},
                        const std::string& locale = kTestLocale) {
    std::string line;
    for (const std::string& a : args) line.append(line.empty() ? "" : " ").append(ShellQuote(a));
    return RunCliLine(line, home, locale);
}

}  // namespace tessaly::testing_cli
