#include "CaseInfoDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "BirthDataDialog.h"
#include "BuddyLabel.h"
#include "GbkLimits.h"
#include "MessageService.h"
#include "calendar/BirthTimeZone.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {

QComboBox* NumberList(QWidget* parent, const char* name, int first, int last, const QString& format, int lines) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    for (int i = first; i <= last; ++i) box->addItem(format.arg(i));
    box->setMaxVisibleItems(lines);
    return box;
}

}  // namespace

CaseInfoDialog::CaseInfoDialog(const CaseRecord& record, const std::filesystem::path& diliPath, QWidget* parent)
    : QDialog(parent), dili_(diliPath), record_(record) {
    setObjectName(QStringLiteral("FrmInfo"));
    setWindowTitle(tr("命例信息"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    gregorianButton = new QRadioButton(tr("公历"), this);
    gregorianButton->setObjectName(QStringLiteral("Rdogl"));
    lunarButton = new QRadioButton(tr("农历"), this);
    lunarButton->setObjectName(QStringLiteral("Rdonl"));
    leapMonthCheck = new QCheckBox(tr("农历闰月"), this);
    leapMonthCheck->setObjectName(QStringLiteral("Chkrun"));
    auto* calendarGroup = new QWidget(this);  // the calendar buttons apart from the sex buttons
    auto* calendarBox = new QHBoxLayout(calendarGroup);
    calendarBox->setContentsMargins(0, 0, 0, 0);
    calendarBox->addWidget(gregorianButton);
    calendarBox->addWidget(lunarButton);
    calendarBox->addWidget(leapMonthCheck);
    calendarBox->addStretch();

    yearEdit = new QLineEdit(this);
    yearEdit->setObjectName(QStringLiteral("EdtYear"));
    yearEdit->setMaxLength(4);
    yearEdit->setFixedWidth(56);
    QFont bold = yearEdit->font();
    bold.setBold(true);
    yearEdit->setFont(bold);
    yearUpDown = new YearUpDown(kMinYear, kMaxYear, this);
    yearUpDown->setObjectName(QStringLiteral("UpDyear"));
    yearUpDown->setFixedWidth(18);
    connect(yearUpDown, &YearUpDown::clicked, this,
            [this](int p) { yearEdit->setText(QString::number(ShownYear(p))); });

    monthBox = NumberList(this, "cbom", 1, 12, tr("%1月"), 12);
    dayBox = NumberList(this, "cbod", 1, 31, tr("%1日"), 15);
    hourBox = new QComboBox(this);
    hourBox->setObjectName(QStringLiteral("cbos"));
    for (int h = 0; h < 24; ++h) hourBox->addItem(BirthDataDialog::HourLabel(h));
    minuteBox = NumberList(this, "cbomin", 0, 59, tr("%1分"), 15);
    // The fields of a row after the first, named for a screen reader.
    monthBox->setAccessibleName(tr("月"));
    dayBox->setAccessibleName(tr("日"));
    minuteBox->setAccessibleName(tr("分"));

    maleButton = new QRadioButton(tr("男"), this);
    maleButton->setObjectName(QStringLiteral("Rdona"));
    femaleButton = new QRadioButton(tr("女"), this);
    femaleButton->setObjectName(QStringLiteral("Rdonv"));
    auto* sexGroup = new QWidget(this);
    auto* sexBox = new QHBoxLayout(sexGroup);
    sexBox->setContentsMargins(0, 0, 0, 0);
    sexBox->addWidget(maleButton);
    sexBox->addWidget(femaleButton);
    sexBox->addStretch();

    nameEdit = new QLineEdit(this);
    nameEdit->setObjectName(QStringLiteral("Edtname"));
    nameEdit->setValidator(new GbkLengthValidator(kMaxNameBytes, nameEdit));

    provinceBox = new QComboBox(this);
    provinceBox->setObjectName(QStringLiteral("cbodiZ"));
    provinceBox->setMaxVisibleItems(25);
    for (std::string_view p : kProvinces) provinceBox->addItem(ToQString(p));
    cityBox = new QComboBox(this);
    cityBox->setObjectName(QStringLiteral("cbodiC"));
    cityBox->setAccessibleName(tr("出生地城市"));
    cityBox->setMaxVisibleItems(25);
    cityBox->setToolTip(tr("选择邻近城市"));
    cityBox->setMinimumWidth(110);
    connect(provinceBox, &QComboBox::activated, this, [this](int index) { ReloadCities(index); });

    // A time read from the clock of the birth place is edited as that
    // clock's time.
    clockLabel = new QLabel(this);
    clockLabel->setObjectName(QStringLiteral("LabClock"));
    clockLabel->setAccessibleName(tr("时间的钟表"));
    clockLabel->setVisible(false);

    noteEdit = new QPlainTextEdit(this);
    noteEdit->setObjectName(QStringLiteral("Memo1"));
    noteEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    noteEdit->setTabChangesFocus(true);

    saveButton = new QPushButton(tr("保存"), this);
    saveButton->setObjectName(QStringLiteral("BitBtn1"));
    closeButton = new QPushButton(tr("关闭"), this);
    closeButton->setObjectName(QStringLiteral("Button1"));
    connect(saveButton, &QPushButton::clicked, this, &CaseInfoDialog::accept);
    connect(closeButton, &QPushButton::clicked, this, &CaseInfoDialog::reject);

    auto* yearBox = new QHBoxLayout;
    yearBox->setSpacing(1);
    yearBox->addWidget(yearEdit);
    yearBox->addWidget(yearUpDown);
    yearBox->addWidget(new QLabel(tr("年"), this));
    auto* dateBox = new QHBoxLayout;
    dateBox->addLayout(yearBox);
    dateBox->addWidget(monthBox);
    dateBox->addWidget(dayBox);
    dateBox->addStretch();
    auto* timeBox = new QHBoxLayout;
    timeBox->addWidget(hourBox);
    timeBox->addWidget(minuteBox);
    timeBox->addSpacing(6);
    timeBox->addWidget(clockLabel);
    timeBox->addStretch();
    auto* placeBox = new QHBoxLayout;
    placeBox->addWidget(provinceBox);
    placeBox->addWidget(cityBox);
    placeBox->addStretch();

    auto* grid = new QGridLayout;
    grid->setVerticalSpacing(8);
    grid->addWidget(BuddyLabel(tr("姓名"), nameEdit), 0, 0);
    grid->addWidget(nameEdit, 0, 1);
    grid->addWidget(sexGroup, 0, 2);
    grid->addWidget(BuddyLabel(tr("历法"), gregorianButton), 1, 0);
    grid->addWidget(calendarGroup, 1, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("日期"), yearEdit), 2, 0);
    grid->addLayout(dateBox, 2, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("时间"), hourBox), 3, 0);
    grid->addLayout(timeBox, 3, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("出生地"), provinceBox), 4, 0);
    grid->addLayout(placeBox, 4, 1, 1, 2);
    grid->addWidget(BuddyLabel(tr("附加信息"), noteEdit), 5, 0, Qt::AlignTop);
    grid->addWidget(noteEdit, 5, 1, 1, 2);
    grid->setRowStretch(5, 1);
    grid->setColumnStretch(1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(saveButton);
    buttons->addWidget(closeButton);
    auto* box = new QVBoxLayout(this);
    box->addLayout(grid, 1);
    box->addLayout(buttons);
    resize(430, 400);

    pushToWidgets(record_);
    // After the stored note is in: a longer one is shown whole (saving it
    // then asks for a shorter one), never cut without a word.
    LimitMemoBytes(noteEdit, kMaxNoteBytes);
}

