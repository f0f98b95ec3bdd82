// StoreRepair — makes a damaged case store usable again, throwing nothing
// away: every file it changes is first copied (or, for a link or a journal,
// moved) into a folder dat/damaged-YYYYMMDD-HHMMSS, named in the result.
//
// What it mends:
//   - an interrupted operation is finished or undone as the next operation
//     would; a journal that cannot be run is kept aside;
//   - a missing, empty or short header with no records anywhere becomes a
//     fresh empty store;
//   - a header that cannot be read (too short, another store kind, counts
//     that contradict themselves) is rebuilt from the records present: the
//     count from the data files' whole records, the deleted count from the
//     deletion marks;
//   - a data file shorter than the header says, or missing, keeps its whole
//     records and gets the rest as deleted records (mark 1, the slot field
//     set, every other byte 0), so no slot number moves; a torn last record
//     becomes one of them;
//   - a header whose count would need more records written than the data
//     files hold (beyond a small bound) is not trusted: it is rebuilt from
//     the records present, so a repair never writes much more than the
//     store's real size; when rebuilding, a gap of at most one data file
//     is filled, and a data file lying further beyond the others is
//     refused, naming the file;
//   - a live record that could not have been entered (RecordCheck,
//     StoreFormat.h: a date that does not exist, coordinates out of range,
//     control characters …) is set aside: the data file is kept as it was,
//     and the record is marked deleted (its bytes stay), named with its slot
//     and the reason;
//   - the deleted count follows the deletion marks (a repair or an
//     operation stopped between the marks and the header leaves them
//     apart), so a repair stopped at any moment is finished by the next;
//   - a missing report folder is created;
//   - an input file (bazi_f/N.input) that is no input file of this program
//     (not a regular file, or not beginning as one) is moved aside; its
//     case then opens with the standard time of its record.
// Temporary files of dead processes are removed from dat/ and bazi_f/.
// Before its first change the store's generation advances (StoreJournal.h),
// as with every other change. Running it on a sound store changes nothing.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Status.h"

namespace tessaly {

struct RepairAction {
    enum Kind {
        kJournalKept,        // the journal of an interrupted operation could not be run; kept aside
        kOperationFinished,  // an interrupted operation was finished or undone
        kFreshStore,         // no usable header and no records: a new empty store
        kHeaderRebuilt,      // the header was rebuilt from the records (count: the new count)
        kRecordsMarkedGone,  // `count` records missing from `file` are deleted records now
        kReportFolderMade,   // the report folder was missing
        kInputSetAside,      // an input file that could not be read was moved aside (file: where it was)
        kRecordSetAside,     // the live record in slot `count` is no case (`reason`): marked deleted
        kDeletedCountSet,    // the header's deleted count set to the marks (count: the marks)
    } kind;
    std::filesystem::path file;
    std::int64_t count = 0;
    std::string reason;
};

struct RepairResult {
    Status status;                            // an error when the store could not be repaired
    std::vector<RepairAction> actions;        // what was done; empty for a sound store
    std::filesystem::path keptDir;            // where the files as they were are kept; empty when none
    std::vector<std::filesystem::path> kept;  // the files kept there
};

RepairResult RepairStore(const std::filesystem::path& programDir, std::uint8_t storeKind = 0);

}  // namespace tessaly
