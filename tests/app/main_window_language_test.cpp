// The main window in another language: every text of the window (menus,
// buttons, tabs, tooltips, the popup menus) in English without Chinese but
// the terms of art; 选项 → 语言 / Language kept in dat/bzinit.ini for the next
// start; in Traditional Chinese the report shown and saved in Traditional
// characters while the case store keeps the Simplified one.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include "app/AppSetup.h"
#include "app/CaseTreeModel.h"
#include "app/LanguageMenu.h"
#include "app/ReportFileBridge.h"
#include "lang/ChineseScript.h"
#include "lang/Glossary.h"
#include "language_test_util.h"
#include "pane_test_util.h"
#include "store/CaseOperations.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

using apptest::AnswerFileDialog;
using apptest::HanOutsideTermsOfArt;
using apptest::LanguageForTest;
using apptest::MatchCouple;
using apptest::Person;
using apptest::SaveAsNewCase;
using apptest::ScriptedMessages;
using apptest::TempHome;
namespace fs = std::filesystem;

// Every text of a menu and its submenus: titles, items, tooltips. The menu
// "语言 / Language" names each language in that language, on purpose: only
// its item "跟随系统" is translated.
void MenuTexts(const QMenu* menu, QStringList* texts) {
    if (qobject_cast<const LanguageMenu*>(menu) != nullptr) {
        *texts << menu->findChild<QAction*>(QStringLiteral("OmnuLanguage_desktop"))->text();
        return;
    }
    *texts << menu->title();
    for (const QAction* a : menu->actions()) {
        if (a->isSeparator()) continue;
        if (a->menu() != nullptr) {
            MenuTexts(a->menu(), texts);
            continue;
        }
        *texts << a->text() << a->toolTip() << a->statusTip();
    }
}

// The mnemonic letters of a menu's items, each once at most.
void ExpectUniqueMnemonics(const QList<QAction*>& actions, const QString& where) {
    QStringList seen;
    for (const QAction* a : actions) {
        const QString t = a->text();
        const qsizetype amp = t.indexOf(u'&');
        if (amp < 0 || amp + 1 >= t.size()) continue;
        const QString key = t.mid(amp + 1, 1).toLower();
        EXPECT_FALSE(seen.contains(key)) << where.toStdString() << ": " << t.toStdString();
        seen << key;
    }
}

TEST(MainWindowInEnglish, ShowsNoChineseButTermsOfArt) {
    const LanguageForTest speak(UiLanguage::kEnglish);
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();

    QStringList texts;
    for (const QAction* a : w.menuBar()->actions()) {
        ASSERT_NE(a->menu(), nullptr);
        // The skins are named by their files (the user's data); the item
        // "系统默认" among them is the program's.
        if (a->menu() == w.skinMenu) continue;
        MenuTexts(a->menu(), &texts);
    }
    for (const QAction* a : w.skinMenu->actions()) {
        if (a->data().toInt() != 0) texts << a->text();
    }
    MenuTexts(w.caseMenu, &texts);
    std::unique_ptr<QMenu> paneMenu(w.PaneMenu(w.reportPane));
    MenuTexts(paneMenu.get(), &texts);
    for (const QAbstractButton* b : w.findChildren<QAbstractButton*>()) texts << b->text() << b->toolTip();
    for (const QLabel* l : w.findChildren<QLabel*>()) texts << l->text() << l->toolTip();
    for (int i = 0; i < w.pages->count(); ++i) texts << w.pages->tabText(i) << w.pages->tabToolTip(i);
    texts << w.reportPane->placeholderText() << w.windowTitle();
    texts << w.caseModel->data(w.caseModel->RootIndex(), Qt::DisplayRole).toString();
    texts << LanguageMenu::RestartNotice().section(u'\n', 1);  // the English half

    int checked = 0;
    for (const QString& t : texts) {
        if (t.isEmpty()) continue;
        ++checked;
        EXPECT_EQ(HanOutsideTermsOfArt(t), QString()) << t.toStdString();
    }
    EXPECT_GT(checked, 60);

    // The menu bar and every menu keep their keyboard letters.
    ExpectUniqueMnemonics(w.menuBar()->actions(), QStringLiteral("menu bar"));
    QStringList titles;
    for (const QAction* a : w.menuBar()->actions()) {
        titles << a->text();
        ExpectUniqueMnemonics(a->menu()->actions(), a->text());
    }
    EXPECT_TRUE(titles.contains(QStringLiteral("&File"))) << titles.join(u'|').toStdString();
    EXPECT_TRUE(titles.contains(QStringLiteral("&Help"))) << titles.join(u'|').toStdString();
}

