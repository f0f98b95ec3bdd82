// The birth-data dialog as a new user meets it: dates that do not exist are
// refused where they are typed, the keyboard follows the rows, the hints
// say what the dialog enforces.
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "app/AppSetup.h"
#include "app/BirthDataDialog.h"
#include "app/BirthZonePanel.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

PersonRecord Sample() { return apptest::TestPerson("张三", 1984, 5, 10, 8, true); }

// The sample born on another date, Gregorian or lunar.
PersonRecord BornOn(int year, int month, int day, bool lunar, bool leap) {
    PersonRecord r = Sample();
    r.year = std::int16_t(year), r.month = std::int16_t(month), r.day = std::int16_t(day);
    r.isLunar = lunar ? 1 : 0;
    r.isLeapMonth = leap ? 1 : 0;
    return r;
}

TEST(BirthDialogDates, DateThatDoesNotExistIsRefusedAndTheDialogStaysOpen) {
    TempHome home;
    const struct {
        int year, month, day;
        bool lunar, leap;
        const char* message;  // nullptr: accepted
    } kCases[] = {
        {2023, 2, 28, false, false, nullptr},
        {2023, 2, 29, false, false, "不存在这个日期：2023年2月只有28天"},
        {2024, 2, 29, false, false, nullptr},  // a leap year
        {2023, 4, 31, false, false, "不存在这个日期：2023年4月只有30天"},
        {1900, 2, 29, false, false, "不存在这个日期：1900年2月只有28天"},  // not a leap year
        {1984, 10, 29, true, true, nullptr},                               // 闰十月 has 29 days
        {1984, 10, 30, true, true, "不存在这个农历日期：农历1984年闰十月只有29天"},
        {1984, 5, 10, true, true, "不存在这个农历日期：农历1984年没有闰五月（这一年闰十月）"},
        {1984, 5, 10, true, false, nullptr},
        {1984, 5, 30, true, false, "不存在这个农历日期：农历1984年五月只有29天"},
        {2023, 5, 10, true, true, "不存在这个农历日期：农历2023年没有闰五月（这一年闰二月）"},
        {2022, 5, 10, true, true, "不存在这个农历日期：农历2022年没有闰五月（这一年没有闰月）"},
        {2100, 12, 31, false, false, nullptr},  // 23:00 rolls over only in the run, by its options
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << (c.lunar ? "lunar " : "") << (c.leap ? "leap " : "") << c.year << "-"
                                        << c.month << "-" << c.day);
        ScriptedMessages messages;
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        PersonRecord r = BornOn(c.year, c.month, c.day, c.lunar, c.leap);
        r.hour = 23;
        dlg.SetRecord(r, 1);
        dlg.accept();
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("输入错误"));
            EXPECT_NE(dlg.result(), QDialog::Accepted);
        }
    }
}

// The core's refusal in the window's language: English where the message
// table knows it, Traditional characters for Taiwan, else the Chinese whole.
TEST(BirthDialogDates, RefusalSpeaksTheWindowsLanguage) {
    TempHome home;
    const struct {
        UiLanguage language;
        int year, month, day;
        bool lunar, leap;
        const char* message;
    } kCases[] = {
        {UiLanguage::kEnglish, 2023, 2, 29, false, false, "the date does not exist: 2023-2 has only 28 days"},
        {UiLanguage::kTraditionalTaiwan, 2023, 2, 29, false, false, "不存在這個日期：2023年2月只有28天"},
        {UiLanguage::kEnglish, 1984, 5, 10, true, true, "不存在这个农历日期：农历1984年没有闰五月（这一年闰十月）"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        ApplyLanguage(c.language);
        ScriptedMessages messages;
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(BornOn(c.year, c.month, c.day, c.lunar, c.leap), 0);
        dlg.accept();
        ApplyLanguage(UiLanguage::kSimplified);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
    }
}

TEST(BirthDialogDates, LeapFlagOfAGregorianDateIsKeptButNotChecked) {
    TempHome home;
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    PersonRecord r = Sample();
    r.isLeapMonth = 1;  // stored, ignored by the conversion
    dlg.SetRecord(r, 0);
    EXPECT_FALSE(dlg.leapMonthCheck->isEnabled());
    dlg.accept();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.Record().isLeapMonth, 1);
}

TEST(BirthDialogKeyboard, LeapBoxWaitsForTheLunarCalendar) {
    TempHome home;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(), 0);
    EXPECT_FALSE(dlg.leapMonthCheck->isEnabled());
    dlg.calendarBox->setCurrentIndex(1);
    EXPECT_TRUE(dlg.leapMonthCheck->isEnabled());
    dlg.calendarBox->setCurrentIndex(0);
    EXPECT_FALSE(dlg.leapMonthCheck->isEnabled());
}

