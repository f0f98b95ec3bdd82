#include "AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "AppFonts.h"
#include "common/IniFile.h"
#include "common/ProgramFiles.h"

namespace tessaly {
namespace {

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

AppSetupResult SetUpApplication(QApplication&, UiLanguage language) {
    AppSetupResult result;
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    ApplyLanguage(language, &result);
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
