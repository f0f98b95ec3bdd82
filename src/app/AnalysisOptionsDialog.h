// AnalysisOptionsDialog (aka TFrmSet, Untset) — the analysis options: time
// basis, chart layout, late 子 hours, 命宫 counting, the index scale, pattern
// and follow judgements, the report's indent, the table of the index's parts
// in the report and the save question. The
// dialog edits a ChartOptions value; its caller saves it to dat/pan.ini.
#pragma once

#include <QDialog>

#include "chart/ChartOptions.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tessaly {

class AnalysisOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit AnalysisOptionsDialog(const ChartOptions& options, QWidget* parent = nullptr);

    // The options as confirmed (meaningful after accept).
    const ChartOptions& Options() const { return options_; }

    QComboBox* timeBasisBox;
    QRadioButton* horizontalChart;
    QRadioButton* verticalChart;
    QCheckBox* lateZiHourKeepsDay;
    QRadioButton* lifePalaceBy[2];  // "按节入起", "按中气起"
    QCheckBox* highScoreScale;
    QCheckBox* specialPatternRoles;
    QCheckBox* followJudgements;
    QLineEdit* firstLineIndent;
    QCheckBox* askToSave;
    QCheckBox* appendIndexParts;  // the table of the index's parts in the report
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void accept() override;

private:
    ChartOptions options_;
};

}  // namespace tessaly
