// The message boxes as shown: a box is wide enough for its whole caption,
// however short its text.
#include <QMessageBox>

#include "app/AppSetup.h"
#include "app/MessageService.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

TEST(MessageBox, IsWideEnoughForItsWholeCaption) {
    const struct {
        const char* text;
        QString caption;
    } kCases[] = {
        {"已保存！", QString()},  // the program's title, "Tessaly 2.0"
        {"完成", QStringLiteral("提示")},
        {"好", QStringLiteral("对应的皮肤文件已经丢失")},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        const QString caption = c.caption.isEmpty() ? kProgramTitle : c.caption;
        int width = 0;
        QString shownCaption;
        apptest::WhenModal<QMessageBox>([&](QMessageBox* box) {
            width = box->width();
            shownCaption = box->windowTitle();
            box->accept();
        });
        Inform(nullptr, QString::fromUtf8(c.text), c.caption);
        EXPECT_EQ(shownCaption, caption);
        EXPECT_GE(width, WidthForCaption(caption));
        // What the caption needs: its text, and the title bar's icon and buttons.
        EXPECT_GT(WidthForCaption(caption), QFontMetrics(QApplication::font()).horizontalAdvance(caption) + 60);
    }
}

}  // namespace
}  // namespace tessaly
