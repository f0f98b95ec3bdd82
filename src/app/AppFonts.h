// Fonts and colours as the settings files keep them.
//
// The report is laid out in columns where a Chinese character is two
// columns wide, as in the Windows font "宋体" (SimSun). That font is rarely
// installed on Linux: InstallFontFallbacks maps its names to an installed
// CJK font whose Latin letters are half as wide as its Chinese characters,
// so the columns stay aligned. The font name in the settings stays "宋体".
#pragma once

#include <QColor>
#include <QFont>
#include <QString>

namespace tessaly {

inline const QString kSongTi = QStringLiteral("宋体");

// Substitutes an installed CJK font for "宋体"/"SimSun" when they are
// missing. Returns the family used for them (the requested one when present).
QString InstallFontFallbacks();

// A font of `family` at `pointSize` points (fallbacks apply on rendering).
QFont PointFont(const QString& family, qreal pointSize);

// Colours as Windows values 0x00BBGGRR (12635344 is RGB 208, 204, 192).
QColor ColorFromWin(long value);
long WinFromColor(const QColor& color);

}  // namespace tessaly
