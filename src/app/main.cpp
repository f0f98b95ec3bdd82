// tessaly — the desktop program.
//   tessaly [--home DIR] [--version] [--help] [--where] [REPORT.rtf|REPORT.txt]
#include <QApplication>
#include <QIcon>
#include <iostream>

#include "AboutDialog.h"
#include "AppSetup.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "WindowCommandLine.h"
#include "common/ProgramFiles.h"
#include "common/Version.h"

int main(int argc, char** argv) {
    using namespace tessaly;
    const std::vector<std::string> args(argv + 1, argv + argc);
    const WindowCommandLine cl = ParseWindowCommandLine(args);
    if (!cl.error.empty()) {
        std::cerr << "tessaly: " << cl.error << "\n\n" << WindowUsage();
        return 2;
    }
    if (cl.version) {
        std::cout << "tessaly " << ProgramVersion() << '\n';
        return 0;
    }
    if (cl.help) {
        std::cout << WindowUsage();
        return 0;
    }
    if (cl.where) {
        std::cout << ChooseProgramFiles(cl.home, CurrentProgramEnvironment()).home.string() << '\n';
        return 0;
    }
    if (!DisplayAvailable(args)) {
        std::cerr << NoDisplayText();
        return 3;
    }

    // A data folder that cannot be made is told first, once, by the window:
    // what fails later (the case store, saving the settings) follows from it.
    Status problem;
    ProgramFiles files = LocateProgramFiles(cl.home, &problem);

    QApplication app(argc, argv);
    // The language kept in dat/bzinit.ini, else the desktop's.
    SetUpApplication(app, StartLanguage(files));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion().data(), qsizetype(ProgramVersion().size())));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tessaly.Tessaly"));
    QApplication::setWindowIcon(ProgramIcon());

    MainWindow window(std::move(files));
    window.TellStartProblem(std::move(problem));
    window.show();
    if (!cl.report.empty()) window.OpenReportFile(QString::fromLocal8Bit(cl.report.c_str()));
    return app.exec();
}
