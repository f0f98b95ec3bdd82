// StoreJournal — what a store operation in progress would have to undo or
// finish, kept in dat/bazi.journal while the operation changes files.
//
// An operation that changes more than one thing first writes its journal
// (through a temporary file and one rename, so the journal is whole or
// absent), then changes the store, then removes the journal. Whoever takes
// the store lock next and finds a journal left by a crash runs it before
// anything else: an uncommitted one is rolled back (its undo steps, then its
// finishing steps), a committed one is rolled forward (its finishing steps).
// Every step can be run twice with the same result, so a crash during the
// recovery itself is recovered the same way.
//
// The journal is text, one step a line; paths are relative to the program
// folder and name only files the store owns (dat/bazi<k>.dat, bazi_f/<n>.rtf,
// bazi_f/<n>.input and the store's own ".tessaly-" files; dat/bzinit.ini,
// which holds the category list, only as the place a file put aside goes
// back to), so a planted journal cannot make the store touch anything else;
// its offsets and sizes are checked against the files' real sizes before it
// runs.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "common/Status.h"
#include "store/FileUtil.h"

namespace tessaly {

struct JournalStep {
    enum Kind {
        kRestoreBytes,  // write `bytes` at `number` into `path`
        kSetSize,       // cut `path` to `number` bytes; −1: remove it
        kMoveBack,      // if `path` exists, rename it to `path2`
        kRemove,        // remove `path` (a file, or a folder with its contents)
        kUnmove,        // for each of `names` in `path2`'s folder missing from staging `path`: move it back there
        kMoveAllBack,   // rename every entry of folder `path` into folder `path2`
        kClear,         // empty the store of kind `number`: a new header, no other data files, no reports
        kGeneration,    // the store's generation file (dat/bazi.generation) says `number`; −1: remove it
    } kind;
    std::string path, path2;
    std::int64_t number = 0;
    std::string bytes;
    std::vector<std::string> names;
};

struct StoreJournal {
    std::string operation;  // for messages: "add", "write", "delete", "clear", "import", "report", "rename-category"
    bool committed = false;
    std::vector<JournalStep> undo;    // in order, when not committed
    std::vector<JournalStep> finish;  // in order, always
};

// The places a journal works in: the program folder and the store stem.
struct JournalPlace {
    std::filesystem::path programDir;
    std::string stem;  // "bazi"

    std::filesystem::path JournalPath() const;     // dat/bazi.journal
    std::filesystem::path GenerationPath() const;  // dat/bazi.generation
    std::string DatName(std::string_view name) const { return "dat/" + std::string(name); }
    std::string ReportName(std::string_view name) const { return stem + "_f/" + std::string(name); }
};

// The operation as a message names it: "add" is "添加命例", "import" is
// "导入" …; a word it does not know is given as it is.
std::string OperationText(std::string_view operation);

std::string EncodeJournal(const StoreJournal& journal);
// Parses and checks a journal; a malformed one, or one that names anything
// the store does not own, is an error.
Status ParseJournal(std::string_view text, const JournalPlace& place, StoreJournal* journal);

// Writes the journal in place of any previous one.
Status WriteJournal(FileSteps& steps, const JournalPlace& place, const StoreJournal& journal);

// Checks the steps against the files as they are before any step runs: a
// step that writes or cuts a data file stays within the file's size plus
// one record. A journal that asks for more is no journal of this store (a
// planted one could make a data file grow without bound).
Status CheckJournalAgainstFiles(const JournalPlace& place, const StoreJournal& journal);

// Runs the journal (undo steps unless committed, then finishing steps) and
// removes it; a journal CheckJournalAgainstFiles refuses runs no step.
Status RunJournal(FileSteps& steps, const JournalPlace& place, const StoreJournal& journal);

// Finds a journal left behind and runs it; *found tells whether there was
// one. A journal that cannot be read or run is damage that RepairStore
// mends (Status::Kind::kNeedsRepair).
Status RecoverJournal(FileSteps& steps, const JournalPlace& place, bool* found = nullptr);

// The store's generation: a number that every committed change of the
// store advances, kept in dat/bazi.generation (a decimal number and a line
// end) and changed inside the change's journal, so that a change rolled
// back leaves it as it was. A store without the file is at generation 0.
// Read it under the store's lock.
Status ReadGeneration(const JournalPlace& place, std::uint64_t* generation);
// Replaces the generation file with `generation` (its mode that of the
// header file).
Status WriteGeneration(FileSteps& steps, const JournalPlace& place, std::uint64_t generation);

// The whole of kClear, also used by CaseStore::ClearAll.
Status ClearStoreFiles(FileSteps& steps, const JournalPlace& place, std::uint8_t storeKind);

}  // namespace tessaly
