#include "store/StoreJournal.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <sstream>

#include "common/SystemError.h"
#include "store/StoreFormat.h"

namespace tessaly {
namespace fs = std::filesystem;
namespace {

constexpr std::string_view kMagic = "tessaly-store-journal 1";

const struct {
    JournalStep::Kind kind;
    std::string_view word;
} kKindWords[] = {
    {JournalStep::kRestoreBytes, "bytes"}, {JournalStep::kSetSize, "size"},
    {JournalStep::kMoveBack, "back"},      {JournalStep::kRemove, "remove"},
    {JournalStep::kUnmove, "unmove"},      {JournalStep::kMoveAllBack, "moveall"},
    {JournalStep::kClear, "clear"},        {JournalStep::kGeneration, "generation"},
};

std::string_view WordOf(JournalStep::Kind kind) {
    for (const auto& k : kKindWords) {
        if (k.kind == kind) return k.word;
    }
    return "?";
}

std::string Hex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    out.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        out += kDigits[static_cast<unsigned char>(c) >> 4];
        out += kDigits[static_cast<unsigned char>(c) & 0xF];
    }
    return out;
}

bool Unhex(std::string_view hex, std::string* bytes) {
    if (hex.size() % 2 != 0) return false;
    const auto digit = [](char c) { return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1; };
    bytes->clear();
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int hi = digit(hex[i]), lo = digit(hex[i + 1]);
        if (hi < 0 || lo < 0) return false;
        *bytes += static_cast<char>(hi * 16 + lo);
    }
    return true;
}

bool IsDigits(std::string_view s) {
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// What a name inside dat/ or bazi_f/ may be (kReport: a file a case keeps
// there, its report N.rtf or its input N.input).
// kSettings: the settings file that holds the category list.
enum class NameKind { kNone, kDataFile, kReport, kOwn, kSettings };

NameKind KindOfName(std::string_view name, std::string_view stem, bool inDat) {
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string_view::npos) return NameKind::kNone;
    if (name.starts_with(".tessaly-")) return NameKind::kOwn;
    if (inDat && name == "bzinit.ini") return NameKind::kSettings;
    if (inDat && name.starts_with(stem) && name.ends_with(".dat") &&
        IsDigits(name.substr(stem.size(), name.size() - stem.size() - 4))) {
        return NameKind::kDataFile;
    }
    if (!inDat && name.ends_with(".rtf") && IsDigits(name.substr(0, name.size() - 4))) return NameKind::kReport;
    if (!inDat && name.ends_with(".input") && IsDigits(name.substr(0, name.size() - 6))) return NameKind::kReport;
    return NameKind::kNone;
}

// A path of the journal: "dat", "bazi_f" (folderOnly), or one of them and a
// name of `allowed` kinds.
bool CheckPath(std::string_view path, const JournalPlace& place, bool folderOnly,
               std::initializer_list<NameKind> allowed) {
    const std::string reports = place.stem + "_f";
    const std::size_t slash = path.find('/');
    const std::string_view top = path.substr(0, slash);
    if (top != "dat" && top != reports) return false;
    if (folderOnly) return slash == std::string_view::npos;
    if (slash == std::string_view::npos) return false;
    const NameKind k = KindOfName(path.substr(slash + 1), place.stem, top == "dat");
    return std::find(allowed.begin(), allowed.end(), k) != allowed.end() && k != NameKind::kNone;
}

