#include "app/BirthExplanationDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/ExplanationTexts.h"
#include "calendar/BirthTimeZone.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

constexpr int kPresetMinutes[] = {0, 10, 30, 60, 120};
constexpr int kCustom = -1;

QTableWidget* NewTable(const QStringList& headers, const QString& accessibleName, QWidget* parent) {
    auto* t = new QTableWidget(0, int(headers.size()), parent);
    t->setHorizontalHeaderLabels(headers);
    t->setAccessibleName(accessibleName);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->verticalHeader()->hide();
    t->horizontalHeader()->setStretchLastSection(true);
    return t;
}

void AddRow(QTableWidget* t, const QStringList& cells, bool bold = false) {
    const int row = t->rowCount();
    t->insertRow(row);
    for (int c = 0; c < cells.size(); ++c) {
        auto* item = new QTableWidgetItem(cells[c]);
        if (bold) {
            QFont f = item->font();
            f.setBold(true);
            item->setFont(f);
        }
        t->setItem(row, c, item);
    }
}

// A table as high as its rows: they are few, and the table of the
// alternatives below takes the rest of the height.
void FitHeight(QTableWidget* t) {
    t->resizeColumnsToContents();
    t->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->setFixedHeight(t->horizontalHeader()->sizeHint().height() + t->verticalHeader()->length() + 2 * t->frameWidth() +
                      2);
}

QString LuckText(const LuckStart& l) {
    return BirthExplanationDialog::tr("%1岁%2个月%3天").arg(l.years).arg(l.months).arg(l.days);
}

QString PillarsText(const ChartData& c) {
    QStringList s;
    for (const int p : c.pillars) s << ExplanationTexts::Pillar(p);
    return s.join(QLatin1Char(' '));
}

// "真太阳时 15:00" after the name of an hour edge of a shifted chart time.
QString BoundaryTitle(const BoundaryMark& m, const BirthPath& path) {
    QString t = ExplanationTexts::BoundaryName(m, path.lateZiHourKeepsDay);
    if (m.kind == BoundaryKind::kSolarTerm) {
        return m.IsJie() ? BirthExplanationDialog::tr("%1（节）").arg(t)
                         : BirthExplanationDialog::tr("%1（中气）").arg(t);
    }
    if (m.kind == BoundaryKind::kChartEdge && path.timeBasis != TimeBasis::kBeijingTime) {
        t = BirthExplanationDialog::tr("%1（%2 %3）")
                .arg(t, ExplanationTexts::TimeBasisName(path.timeBasis),
                     ExplanationTexts::Minute(m.chartEdge).right(5));
    }
    return t;
}

}  // namespace

