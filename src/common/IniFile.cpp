#include "common/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <random>
#include <system_error>

#include "common/SystemError.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace fs = std::filesystem;

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return true;
}

bool ParseInteger(std::string_view text, long* value) {
    text = Trim(text);
    if (text.empty()) return false;
    std::size_t i = 0;
    if (text[0] == '+' || text[0] == '-') i = 1;
    if (i == text.size()) return false;
    for (std::size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
    }
    long v = 0;
    const char* first = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [ptr, ec] = std::from_chars(first, text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size()) return false;
    *value = v;
    return true;
}

Status ReadFileBytes(const fs::path& path, std::string* bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return Status::Error("无法打开 " + path.string() + "：" + SystemErrorText(errno));
    std::string data;
    struct stat st;
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) data.reserve(static_cast<std::size_t>(st.st_size));
    char buf[16384];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            ::close(fd);
            return Status::Error("无法读取 " + path.string());
        }
        data.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    *bytes = std::move(data);
    return Status::Ok();
}

Status WriteFileAtomically(const fs::path& path, std::string_view bytes) {
    // A name of this process's own, created exclusively and without
    // following links: a file or link planted under the name is never
    // written through, another name is taken instead.
    struct stat old;
    const bool replaces = ::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    std::random_device random;
    fs::path tmp;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
        std::string suffix = ".tmp" + std::to_string(::getpid()) + "-";
        for (int i = 0; i < 6; ++i) suffix += kLetters[random() % (sizeof kLetters - 1)];
        tmp = path.string() + suffix;
        fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        return Status::Error("无法写入 " + path.string() + "：" + SystemErrorText(errno));
    }
    const auto fail = [&](const char* what) {
        const std::string why = SystemErrorText(errno);
        if (fd >= 0) ::close(fd);
        ::unlink(tmp.c_str());
        return Status::Error(std::string(what) + path.string() + "：" + why);
    };
    if (replaces && ::fchmod(fd, old.st_mode & 07777) != 0) return fail("无法写入 ");  // keep its mode
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("无法写入 ");
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) return fail("无法写入 ");
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0) return fail("无法写入 ");
    if (::rename(tmp.c_str(), path.c_str()) != 0) return fail("无法替换 ");
    return Status::Ok();
}

IniFile::IniFile(fs::path path) { Load(path); }

Status IniFile::Load(const fs::path& path) {
    path_ = path;
    lines_.clear();
    loadStatus_ = Status::Ok();
    std::error_code ec;
    if (!fs::exists(path, ec)) return loadStatus_;  // a missing file reads as empty
    std::string bytes;
    if (Status s = ReadFileBytes(path, &bytes); !s.ok()) {
        loadStatus_ = s;
        return s;
    }
    std::string_view view = bytes;
    std::string utf8;
    if (view.substr(0, 3) == "\xEF\xBB\xBF" && IsValidUtf8(view.substr(3))) {
        utf8.assign(view.substr(3));  // a file saved by a UTF-8 editor
    } else {
        CodecResult r = GbkToUtf8(view);
        if (!r.ok()) {
            loadStatus_ = Status::Error(path.string() + " 不是 GBK 文本文件（" + r.error + "）");
            return loadStatus_;
        }
        utf8 = std::move(r.text);
    }
    Parse(utf8);
    return loadStatus_;
}

void IniFile::Parse(std::string_view utf8) {
    lines_.clear();
    std::size_t pos = 0;
    while (pos <= utf8.size()) {
        std::size_t end = utf8.find('\n', pos);
        const bool last = end == std::string_view::npos;
        std::string_view raw = utf8.substr(pos, last ? std::string_view::npos : end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        if (last && raw.empty()) break;
        Line line;
        line.raw = std::string(raw);
        const std::string_view t = Trim(raw);
        if (t.size() >= 2 && t.front() == '[' && t.find(']') != std::string_view::npos) {
            line.kind = Line::kSection;
            line.name = std::string(Trim(t.substr(1, t.find(']') - 1)));
        } else if (!t.empty() && t.front() != ';' && t.front() != '#' && t.find('=') != std::string_view::npos) {
            line.kind = Line::kEntry;
            const std::size_t eq = t.find('=');
            line.name = std::string(Trim(t.substr(0, eq)));
            line.value = std::string(Trim(t.substr(eq + 1)));
        }
        lines_.push_back(std::move(line));
        if (last) break;
        pos = end + 1;
    }
}

std::size_t IniFile::FindSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::kSection && EqualsIgnoreAsciiCase(lines_[i].name, section)) return i;
    }
    return std::string::npos;
}

