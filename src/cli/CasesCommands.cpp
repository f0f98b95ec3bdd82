// tessaly-cli cases SUBCOMMAND — the case store of the program folder.
//
//   list [--json]              the case tree: categories and case node texts
//   search [filters] [--json]  slots of the matching live cases, as in list
//   show SLOT [--json]         every field of one case
//   add --a P --b P --category C --note N [--set K=V]...
//                              runs the matching, stores the case and its
//                              report (bazi_f/SLOT.rtf)
//   delete SLOT                marks the case deleted, removes its report
//   export DIR                 copies the store and its reports to DIR
//   import PATH/bazi0.dat      replaces the store with an exported history
//   clear --yes                deletes every case and report
//   repair                     makes a damaged store usable, keeping the
//                              damaged files aside
//   move, edit, categories, rename-category: see cli/CaseEditCommands.h
#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "calendar/BirthTimeZone.h"
#include "calendar/PersonCheck.h"
#include "calendar/Places.h"
#include "cli/CaseEditCommands.h"
#include "cli/Command.h"
#include "cli/Json.h"
#include "cli/MatchArgs.h"
#include "cli/PersonArg.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "matching/MatchingRun.h"
#include "session/CoupleSession.h"
#include "session/Persons.h"
#include "store/Categories.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "store/FileUtil.h"
#include "store/ReportFile.h"
#include "store/StoreRepair.h"

namespace tessaly::cli {
namespace {

constexpr std::string_view kSynopsis =
    "list [--json] | search [--name T|--name-exact T] [--category C|--category-exact C] [--sex male|female] "
    "[--years FROM..TO] [--province P] [--json] | show SLOT [--json] | "
    "add --a PERSON --b PERSON --category C --note N [--set KEY=VALUE]... | delete SLOT [--expect DIGEST] | "
    "export DIR | import PATH/bazi0.dat | clear --yes | repair | move SLOT CATEGORY [--expect DIGEST] | "
    "edit SLOT [--a PERSON] [--note TEXT] [--expect DIGEST] | "
    "categories | rename-category OLD NEW";

// The one argument SLOT of show and delete.
bool ParseSlot(CommandContext& ctx, std::int32_t* slot) {
    if (ctx.args.size() != 1 || !TakeSlot(ctx, slot)) {
        ctx.Usage("SLOT: give one slot number (0 or more)" +
                  (ctx.args.empty() ? std::string() : ", got '" + ctx.args[0] + "'"));
        return false;
    }
    return true;
}

// The fields of a stored person that the case tree and `cases show` share:
// name, sex and the birth as stored.
void BirthFields(JsonWriter& j, const PersonRecord& p) {
    j.Key("name")
        .String(p.name)
        .Key("male")
        .Bool(p.isMale != 0)
        .Key("year")
        .Integer(ShownYear(p.year))
        .Key("month")
        .Integer(p.month)
        .Key("day")
        .Integer(p.day)
        .Key("hour")
        .Integer(p.hour)
        .Key("minute")
        .Integer(p.minute)
        .Key("lunar")
        .Bool(p.isLunar != 0)
        .Key("leapMonth")
        .Bool(p.isLeapMonth != 0);
}

// The case tree, built as the records come: categories in the order of
// their first case (compared without regard to ASCII case), cases in slot
// order; as text or, with --json, as the "categories" of a JSON document.
class CaseTree {
public:
    explicit CaseTree(bool json) : json_(json) {}

