// "出生时刻说明" and the notice above the report: near a pillar boundary the
// notice names it, elsewhere it stays hidden; the dialog shows the path, the
// boundaries and the charts of the uncertainty chosen.
#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>

#include "app/BirthExplanationDialog.h"
#include "app/BoundaryNotice.h"
#include "common/IniFile.h"

namespace tessaly {
namespace {

PersonRecord Birth(const char* name, bool male, int y, int mo, int d, int h, int mi, float longitude = 120) {
    PersonRecord r;
    r.name = name;
    r.isMale = male;
    r.SetTime({std::int16_t(y), std::int16_t(mo), std::int16_t(d), std::int16_t(h), std::int16_t(mi)});
    r.provinceIndex = 34;
    r.longitude = longitude;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

QStringList Column(const QTableWidget* t, int column) {
    QStringList cells;
    for (int r = 0; r < t->rowCount(); ++r) cells << (t->item(r, column) ? t->item(r, column)->text() : QString());
    return cells;
}

TEST(BoundaryNotice, NamesTheBoundaryNearABirthAndStaysHiddenElsewhere) {
    const PersonRecord far = Birth("乙", false, 1992, 11, 3, 20, 10);
    const struct {
        const char* what;
        std::array<PersonRecord, 2> persons;
        ChartOptions options;
        BoundaryNoticeSettings settings;
        const char* text;  // empty: hidden
    } kCases[] = {
        // 立春 2024: 2024-02-04 16:26:52.
        {"甲命 four minutes after 立春",
         {Birth("甲", true, 2024, 2, 4, 16, 30), far},
         {},
         {},
         "甲命出生时刻距立春仅 3 分 8 秒：若早于 2024-02-04 16:26:52，年柱为癸卯、月柱为乙丑"},
        {"乙命 a minute before 立春",
         {far, Birth("乙", false, 2024, 2, 4, 16, 26)},
         {},
         {},
         "乙命出生时刻距立春仅 52 秒：若晚于 2024-02-04 16:26:52，年柱为甲辰、月柱为丙寅"},
        {"22:50: the day and the hour turn at 23:00",
         {Birth("甲", true, 2024, 3, 8, 22, 50), far},
         {},
         {},
         "甲命出生时刻距亥时与子时之交（换日）仅 10 分 0 秒：若晚于 2024-03-08 23:00:00，日柱为壬申、时柱为庚子"},
        {"a threshold nearer than the boundary", {Birth("甲", true, 2024, 2, 4, 16, 30), far}, {}, {true, 3}, ""},
        {"the notice switched off", {Birth("甲", true, 2024, 2, 4, 16, 30), far}, {}, {false, 15}, ""},
        {"no boundary near", {Birth("甲", true, 2024, 2, 4, 12, 0), far}, {}, {}, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        BoundaryNotice notice;
        notice.ShowFor(c.persons, c.options, c.settings);
        EXPECT_EQ(notice.text(), QString::fromUtf8(c.text));
        EXPECT_EQ(notice.isHidden(), *c.text == '\0');
    }
}

TEST(BoundaryNotice, BothPersonsAndEveryNearBoundaryGetALine) {
    // 1984-02-04 23:19 is 立春; 23:00 turns the day.
    const std::array<PersonRecord, 2> persons = {Birth("甲", true, 1984, 2, 4, 23, 10),
                                                 Birth("乙", false, 2024, 2, 4, 16, 30)};
    const QStringList lines = BoundaryNotice::TextOf(persons, {}, {}).split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("甲命出生时刻距立春仅 "))) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("甲命出生时刻距亥时与子时之交（换日）仅 10 分 0 秒：若早于")))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("乙命出生时刻距立春仅 3 分 8 秒"))) << lines[2].toStdString();
}

TEST(BoundaryNotice, SettingsComeFromBzinitWithTheirDefaults) {
    const struct {
        const char* ini;
        bool enabled;
        int minutes;
    } kCases[] = {
        {"", true, 15},
        {"[boundary]\r\nnotice=0\r\nminutes=30\r\n", false, 30},
        {"[boundary]\r\nminutes=0\r\n", true, 1},
        {"[boundary]\r\nminutes=999\r\n", true, kMaxNoticeMinutes},
        {"[boundary]\r\nminutes=abc\r\n", true, 15},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.ini);
        IniFile ini;
        ini.Parse(c.ini);
        const BoundaryNoticeSettings s = ReadBoundaryNoticeSettings(ini);
        EXPECT_EQ(s.enabled, c.enabled);
        EXPECT_EQ(s.minutes, c.minutes);
    }
    IniFile ini;
    WriteBoundaryNoticeSettings({false, 20}, ini);
    EXPECT_NE(ini.ToText().find("[boundary]\r\nnotice=0\r\nminutes=20\r\n"), std::string::npos) << ini.ToText();
}

