#include "PerpetualCalendarWindow.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <cmath>

#include "AppFonts.h"
#include "AppSetup.h"
#include "BirthDataDialog.h"
#include "MessageService.h"
#include "common/IniFile.h"
#include "lang/Glossary.h"
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

// The weekday headings, Monday to Sunday, for a reader of English.
const char* const kWeekdayHeadingSources[7] = {
    QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期一"), QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期二"),
    QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期三"), QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期四"),
    QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期五"), QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期六"),
    QT_TRANSLATE_NOOP("tessaly::MonthGridView", "星期日")};

bool InEnglish() { return CurrentLanguage() == UiLanguage::kEnglish; }

// The glossary's English of a calendar term ("立春" → "Start of Spring").
QString EnglishOf(std::string_view chinese) {
    const GlossaryTerm* t = Glossary::Builtin().Find(chinese);
    return t != nullptr ? QString::fromStdString(t->english) : QString();
}

// "甲辰 jiǎ chén": a pillar with the pinyin of its stem and branch.
QString PillarWithPinyin(int pillar) {
    QStringList pinyin;
    for (std::string_view part : {PillarStemName(pillar), PillarBranchName(pillar)}) {
        if (const GlossaryTerm* t = Glossary::Builtin().Find(part)) pinyin << QString::fromStdString(t->pinyin);
    }
    return ToQString(PillarName(pillar)) + u' ' + pinyin.join(u' ');
}

// "February 2024", "March 120 BC": a month as the year field shows it.
QString EnglishMonthTitle(int shownYear, int month) {
    const QString name = QLocale(QLocale::English).monthName(month);
    return shownYear < 0 ? QStringLiteral("%1 %2 BC").arg(name).arg(-shownYear)
                         : QStringLiteral("%1 %2").arg(name).arg(shownYear);
}

// "立春 Start of Spring" over "February 4, 16:27": a term of the month.
QString EnglishTermLines(const MonthTerm& m, int month) {
    const std::string_view name = kSolarTermNames[std::size_t(m.term)];
    return ToQString(name) + u' ' + EnglishOf(name) + u'\n' +
           QStringLiteral("%1 %2, %3:%4")
               .arg(QLocale(QLocale::English).monthName(month, QLocale::ShortFormat))
               .arg(m.day)
               .arg(m.hour, 2, 10, QChar(u'0'))
               .arg(m.minute, 2, 10, QChar(u'0'));
}

}  // namespace

// ---- the grid ----

