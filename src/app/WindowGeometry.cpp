#include "WindowGeometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace tessaly {

QRect KeptOnScreen(const QRect& saved, const QRect& available, QSize frame) {
    if (available.isEmpty()) return saved;
    const int w = std::clamp(saved.width(), 1, std::max(1, available.width() - frame.width()));
    const int h = std::clamp(saved.height(), 1, std::max(1, available.height() - frame.height()));
    const int x =
        std::clamp(saved.x(), available.left(), std::max(available.left(), available.right() + 1 - w - frame.width()));
    const int y =
        std::clamp(saved.y(), available.top(), std::max(available.top(), available.bottom() + 1 - h - frame.height()));
    return {x, y, w, h};
}

QRect FirstStartGeometry(const QRect& available, QSize frame) {
    constexpr int kMinWidth = 1000, kMinHeight = 700;
    const int w = std::min(available.width() - frame.width(), std::max(available.width() * 3 / 4, kMinWidth));
    const int h = std::min(available.height() - frame.height(), std::max(available.height() * 3 / 4, kMinHeight));
    return {available.left() + (available.width() - w - frame.width()) / 2,
            available.top() + (available.height() - h - frame.height()) / 2, w, h};
}

QRect AvailableAreaFor(const QRect& rect) {
    QScreen* screen = rect.isNull() ? nullptr : QGuiApplication::screenAt(rect.center());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect();
}

}  // namespace tessaly
