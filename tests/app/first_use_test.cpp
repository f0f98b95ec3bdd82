// The main window as a new user meets it: the report font dialog, what stays
// on screen after a failed run or "新建", Qt's texts in Chinese, message-box
// captions, the case tree's long texts and the keyboard.
#include <QAbstractItemModel>
#include <QAction>
#include <QComboBox>
#include <QFontInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QSplitter>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>
#include <fstream>

#include "app/AppFonts.h"
#include "app/AppSetup.h"
#include "app/BirthDataDialog.h"
#include "app/ChartPicture.h"
#include "app/MainWindow.h"
#include "app/ReportEndingDialog.h"
#include "app/ReportFontDialog.h"
#include "app_test_util.h"
#include "store/Categories.h"
#include "store/CaseStore.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;

constexpr auto Person = apptest::TestPerson;
using apptest::AnswerBirthDialogs;

void SendKey(QWidget* to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, mods, text);
    QApplication::sendEvent(to, &press);
    QKeyEvent release(QEvent::KeyRelease, key, mods, text);
    QApplication::sendEvent(to, &release);
}

TEST(ReportFont, DialogOpensOnTheReportFontAndOffersColumnFonts) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    ASSERT_EQ(w.reportPane->font().family(), QStringLiteral("宋体"));
    const QString standIn = QFontInfo(PointFont(kSongTi, 12)).family();
    QString shownFamily;
    int shownSize = 0;
    QStringList offered;
    WhenModal<ReportFontDialog>([&](ReportFontDialog* dlg) {
        shownFamily = dlg->Family();
        shownSize = dlg->PointSize();
        for (int i = 0; i < dlg->familyList->count(); ++i) offered << dlg->familyList->item(i)->text();
        dlg->sizeBox->setCurrentIndex(dlg->sizeBox->findData(14));
        dlg->accept();
    });
    w.ChooseReportFont();
    // Without 宋体 the font that draws it is the one chosen.
    EXPECT_EQ(shownFamily, standIn);
    EXPECT_EQ(shownSize, 12);
    EXPECT_TRUE(offered.contains(standIn));
    EXPECT_FALSE(offered.contains(QStringLiteral("DejaVu Sans")));  // proportional
    for (const QString& family : offered) {
        SCOPED_TRACE(family.toStdString());
        EXPECT_TRUE(ReportFontDialog::KeepsColumns(family));
    }
    // The stand-in keeps the name the settings know; the size is taken.
    EXPECT_EQ(w.reportPane->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(w.reportPane->font().pointSize(), 14);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("设置完成"));
}

TEST(ReportFont, ColumnFontsAreThoseWithDoubleWidthChineseCharacters) {
    const QString standIn = QFontInfo(PointFont(kSongTi, 12)).family();
    const struct {
        QString family;
        bool keeps;
    } kCases[] = {
        {standIn, true},                              // the half-width-Latin CJK font
        {QStringLiteral("DejaVu Sans"), false},       // proportional
        {QStringLiteral("DejaVu Sans Mono"), false},  // fixed Latin, Chinese from a fallback of another width
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.family.toStdString());
        EXPECT_EQ(ReportFontDialog::KeepsColumns(c.family), c.keeps);
    }
}

// A window that has shown the report of 张三 and 李四.
class StaleContent : public testing::Test {
protected:
    void SetUp() override {
        w.show();
        AnswerBirthDialogs(a, b);
        w.StartMatching();
        ASSERT_TRUE(w.chartValid());
        ASSERT_TRUE(w.chartPicture->Data().has_value());
        ASSERT_TRUE(messages.shown.empty());
    }
    TempHome home;
    ScriptedMessages messages;
    MainWindow w{home.Files()};
    const PersonRecord a = Person("张三", 1993, 5, 12, 8, true);
    const PersonRecord b = Person("李四", 1992, 11, 3, 21, false);
};

TEST_F(StaleContent, FailedRunShowsItsErrorInsteadOfTheLastCouple) {
    w.weddingPane->setPlainText(QStringLiteral("2024-1-13 十二月初三"));  // the last couple's dates
    w.searchProgress->setValue(60);

    // 23:30 on the last day of 2100 belongs to a day of 2101: the run fails.
    const PersonRecord late = Person("王五", 2100, 12, 31, 23, false);
    AnswerBirthDialogs(a, late);
    w.StartMatching();
    ASSERT_FALSE(w.chartValid());
    ASSERT_EQ(messages.shown.size(), 1u);
    const QString error = messages.shown[0].text;
    EXPECT_TRUE(error.startsWith(QStringLiteral("乙命："))) << error.toStdString();
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(w.reportPane->toPlainText(), error);
    EXPECT_FALSE(w.chartPicture->Data().has_value());
    EXPECT_TRUE(w.weddingPane->toPlainText().isEmpty());
    EXPECT_EQ(w.searchProgress->value(), 0);
}

