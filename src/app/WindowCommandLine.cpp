#include "WindowCommandLine.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace tessaly {
namespace {

// Qt's own options (QGuiApplication, QApplication, the X11 platform), with
// one dash or two; the first take a value, as the next argument or after "=".
constexpr std::string_view kQtOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "qwindowicon",
                                                    "qwindowtitle",
                                                    "session",
                                                    "style",
                                                    "stylesheet",
                                                    "display",
                                                    "geometry",
                                                    "title",
                                                    "icon",
                                                    "name",
                                                    "qmljsdebugger",
                                                    "dialogs",
                                                    "fontengine",
                                                    "im",
                                                    "inputstyle"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "visual"};

// The option's name without its dashes and value ("--style=x" → "style").
std::string_view OptionName(std::string_view a) {
    a.remove_prefix(a.starts_with("--") ? 2 : 1);
    return a.substr(0, a.find('='));
}

}  // namespace

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& args) {
    WindowCommandLine cl;
    const auto fail = [&cl](std::string why) {
        if (cl.error.empty()) cl.error = std::move(why);
    };
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
            if (cl.home.empty()) fail("--home needs a folder");
        } else if (a.size() > 1 && a[0] == '-') {
            const std::string_view name = OptionName(a);
            if (std::find(std::begin(kQtOptionsWithValue), std::end(kQtOptionsWithValue), name) !=
                std::end(kQtOptionsWithValue)) {
                if (a.find('=') == std::string::npos) ++i;  // its value
            } else if (std::find(std::begin(kQtFlags), std::end(kQtFlags), name) == std::end(kQtFlags)) {
                fail("unknown option " + a);
            }
        } else if (cl.report.empty()) {
            cl.report = a;
        } else {
            fail("one report file at a time: " + a);
        }
    }
    return cl;
}

std::string WindowUsage() {
    return "usage: tessaly [--home DIR] [Qt options] [REPORT.rtf|REPORT.txt]\n"
           "       tessaly --version | --where | --help\n"
           "\n"
           "Tessaly 八字合婚: the desktop program for Four Pillars marriage-compatibility analysis.\n"
           "\n"
           "  --home DIR   keep and read the data in DIR instead of the usual folder\n"
           "               (the environment variable TESSALY_HOME does the same)\n"
           "  --where      print the data folder, and exit\n"
           "  --version    print the version, and exit\n"
           "  REPORT       a report file (.rtf or .txt) to show, as \"导入命稿\" does\n"
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
