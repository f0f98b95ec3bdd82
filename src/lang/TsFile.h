// TsFile — the window's translation files (Qt Linguist's .ts, XML) read and
// rewritten as text, without Qt: for the test that every English entry is
// translated and for the tool that makes the Traditional Chinese ones.
//
// The files are as lupdate writes them: a <context> with its <name>, then
// <message> elements, each with a <source> and a <translation> (type
// "unfinished" while untranslated, "vanished" or "obsolete" when the source
// text is gone; numerus messages hold <numerusform> elements).
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

class TraditionalConverter;

struct TsMessage {
    std::string context;
    std::string source;       // XML entities resolved
    std::string translation;  // likewise; numerus forms joined by '\n'
    std::string type;         // the translation's type: "", "unfinished", "vanished", "obsolete"
    std::size_t line = 0;     // of the <message> in the file, from 1
};

std::vector<TsMessage> ReadTsMessages(std::string_view ts);

// Hand corrections of the Traditional conversion: lines "source<TAB>translation"
// (the Simplified source text and the Traditional text to use instead of
// OpenCC's), '#' comments. Text as in the .ts (XML-escaped).
std::map<std::string, std::string> ReadTsFixes(std::string_view tsv);

// The .ts with every current message translated: the translation is the
// fix for its source when there is one, else the source converted to
// Traditional Chinese; "unfinished" is dropped. Vanished and obsolete
// messages are left as they are. The rest of the file is kept byte for byte.
std::string TraditionalTs(std::string_view ts, const TraditionalConverter& converter,
                          const std::map<std::string, std::string>& fixes);

}  // namespace tessaly
