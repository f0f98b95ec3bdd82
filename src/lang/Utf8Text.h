// Utf8Text — the characters of UTF-8 text, counted for the language tools
// (the glossary and the Traditional Chinese conversion).
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

namespace tessaly::utf8_text {

// Length of the UTF-8 character starting at byte i (1 for a stray byte).
inline std::size_t CharLength(std::string_view s, std::size_t i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    return std::min(n, s.size() - i);
}

// The number of characters.
inline std::size_t CodePoints(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < s.size(); i += CharLength(s, i)) ++n;
    return n;
}

}  // namespace tessaly::utf8_text
