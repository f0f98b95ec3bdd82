#include "store/StoreRepair.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>

#include "common/IniFile.h"
#include "store/CaseInput.h"
#include "store/FileUtil.h"
#include "store/StoreFormat.h"
#include "store/StoreJournal.h"

namespace tessaly {
namespace fs = std::filesystem;
namespace {

// A deleted record standing in for one that is missing: mark 1, the slot
// field set, every other byte 0.
std::string GoneRecord(std::int32_t slot) {
    std::string rec(kCaseRecordSize, '\0');
    for (int i = 0; i < 4; ++i)
        rec[std::size_t(i)] = static_cast<char>((static_cast<std::uint32_t>(slot) >> (8 * i)) & 0xFF);
    rec[kMarkOffset] = 1;
    return rec;
}

class Repairer {
public:
    Repairer(const fs::path& programDir, std::uint8_t kind)
        : programDir_(programDir), dat_(programDir / "dat"), stem_(StoreStem(kind)), kind_(kind) {}

    RepairResult Run() {
        result_.status = Mend();
        return std::move(result_);
    }

private:
    fs::path DataFile(int k) const { return dat_ / (stem_ + std::to_string(k) + ".dat"); }
    fs::path Header() const { return DataFile(0); }

    void Did(RepairAction::Kind kind, const fs::path& file = {}, std::int64_t count = 0, std::string reason = {}) {
        result_.actions.push_back({kind, file, count, std::move(reason)});
    }

    // What a repair may write beyond the bytes the data files hold: deleted
    // records standing in for a torn or cut end.
    static constexpr std::uint64_t kFillSlack = std::uint64_t(1) << 20;

    // The bytes of all data files present, and the bytes that filling the
    // first `count` slots would write.
    Status Sizes(std::int32_t count, std::uint64_t* real, std::uint64_t* fill) {
        std::vector<fs::path> files;
        if (Status s = ListDataFiles(dat_, stem_, &files); !s) return s;
        *real = 0;
        for (const fs::path& f : files) {
            std::uint64_t size = 0;
            if (KindAt(f, &size) == DirEntry::kFile) *real += size;
        }
        *fill = 0;
        for (int k = 0; k < FilesNeeded(count); ++k) {
            std::uint64_t size = 0;
            if (KindAt(DataFile(k), &size) != DirEntry::kFile) size = 0;
            const std::uint64_t need = BytesNeeded(count, k);
            *fill += need - std::min(size, need);
        }
        return Status::Ok();
    }

    // Before the first change of the store: its generation advances, so
    // that a view read before the repair is seen to be old (also when the
    // repair is stopped part way; the next one advances it again).
    Status Advance() {
        if (advanced_) return Status::Ok();
        const JournalPlace place{programDir_, stem_};
        std::uint64_t now = 0;
        if (Status s = ReadGeneration(place, &now); !s) return s;
        if (Status s = WriteGeneration(steps_, place, now + 1); !s) return s;
        advanced_ = true;
        return Status::Ok();
    }

    // Copies (or moves) `file` into the folder of kept files, made on first use.
    Status Keep(const fs::path& file, bool move) {
        if (Status s = Advance(); !s) return s;
        if (std::find(result_.kept.begin(), result_.kept.end(), result_.keptDir / file.filename()) !=
            result_.kept.end()) {
            return Status::Ok();  // kept already, as it was before this repair
        }
        if (result_.keptDir.empty()) {
            char stamp[32];
            const std::time_t now = std::time(nullptr);
            std::tm tm{};
            ::gmtime_r(&now, &tm);
            std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &tm);
            fs::path dir = dat_ / (std::string("damaged-") + stamp);
            for (int n = 2; KindAt(dir) != DirEntry::kMissing; ++n) {
                dir = dat_ / (std::string("damaged-") + stamp + "-" + std::to_string(n));
            }
            if (Status s = MakeDir(steps_, dir); !s) return s;
            result_.keptDir = dir;
        }
        const fs::path to = result_.keptDir / file.filename();
        Status s = move ? RenameFile(steps_, file, to) : CopyToNewFile(steps_, file, to);
        if (s) result_.kept.push_back(to);
        return s;
    }

