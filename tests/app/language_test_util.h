// Helpers of the tests of the window's languages: a language for the span
// of a test, and the Chinese a reader of English would still meet in a text.
#pragma once

#include <QString>

#include <string>

#include "app/AppSetup.h"
#include "lang/Glossary.h"

namespace tessaly::apptest {

// Speaks `language` while it lives; Simplified Chinese again afterwards, as
// the other tests expect. `loaded` holds what the switch loaded.
struct LanguageForTest {
    explicit LanguageForTest(UiLanguage language) { ApplyLanguage(language, &loaded); }
    ~LanguageForTest() { ApplyLanguage(UiLanguage::kSimplified); }
    LanguageForTest(const LanguageForTest&) = delete;
    LanguageForTest& operator=(const LanguageForTest&) = delete;
    AppSetupResult loaded;
};

inline bool IsHan(char32_t c) {
    return (c >= 0x3400 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FFFF);
}

// The Han characters of `text` that belong to no term of art of the
// glossary ("用神 Useful God" has none; "保存 Save" has 保 and 存).
inline QString HanOutsideTermsOfArt(const QString& text) {
    const std::string utf8 = text.toStdString();
    std::string rest;
    std::size_t at = 0;
    for (const TermMatch& m : Glossary::Builtin().TermsIn(utf8)) {
        rest += utf8.substr(at, m.start - at) + ' ';
        at = m.start + m.length;
    }
    rest += utf8.substr(at);
    QString han;
    for (const char32_t c : QString::fromStdString(rest).toUcs4()) {
        if (IsHan(c)) han += QString::fromUcs4(&c, 1);
    }
    return han;
}

}  // namespace tessaly::apptest
