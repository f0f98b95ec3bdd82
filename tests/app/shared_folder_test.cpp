// The window and the command line on one data folder: the window follows
// what tessaly-cli changes (the case tree, the case on view, the settings),
// and a second window on the folder hands over to the first.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QInputDialog>
#include <QProcess>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <csignal>

#include "app/CaseTreeModel.h"
#include "app/SingleWindow.h"
#include "app/StoreWatcher.h"
#include "app_test_util.h"
#include "store/Categories.h"

namespace tessaly::apptest {
namespace {

namespace fs = std::filesystem;

// Runs tessaly-cli on `home`; the exit code (−1 when it did not finish).
int Cli(const fs::path& home, const QStringList& args, QString* out = nullptr) {
    QProcess p;
    p.start(QStringLiteral(TESSALY_CLI),
            QStringList{QStringLiteral("--home"), QString::fromStdString(home.string())} + args);
    if (!p.waitForFinished(30000)) return -1;
    if (out != nullptr) *out = QString::fromUtf8(p.readAllStandardOutput());
    return p.exitCode();
}

const QStringList kAddZhang = {
    QStringLiteral("cases"),      QStringLiteral("add"),
    QStringLiteral("--a"),        QStringLiteral("name=张三;sex=M;date=1990-05-12 08:30;prov=北京市"),
    QStringLiteral("--b"),        QStringLiteral("name=李四;sex=F;date=1992-11-03 21:10"),
    QStringLiteral("--category"), QStringLiteral("客户"),
    QStringLiteral("--note"),     QStringLiteral("命令行存入")};

QStringList AddCase(const QString& name, const QString& category) {
    QStringList a = kAddZhang;
    a[3] = QStringLiteral("name=%1;sex=M;date=1985-03-02 10:30;prov=北京市").arg(name);
    a[7] = category;
    return a;
}

// Lets the window's event loop run until `done` holds or `ms` pass.
bool WaitUntil(const std::function<bool()>& done, int ms = 1000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QTest::qWait(10);
    }
    return true;
}

class SharedFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(home.WriteSettings("[classes]\r\ncount=2\r\n1=客户\r\n2=朋友\r\n[minggao]\r\nfname=宋体\r\n").ok());
        w = std::make_unique<MainWindow>(home.Files());
        w->show();
    }
    void TearDown() override { w.reset(); }

    // Views the case in `slot` from the tree.
    void View(std::int32_t slot) {
        w->caseTree->setCurrentIndex(w->caseModel->FindCase(slot));
        w->ViewCase();
        ASSERT_TRUE(w->editMode());
        ASSERT_EQ(w->currentSlot(), slot);
    }

    TempHome home;
    ScriptedMessages messages;
    std::unique_ptr<MainWindow> w;
};

