// Every store operation stopped at each of its changes to the file system,
// as a crash would stop it: a child process runs the operation and leaves
// with _exit at its N-th step (no cleanup, no destructors), for N = 1, 2, …
// until the operation completes. After each stop the store is opened again
// and must be the old store or the new one, byte for byte and mode for mode,
// with no temporary file or journal left; the cases list, every live case
// has its report, an input file belongs to its record, and the data files
// have the sizes the header gives them.
// For some operations the recovery itself is stopped at each of its steps
// as well, before a last open.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <array>
#include <map>
#include <string>

#include "common/IniFile.h"
#include "store/CaseOperations.h"
#include "store/CaseStore.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::MakeCase;
using test::ReportOf;
using test::TempProgramDir;

constexpr int kStopped = 77;  // the child's exit status at the chosen step

// A hash of a file's bytes, read a block at a time.
std::size_t HashOfFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::string block(std::min<std::uintmax_t>(fs::file_size(p) + 1, 1 << 20), '\0');
    std::size_t h = 0;
    while (in.read(block.data(), std::streamsize(block.size())) || in.gcount() > 0) {
        const std::size_t b = std::hash<std::string_view>{}(std::string_view(block.data(), std::size_t(in.gcount())));
        h ^= b + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
    }
    return h;
}

// Every entry under `root`: kind, mode and (for files) a hash of the bytes.
std::map<std::string, std::string> Tree(const fs::path& root) {
    std::map<std::string, std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        struct stat st;
        ::lstat(e.path().c_str(), &st);
        std::string v = std::to_string(st.st_mode & 0777) + (S_ISDIR(st.st_mode)   ? " dir"
                                                             : S_ISREG(st.st_mode) ? " file:"
                                                                                   : " other");
        if (S_ISREG(st.st_mode)) v += std::to_string(HashOfFile(e.path()));
        out[fs::relative(e.path(), root).string()] = std::move(v);
    }
    return out;
}

void CopyTree(const fs::path& from, const fs::path& to) {
    fs::remove_all(to);
    fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::copy_symlinks);
}

// Adds cases with reports to the store in `home`, all files 0600.
void AddCases(const fs::path& home, int n, const std::string& tag) {
    CaseStore db;
    db.SetSyncForTest(false);
    ASSERT_TRUE(db.Open(home).ok());
    fs::permissions(home / "dat/bazi0.dat", fs::perms::owner_read | fs::perms::owner_write);
    for (int i = 0; i < n; ++i) {
        CaseRecord r = MakeCase(tag + std::to_string(i), 1980 + i, i % 2 == 0, "类" + tag);
        ASSERT_TRUE(db.AddCase(&r, ReportOf("report " + tag + std::to_string(i))).ok());
    }
}

// The persons of a case as typed: person A read from the clock of its
// place, an hour ahead of the record's standard time.
std::array<PersonRecord, 2> TypedOf(const CaseRecord& r) {
    PersonRecord a = r.a;
    a.hour = static_cast<std::int16_t>(a.hour + 1);
    a.clock = BirthClock::kCivil;
    return {a, r.b};
}

// Adds cases with reports and input files, all files 0600.
void AddTypedCases(const fs::path& home, int n, const std::string& tag) {
    CaseStore db;
    db.SetSyncForTest(false);
    ASSERT_TRUE(db.Open(home).ok());
    fs::permissions(home / "dat/bazi0.dat", fs::perms::owner_read | fs::perms::owner_write);
    for (int i = 0; i < n; ++i) {
        CaseRecord r = MakeCase(tag + std::to_string(i), 1980 + i, i % 2 == 0, "类" + tag);
        ASSERT_TRUE(db.AddCase(&r, TypedOf(r), ReportOf("report " + tag + std::to_string(i))).ok());
    }
}

