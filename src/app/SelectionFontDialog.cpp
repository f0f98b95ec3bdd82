#include "SelectionFontDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaly {

SelectionFontDialog::SelectionFontDialog(const QFont& font, const QColor& color, QWidget* parent)
    : QDialog(parent), family_(font.family()), shownAs_(font.family()) {
    setObjectName(QStringLiteral("FontDialog"));
    setWindowTitle(tr("字体"));
    // A family that is not installed shows as the font standing in for it.
    QFont shown(font);
    const QStringList installed = QFontDatabase::families();
    if (!installed.contains(family_)) {
        // Substitutes are kept in lower case: find the installed spelling.
        const QString substitute = QFont::substitute(family_);
        for (const QString& f : installed) {
            if (f.compare(substitute, Qt::CaseInsensitive) != 0) continue;
            shownAs_ = f;
            shown.setFamilies({f});
            break;
        }
    }
    fontPanel = new QFontDialog(shown, this);
    fontPanel->setWindowFlags(Qt::Widget);
    fontPanel->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fontPanel->setSizeGripEnabled(false);
    fontPanel->setCurrentFont(shown);
    lastPanelFont_ = fontPanel->currentFont();
    // The panel's lists and its writing-system box stand under labels that
    // name their edits only: named here for a screen reader.
    {
        const QList<QListView*> lists = fontPanel->findChildren<QListView*>();
        const QString names[] = {tr("字体"), tr("字形"), tr("大小")};
        for (int i = 0; i < lists.size() && i < 3; ++i) lists[i]->setAccessibleName(names[i]);
        for (QComboBox* box : fontPanel->findChildren<QComboBox*>()) box->setAccessibleName(tr("文字系统"));
    }

    boldBox = new QCheckBox(tr("粗体(&B)"), this);
    boldBox->setObjectName(QStringLiteral("ChkBold"));
    boldBox->setChecked(font.bold());
    // Alt+I is the panel's own (文字系统).
    italicBox = new QCheckBox(tr("斜体(&T)"), this);
    italicBox->setObjectName(QStringLiteral("ChkItalic"));
    italicBox->setChecked(font.italic());
    // A style picked in the panel (Bold, Italic …) sets the boxes; a change of
    // family or size leaves them.
    connect(fontPanel, &QFontDialog::currentFontChanged, this, [this](const QFont& f) {
        if (f.bold() != lastPanelFont_.bold()) boldBox->setChecked(f.bold());
        if (f.italic() != lastPanelFont_.italic()) italicBox->setChecked(f.italic());
        lastPanelFont_ = f;
    });

    auto* colorLabel = new QLabel(tr("颜色(&C):"), this);
    colorButton = new QPushButton(this);
    colorButton->setObjectName(QStringLiteral("BtnColor"));
    colorButton->setMinimumWidth(96);
    colorLabel->setBuddy(colorButton);
    connect(colorButton, &QPushButton::clicked, this, &SelectionFontDialog::ChooseColor);
    SetColor(color.isValid() ? color : QColor(Qt::black));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(tr("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(tr("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(boldBox);
    colorRow->addWidget(italicBox);
    colorRow->addSpacing(16);
    colorRow->addWidget(colorLabel);
    colorRow->addWidget(colorButton);
    colorRow->addStretch();
    auto* box = new QVBoxLayout(this);
    box->addWidget(fontPanel, 1);
    box->addLayout(colorRow);
    box->addWidget(buttons);
}

QFont SelectionFontDialog::SelectedFont() const {
    QFont f = fontPanel->currentFont();
    if (f.family() == shownAs_) f.setFamilies({family_});
    if (f.bold() != boldBox->isChecked()) f.setBold(boldBox->isChecked());
    if (f.italic() != italicBox->isChecked()) f.setItalic(italicBox->isChecked());
    return f;
}

void SelectionFontDialog::SetColor(const QColor& color) {
    color_ = color;
    QPixmap swatch(40, 14);
    swatch.fill(color);
    colorButton->setIcon(QIcon(swatch));
    colorButton->setIconSize(swatch.size());
    colorButton->setText(color.name());
}

void SelectionFontDialog::ChooseColor() {
    const QColor c = QColorDialog::getColor(color_, this, tr("颜色"));
    if (c.isValid()) SetColor(c);
}

}  // namespace tessaly
