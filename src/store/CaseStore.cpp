#include "store/CaseStore.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "common/IniFile.h"
#include "common/SystemError.h"
#include "common/TextCodec.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace fs = std::filesystem;
namespace {

// Same file or folder; false when either does not exist.
bool SamePlace(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

// Folder names of the store's own, inside dat/ and bazi_f/.
constexpr std::string_view kImportStaging = ".tessaly-import-staging";
constexpr std::string_view kImportPrevious = ".tessaly-import-previous";

JournalStep Step(JournalStep::Kind kind, std::string path, std::string path2 = {}) {
    JournalStep s{kind, std::move(path), std::move(path2), 0, {}, {}};
    return s;
}
JournalStep RestoreBytes(std::string path, std::int64_t offset, std::string bytes) {
    JournalStep s = Step(JournalStep::kRestoreBytes, std::move(path));
    s.number = offset;
    s.bytes = std::move(bytes);
    return s;
}
JournalStep SetSize(std::string path, std::int64_t size) {
    JournalStep s = Step(JournalStep::kSetSize, std::move(path));
    s.number = size;
    return s;
}

// Putting a case's new file (its report, its input file) in place of
// whatever its slot has there, or taking that away: planned (and written
// into the journal) before anything changes, done after.
struct CaseFileSwap {
    fs::path target, temp, aside;
    const std::string* bytes = nullptr;  // the new contents; nullptr: the file goes
    bool replaces = false;               // a file (or link) is there and moves aside

    bool Acts() const { return bytes != nullptr || replaces; }
};

// The journal's name of a file in dat/ or in the report folder.
std::string JournalName(const JournalPlace& place, const fs::path& file) {
    const std::string name = file.filename().string();
    return file.parent_path().filename() == "dat" ? place.DatName(name) : place.ReportName(name);
}

Status PlanSwap(const fs::path& target, const std::string* bytes, const JournalPlace& place, StoreJournal* j,
                CaseFileSwap* swap) {
    const fs::path dir = target.parent_path();
    const std::string name = target.filename().string();
    swap->target = target;
    swap->bytes = bytes;
    swap->temp = TempPathIn(dir);
    swap->aside = dir / (".tessaly-aside." + name);
    const DirEntry::Kind there = KindAt(target);
    if (there == DirEntry::kDir) return Status::Error("无法写入 " + target.string() + "：" + SystemErrorText(EISDIR));
    swap->replaces = there != DirEntry::kMissing;
    if (!swap->Acts()) return Status::Ok();
    j->undo.push_back(swap->replaces
                          ? Step(JournalStep::kMoveBack, JournalName(place, swap->aside), JournalName(place, target))
                          : Step(JournalStep::kRemove, JournalName(place, target)));
    if (bytes) j->finish.push_back(Step(JournalStep::kRemove, JournalName(place, swap->temp)));
    return Status::Ok();
}

// The new file keeps the mode of the one it replaces, else gets `mode`.
Status DoSwap(FileSteps& steps, const CaseFileSwap& swap, std::optional<mode_t> mode) {
    if (!swap.Acts()) return Status::Ok();
    Status s;
    if (swap.bytes) {
        const std::optional<mode_t> old = ModeOf(swap.target);
        s = WriteNewFile(steps, swap.temp, *swap.bytes, old ? old : mode);
    }
    if (s && swap.replaces) s = RenameFile(steps, swap.target, swap.aside);
    if (s && swap.bytes) s = RenameFile(steps, swap.temp, swap.target);
    if (s) s = SyncDir(steps, swap.target.parent_path());
    return s;
}

// Once the change is done, the files put aside go. True when there are
// any (the journal is then rewritten as committed before they go).
bool FinishSwaps(std::initializer_list<const CaseFileSwap*> swaps, const JournalPlace& place, StoreJournal* j) {
    j->finish.clear();
    for (const CaseFileSwap* swap : swaps) {
        if (swap->replaces) j->finish.push_back(Step(JournalStep::kRemove, JournalName(place, swap->aside)));
    }
    return !j->finish.empty();
}

// "N.rtf" or "N.input" with N written as the store writes slots (no sign,
// no leading zero); -1 for any other name.
std::int64_t SlotOfCaseFileName(std::string_view folded) {
    const std::size_t suffix = folded.ends_with(".rtf") ? 4 : folded.ends_with(".input") ? 6 : 0;
    if (suffix == 0) return -1;
    const std::string_view digits = folded.substr(0, folded.size() - suffix);
    if (digits.empty() || digits.size() > 10 || (digits.size() > 1 && digits[0] == '0')) return -1;
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) return -1;
    const std::int64_t n = std::stoll(std::string(digits));
    return n <= INT32_MAX ? n : -1;
}

}  // namespace

// What one operation holds while it runs.
struct CaseStore::Session {
    DirLock lock;
    UniqueFd headerFd;
    StoreHeader header;
    std::string headerBytes;  // the 20 bytes as read
};

fs::path CaseStore::DataFilePath(int k) const { return datDir_ / (stem_ + std::to_string(k) + ".dat"); }
fs::path CaseStore::ReportDir() const { return programDir_ / (stem_ + "_f"); }
fs::path CaseStore::ReportPath(std::int32_t slot) const { return ReportDir() / (std::to_string(slot) + ".rtf"); }
fs::path CaseStore::InputPath(std::int32_t slot) const { return ReportDir() / (std::to_string(slot) + ".input"); }

Status CaseStore::CheckOpened() const {
    if (stem_.empty()) return Status::Error("命例库没有打开");
    return Status::Ok();
}

Status CaseStore::LoadHeader(int fd, StoreHeader* h, std::string* raw) const {
    const fs::path path = HeaderPath();
    std::uint64_t size = 0;
    if (Status s = SizeOf(fd, path, &size); !s) return s;
    if (size < kStoreHeaderSize) {
        return StoreDamaged(path.string() + " 的文件头已损坏（只有 " + std::to_string(size) + " 字节，应有 " +
                            std::to_string(kStoreHeaderSize) + " 字节）");
    }
    char buf[kStoreHeaderSize];
    if (Status s = ReadAt(fd, path, buf, sizeof buf, 0); !s) return s;
    DecodeStoreHeader(std::string_view(buf, sizeof buf), h);
    if (raw != nullptr) raw->assign(buf, sizeof buf);
    if (h->storeKind != storeKind_) {
        return Status::Error(path.string() + " 是类型 " + std::to_string(h->storeKind) + " 的数据，不是本软件的命例库");
    }
    if (h->count < 0 || h->fileCount < FilesNeeded(h->count)) {
        return StoreDamaged(path.string() + " 的文件头已损坏（记录数 " + std::to_string(h->count) + "，文件数 " +
                            std::to_string(h->fileCount) + "）");
    }
    return Status::Ok();
}

