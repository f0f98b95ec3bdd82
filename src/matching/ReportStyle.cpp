#include "matching/ReportStyle.h"

namespace tessaly {

RoleStyle StyleOfRole(ReportRole role) {
    switch (role) {
        case ReportRole::kBody: return {kReportBlack, 0, false};
        case ReportRole::kPersonHeading: return {kReportBlue, 0, true};
        case ReportRole::kPillarRow: return {kReportRed, 0, false};
        case ReportRole::kChartNotes: return {kReportBlack, -1, false};
        case ReportRole::kPersonBBody: return {kReportGreen, 0, false};
        case ReportRole::kPersonBNotes: return {kReportGreen, -1, false};
        case ReportRole::kPairingHeading: return {kReportBlue, 0, true};
        case ReportRole::kPairing: return {kReportBlue, -1, false};
        case ReportRole::kMatchIndex: return {kReportRed, 4, true};
        case ReportRole::kReadingHeading: return {kReportBlack, -1, true};
        case ReportRole::kReading: return {kReportBlack, -1, false};
        case ReportRole::kPersonBReadingHeading: return {kReportGreen, -1, true};
        case ReportRole::kPersonBReading: return {kReportGreen, -1, false};
    }
    return {};
}

StyledReport StyleReport(const ReportText& report, std::string fontName, double base, int firstLineIndentPixels) {
    StyledReport out;
    out.fontName = std::move(fontName);
    out.base = TextStyle{kReportBlack, base, false};
    out.firstLineIndent = firstLineIndentPixels * 15;
    for (const ReportBlock& b : report.Blocks()) {
        const RoleStyle s = StyleOfRole(b.role);
        const TextStyle style{s.color, base + s.sizeDelta, s.bold};
        if (!(style == out.base)) {
            StyleRun run;
            run.start = out.text.size();
            run.length = b.text.size();
            run.color = style.color;
            run.pointSize = style.pointSize;
            run.bold = style.bold;
            out.runs.push_back(run);
        }
        out.text += b.text;
    }
    return out;
}

}  // namespace tessaly
