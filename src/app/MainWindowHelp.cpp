// Help: "相关知识" opens the knowledge pages with the desktop's own program,
// "软件帮助" shows the help window.
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "AppSetup.h"
#include "DesktopOpener.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "MessageService.h"

namespace tessaly {

void MainWindow::ShowKnowledge() {
    QStringList why;
    // The pages in the window's language: in English the English pages (with
    // the glossary) when they are there.
    const std::filesystem::path page = KnowledgeIndex(files_, CurrentLanguage());
    const bool english = page != files_.UserOrShipped("dat/help/index.html");
    // A compiled help file beside the program wins, as in the Windows program
    // (it is Chinese: not over the English pages). Both are read-only: an
    // installed program finds them among its shipped files unless the user
    // has a copy of their own.
    const QString chm = QString::fromStdString(files_.UserOrShipped("dat/bzzs.chm").string());
    if (!english && QFileInfo::exists(chm)) {
        if (OpenWithDesktop(QUrl::fromLocalFile(chm))) return;
        why << tr("没有可以打开帮助文件“%1”的程序。").arg(QDir::toNativeSeparators(chm));
    }
    const QString index = QString::fromStdString(page.string());
    if (!QFileInfo::exists(index)) {
        why << tr("找不到命理知识页面“%1”。").arg(QDir::toNativeSeparators(index));
    } else if (OpenWithDesktop(QUrl::fromLocalFile(index))) {
        return;
    } else {
        why << tr("没有可以打开网页“%1”的程序（浏览器）。").arg(QDir::toNativeSeparators(index));
    }
    Inform(this, tr("无法打开相关知识：\n") + why.join(u'\n'));
}

void MainWindow::ShowHelp() {
    HelpWindow help(this);
    help.exec();
}

}  // namespace tessaly