TEST_F(StaleContent, NewCaseClearsThePictureEvenWhenItsDialogsAreCancelled) {
    w.weddingPane->setPlainText(QStringLiteral("旧的吉日"));
    AnswerBirthDialogs(std::nullopt, std::nullopt);
    w.NewCase();
    EXPECT_FALSE(w.chartPicture->Data().has_value());
    EXPECT_EQ(w.chartPicture->Picture(), PictureBackground());
    EXPECT_TRUE(w.reportPane->toPlainText().isEmpty());
    EXPECT_TRUE(w.weddingPane->toPlainText().isEmpty());
}

TEST_F(StaleContent, CancellingTheDialogsOfARunKeepsTheShownCouple) {
    const QString report = w.reportPane->toPlainText();
    AnswerBirthDialogs(a, std::nullopt);
    w.StartMatching();
    EXPECT_EQ(w.reportPane->toPlainText(), report);  // the report and its picture belong together
    EXPECT_TRUE(w.chartPicture->Data().has_value());
}

TEST(ChineseTexts, QtStandardButtonsAndCaptionsAsGiven) {
    ASSERT_EQ(QApplication::applicationDisplayName(), QApplication::applicationName())
        << "a display name would be appended to every window title";
    const struct {
        QString caption, wantTitle;
    } kCases[] = {
        {QStringLiteral("提示"), QStringLiteral("提示")},
        {QStringLiteral("错误"), QStringLiteral("错误")},
        {QString(), QStringLiteral("Tessaly 2.0")},  // a plain message
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.wantTitle.toStdString());
        QString title, okText;
        WhenModal<QMessageBox>([&](QMessageBox* box) {
            title = box->windowTitle();
            okText = box->button(QMessageBox::Ok)->text();
            box->button(QMessageBox::Ok)->click();
        });
        Inform(nullptr, QStringLiteral("设置完成"), c.caption);  // the real message box
        EXPECT_EQ(title, c.wantTitle);
        EXPECT_EQ(okText, QStringLiteral("确定"));  // Qt's own text, translated
    }
}

TEST(ChineseTexts, StartWithoutDatFolderCreatesTheFolders) {
    TempHome home;
    std::filesystem::remove_all(home.dir / "dat");
    std::filesystem::remove_all(home.dir / "bazi_f");
    ScriptedMessages messages;
    {
        MainWindow w(home.Files());
        w.show();
        EXPECT_TRUE(std::filesystem::is_directory(home.dir / "dat"));
        EXPECT_TRUE(std::filesystem::is_directory(home.dir / "bazi_f"));
        w.close();
    }
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(std::filesystem::exists(home.dir / "dat" / "bzinit.ini"));
    EXPECT_TRUE(std::filesystem::exists(home.dir / "dat" / "bazi0.dat"));
}

TEST(ChineseTexts, FolderThatCannotBeMadeIsReportedInChinese) {
    TempHome home;
    std::filesystem::remove_all(home.dir / "bazi_f");
    { std::ofstream(home.dir / "bazi_f") << "a file where the folder belongs"; }
    const Status s = MakeProgramFolders(home.Files());
    ASSERT_FALSE(s.ok());
    EXPECT_EQ(s.message().rfind("无法创建文件夹 ", 0), 0u) << s.message();
    EXPECT_NE(s.message().find("bazi_f"), std::string::npos);
}

// A folder problem met before the window existed is told once, not again
// by the window's own attempt to make the folders.
TEST(ChineseTexts, StartProblemIsToldOnce) {
    TempHome home;
    std::filesystem::remove_all(home.dir / "bazi_f");
    { std::ofstream(home.dir / "bazi_f") << "a file where the folder belongs"; }
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.TellStartProblem(MakeProgramFolders(home.Files()));
    w.show();
    // (The case store then says on its own that bazi_f is no folder.)
    const auto folderMessages = std::count_if(messages.shown.begin(), messages.shown.end(), [](const auto& m) {
        return m.text.startsWith(QStringLiteral("无法创建文件夹 "));
    });
    EXPECT_EQ(folderMessages, 1);
    w.close();
}

