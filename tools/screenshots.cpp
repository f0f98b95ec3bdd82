// Renders the pictures of the README offscreen: the main window after a
// matching run of two sample persons, and the birth-data dialog.
//
//   tessaly-screenshots OUTDIR     (program folder: TESSALY_HOME)
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include "app/AppFonts.h"
#include "app/BirthDataDialog.h"
#include "app/MainWindow.h"
#include "common/ProgramFiles.h"

namespace {

using tessaly::PersonRecord;

PersonRecord Sample(int personNo) {
    PersonRecord r;
    r.personNo = std::uint8_t(personNo);
    if (personNo == 0) {
        r.name = "张三";
        r.year = 1990, r.month = 5, r.day = 12, r.hour = 8, r.minute = 30;
        r.isMale = 1;
        r.provinceIndex = 1;
        r.clock = tessaly::BirthClock::kCivil;  // read from a clock on China's summer time of 1990
    } else {
        r.name = "李四";
        r.year = 1992, r.month = 11, r.day = 3, r.hour = 21, r.minute = 10;
        r.isMale = 0;
        r.provinceIndex = 9;
    }
    return r;
}

// Answers each birth-data dialog with the sample persons.
void AnswerDialogs(int* asked) {
    QTimer::singleShot(50, [asked] {
        auto* dlg = qobject_cast<tessaly::BirthDataDialog*>(QApplication::activeModalWidget());
        if (dlg == nullptr) {
            AnswerDialogs(asked);
            return;
        }
        dlg->SetRecord(Sample(*asked), *asked);
        ++*asked;
        dlg->accept();
        if (*asked < 2) AnswerDialogs(asked);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaly 2.0"));
    if (argc != 2) {
        qWarning("usage: tessaly-screenshots OUTDIR");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    tessaly::InstallFontFallbacks();

    const tessaly::ProgramFiles files = tessaly::LocateProgramFiles();
    tessaly::MainWindow window(files);
    window.show();
    int asked = 0;
    AnswerDialogs(&asked);
    window.StartMatching();
    if (!window.chartValid()) {
        qWarning("the matching run failed");
        return 1;
    }
    QApplication::processEvents();
    if (!window.grab().save(out + "/main-window.png")) return 1;

    tessaly::BirthDataDialog dialog(files.Dat("dili.ini"));
    dialog.SetRecord(Sample(1), 1);
    dialog.show();
    QApplication::processEvents();
    if (!dialog.grab().save(out + "/birth-dialog.png")) return 1;
    window.close();
    return 0;
}
