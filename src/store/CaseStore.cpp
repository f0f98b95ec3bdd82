#include "store/CaseStore.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <map>
#include <system_error>

#include "common/IniFile.h"
#include "common/SystemError.h"
#include "common/TextCodec.h"
#include "store/FileUtil.h"
#include "store/ReportFile.h"

namespace tessaly {
namespace fs = std::filesystem;
namespace {

// ---- little-endian fields ------------------------------------------------

void PutU8(std::string& b, std::size_t off, std::uint8_t v) { b[off] = static_cast<char>(v); }
void PutI16(std::string& b, std::size_t off, std::int16_t v) {
    const auto u = static_cast<std::uint16_t>(v);
    b[off] = static_cast<char>(u & 0xFF);
    b[off + 1] = static_cast<char>(u >> 8);
}
void PutI32(std::string& b, std::size_t off, std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) b[off + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}
void PutF32(std::string& b, std::size_t off, float v) {
    std::uint32_t u;
    std::memcpy(&u, &v, 4);
    PutI32(b, off, static_cast<std::int32_t>(u));
}
std::uint8_t GetU8(std::string_view b, std::size_t off) { return static_cast<std::uint8_t>(b[off]); }
std::int16_t GetI16(std::string_view b, std::size_t off) {
    return static_cast<std::int16_t>(GetU8(b, off) | (GetU8(b, off + 1) << 8));
}
std::int32_t GetI32(std::string_view b, std::size_t off) {
    std::uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= std::uint32_t(GetU8(b, off + i)) << (8 * i);
    return static_cast<std::int32_t>(u);
}
float GetF32(std::string_view b, std::size_t off) {
    const auto u = static_cast<std::uint32_t>(GetI32(b, off));
    float v;
    std::memcpy(&v, &u, 4);
    return v;
}

// ---- record layout ----------------------------------------------------------

// Offsets of one person's fields within the record.
struct PersonLayout {
    std::size_t name, time, isLunar, isLeapMonth, isMale, province, city, longitude, latitude, place;
};
constexpr PersonLayout kPersonA{5, 32, 42, 43, 44, 46, 48, 52, 56, 1152};
constexpr PersonLayout kPersonB{1204, 1216, 1226, 1227, 1228, 1230, 1232, 1236, 1240, 1244};
constexpr std::size_t kSlotOffset = 0;
constexpr std::size_t kMarkOffset = 4;
constexpr std::size_t kCategoryOffset = 17;
constexpr std::size_t kNoteOffset = 60;
static_assert(kPersonB.place + kPlaceField == kCaseRecordSize);
static_assert(kNoteOffset + kNoteField == kPersonA.place);
static_assert(kPersonA.place + kPlaceField == kPersonB.name);

Status PutText(std::string& b, std::size_t off, std::size_t field, std::string_view utf8,
               std::string_view what) {
    const std::string cut = CutToGbkWidth(utf8, field - 1);
    const CodecResult gbk = Utf8ToGbk(cut);
    if (!gbk.ok()) return Status::Error(std::string(what) + "：" + gbk.error);
    std::memcpy(b.data() + off, gbk.text.data(), gbk.text.size());
    return Status::Ok();
}

// The GBK bytes of a NUL-terminated field (all of it when no NUL is there).
std::string_view FieldBytes(std::string_view b, std::size_t off, std::size_t field) {
    const std::string_view f = b.substr(off, field);
    const std::size_t nul = f.find('\0');
    return nul == std::string_view::npos ? f : f.substr(0, nul);
}

// GBK to UTF-8; a damaged field keeps its readable characters and shows each
// bad byte as '?'.
std::string DecodeText(std::string_view gbk) {
    CodecResult r = GbkToUtf8(gbk);
    if (r.ok()) return std::move(r.text);
    std::string out;
    for (std::size_t i = 0; i < gbk.size();) {
        const auto c = static_cast<unsigned char>(gbk[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        if (i + 1 < gbk.size()) {
            const CodecResult two = GbkToUtf8(gbk.substr(i, 2));
            if (two.ok()) {
                out += two.text;
                i += 2;
                continue;
            }
        }
        out += '?';
        ++i;
    }
    return out;
}

Status PutPerson(std::string& b, const PersonLayout& l, const PersonRecord& p, std::string_view who) {
    if (Status s = PutText(b, l.name, kNameField, p.name, std::string(who) + "姓名"); !s) return s;
    const std::int16_t t[5] = {p.year, p.month, p.day, p.hour, p.minute};
    for (int i = 0; i < 5; ++i) PutI16(b, l.time + 2 * i, t[i]);
    PutU8(b, l.isLunar, p.isLunar);
    PutU8(b, l.isLeapMonth, p.isLeapMonth);
    PutU8(b, l.isMale, p.isMale);
    PutI16(b, l.province, p.provinceIndex);
    PutI16(b, l.city, p.cityIndex);
    PutF32(b, l.longitude, p.longitude);
    PutF32(b, l.latitude, p.latitude);
    return PutText(b, l.place, kPlaceField, p.placeText, std::string(who) + "出生地");
}

void GetPerson(std::string_view b, const PersonLayout& l, PersonRecord* p) {
    p->name = DecodeText(FieldBytes(b, l.name, kNameField));
    p->year = GetI16(b, l.time);
    p->month = GetI16(b, l.time + 2);
    p->day = GetI16(b, l.time + 4);
    p->hour = GetI16(b, l.time + 6);
    p->minute = GetI16(b, l.time + 8);
    p->isLunar = GetU8(b, l.isLunar);
    p->isLeapMonth = GetU8(b, l.isLeapMonth);
    p->isMale = GetU8(b, l.isMale);
    p->provinceIndex = GetI16(b, l.province);
    p->cityIndex = GetI16(b, l.city);
    p->longitude = GetF32(b, l.longitude);
    p->latitude = GetF32(b, l.latitude);
    p->placeText = DecodeText(FieldBytes(b, l.place, kPlaceField));
}

// ---- store geometry ----------------------------------------------------------

int FileOfSlot(std::int32_t slot) { return slot / kRecordsPerFile; }
off_t OffsetOfSlot(std::int32_t slot) {
    const std::int32_t inFile = slot % kRecordsPerFile;
    return off_t(inFile) * off_t(kCaseRecordSize) + (slot < kRecordsPerFile ? off_t(kStoreHeaderSize) : 0);
}
// Data files needed to hold `count` slots (1 for an empty store).
int FilesNeeded(std::int32_t count) { return count <= 0 ? 1 : (count - 1) / kRecordsPerFile + 1; }
// Records data file k holds in a store of `count` slots.
std::int32_t RecordsInFile(std::int32_t count, int k) {
    const std::int64_t left = std::int64_t(count) - std::int64_t(k) * kRecordsPerFile;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(left, 0, kRecordsPerFile));
}

std::string ErrnoText() { return SystemErrorText(errno); }

// Reads exactly n bytes at offset; a short read is an error naming the file.
Status ReadAt(int fd, const fs::path& path, char* buf, std::size_t n, off_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t r = ::pread(fd, buf + done, n - done, offset + off_t(done));
        if (r < 0) {
            if (errno == EINTR) continue;
            return Status::Error("无法读取 " + path.string() + "：" + ErrnoText());
        }
        if (r == 0) {
            return Status::Error("命例库文件 " + path.string() + " 比文件头所记的短，命例库已损坏");
        }
        done += static_cast<std::size_t>(r);
    }
    return Status::Ok();
}

// Writes n bytes at offset and flushes them to the disk.
Status WriteAt(int fd, const fs::path& path, const char* buf, std::size_t n, off_t offset) {
    std::size_t done = 0;
    while (done < n) {
        const ssize_t w = ::pwrite(fd, buf + done, n - done, offset + off_t(done));
        if (w < 0) {
            if (errno == EINTR) continue;
            return Status::Error("无法写入 " + path.string() + "：" + ErrnoText());
        }
        done += static_cast<std::size_t>(w);
    }
    if (::fdatasync(fd) != 0) {
        return Status::Error("无法写入 " + path.string() + "：" + ErrnoText());
    }
    return Status::Ok();
}

Status OpenFile(const fs::path& path, int flags, UniqueFd* fd) {
    fd->reset(::open(path.c_str(), flags | O_CLOEXEC, 0644));
    if (!*fd) {
        if (errno == ENOENT && !(flags & O_CREAT)) {
            return Status::Error("命例库文件 " + path.string() + " 不见了");
        }
        return Status::Error("无法打开 " + path.string() + "：" + ErrnoText());
    }
    return Status::Ok();
}

Status WriteHeader(int fd, const fs::path& path, const StoreHeader& h) {
    const std::string bytes = EncodeStoreHeader(h);
    return WriteAt(fd, path, bytes.data(), bytes.size(), 0);
}

// Criteria text in GBK, cut to the size of its field.
Status CriteriaText(std::string_view utf8, std::size_t field, std::string* gbk) {
    const CodecResult r = Utf8ToGbk(CutToGbkWidth(utf8, field - 1));
    if (!r.ok()) return Status::Error("查找文字：" + r.error);
    *gbk = r.text;
    return Status::Ok();
}

bool TextMatches(std::uint8_t mode, std::string_view field, std::string_view wanted) {
    switch (mode) {
        case 1: return field.find(wanted) != std::string_view::npos;
        case 2: return field == wanted;
        default: return true;
    }
}

// Same file or folder; false when either does not exist.
bool SamePlace(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec) && !ec;
}

}  // namespace

