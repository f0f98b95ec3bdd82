#include "AppSetup.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <system_error>

#include "AppFonts.h"
#include "common/SystemError.h"

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

Status CreateProgramFolders(const ProgramFiles& files) {
    for (const std::filesystem::path& dir : {files.DatFolder(), files.ReportsFolder()}) {
        std::error_code ec;
        if (std::filesystem::is_directory(dir, ec)) continue;
        std::filesystem::create_directories(dir, ec);
        if (ec) {
            return Status::Error("无法创建文件夹 " + dir.string() + "：" + SystemErrorText(ec));
        }
    }
    return Status::Ok();
}

}  // namespace tessaly
