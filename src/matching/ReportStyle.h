// ReportStyle — how a report looks: one table from each role of the report's
// blocks to its colour, size and weight (blue bold headings, red pillar
// rows, green for person B, the index large and red, the readings a size
// smaller with bold headings). The report pane and the report files both
// take their styles from here.
#pragma once

#include <cstdint>
#include <string>

#include "chart/ReportText.h"
#include "common/StyledText.h"

namespace tessaly {

// Colours of the report, as Windows values 0x00BBGGRR.
inline constexpr std::uint32_t kReportBlack = RgbColor(0, 0, 0);
inline constexpr std::uint32_t kReportBlue = RgbColor(0, 0, 255);
inline constexpr std::uint32_t kReportRed = RgbColor(255, 0, 0);
inline constexpr std::uint32_t kReportGreen = RgbColor(0, 128, 0);

// How text of one role looks: a colour, a size relative to the report's base
// size (points), and bold or not.
struct RoleStyle {
    std::uint32_t color = kReportBlack;
    double sizeDelta = 0;
    bool bold = false;
};

// The style of a role.
RoleStyle StyleOfRole(ReportRole role);

// The styled report: the blocks' text with a run for every block whose role
// looks different from plain text, base size `basePointSize` in the font
// `fontName`, and every paragraph's first line indented by
// `firstLineIndentPixels` (at 96 dpi: 15 twips a pixel).
StyledReport StyleReport(const ReportText& report, std::string fontName, double basePointSize,
                         int firstLineIndentPixels);

}  // namespace tessaly
