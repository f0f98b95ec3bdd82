// MatchingRun (aka CBaZiEx, RunMatching) — the matching run: two birth
// records become two analysed Four Pillars charts, the pairing section with
// the compatibility index, and the whole report.
//
// A run is a function of its inputs: the records, the analysis options and
// the ending text go in, a MatchingResult comes out. Nothing is read from or
// written to files, no front end is called, and no state outlives the call,
// so runs are independent of each other and may run on several threads.
#pragma once

#include <array>
#include <string>

#include "calendar/LunarCalendar.h"
#include "calendar/PersonRecord.h"
#include "chart/ChartBuilder.h"
#include "chart/ChartModel.h"
#include "chart/ChartOptions.h"
#include "chart/ReportText.h"
#include "common/Status.h"
#include "readings/IndexParts.h"
#include "readings/Pairing.h"
#include "readings/ReadingRules.h"

namespace tessaly {

// One person's analysed chart and what the analysis wrote of it.
struct PersonAnalysis {
    PersonChart built;           // the chart as built; built.chart is scored and judged
    ReportText analysis;         // strength and relations sections
    ReadingSection personality;  // 性格特征
    ReadingSection marriage;     // 婚姻择偶

    const PersonRecord& Person() const { return built.person; }
    const ChartData& Chart() const { return built.chart; }
};

struct MatchingResult {
    Status status;                          // the message of the first person that failed
    int failedPerson = -1;                  // 0 or 1 when the run failed
    ChartOptions options;                   // the options the run used
    std::array<PersonAnalysis, 2> persons;  // 甲命, 乙命
    float index = 0;                        // 婚配指数, 0..99
    ReportText report;                      // the whole report

    bool ok() const { return status.ok(); }
    std::string Text() const { return report.PlainText(); }
    // The message of a failed run with the person and the date it concerns,
    // e.g. "乙命：不存在这个日期（2023-02-30）".
    std::string ErrorText() const;
    // The woman's birth year counted from 立春 (the last woman of the two
    // when both are women; 0 when neither is).
    int WomanYearFromLichun() const;
};

// The message of a person whose chart could not be built, with the person
// and the date it concerns: "乙命：不存在这个日期（2023-02-30）".
std::string PersonFailureText(int personNo, const PersonRecord& record, const Status& status);

// RunMatching — the matching run.
//   Given:     a, b      the records of 甲命 and 乙命 (their personNo is set
//                        by the run)
//              options   the analysis options
//              ending    the ending text, appended when options.appendEnding
//   Returned:  both analysed charts, the index and the report; or the first
//              failure (person B is not processed when person A fails).
MatchingResult RunMatching(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                           const EndingText& ending = {});
// The same with a calendar object the caller keeps between runs (the window
// keeps one, as each worker of a ranking does): the lunar years it built are
// reused, the term moments are found afresh for each run. The result is the
// same as with a fresh calendar.
MatchingResult RunMatching(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                           const EndingText& ending, LunarCalendar& calendar);

// The analysis of one built chart: counting and scoring (a new chart only),
// judgement, pattern and roles, the strength and relations sections, and
// both readings.
//   fullAnalysis  true for a new chart; false for a re-analysis, which keeps
//                 the counts and scores on the chart and takes the judgement
//                 already set on it.
PersonAnalysis AnalysePerson(PersonChart built, const ChartOptions& options, bool fullAnalysis = true);

// The analysis of AnalysePerson without its texts: counting and scoring,
// judgement, pattern and roles. Enough for the pairing and its index.
PersonAnalysis ScorePerson(PersonChart built, const ChartOptions& options, bool fullAnalysis = true);

// What a matching gives without its readings and its report.
struct MatchingScore {
    Status status;                                 // the message of the person that failed
    int failedPerson = -1;                         // 0 or 1 when it failed
    float index = 0;                               // 婚配指数, 0..99, as RunMatching gives it
    YearPairKind years = YearPairKind::kHarmless;  // what the pairing says of the birth years
    std::array<int, 2> judgements{};               // StrengthJudgement of 甲命 and 乙命

    bool ok() const { return status.ok(); }
};

// The person of a run in the slot personNo (0 甲命, 1 乙命): the record
// checked, converted, built and scored without the texts of its report.
struct ScoredPerson {
    Status status;  // the record check's or the conversion's message
    PersonAnalysis analysis;
};
ScoredPerson ScorePersonOfRun(const PersonRecord& record, int personNo, const ChartOptions& options,
                              LunarCalendar& calendar);

// ScoreMatching — the index of a couple whose 甲命 is already scored: the
// steps of RunMatching up to the pairing, without readings and report.
//   Given:     a         甲命 from ScorePersonOfRun (read only: one may serve
//                        many calls on many threads)
//              b         the record of 乙命
//              calendar  a calendar of the calling thread (its caches)
//   Returned:  the index, the birth years' relation and both judgements;
//              or 乙命's failure (failedPerson 1)
MatchingScore ScoreMatching(const PersonAnalysis& a, const PersonRecord& b, const ChartOptions& options,
                            LunarCalendar& calendar);

// The report of two analysed persons and their pairing section, in its
// fixed order: both charts with their analysis, the pairing, the separator,
// the four readings with their tip lines, the footer and the closing line,
// and the ending text when the options ask for it.
ReportText AssembleReport(const std::array<PersonAnalysis, 2>& persons, const ReportText& pairing,
                          const ChartOptions& options, const EndingText& ending);

// The steps that follow the analysis of both persons: the pairing section
// with the index, then the whole report (AssembleReport) with the options of
// the result. Sets result.index and result.report.
void PairAndAssemble(MatchingResult& result, const EndingText& ending);

// The index of a successful run taken apart (its pairing made again from
// the run's charts, persons and options: the same points, the same index).
IndexParts IndexPartsOf(const MatchingResult& result);

// The separator between the charts and the readings: 71 hyphens.
inline constexpr const char* kReportSeparator =
    "-----------------------------------------------------------------------\r\n";
inline constexpr const char* kReportFooter = "※软件开发商：Tessaly 开发组（Tessaly 2.0，开源项目，无官方网址）\r\n";
inline constexpr const char* kReportClosing = "☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆";

}  // namespace tessaly
