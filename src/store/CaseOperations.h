// CaseOperations — what the case tree, the case dialogs and tessaly-cli do
// with stored cases beyond adding and reading one: listing the cases a tree
// shows, moving a case to another category, renaming and deleting the cases
// of a category, deleting a case with its report, and the edit of person A
// and the note of a case ("编辑命例"; the session layer runs the edited case
// and stores it with its new report).
//
// Every operation checks what it is given before it changes anything: a
// slot outside the store, a deleted case or a bad name is refused with its
// message and nothing is written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calendar/PersonCheck.h"
#include "common/IniFile.h"
#include "common/Status.h"
#include "store/CaseStore.h"

namespace tessaly {

// A case as the case tree lists it.
struct ListedCase {
    std::int32_t slot = 0;
    std::string category;
    std::string nodeText;  // CaseNodeText
    bool male = true;      // person A is a man

    friend bool operator==(const ListedCase&, const ListedCase&) = default;
};

ListedCase ListingOf(const CaseRecord& record);

// The live cases among `slots` (in any order), listed in slot order. Slots
// outside the store and deleted cases are left out.
Status ListCasesInSlots(CaseStore& db, const std::vector<std::int32_t>& slots, std::vector<ListedCase>* cases);

// The live cases matching `criteria` (as CaseStore::SearchRecords compares
// them), in slot order.
Status FindCases(CaseStore& db, SearchCriteria* criteria, std::vector<ListedCase>* cases);

// Files the live case in `slot` under `category` (trimmed; 1 to 13 GBK
// bytes, what a record holds). *moved gets the record as written. The case
// is read and written as one decision: a case changed between the two is
// refused (kCaseChangedMessage), and so is one that differs from `basis`
// when given (CaseBasis; it gets the moved case's digest).
Status MoveCase(CaseStore& db, std::int32_t slot, std::string_view category, CaseRecord* moved,
                CaseBasis* basis = nullptr);

// The basis of a change of the case in `slot` that a listing (the case
// tree, `cases list`) showed as `nodeText` (CaseNodeText): its digest when
// the slot still holds a live case shown so, kCaseChangedMessage otherwise
// (it was deleted, or its slot now holds another case).
Status BasisOfListedCase(CaseStore& db, std::int32_t slot, std::string_view nodeText, CaseBasis* basis);

// Gives the live cases among `slots` the category `newName` (trimmed; 1 to
// 12 GBK bytes), in one change of the store; deleted ones are skipped.
// *renamed gets the slots written, ascending.
Status RenameCasesCategory(CaseStore& db, const std::vector<std::int32_t>& slots, std::string_view newName,
                           std::vector<std::int32_t>* renamed);

// What RenameCategory changed.
struct CategoryRename {
    std::vector<std::int32_t> renamed;  // the slots of the cases now filed under the new name
    bool listEntry = false;             // an entry of the category list was renamed
};

// Renames category `oldName` everywhere: every live stored case whose
// category equals it (ignoring ASCII case) and the first entry of the
// category list in `settings` (dat/bzinit.ini), which is saved — in one
// change of the store (CaseStore::RecategorizeCases): a failure or a crash
// leaves the cases and the list all old or all new. Refused when no stored
// case and no list entry bears the old name, and when a stored case or a
// list entry already bears the new one ("已有这个类别了，请另起一个名称！", the
// old name itself included). The cases and the list are those of the
// moment of the change, read under its lock (a list kept beside the store;
// `settings` itself for one kept elsewhere). On success `settings` holds
// the renamed list.
Status RenameCategory(CaseStore& db, IniFile& settings, std::string_view oldName, std::string_view newName,
                      CategoryRename* result);

// The same for the live cases among `slots` only (the cases a tree lists),
// without the refusals about names already in use: the cases and the first
// list entry equal to `oldName` are renamed in one change of the store.
Status RenameListedCategory(CaseStore& db, IniFile& settings, const std::vector<std::int32_t>& slots,
                            std::string_view oldName, std::string_view newName, CategoryRename* result);

// Marks the live case in `slot` deleted and removes its report
// (bazi_f/SLOT.rtf) in the same journaled step: either both go or neither.
// With a basis, a case that differs from it is refused (CaseBasis).
Status DeleteCase(CaseStore& db, std::int32_t slot, const CaseBasis* basis = nullptr);

// Marks the live cases among `slots` deleted, in one change of the store
// (CaseStore::DeleteCases: a failure or a crash leaves them all live or all
// deleted); their report files stay (a reused slot gets a new report when
// its case is saved). *deleted gets the slots marked, ascending; deleted
// ones are skipped. The category list is not changed.
Status DeleteCases(CaseStore& db, const std::vector<std::int32_t>& slots, std::vector<std::int32_t>* deleted);

// The longest note a case takes when entered, in GBK bytes (with CR LF line
// ends); the longest name is kMaxNameBytes (PersonCheck.h).
inline constexpr std::size_t kMaxNoteBytes = 1000;

inline constexpr std::string_view kEmptyNoteMessage = "附加信息不能为空";

// What "编辑命例" changes in a stored case.
struct CaseEdit {
    // Person A as entered: name, date and time, calendar, leap month, sex,
    // province and city, and how the time was read (clock, zone, the reading
    // of a skipped or repeated time, a standard time settled). Longitude,
    // latitude and place text follow the chosen city (dat/dili.ini) when the
    // province or the city differs from the stored one, and are kept as
    // stored otherwise. Person B is never changed.
    std::optional<PersonRecord> a;
    // The note; its line ends become CR LF.
    std::optional<std::string> note;
};

// Applies `edit` to `record` (a case whose persons are as typed) after
// checking it: person A by CheckPerson (PersonCheck.h; the city against
// `dili` when the place changes), a note of 1 to 1000 GBK bytes that GBK
// can hold, without control characters other than line breaks. On an error
// `record` is unchanged.
Status ApplyCaseEdit(const CaseEdit& edit, const IniFile& dili, CaseRecord* record);

// The text with every line end (LF, or CR LF) as CR LF.
std::string WithCrLfLineEnds(std::string_view text);

}  // namespace tessaly