Status CaseStore::CheckDataFiles(const StoreHeader& h) const {
    for (int k = 0; k < FilesNeeded(h.count); ++k) {
        const fs::path path = DataFilePath(k);
        std::uint64_t size = 0;
        const DirEntry::Kind what = KindAt(path, &size);
        if (what == DirEntry::kMissing) {
            return StoreDamaged("命例库文件 " + path.string() + " 不见了");
        }
        if (what != DirEntry::kFile)
            return Status::Error("命例库文件 " + path.string() + " 不是普通文件（为安全起见，不跟随符号链接）");
        if (size < BytesNeeded(h.count, k)) {
            return StoreDamaged("命例库文件 " + path.string() + " 有 " + std::to_string(size) + " 字节，文件头需要 " +
                                std::to_string(BytesNeeded(h.count, k)) + " 字节");
        }
    }
    return Status::Ok();
}

Status CaseStore::Begin(Access access, Session* s) {
    if (Status st = CheckOpened(); !st) return st;
    if (Status st = s->lock.Acquire(datDir_); !st) return st;
    steps_.count = 0;
    if (Status st = RecoverJournal(steps_, Place()); !st) return st;
    if (Status st = OpenExisting(HeaderPath(), access == Access::kWrite ? O_RDWR : O_RDONLY, &s->headerFd); !st) {
        return st;
    }
    if (Status st = LoadHeader(s->headerFd.get(), &s->header, &s->headerBytes); !st) return st;
    return access == Access::kWrite ? CheckDataFiles(s->header) : Status::Ok();
}

Status CaseStore::Undo(const StoreJournal& journal, const Status& failure) {
    const Status undone = RunJournal(steps_, Place(), journal);
    const std::string operation = OperationText(journal.operation);
    if (undone) return Status::Error(failure.message() + "；" + operation + "已撤销，什么都没有改变");
    return StoreDamaged(failure.message() + "；撤销" + operation + "也失败了（" + undone.message() + "）");
}

namespace {

// A failure once the change stands, as the user reads it: a warning.
Status Stands(const std::string& operation, const Status& failure, std::string_view rest = {}) {
    if (failure.ok()) return failure;
    return Status::OkWithWarning(failure.message() + "；" + OperationText(operation) + "已经生效" + std::string(rest));
}

// The first warning, with the second's message after it.
Status BothWarnings(const Status& first, const Status& second) {
    if (!first.hasWarning()) return second;
    if (!second.hasWarning()) return first;
    return Status::OkWithWarning(first.message() + "；" + second.message());
}

}  // namespace

Status CaseStore::Commit(StoreJournal journal, bool rewriteFirst) {
    StoreJournal done{journal.operation, true, {}, journal.finish};
    if (!rewriteFirst) {
        // The commit point: the journal goes.
        if (Status s = RemoveFile(steps_, Place().JournalPath()); !s) return Undo(journal, s);
        return Stands(done.operation, SyncDir(steps_, datDir_));
    }
    bool placed = false;
    const Status s = PlaceCommitted(done, &placed);
    if (!placed) return Undo(journal, s);
    return BothWarnings(s, FinishCommitted(done));
}

Status CaseStore::PlaceCommitted(const StoreJournal& done, bool* placed) {
    *placed = false;
    const fs::path path = Place().JournalPath();
    const fs::path temp = TempPathIn(datDir_);
    Status s = WriteNewFile(steps_, temp, EncodeJournal(done), ModeOf(path));
    if (s) s = RenameFile(steps_, temp, path);
    if (!s) {
        ::unlink(temp.c_str());
        return s;
    }
    *placed = true;
    return Stands(done.operation, SyncDir(steps_, datDir_));
}

Status CaseStore::FinishCommitted(const StoreJournal& journal) {
    // The committed journal is on disk: the change stands, and the next use
    // of the store finishes what is left. Saying "failed" would be untrue.
    return Stands(journal.operation, RunJournal(steps_, Place(), journal), "，余下的收尾在下次使用命例库时完成");
}

Status CaseStore::PlanGeneration(StoreJournal* j, std::uint64_t* next) const {
    const JournalPlace place = Place();
    std::uint64_t now = 0;
    if (Status s = ReadGeneration(place, &now); !s) return s;
    JournalStep back{JournalStep::kGeneration, {}, {}, std::int64_t(now), {}, {}};
    if (KindAt(place.GenerationPath()) == DirEntry::kMissing) back.number = -1;
    j->undo.push_back(back);
    *next = now + 1;
    return Status::Ok();
}

Status CaseStore::Generation(std::uint64_t* generation) {
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    return ReadGeneration(Place(), generation);
}

namespace {

// FNV-1a, 64 bits: enough to tell a changed case from the one read.
struct Digest {
    std::uint64_t h = 0xcbf29ce484222325ull;
    void Add(std::string_view bytes) {
        for (const char c : bytes) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001b3ull;
        }
    }
    std::string Hex() const {
        char out[17];
        std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(h));
        return out;
    }
};

// A file of a case into the digest: its bytes, or what is there instead.
Status AddFileToDigest(const fs::path& path, Digest* d) {
    std::uint64_t size = 0;
    const DirEntry::Kind kind = KindAt(path, &size);
    if (kind != DirEntry::kFile) {
        d->Add(kind == DirEntry::kMissing ? "M" : "O");
        return Status::Ok();
    }
    UniqueFd fd;
    if (Status s = OpenExisting(path, O_RDONLY | O_NONBLOCK, &fd); !s) return s;
    d->Add("F" + std::to_string(size) + ":");
    std::string block(std::size_t(64) << 10, '\0');
    for (;;) {
        const ssize_t n = ::read(fd.get(), block.data(), block.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return ErrnoError("读取", path);
        }
        if (n == 0) break;
        d->Add(std::string_view(block.data(), std::size_t(n)));
    }
    return Status::Ok();
}

}  // namespace

Status CaseStore::DigestOfSlot(std::int32_t slot, std::string* digest) const {
    const fs::path data = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenExisting(data, O_RDONLY, &fd); !s) return s;
    char buf[kCaseRecordSize];
    if (Status s = ReadAt(fd.get(), data, buf, sizeof buf, OffsetOfSlot(slot)); !s) return s;
    Digest d;
    d.Add(std::string_view(buf, sizeof buf));
    if (Status s = AddFileToDigest(ReportPath(slot), &d); !s) return s;
    if (Status s = AddFileToDigest(InputPath(slot), &d); !s) return s;
    *digest = d.Hex();
    return Status::Ok();
}

Status CaseStore::CheckBasis(std::int32_t slot, const CaseBasis* basis) const {
    if (basis == nullptr || basis->digest.empty()) return Status::Ok();
    std::string now;
    if (Status s = DigestOfSlot(slot, &now); !s) return s;
    if (now != basis->digest) return Status::Error(std::string(kCaseChangedMessage));
    return Status::Ok();
}

Status CaseStore::CaseDigest(std::int32_t slot, std::string* digest) {
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    if (slot < 0 || slot >= ses.header.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " +
                             std::to_string(ses.header.count) + " 个记录位置）");
    }
    return DigestOfSlot(slot, digest);
}

