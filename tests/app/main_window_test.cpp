// The main window: first start, settings at close, the matching run through
// the two birth dialogs and the report pane's colours.
#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTreeView>
#include <fstream>

#include "app/CaseTreeModel.h"
#include "app/ChartPicture.h"
#include "app/BirthDataDialog.h"
#include "app/MainWindow.h"
#include "app/ReportFontDialog.h"
#include "app_test_util.h"
#include "store/CaseStore.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

constexpr auto Person = apptest::TestPerson;
using apptest::AnswerBirthDialogs;

TEST(MainWindow, FirstStartWithoutSettingsFile) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.SetClock([] { return QDateTime(QDate(2024, 3, 5), QTime(9, 41)); });
    w.show();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tessaly 2.0"));
    // No saved position: centred, three quarters of the screen, at least
    // 1000 × 700 where the screen allows (less room for the frame).
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize want(std::min(avail.width() - 16, std::max(avail.width() * 3 / 4, 1000)),
                     std::min(avail.height() - 48, std::max(avail.height() * 3 / 4, 700)));
    EXPECT_EQ(w.size(), want);
    // Centred with its frame (guessed 16 × 48 until the window has one).
    EXPECT_EQ(w.pos(),
              avail.topLeft() + QPoint(avail.width() - want.width() - 16, avail.height() - want.height() - 48) / 2);
    // The tree shows a case's text whole: name, date and slot.
    EXPECT_GE(w.caseTree->viewport()->width(),
              2 * w.caseTree->indentation() + w.caseTree->iconSize().width() +
                  w.caseTree->fontMetrics().horizontalAdvance(QStringLiteral("某某某  公2000-12-31|999")));
    EXPECT_LE(w.caseTree->width(), w.width() / 2);
    // The empty report pane says where to start.
    EXPECT_EQ(w.reportPane->placeholderText(), QStringLiteral("按『开始合婚(M)』输入甲乙双方生日"));
    EXPECT_EQ(w.reportPane->font().family(), QStringLiteral("宋体"));
    EXPECT_EQ(w.reportPane->font().pointSize(), 12);
    EXPECT_EQ(w.reportColor(), QColor(208, 204, 192));  // 12635344
    EXPECT_TRUE(w.reportPane->toPlainText().isEmpty());
    EXPECT_EQ(w.personA().name, "某人");
    EXPECT_EQ(w.personA().isMale, 1);
    EXPECT_EQ(w.personB().isMale, 0);
    EXPECT_EQ(w.personA().Time(), (CivilTime{2024, 3, 5, 9, 41}));
    EXPECT_EQ(w.personB().Time(), w.personA().Time());
    ASSERT_EQ(w.marriageYearBox->count(), 5);
    EXPECT_EQ(w.marriageYearBox->itemText(0), QStringLiteral("2024"));
    EXPECT_EQ(w.marriageYearBox->itemText(4), QStringLiteral("2028"));
    EXPECT_EQ(qApp->styleSheet(), QString());
    EXPECT_TRUE(messages.shown.empty());

    // The skin menu lists the shipped skins, then 系统默认 (checked).
    QStringList items;
    for (QAction* a : w.skinMenu->actions()) {
        if (!a->isSeparator()) items << a->text();
    }
    EXPECT_EQ(items, (QStringList{"Celadon", "Ink", "Mx1", "系统默认"}));
    EXPECT_TRUE(w.skinMenu->actions().back()->isChecked());
    w.close();
}

// A damaged store at start: the error asks whether to repair it; Yes
// repairs it (keeping the damaged file) and the tree shows what is left,
// No leaves the store closed.
TEST(MainWindow, DamagedStoreIsRepairedOnRequest) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "repair" : "leave it");
        TempHome home;
        {
            CaseStore db;
            ASSERT_TRUE(db.Open(home.dir).ok());
            for (const char* name : {"张三", "李四"}) {
                CaseRecord r;
                r.a.name = name;
                r.category = "同事";
                ASSERT_TRUE(db.AddRecord(&r).ok());
            }
        }
        std::filesystem::resize_file(home.dir / "dat/bazi0.dat", 20 + 1296 + 9);
        ScriptedMessages messages;
        messages.answers = {yes ? MsgAnswer::kYes : MsgAnswer::kNo};
        MainWindow w(home.Files());
        w.show();
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("命例库文件 ") + QString::fromStdString((home.dir / "dat/bazi0.dat").string()) +
                      QStringLiteral(" 有 1325 字节，文件头需要 2612 字节；命例库需要修复\r\n\r\n"
                                     "要修复吗？（修复前的文件会另存一份）"));
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kYesNo);
        const CaseTreeModel& m = *w.caseModel;
        const QModelIndex root = m.RootIndex();
        if (yes) {
            EXPECT_TRUE(messages.shown[1].text.startsWith(QStringLiteral("命例库已修复")));
            ASSERT_EQ(m.rowCount(root), 1);
            ASSERT_EQ(m.rowCount(m.CategoryIndex(0)), 1);
            EXPECT_TRUE(m.index(0, 0, m.CategoryIndex(0)).data().toString().startsWith(QStringLiteral("张三")));
        } else {
            EXPECT_EQ(messages.shown[1].caption, QStringLiteral("错误"));
            EXPECT_EQ(m.rowCount(root), 0);
        }
        w.close();
    }
}

