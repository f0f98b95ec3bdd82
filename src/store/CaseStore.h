// CaseStore (aka MDataBase, Database) — the case store: every analysed couple the user keeps.
//
// The files (StoreFormat.h) are shared byte for byte with the Windows
// program. Slots are never renumbered. A deleted record keeps its bytes (only
// its mark changes); deletions accumulate until 30 are waiting, then new
// cases take the lowest deleted slots until none is left, after which
// appending resumes.
//
// Every operation takes an advisory lock on the dat folder for its whole
// length, re-reads the header from file 0 and closes its files before it
// returns; every failed file operation comes back as an error Status.
//
// What a crash leaves: each operation that changes the store (creating a
// new store, adding a case with its report, writing, deleting, clearing,
// importing) leaves, after a crash at any moment and the next operation,
// either the whole old store or the whole new one, reports included. A new
// header comes into place by one rename; an operation that changes more
// than one thing keeps a journal (StoreJournal.h) that the next operation
// rolls back, or, once the change is committed, forward. Temporary files
// are created exclusively beside their targets; those of dead processes are
// removed by Open and ClearAll. No operation follows a symbolic link.
//
// Damage is reported, never built upon: an operation that writes first
// checks the header and the size of every data file, and refuses, naming
// the file, when they disagree. Such damage is a failure of the kind
// Status::Kind::kNeedsRepair; RepairStore (StoreRepair.h) makes a damaged
// store usable again.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Status.h"
#include "common/StyledText.h"
#include "store/CaseInput.h"
#include "store/FileUtil.h"
#include "store/StoreFormat.h"
#include "store/StoreJournal.h"

namespace tessaly {

class IniFile;

// The settings file in dat/ that holds the category list.
inline constexpr std::string_view kSettingsFileName = "bzinit.ini";

// The largest settings file a change of the store reads (a category list
// of thousands of names is far below it).
inline constexpr std::uint64_t kMaxSettingsFileBytes = std::uint64_t(4) << 20;

// The refusal of a change based on a view of a case that is no longer what
// the store holds (another program changed, deleted or replaced it).
inline constexpr std::string_view kCaseChangedMessage = "命例已被其他程序修改，请重新查看";

// What a change of a stored case is based on: the case's digest when the
// caller read it (StoredCase::digest, CaseStore::CaseDigest). When the case
// differs from it at the moment of the change, the change is refused with
// kCaseChangedMessage and nothing is written; an empty digest is not
// compared. After a write it holds the case's new digest.
struct CaseBasis {
    std::string digest;
};

class CaseStore {
public:
    CaseStore() = default;

    // Binds the store to `programDir` (which must hold a dat folder), finishes
    // or undoes an operation a crash interrupted, removes temporary files of
    // dead processes from dat/, creates dat/bazi0.dat with an empty header
    // and the report folder bazi_f when they are missing, and checks the
    // header and the sizes of the data files. A damaged store is an error,
    // but the store stays bound: ClearAll and ImportFrom, which replace it,
    // still work.
    Status Open(const std::filesystem::path& programDir, std::uint8_t storeKind = 0);

    // Stores the record in a new slot (a deleted one in reuse mode, else the
    // next one) and sets record->slot and record->deleted = 0.
    Status AddRecord(CaseRecord* record);
    // The same with the case's report: bazi_f/SLOT.rtf (replacing any
    // report a deleted case left in that slot) and the record are stored
    // together or not at all. An input file a deleted case left in the slot
    // goes: the persons are those of the record.
    Status AddCase(CaseRecord* record, const StyledReport& report);
    // The same with the persons as typed (CaseInput.h), kept in
    // bazi_f/SLOT.input in the same change; `record` holds their standard
    // time.
    Status AddCase(CaseRecord* record, const std::array<PersonRecord, 2>& typed, const StyledReport& report);

    // Reads slot 0 ≤ slot < count into *record, deleted or not (check
    // record->live()). A slot outside that range is an error and leaves
    // *record as it was.
    Status ReadRecord(std::int32_t slot, CaseRecord* record);
    // The same with the persons as typed, from the input file beside the
    // record when there is one that belongs to it (CaseInput.h), read under
    // the same lock; a file that cannot be read is named in
    // stored->inputProblem, and the persons are then the record's.
    Status ReadCase(std::int32_t slot, StoredCase* stored);

    // The digest of the case in `slot` as it is now: of its record's bytes
    // (deleted or not), its report and its input file (their bytes, or that
    // there is none). Any change of the three changes it.
    Status CaseDigest(std::int32_t slot, std::string* digest);

    // The store's generation (StoreJournal.h: ReadGeneration), read under
    // the lock: it differs from a number read before exactly when a change
    // was committed since.
    Status Generation(std::uint64_t* generation);

    // The changes of one case below take an optional `basis` (CaseBasis):
    // the case must still be the one the caller based the change on.

