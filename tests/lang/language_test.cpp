#include "lang/Language.h"

#include <gtest/gtest.h>

#include <map>

#include "common/IniFile.h"

namespace tessaly {
namespace {

TEST(Language, OfTheDesktopsLocale) {
    const struct {
        const char* locale;
        UiLanguage language;
    } kCases[] = {
        {"zh_CN.UTF-8", UiLanguage::kSimplified},
        {"zh_SG", UiLanguage::kSimplified},
        {"zh", UiLanguage::kSimplified},
        {"zh_Hans", UiLanguage::kSimplified},
        {"zh_Hans_HK", UiLanguage::kSimplified},  // the script decides
        {"zh_TW.UTF-8", UiLanguage::kTraditionalTaiwan},
        {"zh-tw", UiLanguage::kTraditionalTaiwan},
        {"zh_Hant", UiLanguage::kTraditionalTaiwan},
        {"zh_HK.Big5-HKSCS", UiLanguage::kTraditionalHongKong},
        {"zh_MO", UiLanguage::kTraditionalHongKong},
        {"zh_Hant_HK", UiLanguage::kTraditionalHongKong},
        {"en_US.UTF-8", UiLanguage::kEnglish},
        {"en_GB@euro", UiLanguage::kEnglish},
        {"de_DE.UTF-8", UiLanguage::kEnglish},
        {"ja_JP", UiLanguage::kEnglish},
        {"C.UTF-8", UiLanguage::kEnglish},
        {"POSIX", UiLanguage::kEnglish},
        {"", UiLanguage::kEnglish},
        {"zhx_CN", UiLanguage::kEnglish},  // not Chinese
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.locale);
        EXPECT_EQ(LanguageOfLocale(c.locale), c.language);
    }
}

std::map<std::string, std::string>* gEnv = nullptr;
const char* FakeEnv(const char* name) {
    const auto it = gEnv->find(name);
    return it == gEnv->end() ? nullptr : it->second.c_str();
}

TEST(Language, DesktopLocaleIsLcAllThenLcMessagesThenLang) {
    std::map<std::string, std::string> env{{"LANG", "en_US.UTF-8"}, {"LC_MESSAGES", "zh_TW.UTF-8"}, {"LC_ALL", ""}};
    gEnv = &env;
    EXPECT_EQ(DesktopLocaleName(FakeEnv), "zh_TW.UTF-8");  // an empty LC_ALL does not count
    env["LC_ALL"] = "zh_HK";
    EXPECT_EQ(DesktopLocaleName(FakeEnv), "zh_HK");
    env.clear();
    EXPECT_EQ(DesktopLocaleName(FakeEnv), "");
    gEnv = nullptr;
}

TEST(Language, ChoiceKeptInBzinitOverridesTheDesktop) {
    IniFile ini;
    ini.Parse("[winpos]\r\nleft=10\r\n");
    EXPECT_EQ(ReadLanguageSetting(ini), std::nullopt);
    EXPECT_EQ(ChosenLanguage(ini, "zh_CN.UTF-8"), UiLanguage::kSimplified);
    for (UiLanguage l : kAllLanguages) {
        SCOPED_TRACE(LanguageCode(l));
        WriteLanguageSetting(ini, l);
        EXPECT_EQ(ini.ReadString("lang", "ui"), LanguageCode(l));
        EXPECT_EQ(ChosenLanguage(ini, "zh_CN.UTF-8"), l);
        EXPECT_EQ(LanguageOfCode(LanguageCode(l)), l);
    }
    WriteLanguageSetting(ini, std::nullopt);  // back to the desktop's
    EXPECT_EQ(ini.ReadString("lang", "ui"), "");
    EXPECT_EQ(ChosenLanguage(ini, "zh_HK.UTF-8"), UiLanguage::kTraditionalHongKong);
    ini.WriteString("lang", "ui", "klingon");  // unknown: the desktop's
    EXPECT_EQ(ChosenLanguage(ini, "de_DE"), UiLanguage::kEnglish);
    ini.WriteString("lang", "ui", "zh-mo");
    EXPECT_EQ(ChosenLanguage(ini, "en_US"), UiLanguage::kTraditionalHongKong);
    EXPECT_EQ(ini.ReadInteger("winpos", "left", 0), 10);  // the rest of the file is kept
}

}  // namespace
}  // namespace tessaly
