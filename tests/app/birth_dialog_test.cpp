// The birth-data dialog: its checks, its lists and the clipboard line.
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "app/BirthDataDialog.h"
#include "app_test_util.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

PersonRecord Sample() { return apptest::TestPerson("张三", 1984, 5, 10, 8, true); }

// Everything the controls show, to tell whether a paste changed anything.
QStringList Snapshot(const BirthDataDialog& d) {
    return {d.yearEdit->text(),
            d.monthBox->currentText(),
            d.dayBox->currentText(),
            d.hourBox->currentText(),
            d.minuteBox->currentText(),
            d.calendarBox->currentText(),
            QString::number(d.leapMonthCheck->isChecked()),
            QString::number(d.maleButton->isChecked()),
            d.nameEdit->text(),
            d.provinceBox->currentText(),
            d.cityBox->currentText()};
}

TEST(BirthDialog, ChecksNameAndYearRange) {
    TempHome home;
    const struct {
        const char* name;
        const char* year;
        const char* message;  // nullptr: accepted
        const char* caption;
    } kCases[] = {
        {"", "1984", "姓名不能为空", "提示"},
        {"张三", "1899", "出生年份必须在1900到2100年之间", "年份错误"},
        {"张三", "2101", "出生年份必须在1900到2100年之间", "年份错误"},
        {"张三", "-850", "出生年份必须在1900到2100年之间", "年份错误"},  // the conversion would take it
        {"张三", "19a4", "出生年份必须在1900到2100年之间", "年份错误"},
        {"张三", "", "出生年份必须在1900到2100年之间", "年份错误"},
        {"张三", "1900", nullptr, nullptr},
        {"张三", "2100", nullptr, nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << "name '" << c.name << "' year '" << c.year << "'");
        ScriptedMessages messages;
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(Sample(), 1);
        dlg.nameEdit->setText(QString::fromUtf8(c.name));
        dlg.yearEdit->setText(QString::fromUtf8(c.year));
        dlg.accept();
        if (c.message == nullptr) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(dlg.result(), QDialog::Accepted);
            EXPECT_EQ(dlg.Record().year, QString::fromUtf8(c.year).trimmed().toInt());
            EXPECT_EQ(dlg.Record().personNo, 1);
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
            EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8(c.caption));
            EXPECT_NE(dlg.result(), QDialog::Accepted);
        }
    }
}

TEST(BirthDialog, ShowsTheRecordAndBuildsItBack) {
    TempHome home;
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    PersonRecord r = Sample();
    r.isLunar = 1;
    r.isLeapMonth = 1;
    r.month = 10;  // 1984 has a leap tenth month
    r.hour = 23;
    r.cityIndex = 2;
    dlg.SetRecord(r, 0);
    EXPECT_EQ(dlg.personLabel->text(), QStringLiteral("甲"));
    EXPECT_EQ(dlg.hourBox->currentText(), QStringLiteral("23时子"));
    EXPECT_EQ(dlg.calendarBox->currentText(), QStringLiteral("农历"));
    dlg.accept();
    const PersonRecord& out = dlg.Record();
    EXPECT_EQ(out.year, 1984);
    EXPECT_EQ(out.hour, 23);
    EXPECT_EQ(out.isLunar, 1);
    EXPECT_EQ(out.isLeapMonth, 1);
    EXPECT_EQ(out.provinceIndex, 1);
    EXPECT_EQ(out.cityIndex, 2);
    EXPECT_EQ(out.placeText, "北京市-" + dlg.cityBox->currentText().toStdString());
}

