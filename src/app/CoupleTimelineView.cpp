#include "CoupleTimelineView.h"

#include <QDate>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "chart/Tables.h"
#include "app/QtText.h"

namespace tessaly {

// --- Colours ------------------------------------------------------------------

namespace {

double Luminance(const QColor& c) {
    const auto lin = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.redF()) + 0.7152 * lin(c.greenF()) + 0.0722 * lin(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// `c` made darker on a light background, lighter on a dark one, until it
// stands out from it by 4.5 : 1.
QColor Readable(QColor c, const QColor& background) {
    const bool darken = Luminance(background) > 0.18;
    for (int i = 0; i < 20 && Contrast(c, background) < 4.5; ++i) {
        float h, s, l, a;
        c.getHslF(&h, &s, &l, &a);
        l = darken ? std::max(0.0f, l - 0.05f) : std::min(1.0f, l + 0.05f);
        c = QColor::fromHslF(h, s, l, a);
    }
    return c;
}

// `a` moved by `t` (0..1) toward `b`.
QColor Blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(static_cast<float>(a.redF() + (b.redF() - a.redF()) * t),
                            static_cast<float>(a.greenF() + (b.greenF() - a.greenF()) * t),
                            static_cast<float>(a.blueF() + (b.blueF() - a.blueF()) * t));
}

TimelineColors ColorsOn(const QColor& background, const QColor& text, QColor current, QColor currentText) {
    TimelineColors c;
    c.background = background;
    c.text = text;
    c.line = Blend(background, text, 0.45);
    c.band[0] = Blend(background, text, 0.08);
    c.band[1] = Blend(background, text, 0.18);
    // The highlight, made dark or light enough for its text; a grey of the
    // text colour when it would not stand out from the background.
    current = Readable(current, currentText);
    if (Contrast(currentText, current) < 4.5 || Contrast(current, background) < 1.5) {
        current = Blend(background, text, 0.30);
        currentText = Contrast(text, current) >= Contrast(background, current) ? text : background;
    }
    c.current = current;
    c.currentText = currentText;
    c.clash = Readable(QColor(0xc6, 0x28, 0x28), background);
    c.combination = Readable(QColor(0x2e, 0x7d, 0x32), background);
    c.harm = Readable(QColor(0xa1, 0x5c, 0x00), background);
    c.peach = Readable(QColor(0xc2, 0x18, 0x5b), background);
    c.bingLin = Readable(QColor(0x15, 0x65, 0xc0), background);
    return c;
}

}  // namespace

TimelineColors TimelineColors::FromPalette(const QPalette& p) {
    return ColorsOn(p.color(QPalette::Window), p.color(QPalette::WindowText), p.color(QPalette::Highlight),
                    p.color(QPalette::HighlightedText));
}

TimelineColors TimelineColors::Of(const QWidget& widget) {
    // A skin's style sheet colours the window, not the widgets without
    // rules of their own: take the window's colours where the widget has
    // none set.
    QPalette p = widget.window()->palette();
    const QPalette& own = widget.palette();
    for (const QPalette::ColorRole role :
         {QPalette::Window, QPalette::WindowText, QPalette::Highlight, QPalette::HighlightedText}) {
        if (own.isBrushSet(QPalette::Active, role)) p.setBrush(role, own.brush(role));
    }
    return FromPalette(p);
}

TimelineColors TimelineColors::ForPaper() {
    return ColorsOn(Qt::white, Qt::black, QColor(0x1f, 0x4e, 0x9a), Qt::white);
}

// --- Layout ---------------------------------------------------------------------

namespace {

// Logical pixels. Rows from the top: year numbers, 甲命's luck pillars,
// 甲命's marks, the year pillars, 乙命's marks, 乙命's luck pillars, the
// legend.
constexpr int kGutter = 64;
constexpr int kColumnWidth = 46;
constexpr int kRightMargin = 8;
constexpr int kYearTop = 2, kYearHeight = 18;
constexpr int kBandTop[2] = {22, 126};
constexpr int kBandHeight = 26;
constexpr int kMarksTop[2] = {50, 104};
constexpr int kMarksHeight = 20;
constexpr int kPillarTop = 72, kPillarHeight = 30;
constexpr int kLegendTop = 158, kLegendHeight = 20;
constexpr int kHeight = 182;

enum class Mark { kClash, kCombination, kHarm, kPeach, kBingLin };

QFont SizedFont(const QFont& base, int pixels, bool bold = false) {
    QFont f = base;
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QString YearText(int year) { return QString::number(ShownYear(year)); }

// One mark drawn in a square of about 12 pixels around `c`.
void DrawMark(QPainter& p, Mark mark, QPointF c, const TimelineColors& colors) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    switch (mark) {
        case Mark::kClash:
            p.setPen(QPen(colors.clash, 2.0, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(c + QPointF(-4.5, -4.5), c + QPointF(4.5, 4.5));
            p.drawLine(c + QPointF(-4.5, 4.5), c + QPointF(4.5, -4.5));
            break;
        case Mark::kCombination:
            p.setPen(QPen(colors.combination, 1.8));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, 5.0, 5.0);
            break;
        case Mark::kHarm: {
            p.setPen(QPen(colors.harm, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            const QPointF tri[3] = {c + QPointF(0, -5.5), c + QPointF(5.5, 4.5), c + QPointF(-5.5, 4.5)};
            p.drawPolygon(tri, 3);
            break;
        }
        case Mark::kPeach:
            p.setPen(Qt::NoPen);
            p.setBrush(colors.peach);
            for (int i = 0; i < 5; ++i) {
                const double a = -M_PI / 2 + i * 2 * M_PI / 5;
                p.drawEllipse(c + QPointF(3.2 * std::cos(a), 3.2 * std::sin(a)), 2.7, 2.7);
            }
            p.setBrush(colors.background);
            p.drawEllipse(c, 1.3, 1.3);
            break;
        case Mark::kBingLin: {
            p.setPen(Qt::NoPen);
            p.setBrush(colors.bingLin);
            const QPointF diamond[4] = {c + QPointF(0, -6), c + QPointF(5, 0), c + QPointF(0, 6), c + QPointF(-5, 0)};
            p.drawPolygon(diamond, 4);
            break;
        }
    }
    p.restore();
}

// The mark of the year branch's relation to the day branch, if any.
std::optional<Mark> DayBranchMark(const TimelinePersonYear& y) {
    if (y.toDayBranch.IsClash()) return Mark::kClash;
    if (y.toDayBranch.IsCombination()) return Mark::kCombination;
    if (y.toDayBranch.IsPunishmentOrHarm()) return Mark::kHarm;
    return std::nullopt;
}

struct LegendItem {
    Mark mark;
    QString text;
};

std::vector<LegendItem> LegendItems() {
    return {{Mark::kClash, CoupleTimelineChart::tr("冲日支")},
            {Mark::kCombination, CoupleTimelineChart::tr("合日支")},
            {Mark::kHarm, CoupleTimelineChart::tr("刑害日支")},
            {Mark::kPeach, CoupleTimelineChart::tr("桃花")},
            {Mark::kBingLin, CoupleTimelineChart::tr("岁运并临")}};
}

int LegendWidth(const QFont& font) {
    const QFontMetrics fm(SizedFont(font, 12));
    int w = 8;
    for (const LegendItem& item : LegendItems()) w += 16 + fm.horizontalAdvance(item.text) + 14;
    return w + 16 + fm.horizontalAdvance(CoupleTimelineChart::tr("今年")) + kRightMargin;
}

}  // namespace

// --- The drawing -------------------------------------------------------------

CoupleTimelineChart::CoupleTimelineChart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TimelineChart"));
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(tr("流年对照图"));
    setAccessibleDescription(
        tr("甲命、乙命的大运与各年流年：上为甲命，下为乙命，中间为流年干支；"
           "点击某年或用左右方向键选年，下方显示该年两人的全部关系。"));
    currentYear_ = QDate::currentDate().year();
}

void CoupleTimelineChart::SetTimeline(const CoupleTimeline* timeline) {
    timeline_ = timeline;
    selected_ = -1;
    setFixedSize(CanvasSize(ColumnCount()));
    update();
}

void CoupleTimelineChart::SetCurrentYear(int year) {
    currentYear_ = year;
    update();
}

void CoupleTimelineChart::SetSelectedColumn(int column) {
    selected_ = column >= 0 && column < ColumnCount() ? column : -1;
    update();
}

int CoupleTimelineChart::ColumnCount() const {
    return timeline_ == nullptr ? 0 : static_cast<int>(timeline_->years.size());
}

int CoupleTimelineChart::YearOfColumn(int column) const {
    return timeline_->years.at(static_cast<std::size_t>(column)).year;
}

int CoupleTimelineChart::ColumnAt(QPoint p) const {
    if (p.x() < kGutter || p.y() < 0 || p.y() >= kLegendTop) return -1;
    const int column = (p.x() - kGutter) / kColumnWidth;
    return column < ColumnCount() ? column : -1;
}

QRect CoupleTimelineChart::ColumnRect(int column) const {
    return {kGutter + column * kColumnWidth, 0, kColumnWidth, kLegendTop - 2};
}

QRect CoupleTimelineChart::MarksRect(int column, int person) const {
    return {kGutter + column * kColumnWidth, kMarksTop[person & 1], kColumnWidth, kMarksHeight};
}

QRect CoupleTimelineChart::PillarRect(int column) const {
    return {kGutter + column * kColumnWidth, kPillarTop, kColumnWidth, kPillarHeight};
}

QRect CoupleTimelineChart::LuckRect(int column, int person) const {
    return {kGutter + column * kColumnWidth, kBandTop[person & 1], kColumnWidth, kBandHeight};
}

QSize CoupleTimelineChart::CanvasSize(int columns) const {
    return {std::max(kGutter + columns * kColumnWidth + kRightMargin, LegendWidth(font()) + kGutter), kHeight};
}

QSize CoupleTimelineChart::sizeHint() const { return CanvasSize(ColumnCount()); }

void CoupleTimelineChart::Paint(QPainter& p, const TimelineColors& colors, int first, int last) const {
    const int columns = last - first + 1;
    const QSize size = CanvasSize(std::max(columns, 0));
    p.fillRect(QRect(QPoint(0, 0), size), colors.background);
    if (timeline_ == nullptr || columns <= 0) return;
    const CoupleTimeline& t = *timeline_;
    const QFont base = font();
    const auto x = [&](int column) { return kGutter + (column - first) * kColumnWidth; };

    // The gutter: who is where.
    p.setPen(colors.text);
    p.setFont(SizedFont(base, 14, true));
    for (int k = 0; k < 2; ++k) {
        p.drawText(QRect(4, kBandTop[k], kGutter - 8, kBandHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   ToQString(PersonLabel(k)));
    }
    p.drawText(QRect(4, kPillarTop, kGutter - 8, kPillarHeight), Qt::AlignLeft | Qt::AlignVCenter, tr("流年"));
    p.setFont(SizedFont(base, 12));
    const QFontMetrics small(p.font());
    for (int k = 0; k < 2; ++k) {
        const QString name =
            small.elidedText(ToQString(t.persons[static_cast<std::size_t>(k)].name), Qt::ElideRight, kGutter - 8);
        p.drawText(QRect(4, kMarksTop[k], kGutter - 8, kMarksHeight), Qt::AlignLeft | Qt::AlignVCenter, name);
    }

    // Faint lines between the columns through both persons' marks, so that
    // a mark at a column's edge is seen to belong to its year.
    p.setPen(QPen(colors.band[1], 1));
    for (int i = first; i <= last + 1; ++i) {
        p.drawLine(QPointF(x(i) + 0.5, kMarksTop[0]), QPointF(x(i) + 0.5, kMarksTop[1] + kMarksHeight));
    }

    // Year numbers, the current year's pillar on the highlight, the
    // pillars, the lines between the columns.
    for (int i = first; i <= last; ++i) {
        const TimelineYear& year = t.years[static_cast<std::size_t>(i)];
        const bool current = year.year == currentYear_;
        const QRect pillar(x(i), kPillarTop, kColumnWidth, kPillarHeight);
        if (current) p.fillRect(pillar.adjusted(1, 1, -1, -1), colors.current);
        p.setPen(colors.text);
        p.setFont(SizedFont(base, 11, current));
        p.drawText(QRect(x(i), kYearTop, kColumnWidth, kYearHeight), Qt::AlignCenter, YearText(year.year));
        p.setPen(current ? colors.currentText : colors.text);
        p.setFont(SizedFont(base, 15, true));
        p.drawText(pillar, Qt::AlignCenter, ToQString(PillarName(year.pillar)));
        p.setPen(QPen(colors.line, 1));
        p.drawLine(QPointF(x(i) + 0.5, kPillarTop), QPointF(x(i) + 0.5, kPillarTop + kPillarHeight));
    }
    p.drawLine(QPointF(x(last + 1) + 0.5, kPillarTop), QPointF(x(last + 1) + 0.5, kPillarTop + kPillarHeight));
    p.drawLine(QPointF(x(first), kPillarTop + 0.5), QPointF(x(last + 1), kPillarTop + 0.5));
    p.drawLine(QPointF(x(first), kPillarTop + kPillarHeight - 0.5),
               QPointF(x(last + 1), kPillarTop + kPillarHeight - 0.5));

    // The luck pillars of each person, as far as they fall into the columns.
    for (int k = 0; k < 2; ++k) {
        const TimelinePerson& person = t.persons[static_cast<std::size_t>(k)];
        int i = first;
        while (i <= last) {
            const TimelinePersonYear& y = t.years[static_cast<std::size_t>(i)].persons[static_cast<std::size_t>(k)];
            int j = i;
            const auto same = [&](int c) {
                const TimelinePersonYear& o = t.years[static_cast<std::size_t>(c)].persons[static_cast<std::size_t>(k)];
                return o.born == y.born && o.period == y.period;
            };
            while (j + 1 <= last && same(j + 1)) ++j;
            const QRectF band(x(i) + 1.5, kBandTop[k] + 1.5, (j - i + 1) * kColumnWidth - 3, kBandHeight - 3);
            if (y.born && y.period >= 0) {
                p.setRenderHint(QPainter::Antialiasing);
                p.setPen(QPen(colors.line, 1));
                p.setBrush(colors.band[y.period % 2]);
                p.drawRoundedRect(band, 4, 4);
                p.setRenderHint(QPainter::Antialiasing, false);
                p.setPen(colors.text);
                p.setFont(SizedFont(base, 14, true));
                p.drawText(band, Qt::AlignCenter,
                           ToQString(PillarName(person.periods[static_cast<std::size_t>(y.period)].pillar)));
            } else if (y.born && j > i && t.years[static_cast<std::size_t>(i)].year < person.periods[0].firstYear) {
                p.setPen(colors.text);
                p.setFont(SizedFont(base, 12));
                p.drawText(band, Qt::AlignCenter, tr("未起运"));
            }
            i = j + 1;
        }
    }

    // Each person's marks.
    for (int i = first; i <= last; ++i) {
        for (int k = 0; k < 2; ++k) {
            const TimelinePersonYear& y = t.years[static_cast<std::size_t>(i)].persons[static_cast<std::size_t>(k)];
            if (!y.born) continue;
            const double cy = kMarksTop[k] + kMarksHeight / 2.0;
            if (const auto mark = DayBranchMark(y)) DrawMark(p, *mark, {x(i) + 9.0, cy}, colors);
            if (y.Peach()) DrawMark(p, Mark::kPeach, {x(i) + kColumnWidth / 2.0, cy}, colors);
            if (y.repeatsLuck) DrawMark(p, Mark::kBingLin, {x(i) + kColumnWidth - 9.0, cy}, colors);
        }
    }

    // The chosen year: a frame around its pillar and both persons' marks
    // (the luck pillars' names stay clear of it).
    if (selected_ >= first && selected_ <= last) {
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(colors.text, 2));
        p.setBrush(Qt::NoBrush);
        const int top = kMarksTop[0], bottom = kMarksTop[1] + kMarksHeight;
        p.drawRect(QRect(x(selected_) + 1, top, kColumnWidth - 2, bottom - top));
    }

    // The legend.
    p.setFont(SizedFont(base, 12));
    const QFontMetrics fm(p.font());
    int lx = kGutter;
    const double cy = kLegendTop + kLegendHeight / 2.0;
    for (const LegendItem& item : LegendItems()) {
        DrawMark(p, item.mark, {lx + 7.0, cy}, colors);
        p.setPen(colors.text);
        p.drawText(QRect(lx + 16, kLegendTop, fm.horizontalAdvance(item.text) + 2, kLegendHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, item.text);
        lx += 16 + fm.horizontalAdvance(item.text) + 14;
    }
    p.fillRect(QRect(lx, kLegendTop + 4, 12, 12), colors.current);
    p.setPen(colors.text);
    p.drawText(QRect(lx + 16, kLegendTop, fm.horizontalAdvance(tr("今年")) + 2, kLegendHeight),
               Qt::AlignLeft | Qt::AlignVCenter, tr("今年"));
}

void CoupleTimelineChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    Paint(p, TimelineColors::Of(*this), 0, ColumnCount() - 1);
}

void CoupleTimelineChart::mousePressEvent(QMouseEvent* event) {
    const int column = ColumnAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && column >= 0) {
        setFocus(Qt::MouseFocusReason);
        emit columnChosen(column);
        return;
    }
    QWidget::mousePressEvent(event);
}

void CoupleTimelineChart::keyPressEvent(QKeyEvent* event) {
    const int n = ColumnCount();
    if (n == 0) return QWidget::keyPressEvent(event);
    int column = selected_;
    switch (event->key()) {
        case Qt::Key_Left: column = std::max(0, column - 1); break;
        case Qt::Key_Right: column = std::min(n - 1, column + 1); break;
        case Qt::Key_Home: column = 0; break;
        case Qt::Key_End: column = n - 1; break;
        default: return QWidget::keyPressEvent(event);
    }
    emit columnChosen(column);
}

bool CoupleTimelineChart::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString text = ToolTipAt(help->pos());
        if (text.isEmpty()) {
            QToolTip::hideText();
            event->ignore();
        } else {
            QToolTip::showText(help->globalPos(), text, this);
        }
        return true;
    }
    return QWidget::event(event);
}

