// ChartOptions — the analysis options of a matching run, kept in dat/pan.ini
// section "set", and EndingText, the optional ending text dat/EndInfo.txt.
//
// The file keeps the short keys users and the older program know ("zishi",
// "biange", …); inside the program each option has a name that says what it
// does. kOptionKeys ties the two together and is the only list of keys: it
// reads, writes and checks every option.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/IniFile.h"
#include "common/Status.h"

namespace tessaly {

// Which clock the day and hour pillars are read from (key "idate").
enum class TimeBasis : int {
    kBeijingTime = 0,    // 北京时间: standard time UTC+8 as entered
    kTrueSolarTime = 1,  // 真太阳时: local mean time plus the equation of time
    kLocalMeanTime = 2,  // 地方时: standard time moved by the longitude
};

struct ChartOptions {
    bool appendEnding = false;                      // endinfo: append dat/EndInfo.txt to the report
    bool lateZiHourKeepsDay = false;                // zishi: 23:00–23:59 keeps its own day, next day's 子 hour
    bool specialPatternRoles = true;                // biange: a special pattern's roles replace the judgement's
    bool lifePalaceByMidTerm = false;               // mgong: 命宫 counted from the 中气 instead of the 节
    bool verticalChart = false;                     // pai: chart table stems and branches on separate rows (竖排)
    TimeBasis timeBasis = TimeBasis::kBeijingTime;  // idate
    bool askToSave = false;                         // save: offer to save the case after a run
    int firstLineIndent = 0;                        // leftpos: first-line indent of the report pane, pixels
    bool highScoreScale = false;                    // bscore: ten more points on the compatibility index
    bool followJudgements = false;                  // congGe: the judgements 从旺/从弱 may be given
    bool appendIndexParts = false;                  // indexparts: the table of the index's parts after the pairing
};

inline constexpr std::string_view kOptionsSection = "set";

// One key of section "set": its name in the file, the accepted values and
// the way it maps onto ChartOptions. Booleans are 0 and 1.
struct OptionKey {
    std::string_view key;
    int min, max;
    int (*get)(const ChartOptions&);
    void (*set)(ChartOptions&, int);
};

// Every key, in the order a new file lists them.
std::span<const OptionKey> OptionKeys();

// Reads section "set". A missing key gives the default; a value that is not
// a whole number in the key's range also gives the default, and a warning
// naming the key and the value is added to *warnings when given.
ChartOptions ReadChartOptions(const IniFile& ini, std::vector<std::string>* warnings = nullptr);

// Writes every key to section "set" (booleans as 1/0).
void WriteChartOptions(const ChartOptions& options, IniFile& ini);

// Sets one option from "KEY=VALUE" text as a user types it on the command
// line; the key is matched without regard to case, the value must be a whole
// number in the key's range. Fails with a message naming the key, the value
// and the accepted range.
Status SetChartOption(ChartOptions& options, std::string_view keyValue);

// The ending text of every report (dat/EndInfo.txt), as lines.
struct EndingText {
    std::vector<std::string> lines;  // UTF-8, without line ends
};

// Reads dat/EndInfo.txt: GBK text lines. A missing file gives no lines and
// no error; a file that cannot be read or decoded gives an error.
Status ReadEndingText(const std::filesystem::path& path, EndingText* ending);

// Writes the ending text as the file keeps it: GBK, CR LF after each line,
// atomically. Fails, writing nothing, when a line cannot be held in GBK.
Status WriteEndingText(const std::filesystem::path& path, const EndingText& ending);

// Splits text into lines as a text editor loads them: CR LF, LF or CR end a
// line, and a final line end does not start another line.
std::vector<std::string> SplitLines(std::string_view text);

}  // namespace tessaly
