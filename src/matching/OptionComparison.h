// OptionComparison — what the other schools would make of a couple: the
// matching repeated with one analysis option at a time set to each of its
// other values (the 子-hour rule, the useful god of a special pattern, the
// 命宫 counting, the clock, the high-score scale, the follow judgements),
// starting from the user's own settings, and what each run changes: the
// pillars, the 命宫, the pattern, the judgement, the useful god and the
// favourable elements of each person, the index and its parts.
//
// A comparison is a function of values, like the matching run. Each run
// takes the steps of RunMatching up to the pairing (no readings, no
// report), so a row equals what `match` with that option gives.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "chart/ChartOptions.h"
#include "common/Status.h"
#include "matching/MatchingRun.h"
#include "readings/Pairing.h"

namespace tessaly {

// An analysis option on which schools differ: its pan.ini key (its values
// and how it is set come from the option key table), its caption as the
// options dialog shows it, and a name for each value.
struct SchoolOption {
    std::string_view key;
    std::string_view caption;
    std::array<std::string_view, 3> valueNames;  // by value; two or three used
};

// zishi, biange, mgong, idate, bscore, congGe: together 7 other values, so a
// comparison takes 8 runs.
std::span<const SchoolOption> SchoolOptions();

// The value of a school option in `options`, and `options` with it set.
int SchoolOptionValue(const ChartOptions& options, std::string_view key);
ChartOptions WithSchoolOption(ChartOptions options, std::string_view key, int value);

// What a run gives of one person that an option can change.
struct PersonOutcome {
    std::array<std::int16_t, 4> pillars{};          // PillarIndex of year, month, day, hour
    std::uint8_t lifePalace = 0;                    // 命宫 pillar
    std::array<std::int16_t, 4> patterns{};         // ordinary patterns, ended by −1
    std::int16_t specialPattern = -1;               // −1 none
    std::uint8_t judgement = 0;                     // StrengthJudgement
    std::array<std::uint8_t, 2> favourable{};       // elements of 用神 and 喜神
    std::array<std::uint8_t, 2> favourablePairs{};  // their GodPairs

    friend bool operator==(const PersonOutcome&, const PersonOutcome&) = default;
};

// What a run gives that an option can change.
struct RunOutcome {
    Status status;          // a refused run: the message with the person and date
    int failedPerson = -1;  // 0 or 1 when refused
    std::array<PersonOutcome, 2> persons;
    float index = 0;
    IndexPoints points{};  // the parts of the index (PairingResult::points)

    bool ok() const { return status.ok(); }
};

// The outcome of a finished matching run (or of a re-analysis).
RunOutcome OutcomeOf(const MatchingResult& result);

// What a row shows, column by column: five things of each person, the
// index and the parts of the index that moved.
enum class OutcomeColumn : int {
    kPillarsA,
    kLifePalaceA,
    kPatternA,
    kJudgementA,
    kFavourableA,
    kPillarsB,
    kLifePalaceB,
    kPatternB,
    kJudgementB,
    kFavourableB,
    kIndex,
    kParts,
};
inline constexpr int kOutcomeColumnCount = 12;

// One other value of one option and what its run changes.
struct OptionVariant {
    const SchoolOption* option = nullptr;
    int value = 0;
    RunOutcome outcome;
    std::array<bool, kOutcomeColumnCount> changed{};  // against the user's run
    std::vector<IndexPartId> movedParts;              // parts whose points differ

    std::string Setting() const;  // "zishi=1"
    std::string Label() const;    // "区分夜子时、和早子时：是"
    bool ChangesAnything() const;
};

struct OptionComparison {
    Status status;                        // the user's own run refused: its message
    ChartOptions options;                 // the user's settings
    RunOutcome base;                      // the user's run
    std::vector<OptionVariant> variants;  // option by option, value by value

    bool ok() const { return status.ok(); }
};

// CompareOptions — the couple under the user's options and under each other
// value of each school option, one option at a time.
//   Returned:  the user's run and one variant per other value; or the user's
//              run's failure (a variant that fails has its own message and
//              every column marked changed)
OptionComparison CompareOptions(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options);
OptionComparison CompareOptions(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                                LunarCalendar& calendar);

// The comparison as text, for the command line and the window alike: the
// column titles, then the user's run and each variant as one row of cells
// (a refused run: its message in the first cell, "—" in the others), each
// cell marked when it differs from the user's run.
struct ComparisonRow {
    std::string label;    // "你的设置" or the variant's Label()
    std::string setting;  // "" or the variant's Setting()
    std::array<std::string, kOutcomeColumnCount> cells;
    std::array<bool, kOutcomeColumnCount> changed{};
};
struct ComparisonTable {
    std::array<std::string_view, kOutcomeColumnCount> columns;  // "甲命八字" …
    std::vector<ComparisonRow> rows;
};
ComparisonTable ComparisonTableOf(const OptionComparison& comparison);

// The cells of one outcome (the parts column empty).
std::array<std::string, kOutcomeColumnCount> OutcomeCells(const RunOutcome& outcome);

inline constexpr const char* kOwnSettingsLabel = "你的设置";

}  // namespace tessaly
