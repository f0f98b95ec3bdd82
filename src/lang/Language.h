// Language — which language the window speaks, chosen once at start-up.
//
// The program's own texts are Simplified Chinese; the other languages are
// translations of them: Traditional Chinese with Taiwan's phrases, Traditional
// Chinese with Hong Kong's (also for Macau), and English. The choice is the
// desktop's locale unless dat/bzinit.ini names one:
//
//   [lang]
//   ui=en          zh_CN, zh_TW, zh_HK or en; empty or missing: the desktop's
//
// Locale to language: zh_CN, zh_SG (and zh, zh_Hans) → Simplified; zh_TW
// (and zh_Hant) → Traditional for Taiwan; zh_HK, zh_MO → Traditional for
// Hong Kong; anything else (C and POSIX included) → English.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tessaly {

class IniFile;

enum class UiLanguage {
    kSimplified,           // 简体中文, the program's own texts
    kTraditionalTaiwan,    // 繁體中文（台灣）
    kTraditionalHongKong,  // 繁體中文（香港）, also Macau
    kEnglish,
};

inline constexpr UiLanguage kAllLanguages[] = {UiLanguage::kSimplified, UiLanguage::kTraditionalTaiwan,
                                               UiLanguage::kTraditionalHongKong, UiLanguage::kEnglish};

// The section and key of the choice in dat/bzinit.ini.
inline constexpr std::string_view kLanguageSection = "lang";
inline constexpr std::string_view kLanguageKey = "ui";

// The language of a POSIX locale name such as "zh_TW.UTF-8", "zh-HK",
// "zh_Hant_TW", "en_US.UTF-8@euro" or "C" (case and separators as found).
UiLanguage LanguageOfLocale(std::string_view localeName);

// The locale whose messages the desktop asks for: the first non-empty of
// LC_ALL, LC_MESSAGES and LANG, as the C library reads them; empty when none
// is set. `getenv` is std::getenv unless a test gives another.
std::string DesktopLocaleName(const char* (*getenv)(const char*) = nullptr);

// The code written to bzinit.ini and used in file names: "zh_CN", "zh_TW",
// "zh_HK", "en".
std::string_view LanguageCode(UiLanguage language);
// The language of a code (also "zh_SG", "zh_MO", case and '-' as found);
// nothing for an empty or unknown code.
std::optional<UiLanguage> LanguageOfCode(std::string_view code);

// The language's own name, for the menu 选项 → 语言 / Language, where each
// item names its language in that language: "简体中文", "繁體中文（台灣）",
// "繁體中文（香港）", "English".
std::string_view LanguageOwnName(UiLanguage language);

bool IsTraditional(UiLanguage language);

// The choice kept in bzinit.ini; nothing when it follows the desktop.
std::optional<UiLanguage> ReadLanguageSetting(const IniFile& bzinit);
// Keeps the choice (nothing: follow the desktop) in `bzinit`, in memory; the
// caller saves the file (the main window writes bzinit.ini at close).
void WriteLanguageSetting(IniFile& bzinit, std::optional<UiLanguage> language);

// The language to speak: the setting, else the desktop's locale.
UiLanguage ChosenLanguage(const IniFile& bzinit, std::string_view desktopLocale);

}  // namespace tessaly
