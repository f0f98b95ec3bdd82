// tessaly — the desktop program.
//   tessaly [--home DIR] [--version] [--help] [--where] [REPORT.rtf|REPORT.txt]
#include <QApplication>
#include <QIcon>
#include <QTimer>
#include <filesystem>
#include <iostream>

#include "AboutDialog.h"
#include "AppSetup.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "SingleWindow.h"
#include "WindowCommandLine.h"
#include "common/ProgramFiles.h"
#include "common/SeededFiles.h"
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

    QApplication app(argc, argv);

    // One window per data folder: a second start on it brings the running
    // window to the front, hands it its arguments and ends here.
    const ProgramFiles chosen = ChooseProgramFiles(cl.home, CurrentProgramEnvironment());
    std::error_code ec;
    std::filesystem::create_directories(chosen.home / "dat", ec);  // the lock's place; a failure is told below
    SingleWindow single(QString::fromStdString(chosen.home.string()));
    QStringList forwarded;
    for (const std::string& a : args) forwarded << QString::fromStdString(a);
    switch (single.Take(forwarded)) {
        case SingleWindow::Claim::kFirst:
        case SingleWindow::Claim::kNoLock: break;
        case SingleWindow::Claim::kHandedOver: return 0;
        case SingleWindow::Claim::kNoAnswer:
            std::cerr << "tessaly: 另一个 Tessaly 窗口正在使用数据文件夹 " << chosen.home.string()
                      << "，但它没有应答；请切换到那个窗口，或者结束它以后再启动。\n";
            return 1;
    }

    // A data folder that cannot be made is told first, once, by the window:
    // what fails later (the case store, saving the settings) follows from it.
    // A shipped data file of a newer version that the user's changed copy
    // keeps out is told once, after the window shows.
    Status problem;
    SeedingReport seeding;
    ProgramFiles files = LocateProgramFiles(cl.home, &problem, &seeding);

    // The language kept in dat/bzinit.ini, else the desktop's.
    SetUpApplication(app, StartLanguage(files));
    QApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion().data(), qsizetype(ProgramVersion().size())));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tessaly.Tessaly"));
    QApplication::setWindowIcon(ProgramIcon());

    MainWindow window(std::move(files));
    window.TellStartProblem(std::move(problem));
    QObject::connect(&single, &SingleWindow::ArgumentsReceived, &window, &MainWindow::RaisedByAnotherStart);
    window.show();
    if (const std::string notice = SeedingNotice(seeding); !notice.empty()) {
        QTimer::singleShot(0, &window, [&window, notice] {
            Inform(&window, QString::fromStdString(notice), QCoreApplication::translate("tessaly::MainWindow", "提示"),
                   MsgIcon::kInformation);
        });
    }
    if (!cl.report.empty()) window.OpenReportFile(QString::fromLocal8Bit(cl.report.c_str()));
    return app.exec();
}
