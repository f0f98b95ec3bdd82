// CBaZiEx — the chart engine: turns two birth records into two Four Pillars
// charts, analyses them and writes the report.
//
// The engine never talks to a user interface. What the desktop program needs
// from a finished run (the report for the pane, the data for the chart
// picture) crosses the boundary through the small ReportPresenter interface;
// the command line reads the same results from the engine's members.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "calendar/PersonRecord.h"
#include "calendar/LunarCalendar.h"
#include "engine/ChartModel.h"
#include "engine/ChartOptions.h"

namespace tessaly {

class CBaZiEx;

// The moments of one person as the conversion left them, kept per person
// for the front ends (the engine's own conversion members describe only the
// person in hand).
struct PersonMoments {
    CivilTime clockTime, chartTime, lunarTime;
    double clockJd = 0;
    bool isLeapMonth = false;
};

// Where a finished run goes on screen: the report pane and the chart
// picture. Both are called at the end of a successful run.
class ReportPresenter {
public:
    virtual ~ReportPresenter() = default;
    // The finished report text (UTF-8, CR LF line ends); called only when
    // the engine's showReport is 1.
    virtual void ShowReport(const CBaZiEx& engine, const std::string& report) = 0;
    // Both charts and the index are ready on the engine.
    virtual void DrawChartPicture(const CBaZiEx& engine) = 0;
};

class CBaZiEx {
public:
    explicit CBaZiEx(ReportPresenter* presenter = nullptr);
    virtual ~CBaZiEx();

    // The matching run: builds and analyses both charts, the pairing section
    // and the whole report. On failure returns false and leaves the reason
    // in errorText; person B is not processed when person A fails.
    bool RunMatching(const PersonRecord& a, const PersonRecord& b);

    // The option "save": whether the caller should offer to save the case.
    bool AutoSaveWanted() const { return options.save; }

    // Reads dat/pan.ini section "set" into `options` (defaults for what is
    // missing). Called at the start of every run.
    void LoadChartOptions();

    // The report of the last successful run, kept after it was handed on.
    const std::string& LastReport() const { return lastReport_; }

    // Whether the last matching run succeeded: its charts, persons and the
    // woman's year belong together (a failed run clears it).
    bool MatchingValid() const { return matchingValid_; }

    // Warnings of the last run that did not stop it (an unreadable settings
    // or ending-text file); the front ends show them.
    const std::vector<std::string>& Warnings() const { return warnings_; }

    // For the command line and tests: options given here replace those read
    // from dat/pan.ini for the following runs, until cleared.
    void SetOptionOverrides(std::vector<std::string> keyValues) { optionOverrides_ = std::move(keyValues); }

    // --- members of the engine, as the rest of the system reads them ---
    std::uint8_t fullAnalysis = 0;
    LunarCalendar date;
    std::string personText;
    std::string reportText;
    std::string tailText;
    std::string chartText[2];
    CivilTime clockTime, chartTime, lunarTime;
    double clockJd = 0;
    std::int16_t luckStartAge = 0;
    PersonRecord currentPerson;
    PersonRecord personA, personB;
    ChartOptions options;
    ChartData current, chartA, chartB;
    float matchIndex = 0;
    double midTermJd = 0;
    std::int16_t femaleSolarYear = 0;  // the woman's birth year counted from 立春
    std::string errorText;
    std::uint8_t showReport = 1;
    PersonMoments moments[2];  // by personNo, filled as each chart is built

    // Converts the current person's birth data into clockTime, clockJd,
    // chartTime, lunarTime and the leap flag of currentPerson. On failure
    // returns false with the message in errorText.
    bool ConvertBirthData();

protected:
    // One person: checks, conversion, chart, stars, chart text, analysis.
    bool BuildChartReport();
    // The symbolic stars of the current chart into current.starHits.
    void EvaluateChartStars();
    // The analysis sections of the current person.
    void AnalyseChart();
    // The pairing section; sets matchIndex and replaces personText.
    void PairingAnalysis();

private:
    void AppendEnding();

    ReportPresenter* presenter_ = nullptr;
    std::string lastReport_;
    bool matchingValid_ = false;
    std::vector<std::string> warnings_;
    std::vector<std::string> optionOverrides_;
};

// The separator between the charts and the readings: 71 hyphens.
inline constexpr const char* kReportSeparator =
    "-----------------------------------------------------------------------\r\n";
inline constexpr const char* kReportFooter = "※软件开发商：Tessaly 开发组（Tessaly 2.0，开源项目，无官方网址）\r\n";
inline constexpr const char* kReportClosing = "☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆";

}  // namespace tessaly