BirthExplanationDialog::BirthExplanationDialog(const PersonRecord& person, int personNo, const ChartOptions& options,
                                               std::optional<PersonRecord> other, QWidget* parent)
    : QDialog(parent), person_(person), personNo_(personNo), options_(options), other_(std::move(other)) {
    setObjectName(QStringLiteral("FrmBirthExplanation"));
    setWindowTitle(tr("出生时刻说明"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    person_.personNo = std::uint8_t(personNo);

    headingLabel = new QLabel(this);
    QFont hf = headingLabel->font();
    hf.setBold(true);
    headingLabel->setFont(hf);
    messageLabel = new QLabel(this);
    messageLabel->setWordWrap(true);
    messageLabel->hide();

    auto* pathBox = new QGroupBox(tr("出生时刻的换算"), this);
    pathTable = NewTable({tr("步骤"), tr("调整"), tr("结果"), tr("说明")}, tr("出生时刻的换算"), pathBox);
    pillarsLabel = new QLabel(pathBox);
    auto* pathLayout = new QVBoxLayout(pathBox);
    pathLayout->addWidget(pathTable);
    pathLayout->addWidget(pillarsLabel);

    auto* boundaryBox = new QGroupBox(tr("附近的交界"), this);
    boundaryTable = NewTable({tr("交界"), tr("时刻（北京时间）"), tr("相距"), tr("柱的变化"), tr("越过此节起大运")},
                             tr("附近的交界"), boundaryBox);
    auto* boundaryLayout = new QVBoxLayout(boundaryBox);
    boundaryLayout->addWidget(boundaryTable);

    auto* uncertaintyBox = new QGroupBox(tr("出生时刻误差"), this);
    auto* choiceLabel = new QLabel(tr("误差范围(&W)："), uncertaintyBox);
    uncertaintyChoice = new QComboBox(uncertaintyBox);
    uncertaintyChoice->setObjectName(QStringLiteral("CboUncertainty"));
    uncertaintyChoice->setAccessibleName(tr("出生时刻误差范围"));
    uncertaintyChoice->addItem(tr("准确（0 分钟）"), 0);
    for (int m : {10, 30, 60, 120}) uncertaintyChoice->addItem(tr("±%1 分钟").arg(m), m);
    uncertaintyChoice->addItem(tr("自定义"), kCustom);
    choiceLabel->setBuddy(uncertaintyChoice);
    uncertaintyMinutes = new QSpinBox(uncertaintyBox);
    uncertaintyMinutes->setObjectName(QStringLiteral("SpnUncertainty"));
    uncertaintyMinutes->setAccessibleName(tr("自定义误差（分钟）"));
    uncertaintyMinutes->setRange(0, kMaxUncertaintyMinutes);
    uncertaintyMinutes->setPrefix(QStringLiteral("±"));
    uncertaintyMinutes->setSuffix(tr(" 分钟"));
    uncertaintyMinutes->setEnabled(false);
    auto* choiceRow = new QHBoxLayout;
    choiceRow->addWidget(choiceLabel);
    choiceRow->addWidget(uncertaintyChoice);
    choiceRow->addWidget(uncertaintyMinutes);
    choiceRow->addStretch();
    QStringList headers = {tr("时段（北京时间）")};
    if (person_.clock == BirthClock::kCivil) headers << tr("当地钟表");
    headers << tr("年柱") << tr("月柱") << tr("日柱") << tr("时柱") << tr("起点");
    if (other_) headers << tr("婚配指数");
    alternativesTable = NewTable(headers, tr("出生时刻误差内的八字"), uncertaintyBox);
    summaryLabel = new QLabel(uncertaintyBox);
    summaryLabel->setWordWrap(true);
    auto* uncertaintyLayout = new QVBoxLayout(uncertaintyBox);
    uncertaintyLayout->addLayout(choiceRow);
    uncertaintyLayout->addWidget(alternativesTable);
    uncertaintyLayout->addWidget(summaryLabel);

    auto* buttons = new QDialogButtonBox(this);
    closeButton = buttons->addButton(tr("关闭"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("BtnClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(headingLabel);
    outer->addWidget(messageLabel);
    outer->addWidget(pathBox);
    outer->addWidget(boundaryBox);
    outer->addWidget(uncertaintyBox, 1);
    outer->addWidget(buttons);
    resize(980, 800);

    connect(uncertaintyChoice, &QComboBox::currentIndexChanged, this, [this] {
        const int preset = uncertaintyChoice->currentData().toInt();
        uncertaintyMinutes->setEnabled(preset == kCustom);
        if (preset != kCustom) {
            const QSignalBlocker block(uncertaintyMinutes);
            uncertaintyMinutes->setValue(preset);
        }
        Explain();
    });
    connect(uncertaintyMinutes, &QSpinBox::valueChanged, this, [this] {
        if (uncertaintyChoice->currentData().toInt() == kCustom) Explain();
    });

    headingLabel->setText(
        tr("%1：%2").arg(ExplanationTexts::PersonName(personNo), QString::fromStdString(person_.name)));
    Explain();
    if (explanation_.status.ok()) {
        FillPath(explanation_);
        FillBoundaries(explanation_);
    }
}

int BirthExplanationDialog::UncertaintyMinutes() const {
    const int preset = uncertaintyChoice->currentData().toInt();
    return preset == kCustom ? uncertaintyMinutes->value() : preset;
}

void BirthExplanationDialog::SetUncertaintyMinutes(int minutes) {
    int index = uncertaintyChoice->findData(minutes);
    if (index < 0) {
        index = uncertaintyChoice->findData(kCustom);
        const QSignalBlocker block(uncertaintyMinutes);
        uncertaintyMinutes->setValue(minutes);
    }
    if (index == uncertaintyChoice->currentIndex()) {
        Explain();
    } else {
        uncertaintyChoice->setCurrentIndex(index);
    }
}

const BirthExplanation& BirthExplanationDialog::Explanation() const { return explanation_; }

void BirthExplanationDialog::Explain() {
    const int minutes = UncertaintyMinutes();
    couple_ = {};
    paired_ = false;
    if (other_) {
        const PersonRecord& a = personNo_ == 0 ? person_ : *other_;
        const PersonRecord& b = personNo_ == 0 ? *other_ : person_;
        couple_ = ExplainCouple(a, b, options_, personNo_ == 0 ? minutes : 0, personNo_ == 0 ? 0 : minutes, calendar_);
        paired_ = couple_.ok();
    }
    // Without the other person (or when the other cannot be explained) the
    // alternatives come without an index.
    explanation_ =
        paired_ ? couple_.persons[std::size_t(personNo_)] : ExplainBirth(person_, options_, minutes, calendar_);
    const bool ok = explanation_.status.ok();
    messageLabel->setVisible(!ok);
    messageLabel->setText(ok ? QString() : CoreText(explanation_.status.message()));
    FillAlternatives();
}

void BirthExplanationDialog::FillPath(const BirthExplanation& e) {
    const BirthPath& p = e.path;
    const auto step = [&](PathStepKind k) -> const PathStep& { return p.Step(k); };
    const CivilTime& entered = step(PathStepKind::kEntered).moment.time;
    QString input;
    if (p.lunar) {
        input = tr("农历 %1年%2%3月%4日 %5:%6")
                    .arg(ShownYear(entered.year))
                    .arg(p.leapMonth ? tr("闰") : QString())
                    .arg(entered.month)
                    .arg(entered.day)
                    .arg(entered.hour, 2, 10, QLatin1Char('0'))
                    .arg(entered.minute, 2, 10, QLatin1Char('0'));
    } else {
        input = tr("公历 %1").arg(ExplanationTexts::Minute(entered));
    }
    const QString clock =
        p.civilClock ? tr("%1当地钟表").arg(QString::fromStdString(TimeZoneLabel(p.timeZone))) : tr("北京时间");
    AddRow(pathTable, {tr("输入"), QString(), input, clock});
    if (p.lunar) {
        AddRow(pathTable, {tr("农历换公历"), QString(),
                           ExplanationTexts::Minute(step(PathStepKind::kLunarToSolar).moment.time), QString()});
    }
    if (p.civilClock) {
        const int o = p.clockOffsetSeconds;
        QString offset =
            QStringLiteral("UTC%1%2").arg(o < 0 ? QLatin1Char('-') : QLatin1Char('+')).arg(std::abs(o) / 3600);
        if (std::abs(o) % 3600) offset += QStringLiteral(":%1").arg(std::abs(o) % 3600 / 60, 2, 10, QLatin1Char('0'));
        const PathStep& s = step(PathStepKind::kClockToStandard);
        AddRow(pathTable, {tr("钟表换成北京时间"), ExplanationTexts::Amount(s.amountSeconds),
                           ExplanationTexts::Moment(s.moment), p.summerTime ? tr("%1，夏令时").arg(offset) : offset});
    }
    AddRow(pathTable,
           {tr("北京时间"), QString(), ExplanationTexts::Moment({p.standardTime, 0}), tr("年柱、月柱由此定")});
    if (p.timeBasis != TimeBasis::kBeijingTime) {
        const PathStep& lon = step(PathStepKind::kLongitude);
        AddRow(pathTable, {tr("经度校正"), ExplanationTexts::Amount(lon.amountSeconds),
                           tr("地方时 %1").arg(ExplanationTexts::Moment(lon.moment)),
                           tr("东经 %1°").arg(double(p.longitude), 0, 'f', 2)});
        if (p.timeBasis == TimeBasis::kTrueSolarTime) {
            const PathStep& eot = step(PathStepKind::kEquationOfTime);
            AddRow(pathTable, {tr("均时差"), ExplanationTexts::Amount(eot.amountSeconds),
                               tr("真太阳时 %1").arg(ExplanationTexts::Moment(eot.moment)), QString()});
        }
        const PathStep& r = step(PathStepKind::kRounding);
        AddRow(pathTable, {tr("取整到分"), ExplanationTexts::Amount(r.amountSeconds),
                           ExplanationTexts::Minute(r.moment.time), QString()});
    }
    QString rule = tr("日柱、时柱由此定");
    if (p.lateZiHour) {
        rule = p.lateZiHourKeepsDay
                   ? tr("23时属本日：日柱取本日，时柱取次日子时")
                   : tr("23时起算次日：日柱取 %1 之日柱").arg(ExplanationTexts::Minute(p.dayPillarDate).left(10));
    }
    AddRow(pathTable, {tr("排盘时间（%1）").arg(ExplanationTexts::TimeBasisName(p.timeBasis)), QString(),
                       ExplanationTexts::Minute(p.chartTime), rule});
    FitHeight(pathTable);
    pillarsLabel->setText(tr("四柱：%1　起大运：%2").arg(PillarsText(e.chart.chart), LuckText(e.chart.luck.Wait())));
}

void BirthExplanationDialog::FillBoundaries(const BirthExplanation& e) {
    const std::vector<const PillarBoundary*> nearest = BoundariesWithin(e, kMaxUncertaintyMinutes);
    for (const PillarBoundary& b : e.boundaries) {
        QStringList changes;
        for (int i = 0; i < 4; ++i) {
            if (!b.changes[i]) continue;
            changes << tr("%1 %2→%3")
                           .arg(ExplanationTexts::PillarKind(i), ExplanationTexts::Pillar(PillarOf(b.before, i)),
                                ExplanationTexts::Pillar(PillarOf(b.after, i)));
        }
        const QString distance = b.distanceSeconds < 0
                                     ? tr("出生前 %1").arg(ExplanationTexts::Distance(b.distanceSeconds))
                                     : tr("出生后 %1").arg(ExplanationTexts::Distance(b.distanceSeconds));
        AddRow(boundaryTable,
               {BoundaryTitle(b.mark, e.path), ExplanationTexts::Moment(CivilSecondOf(b.mark.moment)), distance,
                changes.isEmpty() ? tr("四柱不变") : changes.join(tr("，")),
                b.hasLuckAcross ? LuckText(b.luckAcross) : QString()},
               !nearest.empty() && nearest.front() == &b);
    }
    FitHeight(boundaryTable);
}

void BirthExplanationDialog::FillAlternatives() {
    alternativesTable->setRowCount(0);
    if (!explanation_.status.ok()) {
        summaryLabel->clear();
        return;
    }
    const BirthUncertainty& u = explanation_.uncertainty;
    const bool civil = explanation_.path.civilClock;
    const int otherBirth = paired_ ? couple_.persons[std::size_t(1 - personNo_)].uncertainty.birthAlternative : 0;
    for (std::size_t i = 0; i < u.alternatives.size(); ++i) {
        const ChartAlternative& a = u.alternatives[i];
        QString period = tr("%1 至 %2")
                             .arg(ExplanationTexts::Minute(CivilTimeOfMinute(a.first)),
                                  ExplanationTexts::Minute(CivilTimeOfMinute(a.last)));
        if (a.containsBirth) period = tr("★ %1").arg(period);
        QStringList cells = {period};
        if (civil) {
            cells << tr("%1 至 %2").arg(ExplanationTexts::Minute(a.firstClock), ExplanationTexts::Minute(a.lastClock));
        }
        if (a.status.ok()) {
            for (const int p : a.chart.chart.pillars) cells << ExplanationTexts::Pillar(p);
        } else {
            cells << CoreText(a.status.message()) << QString() << QString() << QString();
        }
        QStringList opening;
        for (const BoundaryMark& m : a.opening) {
            opening << ExplanationTexts::BoundaryName(m, explanation_.path.lateZiHourKeepsDay);
        }
        cells << opening.join(tr("、"));
        if (other_) {
            const IndexCombination* c =
                personNo_ == 0 ? couple_.Find(int(i), otherBirth) : couple_.Find(otherBirth, int(i));
            cells << (c ? tr("%1 分").arg(int(c->index)) : QString());
        }
        AddRow(alternativesTable, cells, a.containsBirth);
    }
    alternativesTable->resizeColumnsToContents();
    QString summary = tr("出生时刻误差 ±%1 分钟内共有 %2 种八字").arg(u.minutes).arg(u.alternatives.size());
    if (paired_ && !couple_.combinations.empty()) {
        summary += tr("；婚配指数 %1 至 %2 分（按输入时刻 %3 分）")
                       .arg(int(couple_.minIndex))
                       .arg(int(couple_.maxIndex))
                       .arg(int(couple_.enteredIndex));
    }
    summaryLabel->setText(summary + tr("。"));
}

}  // namespace tessaly