// ---- header and record codecs ------------------------------------------------

std::string EncodeStoreHeader(const StoreHeader& h) {
    std::string b(kStoreHeaderSize, '\0');
    PutU8(b, 0, h.storeKind);
    PutI32(b, 4, h.count);
    PutI32(b, 8, h.deletedCount);
    PutU8(b, 12, h.reuseFlag);
    PutI16(b, 14, h.fileCount);
    return b;
}

bool DecodeStoreHeader(std::string_view b, StoreHeader* h) {
    if (b.size() < kStoreHeaderSize) return false;
    h->storeKind = GetU8(b, 0);
    h->count = GetI32(b, 4);
    h->deletedCount = GetI32(b, 8);
    h->reuseFlag = GetU8(b, 12);
    h->fileCount = GetI16(b, 14);
    return true;
}

Status EncodeCaseRecord(const CaseRecord& r, std::string* bytes) {
    std::string b(kCaseRecordSize, '\0');
    PutI32(b, kSlotOffset, r.slot);
    PutU8(b, kMarkOffset, r.deleted);
    if (Status s = PutPerson(b, kPersonA, r.a, "甲命"); !s) return s;
    if (Status s = PutText(b, kCategoryOffset, kCategoryField, r.category, "类别"); !s) return s;
    if (Status s = PutText(b, kNoteOffset, kNoteField, r.note, "备注"); !s) return s;
    if (Status s = PutPerson(b, kPersonB, r.b, "乙命"); !s) return s;
    *bytes = std::move(b);
    return Status::Ok();
}