Status CaseStore::Open(const fs::path& programDir, std::uint8_t storeKind) {
    const std::string_view stem = StoreStem(storeKind);
    if (stem.empty()) return Status::Error("未知的命例库类型 " + std::to_string(storeKind));
    programDir_ = programDir;
    datDir_ = programDir / "dat";
    stem_ = std::string(stem);
    storeKind_ = storeKind;

    if (KindAt(datDir_) != DirEntry::kDir) return Status::Error("文件夹 " + datDir_.string() + " 不存在");
    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;
    steps_.count = 0;
    if (Status s = RecoverJournal(steps_, Place()); !s) return s;
    if (Status s = RemoveDeadTemps(steps_, datDir_); !s) return s;

    const fs::path header = HeaderPath();
    if (KindAt(header) == DirEntry::kMissing) {
        StoreHeader fresh;
        fresh.storeKind = storeKind;
        if (Status s = ReplaceFile(steps_, header, EncodeStoreHeader(fresh)); !s) {
            return Status::Error("无法创建命例库文件 " + header.string() + "（" + s.message() + "）");
        }
    }
    const fs::path reports = ReportDir();
    if (const DirEntry::Kind f = KindAt(reports); f == DirEntry::kMissing) {
        if (Status s = MakeDir(steps_, reports); !s) return s;
    } else if (f != DirEntry::kDir) {
        return Status::Error("命稿文件夹 " + reports.string() + " 不是文件夹（为安全起见，不跟随符号链接）");
    }
    UniqueFd fd;
    if (Status s = OpenExisting(header, O_RDONLY, &fd); !s) return s;
    StoreHeader h;
    if (Status s = LoadHeader(fd.get(), &h); !s) return s;
    return CheckDataFiles(h);
}

Status CaseStore::ReadHeader(StoreHeader* header) {
    Session s;
    if (Status st = Begin(Access::kRead, &s); !st) return st;
    *header = s.header;
    return Status::Ok();
}

Status CaseStore::RecordCount(std::int32_t* count) {
    StoreHeader h;
    if (Status s = ReadHeader(&h); !s) return s;
    *count = h.count;
    return Status::Ok();
}

// Walks slots 0..count−1 in slot order, reading each data file in blocks of
// many records; visit(slot, 1296 bytes) returns false to stop.
Status CaseStore::ScanRecords(const StoreHeader& h,
                              const std::function<bool(std::int32_t, std::string_view)>& visit) const {
    // Blocks small enough to stay in the processor's cache between the copy
    // and the look at them.
    const std::int32_t kBlockRecords = std::clamp(h.count, 1, 200);
    std::string block(std::size_t(kBlockRecords) * kCaseRecordSize, '\0');
    for (int k = 0; k < FilesNeeded(h.count); ++k) {
        const std::int32_t inFile = RecordsInFile(h.count, k);
        if (inFile == 0) break;
        const fs::path path = DataFilePath(k);
        UniqueFd fd;
        if (Status s = OpenExisting(path, O_RDONLY, &fd); !s) return s;
        const std::int32_t first = k * kRecordsPerFile;
        for (std::int32_t i = 0; i < inFile; i += kBlockRecords) {
            const std::int32_t n = std::min(kBlockRecords, inFile - i);
            if (Status s =
                    ReadAt(fd.get(), path, block.data(), std::size_t(n) * kCaseRecordSize, OffsetOfSlot(first + i));
                !s) {
                return s;
            }
            for (std::int32_t j = 0; j < n; ++j) {
                if (!visit(first + i + j,
                           std::string_view(block.data() + std::size_t(j) * kCaseRecordSize, kCaseRecordSize))) {
                    return Status::Ok();
                }
            }
        }
    }
    return Status::Ok();
}

Status CaseStore::Add(CaseRecord* record, const CaseFiles* files) {
    if (Status s = CheckOpened(); !s) return s;
    // Refuse texts GBK cannot hold before anything is written.
    std::string bytes;
    if (Status s = EncodeCaseRecord(*record, &bytes); !s) return s;

    Session ses;
    if (Status s = Begin(Access::kWrite, &ses); !s) return s;
    const StoreHeader& h = ses.header;
    StoreHeader next = h;
    std::int32_t slot = -1;
    if (h.reuseFlag == 1 && h.deletedCount > 0) {
        if (Status s = ScanRecords(h,
                                   [&](std::int32_t at, std::string_view rec) {
                                       if (MarkOfRecord(rec) != 1) return true;
                                       slot = at;
                                       return false;
                                   });
            !s) {
            return s;
        }
    }
    if (slot >= 0) {
        next.deletedCount = h.deletedCount - 1;
        if (next.deletedCount <= 0) next.deletedCount = next.reuseFlag = 0;
    } else {
        // Appending. In reuse mode this means the counter promised deleted
        // slots the marks do not show: it is wrong, and is set right.
        if (h.count == INT32_MAX) return Status::Error("命例库已满");
        next.deletedCount = std::max(0, h.reuseFlag == 1 ? 0 : h.deletedCount);
        next.reuseFlag = 0;
        slot = h.count;
        next.count = h.count + 1;
        next.fileCount = static_cast<std::int16_t>(FilesNeeded(next.count));
    }
    record->slot = slot;
    record->deleted = 0;
    if (Status s = EncodeCaseRecord(*record, &bytes); !s) return s;

    // What the data file holds where the record goes, for the way back.
    const fs::path data = DataFilePath(FileOfSlot(slot));
    const std::string dataName = data.filename().string();
    const off_t at = OffsetOfSlot(slot);
    UniqueFd fd;
    std::int64_t oldSize = -1;
    std::string oldBytes;
    if (KindAt(data) != DirEntry::kMissing) {
        std::uint64_t size = 0;
        if (Status s = OpenExisting(data, O_RDWR, &fd); !s) return s;
        if (Status s = SizeOf(fd.get(), data, &size); !s) return s;
        oldSize = static_cast<std::int64_t>(size);
        if (oldSize > at) {
            oldBytes.resize(std::min<std::size_t>(kCaseRecordSize, std::size_t(oldSize - at)));
            if (Status s = ReadAt(fd.get(), data, oldBytes.data(), oldBytes.size(), at); !s) return s;
        }
    }
    const std::optional<mode_t> storeMode = ModeOf(HeaderPath());
    const JournalPlace place = Place();
    StoreJournal j{"add", false, {}, {}};
    CaseFileSwap report, input;
    if (files) {
        const std::string* typed = files->input ? &*files->input : nullptr;
        Status s = PlanSwap(ReportPath(slot), &files->report, place, &j, &report);
        if (s) s = PlanSwap(InputPath(slot), typed, place, &j, &input);
        if (!s) return Status::Error("命稿无法写入，命例没有保存：" + s.message());
    }
    if (!oldBytes.empty()) j.undo.push_back(RestoreBytes(place.DatName(dataName), at, oldBytes));
    j.undo.push_back(SetSize(place.DatName(dataName), oldSize));
    j.undo.push_back(RestoreBytes(place.DatName(HeaderPath().filename().string()), 0, ses.headerBytes));
    std::uint64_t generation = 0;
    if (Status s = PlanGeneration(&j, &generation); !s) return s;
    if (Status s = WriteJournal(steps_, place, j); !s) return s;

    Status s = WriteGeneration(steps_, place, generation);
    if (s) s = DoSwap(steps_, report, storeMode);
    if (s) s = DoSwap(steps_, input, storeMode);
    if (s && oldSize < 0) {
        s = CreateExclusive(steps_, data, storeMode, &fd);
        if (s) s = SyncDir(steps_, datDir_);
    }
    if (s) s = WriteAt(steps_, fd.get(), data, bytes, at);
    if (s && betweenWrites_) betweenWrites_();
    if (s) s = WriteAt(steps_, ses.headerFd.get(), HeaderPath(), EncodeStoreHeader(next), 0);
    if (!s) return Undo(j, s);
    const bool asides = FinishSwaps({&report, &input}, place, &j);
    return Commit(std::move(j), asides);
}

