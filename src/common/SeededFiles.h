// SeededFiles — the shipped files copied into a per-user data folder, and how
// those copies follow a newer program.
//
// dat/seeded.txt in the user's folder lists each copy made from the shipped
// dat/: its name, the version of the program it came from and the SHA-256
// of its bytes as copied. At every start each regular file of the shipped
// dat/ is looked at:
//   - the user's folder lacks it: it is copied and listed;
//   - the shipped file is still the one listed: nothing changes;
//   - the shipped file is another one (a newer program): a copy the user
//     has not changed (its bytes still have the listed checksum) is replaced
//     by it; a changed copy is kept, and the report names it, once for each
//     newer shipped file (the list remembers what was told);
//   - a copy that is not listed (made before the list existed) is listed
//     when it equals the shipped file, else kept and named once.
// ResetSeededFile takes the shipped copy on the user's request, keeping the
// old one aside.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/ProgramFiles.h"
#include "common/Status.h"

namespace tessaly {

// The list's name inside dat/.
inline constexpr std::string_view kSeededListName = "seeded.txt";

struct SeedingReport {
    std::vector<std::string> updated;  // replaced by the newer shipped file
    std::vector<std::string> kept;     // changed by the user, a newer shipped file exists (told once)
};

// Brings the copies in files.home's dat/ up to the files of the shipped
// dat/ by the rules above. Does nothing when there are no shipped files
// apart from home. A changed copy counts as told about only when `report`
// is given: the caller then shows SeedingNotice(*report).
Status UpdateSeededFiles(const ProgramFiles& files, SeedingReport* report);

// What to tell the user about report.kept, one line per file, in Chinese;
// empty when nothing is to be told.
std::string SeedingNotice(const SeedingReport& report);

// Replaces home's dat/NAME by the shipped dat/NAME. The user's copy, when
// it exists and differs, is kept as dat/NAME.YYYYMMDD-HHMMSS (its path in
// *keptAs, else *keptAs is empty). A failure changes nothing.
Status ResetSeededFile(const ProgramFiles& files, std::string_view name, std::filesystem::path* keptAs);

// SHA-256 of bytes, as 64 lowercase hexadecimal digits.
std::string Sha256Hex(std::string_view bytes);

}  // namespace tessaly
