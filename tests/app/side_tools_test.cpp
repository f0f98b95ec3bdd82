// The coordinates editor, the pregnancy predictor, the surname game and the
// He Tu and Luo Shu window.
#include <QAction>
#include <QComboBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QToolButton>

#include "app/BirthDataDialog.h"
#include "app/CoordinatesEditorDialog.h"
#include "app/HeTuLuoShuDialog.h"
#include "app/MainWindow.h"
#include "app/PregnancyPredictorDialog.h"
#include "app/SurnameGameDialog.h"
#include "app_test_util.h"
#include "calendar/Places.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {

using apptest::FileBytes;
using apptest::ScriptedMessages;
using apptest::TempHome;

// ---- coordinates editor ----

TEST(CoordinatesEditor, ShowsTheCitiesOfAProvince) {
    TempHome home;
    CoordinatesEditorDialog d(home.dir / "dat" / "dili.ini");
    EXPECT_EQ(d.windowTitle(), QStringLiteral("经纬度设置"));  // as its menu item
    EXPECT_EQ(d.provinceBox->count(), 34);                     // not 未知地
    EXPECT_EQ(d.provinceBox->currentText(), QStringLiteral("福建省"));
    EXPECT_EQ(d.cityBox->currentText(), QStringLiteral("福州"));
    EXPECT_EQ(d.longitudeDegreesEdit->text(), "119");
    EXPECT_EQ(d.longitudeMinutesEdit->text(), "18");
    EXPECT_EQ(d.latitudeDegreesEdit->text(), "26");
    EXPECT_EQ(d.latitudeMinutesEdit->text(), "05");  // the texts found in the value
    d.provinceBox->setCurrentIndex(1);
    EXPECT_EQ(d.cityBox->currentText(), QStringLiteral("北京"));
    EXPECT_EQ(d.longitudeDegreesEdit->text(), "116");
    d.cityBox->setCurrentIndex(1);
    EXPECT_EQ(d.longitudeMinutesEdit->text(), "25");
    EXPECT_EQ(d.latitudeMinutesEdit->text(), "56");
    // Signed degrees of longitude and latitude fit their fields.
    EXPECT_EQ(d.longitudeDegreesEdit->maxLength(), 4);
    EXPECT_EQ(d.latitudeDegreesEdit->maxLength(), 3);
    EXPECT_EQ(d.longitudeMinutesEdit->maxLength(), 2);
    EXPECT_EQ(d.latitudeMinutesEdit->maxLength(), 2);
}

TEST(CoordinatesEditor, WritesOneLineAndTheBirthDialogSeesIt) {
    TempHome home;
    ScriptedMessages messages;
    const auto path = home.dir / "dat" / "dili.ini";
    const std::string before = FileBytes(path);
    CoordinatesEditorDialog d(path);
    d.provinceBox->setCurrentIndex(1);  // 北京市, first city 北京 = 116:24*39:54
    d.longitudeDegreesEdit->setText("116");
    d.longitudeMinutesEdit->setText("28");
    d.latitudeDegreesEdit->setText("39");
    d.latitudeMinutesEdit->setText("54");
    d.applyButton->click();
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("确定要修改：北京市北京 的经纬度数据吗？"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("注意了"));
    EXPECT_EQ(messages.shown[0].icon, MsgIcon::kWarning);
    EXPECT_EQ(messages.shown[0].buttons, MsgButtons::kYesNo);
    EXPECT_TRUE(messages.shown[0].defaultNo);
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("完成"));

    // Only that line changed, in place.
    std::string want = before;
    const std::string from = "\xB1\xB1\xBE\xA9=116:24*39:54";  // 北京= in GBK
    const std::size_t at = want.find(from);
    ASSERT_NE(at, std::string::npos);
    want.replace(at, from.size(), "\xB1\xB1\xBE\xA9=116:28*39:54");
    EXPECT_EQ(FileBytes(path), want);

    const std::vector<City> cities = LoadCities(1, path);
    EXPECT_NEAR(cities[0].longitude, 116 + 28 / 60.0, 1e-4);  // 116.4667
    EXPECT_NEAR(cities[0].latitude, 39.9, 1e-4);

    BirthDataDialog birth(path);
    PersonRecord r;
    r.provinceIndex = 1;
    r.cityIndex = 0;
    birth.SetRecord(r, 0);
    const std::optional<PersonRecord> built = birth.BuildRecord();
    ASSERT_TRUE(built.has_value());
    EXPECT_NEAR(built->longitude, 116.4667, 1e-4);
    EXPECT_NEAR(built->latitude, 39.9, 1e-4);
}

