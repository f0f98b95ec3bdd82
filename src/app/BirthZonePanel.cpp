#include "BirthZonePanel.h"

#include <QFontMetrics>
#include <algorithm>

#include <QComboBox>
#include <QCompleter>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QValidator>

#include "ClockChoiceDialog.h"
#include "GbkLimits.h"
#include "MessageService.h"
#include "calendar/BirthTimeZone.h"
#include "calendar/LunarCalendar.h"
#include "calendar/Places.h"
#include "app/AppSetup.h"
#include "app/QtText.h"

namespace tessaly {
namespace {

// The text a zone is listed under: "纽约  America/New_York", or the name
// alone for a reader of English.
QString ZoneItemText(const CommonTimeZone& z) {
    if (CurrentLanguage() == UiLanguage::kEnglish) return ToQString(z.name);
    return ToQString(z.label) + QStringLiteral("  ") + ToQString(z.name);
}

// "经度 120.00°": degrees within ±limit, to the hundredth.
QDoubleSpinBox* DegreesBox(QWidget* parent, const QString& name, int limit, const QString& what, const QString& tip) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(-limit, limit);
    box->setDecimals(2);
    box->setPrefix(what + QStringLiteral(" "));
    box->setSuffix(QStringLiteral("°"));
    box->setToolTip(tip);
    box->setAccessibleName(what);
    return box;
}

}  // namespace

BirthZonePanel::BirthZonePanel(QWidget* dialog) : QObject(dialog), dialog_(dialog) {
    setObjectName(QStringLiteral("PnlZone"));
    zoneBox = new QComboBox(dialog);
    zoneBox->setObjectName(QStringLiteral("CboZone"));
    zoneBox->setEditable(true);
    zoneBox->setInsertPolicy(QComboBox::NoInsert);
    zoneBox->setMaxVisibleItems(20);
    zoneBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    zoneBox->setMinimumContentsLength(12);  // widened below to its longest entry
    zoneBox->setToolTip(tr("出生地的时区；可输入城市或时区名查找，如 New_York、London"));
    for (const CommonTimeZone& z : CommonTimeZones()) zoneBox->addItem(ZoneItemText(z), ToQString(z.name));
    zoneBox->insertSeparator(zoneBox->count());
    for (const std::string& name : AllTimeZones()) zoneBox->addItem(ToQString(name), ToQString(name));
    // Wide enough for the longest of the common entries ("北京时间  Asia/Shanghai"):
    // the contents length counts average characters, and a Chinese one is
    // about two of them.
    {
        const QFontMetrics fm(zoneBox->font());
        int widest = 0;
        for (const CommonTimeZone& z : CommonTimeZones())
            widest = std::max(widest, fm.horizontalAdvance(ZoneItemText(z)));
        zoneBox->setMinimumContentsLength(std::max(12, widest / std::max(1, fm.averageCharWidth()) + 2));
    }
    auto* completer = new QCompleter(zoneBox->model(), zoneBox);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setFilterMode(Qt::MatchContains);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    zoneBox->setCompleter(completer);
    connect(zoneBox, &QComboBox::activated, this, &BirthZonePanel::ZoneChosen);

    clockBox = new QComboBox(dialog);
    clockBox->setObjectName(QStringLiteral("CboClock"));
    clockBox->addItems({tr("北京时间"), tr("当地钟表（含夏令时）")});
    clockBox->setToolTip(
        tr("出生证上的时间是出生地当时的钟表时间，夏令时期间比标准时快；"
           "选“当地钟表”，程序按时区换算成北京时间"));
    clockBox->setAccessibleName(tr("时间的钟表"));

    placeEdit = new QLineEdit(dialog);
    placeEdit->setObjectName(QStringLiteral("EdtPlace"));
    placeEdit->setValidator(new GbkLengthValidator(kPlaceTextBytes, placeEdit));
    // The place written when none is typed: kUnknownPlace, "未知地".
    placeEdit->setPlaceholderText(tr("未知地"));
    placeEdit->setToolTip(tr("出生地不在列表中（如国外）时，省份选“未知地”，在此填写地名和经纬度"));
    longitudeBox = DegreesBox(dialog, QStringLiteral("SpnLongitude"), 180, tr("经度"), tr("经度，东经为正，西经为负"));
    latitudeBox = DegreesBox(dialog, QStringLiteral("SpnLatitude"), 90, tr("纬度"), tr("纬度，北纬为正，南纬为负"));

    zoneLabel_ = new QLabel(tr("时区"), dialog);
    zoneLabel_->setBuddy(zoneBox);
    placeLabel_ = new QLabel(tr("地名"), dialog);
    placeLabel_->setBuddy(placeEdit);

    SetRecord(PersonRecord{});
}