bool CheckStep(const JournalStep& s, const JournalPlace& place) {
    using enum NameKind;
    switch (s.kind) {
        case JournalStep::kRestoreBytes:
        case JournalStep::kSetSize: return CheckPath(s.path, place, false, {kDataFile}) && s.number >= -1;
        case JournalStep::kMoveBack:
            return CheckPath(s.path, place, false, {kOwn}) &&
                   CheckPath(s.path2, place, false, {kDataFile, kReport, kSettings});
        case JournalStep::kRemove: return CheckPath(s.path, place, false, {kDataFile, kReport, kOwn});
        case JournalStep::kUnmove:
            if (!CheckPath(s.path, place, false, {kOwn}) || !CheckPath(s.path2, place, true, {})) return false;
            return std::all_of(s.names.begin(), s.names.end(), [&](const std::string& n) {
                const NameKind k = KindOfName(n, place.stem, s.path2 == "dat");
                return k == kDataFile || k == kReport;
            });
        case JournalStep::kMoveAllBack:
            return CheckPath(s.path, place, false, {kOwn}) && CheckPath(s.path2, place, true, {});
        case JournalStep::kClear: return s.number >= 0 && s.number <= 255;
        case JournalStep::kGeneration: return s.number >= -1;
    }
    return false;
}

void EncodeStep(std::ostringstream& out, std::string_view section, const JournalStep& s) {
    out << section << ' ' << WordOf(s.kind);
    switch (s.kind) {
        case JournalStep::kRestoreBytes: out << ' ' << s.path << ' ' << s.number << ' ' << Hex(s.bytes); break;
        case JournalStep::kSetSize: out << ' ' << s.path << ' ' << s.number; break;
        case JournalStep::kMoveBack:
        case JournalStep::kMoveAllBack: out << ' ' << s.path << ' ' << s.path2; break;
        case JournalStep::kRemove: out << ' ' << s.path; break;
        case JournalStep::kUnmove:
            out << ' ' << s.path << ' ' << s.path2;
            for (const std::string& n : s.names) out << ' ' << n;
            break;
        case JournalStep::kClear:
        case JournalStep::kGeneration: out << ' ' << s.number; break;
    }
    out << '\n';
}

std::vector<std::string_view> Words(std::string_view line) {
    std::vector<std::string_view> words;
    for (std::size_t i = 0; i < line.size();) {
        const std::size_t sp = line.find(' ', i);
        const std::size_t end = sp == std::string_view::npos ? line.size() : sp;
        if (end > i) words.push_back(line.substr(i, end - i));
        i = end + 1;
    }
    return words;
}

bool ParseNumber(std::string_view s, std::int64_t* v) {
    const bool neg = s.starts_with('-');
    if (neg) s.remove_prefix(1);
    if (!IsDigits(s) || s.size() > 15) return false;
    *v = std::stoll(std::string(s)) * (neg ? -1 : 1);
    return true;
}

bool ParseStep(const std::vector<std::string_view>& w, JournalStep* s) {
    if (w.size() < 2) return false;
    const auto kind =
        std::find_if(std::begin(kKindWords), std::end(kKindWords), [&](const auto& k) { return k.word == w[1]; });
    if (kind == std::end(kKindWords)) return false;
    s->kind = kind->kind;
    const std::size_t n = w.size() - 2;
    const auto arg = [&](std::size_t i) { return std::string(w[2 + i]); };
    switch (s->kind) {
        case JournalStep::kRestoreBytes:
            if (n != 3) return false;
            s->path = arg(0);
            return ParseNumber(w[3], &s->number) && Unhex(w[4], &s->bytes);
        case JournalStep::kSetSize:
            if (n != 2) return false;
            s->path = arg(0);
            return ParseNumber(w[3], &s->number);
        case JournalStep::kMoveBack:
        case JournalStep::kMoveAllBack:
            if (n != 2) return false;
            s->path = arg(0);
            s->path2 = arg(1);
            return true;
        case JournalStep::kRemove:
            if (n != 1) return false;
            s->path = arg(0);
            return true;
        case JournalStep::kUnmove:
            if (n < 2) return false;
            s->path = arg(0);
            s->path2 = arg(1);
            for (std::size_t i = 2; i < n; ++i) s->names.push_back(arg(i));
            return true;
        case JournalStep::kClear:
        case JournalStep::kGeneration: return n == 1 && ParseNumber(w[2], &s->number);
    }
    return false;
}

