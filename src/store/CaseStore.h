// CaseStore (aka MDataBase, Database) — the case store: every analysed couple the user keeps.
//
// Files, shared byte for byte with the Windows program (relative to the
// program folder):
//   dat/bazi0.dat          StoreHeader (20 bytes), then records 0..49 999
//   dat/bazi1.dat, …       records 50 000..99 999, …; no header
//   bazi_f/N.rtf           the report of the case in slot N
// Record n lives in data file n / 50 000 at byte (n mod 50 000) × 1296, plus
// 20 in file 0. Integers and floats are little-endian; texts are GBK,
// NUL-terminated, cut on a character boundary when too long.
//
// Slots are never renumbered. A deleted record keeps its bytes (only its mark
// changes); deletions accumulate until 30 are waiting, then new cases take
// the lowest deleted slots until none is left, after which appending resumes.
//
// Every operation takes an advisory lock on the dat folder for its whole
// length, re-reads the header from file 0 and closes its files before it
// returns. Every failed file operation comes back as an error Status; a
// write that counts a record (header) always follows the flushed write of
// the record itself, so a crash leaves a consistent store.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonRecord.h"
#include "common/Status.h"
#include "common/StyledText.h"
#include "store/FileUtil.h"

namespace tessaly {

inline constexpr std::size_t kStoreHeaderSize = 20;
inline constexpr std::size_t kCaseRecordSize = 1296;
inline constexpr std::int32_t kRecordsPerFile = 50000;
inline constexpr std::int32_t kReuseThreshold = 30;  // deletions before slots are reused
// A full data file: 64 800 000 bytes (64 800 020 for file 0).
inline constexpr std::uint64_t kDataFileBytes = std::uint64_t(kRecordsPerFile) * kCaseRecordSize;

// Sizes of the GBK text fields, NUL included; the text takes one byte less.
inline constexpr std::size_t kNameField = 12;
inline constexpr std::size_t kCategoryField = 14;
inline constexpr std::size_t kNoteField = 1092;
inline constexpr std::size_t kPlaceField = 52;

// The first 20 bytes of bazi0.dat.
struct StoreHeader {
    std::uint8_t storeKind = 0;     // 0 for this program
    std::int32_t count = 0;         // slots ever used, live and deleted
    std::int32_t deletedCount = 0;  // deleted slots not reused yet
    std::uint8_t reuseFlag = 0;     // 1 while new records fill deleted slots
    std::int16_t fileCount = 1;     // data files in use

    friend bool operator==(const StoreHeader&, const StoreHeader&) = default;
};

// Offset  size  field
//   0      1    storeKind
//   1      3    reserved, 0
//   4      4    count (int32)
//   8      4    deletedCount (int32)
//  12      1    reuseFlag
//  13      1    reserved, 0
//  14      2    fileCount (int16)
//  16      4    reserved, 0
std::string EncodeStoreHeader(const StoreHeader& header);
// Reads the fields from the first 20 bytes; false when fewer are given.
bool DecodeStoreHeader(std::string_view bytes, StoreHeader* header);

// One stored case. Texts are UTF-8 here; the persons' personNo is not stored
// (it is 0 for a and 1 for b after reading).
struct CaseRecord {
    CaseRecord() { b.personNo = 1; }

    std::int32_t slot = 0;
    std::uint8_t deleted = 0;  // 0 live, 1 deleted
    PersonRecord a;            // 甲命
    PersonRecord b;            // 乙命
    std::string category;      // at most 13 GBK bytes are kept
    std::string note;          // 附加信息; at most 1091 GBK bytes are kept

    bool live() const { return deleted == 0; }
};

// The 1296 bytes of a record. Fails (naming the field) only when a text holds
// a character GBK cannot represent; texts too long are cut on a character
// boundary.
Status EncodeCaseRecord(const CaseRecord& record, std::string* bytes);
// Reads a record from 1296 bytes. A text field that is not valid GBK (a
// damaged file) is decoded with each bad byte shown as '?'.
CaseRecord DecodeCaseRecord(std::string_view bytes);

// What a search looks for; only person A's fields take part.
struct SearchCriteria {
    std::string name;          // UTF-8; compared in GBK with A's name
    std::string category;      // UTF-8; compared in GBK with the category
    std::string thirdText;     // other store kinds only; never set here
    std::uint8_t wantedSex = 0;  // 1 male, 0 female
    std::int16_t firstYear = 0;  // astronomical numbering
    std::int16_t lastYear = 0;
    std::int16_t province = -1;  // province index, −1 = any
    std::uint8_t nameMode = 0;      // 0 ignore, 1 contains, 2 equals
    std::uint8_t categoryMode = 0;  // 0 ignore, 1 contains, 2 equals
    std::uint8_t thirdMode = 0;     // forced to 0 for store kinds below 3
    std::uint8_t sexFilter = 0;     // 1: filter on sex
    std::uint8_t yearFilter = 0;    // 1: filter on A's birth year
};

enum class SearchMode : std::uint8_t { kIgnore = 0, kContains = 1, kEquals = 2 };

class CaseStore {
public:
    CaseStore() = default;

