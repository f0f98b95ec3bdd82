// Where the main window opens: the saved place kept on the screen, the
// first start centred, and a start-close cycle that leaves the place alone.
#include <QGuiApplication>
#include <QScreen>

#include "app/MainWindow.h"
#include "app/WindowGeometry.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

TEST(WindowPlace, SavedRectangleIsKeptOnItsScreen) {
    const struct {
        const char* what;
        QRect saved, available, want;
    } kCases[] = {
        {"inside", {100, 100, 800, 600}, {0, 0, 1280, 900}, {100, 100, 800, 600}},
        {"title bar above the screen", {11, -10, 400, 400}, {0, 0, 1280, 900}, {11, 0, 400, 400}},
        {"below a top panel", {10, 10, 400, 400}, {0, 24, 1280, 876}, {10, 24, 400, 400}},
        {"off the right and bottom", {1200, 800, 400, 300}, {0, 0, 1280, 900}, {880, 600, 400, 300}},
        {"larger than the screen", {-50, -50, 2000, 1200}, {0, 0, 1280, 900}, {0, 0, 1280, 900}},
        {"second screen", {1300, -30, 600, 400}, {1280, 0, 1920, 1080}, {1300, 0, 600, 400}},
        {"no screen known", {-5, -5, 300, 200}, {}, {-5, -5, 300, 200}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(KeptOnScreen(c.saved, c.available), c.want);
    }
}

// With its frame the window lies wholly in the work area: a window saved
// at 2500,1500 in 1300 × 820 on a 1600 × 1000 screen keeps its bottom on
// screen below a 40-pixel title bar.
TEST(WindowPlace, SavedRectangleIsKeptOnScreenWithItsFrame) {
    const QSize frame(8, 40);
    const struct {
        const char* what;
        QRect saved, available, want;
    } kCases[] = {
        {"off the right and bottom", {2500, 1500, 1300, 820}, {0, 0, 1600, 1000}, {292, 140, 1300, 820}},
        {"taller than the screen with its frame", {0, 0, 1300, 990}, {0, 0, 1600, 1000}, {0, 0, 1300, 960}},
        {"inside with its frame", {100, 100, 800, 600}, {0, 0, 1600, 1000}, {100, 100, 800, 600}},
        {"below a top panel", {10, 0, 400, 400}, {0, 24, 1600, 976}, {10, 24, 400, 400}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const QRect r = KeptOnScreen(c.saved, c.available, frame);
        EXPECT_EQ(r, c.want);
        EXPECT_TRUE(c.available.contains(QRect(r.topLeft(), r.size() + frame)));
    }
}

TEST(WindowPlace, FirstStartIsCentredAndShowsAWholeReportLine) {
    const struct {
        QRect available, want;
    } kCases[] = {
        // The rectangle is the frame's top-left and the window's size: the
        // frame (16 × 48 by default) is centred with it.
        {{0, 0, 1280, 900}, {132, 76, 1000, 700}},    // 75 % is less than 1000 × 700
        {{0, 0, 1920, 1080}, {232, 111, 1440, 810}},  // 75 %
        {{0, 24, 1280, 876}, {132, 88, 1000, 700}},   // below a panel
        {{0, 0, 800, 600}, {0, 0, 784, 552}},         // a small screen: all of it but the frame
        {{1920, 0, 2560, 1440}, {2232, 156, 1920, 1080}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.available.width() << "x" << c.available.height());
        const QRect r = FirstStartGeometry(c.available);
        EXPECT_EQ(r, c.want);
        EXPECT_TRUE(c.available.contains(QRect(r.topLeft(), r.size() + kFrameGuess)));
    }
}

TEST(WindowPlace, SavedGeometryRoundTripsUnchanged) {
    TempHome home;
    ScriptedMessages messages;
    ASSERT_TRUE(home.WriteSettings("[winpos]\r\nleft=37\r\ntop=52\r\nwidth=640\r\nheight=480\r\n").ok());
    for (int cycle = 0; cycle < 3; ++cycle) {
        SCOPED_TRACE(cycle);
        MainWindow w(home.Files());
        w.show();
        EXPECT_EQ(w.pos(), QPoint(37, 52));
        EXPECT_EQ(w.size(), QSize(640, 480));
        w.close();
        const IniFile ini(home.dir / "dat" / "bzinit.ini");
        EXPECT_EQ(ini.ReadInteger("winpos", "left", -1), 37);
        EXPECT_EQ(ini.ReadInteger("winpos", "top", -1), 52);
        EXPECT_EQ(ini.ReadInteger("winpos", "width", -1), 640);
        EXPECT_EQ(ini.ReadInteger("winpos", "height", -1), 480);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST(WindowPlace, PositionOffTheScreenIsBroughtBack) {
    TempHome home;
    ScriptedMessages messages;
    ASSERT_TRUE(home.WriteSettings("[winpos]\r\nleft=-300\r\ntop=-200\r\nwidth=500\r\nheight=400\r\n").ok());
    MainWindow w(home.Files());
    w.show();
    const QRect avail = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(w.pos(), avail.topLeft());
    EXPECT_EQ(w.size(), QSize(500, 400));
}

}  // namespace
}  // namespace tessaly
