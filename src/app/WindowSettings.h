// The main window's settings in dat/bzinit.ini: window position and state,
// tree width, the birth places of both persons, the report font and colour,
// and the skin.
#pragma once

#include <string>

#include "common/IniFile.h"

namespace tessaly {

struct MainWindowSettings {
    bool skined = false;
    std::string skinname = "Mx1";
    int left = 10, top = 10, width = 400, height = 400;
    bool hasPosition = false;  // the file holds left, top, width and height
    int state = 0;             // 0 normal, 1 minimised, 2 maximised
    int treewid = 180;
    int sheng = 0, shi = 0, sheng2 = 0, shi2 = 0;  // province and city of 甲命, 乙命
    std::string fname = "宋体";
    int fsize = 12;
    long bcolor = 12635344;  // Windows colour 0x00BBGGRR: RGB(208, 204, 192)
};

inline constexpr int kMinTreeWidth = 30;

// Reads every key with its default; a tree width of 30 or less becomes 30.
MainWindowSettings ReadMainWindowSettings(const IniFile& ini);

// What is written at close. The position and size only when the window was
// in its normal state; the rest always.
void WriteClosingSettings(const MainWindowSettings& s, bool writeGeometry, IniFile& ini);

}  // namespace tessaly