// A store that is not this program's is reported; a repair is not offered.
TEST(MainWindow, StoreOfAnotherKindIsReportedWithoutARepair) {
    TempHome home;
    {
        CaseStore db;
        ASSERT_TRUE(db.Open(home.dir).ok());
    }
    std::string header(20, '\0');
    header[0] = 5;
    std::ofstream(home.dir / "dat/bazi0.dat", std::ios::binary | std::ios::trunc) << header;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("错误"));
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kOk);
    EXPECT_EQ(messages.shown[0].text, QString::fromStdString((home.dir / "dat/bazi0.dat").string()) +
                                          QStringLiteral(" 是类型 5 的数据，不是本软件的命例库"));
    w.close();
}

TEST(MainWindow, ClockAfter2100GivesTheYear2050) {
    TempHome home;
    MainWindow w(home.Files());
    w.SetClock([] { return QDateTime(QDate(2101, 1, 2), QTime(3, 4)); });
    w.show();
    EXPECT_EQ(w.personA().year, 2050);
    EXPECT_EQ(w.marriageYearBox->itemText(0), QStringLiteral("2050"));
    EXPECT_EQ(w.marriageYearBox->itemText(4), QStringLiteral("2054"));
}

TEST(MainWindow, SettingsAreReadAndTreeWidthHasAMinimum) {
    TempHome home;
    ASSERT_TRUE(
        home.WriteSettings("[winpos]\r\nleft=30\r\ntop=40\r\nwidth=700\r\nheight=500\r\ntreewid=12\r\nsheng=99\r\n"
                           "shi=5\r\nsheng2=9\r\nshi2=1\r\n[minggao]\r\nfname=宋体\r\nfsize=14\r\n"
                           "bcolor=16711680\r\n[window]\r\nskined=1\r\nskinname=Gone\r\n")
            .ok());
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    EXPECT_EQ(w.caseTree->width(), 30);
    EXPECT_EQ(w.pos(), QPoint(30, 40));
    EXPECT_EQ(w.reportPane->font().pointSize(), 14);
    EXPECT_EQ(w.reportColor(), QColor(0, 0, 255));  // Windows 0xFF0000 is blue
    EXPECT_EQ(w.personA().provinceIndex, 0);        // out of range
    EXPECT_EQ(w.personB().provinceIndex, 9);
    // A skin file gone since the last run: the system style, without a word.
    EXPECT_EQ(qApp->styleSheet(), QString());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MainWindow, CloseWritesTheSettings) {
    TempHome home;
    ScriptedMessages messages;
    int treeWidth = 0;
    {
        MainWindow w(home.Files());
        w.show();
        w.move(50, 60);
        w.resize(700, 500);
        treeWidth = w.caseTree->width();
        w.close();
    }
    IniFile ini(home.dir / "dat" / "bzinit.ini");
    EXPECT_EQ(ini.ReadInteger("winpos", "left", -1), 50);
    EXPECT_EQ(ini.ReadInteger("winpos", "top", -1), 60);
    EXPECT_EQ(ini.ReadInteger("winpos", "width", -1), 700);
    EXPECT_EQ(ini.ReadInteger("winpos", "height", -1), 500);
    EXPECT_EQ(ini.ReadInteger("winpos", "state", -1), 0);
    EXPECT_EQ(ini.ReadInteger("winpos", "treewid", -1), treeWidth);
    EXPECT_EQ(ini.ReadString("minggao", "fname"), "宋体");
    EXPECT_EQ(ini.ReadInteger("minggao", "fsize", -1), 12);
    EXPECT_EQ(ini.ReadInteger("minggao", "bcolor", -1), 12635344);
    EXPECT_EQ(ini.ReadInteger("winpos", "sheng", -1), 0);
    EXPECT_EQ(ini.ReadInteger("winpos", "shi2", -1), 0);

    // Closed maximised: the normal geometry stays, the state says 2.
    {
        MainWindow w(home.Files());
        w.show();
        w.showMaximized();
        w.close();
    }
    IniFile again(home.dir / "dat" / "bzinit.ini");
    EXPECT_EQ(again.ReadInteger("winpos", "state", -1), 2);
    EXPECT_EQ(again.ReadInteger("winpos", "width", -1), 700);
    EXPECT_EQ(again.ReadInteger("winpos", "left", -1), 50);
}

