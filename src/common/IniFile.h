// IniFile — the settings files of the program (dat/bzinit.ini, dat/pan.ini,
// dat/dili.ini).
//
// The files are shared with the Windows program, so they keep its form: GBK
// text, CR LF line ends, "[section]" headers and "key=value" lines. Section
// and key names are looked up without regard to ASCII case (folded on the
// decoded text, never on raw GBK bytes); sections and keys keep their file
// order, and writing a key changes that one line and leaves every other line
// (comments included) as it was. Booleans are stored as 1 and 0; any
// non-zero integer reads as true. A value that is not a number reads as the
// default. A missing file reads as empty. Saving writes a temporary file
// beside the target and renames it over the target, so a crash never leaves
// a truncated settings file.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

namespace tessaly {

class IniFile {
public:
    IniFile() = default;
    // Loads `path`; a missing file gives an empty object without error. A file
    // that cannot be read or decoded leaves the object empty and loadStatus()
    // carries the message.
    explicit IniFile(std::filesystem::path path);

    Status Load(const std::filesystem::path& path);
    // Parses text already in UTF-8 (for tests and for data made in memory).
    void Parse(std::string_view utf8);

    const std::filesystem::path& path() const { return path_; }
    const Status& loadStatus() const { return loadStatus_; }

    std::vector<std::string> Sections() const;
    std::vector<std::string> Keys(std::string_view section) const;
    bool HasKey(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, std::string_view def = {}) const;
    long ReadInteger(std::string_view section, std::string_view key, long def) const;
    bool ReadBool(std::string_view section, std::string_view key, bool def) const;

    // Changes in memory; Save() writes them.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteInteger(std::string_view section, std::string_view key, long value);
    void WriteBool(std::string_view section, std::string_view key, bool value);

    // Writes the whole file (GBK, CR LF) to path() or to `path`.
    Status Save() const;
    Status SaveAs(const std::filesystem::path& path) const;

    // The file's text as it would be saved, in UTF-8 with CR LF line ends.
    std::string ToText() const;

private:
    struct Line {
        enum Kind { kOther, kSection, kEntry } kind = kOther;
        std::string raw;    // the whole line as read, for kOther
        std::string name;   // section name or key
        std::string value;  // value for kEntry
    };
    // Index of the section header line, or npos.
    std::size_t FindSection(std::string_view section) const;
    // Index of the entry line within the section, or npos.
    std::size_t FindKey(std::size_t sectionLine, std::string_view key) const;

    std::filesystem::path path_;
    Status loadStatus_;
    std::vector<Line> lines_;
};

// True when the trimmed text is an optionally signed run of decimal digits
// that fits a long; the number goes to *value.
bool ParseInteger(std::string_view text, long* value);

// Removes leading and trailing blanks (space, tab, CR, LF).
std::string_view Trim(std::string_view text);

// ASCII-only case-insensitive comparison of UTF-8 texts.
bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b);

// Reads a whole file into bytes. A missing file is an error here.
Status ReadFileBytes(const std::filesystem::path& path, std::string* bytes);

// Writes bytes to a temporary file beside `path` ("NAME.tmpPID-XXXXXX",
// created exclusively, never through a link), flushes it to disk and
// renames it over `path`. The new file keeps the mode of the one it
// replaces.
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tessaly
