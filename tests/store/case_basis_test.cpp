// Changes based on what the caller saw: a change of a case carries the
// case's digest as it was read, and a case changed since (by another
// program on the same folder) is refused with the files as they were. The
// store's generation advances with every committed change and with nothing
// else. A failure to flush after the commit point is a warning: the change
// stands. A planted journal is checked against the files before it runs.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>

#include "common/IniFile.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "store/StoreRepair.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::MakeCase;
using test::ReadAll;
using test::ReportOf;
using test::Snapshot;
using test::TempProgramDir;
using test::WriteAll;

// Three cases with reports and input files, and a category list.
void ThreeCases(const fs::path& home) {
    CaseStore db;
    ASSERT_TRUE(db.Open(home).ok());
    WriteAll(home / "dat/bzinit.ini", "[classes]\r\ncount=1\r\n1=x\r\n");
    for (int i = 0; i < 3; ++i) {
        CaseRecord r = MakeCase("例" + std::to_string(i), 1980 + i, true, "类");
        ASSERT_TRUE(db.AddCase(&r, {r.a, r.b}, ReportOf("report " + std::to_string(i))).ok());
    }
}

CaseRecord Changed(std::int32_t slot, const std::string& note) {
    CaseRecord r = MakeCase("改" + std::to_string(slot), 1975, false, "新类", note);
    r.slot = slot;
    return r;
}

// Each change of a case that a caller bases on its view of the case.
struct BasedChange {
    const char* what;
    std::function<Status(CaseStore&, CaseBasis*)> op;
};

const BasedChange kBasedChanges[] = {
    {"save over (存旧)",
     [](CaseStore& db, CaseBasis* b) {
         const CaseRecord r = Changed(1, "存旧");
         return db.WriteCase(1, r, {r.a, r.b}, ReportOf("saved over"), b);
     }},
    {"edit",
     [](CaseStore& db, CaseBasis* b) { return db.WriteCase(1, Changed(1, "edited"), ReportOf("edited report"), b); }},
    {"move (re-file)",
     [](CaseStore& db, CaseBasis* b) {
         CaseRecord r;
         if (Status s = db.ReadRecord(1, &r); !s) return s;
         r.category = "别的类";
         return db.WriteRecord(1, r, b);
     }},
    {"delete with report", [](CaseStore& db, CaseBasis* b) { return db.DeleteCase(1, b); }},
    {"delete", [](CaseStore& db, CaseBasis* b) { return db.DeleteRecord(1, b); }},
    {"report made again", [](CaseStore& db, CaseBasis* b) { return db.PutReport(1, ReportOf("made again"), b); }},
};

// What another program does to slot 1 after the caller read it.
const struct {
    const char* what;
    std::function<void(CaseStore&)> change;
} kChangesElsewhere[] = {
    {"its record rewritten", [](CaseStore& db) { ASSERT_TRUE(db.WriteRecord(1, Changed(1, "meanwhile")).ok()); }},
    {"its report replaced", [](CaseStore& db) { ASSERT_TRUE(db.PutReport(1, ReportOf("other report")).ok()); }},
    {"deleted and the slot taken by a new case",
     [](CaseStore& db) {
         // 30 deletions switch the store to reusing slots: the next add
         // takes slot 1 again, as `cases clear` and `cases add` would.
         CaseRecord r = MakeCase("x", 1990, true, "类");
         for (int i = 0; i < 29; ++i) ASSERT_TRUE(db.AddRecord(&r).ok());
         for (std::int32_t s = 1; s <= 30; ++s) ASSERT_TRUE(db.DeleteRecord(s).ok());
         CaseRecord newcomer = MakeCase("NEW", 2001, false, "类");
         ASSERT_TRUE(db.AddCase(&newcomer, ReportOf("new")).ok());
         ASSERT_EQ(newcomer.slot, 1);
     }},
    {"its input file gone", [](CaseStore& db) { fs::remove(db.InputPath(1)); }},
};

TEST(CaseBasis, AChangeOnAnOldViewIsRefusedAndChangesNothing) {
    for (const auto& elsewhere : kChangesElsewhere) {
        for (const BasedChange& c : kBasedChanges) {
            SCOPED_TRACE(std::string(c.what) + " after " + elsewhere.what);
            TempProgramDir dir("basis");
            ThreeCases(dir.path());
            CaseStore viewer, other;
            ASSERT_TRUE(viewer.Open(dir.path()).ok());
            ASSERT_TRUE(other.Open(dir.path()).ok());
            StoredCase seen;
            ASSERT_TRUE(viewer.ReadCase(1, &seen).ok());
            ASSERT_EQ(seen.digest.size(), 16u);
            elsewhere.change(other);
            if (HasFailure()) return;
            const auto before = Snapshot(dir.path());
            CaseBasis basis{seen.digest};
            const Status s = c.op(viewer, &basis);
            EXPECT_FALSE(s.ok());
            EXPECT_EQ(s.message(), "命例已被其他程序修改，请重新查看");
            EXPECT_EQ(Snapshot(dir.path()), before);
        }
    }
}