// 甲 in the desktop's text colour and the hint as an ordinary label, so
// that both read on a dark desktop as on a light one; 乙 stays red.
TEST(BirthDialog, TitleAndHintFollowTheDesktopColours) {
    TempHome home;
    const QPalette light = QApplication::palette();
    QPalette dark = light;
    dark.setColor(QPalette::Window, QColor("#323232"));
    dark.setColor(QPalette::WindowText, QColor("#f0f0f0"));
    for (const bool isDark : {false, true}) {
        SCOPED_TRACE(isDark ? "dark" : "light");
        QApplication::setPalette(isDark ? dark : light);
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(Sample(), 0);
        EXPECT_EQ(dlg.personLabel->palette().color(QPalette::WindowText),
                  QApplication::palette().color(QPalette::WindowText));
        auto* hint = dlg.findChild<QLabel*>(QStringLiteral("LabHint"));
        ASSERT_NE(hint, nullptr);
        EXPECT_TRUE(hint->isEnabled());
        dlg.SetRecord(Sample(), 1);
        EXPECT_EQ(dlg.personLabel->palette().color(QPalette::WindowText), QColor(Qt::red));
    }
    QApplication::setPalette(light);
}

TEST(BirthDialog, HourListNamesTheBranch) {
    const struct {
        int hour;
        const char* label;
    } kCases[] = {{0, "0时子"}, {1, "1时丑"}, {2, "2时丑"}, {3, "3时寅"}, {22, "22时亥"}, {23, "23时子"}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.hour);
        EXPECT_EQ(BirthDataDialog::HourLabel(c.hour), QString::fromUtf8(c.label));
    }
}

TEST(BirthDialog, UnknownPlaceAndProvinceWithoutCities) {
    TempHome home;
    ScriptedMessages messages;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    PersonRecord r = Sample();
    r.provinceIndex = 34;  // 未知地
    dlg.SetRecord(r, 0);
    dlg.accept();
    EXPECT_EQ(dlg.Record().placeText, "未知地");
    EXPECT_FLOAT_EQ(dlg.Record().longitude, 120.0f);

    // A dili.ini without the section of 福建省: the province alone, 120°, 30°.
    std::filesystem::remove(home.dir / "dat" / "dili.ini");
    BirthDataDialog bare(home.dir / "dat" / "dili.ini");
    r.provinceIndex = 0;
    bare.SetRecord(r, 0);
    EXPECT_EQ(bare.cityBox->count(), 0);
    bare.accept();
    EXPECT_EQ(bare.Record().placeText, "福建省");
    EXPECT_FLOAT_EQ(bare.Record().longitude, 120.0f);
    EXPECT_FLOAT_EQ(bare.Record().latitude, 30.0f);
}

TEST(BirthDialog, ClipboardRoundTripReproducesEveryField) {
    TempHome home;
    ScriptedMessages messages;
    PersonRecord r = Sample();
    r.isLunar = 1;
    r.isLeapMonth = 1;
    r.month = 10;
    r.isMale = 0;
    r.cityIndex = 3;
    r.minute = 59;
    BirthDataDialog from(home.dir / "dat" / "dili.ini");
    from.SetRecord(r, 0);
    from.CopyToClipboard();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("orvane_mingli_data#1984 10 10 8 59 3#0#张三#1 3"));

    BirthDataDialog to(home.dir / "dat" / "dili.ini");
    to.SetRecord(PersonRecord{}, 1);
    ASSERT_TRUE(to.PasteFromClipboard());
    EXPECT_EQ(Snapshot(to), Snapshot(from));
    to.accept();
    from.accept();
    const PersonRecord& a = from.Record();
    const PersonRecord& b = to.Record();
    EXPECT_EQ(std::tie(a.name, a.year, a.month, a.day, a.hour, a.minute, a.isLunar, a.isLeapMonth, a.isMale,
                       a.provinceIndex, a.cityIndex, a.placeText),
              std::tie(b.name, b.year, b.month, b.day, b.hour, b.minute, b.isLunar, b.isLeapMonth, b.isMale,
                       b.provinceIndex, b.cityIndex, b.placeText));
    EXPECT_FLOAT_EQ(a.longitude, b.longitude);
    EXPECT_TRUE(messages.shown.empty());
}

