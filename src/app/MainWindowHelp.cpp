// Help: "相关知识" opens the knowledge pages with the desktop's own program,
// "软件帮助" shows the help window.
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include "DesktopOpener.h"
#include "HelpWindow.h"
#include "MainWindow.h"
#include "MessageService.h"

namespace tessaly {

void MainWindow::ShowKnowledge() {
    QStringList why;
    // A compiled help file beside the program wins, as in the Windows program.
    // Both are read-only: an installed program finds them among its shipped
    // files unless the user has a copy of their own.
    const QString chm = QString::fromStdString(files_.UserOrShipped("dat/bzzs.chm").string());
    if (QFileInfo::exists(chm)) {
        if (OpenWithDesktop(QUrl::fromLocalFile(chm))) return;
        why << QStringLiteral("没有可以打开帮助文件“%1”的程序。").arg(QDir::toNativeSeparators(chm));
    }
    const QString index = QString::fromStdString(files_.UserOrShipped("dat/help/index.html").string());
    if (!QFileInfo::exists(index)) {
        why << QStringLiteral("找不到命理知识页面“%1”。").arg(QDir::toNativeSeparators(index));
    } else if (OpenWithDesktop(QUrl::fromLocalFile(index))) {
        return;
    } else {
        why << QStringLiteral("没有可以打开网页“%1”的程序（浏览器）。").arg(QDir::toNativeSeparators(index));
    }
    Inform(this, QStringLiteral("无法打开相关知识：\n") + why.join(u'\n'));
}

void MainWindow::ShowHelp() {
    HelpWindow help(this);
    help.exec();
}

}  // namespace tessaly
