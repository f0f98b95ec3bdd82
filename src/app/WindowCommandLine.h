// The command line of the desktop program tessaly: the few options it reads
// before the window exists, Qt's own options (-platform, -style, …), which
// are left to Qt, and a report file to open. Any other option is an error.
#pragma once

#include <string>
#include <vector>

namespace tessaly {

struct WindowCommandLine {
    std::string home;      // --home DIR / --home=DIR; empty: the usual folder
    bool where = false;    // --where: print the data folder and exit
    bool version = false;  // --version
    bool help = false;     // --help, -h
    std::string report;    // a report file (.rtf or .txt) to open as "导入命稿" does
    std::string error;     // a malformed or unknown option; empty when all is well
};

WindowCommandLine ParseWindowCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string WindowUsage();

// Whether a window can be shown: a display is named (DISPLAY,
// WAYLAND_DISPLAY) or a Qt platform chosen (QT_QPA_PLATFORM, -platform).
bool DisplayAvailable(const std::vector<std::string>& args);

// What a start without a display prints before it gives up.
std::string NoDisplayText();

}  // namespace tessaly
