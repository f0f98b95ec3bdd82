// The clipboard line of birth parameters shared with other programs:
//
//   orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3
//
// date "year month day hour minute kind" (kind 3 lunar leap month, 2 lunar,
// 1 Gregorian; the kind may be missing and then means Gregorian), sex
// (1 male, else female), name, "province city" indices.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"

namespace tessaly {

inline constexpr std::string_view kClipboardMarker = "orvane_mingli_data";

// What a pasted line carries. The year is as the user writes it (negative
// is BC); indices are not checked against the province list here.
struct ClipboardBirth {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0;
    int kind = 1;  // 1 Gregorian, 2 lunar, 3 lunar leap month
    bool male = false;
    std::string name;
    int provinceIndex = 0, cityIndex = 0;
};

// The line for a record (the year as stored in the record).
std::string FormatClipboardLine(const PersonRecord& record);

// How the sex piece is read: its first character "1" is male and anything
// else female (as the birth-data dialog pastes), or only "0" and "1" are
// accepted (where a wrong line must be refused).
enum class ClipboardSex { kFirstCharacter, kZeroOrOne };

// Parses a pasted line; nullopt when the text is not such a line (wrong
// marker, a malformed or out-of-range piece). Surrounding blanks are trimmed.
std::optional<ClipboardBirth> ParseClipboardLine(std::string_view text,
                                                 ClipboardSex sex = ClipboardSex::kFirstCharacter);

}  // namespace tessaly