TEST_F(SharedFolderTest, TreeShowsCasesAddedAndDeletedByTheCommandLine) {
    ASSERT_EQ(Cli(home.dir, kAddZhang), 0);
    EXPECT_TRUE(WaitUntil([&] { return w->caseModel->FindCase(0).isValid(); })) << "added case not shown";
    ASSERT_EQ(Cli(home.dir, AddCase(QStringLiteral("王五"), QStringLiteral("朋友"))), 0);
    ASSERT_TRUE(WaitUntil([&] { return w->caseModel->FindCase(1).isValid(); }));

    // The user opens 朋友 and selects 王五; the command line deletes 张三.
    const QModelIndex friends = w->caseModel->FindCategory("朋友");
    w->caseTree->collapse(w->caseModel->FindCategory("客户"));
    w->caseTree->expand(friends);
    w->caseTree->setCurrentIndex(w->caseModel->FindCase(1));
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("delete"), QStringLiteral("0")}), 0);
    EXPECT_TRUE(WaitUntil([&] { return !w->caseModel->FindCase(0).isValid(); })) << "deleted case still shown";
    EXPECT_EQ(w->SelectedSlot(), 1);
    EXPECT_TRUE(w->caseTree->isExpanded(w->caseModel->FindCategory("朋友")));
    EXPECT_FALSE(w->caseTree->isExpanded(w->caseModel->FindCategory("客户")));

    // A burst of additions shows whole.
    for (int i = 0; i < 5; ++i)
        ASSERT_EQ(Cli(home.dir, AddCase(QStringLiteral("赵%1").arg(i), QStringLiteral("客户"))), 0);
    EXPECT_TRUE(WaitUntil([&] { return w->caseModel->SlotsIn(w->caseModel->FindCategory("客户")).size() == 5; }));
    EXPECT_EQ(w->SelectedSlot(), 1);

    // A category renamed elsewhere takes its cases along; the old name goes
    // from the tree, a listed empty category stays.
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("rename-category"), QStringLiteral("朋友"),
                             QStringLiteral("好友")}),
              0);
    EXPECT_TRUE(WaitUntil([&] { return w->caseModel->FindCategory("好友").isValid(); }));
    EXPECT_FALSE(w->caseModel->FindCategory("朋友").isValid());
    EXPECT_EQ(w->SelectedSlot(), 1);
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("delete"), QStringLiteral("1")}), 0);
    EXPECT_TRUE(WaitUntil([&] { return !w->caseModel->FindCase(1).isValid(); }));
    EXPECT_TRUE(w->caseModel->FindCategory("好友").isValid());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SharedFolderTest, CaseChangedElsewhereIsMarkedAndSavingOverItAsksFirst) {
    ASSERT_EQ(Cli(home.dir, kAddZhang), 0);
    ASSERT_TRUE(WaitUntil([&] { return w->caseModel->FindCase(0).isValid(); }));
    View(0);
    QTest::qWait(400);  // the window's own writes while viewing are not another program's
    EXPECT_EQ(w->viewedCaseState(), ViewedCaseState::kCurrent);

    // The history is cleared and a new person lands in slot 0.
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("clear"), QStringLiteral("--yes")}), 0);
    ASSERT_EQ(Cli(home.dir, AddCase(QStringLiteral("新人"), QStringLiteral("朋友"))), 0);
    EXPECT_TRUE(WaitUntil([&] { return w->viewedCaseState() != ViewedCaseState::kCurrent; }));
    EXPECT_EQ(w->viewedCaseState(), ViewedCaseState::kChanged);
    EXPECT_TRUE(w->pages->tabText(0).contains(QStringLiteral("已被其他程序修改")))
        << w->pages->tabText(0).toStdString();

    const std::string before = FileBytes(home.dir / "dat" / "bazi0.dat");
    const std::string report = FileBytes(home.dir / "bazi_f" / "0.rtf");
    messages.shown.clear();
    messages.answers = {MsgAnswer::kNo};
    w->SaveCase();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kYesNo);
    EXPECT_TRUE(messages.shown[0].defaultNo);
    EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("已被其他程序修改")));
    EXPECT_EQ(FileBytes(home.dir / "dat" / "bazi0.dat"), before);
    EXPECT_EQ(FileBytes(home.dir / "bazi_f" / "0.rtf"), report);
    QString shown;
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("show"), QStringLiteral("0")}, &shown), 0);
    EXPECT_TRUE(shown.contains(QStringLiteral("新人")));

    // Viewing it again takes the stored case as it is now.
    View(0);
    EXPECT_EQ(w->viewedCaseState(), ViewedCaseState::kCurrent);
    EXPECT_EQ(w->pages->tabText(0), QStringLiteral("合婚配对"));
}

TEST_F(SharedFolderTest, CaseDeletedElsewhereIsMarkedAndNotWrittenBack) {
    ASSERT_EQ(Cli(home.dir, kAddZhang), 0);
    ASSERT_TRUE(WaitUntil([&] { return w->caseModel->FindCase(0).isValid(); }));
    View(0);
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("delete"), QStringLiteral("0")}), 0);
    EXPECT_TRUE(WaitUntil([&] { return w->viewedCaseState() == ViewedCaseState::kDeleted; }));
    EXPECT_TRUE(w->pages->tabText(0).contains(QStringLiteral("已被其他程序删除")));
    EXPECT_FALSE(w->caseModel->FindCase(0).isValid());

    const std::string before = FileBytes(home.dir / "dat" / "bazi0.dat");
    messages.shown.clear();
    messages.answers = {MsgAnswer::kNo};
    w->SaveCase();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].defaultNo);
    EXPECT_EQ(FileBytes(home.dir / "dat" / "bazi0.dat"), before);
    EXPECT_TRUE(w->editMode());  // nothing changed: still the (deleted) case on view

    // "是": stored as a new case, through the category dialog.
    messages.answers = {MsgAnswer::kYes};
    SaveAsNewCase(*w, QStringLiteral("朋友"));
    EXPECT_FALSE(w->editMode());
    QString listed;
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("list")}, &listed), 0);
    EXPECT_TRUE(listed.contains(QStringLiteral("张三"))) << listed.toStdString();
}

TEST_F(SharedFolderTest, SettingsChangedByTheCommandLineSurviveTheWindowsClose) {
    ASSERT_EQ(Cli(home.dir, kAddZhang), 0);
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("rename-category"), QStringLiteral("客户"),
                             QStringLiteral("老客户")}),
              0);
    // A key the window read and keeps, changed by hand while it runs.
    {
        IniFile ini(home.dir / "dat" / "bzinit.ini");
        ini.WriteString("minggao", "fname", "楷体");
        ASSERT_TRUE(ini.Save().ok());
    }
    // The window is moved: its place is the window's to write.
    w->move(w->pos() + QPoint(7, 5));
    w->close();
    w.reset();

    const IniFile after(home.dir / "dat" / "bzinit.ini");
    EXPECT_EQ(ReadCategoryList(after), (std::vector<std::string>{"老客户", "朋友"}));
    EXPECT_EQ(after.ReadString("minggao", "fname"), "楷体");
    EXPECT_TRUE(after.HasKey("winpos", "left"));  // what the window changed is written
}

