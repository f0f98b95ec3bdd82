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
// given by province and city are looked up in the place list of `files`;
// what could not be read there (a city whose coordinates are unreadable, so
// 120°, 30° stand in) is added to *warnings, each message once. A time of
// the standard clock is Beijing time as given: settled, never asked about.
bool ParsePersonArg(std::string_view text, const ProgramFiles& files, PersonRecord* out, std::string* error,
                    std::vector<std::string>* warnings);

// One key and its value, as a PERSON text or a row of a table gives them.
struct PersonField {
    std::string key;
    std::string value;
};
// The keys of a PERSON, parsed as ParsePersonArg does.
bool ParsePersonFields(std::span<const PersonField> fields, const ProgramFiles& files, PersonRecord* out,
                       std::string* error, std::vector<std::string>* warnings);

// What to add to a PERSON whose time, read from the clock of its place
// (clock=civil), was skipped or repeated by that clock: for a run that
// failed with Status::needsClockChoice().
inline constexpr const char* kClockChoiceHint =
    "choose the reading with dst=1 for summer time or dst=0 for standard time";

}  // namespace tessaly::cli
