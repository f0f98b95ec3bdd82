// The PERSON argument of tessaly-cli: "key=value" pairs separated by ";"
// (name, sex, date, cal, leap, lon, lat, prov, city), or the clipboard line
// that begins "orvane_mingli_data#".
#pragma once

#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"

namespace tessaly::cli {

// Parses PERSON into *out, which starts from the caller's defaults (the sex
// of person A or B, name 某人). The year is written as users write it
// (negative = BC, no year 0) and stored astronomically. The year range of a
// birth is not checked here: the engine refuses it with its own message. On
// a malformed PERSON returns false with a message naming the key.
bool ParsePersonArg(std::string_view text, PersonRecord* out, std::string* error);

// A hook for resolving prov/city through the place data; set by the places
// command file. Returns false with a message when the place is unknown.
using PlaceResolver = bool (*)(std::string_view province, std::string_view city, PersonRecord* out,
                               std::string* error);
void SetPlaceResolver(PlaceResolver resolver);

}  // namespace tessaly::cli
