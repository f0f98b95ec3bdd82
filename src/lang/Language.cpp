#include "lang/Language.h"

#include <cstdlib>

#include "common/IniFile.h"

namespace tessaly {
namespace {

// Lower case, '-' as '_', without the codeset (".UTF-8") and modifier ("@euro").
std::string Normalised(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '.' || c == '@') break;
        out += c == '-' ? '_' : (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    }
    return out;
}

}  // namespace

UiLanguage LanguageOfLocale(std::string_view localeName) {
    const std::string n = Normalised(localeName);
    if (n != "zh" && !n.starts_with("zh_")) return UiLanguage::kEnglish;
    // zh, zh_CN, zh_SG, zh_Hans, zh_Hans_CN …; a script, when given, decides.
    const auto has = [&](std::string_view part) {
        std::string p(1, '_');
        p.append(part);
        const std::size_t at = n.find(p);
        return at != std::string::npos && (at + p.size() == n.size() || n[at + p.size()] == '_');
    };
    if (has("hans")) return UiLanguage::kSimplified;
    if (has("hk") || has("mo")) return UiLanguage::kTraditionalHongKong;
    if (has("tw") || has("hant")) return UiLanguage::kTraditionalTaiwan;
    return UiLanguage::kSimplified;
}

std::string DesktopLocaleName(const char* (*getenv)(const char*)) {
    for (const char* var : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* v = getenv != nullptr ? getenv(var) : std::getenv(var);
        if (v != nullptr && *v != '\0') return v;
    }
    return {};
}

std::string_view LanguageCode(UiLanguage language) {
    switch (language) {
        case UiLanguage::kSimplified: return "zh_CN";
        case UiLanguage::kTraditionalTaiwan: return "zh_TW";
        case UiLanguage::kTraditionalHongKong: return "zh_HK";
        case UiLanguage::kEnglish: return "en";
    }
    return "zh_CN";
}

std::optional<UiLanguage> LanguageOfCode(std::string_view code) {
    const std::string n = Normalised(code);
    if (n.empty()) return std::nullopt;
    if (n == "en" || n.starts_with("en_")) return UiLanguage::kEnglish;
    if (n == "zh" || n.starts_with("zh_")) return LanguageOfLocale(n);
    return std::nullopt;
}

std::string_view LanguageOwnName(UiLanguage language) {
    switch (language) {
        case UiLanguage::kSimplified: return "简体中文";
        case UiLanguage::kTraditionalTaiwan: return "繁體中文（台灣）";
        case UiLanguage::kTraditionalHongKong: return "繁體中文（香港）";
        case UiLanguage::kEnglish: return "English";
    }
    return "简体中文";
}

bool IsTraditional(UiLanguage language) {
    return language == UiLanguage::kTraditionalTaiwan || language == UiLanguage::kTraditionalHongKong;
}

std::optional<UiLanguage> ReadLanguageSetting(const IniFile& bzinit) {
    return LanguageOfCode(bzinit.ReadString(kLanguageSection, kLanguageKey));
}

void WriteLanguageSetting(IniFile& bzinit, std::optional<UiLanguage> language) {
    bzinit.WriteString(kLanguageSection, kLanguageKey, language ? LanguageCode(*language) : std::string_view());
}

UiLanguage ChosenLanguage(const IniFile& bzinit, std::string_view desktopLocale) {
    if (const std::optional<UiLanguage> set = ReadLanguageSetting(bzinit)) return *set;
    return LanguageOfLocale(desktopLocale);
}

}  // namespace tessaly