TEST(CaseBasis, AChangeOnTheCurrentViewGoesThrough) {
    for (const BasedChange& c : kBasedChanges) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("basisok");
        ThreeCases(dir.path());
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        // A change of another case, and of the store's generation, does not
        // stand in the way.
        StoredCase seen;
        ASSERT_TRUE(db.ReadCase(1, &seen).ok());
        ASSERT_TRUE(db.WriteRecord(2, Changed(2, "unrelated")).ok());
        CaseRecord added = MakeCase("新", 1999, true, "类");
        ASSERT_TRUE(db.AddRecord(&added).ok());
        CaseBasis basis{seen.digest};
        const auto before = Snapshot(dir.path());
        const Status s = c.op(db, &basis);
        ASSERT_TRUE(s.ok()) << s.message();
        EXPECT_FALSE(s.hasWarning());
        EXPECT_NE(Snapshot(dir.path()), before);
        // After a write the basis is the case's new digest: a second change
        // based on it goes through too.
        CaseRecord r;
        ASSERT_TRUE(db.ReadRecord(1, &r).ok());
        if (r.live()) {
            std::string now;
            ASSERT_TRUE(db.CaseDigest(1, &now).ok());
            EXPECT_EQ(basis.digest, now);
            EXPECT_NE(basis.digest, seen.digest);
            EXPECT_TRUE(c.op(db, &basis).ok());
        }
    }
}

TEST(CaseBasis, TheDigestFollowsEveryFileOfTheCase) {
    TempProgramDir dir("digest");
    ThreeCases(dir.path());
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    std::string first, again;
    ASSERT_TRUE(db.CaseDigest(0, &first).ok());
    ASSERT_TRUE(db.CaseDigest(0, &again).ok());
    EXPECT_EQ(first, again);
    const auto digestAfter = [&](const std::function<void()>& change) {
        change();
        std::string d;
        EXPECT_TRUE(db.CaseDigest(0, &d).ok());
        return d;
    };
    std::string previous = first;
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { WriteAll(db.ReportPath(0), ReadAll(db.ReportPath(0)) + " "); },
             [&] { WriteAll(db.InputPath(0), ReadAll(db.InputPath(0)) + "\n"); },
             [&] { fs::remove(db.InputPath(0)); },
             [&] { fs::remove(db.ReportPath(0)); },
             [&] { fs::create_directory(db.ReportPath(0)); },
         }) {
        const std::string d = digestAfter(change);
        EXPECT_NE(d, previous);
        previous = d;
    }
    std::string other;
    ASSERT_TRUE(db.CaseDigest(2, &other).ok());
    EXPECT_NE(other, first);
    EXPECT_FALSE(db.CaseDigest(3, &other).ok());
}

TEST(Generation, AdvancesWithEveryCommittedChangeAndNothingElse) {
    TempProgramDir dir("generation"), elsewhere("generationsrc");
    ThreeCases(elsewhere.path());
    {
        CaseStore src;
        ASSERT_TRUE(src.Open(elsewhere.path()).ok());
        ASSERT_TRUE(src.ExportTo(elsewhere / "history").ok());
    }
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    std::uint64_t g = 99;
    ASSERT_TRUE(db.Generation(&g).ok());
    EXPECT_EQ(g, 0u);  // a store that never changed has no generation file
    EXPECT_FALSE(fs::exists(dir / "dat/bazi.generation"));

    const struct {
        const char* what;
        std::function<Status()> op;
        bool changes;
    } kSteps[] = {
        {"add",
         [&] {
             CaseRecord r = MakeCase("甲", 1990, true, "类");
             return db.AddCase(&r, ReportOf("r"));
         },
         true},
        {"list", [&] { return db.ForEachRecord([](const CaseRecord&) { return true; }); }, false},
        {"write", [&] { return db.WriteRecord(0, Changed(0, "n")); }, true},
        {"refused write beyond the count", [&] { return db.WriteRecord(9, Changed(9, "n")); }, false},
        {"refused on an old basis",
         [&] {
             CaseBasis old{"0123456789abcdef"};
             return db.DeleteCase(0, &old);
         },
         false},
        {"report made again", [&] { return db.PutReport(0, ReportOf("again")); }, true},
        {"delete", [&] { return db.DeleteCase(0); }, true},
        {"rename a category",
         [&] {
             std::vector<std::int32_t> changed;
             return db.RecategorizeCases({0}, "新类", &changed);  // slot 0 is deleted: nothing to change
         },
         false},
        {"export", [&] { return db.ExportTo(dir / "out"); }, false},
        {"import", [&] { return db.ImportFrom(elsewhere / "history/bazi0.dat"); }, true},
        {"rename the cases of a category",
         [&] {
             std::vector<std::int32_t> changed;
             return db.RecategorizeCases({0, 1, 2}, "新类", &changed);
         },
         true},
        {"delete the cases of a category",
         [&] {
             std::vector<std::int32_t> deleted;
             return db.DeleteCases({1, 2}, &deleted);
         },
         true},
        {"clear", [&] { return db.ClearAll(); }, true},
        {"add after clear",
         [&] {
             CaseRecord r = MakeCase("乙", 1990, true, "类");
             return db.AddRecord(&r);
         },
         true},
    };
    for (const auto& step : kSteps) {
        SCOPED_TRACE(step.what);
        std::uint64_t before = 0, after = 0;
        ASSERT_TRUE(db.Generation(&before).ok());
        const Status s = step.op();
        EXPECT_EQ(s.ok(), step.changes || std::string(step.what) == "list" || std::string(step.what) == "export" ||
                              std::string(step.what) == "rename a category")
            << s.message();
        ASSERT_TRUE(db.Generation(&after).ok());
        EXPECT_EQ(after, before + (step.changes ? 1 : 0));
    }
    EXPECT_EQ(ReadAll(dir / "dat/bazi.generation"), "9\n");
}

