// The analysis options of the chart engine, kept in dat/pan.ini section
// "set", and the optional ending text dat/EndInfo.txt.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/IniFile.h"
#include "common/Status.h"

namespace tessaly {

struct ChartOptions {
    bool endinfo = false;  // append dat/EndInfo.txt to the report
    bool zishi = false;    // 23:00–23:59 keeps its own day, next day's 子 hour
    bool biange = true;    // a special pattern's roles replace the judgement's
    int mgong = 0;         // 命宫 counting: 0 by the 节, 1 by the 中气
    int pai = 0;           // chart layout: 0 横排, 1 竖排
    int idate = 0;         // 0 北京时间, 1 真太阳时, 2 地方时
    bool save = false;     // ask to save the case after a run
    int leftpos = 0;       // first-line indent of the report pane, 0..500
    bool bscore = false;   // high-score scale of the compatibility index
    bool congGe = false;   // the follow judgements 从旺/从弱 may be given
};

inline constexpr std::string_view kOptionsSection = "set";

// The option keys as they stand in dat/pan.ini.
inline constexpr std::string_view kOptionKeys[] = {"zishi", "biange", "mgong", "endinfo", "pai",
                                                   "idate", "save",   "leftpos", "bscore", "congGe"};

// Reads the ten keys of section "set", with the defaults for missing keys.
ChartOptions ReadChartOptions(const IniFile& ini);

// Writes the ten keys to section "set" (booleans as 1/0).
void WriteChartOptions(const ChartOptions& options, IniFile& ini);

// Sets one option from "KEY=VALUE" text as a user types it on the command
// line; the key is matched without regard to case, the value must be an
// integer. Fails with a message naming the key or the value.
Status SetChartOption(ChartOptions& options, std::string_view keyValue);

// Reads dat/EndInfo.txt: GBK text lines. A missing file gives no lines and
// no error; a file that cannot be read or decoded gives an error.
Status ReadEndInfoLines(const std::filesystem::path& path, std::vector<std::string>* lines);

// Splits text into lines as a text editor loads them: CR LF, LF or CR end a
// line, and a final line end does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace tessaly
