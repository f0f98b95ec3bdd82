// MainWindow: what the window shows of the last run besides the report and
// the chart picture — the menu "查看" with "婚配指数构成" and "出生时刻说明"
// of each person, the notice above the report when a birth lies near a
// pillar boundary, and the tab "流年对照" with the couple's years.
#include <QAction>
#include <QEvent>
#include <QMouseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "BirthExplanationDialog.h"
#include "BoundaryNotice.h"
#include "CoupleTimelineView.h"
#include "FileDialogs.h"
#include "IndexPartsDialog.h"
#include "MainWindow.h"
#include "MessageService.h"
#include "matching/CoupleTimeline.h"
#include "matching/OptionComparison.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

// The line above the report and its own layout beside the report pane.
void PutAboveReport(QTextEdit* reportPane, QWidget* notice) {
    auto* row = qobject_cast<QBoxLayout*>(reportPane->parentWidget()->layout());
    const int at = row == nullptr ? -1 : row->indexOf(reportPane);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(notice);
    if (at < 0) return;
    row->removeWidget(reportPane);
    column->addWidget(reportPane, 1);
    row->insertLayout(at, column, 1);
}

// Calls `onClick` with the point of a left click released on the object.
class ClickFilter : public QObject {
public:
    ClickFilter(QObject* parent, std::function<void(QPoint)> onClick) : QObject(parent), onClick_(std::move(onClick)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonRelease) {
            const auto* e = static_cast<QMouseEvent*>(event);
            if (e->button() == Qt::LeftButton) onClick_(e->position().toPoint());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QPoint)> onClick_;
};

// The person a line of the notice is about: 0 for "甲命…", 1 for "乙命…".
int PersonOfNoticeLine(const QLabel& notice, QPoint at) {
    const QStringList lines = notice.text().split(u'\n');
    if (lines.isEmpty()) return 0;
    const int height = std::max(1, notice.contentsRect().height() / int(lines.size()));
    const int line = std::clamp((at.y() - notice.contentsRect().top()) / height, 0, int(lines.size()) - 1);
    return lines[line].startsWith(QStringLiteral("乙命")) ? 1 : 0;
}

}  // namespace

void MainWindow::BuildRunViews() {
    viewMenu = new QMenu(tr("查看(&V)"), this);
    viewMenu->menuAction()->setObjectName(QStringLiteral("mnuView"));
    menuBar()->insertMenu(knowledgeMenu->menuAction(), viewMenu);
    indexPartsAction = viewMenu->addAction(tr("婚配指数构成(&I)"), this, &MainWindow::ShowIndexParts);
    indexPartsAction->setObjectName(QStringLiteral("mnuIndexParts"));
    viewMenu->addSeparator();
    explainActions[0] = viewMenu->addAction(tr("甲命出生时刻说明(&A)"), this, [this] { ShowBirthExplanation(0); });
    explainActions[0]->setObjectName(QStringLiteral("mnuExplainA"));
    explainActions[1] = viewMenu->addAction(tr("乙命出生时刻说明(&B)"), this, [this] { ShowBirthExplanation(1); });
    explainActions[1]->setObjectName(QStringLiteral("mnuExplainB"));
    viewMenu->addSeparator();
    timelineAction = viewMenu->addAction(tr("流年对照(&Y)"), this, &MainWindow::ShowTimeline);
    timelineAction->setObjectName(QStringLiteral("mnuTimeline"));

    boundaryNotice = new BoundaryNotice(reportPane->parentWidget());
    boundaryNotice->setObjectName(QStringLiteral("LblBoundary"));
    boundaryNotice->setAccessibleName(tr("时柱边界提示"));
    boundaryNotice->setToolTip(tr("出生时刻离柱的交界很近：点击查看“出生时刻说明”"));
    boundaryNotice->setCursor(Qt::PointingHandCursor);
    boundaryNotice->installEventFilter(new ClickFilter(boundaryNotice, [this](QPoint at) {
        if (explainActions[0]->isEnabled()) ShowBirthExplanation(PersonOfNoticeLine(*boundaryNotice, at));
    }));
    PutAboveReport(reportPane, boundaryNotice);
    boundaryNotice->Clear();

    // The tab "流年对照": the drawing, and below it its print and PNG buttons.
    timelinePage = new QWidget;
    timelinePage->setObjectName(QStringLiteral("TabSheet3"));
    timelineView = new CoupleTimelineView(timelinePage);
    timelineView->setObjectName(QStringLiteral("TimelineView"));
    timelineView->setAccessibleName(tr("流年对照"));
    printTimelineButton = new QPushButton(tr("打印"), timelinePage);
    printTimelineButton->setObjectName(QStringLiteral("BtnPrintTimeline"));
    printTimelineButton->setAccessibleName(tr("打印流年对照"));
    saveTimelineButton = new QPushButton(tr("保存图片"), timelinePage);
    saveTimelineButton->setObjectName(QStringLiteral("BtnSaveTimeline"));
    saveTimelineButton->setAccessibleName(tr("流年对照保存为 PNG 图片"));
    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(6, 4, 6, 4);
    buttons->addStretch();
    buttons->addWidget(printTimelineButton);
    buttons->addWidget(saveTimelineButton);
    auto* box = new QVBoxLayout(timelinePage);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    box->addWidget(timelineView, 1);
    box->addLayout(buttons);
    pages->addTab(timelinePage, tr("流年对照"));
    connect(printTimelineButton, &QPushButton::clicked, this, &MainWindow::PrintTimeline);
    connect(saveTimelineButton, &QPushButton::clicked, this, &MainWindow::SaveTimelineImage);
    ClearRunViews();
}

