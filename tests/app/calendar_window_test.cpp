// The perpetual calendar window: what it shows, its navigation and messages,
// the keyboard, the grid's drawing and the one-window rule of its menu item.
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QToolButton>

#include "app/BirthDataDialog.h"
#include "app/MainWindow.h"
#include "app/PerpetualCalendarWindow.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;

std::function<QDateTime()> At(int y, int m, int d, int h, int min) {
    return [=] { return QDateTime(QDate(y, m, d), QTime(h, min)); };
}

// Types a moment into the year field and the lists, then redraws.
void Show(PerpetualCalendarWindow& w, const char* year, int month, int day, int hour = 12, int minute = 0) {
    for (QComboBox* c : {w.monthBox, w.dayBox, w.hourBox, w.minuteBox}) c->blockSignals(true);
    w.yearEdit->setText(QString::fromUtf8(year));
    w.monthBox->setCurrentIndex(month - 1);
    w.dayBox->setCurrentIndex(day - 1);
    w.hourBox->setCurrentIndex(hour);
    w.minuteBox->setCurrentIndex(minute);
    for (QComboBox* c : {w.monthBox, w.dayBox, w.hourBox, w.minuteBox}) c->blockSignals(false);
    w.Redraw();
}

void Key(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
}

TEST(CalendarWindow, OpensOnTheCurrentMoment) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 2, 4, 16, 28));
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tessaly万年历"));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.yearEdit->text(), "2024");
    EXPECT_EQ(w.monthBox->currentText(), QStringLiteral("2月"));
    EXPECT_EQ(w.dayBox->currentText(), QStringLiteral("4日"));
    EXPECT_EQ(w.hourBox->currentText(), QStringLiteral("16时"));
    EXPECT_EQ(w.minuteBox->currentText(), QStringLiteral("28分"));
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("2024年2月"));
    EXPECT_EQ(w.eraLine->text(), QStringLiteral("[当代] 中国  公历纪元2024年  【龙年】"));
    EXPECT_EQ(w.monthTermsPane->toPlainText(), QStringLiteral("立春:4日16时27分\n\n雨水:19日12时13分"));
    EXPECT_EQ(w.pillarsPane->toPlainText(), QStringLiteral("甲辰年\n丙寅月\n戊戌日\n庚申时"));
    EXPECT_EQ(w.grid().days.size(), 29u);
    EXPECT_EQ(w.monthGrid->selectedDay(), 4);
    EXPECT_EQ(MonthGridView::DayTip(*w.grid().Cell(4)), QStringLiteral("农历十二月廿五\n戊戌日\n立春 16:27"));
    EXPECT_EQ(MonthGridView::DayTip(*w.grid().Cell(10)), QStringLiteral("农历正月初一\n甲辰日"));
    EXPECT_TRUE(messages.shown.empty());

    // A minute before 立春 the year pillar and the era are the old year's.
    Show(w, "2024", 2, 4, 16, 26);
    EXPECT_EQ(w.eraLine->text(), QStringLiteral("[当代] 中国  公历纪元2023年  【兔年】"));
    EXPECT_EQ(w.pillarsPane->toPlainText(), QStringLiteral("癸卯年\n乙丑月\n戊戌日\n庚申时"));
}

TEST(CalendarWindow, CurrentTimeButtonTakesTheClock) {
    ScriptedMessages messages;
    QDateTime now(QDate(2024, 2, 4), QTime(16, 28));
    PerpetualCalendarWindow w(nullptr, [&now] { return now; });
    Show(w, "1900", 5, 5);
    now = QDateTime(QDate(2033, 12, 22), QTime(23, 30));
    w.nowButton->click();
    EXPECT_EQ(w.selected(), (CivilTime{2033, 12, 22, 23, 30}));
    EXPECT_EQ(w.yearEdit->text(), "2033");
    EXPECT_EQ(w.minuteBox->currentText(), QStringLiteral("30分"));
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("2033年12月"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CalendarWindow, October1582HasTwentyOneCells) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 1, 1, 0, 0));
    w.resize(700, 500);
    w.show();
    QApplication::processEvents();
    Show(w, "1582", 10, 1);
    ASSERT_EQ(w.grid().days.size(), 21u);
    EXPECT_EQ(w.grid().days[3].day, 4);
    EXPECT_EQ(w.grid().days[4].day, 15);
    // A click on the fifth cell selects the 15th.
    const QPointF centre = w.monthGrid->CellRect(1, w.grid().firstColumn + 4).center();
    QMouseEvent click(QEvent::MouseButtonPress, centre, w.monthGrid->mapToGlobal(centre), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w.monthGrid, &click);
    EXPECT_EQ(w.dayBox->currentText(), QStringLiteral("15日"));
    EXPECT_EQ(w.selected().day, 15);
    // The missing days cannot be chosen in the lists either.
    w.dayBox->setCurrentIndex(9);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("不存在这个日期，请重新输入！"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("日期不对"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::kInformation);
    EXPECT_EQ(w.selected().day, 15);
}

