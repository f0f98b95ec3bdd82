// The PERSON argument of tessaly-cli: "key=value" pairs separated by ";"
// (name, sex, date, cal, leap, lon, lat, prov, city), or the clipboard line
// that begins "orvane_mingli_data#".
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/ProgramFiles.h"

namespace tessaly::cli {

// Parses PERSON into *out, which starts from the caller's defaults (the sex
// of person A or B, name 某人). The year is written as users write it
// (negative = BC, no year 0) and stored astronomically. The year range of a
// birth is not checked here: the engine refuses it with its own message. On
// a malformed PERSON returns false with a message naming the key. Places
// given by province and city are looked up in the place list of `files`.
bool ParsePersonArg(std::string_view text, const ProgramFiles& files, PersonRecord* out, std::string* error);

// True when the text holds a control character (U+0000..U+001F, U+007F,
// U+0080..U+009F); CR and LF pass when `lineBreaksAllowed`.
bool HasControlCharacter(std::string_view utf8, bool lineBreaksAllowed = false);

// Messages about dat/dili.ini values that could not be read (the default
// 120°, 30° was used), collected while parsing; the command prints them
// once on stderr.
const std::vector<std::string>& PlaceWarnings();

}  // namespace tessaly::cli
