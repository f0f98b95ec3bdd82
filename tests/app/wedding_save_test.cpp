// The wedding tab and saving a case, as the main window drives them.
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTextEdit>
#include <QTimer>
#include <QLineEdit>
#include <QTreeView>

#include "app/BirthDataDialog.h"
#include "app/CaseTreeModel.h"
#include "app/CategoryDialog.h"
#include "app/MainWindow.h"
#include "pane_test_util.h"
#include "matching/WeddingSearch.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

using apptest::MatchCouple;
using apptest::Person;
using apptest::ScriptedMessages;
using apptest::TempHome;

TEST(WeddingTab, SearchFillsThePaneAndBlocksASecondSearch) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.SetClock([] { return QDateTime(QDate(2024, 1, 1), QTime(12, 0)); });
    w.show();
    MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    ASSERT_TRUE(w.chartValid());

    // Seen from inside the search, while it lets window messages through.
    bool sawRunning = false, buttonDisabled = false;
    QTimer::singleShot(0, [&] {
        sawRunning = w.searching();
        buttonDisabled = !w.searchDaysButton->isEnabled();
        w.close();  // waits for the search
    });
    w.SearchDays();
    EXPECT_TRUE(sawRunning);
    EXPECT_TRUE(buttonDisabled);
    EXPECT_TRUE(w.searchDaysButton->isEnabled());
    EXPECT_EQ(w.searchProgress->value(), w.searchProgress->maximum());
    EXPECT_FALSE(w.isVisible());  // the close waited for the end of the search

    QString expected = QString::fromStdString(SearchWeddingDays(*w.lastMatching(), 2024).text);
    expected.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    EXPECT_EQ(w.weddingPane->toPlainText(), expected);
    EXPECT_TRUE(w.weddingPane->toPlainText().startsWith(QStringLiteral("甲辰年29岁丙子女")));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WeddingTab, Refusals) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    w.SearchDays();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("请先输入男、女生日合婚后，才能选择结婚吉日！"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("提示"));

    messages.answers.push_back(MsgAnswer::kYes);  // same sex: go on
    MatchCouple(w, Person("张三", 1994, true), Person("王五", 1995, true));
    ASSERT_TRUE(w.chartValid());
    messages.shown.clear();
    w.SearchDays();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("必须输入男、女八字合婚后，才能选择结婚吉日！"));
    EXPECT_TRUE(messages.shown[0].caption.isEmpty());
}

TEST(SaveCase, NewCaseGoesToTheStoreWithItsReport) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    w.SaveCase();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("请先排一个正确的盘后再保存"));
    messages.shown.clear();

    MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
    ASSERT_TRUE(w.chartValid());
    for (int i = 0; i < 2; ++i) apptest::SaveAsNewCase(w);  // "存新" again stores another copy
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.saveButton->text(), QStringLiteral("存新"));

    CaseStore db;
    ASSERT_TRUE(db.Open(home.dir).ok());
    for (int slot : {0, 1}) {
        SCOPED_TRACE(slot);
        CaseRecord r;
        ASSERT_TRUE(db.ReadRecord(slot, &r).ok());
        EXPECT_TRUE(r.live());
        EXPECT_EQ(r.category, "临时保存");
        EXPECT_EQ(r.a.name, "张三");
        EXPECT_EQ(r.b.name, "李四");
        StyledReport report;
        ASSERT_TRUE(LoadReportFile(db.ReportPath(slot), &report).ok());
        // RTF paragraphs carry no line-end kind: the marriage sections' bare
        // LF line ends come back as CR LF, which the pane shows alike.
        EXPECT_EQ(report.text, WithCrLfLineEnds(w.lastMatching()->Text()));
    }
    // The tree shows the category and both cases.
    const CaseTreeModel* tree = w.caseModel;
    ASSERT_EQ(tree->CategoryCount(), 1);
    EXPECT_EQ(tree->CategoryName(tree->CategoryIndex(0)), "临时保存");
    EXPECT_EQ(tree->rowCount(tree->CategoryIndex(0)), 2);

    // A new window lists the stored cases.
    MainWindow again(home.Files());
    again.show();
    EXPECT_EQ(again.caseModel->rowCount(again.caseModel->CategoryIndex(0)), 2);
}

}  // namespace
}  // namespace tessaly
