#include "ClockChoiceDialog.h"
#include "app/AppSetup.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tessaly {
namespace {

QString HourMinute(const CivilTime& t) {
    return QStringLiteral("%1:%2").arg(t.hour, 2, 10, QLatin1Char('0')).arg(t.minute, 2, 10, QLatin1Char('0'));
}

}  // namespace

ClockChoiceDialog::ClockChoiceDialog(const ClockConversion& c, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmClockChoice"));
    setWindowTitle(tr("提示"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);
    messageLabel = new QLabel(CoreText(c.status.message()), this);
    messageLabel->setWordWrap(true);
    messageLabel->setMinimumWidth(380);

    const auto label = [](const std::string& name, const CivilTime& t) {
        return tr("按%1：北京时间 %2").arg(QString::fromStdString(name), HourMinute(t));
    };
    summerButton = new QPushButton(label(c.summerName, c.summerReading), this);
    standardButton = new QPushButton(label(c.standardName, c.standardReading), this);
    cancelButton = new QPushButton(tr("取消"), this);
    summerButton->setDefault(true);
    connect(summerButton, &QPushButton::clicked, this, [this] {
        choice_ = ClockReading::kSummerTime;
        accept();
    });
    connect(standardButton, &QPushButton::clicked, this, [this] {
        choice_ = ClockReading::kStandardTime;
        accept();
    });
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* text = new QHBoxLayout;
    text->addWidget(icon);
    text->addWidget(messageLabel, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(summerButton);
    buttons->addWidget(standardButton);
    buttons->addWidget(cancelButton);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(text);
    outer->addSpacing(8);
    outer->addLayout(buttons);
}

}  // namespace tessaly