    // Data file k must hold `records` records: whatever is missing from its
    // end becomes deleted records. Adds their number to *gone.
    Status CompleteDataFile(int k, std::int32_t records, std::int64_t* gone) {
        const fs::path path = DataFile(k);
        const std::uint64_t base = k == 0 ? kStoreHeaderSize : 0;
        const std::uint64_t need = base + std::uint64_t(records) * kCaseRecordSize;
        std::uint64_t size = 0;
        DirEntry::Kind kind = KindAt(path, &size);
        if (kind == DirEntry::kDir) return Status::Error("无法修复命例库：" + path.string() + " 是文件夹，不是文件");
        if (kind == DirEntry::kLink || kind == DirEntry::kOther) {
            if (Status s = Keep(path, true); !s) return s;
            kind = DirEntry::kMissing;
        }
        if (kind == DirEntry::kFile && size >= need) return Status::Ok();
        UniqueFd fd;
        if (kind == DirEntry::kMissing) {
            size = 0;
            if (Status s = Advance(); !s) return s;
            if (Status s = CreateExclusive(steps_, path, ModeOf(Header()), &fd); !s) return s;
        } else {
            if (Status s = Keep(path, false); !s) return s;
            if (Status s = OpenExisting(path, O_RDWR, &fd); !s) return s;
        }
        const std::int32_t whole = size >= base ? static_cast<std::int32_t>(std::min<std::uint64_t>(
                                                      (size - base) / kCaseRecordSize, std::uint64_t(records)))
                                                : 0;
        if (Status s = TruncateTo(steps_, fd.get(), path, base + std::uint64_t(whole) * kCaseRecordSize); !s) return s;
        const std::int32_t first = k * kRecordsPerFile;
        for (std::int32_t i = whole; i < records;) {
            std::string block;
            const std::int32_t n = std::min<std::int32_t>(records - i, 1000);
            block.reserve(std::size_t(n) * kCaseRecordSize);
            for (std::int32_t j = 0; j < n; ++j) block += GoneRecord(first + i + j);
            if (Status s = WriteAt(steps_, fd.get(), path, block, off_t(base + std::uint64_t(i) * kCaseRecordSize));
                !s) {
                return s;
            }
            i += n;
        }
        *gone += records - whole;
        Did(RepairAction::kRecordsMarkedGone, path, records - whole);
        return Status::Ok();
    }

    // Deleted records among the first `count`, by their marks.
    Status CountDeleted(std::int32_t count, std::int64_t* deleted) {
        *deleted = 0;
        for (int k = 0; k < FilesNeeded(count); ++k) {
            const fs::path path = DataFile(k);
            UniqueFd fd;
            if (Status s = OpenExisting(path, O_RDONLY, &fd); !s) return s;
            const std::int32_t n = RecordsInFile(count, k);
            std::string block(std::size_t(std::min(n, 1000)) * kCaseRecordSize, '\0');
            for (std::int32_t i = 0; i < n; i += 1000) {
                const std::int32_t m = std::min(n - i, 1000);
                if (Status s = ReadAt(fd.get(), path, block.data(), std::size_t(m) * kCaseRecordSize,
                                      OffsetOfSlot(k * kRecordsPerFile + i));
                    !s) {
                    return s;
                }
                for (std::int32_t j = 0; j < m; ++j)
                    *deleted += block[std::size_t(j) * kCaseRecordSize + kMarkOffset] == 1;
            }
        }
        return Status::Ok();
    }

    Status WriteHeader(const StoreHeader& h) {
        UniqueFd fd;
        if (Status s = OpenExisting(Header(), O_RDWR, &fd); !s) return s;
        return WriteAt(steps_, fd.get(), Header(), EncodeStoreHeader(h), 0);
    }

