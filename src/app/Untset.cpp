#include "Untset.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "MessageService.h"
#include "common/IniFile.h"
#include "common/ProgramDir.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

QHBoxLayout* ButtonRow(QPushButton* ok, QPushButton* cancel) {
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(cancel);
    return row;
}

// Writes the options file, saying so when it cannot be written.
bool SaveOptions(QWidget* parent, const IniFile& ini) {
    if (Status s = ini.Save(); !s.ok()) {
        Inform(parent, QString::fromStdString(s.message()), QStringLiteral("错误"), MsgIcon::kError);
        return false;
    }
    return true;
}

}  // namespace

TFrmSet::TFrmSet(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmSet"));
    setWindowTitle(QStringLiteral("命稿预测选项设置"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    CboSelDate = new QComboBox(this);
    CboSelDate->addItems({QStringLiteral("北京时间"), QStringLiteral("真太阳时"), QStringLiteral("地方时")});
    auto* paiGroup = new QGroupBox(QStringLiteral("八字设置"), this);
    RdoHengPai = new QRadioButton(QStringLiteral("八字横排"), paiGroup);
    RdoShuPai = new QRadioButton(QStringLiteral("八字竖排"), paiGroup);
    auto* paiBox = new QHBoxLayout(paiGroup);
    paiBox->addWidget(RdoHengPai);
    paiBox->addWidget(RdoShuPai);
    chkzishi = new QCheckBox(QStringLiteral("区分夜子时、和早子时"), this);
    auto* mgGroup = new QGroupBox(QStringLiteral("命宫起法"), this);
    RdoMingGong[0] = new QRadioButton(QStringLiteral("按节入起"), mgGroup);
    RdoMingGong[1] = new QRadioButton(QStringLiteral("按中气起"), mgGroup);
    auto* mgBox = new QHBoxLayout(mgGroup);
    mgBox->addWidget(RdoMingGong[0]);
    mgBox->addWidget(RdoMingGong[1]);
    ChkScore = new QCheckBox(QStringLiteral("婚配指数高分制"), this);
    ChkBianGe = new QCheckBox(QStringLiteral("变格时按格局取用神"), this);
    ChkCongGe = new QCheckBox(QStringLiteral("分析使用从格"), this);
    LedtLeftPos = new QLineEdit(this);
    LedtLeftPos->setMaxLength(3);
    LedtLeftPos->setFixedWidth(60);
    ChkSave = new QCheckBox(QStringLiteral("提示保存"), this);
    Btnok = new QPushButton(QStringLiteral("确定"), this);
    Btnok->setDefault(true);
    Btncancel = new QPushButton(QStringLiteral("取消"), this);
    connect(Btnok, &QPushButton::clicked, this, &TFrmSet::accept);
    connect(Btncancel, &QPushButton::clicked, this, &TFrmSet::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("使用时间"), CboSelDate);
    form->addRow(QStringLiteral("文本左边距离"), LedtLeftPos);
    auto* checks = new QVBoxLayout;
    for (QCheckBox* c : {chkzishi, ChkScore, ChkBianGe, ChkCongGe, ChkSave}) checks->addWidget(c);
    auto* outer = new QVBoxLayout(this);
    outer->addLayout(form);
    outer->addWidget(paiGroup);
    outer->addWidget(mgGroup);
    outer->addLayout(checks);
    outer->addLayout(ButtonRow(Btnok, Btncancel));

    const IniFile ini(DatPath("pan.ini"));
    options_ = ReadChartOptions(ini);
    CboSelDate->setCurrentIndex(std::clamp(options_.idate, 0, 2));
    RdoHengPai->setChecked(options_.pai == 0);
    RdoShuPai->setChecked(options_.pai != 0);
    chkzishi->setChecked(options_.zishi);
    RdoMingGong[options_.mgong == 1 ? 1 : 0]->setChecked(true);
    ChkScore->setChecked(options_.bscore);
    ChkBianGe->setChecked(options_.biange);
    ChkCongGe->setChecked(options_.congGe);
    LedtLeftPos->setText(QString::number(options_.leftpos));
    ChkSave->setChecked(options_.save);
}

void TFrmSet::accept() {
    long left = -1;
    if (!ParseInteger(LedtLeftPos->text().toStdString(), &left)) left = -1;
    if (left < 0 || left > 500) {
        Inform(this, QStringLiteral("文本左边距离在0-500之间"), QStringLiteral("输入错误"), MsgIcon::kError);
        LedtLeftPos->setFocus();
        return;
    }
    // Re-read the file so that a key this dialog does not edit (endinfo)
    // keeps what is on disk now.
    IniFile ini(DatPath("pan.ini"));
    ChartOptions o = ReadChartOptions(ini);
    o.leftpos = int(left);
    o.zishi = chkzishi->isChecked();
    o.biange = ChkBianGe->isChecked();
    o.mgong = RdoMingGong[1]->isChecked() ? 1 : 0;
    o.pai = RdoHengPai->isChecked() ? 0 : 1;
    o.idate = CboSelDate->currentIndex();
    o.save = ChkSave->isChecked();
    o.bscore = ChkScore->isChecked();
    o.congGe = ChkCongGe->isChecked();
    WriteChartOptions(o, ini);
    if (!SaveOptions(this, ini)) return;
    QDialog::accept();
}

TFrmEndfo::TFrmEndfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FrmEndfo"));
    setWindowTitle(QStringLiteral("编辑尾部信息"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setMinimumSize(360, 180);
    ChkAuto = new QCheckBox(QStringLiteral("加入到命稿尾部"), this);
    BtnOk = new QPushButton(QStringLiteral("确定"), this);
    BtnCancel = new QPushButton(QStringLiteral("取消"), this);
    connect(BtnOk, &QPushButton::clicked, this, &TFrmEndfo::accept);
    connect(BtnCancel, &QPushButton::clicked, this, &TFrmEndfo::reject);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("命稿尾部信息"), this));
    outer->addWidget(Memo1, 1);
    auto* row = ButtonRow(BtnOk, BtnCancel);
    row->insertWidget(0, ChkAuto);
    outer->addLayout(row);

    std::vector<std::string> lines;
    if (Status s = ReadEndInfoLines(DatPath("EndInfo.txt"), &lines); !s.ok()) {
        Inform(this, QString::fromStdString(s.message()), QStringLiteral("错误"), MsgIcon::kError);
    }
    QStringList text;
    for (const std::string& l : lines) text << QString::fromStdString(l);
    Memo1->setPlainText(text.join(u'\n'));
    ChkAuto->setChecked(ReadChartOptions(IniFile(DatPath("pan.ini"))).endinfo);
}

void TFrmEndfo::accept() {
    if (Memo1->toPlainText().isEmpty()) {
        Inform(this, QStringLiteral("输入不能为空"), QStringLiteral("信息"), MsgIcon::kInformation);
        Memo1->setFocus();
        return;
    }
    // The lines as the file keeps them: GBK, CR LF after each line.
    std::string text;
    for (const QString& line : Memo1->toPlainText().split(u'\n')) text += line.toStdString() + "\r\n";
    const CodecResult gbk = Utf8ToGbk(text);
    if (!gbk.ok()) {
        Inform(this, QStringLiteral("尾部信息含有无法保存的字符：") + QString::fromStdString(gbk.error),
               QStringLiteral("输入错误"), MsgIcon::kError);
        Memo1->setFocus();
        return;
    }
    if (Status s = WriteFileAtomically(DatPath("EndInfo.txt"), gbk.text); !s.ok()) {
        Inform(this, QString::fromStdString(s.message()), QStringLiteral("错误"), MsgIcon::kError);
        return;
    }
    IniFile ini(DatPath("pan.ini"));
    ChartOptions o = ReadChartOptions(ini);
    o.endinfo = ChkAuto->isChecked();
    WriteChartOptions(o, ini);
    if (!SaveOptions(this, ini)) return;
    QDialog::accept();
}

}  // namespace tessaly
