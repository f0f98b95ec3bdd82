#include "store/FileUtil.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <random>

#include "common/SystemError.h"

namespace tessaly {
namespace fs = std::filesystem;

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

Status ErrnoError(std::string_view verb, const fs::path& path) {
    return Status::Error("无法" + std::string(verb) + " " + path.string() + "：" + SystemErrorText(errno));
}

Status StoreDamaged(const std::string& what) { return Status::NeedsRepair(what + "；命例库需要修复"); }

Status DirLock::Acquire(const fs::path& dir) {
    fd_.reset(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd_) return ErrnoError("打开文件夹", dir);
    while (::flock(fd_.get(), LOCK_EX) != 0) {
        if (errno != EINTR) return ErrnoError("锁定命例库文件夹", dir);
    }
    return Status::Ok();
}

std::optional<mode_t> ModeOf(const fs::path& existing) {
    struct stat st;
    if (::lstat(existing.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
    return st.st_mode & 07777;
}

Status OpenExisting(const fs::path& path, int flags, UniqueFd* fd) {
    fd->reset(::open(path.c_str(), flags | O_NOFOLLOW | O_CLOEXEC));
    if (*fd) return Status::Ok();
    if (errno == ENOENT) return Status::Error("文件 " + path.string() + " 不存在");
    if (errno == ELOOP) return Status::Error("无法打开 " + path.string() + "：这是符号链接，为安全起见不跟随");
    return ErrnoError("打开", path);
}

Status ReadAt(int fd, const fs::path& path, char* buf, std::size_t n, off_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fd, buf + done, n - done, offset + off_t(done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return ErrnoError("读取", path);
        }
        if (r == 0) {
            return StoreDamaged("命例库文件 " + path.string() + " 比文件头所记的短");
        }
        done += static_cast<std::size_t>(r);
    }
    return Status::Ok();
}

Status SizeOf(int fd, const fs::path& path, std::uint64_t* size) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return ErrnoError("读取", path);
    *size = static_cast<std::uint64_t>(st.st_size);
    return Status::Ok();
}

namespace {

Status Flush(const FileSteps& steps, int fd, const fs::path& path) {
    if (const int injected = steps.NextFlush(); injected != 0) {
        errno = injected;
        return ErrnoError("写入", path);
    }
    if (steps.sync && ::fsync(fd) != 0) return ErrnoError("写入", path);
    return Status::Ok();
}

Status WriteAll(FileSteps& steps, int fd, const fs::path& path, std::string_view bytes, off_t offset) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        steps.Next();
        const ssize_t w = ::pwrite(fd, bytes.data() + done, bytes.size() - done, offset + off_t(done));
        if (w < 0) {
            if (errno == EINTR) continue;
            return ErrnoError("写入", path);
        }
        done += static_cast<std::size_t>(w);
    }
    return Status::Ok();
}

}  // namespace

Status WriteAt(FileSteps& steps, int fd, const fs::path& path, std::string_view bytes, off_t offset) {
    if (Status s = WriteAll(steps, fd, path, bytes, offset); !s) return s;
    return Flush(steps, fd, path);
}

Status TruncateTo(FileSteps& steps, int fd, const fs::path& path, std::uint64_t size) {
    steps.Next();
    if (::ftruncate(fd, off_t(size)) != 0) return ErrnoError("写入", path);
    return Flush(steps, fd, path);
}

fs::path TempPathIn(const fs::path& dir) {
    static const unsigned long long salt = std::random_device{}();
    static std::atomic<unsigned> counter{0};
    const unsigned long long n = salt * 0x9E3779B97F4A7C15ull + counter.fetch_add(1);
    char name[64];
    std::snprintf(name, sizeof name, ".tessaly-tmp.%d.%08llx", int(::getpid()), n & 0xFFFFFFFFull);
    return dir / name;
}

Status CreateExclusive(FileSteps& steps, const fs::path& path, std::optional<mode_t> mode, UniqueFd* fd) {
    steps.Next();
    fd->reset(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode ? *mode : 0644));
    if (!*fd) return ErrnoError("创建", path);
    if (mode && ::fchmod(fd->get(), *mode) != 0) return ErrnoError("创建", path);
    return Status::Ok();
}

Status WriteNewFile(FileSteps& steps, const fs::path& temp, std::string_view bytes, std::optional<mode_t> mode) {
    UniqueFd fd;
    if (Status s = CreateExclusive(steps, temp, mode, &fd); !s) return s;
    if (Status s = WriteAll(steps, fd.get(), temp, bytes, 0); !s) return s;
    return Flush(steps, fd.get(), temp);
}

