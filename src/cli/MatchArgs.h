// The arguments every command that runs a matching shares: --a PERSON,
// --b PERSON and any number of --set KEY=VALUE, and the run itself with the
// options of dat/pan.ini and the ending text of dat/EndInfo.txt.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "cli/Command.h"
#include "matching/MatchingRun.h"
#include "session/RunInputs.h"

namespace tessaly::cli {

// The help lines of --a, --b and --set (see CommandHelp::arguments).
#define TESSALY_MATCH_ARGUMENTS_HELP                                                                        \
    "--a PERSON\tperson A (甲命), a man unless sex=F: key=value pairs separated by \";\": name (default " \
    "某人), sex (M or F), date (YYYY-MM-DD HH:MM, Beijing time; negative years are BC, there is no "      \
    "year 0), cal (solar or lunar), leap (1 for a lunar leap month), lon and lat (decimal degrees), "       \
    "prov and city (index or name, see the places command), place (the place text for lon/lat), tz "        \
    "(a time zone such as America/New_York; default the province's), clock (standard: the time is "         \
    "Beijing time; civil: read from the clock of the birth place, summer time included) and dst (1 or "     \
    "0: the summer-time or the standard reading of a civil time its clock skipped or repeated); or the "    \
    "clipboard line of the desktop program, which begins orvane_mingli_data#\n"                             \
    "--b PERSON\tperson B (乙命), a woman unless sex=M\n"                                                 \
    "--set KEY=VALUE\tchange one analysis option of dat/pan.ini for this run only: zishi, biange, "         \
    "mgong, endinfo, pai, idate, save, leftpos, bscore, congGe, indexparts\n"
#define TESSALY_MATCH_ARGUMENTS_HELP_ZH                                                                                                      \
    "--a PERSON\t甲命，除非 sex=F 否则为男：以“;”分隔的 key=value：name（姓名，默认某人）、sex（M 或 F）、" \
    "date（YYYY-MM-DD HH:MM，北京时间；公元前用负数，没有公元0年）、cal（solar 公历或 lunar 农历）、"           \
    "leap（农历闰月为 1）、lon 和 lat（十进制度数）、prov 和 city（编号或名称，见 places 命令）、"             \
    "place（lon/lat 对应的地名）、tz（时区，如 America/New_York；默认为省份的时区）、"                               \
    "clock（standard：北京时间；civil：出生地的钟点，包括夏令时）和 dst（1 或 0：钟表跳过或重复的 civil "   \
    "时间按夏令时还是标准时间读）；或者桌面程序复制的一行，以 orvane_mingli_data# 开头\n"                      \
    "--b PERSON\t乙命，除非 sex=M 否则为女\n"                                                                                       \
    "--set KEY=VALUE\t只在这次运行中改变 dat/pan.ini 的一个分析选项：zishi、biange、mgong、endinfo、"                   \
    "pai、idate、save、leftpos、bscore、congGe、indexparts\n"

struct MatchArgs {
    PersonRecord a, b;
    std::vector<std::string> settings;  // "KEY=VALUE", checked
    std::vector<std::string> warnings;  // of the persons' places, to print once
};

// Person A defaults to male, person B to female, both named 某人 and born at
// the unknown place (120° E, 30° N). Returns kExitOk or kExitUsage (with the
// message printed).
int TakeMatchArgs(CommandContext& ctx, MatchArgs* out);

// The pieces of TakeMatchArgs: one required "KEY PERSON" for the person in
// slot personNo (0 male, 1 female by default; see DefaultPerson in
// session/Persons.h), whose place warnings are added to *warnings; and
// every --set KEY=VALUE.
int TakePersonOption(CommandContext& ctx, std::string_view key, int personNo, PersonRecord* out,
                     std::vector<std::string>* warnings);
int TakeSettings(CommandContext& ctx, std::vector<std::string>* settings);

// What a run reads besides the persons: dat/pan.ini with the --set values
// over it, and the ending text when the options ask for it. What could not
// be read is printed as a warning.
RunInputs MatchInputs(CommandContext& ctx, const std::vector<std::string>& settings);

// Prints the message of a refused run and, for a clock time that needs a
// choice, how to make it. Returns kExitRefused.
int RefuseRun(CommandContext& ctx, const Status& status, int failedPerson);

// Runs the matching of the two persons with the inputs of MatchInputs,
// printing what could not be read and, on a refused run, its message.
// Returns kExitOk or kExitRefused. The ending text used goes to *ending
// when given.
int RunMatchingOf(CommandContext& ctx, const MatchArgs& m, MatchingResult* result, EndingText* ending = nullptr);

}  // namespace tessaly::cli
