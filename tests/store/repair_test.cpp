// A damaged store is reported and never built upon; RepairStore makes it
// usable again and keeps the damaged files.
#include <gtest/gtest.h>

#include <functional>

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

// A store of five cases (slot 1 deleted) with reports.
void FiveCases(const TempProgramDir& dir) {
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    for (int i = 0; i < 5; ++i) {
        CaseRecord r = MakeCase("例" + std::to_string(i), 1980 + i, true, "类");
        const StyledReport report = ReportOf("report");
        ASSERT_TRUE(db.AddCase(&r, report).ok());
    }
    ASSERT_TRUE(db.DeleteCase(1).ok());
}

std::vector<std::string> LiveNames(const fs::path& home) {
    CaseStore db;
    EXPECT_TRUE(db.Open(home).ok());
    std::vector<std::string> names;
    EXPECT_TRUE(db.ForEachRecord([&](const CaseRecord& r) {
                      names.push_back(std::to_string(r.slot) + r.a.name);
                      return true;
                  }).ok());
    return names;
}

// Damage is reported by every operation that writes, naming the file, and
// nothing changes.
TEST(DamagedStore, WritesAreRefusedNamingTheFile) {
    TempProgramDir dir("damaged");
    FiveCases(dir);
    fs::resize_file(dir / "dat/bazi0.dat", 20 + 3 * 1296 + 100);  // slots 3 and 4 cut off
    CaseStore db;
    const Status opened = db.Open(dir.path());  // reported at once, the store stays bound
    EXPECT_TRUE(opened.needsRepair()) << opened.message();
    const auto before = Snapshot(dir.path());
    const struct {
        const char* what;
        std::function<Status()> op;
    } kOps[] = {
        {"add",
         [&] {
             CaseRecord r = MakeCase("新", 1990, true, "类");
             return db.AddRecord(&r);
         }},
        {"write", [&] { return db.WriteRecord(0, MakeCase("改", 1990, true, "类")); }},
        {"delete", [&] { return db.DeleteRecord(2); }},
        {"delete with report", [&] { return db.DeleteCase(0); }},
    };
    for (const auto& o : kOps) {
        SCOPED_TRACE(o.what);
        const Status s = o.op();
        EXPECT_FALSE(s.ok());
        EXPECT_NE(s.message().find("bazi0.dat"), std::string::npos) << s.message();
        EXPECT_TRUE(s.needsRepair()) << s.message();
        EXPECT_TRUE(s.message().ends_with("；命例库需要修复")) << s.message();
        EXPECT_EQ(Snapshot(dir.path()), before);
    }
}