TEST(MainWindow, DefaultAppearanceCommand) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    w.SetDefaultAppearance();
    EXPECT_EQ(w.reportColor(), QColor(Qt::white));
    EXPECT_EQ(w.reportPane->font().pointSize(), 12);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("设置完成"));
}

// The character format at the start of the first occurrence of `needle`
// searched from editor position `from`.
QTextCharFormat FormatAt(const QTextEdit* pane, const QString& needle, int from = 0) {
    const int at = int(pane->toPlainText().indexOf(needle, from));
    EXPECT_GE(at, 0) << needle.toStdString();
    QTextCursor c(pane->document());
    c.setPosition(at + 1);  // the format of the character after the cursor's left one
    return c.charFormat();
}

// "字体设置" and "默认" change the report on screen at once: its text takes
// the new font, every size in proportion; the modified mark stays.
TEST(MainWindow, ReportFontAppliesToTheShownReportAtOnce) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    AnswerBirthDialogs(Person("张三", 1990, 5, 12, 8, true), Person("李娜", 1992, 11, 3, 21, false));
    w.StartMatching();
    ASSERT_TRUE(w.chartValid());
    w.weddingPane->setPlainText(QStringLiteral("择日"));  // no explicit size: follows the pane
    const QTextCharFormat bodyBefore = FormatAt(w.reportPane, QStringLiteral("命主姓名"));
    ASSERT_EQ(bodyBefore.fontPointSize(), 12);
    qreal largestBefore = 0;
    for (QTextBlock b = w.reportPane->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            largestBefore = std::max(largestBefore, it.fragment().charFormat().fontPointSize());
    }
    ASSERT_GT(largestBefore, 12);
    EXPECT_FALSE(w.reportPane->document()->isModified());

    apptest::WhenModal<ReportFontDialog>([](ReportFontDialog* dlg) {
        const int at = dlg->sizeBox->findData(18);
        ASSERT_GE(at, 0);
        dlg->sizeBox->setCurrentIndex(at);
        dlg->accept();
    });
    w.ChooseReportFont();
    EXPECT_EQ(FormatAt(w.reportPane, QStringLiteral("命主姓名")).fontPointSize(), 18);
    qreal largestAfter = 0;
    for (QTextBlock b = w.reportPane->document()->begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it)
            largestAfter = std::max(largestAfter, it.fragment().charFormat().fontPointSize());
    }
    EXPECT_EQ(largestAfter, std::round(largestBefore * 18 / 12 * 2) / 2);
    EXPECT_FALSE(w.reportPane->document()->isModified());
    EXPECT_EQ(w.weddingPane->font().pointSize(), 18);

    // "默认": back to 宋体 12.
    w.SetDefaultAppearance();
    EXPECT_EQ(FormatAt(w.reportPane, QStringLiteral("命主姓名")).fontPointSize(), 12);
    // "默认" again changes nothing.
    w.SetDefaultAppearance();
    EXPECT_EQ(FormatAt(w.reportPane, QStringLiteral("命主姓名")).fontPointSize(), 12);
}

