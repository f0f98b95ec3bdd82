// The options dialog and the ending-text dialog.
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/Untset.h"
#include "app_test_util.h"
#include "common/IniFile.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

TEST(OptionsDialog, LeftDistanceMustBe0To500) {
    TempHome home;
    const struct {
        const char* text;
        bool accepted;
    } kCases[] = {{"501", false}, {"abc", false}, {"-1", false}, {"", false}, {"500", true}, {"0", true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        ScriptedMessages messages;
        TFrmSet dlg;
        dlg.LedtLeftPos->setText(QString::fromUtf8(c.text));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            IniFile ini(home.dir / "dat" / "pan.ini");
            EXPECT_EQ(ini.ReadInteger("set", "leftpos", -1), QString::fromUtf8(c.text).toInt());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("文本左边距离在0-500之间"));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("输入错误"));
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
        }
    }
}

TEST(OptionsDialog, ShowsTheFileAndDefaults) {
    TempHome home;
    IniFile ini;
    ini.Parse("[set]\r\nzishi=1\r\nleftpos=24\r\n");  // no biange: true by default
    ASSERT_TRUE(ini.SaveAs(home.dir / "dat" / "pan.ini").ok());
    TFrmSet dlg;
    EXPECT_TRUE(dlg.chkzishi->isChecked());
    EXPECT_TRUE(dlg.ChkBianGe->isChecked());
    EXPECT_EQ(dlg.LedtLeftPos->text(), QStringLiteral("24"));
}

TEST(EndingDialog, RefusesAnEmptyTextAndSavesLines) {
    TempHome home;
    {
        ScriptedMessages messages;
        TFrmEndfo dlg;
        dlg.accept();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("输入不能为空"));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("信息"));
        EXPECT_FALSE(std::filesystem::exists(home.dir / "dat" / "EndInfo.txt"));
    }
    {
        ScriptedMessages messages;
        TFrmEndfo dlg;
        dlg.Memo1->setPlainText(QStringLiteral("第一行\n第二行"));
        dlg.ChkAuto->setChecked(true);
        dlg.accept();
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        std::string bytes;
        ASSERT_TRUE(ReadFileBytes(home.dir / "dat" / "EndInfo.txt", &bytes).ok());
        EXPECT_EQ(bytes, "\xb5\xda\xd2\xbb\xd0\xd0\r\n\xb5\xda\xb6\xfe\xd0\xd0\r\n");  // GBK
        EXPECT_TRUE(IniFile(home.dir / "dat" / "pan.ini").ReadBool("set", "endinfo", false));
    }
    TFrmEndfo again;  // shows what was saved
    EXPECT_EQ(again.Memo1->toPlainText(), QStringLiteral("第一行\n第二行"));
    EXPECT_TRUE(again.ChkAuto->isChecked());
}

}  // namespace
}  // namespace tessaly
