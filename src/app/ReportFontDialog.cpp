#include "ReportFontDialog.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "AppFonts.h"

namespace tessaly {
namespace {

constexpr int kSizes[] = {8, 9, 10, 11, 12, 13, 14, 15, 16, 18, 20, 22, 24, 26, 28, 32, 36, 48};

}  // namespace

bool ReportFontDialog::KeepsColumns(const QString& family) {
    QFont f(family);
    f.setPixelSize(40);
    const QFontMetricsF fm(f);
    const qreal cell = fm.horizontalAdvance(QLatin1Char('0'));
    if (cell <= 0) return false;
    for (QChar c : QStringLiteral(" iW.m|(1")) {
        if (std::abs(fm.horizontalAdvance(c) - cell) > 0.5) return false;
    }
    // Chinese characters come from the font itself or from the fallback that
    // draws them next to it; either way they must take two cells.
    for (QChar c : QStringLiteral("正命：")) {
        if (std::abs(fm.horizontalAdvance(c) - 2 * cell) > 0.5) return false;
    }
    return true;
}

QStringList ReportFontDialog::ColumnFamilies() {
    QStringList out;
    for (const QString& family : QFontDatabase::families()) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        if (KeepsColumns(family)) out << family;
    }
    out.sort(Qt::CaseInsensitive);
    return out;
}

ReportFontDialog::ReportFontDialog(const QFont& current, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmReportFont"));
    setWindowTitle(tr("字体"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    familyList = new QListWidget(this);
    familyList->setObjectName(QStringLiteral("LstFontName"));
    familyList->addItems(ColumnFamilies());
    familyList->setMinimumSize(240, 200);
    sizeBox = new QComboBox(this);
    sizeBox->setObjectName(QStringLiteral("CboFontSize"));
    const int currentSize = std::max(1, int(std::lround(current.pointSizeF())));
    bool listed = false;
    for (int s : kSizes) {
        if (!listed && s > currentSize) {
            sizeBox->addItem(QString::number(currentSize), currentSize);
            listed = true;
        }
        if (s == currentSize) listed = true;
        sizeBox->addItem(QString::number(s), s);
    }
    if (!listed) sizeBox->addItem(QString::number(currentSize), currentSize);
    sizeBox->setCurrentIndex(sizeBox->findData(currentSize));

    preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("LabFontSample"));
    preview->setText(QStringLiteral("甲命八字：\n乾造  庚午  辛巳  丁丑\nABCabc  1234  年份"));
    preview->setFrameShape(QFrame::StyledPanel);
    preview->setMinimumHeight(90);
    preview->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    okButton = new QPushButton(tr("确定(&O)"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("取消(&C)"), this);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* nameLabel = new QLabel(tr("字体(&F)："), this);
    nameLabel->setBuddy(familyList);
    familyList->setAccessibleName(tr("字体"));  // a list takes no name from its label
    auto* sizeLabel = new QLabel(tr("大小(&S)："), this);
    sizeLabel->setBuddy(sizeBox);
    auto* hint = new QLabel(tr("命稿按列排版，这里只列出等宽字体。"), this);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(sizeLabel);
    sizeRow->addWidget(sizeBox);
    sizeRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint);
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(nameLabel);
    outer->addWidget(familyList, 1);
    outer->addLayout(sizeRow);
    outer->addWidget(preview);
    outer->addLayout(buttons);

    // The pane's family, or the installed font that draws it.
    QList<QListWidgetItem*> found = familyList->findItems(current.family(), Qt::MatchFixedString);
    if (found.isEmpty()) found = familyList->findItems(QFontInfo(current).family(), Qt::MatchFixedString);
    if (!found.isEmpty()) {
        familyList->setCurrentItem(found.front());
    } else if (familyList->count() > 0) {
        familyList->setCurrentRow(0);
    }
    connect(familyList, &QListWidget::currentRowChanged, this, [this] { UpdatePreview(); });
    connect(sizeBox, &QComboBox::currentIndexChanged, this, [this] { UpdatePreview(); });
    okButton->setEnabled(familyList->currentItem() != nullptr);
    UpdatePreview();
}

QString ReportFontDialog::Family() const {
    const QListWidgetItem* item = familyList->currentItem();
    return item != nullptr ? item->text() : QString();
}

int ReportFontDialog::PointSize() const { return sizeBox->currentData().toInt(); }

void ReportFontDialog::UpdatePreview() {
    okButton->setEnabled(familyList->currentItem() != nullptr);
    preview->setFont(PointFont(Family().isEmpty() ? kSongTi : Family(), PointSize()));
}

}  // namespace tessaly
