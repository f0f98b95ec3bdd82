// MainWindow: what is shown of the couple beside the report.
#include <QProgressBar>
#include <QTextEdit>

#include "ChartPicture.h"
#include "MainWindow.h"
#include "ReportView.h"

namespace tessaly {

void MainWindow::ClearCoupleViews() {
    chartPicture->Clear();
    ClearRunViews();
    ResetPane(weddingPane);
    searchProgress->setRange(0, 100);
    searchProgress->setValue(0);
}

}  // namespace tessaly
