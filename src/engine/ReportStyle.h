// ReportStyle — how the report pane colours and sizes a finished report:
// blue bold headings, red pillar rows, green for person B, the index large
// and red, the reading headings bold.
//
// The rules find landmarks in the text ("造  ", "藏干", "☆胎元", "乙命八字：",
// "婚姻配对分析：", "婚配指数", the reading headings, "※软件开发商") and
// colour the ranges between them. Their fixed offsets and lengths count GBK
// bytes (a Chinese character is two, an ASCII character one), as the report's
// columns do; the runs come out in UTF-8 byte offsets of the text, widened
// to whole characters. A landmark that is not found skips its rule.
#pragma once

#include <string>

#include "common/StyledText.h"

namespace tessaly {

// Colours of the report pane, as Windows values 0x00BBGGRR.
inline constexpr std::uint32_t kReportBlack = RgbColor(0, 0, 0);
inline constexpr std::uint32_t kReportBlue = RgbColor(0, 0, 255);
inline constexpr std::uint32_t kReportRed = RgbColor(255, 0, 0);
inline constexpr std::uint32_t kReportGreen = RgbColor(0, 128, 0);

// The styled report: `report` with the runs of the colour and size rules,
// base size `basePointSize` in the font `fontName`, and every paragraph's
// first line indented by `leftpos` pixels (at 96 dpi: 15 twips a pixel).
StyledReport StyleReport(std::string report, std::string fontName, double basePointSize, int leftpos);

}  // namespace tessaly
