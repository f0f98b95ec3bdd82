#include "store/SettingsMerge.h"

#include "store/FileUtil.h"

namespace tessaly {

namespace fs = std::filesystem;

std::vector<IniChange> IniChanges(const IniFile& base, const IniFile& edited) {
    std::vector<IniChange> changes;
    for (const std::string& section : edited.Sections()) {
        for (const std::string& key : edited.Keys(section)) {
            std::string value = edited.ReadString(section, key);
            if (base.HasKey(section, key) && base.ReadString(section, key) == value) continue;
            changes.push_back({section, key, std::move(value)});
        }
    }
    return changes;
}

void ApplyIniChanges(const std::vector<IniChange>& changes, IniFile* ini) {
    for (const IniChange& c : changes) ini->WriteString(c.section, c.key, c.value);
}

Status WriteUnderFolderLock(const fs::path& path, const std::function<Status()>& write) {
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    DirLock lock;
    if (Status s = lock.Acquire(folder); !s) return s;
    return write();
}

Status MergeIntoIniFile(const fs::path& path, const std::vector<IniChange>& changes, IniFile* written) {
    IniFile now;
    const Status done = WriteUnderFolderLock(path, [&] {
        if (Status s = now.Load(path); !s) return s;
        if (changes.empty()) return Status::Ok();
        ApplyIniChanges(changes, &now);
        return now.Save();
    });
    if (done.ok() && written != nullptr) *written = std::move(now);
    return done;
}

}  // namespace tessaly