void MainWindow::ShowRunViews(const MatchingResult& result) {
    for (QAction* a : {indexPartsAction, explainActions[0], explainActions[1], timelineAction}) a->setEnabled(true);
    printTimelineButton->setEnabled(true);
    saveTimelineButton->setEnabled(true);
    const IniFile bzinit(files_.Dat("bzinit.ini"));
    boundaryNotice->ShowFor({session_.Person(0), session_.Person(1)}, result.options,
                            ReadBoundaryNoticeSettings(bzinit));
    const int thisYear = clock_().date().year();
    timelineView->SetCurrentYear(thisYear);
    timelineView->SetTimeline(
        CoupleTimelineOf(result.persons[0].built, result.persons[1].built, DefaultTimelineSpan(thisYear)));
}

void MainWindow::ClearRunViews() {
    for (QAction* a : {indexPartsAction, explainActions[0], explainActions[1], timelineAction}) a->setEnabled(false);
    printTimelineButton->setEnabled(false);
    saveTimelineButton->setEnabled(false);
    boundaryNotice->Clear();
    timelineView->Clear();
}

void MainWindow::AddRunItems(QMenu* menu) {
    menu->addSeparator();
    for (QAction* a : {indexPartsAction, explainActions[0], explainActions[1]}) menu->addAction(a);
}

void MainWindow::ShowIndexParts() {
    if (!lastMatching()) return;
    const MatchingResult& run = *lastMatching();
    IndexPartsDialog dlg(IndexPartsOf(run), CompareOptions(session_.Person(0), session_.Person(1), run.options), this);
    dlg.exec();
}

void MainWindow::ShowBirthExplanation(int personNo) {
    if (!lastMatching()) return;
    BirthExplanationDialog dlg(session_.Person(personNo), personNo, lastMatching()->options,
                               session_.Person(1 - personNo), this);
    dlg.exec();
}

void MainWindow::ShowTimeline() {
    if (!timelineView->HasTimeline()) return;
    pages->setCurrentWidget(timelinePage);
    timelineView->chart()->setFocus();
}

void MainWindow::PrintTimeline() {
    if (!timelineView->HasTimeline()) return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString());
    printer.setCreator(QStringLiteral("Tessaly"));
    printer.setPageOrientation(QPageLayout::Landscape);
    PrintDialogSetup setup;
    if (!printDialog_(printer, this, setup)) return;
    if (Status s = timelineView->Print(printer); !s.ok()) {
        Inform(this, tr("打印错误，请检查打印设备！\n%1").arg(CoreText(s.message())), tr("打印错误"), MsgIcon::kError);
        return;
    }
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        Inform(this, tr("已打印到 PDF 文件：%1").arg(QDir::toNativeSeparators(printer.outputFileName())), tr("打印"),
               MsgIcon::kInformation);
    }
}

void MainWindow::SaveTimelineImage() {
    if (!timelineView->HasTimeline()) return;
    QString folder = lastFolder_;
    if (folder.isEmpty()) folder = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    QFileDialog dlg(this, tr("保存图片"), folder);
    dlg.setObjectName(QStringLiteral("SaveTimelineDialog"));
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setNameFilters({tr("PNG 图片 (*.png)")});
    dlg.setDefaultSuffix(QStringLiteral("png"));
    dlg.selectFile(ToQString(personA().name) + u'_' + ToQString(personB().name) + tr("_流年对照") +
                   QStringLiteral(".png"));
    QString path;
    if (!ChooseFile(dlg, &path)) return;
    if (!path.endsWith(QStringLiteral(".png"), Qt::CaseInsensitive)) path += QStringLiteral(".png");
    lastFolder_ = QFileInfo(path).absolutePath();
    if (Status s = timelineView->SaveImage(path); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
    }
}

}  // namespace tessaly
