// Small file helpers of the case store: descriptors that close themselves,
// durable copies and the listings the store works with.
#pragma once

#include <filesystem>
#include <map>
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

// Copies `from` over `to` and flushes the copy to the disk.
Status CopyFileDurably(const std::filesystem::path& from, const std::filesystem::path& to);

// The data files of a store in `datDir`: stem + decimal number + ".dat",
// exactly so spelled. Sorted by name.
Status ListDataFiles(const std::filesystem::path& datDir, std::string_view stem,
                     std::vector<std::filesystem::path>* files);

// Regular files in `dir` whose name ends in ".rtf" in any letter case; a
// missing folder gives an empty list. Sorted by name.
Status ListReportFiles(const std::filesystem::path& dir, std::vector<std::filesystem::path>* files);

// Every entry of `dir` keyed by its name with ASCII letters folded to lower
// case (the first one in name order wins when two differ only in case).
Status ListFolderFolded(const std::filesystem::path& dir, std::map<std::string, std::filesystem::path>* entries);

// ASCII letters to lower case; other bytes unchanged.
std::string FoldAscii(std::string_view text);

}  // namespace tessaly