// Open says which failures are damage that RepairStore mends, so that the
// window and the command line offer the repair; other failures are not.
TEST(DamagedStore, OpenTellsDamageARepairMendsFromOtherFailures) {
    const struct {
        const char* what;
        std::function<void(const TempProgramDir&)> damage;
        bool needsRepair;
        std::string message;  // "D" stands for the program folder
    } kCases[] = {
        {"header cut short", [](const TempProgramDir& d) { WriteAll(d / "dat/bazi0.dat", "1234567"); }, true,
         "D/dat/bazi0.dat 的文件头已损坏（只有 7 字节，应有 20 字节）；命例库需要修复"},
        {"negative count",
         [](const TempProgramDir& d) {
             std::string f = ReadAll(d / "dat/bazi0.dat");
             f.replace(4, 4, "\xFF\xFF\xFF\xFF");
             WriteAll(d / "dat/bazi0.dat", f);
         },
         true, "D/dat/bazi0.dat 的文件头已损坏（记录数 -1，文件数 1）；命例库需要修复"},
        {"data file shorter than its count",
         [](const TempProgramDir& d) { fs::resize_file(d / "dat/bazi0.dat", 20 + 3 * 1296 + 100); }, true,
         "命例库文件 D/dat/bazi0.dat 有 4008 字节，文件头需要 6500 字节；命例库需要修复"},
        {"damaged journal",
         [](const TempProgramDir& d) {
             WriteAll(d / "dat/bazi.journal", "tessaly-store-journal 1\nremove dat/bzinit.ini\n");
         },
         true, "命例库的操作日志 D/dat/bazi.journal 已损坏（不是本软件完整的日志）；命例库需要修复"},
        {"journal naming a file the store does not own",
         [](const TempProgramDir& d) {
             WriteAll(d / "dat/bazi.journal",
                      "tessaly-store-journal 1\noperation add\ncommitted 1\nfinish remove dat/bzinit.ini\nend\n");
         },
         true, "命例库的操作日志 D/dat/bazi.journal 已损坏（第 4 行不是命例库会做的步骤）；命例库需要修复"},
        {"header of another kind",
         [](const TempProgramDir& d) {
             std::string f = ReadAll(d / "dat/bazi0.dat");
             f[0] = 5;
             WriteAll(d / "dat/bazi0.dat", f);
         },
         false, "D/dat/bazi0.dat 是类型 5 的数据，不是本软件的命例库"},
        {"no dat folder", [](const TempProgramDir& d) { fs::remove_all(d / "dat"); }, false, "文件夹 D/dat 不存在"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("opendamaged");
        FiveCases(dir);
        c.damage(dir);
        std::string want = c.message;
        want.replace(want.find('D'), 1, dir.path().string());
        CaseStore db;
        const Status s = db.Open(dir.path());
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(s.needsRepair(), c.needsRepair);
        EXPECT_EQ(s.message(), want);
    }
}

TEST(RepairStore, MendsEachDamageAndKeepsTheFiles) {
    const std::string fresh = EncodeStoreHeader(StoreHeader{});
    const struct {
        const char* what;
        std::function<void(const TempProgramDir&)> damage;
        std::vector<RepairAction::Kind> actions;
        std::vector<std::string> live;  // slot + A's name after the repair
        std::int32_t count, deleted;
        bool keeps;  // a damaged file is kept aside
    } kCases[] = {
        {"empty header, no records",
         [](const TempProgramDir& d) { WriteAll(d / "dat/bazi0.dat", ""); },
         {RepairAction::kFreshStore},
         {},
         0,
         0,
         false},
        {"missing header, no records",
         [](const TempProgramDir& d) { fs::remove(d / "dat/bazi0.dat"); },
         {RepairAction::kFreshStore},
         {},
         0,
         0,
         false},
        {"short header, no records",
         [](const TempProgramDir& d) { WriteAll(d / "dat/bazi0.dat", "1234567"); },
         {RepairAction::kFreshStore},
         {},
         0,
         0,
         true},
        {"data file shorter than its count",
         [](const TempProgramDir& d) { fs::resize_file(d / "dat/bazi0.dat", 20 + 3 * 1296 + 100); },
         {RepairAction::kRecordsMarkedGone},
         {"0例0", "2例2"},
         5,
         3,
         true},
        {"header of another kind over good records",
         [](const TempProgramDir& d) {
             std::string f = ReadAll(d / "dat/bazi0.dat");
             f.replace(0, 20, std::string(20, '\x7F'));
             WriteAll(d / "dat/bazi0.dat", f);
         },
         {RepairAction::kHeaderRebuilt},
         {"0例0", "2例2", "3例3", "4例4"},
         5,
         1,
         true},
        {"header cut short over good records",
         [](const TempProgramDir& d) {
             std::string f = ReadAll(d / "dat/bazi0.dat");
             WriteAll(d / "dat/bazi0.dat", f.substr(0, 10));
             std::string slot50000 = f.substr(20, 1296);  // case 0 again, in slot 50 000 of a second file
             slot50000.replace(0, 4, std::string("\x50\xC3\0\0", 4));
             WriteAll(d / "dat/bazi1.dat", slot50000);
         },
         {RepairAction::kRecordsMarkedGone, RepairAction::kHeaderRebuilt},
         {"50000例0"},
         50001,
         50000,
         true},
        {"damaged journal",
         [](const TempProgramDir& d) {
             WriteAll(d / "dat/bazi.journal", "tessaly-store-journal 1\nremove dat/bzinit.ini\n");
         },
         {RepairAction::kJournalKept},
         {"0例0", "2例2", "3例3", "4例4"},
         5,
         1,
         true},
        {"missing report folder",
         [](const TempProgramDir& d) { fs::remove_all(d / "bazi_f"); },
         {RepairAction::kReportFolderMade},
         {"0例0", "2例2", "3例3", "4例4"},
         5,
         1,
         false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("repair");
        FiveCases(dir);
        c.damage(dir);
        const auto damaged = Snapshot(dir / "dat");
        const RepairResult r = RepairStore(dir.path());
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        std::vector<RepairAction::Kind> kinds;
        for (const RepairAction& a : r.actions) kinds.push_back(a.kind);
        EXPECT_EQ(kinds, c.actions);
        EXPECT_EQ(!r.keptDir.empty(), c.keeps);
        for (const fs::path& k : r.kept) {  // each kept file is the damaged one, byte for byte
            EXPECT_EQ(k.parent_path(), r.keptDir);
            const auto it = damaged.find(k.filename().string());
            if (it != damaged.end()) {
                EXPECT_EQ(ReadAll(k), it->second) << k;
            }
        }
        EXPECT_EQ(LiveNames(dir.path()), c.live);
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        StoreHeader h;
        ASSERT_TRUE(db.ReadHeader(&h).ok());
        EXPECT_EQ(h.count, c.count);
        EXPECT_EQ(h.deletedCount, c.deleted);
        CaseRecord added = MakeCase("修复后", 2000, true, "类");  // the store is usable
        EXPECT_TRUE(db.AddRecord(&added).ok());
        // A second repair finds nothing to do.
        const auto after = Snapshot(dir.path());
        const RepairResult again = RepairStore(dir.path());
        EXPECT_TRUE(again.status.ok());
        EXPECT_TRUE(again.actions.empty());
        EXPECT_EQ(Snapshot(dir.path()), after);
    }
}

// What a repair stopped part way leaves, or a header that promises far
// more than the files hold: the next repair finishes the job, writing no
// more than the store's size and a small bound, and a third finds nothing.
TEST(RepairStore, FinishesWhatAStoppedRepairLeftAndTrustsNoCountBeyondTheFiles) {
    const struct {
        const char* what;
        std::function<void(const TempProgramDir&)> damage;
        std::vector<std::string> live;
        std::int32_t count, deleted;
    } kCases[] = {
        {"gone records written, the header not yet: deleted count 0 with marks",
         [](const TempProgramDir& d) {
             std::string file = ReadAll(d / "dat/bazi0.dat");
             file.replace(8, 4, std::string(4, '\0'));  // deleted count 0; slot 1 is marked
             file[20 + 3 * 1296 + 4] = 1;               // and slot 3 as a repair marks a gone record
             WriteAll(d / "dat/bazi0.dat", file);
         },
         {"0例0", "2例2", "4例4"},
         5,
         2},
        {"a count of a thousand million with the file count to match",
         [](const TempProgramDir& d) {
             std::string file = ReadAll(d / "dat/bazi0.dat");
             file.replace(0, 20, EncodeStoreHeader(StoreHeader{0, 1000000000, 1, 0, 20000}));
             WriteAll(d / "dat/bazi0.dat", file);
         },
         {"0例0", "2例2", "3例3", "4例4"},
         5,
         1},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("repairagain");
        FiveCases(dir);
        c.damage(dir);
        std::uintmax_t sizeBefore = 0;
        for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
            if (e.is_regular_file()) sizeBefore += e.file_size();
        }
        const RepairResult r = RepairStore(dir.path());
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        EXPECT_FALSE(r.actions.empty());
        std::uintmax_t sizeAfter = 0;
        for (const auto& e : fs::recursive_directory_iterator(dir.path())) {
            if (e.is_regular_file()) sizeAfter += e.file_size();
        }
        EXPECT_LE(sizeAfter, 2 * sizeBefore + (1u << 20));  // the copies kept, and the bound
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        StoreHeader h;
        ASSERT_TRUE(db.ReadHeader(&h).ok());
        EXPECT_EQ(h.count, c.count);
        EXPECT_EQ(h.deletedCount, c.deleted);
        EXPECT_EQ(LiveNames(dir.path()), c.live);
        const auto after = Snapshot(dir.path());
        const RepairResult again = RepairStore(dir.path());
        EXPECT_TRUE(again.status.ok());
        EXPECT_TRUE(again.actions.empty());
        EXPECT_EQ(Snapshot(dir.path()), after);
    }
}

// A live record no person could have entered is set aside: marked deleted
// (its bytes stay, and the data file as it was is kept), named with its
// slot and the reason; the other cases stay.
TEST(RepairStore, SetsAsideRecordsNoPersonCouldHaveEntered) {
    TempProgramDir dir("repairrecord");
    FiveCases(dir);
    std::string file = ReadAll(dir / "dat/bazi0.dat");
    file.replace(20 + 2 * 1296 + 34, 4, std::string("\x02\0\x1F\0", 4));  // slot 2: 1982-02-31
    file.replace(20 + 4 * 1296 + 52, 4, std::string("\0\0\xC0\x7F", 4));  // slot 4: longitude NaN
    WriteAll(dir / "dat/bazi0.dat", file);
    const RepairResult r = RepairStore(dir.path());
    ASSERT_TRUE(r.status.ok()) << r.status.message();
    std::vector<std::pair<std::int64_t, std::string>> setAside;
    for (const RepairAction& a : r.actions) {
        if (a.kind == RepairAction::kRecordSetAside) setAside.emplace_back(a.count, a.reason);
    }
    ASSERT_EQ(setAside.size(), 2u);
    EXPECT_EQ(setAside[0].first, 2);
    EXPECT_NE(setAside[0].second.find("不存在这个日期：1982年2月只有28天"), std::string::npos) << setAside[0].second;
    EXPECT_EQ(setAside[1].first, 4);
    EXPECT_NE(setAside[1].second.find("经纬度"), std::string::npos) << setAside[1].second;
    ASSERT_FALSE(r.keptDir.empty());
    EXPECT_EQ(ReadAll(r.keptDir / "bazi0.dat"), file);
    EXPECT_EQ(LiveNames(dir.path()), (std::vector<std::string>{"0例0", "3例3"}));
    const std::string now = ReadAll(dir / "dat/bazi0.dat");
    EXPECT_EQ(now.substr(20 + 2 * 1296 + 5, 1291), file.substr(20 + 2 * 1296 + 5, 1291));  // the bytes stay
    StoreHeader h;
    DecodeStoreHeader(now, &h);
    EXPECT_EQ(h.deletedCount, 3);
    EXPECT_TRUE(RepairStore(dir.path()).actions.empty());
}

TEST(RepairStore, SoundStoreIsLeftAlone) {
    TempProgramDir dir("sound");
    FiveCases(dir);
    const auto before = Snapshot(dir.path());
    const RepairResult r = RepairStore(dir.path());
    EXPECT_TRUE(r.status.ok());
    EXPECT_TRUE(r.actions.empty());
    EXPECT_TRUE(r.keptDir.empty());
    EXPECT_EQ(Snapshot(dir.path()), before);
}

// A repair that changes the store advances its generation, as every other
// change does, so that a view read before it is seen to be old; a repair
// with nothing to mend leaves it.
TEST(RepairStore, AdvancesTheGenerationWhenItChangesTheStore) {
    const struct {
        const char* what;
        std::function<void(const fs::path&)> damage;
    } kDamages[] = {
        {"a cut data file", [](const fs::path& home) { fs::resize_file(home / "dat/bazi0.dat", 20 + 3 * 1296 + 9); }},
        {"the deleted count off the marks",
         [](const fs::path& home) {
             std::string file = ReadAll(home / "dat/bazi0.dat");
             file.replace(0, 20, EncodeStoreHeader(StoreHeader{0, 5, 0, 0, 1}));
             WriteAll(home / "dat/bazi0.dat", file);
         }},
        {"no report folder", [](const fs::path& home) { fs::remove_all(home / "bazi_f"); }},
        {"an unreadable header", [](const fs::path& home) { fs::resize_file(home / "dat/bazi0.dat", 7); }},
    };
    for (const auto& d : kDamages) {
        SCOPED_TRACE(d.what);
        TempProgramDir dir("repairgen");
        FiveCases(dir);
        std::uint64_t before = 0, after = 0;
        {
            CaseStore db;
            ASSERT_TRUE(db.Open(dir.path()).ok());
            ASSERT_TRUE(db.Generation(&before).ok());
        }
        d.damage(dir.path());
        const RepairResult r = RepairStore(dir.path());
        ASSERT_TRUE(r.status.ok()) << r.status.message();
        ASSERT_FALSE(r.actions.empty());
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        ASSERT_TRUE(db.Generation(&after).ok());
        EXPECT_EQ(after, before + 1);
        EXPECT_TRUE(RepairStore(dir.path()).actions.empty());
        ASSERT_TRUE(db.Generation(&after).ok());
        EXPECT_EQ(after, before + 1);
    }
}

}  // namespace
}  // namespace tessaly
