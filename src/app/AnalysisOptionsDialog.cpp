#include "AnalysisOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "MessageService.h"
#include "common/IniFile.h"

namespace tessaly {

AnalysisOptionsDialog::AnalysisOptionsDialog(const ChartOptions& options, QWidget* parent)
    : QDialog(parent), options_(options) {
    setObjectName(QStringLiteral("FrmSet"));
    setWindowTitle(tr("命稿预测选项设置"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    timeBasisBox = new QComboBox(this);
    timeBasisBox->setObjectName(QStringLiteral("CboSelDate"));
    timeBasisBox->addItems({tr("北京时间"), tr("真太阳时"), tr("地方时")});
    auto* layoutGroup = new QGroupBox(tr("八字设置"), this);
    horizontalChart = new QRadioButton(tr("八字横排"), layoutGroup);
    verticalChart = new QRadioButton(tr("八字竖排"), layoutGroup);
    auto* layoutBox = new QHBoxLayout(layoutGroup);
    layoutBox->addWidget(horizontalChart);
    layoutBox->addWidget(verticalChart);
    lateZiHourKeepsDay = new QCheckBox(tr("区分夜子时、和早子时"), this);
    auto* palaceGroup = new QGroupBox(tr("命宫起法"), this);
    lifePalaceBy[0] = new QRadioButton(tr("按节入起"), palaceGroup);
    lifePalaceBy[1] = new QRadioButton(tr("按中气起"), palaceGroup);
    auto* palaceBox = new QHBoxLayout(palaceGroup);
    palaceBox->addWidget(lifePalaceBy[0]);
    palaceBox->addWidget(lifePalaceBy[1]);
    highScoreScale = new QCheckBox(tr("婚配指数高分制"), this);
    specialPatternRoles = new QCheckBox(tr("变格时按格局取用神"), this);
    followJudgements = new QCheckBox(tr("分析使用从格"), this);
    firstLineIndent = new QLineEdit(this);
    firstLineIndent->setObjectName(QStringLiteral("LedtLeftPos"));
    firstLineIndent->setMaxLength(3);
    firstLineIndent->setFixedWidth(60);
    askToSave = new QCheckBox(tr("提示保存"), this);
    appendIndexParts = new QCheckBox(tr("命稿附婚配指数构成"), this);
    appendIndexParts->setObjectName(QStringLiteral("ChkIndexParts"));
    appendIndexParts->setAccessibleName(tr("命稿附婚配指数构成"));
    okButton = new QPushButton(tr("确定(&O)"), this);
    okButton->setDefault(true);
    cancelButton = new QPushButton(tr("取消(&C)"), this);
    connect(okButton, &QPushButton::clicked, this, &AnalysisOptionsDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &AnalysisOptionsDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(tr("使用时间"), timeBasisBox);
    form->addRow(tr("文本左边距离"), firstLineIndent);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* c :
         {lateZiHourKeepsDay, highScoreScale, specialPatternRoles, followJudgements, appendIndexParts, askToSave}) {
        checks->addWidget(c);
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(layoutGroup);
    outer->addWidget(palaceGroup);
    outer->addLayout(checks);
    outer->addLayout(buttons);
    // Tab goes down the dialog as it is laid out.
    QWidget* previous = timeBasisBox;
    for (QWidget* next :
         std::initializer_list<QWidget*>{firstLineIndent, horizontalChart, verticalChart, lifePalaceBy[0],
                                         lifePalaceBy[1], lateZiHourKeepsDay, highScoreScale, specialPatternRoles,
                                         followJudgements, appendIndexParts, askToSave, okButton, cancelButton}) {
        setTabOrder(previous, next);
        previous = next;
    }

    timeBasisBox->setCurrentIndex(std::clamp(static_cast<int>(options_.timeBasis), 0, 2));
    horizontalChart->setChecked(!options_.verticalChart);
    verticalChart->setChecked(options_.verticalChart);
    lateZiHourKeepsDay->setChecked(options_.lateZiHourKeepsDay);
    lifePalaceBy[options_.lifePalaceByMidTerm ? 1 : 0]->setChecked(true);
    highScoreScale->setChecked(options_.highScoreScale);
    specialPatternRoles->setChecked(options_.specialPatternRoles);
    followJudgements->setChecked(options_.followJudgements);
    firstLineIndent->setText(QString::number(options_.firstLineIndent));
    askToSave->setChecked(options_.askToSave);
    appendIndexParts->setChecked(options_.appendIndexParts);
}

void AnalysisOptionsDialog::accept() {
    long left = -1;
    if (!ParseInteger(firstLineIndent->text().toStdString(), &left)) left = -1;
    if (left < 0 || left > 500) {
        Inform(this, tr("文本左边距离在0-500之间"), tr("输入错误"), MsgIcon::kError);
        firstLineIndent->setFocus();
        return;
    }
    options_.firstLineIndent = static_cast<int>(left);
    options_.lateZiHourKeepsDay = lateZiHourKeepsDay->isChecked();
    options_.specialPatternRoles = specialPatternRoles->isChecked();
    options_.lifePalaceByMidTerm = lifePalaceBy[1]->isChecked();
    options_.verticalChart = !horizontalChart->isChecked();
    options_.timeBasis = static_cast<TimeBasis>(timeBasisBox->currentIndex());
    options_.askToSave = askToSave->isChecked();
    options_.highScoreScale = highScoreScale->isChecked();
    options_.followJudgements = followJudgements->isChecked();
    options_.appendIndexParts = appendIndexParts->isChecked();
    QDialog::accept();
}

}  // namespace tessaly
