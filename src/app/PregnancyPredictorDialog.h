// PregnancyPredictorDialog (aka TFrmHuaiYun, Unthiyun) — "测怀孕": the folk table "清宫珍藏生男生女预计法"
// answers "生男孩" or "生女孩" from the mother's nominal age and the lunar
// month of conception.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaly {

class PregnancyPredictorDialog : public QDialog {
    Q_OBJECT
public:
    explicit PregnancyPredictorDialog(QWidget* parent = nullptr);

    // "计算"
    void Calculate();

    // Controls, named as in the other program.
    QLineEdit* LedtArg;
    QComboBox* CboMonth;
    QLabel* StxtOut;
    QPushButton* Button1;
};

}  // namespace tessaly
