// WindowGeometry — where the main window opens: the saved position and size
// kept on the screen, or, at the first start, a size that shows a whole
// report line, centred.
#pragma once

#include <QRect>

namespace tessaly {

// The saved rectangle moved (and shrunk when larger) into `available`, the
// work area of its screen, so that the top edge with the title bar lies on
// screen and can be reached.
QRect KeptOnScreen(const QRect& saved, const QRect& available);

// The first start: about three quarters of `available`, at least
// 1000 × 700 where the work area allows (leaving room for the window's
// frame), centred in it.
QRect FirstStartGeometry(const QRect& available);

// The work area of the screen that holds the centre of `rect` (the primary
// screen when none does, or for a null rectangle).
QRect AvailableAreaFor(const QRect& rect);

}  // namespace tessaly