TEST(BirthExplanationDialog, ShowsThePathTheBoundariesAndTheChartsOfEachUncertainty) {
    // Kashgar under true solar time, 乙命 as the other person of the couple.
    ChartOptions options;
    options.timeBasis = TimeBasis::kTrueSolarTime;
    BirthExplanationDialog dlg(Birth("张三", true, 2000, 3, 5, 23, 30, 75.99f), 0, options,
                               Birth("李四", false, 1992, 11, 3, 21, 10));
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("出生时刻说明"));
    EXPECT_EQ(dlg.headingLabel->text(), QStringLiteral("甲命：张三"));
    EXPECT_EQ(
        Column(dlg.pathTable, 0),
        (QStringList{QStringLiteral("输入"), QStringLiteral("北京时间"), QStringLiteral("经度校正"),
                     QStringLiteral("均时差"), QStringLiteral("取整到分"), QStringLiteral("排盘时间（真太阳时）")}));
    EXPECT_EQ(Column(dlg.pathTable, 1)[2], QStringLiteral("-2 小时 56 分 2 秒"));
    EXPECT_EQ(Column(dlg.pathTable, 2)[5], QStringLiteral("2000-03-05 20:23"));
    EXPECT_EQ(dlg.pillarsLabel->text().left(14), QStringLiteral("四柱：庚辰 己卯 壬戌 庚戌"));
    const QStringList boundaries = Column(dlg.boundaryTable, 0);
    EXPECT_TRUE(boundaries.contains(QStringLiteral("戌时与亥时之交（真太阳时 21:00）")))
        << boundaries.join('|').toStdString();
    EXPECT_TRUE(boundaries.contains(QStringLiteral("惊蛰（节）")));

    // The birth as entered: one chart; then ±90 minutes as a free value.
    EXPECT_EQ(dlg.UncertaintyMinutes(), 0);
    EXPECT_EQ(dlg.alternativesTable->rowCount(), 1);
    EXPECT_FALSE(dlg.uncertaintyMinutes->isEnabled());
    dlg.uncertaintyChoice->setCurrentIndex(dlg.uncertaintyChoice->findData(-1));
    EXPECT_TRUE(dlg.uncertaintyMinutes->isEnabled());
    dlg.uncertaintyMinutes->setValue(90);
    EXPECT_EQ(dlg.UncertaintyMinutes(), 90);
    ASSERT_EQ(dlg.alternativesTable->rowCount(), 3);
    EXPECT_EQ(Column(dlg.alternativesTable, 0), (QStringList{QStringLiteral("2000-03-05 22:00 至 2000-03-05 22:06"),
                                                             QStringLiteral("★ 2000-03-05 22:07 至 2000-03-06 00:06"),
                                                             QStringLiteral("2000-03-06 00:07 至 2000-03-06 01:00")}));
    EXPECT_EQ(Column(dlg.alternativesTable, 4),
              (QStringList{QStringLiteral("己酉"), QStringLiteral("庚戌"), QStringLiteral("辛亥")}));
    EXPECT_EQ(Column(dlg.alternativesTable, 5)[1], QStringLiteral("酉时与戌时之交"));
    for (const QString& index : Column(dlg.alternativesTable, 6)) EXPECT_TRUE(index.endsWith(QStringLiteral(" 分")));
    EXPECT_TRUE(dlg.summaryLabel->text().startsWith(QStringLiteral("出生时刻误差 ±90 分钟内共有 3 种八字；婚配指数 ")));

    // A preset again: the free value follows it and is locked.
    dlg.SetUncertaintyMinutes(60);
    EXPECT_EQ(dlg.uncertaintyChoice->currentText(), QStringLiteral("±60 分钟"));
    EXPECT_EQ(dlg.uncertaintyMinutes->value(), 60);
    EXPECT_FALSE(dlg.uncertaintyMinutes->isEnabled());
    EXPECT_EQ(dlg.alternativesTable->rowCount(), 2);

    for (const QWidget* w : std::initializer_list<const QWidget*>{
             dlg.uncertaintyChoice, dlg.uncertaintyMinutes, dlg.pathTable, dlg.boundaryTable, dlg.alternativesTable}) {
        EXPECT_FALSE(w->accessibleName().isEmpty()) << w->objectName().toStdString();
    }
}

TEST(BirthExplanationDialog, ShowsTheClockOfACivilBirthAndTheMessageOfARefusedOne) {
    PersonRecord civil = Birth("乙", false, 1988, 6, 1, 10, 30);
    civil.clock = BirthClock::kCivil;
    BirthExplanationDialog dlg(civil, 1, {});
    EXPECT_EQ(dlg.headingLabel->text(), QStringLiteral("乙命：乙"));
    EXPECT_EQ(Column(dlg.pathTable, 0)[1], QStringLiteral("钟表换成北京时间"));
    EXPECT_EQ(Column(dlg.pathTable, 1)[1], QStringLiteral("-1 小时 0 分 0 秒"));
    EXPECT_EQ(Column(dlg.pathTable, 3)[1], QStringLiteral("UTC+9，夏令时"));
    dlg.SetUncertaintyMinutes(60);
    ASSERT_EQ(dlg.alternativesTable->rowCount(), 2);
    EXPECT_EQ(dlg.alternativesTable->horizontalHeaderItem(1)->text(), QStringLiteral("当地钟表"));
    EXPECT_EQ(Column(dlg.alternativesTable, 1)[0], QStringLiteral("1988-06-01 09:30 至 1988-06-01 09:59"));

    BirthExplanationDialog refused(Birth("丙", true, 2023, 2, 30, 10, 0), 0, {});
    EXPECT_FALSE(refused.messageLabel->isHidden());
    EXPECT_EQ(refused.messageLabel->text(), QStringLiteral("不存在这个日期"));
    EXPECT_EQ(refused.alternativesTable->rowCount(), 0);
}

}  // namespace
}  // namespace tessaly
