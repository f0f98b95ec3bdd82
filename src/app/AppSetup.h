// AppSetup — what the desktop program does to the application object before
// its first window: the program's name, the language of the window (the
// program's translation and Qt's own texts: standard buttons, context menus,
// the colour dialog), the stand-in for the font "宋体"; and the program
// folders a first start needs.
#pragma once

#include <QString>

#include <string_view>

#include "lang/Language.h"

class QApplication;

namespace tessaly {

struct ProgramFiles;

// The main window's title, and the caption of a message box that has none
// of its own.
inline const QString kProgramTitle = QStringLiteral("Tessaly 2.0");

struct AppSetupResult {
    UiLanguage language = UiLanguage::kSimplified;
    bool qtTranslationLoaded = false;       // qtbase_<lang>.qm found and installed (English needs none)
    bool programTranslationLoaded = false;  // tessaly_<lang>.qm installed (Simplified needs none)
    QString songTiFamily;                   // the family that draws "宋体"
};

// The language to start in: the choice kept in dat/bzinit.ini (section
// "lang", key "ui"), else the desktop's locale (LC_ALL, LC_MESSAGES, LANG).
UiLanguage StartLanguage(const ProgramFiles& files);

// Names the application, gives the desktop's style a focus frame that can
// be seen, installs the translations of `language` (Qt's own from Debian's
// qt6-translations-l10n, the program's compiled in) and the font fallbacks, and makes "宋体" at 14 pixels the font of every window.
// The display name stays unset: on X11 Qt appends it to every window title,
// message boxes included ("提示 — Tessaly 2.0"). Without a language the
// window is Simplified Chinese, the program's own texts.
AppSetupResult SetUpApplication(QApplication& app, UiLanguage language = UiLanguage::kSimplified);

// The language of the running program.
UiLanguage CurrentLanguage();

// A message of the core (a refusal, a file error: Chinese) in the window's
// language: put into English through the message table shared with the
// command line when it has a row for it (else left Chinese whole), into
// Traditional characters for Taiwan and Hong Kong, as it is otherwise.
QString CoreText(std::string_view message);

// Puts `language` in place of the current one: the program's and Qt's
// translators are replaced and the default QLocale set. Qt then sends every
// widget a LanguageChange event; windows and dialogs made afterwards speak
// the new language at once, but windows already open keep the texts they
// were built with until they retranslate themselves. The main window builds
// its texts once, so the menu 选项 → 语言 / Language keeps the choice
// (WriteLanguageSetting) and the whole window changes at the next start.
// `result` gets what was loaded.
void ApplyLanguage(UiLanguage language, AppSetupResult* result = nullptr);

}  // namespace tessaly