void BirthZonePanel::AddTo(QGridLayout* grid, int row, QWidget* tabAfter) {
    grid->addWidget(zoneLabel_, row, 0);
    grid->addWidget(zoneBox, row, 1, 1, 2);
    grid->addWidget(clockBox, row, 3, 1, 2);
    grid->addWidget(placeLabel_, row + 1, 0);
    grid->addWidget(placeEdit, row + 1, 1, 1, 2);
    grid->addWidget(longitudeBox, row + 1, 3);
    grid->addWidget(latitudeBox, row + 1, 4);
    QWidget* previous = tabAfter;
    for (QWidget* w : std::initializer_list<QWidget*>{zoneBox, clockBox, placeEdit, longitudeBox, latitudeBox}) {
        QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

void BirthZonePanel::ShowZone(const std::string& zone) {
    const int i = zoneBox->findData(ToQString(zone));
    if (i >= 0) {
        zoneBox->setCurrentIndex(i);
    } else {
        zoneBox->setEditText(ToQString(zone));
    }
    // A long entry shows its beginning (the country), not its end.
    zoneBox->lineEdit()->setCursorPosition(0);
}

std::string BirthZonePanel::Zone() const {
    const QString text = zoneBox->currentText().trimmed();
    const int i = zoneBox->findText(text, Qt::MatchFixedString);
    if (i >= 0) return zoneBox->itemData(i).toString().toStdString();
    // A zone typed by hand, as the database spells it.
    const std::string typed = text.toStdString();
    return CheckTimeZone(typed).ok() ? typed : std::string();
}

void BirthZonePanel::ZoneChosen(int index) {
    const std::string zone = zoneBox->itemData(index).toString().toStdString();
    zoneBox->lineEdit()->setCursorPosition(0);
    // Choosing the zone of another place means its clock was read.
    if (zone != DefaultTimeZone(province_)) clockBox->setCurrentIndex(1);
    // A place of its own still empty takes the zone's city.
    if (province_ != kUnknownProvince || !placeEdit->text().isEmpty()) return;
    for (const CommonTimeZone& z : CommonTimeZones()) {
        if (z.name != zone) continue;
        placeEdit->setText(ToQString(z.label));
        longitudeBox->setValue(z.longitude);
        latitudeBox->setValue(z.latitude);
    }
}

void BirthZonePanel::SetRecord(const PersonRecord& r) {
    province_ = r.provinceIndex;
    ShowZone(TimeZoneOf(r));
    clockBox->setCurrentIndex(r.clock == BirthClock::kCivil ? 1 : 0);
    // A place of its own keeps its name and coordinates; a record that never
    // had coordinates (0°, 0°) starts from the unknown place's 120°, 30°.
    const bool own = r.provinceIndex == kUnknownProvince;
    const bool located = own && (r.longitude != 0 || r.latitude != 0);
    placeEdit->setText(own && !r.placeText.empty() && r.placeText != kUnknownPlace ? ToQString(r.placeText)
                                                                                   : QString());
    longitudeBox->setValue(located ? r.longitude : kDefaultLongitude);
    latitudeBox->setValue(located ? r.latitude : kDefaultLatitude);
    SetProvince(r.provinceIndex);
}

void BirthZonePanel::SetProvince(int provinceIndex) {
    // The zone follows the province while it is the old province's.
    if (Zone() == DefaultTimeZone(province_)) ShowZone(DefaultTimeZone(provinceIndex));
    province_ = provinceIndex;
    const bool own = provinceIndex == kUnknownProvince;
    for (QWidget* w : std::initializer_list<QWidget*>{placeLabel_, placeEdit, longitudeBox, latitudeBox}) {
        w->setEnabled(own);
    }
}

void BirthZonePanel::ApplyTo(PersonRecord& r) const {
    const std::string zone = Zone();
    r.timeZone = zone == DefaultTimeZone(r.provinceIndex) ? std::string() : zone;
    r.clock = clockBox->currentIndex() == 1 ? BirthClock::kCivil : BirthClock::kStandard;
    if (r.provinceIndex == kUnknownProvince) {
        const QString place = placeEdit->text().trimmed();
        r.placeText = place.isEmpty() ? std::string(kUnknownPlace) : place.toStdString();
        r.longitude = float(longitudeBox->value());
        r.latitude = float(latitudeBox->value());
    }
}

bool BirthZonePanel::Confirm(PersonRecord& r) {
    const std::string zone = Zone();
    if (zone.empty()) {
        Inform(dialog_, tr("未知的时区：%1").arg(zoneBox->currentText()), tr("输入错误"), MsgIcon::kWarning);
        zoneBox->setFocus();
        return false;
    }
    // The questions look at the Gregorian date. The dialog has refused a
    // date that does not exist before it asks here; the checks below only
    // keep the panel safe on its own.
    CivilTime t = r.Time();
    LunarCalendar calendar;
    if (r.isLunar && !calendar.LunarToSolar(r.Time(), r.isLeapMonth != 0, &t).ok()) return true;
    if (!r.isLunar && !LunarCalendar::SolarDateExists(t)) return true;

    if (r.clock == BirthClock::kStandard) {
        // A standard time known to be one (answered before, or from a store
        // that keeps standard time) is not asked about again.
        const std::string question = PendingSummerTimeQuestion(r);
        if (question.empty()) return true;
        if (!Ask(dialog_, ToQString(question), tr("提示"), MsgIcon::kInformation)) {
            r.standardTimeSettled = true;  // answered: it is standard time
            return true;
        }
        r.clock = BirthClock::kCivil;  // the entered time is the clock's: convert it
        r.clockReading = ClockReading::kAsk;
        clockBox->setCurrentIndex(1);
    }
    r.standardTimeSettled = false;
    const ClockConversion c = ClockToStandardTime(t, zone, ClockReading::kAsk);
    if (c.kind != ClockTimeKind::kUnique) {
        if (r.clockReading != ClockReading::kAsk) return true;  // chosen before for this entry
        ClockChoiceDialog dlg(c, dialog_);
        if (dlg.exec() != QDialog::Accepted) return false;
        r.clockReading = dlg.Choice();
        return true;
    }
    r.clockReading = ClockReading::kAsk;
    if (!c.status.ok()) {
        Inform(dialog_, CoreText(c.status.message()), tr("输入错误"), MsgIcon::kWarning);
        return false;
    }
    return true;
}

}  // namespace tessaly