// EIO at each flush of an operation, one flush at a time: a failure before
// the commit point leaves the old store (after the next open), one after it
// is a warning that says the change stands, and the store is the new one
// (the generation file included: an undone change leaves it as it was).
TEST(FlushFailure, AfterTheCommitIsAWarningAndTheChangeStands) {
    TempProgramDir elsewhere("flushsrc");
    ThreeCases(elsewhere.path());
    {
        CaseStore src;
        ASSERT_TRUE(src.Open(elsewhere.path()).ok());
        ASSERT_TRUE(src.ExportTo(elsewhere / "history").ok());
    }
    const struct {
        const char* what;
        std::function<Status(CaseStore&)> op;
    } kOps[] = {
        {"add",
         [](CaseStore& db) {
             CaseRecord r = MakeCase("新", 1999, true, "类");
             return db.AddCase(&r, {r.a, r.b}, ReportOf("new"));
         }},
        {"edit", [](CaseStore& db) { return db.WriteCase(1, Changed(1, "e"), ReportOf("edited")); }},
        {"move", [](CaseStore& db) { return db.WriteRecord(1, Changed(1, "m")); }},
        {"delete", [](CaseStore& db) { return db.DeleteCase(1); }},
        {"report made again", [](CaseStore& db) { return db.PutReport(1, ReportOf("again")); }},
        {"clear", [](CaseStore& db) { return db.ClearAll(); }},
        {"import", [&](CaseStore& db) { return db.ImportFrom(elsewhere / "history/bazi0.dat"); }},
        {"rename a category",
         [](CaseStore& db) {
             IniFile list(db.SettingsPath());
             CategoryRename result;
             return RenameListedCategory(db, list, {0, 2}, "x", "y", &result);
         }},
        {"delete a category",
         [](CaseStore& db) {
             std::vector<std::int32_t> deleted;
             return DeleteCases(db, {0, 2}, &deleted);
         }},
    };
    for (const auto& o : kOps) {
        SCOPED_TRACE(o.what);
        TempProgramDir ref("flushref");
        ThreeCases(ref.path());
        const auto oldFiles = Snapshot(ref.path());
        {
            CaseStore db;
            ASSERT_TRUE(db.Open(ref.path()).ok());
            ASSERT_TRUE(o.op(db).ok());
        }
        const auto newFiles = Snapshot(ref.path());
        int warnings = 0, undone = 0;
        for (int n = 1;; ++n) {
            SCOPED_TRACE("EIO at flush " + std::to_string(n));
            TempProgramDir dir("flush");
            ThreeCases(dir.path());
            CaseStore db;
            ASSERT_TRUE(db.Open(dir.path()).ok());
            bool injected = false;
            db.SetFlushErrorForTest([&](int flush) {
                if (flush != n) return 0;
                injected = true;
                return EIO;
            });
            const Status s = o.op(db);
            db.SetFlushErrorForTest({});
            if (!injected) {
                EXPECT_TRUE(s.ok() && !s.hasWarning()) << s.message();
                break;
            }
            CaseStore next;  // finishes or undoes what is left
            ASSERT_TRUE(next.Open(dir.path()).ok());
            if (s.ok()) {
                EXPECT_TRUE(s.hasWarning());
                EXPECT_NE(s.message().find("已经生效"), std::string::npos) << s.message();
                EXPECT_EQ(Snapshot(dir.path()), newFiles);
                ++warnings;
            } else {
                EXPECT_EQ(s.message().find("已经生效"), std::string::npos) << s.message();
                EXPECT_EQ(Snapshot(dir.path()), oldFiles) << s.message();
                ++undone;
            }
            ASSERT_LT(n, 200);
        }
        EXPECT_GT(warnings, 0);
        EXPECT_GT(undone, 0);
        std::printf("[ flush    ] %-20s %2d failures before the commit, %2d after it (warnings)\n", o.what, undone,
                    warnings);
    }
}

