// ClockChoiceDialog — asks which reading of a clock time to take when the
// clock of the birth place skipped it (summer time began) or showed it twice
// (summer time ended): the message names both, one button each.
#pragma once

#include <QDialog>

#include "calendar/BirthTimeZone.h"

class QLabel;
class QPushButton;

namespace tessaly {

class ClockChoiceDialog : public QDialog {
    Q_OBJECT
public:
    // `conversion` is the refused conversion of ClockToStandardTime (kAsk).
    explicit ClockChoiceDialog(const ClockConversion& conversion, QWidget* parent = nullptr);

    // The reading chosen; kAsk when the dialog was cancelled.
    ClockReading Choice() const { return choice_; }

    QLabel* messageLabel;
    QPushButton* summerButton;
    QPushButton* standardButton;
    QPushButton* cancelButton;

private:
    ClockReading choice_ = ClockReading::kAsk;
};

}  // namespace tessaly