    // The header cannot be read: the count from the whole records of the
    // data files there are, the deleted count from the marks.
    Status RebuildHeader(std::uint64_t headerSize) {
        std::vector<fs::path> files;
        if (Status s = ListDataFiles(dat_, stem_, &files); !s) return s;
        std::int64_t count = 0;
        for (const fs::path& f : files) {
            const std::string name = f.filename().string();
            const std::string digits = name.substr(stem_.size(), name.size() - stem_.size() - 4);
            std::uint64_t size = 0;
            if (digits.size() > 4 || KindAt(f, &size) != DirEntry::kFile) continue;  // beyond any count
            const long k = std::stol(digits);
            const std::uint64_t base = k == 0 ? kStoreHeaderSize : 0;
            const std::uint64_t whole =
                size > base ? std::min<std::uint64_t>((size - base) / kCaseRecordSize, kRecordsPerFile) : 0;
            if (whole > 0)
                count = std::max<std::int64_t>(count, std::int64_t(k) * kRecordsPerFile + std::int64_t(whole));
        }
        if (count > INT32_MAX) return Status::Error("无法修复命例库：数据文件太多");
        std::uint64_t real = 0, fill = 0;
        if (Status s = Sizes(static_cast<std::int32_t>(count), &real, &fill); !s) return s;
        // A lost data file between others is made again (its slots deleted
        // records), but no more than one file's worth.
        if (fill > real + kDataFileBytes + kFillSlack) {
            return Status::Error("无法修复命例库：数据文件 " + DataFile(FilesNeeded(std::int32_t(count)) - 1).string() +
                                 " 远在其他数据文件之后，补齐中间的记录要写 " + std::to_string(fill) +
                                 " 字节；请确认这个文件，把它移出 dat 文件夹后再修复");
        }
        if (KindAt(Header()) == DirEntry::kFile) {
            if (Status s = Keep(Header(), false); !s) return s;
            if (headerSize < kStoreHeaderSize) {
                UniqueFd fd;
                if (Status s = OpenExisting(Header(), O_RDWR, &fd); !s) return s;
                if (Status s = TruncateTo(steps_, fd.get(), Header(), kStoreHeaderSize); !s) return s;
            }
        } else if (Status s = Advance(); !s) {
            return s;
        } else if (Status s = ReplaceFile(steps_, Header(), std::string(kStoreHeaderSize, '\0')); !s) {
            return s;
        }
        std::int64_t gone = 0;
        const auto n = static_cast<std::int32_t>(count);
        for (int k = 0; k < FilesNeeded(n); ++k) {
            if (Status s = CompleteDataFile(k, RecordsInFile(n, k), &gone); !s) return s;
        }
        std::int64_t deleted = 0;
        if (Status s = CountDeleted(n, &deleted); !s) return s;
        StoreHeader h;
        h.storeKind = kind_;
        h.count = n;
        h.deletedCount = static_cast<std::int32_t>(deleted);
        h.reuseFlag = deleted >= kReuseThreshold ? 1 : 0;
        h.fileCount = static_cast<std::int16_t>(FilesNeeded(n));
        if (Status s = WriteHeader(h); !s) return s;
        Did(RepairAction::kHeaderRebuilt, Header(), n);
        return Status::Ok();
    }