void CaseInfoDialog::ReloadCities(int provinceIndex) {
    const QSignalBlocker block(cityBox);
    cityBox->clear();
    for (const City& c : LoadCities(provinceIndex, dili_)) cityBox->addItem(ToQString(c.name));
    if (cityBox->count() > 0) cityBox->setCurrentIndex(0);
}

void CaseInfoDialog::pushToWidgets(const CaseRecord& r) {
    const PersonRecord& a = r.a;
    yearUpDown->setPosition(a.year);
    yearEdit->setText(QString::number(ShownYear(a.year)));
    monthBox->setCurrentIndex(std::clamp<int>(a.month, 1, 12) - 1);
    dayBox->setCurrentIndex(std::clamp<int>(a.day, 1, 31) - 1);
    hourBox->setCurrentIndex(std::clamp<int>(a.hour, 0, 23));
    minuteBox->setCurrentIndex(std::clamp<int>(a.minute, 0, 59));
    (a.isLunar ? lunarButton : gregorianButton)->setChecked(true);
    leapMonthCheck->setChecked(a.isLeapMonth != 0);
    (a.isMale ? maleButton : femaleButton)->setChecked(true);
    nameEdit->setText(ToQString(a.name));
    shownProvince_ = a.provinceIndex >= 0 && a.provinceIndex < kProvinceCount ? a.provinceIndex : 0;
    provinceBox->setCurrentIndex(shownProvince_);
    ReloadCities(shownProvince_);
    if (a.cityIndex >= 0 && a.cityIndex < cityBox->count()) cityBox->setCurrentIndex(a.cityIndex);
    shownCity_ = cityBox->currentIndex();
    SetMemoText(noteEdit, r.note);
    if (a.clock == BirthClock::kCivil) {
        clockLabel->setText(tr("当地钟表（%1）").arg(ToQString(TimeZoneLabel(TimeZoneOf(a)))));
        clockLabel->setVisible(true);
    }
}