std::size_t IniFile::FindKey(std::size_t sectionLine, std::string_view key) const {
    for (std::size_t i = sectionLine + 1; i < lines_.size(); ++i) {
        if (lines_[i].kind == Line::kSection) break;
        if (lines_[i].kind == Line::kEntry && EqualsIgnoreAsciiCase(lines_[i].name, key)) return i;
    }
    return std::string::npos;
}

std::vector<std::string> IniFile::Sections() const {
    std::vector<std::string> out;
    for (const Line& l : lines_) {
        if (l.kind != Line::kSection) continue;
        bool seen = false;
        for (const std::string& s : out) seen = seen || EqualsIgnoreAsciiCase(s, l.name);
        if (!seen) out.push_back(l.name);
    }
    return out;
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
    std::vector<std::string> out;
    const std::size_t s = FindSection(section);
    if (s == std::string::npos) return out;
    for (std::size_t i = s + 1; i < lines_.size() && lines_[i].kind != Line::kSection; ++i) {
        if (lines_[i].kind != Line::kEntry) continue;
        bool seen = false;
        for (const std::string& k : out) seen = seen || EqualsIgnoreAsciiCase(k, lines_[i].name);
        if (!seen) out.push_back(lines_[i].name);
    }
    return out;
}

bool IniFile::HasKey(std::string_view section, std::string_view key) const {
    const std::size_t s = FindSection(section);
    return s != std::string::npos && FindKey(s, key) != std::string::npos;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view def) const {
    const std::size_t s = FindSection(section);
    if (s == std::string::npos) return std::string(def);
    const std::size_t k = FindKey(s, key);
    if (k == std::string::npos) return std::string(def);
    return lines_[k].value;
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long def) const {
    long v = 0;
    if (!ParseInteger(ReadString(section, key), &v)) return def;
    return v;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::size_t s = FindSection(section);
    if (s == std::string::npos) {
        // A new section goes at the end, after a blank line when the file has text.
        if (!lines_.empty() && !Trim(lines_.back().raw).empty()) lines_.push_back(Line{});
        Line header;
        header.kind = Line::kSection;
        header.name = std::string(section);
        lines_.push_back(std::move(header));
        s = lines_.size() - 1;
    }
    const std::size_t k = FindKey(s, key);
    if (k != std::string::npos) {
        lines_[k].value = std::string(value);
        return;
    }
    // Insert after the section's last entry (before the blank lines that
    // separate it from the next section).
    std::size_t at = s + 1;
    for (std::size_t i = s + 1; i < lines_.size() && lines_[i].kind != Line::kSection; ++i) {
        if (lines_[i].kind == Line::kEntry || !Trim(lines_[i].raw).empty()) at = i + 1;
    }
    Line entry;
    entry.kind = Line::kEntry;
    entry.name = std::string(key);
    entry.value = std::string(value);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? "1" : "0");
}

std::string IniFile::ToText() const {
    std::string out;
    for (const Line& l : lines_) {
        switch (l.kind) {
            case Line::kSection: out += "[" + l.name + "]"; break;
            case Line::kEntry: out += l.name + "=" + l.value; break;
            case Line::kOther: out += l.raw; break;
        }
        out += "\r\n";
    }
    return out;
}

Status IniFile::Save() const { return SaveAs(path_); }

Status IniFile::SaveAs(const fs::path& path) const {
    if (path.empty()) return Status::Error("设置文件没有文件名");
    CodecResult gbk = Utf8ToGbk(ToText());
    if (!gbk.ok()) {
        return Status::Error("无法保存 " + path.string() + "：有 GBK 无法表示的文字（" + gbk.error + "）");
    }
    return WriteFileAtomically(path, gbk.text);
}

}  // namespace tessaly
