#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tessaly {

QRect KeptOnScreen(const QRect& saved, const QRect& available) {
    if (available.isEmpty()) return saved;
    const int w = std::clamp(saved.width(), 1, available.width());
    const int h = std::clamp(saved.height(), 1, available.height());
    const int x = std::clamp(saved.x(), available.left(), available.left() + available.width() - w);
    const int y = std::clamp(saved.y(), available.top(), available.top() + available.height() - h);
    return {x, y, w, h};
}

QRect FirstStartGeometry(const QRect& available) {
    constexpr int kMinWidth = 1000, kMinHeight = 700;
    // Room for the frame the window manager adds (its title bar above all)
    // where the screen limits the size.
    constexpr int kFrameWidth = 16, kFrameHeight = 48;
    const int w = std::min(available.width() - kFrameWidth, std::max(available.width() * 3 / 4, kMinWidth));
    const int h = std::min(available.height() - kFrameHeight, std::max(available.height() * 3 / 4, kMinHeight));
    return {available.left() + (available.width() - w) / 2, available.top() + (available.height() - h) / 2, w, h};
}

QRect AvailableAreaFor(const QRect& rect) {
    QScreen* screen = rect.isNull() ? nullptr : QGuiApplication::screenAt(rect.center());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace tessaly
