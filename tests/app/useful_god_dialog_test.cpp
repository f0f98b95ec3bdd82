// "设定用神": the override dialog with its checks, and the window analysing
// the report again from what it returns.
#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>

#include "app/ChartPicture.h"
#include "app/MainWindow.h"
#include "app/UsefulGodDialog.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::MatchCouple;
using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::TestPerson;
using apptest::WhenModal;

// 甲命 on a 丙 day, 乙命 on a 甲 day.
std::array<RoleOverride, 2> SampleOverrides() {
    std::array<RoleOverride, 2> o;
    o[0] = {{40, 30, 20, 10, 0, 5, 6, 7, 8, 9}, {4, 0, 1, 2, 3}, 2, 3};
    o[1] = {{10, 10, 10, 10, 10, 10, 10, 10, 10, 10}, {2, 1, 0, 4, 3}, 5, 1};
    return o;
}

TEST(UsefulGodDialog, ShowsLabelsScoresRolesAndJudgementOfBothPersons) {
    const std::array<RoleOverride, 2> o = SampleOverrides();
    UsefulGodDialog dlg(o);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("设定用神"));
    EXPECT_EQ(dlg.pages->tabText(0), QStringLiteral("甲命用神"));
    EXPECT_EQ(dlg.pages->tabText(1), QStringLiteral("乙命用神"));
    EXPECT_EQ(dlg.note->text(), QStringLiteral("重设以上参数将改变软件的判断。"));
    EXPECT_EQ(dlg.okButton->text(), QStringLiteral("重新分析"));
    EXPECT_EQ(dlg.okButton->objectName(), QStringLiteral("BtnOk"));
    EXPECT_EQ(dlg.cancelButton->text(), QStringLiteral("取消"));

    const struct {
        int person;
        const char* field;      // object name of score 0
        const char* label0;     // label of 比肩
        const char* label9;     // label of 正印
        const char* yongGroup;  // object name of the 用神 group
        const char* yongItem0;  // its first item
        const char* riGroup;
    } kTabs[] = {
        {0, "Ledt0", "比肩丙火", "正印乙木", "RdoYong", "比劫-火", "RdoRi"},
        {1, "Ledt02", "比肩甲木", "正印癸水", "RdoYong2", "比劫-木", "RdoRi2"},
    };
    for (const auto& k : kTabs) {
        SCOPED_TRACE(k.person);
        const UsefulGodDialog::PersonTab& t = dlg.tabs[k.person];
        EXPECT_EQ(t.scores[0]->objectName(), QString::fromUtf8(k.field));
        EXPECT_EQ(t.scoreLabels[0]->text(), QString::fromUtf8(k.label0));
        EXPECT_EQ(t.scoreLabels[9]->text(), QString::fromUtf8(k.label9));
        EXPECT_EQ(t.roleGroups[0]->objectName(), QString::fromUtf8(k.yongGroup));
        EXPECT_EQ(t.roleGroups[0]->title(), QStringLiteral("用神"));
        EXPECT_EQ(t.roleGroups[4]->title(), QStringLiteral("闲神"));
        EXPECT_EQ(t.roleButtons[0]->button(0)->text(), QString::fromUtf8(k.yongItem0));
        EXPECT_EQ(t.dayMasterGroup->objectName(), QString::fromUtf8(k.riGroup));
        EXPECT_EQ(t.dayMasterGroup->title(), QStringLiteral("日元"));
        EXPECT_EQ(t.judgementButtons->button(0)->text(), QStringLiteral("从旺"));
        EXPECT_EQ(t.judgementButtons->button(6)->text(), QStringLiteral("从弱"));
        for (int g = 0; g < 10; ++g) {
            EXPECT_EQ(t.scores[g]->text(), QString::number(o[k.person].scores[g]));
            EXPECT_EQ(t.scores[g]->maxLength(), 3);
        }
        for (int r = 0; r < 5; ++r) EXPECT_EQ(t.roleButtons[r]->checkedId(), o[k.person].rolePairs[r]);
        EXPECT_EQ(t.judgementButtons->checkedId(), o[k.person].judgement);
    }
    EXPECT_EQ(dlg.tabs[1].scores[9]->objectName(), QStringLiteral("Ledt92"));
    EXPECT_EQ(dlg.tabs[0].roleGroups[3]->objectName(), QStringLiteral("RdoChou"));
}

TEST(UsefulGodDialog, RefusalsKeepItOpenOnTheTabAndFieldOfTheError) {
    const struct {
        const char* label;
        int person, field;
        const char* text;  // put into the field; "sum35" puts 35 into 比肩 and zeros elsewhere
        const char* message;
        int focused;  // the field that gets the focus
    } kCases[] = {
        {"A empty", 0, 3, "", "请输入0至999之间的数", 3},     {"A negative", 0, 0, "-1", "请输入0至999之间的数", 0},
        {"B letters", 1, 5, "1a", "请输入0至999之间的数", 5}, {"B blank", 1, 9, " 7", "请输入0至999之间的数", 9},
        {"A sum 35", 0, 0, "sum35", "十神之和不能小于36", 0}, {"B sum 35", 1, 0, "sum35", "十神之和不能小于36", 0},
    };
    for (const auto& k : kCases) {
        SCOPED_TRACE(k.label);
        ScriptedMessages messages;
        UsefulGodDialog dlg(SampleOverrides());
        dlg.show();
        const UsefulGodDialog::PersonTab& t = dlg.tabs[k.person];
        if (std::string(k.text) == "sum35") {
            for (int g = 0; g < 10; ++g) t.scores[g]->setText(g == 0 ? QStringLiteral("35") : QStringLiteral("0"));
        } else {
            t.scores[k.field]->setText(QString::fromUtf8(k.text));
        }
        dlg.pages->setCurrentIndex(1 - k.person);
        dlg.okButton->click();
        EXPECT_NE(dlg.result(), QDialog::Accepted);
        EXPECT_TRUE(dlg.isVisible());
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(k.message));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("分数无效"));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
        EXPECT_EQ(dlg.pages->currentIndex(), k.person);
        EXPECT_EQ(dlg.focusWidget(), t.scores[k.focused]);
        EXPECT_EQ(dlg.Overrides(), SampleOverrides());  // nothing half-read is kept
    }
}

