// Renders the pictures of the README offscreen: the main window after a
// matching run of two sample persons, the birth-data dialog, the "设定用神"
// dialog of that run, the perpetual calendar, the coordinates editor and the
// He Tu and Luo Shu diagrams.
// matching run of two sample persons, the birth-data dialog, the case tree
// with a stored case viewed, the case search dialog and the case
// information dialog (the program folder holds a few stored cases).
// matching run of two sample persons, the birth-data dialog and the help
// window.
//
//   tessaly-screenshots OUTDIR     (program folder: TESSALY_HOME)
#include <QApplication>
#include <QDateTime>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

#include "app/AppFonts.h"
#include "app/BirthDataDialog.h"
#include "app/CoordinatesEditorDialog.h"
#include "app/HeTuLuoShuDialog.h"
#include <QTreeView>

#include "app/AppFonts.h"
#include "app/BirthDataDialog.h"
#include "app/CaseInfoDialog.h"
#include "app/CaseSearchDialog.h"
#include "app/CaseTreeModel.h"
#include "app/HelpWindow.h"
#include "app/MainWindow.h"
#include "app/PerpetualCalendarWindow.h"
#include "app/UsefulGodDialog.h"
#include "common/ProgramFiles.h"
#include "store/Categories.h"

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

    // The calendar on the day of 立春 2024, a minute after the term.
    tessaly::PerpetualCalendarWindow calendar(nullptr, [] {
        return QDateTime(QDate(2024, 2, 4), QTime(16, 28));
    });
    calendar.resize(calendar.sizeHint());  // as on a desktop screen
    calendar.show();
    QApplication::processEvents();
    if (!calendar.grab().save(out + "/calendar-window.png")) return 1;

    tessaly::CoordinatesEditorDialog editor(files.Dat("dili.ini"));
    editor.CboSheng->setCurrentIndex(1);  // 北京市
    editor.show();
    QApplication::processEvents();
    if (!editor.grab().save(out + "/coordinates-editor.png")) return 1;

    tessaly::HeTuLuoShuDialog diagrams;
    diagrams.show();
    QApplication::processEvents();
    if (!diagrams.grab().save(out + "/hetu.png")) return 1;
    diagrams.Label2->click();
    QApplication::processEvents();
    if (!diagrams.grab().save(out + "/luoshu.png")) return 1;
    tessaly::UsefulGodDialog roles(tessaly::FillOverrides(*window.lastMatching()));
    roles.show();
    QApplication::processEvents();
    if (!roles.grab().save(out + "/useful-god-dialog.png")) return 1;
    // The case tree opened, a stored case viewed.
    window.caseTree->setCurrentIndex(window.caseModel->RootIndex());
    window.ExpandSelected();
    const QModelIndex viewed = window.caseModel->FindCase(1);
    if (viewed.isValid()) {
        window.caseTree->setCurrentIndex(viewed);
        window.ViewCase();
    }
    QApplication::processEvents();
    if (!window.grab().save(out + "/case-tree.png")) return 1;

    tessaly::CaseStore store;
    if (!store.Open(files.home).ok()) return 1;
    tessaly::SearchCriteria criteria;
    criteria.nameMode = 1;
    criteria.name = "张";
    criteria.sexFilter = 1;
    criteria.wantedSex = 1;
    criteria.yearFilter = 1;
    criteria.firstYear = 1950;
    criteria.lastYear = 2000;
    tessaly::CaseSearchDialog search(criteria, tessaly::ReadCategoryList(tessaly::IniFile(files.Dat("bzinit.ini"))),
                                     store, &window);
    search.show();
    QApplication::processEvents();
    if (!search.grab().save(out + "/case-search.png")) return 1;

    tessaly::CaseRecord record;
    if (!store.ReadRecord(1, &record).ok()) return 1;
    tessaly::CaseInfoDialog info(record, files.Dat("dili.ini"), &window);
    info.show();
    QApplication::processEvents();
    if (!info.grab().save(out + "/case-info.png")) return 1;
    tessaly::HelpWindow help(&window);
    help.show();
    QApplication::processEvents();
    if (!help.grab().save(out + "/help-window.png")) return 1;
    window.close();
    return 0;
}
