// The history commands of "文件(&F)": export, clear and import the whole
// case store through the window, with their questions and messages.

#include "app/CaseTreeModel.h"
#include "pane_test_util.h"

namespace tessaly {
namespace {

using apptest::AnswerFileDialog;
using apptest::FileBytes;
using apptest::MatchCouple;
using apptest::Person;
using apptest::ScriptedMessages;
using apptest::StoreFiles;
using apptest::TempHome;
namespace fs = std::filesystem;

// Number of case nodes under the tree's categories.
int CaseNodes(const MainWindow& w) {
    const CaseTreeModel& m = *w.caseModel;
    int n = 0;
    for (int i = 0; i < m.rowCount(m.RootIndex()); ++i) n += m.rowCount(m.CategoryIndex(i));
    return n;
}

// A window whose store holds two cases with their reports.
struct TwoCases {
    TwoCases() : w(home.Files()) {
        w.show();
        MatchCouple(w, Person("张三", 1994, true), Person("李四", 1996, false));
        apptest::SaveAsNewCase(w);
        MatchCouple(w, Person("王五", 1985, true), Person("赵六", 1988, false));
        apptest::SaveAsNewCase(w);
        messages.shown.clear();
    }
    TempHome home;
    TempHome elsewhere;  // where the history is exported to
    ScriptedMessages messages;
    MainWindow w;
};

struct Shown {
    const char* text;
    const char* caption;
    MsgIcon icon;
    bool question;
    bool defaultNo;
};

void ExpectMessages(const std::vector<MessageRequest>& got, const std::vector<Shown>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_TRUE(got[i].text.startsWith(QString::fromUtf8(want[i].text))) << got[i].text.toStdString();
        EXPECT_EQ(got[i].caption, QString::fromUtf8(want[i].caption));
        EXPECT_EQ(got[i].icon, want[i].icon);
        EXPECT_EQ(got[i].buttons == MsgButtons::kYesNo, want[i].question);
        EXPECT_EQ(got[i].defaultNo, want[i].defaultNo);
    }
}

TEST(History, ExportClearAndImportRestoreTheStoreByteForByte) {
    TwoCases t;
    const auto before = StoreFiles(t.home.dir);
    ASSERT_EQ(CaseNodes(t.w), 2);
    ASSERT_TRUE(before.count("bazi_f/1.rtf"));

    // Export into a folder typed by the user, created after asking.
    const fs::path backup = t.elsewhere.dir / "备份";
    AnswerFileDialog(backup);
    t.w.ExportHistory();
    const QString folder = QString::fromStdString(backup.string()) + u'/';
    ExpectMessages(t.messages.shown,
                   {{"文件夹“", "提示", MsgIcon::kInformation, true, false}, {"", "", MsgIcon::kNone, false, false}});
    EXPECT_EQ(t.messages.shown[1].text, QStringLiteral("成功导出，已保存到") + folder + QStringLiteral("目录下"));
    EXPECT_EQ(FileBytes(backup / "bazi0.dat"), before.at("dat/bazi0.dat"));
    EXPECT_EQ(FileBytes(backup / "bazi_f" / "1.rtf"), before.at("bazi_f/1.rtf"));

    // Clear: two questions, No as their default; the window closes.
    t.messages.shown.clear();
    t.w.ClearHistory();
    ExpectMessages(t.messages.shown, {{"这将清除所有历史记录，要继续吗？", "注意了", MsgIcon::kWarning, true, true},
                                      {"确定要清除吗？", "注意了", MsgIcon::kWarning, true, true},
                                      {"清除完成,请重启软件。", "", MsgIcon::kNone, false, false}});
    EXPECT_FALSE(t.w.isVisible());
    EXPECT_EQ(CaseNodes(t.w), 0);
    EXPECT_EQ(FileBytes(t.home.dir / "dat" / "bazi0.dat").size(), 20u);
    EXPECT_FALSE(fs::exists(t.home.dir / "bazi_f" / "0.rtf"));

    // The next start shows an empty tree; import brings the history back.
    {
        MainWindow again(t.home.Files());
        again.show();
        EXPECT_EQ(CaseNodes(again), 0);
        t.messages.shown.clear();
        AnswerFileDialog(backup / "bazi0.dat");
        again.ImportHistory();
        ExpectMessages(t.messages.shown,
                       {{"执行此操作将覆盖现有的历史记录，要继续吗？", "注意了", MsgIcon::kWarning, true, true},
                        {"成功导入，请重启软件！", "", MsgIcon::kNone, false, false}});
        EXPECT_FALSE(again.isVisible());
    }
    EXPECT_EQ(StoreFiles(t.home.dir), before);
    MainWindow restarted(t.home.Files());
    restarted.show();
    EXPECT_EQ(CaseNodes(restarted), 2);
    restarted.close();
}

TEST(History, NoToAnyQuestionChangesNothing) {
    TwoCases t;
    const auto before = StoreFiles(t.home.dir);
    const struct {
        const char* what;
        void (MainWindow::*command)();
        std::deque<MsgAnswer> answers;
        std::size_t questions;
    } kCases[] = {
        {"clear, first question", &MainWindow::ClearHistory, {MsgAnswer::kNo}, 1},
        {"clear, second question", &MainWindow::ClearHistory, {MsgAnswer::kYes, MsgAnswer::kNo}, 2},
        {"import", &MainWindow::ImportHistory, {MsgAnswer::kNo}, 1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        t.messages.shown.clear();
        t.messages.answers = c.answers;
        (t.w.*c.command)();
        EXPECT_EQ(t.messages.shown.size(), c.questions);
        EXPECT_TRUE(t.w.isVisible());
        EXPECT_EQ(StoreFiles(t.home.dir), before);
        EXPECT_EQ(CaseNodes(t.w), 2);
    }
    // A cancelled file dialog changes nothing either.
    t.messages.shown.clear();
    AnswerFileDialog({});
    t.w.ImportHistory();
    EXPECT_TRUE(t.w.isVisible());
    EXPECT_EQ(StoreFiles(t.home.dir), before);
}

// A damaged history is refused before anything is replaced: the store, the
// tree and the window stay.
TEST(History, ADamagedImportIsRefusedAndTheStoreStays) {
    TwoCases t;
    const auto before = StoreFiles(t.home.dir);
    const fs::path damaged = t.elsewhere.dir / "damaged";
    fs::create_directories(damaged / "bazi_f");
    std::string header = before.at("dat/bazi0.dat");
    header.resize(20 + 1296 + 100);  // the second record is cut short
    std::ofstream(damaged / "bazi0.dat", std::ios::binary) << header;
    std::ofstream(damaged / "bazi_f" / "0.rtf", std::ios::binary) << "{\\rtf1 other}";

    AnswerFileDialog(damaged / "bazi0.dat");
    t.w.ImportHistory();
    ASSERT_EQ(t.messages.shown.size(), 2u);
    EXPECT_TRUE(t.messages.shown[1].text.startsWith(QStringLiteral("导入历史记录时出错。")));
    EXPECT_EQ(t.messages.shown[1].caption, QStringLiteral("错误"));
    EXPECT_EQ(t.messages.shown[1].icon, MsgIcon::kError);
    EXPECT_EQ(StoreFiles(t.home.dir), before);
    EXPECT_EQ(CaseNodes(t.w), 2);
    EXPECT_TRUE(t.w.isVisible());
}

TEST(History, ExportOverAnEarlierExportAsksFirst) {
    TwoCases t;
    const fs::path backup = t.elsewhere.dir / "backup";
    fs::create_directories(backup);
    std::ofstream(backup / "bazi0.dat", std::ios::binary) << "an older export";
    t.messages.answers = {MsgAnswer::kNo};
    AnswerFileDialog(backup);
    t.w.ExportHistory();
    ExpectMessages(t.messages.shown, {{"“", "注意了", MsgIcon::kWarning, true, true}});
    EXPECT_EQ(FileBytes(backup / "bazi0.dat"), "an older export");

    t.messages.shown.clear();
    AnswerFileDialog(backup);
    t.w.ExportHistory();
    ASSERT_EQ(t.messages.shown.size(), 2u);
    EXPECT_TRUE(t.messages.shown[1].text.startsWith(QStringLiteral("成功导出")));
    EXPECT_EQ(FileBytes(backup / "bazi0.dat"), StoreFiles(t.home.dir).at("dat/bazi0.dat"));
}

}  // namespace
}  // namespace tessaly