Status CaseStore::AddRecord(CaseRecord* record) { return Add(record, nullptr); }

Status CaseStore::AddCase(CaseRecord* record, const StyledReport& report) {
    CaseFiles files;
    if (Status s = WriteRtf(report, &files.report); !s) {
        return Status::Error("命稿无法写入，命例没有保存：" + s.message());
    }
    return Add(record, &files);
}

Status CaseStore::AddCase(CaseRecord* record, const std::array<PersonRecord, 2>& typed, const StyledReport& report) {
    CaseFiles files;
    if (Status s = WriteRtf(report, &files.report); !s) {
        return Status::Error("命稿无法写入，命例没有保存：" + s.message());
    }
    files.input = EncodeCaseInput(*record, typed);
    return Add(record, &files);
}

Status CaseStore::ReadRecord(std::int32_t slot, CaseRecord* record) {
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    if (slot < 0 || slot >= ses.header.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " +
                             std::to_string(ses.header.count) + " 个记录位置）");
    }
    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenExisting(path, O_RDONLY, &fd); !s) return s;
    char buf[kCaseRecordSize];
    if (Status s = ReadAt(fd.get(), path, buf, sizeof buf, OffsetOfSlot(slot)); !s) return s;
    *record = DecodeCaseRecord(std::string_view(buf, sizeof buf));
    return Status::Ok();
}

Status CaseStore::ReadCase(std::int32_t slot, StoredCase* stored) {
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    if (slot < 0 || slot >= ses.header.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " +
                             std::to_string(ses.header.count) + " 个记录位置）");
    }
    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenExisting(path, O_RDONLY, &fd); !s) return s;
    char buf[kCaseRecordSize];
    if (Status s = ReadAt(fd.get(), path, buf, sizeof buf, OffsetOfSlot(slot)); !s) return s;
    const CaseRecord record = DecodeCaseRecord(std::string_view(buf, sizeof buf));
    std::string digest;
    if (Status s = DigestOfSlot(slot, &digest); !s) return s;
    const auto done = [&] {
        stored->digest = std::move(digest);
        return Status::Ok();
    };

    // The input file, read under the same lock as its record.
    const fs::path input = InputPath(slot);
    std::uint64_t size = 0;
    const DirEntry::Kind kind = KindAt(input, &size);
    if (kind == DirEntry::kMissing) {
        *stored = DecodeCaseInput(record, nullptr);
        return done();
    }
    std::string text;
    Status problem;
    if (kind != DirEntry::kFile) {
        problem = Status::Error(input.string() + " 不是普通文件");
    } else if (size > kMaxInputFileBytes) {
        problem = Status::Error(input.string() + " 太大，不是输入记录");
    } else {
        UniqueFd in;
        text.resize(size);
        problem = OpenExisting(input, O_RDONLY, &in);
        if (problem) problem = ReadAt(in.get(), input, text.data(), text.size(), 0);
    }
    if (!problem) {
        *stored = DecodeCaseInput(record, nullptr);
        stored->inputProblem = problem;
        return done();
    }
    *stored = DecodeCaseInput(record, &text);
    if (!stored->inputProblem)
        stored->inputProblem = Status::Error(input.string() + "：" + stored->inputProblem.message());
    return done();
}

Status CaseStore::Write(std::int32_t slot, const CaseRecord& record, const CaseFiles* files, CaseBasis* basis) {
    if (Status s = CheckOpened(); !s) return s;
    std::string bytes;
    if (Status s = EncodeCaseRecord(record, &bytes); !s) return s;
    Session ses;
    if (Status s = Begin(Access::kWrite, &ses); !s) return s;
    if (slot < 0 || slot >= ses.header.count) {
        return Status::Error("无法写入第 " + std::to_string(slot) + " 号记录：命例库只有 " +
                             std::to_string(ses.header.count) + " 个记录位置，新命例只能添加");
    }
    const fs::path data = DataFilePath(FileOfSlot(slot));
    const off_t at = OffsetOfSlot(slot);
    UniqueFd fd;
    if (Status s = OpenExisting(data, O_RDWR, &fd); !s) return s;
    std::string oldBytes(kCaseRecordSize, '\0');
    if (Status s = ReadAt(fd.get(), data, oldBytes.data(), oldBytes.size(), at); !s) return s;
    if (Status s = CheckBasis(slot, basis); !s) return s;

    const JournalPlace place = Place();
    StoreJournal j{"write", false, {}, {}};
    CaseFileSwap report, input;
    if (files) {
        const std::string* typed = files->input ? &*files->input : nullptr;
        Status s = PlanSwap(ReportPath(slot), &files->report, place, &j, &report);
        if (s) s = PlanSwap(InputPath(slot), typed, place, &j, &input);
        if (!s) return Status::Error("命稿无法写入，改动没有保存：" + s.message());
    }
    j.undo.push_back(RestoreBytes(place.DatName(data.filename().string()), at, oldBytes));
    std::uint64_t generation = 0;
    if (Status s = PlanGeneration(&j, &generation); !s) return s;
    if (Status s = WriteJournal(steps_, place, j); !s) return s;

    const std::optional<mode_t> storeMode = ModeOf(HeaderPath());
    Status s = WriteGeneration(steps_, place, generation);
    if (s) s = DoSwap(steps_, report, storeMode);
    if (s) s = DoSwap(steps_, input, storeMode);
    if (s) s = WriteAt(steps_, fd.get(), data, bytes, at);
    if (!s) return Undo(j, s);
    const bool asides = FinishSwaps({&report, &input}, place, &j);
    const Status committed = Commit(std::move(j), asides);
    // The case's new digest, still under the lock, for the next change
    // based on it.
    if (committed && basis != nullptr && !DigestOfSlot(slot, &basis->digest).ok()) basis->digest.clear();
    return committed;
}

Status CaseStore::WriteRecord(std::int32_t slot, const CaseRecord& record, CaseBasis* basis) {
    return Write(slot, record, nullptr, basis);
}

Status CaseStore::WriteCase(std::int32_t slot, const CaseRecord& record, const StyledReport& report, CaseBasis* basis) {
    CaseFiles files;
    if (Status s = WriteRtf(report, &files.report); !s) {
        return Status::Error("命稿无法写入，改动没有保存：" + s.message());
    }
    return Write(slot, record, &files, basis);
}

