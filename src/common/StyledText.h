// StyledText — a report as text with styled runs laid over default
// attributes, the way the report pane colours its headings. Produced by the
// engine, shown by the window, written to RTF by the store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaly {

// A colour as Windows stores it: 0x00BBGGRR.
constexpr std::uint32_t RgbColor(int r, int g, int b) {
    return std::uint32_t(r & 0xFF) | (std::uint32_t(g & 0xFF) << 8) | (std::uint32_t(b & 0xFF) << 16);
}

struct TextStyle {
    TextStyle() = default;
    TextStyle(std::uint32_t c, double size, bool b) : color(c), pointSize(size), bold(b) {}

    std::uint32_t color = 0;  // 0x00BBGGRR
    double pointSize = 12;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::string font;  // family; empty: the report's font

    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Attributes set over text [start, start + length), in UTF-8 bytes of the
// report text; unset fields keep what lies beneath.
struct StyleRun {
    StyleRun() = default;
    StyleRun(std::size_t s, std::size_t n, std::optional<std::uint32_t> c = {}, std::optional<double> size = {},
             std::optional<bool> b = {})
        : start(s), length(n), color(c), pointSize(size), bold(b) {}

    std::size_t start = 0;
    std::size_t length = 0;
    std::optional<std::uint32_t> color;
    std::optional<double> pointSize;
    std::optional<bool> bold;
    std::optional<bool> italic;
    std::optional<bool> underline;
    std::optional<bool> strikeOut;
    std::optional<std::string> font;  // "" sets the report's font
};

struct StyledReport {
    std::string text;  // UTF-8, lines end in CR LF
    std::string fontName = "宋体";
    TextStyle base;              // attributes of text no run covers
    int firstLineIndent = 0;     // twips, every paragraph
    std::vector<StyleRun> runs;  // applied in order
};

}  // namespace tessaly
