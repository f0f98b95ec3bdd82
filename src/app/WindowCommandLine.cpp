#include "WindowCommandLine.h"

#include <cstdlib>

namespace tessaly {

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& args) {
    WindowCommandLine cl;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--where") {
            cl.where = true;
        } else if (a == "--version") {
            cl.version = true;
        } else if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--home" || a.starts_with("--home=")) {
            cl.home = a == "--home" ? (i + 1 < args.size() ? args[++i] : std::string()) : a.substr(7);
            if (cl.home.empty()) cl.error = "--home needs a folder";
        }
    }
    return cl;
}

std::string WindowUsage() {
    return "usage: tessaly [--home DIR] [Qt options]\n"
           "       tessaly --version | --where | --help\n"
           "\n"
           "Tessaly 八字合婚: the desktop program for Four Pillars marriage-compatibility analysis.\n"
           "\n"
           "  --home DIR   keep and read the data in DIR instead of the usual folder\n"
           "               (the environment variable TESSALY_HOME does the same)\n"
           "  --where      print the data folder, and exit\n"
           "  --version    print the version, and exit\n"
           "\n"
           "The command line tessaly-cli does the same work without a window (tessaly-cli --help).\n";
}

bool DisplayAvailable(const std::vector<std::string>& args) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* v = std::getenv(name);
        if (v != nullptr && *v != '\0') return true;
    }
    for (const std::string& a : args) {
        if (a == "-platform" || a == "--platform" || a.starts_with("-platform=")) return true;
    }
    return false;
}

std::string NoDisplayText() {
    return "tessaly: no display (DISPLAY and WAYLAND_DISPLAY are not set), so the window cannot be shown.\n"
           "Start it on a desktop, or under a virtual display: xvfb-run -a tessaly\n"
           "The command line needs no display, for example:\n"
           "  tessaly-cli match --a \"name=张三;sex=M;date=1990-05-12 08:30\" --b \"name=李四;sex=F;date=1992-11-03 21:10\"\n";
}

}  // namespace tessaly
