// The window's views of the last run beside the report: the menu "查看"
// ("婚配指数构成", "出生时刻说明" of each person, "流年对照"), the notice
// above the report near a pillar boundary and the tab "流年对照" — filled
// from the run on screen, and disabled and empty without one.
#include <QAction>
#include <QDateTime>
#include <QImage>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextEdit>

#include "app/BirthExplanationDialog.h"
#include "app/BoundaryNotice.h"
#include "app/CoupleTimelineView.h"
#include "app/IndexPartsChart.h"
#include "app/IndexPartsDialog.h"
#include "app/ReportPrinter.h"
#include "pane_test_util.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using apptest::AnswerBirthDialogs;
using apptest::AnswerFileDialog;
using apptest::MatchCouple;
using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::TestPerson;
using apptest::WhenModal;

constexpr int kThisYear = 2026;

// A window whose clock says 2026, shown, nothing run yet.
struct Window {
    explicit Window(const std::string& settings = {}) : w(home.Files()) {
        if (!settings.empty()) {
            EXPECT_TRUE(home.WriteSettings(settings).ok());
        }
        w.SetClock([] { return QDateTime(QDate(kThisYear, 5, 1), QTime(10, 0)); });
        w.show();
    }
    std::vector<QAction*> RunActions() const {
        return {w.indexPartsAction, w.explainActions[0], w.explainActions[1], w.timelineAction};
    }
    TempHome home;
    ScriptedMessages messages;
    MainWindow w;
};

// 甲命 born minutes after 立春 2024, 乙命 far from every boundary.
const PersonRecord kNearA = TestPerson("张三", 2024, 2, 4, 16, true);   // 16:30
const PersonRecord kFarB = TestPerson("李四", 1996, 6, 15, 10, false);  // 10:30

void ExpectNoRun(const Window& win) {
    for (QAction* a : win.RunActions()) EXPECT_FALSE(a->isEnabled()) << a->text().toStdString();
    EXPECT_FALSE(win.w.printTimelineButton->isEnabled());
    EXPECT_FALSE(win.w.saveTimelineButton->isEnabled());
    EXPECT_FALSE(win.w.timelineView->HasTimeline());
    EXPECT_TRUE(win.w.boundaryNotice->isHidden());
}

TEST(RunViews, TheMenuAndTheTabAreThereAndIdleWithoutARun) {
    Window win;
    EXPECT_EQ(win.w.viewMenu->title(), QStringLiteral("查看(&V)"));
    EXPECT_TRUE(win.w.menuBar()->actions().contains(win.w.viewMenu->menuAction()));
    QStringList items;
    for (QAction* a : win.w.viewMenu->actions()) items << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(items, (QStringList{"婚配指数构成(&I)", "-", "甲命出生时刻说明(&A)", "乙命出生时刻说明(&B)", "-",
                                  "流年对照(&Y)"}));
    EXPECT_EQ(win.w.pages->indexOf(win.w.timelinePage), 2);
    EXPECT_EQ(win.w.pages->tabText(2), QStringLiteral("流年对照"));
    for (QWidget* w : std::initializer_list<QWidget*>{win.w.boundaryNotice, win.w.timelineView,
                                                      win.w.printTimelineButton, win.w.saveTimelineButton}) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
    ExpectNoRun(win);
    // Triggered anyway (a shortcut of a disabled item does nothing), nothing opens.
    win.w.ShowIndexParts();
    win.w.ShowBirthExplanation(0);
    win.w.ShowTimeline();
    EXPECT_EQ(win.w.pages->currentIndex(), 0);
}