    bool Add(const CaseRecord& r) {
        const std::string folded = FoldAscii(r.category);
        auto it =
            std::find_if(categories_.begin(), categories_.end(), [&](const Category& c) { return c.folded == folded; });
        if (it == categories_.end()) {
            it = categories_.insert(categories_.end(), {folded, r.category, {}, {}});
            if (json_) it->cases.BeginArray();
            else it->lines = "  " + EscapeControls(r.category) + '\n';
        }
        ++count_;
        if (json_) {
            JsonWriter& j = it->cases;
            j.BeginObject().Key("slot").Integer(r.slot).Key("node").String(CaseNodeText(r));
            j.Key("a");
            PersonBrief(j, r.a);
            j.Key("b");
            PersonBrief(j, r.b);
            j.Key("note").String(r.note).EndObject();
            return true;
        }
        it->lines += "    ";
        const std::size_t node = it->lines.size();
        AppendCaseNodeText(r, &it->lines);
        // A stored text cannot act on the terminal.
        if (HasControlCharacter(std::string_view(it->lines).substr(node))) {
            it->lines.replace(node, std::string::npos, EscapeControls(std::string_view(it->lines).substr(node)));
        }
        it->lines += '\n';
        return true;
    }

    std::string Text() {
        if (json_) {
            JsonWriter j;
            j.BeginObject().Key("count").Integer(count_).Key("categories").BeginArray();
            for (Category& c : categories_) {
                j.BeginObject().Key("name").String(c.name).Key("cases").Raw(c.cases.EndArray().str()).EndObject();
            }
            j.EndArray().EndObject();
            return j.str() + '\n';
        }
        std::string out = "命例\n";
        for (const Category& c : categories_) out += c.lines;
        return out;
    }

private:
    // What the tree shows of a person, and the rest of the stored birth.
    static void PersonBrief(JsonWriter& j, const PersonRecord& p) {
        j.BeginObject();
        BirthFields(j, p);
        j.EndObject();
    }