    Status Mend() {
        if (stem_.empty()) return Status::Error("未知的命例库类型 " + std::to_string(kind_));
        if (KindAt(dat_) != DirEntry::kDir) return Status::Error("文件夹 " + dat_.string() + " 不存在");
        DirLock lock;
        if (Status s = lock.Acquire(dat_); !s) return s;
        const JournalPlace place{programDir_, stem_};
        bool found = false;
        if (Status s = RecoverJournal(steps_, place, &found); !s) {
            if (KindAt(place.JournalPath()) == DirEntry::kMissing) return s;
            if (Status k = Keep(place.JournalPath(), true); !k) return k;
            Did(RepairAction::kJournalKept, place.JournalPath());
        } else if (found) {
            Did(RepairAction::kOperationFinished, place.JournalPath());
        }
        const fs::path reports = programDir_ / (stem_ + "_f");
        if (Status s = RemoveDeadTemps(steps_, dat_); !s) return s;
        if (Status s = RemoveDeadTemps(steps_, reports); !s) return s;

        std::uint64_t size = 0;
        DirEntry::Kind kind = KindAt(Header(), &size);
        if (kind == DirEntry::kDir)
            return Status::Error("无法修复命例库：" + Header().string() + " 是文件夹，不是文件");
        if (kind == DirEntry::kLink || kind == DirEntry::kOther) {
            if (Status s = Keep(Header(), true); !s) return s;
            kind = DirEntry::kMissing;
            size = 0;
        }
        StoreHeader h;
        bool usable = false;
        if (kind == DirEntry::kFile && size >= kStoreHeaderSize) {
            UniqueFd fd;
            std::string bytes(kStoreHeaderSize, '\0');
            if (Status s = OpenExisting(Header(), O_RDONLY, &fd); !s) return s;
            if (Status s = ReadAt(fd.get(), Header(), bytes.data(), bytes.size(), 0); !s) return s;
            DecodeStoreHeader(bytes, &h);
            usable = h.storeKind == kind_ && h.count >= 0 && h.fileCount >= FilesNeeded(h.count);
            // A count the data files come nowhere near is no count to fill
            // up to: the records present say how many there are.
            std::uint64_t real = 0, fill = 0;
            if (usable) {
                if (Status s = Sizes(h.count, &real, &fill); !s) return s;
                usable = fill <= real + kFillSlack;
            }
        }
        if (usable) {
            std::int64_t gone = 0;
            for (int k = 0; k < FilesNeeded(h.count); ++k) {
                if (Status s = CompleteDataFile(k, RecordsInFile(h.count, k), &gone); !s) return s;
            }
            if (gone > 0) {
                h.deletedCount =
                    static_cast<std::int32_t>(std::min<std::int64_t>(std::max(0, h.deletedCount) + gone, h.count));
                if (h.deletedCount >= kReuseThreshold) h.reuseFlag = 1;
                if (Status s = WriteHeader(h); !s) return s;
            }
        } else {
            std::vector<fs::path> files;
            if (Status s = ListDataFiles(dat_, stem_, &files); !s) return s;
            std::erase(files, Header());
            if (size <= kStoreHeaderSize && files.empty()) {
                if (kind == DirEntry::kFile && size > 0) {
                    if (Status s = Keep(Header(), false); !s) return s;
                }
                StoreHeader fresh;
                fresh.storeKind = kind_;
                if (Status s = Advance(); !s) return s;
                if (Status s = ReplaceFile(steps_, Header(), EncodeStoreHeader(fresh)); !s) return s;
                Did(RepairAction::kFreshStore, Header());
            } else if (Status s = RebuildHeader(size); !s) {
                return s;
            }
        }
        if (Status s = SetAsideBadRecords(); !s) return s;
        if (Status s = SettleDeletedCount(); !s) return s;
        if (const DirEntry::Kind r = KindAt(reports); r != DirEntry::kDir) {
            if (r != DirEntry::kMissing) {
                if (Status s = Keep(reports, true); !s) return s;
            }
            if (Status s = Advance(); !s) return s;
            if (Status s = MakeDir(steps_, reports); !s) return s;
            Did(RepairAction::kReportFolderMade, reports);
        }
        if (Status s = SetAsideBadInputFiles(reports); !s) return s;
        if (Status s = SyncDir(steps_, dat_); !s) return s;
        return Status::Ok();
    }

    Status ReadHeaderOnDisk(StoreHeader* h) {
        UniqueFd fd;
        std::string bytes(kStoreHeaderSize, '\0');
        if (Status s = OpenExisting(Header(), O_RDONLY, &fd); !s) return s;
        if (Status s = ReadAt(fd.get(), Header(), bytes.data(), bytes.size(), 0); !s) return s;
        DecodeStoreHeader(bytes, h);
        return Status::Ok();
    }

