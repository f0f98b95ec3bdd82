// The widget tests run without a display: the offscreen platform is chosen
// before the application object exists.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/AccessibleComboBox.h"
#include "app/AppSetup.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tessaly::SetUpApplication(app);          // as main() does: Qt's Chinese texts, the 宋体 stand-in
    tessaly::InstallAccessibleComboBoxes();  // as the main window does
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
