// The subcommands of "tessaly-cli cases" that change stored cases the way
// the case tree and the case information dialog do:
//
//   move SLOT CATEGORY                  files the case under another category
//   edit SLOT [--a PERSON] [--note T]   person A and the note, as "编辑命例"
//   categories                          the category list of dat/bzinit.ini
//   rename-category OLD NEW             every stored case of OLD (ignoring
//                                       ASCII case) and the list entry
//
// Each prints what it changed. A slot without a case, a deleted case or a
// bad name exits 1 with the message and changes nothing.
#pragma once

#include "cli/Command.h"

namespace tessaly {
class CaseStore;
}

namespace tessaly::cli {

int RunCasesMove(CommandContext& ctx, CaseStore& db);
int RunCasesEdit(CommandContext& ctx, CaseStore& db);
int RunCasesCategories(CommandContext& ctx, CaseStore& db);
int RunCasesRenameCategory(CommandContext& ctx, CaseStore& db);

}  // namespace tessaly::cli