TEST_F(SharedFolderTest, CategoryAddedInTheWindowKeepsARenameMadeMeanwhile) {
    ASSERT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("rename-category"), QStringLiteral("朋友"),
                             QStringLiteral("好友")}),
              0);
    WhenModal<QInputDialog>([](QInputDialog* box) {
        box->setTextValue(QStringLiteral("同事"));
        box->accept();
    });
    w->AddCategory();
    const IniFile after(home.dir / "dat" / "bzinit.ini");
    EXPECT_EQ(ReadCategoryList(after), (std::vector<std::string>{"客户", "好友", "同事"}));
}

// --- one window per data folder --------------------------------------------

// Starts the real program on `home` (offscreen).
std::unique_ptr<QProcess> StartWindow(const fs::path& home) {
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p->setProcessEnvironment(env);
    p->start(QStringLiteral(TESSALY_APP), {QStringLiteral("--home"), QString::fromStdString(home.string())});
    return p;
}

TEST(SingleWindowTest, SecondStartOnTheSameFolderHandsItsArgumentsToTheFirst) {
    TempHome home;
    const QString dir = QString::fromStdString(home.dir.string());
    SingleWindow first(dir);
    ASSERT_EQ(first.Take({}), SingleWindow::Claim::kFirst);
    EXPECT_TRUE(QFileInfo::exists(SingleWindow::LockPath(dir)));
    QStringList received;
    QObject::connect(&first, &SingleWindow::ArgumentsReceived, [&](const QStringList& a) { received = a; });

    std::unique_ptr<QProcess> second = StartWindow(home.dir);
    ASSERT_TRUE(WaitUntil([&] { return second->state() == QProcess::NotRunning; }, 20000))
        << "the second start opened a window of its own";
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(received, (QStringList{QStringLiteral("--home"), dir}));
}

TEST(SingleWindowTest, OtherFoldersAndAStaleLockAreFree) {
    TempHome one, two;
    SingleWindow a(QString::fromStdString(one.dir.string()));
    SingleWindow b(QString::fromStdString(two.dir.string()));
    EXPECT_EQ(a.Take({}), SingleWindow::Claim::kFirst);
    EXPECT_EQ(b.Take({}), SingleWindow::Claim::kFirst);
    EXPECT_NE(SingleWindow::ServerName(QString::fromStdString(one.dir.string())),
              SingleWindow::ServerName(QString::fromStdString(two.dir.string())));

    // A window that crashed leaves its lock and socket behind.
    TempHome crashed;
    const QString dir = QString::fromStdString(crashed.dir.string());
    std::unique_ptr<QProcess> window = StartWindow(crashed.dir);
    ASSERT_TRUE(WaitUntil([&] { return QFileInfo::exists(SingleWindow::LockPath(dir)); }, 20000));
    QTest::qWait(200);
    ::kill(pid_t(window->processId()), SIGKILL);
    ASSERT_TRUE(window->waitForFinished(5000));
    ASSERT_TRUE(QFileInfo::exists(SingleWindow::LockPath(dir)));
    SingleWindow next(dir);
    EXPECT_EQ(next.Take({}, 2000), SingleWindow::Claim::kFirst);
}

TEST(SingleWindowTest, CommandLineRunsWhileTheWindowHoldsTheFolder) {
    TempHome home;
    SingleWindow window(QString::fromStdString(home.dir.string()));
    ASSERT_EQ(window.Take({}), SingleWindow::Claim::kFirst);
    EXPECT_EQ(Cli(home.dir, kAddZhang), 0);
    QString listed;
    EXPECT_EQ(Cli(home.dir, {QStringLiteral("cases"), QStringLiteral("list")}, &listed), 0);
    EXPECT_TRUE(listed.contains(QStringLiteral("张三")));
}

TEST(StoreWatcherTest, WatchesTheStoreFilesAgainAfterTheyAreReplaced) {
    TempHome home;
    ASSERT_EQ(Cli(home.dir, kAddZhang), 0);
    StoreWatcher watcher(QString::fromStdString(home.dir.string()), nullptr, 50);
    int told = 0;
    QObject::connect(&watcher, &StoreWatcher::Changed, [&] { ++told; });
    EXPECT_TRUE(watcher.Watched().contains(QString::fromStdString((home.dir / "dat" / "bazi0.dat").string())));
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_EQ(Cli(home.dir, AddCase(QStringLiteral("钱%1").arg(round), QStringLiteral("客户"))), 0);
        EXPECT_TRUE(WaitUntil([&] { return told >= round; }));
        QTest::qWait(100);  // one report for one change
        EXPECT_EQ(told, round);
    }
}

}  // namespace
}  // namespace tessaly::apptest