bool Exists(const fs::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0;
}

Status RunStep(FileSteps& steps, const JournalPlace& place, const JournalStep& s) {
    const fs::path path = place.programDir / s.path;
    const fs::path path2 = place.programDir / s.path2;
    switch (s.kind) {
        case JournalStep::kRestoreBytes: {
            UniqueFd fd;
            if (Status st = OpenExisting(path, O_RDWR, &fd); !st) return st;
            return WriteAt(steps, fd.get(), path, s.bytes, off_t(s.number));
        }
        case JournalStep::kSetSize: {
            if (s.number < 0) return RemoveFile(steps, path);
            UniqueFd fd;
            if (Status st = OpenExisting(path, O_RDWR, &fd); !st) return st;
            std::uint64_t size = 0;
            if (Status st = SizeOf(fd.get(), path, &size); !st) return st;
            if (size == std::uint64_t(s.number)) return Status::Ok();
            return TruncateTo(steps, fd.get(), path, std::uint64_t(s.number));
        }
        case JournalStep::kMoveBack: return Exists(path) ? RenameFile(steps, path, path2) : Status::Ok();
        case JournalStep::kRemove: return RemoveTree(steps, path);
        case JournalStep::kUnmove:
            for (const std::string& name : s.names) {
                if (Exists(path / name) || !Exists(path2 / name)) continue;
                if (Status st = RenameFile(steps, path2 / name, path / name); !st) return st;
            }
            return Status::Ok();
        case JournalStep::kMoveAllBack: {
            std::vector<DirEntry> entries;
            if (Status st = ListDir(path, true, &entries); !st) return st;
            for (const DirEntry& e : entries) {
                if (Status st = RenameFile(steps, path / e.name, path2 / e.name); !st) return st;
            }
            return Status::Ok();
        }
        case JournalStep::kClear: return ClearStoreFiles(steps, place, static_cast<std::uint8_t>(s.number));
        case JournalStep::kGeneration:
            if (s.number < 0) return RemoveFile(steps, place.GenerationPath());
            return WriteGeneration(steps, place, std::uint64_t(s.number));
    }
    return Status::Error("未知的日志步骤");
}

Status SyncStoreDirs(const FileSteps& steps, const JournalPlace& place) {
    if (Status s = SyncDir(steps, place.programDir / "dat"); !s) return s;
    const fs::path reports = place.programDir / (place.stem + "_f");
    return Exists(reports) ? SyncDir(steps, reports) : Status::Ok();
}

}  // namespace

fs::path JournalPlace::JournalPath() const { return programDir / "dat" / (stem + ".journal"); }
fs::path JournalPlace::GenerationPath() const { return programDir / "dat" / (stem + ".generation"); }

Status CheckJournalAgainstFiles(const JournalPlace& place, const StoreJournal& journal) {
    const auto check = [&](const JournalStep& s) -> Status {
        if (s.kind != JournalStep::kRestoreBytes && s.kind != JournalStep::kSetSize) return Status::Ok();
        std::uint64_t size = 0;
        const DirEntry::Kind kind = KindAt(place.programDir / s.path, &size);
        if (kind == DirEntry::kMissing) size = 0;
        const std::uint64_t limit = size + kCaseRecordSize;
        const std::uint64_t end =
            s.kind == JournalStep::kRestoreBytes ? std::uint64_t(s.number) + s.bytes.size() : std::uint64_t(s.number);
        if (s.number >= 0 && end > limit) {
            return Status::Error(s.path + " 只有 " + std::to_string(size) + " 字节，日志却要写到第 " +
                                 std::to_string(end) + " 字节");
        }
        if (s.kind == JournalStep::kRestoreBytes && s.number < 0) return Status::Error("日志里有负的位置");
        return Status::Ok();
    };
    for (const auto* steps : {&journal.undo, &journal.finish}) {
        for (const JournalStep& s : *steps) {
            if (Status st = check(s); !st) return st;
        }
    }
    return Status::Ok();
}

