// MainWindow: where the window opens and what of its place is kept.
#include <QFontMetrics>
#include <QScrollBar>
#include <QSplitter>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "MainWindow.h"
#include "WindowGeometry.h"

namespace tessaly {

void MainWindow::setVisible(bool visible) {
    const bool first = visible && !shown_;
    if (first) {
        shown_ = true;
        FirstShow();
    }
    QMainWindow::setVisible(visible);
    // The window manager's frame is known only once it has framed the
    // window: then the place is checked again with the real frame.
    if (first) QTimer::singleShot(300, this, &MainWindow::KeepFrameOnScreen);
}

void MainWindow::KeepFrameOnScreen() {
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) return;
    const QRect frame = frameGeometry();
    if (frame.size() == size()) return;  // no frame (yet)
    const QRect available = AvailableAreaFor(frame);
    if (available.isEmpty() || available.contains(frame)) return;
    const QRect r = KeptOnScreen(QRect(frame.topLeft(), size()), available, frame.size() - size());
    move(r.topLeft());
    resize(r.size());
}

void MainWindow::RestoreGeometry(const MainWindowSettings& s) {
    // The position is the frame's top-left, as pos() gives it at close: a
    // move() before the native window exists places the frame there, so a
    // start-close cycle leaves the window where it was.
    QRect r;
    if (s.hasPosition) {
        const QRect saved(s.left, s.top, s.width, s.height);
        r = KeptOnScreen(saved, AvailableAreaFor(saved), kFrameGuess);
    } else {
        r = FirstStartGeometry(AvailableAreaFor({}));
    }
    move(r.topLeft());
    resize(r.size());
    splitter->setSizes({s.treewid, std::max(1, r.width() - s.treewid)});
    if (s.state == 1) setWindowState(windowState() | Qt::WindowMinimized);
    if (s.state == 2) setWindowState(windowState() | Qt::WindowMaximized);
}

void MainWindow::FitTreeWidth() {
    // The widest node listed, or a case of a three-character name with a
    // three-digit slot, whichever is wider, with the branch indentation.
    const QFontMetrics fm(caseTree->font());
    const int sample = 2 * caseTree->indentation() + caseTree->iconSize().width() + 12 +
                       fm.horizontalAdvance(QStringLiteral("某某某  公2000-12-31|999"));
    const int content = std::max(static_cast<QAbstractItemView*>(caseTree)->sizeHintForColumn(0), sample);
    const int wanted = content + 2 * caseTree->frameWidth() + caseTree->verticalScrollBar()->sizeHint().width();
    const int total = width();  // the splitter has no size of its own before the first show
    const int tree = std::clamp(wanted, kMinTreeWidth, std::max(kMinTreeWidth, total / 2));
    splitter->setSizes({tree, std::max(1, total - tree - splitter->handleWidth())});
}

}  // namespace tessaly
