#include "matching/MatchingRun.h"

#include <cstdio>

#include "calendar/LunarCalendar.h"
#include "chart/Strength.h"
#include "readings/ChartFacts.h"
#include "readings/IndexParts.h"
#include "readings/Marriage.h"
#include "readings/Pairing.h"
#include "readings/Personality.h"
#include "readings/ProgramTexts.h"

namespace tessaly {
namespace {

// The texts of a scored person's report: the strength and relations
// sections, the personality and marriage readings. (A ranking scores
// without them.)
void AddReportTexts(PersonAnalysis& p, const ChartOptions& options) {
    const ChartData& c = p.built.chart;
    const ReportRole notes = RoleOfPerson(ReportRole::kChartNotes, p.built.person.personNo);
    p.analysis.Add(notes, StrengthSectionText(c, options));
    p.analysis.Add(notes, RelationsSectionText(c));
    const ChartFacts facts{c, p.built.person};
    p.personality = PersonalityReading(facts);
    p.marriage = MarriageReading(facts, p.built.moments.lunarTime);
}

}  // namespace

PersonAnalysis ScorePerson(PersonChart built, const ChartOptions& options, bool fullAnalysis) {
    PersonAnalysis out;
    out.built = std::move(built);
    ChartData& c = out.built.chart;
    if (fullAnalysis) CountAndScore(c);
    JudgeStrength(c, options, fullAnalysis, c.judgement);
    SetRoleClasses(c);
    return out;
}

PersonAnalysis AnalysePerson(PersonChart built, const ChartOptions& options, bool fullAnalysis) {
    PersonAnalysis out = ScorePerson(std::move(built), options, fullAnalysis);
    AddReportTexts(out, options);
    return out;
}

ScoredPerson ScorePersonOfRun(const PersonRecord& record, int personNo, const ChartOptions& options,
                              LunarCalendar& calendar) {
    ScoredPerson out;
    PersonRecord r = record;
    r.personNo = static_cast<std::uint8_t>(personNo);
    ChartBuild build = BuildChart(r, options, calendar);
    if (!build.status.ok()) {
        out.status = build.status;
        out.analysis.built.person = r;
        return out;
    }
    out.analysis = ScorePerson(std::move(build.person), options);
    return out;
}

MatchingScore ScoreMatching(const PersonAnalysis& a, const PersonRecord& b, const ChartOptions& options,
                            LunarCalendar& calendar) {
    MatchingScore score;
    const ScoredPerson pb = ScorePersonOfRun(b, 1, options, calendar);
    if (!pb.status.ok()) {
        score.status = pb.status;
        score.failedPerson = 1;
        return score;
    }
    const ChartData& ca = a.Chart();
    const ChartData& cb = pb.analysis.Chart();
    score.index = PairingIndex(ca, cb, a.Person(), pb.analysis.Person(), options);
    score.years = YearPairKindOf(YearPairRelation(ca.pillars[kYearPos], cb.pillars[kYearPos]));
    score.judgements = {ca.judgement, cb.judgement};
    return score;
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
        ScoredPerson p = ScorePersonOfRun(*records[n], n, options, calendar);
        if (!p.status.ok()) {
            result.status = p.status;
            result.failedPerson = n;
            result.persons[n] = std::move(p.analysis);
            return result;
        }
        AddReportTexts(p.analysis, options);
        result.persons[n] = std::move(p.analysis);
    }
    PairAndAssemble(result, ending);
    return result;
}

void PairAndAssemble(MatchingResult& result, const EndingText& ending) {
    const PersonAnalysis& a = result.persons[0];
    const PersonAnalysis& b = result.persons[1];
    PairingResult pairing = PairingAnalysis(a.Chart(), b.Chart(), a.Person(), b.Person(), result.options);
    result.index = pairing.index;
    if (result.options.appendIndexParts) {
        // The table of the parts closes the pairing section.
        const IndexParts parts =
            DescribeIndexParts(a.Chart(), b.Chart(), a.Person(), b.Person(), result.options, pairing);
        pairing.report.Add(ReportRole::kPairing, IndexPartsReportText(parts));
    }
    result.report = AssembleReport(result.persons, pairing.report, result.options, ending);
}

IndexParts IndexPartsOf(const MatchingResult& result) {
    const PersonAnalysis& a = result.persons[0];
    const PersonAnalysis& b = result.persons[1];
    return IndexPartsOf(a.Chart(), b.Chart(), a.Person(), b.Person(), result.options);
}

std::string PersonFailureText(int personNo, const PersonRecord& r, const Status& status) {
    char date[48];
    std::snprintf(date, sizeof date, "%s%d-%s%02d-%02d", r.isLunar ? "农历" : "", ShownYear(r.year),
                  r.isLunar && r.isLeapMonth ? "闰" : "", r.month, r.day);
    return std::string(personNo == 0 ? "甲命：" : "乙命：") + status.message() + "（" + date + "）";
}

std::string MatchingResult::ErrorText() const {
    if (status.ok() || failedPerson < 0) return status.message();
    return PersonFailureText(failedPerson, persons[static_cast<std::size_t>(failedPerson)].built.person, status);
}

int MatchingResult::WomanYearFromLichun() const {
    int year = 0;
    for (const PersonAnalysis& p : persons) {
        if (!p.Person().isMale) year = p.built.yearFromLichun;
    }
    return year;
}

}  // namespace tessaly