Status ReadGeneration(const JournalPlace& place, std::uint64_t* generation) {
    *generation = 0;
    const fs::path path = place.GenerationPath();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!fd) return errno == ENOENT ? Status::Ok() : ErrnoError("读取", path);
    char buf[32];
    const ssize_t n = ::pread(fd.get(), buf, sizeof buf, 0);
    if (n < 0) return ErrnoError("读取", path);
    // Anything but a number counts as generation 0; the next change writes
    // a good one.
    std::uint64_t v = 0;
    for (ssize_t i = 0; i < n && buf[i] >= '0' && buf[i] <= '9' && i < 19; ++i)
        v = v * 10 + std::uint64_t(buf[i] - '0');
    *generation = v;
    return Status::Ok();
}

Status WriteGeneration(FileSteps& steps, const JournalPlace& place, std::uint64_t generation) {
    const fs::path header = place.programDir / "dat" / (place.stem + "0.dat");
    return ReplaceFile(steps, place.GenerationPath(), std::to_string(generation) + "\n", ModeOf(header));
}

std::string OperationText(std::string_view operation) {
    static constexpr struct {
        std::string_view word, text;
    } kTexts[] = {
        {"add", "添加命例"}, {"write", "改写命例"},  {"delete", "删除命例"},          {"clear", "清空命例库"},
        {"import", "导入"},  {"report", "写入命稿"}, {"rename-category", "修改类名"}, {"delete-category", "删除类别"},
    };
    for (const auto& t : kTexts) {
        if (t.word == operation) return std::string(t.text);
    }
    return std::string(operation);
}

std::string EncodeJournal(const StoreJournal& j) {
    std::ostringstream out;
    out << kMagic << '\n' << "operation " << j.operation << '\n' << "committed " << (j.committed ? 1 : 0) << '\n';
    for (const JournalStep& s : j.undo) EncodeStep(out, "undo", s);
    for (const JournalStep& s : j.finish) EncodeStep(out, "finish", s);
    out << "end\n";
    return out.str();
}

Status ParseJournal(std::string_view text, const JournalPlace& place, StoreJournal* j) {
    *j = StoreJournal{};
    std::vector<std::string_view> lines;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t nl = text.find('\n', i);
        if (nl == std::string_view::npos) return Status::Error("结尾缺了一截");
        lines.push_back(text.substr(i, nl - i));
        i = nl + 1;
    }
    if (lines.size() < 4 || lines.front() != kMagic || lines.back() != "end") {
        return Status::Error("不是本软件完整的日志");
    }
    const auto op = Words(lines[1]);
    const auto committed = Words(lines[2]);
    if (op.size() != 2 || op[0] != "operation" || committed.size() != 2 || committed[0] != "committed" ||
        (committed[1] != "0" && committed[1] != "1")) {
        return Status::Error("开头几行的格式不对");
    }
    j->operation = std::string(op[1]);
    j->committed = committed[1] == "1";
    for (std::size_t i = 3; i + 1 < lines.size(); ++i) {
        const auto w = Words(lines[i]);
        JournalStep step;
        if (w.empty() || (w[0] != "undo" && w[0] != "finish") || !ParseStep(w, &step) || !CheckStep(step, place)) {
            return Status::Error("第 " + std::to_string(i + 1) + " 行不是命例库会做的步骤");
        }
        (w[0] == "undo" ? j->undo : j->finish).push_back(std::move(step));
    }
    return Status::Ok();
}

Status WriteJournal(FileSteps& steps, const JournalPlace& place, const StoreJournal& journal) {
    return ReplaceFile(steps, place.JournalPath(), EncodeJournal(journal));
}

