#include "AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QTranslator>
#include <algorithm>

#include "AppFonts.h"
#include "ColourContrast.h"

namespace tessaly {
namespace {

// The desktop's style with a focus frame a user sees: after a Tab, the
// control with the keyboard is framed two pixels wide in the colour of the
// palette that stands out most from its ground (the style's own frame is a
// faint tint, which a tool button barely shows and a push button not at
// all). Skins draw their own frames.
class FocusFrameStyle : public QProxyStyle {
public:
    explicit FocusFrameStyle(const QString& base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_FrameFocusRect && Framed(option, widget)) {
            DrawFrame(painter, option->rect, option->palette);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        QProxyStyle::drawControl(element, option, painter, widget);
        if (element == CE_PushButton && Framed(option, widget)) {
            DrawFrame(painter, subElementRect(SE_PushButtonFocusRect, option, widget), option->palette);
        }
    }

private:
    // The control has the keyboard after a key moved it there, and is drawn
    // by this style (not by a skin's style sheet).
    bool Framed(const QStyleOption* option, const QWidget* widget) const {
        return (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange) &&
               (widget == nullptr || widget->style() == this);
    }

    static void DrawFrame(QPainter* painter, const QRect& rect, const QPalette& palette) {
        // Against the worse of the grounds a control has: its button face
        // and, for a flat one, the window.
        const auto standsOut = [&](QPalette::ColorRole role) {
            const QColor c = palette.color(role);
            return std::min(ContrastRatio(c, palette.color(QPalette::Button)),
                            ContrastRatio(c, palette.color(QPalette::Window)));
        };
        QPalette::ColorRole frame = QPalette::Highlight;
        for (QPalette::ColorRole role : {QPalette::ButtonText, QPalette::WindowText}) {
            if (standsOut(role) > standsOut(frame)) frame = role;
        }
        painter->save();
        painter->setPen(QPen(palette.color(frame), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(QRectF(rect).adjusted(1, 1, -1, -1));
        painter->restore();
    }
};

}  // namespace

AppSetupResult SetUpApplication(QApplication& app) {
    AppSetupResult result;
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    // Over the style the desktop (or -style) chose.
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* qtTexts = new QTranslator(&app);
    if (qtTexts->load(QStringLiteral("qtbase_zh_CN"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(qtTexts);
        result.qtTranslationLoaded = true;
    } else {
        delete qtTexts;  // without the package Qt's own texts stay English
    }
    result.songTiFamily = InstallFontFallbacks();
    // The program's font, "宋体" at 14 pixels, for every window: a widget
    // that only inherited it from its window falls back to the
    // application's font when a skin is switched on or off.
    QFont font(kSongTi);
    font.setPixelSize(14);
    QApplication::setFont(font);
    return result;
}

}  // namespace tessaly
