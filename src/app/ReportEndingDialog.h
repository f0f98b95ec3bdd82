// ReportEndingDialog (aka TFrmEndfo, Untendfo) — the ending text of every
// report (dat/EndInfo.txt) and whether it is appended (option "endinfo").
// The dialog edits the values; its caller saves them.
#pragma once

#include <QDialog>

#include "chart/ChartOptions.h"

class QCheckBox;
class QPlainTextEdit;
class QPushButton;

namespace tessaly {

class ReportEndingDialog : public QDialog {
    Q_OBJECT
public:
    ReportEndingDialog(const EndingText& ending, bool append, QWidget* parent = nullptr);

    // The text and the switch as confirmed (meaningful after accept).
    const EndingText& Ending() const { return ending_; }
    bool Append() const { return append_; }

    QPlainTextEdit* textBox;
    QCheckBox* appendBox;
    QPushButton* okButton;
    QPushButton* cancelButton;

public slots:
    void accept() override;

private:
    EndingText ending_;
    bool append_ = false;
};

}  // namespace tessaly
