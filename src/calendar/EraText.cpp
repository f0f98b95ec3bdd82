#include "calendar/EraText.h"

#include <array>

namespace tessaly {
namespace {

// start, years, offset, dynasty, ruler, personal name, era name.
// Years before 841 BC follow the 夏商周断代工程 chronology; a year in which
// the era changed is counted to the new era.
inline constexpr EraRow kEraTable[] = {
#include "calendar/EraTable.inc"
};
static_assert(std::size(kEraTable) == 529);

}  // namespace

std::span<const EraRow> EraTable() { return kEraTable; }

std::string EraText(int y) {
    std::string text;
    bool first = true;
    for (const EraRow& r : kEraTable) {
        if (y < r.start || y >= r.start + r.years) continue;
        text += first ? "[" : "；[";
        first = false;
        text += r.dynasty;
        text += "] ";
        text += r.ruler;
        text += ' ';
        text += r.personalName;
        text += ' ';
        text += r.eraName;
        text += std::to_string(y + r.offset - r.start + 1);
        text += "年";
    }
    return text;
}

}  // namespace tessaly