TEST(MainWindowInEnglish, TheReportStaysChineseWithTheGlossaryOnHover) {
    const LanguageForTest speak(UiLanguage::kEnglish);
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    ASSERT_TRUE(w.chartValid());
    StyledReport shown;
    PaneToStyledReport(w.reportPane, &shown);
    EXPECT_EQ(shown.text, WithCrLfLineEnds(w.lastMatching()->Text()));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(LanguageMenuOfTheMainWindow, ChoiceIsKeptForTheNextStart) {
    TempHome home;
    ScriptedMessages messages;
    auto w = std::make_unique<MainWindow>(home.Files());
    w->show();
    ASSERT_NE(w->languageMenu, nullptr);
    // Under 选项, named the same in every language.
    const QMenu* options = nullptr;
    for (QAction* a : w->menuBar()->actions()) {
        if (a->menu() != nullptr && a->menu()->actions().contains(w->languageMenu->menuAction())) options = a->menu();
    }
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->title(), QStringLiteral("选项(&O)"));
    EXPECT_EQ(w->languageMenu->title(), QStringLiteral("语言 / Language"));

    w->languageMenu->findChild<QAction*>(QStringLiteral("OmnuLanguage_en"))->trigger();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, LanguageMenu::RestartNotice());
    EXPECT_EQ(StartLanguage(home.Files()), UiLanguage::kEnglish);
    // The window keeps its language until the program starts again.
    EXPECT_EQ(CurrentLanguage(), UiLanguage::kSimplified);
    EXPECT_EQ(w->matchButton->text(), QStringLiteral("开始合婚(&M)"));
    // Closing writes the window's settings without losing the choice.
    w->close();
    w.reset();
    EXPECT_EQ(StartLanguage(home.Files()), UiLanguage::kEnglish);

    // The next window marks it.
    MainWindow again(home.Files());
    again.show();
    emit again.languageMenu->aboutToShow();
    EXPECT_TRUE(again.languageMenu->findChild<QAction*>(QStringLiteral("OmnuLanguage_en"))->isChecked());
    EXPECT_FALSE(again.languageMenu->findChild<QAction*>(QStringLiteral("OmnuLanguage_desktop"))->isChecked());
}

// The report of one couple as the pane shows it in `language`, and the case
// stored from it.
struct ShownReport {
    StyledReport pane, stored, saved;
};

ShownReport ReportIn(UiLanguage language) {
    const LanguageForTest speak(language);
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    ShownReport r;
    PaneToStyledReport(w.reportPane, &r.pane);
    apptest::SaveAsNewCase(w);
    EXPECT_TRUE(LoadReportFile(home.dir / "bazi_f" / "0.rtf", &r.stored).ok());
    AnswerFileDialog(home.dir / "report", QCoreApplication::translate("tessaly::MainWindow", "Rtf格式 (*.rtf)"));
    w.SaveReportAs(w.reportPane);
    EXPECT_TRUE(LoadReportFile(home.dir / "report.rtf", &r.saved).ok());
    for (const MessageRequest& m : messages.shown) ADD_FAILURE() << m.text.toStdString();
    return r;
}