Status CaseStore::WriteCase(std::int32_t slot, const CaseRecord& record, const std::array<PersonRecord, 2>& typed,
                            const StyledReport& report, CaseBasis* basis) {
    CaseFiles files;
    if (Status s = WriteRtf(report, &files.report); !s) {
        return Status::Error("命稿无法写入，改动没有保存：" + s.message());
    }
    files.input = EncodeCaseInput(record, typed);
    return Write(slot, record, &files, basis);
}

Status CaseStore::PutReport(std::int32_t slot, const StyledReport& styled, CaseBasis* basis) {
    if (Status s = CheckOpened(); !s) return s;
    std::string rtf;
    if (Status s = WriteRtf(styled, &rtf); !s) return Status::Error("命稿无法写入：" + s.message());
    Session ses;
    if (Status s = Begin(Access::kWrite, &ses); !s) return s;
    if (slot < 0 || slot >= ses.header.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " +
                             std::to_string(ses.header.count) + " 个记录位置）");
    }
    const fs::path data = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenExisting(data, O_RDONLY, &fd); !s) return s;
    char mark = 0;
    if (Status s = ReadAt(fd.get(), data, &mark, 1, OffsetOfSlot(slot) + off_t(kMarkOffset)); !s) return s;
    if (Status s = CheckBasis(slot, basis); !s) return s;
    if (mark != 0) return Status::Error("第 " + std::to_string(slot) + " 号命例已经删除了");

    const JournalPlace place = Place();
    StoreJournal j{"report", false, {}, {}};
    CaseFileSwap report;
    if (Status s = PlanSwap(ReportPath(slot), &rtf, place, &j, &report); !s) return s;
    std::uint64_t generation = 0;
    if (Status s = PlanGeneration(&j, &generation); !s) return s;
    if (Status s = WriteJournal(steps_, place, j); !s) return s;
    Status s = WriteGeneration(steps_, place, generation);
    if (s) s = DoSwap(steps_, report, ModeOf(HeaderPath()));
    if (!s) return Undo(j, s);
    const bool asides = FinishSwaps({&report}, place, &j);
    const Status committed = Commit(std::move(j), asides);
    if (committed && basis != nullptr && !DigestOfSlot(slot, &basis->digest).ok()) basis->digest.clear();
    return committed;
}

Status CaseStore::Delete(std::int32_t slot, bool withReport, const CaseBasis* basis) {
    Session ses;
    if (Status s = Begin(Access::kWrite, &ses); !s) return s;
    const StoreHeader& h = ses.header;
    if (slot < 0 || slot >= h.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " + std::to_string(h.count) +
                             " 个记录位置）");
    }
    const fs::path data = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenExisting(data, O_RDWR, &fd); !s) return s;
    const off_t markAt = OffsetOfSlot(slot) + off_t(kMarkOffset);
    char mark = 0;
    if (Status s = ReadAt(fd.get(), data, &mark, 1, markAt); !s) return s;
    if (Status s = CheckBasis(slot, basis); !s) return s;
    if (mark != 0) return Status::Error("第 " + std::to_string(slot) + " 号命例已经删除了");
    StoreHeader next = h;
    next.deletedCount = std::max(0, h.deletedCount) + 1;
    if (next.deletedCount >= kReuseThreshold) next.reuseFlag = 1;

    // The case's report and input file go with it (a folder of that name
    // is no file of the case and stays).
    const JournalPlace place = Place();
    StoreJournal j{"delete", false, {}, {}};
    CaseFileSwap report, input;
    for (auto [path, swap] : {std::pair{ReportPath(slot), &report}, std::pair{InputPath(slot), &input}}) {
        if (!withReport || KindAt(path) == DirEntry::kDir) continue;
        if (Status s = PlanSwap(path, nullptr, place, &j, swap); !s) return s;
    }
    j.undo.push_back(RestoreBytes(place.DatName(data.filename().string()), markAt, std::string(1, '\0')));
    j.undo.push_back(RestoreBytes(place.DatName(HeaderPath().filename().string()), 0, ses.headerBytes));
    std::uint64_t generation = 0;
    if (Status s = PlanGeneration(&j, &generation); !s) return s;
    if (Status s = WriteJournal(steps_, place, j); !s) return s;

    Status s = WriteGeneration(steps_, place, generation);
    if (s) s = DoSwap(steps_, report, std::nullopt);
    if (s) s = DoSwap(steps_, input, std::nullopt);
    if (s) s = WriteAt(steps_, fd.get(), data, std::string_view("\1", 1), markAt);
    if (s && betweenWrites_) betweenWrites_();
    if (s) s = WriteAt(steps_, ses.headerFd.get(), HeaderPath(), EncodeStoreHeader(next), 0);
    if (!s) return Undo(j, s);
    const bool asides = FinishSwaps({&report, &input}, place, &j);
    return Commit(std::move(j), asides);
}

