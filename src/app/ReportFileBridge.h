// The report pane as a report file of the case store (bazi_f/N.rtf): the
// pane's text with its colours, sizes and weights.
#pragma once

#include <filesystem>

#include "common/Status.h"

class QTextEdit;

namespace tessaly {

struct StyledReport;

// The pane's text (CR LF line ends) and its styled runs, in UTF-8 bytes.
void PaneToStyledReport(const QTextEdit* pane, StyledReport* report);

// Saves the pane as RTF (".txt": plain GBK text) to `path`.
Status SavePaneAsReport(const QTextEdit* pane, const std::filesystem::path& path);

}  // namespace tessaly
