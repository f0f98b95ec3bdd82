// Help: the help window's pages, "相关知识" through the desktop, and the
// knowledge pages that ship in dat/help.
#include <QAction>
#include <QFile>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>

#include "app/DesktopOpener.h"
#include "app/HelpWindow.h"
#include "pane_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;
namespace fs = std::filesystem;

const fs::path kShippedHelp = fs::path(TESSALY_SOURCE_DIR) / "data" / "dat" / "help";

TEST(HelpWindow, ShowsItsThreePagesFromTheHelpMenu) {
    TempHome home;
    MainWindow w(home.Files());
    w.show();
    QString caption;
    QSize size;
    QStringList titles, texts;
    bool readOnly = true;
    WhenModal<HelpWindow>([&](HelpWindow* help) {
        caption = help->windowTitle();
        size = help->size();
        for (int i = 0; i < help->pages->count(); ++i) {
            titles << help->pages->tabText(i);
            auto* page = qobject_cast<QTextBrowser*>(help->pages->widget(i));
            texts << (page != nullptr ? page->toPlainText() : QString());
            readOnly = readOnly && page != nullptr && page->isReadOnly();
        }
        help->reject();
    });
    w.findChild<QAction*>(QStringLiteral("HmnuRhelp"))->trigger();
    EXPECT_EQ(caption, QStringLiteral("软件帮助"));
    EXPECT_EQ(size, HelpWindow::FittedSize(w.screen()));
    EXPECT_EQ(HelpWindow::FittedSize(nullptr), QSize(702, 662));
    EXPECT_EQ(titles, (QStringList{"使用说明", "升级改进历史", "关于本项目"}));
    EXPECT_TRUE(readOnly);
    ASSERT_EQ(texts.size(), 3);
    // Each page says what it is about.
    const char* const kMentions[][3] = {
        {"开始合婚", "结婚择日", "导出历史记录"},
        {"Tessaly 2.0", "打印", "tessaly-cli"},
        {"MIT", "VSOP87", "ELP/MPP02"},
    };
    for (int i = 0; i < 3; ++i) {
        for (const char* m : kMentions[i]) {
            SCOPED_TRACE(m);
            EXPECT_TRUE(texts[i].contains(QString::fromUtf8(m))) << titles[i].toStdString();
        }
    }
}

// Records what would be opened; refuses the addresses ending in `refused`.
struct RecordingOpener {
    explicit RecordingOpener(QString refusedSuffix = {}) : refused(std::move(refusedSuffix)) {
        SetUrlOpener([this](const QUrl& url) {
            opened << url.toLocalFile();
            return refused.isEmpty() || !url.toLocalFile().endsWith(refused);
        });
    }
    ~RecordingOpener() { SetUrlOpener({}); }
    QString refused;
    QStringList opened;
};

TEST(Knowledge, OpensTheHelpFileOrOurPagesAndSaysWhyWhenNeither) {
    const struct {
        const char* what;
        bool chm, pages;
        const char* refused;     // suffix the desktop cannot open
        const char* openedLast;  // file name of the last address handed over, "" for none
        bool message;
    } kCases[] = {
        {"our pages", false, true, "", "index.html", false},
        {"the help file first", true, true, "", "bzzs.chm", false},
        {"no viewer for the help file", true, true, ".chm", "index.html", false},
        {"no browser", false, true, ".html", "index.html", true},
        {"nothing there", false, false, "", "", true},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempHome home;
        ScriptedMessages messages;
        if (c.chm) std::ofstream(home.dir / "dat" / "bzzs.chm") << "ITSF";
        if (c.pages) fs::copy(kShippedHelp, home.dir / "dat" / "help", fs::copy_options::recursive);
        RecordingOpener desktop(QString::fromUtf8(c.refused));
        MainWindow w(home.Files());
        w.findChild<QAction*>(QStringLiteral("mlzishi"))->trigger();
        const QString last = desktop.opened.isEmpty() ? QString() : desktop.opened.back();
        EXPECT_EQ(QFileInfo(last).fileName(), QString::fromUtf8(c.openedLast));
        if (!last.isEmpty()) {
            EXPECT_TRUE(QFileInfo::exists(last)) << last.toStdString();
        }
        ASSERT_EQ(messages.shown.size(), c.message ? 1u : 0u);
        if (c.message) {
            EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("无法打开相关知识")));
        }
    }
}

// An installed program keeps the pages among its shipped files, not in the
// user's folder.
TEST(Knowledge, InstalledProgramOpensItsShippedPages) {
    TempHome user, installed;
    ScriptedMessages messages;
    fs::copy(kShippedHelp, installed.dir / "dat" / "help", fs::copy_options::recursive);
    RecordingOpener desktop;
    MainWindow w(ProgramFiles(user.dir, installed.dir));
    w.findChild<QAction*>(QStringLiteral("mlzishi"))->trigger();
    ASSERT_EQ(desktop.opened.size(), 1);
    EXPECT_EQ(fs::path(desktop.opened.back().toStdString()), installed.dir / "dat" / "help" / "index.html");
    EXPECT_TRUE(messages.shown.empty());
}

QString PageText(const fs::path& file) {
    QFile f(QString::fromStdString(file.string()));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QStringList Links(const QString& html) {
    QStringList links;
    static const QRegularExpression href(QStringLiteral("href=\"([^\"#]+)"));
    for (auto it = href.globalMatch(html); it.hasNext();) links << it.next().captured(1);
    return links;
}

// The shipped pages: every link leads somewhere, every page is reachable
// from the index and leads back to it.
TEST(Knowledge, ShippedPagesLinkTogether) {
    const QString index = PageText(kShippedHelp / "index.html");
    ASSERT_FALSE(index.isEmpty());
    QStringList pages;
    for (const QString& link : Links(index)) {
        if (link.endsWith(QStringLiteral(".html"))) pages << link;
    }
    // One page per topic the reports use.
    EXPECT_EQ(pages.size(), 12);
    pages << QStringLiteral("index.html");
    for (const QString& page : pages) {
        SCOPED_TRACE(page.toStdString());
        const QString html = PageText(kShippedHelp / page.toStdString());
        ASSERT_FALSE(html.isEmpty());
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">")));
        EXPECT_TRUE(html.contains(QStringLiteral("<title>")));
        const QStringList links = Links(html);
        if (page != QStringLiteral("index.html")) {
            EXPECT_TRUE(links.contains(QStringLiteral("index.html")));
        }
        for (const QString& link : links) {
            SCOPED_TRACE(link.toStdString());
            EXPECT_TRUE(fs::exists(kShippedHelp / link.toStdString()));
        }
    }
}

}  // namespace
}  // namespace tessaly