TEST(ChineseTexts, SettingsThatCannotBeSavedAreReportedInChinese) {
    TempHome home;
    std::filesystem::create_directories(home.dir / "dat" / "bzinit.ini" / "in the way");
    ScriptedMessages messages;
    {
        MainWindow w(home.Files());
        w.show();
        w.close();
    }
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("错误"));
    // The settings are merged into the file as it is: reading it already
    // fails, and the message names it.
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("无法"))) << messages.shown[0].text.toStdString();
    EXPECT_TRUE(messages.shown[0].text.contains(QString::fromStdString((home.dir / "dat" / "bzinit.ini").string())))
        << messages.shown[0].text.toStdString();
}

TEST(CaseTreeView, LongNodeTextsAreShownWholeAndScrollSideways) {
    TempHome home;
    ScriptedMessages messages;
    CaseRecord record;
    record.a = Person("张三", 1990, 5, 12, 17, true);
    record.b = Person("李四", 1992, 11, 3, 21, false);
    record.category = "临时保存";
    {
        CaseStore store;
        ASSERT_TRUE(store.Open(home.dir).ok());
        ASSERT_TRUE(store.AddRecord(&record).ok());
    }
    const QString node = QString::fromStdString(CaseNodeText(record));
    MainWindow w(home.Files());
    w.show();
    QTreeView* tree = w.caseTree;
    tree->expandAll();
    QApplication::processEvents();
    EXPECT_EQ(tree->textElideMode(), Qt::ElideNone);
    // At the first start the tree is wide enough for the text.
    EXPECT_EQ(tree->horizontalScrollBar()->maximum(), 0);
    // Narrowed by the user, it scrolls sideways rather than cut the text.
    w.splitter->setSizes({120, w.width() - 120});
    QApplication::processEvents();

    const QModelIndexList hits = tree->model()->match(tree->model()->index(0, 0), Qt::DisplayRole, node, 1,
                                                      Qt::MatchRecursive | Qt::MatchExactly);
    ASSERT_EQ(hits.size(), 1) << node.toStdString();
    const QRect item = tree->visualRect(hits[0]);
    const int textWidth = tree->fontMetrics().horizontalAdvance(node);
    EXPECT_GE(tree->header()->sectionSize(0), item.x() + textWidth);  // the column holds the whole text
    EXPECT_GT(tree->horizontalScrollBar()->maximum(), 0);             // wider than the tree: it scrolls
}

TEST(Keyboard, QuitAndNewHaveShortcutsAndButtonsHaveAccelerators) {
    TempHome home;
    MainWindow w(home.Files());
    QAction* quit = w.findChild<QAction*>(QStringLiteral("fnumclose"));
    ASSERT_NE(quit, nullptr);
    EXPECT_EQ(quit->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QAction* newCase = w.findChild<QAction*>(QStringLiteral("actNewCase"));
    ASSERT_NE(newCase, nullptr);
    EXPECT_EQ(newCase->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));  // "新建" has no room for one
    for (QPushButton* b : {w.matchButton, w.searchDaysButton}) {
        SCOPED_TRACE(b->objectName().toStdString());
        EXPECT_TRUE(b->text().contains(u'&'));
    }
}

TEST(Keyboard, ReportPaneTakesTabsAndCtrlTabLeavesIt) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    QApplication::setActiveWindow(&w);
    w.reportPane->setFocus();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), w.reportPane);
    SendKey(w.reportPane, Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("\t"));
    EXPECT_EQ(QApplication::focusWidget(), w.reportPane);
    SendKey(w.reportPane, Qt::Key_Tab, Qt::ControlModifier, QStringLiteral("\t"));
    EXPECT_EQ(QApplication::focusWidget(), w.newButton);  // the next control beside the pane
    EXPECT_EQ(w.pages->currentIndex(), 0);                // the page stays
    EXPECT_EQ(w.reportPane->toPlainText(), QStringLiteral("\t"));
    w.reportPane->setFocus();
    SendKey(w.reportPane, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NE(QApplication::focusWidget(), w.reportPane);
    EXPECT_EQ(w.pages->currentIndex(), 0);
}

TEST(Keyboard, TabLeavesTheEndingText) {
    ScriptedMessages messages;
    ReportEndingDialog dlg(EndingText{{"结尾"}}, true);
    EXPECT_TRUE(dlg.textBox->tabChangesFocus());
}

}  // namespace
}  // namespace tessaly
