#include "BirthDataDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

#include "MessageService.h"
#include "calendar/BirthClipboard.h"
#include "common/IniFile.h"
#include "common/ProgramDir.h"
#include "common/TextCodec.h"
#include "engine/Tables.h"

namespace tessaly {
namespace {

QString Q(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string S(const QString& s) { return s.toStdString(); }

// A name takes at most 10 GBK bytes.
class GbkLengthValidator : public QValidator {
public:
    GbkLengthValidator(std::size_t maxBytes, QObject* parent) : QValidator(parent), max_(maxBytes) {}
    State validate(QString& input, int&) const override {
        return GbkWidth(S(input)) <= max_ ? Acceptable : Invalid;
    }

private:
    std::size_t max_;
};

bool HasControlCharacter(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F) return true;
    }
    return false;
}

IniFile LoadDili() { return IniFile(DatPath("dili.ini")); }

}  // namespace

TUpDown::TUpDown(int min, int max, QWidget* parent) : QWidget(parent), min_(min), max_(max), position_(min) {
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
        box->addWidget(b);
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
}

void TUpDown::setPosition(int p) { position_ = std::clamp(p, min_, max_); }

void TUpDown::Step(int delta) {
    setPosition(position_ + delta);
    emit clicked(position_);
}

QString BirthDataDialog::HourLabel(int hour) {
    int h = hour;
    if (h % 2 != 0) h = (h + 1) % 24;  // 23 becomes 0
    const int branch = (h / 2 + 1) % 12;
    return QStringLiteral("%1时").arg(hour) + Q(kBranchNames[std::size_t(branch)]);
}

