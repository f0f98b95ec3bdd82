// MainWindow (aka TFrmMain, Untmain) — the main window: the case tree, the
// report pane with the chart picture ("合婚配对"), the wedding-date pane
// ("结婚择日"), the menus and the commands that run the matching. Settings
// live in dat/bzinit.ini.
//
// The window calls the core and shows what comes back: a matching run
// returns its result, which the window keeps as the last result and puts
// into the report pane and the chart picture.
#pragma once

#include <QColor>
#include <QDateTime>
#include <QMainWindow>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "SkinEngine.h"
#include "WindowSettings.h"
#include "calendar/PersonRecord.h"
#include "common/IniFile.h"
#include "common/ProgramFiles.h"
#include "matching/MatchingRun.h"

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
class QTreeWidget;
class QTreeWidgetItem;

namespace tessaly {

class ChartPictureView;
struct CaseRecord;

// The couple on screen, copied in after each successful run.
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

    // The clock the default birth dates and marriage years come from (tests
    // set their own before the window is first shown).
    void SetClock(std::function<QDateTime()> clock) { clock_ = std::move(clock); }

    // Commands.
    void StartMatching();         // "开始合婚"
    void NewCase();               // "新建"
    void SaveCase();              // "存新"/"存旧", "保存八字"
    void SearchDays();            // "查找" on the wedding tab
    void SetDefaultAppearance();  // "默认"
    void ChooseReportFont();      // "字体设置"
    void ChooseReportColor();     // "背景色设置"
    void ShowOptions();           // "排盘设置"
    void ShowEnding();            // "命稿结尾信息"
    void ChooseSkin(QAction* item);
    void ShowAbout();             // "关于 Tessaly"

    // State, for the tests and the screenshot tool.
    bool chartValid() const { return chartValid_; }
    bool editMode() const { return editMode_; }
    bool searching() const { return searching_; }
    const PersonRecord& personA() const { return personA_; }
    const PersonRecord& personB() const { return personB_; }
    const CurrentCase& currentCase() const { return currentCase_; }
    // The result of the last successful matching run, if any.
    const std::optional<MatchingResult>& lastMatching() const { return lastMatching_; }
    const ProgramFiles& files() const { return files_; }
    const IniFile& settings() const { return settings_; }
    const QColor& reportColor() const { return reportColor_; }

    // Controls. Their object names are those skins select (Tree, Redtbazi, …).
    QTreeWidget* caseTree;
    QSplitter* splitter;
    QTabWidget* pages;
    QTextEdit* reportPane;
    ChartPictureView* chartPicture;
    QPushButton* newButton;
    QToolButton* saveButton;
    QPushButton* matchButton;
    QLabel* marriageYearLabel;
    QComboBox* marriageYearBox;
    QPushButton* searchDaysButton;
    QTextEdit* weddingPane;
    QProgressBar* searchProgress;
    QMenu* skinMenu;
    QAction* saveCaseAction;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildLayout();
    void BuildMenus();
    void FirstShow();
    void BuildSkinMenu();
    void AddAboutItem();
    void ApplyReportFont(const QFont& font);
    void ApplyReportColor(const QColor& color);
    // Shows a finished run: the styled report and the chart picture.
    void ShowMatching(const MatchingResult& result);
    // Asks to save unsaved edits of a stored case; false never stops the caller.
    void SavePrompt();
    void SetSaveCaption();
    void FillTree();
    // The tree node of a stored case under its category (made when missing).
    QTreeWidgetItem* AddCaseNode(const CaseRecord& record);

    ProgramFiles files_;
    std::optional<MatchingResult> lastMatching_;
    PersonRecord personA_, personB_;
    CurrentCase currentCase_;
    bool chartValid_ = false;
    bool editMode_ = false;
    int currentSlot_ = 0;
    bool shown_ = false;
    bool searching_ = false;
    bool closeWanted_ = false;
    std::atomic<bool> cancelSearch_{false};
    IniFile settings_;
    QColor reportColor_{Qt::white};
    SkinEngine skins_;
    std::function<QDateTime()> clock_;
    struct Store;
    std::unique_ptr<Store> store_;
};

}  // namespace tessaly
