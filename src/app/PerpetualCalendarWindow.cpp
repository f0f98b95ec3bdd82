#include "PerpetualCalendarWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

#include "AppFonts.h"
#include "BirthDataDialog.h"
#include "MessageService.h"
#include "common/IniFile.h"
#include "app/QtText.h"

namespace tessaly {
namespace {

// The grid is a picture of its own: these colours hold on any desktop. The
// window around it keeps the desktop's (or the skin's) colours.
const QColor kGridBackground(255, 255, 200);
const QColor kWorkdayHeading(0, 128, 0);
const QColor kWeekendHeading(255, 0, 0);
const QColor kTermDay(255, 0, 0);
const QColor kPlainDay(0, 0, 255);
const QColor kSelectionFrame(0, 128, 0);

// The grid's design size: its fonts are given for 450 × 330.
constexpr double kDesignWidth = 450, kDesignHeight = 330;

// A font of `points` at 96 dots per inch, scaled with the grid.
QFont GridFont(int points, double scale) {
    QFont f(kSongTi);
    f.setPixelSize(std::max(1, int(std::lround(points * 96.0 / 72.0 * scale))));
    return f;
}

// Draws `text` centred in `box`, shrinking the font when the text would
// overflow the box (a long term name in a narrow cell).
void CentredText(QPainter& p, const QRectF& box, const QString& text, QFont font) {
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > box.width() - 2) {
        font.setPixelSize(font.pixelSize() - 1);
    }
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, text);
}

}  // namespace

// ---- the grid ----

MonthGridView::MonthGridView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Img1"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("月历"));
}

void MonthGridView::SetGrid(const MonthGrid* grid, int selectedDay) {
    grid_ = grid;
    selectedDay_ = selectedDay;
    update();
}

QRectF MonthGridView::CellRect(int row, int column) const {
    const auto edge = [](int i, int size) { return std::round(i * size / 7.0); };
    const double x0 = edge(column, width()), x1 = edge(column + 1, width());
    const double y0 = edge(row, height()), y1 = edge(row + 1, height());
    return {x0, y0, x1 - x0, y1 - y0};
}

QPoint MonthGridView::CellAt(const QPointF& pos) const {
    if (pos.x() < 0 || pos.y() < 0 || pos.x() >= width() || pos.y() >= height()) return {-1, -1};
    return {int(pos.x() * 7 / width()), int(pos.y() * 7 / height())};  // (column, row)
}

QString MonthGridView::DayTip(const DayCell& cell) {
    QString tip = QStringLiteral("农历") + ToQString(cell.lunarText) + '\n' + ToQString(PillarName(cell.dayPillar)) +
                  QStringLiteral("日");
    if (cell.termDay()) tip += '\n' + ToQString(TermAtMinute(cell.term, cell.termHour, cell.termMinute));
    return tip;
}

void MonthGridView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kGridBackground);
    const double scale = std::min(width() / kDesignWidth, height() / kDesignHeight);

    p.setPen(QPen(Qt::black, 1));
    for (int i = 1; i < 7; ++i) {
        const double x = CellRect(0, i).left(), y = CellRect(i, 0).top();
        p.drawLine(QPointF(x, 0), QPointF(x, height()));
        p.drawLine(QPointF(0, y), QPointF(width(), y));
    }

    p.setRenderHint(QPainter::TextAntialiasing);
    const QFont heading = GridFont(13, scale);
    for (int c = 0; c < 7; ++c) {
        p.setPen(c < 5 ? kWorkdayHeading : kWeekendHeading);
        CentredText(p, CellRect(0, c), ToQString(kWeekdayHeadings[std::size_t(c)]), heading);
    }
    if (grid_ == nullptr) return;

    for (const DayCell& cell : grid_->days) {
        const QRectF box = CellRect(cell.row, cell.column);
        const QRectF upper(box.left(), box.top(), box.width(), box.height() / 2);
        const QRectF lower(box.left(), box.center().y(), box.width(), box.height() / 2);
        p.setPen(cell.termDay() ? kTermDay : kPlainDay);
        CentredText(p, upper, ToQString(cell.dayText), GridFont(cell.dayPoints, scale));
        CentredText(p, lower, ToQString(cell.lunarText), GridFont(cell.lunarPoints, scale));
    }

    if (const DayCell* selected = grid_->Cell(selectedDay_)) {
        // Shape1: a green dashed frame just inside the selected cell, heavier
        // while the grid has the keyboard.
        const double w = hasFocus() ? 2 : 1;
        QPen pen(kSelectionFrame, w, Qt::DashLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        const QRectF box = CellRect(selected->row, selected->column);
        p.drawRect(box.adjusted(1 + w / 2, 1 + w / 2, -w / 2 - 1, -w / 2 - 1));
    }
}

