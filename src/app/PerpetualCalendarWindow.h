// PerpetualCalendarWindow (aka TFrmWnl, Untwnl) — the perpetual calendar: a month grid with Gregorian and lunar
// dates and solar terms, the month's terms to the minute, and the era,
// zodiac animal and four pillars of the selected moment, for the shown years
// −4713..9999. A modeless window that stays on top; its content comes from
// the core's MonthGrid, the window only paints and navigates.
//
// Keyboard: the arrow keys move the selected day (across months), PageUp and
// PageDown show the previous and next month, Up and Down in the year field
// step the year, Enter there confirms it, Esc closes the window.
#pragma once

#include <QDateTime>
#include <QDialog>
#include <functional>

#include "calendar/MonthGrid.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QToolButton;

namespace tessaly {

class YearUpDown;

// The grid itself (aka Img1 with its frame Shape1): 7 × 7 cells at any size,
// at least 450 × 330, drawn as vectors so that it stays crisp at every
// screen scale.
class MonthGridView : public QWidget {
    Q_OBJECT
public:
    explicit MonthGridView(QWidget* parent = nullptr);

    // The month to show (not owned; kept alive by the window) and the
    // selected day.
    void SetGrid(const MonthGrid* grid, int selectedDay);
    int selectedDay() const { return selectedDay_; }

    // Row and column (0..6) of the cell under a point, or (−1, −1).
    QPoint CellAt(const QPointF& pos) const;
    QRectF CellRect(int row, int column) const;
    // The tooltip of a day: lunar date, day pillar, the term with its minute.
    static QString DayTip(const DayCell& cell);

    QSize minimumSizeHint() const override { return {450, 330}; }
    QSize sizeHint() const override { return {540, 396}; }

signals:
    void cellClicked(int row, int column);
    void moveDays(int days);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    const MonthGrid* grid_ = nullptr;
    int selectedDay_ = 0;
};

class PerpetualCalendarWindow : public QDialog {
    Q_OBJECT
public:
    // `clock` gives the computer's local date and time (tests give their own).
    explicit PerpetualCalendarWindow(QWidget* parent = nullptr, std::function<QDateTime()> clock = {});

    // Commands.
    void PreviousMonth();         // "上一月"
    void NextMonth();             // "下一月"
    void ShowNow();               // "当前时间"
    void ConfirmYear();           // Enter in the year field
    void StepYear(int position);  // the year's up-down, at its new position
    void ClickCell(int row, int column);
    void MoveDays(int days);  // arrow keys
    // Reads the year field and the lists, and shows that moment (or says why not).
    void Redraw();

    // What the window shows, for the tests and the screenshot tool.
    const MonthGrid& grid() const { return grid_; }
    const CivilTime& selected() const { return selected_; }

    // Controls (their object names, which skins select, are the former
    // names in the comments).
    QLineEdit* eraLine;                // labxiao: era, calendar year, zodiac animal
    QLabel* monthTitle;                // labtitle: the month shown
    QToolButton* previousMonthButton;  // BitBtn2, "上一月"
    QToolButton* nextMonthButton;      // BitBtn1, "下一月"
    QToolButton* nowButton;            // sbtnnow, "当前时间"
    QLineEdit* yearEdit;               // EdtYear
    YearUpDown* yearUpDown;            // UdYear
    QComboBox* monthBox;               // cbom
    QComboBox* dayBox;                 // cbod
    QComboBox* hourBox;                // cbos
    QComboBox* minuteBox;              // cbomin
    QPlainTextEdit* monthTermsPane;    // memjie1: the month's solar terms to the minute
    QPlainTextEdit* pillarsPane;       // memgz: the four pillars of the selected moment
    MonthGridView* monthGrid;          // Img1

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Puts a moment into the year field and the lists (without redrawing).
    void SetFields(int shownYear, int month, int day, int hour, int minute);
    void StepMonth(bool forward);
    // The year field holds 0, which no calendar has: its refusal says so.
    bool YearIsZero() const;

    std::function<QDateTime()> clock_;
    LunarCalendar calendar_;
    MonthGrid grid_;
    CivilTime selected_;
};

}  // namespace tessaly