TEST(UsefulGodDialog, ReturnsWhatIsChosenWhenScoresSumToAtLeast36) {
    ScriptedMessages messages;
    UsefulGodDialog dlg(SampleOverrides());
    const UsefulGodDialog::PersonTab& a = dlg.tabs[0];
    for (int g = 0; g < 10; ++g) a.scores[g]->setText(g == 9 ? QStringLiteral("36") : QStringLiteral("0"));
    a.scores[1]->setText(QStringLiteral("+0"));
    a.roleButtons[0]->button(3)->click();
    a.judgementButtons->button(0)->click();
    dlg.tabs[1].judgementButtons->button(6)->click();
    dlg.okButton->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
    std::array<RoleOverride, 2> want = SampleOverrides();
    want[0].scores = {0, 0, 0, 0, 0, 0, 0, 0, 0, 36};
    want[0].rolePairs[0] = 3;
    want[0].judgement = 0;
    want[1].judgement = 6;
    EXPECT_EQ(dlg.Overrides(), want);
}

QString PaneText(const MatchingResult& m) {
    QString s = QString::fromStdString(m.Text());
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return s;
}

TEST(MainWindowOverride, RefusedWithoutAChart) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    EXPECT_EQ(w.setRolesButton->objectName(), QStringLiteral("SbtoSet"));
    EXPECT_EQ(w.setRolesButton->toolTip(), QStringLiteral("设定用神"));
    EXPECT_TRUE(w.setRolesButton->isVisible());
    w.setRolesButton->click();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("请先排一个正确的盘"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("排盘"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::kInformation);
    EXPECT_FALSE(w.lastMatching().has_value());
}

TEST(MainWindowOverride, ReanalysisRebuildsThePaneAndThePictureAndASecondStartsFromTheFirst) {
    TempHome home;
    ScriptedMessages messages;
    MainWindow w(home.Files());
    w.show();
    MatchCouple(w, TestPerson("张三", 1993, 5, 12, 8, true), TestPerson("李四", 1992, 11, 3, 21, false));
    ASSERT_TRUE(w.chartValid());
    const MatchingResult first = *w.lastMatching();

    // Cancel changes nothing.
    WhenModal<UsefulGodDialog>([](UsefulGodDialog* dlg) {
        dlg->tabs[0].judgementButtons->button(0)->click();
        dlg->cancelButton->click();
    });
    w.OverrideRoles();
    EXPECT_EQ(w.lastMatching()->report, first.report);

    // 甲命: 从旺 with 官杀 as 用神; 乙命: only 正印 left.
    WhenModal<UsefulGodDialog>([](UsefulGodDialog* dlg) {
        dlg->tabs[0].judgementButtons->button(0)->click();
        dlg->tabs[0].roleButtons[0]->button(3)->click();
        for (int g = 0; g < 10; ++g) {
            dlg->tabs[1].scores[g]->setText(g == 9 ? QStringLiteral("200") : QStringLiteral("0"));
        }
        dlg->okButton->click();
    });
    w.setRolesButton->click();
    EXPECT_TRUE(messages.shown.empty());
    const MatchingResult& second = *w.lastMatching();
    EXPECT_EQ(second.persons[0].Chart().judgement, 0);
    EXPECT_EQ(second.persons[0].Chart().rolePair[0], 3);
    EXPECT_EQ(second.persons[1].Chart().godScore[9], 200);
    EXPECT_NE(second.report, first.report);
    EXPECT_NE(second.index, first.index);
    EXPECT_EQ(w.reportPane->toPlainText(), PaneText(second));
    EXPECT_NE(w.reportPane->toPlainText().indexOf(QStringLiteral("日元极旺，")), -1);
    EXPECT_EQ(w.chartPicture->Picture(), DrawChartPicture(PictureDataOf(second)));
    EXPECT_NE(w.chartPicture->Picture(), DrawChartPicture(PictureDataOf(first)));
    EXPECT_TRUE(w.chartValid());

    // The dialog opens with the values of the re-analysis.
    std::array<RoleOverride, 2> shown;
    WhenModal<UsefulGodDialog>([&shown](UsefulGodDialog* dlg) {
        for (int n = 0; n < 2; ++n) {
            for (int g = 0; g < 10; ++g) shown[n].scores[g] = dlg->tabs[n].scores[g]->text().toInt();
            for (int k = 0; k < 5; ++k) shown[n].rolePairs[k] = dlg->tabs[n].roleButtons[k]->checkedId();
            shown[n].judgement = dlg->tabs[n].judgementButtons->checkedId();
        }
        dlg->reject();
    });
    w.OverrideRoles();
    const std::array<RoleOverride, 2> want = FillOverrides(second);
    for (int n = 0; n < 2; ++n) shown[n].dayStem = want[n].dayStem;  // not shown, only labelled
    EXPECT_EQ(shown, want);
}

}  // namespace
}  // namespace tessaly
