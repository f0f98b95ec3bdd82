#include "matching/MatchingRun.h"

#include <cstdio>

#include "calendar/LunarCalendar.h"
#include "chart/Strength.h"
#include "readings/ChartFacts.h"
#include "readings/Marriage.h"
#include "readings/Pairing.h"
#include "readings/Personality.h"
#include "readings/ProgramTexts.h"

namespace tessaly {

PersonAnalysis AnalysePerson(PersonChart built, const ChartOptions& options, bool fullAnalysis) {
    PersonAnalysis out;
    out.built = std::move(built);
    ChartData& c = out.built.chart;
    const PersonRecord& person = out.built.person;
    if (fullAnalysis) CountAndScore(c);
    JudgeStrength(c, options, fullAnalysis, c.judgement);
    SetRoleClasses(c);
    const ReportRole notes = RoleOfPerson(ReportRole::kChartNotes, person.personNo);
    out.analysis.Add(notes, StrengthSectionText(c, options));
    out.analysis.Add(notes, RelationsSectionText(c));

    const ChartFacts facts{c, person};
    out.personality = PersonalityReading(facts);
    out.marriage = MarriageReading(facts, out.built.moments.lunarTime);
    return out;
}

ReportText AssembleReport(const std::array<PersonAnalysis, 2>& persons, const ReportText& pairing,
                          const ChartOptions& options, const EndingText& ending) {
    ReportText r;
    for (const PersonAnalysis& p : persons) {
        r.Add(p.built.text);
        r.Add(p.analysis);
    }
    r.Add(pairing);
    r.Add(ReportRole::kBody, kReportSeparator);
    for (const PersonAnalysis& p : persons) {
        const int n = p.Person().personNo;
        const ReportRole heading = RoleOfPerson(ReportRole::kReadingHeading, n);
        const ReportRole reading = RoleOfPerson(ReportRole::kReading, n);
        // Each reading is followed by its tip line.
        r.Add(heading, p.personality.heading);
        r.Add(reading, p.personality.body);
        r.Add(reading, "※" + std::string(ProgramText(kPersonalityTipText)) + "※\r\n\r\n");
        r.Add(heading, p.marriage.heading);
        r.Add(reading, p.marriage.body);
        r.Add(reading, "※" + std::string(ProgramText(kMarriageTipText)) + "※\r\n\r\n");
    }
    r.Add(ReportRole::kBody, kReportFooter);
    r.Add(ReportRole::kBody, kReportClosing);
    if (options.appendEnding) {
        for (const std::string& line : ending.lines) r.Add(ReportRole::kBody, line + "\r\n");
    }
    return r;
}

MatchingResult RunMatching(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                           const EndingText& ending) {
    LunarCalendar calendar;  // the run's own: its caches live as long as the run
    return RunMatching(a, b, options, ending, calendar);
}

MatchingResult RunMatching(const PersonRecord& a, const PersonRecord& b, const ChartOptions& options,
                           const EndingText& ending, LunarCalendar& calendar) {
    MatchingResult result;
    result.options = options;
    calendar.ForgetTermMoments();
    const PersonRecord* records[2] = {&a, &b};
    for (int n = 0; n < 2; ++n) {
        PersonRecord r = *records[n];
        r.personNo = static_cast<std::uint8_t>(n);
        ChartBuild build = BuildChart(r, options, calendar);
        if (!build.status.ok()) {
            result.status = build.status;
            result.failedPerson = n;
            result.persons[n].built.person = r;
            return result;
        }
        result.persons[n] = AnalysePerson(std::move(build.person), options);
    }
    PairAndAssemble(result, ending);
    return result;
}

void PairAndAssemble(MatchingResult& result, const EndingText& ending) {
    const PairingResult pairing = PairingAnalysis(result.persons[0].Chart(), result.persons[1].Chart(),
                                                  result.persons[0].Person(), result.persons[1].Person(),
                                                  result.options);
    result.index = pairing.index;
    result.report = AssembleReport(result.persons, pairing.report, result.options, ending);
}

std::string MatchingResult::ErrorText() const {
    if (status.ok() || failedPerson < 0) return status.message();
    const PersonRecord& r = persons[static_cast<std::size_t>(failedPerson)].built.person;
    char date[48];
    std::snprintf(date, sizeof date, "%s%d-%s%02d-%02d", r.isLunar ? "农历" : "", ShownYear(r.year),
                  r.isLunar && r.isLeapMonth ? "闰" : "", r.month, r.day);
    return std::string(failedPerson == 0 ? "甲命：" : "乙命：") + status.message() + "（" + date + "）";
}

int MatchingResult::WomanYearFromLichun() const {
    int year = 0;
    for (const PersonAnalysis& p : persons) {
        if (!p.Person().isMale) year = p.built.yearFromLichun;
    }
    return year;
}

}  // namespace tessaly