Status CaseStore::ChangeCases(std::string_view operation, const CasesPlan& plan, std::vector<std::int32_t>* changed) {
    changed->clear();
    if (Status s = CheckOpened(); !s) return s;
    Session ses;
    if (Status s = Begin(Access::kWrite, &ses); !s) return s;

    // The plan, made on the store and the settings file as they are now.
    IniFile settings;
    std::uint64_t settingsSize = 0;
    const DirEntry::Kind settingsKind = KindAt(SettingsPath(), &settingsSize);
    if (settingsKind == DirEntry::kFile) {
        if (settingsSize > kMaxSettingsFileBytes) {
            return Status::Error("类别列表 " + SettingsPath().string() + " 太大（" + std::to_string(settingsSize) +
                                 " 字节），不是设置文件");
        }
        if (Status s = settings.Load(SettingsPath()); !s) return s;
    }
    const CaseScan scan = [&](const std::function<bool(const CaseRecord&)>& visit) {
        CaseRecord record;
        return ScanRecords(ses.header, [&](std::int32_t, std::string_view rec) {
            if (MarkOfRecord(rec) != 0) return true;
            DecodeCaseRecord(rec, &record, CaseTexts::kAll);
            return visit(record);
        });
    };
    CasesChange planned;
    if (Status s = plan(scan, &settings, &planned); !s) return s;

    std::map<std::int32_t, int> wanted;  // slot -> 1 refile, 2 remove, 3 both
    for (const std::int32_t slot : planned.refile) wanted[slot] |= 1;
    for (const std::int32_t slot : planned.remove) wanted[slot] |= 2;
    if (!wanted.empty() && (wanted.begin()->first < 0 || wanted.rbegin()->first >= ses.header.count)) {
        const std::int32_t bad = wanted.begin()->first < 0 ? wanted.begin()->first : wanted.rbegin()->first;
        return Status::Error("没有第 " + std::to_string(bad) + " 号命例（命例库共有 " +
                             std::to_string(ses.header.count) + " 个记录位置）");
    }
    // Every record as it is and as it will be, read under the lock.
    struct Change {
        std::int32_t slot;
        off_t at;
        std::string before, after;
    };
    std::vector<Change> changes;
    std::map<int, UniqueFd> files;
    std::int32_t removed = 0;
    for (const auto& [slot, what] : wanted) {
        const int k = FileOfSlot(slot);
        const fs::path data = DataFilePath(k);
        UniqueFd& fd = files[k];
        if (!fd) {
            if (Status s = OpenExisting(data, O_RDWR, &fd); !s) return s;
        }
        Change c{slot, OffsetOfSlot(slot), std::string(kCaseRecordSize, '\0'), {}};
        if (Status s = ReadAt(fd.get(), data, c.before.data(), c.before.size(), c.at); !s) return s;
        if (MarkOfRecord(c.before) != 0) continue;
        c.after = c.before;
        if (what & 1) {
            CaseRecord r = DecodeCaseRecord(c.before);
            r.category = planned.category;
            if (Status s = EncodeCaseRecord(r, &c.after); !s) return s;
        }
        if (what & 2) {
            c.after[kMarkOffset] = 1;
            ++removed;
        }
        if (c.after != c.before) changes.push_back(std::move(c));
    }
    std::string settingsBytes;
    if (planned.settingsChanged) {
        if (settingsKind != DirEntry::kFile) {
            return Status::Error("类别列表 " + SettingsPath().string() + " 不是普通文件（为安全起见，不跟随符号链接）");
        }
        const CodecResult gbk = Utf8ToGbk(settings.ToText());
        if (!gbk.ok()) return Status::Error("无法保存 " + SettingsPath().string() + "：" + gbk.error);
        settingsBytes = gbk.text;
    }
    if (changes.empty() && !planned.settingsChanged) return Status::Ok();  // nothing to change
    StoreHeader next = ses.header;
    if (removed > 0) {
        next.deletedCount = std::max(0, next.deletedCount) + removed;
        if (next.deletedCount >= kReuseThreshold) next.reuseFlag = 1;
    }

    const JournalPlace place = Place();
    StoreJournal j{std::string(operation), false, {}, {}};
    CaseFileSwap list;
    if (planned.settingsChanged) {
        if (Status s = PlanSwap(SettingsPath(), &settingsBytes, place, &j, &list); !s) return s;
    }
    for (const Change& c : changes) {
        j.undo.push_back(
            RestoreBytes(place.DatName(DataFilePath(FileOfSlot(c.slot)).filename().string()), c.at, c.before));
    }
    if (removed > 0) {
        j.undo.push_back(RestoreBytes(place.DatName(HeaderPath().filename().string()), 0, ses.headerBytes));
    }
    std::uint64_t generation = 0;
    if (Status s = PlanGeneration(&j, &generation); !s) return s;
    if (Status s = WriteJournal(steps_, place, j); !s) return s;
    Status s = WriteGeneration(steps_, place, generation);
    if (s) s = DoSwap(steps_, list, ModeOf(HeaderPath()));
    for (const Change& c : changes) {
        if (!s) break;
        s = WriteAt(steps_, files[FileOfSlot(c.slot)].get(), DataFilePath(FileOfSlot(c.slot)), c.after, c.at);
    }
    if (s && removed > 0 && betweenWrites_) betweenWrites_();
    if (s && removed > 0) s = WriteAt(steps_, ses.headerFd.get(), HeaderPath(), EncodeStoreHeader(next), 0);
    if (!s) return Undo(j, s);
    for (const Change& c : changes) changed->push_back(c.slot);
    const bool asides = FinishSwaps({&list}, place, &j);
    return Commit(std::move(j), asides);
}

Status CaseStore::RecategorizeCases(const std::vector<std::int32_t>& slots, std::string_view category,
                                    std::vector<std::int32_t>* changed) {
    return ChangeCases(
        "rename-category",
        [&](const CaseScan&, IniFile*, CasesChange* change) {
            change->refile = slots;
            change->category = std::string(category);
            return Status::Ok();
        },
        changed);
}

Status CaseStore::DeleteCases(const std::vector<std::int32_t>& slots, std::vector<std::int32_t>* deleted) {
    return ChangeCases(
        "delete-category",
        [&](const CaseScan&, IniFile*, CasesChange* change) {
            change->remove = slots;
            return Status::Ok();
        },
        deleted);
}

Status CaseStore::DeleteRecord(std::int32_t slot, const CaseBasis* basis) { return Delete(slot, false, basis); }
Status CaseStore::DeleteCase(std::int32_t slot, const CaseBasis* basis) { return Delete(slot, true, basis); }

Status CaseStore::SearchRecords(SearchCriteria* c, std::vector<std::int32_t>* slots) {
    if (Status s = CheckOpened(); !s) return s;
    slots->clear();
    CaseMatcher matcher;
    if (Status s = CaseMatcher::Make(*c, &matcher); !s) return s;
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    ses.headerFd.reset();
    if (ses.header.storeKind < 3) c->thirdMode = 0;
    return ScanRecords(ses.header, [&](std::int32_t slot, std::string_view rec) {
        if (matcher.Matches(rec)) slots->push_back(slot);
        return true;
    });
}

Status CaseStore::VisitCases(const SearchCriteria& criteria, const std::function<bool(const CaseRecord&)>& visit,
                             CaseTexts texts) {
    if (Status s = CheckOpened(); !s) return s;
    CaseMatcher matcher;
    if (Status s = CaseMatcher::Make(criteria, &matcher); !s) return s;
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    ses.headerFd.reset();
    CaseRecord record;
    return ScanRecords(ses.header, [&](std::int32_t, std::string_view rec) {
        if (!matcher.Matches(rec)) return true;
        DecodeCaseRecord(rec, &record, texts);
        return visit(record);
    });
}

Status CaseStore::SearchCases(const SearchCriteria& criteria, std::vector<CaseRecord>* found) {
    found->clear();
    return VisitCases(criteria, [&](const CaseRecord& r) {
        found->push_back(r);
        return true;
    });
}

Status CaseStore::ForEachRecord(const std::function<bool(const CaseRecord&)>& visit) {
    return VisitCases(SearchCriteria{}, visit);
}

Status CaseStore::ClearAll() {
    if (Status s = CheckOpened(); !s) return s;
    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;
    steps_.count = 0;
    if (Status s = RecoverJournal(steps_, Place()); !s) return s;
    // Rolled forward from the start: once the journal is there, a crash
    // leaves a clear that the next operation finishes.
    StoreJournal j{"clear", true, {}, {}};
    JournalStep clear = Step(JournalStep::kClear, "");
    clear.number = storeKind_;
    j.finish.push_back(clear);
    std::uint64_t generation = 0;
    if (Status s = ReadGeneration(Place(), &generation); !s) return s;
    JournalStep advance = Step(JournalStep::kGeneration, "");
    advance.number = std::int64_t(generation + 1);
    j.finish.push_back(advance);
    bool placed = false;
    const Status s = PlaceCommitted(j, &placed);
    if (!placed) return s;  // nothing changed
    return BothWarnings(s, FinishCommitted(j));
}