// The widgets Tab visits from the name edit until it comes back.
std::vector<QWidget*> TabChain(BirthDataDialog& dlg) {
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    dlg.nameEdit->setFocus();
    QApplication::processEvents();
    std::vector<QWidget*> chain;
    for (int i = 0; i < 30; ++i) {
        QWidget* w = QApplication::focusWidget();
        if (w == nullptr || (!chain.empty() && w == chain.front())) break;
        chain.push_back(w);
        QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
        QApplication::sendEvent(w, &tab);
    }
    return chain;
}

TEST(BirthDialogKeyboard, TabFollowsTheRows) {
    TempHome home;
    for (bool lunar : {false, true}) {
        SCOPED_TRACE(lunar ? "农历" : "公历");
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        PersonRecord r = Sample();
        r.isLunar = lunar ? 1 : 0;
        dlg.SetRecord(r, 0);
        std::vector<QWidget*> want = {dlg.nameEdit,
                                      dlg.maleButton,
                                      dlg.yearEdit,
                                      dlg.monthBox,
                                      dlg.dayBox,
                                      dlg.calendarBox,
                                      dlg.hourBox,
                                      dlg.minuteBox,
                                      dlg.leapMonthCheck,
                                      dlg.provinceBox,
                                      dlg.cityBox,
                                      dlg.zonePanel->zoneBox,
                                      dlg.zonePanel->clockBox,
                                      dlg.okButton,
                                      dlg.cancelButton};
        if (!lunar) want.erase(std::find(want.begin(), want.end(), dlg.leapMonthCheck));
        const std::vector<QWidget*> got = TabChain(dlg);
        QStringList gotNames, wantNames;
        auto name = [&dlg](QWidget* w) {
            return w == dlg.nameEdit
                       ? QStringLiteral("姓名")
                       : w->metaObject()->className() +
                             (":" + (qobject_cast<QAbstractButton*>(w) ? qobject_cast<QAbstractButton*>(w)->text()
                                     : qobject_cast<QComboBox*>(w)     ? qobject_cast<QComboBox*>(w)->currentText()
                                                                       : qobject_cast<QLineEdit*>(w)->text()));
        };
        for (QWidget* w : got) gotNames << name(w);
        for (QWidget* w : want) wantNames << name(w);
        EXPECT_EQ(gotNames, wantNames);
    }
}

TEST(BirthDialogKeyboard, YearArrowsAreNoTabStopsAndArrowKeysStepTheYear) {
    TempHome home;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(), 0);
    for (QToolButton* b : dlg.yearUpDown->findChildren<QToolButton*>()) {
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus);
    }
    const struct {
        const char* typed;
        int key;
        const char* want;
    } kCases[] = {
        {nullptr, Qt::Key_Up, "1985"},
        {nullptr, Qt::Key_Down, "1984"},
        {"1990", Qt::Key_Up, "1991"},  // a typed year is where the step starts
        {"2100", Qt::Key_Up, "2100"},  // the range ends there
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << (c.typed ? c.typed : "-") << " " << c.key);
        if (c.typed != nullptr) {
            dlg.yearEdit->clear();
            dlg.yearEdit->insert(QString::fromUtf8(c.typed));  // as typed: textEdited is sent
        }
        QKeyEvent key(QEvent::KeyPress, c.key, Qt::NoModifier);
        QApplication::sendEvent(dlg.yearEdit, &key);
        EXPECT_EQ(dlg.yearEdit->text(), QString::fromUtf8(c.want));
    }
}

TEST(BirthDialogKeyboard, ButtonsHaveAccelerators) {
    TempHome home;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    EXPECT_EQ(dlg.okButton->text(), QStringLiteral("确定(&O)"));
    EXPECT_EQ(dlg.cancelButton->text(), QStringLiteral("取消(&C)"));
    EXPECT_TRUE(dlg.okButton->isDefault());
}

TEST(BirthDialogHints, SayWhatTheDialogEnforcesAndWhereTheOptionIs) {
    TempHome home;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    EXPECT_EQ(dlg.yearEdit->toolTip(), QStringLiteral("年份在1900至2100"));
    EXPECT_EQ(dlg.provinceBox->toolTip(), QStringLiteral("真太阳时可在菜单\"选项->排盘设置\"里设定"));
}

}  // namespace
}  // namespace tessaly