CaseRecord DecodeCaseRecord(std::string_view b) {
    CaseRecord r;
    if (b.size() < kCaseRecordSize) return r;
    r.slot = GetI32(b, kSlotOffset);
    r.deleted = GetU8(b, kMarkOffset);
    GetPerson(b, kPersonA, &r.a);
    r.a.personNo = 0;
    r.category = DecodeText(FieldBytes(b, kCategoryOffset, kCategoryField));
    r.note = DecodeText(FieldBytes(b, kNoteOffset, kNoteField));
    GetPerson(b, kPersonB, &r.b);
    r.b.personNo = 1;
    return r;
}

std::string_view StoreStem(std::uint8_t storeKind) { return storeKind == 0 ? "bazi" : ""; }

// ---- CaseStore ---------------------------------------------------------------

fs::path CaseStore::DataFilePath(int k) const { return datDir_ / (stem_ + std::to_string(k) + ".dat"); }
fs::path CaseStore::ReportDir() const { return programDir_ / (stem_ + "_f"); }
fs::path CaseStore::ReportPath(std::int32_t slot) const {
    return ReportDir() / (std::to_string(slot) + ".rtf");
}

Status CaseStore::CheckOpened() const {
    if (stem_.empty()) return Status::Error("命例库没有打开");
    return Status::Ok();
}

Status CaseStore::LoadHeader(int fd, StoreHeader* h) const {
    const fs::path path = HeaderPath();
    char buf[kStoreHeaderSize];
    if (Status s = ReadAt(fd, path, buf, sizeof buf, 0); !s) return s;
    DecodeStoreHeader(std::string_view(buf, sizeof buf), h);
    if (h->storeKind != storeKind_) {
        return Status::Error(path.string() + " 是类型 " + std::to_string(h->storeKind) + " 的数据，不是本软件的命例库");
    }
    if (h->count < 0 || h->fileCount < FilesNeeded(h->count)) {
        return Status::Error(path.string() + " 的文件头已损坏（记录数 " + std::to_string(h->count) + "，文件数 " +
                             std::to_string(h->fileCount) + "）");
    }
    return Status::Ok();
}

