// "帮助 ▸ 关于 Tessaly" and the desktop program's own command line.
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "app/AboutDialog.h"
#include "app/DesktopOpener.h"
#include "app/MainWindow.h"
#include "app/WindowCommandLine.h"
#include "app_test_util.h"
#include "common/Version.h"

namespace tessaly {
namespace {

using apptest::TempHome;
using apptest::WhenModal;

TEST(AboutDialog, TellsVersionLicenceSourcesAndDataFolder) {
    TempHome home;
    MainWindow w(home.Files());
    QAction* about = w.findChild<QAction*>(QStringLiteral("HmnuAbout"));
    ASSERT_NE(about, nullptr);
    QMenu* help = nullptr;
    for (QAction* a : w.menuBar()->actions()) {
        if (a->menu() != nullptr && a->menu()->actions().contains(about)) help = a->menu();
    }
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->title(), QStringLiteral("帮助(&H)"));
    EXPECT_EQ(about->text(), QStringLiteral("关于 Tessaly"));

    QString shown;
    bool folderButton = false;
    WhenModal<AboutDialog>([&](AboutDialog* dlg) {
        shown = dlg->textLabel->text();
        folderButton = dlg->openFolderButton->isVisible();
        dlg->closeButton->click();
    });
    about->trigger();
    EXPECT_TRUE(folderButton);
    for (const QString& part :
         {QStringLiteral("版本 ") + QString::fromUtf8(ProgramVersion().data()), QStringLiteral("MIT"),
          QStringLiteral("VSOP87"), QStringLiteral("ELP/MPP02"), QStringLiteral("astronomia"),
          QStringLiteral("dat/dili.ini"), QString::fromStdString(home.dir.string())}) {
        EXPECT_TRUE(shown.contains(part)) << part.toStdString();
    }
}

// "打开数据文件夹" hands the folder to the desktop and says so when nothing
// can open it.
TEST(AboutDialog, OpensTheDataFolderOrSaysWhyNot) {
    for (const bool desktopCanOpen : {true, false}) {
        SCOPED_TRACE(desktopCanOpen);
        apptest::ScriptedMessages messages;
        QStringList opened;
        SetUrlOpener([&](const QUrl& url) {
            opened << url.toLocalFile();
            return desktopCanOpen;
        });
        AboutDialog dlg(AboutInfo{QStringLiteral("2.0"), QStringLiteral("/tmp/tessaly-data")});
        dlg.openFolderButton->click();
        SetUrlOpener({});
        EXPECT_EQ(opened, QStringList{QStringLiteral("/tmp/tessaly-data")});
        ASSERT_EQ(messages.shown.size(), desktopCanOpen ? 0u : 1u);
        if (!desktopCanOpen) {
            EXPECT_TRUE(messages.shown[0].text.contains(QStringLiteral("/tmp/tessaly-data")));
        }
    }
}

TEST(WindowCommandLine, ReadsItsOwnOptionsAndLeavesTheRestToQt) {
    const struct {
        std::vector<std::string> args;
        std::string home;
        bool where, version, help;
        std::string error;
        std::string report = {};
    } kCases[] = {
        {{}, "", false, false, false, ""},
        {{"--home", "/data/t"}, "/data/t", false, false, false, ""},
        {{"--home=/data/t", "--where"}, "/data/t", true, false, false, ""},
        {{"-platform", "offscreen", "--version"}, "", false, true, false, ""},
        {{"-h"}, "", false, false, true, ""},
        {{"--home"}, "", false, false, false, "--home needs a folder"},
        {{"--home="}, "", false, false, false, "--home needs a folder"},
        // Qt's options with their values, one dash or two.
        {{"-style", "fusion", "--platform=xcb", "-reverse", "-stylesheet", "a.qss"}, "", false, false, false, ""},
        // A report file to open.
        {{"命稿.rtf"}, "", false, false, false, "", "命稿.rtf"},
        {{"-style", "fusion", "/tmp/a.txt"}, "", false, false, false, "", "/tmp/a.txt"},
        {{"a.rtf", "b.rtf"}, "", false, false, false, "one report file at a time: b.rtf", "a.rtf"},
        // Anything else is refused.
        {{"--bogus"}, "", false, false, false, "unknown option --bogus"},
        {{"-x", "--where"}, "", true, false, false, "unknown option -x"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args.empty() ? std::string("no arguments") : c.args.front());
        const WindowCommandLine cl = ParseWindowCommandLine(c.args);
        EXPECT_EQ(cl.home, c.home);
        EXPECT_EQ(cl.where, c.where);
        EXPECT_EQ(cl.version, c.version);
        EXPECT_EQ(cl.help, c.help);
        EXPECT_EQ(cl.error, c.error);
        EXPECT_EQ(cl.report, c.report);
    }
    EXPECT_TRUE(DisplayAvailable({}));  // the tests run with QT_QPA_PLATFORM set
}

}  // namespace
}  // namespace tessaly