QString CoupleTimelineChart::ToolTipAt(QPoint p) const {
    const int column = ColumnAt(p);
    if (column < 0) return {};
    for (int k = 0; k < 2; ++k) {
        if (MarksRect(column, k).contains(p)) return MarksToolTip(column, k);
        if (LuckRect(column, k).contains(p)) return LuckToolTip(column, k);
    }
    const TimelineYear& year = timeline_->years[static_cast<std::size_t>(column)];
    return tr("%1年 %2（自立春起）").arg(YearText(year.year), ToQString(PillarName(year.pillar))) + u'\n' +
           ToQString(TimelineYearLine(*timeline_, static_cast<std::size_t>(column), 0)) + u'\n' +
           ToQString(TimelineYearLine(*timeline_, static_cast<std::size_t>(column), 1));
}

QString CoupleTimelineChart::MarksToolTip(int column, int k) const {
    const TimelineYear& year = timeline_->years[static_cast<std::size_t>(column)];
    const TimelinePerson& person = timeline_->persons[static_cast<std::size_t>(k)];
    const TimelinePersonYear& y = year.persons[static_cast<std::size_t>(k)];
    if (!y.born) return {};
    const QString yearBranch = ToQString(kBranchNames[static_cast<std::size_t>(BranchOfPillar(year.pillar))]);
    QStringList lines;
    lines << tr("%1 %2年 %3").arg(ToQString(PersonLabel(k)), YearText(year.year), ToQString(PillarName(year.pillar)));
    const QString dayBranch = ToQString(kBranchNames[static_cast<std::size_t>(person.DayBranch())]);
    if (const auto mark = DayBranchMark(y)) {
        static const QString kSymbols[] = {QStringLiteral("✕"), QStringLiteral("◯"), QStringLiteral("△")};
        lines << tr("%1 日支%2：%3%2%4")
                     .arg(kSymbols[static_cast<int>(*mark)], dayBranch, yearBranch,
                          ToQString(BranchRelationName(y.toDayBranch)));
    }
    if (y.Peach()) {
        QStringList bases;
        if (y.peachByDayBranch) bases << tr("日支%1").arg(dayBranch);
        if (y.peachByYearBranch) {
            bases << tr("年支%1").arg(ToQString(kBranchNames[static_cast<std::size_t>(person.YearBranch())]));
        }
        lines << tr("✿ 桃花（%1）").arg(bases.join(QStringLiteral("、")));
    }
    if (y.repeatsLuck) lines << tr("◆ 岁运并临（大运%1）").arg(ToQString(PillarName(year.pillar)));
    if (lines.size() == 1) lines << tr("日支%1：无刑冲害合").arg(dayBranch);
    return lines.join(u'\n');
}

