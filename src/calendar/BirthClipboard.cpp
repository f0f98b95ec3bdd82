#include "calendar/BirthClipboard.h"

#include "common/IniFile.h"

namespace tessaly {
namespace {

// The integer value of a field, or `otherwise` when it is not a number.
long NumberOr(std::string_view field, long otherwise) {
    long v = 0;
    return ParseInteger(field, &v) ? v : otherwise;
}

// Takes the text before the next '#'; false when there is none.
bool TakePiece(std::string_view& rest, std::string_view* piece) {
    const std::size_t h = rest.find('#');
    if (h == std::string_view::npos) return false;
    *piece = rest.substr(0, h);
    rest.remove_prefix(h + 1);
    return true;
}

// Takes the text before the next space of the date piece (a space must not
// be the first character); spaces after it are skipped.
bool TakeField(std::string_view& rest, std::string_view* field) {
    const std::size_t sp = rest.find(' ');
    if (sp == std::string_view::npos || sp == 0) return false;
    *field = rest.substr(0, sp);
    rest.remove_prefix(sp);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
    return true;
}

}  // namespace

std::string FormatClipboardLine(const PersonRecord& r) {
    const int kind = r.isLeapMonth ? 3 : (r.isLunar ? 2 : 1);
    return std::string(kClipboardMarker) + "#" + std::to_string(r.year) + " " + std::to_string(r.month) + " " +
           std::to_string(r.day) + " " + std::to_string(r.hour) + " " + std::to_string(r.minute) + " " +
           std::to_string(kind) + "#" + (r.isMale ? "1" : "0") + "#" + r.name + "#" + std::to_string(r.provinceIndex) +
           " " + std::to_string(r.cityIndex);
}

std::optional<ClipboardBirth> ParseClipboardLine(std::string_view text, ClipboardSex sex) {
    std::string_view rest = Trim(text);
    std::string_view piece;
    if (!TakePiece(rest, &piece) || piece != kClipboardMarker) return std::nullopt;
    std::string_view date;
    if (!TakePiece(rest, &date)) return std::nullopt;

    ClipboardBirth b;
    std::string_view f;
    if (!TakeField(date, &f)) return std::nullopt;
    b.year = static_cast<int>(NumberOr(f, 0));
    if (b.year == 0 || b.year < -4713 || b.year >= 10000) return std::nullopt;
    if (!TakeField(date, &f)) return std::nullopt;
    b.month = static_cast<int>(NumberOr(f, 0));
    if (b.month < 1 || b.month > 12) return std::nullopt;
    if (!TakeField(date, &f)) return std::nullopt;
    b.day = static_cast<int>(NumberOr(f, 0));
    if (b.day < 1 || b.day > 31) return std::nullopt;
    if (!TakeField(date, &f)) return std::nullopt;
    b.hour = static_cast<int>(NumberOr(f, -1));
    if (b.hour < 0 || b.hour > 23) return std::nullopt;
    if (date.find(' ') == std::string_view::npos) {
        b.minute = static_cast<int>(NumberOr(date, -1));  // no kind: Gregorian
        b.kind = 1;
    } else {
        if (!TakeField(date, &f)) return std::nullopt;
        b.minute = static_cast<int>(NumberOr(f, -1));
        b.kind = static_cast<int>(NumberOr(date, 0));
    }
    if (b.minute < 0 || b.minute > 59) return std::nullopt;
    if (b.kind < 1 || b.kind > 3) return std::nullopt;

    if (!TakePiece(rest, &piece)) return std::nullopt;
    if (sex == ClipboardSex::kZeroOrOne && piece != "0" && piece != "1") return std::nullopt;
    b.male = !piece.empty() && piece.front() == '1';
    if (!TakePiece(rest, &piece) || piece.empty()) return std::nullopt;
    b.name = std::string(piece);

    const std::size_t sp = rest.find(' ');
    if (sp == std::string_view::npos || sp == 0 || rest.size() <= 2) return std::nullopt;
    b.provinceIndex = static_cast<int>(NumberOr(rest.substr(0, sp), 0));
    b.cityIndex = static_cast<int>(NumberOr(rest.substr(sp + 1), 0));
    return b;
}

}  // namespace tessaly