void CaseInfoDialog::accept() {
    if (!Ask(this, tr("确定要保存修改吗？"), tr("提示"), MsgIcon::kInformation)) return;
    if (nameEdit->text().isEmpty()) {
        Inform(this, ToQString(kEmptyNameMessage), tr("提示"), MsgIcon::kInformation);
        nameEdit->setFocus();
        return;
    }
    long year = -1000;
    if (!ParseInteger(yearEdit->text().toStdString(), &year)) year = -1000;
    if (year < ShownYear(kMinYear) || year > kMaxYear || year == 0) {
        Inform(this, ToQString(kYearRangeMessage), tr("年份错误"), MsgIcon::kWarning);
        yearEdit->setFocus();
        return;
    }
    PersonRecord a = record_.a;
    a.year = std::int16_t(StoredYear(int(year)));
    yearUpDown->setPosition(a.year);
    a.month = std::int16_t(monthBox->currentIndex() + 1);
    a.day = std::int16_t(dayBox->currentIndex() + 1);
    a.hour = std::int16_t(hourBox->currentIndex());
    a.minute = std::int16_t(minuteBox->currentIndex());
    a.isLunar = lunarButton->isChecked() ? 1 : 0;
    a.isLeapMonth = leapMonthCheck->isChecked() ? 1 : 0;
    a.isMale = maleButton->isChecked() ? 1 : 0;
    if (provinceBox->currentIndex() != shownProvince_ || cityBox->currentIndex() != shownCity_) {
        a.provinceIndex = std::int16_t(provinceBox->currentIndex());
        a.cityIndex = std::int16_t(std::max(0, cityBox->currentIndex()));
    }
    a.name = nameEdit->text().toStdString();
    const std::string note = MemoText(noteEdit);  // not trimmed
    if (note.empty()) {
        Inform(this, ToQString(kEmptyNoteMessage), tr("错误"), MsgIcon::kError);
        noteEdit->setFocus();
        return;
    }
    // The answers given for the entry hold while its time is the same.
    CarryClockAnswers(record_.a, a);
    CaseEdit edit;
    edit.a = a;
    edit.note = note;
    // The same checks the store applies, so that nothing is refused after
    // the dialog has closed.
    CaseRecord probe = record_;
    if (Status s = ApplyCaseEdit(edit, dili_, &probe); !s) {
        Inform(this, CoreText(s.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    edit_ = std::move(edit);
    QDialog::accept();
}

}  // namespace tessaly
