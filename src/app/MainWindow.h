// MainWindow (aka TFrmMain, Untmain) — the main window: the case tree, the
// report pane with the chart picture ("合婚配对"), the wedding-date pane
// ("结婚择日"), the menus and the commands that run the matching. Settings
// live in dat/bzinit.ini.
//
// The window holds widgets and signals; the couple it works on (the persons
// as typed, the last run, the stored case on view) is a CoupleSession
// (session/CoupleSession.h), whose verbs the commands call and whose results
// go into the report pane and the chart picture.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QMainWindow>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ReportPrinter.h"
#include "SkinEngine.h"
#include "WindowSettings.h"
#include "calendar/PersonRecord.h"
#include "common/IniFile.h"
#include "common/ProgramFiles.h"
#include "common/Status.h"
#include "common/StyledText.h"
#include "matching/MatchingRun.h"
#include "session/CoupleSession.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolButton;
class QTreeView;

namespace tessaly {

class BoundaryNotice;
class CaseTreeModel;
class ChartPictureView;
class CoupleTimelineView;
class LanguageMenu;
struct CaseRecord;
struct ListedCase;
struct StyledReport;
class CaseStore;
class StoreWatcher;

// The stored case on view, as this window sees it against the store now.
enum class ViewedCaseState {
    kCurrent,  // as the window last read or wrote it
    kChanged,  // changed by another program (or another case took its slot)
    kDeleted,  // deleted by another program
};

// The couple on screen as it would be stored now (standard time), with the
// slot, category and note of the case on view or last saved.
struct CurrentCase {
    PersonRecord a, b;
    int slot = 0;
    std::string category;
    std::string note;
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(ProgramFiles files, QWidget* parent = nullptr);
    ~MainWindow() override;

    // The first show reads the settings and places the window before its
    // native window exists, so that the saved position is the frame's.
    void setVisible(bool visible) override;

    // What went wrong while the program's folders were readied before the
    // window existed; the first show tells it, in place of its own attempt
    // to make the folders (which would fail the same way).
    void TellStartProblem(Status problem) { startProblem_ = std::move(problem); }

    // The clock the default birth dates and marriage years come from (tests
    // set their own before the window is first shown).
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // Commands.
    void StartMatching();         // "开始合婚"
    void NewCase();               // "新建"
    void SaveCase();              // "存新"/"存旧", "保存八字"
    void SearchDays();            // "查找" on the wedding tab
    void OverrideRoles();         // "设定用神"
    void SetDefaultAppearance();  // "默认"
    void ChooseReportFont();      // "字体设置"
    void ChooseReportColor();     // "背景色设置"
    void ShowOptions();           // "排盘设置"
    void ShowEnding();            // "命稿结尾信息"
    void ChooseSkin(QAction* item);
    void ShowAbout();  // "关于 Tessaly"

    // The case tree and its popup menu "PopMingLi" (MainWindowCases.cpp).
    // Rebuilds the tree from the live cases among the `listed` slots.
    void FillTree(const std::vector<std::int32_t>& listed);
    // The tree of the cases in the first 1000 slots, as at start-up.
    void FillTree();
    // The slot of the selected case node, −1 when the root, a category or
    // nothing is selected.
    std::int32_t SelectedSlot() const;
    // Enables the popup menu's items for the selected node and rebuilds
    // "移动到" (what a right click does before the menu opens).
    void PrepareCaseMenu();
    void ViewCase();                                     // "查看命例", double click
    void EditSelectedCase();                             // "编辑命例"
    void MoveSelectedCase(const std::string& category);  // an item of "移动到"
    void DeleteSelectedCase();                           // "删除命例"
    void AddCategory();                                  // "增加类别"
    void RenameCategory();                               // "修改类名"
    void DeleteCategory();                               // "删除类别"
    void EditCategoryFile();                             // "编辑类别文件"
    void SearchCases();                                  // "查找"
    void ShowAllCases();                                 // "显示全部命例"
    void ExpandSelected();                               // "展开"
    void CollapseSelected();                             // "收缩"

    // The report pane and the wedding-date pane (MainWindowReport.cpp).
    // The popup menu of `pane` (PopupRdtsend, PopSearch), made afresh with
    // the items enabled that can act now; the caller owns it.
    QMenu* PaneMenu(QTextEdit* pane);
    void SetSelectionFont(QTextEdit* pane);  // "设置选中文本"
    void ImportReport(QTextEdit* pane);      // "导入命稿"
    // A report file named on the command line, shown as "导入命稿" shows it.
    void OpenReportFile(const QString& path);
    void SaveReportAs(QTextEdit* pane);  // "另存为"
    void PrintPane(QTextEdit* pane);     // "打印"
    // The print dialog in use (tests answer it without a dialog).
    void SetPrintDialog(PrintDialogFn dialog) { printDialog_ = std::move(dialog); }

