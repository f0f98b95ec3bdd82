// tessaly — the desktop program.
#include <QApplication>

#include "AppFonts.h"
#include "MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaly 2.0"));
    tessaly::InstallFontFallbacks();
    tessaly::MainWindow window;
    window.show();
    return app.exec();
}