TEST(RunViews, AfterARunEachCommandShowsTheRunsCouple) {
    Window win;
    MatchCouple(win.w, kNearA, kFarB);
    ASSERT_TRUE(win.w.lastMatching().has_value());
    const MatchingResult& run = *win.w.lastMatching();
    for (QAction* a : win.RunActions()) EXPECT_TRUE(a->isEnabled()) << a->text().toStdString();

    bool partsShown = false;
    WhenModal<IndexPartsDialog>([&](IndexPartsDialog* dlg) {
        partsShown = true;
        EXPECT_EQ(dlg->chart->Parts().index, run.index);
        EXPECT_GT(dlg->optionTable->rowCount(), 1);
        dlg->reject();
    });
    win.w.indexPartsAction->trigger();
    EXPECT_TRUE(partsShown);

    for (int n : {0, 1}) {
        SCOPED_TRACE(n);
        QString heading;
        WhenModal<BirthExplanationDialog>([&](BirthExplanationDialog* dlg) {
            heading = dlg->headingLabel->text();
            dlg->reject();
        });
        win.w.explainActions[n]->trigger();
        EXPECT_EQ(heading, n == 0 ? QStringLiteral("甲命：张三") : QStringLiteral("乙命：李四"));
    }

    // The timeline: this year and the next 20 of the run's charts.
    const std::optional<CoupleTimeline>& timeline = win.w.timelineView->Timeline();
    ASSERT_TRUE(timeline.has_value());
    const CoupleTimeline expected =
        CoupleTimelineOf(run.persons[0].built, run.persons[1].built, DefaultTimelineSpan(kThisYear));
    ASSERT_EQ(timeline->years.size(), expected.years.size());
    EXPECT_EQ(timeline->years.front().year, kThisYear);
    for (std::size_t i = 0; i < expected.years.size(); ++i) {
        EXPECT_EQ(timeline->years[i].pillar, expected.years[i].pillar) << i;
    }
    EXPECT_EQ(win.w.timelineView->CurrentYear(), kThisYear);
    win.w.timelineAction->trigger();
    EXPECT_EQ(win.w.pages->currentWidget(), win.w.timelinePage);
}

TEST(RunViews, TheTimelineTabPrintsAndSavesItsPicture) {
    Window win;
    MatchCouple(win.w, kNearA, kFarB);
    ASSERT_TRUE(win.w.saveTimelineButton->isEnabled());

    const fs::path png = win.home.dir / "years.png";
    AnswerFileDialog(png);
    win.w.saveTimelineButton->click();
    const QImage saved(QString::fromStdString(png.string()));
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), win.w.timelineView->Image(2).size());

    // Ctrl+P on this tab prints the drawing, not a pane.
    const fs::path pdf = win.home.dir / "years.pdf";
    int calls = 0;
    win.w.SetPrintDialog([&](QPrinter& printer, QWidget*, const PrintDialogSetup&) {
        ++calls;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(pdf.string()));
        return true;
    });
    win.w.pages->setCurrentWidget(win.w.timelinePage);
    QAction* print = win.w.findChild<QAction*>(QStringLiteral("PrintPane"));
    ASSERT_NE(print, nullptr);
    print->trigger();
    EXPECT_EQ(calls, 1);
    ASSERT_TRUE(fs::exists(pdf));
    EXPECT_GT(fs::file_size(pdf), 1000u);
}

TEST(RunViews, TheNoticeNamesABoundaryNearABirthAsTheSettingsSay) {
    const struct {
        const char* what;
        std::string settings;
        PersonRecord a;
        bool shown;
    } kCases[] = {
        {"minutes after 立春", "", kNearA, true},
        {"far from every boundary", "", TestPerson("张三", 1994, 6, 15, 10, true), false},
        {"switched off", "[boundary]\nnotice=0\n", kNearA, false},
        {"a threshold nearer than the boundary", "[boundary]\nnotice=1\nminutes=1\n", kNearA, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        Window win(c.settings);
        MatchCouple(win.w, c.a, kFarB);
        ASSERT_TRUE(win.w.chartValid());
        EXPECT_EQ(!win.w.boundaryNotice->isHidden(), c.shown);
        if (c.shown) {
            EXPECT_TRUE(win.w.boundaryNotice->text().startsWith(QStringLiteral("甲命出生时刻距立春仅")))
                << win.w.boundaryNotice->text().toStdString();
            EXPECT_EQ(win.w.boundaryNotice->text(),
                      BoundaryNotice::TextOf({win.w.personA(), win.w.personB()}, win.w.lastMatching()->options,
                                             ReadBoundaryNoticeSettings(IniFile(win.home.dir / "dat" / "bzinit.ini"))));
        }
    }
}

TEST(RunViews, ANewCaseClearsThemUntilItsRunIsDone) {
    Window win;
    MatchCouple(win.w, kNearA, kFarB);
    ASSERT_TRUE(win.w.timelineView->HasTimeline());
    // "新建", its first birth dialog cancelled: the old couple is gone.
    AnswerBirthDialogs(std::nullopt, std::nullopt);
    win.w.NewCase();
    ExpectNoRun(win);
}

}  // namespace
}  // namespace tessaly