// The fields are checked before the question: a refusal names what is
// accepted, asks nothing and leaves the file unchanged.
TEST(CoordinatesEditor, RangeChecksComeFirstAndLeaveTheFileUnchanged) {
    const char* const kLongitude = "经度在-179到179之间，分数在0到59之间";
    const char* const kLatitude = "纬度在-89到89之间，分数在0到59之间";
    const struct {
        const char *lonDeg, *lonMin, *latDeg, *latMin;
        const char* refusal;  // nullptr: written
    } kCases[] = {
        {"-179", "0", "-89", "0", nullptr},    {"179", "59", "89", "59", nullptr},
        {"180", "0", "39", "54", kLongitude},  {"-180", "0", "39", "54", kLongitude},
        {"116", "60", "39", "54", kLongitude}, {"", "0", "39", "54", kLongitude},
        {"116", "0", "90", "54", kLatitude},   {"116", "0", "-90", "54", kLatitude},
        {"116", "0", "39", "60", kLatitude},   {"116", "0", "39", "x", kLatitude},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.lonDeg << ':' << c.lonMin << '*' << c.latDeg << ':' << c.latMin);
        TempHome home;
        ScriptedMessages messages;
        const auto path = home.dir / "dat" / "dili.ini";
        const std::string before = FileBytes(path);
        CoordinatesEditorDialog d(path);
        d.longitudeDegreesEdit->setText(c.lonDeg);
        d.longitudeMinutesEdit->setText(c.lonMin);
        d.latitudeDegreesEdit->setText(c.latDeg);
        d.latitudeMinutesEdit->setText(c.latMin);
        d.ApplyEdit();
        if (c.refusal == nullptr) {
            ASSERT_EQ(messages.shown.size(), 2u);
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("注意了"));
            EXPECT_EQ(messages.shown[1].text, QStringLiteral("完成"));
            const std::vector<City> cities = LoadCities(0, path);
            EXPECT_EQ(cities[0].value, std::string(c.lonDeg) + ":" + c.lonMin + "*" + c.latDeg + ":" + c.latMin);
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.refusal));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("输入错误"));
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
            EXPECT_EQ(FileBytes(path), before);
        }
    }
}

TEST(CoordinatesEditor, NoChangesNothing) {
    TempHome home;
    ScriptedMessages messages;
    messages.answers.push_back(MsgAnswer::kNo);
    const auto path = home.dir / "dat" / "dili.ini";
    const std::string before = FileBytes(path);
    CoordinatesEditorDialog d(path);
    d.longitudeDegreesEdit->setText("100");
    d.ApplyEdit();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(FileBytes(path), before);
}

TEST(CoordinatesEditor, MissingFileGivesProvincesWithoutCities) {
    TempHome home;
    ScriptedMessages messages;
    CoordinatesEditorDialog d(home.dir / "dat" / "none.ini");
    EXPECT_EQ(d.provinceBox->count(), 34);
    EXPECT_EQ(d.cityBox->count(), 0);
    d.ApplyEdit();  // no city: nothing to ask
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_FALSE(std::filesystem::exists(home.dir / "dat" / "none.ini"));
}

// A province without cities shows no coordinates, not those of the city
// shown before.
TEST(CoordinatesEditor, ProvinceWithoutCitiesClearsTheFields) {
    TempHome home;
    const auto path = home.dir / "dat" / "dili.ini";
    const CodecResult gbk = Utf8ToGbk("[福建省]\r\n福州=119:18*26:05\r\n");
    ASSERT_TRUE(gbk.ok());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << gbk.text;
    CoordinatesEditorDialog d(path);
    EXPECT_EQ(d.longitudeDegreesEdit->text(), "119");
    d.provinceBox->setCurrentIndex(1);  // 北京市: no section in this file
    EXPECT_EQ(d.cityBox->count(), 0);
    for (QLineEdit* e : {d.longitudeDegreesEdit, d.longitudeMinutesEdit, d.latitudeDegreesEdit, d.latitudeMinutesEdit})
        EXPECT_TRUE(e->text().isEmpty());
}

// ---- pregnancy predictor ----

TEST(PregnancyPredictor, AnswersAndRefuses) {
    const struct {
        const char* age;
        int month;
        const char* answer;  // nullptr: refused
    } kCases[] = {
        {"22", 1, "生女孩"}, {"18", 2, "生男孩"}, {"45", 12, "生男孩"},
        {"17", 1, nullptr},  {"46", 1, nullptr},  {"", 1, nullptr},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(testing::Message() << c.age << '/' << c.month);
        ScriptedMessages messages;
        PregnancyPredictorDialog d;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("测怀孕"));
        EXPECT_EQ(d.LedtArg->text(), "22");
        EXPECT_EQ(d.CboMonth->currentText(), QStringLiteral("1月"));
        d.StxtOut->setText(QStringLiteral("生男孩"));  // an earlier answer
        d.LedtArg->setText(c.age);
        d.CboMonth->setCurrentIndex(c.month - 1);
        d.Button1->click();
        if (c.answer != nullptr) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_EQ(d.StxtOut->text(), QString::fromUtf8(c.answer));
        } else {
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, QStringLiteral("母亲年龄在18-45岁"));
            EXPECT_EQ(messages.shown[0].caption, QStringLiteral("岁数"));
            EXPECT_EQ(messages.shown[0].icon, MsgIcon::kError);
            EXPECT_EQ(d.StxtOut->text(), QStringLiteral("生男孩"));  // unchanged
        }
    }
}

