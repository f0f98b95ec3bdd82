#include "AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "AppFonts.h"

namespace tessaly {

AppSetupResult SetUpApplication(QApplication& app) {
    AppSetupResult result;
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
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
