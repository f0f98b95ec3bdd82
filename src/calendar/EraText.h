// EraText (aka obb_class, Era) — the historical era (年号) of a year.
//
// A constant table names the Chinese reign periods in chronological order of
// their first year: the rulers of 夏, 商 and 周 (named by the ruler), the kings
// of 秦, then the era names from 西汉 on, through the Republic to the present
// day. Several states reigned at once in many periods, so rows overlap, and a
// year may lie in several eras.
//
// Years are astronomical: 0 is 1 BC, −139 is 140 BC.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tessaly {

// One era. Texts are UTF-8; in the Windows layout the dynasty, ruler and era
// name take at most 10 GBK bytes each, the personal name at most 30.
struct EraRow {
    std::int16_t start;             // first year, astronomical numbering
    std::int16_t years;             // number of years the era lasts (> 0)
    std::int16_t offset;            // added to the running year number: an era that
                                    // does not begin with its year 1 here (至元 of 元
                                    // starts at its eighth year)
    std::string_view dynasty;       // e.g. 西汉, 五代/梁, 当代
    std::string_view ruler;         // e.g. 武帝, 中国
    std::string_view personalName;  // e.g. 刘彻; may be empty
    std::string_view eraName;       // e.g. 建元, 公历纪元
};

// The whole table, sorted by start (rows with equal start keep their order).
std::span<const EraRow> EraTable();

// Every era containing year y (start ≤ y < start + years), in table order:
// "[dynasty] ruler personal " for the first, "；[dynasty] ruler personal "
// for each later one, each followed by the era name and the year of the era,
// "建元1年". A year in no era gives "".
//   EraText(2024) == "[当代] 中国  公历纪元2024年"
std::string EraText(int y);

}  // namespace tessaly