void MonthGridView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    setFocus(Qt::MouseFocusReason);
    const QPoint cell = CellAt(event->position());
    if (cell.x() >= 0) emit cellClicked(cell.y(), cell.x());
}

void MonthGridView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left: emit moveDays(-1); break;
        case Qt::Key_Right: emit moveDays(1); break;
        case Qt::Key_Up: emit moveDays(-7); break;
        case Qt::Key_Down: emit moveDays(7); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

bool MonthGridView::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QPoint cell = CellAt(help->pos());
        const int day = grid_ != nullptr && cell.x() >= 0 ? grid_->DayAt(cell.y(), cell.x()) : 0;
        if (day > 0) {
            QToolTip::showText(help->globalPos(), DayTip(*grid_->Cell(day)), this,
                               CellRect(cell.y(), cell.x()).toAlignedRect());
        } else {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) update();
    return QWidget::event(event);
}

// ---- the window ----

PerpetualCalendarWindow::PerpetualCalendarWindow(QWidget* parent, std::function<QDateTime()> clock)
    : QDialog(parent), clock_(std::move(clock)) {
    if (!clock_) clock_ = [] { return QDateTime::currentDateTime(); };
    setObjectName(QStringLiteral("FrmWnl"));
    setWindowTitle(QStringLiteral("Tessaly万年历"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont wf(kSongTi);
    wf.setPixelSize(14);
    setFont(wf);

    labxiao = new QLineEdit(this);
    labxiao->setObjectName(QStringLiteral("labxiao"));
    labxiao->setReadOnly(true);
    labxiao->setFocusPolicy(Qt::ClickFocus);

    labtitle = new QLabel(this);
    labtitle->setObjectName(QStringLiteral("labtitle"));
    QFont tf = labtitle->font();
    tf.setPixelSize(18);
    tf.setBold(true);
    labtitle->setFont(tf);
    labtitle->setAlignment(Qt::AlignCenter);
    labtitle->setMinimumWidth(labtitle->fontMetrics().horizontalAdvance(QStringLiteral("-4713年12月")) + 8);

    // Arrows as text, so that every skin colours them as its buttons' text.
    const auto arrow = [this](const char* name, const QString& glyph, const QString& hint) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(glyph);
        b->setToolTip(hint);
        b->setAccessibleName(hint);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    BitBtn2 = arrow("BitBtn2", QStringLiteral("◀"), QStringLiteral("上一月"));
    BitBtn1 = arrow("BitBtn1", QStringLiteral("▶"), QStringLiteral("下一月"));
    sbtnnow = new QToolButton(this);
    sbtnnow->setObjectName(QStringLiteral("sbtnnow"));
    sbtnnow->setText(QStringLiteral("当前时间"));
    sbtnnow->setToolTip(QStringLiteral("当前时间"));
    sbtnnow->setAutoRaise(true);
    sbtnnow->setFocusPolicy(Qt::TabFocus);

    EdtYear = new QLineEdit(this);
    EdtYear->setObjectName(QStringLiteral("EdtYear"));
    EdtYear->setMaxLength(5);
    EdtYear->setFixedWidth(EdtYear->fontMetrics().horizontalAdvance(QStringLiteral("-47130")) + 12);
    EdtYear->setToolTip(QStringLiteral("年份在-4713至9999，公元前用负数"));
    UdYear = new YearUpDown(StoredYear(kCalendarFirstShownYear), kCalendarLastShownYear, this);
    UdYear->setObjectName(QStringLiteral("UdYear"));
    UdYear->StepWithArrowKeysOf(EdtYear);

    const auto list = [this](const char* name, int first, int last, const QString& unit) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        for (int i = first; i <= last; ++i) c->addItem(QString::number(i) + unit);
        c->setMaxVisibleItems(16);
        return c;
    };
    cbom = list("cbom", 1, 12, QStringLiteral("月"));
    cbod = list("cbod", 1, 31, QStringLiteral("日"));
    cbos = list("cbos", 0, 23, QStringLiteral("时"));
    cbomin = list("cbomin", 0, 59, QStringLiteral("分"));

    const auto memo = [this](const char* name) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setReadOnly(true);
        m->setFocusPolicy(Qt::ClickFocus);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
        m->setFixedWidth(m->fontMetrics().horizontalAdvance(QStringLiteral("小寒:31日23时59分")) + 32);
        return m;
    };
    memjie1 = memo("memjie1");
    memgz = memo("memgz");
    QFont gz = memgz->font();
    gz.setPixelSize(18);
    memgz->setFont(gz);
    Img1 = new MonthGridView(this);

    auto* nav = new QHBoxLayout;
    nav->setSpacing(4);
    nav->addWidget(BitBtn2);
    nav->addWidget(labtitle);
    nav->addWidget(BitBtn1);
    nav->addStretch(1);
    nav->addWidget(EdtYear);
    nav->addWidget(UdYear);
    for (QComboBox* c : {cbom, cbod, cbos, cbomin}) nav->addWidget(c);
    nav->addWidget(sbtnnow);

    auto* side = new QVBoxLayout;
    side->addWidget(memjie1, 1);
    side->addWidget(memgz, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(Img1, 1);
    body->addLayout(side);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(labxiao);
    root->addLayout(nav);
    root->addLayout(body, 1);

    setTabOrder(Img1, EdtYear);
    setTabOrder(EdtYear, cbom);
    setTabOrder(cbom, cbod);
    setTabOrder(cbod, cbos);
    setTabOrder(cbos, cbomin);
    setTabOrder(cbomin, BitBtn2);
    setTabOrder(BitBtn2, BitBtn1);
    setTabOrder(BitBtn1, sbtnnow);

    connect(BitBtn2, &QToolButton::clicked, this, &PerpetualCalendarWindow::PreviousMonth);
    connect(BitBtn1, &QToolButton::clicked, this, &PerpetualCalendarWindow::NextMonth);
    connect(sbtnnow, &QToolButton::clicked, this, &PerpetualCalendarWindow::ShowNow);
    connect(EdtYear, &QLineEdit::returnPressed, this, &PerpetualCalendarWindow::ConfirmYear);
    connect(UdYear, &YearUpDown::clicked, this, &PerpetualCalendarWindow::StepYear);
    for (QComboBox* c : {cbom, cbod, cbos, cbomin}) {
        connect(c, &QComboBox::currentIndexChanged, this, &PerpetualCalendarWindow::Redraw);
    }
    connect(Img1, &MonthGridView::cellClicked, this, &PerpetualCalendarWindow::ClickCell);
    connect(Img1, &MonthGridView::moveDays, this, &PerpetualCalendarWindow::MoveDays);

    // Opening: the computer's current date and time.
    const QDateTime now = clock_();
    SetFields(now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute());
    Redraw();
    Img1->setFocus();
}

void PerpetualCalendarWindow::SetFields(int shownYear, int month, int day, int hour, int minute) {
    const QSignalBlocker b1(cbom), b2(cbod), b3(cbos), b4(cbomin);
    EdtYear->setText(QString::number(shownYear));
    UdYear->setPosition(StoredYear(shownYear));
    cbom->setCurrentIndex(month - 1);
    cbod->setCurrentIndex(day - 1);
    cbos->setCurrentIndex(hour);
    cbomin->setCurrentIndex(minute);
}

bool PerpetualCalendarWindow::YearIsZero() const {
    long typed = 1;
    return ParseInteger(EdtYear->text().toStdString(), &typed) && typed == 0;
}

void PerpetualCalendarWindow::Redraw() {
    const std::optional<int> year = ParseCalendarYear(EdtYear->text().toStdString());
    if (!year) {
        Inform(this, YearIsZero() ? tr("没有公元0年") : ToQString(kShownYearRefused.text),
               ToQString(kShownYearRefused.caption), MsgIcon::kError);
        return;
    }
    const CivilTime t{std::int16_t(*year), std::int16_t(cbom->currentIndex() + 1),
                      std::int16_t(cbod->currentIndex() + 1), std::int16_t(cbos->currentIndex()),
                      std::int16_t(cbomin->currentIndex())};
    if (!LunarCalendar::SolarDateExists(t)) {
        Inform(this, ToQString(kNoSuchDay.text), ToQString(kNoSuchDay.caption), MsgIcon::kInformation);
        return;
    }
    UdYear->setPosition(t.year);
    selected_ = t;
    if (grid_.year != t.year || grid_.month != t.month || grid_.days.empty()) {
        grid_ = BuildMonthGrid(calendar_, t.year, t.month);
    }
    QStringList terms;
    for (const MonthTerm& m : grid_.terms) terms << ToQString(TermListLine(m));
    memjie1->setPlainText(terms.join(QStringLiteral("\n\n")));
    Img1->SetGrid(&grid_, t.day);

    const MomentDescription d = DescribeMoment(calendar_, t);
    labtitle->setText(ToQString(d.title));
    labxiao->setText(ToQString(d.eraLine));
    labxiao->setCursorPosition(0);
    labxiao->setToolTip(ToQString(d.eraLine));
    QStringList pillars;
    for (const std::string& line : d.pillarLines) pillars << ToQString(line);
    memgz->setPlainText(pillars.join('\n'));
}

void PerpetualCalendarWindow::ConfirmYear() {
    if (!ParseCalendarYear(EdtYear->text().toStdString())) {
        Inform(this, YearIsZero() ? tr("没有公元0年") : ToQString(kYearEntryRefused.text),
               ToQString(kYearEntryRefused.caption), MsgIcon::kError);
        EdtYear->setFocus();
        EdtYear->selectAll();
        return;
    }
    Redraw();
}

void PerpetualCalendarWindow::StepYear(int position) {
    EdtYear->setText(QString::number(ShownYear(position)));
    Redraw();
}

void PerpetualCalendarWindow::StepMonth(bool forward) {
    long typed = 0;
    const int year = ParseInteger(EdtYear->text().toStdString(), &typed) ? int(typed) : 1900;
    const ShownMonth from{year, cbom->currentIndex() + 1};
    const std::optional<ShownMonth> to = forward ? tessaly::NextMonth(from) : tessaly::PreviousMonth(from);
    if (!to) return;
    SetFields(to->shownYear, to->month, 1, cbos->currentIndex(), cbomin->currentIndex());
    Redraw();
}

void PerpetualCalendarWindow::PreviousMonth() { StepMonth(false); }
void PerpetualCalendarWindow::NextMonth() { StepMonth(true); }

void PerpetualCalendarWindow::ShowNow() {
    const QDateTime now = clock_();
    const int y = now.date().year();
    if (y < kCalendarFirstShownYear || y > kCalendarLastShownYear || y == 0) return;
    SetFields(y, now.date().month(), now.date().day(), now.time().hour(), now.time().minute());
    Redraw();
}

void PerpetualCalendarWindow::ClickCell(int row, int column) {
    const int day = grid_.DayAt(row, column);
    if (day == 0) return;
    {
        const QSignalBlocker b(cbod);
        cbod->setCurrentIndex(day - 1);
    }
    Redraw();
}

void PerpetualCalendarWindow::MoveDays(int days) {
    const std::optional<CivilTime> to = ShiftDays(selected_, days);
    if (!to) return;
    SetFields(ShownYear(to->year), to->month, to->day, to->hour, to->minute);
    Redraw();
}

void PerpetualCalendarWindow::keyPressEvent(QKeyEvent* event) {
    // PageUp and PageDown reach here from the grid and the year field (the
    // lists keep them for their own items).
    if (event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown) {
        StepMonth(event->key() == Qt::Key_PageDown);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tessaly