    // The whole case history (MainWindowHistory.cpp).
    void ImportHistory();  // "导入历史记录"
    void ExportHistory();  // "导出历史记录"
    void ClearHistory();   // "清除历史记录"

    // What the window shows of the last run besides the report
    // (MainWindowExtras.cpp): the menu "查看" and the tab "流年对照".
    void ShowIndexParts();                    // "婚配指数构成"
    void ShowBirthExplanation(int personNo);  // "出生时刻说明" of 甲命 (0) or 乙命 (1)
    void ShowTimeline();                      // "流年对照": the tab on top
    void PrintTimeline();                     // the tab's "打印"
    void SaveTimelineImage();                 // the tab's "保存图片"

public slots:
    // Help (MainWindowHelp.cpp).
    void ShowKnowledge();  // "相关知识"
    void ShowHelp();       // "软件帮助"

public:
    // State, for the tests and the screenshot tool (read through the session).
    const CoupleSession& session() const { return session_; }
    bool chartValid() const { return session_.ChartValid(); }
    bool editMode() const { return session_.ViewingStoredCase(); }
    bool searching() const { return searching_; }
    const PersonRecord& personA() const { return session_.Person(0); }
    const PersonRecord& personB() const { return session_.Person(1); }
    CurrentCase currentCase() const;
    int currentSlot() const { return session_.ViewedSlot(); }
    // The result of the last successful matching run, if any.
    const std::optional<MatchingResult>& lastMatching() const { return session_.LastRun(); }
    const ProgramFiles& files() const { return files_; }
    const IniFile& settings() const { return settings_; }
    const QColor& reportColor() const { return reportColor_; }

    // Following the data folder (MainWindowFollow.cpp). What another program
    // changed in the store and dat/bzinit.ini is shown without a click: the
    // tree keeps its open nodes and selection where the cases still exist,
    // and the case on view is marked when it changed under the window.
    ViewedCaseState viewedCaseState() const;
    // Raises the window (a second start on the same folder asked for it);
    // `arguments` are that start's.
    void RaisedByAnotherStart(const QStringList& arguments);
    const QStringList& forwardedArguments() const { return forwardedArguments_; }

