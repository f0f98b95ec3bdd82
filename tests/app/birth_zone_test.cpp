// The clock of the birth place in the birth-data dialog: the zone that
// follows the province, a place abroad, the summer-time notice on a
// standard-time entry, and the choice of a skipped clock time.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeView>

#include "app/BirthDataDialog.h"
#include "app/BirthZonePanel.h"
#include "app/ClockChoiceDialog.h"
#include "app/MainWindow.h"
#include "app/UsefulGodDialog.h"
#include "app/CaseTreeModel.h"
#include "app_test_util.h"
#include "chart/BirthConversion.h"
#include "store/CaseStore.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;
using apptest::WhenModal;

PersonRecord Sample(int y, int m, int d, int h, int mi, int province = 1) {
    PersonRecord r;
    r.name = "张三";
    r.year = std::int16_t(y), r.month = std::int16_t(m), r.day = std::int16_t(d);
    r.hour = std::int16_t(h), r.minute = std::int16_t(mi);
    r.isMale = 1;
    r.provinceIndex = std::int16_t(province);
    return r;
}

// Standard time of a record, as the matching run converts it.
CivilTime StandardTimeOf(const PersonRecord& r) {
    LunarCalendar calendar;
    const BirthConversion c = ConvertBirth(r, ChartOptions{}, calendar);
    EXPECT_TRUE(c.status.ok()) << c.status.message();
    return c.moments.clockTime;
}

void ChooseZone(BirthZonePanel* panel, const char* zone) {
    const int i = panel->zoneBox->findData(QString::fromUtf8(zone));
    ASSERT_GE(i, 0) << zone;
    panel->zoneBox->setCurrentIndex(i);
    emit panel->zoneBox->activated(i);
}

TEST(BirthZone, SummerTimeNoticeOffersAndAppliesTheCorrection) {
    TempHome home;
    for (MsgAnswer answer : {MsgAnswer::kYes, MsgAnswer::kNo}) {
        SCOPED_TRACE(answer == MsgAnswer::kYes ? "yes" : "no");
        ScriptedMessages messages;
        messages.answers.push_back(answer);
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(Sample(1988, 6, 1, 10, 30), 0);
        dlg.accept();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(
            messages.shown[0].text,
            QStringLiteral(
                "该时刻在夏令时期间（1988年4月17日至1988年9月11日），出生证上的时间通常是夏令时，要减去1小时吗？"));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("提示"));
        EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kYesNo);
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
        const PersonRecord r = dlg.Record();
        EXPECT_EQ(r.hour, 10);  // the entered time stays as entered
        const bool converted = answer == MsgAnswer::kYes;
        EXPECT_EQ(r.clock, converted ? BirthClock::kCivil : BirthClock::kStandard);
        EXPECT_EQ(dlg.zonePanel->clockBox->currentIndex(), converted ? 1 : 0);
        EXPECT_EQ(StandardTimeOf(r).hour, converted ? 9 : 10);
    }
    // Outside summer time nothing is asked.
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(1993, 6, 1, 10, 30), 0);
    dlg.accept();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
}

TEST(BirthZone, MatchingKeepsTheCorrectedTimeAndTheCaseStandardTime) {
    TempHome home;
    ScriptedMessages messages;  // answers the notice with Yes
    MainWindow w(home.Files());
    w.show();
    const PersonRecord a = Sample(1988, 6, 1, 10, 30);
    PersonRecord b = Sample(1992, 11, 3, 21, 30);
    b.name = "李四";
    b.isMale = 0;
    apptest::AnswerBirthDialogs(a, b);
    w.StartMatching();
    ASSERT_TRUE(w.chartValid());
    ASSERT_EQ(messages.shown.size(), 1u);              // the notice, for 甲命 only
    EXPECT_EQ(w.personA().clock, BirthClock::kCivil);  // the dialog shows it again as entered
    EXPECT_EQ(w.lastMatching()->persons[0].built.moments.clockTime.hour, 9);
    EXPECT_TRUE(w.reportPane->toPlainText().contains(
        QStringLiteral("出生公历：1988年6月1日9时30分(北京时间)(中国时间 10:30，夏令时)，星期三。")));
    // The case to be stored keeps standard time.
    const PersonRecord& stored = w.currentCase().a;
    EXPECT_EQ(stored.clock, BirthClock::kStandard);
    EXPECT_EQ(stored.hour, 9);
    EXPECT_EQ(stored.minute, 30);
}

