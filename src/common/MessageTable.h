// MessageTable — the language of what the programs tell their user (the
// command line's usage errors, notices, warnings and refusals; the core's
// refusals the window shows), and the small table that holds each such
// message in English and in Chinese.
//
// The language follows the locale of the messages, as the C library finds
// it: the first non-empty of LC_ALL, LC_MESSAGES and LANG. zh_* → Chinese;
// en_* and every other language → English; none set, C, C.UTF-8 or POSIX →
// Chinese, the program's own language. The data printed (reports, tables,
// JSON) are the same in both.
//
// A message is written in English in the code and looked up when it is
// written out (CommandContext::Error and Usage, the notices of the cases
// commands): under a Chinese locale its Chinese form is printed. The core's
// refusals are Chinese; under an English locale the frequent ones are
// translated through the same table, and a message that holds one the table
// does not know is printed in Chinese whole rather than half and half.
//
// A row's texts mark the variable parts with "{}" (data: a name, a path, a
// number, kept as they are) and "{m}" (a message of its own, looked up in
// turn).
#pragma once

#include <string>
#include <string_view>

namespace tessaly {

enum class MessageLanguage { kChinese, kEnglish };

// The language of a locale name ("zh_CN.UTF-8", "en_US", "C", "" …).
MessageLanguage LanguageOfMessagesLocale(std::string_view localeName);
// The language of this process: its environment, read once.
MessageLanguage CurrentMessageLanguage();

// `message` (English as the code writes it, or Chinese from the core) in
// `language`: the table's form when a row matches, else as it is.
std::string LocalizeMessage(std::string_view message, MessageLanguage language);
inline std::string LocalizeMessage(std::string_view message) {
    return LocalizeMessage(message, CurrentMessageLanguage());
}

// One of two texts by the language of this process, for the few places
// whose two forms differ more than a table row can say.
inline std::string_view InLanguage(std::string_view english, std::string_view chinese) {
    return CurrentMessageLanguage() == MessageLanguage::kEnglish ? english : chinese;
}

// Whether a row of the table matches `message` in either language (for the
// tests: every notice the commands print has its row).
bool HasMessageRow(std::string_view message);

}  // namespace tessaly