    // Overwrites an existing slot with the record as given (mark and slot
    // field included). A slot at or beyond the count is refused.
    Status WriteRecord(std::int32_t slot, const CaseRecord& record, CaseBasis* basis = nullptr);
    // The same, replacing the slot's report with `report`, together; the
    // slot's input file goes (the persons are those of the record).
    Status WriteCase(std::int32_t slot, const CaseRecord& record, const StyledReport& report,
                     CaseBasis* basis = nullptr);
    // The same with the persons as typed, whose input file replaces the
    // slot's in the same change.
    Status WriteCase(std::int32_t slot, const CaseRecord& record, const std::array<PersonRecord, 2>& typed,
                     const StyledReport& report, CaseBasis* basis = nullptr);
    // Puts `report` in place of the report of the live case in `slot` (a
    // missing one made again).
    Status PutReport(std::int32_t slot, const StyledReport& report, CaseBasis* basis = nullptr);

    // A change of many cases at once (ChangeCases): what it does to them.
    struct CasesChange {
        std::vector<std::int32_t> refile;  // live cases filed under `category`
        std::string category;
        std::vector<std::int32_t> remove;  // live cases marked deleted; their report and input files stay
        bool settingsChanged = false;      // the settings file is saved as the plan left it
    };
    // Visits every live case in slot order (one record object, reused);
    // stops when `visit` returns false.
    using CaseScan = std::function<Status(const std::function<bool(const CaseRecord&)>& visit)>;
    // Plans a change of many cases from what the store holds, under the
    // change's lock: the live cases (through the scan) and the settings file
    // dat/bzinit.ini, loaded (empty when there is none), which the plan may
    // edit. An error refuses the change and nothing is written.
    using CasesPlan = std::function<Status(const CaseScan& scan, IniFile* settings, CasesChange* change)>;

    // Plans (CasesPlan) and makes, as one change, every record, the header
    // and the settings file: a failure or a crash at any moment leaves them
    // all as they were, or all as planned. Deleted cases among the slots
    // planned are left as they are; a slot outside the store is refused, and
    // so is a settings file to save that is not a regular file. `operation`
    // names the change in messages ("rename-category", "delete-category").
    // *changed gets the slots written, ascending.
    Status ChangeCases(std::string_view operation, const CasesPlan& plan, std::vector<std::int32_t>* changed);

    // Files the live records among `slots` under `category`, as one change
    // (ChangeCases). *changed gets the slots written, ascending.
    Status RecategorizeCases(const std::vector<std::int32_t>& slots, std::string_view category,
                             std::vector<std::int32_t>* changed);

    // Marks the live records among `slots` deleted, as one change with the
    // header (ChangeCases); their reports and input files stay. *deleted gets
    // the slots marked, ascending.
    Status DeleteCases(const std::vector<std::int32_t>& slots, std::vector<std::int32_t>* deleted);

    // Marks a live record deleted. A slot out of range or already deleted is
    // refused and nothing changes. The report file stays.
    Status DeleteRecord(std::int32_t slot, const CaseBasis* basis = nullptr);
    // The same, removing the case's report and input file with it.
    Status DeleteCase(std::int32_t slot, const CaseBasis* basis = nullptr);

    // Slots of all live records matching `criteria`, ascending. Sets the
    // criteria's third-text mode to 0 for store kinds below 3.
    Status SearchRecords(SearchCriteria* criteria, std::vector<std::int32_t>* slots);

    // The live records matching `criteria`, decoded, in slot order: one scan
    // of the data files that decodes only what matches. Criteria with every
    // mode 0, both filters off and province −1 list every live case ("显示
    // 全部命例").
    Status SearchCases(const SearchCriteria& criteria, std::vector<CaseRecord>* found);

    // The same scan handing each match to `visit` as it is decoded (one
    // record object, reused: copy what you keep); stops early when `visit`
    // returns false. `texts` may leave out the texts a case tree does not
    // show.
    Status VisitCases(const SearchCriteria& criteria, const std::function<bool(const CaseRecord&)>& visit,
                      CaseTexts texts = CaseTexts::kAll);

    // Calls `visit` for every live record in slot order (VisitCases with
    // empty criteria).
    Status ForEachRecord(const std::function<bool(const CaseRecord&)>& visit);

    // Slots ever used, deleted ones included.
    Status RecordCount(std::int32_t* count);

    // Deletes the data files, every report and input file, and leaves a new
    // empty store.
    Status ClearAll();

    // Copies the data files to `destDir` (created when missing) and the
    // reports and input files to destDir/bazi_f, each through a temporary
    // file and a rename,
    // keeping the mode of the source. Only regular files are copied; a
    // report that is anything else is skipped and named in *skipped.
    // Refused into the program folder or dat/.
    Status ExportTo(const std::filesystem::path& destDir, std::vector<std::string>* skipped = nullptr);

