#include "ReportEndingDialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "MessageService.h"
#include "common/TextCodec.h"

namespace tessaly {

ReportEndingDialog::ReportEndingDialog(const EndingText& ending, bool append, QWidget* parent)
    : QDialog(parent), ending_(ending), append_(append) {
    setObjectName(QStringLiteral("FrmEndfo"));
    setWindowTitle(tr("命稿结尾信息"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    textBox = new QPlainTextEdit(this);
    textBox->setObjectName(QStringLiteral("Memo1"));
    textBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textBox->setMinimumSize(360, 180);
    textBox->setTabChangesFocus(true);  // Tab leaves the box for the buttons
    appendBox = new QCheckBox(tr("加入到命稿尾部"), this);
    okButton = new QPushButton(tr("确定(&O)"), this);
    cancelButton = new QPushButton(tr("取消(&C)"), this);
    connect(okButton, &QPushButton::clicked, this, &ReportEndingDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &ReportEndingDialog::reject);

    auto* outer = new QVBoxLayout(this);
    auto* label = new QLabel(tr("命稿尾部信息"), this);
    label->setBuddy(textBox);
    outer->addWidget(label);
    outer->addWidget(textBox, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(appendBox);
    row->addStretch();
    row->addWidget(okButton);
    row->addWidget(cancelButton);
    outer->addLayout(row);

    QStringList text;
    for (const std::string& l : ending_.lines) text << QString::fromStdString(l);
    textBox->setPlainText(text.join(u'\n'));
    appendBox->setChecked(append_);
}

void ReportEndingDialog::accept() {
    if (textBox->toPlainText().isEmpty()) {
        Inform(this, tr("输入不能为空"), tr("信息"), MsgIcon::kInformation);
        textBox->setFocus();
        return;
    }
    EndingText ending;
    for (const QString& line : textBox->toPlainText().split(u'\n')) ending.lines.push_back(line.toStdString());
    // The file keeps GBK: a character it cannot hold is refused here.
    for (const std::string& line : ending.lines) {
        if (const CodecResult gbk = Utf8ToGbk(line); !gbk.ok()) {
            Inform(this, tr("尾部信息含有无法保存的字符：") + QString::fromStdString(gbk.error), tr("输入错误"),
                   MsgIcon::kError);
            textBox->setFocus();
            return;
        }
    }
    ending_ = std::move(ending);
    append_ = appendBox->isChecked();
    QDialog::accept();
}

}  // namespace tessaly