Status RunJournal(FileSteps& steps, const JournalPlace& place, const StoreJournal& journal) {
    if (Status st = CheckJournalAgainstFiles(place, journal); !st) return st;
    if (!journal.committed && !journal.undo.empty()) {
        for (const JournalStep& s : journal.undo) {
            if (Status st = RunStep(steps, place, s); !st) return st;
        }
        // Undone: from here on only the finishing steps may run again.
        if (Status st = SyncStoreDirs(steps, place); !st) return st;
        StoreJournal done{journal.operation, true, {}, journal.finish};
        if (Status st = WriteJournal(steps, place, done); !st) return st;
    }
    for (const JournalStep& s : journal.finish) {
        if (Status st = RunStep(steps, place, s); !st) return st;
    }
    if (!journal.finish.empty()) {
        if (Status st = SyncStoreDirs(steps, place); !st) return st;
    }
    if (Status st = RemoveFile(steps, place.JournalPath()); !st) return st;
    return SyncDir(steps, place.programDir / "dat");
}

Status RecoverJournal(FileSteps& steps, const JournalPlace& place, bool* found) {
    if (found) *found = false;
    const fs::path path = place.JournalPath();
    UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd) {
        if (errno == ENOENT) return Status::Ok();
        return StoreDamaged("无法读取命例库的操作日志 " + path.string() + "：" + SystemErrorText(errno));
    }
    if (found) *found = true;
    std::uint64_t size = 0;
    if (Status s = SizeOf(fd.get(), path, &size); !s) return s;
    if (size > (std::uint64_t(1) << 30)) {
        return StoreDamaged("命例库的操作日志 " + path.string() + " 已损坏（文件太大）");
    }
    std::string text(size, '\0');
    if (Status s = ReadAt(fd.get(), path, text.data(), text.size(), 0); !s) return s;
    fd.reset();
    StoreJournal journal;
    Status checked = ParseJournal(text, place, &journal);
    if (checked) checked = CheckJournalAgainstFiles(place, journal);
    if (!checked) {
        return StoreDamaged("命例库的操作日志 " + path.string() + " 已损坏（" + checked.message() + "）");
    }
    if (Status s = RunJournal(steps, place, journal); !s) {
        return StoreDamaged("上次中断的" + OperationText(journal.operation) +
                            (journal.committed ? "无法完成：" : "无法撤销：") + s.message());
    }
    return Status::Ok();
}

Status ClearStoreFiles(FileSteps& steps, const JournalPlace& place, std::uint8_t storeKind) {
    const fs::path dat = place.programDir / "dat";
    const fs::path reports = place.programDir / (place.stem + "_f");
    const fs::path header = dat / (place.stem + "0.dat");
    StoreHeader fresh;
    fresh.storeKind = storeKind;
    if (Status s = ReplaceFile(steps, header, EncodeStoreHeader(fresh)); !s) return s;
    std::vector<fs::path> doomed;
    if (Status s = ListDataFiles(dat, place.stem, &doomed); !s) return s;
    std::erase(doomed, header);
    std::vector<fs::path> reportFiles;
    if (Status s = ListCaseFiles(reports, &reportFiles); !s) return s;
    doomed.insert(doomed.end(), reportFiles.begin(), reportFiles.end());
    for (const fs::path& p : doomed) {
        if (Status s = RemoveFile(steps, p); !s) return s;
    }
    // What interrupted operations of dead processes left behind.
    for (const fs::path& dir : {dat, reports}) {
        if (Status s = RemoveDeadTemps(steps, dir); !s) return s;
        std::vector<DirEntry> entries;
        if (Status s = ListDir(dir, true, &entries); !s) return s;
        for (const DirEntry& e : entries) {
            if (!e.name.starts_with(".tessaly-") || e.name.starts_with(".tessaly-tmp.")) continue;
            if (Status s = RemoveTree(steps, dir / e.name); !s) return s;
        }
    }
    return SyncStoreDirs(steps, place);
}

}  // namespace tessaly
