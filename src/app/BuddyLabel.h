// A label for a control of a dialog, its buddy: a click on the label or its
// mnemonic moves the focus to the control.
#pragma once

#include <QLabel>

namespace tessaly {

inline QLabel* BuddyLabel(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text, buddy->parentWidget());
    label->setBuddy(buddy);
    return label;
}

}  // namespace tessaly