QString CoupleTimelineChart::LuckToolTip(int column, int k) const {
    const TimelinePersonYear& y =
        timeline_->years[static_cast<std::size_t>(column)].persons[static_cast<std::size_t>(k)];
    const TimelinePerson& person = timeline_->persons[static_cast<std::size_t>(k)];
    if (!y.born) return tr("%1 未出生").arg(ToQString(PersonLabel(k)));
    if (y.period < 0) {
        if (YearOfColumn(column) < person.periods[0].firstYear) {
            return tr("%1 未起运：%2年起大运").arg(ToQString(PersonLabel(k)), YearText(person.periods[0].firstYear));
        }
        return {};
    }
    const LuckPeriod& period = person.periods[static_cast<std::size_t>(y.period)];
    return tr("%1 大运%2：%3年至%4年\n%5")
        .arg(ToQString(PersonLabel(k)), ToQString(PillarName(period.pillar)), YearText(period.firstYear),
             YearText(period.lastYear), ToQString(LuckStartText(person.luck)));
}

// --- The view ----------------------------------------------------------------------

CoupleTimelineView::CoupleTimelineView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("TimelineView"));
    currentYear_ = QDate::currentDate().year();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    chart_ = new CoupleTimelineChart;
    chart_->SetCurrentYear(currentYear_);
    scroll_ = new QScrollArea;
    scroll_->setObjectName(QStringLiteral("TimelineScroll"));
    scroll_->setWidget(chart_);
    scroll_->setWidgetResizable(false);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->viewport()->setAutoFillBackground(false);  // the window's background beside the drawing
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setFixedHeight(chart_->height() + scroll_->horizontalScrollBar()->sizeHint().height() + 2);
    lines_ = new QLabel;
    lines_->setObjectName(QStringLiteral("TimelineLines"));
    lines_->setWordWrap(true);
    lines_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    lines_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lines_->setContentsMargins(6, 6, 6, 6);
    lines_->setAccessibleName(tr("所选年份"));
    lines_->setText(tr("点击某一年，这里显示该年两人的全部关系。"));
    layout->addWidget(scroll_);
    layout->addWidget(lines_, 1);
    connect(chart_, &CoupleTimelineChart::columnChosen, this, [this](int column) { ShowColumn(column); });
}