Status CaseStore::ExportTo(const fs::path& destDir, std::vector<std::string>* skipped) {
    if (Status s = CheckOpened(); !s) return s;
    if (destDir.empty()) return Status::Error("没有指定导出的文件夹");
    std::error_code ec;
    fs::create_directories(destDir, ec);
    if (ec || !fs::is_directory(destDir, ec)) {
        return Status::Error("无法创建导出文件夹 " + destDir.string() +
                             (ec ? "：" + SystemErrorText(ec) : std::string()));
    }
    if (SamePlace(destDir, datDir_) || SamePlace(destDir, programDir_) || SamePlace(destDir, ReportDir())) {
        return Status::Error("不能导出到软件自己的文件夹（" + destDir.string() + "），请选择别的文件夹");
    }
    Session ses;
    if (Status s = Begin(Access::kRead, &ses); !s) return s;
    ses.headerFd.reset();
    const auto copy = [&](const fs::path& from, const fs::path& to) {
        const fs::path temp = TempPathIn(to.parent_path());
        Status s = CopyToNewFile(steps_, from, temp);
        if (s) s = RenameFile(steps_, temp, to);
        if (!s) ::unlink(temp.c_str());
        return s;
    };
    for (int k = 0; k < ses.header.fileCount; ++k) {
        const fs::path from = DataFilePath(k);
        if (k >= FilesNeeded(ses.header.count) && KindAt(from) == DirEntry::kMissing) continue;
        if (Status s = copy(from, destDir / from.filename()); !s) return s;
    }
    if (Status s = SyncDir(steps_, destDir); !s) return s;
    const fs::path destReports = destDir / (stem_ + "_f");
    if (const DirEntry::Kind f = KindAt(destReports); f == DirEntry::kMissing) {
        if (Status s = MakeDir(steps_, destReports); !s) return s;
    } else if (f != DirEntry::kDir) {
        return Status::Error("无法导出到 " + destReports.string() + "：它不是文件夹（为安全起见，不跟随符号链接）");
    }
    std::vector<DirEntry> entries;
    if (Status s = ListDir(ReportDir(), true, &entries); !s) return s;
    for (const DirEntry& e : entries) {
        if (!IsCaseFileName(FoldAscii(e.name)) || e.kind == DirEntry::kDir) continue;
        if (e.kind != DirEntry::kFile) {
            if (skipped) skipped->push_back((ReportDir() / e.name).string() + " 不是普通文件");
            continue;
        }
        if (Status s = copy(ReportDir() / e.name, destReports / e.name); !s) return s;
    }
    return SyncDir(steps_, destReports);
}