MonthGridView::MonthGridView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Img1"));
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(tr("月历"));
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
    if (InEnglish()) {
        // 农历 and the pillar are the calendar's terms: kept, with the English.
        QString tip = QStringLiteral("农历 %1 (Chinese calendar)\n%2 (day pillar)")
                          .arg(ToQString(cell.lunarText), PillarWithPinyin(cell.dayPillar));
        if (cell.termDay()) {
            tip += u'\n' + ToQString(TermAtMinute(cell.term, cell.termHour, cell.termMinute)) + u' ' +
                   EnglishOf(kSolarTermNames[std::size_t(cell.term)]);
        }
        return tip;
    }
    QString tip = tr("农历") + ToQString(cell.lunarText) + '\n' + ToQString(PillarName(cell.dayPillar)) + tr("日");
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
        const QString name = InEnglish() ? tr(kWeekdayHeadingSources[c]) : ToQString(kWeekdayHeadings[std::size_t(c)]);
        CentredText(p, CellRect(0, c), name, heading);
    }
    if (grid_ == nullptr) return;

    for (const DayCell& cell : grid_->days) {
        const QRectF box = CellRect(cell.row, cell.column);
        const QRectF upper(box.left(), box.top(), box.width(), box.height() / 2);
        const QRectF lower(box.left(), box.center().y(), box.width(), box.height() / 2);
        p.setPen(cell.termDay() ? kTermDay : kPlainDay);
        QString dayText = ToQString(cell.dayText);
        if (InEnglish() && cell.day == 1) {  // "12月" on the first day: "Dec 1"
            const qsizetype month = dayText.indexOf(u'月');
            if (month > 0) {
                dayText = QLocale(QLocale::English).monthName(grid_->month, QLocale::ShortFormat) +
                          QStringLiteral(" 1") + dayText.mid(month + 1);
            }
        }
        CentredText(p, upper, dayText, GridFont(cell.dayPoints, scale));
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
    setWindowTitle(tr("Tessaly万年历"));
    setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
    QFont wf(kSongTi);
    wf.setPixelSize(14);
    setFont(wf);

    eraLine = new QLineEdit(this);
    eraLine->setObjectName(QStringLiteral("labxiao"));
    eraLine->setReadOnly(true);
    eraLine->setFocusPolicy(Qt::ClickFocus);

    monthTitle = new QLabel(this);
    monthTitle->setObjectName(QStringLiteral("labtitle"));
    QFont tf = monthTitle->font();
    tf.setPixelSize(18);
    tf.setBold(true);
    monthTitle->setFont(tf);
    monthTitle->setAlignment(Qt::AlignCenter);
    monthTitle->setMinimumWidth(monthTitle->fontMetrics().horizontalAdvance(QStringLiteral("-4713年12月")) + 8);

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
    previousMonthButton = arrow("BitBtn2", QStringLiteral("◀"), tr("上一月"));
    nextMonthButton = arrow("BitBtn1", QStringLiteral("▶"), tr("下一月"));
    nowButton = new QToolButton(this);
    nowButton->setObjectName(QStringLiteral("sbtnnow"));
    nowButton->setText(tr("当前时间"));
    nowButton->setToolTip(tr("当前时间"));
    nowButton->setAutoRaise(true);
    nowButton->setFocusPolicy(Qt::TabFocus);

    yearEdit = new QLineEdit(this);
    yearEdit->setObjectName(QStringLiteral("EdtYear"));
    yearEdit->setMaxLength(5);
    yearEdit->setFixedWidth(yearEdit->fontMetrics().horizontalAdvance(QStringLiteral("-47130")) + 12);
    yearEdit->setToolTip(tr("年份在-4713至9999，公元前用负数"));
    yearUpDown = new YearUpDown(StoredYear(kCalendarFirstShownYear), kCalendarLastShownYear, this);
    yearUpDown->setObjectName(QStringLiteral("UdYear"));
    yearUpDown->StepWithArrowKeysOf(yearEdit);

    const auto list = [this](const char* name, int first, int last, const QString& format) {
        auto* c = new QComboBox(this);
        c->setObjectName(QString::fromLatin1(name));
        for (int i = first; i <= last; ++i) c->addItem(format.arg(i));
        c->setMaxVisibleItems(16);
        return c;
    };
    monthBox = list("cbom", 1, 12, tr("%1月"));
    if (InEnglish()) {  // the month of the Gregorian calendar by its name
        for (int i = 0; i < 12; ++i) monthBox->setItemText(i, QLocale(QLocale::English).monthName(i + 1));
    }
    dayBox = list("cbod", 1, 31, tr("%1日"));
    hourBox = list("cbos", 0, 23, tr("%1时"));
    minuteBox = list("cbomin", 0, 59, tr("%1分"));

    const auto memo = [this](const char* name) {
        auto* m = new QPlainTextEdit(this);
        m->setObjectName(QString::fromLatin1(name));
        m->setReadOnly(true);
        m->setFocusPolicy(Qt::ClickFocus);
        m->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m->setLineWrapMode(QPlainTextEdit::NoWrap);
        int widest = m->fontMetrics().horizontalAdvance(QStringLiteral("小寒:31日23时59分"));
        if (InEnglish()) {  // "惊蛰 Awakening of Insects"
            for (std::string_view term : kSolarTermNames) {
                widest = std::max(widest, m->fontMetrics().horizontalAdvance(ToQString(term) + u' ' + EnglishOf(term)));
            }
        }
        m->setFixedWidth(widest + 32);
        return m;
    };
    monthTermsPane = memo("memjie1");
    pillarsPane = memo("memgz");
    QFont gz = pillarsPane->font();
    gz.setPixelSize(InEnglish() ? 15 : 18);  // with pinyin beside the pillars
    pillarsPane->setFont(gz);
    monthGrid = new MonthGridView(this);

    // What a screen reader says for the fields that stand without a label.
    eraLine->setAccessibleName(tr("纪年"));
    monthTitle->setAccessibleName(tr("所示月份"));
    yearEdit->setAccessibleName(tr("年份"));
    monthBox->setAccessibleName(tr("月"));
    dayBox->setAccessibleName(tr("日"));
    hourBox->setAccessibleName(tr("时"));
    minuteBox->setAccessibleName(tr("分"));
    monthTermsPane->setAccessibleName(tr("本月节气"));
    pillarsPane->setAccessibleName(tr("四柱"));

    auto* nav = new QHBoxLayout;
    nav->setSpacing(4);
    nav->addWidget(previousMonthButton);
    nav->addWidget(monthTitle);
    nav->addWidget(nextMonthButton);
    nav->addStretch(1);
    nav->addWidget(yearEdit);
    nav->addWidget(yearUpDown);
    for (QComboBox* c : {monthBox, dayBox, hourBox, minuteBox}) nav->addWidget(c);
    nav->addWidget(nowButton);

    auto* side = new QVBoxLayout;
    side->addWidget(monthTermsPane, 1);
    side->addWidget(pillarsPane, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(monthGrid, 1);
    body->addLayout(side);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);
    root->addWidget(eraLine);
    root->addLayout(nav);
    root->addLayout(body, 1);

    setTabOrder(monthGrid, yearEdit);
    setTabOrder(yearEdit, monthBox);
    setTabOrder(monthBox, dayBox);
    setTabOrder(dayBox, hourBox);
    setTabOrder(hourBox, minuteBox);
    setTabOrder(minuteBox, previousMonthButton);
    setTabOrder(previousMonthButton, nextMonthButton);
    setTabOrder(nextMonthButton, nowButton);

    connect(previousMonthButton, &QToolButton::clicked, this, &PerpetualCalendarWindow::PreviousMonth);
    connect(nextMonthButton, &QToolButton::clicked, this, &PerpetualCalendarWindow::NextMonth);
    connect(nowButton, &QToolButton::clicked, this, &PerpetualCalendarWindow::ShowNow);
    connect(yearEdit, &QLineEdit::returnPressed, this, &PerpetualCalendarWindow::ConfirmYear);
    connect(yearUpDown, &YearUpDown::clicked, this, &PerpetualCalendarWindow::StepYear);
    for (QComboBox* c : {monthBox, dayBox, hourBox, minuteBox}) {
        connect(c, &QComboBox::currentIndexChanged, this, &PerpetualCalendarWindow::Redraw);
    }
    connect(monthGrid, &MonthGridView::cellClicked, this, &PerpetualCalendarWindow::ClickCell);
    connect(monthGrid, &MonthGridView::moveDays, this, &PerpetualCalendarWindow::MoveDays);

    // Opening: the computer's current date and time.
    const QDateTime now = clock_();
    SetFields(now.date().year(), now.date().month(), now.date().day(), now.time().hour(), now.time().minute());
    Redraw();
    monthGrid->setFocus();
}