TEST(MainWindowInTraditionalChinese, ShowsAndSavesTheReportConvertedAndStoresItSimplified) {
    const ShownReport simplified = ReportIn(UiLanguage::kSimplified);
    // Simplified: shown, stored and saved as the run made it.
    ASSERT_FALSE(simplified.pane.text.empty());
    EXPECT_EQ(simplified.stored.text, simplified.pane.text);
    EXPECT_EQ(simplified.saved.text, simplified.pane.text);

    for (UiLanguage l : {UiLanguage::kTraditionalTaiwan, UiLanguage::kTraditionalHongKong}) {
        SCOPED_TRACE(std::string(LanguageCode(l)));
        const ShownReport traditional = ReportIn(l);
        const std::string want = TraditionalConverter::For(l).ConvertReport(simplified.pane).text;
        EXPECT_NE(want, simplified.pane.text);
        EXPECT_EQ(traditional.pane.text, want);
        EXPECT_NE(traditional.pane.text.find("婚配指數"), std::string::npos);
        // A report file holds what the pane shows; the case store the program's report.
        EXPECT_EQ(traditional.saved.text, want);
        EXPECT_EQ(traditional.stored.text, simplified.pane.text);
    }
}

TEST(MainWindowInTraditionalChinese, AnEditedReportIsStoredAsEdited) {
    const LanguageForTest speak(UiLanguage::kTraditionalTaiwan);
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    w.reportPane->append(QStringLiteral("批註：婚期再議"));
    StyledReport pane;
    PaneToStyledReport(w.reportPane, &pane);
    apptest::SaveAsNewCase(w);
    StyledReport stored;
    ASSERT_TRUE(LoadReportFile(home.dir / "bazi_f" / "0.rtf", &stored).ok());
    EXPECT_EQ(stored.text, pane.text);
}

// A text file is GBK: it holds the Traditional report (GBK has its
// characters), and a character GBK lacks is named in the refusal.
TEST(MainWindowInTraditionalChinese, TextFileInGbkHoldsTheConvertedReportAndNamesACharacterItLacks) {
    for (UiLanguage l : {UiLanguage::kTraditionalTaiwan, UiLanguage::kTraditionalHongKong}) {
        SCOPED_TRACE(std::string(LanguageCode(l)));
        const LanguageForTest speak(l);
        TempHome home;
        ScriptedMessages messages;
        MainWindow w(home.Files());
        w.show();
        MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
        StyledReport pane;
        PaneToStyledReport(w.reportPane, &pane);
        const QString txt = QCoreApplication::translate("tessaly::MainWindow", "Txt格式 (*.txt)");
        AnswerFileDialog(home.dir / "report", txt);
        w.SaveReportAs(w.reportPane);
        EXPECT_TRUE(messages.shown.empty());
        StyledReport back;
        ASSERT_TRUE(LoadReportFile(home.dir / "report.txt", &back).ok());
        EXPECT_EQ(back.text, pane.text);
        EXPECT_NE(back.text.find("婚配指數"), std::string::npos);

        w.reportPane->append(QString::fromUtf8("\xF0\xA0\x9D\xB9"));  // 𠝹, a Hong Kong character outside GBK
        AnswerFileDialog(home.dir / "edited", txt);
        w.SaveReportAs(w.reportPane);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_TRUE(messages.shown[0].text.contains(QString::fromUtf8("“\xF0\xA0\x9D\xB9”")))
            << messages.shown[0].text.toStdString();
        EXPECT_FALSE(fs::exists(home.dir / "edited.txt"));
    }
}

// The case tree's calendar mark is the program's; the names are the user's.
TEST(CaseTreeInEnglish, CalendarMarkOfACaseNode) {
    const struct {
        UiLanguage language;
        const char* stored;
        const char* shown;
    } kCases[] = {
        {UiLanguage::kEnglish, "张三  公1990-5-12|0", "张三  1990-5-12|0"},
        {UiLanguage::kEnglish, "小芳  农1995-9-9|2", "小芳  lunar 1995-9-9|2"},
        {UiLanguage::kEnglish, "公  农  公2001-1-1|7", "公  农  2001-1-1|7"},  // a name of marks
        {UiLanguage::kSimplified, "小芳  农1995-9-9|2", "小芳  农1995-9-9|2"},
        {UiLanguage::kTraditionalTaiwan, "小芳  农1995-9-9|2", "小芳  農1995-9-9|2"},
        {UiLanguage::kEnglish, "没有日期", "没有日期"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.stored);
        const LanguageForTest speak(c.language);
        EXPECT_EQ(CaseTreeModel::ShownCaseText(QString::fromUtf8(c.stored)).toStdString(), c.shown);
    }
}

}  // namespace
}  // namespace tessaly
