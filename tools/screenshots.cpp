// Renders the pictures of the README offscreen: the main window at its
// first start, after a matching run of two sample persons (skin Mx1) and in
// the skin Ink, and the birth-data dialog.
//
//   tessaly-screenshots OUTDIR     (program folder: TESSALY_HOME, without
//                                   dat/bzinit.ini: a first start)
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTimer>

#include "app/AppSetup.h"
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

bool Save(QWidget* w, const QString& path) {
    QApplication::processEvents();
    if (w->grab().save(path)) return true;
    qWarning("cannot write %s", qPrintable(path));
    return false;
}

// Chooses the skin `name` as the menu "界面风格" does.
bool ChooseSkin(tessaly::MainWindow& w, const QString& name) {
    for (QAction* a : w.skinMenu->actions()) {
        if (a->text() == name) {
            a->setChecked(true);
            w.ChooseSkin(a);
            return true;
        }
    }
    qWarning("no skin %s", qPrintable(name));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessaly::SetUpApplication(app);
    if (argc != 2) {
        qWarning("usage: tessaly-screenshots OUTDIR");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const tessaly::ProgramFiles files = tessaly::LocateProgramFiles();

    {  // The first start: no settings yet.
        tessaly::MainWindow first(files);
        first.show();
        if (!Save(&first, out + "/first-start.png")) return 1;
        first.close();
    }

    tessaly::MainWindow window(files);
    window.show();
    if (!ChooseSkin(window, QStringLiteral("Mx1"))) return 1;
    int asked = 0;
    AnswerDialogs(&asked);
    window.StartMatching();
    if (!window.chartValid()) {
        qWarning("the matching run failed");
        return 1;
    }
    if (!Save(&window, out + "/main-window.png")) return 1;

    {
        tessaly::BirthDataDialog dialog(files.Dat("dili.ini"));
        dialog.SetRecord(Sample(1), 1);
        dialog.show();
        if (!Save(&dialog, out + "/birth-dialog.png")) return 1;
    }

    if (!ChooseSkin(window, QStringLiteral("Ink"))) return 1;
    if (!Save(&window, out + "/ink-skin.png")) return 1;
    window.close();
    return 0;
}
