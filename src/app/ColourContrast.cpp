#include "ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

double RelativeLuminance(const QColor& c) {
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor InkFor(const QColor& background) {
    return ContrastRatio(Qt::black, background) >= ContrastRatio(Qt::white, background) ? QColor(Qt::black)
                                                                                        : QColor(Qt::white);
}

QColor ReadableVariant(const QColor& text, const QColor& background) {
    const QColor ink = InkFor(background);
    // Mixed towards black or white in twentieths; the last step is the ink
    // itself, which always reads.
    for (int step = 0; step <= 20; ++step) {
        const double t = step / 20.0;
        const QColor c = QColor::fromRgbF(float(text.redF() + (ink.redF() - text.redF()) * t),
                                          float(text.greenF() + (ink.greenF() - text.greenF()) * t),
                                          float(text.blueF() + (ink.blueF() - text.blueF()) * t));
        if (ReadableOn(c, background)) return c;
    }
    return ink;
}

}  // namespace tessaly