    // Controls. Their object names are those skins select (Tree, Redtbazi, …).
    QTreeView* caseTree;
    CaseTreeModel* caseModel;
    QMenu* caseMenu;  // PopMingLi
    QMenu* moveMenu;  // "移动到"
    QSplitter* splitter;
    QTabWidget* pages;
    QTextEdit* reportPane;
    ChartPictureView* chartPicture;
    QPushButton* newButton;
    QToolButton* saveButton;
    QToolButton* setRolesButton;
    QPushButton* matchButton;
    QLabel* marriageYearLabel;
    QComboBox* marriageYearBox;
    QPushButton* searchDaysButton;
    QTextEdit* weddingPane;
    QProgressBar* searchProgress;
    QMenu* skinMenu;
    LanguageMenu* languageMenu;  // "语言 / Language" under 选项
    QAction* saveCaseAction;
    QMenu* knowledgeMenu;  // "命理知识(&S)"
    QMenu* helpMenu;       // "帮助(&H)"
    QMenu* viewMenu;       // "查看(&V)"
    QAction* indexPartsAction;
    QAction* explainActions[2];
    QAction* timelineAction;
    BoundaryNotice* boundaryNotice;  // above the report
    QWidget* timelinePage;           // the tab "流年对照"
    CoupleTimelineView* timelineView;
    QPushButton* printTimelineButton;
    QPushButton* saveTimelineButton;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void FirstShow();
    void RestoreGeometry(const MainWindowSettings& s);
    // Brings the window with its frame back into the work area when the
    // frame the window manager gave it runs off the screen.
    void KeepFrameOnScreen();
    // Gives the tree the width that shows a case's text whole.
    void FitTreeWidth();
    void BuildSkinMenu();
    // Loads the report file `path` into `pane`; a file that cannot be
    // loaded is refused with its reason and the pane keeps its text.
    void LoadReportInto(QTextEdit* pane, const QString& path);
    // The menu "查看", the notice above the report and the tab "流年对照".
    void BuildRunViews();
    // Fills them from a finished run, or empties them and disables their
    // commands when no run is on screen.
    void ShowRunViews(const MatchingResult& result);
    void ClearRunViews();
    // The commands that act on the run on the report pane's popup menu.
    void AddRunItems(QMenu* menu);
    static QToolButton* NewSetRolesButton(QWidget* parent);  // SbtoSet, with its picture
    void ApplyReportFont(const QFont& font);
    void ApplyReportColor(const QColor& color);
    // Shows a finished run: the styled report and the chart picture.
    StyledReport ShowMatching(const MatchingResult& result);
    // Shows a report the program made (a run's, a stored case's) on the
    // report pane: as it is in Simplified Chinese and English, in
    // Traditional characters (ChineseScript) in a Traditional language.
    void ShowProgramReport(const StyledReport& simplified);
    // The report pane's report as the case store keeps it. The store holds
    // the program's data, in Simplified Chinese, whatever the window speaks:
    // a pane showing a program's report converted to Traditional characters
    // and not edited since gives that report in Simplified; an edited pane
    // (or one that shows an imported file) gives what it shows.
    StyledReport PaneReportForStore() const;
    void ShowRunWarnings(const std::vector<std::string>& warnings);
    // The warning of a store change that succeeded (it stands, though a
    // flush to the disk failed afterwards), when there is one.
    void ShowStoreWarning(const Status& s);
    // The session's report look: the report pane's font.
    void TakePaneLook();
    // The chart picture back to its background, the wedding pane and its
    // progress emptied: the couple they showed is gone.
    void ClearCoupleViews();
    // Asks to save unsaved edits of a stored case; false never stops the caller.
    void SavePrompt();
    void SetSaveCaption();
    void BuildCaseMenu();
    // The viewed case is gone: out of edit mode, the pane emptied.
    void LeaveEditMode();
    // Shows a case's edited report when it is the case on view.
    void ShowEditedCase(const EditOutcome& edited);
    // Asks "确定要删除当前正在查看的命例吗？" when `listed` holds the viewed
    // case; false when the user declined. Nothing changes here.
    bool ConfirmDeletingViewedCase(const std::vector<std::int32_t>& listed);
    // Asks for a category name until a good one is given; empty on cancel.
    std::string AskCategoryName(const QString& title, const QString& prompt, const QString& initial);
    // The category list of the settings file, a missing entry read as
    // "临时保存".
    std::vector<std::string> CategoryList() const;
    // Writes the settings file now (after a change of the category list).
    void SaveSettingsNow();
    // The tree of these cases, the root expanded.
    void ShowCases(const std::vector<ListedCase>& cases);
    // Popup menus and Ctrl+P of both panes.
    void InstallPaneCommands();
    // After the store was cleared or replaced: the pane no longer shows a
    // stored case, so no later save writes it into the new store.
    void LeaveCaseEditing();
    // The case store when it is open; otherwise says so and gives nullptr.
    CaseStore* OpenStore();
    // Following the data folder (MainWindowFollow.cpp).
    void StartFollowingStore();
    // Rebuilds the tree over the slots it lists and the slots added since.
    void RefreshTree();
    // Takes the viewed case as it is stored now as the one the window knows
    // (after the window viewed or wrote it).
    // `onlyWhenCurrent`: a case already marked as changed elsewhere keeps
    // its mark (the window wrote a part of it, not all of it).
    void NoteViewedCase(bool onlyWhenCurrent = false);
    // Compares the viewed case with the store and marks the pane.
    void CheckViewedCase();
    void ShowViewedCaseMark();
    // Before "存旧": asks when the viewed case changed or went meanwhile;
    // false stops the save. A deleted case may be saved as a new one.
    bool ConfirmSavingOverStaleCase();
    // dat/bzinit.ini read again, the window's own changes kept on top.
    void RebaseSettings();
    // Writes the keys of dat/bzinit.ini the window changed into the file as
    // it is now (SettingsMerge.h).
    Status SaveSettingsMerged();
    // The size and time of a case's report file ("-" when there is none).
    std::string ReportStamp(std::int32_t slot) const;

    ProgramFiles files_;
    Status startProblem_;
    CoupleSession session_;
    bool shown_ = false;
    bool searching_ = false;
    bool closeWanted_ = false;
    std::atomic<bool> cancelSearch_{false};
    IniFile settings_;
    QColor reportColor_{Qt::white};
    QFont reportFont_;  // the report font the panes were last set in
    SkinEngine skins_;
    std::function<QDateTime()> clock_;
    PrintDialogFn printDialog_ = RunPrintDialog;
    // In a Traditional language, the last ShowProgramReport's report in
    // Simplified Chinese and the text the pane showed of it.
    StyledReport shownReport_;
    std::string shownPaneText_;
    QString lastFolder_;  // of the last report or history file dialog
    QStringList forwardedArguments_;
    struct Store;
    std::unique_ptr<Store> store_;
};

}  // namespace tessaly
