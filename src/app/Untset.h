// TFrmSet — the analysis options of dat/pan.ini (section "set"), and
// TFrmEndfo — the ending text dat/EndInfo.txt and its switch "endinfo".
#pragma once

#include <QDialog>

#include "engine/ChartOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace tessaly {

class TFrmSet : public QDialog {
    Q_OBJECT
public:
    explicit TFrmSet(QWidget* parent = nullptr);

    QComboBox* CboSelDate;
    QRadioButton* RdoHengPai;
    QRadioButton* RdoShuPai;
    QCheckBox* chkzishi;
    QRadioButton* RdoMingGong[2];  // "按节入起", "按中气起"
    QCheckBox* ChkScore;
    QCheckBox* ChkBianGe;
    QCheckBox* ChkCongGe;
    QLineEdit* LedtLeftPos;
    QCheckBox* ChkSave;
    QPushButton* Btnok;
    QPushButton* Btncancel;

public slots:
    void accept() override;

private:
    ChartOptions options_;
};

class TFrmEndfo : public QDialog {
    Q_OBJECT
public:
    explicit TFrmEndfo(QWidget* parent = nullptr);

    QPlainTextEdit* Memo1;
    QCheckBox* ChkAuto;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

public slots:
    void accept() override;
};

}  // namespace tessaly
