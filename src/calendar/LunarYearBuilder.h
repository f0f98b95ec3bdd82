// LunarYearBuilder (aka SSQ_class, Lunar) — solar terms (气) and new moons (朔) on civil days, and the lunar year.
//
// LunarYearBuilder decides on which civil day (standard time, UTC+8) each solar term
// and each new moon falls, for any epoch, by one of four methods:
//   before the fitted tables          accurate ephemeris (Ephemeris.h)
//   inside the fitted tables          mean terms / mean new moons (平气, 平朔)
//   from the tables' end to 1960      low-precision formula + a one-day
//                                     correction per event
//   from 1960-01-01 (JD 2436935) on   ephemeris, fast form unless the moment
//                                     lies near midnight
// and builds one lunar year: the 14 months from the month before the winter
// solstice (冬至) to the month after the next one.
//
// Day numbers: D = ⌊d + 0.5⌋ with d the moment in days from J2000.0 in
// standard time; 2000-01-01 is day 0.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace tessaly {

enum class EventKind { Term, NewMoon };

// The state of one built lunar year.
struct LunarYearState {
    int leapIndex = 0;                   // 1..13: index of the leap month; 0 = none
    std::array<int, 14> monthNumbers{};  // 1..12 (13 or 10: extra month of ancient calendars)
    std::array<int, 25> termDays{};      // 0 冬至, 1 小寒, 2 大寒, 3 立春 … 24 the next 冬至
    std::array<int, 15> newMoonDays{};   // month i: newMoonDays[i] .. newMoonDays[i+1] − 1
    std::array<int, 14> monthLengths{};  // 29 or 30

    friend bool operator==(const LunarYearState&, const LunarYearState&) = default;
};

class LunarYearBuilder : public LunarYearState {
public:
    LunarYearBuilder();

    // Day number of the term (kind "气") or new moon (any other kind) nearest
    // d, days from J2000.
    int EventDay(double d, std::string_view kind) const;
    int EventDay(double d, EventKind kind) const;

    // Moments (days from J2000, standard time) of the term or new moon at the
    // cumulative angle W: low-precision formulas, and the ephemeris.
    static double TermLow(double W);
    static double NewMoonLow(double W);
    static double TermHigh(double W);
    static double NewMoonHigh(double W);

    // Fills the lunar-year state for the lunar year whose months cover day d.
    // Results are cached by year; a cached year is exactly a fresh build.
    void BuildLunarYear(int d);
    // The same without the cache (for checks and measurements).
    void BuildLunarYearUncached(int d);

    // The lunar years from the winter solstice of 1799 to that of 2200 are
    // kept in a table generated from BuildLunarYearUncached
    // (tools/gen_lunar_years.cpp): BuildLunarYear reads a year of that span
    // instead of computing its 40 terms and new moons. The state of day d
    // from the table, or nothing outside it.
    static std::optional<LunarYearState> TabulatedLunarYear(int d);
    // The table's days: [first, last].
    static std::pair<int, int> TabulatedDays();

    // One digit per event from the end of the fitted tables to 1960: "1" the
    // low-precision day is one day early, "2" one day late, "0" right.
    std::string_view newMoonFix;
    std::string_view termFix;

    // Method boundaries (Julian days): mean method from f1, low-precision
    // method from f2, ephemeris again from f3.
    static constexpr double kNewMoonF1 = 1457698.231017 - 14;
    static constexpr double kNewMoonF2 = 1947168.0 - 14;
    static constexpr double kTermF1 = 1640650.479938 - 7;
    static constexpr double kTermF2 = 2322147.76 - 7;
    static constexpr double kF3 = 2436935;

private:
    double SolsticeEstimate(int d);
    void BuildFromSolstice(double W);

    struct CacheEntry {
        double W = 0;
        bool used = false;
        LunarYearState state;
    };
    std::array<CacheEntry, 4> cache_{};
    int nextSlot_ = 0;
    double lastW0_ = 0;
    int lastW0Day_ = 0;
    bool haveW0_ = false;
};

// Derives a correction text from the ephemeris: for every event from the
// end of the fitted tables to 1960, the digit that moves the low-precision day
// onto the civil day (UTC+8) of the accurate moment. Fails (ok false, error
// naming the event) when an event would need more than one day or would not
// sit in its own slot of the text.
struct CorrectionText {
    bool ok = false;
    std::string text;
    std::string error;
};
CorrectionText DeriveCorrectionText(EventKind kind);

}  // namespace tessaly
