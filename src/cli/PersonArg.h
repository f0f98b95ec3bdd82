// The PERSON argument of tessaly-cli: "key=value" pairs separated by ";"
// (name, sex, date, cal, leap, lon, lat, prov, city, place, tz, clock, dst),
// or the clipboard line that begins "orvane_mingli_data#".
#pragma once

#include <span>
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
// One key and its value, as a PERSON text or a row of a table gives them.
struct PersonField {
    std::string key;
    std::string value;
};
// The keys of a PERSON, parsed as ParsePersonArg does.
bool ParsePersonFields(std::span<const PersonField> fields, const ProgramFiles& files, PersonRecord* out,
                       std::string* error);

// What to add to a PERSON whose time, read from the clock of its place
// (clock=civil), was skipped or repeated by that clock; empty otherwise.
std::string ClockChoiceHint(const PersonRecord& person);

// Messages about dat/dili.ini values that could not be read (the default
// 120°, 30° was used), collected while parsing; the command prints them
// once on stderr.
const std::vector<std::string>& PlaceWarnings();

}  // namespace tessaly::cli
