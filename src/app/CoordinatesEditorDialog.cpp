#include "CoordinatesEditorDialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MessageService.h"
#include "calendar/Places.h"
#include "store/SettingsMerge.h"
#include "app/QtText.h"
#include "app/AppSetup.h"

namespace tessaly {
namespace {}  // namespace

CoordinatesEditorDialog::CoordinatesEditorDialog(std::filesystem::path diliPath, QWidget* parent)
    : QDialog(parent), path_(std::move(diliPath)), dili_(path_) {
    setObjectName(QStringLiteral("FrmDiLi"));
    setWindowTitle(tr("经纬度设置"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    provinceBox = new QComboBox(this);
    provinceBox->setObjectName(QStringLiteral("CboSheng"));
    for (int i = 0; i < kUnknownProvince; ++i) provinceBox->addItem(ToQString(kProvinces[std::size_t(i)]));
    cityBox = new QComboBox(this);
    cityBox->setObjectName(QStringLiteral("CboShi"));
    cityBox->setMinimumContentsLength(8);
    cityBox->setMaxVisibleItems(20);

    // Degrees take a sign: −179 and −89 are accepted.
    const auto edit = [this](const char* name, int maxLength, const QString& tip) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(maxLength);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QStringLiteral("0")) * 5 + 14);
        e->setAlignment(Qt::AlignRight);
        e->setToolTip(tip);
        return e;
    };
    longitudeDegreesEdit = edit("LedtJingDu", 4, tr("-179至179，西经用负数"));
    longitudeMinutesEdit = edit("LedtJingFen", 2, tr("0至59"));
    latitudeDegreesEdit = edit("LedtWeiDu", 3, tr("-89至89，南纬用负数"));
    latitudeMinutesEdit = edit("LedtWeiFen", 2, tr("0至59"));

    applyButton = new QPushButton(tr("修改"), this);
    applyButton->setObjectName(QStringLiteral("BtoEdit"));
    applyButton->setDefault(true);

    auto* places = new QHBoxLayout;
    places->addWidget(provinceBox);
    places->addWidget(cityBox, 1);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    const auto row = [this, fields](int r, const QString& name, QLineEdit* degrees, QLineEdit* minutes) {
        auto* label = new QLabel(name, this);
        label->setBuddy(degrees);
        fields->addWidget(label, r, 0);
        fields->addWidget(degrees, r, 1);
        fields->addWidget(new QLabel(tr("度"), this), r, 2);
        fields->addWidget(minutes, r, 3);
        fields->addWidget(new QLabel(tr("分"), this), r, 4);
    };
    provinceBox->setAccessibleName(tr("省份"));
    cityBox->setAccessibleName(tr("城市"));
    longitudeMinutesEdit->setAccessibleName(tr("经度的分"));
    latitudeMinutesEdit->setAccessibleName(tr("纬度的分"));
    row(0, tr("经度"), longitudeDegreesEdit, longitudeMinutesEdit);
    row(1, tr("纬度"), latitudeDegreesEdit, latitudeMinutesEdit);
    fields->setColumnStretch(5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(applyButton);

    auto* root = new QVBoxLayout(this);
    root->addLayout(places);
    root->addLayout(fields);
    root->addLayout(buttons);
    setMinimumWidth(360);

    connect(provinceBox, &QComboBox::currentIndexChanged, this, &CoordinatesEditorDialog::ShowProvince);
    connect(cityBox, &QComboBox::currentIndexChanged, this, &CoordinatesEditorDialog::ShowCity);
    connect(applyButton, &QPushButton::clicked, this, &CoordinatesEditorDialog::ApplyEdit);

    provinceBox->setCurrentIndex(0);  // 福建省
    ShowProvince(0);
}

void CoordinatesEditorDialog::ShowProvince(int index) {
    const QSignalBlocker block(cityBox);
    cityBox->clear();
    for (const City& c : LoadCities(index, dili_)) cityBox->addItem(ToQString(c.name));
    if (cityBox->count() > 0) {
        cityBox->setCurrentIndex(0);
        ShowCity(0);
    } else {
        // No city to show: no coordinates either, not those of the last one.
        for (QLineEdit* e : {longitudeDegreesEdit, longitudeMinutesEdit, latitudeDegreesEdit, latitudeMinutesEdit})
            e->clear();
    }
}

void CoordinatesEditorDialog::ShowCity(int index) {
    if (index < 0) return;
    const std::string section(kProvinces[std::size_t(provinceBox->currentIndex())]);
    const CoordinateFields f = SplitCoordinateValue(dili_.ReadString(section, cityBox->itemText(index).toStdString()));
    longitudeDegreesEdit->setText(ToQString(f.longitudeDegrees));
    longitudeMinutesEdit->setText(ToQString(f.longitudeMinutes));
    latitudeDegreesEdit->setText(ToQString(f.latitudeDegrees));
    latitudeMinutesEdit->setText(ToQString(f.latitudeMinutes));
}

void CoordinatesEditorDialog::ApplyEdit() {
    if (cityBox->currentIndex() < 0) return;
    const QString province = provinceBox->currentText(), city = cityBox->currentText();
    // The fields are checked first: the question is only asked about values
    // that can be written.
    const CoordinateEdit edit =
        CheckCoordinateFields({longitudeDegreesEdit->text().toStdString(), longitudeMinutesEdit->text().toStdString(),
                               latitudeDegreesEdit->text().toStdString(), latitudeMinutesEdit->text().toStdString()});
    if (edit.refusal != CoordinateRefusal::kNone) {
        const bool longitude = edit.refusal == CoordinateRefusal::kLongitude;
        Inform(this, longitude ? tr("经度在-179到179之间，分数在0到59之间") : tr("纬度在-89到89之间，分数在0到59之间"),
               tr("输入错误"), MsgIcon::kError);
        (longitude ? longitudeDegreesEdit : latitudeDegreesEdit)->setFocus();
        return;
    }
    if (!Ask(this, tr("确定要修改：%1%2 的经纬度数据吗？").arg(province, city), tr("注意了"), MsgIcon::kWarning,
             true)) {
        return;
    }
    // Written into the file as it is now, under the folder's lock, so that
    // nothing changed by others since the dialog opened is lost.
    IniFile file;
    const Status saved = MergeIntoIniFile(path_, {{province.toStdString(), city.toStdString(), edit.value}}, &file);
    if (!saved.ok()) {
        Inform(this, tr("经纬度没有保存：") + CoreText(saved.message()), tr("错误"), MsgIcon::kError);
        return;
    }
    dili_ = std::move(file);
    Inform(this, tr("完成"));
}

}  // namespace tessaly
