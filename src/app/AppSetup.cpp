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
#include "app/QtText.h"
#include "common/IniFile.h"
#include "common/MessageTable.h"
#include "common/ProgramFiles.h"
#include "lang/ChineseScript.h"

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

UiLanguage gLanguage = UiLanguage::kSimplified;
QTranslator* gQtTexts = nullptr;
QTranslator* gProgramTexts = nullptr;

// Qt's own translation of a language: Debian ships qtbase_zh_CN and
// qtbase_zh_TW (used for Hong Kong as well); English is Qt's source.
QString QtTranslationOf(UiLanguage language) {
    switch (language) {
        case UiLanguage::kSimplified: return QStringLiteral("qtbase_zh_CN");
        case UiLanguage::kTraditionalTaiwan:
        case UiLanguage::kTraditionalHongKong: return QStringLiteral("qtbase_zh_TW");
        case UiLanguage::kEnglish: return {};
    }
    return {};
}

QLocale LocaleOf(UiLanguage language) {
    switch (language) {
        case UiLanguage::kSimplified: return QLocale(QLocale::Chinese, QLocale::China);
        case UiLanguage::kTraditionalTaiwan:
            return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::Taiwan);
        case UiLanguage::kTraditionalHongKong:
            return QLocale(QLocale::Chinese, QLocale::TraditionalHanScript, QLocale::HongKong);
        case UiLanguage::kEnglish:
            // An English desktop keeps its own country's formats.
            return QLocale::system().language() == QLocale::English ? QLocale::system()
                                                                    : QLocale(QLocale::English, QLocale::UnitedStates);
    }
    return QLocale(QLocale::Chinese, QLocale::China);
}

// Replaces *slot with a translator loaded from `file` in `folder`; none when
// the file is missing. True when one is installed.
bool Install(QTranslator*& slot, const QString& file, const QString& folder) {
    if (slot != nullptr) {
        QCoreApplication::removeTranslator(slot);
        delete slot;
        slot = nullptr;
    }
    if (file.isEmpty()) return false;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (!t->load(file, folder)) {
        delete t;
        return false;
    }
    QCoreApplication::installTranslator(t);
    slot = t;
    return true;
}

}  // namespace

UiLanguage StartLanguage(const ProgramFiles& files) {
    return ChosenLanguage(IniFile(files.Dat("bzinit.ini")), DesktopLocaleName());
}

void ApplyLanguage(UiLanguage language, AppSetupResult* result) {
    gLanguage = language;
    QLocale::setDefault(LocaleOf(language));
    const bool qt = Install(gQtTexts, QtTranslationOf(language), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    // The program's translations are compiled in (qt_add_translations);
    // Simplified Chinese is the source and needs none.
    const std::string_view code = LanguageCode(language);
    const QString own = language == UiLanguage::kSimplified
                            ? QString()
                            : QStringLiteral("tessaly_") + QString::fromUtf8(code.data(), qsizetype(code.size()));
    const bool program = Install(gProgramTexts, own, QStringLiteral(":/i18n"));
    if (result != nullptr) {
        result->language = language;
        result->qtTranslationLoaded = qt;
        result->programTranslationLoaded = program;
    }
}

UiLanguage CurrentLanguage() { return gLanguage; }

QString CoreText(std::string_view message) {
    switch (gLanguage) {
        case UiLanguage::kEnglish: return ToQString(LocalizeMessage(message, MessageLanguage::kEnglish));
        case UiLanguage::kTraditionalTaiwan:
        case UiLanguage::kTraditionalHongKong: return ToQString(ToScript(gLanguage, message));
        case UiLanguage::kSimplified: break;
    }
    return ToQString(message);
}

AppSetupResult SetUpApplication(QApplication&, UiLanguage language) {
    AppSetupResult result;
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    // Over the style the desktop (or -style) chose.
    QApplication::setStyle(new FocusFrameStyle(QApplication::style()->name()));
    ApplyLanguage(language, &result);
    result.songTiFamily = InstallFontFallbacks();
    // The windows keep the desktop's font and its size (a larger desktop
    // font makes them larger); only the report has a font of its own.
    return result;
}

}  // namespace tessaly
