// The window's language: the translations loaded for each language (the
// program's and Qt's own), the help pages, the chart picture's labels and
// the start-up choice from dat/bzinit.ini.
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>

#include "app/AppSetup.h"
#include "app/ChartPicture.h"
#include "app/HelpWindow.h"
#include "app_test_util.h"
#include "language_test_util.h"

namespace tessaly {
namespace {

using apptest::LanguageForTest;
using apptest::TempHome;

QString CancelText() {
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

TEST(WindowLanguage, LoadsTheProgramsAndQtsTranslations) {
    const struct {
        UiLanguage language;
        bool program, qt;
        const char* personA;
        const char* index;
        const char* cancel;  // one of Qt's own texts
        QLocale::Language locale;
    } kCases[] = {
        {UiLanguage::kEnglish, true, false, "Person A", "Index 65/99", "Cancel", QLocale::English},
        {UiLanguage::kTraditionalTaiwan, true, true, "甲命", "婚配指數=65分", "取消", QLocale::Chinese},
        {UiLanguage::kTraditionalHongKong, true, true, "甲命", "婚配指數=65分", "取消", QLocale::Chinese},
        {UiLanguage::kSimplified, false, true, "甲命", "婚配指数=65分", "取消", QLocale::Chinese},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(LanguageCode(c.language));
        const LanguageForTest speak(c.language);
        EXPECT_EQ(CurrentLanguage(), c.language);
        EXPECT_EQ(speak.loaded.programTranslationLoaded, c.program);
        EXPECT_EQ(speak.loaded.qtTranslationLoaded, c.qt);
        EXPECT_EQ(QCoreApplication::translate("ChartPicture", "甲命"), QString::fromUtf8(c.personA));
        EXPECT_EQ(IndexCaption(65.4f), QString::fromUtf8(c.index));
        EXPECT_EQ(CancelText(), QString::fromUtf8(c.cancel));
        EXPECT_EQ(QLocale().language(), c.locale);
    }
    EXPECT_EQ(CancelText(), QStringLiteral("取消"));  // Simplified again
}

TEST(WindowLanguage, StartsInTheLanguageKeptInBzinit) {
    TempHome home;
    ASSERT_TRUE(home.WriteSettings("[lang]\r\nui=en\r\n").ok());
    EXPECT_EQ(StartLanguage(home.Files()), UiLanguage::kEnglish);
    ASSERT_TRUE(home.WriteSettings("[lang]\r\nui=zh_HK\r\n").ok());
    EXPECT_EQ(StartLanguage(home.Files()), UiLanguage::kTraditionalHongKong);
    ASSERT_TRUE(home.WriteSettings("[lang]\r\nui=\r\n").ok());  // the desktop's
    EXPECT_EQ(StartLanguage(home.Files()), LanguageOfLocale(DesktopLocaleName()));
}

TEST(WindowLanguage, HelpWindowSpeaksTheLanguage) {
    const struct {
        UiLanguage language;
        const char* caption;
        QStringList titles;
        const char* mentions;  // on the first page
    } kCases[] = {
        {UiLanguage::kEnglish, "Help", {"How to use", "Version history", "About this project"}, "Start matching"},
        {UiLanguage::kTraditionalTaiwan, "軟體幫助", {"使用說明", "升級改進歷史", "關於本專案"}, "開始合婚"},
        {UiLanguage::kTraditionalHongKong, "軟件幫助", {"使用説明", "升級改進歷史", "關於本項目"}, "開始合婚"},
        {UiLanguage::kSimplified, "软件帮助", {"使用说明", "升级改进历史", "关于本项目"}, "开始合婚"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(LanguageCode(c.language));
        const LanguageForTest speak(c.language);
        HelpWindow help;
        EXPECT_EQ(help.windowTitle(), QString::fromUtf8(c.caption));
        QStringList titles;
        for (int i = 0; i < help.pages->count(); ++i) titles << help.pages->tabText(i);
        EXPECT_EQ(titles.join(u'|').toStdString(), c.titles.join(u'|').toStdString());
        const auto* first = qobject_cast<QTextBrowser*>(help.pages->widget(0));
        ASSERT_NE(first, nullptr);
        EXPECT_TRUE(first->toPlainText().contains(QString::fromUtf8(c.mentions)));
        EXPECT_EQ(first->accessibleName(), titles.front());
    }
}

TEST(WindowLanguage, KnowledgePagesInEnglishWhereThereAreAny) {
    TempHome home;
    ProgramFiles files = home.Files();
    files.shipped = std::filesystem::path(TESSALY_SOURCE_DIR) / "data";
    EXPECT_EQ(KnowledgeIndex(files, UiLanguage::kEnglish), files.shipped / "dat" / "help" / "en" / "index.html");
    EXPECT_EQ(KnowledgeIndex(files, UiLanguage::kSimplified), files.shipped / "dat" / "help" / "index.html");
    files.shipped = home.dir / "nothing-shipped";
    EXPECT_EQ(KnowledgeIndex(files, UiLanguage::kEnglish), files.shipped / "dat" / "help" / "index.html");
}

ChartPictureData Sample() {
    ChartPictureData d;
    d.aPillars = {7, 18, 14, 41};  // 庚午 辛巳 丁丑 甲辰
    d.bPillars = {9, 11, 20, 0};   // 壬申 甲戌 癸未 癸亥
    d.matchIndex = 65.4f;
    return d;
}

TEST(WindowLanguage, ChartPictureLabelsInEnglishFitTheirColumns) {
    const LanguageForTest speak(UiLanguage::kEnglish);
    const std::vector<PictureText> texts = PictureTexts(Sample(), UiLanguage::kEnglish);
    QStringList shown;
    for (const PictureText& t : texts) shown << t.text;
    for (const char* want :
         {"Person A", "Person B", "Male", "Female", "庚午", "gēng wǔ", "dīng chǒu", "guǐ hài", "Index 65/99"}) {
        EXPECT_TRUE(shown.contains(QString::fromUtf8(want))) << want << " in " << shown.join(u'|').toStdString();
    }
    // Each column is three cells of "正" wide; the index spans the picture.
    const qreal columnB =
        texts[1 + 1 + 8].cellTopLeft.x();  // 乙命's title follows 甲命's 2 labels and 4 × 2 pillar rows
    for (const PictureText& t : texts) {
        SCOPED_TRACE(t.text.toStdString());
        EXPECT_GE(t.glyphBox.left(), 0);
        EXPECT_LE(t.glyphBox.right(), kPictureWidth);
        if (t.cellTopLeft.x() < columnB && t.color != QColor(Qt::white)) {
            EXPECT_LE(t.glyphBox.right(), columnB);
        }
        EXPECT_GE(t.font.pixelSize(), 8);
    }
    // The Chinese picture is as it always was: no pinyin, full-size labels.
    const std::vector<PictureText> chinese = PictureTexts(Sample(), UiLanguage::kSimplified);
    EXPECT_EQ(chinese.size(), 2u * (2 + 4) + 1);
}

TEST(WindowLanguage, ChartPictureDescribesItselfToAScreenReader) {
    EXPECT_EQ(PictureDescription(Sample(), UiLanguage::kSimplified),
              QStringLiteral("甲命 乾造 庚午 辛巳 丁丑 甲辰；乙命 坤造 壬申 甲戌 癸未 癸亥；婚配指数=65分"));
    {
        const LanguageForTest speak(UiLanguage::kEnglish);
        EXPECT_EQ(PictureDescription(Sample(), UiLanguage::kEnglish),
                  QStringLiteral("Person A, Male: 庚午 gēng wǔ, 辛巳 xīn sì, 丁丑 dīng chǒu, 甲辰 jiǎ chén; "
                                 "Person B, Female: 壬申 rén shēn, 甲戌 jiǎ xū, 癸未 guǐ wèi, 癸亥 guǐ hài; "
                                 "Index 65/99"));
    }
    ChartPictureView view;
    EXPECT_TRUE(view.accessibleDescription().isEmpty());
    view.SetPicture(Sample());
    EXPECT_EQ(view.accessibleDescription(), PictureDescription(Sample(), UiLanguage::kSimplified));
    view.Clear();
    EXPECT_TRUE(view.accessibleDescription().isEmpty());
}

}  // namespace
}  // namespace tessaly
