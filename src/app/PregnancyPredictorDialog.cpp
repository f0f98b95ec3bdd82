#include "PregnancyPredictorDialog.h"

#include <string>

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MessageService.h"
#include "sidetools/PregnancyTable.h"
#include "app/QtText.h"

namespace tessaly {
namespace {

// The side tool's texts (sidetools/PregnancyTable.h) as the window shows
// them: translated where a translation has the same Chinese, else as they are.
const char* const kCoreTexts[] = {
    QT_TRANSLATE_NOOP("tessaly::PregnancyPredictorDialog", "清宫珍藏生男生女预计法"),
    QT_TRANSLATE_NOOP("tessaly::PregnancyPredictorDialog", "母亲年龄在18-45岁"),
    QT_TRANSLATE_NOOP("tessaly::PregnancyPredictorDialog", "岁数"),
    QT_TRANSLATE_NOOP("tessaly::PregnancyPredictorDialog", "生男孩"),
    QT_TRANSLATE_NOOP("tessaly::PregnancyPredictorDialog", "生女孩"),
};

QString Shown(std::string_view text) {
    (void)kCoreTexts;
    return PregnancyPredictorDialog::tr(std::string(text).c_str());
}

}  // namespace

PregnancyPredictorDialog::PregnancyPredictorDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmHuaiYun"));
    setWindowTitle(tr("测怀孕"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* title = new QLabel(Shown(kPregnancyTitle), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont tf = title->font();
    tf.setBold(true);
    tf.setPixelSize(18);
    title->setFont(tf);
    title->setAlignment(Qt::AlignCenter);

    LedtArg = new QLineEdit(QStringLiteral("22"), this);
    LedtArg->setObjectName(QStringLiteral("LedtArg"));
    LedtArg->setMaxLength(2);
    LedtArg->setFixedWidth(LedtArg->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 14);
    CboMonth = new QComboBox(this);
    CboMonth->setObjectName(QStringLiteral("CboMonth"));
    for (int m = 1; m <= 12; ++m) CboMonth->addItem(tr("%1月").arg(m));
    CboMonth->setCurrentIndex(0);

    StxtOut = new QLabel(this);
    StxtOut->setObjectName(QStringLiteral("StxtOut"));
    StxtOut->setFrameShape(QFrame::StyledPanel);
    StxtOut->setAlignment(Qt::AlignCenter);
    StxtOut->setMinimumHeight(36);
    QFont of = StxtOut->font();
    of.setPixelSize(22);
    of.setBold(true);
    StxtOut->setFont(of);

    Button1 = new QPushButton(tr("计算"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);

    auto* form = new QFormLayout;
    form->addRow(tr("母亲年龄(虚岁)"), LedtArg);
    form->addRow(tr("怀孕月份(农历)"), CboMonth);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Button1);

    auto* root = new QVBoxLayout(this);
    root->addWidget(title);
    root->addLayout(form);
    root->addWidget(StxtOut);
    root->addLayout(buttons);

    connect(Button1, &QPushButton::clicked, this, &PregnancyPredictorDialog::Calculate);
}

void PregnancyPredictorDialog::Calculate() {
    const std::string_view answer = PregnancyAnswer(LedtArg->text().toStdString(), CboMonth->currentIndex() + 1);
    if (answer.empty()) {
        Inform(this, Shown(kAgeRefused), Shown(kAgeRefusedCaption), MsgIcon::kError);
        LedtArg->setFocus();
        LedtArg->selectAll();
        return;
    }
    StxtOut->setText(Shown(answer));
}

}  // namespace tessaly