TEST(BirthDialog, CopyRunsTheChecksFirst) {
    TempHome home;
    ScriptedMessages messages;
    QApplication::clipboard()->setText(QStringLiteral("unchanged"));
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    dlg.SetRecord(Sample(), 0);
    dlg.yearEdit->setText(QStringLiteral("1850"));
    dlg.CopyToClipboard();
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("年份错误"));
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("unchanged"));
}

TEST(BirthDialog, PastesLinesOfEveryKind) {
    TempHome home;
    const struct {
        const char* line;
        const char* year;
        const char* calendar;
        bool leap;
        const char* province;
    } kCases[] = {
        {"orvane_mingli_data#1984 5 10 8 30#1#某人#0 3", "1984", "公历", false, "福建省"},  // no kind
        {"  orvane_mingli_data#1984 5 10 8 30 2#1#某人#1 0  ", "1984", "农历", false, "北京市"},
        {"orvane_mingli_data#1984 5 10 8 30 3#0#某人#1 0", "1984", "农历", true, "北京市"},
        {"orvane_mingli_data#-120 5 10 8 30 1#0#某人#1 0", "-120", "公历", false, "北京市"},   // shown, refused at OK
        {"orvane_mingli_data#1984 5 10 8 30 1#0#某人#99 0", "1984", "公历", false, "福建省"},  // province → 0
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.line);
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(Sample(), 0);
        QApplication::clipboard()->setText(QString::fromUtf8(c.line));
        ASSERT_TRUE(dlg.PasteFromClipboard());
        EXPECT_EQ(dlg.yearEdit->text(), QString::fromUtf8(c.year));
        EXPECT_EQ(dlg.calendarBox->currentText(), QString::fromUtf8(c.calendar));
        EXPECT_EQ(dlg.leapMonthCheck->isChecked(), c.leap);
        EXPECT_EQ(dlg.provinceBox->currentText(), QString::fromUtf8(c.province));
        EXPECT_EQ(dlg.nameEdit->text(), QStringLiteral("某人"));
    }
}

TEST(BirthDialog, BadClipboardTextChangesNothing) {
    TempHome home;
    const char* const kLines[] = {
        "",
        "hello",
        "Orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3",          // marker is case-sensitive
        "orvane_mingli_data#1984 13 10 8 30 1#1#某人#0 3",         // month
        "orvane_mingli_data#1984 5 10 24 30 1#1#某人#0 3",         // hour
        "orvane_mingli_data#1984 5 10 8 30 4#1#某人#0 3",          // kind
        "orvane_mingli_data#0 5 10 8 30 1#1#某人#0 3",             // no year 0
        "orvane_mingli_data#1984 5 10 8 30 1#1##0 3",              // empty name
        "orvane_mingli_data#1984 5 10 8 30 1#1#欧阳诸葛先生#0 3",  // 12 GBK bytes
        "orvane_mingli_data#1984 5 10 8 30 1#1#某\t人#0 3",        // control character
        "orvane_mingli_data#1984 5 10 8 30 1#1#某人#03",           // no space in the place
    };
    for (const char* line : kLines) {
        SCOPED_TRACE(line);
        BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
        dlg.SetRecord(Sample(), 0);
        const QStringList before = Snapshot(dlg);
        QApplication::clipboard()->setText(QString::fromUtf8(line));
        EXPECT_FALSE(dlg.PasteFromClipboard());
        EXPECT_EQ(Snapshot(dlg), before);
    }
}

TEST(BirthDialog, NameFieldTakesTenGbkBytes) {
    TempHome home;
    BirthDataDialog dlg(home.dir / "dat" / "dili.ini");
    QString five = QStringLiteral("欧阳诸葛亮");
    int pos = 0;
    EXPECT_EQ(dlg.nameEdit->validator()->validate(five, pos), QValidator::Acceptable);
    QString six = QStringLiteral("欧阳诸葛孔明");
    EXPECT_EQ(dlg.nameEdit->validator()->validate(six, pos), QValidator::Invalid);
}

}  // namespace
}  // namespace tessaly
