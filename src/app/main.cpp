// tessaly — the desktop program.
//   tessaly [--home DIR]   DIR holds dat/, bazi_f/ and skins/ (default: the
//                          environment variable TESSALY_HOME, else the
//                          program's own folder)
#include <QApplication>
#include <QStringList>
#include <filesystem>

#include "AppSetup.h"
#include "MainWindow.h"
#include "common/ProgramFiles.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tessaly::SetUpApplication(app);
    std::filesystem::path home;
    const QStringList args = QApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QStringLiteral("--home") && i + 1 < args.size()) {
            home = args[++i].toStdString();
        } else if (args[i].startsWith(QStringLiteral("--home="))) {
            home = args[i].mid(7).toStdString();
        }
    }
    tessaly::MainWindow window(tessaly::LocateProgramFiles(home));
    window.show();
    return app.exec();
}