Status ReplaceFile(FileSteps& steps, const fs::path& target, std::string_view bytes, std::optional<mode_t> newMode) {
    const std::optional<mode_t> old = ModeOf(target);
    const fs::path temp = TempPathIn(target.parent_path());
    Status s = WriteNewFile(steps, temp, bytes, old ? old : newMode);
    if (s) s = RenameFile(steps, temp, target);
    if (s) return SyncDir(steps, target.parent_path());
    ::unlink(temp.c_str());
    return s;
}

Status CopyToNewFile(FileSteps& steps, const fs::path& from, const fs::path& to, std::optional<mode_t> mode) {
    UniqueFd in;
    if (Status s = OpenExisting(from, O_RDONLY, &in); !s) return s;
    struct stat st;
    if (::fstat(in.get(), &st) != 0) return ErrnoError("读取", from);
    if (!S_ISREG(st.st_mode)) return Status::Error("无法读取 " + from.string() + "：它不是普通文件");
    UniqueFd out;
    if (Status s = CreateExclusive(steps, to, mode ? *mode : (st.st_mode & 07777), &out); !s) return s;
    std::string buf(std::size_t(std::clamp<off_t>(st.st_size + 1, 1, 1 << 20)), '\0');
    for (off_t at = 0;;) {
        const ssize_t n = ::read(in.get(), buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrnoError("读取", from);
        }
        if (n == 0) break;
        if (Status s = WriteAll(steps, out.get(), to, std::string_view(buf.data(), std::size_t(n)), at); !s) {
            return s;
        }
        at += n;
    }
    return Flush(steps, out.get(), to);
}

Status RenameFile(FileSteps& steps, const fs::path& from, const fs::path& to) {
    steps.Next();
    if (::rename(from.c_str(), to.c_str()) != 0) {
        return Status::Error("无法把 " + from.string() + " 移到 " + to.string() + "：" + SystemErrorText(errno));
    }
    return Status::Ok();
}

Status RemoveFile(FileSteps& steps, const fs::path& path, bool missingOk) {
    steps.Next();
    if (::unlink(path.c_str()) != 0 && !(missingOk && errno == ENOENT)) return ErrnoError("删除", path);
    return Status::Ok();
}

Status MakeDir(FileSteps& steps, const fs::path& path) {
    steps.Next();
    if (::mkdir(path.c_str(), 0755) == 0) return Status::Ok();
    struct stat st;
    if (errno == EEXIST && ::lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Status::Ok();
    if (errno == EEXIST) return Status::Error("无法创建文件夹 " + path.string() + "：已有同名的文件");
    return ErrnoError("创建文件夹", path);
}

Status RemoveTree(FileSteps& steps, const fs::path& path) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) {
        if (errno == ENOENT) return Status::Ok();
        return ErrnoError("删除", path);
    }
    if (!S_ISDIR(st.st_mode)) return RemoveFile(steps, path);
    std::vector<DirEntry> entries;
    if (Status s = ListDir(path, true, &entries); !s) return s;
    for (const DirEntry& e : entries) {
        if (Status s = RemoveTree(steps, path / e.name); !s) return s;
    }
    steps.Next();
    if (::rmdir(path.c_str()) != 0 && errno != ENOENT) return ErrnoError("删除文件夹", path);
    return Status::Ok();
}

Status SyncDir(const FileSteps& steps, const fs::path& dir) {
    if (const int injected = steps.NextFlush(); injected != 0) {
        errno = injected;
        return ErrnoError("写入文件夹", dir);
    }
    if (!steps.sync) return Status::Ok();
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd || ::fsync(fd.get()) != 0) return ErrnoError("写入文件夹", dir);
    return Status::Ok();
}

DirEntry::Kind KindAt(const fs::path& path, std::uint64_t* size) {
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0) return DirEntry::kMissing;
    if (size) *size = static_cast<std::uint64_t>(st.st_size);
    return S_ISREG(st.st_mode)   ? DirEntry::kFile
           : S_ISDIR(st.st_mode) ? DirEntry::kDir
           : S_ISLNK(st.st_mode) ? DirEntry::kLink
                                 : DirEntry::kOther;
}

std::string FoldAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

