// MainWindow — the case tree and its popup menu "PopMingLi": saving a case
// as new or over the viewed one, viewing, editing, moving and deleting
// cases, the categories, the case search and "显示全部命例".
#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QShortcut>
#include <QTabWidget>
#include <QTextDocument>
#include <QTextEdit>
#include <QTreeView>
#include <algorithm>

#include "CaseInfoDialog.h"
#include "CaseSearchDialog.h"
#include "CaseTreeModel.h"
#include "CategoryDialog.h"
#include "CategoryFileEditor.h"
#include "ChartPicture.h"
#include "MainWindow.h"
#include "MainWindowStore.h"
#include "MessageService.h"
#include "ReportFileBridge.h"
#include "ReportView.h"
#include "WaitCursor.h"
#include "store/CaseOperations.h"
#include "store/Categories.h"
#include "session/RunInputs.h"
#include "store/ReportFile.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

bool Holds(const std::vector<std::int32_t>& listed, std::int32_t slot) {
    return std::find(listed.begin(), listed.end(), slot) != listed.end();
}

QString SelectCaseFirst() { return MainWindow::tr("请先选择一个命例！"); }

}  // namespace

void MainWindow::BuildCaseMenu() {
    using Level = CaseTreeModel::Level;
    caseMenu = new QMenu(this);
    caseMenu->setObjectName(QStringLiteral("PopMingLi"));
    moveMenu = new QMenu(tr("移动到"), caseMenu);
    moveMenu->menuAction()->setObjectName(QStringLiteral("pop_ming_move"));

    // The items, and the levels of the selected node they are enabled for:
    // root, category, case. A null name is a separator; a null command the
    // submenu "移动到".
    const struct {
        const char* name;
        const char* text;
        void (MainWindow::*command)();
        bool root, category, kase;
    } kItems[] = {
        {"pop_ming_pai", QT_TR_NOOP("查看命例"), &MainWindow::ViewCase, false, false, true},
        {"pop_ming_edit", QT_TR_NOOP("编辑命例"), &MainWindow::EditSelectedCase, false, false, true},
        {"pop_ming_move", QT_TR_NOOP("移动到"), nullptr, false, false, true},
        {"pop_ming_delete", QT_TR_NOOP("删除命例"), &MainWindow::DeleteSelectedCase, false, false, true},
        {nullptr, nullptr, nullptr, false, false, false},
        {"pop_class_add", QT_TR_NOOP("增加类别"), &MainWindow::AddCategory, true, true, true},
        {"pop_class_edit", QT_TR_NOOP("修改类名"), &MainWindow::RenameCategory, false, true, false},
        {"pop_class_delete", QT_TR_NOOP("删除类别"), &MainWindow::DeleteCategory, false, true, false},
        {"pop_class_editfile", QT_TR_NOOP("编辑类别文件"), &MainWindow::EditCategoryFile, true, true, true},
        {nullptr, nullptr, nullptr, false, false, false},
        {"pop_search", QT_TR_NOOP("查找"), &MainWindow::SearchCases, true, true, true},
        {"pop_s_full", QT_TR_NOOP("显示全部命例"), &MainWindow::ShowAllCases, true, true, true},
        {nullptr, nullptr, nullptr, false, false, false},
        {"pop_node_kai", QT_TR_NOOP("展开"), &MainWindow::ExpandSelected, true, true, false},
        {"pop_node_shou", QT_TR_NOOP("收缩"), &MainWindow::CollapseSelected, true, true, false},
    };
    for (const auto& item : kItems) {
        if (item.name == nullptr) {
            caseMenu->addSeparator();
            continue;
        }
        QAction* a = item.command == nullptr ? caseMenu->addMenu(moveMenu)
                                             : caseMenu->addAction(tr(item.text), this, item.command);
        a->setObjectName(QString::fromUtf8(item.name));
        QList<QVariant> levels;
        if (item.root) levels << int(Level::kRoot);
        if (item.category) levels << int(Level::kCategory);
        if (item.kase) levels << int(Level::kCase);
        a->setData(levels);
    }

    caseTree->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(caseTree, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        PrepareCaseMenu();
        caseMenu->exec(caseTree->viewport()->mapToGlobal(at));
    });
    // A double click (or Enter) on a case views it; on the root or a
    // category it only opens or closes the node.
    connect(caseTree, &QTreeView::activated, this, [this](const QModelIndex& ix) {
        if (caseModel->LevelOf(ix) == CaseTreeModel::Level::kCase) ViewCase();
    });
    // Delete on a case is "删除命例", with its questions.
    auto* remove = new QShortcut(QKeySequence::Delete, caseTree, nullptr, nullptr, Qt::WidgetShortcut);
    remove->setObjectName(QStringLiteral("DeleteCaseKey"));
    connect(remove, &QShortcut::activated, this, [this] {
        if (caseModel->LevelOf(caseTree->currentIndex()) == CaseTreeModel::Level::kCase) DeleteSelectedCase();
    });
}

