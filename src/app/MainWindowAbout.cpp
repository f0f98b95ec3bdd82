// MainWindow: the "关于 Tessaly" dialog of the 帮助 menu.
#include "AboutDialog.h"
#include "MainWindow.h"

namespace tessaly {

void MainWindow::ShowAbout() {
    AboutDialog dlg(AboutInfoOf(files_), this);
    dlg.exec();
}

}  // namespace tessaly
