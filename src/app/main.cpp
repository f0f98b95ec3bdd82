// tessaly — the desktop program.
#include <QApplication>

#include "AppFonts.h"
#include "MainWindow.h"
#include "common/ProgramFiles.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaly 2.0"));
    tessaly::InstallFontFallbacks();
    tessaly::MainWindow window(tessaly::LocateProgramFiles());
    window.show();
    return app.exec();
}
