#include "engine/Baziex.h"

#include "common/IniFile.h"
#include "common/ProgramDir.h"
#include "engine/Strength.h"
#include "readings/Pairing.h"
#include "readings/ProgramTexts.h"

namespace tessaly {

CBaZiEx::CBaZiEx(ReportPresenter* presenter) : presenter_(presenter) {}

CBaZiEx::~CBaZiEx() = default;

void CBaZiEx::LoadChartOptions() {
    const IniFile ini(DatPath("pan.ini"));
    if (!ini.loadStatus().ok()) {
        warnings_.push_back("analysis options not read, defaults used: " + ini.loadStatus().message());
    }
    options = ReadChartOptions(ini);
    for (const std::string& kv : optionOverrides_) {
        if (Status s = SetChartOption(options, kv); !s.ok()) warnings_.push_back(s.message());
    }
}

bool CBaZiEx::RunMatching(const PersonRecord& a, const PersonRecord& b) {
    warnings_.clear();
    matchingValid_ = false;
    LoadChartOptions();

    personA = a;
    personA.personNo = 0;
    personB = b;
    personB.personNo = 1;
    fullAnalysis = 1;

    currentPerson = personA;
    current = ZeroChartData();
    tailText.clear();
    personText = "甲命八字：\r\n";
    if (!BuildChartReport()) return false;
    reportText = personText;
    chartA = current;

    currentPerson = personB;
    current = ZeroChartData();
    personText = "乙命八字：\r\n";
    if (!BuildChartReport()) return false;
    reportText += personText;
    chartB = current;

    PairingAnalysis();
    reportText += personText;

    reportText += kReportSeparator;
    reportText += tailText;
    reportText += kReportFooter;
    reportText += kReportClosing;
    AppendEnding();

    lastReport_ = reportText;
    matchingValid_ = true;
    if (presenter_ != nullptr) {
        if (showReport == 1) presenter_->ShowReport(*this, reportText);
        presenter_->DrawChartPicture(*this);
    }
    reportText.clear();  // handed on
    return true;
}

void CBaZiEx::AppendEnding() {
    if (!options.endinfo) return;
    std::vector<std::string> lines;
    if (Status s = ReadEndInfoLines(DatPath("EndInfo.txt"), &lines); !s.ok()) {
        warnings_.push_back("ending text not added: " + s.message());
        return;
    }
    for (const std::string& line : lines) reportText += line + "\r\n";
}

void CBaZiEx::AnalyseChart() {
    // A new chart is counted and scored from its pillars; a re-analysis
    // keeps the counts and takes the judgement already set on the chart.
    if (fullAnalysis == 1) CountAndScore(current);
    JudgeStrength(current, options, fullAnalysis == 1, current.judgement);
    SetRoleClasses(current);
    personText += StrengthSectionText(current, options);
    personText += RelationsSectionText(current);

    // Each reading goes into tailText followed by its tip line.
    tailText += "※";
    tailText += ProgramText(kPersonalityTipText);
    tailText += "※\r\n\r\n";
    tailText += "※";
    tailText += ProgramText(kMarriageTipText);
    tailText += "※\r\n\r\n";
}

void CBaZiEx::PairingAnalysis() {
    PairingResult r = tessaly::PairingAnalysis(chartA, chartB, personA, personB, options);
    matchIndex = r.index;
    personText = std::move(r.text);
}

}  // namespace tessaly