    struct Category {
        std::string folded;  // the name with ASCII letters in lower case
        std::string name;    // as its first case has it
        std::string lines;   // text: its line and its cases' lines
        JsonWriter cases;    // JSON: the array of its cases, not yet ended
    };
    bool json_;
    long long count_ = 0;
    std::vector<Category> categories_;
};

int PrintTree(CommandContext& ctx, CaseStore& db, const SearchCriteria& criteria, bool json) {
    CaseTree tree(json);
    // The text lists only what its tree lines show; JSON gives every text.
    const CaseTexts texts = json ? CaseTexts::kAll : CaseTexts::kTreeLine;
    if (Status s = db.VisitCases(
            criteria, [&](const CaseRecord& r) { return tree.Add(r); }, texts);
        !s) {
        return Refuse(ctx, s);
    }
    ctx.Print(tree.Text());
    return kExitOk;
}

int RunList(CommandContext& ctx, CaseStore& db) {
    const bool json = TakeFlag(ctx.args, "--json");
    if (!ctx.args.empty()) return ctx.Usage("cases list takes no arguments, got '" + ctx.args[0] + "'");
    return PrintTree(ctx, db, SearchCriteria{}, json);
}

// "1980..1990", "-120..-100" or a single year, as users write years (negative
// = BC, no year 0).
bool ParseYears(std::string_view text, std::int16_t* first, std::int16_t* last) {
    const std::size_t dots = text.find("..");
    long a = 0, b = 0;
    if (dots == std::string_view::npos) {
        if (!ParseInteger(text, &a)) return false;
        b = a;
    } else if (!ParseInteger(text.substr(0, dots), &a) || !ParseInteger(text.substr(dots + 2), &b)) {
        return false;
    }
    if (a == 0 || b == 0 || a < -32000 || b < -32000 || a > 32000 || b > 32000) return false;
    *first = static_cast<std::int16_t>(StoredYear(static_cast<int>(a)));
    *last = static_cast<std::int16_t>(StoredYear(static_cast<int>(b)));
    return true;
}

int RunSearch(CommandContext& ctx, CaseStore& db) {
    const bool json = TakeFlag(ctx.args, "--json");
    SearchCriteria c;
    bool missing = false;
    std::string value;
    const struct {
        const char* key;
        std::string* text;
        std::uint8_t* mode;
        std::uint8_t modeValue;
    } kTextOptions[] = {
        {"--name", &c.name, &c.nameMode, 1},
        {"--name-exact", &c.name, &c.nameMode, 2},
        {"--category", &c.category, &c.categoryMode, 1},
        {"--category-exact", &c.category, &c.categoryMode, 2},
    };
    for (const auto& o : kTextOptions) {
        if (TakeOption(ctx.args, o.key, &value, &missing)) {
            if (missing) return ctx.Usage(std::string(o.key) + " needs a text");
            if (const CodecResult gbk = Utf8ToGbk(value); !gbk.ok()) {
                return ctx.Usage(std::string(o.key) + ": the store holds GBK text, and " + gbk.error);
            }
            *o.text = value;
            *o.mode = o.modeValue;
        }
    }
    if (TakeOption(ctx.args, "--sex", &value, &missing)) {
        if (missing || (value != "male" && value != "female")) return ctx.Usage("--sex takes male or female");
        c.sexFilter = 1;
        c.wantedSex = value == "male" ? 1 : 0;
    }
    if (TakeOption(ctx.args, "--years", &value, &missing)) {
        if (missing || !ParseYears(value, &c.firstYear, &c.lastYear)) {
            return ctx.Usage("--years takes FROM..TO or one year (negative for BC, no year 0), got '" + value + "'");
        }
        c.yearFilter = 1;
    }
    if (TakeOption(ctx.args, "--province", &value, &missing)) {
        const int p = missing ? -1 : ProvinceFromText(value);
        if (p < 0) return ctx.Usage("--province: unknown province '" + value + "' (an index or a name; see 'places')");
        c.province = static_cast<std::int16_t>(p);
    }
    if (!ctx.args.empty()) return ctx.Usage("cases search: unknown argument '" + ctx.args[0] + "'");
    return PrintTree(ctx, db, c, json);
}

// The entry as typed beside the standard time the chart is read from.
std::string EntryDate(const CivilTime& t) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", ShownYear(t.year), t.month, t.day, t.hour, t.minute);
    return buf;
}

std::string PersonText(const PersonRecord& p, const PersonRecord& typed) {
    char time[64];
    std::snprintf(time, sizeof time, "%d-%d-%d %02d:%02d", ShownYear(p.year), p.month, p.day, p.hour, p.minute);
    char coords[64];
    std::snprintf(coords, sizeof coords, "%.4f, %.4f", static_cast<double>(p.longitude),
                  static_cast<double>(p.latitude));
    return "  name: " + EscapeControls(p.name) + "\n  sex: " + (p.isMale ? "male (乾造)" : "female (坤造)") +
           "\n  birth: " + (p.isLunar ? "lunar " : "gregorian ") + (p.isLunar && p.isLeapMonth ? "leap " : "") + time +
           "\n  entered: " + EscapeControls(DescribeEntry(typed).text) + "\n  place: " + EscapeControls(p.placeText) +
           " (province " + std::to_string(p.provinceIndex) + ", city " + std::to_string(p.cityIndex) +
           ")\n  coordinates: " + coords + '\n';
}

void PersonJson(JsonWriter& j, const PersonRecord& p, const PersonRecord& typed, bool fromInputFile) {
    j.BeginObject();
    BirthFields(j, p);
    j.Key("provinceIndex")
        .Integer(p.provinceIndex)
        .Key("cityIndex")
        .Integer(p.cityIndex)
        .Key("longitude")
        .Number(p.longitude)
        .Key("latitude")
        .Number(p.latitude)
        .Key("place")
        .String(p.placeText);
    // The entry as typed, and the standard time it gives.
    const EnteredTime entered = DescribeEntry(typed);
    j.Key("entered")
        .BeginObject()
        .Key("calendar")
        .String(typed.isLunar ? (typed.isLeapMonth ? "lunar-leap" : "lunar") : "solar")
        .Key("date")
        .String(EntryDate(typed.Time()))
        .Key("clock")
        .String(typed.clock == BirthClock::kCivil ? "civil" : "standard")
        .Key("timeZone")
        .String(typed.clock == BirthClock::kCivil ? TimeZoneOf(typed) : std::string())
        .Key("summerTime")
        .Bool(entered.summerTime)
        .Key("standardTime")
        .String(entered.status.ok() ? EntryDate(entered.standard) : std::string())
        .Key("text")
        .String(entered.text)
        .Key("inputFile")
        .Bool(fromInputFile)
        .EndObject();
    j.EndObject();
}

int RunShow(CommandContext& ctx, CaseStore& db) {
    const bool json = TakeFlag(ctx.args, "--json");
    std::int32_t slot = 0;
    if (!ParseSlot(ctx, &slot)) return kExitUsage;
    StoredCase stored;
    if (Status s = db.ReadCase(slot, &stored); !s) return Refuse(ctx, s);
    const CaseRecord& r = stored.record;
    if (!r.live()) return Refuse(ctx, Status::Error("the case in slot " + std::to_string(slot) + " is deleted"));
    if (!stored.inputProblem.ok()) {
        ctx.Error("warning: what was typed for slot " + std::to_string(slot) +
                  " cannot be read, the stored standard time is shown: " + stored.inputProblem.message());
    }
    // Looked at, not read whole: a report of many megabytes is only opened.
    const std::filesystem::path reportPath = db.ReportPath(slot);
    const ReportCheck check = CheckReportFile(reportPath);
    const bool hasReport = check.present;
    if (!hasReport) {
        ctx.Error("warning: the report of slot " + std::to_string(slot) + " (" + reportPath.string() + ") is missing");
    } else if (!check.problem) {
        ctx.Error("warning: the report of slot " + std::to_string(slot) +
                  " cannot be read: " + check.problem.message());
    }
    if (json) {
        JsonWriter j;
        j.BeginObject().Key("slot").Integer(slot).Key("category").String(r.category).Key("note").String(r.note);
        j.Key("digest").String(stored.digest);
        j.Key("node").String(CaseNodeText(r)).Key("report");
        if (hasReport) j.String(db.ReportPath(slot).string());
        else j.String("");
        j.Key("a");
        PersonJson(j, r.a, stored.typed[0], stored.typedKept[0]);
        j.Key("b");
        PersonJson(j, r.b, stored.typed[1], stored.typedKept[1]);
        j.EndObject();
        ctx.Print(j.str() + '\n');
        return kExitOk;
    }
    ctx.Print("slot: " + std::to_string(slot) + "\ndigest: " + stored.digest +
              "\ncategory: " + EscapeControls(r.category) + "\nnode: " + EscapeControls(CaseNodeText(r)) +
              "\nreport: " + (hasReport ? db.ReportPath(slot).string() : std::string("none")) + "\n甲命 (A):\n" +
              PersonText(r.a, stored.typed[0]) + "乙命 (B):\n" + PersonText(r.b, stored.typed[1]) + "note:\n" +
              EscapeControls(r.note, true) + '\n');
    return kExitOk;
}

int RunAdd(CommandContext& ctx, CaseStore& db) {
    std::string category, note;
    bool missing = false;
    const bool hasCategory = TakeOption(ctx.args, "--category", &category, &missing);
    if (missing) return ctx.Usage("--category needs a text");
    const bool hasNote = TakeOption(ctx.args, "--note", &note, &missing);
    if (missing) return ctx.Usage("--note needs a text");
    MatchArgs m;
    if (int rc = TakeMatchArgs(ctx, &m); rc != kExitOk) return rc;
    for (const std::string& w : m.warnings) ctx.Error(w);
    if (!ctx.args.empty()) return ctx.Usage("cases add: unexpected argument '" + ctx.args.front() + "'");
    category = std::string(Trim(category));
    note = std::string(Trim(note));
    for (const auto& [key, text] : {std::pair{"--category", &category}, std::pair{"--note", &note}}) {
        if (HasControlCharacter(*text, text == &note)) {
            return ctx.Usage(std::string(key) + ": must not hold control characters" +
                             (text == &note ? " other than line breaks" : ""));
        }
        if (const CodecResult gbk = Utf8ToGbk(*text); !gbk.ok()) {
            return ctx.Usage(std::string(key) + ": the store holds GBK text, and " + gbk.error);
        }
    }
    if (!hasCategory || category.empty()) return ctx.Usage("--category: 类别名不能为空");
    if (GbkWidth(category) > kMaxStoredCategoryBytes) {
        return ctx.Usage("--category: at most " + std::to_string(kMaxStoredCategoryBytes) +
                         " GBK bytes (six Chinese characters)");
    }
    if (!hasNote || note.empty()) return ctx.Usage("--note: 附加信息不能为空");
    if (GbkWidth(note) > kMaxNoteBytes) return ctx.Usage("--note: at most 1000 GBK bytes");

    // The persons pass the checks of the window's birth dialog.
    const IniFile dili(ctx.files.Dat("dili.ini"));
    for (const PersonRecord* p : {&m.a, &m.b}) {
        if (Status s = CheckPerson(*p, &dili); !s) {
            return Refuse(ctx, Status::Error(std::string(p == &m.a ? "person A: " : "person B: ") + s.message()));
        }
    }
    CoupleSession session;
    session.SetStore(&db);
    session.SetPerson(0, m.a);
    session.SetPerson(1, m.b);
    if (const MatchOutcome run = session.Match(MatchInputs(ctx, m.settings)); !run.status.ok()) {
        return RefuseRun(ctx, run.status, run.failedPerson);
    }
    // The store keeps the standard time in the record and the persons as
    // typed beside it; the report as the pane shows it: the default report
    // font of the window ("宋体", 12 points) with the pane's colours and sizes.
    CaseRecord record;
    const Status saved = session.SaveNew(category, note, session.StyledRunReport(), &record);
    if (!saved) return Refuse(ctx, saved);
    ctx.storeChanged = true;
    ctx.Notice("saved in slot " + std::to_string(record.slot) + ": " + CaseNodeText(record));
    WarnIfAny(ctx, saved);
    return kExitOk;
}

int RunDelete(CommandContext& ctx, CaseStore& db) {
    CaseBasis expected;
    if (int rc = TakeExpectedDigest(ctx, &expected); rc != kExitOk) return rc;
    std::int32_t slot = 0;
    if (!ParseSlot(ctx, &slot)) return kExitUsage;
    const Status s = db.DeleteCase(slot, &expected);
    if (!s) return Refuse(ctx, s);
    ctx.storeChanged = true;
    ctx.Notice("deleted slot " + std::to_string(slot));
    WarnIfAny(ctx, s);
    return kExitOk;
}

int RunExport(CommandContext& ctx, CaseStore& db) {
    if (ctx.args.size() != 1 || ctx.args[0].empty()) return ctx.Usage("cases export takes one folder DIR");
    std::vector<std::string> skipped;
    const Status s = db.ExportTo(ctx.args[0], &skipped);
    for (const std::string& why : skipped) ctx.Error("skipped: " + why);
    if (!s) return Refuse(ctx, s);
    ctx.Notice("exported; saved in the folder " + ctx.args[0]);
    return kExitOk;
}

int RunImport(CommandContext& ctx, CaseStore& db) {
    if (ctx.args.size() != 1 || ctx.args[0].empty()) return ctx.Usage("cases import takes the path of a bazi0.dat");
    std::vector<std::string> skipped;
    const Status s = db.ImportFrom(ctx.args[0], &skipped);
    for (const std::string& why : skipped) ctx.Error("skipped: " + why);
    if (!s) return Refuse(ctx, s);
    ctx.storeChanged = true;
    ctx.Notice("imported");
    WarnIfAny(ctx, s);
    return kExitOk;
}

int RunClear(CommandContext& ctx, CaseStore& db) {
    const bool yes = TakeFlag(ctx.args, "--yes");
    if (!ctx.args.empty()) return ctx.Usage("cases clear: unknown argument '" + ctx.args[0] + "'");
    if (!yes) return ctx.Usage("cases clear deletes every case and report; confirm with --yes");
    const Status s = db.ClearAll();
    if (!s) return Refuse(ctx, s);
    ctx.storeChanged = true;
    ctx.Notice("cleared");
    WarnIfAny(ctx, s);
    return kExitOk;
}

std::string RepairLine(const RepairAction& a) {
    const std::string file = a.file.string();
    switch (a.kind) {
        case RepairAction::kJournalKept:
            return "the journal of an interrupted operation could not be run; it is kept aside";
        case RepairAction::kOperationFinished: return "an interrupted operation was finished or undone";
        case RepairAction::kFreshStore: return "no usable header and no records: " + file + " is a new empty store";
        case RepairAction::kHeaderRebuilt:
            return "the header of " + file + " was rebuilt from the records: " + std::to_string(a.count) + " slots";
        case RepairAction::kRecordsMarkedGone:
            return file + ": " + std::to_string(a.count) + " missing records are deleted records now";
        case RepairAction::kReportFolderMade: return "the report folder " + file + " was created";
        case RepairAction::kRecordSetAside:
            return "slot " + std::to_string(a.count) + " held no case a person could enter (" +
                   EscapeControls(a.reason) + "); it is marked deleted, its bytes stay in " + file +
                   " and in the copy kept";
        case RepairAction::kDeletedCountSet:
            return "the deleted count of " + file + " follows the deletion marks again: " + std::to_string(a.count);
        case RepairAction::kInputSetAside:
            return "the input file " + file +
                   " could not be read; it is kept aside (the case opens with the "
                   "standard time of its record)";
    }
    return {};
}

int RunRepair(CommandContext& ctx, const std::filesystem::path& home) {
    if (!ctx.args.empty()) return ctx.Usage("cases repair takes no arguments, got '" + ctx.args[0] + "'");
    const RepairResult r = RepairStore(home);
    // A repair stopped part way has changed the store too.
    ctx.storeChanged = !r.actions.empty() || !r.keptDir.empty();
    for (const RepairAction& a : r.actions) ctx.Notice(RepairLine(a));
    if (!r.keptDir.empty()) {
        std::string names;
        for (const auto& k : r.kept) names += (names.empty() ? "" : ", ") + k.filename().string();
        ctx.Notice("the files as they were are kept in " + r.keptDir.string() + ": " + names);
    }
    if (!r.status.ok()) return Refuse(ctx, r.status);
    if (r.actions.empty()) ctx.Notice("the store needs no repair");
    return kExitOk;
}

int RunCases(CommandContext& ctx) {
    if (ctx.args.empty()) return ctx.Usage("cases needs a subcommand: " + std::string(kSynopsis));
    const std::string sub = ctx.args[0];
    ctx.args.erase(ctx.args.begin());
    using Fn = int (*)(CommandContext&, CaseStore&);
    static const std::map<std::string, Fn> kSubcommands = {
        {"list", RunList},
        {"search", RunSearch},
        {"show", RunShow},
        {"delete", RunDelete},
        {"export", RunExport},
        {"import", RunImport},
        {"clear", RunClear},
        {"add", RunAdd},
        {"move", RunCasesMove},
        {"edit", RunCasesEdit},
        {"categories", RunCasesCategories},
        {"rename-category", RunCasesRenameCategory},
    };
    const std::filesystem::path home = ctx.files.home;
    if (sub == "repair") return RunRepair(ctx, home);
    const auto it = kSubcommands.find(sub);
    if (it == kSubcommands.end()) return ctx.Usage("cases: unknown subcommand '" + sub + "'");
    CaseStore db;
    // A damaged store can still be cleared or replaced by an import.
    if (Status s = db.Open(home); !s && sub != "clear" && sub != "import") return Refuse(ctx, s);
    return it->second(ctx, db);
}

const CommandRegistration kCases{
    "cases",
    kSynopsis,
    RunCases,
    {
        .summary = "Lists, searches, adds, deletes, exports and imports the stored cases. The case store "
                   "(dat/bazi0.dat, dat/bazi1.dat, ... and the reports bazi_f/N.rtf) is the desktop program's. "
                   "A failed store operation prints its reason and changes nothing stored.",
        .arguments = "list\tthe stored cases by category, as the case tree shows them; --json prints them as JSON\n"
                     "search\tthe cases that match every filter given, listed as by list:\n"
                     "  --name T, --name-exact T\tperson A's or person B's name contains or equals T\n"
                     "  --category C, --category-exact C\tthe category contains or equals C\n"
                     "  --sex male|female\tperson A's sex\n"
                     "  --years FROM..TO\tperson A's birth year, a range or one year (negative for BC)\n"
                     "  --province P\tperson A's province, by index or name\n"
                     "  --json\tprint the cases as JSON, as list does\n"
                     "show SLOT\tone case: both persons (each birth as entered beside the standard time the chart "
                     "uses), category, note and the case's digest; --json prints it as JSON\n"
                     "add\truns the matching of two persons and stores the case with its report:\n"
                     "  --a PERSON, --b PERSON\tthe persons, as in the match command\n"
                     "  --category C, --note N\tthe case's category and note\n"
                     "  --set KEY=VALUE\tan analysis option for this run, as in the match command\n"
                     "delete SLOT\tmarks the case deleted and removes its report; with --expect DIGEST only "
                     "while the case is still the one whose digest cases show printed\n"
                     "export DIR\tcopies the whole history (store and reports) into DIR\n"
                     "import PATH/bazi0.dat\treplaces the history with an exported one, checked first\n"
                     "clear --yes\tdeletes every case and report; --yes confirms it",
        .examples = "tessaly-cli cases list\n"
                    "tessaly-cli cases search --name 张 --years 1980..1995\n"
                    "tessaly-cli cases export ~/tessaly-backup",
        .summaryZh =
            "列出、查找、添加、删除、导出和导入保存的命例。命例库（dat/bazi0.dat、dat/bazi1.dat……和命稿 bazi_f/N.rtf）与桌面程序共用。命例库的操作失败时输出原因，保存的内容不变。",
        .argumentsZh =
            "list\t按类别列出保存的命例，和命例树一样；--json 以 JSON 输出\n"
            "search\t符合所有给出条件的命例，按 list 的样子列出：\n"
            "  --name T, --name-exact T\t甲命或乙命的姓名包含或等于 T\n"
            "  --category C, --category-exact C\t类别包含或等于 C\n"
            "  --sex male|female\t甲命的性别\n"
            "  --years FROM..TO\t甲命的出生年份，一个范围或一年（公元前用负数）\n"
            "  --province P\t甲命的省份，编号或名称\n"
            "  --json\t以 JSON 输出命例，和 list 一样\n"
            "show SLOT\t一个命例：两人（每人的出生时间按输入的样子，旁边是排盘用的标准时间）、类别和附加信息；--json 以 JSON 输出\n"
            "add\t给两人合婚，把命例和命稿一起保存：\n"
            "  --a PERSON, --b PERSON\t两人，写法同 match 命令\n"
            "  --category C, --note N\t命例的类别和附加信息\n"
            "  --set KEY=VALUE\t这次运行的一个分析选项，同 match 命令\n"
            "delete SLOT\t把命例标为删除，并删除它的命稿\n"
            "export DIR\t把全部历史（命例库和命稿）复制到 DIR\n"
            "import PATH/bazi0.dat\t先检查，再用导出的历史替换现有的\n"
            "clear --yes\t删除所有命例和命稿；--yes 表示确认",
    }};

}  // namespace
}  // namespace tessaly::cli
