// The wedding tab and saving a case, as the main window drives them.
#include <QComboBox>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "app/BirthDataDialog.h"
#include "app/MainWindow.h"
#include "app_test_util.h"
#include "matching/WeddingSearch.h"
#include "store/CaseStore.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace {

// The text with every bare LF written as CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;

PersonRecord Person(const char* name, int year, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = std::int16_t(year), r.month = 6, r.day = 15, r.hour = 10, r.minute = 0;
    r.isMale = male ? 1 : 0;
    return r;
}

// Runs "开始合婚" with the two persons answered in the birth dialogs.
void Match(MainWindow& w, const PersonRecord& a, const PersonRecord& b) {
    apptest::AnswerBothBirthDialogs(a, b);
    w.StartMatching();
}

TEST(WeddingTab, SearchFillsThePaneAndBlocksASecondSearch) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.SetClock([] { return QDateTime(QDate(2024, 1, 1), QTime(12, 0)); });
    w.show();
    Match(w, Person("张三", 1994, true), Person("李四", 1996, false));
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
    Match(w, Person("张三", 1994, true), Person("王五", 1995, true));
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

    Match(w, Person("张三", 1994, true), Person("李四", 1996, false));
    ASSERT_TRUE(w.chartValid());
    w.SaveCase();
    w.SaveCase();  // "存新" again stores another copy
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
        EXPECT_EQ(report.text, WithCrLf(w.lastMatching()->Text()));
    }
    // The tree shows the category and both cases.
    QTreeWidgetItem* root = w.caseTree->topLevelItem(0);
    ASSERT_EQ(root->childCount(), 1);
    EXPECT_EQ(root->child(0)->text(0), QStringLiteral("临时保存"));
    EXPECT_EQ(root->child(0)->childCount(), 2);

    // A new window lists the stored cases.
    MainWindow again(home.Files());
    again.show();
    EXPECT_EQ(again.caseTree->topLevelItem(0)->child(0)->childCount(), 2);
}

}  // namespace
}  // namespace tessaly