void PerpetualCalendarWindow::SetFields(int shownYear, int month, int day, int hour, int minute) {
    const QSignalBlocker b1(monthBox), b2(dayBox), b3(hourBox), b4(minuteBox);
    yearEdit->setText(QString::number(shownYear));
    yearUpDown->setPosition(StoredYear(shownYear));
    monthBox->setCurrentIndex(month - 1);
    dayBox->setCurrentIndex(day - 1);
    hourBox->setCurrentIndex(hour);
    minuteBox->setCurrentIndex(minute);
}

bool PerpetualCalendarWindow::YearIsZero() const {
    long typed = 1;
    return ParseInteger(yearEdit->text().toStdString(), &typed) && typed == 0;
}

void PerpetualCalendarWindow::Redraw() {
    const std::optional<int> year = ParseCalendarYear(yearEdit->text().toStdString());
    if (!year) {
        Inform(this, YearIsZero() ? tr("没有公元0年") : ToQString(kShownYearRefused.text),
               ToQString(kShownYearRefused.caption), MsgIcon::kError);
        return;
    }
    const CivilTime t{std::int16_t(*year), std::int16_t(monthBox->currentIndex() + 1),
                      std::int16_t(dayBox->currentIndex() + 1), std::int16_t(hourBox->currentIndex()),
                      std::int16_t(minuteBox->currentIndex())};
    if (!LunarCalendar::SolarDateExists(t)) {
        Inform(this, ToQString(kNoSuchDay.text), ToQString(kNoSuchDay.caption), MsgIcon::kInformation);
        return;
    }
    yearUpDown->setPosition(t.year);
    selected_ = t;
    if (grid_.year != t.year || grid_.month != t.month || grid_.days.empty()) {
        grid_ = BuildMonthGrid(calendar_, t.year, t.month);
    }
    QStringList terms;
    for (const MonthTerm& m : grid_.terms) {
        terms << (InEnglish() ? EnglishTermLines(m, t.month) : ToQString(TermListLine(m)));
    }
    monthTermsPane->setPlainText(terms.join(QStringLiteral("\n\n")));
    monthGrid->SetGrid(&grid_, t.day);

    const MomentDescription d = DescribeMoment(calendar_, t);
    monthTitle->setText(InEnglish() ? EnglishMonthTitle(ShownYear(t.year), t.month) : ToQString(d.title));
    if (InEnglish()) {
        // The era and the animal are the calendar's own words: kept, and
        // said in English after them.
        const std::string_view animal = kZodiacNames[std::size_t(BranchOfPillar(d.pillars.year))];
        eraLine->setText(ToQString(d.eraLine) +
                         QStringLiteral("  —  year of the %1 (from 立春 Start of Spring)").arg(EnglishOf(animal)));
    } else {
        eraLine->setText(ToQString(d.eraLine));
    }
    eraLine->setCursorPosition(0);
    eraLine->setToolTip(ToQString(d.eraLine));
    QStringList pillars;
    if (InEnglish()) {
        const std::array<int, 4> p = {d.pillars.year, d.pillars.month, d.pillars.day, d.pillars.hour};
        const char* const kWhich[4] = {"Year", "Month", "Day", "Hour"};
        for (std::size_t i = 0; i < 4; ++i) pillars << QStringLiteral("%1  %2").arg(kWhich[i], PillarWithPinyin(p[i]));
    } else {
        for (const std::string& line : d.pillarLines) pillars << ToQString(line);
    }
    pillarsPane->setPlainText(pillars.join('\n'));
}

void PerpetualCalendarWindow::ConfirmYear() {
    if (!ParseCalendarYear(yearEdit->text().toStdString())) {
        Inform(this, YearIsZero() ? tr("没有公元0年") : ToQString(kYearEntryRefused.text),
               ToQString(kYearEntryRefused.caption), MsgIcon::kError);
        yearEdit->setFocus();
        yearEdit->selectAll();
        return;
    }
    Redraw();
}

void PerpetualCalendarWindow::StepYear(int position) {
    yearEdit->setText(QString::number(ShownYear(position)));
    Redraw();
}

void PerpetualCalendarWindow::StepMonth(bool forward) {
    long typed = 0;
    const int year = ParseInteger(yearEdit->text().toStdString(), &typed) ? int(typed) : 1900;
    const ShownMonth from{year, monthBox->currentIndex() + 1};
    const std::optional<ShownMonth> to = forward ? tessaly::NextMonth(from) : tessaly::PreviousMonth(from);
    if (!to) return;
    SetFields(to->shownYear, to->month, 1, hourBox->currentIndex(), minuteBox->currentIndex());
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
        const QSignalBlocker b(dayBox);
        dayBox->setCurrentIndex(day - 1);
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
