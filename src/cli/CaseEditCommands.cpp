#include "cli/CaseEditCommands.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "calendar/BirthClipboard.h"
#include "calendar/BirthTimeZone.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "session/CoupleSession.h"
#include "session/Persons.h"
#include "store/Categories.h"

namespace tessaly::cli {

int Refuse(CommandContext& ctx, const Status& s) {
    ctx.Error(s.message());
    if (s.needsRepair()) {
        ctx.Error("'tessaly-cli cases repair' makes it usable again and keeps the damaged files");
    }
    return kExitRefused;
}

void WarnIfAny(CommandContext& ctx, const Status& s) {
    if (s.hasWarning()) ctx.Error("warning: " + s.message());
}

int TakeExpectedDigest(CommandContext& ctx, CaseBasis* basis) {
    std::string digest;
    bool missing = false;
    if (!TakeOption(ctx.args, "--expect", &digest, &missing)) return kExitOk;
    const bool hex = digest.size() == 16 && std::all_of(digest.begin(), digest.end(), [](char c) {
                         return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
                     });
    if (missing || !hex) return ctx.Usage("--expect takes the 16 hex digits of a case's digest (cases show prints it)");
    basis->digest = digest;
    return kExitOk;
}

bool TakeSlot(CommandContext& ctx, std::int32_t* slot) {
    long v = -1;
    const bool ok = !ctx.args.empty() && ParseInteger(ctx.args[0], &v) && v >= 0 && v <= INT32_MAX;
    if (!ok) return false;
    *slot = static_cast<std::int32_t>(v);
    ctx.args.erase(ctx.args.begin());
    return true;
}

namespace {

// The birth as entered; a time read from the clock of the birth place names
// that clock.
std::string BirthText(const PersonRecord& p) {
    char time[48];
    std::snprintf(time, sizeof time, "%d-%d-%d %02d:%02d", ShownYear(p.year), p.month, p.day, p.hour, p.minute);
    std::string clock;
    if (p.clock == BirthClock::kCivil) {
        clock = " 当地钟表 " + TimeZoneOf(p);
        if (p.clockReading != ClockReading::kAsk) {
            clock += p.clockReading == ClockReading::kSummerTime ? " dst=1" : " dst=0";
        }
    }
    return std::string(p.isLunar ? "lunar " : "gregorian ") + (p.isLeapMonth ? "leap " : "") + time + clock;
}

std::string PlaceOf(const PersonRecord& p) {
    char coords[48];
    std::snprintf(coords, sizeof coords, "%.4f, %.4f", static_cast<double>(p.longitude),
                  static_cast<double>(p.latitude));
    return EscapeControls(p.placeText) + " (province " + std::to_string(p.provinceIndex) + ", city " +
           std::to_string(p.cityIndex) + "; " + coords + ")";
}

// The lines "  field: old -> new" for what differs between two records.
std::string ChangedFields(const CaseRecord& before, const CaseRecord& after) {
    const struct {
        const char* field;
        std::string old, now;
    } kFields[] = {
        {"name", EscapeControls(before.a.name), EscapeControls(after.a.name)},
        {"sex", before.a.isMale ? "male" : "female", after.a.isMale ? "male" : "female"},
        {"birth", BirthText(before.a), BirthText(after.a)},
        {"place", PlaceOf(before.a), PlaceOf(after.a)},
    };
    std::string out;
    for (const auto& f : kFields) {
        if (f.old != f.now) out += std::string("  ") + f.field + ": " + f.old + " -> " + f.now + '\n';
    }
    if (before.note != after.note) out += "  note: changed\n";
    return out.empty() ? "  nothing changed\n" : out;
}

// True when the PERSON text sets one of `keys`.
bool SetsKey(std::string_view person, std::initializer_list<std::string_view> keys) {
    for (std::size_t start = 0; start <= person.size();) {
        const std::size_t semi = person.find(';', start);
        const std::string_view item = person.substr(start, semi == std::string_view::npos ? semi : semi - start);
        const std::string_view key = Trim(item.substr(0, item.find('=')));
        if (std::find(keys.begin(), keys.end(), key) != keys.end()) return true;
        start = semi == std::string_view::npos ? person.size() + 1 : semi + 1;
    }
    return false;
}

}  // namespace

int RunCasesMove(CommandContext& ctx, CaseStore& db) {
    std::int32_t slot = 0;
    CaseBasis expected;
    if (int rc = TakeExpectedDigest(ctx, &expected); rc != kExitOk) return rc;
    if (!TakeSlot(ctx, &slot) || ctx.args.size() != 1) return ctx.Usage("cases move takes SLOT CATEGORY");
    StoredCase before;
    if (Status s = db.ReadCase(slot, &before); !s) return Refuse(ctx, s);
    // The case read is what the move is based on (and --expect, when given,
    // what it must still be).
    CaseBasis basis{expected.digest.empty() ? before.digest : expected.digest};
    CaseRecord moved;
    const Status s = MoveCase(db, slot, ctx.args[0], &moved, &basis);
    if (!s) return Refuse(ctx, s);
    ctx.storeChanged = true;
    ctx.Notice("moved slot " + std::to_string(slot) + " from " + before.record.category + " to " + moved.category +
               ": " + CaseNodeText(moved));
    WarnIfAny(ctx, s);
    return kExitOk;
}

int RunCasesEdit(CommandContext& ctx, CaseStore& db) {
    std::int32_t slot = 0;
    CaseBasis expected;
    if (int rc = TakeExpectedDigest(ctx, &expected); rc != kExitOk) return rc;
    if (!TakeSlot(ctx, &slot)) return ctx.Usage("cases edit takes SLOT [--a PERSON] [--note TEXT] [--expect DIGEST]");
    std::string person, note;
    bool missing = false;
    const bool hasPerson = TakeOption(ctx.args, "--a", &person, &missing);
    if (missing) return ctx.Usage("--a needs a PERSON");
    const bool hasNote = TakeOption(ctx.args, "--note", &note, &missing);
    if (missing) return ctx.Usage("--note needs a text");
    if (!ctx.args.empty())
        return ctx.Usage("cases edit: unexpected argument '" + ctx.args[0] + "' (person B is not edited)");
    if (!hasPerson && !hasNote) return ctx.Usage("cases edit: give --a PERSON, --note TEXT or both");
    if (hasPerson && SetsKey(person, {"lon", "lat"})) {
        return ctx.Usage("--a: lon and lat are not edited; they follow prov and city");
    }

    StoredCase stored;
    if (Status s = db.ReadCase(slot, &stored); !s) return Refuse(ctx, s);
    if (!expected.digest.empty() && expected.digest != stored.digest) {
        return Refuse(ctx, Status::Error(std::string(kCaseChangedMessage)));
    }
    if (!stored.record.live()) {
        return Refuse(ctx, Status::Error("the case in slot " + std::to_string(slot) + " is deleted"));
    }
    CaseEdit edit;
    if (hasPerson) {
        // PERSON changes person A as entered (its clock and zone included); a
        // PERSON without a date keeps the entered one.
        const PersonRecord& entered = stored.typed[0];
        PersonRecord a = entered;
        char date[48];
        std::snprintf(date, sizeof date, "date=%d-%d-%d %d:%d;", ShownYear(a.year), a.month, a.day, a.hour, a.minute);
        std::string error;
        std::vector<std::string> warnings;
        const bool clipboard = Trim(person).starts_with(kClipboardMarker);
        if (!ParsePersonArg(clipboard || SetsKey(person, {"date"}) ? person : date + person, ctx.files, &a, &error,
                            &warnings))
            return Refuse(ctx, Status::Error("--a: " + error));
        for (const std::string& w : warnings) ctx.Error(w);
        // The reading of a skipped or repeated time chosen for the entry
        // holds for that entry only.
        if (!SetsKey(person, {"dst"})) {
            PersonRecord kept = a;
            CarryClockAnswers(entered, kept);
            a.clockReading = kept.clockReading;
        }
        edit.a = a;
    }
    if (hasNote) edit.note = note;
    // The edited case is run as a new one would be (its clock converted to
    // standard time for the record) and stored with a report made anew.
    CoupleSession session;
    session.SetStore(&db);
    // The edit is made of the case as read here: one changed since is
    // refused.
    const CaseBasis basis{stored.digest};
    const EditOutcome out = session.Edit(slot, edit, MatchInputs(ctx, {}), &basis);
    if (!out.status.ok()) {
        if (out.status.needsClockChoice()) return RefuseRun(ctx, out.status, 0);
        return Refuse(ctx, out.status);
    }
    std::string standard;
    if (out.after.a.clock == BirthClock::kCivil) {
        const PersonRecord& a = out.stored.a;
        char time[64];
        std::snprintf(time, sizeof time, "%d-%d-%d %02d:%02d", ShownYear(a.year), a.month, a.day, a.hour, a.minute);
        standard = std::string("  stored as Beijing time ") + time + '\n';
    }
    ctx.storeChanged = true;
    ctx.Notice("edited slot " + std::to_string(slot) + ": " + CaseNodeText(out.stored) + '\n' +
               ChangedFields(out.before, out.after) + standard);
    WarnIfAny(ctx, out.status);
    return kExitOk;
}

int RunCasesCategories(CommandContext& ctx, CaseStore&) {
    if (!ctx.args.empty()) return ctx.Usage("cases categories takes no arguments, got '" + ctx.args[0] + "'");
    const IniFile settings(ctx.files.Dat("bzinit.ini"));
    if (!settings.loadStatus().ok()) return Refuse(ctx, settings.loadStatus());
    std::string out;
    for (const std::string& name : ReadCategoryList(settings)) out += EscapeControls(name) + '\n';
    ctx.Print(out);
    return kExitOk;
}

int RunCasesRenameCategory(CommandContext& ctx, CaseStore& db) {
    if (ctx.args.size() != 2) return ctx.Usage("cases rename-category takes OLD NEW");
    IniFile settings(ctx.files.Dat("bzinit.ini"));
    CategoryRename result;
    const Status s = RenameCategory(db, settings, ctx.args[0], ctx.args[1], &result);
    if (!s) return Refuse(ctx, s);
    std::string slots;
    for (const std::int32_t slot : result.renamed) slots += (slots.empty() ? "" : ", ") + std::to_string(slot);
    ctx.storeChanged = true;
    ctx.Notice("renamed category " + std::string(Trim(ctx.args[0])) + " to " + std::string(Trim(ctx.args[1])) + ": " +
               std::to_string(result.renamed.size()) + " case(s)" + (slots.empty() ? "" : " (slots " + slots + ")") +
               (result.listEntry ? "; the category list entry renamed" : "; not in the category list"));
    WarnIfAny(ctx, s);
    return kExitOk;
}

}  // namespace tessaly::cli