Status CaseStore::Open(const fs::path& programDir, std::uint8_t storeKind) {
    const std::string_view stem = StoreStem(storeKind);
    if (stem.empty()) return Status::Error("未知的命例库类型 " + std::to_string(storeKind));
    programDir_ = programDir;
    datDir_ = programDir / "dat";
    stem_ = std::string(stem);
    storeKind_ = storeKind;

    std::error_code ec;
    if (!fs::is_directory(datDir_, ec)) {
        return Status::Error("文件夹 " + datDir_.string() + " 不存在");
    }
    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;

    const fs::path header = HeaderPath();
    UniqueFd fd;
    fd.reset(::open(header.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (fd) {
        StoreHeader fresh;
        fresh.storeKind = storeKind;
        if (Status s = WriteHeader(fd.get(), header, fresh); !s) {
            fd.reset();
            ::unlink(header.c_str());
            return s;
        }
    } else if (errno == EEXIST) {
        if (Status s = OpenFile(header, O_RDONLY, &fd); !s) return s;
        StoreHeader h;
        if (Status s = LoadHeader(fd.get(), &h); !s) return s;
    } else {
        return Status::Error("无法创建 " + header.string() + "：" + ErrnoText());
    }

    const fs::path reports = ReportDir();
    if (!fs::is_directory(reports, ec)) {
        fs::create_directory(reports, ec);
        if (ec) return Status::Error("无法创建命稿文件夹 " + reports.string() + "：" + SystemErrorText(ec));
    }
    return Status::Ok();
}

Status CaseStore::Begin(DirLock* lock, int flags, UniqueFd* headerFd, StoreHeader* header) const {
    if (Status s = CheckOpened(); !s) return s;
    if (Status s = lock->Acquire(datDir_); !s) return s;
    if (Status s = OpenFile(HeaderPath(), flags, headerFd); !s) return s;
    return LoadHeader(headerFd->get(), header);
}

Status CaseStore::ReadHeader(StoreHeader* header) {
    DirLock lock;
    UniqueFd hfd;
    return Begin(&lock, O_RDONLY, &hfd, header);
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
    constexpr std::int32_t kBlockRecords = 1024;
    std::string block(std::size_t(kBlockRecords) * kCaseRecordSize, '\0');
    const int files = FilesNeeded(h.count);
    for (int k = 0; k < files; ++k) {
        const std::int32_t inFile = RecordsInFile(h.count, k);
        if (inFile == 0) break;
        const fs::path path = DataFilePath(k);
        UniqueFd fd;
        if (Status s = OpenFile(path, O_RDONLY, &fd); !s) return s;
        const std::int32_t first = k * kRecordsPerFile;
        for (std::int32_t i = 0; i < inFile; i += kBlockRecords) {
            const std::int32_t n = std::min(kBlockRecords, inFile - i);
            if (Status s = ReadAt(fd.get(), path, block.data(), std::size_t(n) * kCaseRecordSize,
                                  OffsetOfSlot(first + i));
                !s) {
                return s;
            }
            for (std::int32_t j = 0; j < n; ++j) {
                const std::string_view rec(block.data() + std::size_t(j) * kCaseRecordSize, kCaseRecordSize);
                if (!visit(first + i + j, rec)) return Status::Ok();
            }
        }
    }
    return Status::Ok();
}

Status CaseStore::AppendLocked(int headerFd, StoreHeader h, CaseRecord* record) {
    if (h.count == INT32_MAX) return Status::Error("命例库已满");
    const std::int32_t slot = h.count;
    record->slot = slot;
    record->deleted = 0;
    std::string bytes;
    if (Status s = EncodeCaseRecord(*record, &bytes); !s) return s;

    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenFile(path, O_RDWR | O_CREAT, &fd); !s) return s;
    if (Status s = WriteAt(fd.get(), path, bytes.data(), bytes.size(), OffsetOfSlot(slot)); !s) return s;
    fd.reset();
    if (betweenWrites_) betweenWrites_();

    h.count = slot + 1;
    h.fileCount = static_cast<std::int16_t>(FilesNeeded(h.count));
    return WriteHeader(headerFd, HeaderPath(), h);
}

Status CaseStore::AddRecord(CaseRecord* record) {
    if (Status s = CheckOpened(); !s) return s;
    // Refuse texts GBK cannot hold before anything is written.
    std::string probe;
    if (Status s = EncodeCaseRecord(*record, &probe); !s) return s;

    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDWR, &hfd, &h); !s) return s;

    if (h.reuseFlag == 1 && h.deletedCount > 0) {
        std::int32_t found = -1;
        if (Status s = ScanRecords(h,
                                   [&](std::int32_t slot, std::string_view rec) {
                                       if (GetU8(rec, kMarkOffset) != 1) return true;
                                       found = slot;
                                       return false;
                                   });
            !s) {
            return s;
        }
        if (found >= 0) {
            record->slot = found;
            record->deleted = 0;
            std::string bytes;
            if (Status s = EncodeCaseRecord(*record, &bytes); !s) return s;
            const fs::path path = DataFilePath(FileOfSlot(found));
            UniqueFd fd;
            if (Status s = OpenFile(path, O_RDWR, &fd); !s) return s;
            if (Status s = WriteAt(fd.get(), path, bytes.data(), bytes.size(), OffsetOfSlot(found)); !s) return s;
            fd.reset();
            if (betweenWrites_) betweenWrites_();
            h.deletedCount -= 1;
            if (h.deletedCount <= 0) {
                h.deletedCount = 0;
                h.reuseFlag = 0;
            }
            return WriteHeader(hfd.get(), HeaderPath(), h);
        }
        // The counter promised deleted slots the marks do not show: the
        // counter is wrong. Append instead and set it right.
    }
    h.deletedCount = std::max(0, h.reuseFlag == 1 ? 0 : h.deletedCount);
    h.reuseFlag = 0;
    return AppendLocked(hfd.get(), h, record);
}

