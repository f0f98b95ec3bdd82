// SettingsMerge — writing a settings file (dat/bzinit.ini, dat/pan.ini,
// dat/dili.ini) that another program may have changed meanwhile.
//
// A front end that read a settings file some time ago writes back only the
// keys it changed since, into the file as it is now: the file is read again
// under the lock of its folder (the lock of the case store when the folder
// is dat/), the changes are applied and the file is replaced atomically.
// Keys changed by the command line in between keep their new values.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "common/IniFile.h"
#include "common/Status.h"

namespace tessaly {

struct IniChange {
    std::string section;
    std::string key;
    std::string value;
};

// The keys of `edited` whose value differs from `base` or that `base`
// lacks, in the order of `edited`. Keys are matched without regard to ASCII
// case, as IniFile reads them.
std::vector<IniChange> IniChanges(const IniFile& base, const IniFile& edited);

// `changes` applied onto `ini` (in memory).
void ApplyIniChanges(const std::vector<IniChange>& changes, IniFile* ini);

// Locks the folder of `path`, reads the file afresh, applies `changes` and
// writes it atomically; *written (when given) gets the file as it is now,
// also when there was nothing to write. A file that cannot be read is not
// written. A failure changes nothing.
Status MergeIntoIniFile(const std::filesystem::path& path, const std::vector<IniChange>& changes,
                        IniFile* written = nullptr);

// Runs `write` while the folder of `path` is locked (for a file written whole,
// such as dat/EndInfo.txt).
Status WriteUnderFolderLock(const std::filesystem::path& path, const std::function<Status()>& write);

}  // namespace tessaly
