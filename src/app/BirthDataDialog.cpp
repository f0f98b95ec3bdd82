#include "BirthDataDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include "BirthZonePanel.h"
#include "BuddyLabel.h"
#include "GbkLimits.h"
#include "MessageService.h"
#include "calendar/BirthClipboard.h"
#include "calendar/BirthTimeZone.h"
#include "calendar/PersonCheck.h"
#include "chart/BirthConversion.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "chart/Tables.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

std::string S(const QString& s) { return s.toStdString(); }

}  // namespace

YearUpDown::YearUpDown(int min, int max, QWidget* parent) : QWidget(parent), min_(min), max_(max), position_(min) {
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(0, 0, 0, 0);
    box->setSpacing(0);
    up_ = new QToolButton(this);
    up_->setArrowType(Qt::UpArrow);
    down_ = new QToolButton(this);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 12);
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);  // the year edit steps with the arrow keys
        box->addWidget(b);
    }
    // The arrows fill their small buttons whatever padding a skin gives
    // tool buttons (a widget's own sheet wins over the skin's).
    setStyleSheet(QStringLiteral("QToolButton { padding: 0px; margin: 0px; }"));
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void YearUpDown::setPosition(int p) { position_ = std::clamp(p, min_, max_); }

void YearUpDown::Step(int delta) {
    setPosition(position_ + delta);
    emit clicked(position_);
}

void YearUpDown::StepWithArrowKeysOf(QWidget* field) {
    field_ = field;
    field->installEventFilter(this);
}

