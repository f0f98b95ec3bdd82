#include "MainWindowAccessibility.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeView>

#include "AccessibleComboBox.h"
#include "ChartPicture.h"
#include "MainWindow.h"

namespace tessaly {
namespace {

QString Tr(const char* text) { return QCoreApplication::translate("tessaly::MainWindowAccessibility", text); }

}  // namespace

void NameMainWindowControls(MainWindow& window) {
    // List boxes named by their labels, not by their entries (here and in
    // every dialog the window opens).
    InstallAccessibleComboBoxes();
    window.caseTree->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "命例列表")));
    window.reportPane->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "命稿")));
    window.weddingPane->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "结婚择日结果")));
    window.searchProgress->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "择日进度")));
    // The picture speaks its eight characters and the index through its
    // description (ChartPictureView sets it with each chart).
    window.chartPicture->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "八字图")));
    window.pages->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "合婚页面")));
    // The list of years stands after its label "结婚年".
    window.marriageYearLabel->setBuddy(window.marriageYearBox);
    window.marriageYearBox->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "结婚年")));
    // The couple's years side by side scroll in their own area.
    if (auto* timeline = window.findChild<QWidget*>(QStringLiteral("TimelineScroll"))) {
        timeline->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "流年对照")));
    }
    window.saveButton->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "保存八字")));
    window.setRolesButton->setAccessibleName(Tr(QT_TRANSLATE_NOOP("tessaly::MainWindowAccessibility", "设定用神")));
}

}  // namespace tessaly