void CoupleTimelineView::SetTimeline(CoupleTimeline timeline) {
    timeline_ = std::move(timeline);
    chart_->SetTimeline(&*timeline_);
    scroll_->setFixedHeight(chart_->height() + scroll_->horizontalScrollBar()->sizeHint().height() + 2);
    const int current = timeline_->IndexOfYear(currentYear_);
    ShowColumn(current >= 0 ? current : 0);
}

void CoupleTimelineView::Clear() {
    chart_->SetTimeline(nullptr);
    timeline_.reset();
    lines_->setText(tr("点击某一年，这里显示该年两人的全部关系。"));
}

void CoupleTimelineView::SetCurrentYear(int year) {
    currentYear_ = year;
    chart_->SetCurrentYear(year);
}

void CoupleTimelineView::SelectYear(int year) {
    if (!timeline_) return;
    if (const int column = timeline_->IndexOfYear(year); column >= 0) ShowColumn(column);
}

std::optional<int> CoupleTimelineView::SelectedYear() const {
    if (!timeline_ || chart_->SelectedColumn() < 0) return std::nullopt;
    return chart_->YearOfColumn(chart_->SelectedColumn());
}

QString CoupleTimelineView::SelectedYearText() const { return lines_->text(); }

void CoupleTimelineView::ShowColumn(int column) {
    if (!timeline_ || column < 0 || column >= chart_->ColumnCount()) return;
    chart_->SetSelectedColumn(column);
    const TimelineYear& year = timeline_->years[static_cast<std::size_t>(column)];
    const auto i = static_cast<std::size_t>(column);
    const QString text = tr("%1年 %2（自立春起）").arg(YearText(year.year), ToQString(PillarName(year.pillar))) +
                         u'\n' + ToQString(TimelineYearLine(*timeline_, i, 0)) + u'\n' +
                         ToQString(TimelineYearLine(*timeline_, i, 1));
    lines_->setText(text);
    chart_->setAccessibleDescription(text);
    const QRect r = chart_->ColumnRect(column);
    scroll_->ensureVisible(r.center().x(), r.center().y(), r.width() * 2, 0);
    emit yearSelected(year.year);
}

