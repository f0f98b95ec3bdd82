// HelpWindow (aka TFrmTxtHelp, Unttxthelp) — "软件帮助": three read-only
// pages of text that ship with the program: "使用说明" (how to use it),
// "升级改进历史" (its version history) and "关于本项目" (licence, where the
// astronomical series come from, how to report a problem).
//
// The pages speak the window's language: English pages of their own, the
// Chinese pages in Traditional characters for Taiwan and Hong Kong. The
// knowledge pages of "相关知识" (dat/help) have an English version as well,
// in dat/help/en, with the glossary of every term (KnowledgeIndex).
#pragma once

#include <QDialog>
#include <filesystem>

#include "lang/Language.h"

class QScreen;
class QTabWidget;
class QTextBrowser;

namespace tessaly {

struct ProgramFiles;

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // In CurrentLanguage().
    explicit HelpWindow(QWidget* parent = nullptr);
    HelpWindow(UiLanguage language, QWidget* parent);

    QTabWidget* pages;

    // 702 × 662, or less where the screen is smaller.
    static QSize FittedSize(const QScreen* screen);
};

// The HTML of a help page ("usage", "history", "project") in `language`:
// the English page for English, the Chinese one otherwise, in Traditional
// characters for Taiwan and Hong Kong.
QString HelpPageHtml(const QString& page, UiLanguage language);

// The first page of the knowledge pages ("相关知识") for `language`: the
// user's own or the shipped dat/help/en/index.html in English (the Chinese
// one when the English pages are missing), dat/help/index.html otherwise.
std::filesystem::path KnowledgeIndex(const ProgramFiles& files, UiLanguage language);

}  // namespace tessaly