// The checks every store must pass after a crash and the next open.
void CheckStore(const fs::path& home) {
    CaseStore db;
    ASSERT_TRUE(db.Open(home).ok());
    StoreHeader h;
    ASSERT_TRUE(db.ReadHeader(&h).ok());
    std::vector<CaseRecord> live;
    ASSERT_TRUE(db.SearchCases(SearchCriteria{}, &live).ok());
    for (const CaseRecord& r : live) EXPECT_TRUE(fs::is_regular_file(db.ReportPath(r.slot))) << r.slot;
    // An input file belongs to its record or is none of a live case's.
    for (const CaseRecord& r : live) {
        StoredCase stored;
        ASSERT_TRUE(db.ReadCase(r.slot, &stored).ok());
        EXPECT_TRUE(stored.inputProblem.ok()) << stored.inputProblem.message();
        if (fs::exists(db.InputPath(r.slot))) {
            EXPECT_TRUE(stored.typedKept[0]) << r.slot;
        }
    }
    for (int k = 0; k < FilesNeeded(h.count) + 1; ++k) {
        if (k < FilesNeeded(h.count)) {
            EXPECT_EQ(fs::file_size(db.DataFilePath(k)), BytesNeeded(h.count, k)) << k;
        } else {
            EXPECT_FALSE(fs::exists(db.DataFilePath(k))) << k;
        }
    }
}

using Operation = std::function<Status(CaseStore&)>;