TEST(BirthZone, ZoneFollowsTheProvinceUntilAnotherIsChosen) {
    TempHome home;
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(1993, 6, 1, 10, 30), 0);
    BirthZonePanel* panel = dlg.zonePanel;
    const struct {
        int province;
        const char* zone;
    } kSteps[] = {
        {1, "Asia/Shanghai"}, {32, "Asia/Hong_Kong"}, {33, "Asia/Macau"}, {31, "Asia/Taipei"}, {0, "Asia/Shanghai"}};
    for (const auto& s : kSteps) {
        SCOPED_TRACE(s.zone);
        dlg.provinceBox->setCurrentIndex(s.province);
        EXPECT_EQ(panel->Zone(), s.zone);
        EXPECT_EQ(panel->clockBox->currentIndex(), 0);
        EXPECT_FALSE(panel->placeEdit->isEnabled());
    }
    ChooseZone(panel, "Asia/Tokyo");
    EXPECT_EQ(panel->clockBox->currentIndex(), 1);  // another place's zone: its clock
    dlg.provinceBox->setCurrentIndex(32);
    EXPECT_EQ(panel->Zone(), "Asia/Tokyo");  // chosen, no longer following
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Record().timeZone, "Asia/Tokyo");
    EXPECT_EQ(dlg.Record().clock, BirthClock::kCivil);

    // A zone typed by hand, and one that does not exist.
    BirthDataDialog typed(home.dir / "dat" / "dili.ini");
    typed.SetRecord(Sample(1993, 6, 1, 10, 30), 0);
    typed.zonePanel->zoneBox->setEditText(QStringLiteral("Mars/Olympus"));
    typed.accept();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("未知的时区：Mars/Olympus"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("输入错误"));
    EXPECT_NE(typed.result(), QDialog::Accepted);
    typed.zonePanel->zoneBox->setEditText(QStringLiteral("america/boise"));
    typed.accept();
    EXPECT_EQ(typed.result(), QDialog::Accepted);
    EXPECT_EQ(typed.Record().timeZone, "America/Boise");
}

TEST(BirthZone, PlaceAbroadTakesItsNameAndCoordinates) {
    TempHome home;
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(1990, 5, 12, 8, 30, 34), 0);  // 未知地
    BirthZonePanel* panel = dlg.zonePanel;
    EXPECT_TRUE(panel->placeEdit->isEnabled());
    EXPECT_DOUBLE_EQ(panel->longitudeBox->value(), 120.0);
    ChooseZone(panel, "America/New_York");
    EXPECT_EQ(panel->placeEdit->text(), QStringLiteral("纽约"));
    EXPECT_NEAR(panel->longitudeBox->value(), -74.01, 1e-9);
    panel->placeEdit->setText(QStringLiteral("美国纽约"));
    dlg.accept();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.shown.empty());
    PersonRecord r = dlg.Record();
    EXPECT_EQ(r.placeText, "美国纽约");
    EXPECT_FLOAT_EQ(r.longitude, -74.01f);
    EXPECT_FLOAT_EQ(r.latitude, 40.71f);
    EXPECT_EQ(r.timeZone, "America/New_York");
    EXPECT_EQ(r.clock, BirthClock::kCivil);
    const CivilTime t = StandardTimeOf(r);
    EXPECT_EQ(t.hour, 20);
    EXPECT_EQ(t.minute, 30);

    // Shown again, the place stays; another province closes the fields.
    BirthDataDialog again(home.dir / "dat" / "dili.ini");
    again.SetRecord(r, 0);
    EXPECT_EQ(again.zonePanel->placeEdit->text(), QStringLiteral("美国纽约"));
    EXPECT_EQ(again.zonePanel->Zone(), "America/New_York");
    EXPECT_EQ(again.zonePanel->clockBox->currentIndex(), 1);
    again.provinceBox->setCurrentIndex(1);
    EXPECT_FALSE(again.zonePanel->placeEdit->isEnabled());
    again.accept();
    EXPECT_EQ(again.Record().placeText.rfind("北京市", 0), 0u);
    EXPECT_EQ(again.Record().timeZone, "America/New_York");  // chosen, kept
}

TEST(BirthZone, SkippedClockTimeAsksForItsReading) {
    TempHome home;
    ScriptedMessages messages;
    PersonRecord r = Sample(1988, 4, 17, 2, 30);
    r.clock = BirthClock::kCivil;
    const struct {
        const char* what;
        bool summer;  // which button; neither: cancel
        bool cancel;
        int hour;
    } kCases[] = {{"summer time", true, false, 1}, {"standard time", false, false, 2}, {"cancel", false, true, 0}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(r, 0);
        QString shown;
        WhenModal<ClockChoiceDialog>([&shown, c](ClockChoiceDialog* choice) {
            shown = choice->messageLabel->text() + "|" + choice->summerButton->text() + "|" +
                    choice->standardButton->text();
            (c.cancel ? choice->cancelButton : c.summer ? choice->summerButton : choice->standardButton)->click();
        });
        dlg.accept();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("1988-04-17 02:30 这一时刻在中国时间里不存在")));
        EXPECT_TRUE(shown.endsWith(QStringLiteral("|按夏令时：北京时间 01:30|按标准时：北京时间 02:30")))
            << shown.toStdString();
        if (c.cancel) {
            EXPECT_NE(dlg.result(), QDialog::Accepted);
            continue;
        }
        ASSERT_EQ(dlg.result(), QDialog::Accepted);
        EXPECT_EQ(dlg.Record().clockReading, c.summer ? ClockReading::kSummerTime : ClockReading::kStandardTime);
        EXPECT_EQ(StandardTimeOf(dlg.Record()).hour, c.hour);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// The reopen flow through the dialogs: a case saved with 甲命's time read
