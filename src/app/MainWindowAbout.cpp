// MainWindow: the "关于 Tessaly" item of the 帮助 menu.
#include <QMenu>
#include <QMenuBar>

#include "AboutDialog.h"
#include "MainWindow.h"

namespace tessaly {

void MainWindow::AddAboutItem() {
    // The 帮助 menu may hold other items already: the about item goes last.
    const QString title = QStringLiteral("帮助(&H)");
    QMenu* help = nullptr;
    for (QAction* a : menuBar()->actions()) {
        if (a->menu() != nullptr && a->text() == title) help = a->menu();
    }
    if (help == nullptr) {
        help = menuBar()->addMenu(title);
    } else if (!help->isEmpty()) {
        help->addSeparator();
    }
    help->addAction(QStringLiteral("关于 Tessaly"), this, &MainWindow::ShowAbout)
        ->setObjectName(QStringLiteral("HmnuAbout"));
}

void MainWindow::ShowAbout() {
    AboutDialog dlg(AboutInfoOf(files_), this);
    dlg.exec();
}

}  // namespace tessaly
