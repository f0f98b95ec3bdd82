// Renders the pictures of the README offscreen: the main window at its
// first start, after a matching run of two sample persons (skin Mx1) and in
// the skin Ink, the birth-data dialog, the "设定用神" and "婚配指数构成"
// dialogs of that run, the case tree with a stored case viewed, the case
// search and information dialogs, the perpetual calendar, the coordinates
// editor, the He Tu and Luo Shu diagrams, the help window, a couple's
// timeline ("流年对照") and "出生时刻说明" of a birth near 立春.
//
//   tessaly-screenshots OUTDIR [en]  (program folder: TESSALY_HOME, without
//                                     dat/bzinit.ini: a first start; a few
//                                     stored cases). With "en" the window
//                                     speaks English and every picture is
//                                     named NAME-en.png.
#include <QAction>
#include <QApplication>
#include <QDateTime>
#include <QComboBox>
#include <QDir>
#include <QMainWindow>
#include <QMenu>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <string_view>

#include "app/AppSetup.h"
#include "app/BirthDataDialog.h"
#include "app/BirthExplanationDialog.h"
#include "app/CoordinatesEditorDialog.h"
#include "app/HeTuLuoShuDialog.h"
#include "app/CaseInfoDialog.h"
#include "app/CaseSearchDialog.h"
#include "app/CaseTreeModel.h"
#include "app/CoupleTimelineView.h"
#include "app/HelpWindow.h"
#include "app/IndexPartsDialog.h"
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

// The pictures of the English window are named "-en": main-window-en.png.
QString g_suffix;

QString Png(const QString& out, const char* name) { return out + u'/' + QLatin1String(name) + g_suffix + ".png"; }

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
    const bool english = argc == 3 && std::string_view(argv[2]) == "en";
    if (argc != 2 && !english) {
        qWarning("usage: tessaly-screenshots OUTDIR [en]");
        return 2;
    }
    tessaly::SetUpApplication(app, english ? tessaly::UiLanguage::kEnglish : tessaly::UiLanguage::kSimplified);
    if (english) g_suffix = QStringLiteral("-en");
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);
    const tessaly::ProgramFiles files = tessaly::LocateProgramFiles();

    {  // The first start: no settings yet.
        tessaly::MainWindow first(files);
        first.show();
        if (!Save(&first, Png(out, "first-start"))) return 1;
        first.close();
    }
    {  // The categories of the stored cases in the list of the drop-downs.
        tessaly::IniFile settings(files.Dat("bzinit.ini"));
        tessaly::WriteCategoryList(settings, {"同事", "客户", "同学", "亲戚"});
        if (!settings.Save().ok()) return 1;
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
    if (!Save(&window, Png(out, "main-window"))) return 1;

    // The calendar on the day of 立春 2024, a minute after the term.
    tessaly::PerpetualCalendarWindow calendar(nullptr, [] { return QDateTime(QDate(2024, 2, 4), QTime(16, 28)); });
    calendar.resize(calendar.sizeHint());  // as on a desktop screen
    calendar.show();
    QApplication::processEvents();
    if (!calendar.grab().save(Png(out, "calendar-window"))) return 1;

    tessaly::CoordinatesEditorDialog editor(files.Dat("dili.ini"));
    editor.provinceBox->setCurrentIndex(1);  // 北京市
    editor.show();
    QApplication::processEvents();
    if (!editor.grab().save(Png(out, "coordinates-editor"))) return 1;

    tessaly::HeTuLuoShuDialog diagrams;
    diagrams.show();
    QApplication::processEvents();
    if (!diagrams.grab().save(Png(out, "hetu"))) return 1;
    diagrams.Label2->click();
    QApplication::processEvents();
    if (!diagrams.grab().save(Png(out, "luoshu"))) return 1;

    tessaly::UsefulGodDialog roles(tessaly::FillOverrides(*window.lastMatching()));
    roles.show();
    QApplication::processEvents();
    if (!roles.grab().save(Png(out, "useful-god-dialog"))) return 1;

    // "婚配指数构成" of that run: the bars, then the table of the other options.
    const tessaly::MatchingResult& run = *window.lastMatching();
    tessaly::IndexPartsDialog parts(
        tessaly::IndexPartsOf(run),
        tessaly::CompareOptions(run.persons[0].Person(), run.persons[1].Person(), run.options));
    parts.resize(860, 520);
    parts.show();
    QApplication::processEvents();
    if (!parts.grab().save(Png(out, "index-parts"))) return 1;
    parts.pages->setCurrentIndex(1);
    QApplication::processEvents();
    if (!parts.grab().save(Png(out, "option-comparison"))) return 1;

    // The case tree opened, a stored case viewed.
    window.caseTree->setCurrentIndex(window.caseModel->RootIndex());
    window.ExpandSelected();
    const QModelIndex viewed = window.caseModel->FindCase(1);
    if (viewed.isValid()) {
        window.caseTree->setCurrentIndex(viewed);
        window.ViewCase();
    }
    QApplication::processEvents();
    if (!window.grab().save(Png(out, "case-tree"))) return 1;

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
    if (!search.grab().save(Png(out, "case-search"))) return 1;

    tessaly::CaseRecord record;
    if (!store.ReadRecord(1, &record).ok()) return 1;
    tessaly::CaseInfoDialog info(record, files.Dat("dili.ini"), &window);
    info.show();
    QApplication::processEvents();
    if (!info.grab().save(Png(out, "case-info"))) return 1;

    tessaly::HelpWindow help(&window);
    help.show();
    QApplication::processEvents();
    if (!help.grab().save(Png(out, "help-window"))) return 1;

    {
        tessaly::BirthDataDialog dialog(files.Dat("dili.ini"));
        dialog.SetRecord(Sample(1), 1);
        dialog.show();
        if (!Save(&dialog, Png(out, "birth-dialog"))) return 1;
    }

    {  // A couple's years side by side ("流年对照"): 2026 and the next twenty.
        tessaly::LunarCalendar calendar;
        const tessaly::CoupleTimelineBuild built =
            tessaly::BuildCoupleTimeline(Sample(0), Sample(1), tessaly::ChartOptions{}, {2026, 2046}, calendar);
        if (!built.ok()) {
            qWarning("the timeline failed: %s", built.errorText.c_str());
            return 1;
        }
        QMainWindow host;
        auto* view = new tessaly::CoupleTimelineView;
        view->SetCurrentYear(2026);
        view->SetTimeline(built.timeline);
        view->SelectYear(2027);
        host.setCentralWidget(view);
        host.resize(view->chart()->width(), 300);
        host.show();
        if (!Save(&host, Png(out, "couple-timeline"))) return 1;
    }

    {  // Four minutes after 立春 2024, known to ± 30 minutes, with 乙命 of the run.
        PersonRecord a = Sample(0);
        a.clock = tessaly::BirthClock::kStandard;
        a.year = 2024, a.month = 2, a.day = 4, a.hour = 16, a.minute = 30;
        tessaly::BirthExplanationDialog dialog(a, 0, {}, Sample(1));
        dialog.SetUncertaintyMinutes(30);
        dialog.show();
        if (!Save(&dialog, Png(out, "birth-explanation"))) return 1;
    }

    if (!ChooseSkin(window, QStringLiteral("Ink"))) return 1;
    if (!Save(&window, Png(out, "ink-skin"))) return 1;
    window.close();
    return 0;
}