// from China's summer clock ("是") and 乙命's from New York's clock opens
// both dialogs on what was typed, asks nothing, and every run of it (the
// matching, "重新分析") keeps the clock notes; "存旧" keeps the times. A case
// of a store without input files asks nothing either.
TEST(BirthZone, AReopenedCaseAsksNothingAndKeepsItsClockNotes) {
    TempHome home;
    ScriptedMessages messages;  // answers the summer-time notice with Yes
    PersonRecord b = Sample(1990, 5, 12, 8, 30, 34);
    b.name = "李四";
    b.isMale = 0;
    b.placeText = "美国纽约";
    b.longitude = -74.0f, b.latitude = 40.7f;
    b.timeZone = "America/New_York";
    b.clock = BirthClock::kCivil;
    {
        MainWindow w(home.Files());
        w.show();
        apptest::MatchCouple(w, Sample(1990, 5, 12, 8, 30), b);
        ASSERT_TRUE(w.chartValid());
        ASSERT_EQ(messages.shown.size(), 1u);  // the notice for 甲命
        apptest::SaveAsNewCase(w);
    }
    const QString chinaNote = QStringLiteral("(中国时间 08:30，夏令时)");
    const QString newYorkNote = QStringLiteral("(纽约时间 08:30，夏令时)");
    for (const bool withoutInput : {false, true}) {
        SCOPED_TRACE(withoutInput ? "a store without input files" : "as typed");
        if (withoutInput) std::filesystem::remove(home.dir / "bazi_f/0.input");
        messages.shown.clear();
        MainWindow w(home.Files());  // a new start of the program
        w.show();
        w.caseTree->setCurrentIndex(w.caseModel->FindCase(0));
        w.ViewCase();
        ASSERT_TRUE(w.chartValid());
        EXPECT_TRUE(w.editMode());

        // "开始合婚", "确定" twice on what the dialogs show.
        int shownClock[2] = {-1, -1}, shownHour = -1;
        std::string shownZone;
        WhenModal<BirthDataDialog>([&](BirthDataDialog* first) {
            shownClock[0] = first->zonePanel->clockBox->currentIndex();
            shownHour = first->hourBox->currentIndex();
            first->accept();
            WhenModal<BirthDataDialog>([&](BirthDataDialog* second) {
                shownClock[1] = second->zonePanel->clockBox->currentIndex();
                shownZone = second->zonePanel->Zone();
                second->accept();
            });
        });
        w.StartMatching();
        ASSERT_TRUE(w.chartValid());
        EXPECT_TRUE(messages.shown.empty());  // no summer-time question
        const QString pane = w.reportPane->toPlainText();
        const MatchingResult& run = *w.lastMatching();
        EXPECT_EQ(run.persons[0].built.moments.clockTime, (CivilTime{1990, 5, 12, 7, 30}));
        EXPECT_EQ(run.persons[1].built.moments.clockTime, (CivilTime{1990, 5, 12, 20, 30}));
        if (withoutInput) {
            // The record's standard time, entered as 北京时间: no notes.
            EXPECT_EQ(shownClock[0], 0);
            EXPECT_EQ(shownHour, 7);
            EXPECT_FALSE(pane.contains(chinaNote));
            continue;
        }
        EXPECT_EQ(shownClock[0], 1);
        EXPECT_EQ(shownHour, 8);
        EXPECT_EQ(shownClock[1], 1);
        EXPECT_EQ(shownZone, "America/New_York");
        EXPECT_TRUE(pane.contains(chinaNote));
        EXPECT_TRUE(pane.contains(newYorkNote));

        // "设定用神 → 重新分析" keeps the notes.
        WhenModal<UsefulGodDialog>([](UsefulGodDialog* dlg) { dlg->okButton->click(); });
        w.OverrideRoles();
        EXPECT_TRUE(w.reportPane->toPlainText().contains(chinaNote));
        EXPECT_TRUE(w.reportPane->toPlainText().contains(newYorkNote));

        // "存旧" writes the same birth and keeps what was typed.
        w.SaveCase();
        CaseStore db;
        ASSERT_TRUE(db.Open(home.dir).ok());
        StoredCase stored;
        ASSERT_TRUE(db.ReadCase(0, &stored).ok());
        EXPECT_EQ(stored.record.a.Time(), (CivilTime{1990, 5, 12, 7, 30}));
        EXPECT_EQ(stored.typed[0].clock, BirthClock::kCivil);
        EXPECT_EQ(stored.typed[1].timeZone, "America/New_York");
    }
}

}  // namespace
}  // namespace tessaly
