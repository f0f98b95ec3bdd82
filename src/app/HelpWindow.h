// HelpWindow (aka TFrmTxtHelp, Unttxthelp) — "软件帮助": three read-only
// pages of text that ship with the program: "使用说明" (how to use it),
// "升级改进历史" (its version history) and "关于本项目" (licence, where the
// astronomical series come from, how to report a problem).
#pragma once

#include <QDialog>

class QScreen;
class QTabWidget;
class QTextBrowser;

namespace tessaly {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTabWidget* pages;

    // 702 × 662, or less where the screen is smaller.
    static QSize FittedSize(const QScreen* screen);
};

}  // namespace tessaly
