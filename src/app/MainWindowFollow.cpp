// MainWindow — following the data folder while another program (the command
// line, a script, an older window) changes it: the case tree is rebuilt
// from the store, the case on view is compared with the stored one, and
// dat/bzinit.ini is read again with the window's own changes kept on top.
#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeView>
#include <algorithm>
#include <set>

#include "CaseTreeModel.h"
#include "MainWindow.h"
#include "MainWindowStore.h"
#include "MessageService.h"
#include "StoreWatcher.h"
#include "WindowCommandLine.h"
#include "WindowSettings.h"
#include "store/CaseOperations.h"
#include "store/Categories.h"
#include "store/FileUtil.h"
#include "store/SettingsMerge.h"
#include "store/StoreFormat.h"

namespace tessaly {
void MainWindow::StartFollowingStore() {
    store_->settingsBase = settings_;
    if (store_->watcher != nullptr) return;
    store_->watcher = new StoreWatcher(QString::fromStdString(files_.home.string()), this);
    connect(store_->watcher, &StoreWatcher::Changed, this, [this] {
        // A command of the window waits in a dialog: the tree it acts on
        // stays as it is until the dialog closes.
        if (QApplication::activeModalWidget() != nullptr || searching_) {
            QTimer::singleShot(200, store_->watcher, &StoreWatcher::Changed);
            return;
        }
        RebaseSettings();
        RefreshTree();
        CheckViewedCase();
    });
}

void MainWindow::RefreshTree() {
    if (!store_->open) return;
    std::int32_t count = 0;
    if (Status s = store_->db.RecordCount(&count); !s) return;  // told at the next command

    // The wanted of the tree in tree order, then those of the first listing,
    // then the wanted added since the last look.
    std::vector<std::int32_t> wanted;
    std::set<std::int32_t> seen;
    std::vector<std::string> categories;
    std::set<std::string> open;
    for (int row = 0; row < caseModel->CategoryCount(); ++row) {
        const QModelIndex category = caseModel->CategoryIndex(row);
        categories.push_back(caseModel->CategoryName(category));
        if (caseTree->isExpanded(category)) open.insert(FoldAscii(categories.back()));
        for (const std::int32_t slot : caseModel->SlotsIn(category)) {
            if (seen.insert(slot).second) wanted.push_back(slot);
        }
    }
    for (const std::int32_t slot : store_->listedSlots) {
        if (slot < count && seen.insert(slot).second) wanted.push_back(slot);
    }
    for (std::int32_t slot = std::max<std::int32_t>(store_->knownCount, 0); slot < count; ++slot) {
        if (seen.insert(slot).second) wanted.push_back(slot);
    }
    wanted.erase(std::remove_if(wanted.begin(), wanted.end(), [count](std::int32_t s) { return s >= count; }),
                 wanted.end());
    std::vector<ListedCase> cases;
    if (Status s = ListCasesInSlots(store_->db, wanted, &cases); !s) return;

    // What the user looks at: the open nodes, the selected node, the scroll.
    const QModelIndex current = caseTree->currentIndex();
    const CaseTreeModel::Level level = caseModel->LevelOf(current);
    const std::int32_t selectedSlot = caseModel->SlotOf(current);
    const std::string selectedCategory =
        level == CaseTreeModel::Level::kCategory ? caseModel->CategoryName(current) : std::string();
    const std::string selectedCaseCategory =
        level == CaseTreeModel::Level::kCase ? caseModel->CategoryName(current.parent()) : std::string();
    const bool rootOpen = caseTree->isExpanded(caseModel->RootIndex());
    const int scrolled = caseTree->verticalScrollBar()->value();

    caseModel->Reset(cases);
    // A category left without cases stays while the category list names it
    // (one just made with "增加类别"); one renamed or emptied elsewhere goes.
    const std::vector<std::string> list = ReadCategoryList(settings_, "");
    for (const std::string& name : categories) {
        const bool listed =
            std::any_of(list.begin(), list.end(), [&](const std::string& e) { return EqualsIgnoreAsciiCase(e, name); });
        if (listed && !caseModel->FindCategory(name).isValid()) caseModel->AddCategory(name);
    }
    store_->knownCount = count;
    if (rootOpen) caseTree->expand(caseModel->RootIndex());
    for (int row = 0; row < caseModel->CategoryCount(); ++row) {
        const QModelIndex category = caseModel->CategoryIndex(row);
        if (open.count(FoldAscii(caseModel->CategoryName(category))) != 0) caseTree->expand(category);
    }
    QModelIndex select;
    switch (level) {
        case CaseTreeModel::Level::kRoot: select = caseModel->RootIndex(); break;
        case CaseTreeModel::Level::kCategory: select = caseModel->FindCategory(selectedCategory); break;
        case CaseTreeModel::Level::kCase:
            select = caseModel->FindCase(selectedSlot);
            // A case gone: its category is the nearest thing still there.
            if (!select.isValid()) select = caseModel->FindCategory(selectedCaseCategory);
            break;
        case CaseTreeModel::Level::kNone: break;
    }
    if (select.isValid()) caseTree->setCurrentIndex(select);
    caseTree->verticalScrollBar()->setValue(scrolled);
}

void MainWindow::NoteViewedCase(bool onlyWhenCurrent) {
    // A mark found before the window's own write stays: the write changed a
    // part of a case that had changed under it.
    if (onlyWhenCurrent && store_->viewedSlot == currentSlot() && store_->viewedState != ViewedCaseState::kCurrent) {
        return;
    }
    store_->viewedSlot = -1;
    store_->viewedBytes.clear();
    store_->viewedReport.clear();
    store_->viewedState = ViewedCaseState::kCurrent;
    if (!editMode() || !store_->open) {
        ShowViewedCaseMark();
        return;
    }
    CaseRecord r;
    if (Status s = store_->db.ReadRecord(currentSlot(), &r); s && r.live()) {
        store_->viewedSlot = currentSlot();
        (void)EncodeCaseRecord(r, &store_->viewedBytes);
        store_->viewedReport = ReportStamp(currentSlot());
    }
    ShowViewedCaseMark();
}

std::string MainWindow::ReportStamp(std::int32_t slot) const {
    const QFileInfo report(
        QDir(QString::fromStdString(files_.home.string())).filePath(QStringLiteral("bazi_f/%1.rtf").arg(slot)));
    if (!report.exists()) return "-";
    return std::to_string(report.size()) + '@' +
           std::to_string(report.fileTime(QFileDevice::FileModificationTime).toMSecsSinceEpoch());
}

void MainWindow::CheckViewedCase() {
    if (!editMode() || !store_->open) {
        store_->viewedState = ViewedCaseState::kCurrent;
        ShowViewedCaseMark();
        return;
    }
    if (store_->viewedSlot != currentSlot()) {
        // Viewed through a path that did not note it: what is stored now is
        // what the window shows.
        NoteViewedCase();
        return;
    }
    // Judged afresh each time against what the window last read or wrote:
    // deleted (or the store cleared), or live with other bytes (edited,
    // moved, or another case in the slot after a clear).
    CaseRecord r;
    std::string bytes;
    if (Status s = store_->db.ReadRecord(currentSlot(), &r); !s || !r.live()) {
        store_->viewedState = ViewedCaseState::kDeleted;
    } else if (Status e = EncodeCaseRecord(r, &bytes);
               !e || bytes != store_->viewedBytes || ReportStamp(currentSlot()) != store_->viewedReport) {
        store_->viewedState = ViewedCaseState::kChanged;
    } else {
        store_->viewedState = ViewedCaseState::kCurrent;
    }
    ShowViewedCaseMark();
}

ViewedCaseState MainWindow::viewedCaseState() const {
    return editMode() && store_->viewedSlot == currentSlot() ? store_->viewedState : ViewedCaseState::kCurrent;
}

void MainWindow::ShowViewedCaseMark() {
    QString title = tr("合婚配对"), tip;
    switch (viewedCaseState()) {
        case ViewedCaseState::kCurrent: break;
        case ViewedCaseState::kChanged:
            title = tr("合婚配对（命例已被其他程序修改）");
            tip = tr("正在查看的命例已被其他程序修改。重新查看它可以看到现在保存的内容；“存旧”会先询问。");
            break;
        case ViewedCaseState::kDeleted:
            title = tr("合婚配对（命例已被其他程序删除）");
            tip = tr("正在查看的命例已被其他程序删除。“存旧”会询问是否把它存为新命例。");
            break;
    }
    pages->setTabText(0, title);
    pages->setTabToolTip(0, tip);
}

bool MainWindow::ConfirmSavingOverStaleCase() {
    // Looked at now: the folder's change may not have been told yet.
    CheckViewedCase();
    switch (viewedCaseState()) {
        case ViewedCaseState::kCurrent: return true;
        case ViewedCaseState::kChanged:
            return Ask(this, tr("正在查看的命例已被其他程序修改。仍要用这里的内容覆盖它吗？"), tr("提示"),
                       MsgIcon::kWarning, true);
        case ViewedCaseState::kDeleted:
            if (!Ask(this, tr("正在查看的命例已被其他程序删除。要把这里的内容存为新命例吗？"), tr("提示"),
                     MsgIcon::kWarning, true)) {
                return false;
            }
            // No longer the stored case: "存新" asks for its category and note.
            session_.StopViewing();
            NoteViewedCase();
            SetSaveCaption();
            return true;
    }
    return false;
}

void MainWindow::RebaseSettings() {
    IniFile now(files_.Dat("bzinit.ini"));
    if (!now.loadStatus().ok()) return;
    const std::vector<IniChange> mine = IniChanges(store_->settingsBase, settings_);
    IniFile merged = now;
    ApplyIniChanges(mine, &merged);
    settings_ = std::move(merged);
    store_->settingsBase = now;
}

Status MainWindow::SaveSettingsMerged() {
    IniFile written;
    const Status s = MergeIntoIniFile(files_.Dat("bzinit.ini"), IniChanges(store_->settingsBase, settings_), &written);
    if (!s.ok()) return s;
    settings_ = written;
    store_->settingsBase = written;
    return s;
}

void MainWindow::RaisedByAnotherStart(const QStringList& arguments) {
    forwardedArguments_ = arguments;
    if (isMinimized()) setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    // A report named to the second start opens here, as it would have there.
    std::vector<std::string> args;
    for (const QString& a : arguments) args.push_back(a.toStdString());
    const WindowCommandLine cl = ParseWindowCommandLine(args);
    if (cl.error.empty() && !cl.report.empty()) OpenReportFile(QString::fromStdString(cl.report));
}

}  // namespace tessaly