void MainWindow::PrepareCaseMenu() {
    const QModelIndex current = caseTree->currentIndex();
    const CaseTreeModel::Level level = caseModel->LevelOf(current);
    if (level == CaseTreeModel::Level::kNone) return;  // the items keep their last state
    for (QAction* a : caseMenu->actions()) {
        if (a->isSeparator()) continue;
        a->setEnabled(a->data().toList().contains(int(level)));
    }
    if (level != CaseTreeModel::Level::kCase) return;
    // "移动到": every category but the case's own, in tree order.
    moveMenu->clear();
    for (int row = 0; row < caseModel->CategoryCount(); ++row) {
        if (caseModel->CategoryIndex(row) == current.parent()) continue;
        const std::string name = caseModel->CategoryName(caseModel->CategoryIndex(row));
        QString caption = ToQString(name);
        caption.replace(u'&', QStringLiteral("&&"));
        moveMenu->addAction(caption, this, [this, name] { MoveSelectedCase(name); });
    }
    // An empty submenu would open as a window of no size, which some
    // window managers never show again: with no other category the item
    // is disabled instead.
    moveMenu->menuAction()->setEnabled(!moveMenu->isEmpty());
}

std::int32_t MainWindow::SelectedSlot() const { return caseModel->SlotOf(caseTree->currentIndex()); }

void MainWindow::FillTree(const std::vector<std::int32_t>& listed) {
    std::vector<ListedCase> cases;
    if (store_->open) {
        if (Status s = ListCasesInSlots(store_->db, listed, &cases); !s) {
            Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        }
    }
    ShowCases(cases);
    store_->listedSlots = listed;
}

void MainWindow::ShowCases(const std::vector<ListedCase>& cases) {
    // Slots added from here on are listed when the store changes.
    store_->listedSlots.clear();
    if (store_->open && !store_->db.RecordCount(&store_->knownCount)) store_->knownCount = 0;
    caseModel->Reset(cases);
    caseTree->expand(caseModel->RootIndex());
}

std::vector<std::string> MainWindow::CategoryList() const { return ReadCategoryList(settings_); }

void MainWindow::SaveSettingsNow() {
    if (Status s = SaveSettingsMerged(); !s) Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
}

void MainWindow::LeaveEditMode() {
    session_.LeaveStoredCase();
    ResetPane(reportPane);
    reportPane->document()->clearUndoRedoStacks();
    reportPane->document()->setModified(false);
    chartPicture->Clear();
    ClearRunViews();
    SetSaveCaption();
}

bool MainWindow::ConfirmDeletingViewedCase(const std::vector<std::int32_t>& listed) {
    if (!editMode() || !Holds(listed, currentSlot())) return true;
    return Ask(this, tr("确定要删除当前正在查看的命例吗？"), tr("提示"), MsgIcon::kWarning);
}

