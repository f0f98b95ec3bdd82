// LanguageMenu — the menu 选项 → "语言 / Language": the desktop's language or
// one of 简体中文, 繁體中文（台灣）, 繁體中文（香港）, English, each named in its own
// language so that it is found whatever the window speaks.
//
// A choice is written to dat/bzinit.ini at once ([lang] ui; WriteLanguageSetting)
// and takes effect when the program starts again: the main window builds its
// texts once. The user is told so in both Chinese and English.
#pragma once

#include <QMenu>

#include "lang/Language.h"

namespace tessaly {

class IniFile;

class LanguageMenu : public QMenu {
    Q_OBJECT
public:
    // `settings` is the main window's dat/bzinit.ini, which it also writes at
    // close; it must outlive the menu.
    LanguageMenu(IniFile& settings, QWidget* parent);

    // The notice after a choice: "语言将在重新启动 Tessaly 后改变。" and its English.
    static QString RestartNotice();

    // Marks the choice kept in the settings (done before the menu opens).
    void MarkChoice();

private:
    void Choose(std::optional<UiLanguage> language);

    IniFile& settings_;
};

}  // namespace tessaly
