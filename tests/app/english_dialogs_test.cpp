// The birth dialog and the perpetual calendar as a reader of English sees
// them: every text in English, Chinese left only in the terms of art (which
// keep their Chinese beside the English, as the glossary gives them) and in
// the person's own data (name, birthplace).
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabBar>
#include <set>

#include "all_dialogs.h"
#include "app/AppSetup.h"
#include "app/BirthDataDialog.h"
#include "app/BirthZonePanel.h"
#include "app/PerpetualCalendarWindow.h"
#include "app_test_util.h"
#include "keyboard_walk.h"
#include "language_test_util.h"
#include "lang/Glossary.h"

namespace tessaly {
namespace {

using apptest::HanOutsideTermsOfArt;
using apptest::LanguageForTest;
using apptest::TempHome;

// The texts of `window` a reader meets (captions, labels, buttons, fields,
// list entries, tooltips, accessible names), as "where: text", leaving out
// the widgets in `data` (they show the person's own data).
std::vector<std::pair<std::string, QString>> ShownTexts(QWidget* window, const std::set<QWidget*>& data) {
    std::vector<std::pair<std::string, QString>> out{{"caption", window->windowTitle()}};
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (data.count(w) != 0 || w->isHidden()) continue;
        const std::string where =
            w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
        out.push_back({where + " tooltip", w->toolTip()});
        out.push_back({where + " name", w->accessibleName()});
        if (auto* l = qobject_cast<QLabel*>(w)) out.push_back({where, l->text()});
        if (auto* b = qobject_cast<QAbstractButton*>(w)) out.push_back({where, b->text()});
        if (auto* g = qobject_cast<QGroupBox*>(w)) out.push_back({where, g->title()});
        if (auto* e = qobject_cast<QLineEdit*>(w)) {
            out.push_back({where, e->text()});
            out.push_back({where + " placeholder", e->placeholderText()});
        }
        if (auto* p = qobject_cast<QPlainTextEdit*>(w)) out.push_back({where, p->toPlainText()});
        if (auto* c = qobject_cast<QComboBox*>(w)) {
            for (int i = 0; i < c->count(); ++i) out.push_back({where + " entry", c->itemText(i)});
        }
        if (auto* t = qobject_cast<QTabBar*>(w)) {
            for (int i = 0; i < t->count(); ++i) out.push_back({where + " tab", t->tabText(i)});
        }
    }
    return out;
}

std::string ChineseLeft(QWidget* window, const std::set<QWidget*>& data) {
    std::string out;
    for (const auto& [where, text] : ShownTexts(window, data)) {
        if (const QString han = HanOutsideTermsOfArt(text); !han.isEmpty()) {
            out += "\n  " + where + ": \"" + text.toStdString() + "\" (" + han.toStdString() + ")";
        }
    }
    return out;
}

TEST(EnglishWindows, ChineseTermsKeepTheirChineseOtherWordsDoNot) {
    EXPECT_EQ(HanOutsideTermsOfArt(QStringLiteral("Set the 用神 Useful God")), QString());
    EXPECT_EQ(HanOutsideTermsOfArt(QStringLiteral("0 h (子)")), QString());
    EXPECT_EQ(HanOutsideTermsOfArt(QStringLiteral("右键 to copy")), QStringLiteral("右键"));
}

TEST(EnglishWindows, BirthDialogSpeaksEnglish) {
    const LanguageForTest english(UiLanguage::kEnglish);
    TempHome home;
    BirthDataDialog dialog(home.dir / "dat" / "dili.ini");
    PersonRecord r;
    r.name = "张三";
    r.SetTime({1990, 5, 17, 8, 30});
    dialog.SetRecord(r, 1);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Person B's birth"));
    // The name is the person's; the provinces and cities are the places of
    // the place list (dat/dili.ini), which has them in Chinese only.
    EXPECT_EQ(ChineseLeft(&dialog, {dialog.nameEdit, dialog.provinceBox, dialog.cityBox}), "");
    EXPECT_EQ(dialog.monthBox->itemText(0), QStringLiteral("Month 1"));
}

TEST(EnglishWindows, PerpetualCalendarSpeaksEnglishBesideTheCalendarsTerms) {
    const LanguageForTest english(UiLanguage::kEnglish);
    PerpetualCalendarWindow calendar(nullptr, [] { return QDateTime(QDate(2024, 2, 10), QTime(12, 0)); });
    calendar.show();
    EXPECT_EQ(calendar.monthTitle->text(), QStringLiteral("February 2024"));
    EXPECT_EQ(calendar.monthBox->currentText(), QStringLiteral("February"));
    EXPECT_EQ(calendar.pillarsPane->toPlainText().split(u'\n').front(), QStringLiteral("Year  甲辰 jiǎ chén"));
    EXPECT_TRUE(calendar.monthTermsPane->toPlainText().startsWith(QStringLiteral("立春 Start of Spring\nFeb 4, 16:27")))
        << calendar.monthTermsPane->toPlainText().toStdString();
    EXPECT_TRUE(calendar.eraLine->text().endsWith(QStringLiteral("year of the Dragon (from 立春 Start of Spring)")))
        << calendar.eraLine->text().toStdString();
    // The era line names the era and dynasty in Chinese (history's own
    // names), then says the year in English.
    EXPECT_EQ(ChineseLeft(&calendar, {calendar.eraLine}), "");
    EXPECT_EQ(MonthGridView::tr("星期一"), QStringLiteral("Mon"));
}

// The accelerators of each dialog stay unique in English ("&OK", "&Cancel",
// "&Font:", "&Size:" …). The main window's menus are checked with it.
TEST(EnglishWindows, EachAcceleratorOfADialogIsUniqueInEnglish) {
    const LanguageForTest english(UiLanguage::kEnglish);
    apptest::ScriptedMessages messages;
    for (const apptest::DialogMaker& d : apptest::AllDialogs()) {
        if (d.name == "Tessaly") continue;
        SCOPED_TRACE(d.name);
        apptest::DialogSetting setting;
        const std::unique_ptr<QWidget> w = d.make(setting);
        EXPECT_EQ(apptest::SharedAccelerators(w.get()), "");
    }
}

TEST(EnglishWindows, ChineseWindowsAreAsBefore) {
    PerpetualCalendarWindow calendar(nullptr, [] { return QDateTime(QDate(2024, 2, 10), QTime(12, 0)); });
    EXPECT_EQ(calendar.monthTitle->text(), QStringLiteral("2024年2月"));
    EXPECT_EQ(calendar.monthBox->currentText(), QStringLiteral("2月"));
    EXPECT_EQ(calendar.pillarsPane->toPlainText().split(u'\n').front(), QStringLiteral("甲辰年"));
    TempHome home;
    BirthDataDialog dialog(home.dir / "dat" / "dili.ini");
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("甲命生日"));
    EXPECT_EQ(dialog.hourBox->itemText(0), QStringLiteral("0时子"));
}

}  // namespace
}  // namespace tessaly
