// The names a screen reader reads for the main window's controls: the case
// tree, the report and wedding panes, the chart picture, the list boxes and
// the buttons that show only a picture.
#pragma once

namespace tessaly {

class MainWindow;

// Names the controls of `window` (once, after its layout is built).
void NameMainWindowControls(MainWindow& window);

}  // namespace tessaly