Status CaseStore::ReadRecord(std::int32_t slot, CaseRecord* record) {
    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDONLY, &hfd, &h); !s) return s;
    if (slot < 0 || slot >= h.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " + std::to_string(h.count) +
                             " 个记录位置）");
    }
    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenFile(path, O_RDONLY, &fd); !s) return s;
    char buf[kCaseRecordSize];
    if (Status s = ReadAt(fd.get(), path, buf, sizeof buf, OffsetOfSlot(slot)); !s) return s;
    *record = DecodeCaseRecord(std::string_view(buf, sizeof buf));
    return Status::Ok();
}

Status CaseStore::WriteRecord(std::int32_t slot, const CaseRecord& record) {
    if (Status s = CheckOpened(); !s) return s;
    std::string bytes;
    if (Status s = EncodeCaseRecord(record, &bytes); !s) return s;
    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDONLY, &hfd, &h); !s) return s;
    if (slot < 0 || slot >= h.count) {
        return Status::Error("无法写入第 " + std::to_string(slot) + " 号记录：命例库只有 " + std::to_string(h.count) +
                             " 个记录位置，新命例只能添加");
    }
    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenFile(path, O_RDWR, &fd); !s) return s;
    return WriteAt(fd.get(), path, bytes.data(), bytes.size(), OffsetOfSlot(slot));
}

Status CaseStore::DeleteRecord(std::int32_t slot) {
    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDWR, &hfd, &h); !s) return s;
    if (slot < 0 || slot >= h.count) {
        return Status::Error("没有第 " + std::to_string(slot) + " 号命例（命例库共有 " + std::to_string(h.count) +
                             " 个记录位置）");
    }
    const fs::path path = DataFilePath(FileOfSlot(slot));
    UniqueFd fd;
    if (Status s = OpenFile(path, O_RDWR, &fd); !s) return s;
    const off_t markAt = OffsetOfSlot(slot) + off_t(kMarkOffset);
    char mark = 0;
    if (Status s = ReadAt(fd.get(), path, &mark, 1, markAt); !s) return s;
    if (mark != 0) return Status::Error("第 " + std::to_string(slot) + " 号命例已经删除了");
    mark = 1;
    if (Status s = WriteAt(fd.get(), path, &mark, 1, markAt); !s) return s;
    fd.reset();
    if (betweenWrites_) betweenWrites_();
    h.deletedCount = std::max(0, h.deletedCount) + 1;
    if (h.deletedCount >= kReuseThreshold) h.reuseFlag = 1;
    return WriteHeader(hfd.get(), HeaderPath(), h);
}