TEST(MainWindow, MatchingRunShowsTheColouredReport) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    const PersonRecord a = Person("张三", 1993, 5, 12, 8, true);
    const PersonRecord b = Person("李四", 1992, 11, 3, 21, false);
    AnswerBirthDialogs(a, b);
    w.StartMatching();
    ASSERT_TRUE(w.chartValid());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(w.matchButton->isEnabled());
    EXPECT_EQ(w.currentCase().a.name, "张三");
    EXPECT_EQ(w.currentCase().b.name, "李四");

    // The pane holds the engine's report, a CR LF being one line break.
    QString expected = QString::fromStdString(w.lastMatching()->Text());
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(w.reportPane->toPlainText(), expected);
    EXPECT_FALSE(w.reportPane->document()->isModified());
    EXPECT_FALSE(w.reportPane->document()->isUndoAvailable());

    const qreal base = w.reportPane->font().pointSizeF();
    const QString text = w.reportPane->toPlainText();
    const int bStart = int(text.indexOf(QStringLiteral("乙命八字：")));
    const struct {
        const char* needle;
        int from;
        QColor color;
        qreal size;
        bool bold;
    } kRuns[] = {
        {"甲命八字：", 0, QColor(0, 0, 255), base, true},
        {"乾造", 0, QColor(255, 0, 0), base, false},     // A's pillar row
        {"藏干", 0, QColor(0, 0, 0), base, false},       // ends before the hidden stems
        {"☆胎元", 0, QColor(0, 0, 0), base - 1, false},  // A's stars, one size smaller
        {"乙命八字：", 0, QColor(0, 0, 255), base, true},
        {"坤造", bStart, QColor(255, 0, 0), base, false},  // B's pillar row
        {"藏干", bStart, QColor(0, 128, 0), base, false},  // B's chart in green
        {"☆胎元", bStart, QColor(0, 128, 0), base - 1, false},
        {"婚姻配对分析：", 0, QColor(0, 0, 255), base, true},
        {"婚配指数", 0, QColor(255, 0, 0), base + 4, true},
    };
    for (const auto& r : kRuns) {
        SCOPED_TRACE(r.needle);
        const QTextCharFormat f = FormatAt(w.reportPane, QString::fromUtf8(r.needle), r.from);
        EXPECT_EQ(f.foreground().color(), r.color);
        EXPECT_DOUBLE_EQ(f.fontPointSize(), r.size);
        EXPECT_EQ(f.fontWeight() >= QFont::Bold, r.bold);
    }
    // The index's unit belongs to the red run, the text after it does not.
    const int unit = int(text.indexOf(QStringLiteral("分"), text.indexOf(QStringLiteral("婚配指数"))));
    QTextCursor c(w.reportPane->document());
    c.setPosition(unit + 1);
    EXPECT_EQ(c.charFormat().foreground().color(), QColor(255, 0, 0));

    // The picture shows both charts and the index on the 120 × 500 canvas.
    EXPECT_EQ(w.chartPicture->Picture().size(), QSize(120, 500));
    EXPECT_NE(w.chartPicture->Picture(), PictureBackground());
}

TEST(MainWindow, SameSexQuestion) {
    TempHome home;
    const PersonRecord a = Person("张三", 1993, 5, 12, 8, true);
    const PersonRecord b = Person("王五", 1991, 2, 3, 4, true);
    for (MsgAnswer answer : {MsgAnswer::kNo, MsgAnswer::kYes}) {
        SCOPED_TRACE(answer == MsgAnswer::kYes ? "yes" : "no");
        ScriptedMessages messages;
        messages.answers.push_back(answer);
        MainWindow w(home.Files());
        w.show();
        AnswerBirthDialogs(a, b);
        w.StartMatching();
        ASSERT_GE(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("性别相同！"));
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kYesNo);
        EXPECT_EQ(w.chartValid(), answer == MsgAnswer::kYes);
        EXPECT_EQ(w.reportPane->toPlainText().isEmpty(), answer == MsgAnswer::kNo);
    }
}

TEST(MainWindow, CancellingTheSecondDialogLeavesNoValidChart) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    const PersonRecord a = Person("张三", 1993, 5, 12, 8, true);
    const PersonRecord b = Person("李四", 1992, 11, 3, 21, false);
    AnswerBirthDialogs(a, b);
    w.StartMatching();
    ASSERT_TRUE(w.chartValid());
    AnswerBirthDialogs(a, std::nullopt);
    w.StartMatching();
    EXPECT_FALSE(w.chartValid());
    EXPECT_TRUE(messages.shown.empty());
}

TEST(MainWindow, MenusShowOnlyWhatWorks) {
    TempHome home;
    MainWindow w(home.Files());
    QStringList menus;
    for (QAction* a : w.menuBar()->actions()) {
        if (a->isVisible()) menus << a->text();
    }
    EXPECT_EQ(menus, (QStringList{"文件(&F)", "查看(&V)", "命理知识(&S)", "辅助工具(&T)", "选项(&O)", "帮助(&H)"}));
    QStringList fileItems;
    for (QAction* a : w.menuBar()->actions().front()->menu()->actions())
        fileItems << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(fileItems, (QStringList{"保存八字", "-", "导入历史记录", "导出历史记录", "清除历史记录", "-", "退出"}));
    EXPECT_EQ(w.knowledgeMenu->actions().value(0)->objectName(), "mlpic");
    EXPECT_EQ(w.knowledgeMenu->actions().value(1)->objectName(), "mlzishi");
    EXPECT_EQ(w.helpMenu->actions().value(0)->objectName(), "HmnuRhelp");
    EXPECT_TRUE(w.saveCaseAction->isVisible());
    EXPECT_TRUE(w.pages->isTabVisible(1));
}

}  // namespace
}  // namespace tessaly