// Enter computes from wherever the keyboard is: the age, the month list or
// the button.
TEST(PregnancyPredictor, EnterComputes) {
    ScriptedMessages messages;
    PregnancyPredictorDialog d;
    d.show();
    QApplication::setActiveWindow(&d);
    for (QWidget* at :
         {static_cast<QWidget*>(d.LedtArg), static_cast<QWidget*>(d.CboMonth), static_cast<QWidget*>(d.Button1)}) {
        SCOPED_TRACE(at->objectName().toStdString());
        d.StxtOut->clear();
        at->setFocus();
        QTest::keyClick(at, Qt::Key_Return);
        EXPECT_EQ(d.StxtOut->text(), QStringLiteral("生女孩"));  // 22, 1月
        EXPECT_TRUE(d.isVisible());
    }
    d.StxtOut->clear();
    QTest::keyClick(d.LedtArg, Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(d.StxtOut->text(), QStringLiteral("生女孩"));
    EXPECT_TRUE(messages.shown.empty());
}

// ---- surname game ----

TEST(SurnameGame, GuessesFromSevenAnswers) {
    const struct {
        const char* answers;  // 'y' 有, 'n' 没有
        const char* message;
        const char* caption;
    } kCases[] = {
        {"yyyyyyy", "你姓:萧", "猜中"},
        {"ynnnnnn", "你姓:孔", "猜中"},
        {"nnnnnny", "你姓:白", "猜中"},
        {"nnnnnnn", "你的姓不在本字库中!", "意外"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.answers);
        ScriptedMessages messages;
        SurnameGameDialog d;
        EXPECT_EQ(d.windowTitle(), QStringLiteral("巧猜姓氏"));
        EXPECT_EQ(d.Panel1->text(), QStringLiteral("倒数 第7 张表"));
        EXPECT_EQ(d.strbjx->item(0, 0)->text(), QStringLiteral("孔"));  // 64 opens the first table
        EXPECT_EQ(d.strbjx->item(7, 7)->text(), QStringLiteral("萧"));
        for (int i = 0; i < 7; ++i) (c.answers[i] == 'y' ? d.Btnok : d.Btnno)->click();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.shown[0].caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::kInformation);
        EXPECT_FALSE(d.Btnok->isEnabled());
        EXPECT_FALSE(d.Btnno->isEnabled());
        EXPECT_TRUE(d.Btnres->isEnabled());
        d.Btnres->click();
        EXPECT_EQ(d.Panel1->text(), QStringLiteral("倒数 第7 张表"));
        EXPECT_TRUE(d.Btnok->isEnabled());
        EXPECT_TRUE(d.Btnno->isEnabled());
    }
}

// Escape closes the game as it closes every dialog; it is not an answer.
TEST(SurnameGame, EscapeClosesTheDialog) {
    ScriptedMessages messages;
    SurnameGameDialog d;
    d.show();
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&d, &esc);
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(d.result(), QDialog::Rejected);
    EXPECT_EQ(d.Panel1->text(), QStringLiteral("倒数 第7 张表"));  // no answer given
    EXPECT_TRUE(messages.shown.empty());
}

// ---- He Tu and Luo Shu ----

QImage Picture(HeTuLuoShuDialog& d, qreal scale) {
    QImage image((d.img1->size() * scale), QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::white);
    d.img1->render(&image);
    return image;
}

TEST(HeTuLuoShu, SwitchingLeavesNoTraceOfTheOther) {
    HeTuLuoShuDialog d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("河图与洛书"));
    d.resize(470, 510);
    d.show();
    QApplication::processEvents();
    EXPECT_EQ(d.img1->diagram(), NumberDiagram::kHeTu);  // the He Tu first
    for (qreal scale : {1.0, 2.0}) {
        SCOPED_TRACE(scale);
        d.Label1->click();
        const QImage heTu = Picture(d, scale);
        d.Label2->click();
        EXPECT_EQ(d.img1->diagram(), NumberDiagram::kLuoShu);
        const QImage luoShu = Picture(d, scale);
        d.Label1->click();
        const QImage again = Picture(d, scale);
        EXPECT_NE(heTu, luoShu);
        EXPECT_EQ(heTu, again);
        d.Label2->click();
        EXPECT_EQ(Picture(d, scale), luoShu);
    }
}

TEST(SideToolMenus, OpenTheirDialogs) {
    TempHome home;
    MainWindow main(home.Files());
    const struct {
        const char* name;
        const char* text;
    } kItems[] = {{"mlpic", "河洛图像"}, {"Tnumhy", "测怀孕"}, {"TmnuTname", "巧猜姓氏"}, {"TmnuDili", "经纬度设置"}};
    for (const auto& c : kItems) {
        SCOPED_TRACE(c.name);
        QAction* item = main.findChild<QAction*>(QString::fromLatin1(c.name));
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text(), QString::fromUtf8(c.text));
        QString title;
        apptest::WhenModal<QDialog>([&title](QDialog* dlg) {
            title = dlg->windowTitle();
            dlg->reject();
        });
        item->trigger();
        EXPECT_FALSE(title.isEmpty());
    }
}

}  // namespace
}  // namespace tessaly
