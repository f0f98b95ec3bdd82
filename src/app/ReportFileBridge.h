// The report pane as a report file of the case store (bazi_f/N.rtf): the
// pane's text with its colours, sizes and weights.
#pragma once

#include <QString>
#include <filesystem>

#include "common/Status.h"

class QTextEdit;

namespace tessaly {

struct StyledReport;

// The pane's text (CR LF line ends) and its styled runs, in UTF-8 bytes:
// colour, size, weight, italic, underline, strike-out, and the font of text
// in another font than the pane's.
void PaneToStyledReport(const QTextEdit* pane, StyledReport* report);

// The name a report is saved under: `name` as typed, with `extension`
// (".rtf" or ".txt") appended unless the name already ends in it, in any
// letter case.
QString WithExtension(const QString& name, const QString& extension);

}  // namespace tessaly
