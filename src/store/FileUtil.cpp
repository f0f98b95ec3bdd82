#include "store/FileUtil.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "common/SystemError.h"

namespace tessaly {
namespace fs = std::filesystem;

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

Status DirLock::Acquire(const fs::path& dir) {
    fd_.reset(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd_) return Status::Error("无法打开文件夹 " + dir.string() + "：" + SystemErrorText(errno));
    while (::flock(fd_.get(), LOCK_EX) != 0) {
        if (errno != EINTR) {
            return Status::Error("无法锁定 " + dir.string() + " 里的命例库：" + SystemErrorText(errno));
        }
    }
    return Status::Ok();
}

Status CopyFileDurably(const fs::path& from, const fs::path& to) {
    UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!in) return Status::Error("无法读取 " + from.string() + "：" + SystemErrorText(errno));
    UniqueFd out(::open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!out) return Status::Error("无法写入 " + to.string() + "：" + SystemErrorText(errno));
    std::string buf(1 << 20, '\0');
    for (;;) {
        const ssize_t n = ::read(in.get(), buf.data(), buf.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Status::Error("无法读取 " + from.string() + "：" + SystemErrorText(errno));
        }
        if (n == 0) break;
        for (ssize_t done = 0; done < n;) {
            const ssize_t w = ::write(out.get(), buf.data() + done, std::size_t(n - done));
            if (w < 0) {
                if (errno == EINTR) continue;
                return Status::Error("无法写入 " + to.string() + "：" + SystemErrorText(errno));
            }
            done += w;
        }
    }
    if (::fsync(out.get()) != 0) return Status::Error("无法写入 " + to.string() + "：" + SystemErrorText(errno));
    return Status::Ok();
}

std::string FoldAscii(std::string_view text) {
    std::string s(text);
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return s;
}

namespace {

Status ListFolder(const fs::path& dir, bool missingOk, std::vector<fs::directory_entry>* out) {
    std::error_code ec;
    if (!fs::exists(dir, ec)) {
        if (missingOk) return Status::Ok();
        return Status::Error("文件夹 " + dir.string() + " 不存在");
    }
    fs::directory_iterator it(dir, ec), end;
    if (ec) return Status::Error("无法列出 " + dir.string() + " 的内容：" + SystemErrorText(ec));
    for (; it != end; it.increment(ec)) {
        if (ec) return Status::Error("无法列出 " + dir.string() + " 的内容：" + SystemErrorText(ec));
        out->push_back(*it);
    }
    std::sort(out->begin(), out->end(),
              [](const auto& a, const auto& b) { return a.path().filename() < b.path().filename(); });
    return Status::Ok();
}

}  // namespace

Status ListDataFiles(const fs::path& datDir, std::string_view stem, std::vector<fs::path>* files) {
    files->clear();
    std::vector<fs::directory_entry> entries;
    if (Status s = ListFolder(datDir, false, &entries); !s) return s;
    for (const auto& e : entries) {
        const std::string name = e.path().filename().string();
        if (name.size() <= stem.size() + 4 || name.compare(0, stem.size(), stem) != 0 ||
            name.compare(name.size() - 4, 4, ".dat") != 0) {
            continue;
        }
        const std::string_view digits = std::string_view(name).substr(stem.size(), name.size() - stem.size() - 4);
        if (std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
            files->push_back(e.path());
        }
    }
    return Status::Ok();
}

Status ListReportFiles(const fs::path& dir, std::vector<fs::path>* files) {
    files->clear();
    std::vector<fs::directory_entry> entries;
    if (Status s = ListFolder(dir, true, &entries); !s) return s;
    for (const auto& e : entries) {
        const std::string name = FoldAscii(e.path().filename().string());
        std::error_code ec;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".rtf") == 0 && e.is_regular_file(ec)) {
            files->push_back(e.path());
        }
    }
    return Status::Ok();
}

Status ListFolderFolded(const fs::path& dir, std::map<std::string, fs::path>* entries) {
    entries->clear();
    std::vector<fs::directory_entry> list;
    if (Status s = ListFolder(dir, false, &list); !s) return s;
    for (const auto& e : list) entries->emplace(FoldAscii(e.path().filename().string()), e.path());
    return Status::Ok();
}

}  // namespace tessaly