// Journals no operation of the store writes: refused before any step
// runs, the store as it was; the repair keeps the journal aside.
TEST(CraftedJournal, IsRefusedAndKeptAsideWithTheStoreUnchanged) {
    const std::string head = "tessaly-store-journal 1\noperation add\ncommitted 0\n";
    const std::string record(2592, 'a');  // 1296 bytes, hex
    const struct {
        const char* what;
        std::string steps;
    } kJournals[] = {
        {"bytes far beyond the data file's end", "undo bytes dat/bazi0.dat 99999999999 41\n"},
        {"a size far beyond the data file's end", "undo size dat/bazi0.dat 99999999999\n"},
        {"bytes more than one record past the end", "undo bytes dat/bazi0.dat 5000 " + record + "\n"},
        {"a missing data file grown", "undo size dat/bazi7.dat 5000\n"},
        {"a negative offset", "undo bytes dat/bazi0.dat -1 41\n"},
        {"a file outside dat/", "undo bytes ../x/bazi0.dat 0 41\n"},
        {"a settings file", "undo bytes dat/bzinit.ini 0 41\n"},
        {"a path climbing out", "finish remove bazi_f/../../x.rtf\n"},
        {"an absolute path", "finish remove /tmp/1.rtf\n"},
        {"a report moved over a data file", "undo back bazi_f/.tessaly-aside.1.rtf dat/../../bazi0.dat\n"},
        {"a negative generation below -1", "finish generation -7\n"},
        {"a step of no kind", "undo grow dat/bazi0.dat 1\n"},
    };
    for (const auto& j : kJournals) {
        SCOPED_TRACE(j.what);
        TempProgramDir dir("crafted");
        ThreeCases(dir.path());
        const std::uint64_t size = fs::file_size(dir / "dat/bazi0.dat");
        WriteAll(dir / "dat/bazi.journal", head + j.steps + "end\n");
        const auto before = Snapshot(dir.path());
        CaseStore db;
        const Status s = db.Open(dir.path());
        EXPECT_TRUE(s.needsRepair()) << s.message();
        EXPECT_NE(s.message().find("bazi.journal 已损坏"), std::string::npos) << s.message();
        CaseRecord r;
        EXPECT_FALSE(db.ReadRecord(0, &r).ok());
        EXPECT_EQ(Snapshot(dir.path()), before);

        const RepairResult repaired = RepairStore(dir.path());
        ASSERT_TRUE(repaired.status.ok()) << repaired.status.message();
        ASSERT_FALSE(repaired.actions.empty());
        EXPECT_EQ(repaired.actions[0].kind, RepairAction::kJournalKept);
        EXPECT_FALSE(fs::exists(dir / "dat/bazi.journal"));
        EXPECT_EQ(fs::file_size(dir / "dat/bazi0.dat"), size);
        CaseStore again;
        ASSERT_TRUE(again.Open(dir.path()).ok());
        ASSERT_TRUE(again.ReadRecord(2, &r).ok());
        EXPECT_EQ(r.a.name, "例2");
    }
}

// The journals the store writes itself stay within those bounds: a byte
// restored at the end of a data file one record long is fine.
TEST(CraftedJournal, StepsWithinTheFilesRun) {
    TempProgramDir dir("journalok");
    ThreeCases(dir.path());
    const std::uint64_t size = fs::file_size(dir / "dat/bazi0.dat");
    WriteAll(dir / "dat/bazi.journal", "tessaly-store-journal 1\noperation add\ncommitted 0\nundo size dat/bazi0.dat " +
                                           std::to_string(size) + "\nundo bytes dat/bazi0.dat " +
                                           std::to_string(size + 1295) + " 00\nend\n");
    CaseStore db;
    const Status s = db.Open(dir.path());
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_FALSE(fs::exists(dir / "dat/bazi.journal"));
    EXPECT_EQ(fs::file_size(dir / "dat/bazi0.dat"), size + 1296);
}

}  // namespace
}  // namespace tessaly
