// Small file helpers of the case store: descriptors that close themselves,
// the folder lock, and every call that changes a file, counted one by one.
//
// No helper follows a symbolic link where it writes, removes or copies:
// files are created exclusively (O_EXCL | O_NOFOLLOW) under names of their
// own and renamed into place, so a link planted at the target is replaced,
// never written through.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"

namespace tessaly {

// A POSIX file descriptor closed when it goes out of scope.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : fd_(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }
    void reset(int fd = -1);
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// The advisory lock on a folder, held from Acquire until destruction: one
// store operation at a time on that folder, across processes.
class DirLock {
public:
    Status Acquire(const std::filesystem::path& dir);

private:
    UniqueFd fd_;  // closing the descriptor releases the lock
};

// Every call that changes the file system goes through one FileSteps, which
// numbers it (1, 2, …) before it is made. A test can stop the process at
// the N-th step as a crash would; `sync` off skips the flushes to the disk
// (a stopped process loses nothing that was written, flushed or not).
struct FileSteps {
    std::function<void(int step)> beforeStep;  // tests only
    bool sync = true;
    int count = 0;
    // Tests only: every flush to the disk (of a file or a folder, made or
    // skipped) is numbered too, and fails with the errno this returns for
    // its number (0: it goes ahead).
    std::function<int(int flush)> flushError;
    mutable int flushes = 0;

    void Next() {
        ++count;
        if (beforeStep) beforeStep(count);
    }
    // The errno the next flush fails with; 0 when it goes ahead.
    int NextFlush() const {
        ++flushes;
        return flushError ? flushError(flushes) : 0;
    }
};

// The permission bits of `existing` when it is a regular file (not a link).
// A file created with no mode given gets 0644 less the process's umask.
std::optional<mode_t> ModeOf(const std::filesystem::path& existing);

// Opens an existing file (never through a symbolic link); a missing file is
// an error naming it.
Status OpenExisting(const std::filesystem::path& path, int flags, UniqueFd* fd);

// Reads exactly n bytes at `offset`; a short read is an error that says the
// store file is shorter than its header says.
Status ReadAt(int fd, const std::filesystem::path& path, char* buf, std::size_t n, off_t offset);

// File size through the descriptor.
Status SizeOf(int fd, const std::filesystem::path& path, std::uint64_t* size);

// Writes n bytes at `offset` (one step) and flushes them.
Status WriteAt(FileSteps& steps, int fd, const std::filesystem::path& path, std::string_view bytes, off_t offset);

// Cuts or extends the file to `size` (one step) and flushes it.
Status TruncateTo(FileSteps& steps, int fd, const std::filesystem::path& path, std::uint64_t size);

// The name CreateTemp gives the next temporary file of this process in
// `dir`; a journal names it before the file exists.
std::filesystem::path TempPathIn(const std::filesystem::path& dir);

// Creates `path` exclusively and without following links (one step): a
// file of that name, or a link, makes it fail. The file gets `mode`
// exactly, or the default.
Status CreateExclusive(FileSteps& steps, const std::filesystem::path& path, std::optional<mode_t> mode, UniqueFd* fd);

// Writes `bytes` to the new file `temp` (created as above) and flushes it;
// the caller renames it into place.
Status WriteNewFile(FileSteps& steps, const std::filesystem::path& temp, std::string_view bytes,
                    std::optional<mode_t> mode);

// Replaces `target` with `bytes` through a temporary file beside it and one
// rename (a link at the target is replaced, not followed). The new file
// keeps the mode of the one it replaces, else gets `newMode`.
Status ReplaceFile(FileSteps& steps, const std::filesystem::path& target, std::string_view bytes,
                   std::optional<mode_t> newMode = std::nullopt);

// Copies the regular file `from` (a link or anything else is refused) to
// the new file `to`, created exclusively, and flushes it. The copy gets
// `mode`, or the mode of `from` when none is given.
Status CopyToNewFile(FileSteps& steps, const std::filesystem::path& from, const std::filesystem::path& to,
                     std::optional<mode_t> mode = std::nullopt);

// One step each. Removing or renaming a missing file is an error unless
// `missingOk`.
Status RenameFile(FileSteps& steps, const std::filesystem::path& from, const std::filesystem::path& to);
Status RemoveFile(FileSteps& steps, const std::filesystem::path& path, bool missingOk = true);
// Creates a folder; one that exists as a folder (not a link) is fine.
Status MakeDir(FileSteps& steps, const std::filesystem::path& path);
// Removes a folder and everything in it, entry by entry, without following
// links (one step an entry). A missing folder is fine.
Status RemoveTree(FileSteps& steps, const std::filesystem::path& path);

// Flushes a folder's entries (after renames and removals in it).
Status SyncDir(const FileSteps& steps, const std::filesystem::path& dir);

// The entries of a folder, sorted by name; a missing folder gives an empty
// list when `missingOk`.
struct DirEntry {
    std::string name;
    enum Kind { kFile, kDir, kLink, kOther, kMissing } kind = kOther;
};

// What is at `path` (a link is not followed), and its size.
DirEntry::Kind KindAt(const std::filesystem::path& path, std::uint64_t* size = nullptr);
Status ListDir(const std::filesystem::path& dir, bool missingOk, std::vector<DirEntry>* entries);

// The data files of a store in `datDir`: stem + decimal number + ".dat",
// exactly so spelled, of any kind. Sorted by name.
Status ListDataFiles(const std::filesystem::path& datDir, std::string_view stem,
                     std::vector<std::filesystem::path>* files);

// The files a case keeps in the report folder: entries of `dir` that are
// not folders and whose name ends in ".rtf" (its report) or ".input" (what
// was typed for it) in any letter case; a missing folder gives an empty
// list. Sorted by name.
Status ListCaseFiles(const std::filesystem::path& dir, std::vector<std::filesystem::path>* files);
// Whether a name (ASCII letters folded to lower case) is one of those.
bool IsCaseFileName(std::string_view folded);

// Every entry of `dir` keyed by its name with ASCII letters folded to lower
// case (the first one in name order wins when two differ only in case).
Status ListFolderFolded(const std::filesystem::path& dir, std::map<std::string, DirEntry>* entries);

// True for the name of a temporary file left by a process that no longer
// runs: ours (".tessaly-tmp.PID.…") and those of the settings and report
// writers ("NAME.tmpPID" and "NAME.tmpPID-XXXXXX", NAME ending in .ini,
// .rtf, .txt or .dat).
bool IsDeadTempName(std::string_view name);

// Removes the temporary files of dead processes from `dir`.
Status RemoveDeadTemps(FileSteps& steps, const std::filesystem::path& dir);

// ASCII letters to lower case; other bytes unchanged.
std::string FoldAscii(std::string_view text);

// "无法<verb> <path>：<the reason errno gives>", e.g. verb "写入".
Status ErrnoError(std::string_view verb, const std::filesystem::path& path);

// Damage of the store's own files that RepairStore mends:
// "<what is wrong>；命例库需要修复", of the kind Status::Kind::kNeedsRepair.
Status StoreDamaged(const std::string& what);

}  // namespace tessaly
