// 选项 → 语言 / Language: the choice goes to dat/bzinit.ini at once and is
// told to take effect at the next start.
#include <QAction>

#include "app/AppSetup.h"
#include "app/LanguageMenu.h"
#include "app_test_util.h"
#include "common/IniFile.h"

namespace tessaly {
namespace {

using apptest::ScriptedMessages;
using apptest::TempHome;

TEST(LanguageMenu, KeepsTheChoiceInBzinitForTheNextStart) {
    TempHome home;
    ASSERT_TRUE(home.WriteSettings("[winpos]\r\nleft=12\r\n").ok());
    IniFile settings(home.dir / "dat" / "bzinit.ini");
    ScriptedMessages messages;
    LanguageMenu menu(settings, nullptr);
    EXPECT_EQ(menu.title(), QStringLiteral("语言 / Language"));
    QStringList items;
    for (QAction* a : menu.actions()) {
        if (!a->isSeparator()) items << a->text();
    }
    EXPECT_EQ(items, (QStringList{"跟随系统", "简体中文", "繁體中文（台灣）", "繁體中文（香港）", "English"}));
    EXPECT_TRUE(menu.findChild<QAction*>(QStringLiteral("OmnuLanguage_desktop"))->isChecked());

    menu.findChild<QAction*>(QStringLiteral("OmnuLanguage_en"))->trigger();
    EXPECT_EQ(StartLanguage(home.Files()), UiLanguage::kEnglish);  // written to the file
    EXPECT_EQ(IniFile(home.dir / "dat" / "bzinit.ini").ReadInteger("winpos", "left", 0), 12);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, LanguageMenu::RestartNotice());

    menu.findChild<QAction*>(QStringLiteral("OmnuLanguage_en"))->trigger();  // the same again: nothing to tell
    EXPECT_EQ(messages.shown.size(), 1u);

    menu.findChild<QAction*>(QStringLiteral("OmnuLanguage_desktop"))->trigger();
    EXPECT_EQ(ReadLanguageSetting(IniFile(home.dir / "dat" / "bzinit.ini")), std::nullopt);
    EXPECT_EQ(messages.shown.size(), 2u);
    LanguageMenu again(settings, nullptr);
    EXPECT_TRUE(again.findChild<QAction*>(QStringLiteral("OmnuLanguage_desktop"))->isChecked());
}

}  // namespace
}  // namespace tessaly
