// StoreFormat — the bytes of the case store files, shared byte for byte
// with the Windows program (relative to the program folder):
//   dat/bazi0.dat          StoreHeader (20 bytes), then records 0..49 999
//   dat/bazi1.dat, …       records 50 000..99 999, …; no header
//   bazi_f/N.rtf           the report of the case in slot N
// Record n lives in data file n / 50 000 at byte (n mod 50 000) × 1296, plus
// 20 in file 0. Integers and floats are little-endian; texts are GBK,
// NUL-terminated, cut on a character boundary when too long.
#pragma once

#include <sys/types.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "calendar/PersonRecord.h"
#include "calendar/Places.h"
#include "common/IniFile.h"
#include "common/Status.h"

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
// Which texts a reader decodes: all of them, or those a line of the case
// tree shows (甲命's name and the category, with 甲命's numbers; the note
// and 甲命's place text are left empty, 乙命 is a default record).
enum class CaseTexts { kAll, kTreeLine };
// The same over *record, reusing the storage of its texts; `bytes` holds at
// least 1296 bytes.
void DecodeCaseRecord(std::string_view bytes, CaseRecord* record, CaseTexts texts = CaseTexts::kAll);

// The deletion mark of a record's bytes (0 live, 1 deleted).
inline std::uint8_t MarkOfRecord(std::string_view bytes) { return static_cast<std::uint8_t>(bytes[4]); }
inline constexpr std::size_t kMarkOffset = 4;

// What a record must be to come into the store from an exported history (or
// to stay live through a repair): its mark 0 or 1 and its slot field `slot`;
// when live, every text field NUL-terminated within its field and valid GBK,
// the calendar, leap-month and sex flags 0 or 1, both persons passing the
// check a person entered by hand passes (CheckPerson: the date exists, the
// coordinates finite and in range, the province and city indices, names and
// places without control characters), the category without control
// characters and the note without any but line breaks. The error is
// "第 N 号记录无效：" and the reason.
class RecordCheck {
public:
    // With `dili` (dat/dili.ini) the city indices are checked against the
    // province's cities; without, they only must not be negative.
    explicit RecordCheck(const IniFile* dili = nullptr) : dili_(dili) { cityCounts_.fill(-1); }
    Status Check(std::string_view bytes, std::int32_t slot);

private:
    const IniFile* dili_;
    std::array<int, kProvinceCount> cityCounts_;  // by province, −1 until looked up
    CaseRecord record_;
};

// RecordCheck without the city list.
Status CheckImportedRecord(std::string_view bytes, std::int32_t slot);

// What a search looks for: the name is looked for in both persons' names,
// the sex, birth year and province are person A's.
struct SearchCriteria {
    std::string name;            // UTF-8; compared in GBK with A's and B's names
    std::string category;        // UTF-8; compared in GBK with the category
    std::string thirdText;       // other store kinds only; never set here
    std::uint8_t wantedSex = 0;  // 1 male, 0 female
    std::int16_t firstYear = 0;  // astronomical numbering
    std::int16_t lastYear = 0;
    std::int16_t province = -1;     // province index, −1 = any
    std::uint8_t nameMode = 0;      // 0 ignore, 1 contains, 2 equals
    std::uint8_t categoryMode = 0;  // 0 ignore, 1 contains, 2 equals
    std::uint8_t thirdMode = 0;     // forced to 0 for store kinds below 3
    std::uint8_t sexFilter = 0;     // 1: filter on sex
    std::uint8_t yearFilter = 0;    // 1: filter on A's birth year
};

// The criteria applied to a record's bytes: texts are compared byte for
// byte in GBK (a name "contains" a text when its GBK bytes hold the text's;
// the name matches when either person's does), deleted records never match.
class CaseMatcher {
public:
    // Fails when a criteria text holds a character GBK cannot represent.
    static Status Make(const SearchCriteria& criteria, CaseMatcher* matcher);
    bool Matches(std::string_view recordBytes) const;

private:
    SearchCriteria c_;
    std::string name_, category_;  // GBK, cut to their fields
};

// ---- where records live ------------------------------------------------------

inline int FileOfSlot(std::int32_t slot) { return slot / kRecordsPerFile; }
inline off_t OffsetOfSlot(std::int32_t slot) {
    const std::int32_t inFile = slot % kRecordsPerFile;
    return off_t(inFile) * off_t(kCaseRecordSize) + (slot < kRecordsPerFile ? off_t(kStoreHeaderSize) : 0);
}
// Data files needed to hold `count` slots (1 for an empty store).
inline int FilesNeeded(std::int32_t count) { return count <= 0 ? 1 : (count - 1) / kRecordsPerFile + 1; }
// Records data file k holds in a store of `count` slots.
std::int32_t RecordsInFile(std::int32_t count, int k);
// Bytes data file k needs in a store of `count` slots (the header included
// for file 0).
std::uint64_t BytesNeeded(std::int32_t count, int k);

// The stem of the store files for a store kind ("bazi" for kind 0); empty for
// kinds this program does not know.
std::string_view StoreStem(std::uint8_t storeKind);

}  // namespace tessaly