// Runs `op` in a child on the store in `home`, stopping it at step `stopAt`
// (0: never). Returns the child's exit status: kStopped, 0 when the
// operation succeeded, 1 when it failed.
int RunInChild(const fs::path& home, const Operation& op, int stopAt, bool opOpens) {
    const pid_t child = ::fork();
    if (child == 0) {
        CaseStore db;
        db.SetSyncForTest(false);
        if (!opOpens && !db.Open(home).ok()) ::_exit(2);
        db.SetStepHookForTest([stopAt](int step) {
            if (step == stopAt) ::_exit(kStopped);
        });
        ::_exit(op(db).ok() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Scenario {
    const char* what;
    std::function<void(const fs::path& home, const fs::path& elsewhere)> setup;
    std::function<Status(CaseStore&, const fs::path& elsewhere)> op;
    bool opOpens = false;       // the operation is the first open itself
    bool stopRecovery = false;  // stop the recovery at each of its steps too
};

void RunScenario(const Scenario& sc, int* stepsSeen, int* recoveryStops) {
    SCOPED_TRACE(sc.what);
    TempProgramDir base("crash"), elsewhere("crashsrc");
    const fs::path before = base / "before", after = base / "after", work = base / "work";
    fs::create_directories(before / "dat");
    sc.setup(before, elsewhere.path());
    const Operation op = [&](CaseStore& db) { return sc.op(db, elsewhere.path()); };
    const auto oldTree = Tree(before);

    CopyTree(before, after);
    ASSERT_EQ(RunInChild(
                  after, [&](CaseStore& db) { return sc.opOpens ? db.Open(after) : op(db); }, 0, sc.opOpens),
              0);
    const auto newTree = Tree(after);
    ASSERT_NE(oldTree, newTree);

    for (int n = 1;; ++n) {
        SCOPED_TRACE("stopped at step " + std::to_string(n));
        CopyTree(before, work);
        const Operation run = [&](CaseStore& db) { return sc.opOpens ? db.Open(work) : op(db); };
        const int status = RunInChild(work, run, n, sc.opOpens);
        if (status == 0) {
            EXPECT_EQ(Tree(work), newTree);
            *stepsSeen += n - 1;
            return;
        }
        ASSERT_EQ(status, kStopped);
        if (sc.stopRecovery) {
            const fs::path crashed = base / "crashed";
            CopyTree(work, crashed);
            for (int m = 1;; ++m) {
                SCOPED_TRACE("recovery stopped at step " + std::to_string(m));
                CopyTree(crashed, work);
                const int again = RunInChild(
                    work, [&](CaseStore& db) { return db.Open(work); }, m, true);
                if (again == 0) break;
                ASSERT_EQ(again, kStopped);
                ++*recoveryStops;
                CheckStore(work);
                const auto got = Tree(work);
                ASSERT_TRUE(got == oldTree || got == newTree);
            }
            CopyTree(crashed, work);
        }
        CheckStore(work);
        const auto got = Tree(work);
        ASSERT_TRUE(got == oldTree || got == newTree) << "neither the old store nor the new one";
    }
}

TEST(CrashAtEveryStep, LeavesTheOldStoreOrTheNewOne) {
    const CaseRecord changed = MakeCase("改过", 1975, false, "新类");
    const Scenario kScenarios[] = {
        {"first open", [](const fs::path&, const fs::path&) {},
         [](CaseStore&, const fs::path&) { return Status::Ok(); }, true},
        {"add with report, appending", [](const fs::path& home, const fs::path&) { AddCases(home, 3, "甲"); },
         [](CaseStore& db, const fs::path&) {
             CaseRecord r = MakeCase("新", 1999, true, "新类");
             return db.AddCase(&r, ReportOf("new report"));
         }},
        {"add with report into a deleted slot that kept its old report",
         [](const fs::path& home, const fs::path&) {
             AddCases(home, 31, "乙");
             CaseStore db;
             db.SetSyncForTest(false);
             ASSERT_TRUE(db.Open(home).ok());
             for (int s = 0; s < 30; ++s) ASSERT_TRUE(db.DeleteRecord(s).ok());
         },
         [](CaseStore& db, const fs::path&) {
             CaseRecord r = MakeCase("新", 1999, true, "新类");
             return db.AddCase(&r, ReportOf("new report"));
         },
         false, true},
        {"add opening the second data file",
         [](const fs::path& home, const fs::path&) {
             // Slot 0 a case, slots 1..49 999 deleted records: file 0 is full.
             AddCases(home, 1, "丙");
             std::string file0 = test::ReadAll(home / "dat/bazi0.dat");
             file0.replace(0, 20, EncodeStoreHeader(StoreHeader{0, 50000, 29, 0, 1}));
             file0.resize(20 + std::size_t(50000) * 1296);
             for (std::int32_t s = 1; s < 50000; ++s) {
                 for (int i = 0; i < 4; ++i) file0[20 + std::size_t(s) * 1296 + i] = char((s >> (8 * i)) & 0xFF);
                 file0[20 + std::size_t(s) * 1296 + 4] = 1;
             }
             test::WriteAll(home / "dat/bazi0.dat", file0);
         },
         [](CaseStore& db, const fs::path&) {
             CaseRecord r = MakeCase("五万", 1999, true, "新类");
             return db.AddCase(&r, ReportOf("report 50000"));
         }},
        {"write with report", [](const fs::path& home, const fs::path&) { AddCases(home, 3, "丁"); },
         [&](CaseStore& db, const fs::path&) {
             CaseRecord r = changed;
             r.slot = 1;
             return db.WriteCase(1, r, ReportOf("rewritten"));
         },
         false, true},
        {"write", [](const fs::path& home, const fs::path&) { AddCases(home, 3, "戊"); },
         [&](CaseStore& db, const fs::path&) {
             CaseRecord r = changed;
             r.slot = 2;
             return db.WriteRecord(2, r);
         }},
        {"delete with report", [](const fs::path& home, const fs::path&) { AddCases(home, 3, "己"); },
         [](CaseStore& db, const fs::path&) { return db.DeleteCase(1); }, false, true},
        {"the 30th delete",
         [](const fs::path& home, const fs::path&) {
             AddCases(home, 31, "庚");
             CaseStore db;
             db.SetSyncForTest(false);
             ASSERT_TRUE(db.Open(home).ok());
             for (int s = 1; s < 30; ++s) ASSERT_TRUE(db.DeleteRecord(s).ok());
         },
         [](CaseStore& db, const fs::path&) { return db.DeleteRecord(0); }},
        {"clear", [](const fs::path& home, const fs::path&) { AddCases(home, 4, "辛"); },
         [](CaseStore& db, const fs::path&) { return db.ClearAll(); }, false, true},
        {"add with report and input into a deleted slot that kept both",
         [](const fs::path& home, const fs::path&) {
             AddTypedCases(home, 31, "子");
             CaseStore db;
             db.SetSyncForTest(false);
             ASSERT_TRUE(db.Open(home).ok());
             for (int s = 0; s < 30; ++s) ASSERT_TRUE(db.DeleteRecord(s).ok());
         },
         [](CaseStore& db, const fs::path&) {
             CaseRecord r = MakeCase("新", 1999, true, "新类");
             return db.AddCase(&r, TypedOf(r), ReportOf("new report"));
         },
         false, true},
        {"edit: write with report and input",
         [](const fs::path& home, const fs::path&) { AddTypedCases(home, 3, "丑"); },
         [&](CaseStore& db, const fs::path&) {
             CaseRecord r = changed;
             r.slot = 1;
             return db.WriteCase(1, r, TypedOf(r), ReportOf("rewritten"));
         },
         false, true},
        {"write with report, the input file going",
         [](const fs::path& home, const fs::path&) { AddTypedCases(home, 3, "寅"); },
         [&](CaseStore& db, const fs::path&) {
             CaseRecord r = changed;
             r.slot = 0;
             return db.WriteCase(0, r, ReportOf("rewritten"));
         }},
        {"put a report over one", [](const fs::path& home, const fs::path&) { AddTypedCases(home, 2, "辰"); },
         [](CaseStore& db, const fs::path&) { return db.PutReport(0, ReportOf("made again")); }, false, true},
        {"delete with report and input", [](const fs::path& home, const fs::path&) { AddTypedCases(home, 3, "巳"); },
         [](CaseStore& db, const fs::path&) { return db.DeleteCase(1); }, false, true},
        {"clear with input files", [](const fs::path& home, const fs::path&) { AddTypedCases(home, 3, "午"); },
         [](CaseStore& db, const fs::path&) { return db.ClearAll(); }},
        {"import with input files",
         [](const fs::path& home, const fs::path& elsewhere) {
             AddTypedCases(home, 3, "未");
             fs::create_directories(elsewhere / "other/dat");
             AddTypedCases(elsewhere / "other", 4, "申");
             CaseStore other;
             ASSERT_TRUE(other.Open(elsewhere / "other").ok());
             ASSERT_TRUE(other.DeleteCase(2).ok());
             ASSERT_TRUE(other.ExportTo(elsewhere / "history").ok());
             ASSERT_TRUE(fs::exists(elsewhere / "history/bazi_f/3.input"));
         },
         [](CaseStore& db, const fs::path& elsewhere) { return db.ImportFrom(elsewhere / "history/bazi0.dat"); }, false,
         true},
        {"rename a category: its cases and the list entry",
         [](const fs::path& home, const fs::path&) {
             AddCases(home, 4, "酉");
             AddCases(home, 1, "戌");
             // 类酉 and abc in GBK
             test::WriteAll(home / "dat/bzinit.ini", "[classes]\r\ncount=2\r\n1=\xC0\xE0\xD3\xCF\r\n2=abc\r\n");
             fs::permissions(home / "dat/bzinit.ini", fs::perms::owner_read | fs::perms::owner_write);
         },
         [](CaseStore& db, const fs::path&) {
             IniFile list(db.SettingsPath());
             CategoryRename result;
             return RenameCategory(db, list, "类酉", "新类", &result);
         },
         false, true},
        {"delete a category: its listed cases, the 30th deletion among them",
         [](const fs::path& home, const fs::path&) {
             AddCases(home, 31, "亥");
             CaseStore db;
             db.SetSyncForTest(false);
             ASSERT_TRUE(db.Open(home).ok());
             for (int s = 5; s < 32 - 5; ++s) ASSERT_TRUE(db.DeleteRecord(s).ok());
         },
         [](CaseStore& db, const fs::path&) {
             std::vector<std::int32_t> deleted;
             return DeleteCases(db, {0, 1, 2, 7, 30}, &deleted);
         },
         false, true},
        {"rename the listed cases of a category and the list entry",
         [](const fs::path& home, const fs::path&) {
             AddCases(home, 3, "酉");
             // 类酉 in GBK
             test::WriteAll(home / "dat/bzinit.ini", "[classes]\r\ncount=1\r\n1=\xC0\xE0\xD3\xCF\r\n");
         },
         [](CaseStore& db, const fs::path&) {
             IniFile list(db.SettingsPath());
             CategoryRename result;
             return RenameListedCategory(db, list, {0, 2}, "类酉", "新类", &result);
         }},
        {"import",
         [](const fs::path& home, const fs::path& elsewhere) {
             AddCases(home, 3, "壬");
             fs::create_directories(elsewhere / "other/dat");
             AddCases(elsewhere / "other", 4, "癸");
             CaseStore other;
             ASSERT_TRUE(other.Open(elsewhere / "other").ok());
             ASSERT_TRUE(other.DeleteCase(2).ok());
             ASSERT_TRUE(other.ExportTo(elsewhere / "history").ok());
         },
         [](CaseStore& db, const fs::path& elsewhere) { return db.ImportFrom(elsewhere / "history/bazi0.dat"); }, false,
         true},
    };
    for (const Scenario& sc : kScenarios) {
        int steps = 0, recoveryStops = 0;
        RunScenario(sc, &steps, &recoveryStops);
        RecordProperty(sc.what, steps);
        std::printf("[ crash    ] %-62s %3d steps, recovery stopped %d times\n", sc.what, steps, recoveryStops);
    }
}

}  // namespace
}  // namespace tessaly