Status CaseStore::SearchRecords(SearchCriteria* c, std::vector<std::int32_t>* slots) {
    if (Status s = CheckOpened(); !s) return s;
    slots->clear();
    std::string name, category;
    if (Status s = CriteriaText(c->name, kNameField, &name); !s) return s;
    if (Status s = CriteriaText(c->category, kCategoryField, &category); !s) return s;

    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDONLY, &hfd, &h); !s) return s;
    hfd.reset();
    if (h.storeKind < 3) c->thirdMode = 0;

    const SearchCriteria& q = *c;
    return ScanRecords(h, [&](std::int32_t slot, std::string_view rec) {
        if (GetU8(rec, kMarkOffset) != 0) return true;
        if (!TextMatches(q.nameMode, FieldBytes(rec, kPersonA.name, kNameField), name)) return true;
        if (!TextMatches(q.categoryMode, FieldBytes(rec, kCategoryOffset, kCategoryField), category)) return true;
        if (q.sexFilter == 1 && GetU8(rec, kPersonA.isMale) != q.wantedSex) return true;
        if (q.yearFilter == 1) {
            const std::int16_t y = GetI16(rec, kPersonA.time);
            if (y < q.firstYear || y > q.lastYear) return true;
        }
        if (q.province != -1 && GetI16(rec, kPersonA.province) != q.province) return true;
        slots->push_back(slot);
        return true;
    });
}

Status CaseStore::ForEachRecord(const std::function<bool(const CaseRecord&)>& visit) {
    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDONLY, &hfd, &h); !s) return s;
    hfd.reset();
    return ScanRecords(h, [&](std::int32_t, std::string_view rec) {
        if (GetU8(rec, kMarkOffset) != 0) return true;
        return visit(DecodeCaseRecord(rec));
    });
}

Status CaseStore::ClearAll() {
    if (Status s = CheckOpened(); !s) return s;
    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;

    // First an empty header replaces the old one in one step, so a crash
    // part way leaves an empty store, never a header counting missing files.
    StoreHeader fresh;
    fresh.storeKind = storeKind_;
    if (Status s = WriteFileAtomically(HeaderPath(), EncodeStoreHeader(fresh)); !s) return s;

    std::vector<fs::path> doomed;
    if (Status s = ListDataFiles(datDir_, stem_, &doomed); !s) return s;
    std::vector<fs::path> reports;
    if (Status s = ListReportFiles(ReportDir(), &reports); !s) return s;
    doomed.insert(doomed.end(), reports.begin(), reports.end());
    for (const fs::path& p : doomed) {
        if (p.filename() == HeaderPath().filename() && p.parent_path() == datDir_) continue;
        std::error_code ec;
        fs::remove(p, ec);
        if (ec) return Status::Error("无法删除 " + p.string() + "：" + SystemErrorText(ec));
    }
    return Status::Ok();
}

Status CaseStore::ExportTo(const fs::path& destDir) {
    if (Status s = CheckOpened(); !s) return s;
    if (destDir.empty()) return Status::Error("没有指定导出的文件夹");
    std::error_code ec;
    fs::create_directories(destDir, ec);
    if (ec || !fs::is_directory(destDir, ec)) {
        return Status::Error("无法创建导出文件夹 " + destDir.string() + (ec ? "：" + SystemErrorText(ec) : std::string()));
    }
    if (SamePlace(destDir, datDir_) || SamePlace(destDir, programDir_) || SamePlace(destDir, ReportDir())) {
        return Status::Error("不能导出到软件自己的文件夹（" + destDir.string() + "），请选择别的文件夹");
    }

    DirLock lock;
    UniqueFd hfd;
    StoreHeader h;
    if (Status s = Begin(&lock, O_RDONLY, &hfd, &h); !s) return s;
    hfd.reset();

    for (int k = 0; k < h.fileCount; ++k) {
        const fs::path from = DataFilePath(k);
        if (k >= FilesNeeded(h.count) && !fs::exists(from, ec)) continue;
        if (Status s = CopyFileDurably(from, destDir / from.filename()); !s) return s;
    }
    const fs::path destReports = destDir / (stem_ + "_f");
    if (!fs::is_directory(destReports, ec)) {
        fs::create_directory(destReports, ec);
        if (ec) return Status::Error("无法创建 " + destReports.string() + "：" + SystemErrorText(ec));
    }
    std::vector<fs::path> reports;
    if (Status s = ListReportFiles(ReportDir(), &reports); !s) return s;
    for (const fs::path& r : reports) {
        if (Status s = CopyFileDurably(r, destReports / r.filename()); !s) return s;
    }
    return Status::Ok();
}

