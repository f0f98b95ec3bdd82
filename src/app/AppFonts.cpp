#include "AppFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace tessaly {

QString InstallFontFallbacks() {
    const QStringList families = QFontDatabase::families();
    if (families.contains(kSongTi) || families.contains(QStringLiteral("SimSun"))) return kSongTi;
    // Monospaced CJK faces first: their Latin letters are half-width.
    static const char* const kPreferred[] = {
        "WenQuanYi Zen Hei Mono", "Noto Sans Mono CJK SC", "Noto Serif CJK SC",        "Noto Sans CJK SC",
        "AR PL UMing CN",         "WenQuanYi Zen Hei",     "WenQuanYi Micro Hei Mono",
    };
    QString chosen;
    for (const char* name : kPreferred) {
        if (families.contains(QString::fromLatin1(name))) {
            chosen = QString::fromLatin1(name);
            break;
        }
    }
    if (chosen.isEmpty()) {
        const QStringList cjk = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        if (!cjk.isEmpty()) chosen = cjk.front();
    }
    if (chosen.isEmpty()) return kSongTi;  // no CJK font at all: Qt's own fallback
    QFont::insertSubstitution(kSongTi, chosen);
    QFont::insertSubstitution(QStringLiteral("SimSun"), chosen);
    return chosen;
}

QFont PointFont(const QString& family, qreal pointSize) {
    QFont f(family);
    f.setPointSizeF(pointSize > 0 ? pointSize : 12);
    return f;
}

QColor ColorFromWin(long value) {
    const unsigned long v = static_cast<unsigned long>(value) & 0xFFFFFFul;
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

long WinFromColor(const QColor& c) { return long(c.red()) | (long(c.green()) << 8) | (long(c.blue()) << 16); }

}  // namespace tessaly