    // Binds the store to `programDir` (which must hold a dat folder), creates
    // dat/bazi0.dat with an empty header when it is missing and the report
    // folder bazi_f when it is missing. An existing header is checked.
    Status Open(const std::filesystem::path& programDir, std::uint8_t storeKind = 0);

    // Stores the record in a new slot (a deleted one in reuse mode, else the
    // next one) and sets record->slot and record->deleted = 0.
    Status AddRecord(CaseRecord* record);

    // Reads slot 0 ≤ slot < count into *record, deleted or not (check
    // record->live()). A slot outside that range is an error and leaves
    // *record as it was.
    Status ReadRecord(std::int32_t slot, CaseRecord* record);

    // Overwrites an existing slot with the record as given (mark and slot
    // field included). A slot at or beyond the count is refused.
    Status WriteRecord(std::int32_t slot, const CaseRecord& record);

    // Marks a live record deleted. A slot out of range or already deleted is
    // refused and nothing changes. The report file is the caller's.
    Status DeleteRecord(std::int32_t slot);

    // Slots of all live records matching `criteria`, ascending. Sets the
    // criteria's third-text mode to 0 for store kinds below 3.
    Status SearchRecords(SearchCriteria* criteria, std::vector<std::int32_t>* slots);

    // Calls `visit` for every live record in slot order (a full scan in
    // large blocks); stops early when `visit` returns false.
    Status ForEachRecord(const std::function<bool(const CaseRecord&)>& visit);

    // Slots ever used, deleted ones included.
    Status RecordCount(std::int32_t* count);

    // Deletes the data files and every report, and leaves a new empty store.
    Status ClearAll();

    // Copies the data files to `destDir` (created when missing) and the
    // reports to destDir/bazi_f. Refused into the program folder or dat/.
    Status ExportTo(const std::filesystem::path& destDir);

    // Replaces the store with the exported history whose header file is
    // `headerFile` (bazi0.dat, in any letter case). The header and every data
    // file are checked first; nothing of the current store is touched unless
    // all checks pass. Refused from the program folder or dat/.
    Status ImportFrom(const std::filesystem::path& headerFile);

    // Reads the header as it is on disk.
    Status ReadHeader(StoreHeader* header);

    const std::filesystem::path& programDir() const { return programDir_; }
    std::filesystem::path DataFilePath(int fileIndex) const;
    std::filesystem::path HeaderPath() const { return DataFilePath(0); }
    std::filesystem::path ReportDir() const;
    // bazi_f/N.rtf
    std::filesystem::path ReportPath(std::int32_t slot) const;

    // Test hook: called after a record is written and flushed and before the
    // header that counts it is written.
    void SetBetweenWritesHookForTest(std::function<void()> hook) { betweenWrites_ = std::move(hook); }

private:
    Status CheckOpened() const;
    // Starts an operation: takes the lock, opens the header file with
    // `flags` and reads the header.
    Status Begin(DirLock* lock, int flags, UniqueFd* headerFd, StoreHeader* header) const;
    Status LoadHeader(int fd, StoreHeader* header) const;
    Status ScanRecords(const StoreHeader& header,
                       const std::function<bool(std::int32_t, std::string_view)>& visit) const;
    Status AppendLocked(int headerFd, StoreHeader header, CaseRecord* record);

    std::filesystem::path programDir_;
    std::filesystem::path datDir_;
    std::string stem_;
    std::uint8_t storeKind_ = 0;
    std::function<void()> betweenWrites_;
};

// Stores a new case with its report (bazi_f/SLOT.rtf): the record is added,
// then the report written; when the report cannot be written the record is
// marked deleted again, so no case is left without its report, and the
// error says so. Sets record->slot on success.
Status AddCaseWithReport(CaseStore& db, CaseRecord* record, const StyledReport& report);

// The stem of the store files for a store kind ("bazi" for kind 0); empty for
// kinds this program does not know.
std::string_view StoreStem(std::uint8_t storeKind);

}  // namespace tessaly