TEST(CalendarWindow, MonthStepsSkipYearZero) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 1, 1, 0, 0));
    Show(w, "1", 1, 1, 8, 30);
    w.previousMonthButton->click();  // "上一月"
    EXPECT_EQ(w.yearEdit->text(), "-1");
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("-1年12月"));
    EXPECT_EQ(w.selected(), (CivilTime{0, 12, 1, 8, 30}));
    w.nextMonthButton->click();  // "下一月"
    EXPECT_EQ(w.yearEdit->text(), "1");
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("1年1月"));
    // A step selects the first day of the new month.
    Show(w, "2024", 3, 15);
    w.PreviousMonth();
    EXPECT_EQ(w.selected(), (CivilTime{2024, 2, 1, 12, 0}));
    // Nothing before −4713 January or after 9999 December.
    Show(w, "-4713", 1, 20);
    w.PreviousMonth();
    EXPECT_EQ(w.selected(), (CivilTime{-4712, 1, 20, 12, 0}));
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("-4713年1月"));
    Show(w, "9999", 12, 31);
    w.NextMonth();
    EXPECT_EQ(w.selected(), (CivilTime{9999, 12, 31, 12, 0}));
    EXPECT_TRUE(messages.shown.empty());
    // A year field that is not a number steps from 1900 (here from its
    // December).
    w.yearEdit->setText("abc");
    w.NextMonth();
    EXPECT_EQ(w.yearEdit->text(), "1901");
    EXPECT_EQ(w.selected(), (CivilTime{1901, 1, 1, 12, 0}));
}

TEST(CalendarWindow, RefusesYearZeroAndYearsOutsideTheRange) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 5, 6, 7, 8));
    const CivilTime before = w.selected();
    const struct {
        const char* year;
        bool zero;  // within the range, but there is no year 0: the refusal says that
    } kCases[] = {{"0", true}, {"-0", true}, {"-4714", false}, {"10000", false}, {"", false}, {"20a4", false}};
    for (const auto& [year, noYearZero] : kCases) {
        SCOPED_TRACE(year);
        messages.shown.clear();
        w.yearEdit->setText(QString::fromUtf8(year));
        w.hourBox->setCurrentIndex(9);  // any list change redraws
        w.hourBox->setCurrentIndex(7);
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[0].text, noYearZero ? QStringLiteral("没有公元0年")
                                                     : QStringLiteral("年份在-4713 到 9999年之间，并且没有公元0年"));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("年份不对"));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
        EXPECT_EQ(w.selected(), before);

        // Enter in the year field says it in its own words.
        messages.shown.clear();
        Key(w.yearEdit, Qt::Key_Return);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  noYearZero ? QStringLiteral("没有公元0年") : QStringLiteral("年份在-4713 到 9999之间"));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("错误"));
    }
    messages.shown.clear();
    w.yearEdit->setText("-4713");
    Key(w.yearEdit, Qt::Key_Return);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(w.selected().year, -4712);
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("-4713年5月"));
}

TEST(CalendarWindow, YearUpDownSkipsYearZero) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(1, 3, 1, 0, 0));
    EXPECT_EQ(w.yearEdit->text(), "1");
    Key(w.yearEdit, Qt::Key_Down);  // Down in the year field steps the up-down
    EXPECT_EQ(w.yearEdit->text(), "-1");
    EXPECT_EQ(w.selected().year, 0);
    Key(w.yearEdit, Qt::Key_Down);
    EXPECT_EQ(w.yearEdit->text(), "-2");
    Key(w.yearEdit, Qt::Key_Up);
    Key(w.yearEdit, Qt::Key_Up);
    EXPECT_EQ(w.yearEdit->text(), "1");
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CalendarWindow, LeapFirstMonthAndLateZiHour) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 1, 1, 0, 0));
    Show(w, "2262", 3, 1);
    EXPECT_EQ(w.grid().Cell(1)->lunarText, "闰正月初十");
    EXPECT_TRUE(MonthGridView::DayTip(*w.grid().Cell(1)).startsWith(QStringLiteral("农历闰正月")));

    // 23:30 takes the next day's day pillar and its 子 hour.
    Show(w, "2000", 1, 1, 22, 59);
    EXPECT_EQ(w.pillarsPane->toPlainText(), QStringLiteral("己卯年\n丙子月\n戊午日\n癸亥时"));
    Show(w, "2000", 1, 1, 23, 30);
    EXPECT_EQ(w.pillarsPane->toPlainText(), QStringLiteral("己卯年\n丙子月\n己未日\n甲子时"));
    EXPECT_TRUE(messages.shown.empty());
}