BirthDataDialog::BirthDataDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmInputDate"));
    setWindowTitle(QStringLiteral("输入生日-右键"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    LabTitle = new QLabel(this);
    QFont tf = LabTitle->font();
    tf.setBold(true);
    tf.setPixelSize(28);
    LabTitle->setFont(tf);
    LabTitle->setAlignment(Qt::AlignCenter);
    LabTitle->setMinimumWidth(40);

    EdtName = new QLineEdit(this);
    EdtName->setValidator(new GbkLengthValidator(kNameBytes, EdtName));
    RdoMan = new QRadioButton(QStringLiteral("男"), this);
    RdoWoman = new QRadioButton(QStringLiteral("女"), this);

    EdtYear = new QLineEdit(this);
    EdtYear->setMaxLength(4);
    EdtYear->setToolTip(QStringLiteral("年份在-850至2100"));
    EdtYear->setFixedWidth(56);
    UpYear = new TUpDown(1900, 2100, this);
    connect(UpYear, &TUpDown::clicked, this,
            [this](int p) { EdtYear->setText(QString::number(p <= 0 ? p - 1 : p)); });

    CboM = new QComboBox(this);
    for (int i = 1; i <= 12; ++i) CboM->addItem(QStringLiteral("%1月").arg(i));
    CboD = new QComboBox(this);
    for (int i = 1; i <= 31; ++i) CboD->addItem(QStringLiteral("%1日").arg(i));
    CboH = new QComboBox(this);
    for (int i = 0; i < 24; ++i) CboH->addItem(HourLabel(i));
    CboMinute = new QComboBox(this);
    for (int i = 0; i < 60; ++i) CboMinute->addItem(QStringLiteral("%1分").arg(i));
    CboMinute->setMaxVisibleItems(15);
    CboLi = new QComboBox(this);
    CboLi->addItems({QStringLiteral("公历"), QStringLiteral("农历")});
    ChkRun = new QCheckBox(QStringLiteral("农闰"), this);

    CboProv = new QComboBox(this);
    for (std::string_view p : kProvinces) CboProv->addItem(Q(p));
    CboProv->setToolTip(QStringLiteral("真太阳时可在菜单\"选项->八字预测设置\"里设定"));
    CboProv->setMaxVisibleItems(20);
    CboCity = new QComboBox(this);
    CboCity->setToolTip(QStringLiteral("选择邻近城市"));
    CboCity->setMinimumWidth(110);
    CboCity->setMaxVisibleItems(20);
    connect(CboProv, &QComboBox::activated, this, [this](int index) { ReloadCities(index); });

    Button1 = new QPushButton(QStringLiteral("确定"), this);
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("取消"), this);
    connect(Button1, &QPushButton::clicked, this, &BirthDataDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &BirthDataDialog::reject);

    pMenuInput = new QMenu(this);
    QAction* n1 = pMenuInput->addAction(QStringLiteral("复制命理参数"));
    n1->setObjectName(QStringLiteral("N1"));
    QAction* n2 = pMenuInput->addAction(QStringLiteral("粘贴命理参数"));
    n2->setObjectName(QStringLiteral("N2"));
    connect(n1, &QAction::triggered, this, &BirthDataDialog::CopyToClipboard);
    connect(n2, &QAction::triggered, this, [this] { PasteFromClipboard(); });
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pMenuInput->exec(mapToGlobal(at)); });

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(8);
    auto* nameLabel = new QLabel(QStringLiteral("姓名"), this);
    nameLabel->setBuddy(EdtName);
    auto* sexBox = new QHBoxLayout;
    sexBox->addWidget(RdoMan);
    sexBox->addWidget(RdoWoman);
    sexBox->addStretch();
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(EdtName, 0, 1, 1, 2);
    grid->addLayout(sexBox, 0, 3, 1, 2);

    auto* yearBox = new QHBoxLayout;
    yearBox->setSpacing(1);
    yearBox->addWidget(EdtYear);
    yearBox->addWidget(UpYear);
    yearBox->addWidget(new QLabel(QStringLiteral("年"), this));
    grid->addWidget(new QLabel(QStringLiteral("日期"), this), 1, 0);
    grid->addLayout(yearBox, 1, 1);
    grid->addWidget(CboM, 1, 2);
    grid->addWidget(CboD, 1, 3);
    grid->addWidget(CboLi, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("时间"), this), 2, 0);
    grid->addWidget(CboH, 2, 1);
    grid->addWidget(CboMinute, 2, 2);
    grid->addWidget(ChkRun, 2, 3);
    grid->addWidget(new QLabel(QStringLiteral("出生地"), this), 3, 0);
    grid->addWidget(CboProv, 3, 1, 1, 2);
    grid->addWidget(CboCity, 3, 3, 1, 2);

    auto* top = new QHBoxLayout;
    top->addWidget(LabTitle);
    top->addSpacing(8);
    top->addLayout(grid, 1);

    auto* buttons = new QHBoxLayout;
    auto* hint = new QLabel(QStringLiteral("右键可复制、粘贴命理参数"), this);
    hint->setEnabled(false);
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 14, 14, 12);
    outer->addLayout(top);
    outer->addSpacing(6);
    outer->addLayout(buttons);
    setFixedSize(sizeHint());

    SetRecord(PersonRecord{}, 0);
}

void BirthDataDialog::ReloadCities(int provinceIndex) {
    cities_ = LoadCities(provinceIndex, LoadDili());
    const QSignalBlocker block(CboCity);
    CboCity->clear();
    for (const City& c : cities_) CboCity->addItem(Q(c.name));
    if (!cities_.empty()) CboCity->setCurrentIndex(0);
}