Status ListDir(const fs::path& dir, bool missingOk, std::vector<DirEntry>* entries) {
    entries->clear();
    DIR* d = ::opendir(dir.c_str());
    if (d == nullptr) {
        if (errno == ENOENT && missingOk) return Status::Ok();
        if (errno == ENOENT) return Status::Error("文件夹 " + dir.string() + " 不存在");
        return ErrnoError("读取文件夹", dir);
    }
    errno = 0;
    while (const dirent* e = ::readdir(d)) {
        const std::string_view name = e->d_name;
        if (name == "." || name == "..") continue;
        DirEntry entry{std::string(name), DirEntry::kOther};
        unsigned char type = e->d_type;
        if (type == DT_UNKNOWN) {
            struct stat st;
            if (::fstatat(::dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0) {
                type = S_ISREG(st.st_mode)   ? DT_REG
                       : S_ISDIR(st.st_mode) ? DT_DIR
                       : S_ISLNK(st.st_mode) ? DT_LNK
                                             : DT_FIFO;
            }
        }
        entry.kind = type == DT_REG   ? DirEntry::kFile
                     : type == DT_DIR ? DirEntry::kDir
                     : type == DT_LNK ? DirEntry::kLink
                                      : DirEntry::kOther;
        entries->push_back(std::move(entry));
        errno = 0;
    }
    const int err = errno;
    ::closedir(d);
    if (err != 0) {
        errno = err;
        return ErrnoError("读取文件夹", dir);
    }
    std::sort(entries->begin(), entries->end(), [](const DirEntry& a, const DirEntry& b) { return a.name < b.name; });
    return Status::Ok();
}

namespace {

bool AllDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Status ListDataFiles(const fs::path& datDir, std::string_view stem, std::vector<fs::path>* files) {
    files->clear();
    std::vector<DirEntry> entries;
    if (Status s = ListDir(datDir, false, &entries); !s) return s;
    for (const DirEntry& e : entries) {
        const std::string_view name = e.name;
        if (name.size() > stem.size() + 4 && name.starts_with(stem) && name.ends_with(".dat") &&
            AllDigits(name.substr(stem.size(), name.size() - stem.size() - 4))) {
            files->push_back(datDir / e.name);
        }
    }
    return Status::Ok();
}

bool IsCaseFileName(std::string_view folded) {
    return (folded.ends_with(".rtf") && folded.size() > 4) || (folded.ends_with(".input") && folded.size() > 6);
}

Status ListCaseFiles(const fs::path& dir, std::vector<fs::path>* files) {
    files->clear();
    std::vector<DirEntry> entries;
    if (Status s = ListDir(dir, true, &entries); !s) return s;
    for (const DirEntry& e : entries) {
        if (e.kind != DirEntry::kDir && IsCaseFileName(FoldAscii(e.name))) files->push_back(dir / e.name);
    }
    return Status::Ok();
}

Status ListFolderFolded(const fs::path& dir, std::map<std::string, DirEntry>* entries) {
    entries->clear();
    std::vector<DirEntry> list;
    if (Status s = ListDir(dir, false, &list); !s) return s;
    for (DirEntry& e : list) entries->emplace(FoldAscii(e.name), std::move(e));
    return Status::Ok();
}

bool IsDeadTempName(std::string_view name) {
    std::string_view pid;
    if (name.starts_with(".tessaly-tmp.")) {
        pid = name.substr(13);
        pid = pid.substr(0, pid.find('.'));
    } else if (const std::size_t at = name.rfind(".tmp"); at != std::string_view::npos) {
        // Only beside the program's own kinds of file.
        const std::string base = FoldAscii(name.substr(0, at));
        if (!base.ends_with(".ini") && !base.ends_with(".rtf") && !base.ends_with(".txt") && !base.ends_with(".dat")) {
            return false;
        }
        pid = name.substr(at + 4);
        if (const std::size_t dash = pid.find('-'); dash != std::string_view::npos) {
            if (pid.size() - dash - 1 != 6) return false;
            pid = pid.substr(0, dash);
        }
    }
    if (!AllDigits(pid) || pid.size() > 9) return false;
    const long n = std::stol(std::string(pid));
    return n > 0 && ::kill(pid_t(n), 0) != 0 && errno == ESRCH;
}

Status RemoveDeadTemps(FileSteps& steps, const fs::path& dir) {
    std::vector<DirEntry> entries;
    if (Status s = ListDir(dir, true, &entries); !s) return s;
    for (const DirEntry& e : entries) {
        if (e.kind == DirEntry::kDir || !IsDeadTempName(e.name)) continue;
        if (Status s = RemoveFile(steps, dir / e.name); !s) return s;
    }
    return Status::Ok();
}

}  // namespace tessaly