void MainWindow::SaveCase() {
    if (!store_->open) {
        Inform(this, tr("命例库没有打开，无法保存。"), tr("错误"), MsgIcon::kError);
        return;
    }
    if (editMode() && !ConfirmSavingOverStaleCase()) return;
    if (editMode()) {
        // 否 first: two quick Returns must not overwrite the stored case.
        if (!Ask(this, tr("要修改“%1”这条记录吗？").arg(ToQString(personA().name)), tr("提示"), MsgIcon::kInformation,
                 true)) {
            return;
        }
        if (!chartValid()) {
            Inform(this, tr("当前八字运算没有成功，不能覆盖保存的命例。"), tr("提示"), MsgIcon::kInformation);
            return;
        }
        // The record, the persons as typed and the report are replaced together.
        const StyledReport edited = PaneReportForStore();
        bool gone = false;
        CaseRecord saved;
        const Status s = session_.SaveOver(edited, &gone, &saved);
        if (!s.ok()) {
            Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
            if (gone) SetSaveCaption();
            return;
        }
        reportPane->document()->setModified(false);
        NoteViewedCase();
        caseModel->UpdateCase(saved.slot, saved.a.isMale != 0, ToQString(CaseNodeText(saved)));
        Inform(this, tr("已保存编辑后的命例。"));
        ShowStoreWarning(s);
        return;
    }
    if (!chartValid()) {
        Inform(this, tr("请先排一个正确的盘后再保存"), tr("提示"), MsgIcon::kInformation);
        return;
    }
    CategoryDialog dlg(CategoryList(), this);
    if (dlg.exec() != QDialog::Accepted) return;
    const StyledReport report = PaneReportForStore();
    CaseRecord record;
    const Status saved = session_.SaveNew(dlg.Category(), dlg.Note(), report, &record);
    if (!saved.ok()) {
        Inform(this, CoreText(saved.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    ShowStoreWarning(saved);
    const QModelIndex node = caseModel->AddListedCase(ListingOf(record));
    caseTree->expand(caseModel->RootIndex());
    caseTree->expand(node.parent());
    caseTree->scrollTo(node);
}

void MainWindow::ViewCase() {
    if (searching_) return;  // the wedding search still works on the case shown
    const std::int32_t slot = SelectedSlot();
    if (slot < 0) {
        Inform(this, SelectCaseFirst());
        return;
    }
    StoredCase stored;
    if (Status s = session_.ReadCase(slot, &stored); !s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    if (!stored.record.live()) return;
    SavePrompt();

    pages->setCurrentIndex(0);
    TakePaneLook();
    // The case opens with its persons as typed; the stored report is shown
    // as it is, a missing one is made again by the run and stored.
    const RunInputs inputs = LoadRunInputs(files_);
    const ViewOutcome viewed = session_.View(stored, inputs);
    NoteViewedCase();
    if (!viewed.reportUnreadable.ok()) {
        Inform(this,
               tr("命例的报告文件无法读取，报告将重新生成（原文件保留）：\n") +
                   CoreText(viewed.reportUnreadable.message()),
               tr("错误"), MsgIcon::kError);
    }
    if (viewed.stored) {
        ShowProgramReport(*viewed.stored);
    } else {
        ResetPane(reportPane);
    }
    SetSaveCaption();
    if (!viewed.status.ok()) {
        chartPicture->Clear();
        ClearRunViews();
        Inform(this, CoreText(viewed.status.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    if (viewed.made) ShowProgramReport(*viewed.made);
    chartPicture->SetPicture(PictureDataOf(*session_.LastRun()));
    ShowRunViews(*session_.LastRun());
    if (!viewed.reportNotWritten.ok()) {
        Inform(this, CoreText(viewed.reportNotWritten.message()), tr("错误"), MsgIcon::kError);
    }
    reportPane->document()->setModified(false);
    ShowRunWarnings(inputs.warnings);
}

void MainWindow::ShowStoreWarning(const Status& s) {
    if (s.hasWarning()) Inform(this, CoreText(s.message()), tr("注意"), MsgIcon::kWarning);
}

void MainWindow::EditSelectedCase() {
    const std::int32_t slot = SelectedSlot();
    if (slot < 0) {
        Inform(this, SelectCaseFirst());
        return;
    }
    StoredCase stored;
    if (Status s = session_.ReadCase(slot, &stored); !s || !stored.record.live()) return;
    // The dialog shows person A as typed.
    CaseRecord shown = stored.record;
    shown.a = stored.typed[0];
    CaseInfoDialog dlg(shown, files_.Dat("dili.ini"), this);
    if (dlg.exec() != QDialog::Accepted) return;
    const bool viewed = editMode() && slot == currentSlot();
    if (viewed) SavePrompt();  // the pane of the case on view shows the new report
    TakePaneLook();
    const RunInputs inputs = LoadRunInputs(files_);
    // The edit is of the case the dialog showed: one changed meanwhile is refused.
    const CaseBasis shownBasis{stored.digest};
    const EditOutcome edited = session_.Edit(slot, dlg.Edit(), inputs, &shownBasis);
    if (!edited.status.ok()) {
        Inform(this, CoreText(edited.status.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    if (edited.viewed) NoteViewedCase();
    ShowStoreWarning(edited.status);
    ShowEditedCase(edited);
    ShowRunWarnings(inputs.warnings);
    if (caseModel->UpdateCase(slot, edited.stored.a.isMale != 0, ToQString(CaseNodeText(edited.stored)))) {
        Inform(this, tr("完成修改"), tr("完成"), MsgIcon::kInformation);
    }
}

void MainWindow::ShowEditedCase(const EditOutcome& edited) {
    if (!edited.viewed) return;
    // The couple changed: the wedding dates found for it go.
    ClearCoupleViews();
    ShowProgramReport(edited.report);
    chartPicture->SetPicture(PictureDataOf(*session_.LastRun()));
    ShowRunViews(*session_.LastRun());
    reportPane->document()->setModified(false);
}

void MainWindow::MoveSelectedCase(const std::string& category) {
    const std::int32_t slot = SelectedSlot();
    const QModelIndex target = caseModel->FindCategory(category);
    if (slot < 0 || !target.isValid()) return;
    // The case the tree shows, and nothing else, is moved.
    CaseBasis basis;
    Status s = BasisOfListedCase(store_->db, slot, caseModel->StoredCaseText(slot), &basis);
    const std::string before = basis.digest;
    CaseRecord moved;
    if (s) s = MoveCase(store_->db, slot, category, &moved, &basis);
    if (!s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    caseTree->setCurrentIndex(caseModel->MoveCase(slot, target));  // the moved case stays selected
    session_.CaseMoved(slot, moved.category, before, basis.digest);
    if (editMode() && slot == currentSlot()) NoteViewedCase(true);
    ShowStoreWarning(s);
}

void MainWindow::DeleteSelectedCase() {
    const std::int32_t slot = SelectedSlot();
    if (slot < 0) {
        Inform(this, SelectCaseFirst());
        return;
    }
    const QString text = caseModel->data(caseModel->FindCase(slot)).toString();
    const QString name = text.left(text.lastIndexOf(QStringLiteral("  ")));  // the node text ends "  公Y-M-D|slot"
    if (!Ask(this, tr("确定要删除“%1”这个命例吗？").arg(name), tr("注意"), MsgIcon::kWarning, true)) {
        return;
    }
    if (!ConfirmDeletingViewedCase({slot})) return;
    const bool viewed = editMode() && slot == currentSlot();
    // Only the case the tree shows goes (not another one put in its slot since).
    CaseBasis basis;
    Status s = BasisOfListedCase(store_->db, slot, caseModel->StoredCaseText(slot), &basis);
    if (s) s = session_.Delete(slot, &basis);
    if (!s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    caseModel->RemoveCase(slot);
    if (viewed) LeaveEditMode();
    ShowStoreWarning(s);
}

std::string MainWindow::AskCategoryName(const QString& title, const QString& prompt, const QString& initial) {
    QString text = initial;
    for (;;) {
        QInputDialog box(this);
        box.setWindowTitle(title);
        box.setLabelText(prompt);
        box.setTextValue(text);
        box.setOkButtonText(tr("确定"));
        box.setCancelButtonText(tr("取消"));
        if (box.exec() != QDialog::Accepted) return {};
        text = box.textValue();
        std::string name;
        if (CheckCategoryName(text.toStdString(), &name).ok()) return name;
        Inform(this, ToQString(std::string(kBadCategoryMessage)));
    }
}

void MainWindow::AddCategory() {
    const std::string name = AskCategoryName(tr("新建类别"), tr("请输入新建类别名："), tr("新类别"));
    if (name.empty()) return;
    if (const QModelIndex existing = caseModel->FindCategory(name); existing.isValid()) {
        Inform(this, tr("已有这个类别了！"), tr("提示"), MsgIcon::kWarning);
        caseTree->setCurrentIndex(existing);
        return;
    }
    caseModel->AddCategory(name);
    caseTree->expand(caseModel->RootIndex());
    RebaseSettings();
    if (tessaly::AddCategory(settings_, name)) SaveSettingsNow();
}

void MainWindow::RenameCategory() {
    const QModelIndex category = caseTree->currentIndex();
    if (caseModel->LevelOf(category) != CaseTreeModel::Level::kCategory) return;
    const std::string old = caseModel->CategoryName(category);
    const std::string name = AskCategoryName(tr("修改类别名"), tr("请输入新的类别名："), ToQString(old));
    if (name.empty()) return;
    if (const QModelIndex existing = caseModel->FindCategory(name); existing.isValid()) {
        Inform(this, tr("已有这个类别了，请另起一个名称！"), tr("提示"), MsgIcon::kWarning);
        caseTree->setCurrentIndex(existing);
        return;
    }
    // The cases and the category list are renamed in one change: a failure
    // leaves both as they were. The list is taken as it is now in the file,
    // changed by others or not.
    RebaseSettings();
    CategoryRename result;
    if (const Status s = RenameListedCategory(store_->db, settings_, caseModel->SlotsIn(category), old, name, &result);
        !s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    session_.CasesRenamed(result.renamed, name);
    if (editMode() && Holds(result.renamed, currentSlot())) NoteViewedCase(true);
    RebaseSettings();  // the file holds the new list now
    caseModel->RenameCategory(category, name);
}

void MainWindow::DeleteCategory() {
    const QModelIndex category = caseTree->currentIndex();
    if (caseModel->LevelOf(category) != CaseTreeModel::Level::kCategory) return;
    const QString name = ToQString(caseModel->CategoryName(category));
    if (!Ask(this, tr("确定要删除“%1”这个类别吗？").arg(name), tr("注意"), MsgIcon::kWarning, true)) {
        return;
    }
    const std::vector<std::int32_t> listed = caseModel->SlotsIn(category);
    if (!ConfirmDeletingViewedCase(listed)) return;
    std::vector<std::int32_t> deleted;
    const Status s = DeleteCases(store_->db, listed, &deleted);
    if (editMode() && Holds(deleted, currentSlot())) LeaveEditMode();
    if (!s) {
        for (const std::int32_t slot : deleted) caseModel->RemoveCase(slot);
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    caseModel->RemoveCategory(category);
}

void MainWindow::EditCategoryFile() {
    RebaseSettings();
    CategoryFileEditor dlg(ReadCategoryList(settings_, ""), this);
    if (dlg.exec() != QDialog::Accepted) return;
    WriteCategoryList(settings_, dlg.Categories());
    SaveSettingsNow();
}

void MainWindow::SearchCases() {
    if (!store_->open) return;
    CaseSearchDialog dlg(store_->criteria, CategoryList(), store_->db, this);
    const int result = dlg.exec();
    // The dialog closes right after its question box: some window managers
    // then leave no window active.
    activateWindow();
    if (result != QDialog::Accepted) return;
    ShowCases(dlg.Found());
    // The hits open, the first of them selected and in sight.
    caseTree->expandAll();
    const QModelIndex firstCategory = caseModel->CategoryIndex(0);
    if (firstCategory.isValid() && caseModel->rowCount(firstCategory) > 0) {
        const QModelIndex first = caseModel->index(0, 0, firstCategory);
        caseTree->setCurrentIndex(first);
        caseTree->scrollTo(first);
    }
}

void MainWindow::ShowAllCases() {
    if (!store_->open) return;
    std::int32_t count = 0;
    if (Status s = store_->db.RecordCount(&count); !s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    if (count == 0) {
        Inform(this, tr("没有记录，无从查找。"));
        return;
    }
    SearchCriteria all;  // of its own: the criteria of the last search stay
    std::vector<ListedCase> found;
    Status s;
    {
        const WaitCursor wait;
        s = FindCases(store_->db, &all, &found);
    }
    if (!s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    if (found.empty()) {
        Inform(this, tr("没有找到符合条件的命例。"), tr("信息"), MsgIcon::kInformation);
        return;
    }
    ShowCases(found);
}

void MainWindow::ExpandSelected() {
    const QModelIndex ix = caseTree->currentIndex();
    if (caseModel->LevelOf(ix) == CaseTreeModel::Level::kCase || !ix.isValid()) return;
    caseTree->expandRecursively(ix);
}

void MainWindow::CollapseSelected() {
    const QModelIndex ix = caseTree->currentIndex();
    if (caseModel->LevelOf(ix) == CaseTreeModel::Level::kCase || !ix.isValid()) return;
    for (int row = 0; row < caseModel->rowCount(ix); ++row) caseTree->collapse(caseModel->index(row, 0, ix));
    caseTree->collapse(ix);
}

}  // namespace tessaly
