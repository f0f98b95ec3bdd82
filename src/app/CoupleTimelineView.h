// CoupleTimelineView — "流年对照": a couple's years side by side. Two bands
// of luck pillars (甲命 above, 乙命 below) run across the years; between
// them a column per year holds the year pillar, and beside it each person's
// marks for the year:
//
//   ✕  the year branch clashes the person's day branch (相冲)
//   ◯  … combines with it (六合, 半三合)
//   △  … punishes or harms it (自刑, 相害, 无礼之刑)
//   ✿  the year branch is the person's 桃花
//   ◆  岁运并临: the year pillar is the year's luck pillar
//
// Each mark's tooltip names the relation; clicking a year (or Left/Right
// on the keyboard) shows its full lines for both persons below the
// drawing. The current year's pillar stands on the highlight colour.
//
// The drawing is vectors on a canvas of logical pixels, painted at the
// screen's resolution, in the colours of its window's palette (so in every
// skin), and can be rendered as an image, saved as PNG and printed on paper
// colours.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>
#include <optional>

#include "common/Status.h"
#include "matching/CoupleTimeline.h"

class QLabel;
class QPrinter;
class QScrollArea;

namespace tessaly {

// The colours of the drawing.
struct TimelineColors {
    QColor background, text, line;
    QColor band[2];               // luck pillars, alternating
    QColor current, currentText;  // the current year's pillar
    QColor clash, combination, harm, peach, bingLin;

    // From a widget's palette (Window, WindowText, Mid, Highlight,
    // HighlightedText); each mark colour kept at 4.5 : 1 against the
    // background.
    static TimelineColors FromPalette(const QPalette& palette);
    // The colours a widget is shown in: its window's palette (which a skin
    // sets) with the roles the widget sets itself.
    static TimelineColors Of(const QWidget& widget);
    // Black on white, for paper.
    static TimelineColors ForPaper();
};

// The drawing alone: a fixed canvas of kTimelineGutter + years × column
// width logical pixels by kTimelineHeight.
class CoupleTimelineChart : public QWidget {
    Q_OBJECT
public:
    explicit CoupleTimelineChart(QWidget* parent = nullptr);

    void SetTimeline(const CoupleTimeline* timeline);
    void SetCurrentYear(int year);
    void SetSelectedColumn(int column);  // −1: none
    int SelectedColumn() const { return selected_; }

    int ColumnCount() const;
    // The year of a column (astronomical), and the column of a point (−1
    // outside the columns).
    int YearOfColumn(int column) const;
    int ColumnAt(QPoint p) const;
    // The whole height of a year's column, and the strip of a person's marks
    // in it (person 0 甲命, 1 乙命).
    QRect ColumnRect(int column) const;
    QRect MarksRect(int column, int person) const;
    QRect PillarRect(int column) const;
    QRect LuckRect(int column, int person) const;
    // The tooltip at a point: the luck pillar, the year's marks of a person
    // or both persons' lines of the year; empty where there is nothing.
    QString ToolTipAt(QPoint p) const;

    // Paints columns first..last at the left edge of `painter`'s canvas.
    void Paint(QPainter& painter, const TimelineColors& colors, int first, int last) const;
    QSize CanvasSize(int columns) const;
    QSize sizeHint() const override;

signals:
    void columnChosen(int column);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    QString MarksToolTip(int column, int person) const;
    QString LuckToolTip(int column, int person) const;

    const CoupleTimeline* timeline_ = nullptr;
    int currentYear_ = 0;
    int selected_ = -1;
};

// The drawing in a scroll area with the chosen year's lines below it.
class CoupleTimelineView : public QWidget {
    Q_OBJECT
public:
    explicit CoupleTimelineView(QWidget* parent = nullptr);

    // Shows a timeline (from CoupleTimelineOf or BuildCoupleTimeline) and
    // chooses the current year when it is among its years, else the first.
    void SetTimeline(CoupleTimeline timeline);
    void Clear();
    bool HasTimeline() const { return timeline_.has_value(); }
    const std::optional<CoupleTimeline>& Timeline() const { return timeline_; }

    // The year marked as the current one (astronomical); the clock's year
    // unless set.
    void SetCurrentYear(int year);
    int CurrentYear() const { return currentYear_; }

    // Shows a year's lines (a year outside the timeline is ignored).
    void SelectYear(int year);
    std::optional<int> SelectedYear() const;
    // What the lines below the drawing say.
    QString SelectedYearText() const;

    // The whole drawing in the widget's colours at device pixel ratio
    // `scale` (its pixel size is the canvas size × scale).
    QImage Image(qreal scale = 1) const;
    // Saves Image(scale) as PNG.
    Status SaveImage(const QString& path, qreal scale = 2) const;
    // Prints the drawing on paper colours, as many years a row as the page
    // is wide, rows one under another, pages as needed.
    Status Print(QPrinter& printer) const;

    CoupleTimelineChart* chart() const { return chart_; }

signals:
    void yearSelected(int year);

private:
    void ShowColumn(int column);

    std::optional<CoupleTimeline> timeline_;
    int currentYear_ = 0;
    QScrollArea* scroll_ = nullptr;
    CoupleTimelineChart* chart_ = nullptr;
    QLabel* lines_ = nullptr;
};

}  // namespace tessaly