    // Live records no person could have entered are marked deleted, the
    // data file kept as it was first.
    Status SetAsideBadRecords() {
        StoreHeader h;
        if (Status s = ReadHeaderOnDisk(&h); !s) return s;
        IniFile dili;
        if (KindAt(dat_ / "dili.ini") == DirEntry::kFile) dili.Load(dat_ / "dili.ini");
        RecordCheck check(dili.loadStatus().ok() && !dili.Sections().empty() ? &dili : nullptr);
        for (int k = 0; k < FilesNeeded(h.count); ++k) {
            const fs::path path = DataFile(k);
            UniqueFd fd;
            if (Status s = OpenExisting(path, O_RDWR, &fd); !s) return s;
            const std::int32_t n = RecordsInFile(h.count, k), first = k * kRecordsPerFile;
            std::string block(std::size_t(std::min(n, 1000)) * kCaseRecordSize, '\0');
            for (std::int32_t i = 0; i < n; i += 1000) {
                const std::int32_t m = std::min(n - i, 1000);
                if (Status s =
                        ReadAt(fd.get(), path, block.data(), std::size_t(m) * kCaseRecordSize, OffsetOfSlot(first + i));
                    !s) {
                    return s;
                }
                for (std::int32_t j = 0; j < m; ++j) {
                    const std::string_view rec(block.data() + std::size_t(j) * kCaseRecordSize, kCaseRecordSize);
                    const std::int32_t slot = first + i + j;
                    if (MarkOfRecord(rec) != 0) continue;
                    const Status why = check.Check(rec, slot);
                    if (why) continue;
                    if (Status s = Keep(path, false); !s) return s;
                    if (Status s = WriteAt(steps_, fd.get(), path, std::string_view("\1", 1),
                                           OffsetOfSlot(slot) + off_t(kMarkOffset));
                        !s) {
                        return s;
                    }
                    Did(RepairAction::kRecordSetAside, path, slot, why.message());
                }
            }
        }
        return Status::Ok();
    }

    // The deleted count is the number of marks; reuse ends with the last.
    Status SettleDeletedCount() {
        StoreHeader h;
        if (Status s = ReadHeaderOnDisk(&h); !s) return s;
        std::int64_t marks = 0;
        if (Status s = CountDeleted(h.count, &marks); !s) return s;
        StoreHeader next = h;
        next.deletedCount = static_cast<std::int32_t>(marks);
        if (marks == 0) next.reuseFlag = 0;
        if (marks >= kReuseThreshold) next.reuseFlag = 1;
        if (next.reuseFlag > 1) next.reuseFlag = 0;
        if (next == h) return Status::Ok();
        if (Status s = Keep(Header(), false); !s) return s;
        if (Status s = WriteHeader(next); !s) return s;
        Did(RepairAction::kDeletedCountSet, Header(), marks);
        return Status::Ok();
    }

    // Input files a case cannot be opened with move aside.
    Status SetAsideBadInputFiles(const fs::path& reports) {
        std::vector<DirEntry> entries;
        if (Status s = ListDir(reports, true, &entries); !s) return s;
        for (const DirEntry& e : entries) {
            const std::string folded = FoldAscii(e.name);
            if (!folded.ends_with(".input") || !IsCaseFileName(folded) || e.kind == DirEntry::kDir) continue;
            const fs::path path = reports / e.name;
            if (e.kind == DirEntry::kFile && BeginsAsInputFile(path)) continue;
            if (Status s = Keep(path, true); !s) return s;
            Did(RepairAction::kInputSetAside, path);
        }
        return Status::Ok();
    }

    static bool BeginsAsInputFile(const fs::path& path) {
        static constexpr std::string_view kBeginning = "tessaly-case-input ";
        UniqueFd fd;
        std::uint64_t size = 0;
        if (!OpenExisting(path, O_RDONLY, &fd) || !SizeOf(fd.get(), path, &size) || size < kBeginning.size() ||
            size > kMaxInputFileBytes) {
            return false;
        }
        std::string head(kBeginning.size(), '\0');
        return ReadAt(fd.get(), path, head.data(), head.size(), 0) && head == kBeginning;
    }

    FileSteps steps_;
    fs::path programDir_, dat_;
    std::string stem_;
    std::uint8_t kind_;
    RepairResult result_;
    bool advanced_ = false;  // the generation was advanced
};

}  // namespace

RepairResult RepairStore(const fs::path& programDir, std::uint8_t storeKind) {
    return Repairer(programDir, storeKind).Run();
}

}  // namespace tessaly
