// The widget tests run without a display: the offscreen platform is chosen
// before the application object exists.
#include <gtest/gtest.h>

#include <QApplication>

#include "app/AppFonts.h"

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QStringLiteral("Tessaly 2.0"));
    tessaly::InstallFontFallbacks();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