void BirthDataDialog::pushToWidgets(const PersonRecord& r) {
    UpYear->setPosition(r.year);
    EdtYear->setText(QString::number(ShownYear(r.year)));
    CboM->setCurrentIndex(std::clamp<int>(r.month, 1, 12) - 1);
    CboD->setCurrentIndex(std::clamp<int>(r.day, 1, 31) - 1);
    CboH->setCurrentIndex(std::clamp<int>(r.hour, 0, 23));
    CboMinute->setCurrentIndex(std::clamp<int>(r.minute, 0, 59));
    CboLi->setCurrentIndex(r.isLunar ? 1 : 0);
    ChkRun->setChecked(r.isLeapMonth != 0);
    RdoMan->setChecked(r.isMale != 0);
    RdoWoman->setChecked(r.isMale == 0);
    EdtName->setText(QString::fromStdString(r.name));

    const int prov = (r.provinceIndex >= 0 && r.provinceIndex < kProvinceCount) ? r.provinceIndex : 0;
    CboProv->setCurrentIndex(prov);
    ReloadCities(prov);
    if (r.cityIndex >= 0 && r.cityIndex < CboCity->count()) CboCity->setCurrentIndex(r.cityIndex);
}

void BirthDataDialog::SetRecord(const PersonRecord& record, int personNo) {
    record_ = record;
    personNo_ = personNo;
    LabTitle->setText(personNo == 0 ? QStringLiteral("甲") : QStringLiteral("乙"));
    QPalette pal = LabTitle->palette();
    pal.setColor(QPalette::WindowText, personNo == 0 ? QColor(Qt::black) : QColor(Qt::red));
    LabTitle->setPalette(pal);
    LabTitle->setStyleSheet(personNo == 0 ? QStringLiteral("color: black") : QStringLiteral("color: red"));
    pushToWidgets(record);
}

std::optional<PersonRecord> BirthDataDialog::BuildRecord() {
    const std::string name = S(EdtName->text());
    if (name.empty()) {
        Inform(this, QStringLiteral("姓名不能为空"), QStringLiteral("提示"), MsgIcon::kInformation);
        EdtName->setFocus();
        return std::nullopt;
    }
    long year = -1000;
    if (!ParseInteger(S(EdtYear->text()), &year)) year = -1000;
    if (year < 1900 || year > 2100) {
        Inform(this, QStringLiteral("出生年份必须在1900到2100年之间"), QStringLiteral("年份错误"), MsgIcon::kWarning);
        EdtYear->setFocus();
        return std::nullopt;
    }
    UpYear->setPosition(int(year));
    PersonRecord r = record_;
    r.year = std::int16_t(year);
    r.month = std::int16_t(CboM->currentIndex() + 1);
    r.day = std::int16_t(CboD->currentIndex() + 1);
    r.hour = std::int16_t(CboH->currentIndex());
    r.minute = std::int16_t(CboMinute->currentIndex());
    r.isLunar = CboLi->currentIndex() == 1 ? 1 : 0;
    r.isLeapMonth = ChkRun->isChecked() ? 1 : 0;
    r.isMale = RdoMan->isChecked() ? 1 : 0;
    r.provinceIndex = std::int16_t(CboProv->currentIndex());
    r.cityIndex = std::int16_t(std::max(0, CboCity->currentIndex()));
    const int city = CboCity->currentIndex();
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
    return r;
}

void BirthDataDialog::accept() {
    const std::optional<PersonRecord> r = BuildRecord();
    if (!r) return;
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
    EdtYear->setText(QString::number(b->year));
    UpYear->setPosition(b->year < 0 ? b->year + 1 : b->year);
    CboM->setCurrentIndex(b->month - 1);
    CboD->setCurrentIndex(b->day - 1);
    CboH->setCurrentIndex(b->hour);
    CboMinute->setCurrentIndex(b->minute);
    CboLi->setCurrentIndex(b->kind == 1 ? 0 : 1);
    ChkRun->setChecked(b->kind == 3);
    EdtName->setText(QString::fromStdString(b->name));
    RdoMan->setChecked(b->male);
    RdoWoman->setChecked(!b->male);
    const int prov = (b->provinceIndex >= 0 && b->provinceIndex < kProvinceCount) ? b->provinceIndex : 0;
    CboProv->setCurrentIndex(prov);
    ReloadCities(prov);
    CboCity->setCurrentIndex(b->cityIndex >= 0 && b->cityIndex < CboCity->count() ? b->cityIndex : 0);
    return true;
}

}  // namespace tessaly
