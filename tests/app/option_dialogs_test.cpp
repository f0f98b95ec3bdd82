// The options dialog and the ending-text dialog, and the window saving what
// they return.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include "app/AnalysisOptionsDialog.h"
#include "app/MainWindow.h"
#include "app/ReportEndingDialog.h"
#include "app_test_util.h"
#include "common/IniFile.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;

TEST(OptionsDialog, LeftDistanceMustBe0To500) {
    const struct {
        const char* text;
        bool accepted;
    } kCases[] = {{"501", false}, {"abc", false}, {"-1", false}, {"", false}, {"500", true}, {"0", true}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        ScriptedMessages messages;
        AnalysisOptionsDialog dlg(ChartOptions{});
        dlg.firstLineIndent->setText(QString::fromUtf8(c.text));
        dlg.accept();
        EXPECT_EQ(dlg.result() == QDialog::Accepted, c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(dlg.Options().firstLineIndent, QString::fromUtf8(c.text).toInt());
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("文本左边距离在0-500之间"));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("输入错误"));
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
        }
    }
}

TEST(OptionsDialog, ShowsTheOptionsAndReturnsTheEditedOnes) {
    ChartOptions o;
    o.lateZiHourKeepsDay = true;
    o.firstLineIndent = 24;
    o.timeBasis = TimeBasis::kTrueSolarTime;
    AnalysisOptionsDialog dlg(o);
    EXPECT_TRUE(dlg.lateZiHourKeepsDay->isChecked());
    EXPECT_TRUE(dlg.specialPatternRoles->isChecked());
    EXPECT_EQ(dlg.firstLineIndent->text(), QStringLiteral("24"));
    EXPECT_EQ(dlg.timeBasisBox->currentIndex(), 1);
    dlg.verticalChart->setChecked(true);
    dlg.lifePalaceBy[1]->setChecked(true);
    dlg.timeBasisBox->setCurrentIndex(2);
    dlg.accept();
    EXPECT_TRUE(dlg.Options().verticalChart);
    EXPECT_TRUE(dlg.Options().lifePalaceByMidTerm);
    EXPECT_EQ(dlg.Options().timeBasis, TimeBasis::kLocalMeanTime);
    EXPECT_TRUE(dlg.Options().lateZiHourKeepsDay);
    EXPECT_FALSE(dlg.Options().appendIndexParts);

    o.appendIndexParts = true;
    AnalysisOptionsDialog parts(o);
    EXPECT_TRUE(parts.appendIndexParts->isChecked());
    parts.appendIndexParts->setChecked(false);
    parts.accept();
    EXPECT_FALSE(parts.Options().appendIndexParts);
}

TEST(OptionsDialog, TheWindowSavesTheOptionsAndKeepsTheEndingSwitch) {
    TempHome home;
    IniFile ini;
    ini.Parse("[set]\r\nzishi=1\r\nleftpos=24\r\nendinfo=1\r\n");  // no biange: true by default
    ASSERT_TRUE(ini.SaveAs(home.dir / "dat" / "pan.ini").ok());
    MainWindow w(home.Files());
    WhenModal<AnalysisOptionsDialog>([](AnalysisOptionsDialog* dlg) {
        EXPECT_TRUE(dlg->lateZiHourKeepsDay->isChecked());
        EXPECT_TRUE(dlg->specialPatternRoles->isChecked());
        EXPECT_EQ(dlg->firstLineIndent->text(), QStringLiteral("24"));
        dlg->firstLineIndent->setText(QStringLiteral("40"));
        dlg->accept();
    });
    w.ShowOptions();
    const IniFile saved(home.dir / "dat" / "pan.ini");
    EXPECT_EQ(saved.ReadInteger("set", "leftpos", -1), 40);
    EXPECT_EQ(saved.ReadInteger("set", "zishi", -1), 1);
    EXPECT_EQ(saved.ReadInteger("set", "endinfo", -1), 1);
}

TEST(EndingDialog, RefusesAnEmptyTextAndReturnsLines) {
    ScriptedMessages messages;
    ReportEndingDialog empty(EndingText{}, false);
    empty.accept();
    EXPECT_NE(empty.result(), QDialog::Accepted);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("输入不能为空"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("信息"));

    ReportEndingDialog dlg(EndingText{{"旧"}}, false);
    EXPECT_EQ(dlg.textBox->toPlainText(), QStringLiteral("旧"));
    dlg.textBox->setPlainText(QStringLiteral("第一行\n第二行"));
    dlg.appendBox->setChecked(true);
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Ending().lines, (std::vector<std::string>{"第一行", "第二行"}));
    EXPECT_TRUE(dlg.Append());
}

TEST(EndingDialog, TheWindowSavesTheTextAsGbkAndTheSwitch) {
    TempHome home;
    MainWindow w(home.Files());
    WhenModal<ReportEndingDialog>([](ReportEndingDialog* dlg) {
        dlg->textBox->setPlainText(QStringLiteral("第一行\n第二行"));
        dlg->appendBox->setChecked(true);
        dlg->accept();
    });
    w.ShowEnding();
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(home.dir / "dat" / "EndInfo.txt", &bytes).ok());
    EXPECT_EQ(bytes, "\xb5\xda\xd2\xbb\xd0\xd0\r\n\xb5\xda\xb6\xfe\xd0\xd0\r\n");  // GBK
    EXPECT_TRUE(IniFile(home.dir / "dat" / "pan.ini").ReadBool("set", "endinfo", false));

    // Shown again the next time.
    WhenModal<ReportEndingDialog>([](ReportEndingDialog* dlg) {
        EXPECT_EQ(dlg->textBox->toPlainText(), QStringLiteral("第一行\n第二行"));
        EXPECT_TRUE(dlg->appendBox->isChecked());
        dlg->reject();
    });
    w.ShowEnding();
}

}  // namespace
}  // namespace tessaly
