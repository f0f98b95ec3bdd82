// WindowGeometry — where the main window opens: the saved position and size
// kept on the screen, or, at the first start, a size that shows a whole
// report line, centred.
#pragma once

#include <QRect>
#include <QSize>

namespace tessaly {

// What a window manager's frame adds to a window (borders and title bar),
// as guessed before the window has its frame.
inline constexpr QSize kFrameGuess{16, 48};

// The saved rectangle (the frame's top-left, the window's own size) moved,
// and shrunk when larger, into `available`, the work area of its screen,
// with the `frame` around it: the title bar and the bottom edge lie on
// screen and can be reached.
QRect KeptOnScreen(const QRect& saved, const QRect& available, QSize frame = QSize(0, 0));

// The first start: about three quarters of `available`, at least
// 1000 × 700 where the work area allows, centred in it with its `frame`
// (the rectangle is the frame's top-left and the window's own size).
QRect FirstStartGeometry(const QRect& available, QSize frame = kFrameGuess);

// The work area of the screen that holds the centre of `rect` (the primary
// screen when none does, or for a null rectangle).
QRect AvailableAreaFor(const QRect& rect);

}  // namespace tessaly
