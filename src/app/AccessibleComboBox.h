// AccessibleComboBox — what a screen reader hears for a list box. Qt's own
// interface for QComboBox names the box by its current entry on Linux
// (AT-SPI reads "福建省" rather than "出生地省份"); this one names it by its
// accessible name or the label whose buddy it is, and gives the entry as
// its value, so a reader hears "Province of birth, 福建省".
#pragma once

namespace tessaly {

// Installs the interface for every QComboBox made afterwards; once is
// enough, a second call does nothing. Call it after the QApplication exists
// (the main window does), so that it comes before Qt's own.
void InstallAccessibleComboBoxes();

}  // namespace tessaly