QImage CoupleTimelineView::Image(qreal scale) const {
    const QSize size = chart_->CanvasSize(chart_->ColumnCount());
    QImage img((QSizeF(size) * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(scale);
    QPainter p(&img);
    chart_->Paint(p, TimelineColors::Of(*chart_), 0, chart_->ColumnCount() - 1);
    return img;
}

Status CoupleTimelineView::SaveImage(const QString& path, qreal scale) const {
    if (!Image(scale).save(path, "PNG")) {
        return Status::Error(tr("无法保存图片到%1。").arg(path).toStdString());
    }
    return Status::Ok();
}

Status CoupleTimelineView::Print(QPrinter& printer) const {
    QPainter p;
    if (!p.begin(&printer)) return Status::Error(tr("无法开始打印。").toStdString());
    // One logical pixel is 1/96 inch, as on a screen at 1×.
    const qreal scale = printer.resolution() / 96.0;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    const int pageWidth = static_cast<int>(page.width() / scale);
    const int pageHeight = static_cast<int>(page.height() / scale);
    const int n = chart_->ColumnCount();
    const int perRow = std::max(1, (pageWidth - kGutter - kRightMargin) / kColumnWidth);
    const TimelineColors paper = TimelineColors::ForPaper();
    int y = 0;
    for (int first = 0; first < std::max(n, 1); first += perRow) {
        const int last = std::min(n, first + perRow) - 1;
        if (y > 0 && y + kHeight > pageHeight) {
            printer.newPage();
            y = 0;
        }
        p.save();
        p.scale(scale, scale);
        p.translate(0, y);
        p.setClipRect(QRect(QPoint(0, 0), chart_->CanvasSize(last - first + 1)));
        chart_->Paint(p, paper, first, last);
        p.restore();
        y += kHeight + 16;
    }
    return p.end() ? Status::Ok() : Status::Error(tr("打印未能完成。").toStdString());
}

}  // namespace tessaly