bool YearUpDown::eventFilter(QObject* watched, QEvent* event) {
    if (watched == field_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString BirthDataDialog::HourLabel(int hour) {
    int h = hour;
    if (h % 2 != 0) h = (h + 1) % 24;  // 23 becomes 0
    const int branch = (h / 2 + 1) % 12;
    return tr("%1时%2").arg(hour).arg(ToQString(kBranchNames[std::size_t(branch)]));
}

BirthDataDialog::BirthDataDialog(const std::filesystem::path& diliPath, QWidget* parent)
    : QDialog(parent), dili_(diliPath) {
    setObjectName(QStringLiteral("FrmInputDate"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    personLabel = new QLabel(this);
    personLabel->setObjectName(QStringLiteral("LabTitle"));
    QFont tf = personLabel->font();
    tf.setBold(true);
    tf.setPixelSize(28);
    personLabel->setFont(tf);
    personLabel->setAlignment(Qt::AlignCenter);
    personLabel->setMinimumWidth(40);

    nameEdit = new QLineEdit(this);
    nameEdit->setValidator(new GbkLengthValidator(kNameBytes, nameEdit));
    maleButton = new QRadioButton(tr("男"), this);
    femaleButton = new QRadioButton(tr("女"), this);

    yearEdit = new QLineEdit(this);
    yearEdit->setMaxLength(4);
    yearEdit->setToolTip(tr("年份在1900至2100"));
    yearEdit->setFixedWidth(56);
    yearUpDown = new YearUpDown(1900, 2100, this);
    yearUpDown->setObjectName(QStringLiteral("UpYear"));
    yearUpDown->StepWithArrowKeysOf(yearEdit);
    // A typed year is where the arrows step from.
    connect(yearEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        long y = 0;
        if (ParseInteger(S(text), &y) && y >= 1900 && y <= 2100) yearUpDown->setPosition(int(y));
    });
    connect(yearUpDown, &YearUpDown::clicked, this,
            [this](int p) { yearEdit->setText(QString::number(p <= 0 ? p - 1 : p)); });

    monthBox = new QComboBox(this);
    for (int i = 1; i <= 12; ++i) monthBox->addItem(tr("%1月").arg(i));
    dayBox = new QComboBox(this);
    for (int i = 1; i <= 31; ++i) dayBox->addItem(tr("%1日").arg(i));
    hourBox = new QComboBox(this);
    for (int i = 0; i < 24; ++i) hourBox->addItem(HourLabel(i));
    minuteBox = new QComboBox(this);
    for (int i = 0; i < 60; ++i) minuteBox->addItem(tr("%1分").arg(i));
    minuteBox->setMaxVisibleItems(15);
    calendarBox = new QComboBox(this);
    calendarBox->addItems({tr("公历"), tr("农历")});
    leapMonthCheck = new QCheckBox(tr("农闰"), this);
    // A leap month is a lunar thing: the box waits for "农历".
    connect(calendarBox, &QComboBox::currentIndexChanged, this,
            [this](int index) { leapMonthCheck->setEnabled(index == 1); });
    leapMonthCheck->setEnabled(false);

    provinceBox = new QComboBox(this);
    for (std::string_view p : kProvinces) provinceBox->addItem(ToQString(p));
    provinceBox->setToolTip(tr("真太阳时可在菜单\"选项->排盘设置\"里设定"));
    provinceBox->setMaxVisibleItems(20);
    cityBox = new QComboBox(this);
    cityBox->setToolTip(tr("选择邻近城市"));
    cityBox->setMinimumWidth(110);
    cityBox->setMaxVisibleItems(20);
    connect(provinceBox, &QComboBox::activated, this, [this](int index) { ReloadCities(index); });

    okButton = new QPushButton(tr("确定(&O)"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("取消(&C)"), this);
    connect(okButton, &QPushButton::clicked, this, &BirthDataDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &BirthDataDialog::reject);

    clipboardMenu = new QMenu(this);
    QAction* n1 = clipboardMenu->addAction(tr("复制命理参数"));
    n1->setObjectName(QStringLiteral("N1"));
    QAction* n2 = clipboardMenu->addAction(tr("粘贴命理参数"));
    n2->setObjectName(QStringLiteral("N2"));
    connect(n1, &QAction::triggered, this, &BirthDataDialog::CopyToClipboard);
    connect(n2, &QAction::triggered, this, [this] { PasteFromClipboard(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { clipboardMenu->exec(mapToGlobal(at)); });

    // A screen reader names each field of a row: the row's label names its
    // first field only, and a list box would be read out by its entry.
    yearEdit->setAccessibleName(tr("出生年份"));
    monthBox->setAccessibleName(tr("月"));
    dayBox->setAccessibleName(tr("日"));
    calendarBox->setAccessibleName(tr("历法"));
    hourBox->setAccessibleName(tr("时"));
    minuteBox->setAccessibleName(tr("分"));
    provinceBox->setAccessibleName(tr("出生地省份"));
    cityBox->setAccessibleName(tr("出生地城市"));

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    auto* nameLabel = new QLabel(tr("姓名"), this);
    nameLabel->setBuddy(nameEdit);
    auto* sexBox = new QHBoxLayout;
    sexBox->addWidget(maleButton);
    sexBox->addWidget(femaleButton);
    sexBox->addStretch();
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(nameEdit, 0, 1, 1, 2);
    grid->addLayout(sexBox, 0, 3, 1, 2);

    auto* yearBox = new QHBoxLayout;
    yearBox->setSpacing(1);
    yearBox->addWidget(yearEdit);
    yearBox->addWidget(yearUpDown);
    yearBox->addWidget(new QLabel(tr("年"), this));
    grid->addWidget(BuddyLabel(tr("日期"), yearEdit), 1, 0);
    grid->addLayout(yearBox, 1, 1);
    grid->addWidget(monthBox, 1, 2);
    grid->addWidget(dayBox, 1, 3);
    grid->addWidget(calendarBox, 1, 4);
    grid->addWidget(BuddyLabel(tr("时间"), hourBox), 2, 0);
    grid->addWidget(hourBox, 2, 1);
    grid->addWidget(minuteBox, 2, 2);
    grid->addWidget(leapMonthCheck, 2, 3);
    grid->addWidget(BuddyLabel(tr("出生地"), provinceBox), 3, 0);
    grid->addWidget(provinceBox, 3, 1, 1, 2);
    grid->addWidget(cityBox, 3, 3, 1, 2);
    zonePanel = new BirthZonePanel(this);
    zonePanel->AddTo(grid, 4, cityBox);
    connect(provinceBox, &QComboBox::currentIndexChanged, zonePanel, &BirthZonePanel::SetProvince);

    auto* top = new QHBoxLayout;
    top->addWidget(personLabel);
    top->addSpacing(8);
    top->addLayout(grid, 1);

    auto* buttons = new QHBoxLayout;
    // An ordinary label: the disabled grey was hard to read on any desktop.
    auto* hint = new QLabel(tr("右键可复制、粘贴命理参数"), this);
    hint->setObjectName(QStringLiteral("LabHint"));
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 12);
    outer->addLayout(top);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    setFixedSize(sizeHint());

    // Tab follows the rows as they read: name and sex, the date with its
    // calendar, the time with the leap box, the place, its time zone and
    // clock (and a place abroad), the buttons.
    QWidget* const chain[] = {nameEdit,
                              maleButton,
                              femaleButton,
                              yearEdit,
                              monthBox,
                              dayBox,
                              calendarBox,
                              hourBox,
                              minuteBox,
                              leapMonthCheck,
                              provinceBox,
                              cityBox,
                              zonePanel->zoneBox,
                              zonePanel->clockBox,
                              zonePanel->placeEdit,
                              zonePanel->longitudeBox,
                              zonePanel->latitudeBox,
                              okButton,
                              cancelButton};
    for (std::size_t i = 0; i + 1 < std::size(chain); ++i) {
        setTabOrder(chain[i], chain[i + 1]);
    }

    SetRecord(PersonRecord{}, 0);
}

void BirthDataDialog::ReloadCities(int provinceIndex) {
    cities_ = LoadCities(provinceIndex, dili_);
    const QSignalBlocker block(cityBox);
    cityBox->clear();
    for (const City& c : cities_) cityBox->addItem(ToQString(c.name));
    if (!cities_.empty()) cityBox->setCurrentIndex(0);
}

void BirthDataDialog::pushToWidgets(const PersonRecord& r) {
    yearUpDown->setPosition(r.year);
    yearEdit->setText(QString::number(ShownYear(r.year)));
    monthBox->setCurrentIndex(std::clamp<int>(r.month, 1, 12) - 1);
    dayBox->setCurrentIndex(std::clamp<int>(r.day, 1, 31) - 1);
    hourBox->setCurrentIndex(std::clamp<int>(r.hour, 0, 23));
    minuteBox->setCurrentIndex(std::clamp<int>(r.minute, 0, 59));
    calendarBox->setCurrentIndex(r.isLunar ? 1 : 0);
    leapMonthCheck->setChecked(r.isLeapMonth != 0);
    maleButton->setChecked(r.isMale != 0);
    femaleButton->setChecked(r.isMale == 0);
    nameEdit->setText(QString::fromStdString(r.name));

    const int prov = (r.provinceIndex >= 0 && r.provinceIndex < kProvinceCount) ? r.provinceIndex : 0;
    provinceBox->setCurrentIndex(prov);
    ReloadCities(prov);
    if (r.cityIndex >= 0 && r.cityIndex < cityBox->count()) cityBox->setCurrentIndex(r.cityIndex);
    zonePanel->SetRecord(r);
}

void BirthDataDialog::SetRecord(const PersonRecord& record, int personNo) {
    record_ = record;
    personNo_ = personNo;
    // The caption says whose birth it is, for those who cannot see the big
    // 甲 or 乙 (a screen reader reads the caption first).
    setWindowTitle(personNo == 0 ? tr("甲命生日") : tr("乙命生日"));
    personLabel->setText(personNo == 0 ? tr("甲") : tr("乙"));
    // 甲 in the desktop's text colour (black on a light desktop, light on a
    // dark one), 乙 in red; a skin that colours labels names its own for
    // both (QLabel#LabTitle[person="0"], [person="1"]).
    QPalette pal;  // nothing set: every role comes from the desktop
    if (personNo != 0) pal.setColor(QPalette::WindowText, QColor(Qt::red));
    personLabel->setPalette(pal);
    personLabel->setProperty("person", personNo == 0 ? 0 : 1);
    personLabel->style()->unpolish(personLabel);
    personLabel->style()->polish(personLabel);
    pushToWidgets(record);
}

std::optional<PersonRecord> BirthDataDialog::BuildRecord() {
    const std::string name = S(nameEdit->text());
    if (name.empty()) {
        Inform(this, tr("姓名不能为空"), tr("提示"), MsgIcon::kInformation);
        nameEdit->setFocus();
        return std::nullopt;
    }
    long year = -1000;
    if (!ParseInteger(S(yearEdit->text()), &year)) year = -1000;
    if (year < 1900 || year > 2100) {
        Inform(this, tr("出生年份必须在1900到2100年之间"), tr("年份错误"), MsgIcon::kWarning);
        yearEdit->setFocus();
        return std::nullopt;
    }
    yearUpDown->setPosition(int(year));
    PersonRecord r = record_;
    r.year = std::int16_t(year);
    r.month = std::int16_t(monthBox->currentIndex() + 1);
    r.day = std::int16_t(dayBox->currentIndex() + 1);
    r.hour = std::int16_t(hourBox->currentIndex());
    r.minute = std::int16_t(minuteBox->currentIndex());
    r.isLunar = calendarBox->currentIndex() == 1 ? 1 : 0;
    r.isLeapMonth = leapMonthCheck->isChecked() ? 1 : 0;
    r.isMale = maleButton->isChecked() ? 1 : 0;
    r.provinceIndex = std::int16_t(provinceBox->currentIndex());
    r.cityIndex = std::int16_t(std::max(0, cityBox->currentIndex()));
    const int city = cityBox->currentIndex();
    if (city >= 0 && city < int(cities_.size())) {
        r.longitude = cities_[std::size_t(city)].longitude;
        r.latitude = cities_[std::size_t(city)].latitude;
        r.placeText = PlaceText(r.provinceIndex, cities_[std::size_t(city)].name);
    } else {  // a province without cities
        r.longitude = kDefaultLongitude;
        r.latitude = kDefaultLatitude;
        r.placeText = PlaceText(r.provinceIndex, {});
    }
    r.name = name;
    zonePanel->ApplyTo(r);
    return r;
}

void BirthDataDialog::accept() {
    std::optional<PersonRecord> r = BuildRecord();
    if (!r) return;
    // A date that does not exist (or anything else the person check
    // refuses) is refused here, where it was typed.
    if (Status s = CheckPerson(*r, &dili_); !s.ok()) {
        Inform(this, CoreText(s.message()), tr("输入错误"), MsgIcon::kWarning);
        dayBox->setFocus();
        return;
    }
    // What was answered for the entry as given holds while it is unchanged.
    CarryClockAnswers(record_, *r);
    if (!zonePanel->Confirm(*r)) return;
    record_ = *r;
    record_.personNo = std::uint8_t(personNo_);
    QDialog::accept();
}

void BirthDataDialog::CopyToClipboard() {
    const std::optional<PersonRecord> r = BuildRecord();
    if (!r) return;
    QApplication::clipboard()->setText(QString::fromStdString(FormatClipboardLine(*r)));
}

bool BirthDataDialog::PasteFromClipboard() {
    const QString text = QApplication::clipboard()->text();
    if (text.isEmpty()) return false;
    const std::optional<ClipboardBirth> b = ParseClipboardLine(S(text));
    if (!b) return false;
    // The name must fit its field and hold no separator or control character.
    if (GbkWidth(b->name) > kNameBytes || b->name.find('#') != std::string::npos || HasControlCharacter(b->name)) {
        return false;
    }
    yearEdit->setText(QString::number(b->year));
    yearUpDown->setPosition(b->year < 0 ? b->year + 1 : b->year);
    monthBox->setCurrentIndex(b->month - 1);
    dayBox->setCurrentIndex(b->day - 1);
    hourBox->setCurrentIndex(b->hour);
    minuteBox->setCurrentIndex(b->minute);
    calendarBox->setCurrentIndex(b->kind == 1 ? 0 : 1);
    leapMonthCheck->setChecked(b->kind == 3);
    nameEdit->setText(QString::fromStdString(b->name));
    maleButton->setChecked(b->male);
    femaleButton->setChecked(!b->male);
    const int prov = (b->provinceIndex >= 0 && b->provinceIndex < kProvinceCount) ? b->provinceIndex : 0;
    provinceBox->setCurrentIndex(prov);
    ReloadCities(prov);
    cityBox->setCurrentIndex(b->cityIndex >= 0 && b->cityIndex < cityBox->count() ? b->cityIndex : 0);
    return true;
}

}  // namespace tessaly
