// The subcommands of "tessaly-cli cases" that change stored cases the way
// the case tree and the case information dialog do:
//
//   move SLOT CATEGORY [--expect D]     files the case under another category
//   edit SLOT [--a PERSON] [--note T] [--expect D]
//                                       person A and the note, as "编辑命例"
//   categories                          the category list of dat/bzinit.ini
//   rename-category OLD NEW             every stored case of OLD (ignoring
//                                       ASCII case) and the list entry
//
// Each prints what it changed. A slot without a case, a deleted case or a
// bad name exits 1 with the message and changes nothing. move and edit read
// the case and change it as one decision: a case changed by another program
// in between, or one whose digest is no longer the D of --expect (the
// digest `cases show` prints), is refused ("命例已被其他程序修改，请重新查看").

#pragma once

#include <cstdint>

#include "cli/Command.h"
#include "common/Status.h"

namespace tessaly {
class CaseStore;
struct CaseBasis;
}  // namespace tessaly

namespace tessaly::cli {

int RunCasesMove(CommandContext& ctx, CaseStore& db);
int RunCasesEdit(CommandContext& ctx, CaseStore& db);
int RunCasesCategories(CommandContext& ctx, CaseStore& db);
int RunCasesRenameCategory(CommandContext& ctx, CaseStore& db);

// Prints the message of a refused store operation, with the way out when
// the store needs repair; returns kExitRefused.
int Refuse(CommandContext& ctx, const Status& s);

// Prints the warning of a store operation that succeeded (its change
// stands, say, though a flush to the disk failed afterwards).
void WarnIfAny(CommandContext& ctx, const Status& s);

// Takes "--expect DIGEST" (a case's digest as `cases show` prints it).
// Returns kExitOk, or the usage status for a malformed one.
int TakeExpectedDigest(CommandContext& ctx, CaseBasis* basis);

// Takes the first argument left as SLOT: a decimal number, 0 or more.
// False, and nothing taken, when there is none or it is no such number.
bool TakeSlot(CommandContext& ctx, std::int32_t* slot);

}  // namespace tessaly::cli