    // Replaces the store with the exported history whose header file is
    // `headerFile` (bazi0.dat, in any letter case). The header, every data
    // file and every record are checked first (the first bad record is
    // named); nothing of the current store is touched unless all checks
    // pass. Only regular report files named N.rtf and input files named
    // N.input with N a live slot come in; others are skipped and named in
    // *skipped. Refused from the program folder or dat/.
    Status ImportFrom(const std::filesystem::path& headerFile, std::vector<std::string>* skipped = nullptr);

    // Reads the header as it is on disk.
    Status ReadHeader(StoreHeader* header);

    const std::filesystem::path& programDir() const { return programDir_; }
    std::filesystem::path DataFilePath(int fileIndex) const;
    std::filesystem::path HeaderPath() const { return DataFilePath(0); }
    std::filesystem::path ReportDir() const;
    // bazi_f/N.rtf
    std::filesystem::path ReportPath(std::int32_t slot) const;
    // bazi_f/N.input
    std::filesystem::path InputPath(std::int32_t slot) const;
    // dat/bzinit.ini
    std::filesystem::path SettingsPath() const { return datDir_ / kSettingsFileName; }

    // Test hooks. The first is called after a record is written and before
    // the header that counts it is; the second before every change to the
    // file system, numbered from 1 within each operation (a test stops the
    // process there as a crash would). Without syncing, nothing is flushed
    // to the disk.
    void SetBetweenWritesHookForTest(std::function<void()> hook) { betweenWrites_ = std::move(hook); }
    void SetStepHookForTest(std::function<void(int step)> hook) { steps_.beforeStep = std::move(hook); }
    void SetSyncForTest(bool sync) { steps_.sync = sync; }
    // Fails the N-th flush to the disk from now on with the errno `error`
    // returns for N (0: it goes ahead).
    void SetFlushErrorForTest(std::function<int(int flush)> error) {
        steps_.flushError = std::move(error);
        steps_.flushes = 0;
    }

private:
    struct Session;
    enum class Access { kRead, kWrite };
    Status CheckOpened() const;
    // Starts an operation: takes the lock, recovers an interrupted
    // operation, opens the header file and reads and checks the header; for
    // writing, checks the data files as well.
    Status Begin(Access access, Session* session);
    // Reads and checks the header; its bytes as read go to *raw when given.
    Status LoadHeader(int fd, StoreHeader* header, std::string* raw = nullptr) const;
    Status CheckDataFiles(const StoreHeader& header) const;
    Status ScanRecords(const StoreHeader& header,
                       const std::function<bool(std::int32_t, std::string_view)>& visit) const;
    // What a case keeps beside its record: its report (RTF) and its input
    // file (none: the slot's goes).
    struct CaseFiles {
        std::string report;
        std::optional<std::string> input;
    };
    Status Add(CaseRecord* record, const CaseFiles* files);
    Status Write(std::int32_t slot, const CaseRecord& record, const CaseFiles* files, CaseBasis* basis);
    Status Delete(std::int32_t slot, bool withReport, const CaseBasis* basis);
    // The digest of `slot` (below the count) from the files, under the
    // operation's lock.
    Status DigestOfSlot(std::int32_t slot, std::string* digest) const;
    // Refuses the change when `basis` names a digest the case no longer has.
    Status CheckBasis(std::int32_t slot, const CaseBasis* basis) const;
    // The generation a change advances to, with the undo step that puts
    // back the one there is (planned before the journal is written).
    Status PlanGeneration(StoreJournal* journal, std::uint64_t* next) const;
    // Runs an operation's journal after a failure part way (or to finish
    // a committed one) and says what became of the store.
    Status Undo(const StoreJournal& journal, const Status& failure);
    // Commits a change whose journal `journal` (uncommitted) is on disk:
    // the journal goes, or, with files put aside (rewriteFirst), is
    // rewritten as committed and its finishing steps run. A failure before
    // the commit point undoes the change; one after it is a warning: the
    // change stands.
    Status Commit(StoreJournal journal, bool rewriteFirst);
    // Puts a committed journal in place of the journal there is: the
    // commit point is its rename. *placed: the rename was made.
    Status PlaceCommitted(const StoreJournal& done, bool* placed);
    // Runs the finishing steps of a journal already written as committed;
    // a failure is a warning (the change stands; the next use of the store
    // finishes it).
    Status FinishCommitted(const StoreJournal& journal);
    JournalPlace Place() const { return {programDir_, stem_}; }

    std::filesystem::path programDir_;
    std::filesystem::path datDir_;
    std::string stem_;
    std::uint8_t storeKind_ = 0;
    FileSteps steps_;
    std::function<void()> betweenWrites_;
};

}  // namespace tessaly
