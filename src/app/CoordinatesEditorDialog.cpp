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

namespace tessaly {
namespace {}  // namespace

CoordinatesEditorDialog::CoordinatesEditorDialog(std::filesystem::path diliPath, QWidget* parent)
    : QDialog(parent), path_(std::move(diliPath)), dili_(path_) {
    setObjectName(QStringLiteral("FrmDiLi"));
    setWindowTitle(tr("经纬度设置"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    CboSheng = new QComboBox(this);
    CboSheng->setObjectName(QStringLiteral("CboSheng"));
    for (int i = 0; i < kUnknownProvince; ++i) CboSheng->addItem(ToQString(kProvinces[std::size_t(i)]));
    CboShi = new QComboBox(this);
    CboShi->setObjectName(QStringLiteral("CboShi"));
    CboShi->setMinimumContentsLength(8);
    CboShi->setMaxVisibleItems(20);

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
    LedtJingDu = edit("LedtJingDu", 4, QStringLiteral("-179至179，西经用负数"));
    LedtJingFen = edit("LedtJingFen", 2, QStringLiteral("0至59"));
    LedtWeiDu = edit("LedtWeiDu", 3, QStringLiteral("-89至89，南纬用负数"));
    LedtWeiFen = edit("LedtWeiFen", 2, QStringLiteral("0至59"));

    BtoEdit = new QPushButton(QStringLiteral("修改"), this);
    BtoEdit->setObjectName(QStringLiteral("BtoEdit"));
    BtoEdit->setDefault(true);

    auto* places = new QHBoxLayout;
    places->addWidget(CboSheng);
    places->addWidget(CboShi, 1);

    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(6);
    const auto row = [this, fields](int r, const QString& name, QLineEdit* degrees, QLineEdit* minutes) {
        auto* label = new QLabel(name, this);
        label->setBuddy(degrees);
        fields->addWidget(label, r, 0);
        fields->addWidget(degrees, r, 1);
        fields->addWidget(new QLabel(QStringLiteral("度"), this), r, 2);
        fields->addWidget(minutes, r, 3);
        fields->addWidget(new QLabel(QStringLiteral("分"), this), r, 4);
    };
    row(0, QStringLiteral("经度"), LedtJingDu, LedtJingFen);
    row(1, QStringLiteral("纬度"), LedtWeiDu, LedtWeiFen);
    fields->setColumnStretch(5, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BtoEdit);

    auto* root = new QVBoxLayout(this);
    root->addLayout(places);
    root->addLayout(fields);
    root->addLayout(buttons);
    setMinimumWidth(360);

    connect(CboSheng, &QComboBox::currentIndexChanged, this, &CoordinatesEditorDialog::ShowProvince);
    connect(CboShi, &QComboBox::currentIndexChanged, this, &CoordinatesEditorDialog::ShowCity);
    connect(BtoEdit, &QPushButton::clicked, this, &CoordinatesEditorDialog::ApplyEdit);

    CboSheng->setCurrentIndex(0);  // 福建省
    ShowProvince(0);
}

void CoordinatesEditorDialog::ShowProvince(int index) {
    const QSignalBlocker block(CboShi);
    CboShi->clear();
    for (const City& c : LoadCities(index, dili_)) CboShi->addItem(ToQString(c.name));
    if (CboShi->count() > 0) {
        CboShi->setCurrentIndex(0);
        ShowCity(0);
    } else {
        // No city to show: no coordinates either, not those of the last one.
        for (QLineEdit* e : {LedtJingDu, LedtJingFen, LedtWeiDu, LedtWeiFen}) e->clear();
    }
}

void CoordinatesEditorDialog::ShowCity(int index) {
    if (index < 0) return;
    const std::string section(kProvinces[std::size_t(CboSheng->currentIndex())]);
    const CoordinateFields f = SplitCoordinateValue(dili_.ReadString(section, CboShi->itemText(index).toStdString()));
    LedtJingDu->setText(ToQString(f.longitudeDegrees));
    LedtJingFen->setText(ToQString(f.longitudeMinutes));
    LedtWeiDu->setText(ToQString(f.latitudeDegrees));
    LedtWeiFen->setText(ToQString(f.latitudeMinutes));
}

void CoordinatesEditorDialog::ApplyEdit() {
    if (CboShi->currentIndex() < 0) return;
    const QString province = CboSheng->currentText(), city = CboShi->currentText();
    // The fields are checked first: the question is only asked about values
    // that can be written.
    const CoordinateEdit edit =
        CheckCoordinateFields({LedtJingDu->text().toStdString(), LedtJingFen->text().toStdString(),
                               LedtWeiDu->text().toStdString(), LedtWeiFen->text().toStdString()});
    if (edit.refusal != CoordinateRefusal::kNone) {
        const bool longitude = edit.refusal == CoordinateRefusal::kLongitude;
        Inform(this, longitude ? tr("经度在-179到179之间，分数在0到59之间") : tr("纬度在-89到89之间，分数在0到59之间"),
               QStringLiteral("输入错误"), MsgIcon::kError);
        (longitude ? LedtJingDu : LedtWeiDu)->setFocus();
        return;
    }
    if (!Ask(this, QStringLiteral("确定要修改：%1%2 的经纬度数据吗？").arg(province, city), QStringLiteral("注意了"),
             MsgIcon::kWarning, true)) {
        return;
    }
    // Written into the file as it is now, under the folder's lock, so that
    // nothing changed by others since the dialog opened is lost.
    IniFile file;
    const Status saved = MergeIntoIniFile(path_, {{province.toStdString(), city.toStdString(), edit.value}}, &file);
    if (!saved.ok()) {
        Inform(this, QStringLiteral("经纬度没有保存：") + ToQString(saved.message()), QStringLiteral("错误"),
               MsgIcon::kError);
        return;
    }
    dili_ = std::move(file);
    Inform(this, QStringLiteral("完成"));
}

}  // namespace tessaly
