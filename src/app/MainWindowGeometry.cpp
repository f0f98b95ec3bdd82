// MainWindow: where the window opens and what of its place is kept.
#include <QSplitter>

#include "MainWindow.h"
#include "WindowGeometry.h"

namespace tessaly {

void MainWindow::setVisible(bool visible) {
    if (visible && !shown_) {
        shown_ = true;
        FirstShow();
    }
    QMainWindow::setVisible(visible);
}

void MainWindow::RestoreGeometry(const MainWindowSettings& s) {
    // The position is the frame's top-left, as pos() gives it at close: a
    // move() before the native window exists places the frame there, so a
    // start-close cycle leaves the window where it was.
    QRect r;
    if (s.hasPosition) {
        const QRect saved(s.left, s.top, s.width, s.height);
        r = KeptOnScreen(saved, AvailableAreaFor(saved));
    } else {
        r = FirstStartGeometry(AvailableAreaFor({}));
    }
    move(r.topLeft());
    resize(r.size());
    splitter->setSizes({s.treewid, std::max(1, r.width() - s.treewid)});
    if (s.state == 1) setWindowState(windowState() | Qt::WindowMinimized);
    if (s.state == 2) setWindowState(windowState() | Qt::WindowMaximized);
}

}  // namespace tessaly
