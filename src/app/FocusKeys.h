// FocusKeys — Ctrl+Tab and Ctrl+Shift+Tab move the focus out of a text
// pane that takes Tab as text, to the next (previous) control of its own
// page; a page control around it would otherwise turn the page.
#pragma once

class QWidget;

namespace tessaly {

// Installs the keys on `pane` (the filter lives as long as the pane).
void LeaveWithCtrlTab(QWidget* pane);

}  // namespace tessaly
