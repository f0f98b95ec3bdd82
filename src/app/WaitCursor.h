// The wait cursor for the life of the object (a long scan of the case
// store, for example).
#pragma once

#include <QApplication>
#include <QCursor>

namespace tessaly {

class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace tessaly