Status CaseStore::ImportFrom(const fs::path& headerFile, std::vector<std::string>* skipped) {
    if (Status s = CheckOpened(); !s) return s;
    const std::string headerName = stem_ + "0.dat";
    const auto refuse = [&](const std::string& why) {
        return Status::Error("无法导入 " + headerFile.string() + "：" + why + "；什么都没有改变");
    };
    if (const DirEntry::Kind f = KindAt(headerFile); f != DirEntry::kFile) {
        return f == DirEntry::kLink || f == DirEntry::kOther
                   ? refuse("它不是普通文件（为安全起见，不跟随符号链接）")
                   : Status::Error("无法导入：" + headerFile.string() + " 不是文件");
    }
    if (!EqualsIgnoreAsciiCase(headerFile.filename().string(), headerName)) {
        return Status::Error("无法导入 " + headerFile.string() + "：请选择导出的历史记录中的 " + headerName);
    }
    fs::path srcDir = headerFile.parent_path();
    if (srcDir.empty()) srcDir = ".";
    if (SamePlace(srcDir, datDir_) || SamePlace(srcDir, programDir_)) {
        return Status::Error("不能把软件自己的命例库导入到自身（" + srcDir.string() + "）");
    }

    // 1. The header and the sizes of the data files, before anything is copied.
    std::string headBytes(kStoreHeaderSize, '\0');
    {
        UniqueFd fd;
        if (Status s = OpenExisting(headerFile, O_RDONLY, &fd); !s) return refuse(s.message());
        if (Status s = ReadAt(fd.get(), headerFile, headBytes.data(), kStoreHeaderSize, 0); !s) {
            return refuse("它不是命例库（文件太短）");
        }
    }
    StoreHeader h;
    DecodeStoreHeader(headBytes, &h);
    if (h.storeKind != storeKind_) return refuse("它不是本软件的命例库（类型 " + std::to_string(h.storeKind) + "）");
    if (h.count < 0 || h.deletedCount < 0 || h.deletedCount > h.count || h.reuseFlag > 1 ||
        (h.reuseFlag == 1 && h.deletedCount == 0)) {
        return refuse("它的文件头已损坏");
    }
    if (h.fileCount != FilesNeeded(h.count)) {
        return refuse("它的文件头为 " + std::to_string(h.count) + " 条记录写了 " + std::to_string(h.fileCount) +
                      " 个数据文件");
    }
    std::map<std::string, DirEntry> srcFiles;  // lower-case name -> entry
    if (Status s = ListFolderFolded(srcDir, &srcFiles); !s) return s;
    std::vector<fs::path> dataFiles;
    for (int k = 0; k < h.fileCount; ++k) {
        const std::string name = stem_ + std::to_string(k) + ".dat";
        const auto it = srcFiles.find(name);
        if (it == srcFiles.end()) return refuse("缺少 " + name);
        const fs::path path = k == 0 ? headerFile : srcDir / it->second.name;
        std::uint64_t size = 0;
        if (KindAt(path, &size) != DirEntry::kFile) return refuse(path.filename().string() + " 不是普通文件");
        const std::uint64_t need = BytesNeeded(h.count, k);
        if (size < need || size > (k == 0 ? kStoreHeaderSize : 0) + kDataFileBytes) {
            return refuse(path.filename().string() + " 有 " + std::to_string(size) + " 字节，文件头需要 " +
                          std::to_string(need) + " 字节");
        }
        dataFiles.push_back(path);
    }
    // The files of the cases: regular files named N.rtf (reports) and
    // N.input (what was typed) only, the first spelling of a name in name
    // order; keyed by the name they get here.
    std::map<std::string, std::pair<std::int32_t, fs::path>> caseFiles;
    const auto skip = [&](const std::string& what) {
        if (skipped) skipped->push_back(what);
    };
    if (const auto it = srcFiles.find(stem_ + "_f"); it != srcFiles.end()) {
        const fs::path srcReports = srcDir / it->second.name;
        std::vector<DirEntry> entries;
        if (it->second.kind != DirEntry::kDir) {
            skip(srcReports.string() + " 不是文件夹");
        } else if (Status s = ListDir(srcReports, false, &entries); !s) {
            return s;
        }
        for (const DirEntry& e : entries) {
            const std::string folded = FoldAscii(e.name);
            const std::int64_t slot = SlotOfCaseFileName(folded);
            if (e.kind != DirEntry::kFile) {
                if (e.kind != DirEntry::kDir) skip((srcReports / e.name).string() + " 不是普通文件");
            } else if (slot < 0 || slot >= h.count) {
                skip((srcReports / e.name).string() + " 不是历史记录中命例的命稿");
            } else if (!caseFiles.emplace(folded, std::pair{std::int32_t(slot), srcReports / e.name}).second) {
                skip((srcReports / e.name).string() + " 与另一个命稿同名");
            }
        }
    }

    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;
    steps_.count = 0;
    if (Status s = RecoverJournal(steps_, Place()); !s) return s;

    // 2. Copy into staging folders beside the targets, and check the copies,
    //    record by record: the source may change while it is read.
    const JournalPlace place = Place();
    const fs::path reportDir = ReportDir();
    const fs::path dataStage = datDir_ / kImportStaging, reportStage = reportDir / kImportStaging;
    const fs::path dataAside = datDir_ / kImportPrevious, reportAside = reportDir / kImportPrevious;
    StoreJournal j{"import", false, {}, {}};
    for (const std::string_view dir : {kImportStaging, kImportPrevious}) {
        j.finish.push_back(Step(JournalStep::kRemove, place.DatName(dir)));
        j.finish.push_back(Step(JournalStep::kRemove, place.ReportName(dir)));
    }
    if (Status s = WriteJournal(steps_, place, j); !s) return s;
    const std::optional<mode_t> storeMode = ModeOf(HeaderPath());
    const auto modeFor = [&](const fs::path& target) { return ModeOf(target) ? ModeOf(target) : storeMode; };
    Status s;
    if (KindAt(reportDir) == DirEntry::kMissing) s = MakeDir(steps_, reportDir);
    if (s) s = MakeDir(steps_, dataStage);
    if (s) s = MakeDir(steps_, reportStage);
    std::vector<std::string> dataNames, reportNames;
    for (std::size_t k = 0; k < dataFiles.size() && s; ++k) {
        dataNames.push_back(DataFilePath(int(k)).filename().string());
        s = CopyToNewFile(steps_, dataFiles[k], dataStage / dataNames.back(), modeFor(DataFilePath(int(k))));
    }
    std::vector<bool> live(std::size_t(h.count), false);
    Status checked;  // the verdict on the copies
    // The cities of the program's own place list, when it has one.
    IniFile dili;
    if (KindAt(datDir_ / "dili.ini") == DirEntry::kFile) dili.Load(datDir_ / "dili.ini");
    RecordCheck recordCheck(dili.loadStatus().ok() && !dili.Sections().empty() ? &dili : nullptr);
    if (s) {
        std::string copied(kStoreHeaderSize, '\0');
        UniqueFd fd;
        s = OpenExisting(dataStage / headerName, O_RDONLY, &fd);
        if (s) s = ReadAt(fd.get(), dataStage / headerName, copied.data(), copied.size(), 0);
        if (s && copied != headBytes) checked = refuse("复制的过程中它的文件变了");
    }
    for (std::size_t k = 0; k < dataFiles.size() && s && checked; ++k) {
        const fs::path path = dataStage / dataNames[k];
        UniqueFd fd;
        s = OpenExisting(path, O_RDONLY, &fd);
        std::string block(kCaseRecordSize * std::size_t(std::clamp(h.count, 1, 1024)), '\0');
        const std::int32_t first = std::int32_t(k) * kRecordsPerFile, n = RecordsInFile(h.count, int(k));
        for (std::int32_t i = 0; i < n && s && checked; i += 1024) {
            const std::int32_t m = std::min<std::int32_t>(1024, n - i);
            s = ReadAt(fd.get(), path, block.data(), std::size_t(m) * kCaseRecordSize, OffsetOfSlot(first + i));
            for (std::int32_t r = 0; r < m && s && checked; ++r) {
                const std::string_view rec(block.data() + std::size_t(r) * kCaseRecordSize, kCaseRecordSize);
                if (Status c = recordCheck.Check(rec, first + i + r); !c) {
                    checked = refuse(c.message());
                } else {
                    live[std::size_t(first + i + r)] = MarkOfRecord(rec) == 0;
                }
            }
        }
    }
    if (!checked) {
        const Status undone = RunJournal(steps_, place, j);
        return undone ? checked
                      : Status::Error(checked.message() + "（删除复制的文件也失败了：" + undone.message() + "）");
    }
    for (const auto& [name, file] : caseFiles) {
        const auto& [slot, from] = file;
        if (!s) break;
        if (!live[std::size_t(slot)]) {
            skip(from.string() + " 是已删除命例的命稿");
            continue;
        }
        reportNames.push_back(name);
        s = CopyToNewFile(steps_, from, reportStage / reportNames.back(), modeFor(reportDir / reportNames.back()));
    }
    if (s) s = SyncDir(steps_, dataStage);
    if (s) s = SyncDir(steps_, reportStage);
    if (!s) return Undo(j, s);

    // 3. Replace: the current files move aside, the new ones move in, the
    //    header files last. Until the journal says committed, the next
    //    operation after a crash puts the current files back.
    const std::string reportsTop = stem_ + "_f";
    JournalStep unmoveReports = Step(JournalStep::kUnmove, place.ReportName(kImportStaging), reportsTop);
    unmoveReports.names = reportNames;
    JournalStep unmoveData = Step(JournalStep::kUnmove, place.DatName(kImportStaging), "dat");
    unmoveData.names = dataNames;
    j.undo = {unmoveReports, unmoveData, Step(JournalStep::kMoveAllBack, place.ReportName(kImportPrevious), reportsTop),
              Step(JournalStep::kMoveAllBack, place.DatName(kImportPrevious), "dat")};
    std::uint64_t generation = 0;
    if (s = PlanGeneration(&j, &generation); !s) return Undo(j, s);
    if (s = WriteJournal(steps_, place, j); !s) return Undo(j, s);
    std::vector<fs::path> oldReports, oldData;
    s = WriteGeneration(steps_, place, generation);
    if (s) s = MakeDir(steps_, dataAside);
    if (s) s = MakeDir(steps_, reportAside);
    if (s) s = ListCaseFiles(reportDir, &oldReports);
    if (s) s = ListDataFiles(datDir_, stem_, &oldData);
    std::stable_partition(oldData.begin(), oldData.end(),
                          [&](const fs::path& p) { return p.filename() != headerName; });
    for (const fs::path& p : oldReports) {
        if (s) s = RenameFile(steps_, p, reportAside / p.filename());
    }
    for (const fs::path& p : oldData) {
        if (s) s = RenameFile(steps_, p, dataAside / p.filename());
    }
    for (const std::string& name : reportNames) {
        if (s) s = RenameFile(steps_, reportStage / name, reportDir / name);
    }
    for (auto it = dataNames.rbegin(); it != dataNames.rend() && s; ++it) {
        s = RenameFile(steps_, dataStage / *it, datDir_ / *it);
    }
    if (s) s = SyncDir(steps_, reportDir);
    if (s) s = SyncDir(steps_, datDir_);
    if (!s) return Undo(j, s);
    return Commit(std::move(j), true);
}

}  // namespace tessaly
