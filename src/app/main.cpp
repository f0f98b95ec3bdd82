// tessaly — the desktop program.
#include <QApplication>

#include "AppFonts.h"
#include "Untmain.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaly 2.0"));
    tessaly::InstallFontFallbacks();
    tessaly::TFrmMain window;
    window.show();
    return app.exec();
}
