// ColourContrast — how readable one colour is on another: the ratio of
// their relative luminances (1 : 1 for equal colours, 21 : 1 for black on
// white). Text needs 4.5 : 1, large text and marks 3 : 1.
#pragma once

#include <QColor>

namespace tessaly {

// The relative luminance of `c` (sRGB, 0 for black, 1 for white).
double RelativeLuminance(const QColor& c);

// The contrast ratio of `a` and `b`, 1 to 21.
double ContrastRatio(const QColor& a, const QColor& b);

// Text in `text` is readable on `background` (at least 4.5 : 1).
inline bool ReadableOn(const QColor& text, const QColor& background) { return ContrastRatio(text, background) >= 4.5; }

// `text` as it is when readable on `background`; otherwise made lighter (on
// a dark background) or darker (on a light one), keeping its hue, until it
// is: blue links stay blue on a dark desktop.
QColor ReadableVariant(const QColor& text, const QColor& background);

// Black or white, whichever reads better on `background`.
QColor InkFor(const QColor& background);

}  // namespace tessaly
