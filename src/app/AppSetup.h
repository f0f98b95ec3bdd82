// AppSetup — what the desktop program does to the application object before
// its first window: the program's name, Qt's own texts in Chinese (standard
// buttons, context menus, the colour dialog), the stand-in for the font
// "宋体"; and the program folders a first start needs.
#pragma once

#include <QString>

class QApplication;

namespace tessaly {

// The main window's title, and the caption of a message box that has none
// of its own.
inline const QString kProgramTitle = QStringLiteral("Tessaly 2.0");

struct AppSetupResult {
    bool qtTranslationLoaded = false;  // qtbase_zh_CN.qm found and installed
    QString songTiFamily;              // the family that draws "宋体"
};

// Names the application, gives the desktop's style a focus frame that can
// be seen, installs Qt's Chinese translation (Debian
// package qt6-translations-l10n) and the font fallbacks, and makes
// "宋体" at 14 pixels the font of every window. The display name
// stays unset: on X11 Qt appends it to every window title, message boxes
// included ("提示 — Tessaly 2.0").
AppSetupResult SetUpApplication(QApplication& app);

}  // namespace tessaly