Status CaseStore::ImportFrom(const fs::path& headerFile) {
    if (Status s = CheckOpened(); !s) return s;
    const std::string headerName = stem_ + "0.dat";
    std::error_code ec;
    if (!fs::is_regular_file(headerFile, ec)) {
        return Status::Error("无法导入：" + headerFile.string() + " 不是文件");
    }
    if (!EqualsIgnoreAsciiCase(headerFile.filename().string(), headerName)) {
        return Status::Error("无法导入 " + headerFile.string() + "：请选择导出的历史记录中的 " + headerName);
    }
    fs::path srcDir = headerFile.parent_path();
    if (srcDir.empty()) srcDir = ".";
    if (SamePlace(srcDir, datDir_) || SamePlace(srcDir, programDir_)) {
        return Status::Error("不能把软件自己的命例库导入到自身（" + srcDir.string() + "）");
    }

    // 1. Check everything before touching the current store.
    std::string headBytes;
    {
        UniqueFd fd;
        if (Status s = OpenFile(headerFile, O_RDONLY, &fd); !s) return s;
        headBytes.resize(kStoreHeaderSize);
        if (Status s = ReadAt(fd.get(), headerFile, headBytes.data(), kStoreHeaderSize, 0); !s) {
            return Status::Error("无法导入 " + headerFile.string() + "：它不是命例库（文件太短）");
        }
    }
    StoreHeader h;
    DecodeStoreHeader(headBytes, &h);
    const auto refuse = [&](const std::string& why) {
        return Status::Error("无法导入 " + headerFile.string() + "：" + why + "；什么都没有改变");
    };
    if (h.storeKind != storeKind_) return refuse("它不是本软件的命例库（类型 " + std::to_string(h.storeKind) + "）");
    if (h.count < 0 || h.deletedCount < 0 || h.deletedCount > h.count || h.reuseFlag > 1 ||
        (h.reuseFlag == 1 && h.deletedCount == 0)) {
        return refuse("它的文件头已损坏");
    }
    if (h.fileCount != FilesNeeded(h.count)) {
        return refuse("它的文件头为 " + std::to_string(h.count) + " 条记录写了 " + std::to_string(h.fileCount) + " 个数据文件");
    }
    std::map<std::string, fs::path> srcFiles;  // lower-case name -> entry
    if (Status s = ListFolderFolded(srcDir, &srcFiles); !s) return s;
    std::vector<fs::path> dataFiles;
    for (int k = 0; k < h.fileCount; ++k) {
        const std::string name = stem_ + std::to_string(k) + ".dat";
        const auto it = srcFiles.find(name);
        if (it == srcFiles.end() || !fs::is_regular_file(it->second, ec)) return refuse("缺少 " + name);
        const std::uint64_t size = fs::file_size(it->second, ec);
        if (ec) return refuse("无法读取 " + it->second.string());
        const std::uint64_t base = k == 0 ? kStoreHeaderSize : 0;
        const std::uint64_t need = base + std::uint64_t(RecordsInFile(h.count, k)) * kCaseRecordSize;
        if (size < need || size > base + kDataFileBytes) {
            return refuse(it->second.filename().string() + " 有 " + std::to_string(size) + " 字节，文件头需要 " +
                          std::to_string(need) + " 字节");
        }
        dataFiles.push_back(k == 0 ? headerFile : it->second);
    }
    std::vector<fs::path> reports;
    if (const auto it = srcFiles.find(stem_ + "_f"); it != srcFiles.end() && fs::is_directory(it->second, ec)) {
        if (Status s = ListReportFiles(it->second, &reports); !s) return s;
    }

    DirLock lock;
    if (Status s = lock.Acquire(datDir_); !s) return s;

    // 2. Copy into staging folders beside the targets; on failure remove them.
    const fs::path reportDir = ReportDir();
    if (!fs::is_directory(reportDir, ec)) {
        fs::create_directory(reportDir, ec);
        if (ec) return Status::Error("无法创建 " + reportDir.string() + "：" + SystemErrorText(ec));
    }
    const fs::path dataStage = datDir_ / ".import-staging";
    const fs::path reportStage = reportDir / ".import-staging";
    const auto dropStages = [&] {
        std::error_code ignored;
        fs::remove_all(dataStage, ignored);
        fs::remove_all(reportStage, ignored);
    };
    dropStages();
    fs::create_directory(dataStage, ec);
    if (!ec) fs::create_directory(reportStage, ec);
    if (ec) {
        dropStages();
        return Status::Error("无法在 " + datDir_.string() + " 里准备导入：" + SystemErrorText(ec));
    }
    for (std::size_t k = 0; k < dataFiles.size(); ++k) {
        if (Status s = CopyFileDurably(dataFiles[k], dataStage / DataFilePath(int(k)).filename()); !s) {
            dropStages();
            return s;
        }
    }
    std::vector<std::string> reportNames;
    for (const fs::path& r : reports) {
        std::string name = FoldAscii(r.filename().string());
        if (std::find(reportNames.begin(), reportNames.end(), name) != reportNames.end()) continue;
        if (Status s = CopyFileDurably(r, reportStage / name); !s) {
            dropStages();
            return s;
        }
        reportNames.push_back(std::move(name));
    }
    // Check the copies once more: the source may have changed meanwhile.
    {
        std::string copied;
        if (Status s = ReadFileBytes(dataStage / headerName, &copied); !s || copied.compare(0, kStoreHeaderSize, headBytes) != 0) {
            dropStages();
            return refuse("复制的过程中它的文件变了");
        }
    }

    // 3. Replace. The current files are first moved aside into a folder of
    //    their own, then the staged ones move in, the header file last. A
    //    failure on the way moves everything back, so the current store is
    //    either replaced whole or left as it was; its old files are deleted
    //    only once the new store is complete. (After a crash in the middle
    //    the old files are still on disk, in the "previous" folders.)
    const std::string stamp = std::to_string(::getpid()) + "-" + std::to_string(::time(nullptr));
    const fs::path dataAside = datDir_ / (".import-previous-" + stamp);
    const fs::path reportAside = reportDir / (".import-previous-" + stamp);
    struct Move {
        fs::path from, to;
    };
    std::vector<Move> done;  // in the order made, for the way back
    const auto move = [&](const fs::path& from, const fs::path& to) -> Status {
        fs::rename(from, to, ec);
        if (ec) return Status::Error("无法把 " + from.string() + " 移到 " + to.string() + "：" + SystemErrorText(ec));
        done.push_back({from, to});
        return Status::Ok();
    };
    std::vector<fs::path> oldReports, oldData;
    Status s = ListReportFiles(reportDir, &oldReports);
    if (s) s = ListDataFiles(datDir_, stem_, &oldData);
    if (s) {
        fs::create_directory(dataAside, ec);
        if (!ec) fs::create_directory(reportAside, ec);
        if (ec) s = Status::Error("无法在 " + datDir_.string() + " 里准备导入：" + SystemErrorText(ec));
    }
    for (const fs::path& p : oldReports) {
        if (s) s = move(p, reportAside / p.filename());
    }
    // The old header moves aside last, the new one moves in last.
    std::stable_partition(oldData.begin(), oldData.end(),
                          [&](const fs::path& p) { return p.filename() != headerName; });
    for (const fs::path& p : oldData) {
        if (s) s = move(p, dataAside / p.filename());
    }
    for (const std::string& name : reportNames) {
        if (s) s = move(reportStage / name, reportDir / name);
    }
    for (int k = h.fileCount - 1; k >= 0 && s; --k) {
        const fs::path target = DataFilePath(k);
        s = move(dataStage / target.filename(), target);
    }
    if (s) {
        for (const fs::path& dir : {dataAside, reportAside}) {
            fs::remove_all(dir, ec);  // the old store, replaced
        }
    } else {
        // The way back, in reverse order: the new files return to staging,
        // the old ones to their places.
        bool restored = true;
        for (auto it = done.rbegin(); it != done.rend(); ++it) {
            std::error_code back;
            fs::rename(it->to, it->from, back);
            restored = restored && !back;
        }
        if (restored) {
            std::error_code ignored;
            fs::remove_all(dataAside, ignored);
            fs::remove_all(reportAside, ignored);
            s = Status::Error(s.message() + "；导入已撤销，什么都没有改变");
        } else {
            s = Status::Error(s.message() + "；导入没能完全撤销，原来的文件在 " + dataAside.string() + " 和 " +
                              reportAside.string() + " 里");
        }
    }
    dropStages();
    return s;
}

Status AddCaseWithReport(CaseStore& db, CaseRecord* record, const StyledReport& report) {
    if (Status s = db.AddRecord(record); !s) return s;
    const Status written = SaveReportFile(db.ReportPath(record->slot), report);
    if (written) return written;
    const Status undo = db.DeleteRecord(record->slot);
    return Status::Error("命稿无法写入，命例没有保存：" + written.message() +
                         (undo ? "" : "（撤回刚加的记录也失败了：" + undo.message() + "）"));
}

}  // namespace tessaly