TEST(CalendarWindow, KeyboardMovesTheDayAndTheMonth) {
    ScriptedMessages messages;
    PerpetualCalendarWindow w(nullptr, At(2024, 2, 28, 9, 15));
    Key(w.monthGrid, Qt::Key_Right);
    EXPECT_EQ(w.selected(), (CivilTime{2024, 2, 29, 9, 15}));
    Key(w.monthGrid, Qt::Key_Right);  // into the next month
    EXPECT_EQ(w.selected(), (CivilTime{2024, 3, 1, 9, 15}));
    EXPECT_EQ(w.monthTitle->text(), QStringLiteral("2024年3月"));
    EXPECT_EQ(w.dayBox->currentText(), QStringLiteral("1日"));
    Key(w.monthGrid, Qt::Key_Up);
    EXPECT_EQ(w.selected(), (CivilTime{2024, 2, 23, 9, 15}));
    Key(w.monthGrid, Qt::Key_Down);
    Key(w.monthGrid, Qt::Key_Left);
    EXPECT_EQ(w.selected(), (CivilTime{2024, 2, 29, 9, 15}));
    // Across the gap of 1582.
    Show(w, "1582", 10, 4);
    Key(w.monthGrid, Qt::Key_Right);
    EXPECT_EQ(w.selected(), (CivilTime{1582, 10, 15, 12, 0}));
    EXPECT_TRUE(messages.shown.empty());

    // PageUp and PageDown from the grid and from the year field.
    Key(w.monthGrid, Qt::Key_PageUp);
    EXPECT_EQ(w.selected(), (CivilTime{1582, 9, 1, 12, 0}));
    Key(w.yearEdit, Qt::Key_PageDown);
    Key(w.yearEdit, Qt::Key_PageDown);
    EXPECT_EQ(w.selected(), (CivilTime{1582, 11, 1, 12, 0}));
    EXPECT_TRUE(messages.shown.empty());
}

// The grid at twice the window's design size and at a screen scale of 2:
// the selection frame is drawn around the selected cell only, and the
// background stays the calendar's colour.
TEST(CalendarWindow, GridDrawsAtAnySizeAndScale) {
    LunarCalendar cal;
    const MonthGrid grid = BuildMonthGrid(cal, 2024, 2);
    MonthGridView view;
    view.SetGrid(&grid, 10);
    view.resize(900, 660);
    QImage image(1800, 1320, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    view.render(&image);
    const auto greenOnEdge = [&](int row, int column) {
        const QRect cell = view.CellRect(row, column).toAlignedRect();
        int green = 0;
        for (int x = cell.left() + 4; x < cell.right() - 4; ++x) {
            const QColor c = image.pixelColor(2 * x, 2 * cell.top() + 3);
            green += c.green() > 100 && c.red() < 60 && c.blue() < 60;
        }
        return green;
    };
    const DayCell& selected = *grid.Cell(10);
    EXPECT_GT(greenOnEdge(selected.row, selected.column), 50);
    EXPECT_EQ(greenOnEdge(grid.Cell(11)->row, grid.Cell(11)->column), 0);
    EXPECT_EQ(image.pixelColor(2 * 890, 2 * 650), QColor(255, 255, 200));  // an empty cell of the last row
    // Every line of the grid is a crisp black line of two device pixels.
    const int x = int(view.CellRect(0, 3).left());
    EXPECT_EQ(image.pixelColor(2 * x - 2, 2 * 600), QColor(255, 255, 200));
    EXPECT_EQ(image.pixelColor(2 * x - 1, 2 * 600), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2 * x, 2 * 600), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(2 * x + 1, 2 * 600), QColor(255, 255, 200));
}

TEST(CalendarWindow, MenuShowsOneWindowAtATime) {
    apptest::TempHome home;
    ScriptedMessages messages;
    MainWindow main(home.Files());
    QAction* item = main.findChild<QAction*>(QStringLiteral("Tmnuwnl"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->text(), QStringLiteral("万年历"));
    item->trigger();
    auto windows = main.findChildren<PerpetualCalendarWindow*>();
    ASSERT_EQ(windows.size(), 1);
    QPointer<PerpetualCalendarWindow> first = windows[0];
    EXPECT_TRUE(first->isVisible());
    item->trigger();  // shows the same window again
    EXPECT_EQ(main.findChildren<PerpetualCalendarWindow*>().size(), 1);
    first->close();  // closing discards it
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    item->trigger();
    windows = main.findChildren<PerpetualCalendarWindow*>();
    ASSERT_EQ(windows.size(), 1);
    windows[0]->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

}  // namespace
}  // namespace tessaly
