// Export and import of the whole case store, and the category list.
#include <gtest/gtest.h>

#include "store/Categories.h"
#include "store/CaseStore.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

using test::MakeCase;
using test::ReadAll;
using test::Snapshot;
using test::TempProgramDir;
using test::WriteAll;
namespace fs = std::filesystem;

// A store of a few cases, one deleted, with two reports.
void FillStore(CaseStore& db, const TempProgramDir& dir) {
    for (const char* name : {"张三", "李四", "王五"}) {
        CaseRecord r = MakeCase(name, 1990, true, "同事");
        ASSERT_TRUE(db.AddRecord(&r).ok());
    }
    ASSERT_TRUE(db.DeleteRecord(1).ok());
    WriteAll(dir / "bazi_f/0.rtf", "{\\rtf1\\ansi\\ansicpg936 report 0}");
    WriteAll(dir / "bazi_f/2.rtf", "{\\rtf1\\ansi\\ansicpg936 report 2}");
}

TEST(History, ExportThenImportReproducesStoreByteForByte) {
    TempProgramDir from("from"), to("to"), out("out");
    CaseStore a;
    ASSERT_TRUE(a.Open(from.path()).ok());
    FillStore(a, from);
    WriteAll(from / "dat/bzinit.ini", "[classes]\r\ncount=0\r\n");
    ASSERT_TRUE(a.ExportTo(out / "history").ok());
    EXPECT_TRUE(fs::exists(out / "history/bazi0.dat"));
    EXPECT_TRUE(fs::exists(out / "history/bazi_f/2.rtf"));

    CaseStore b;
    ASSERT_TRUE(b.Open(to.path()).ok());
    CaseRecord old = MakeCase("旧的", 1970, false, "旧");
    ASSERT_TRUE(b.AddRecord(&old).ok());
    WriteAll(to / "bazi_f/0.rtf", "old report");
    WriteAll(to / "bazi_f/9.rtf", "old report nine");
    WriteAll(to / "dat/bzinit.ini", "[classes]\r\ncount=0\r\n");
    const Status s = b.ImportFrom(out / "history/bazi0.dat");
    ASSERT_TRUE(s.ok()) << s.message();
    // The history, that is: each store counts its own changes (its
    // generation file is no part of an export).
    auto imported = Snapshot(to.path()), exported = Snapshot(from.path());
    EXPECT_EQ(imported.extract("dat/bazi.generation").mapped(), "2\n");
    EXPECT_EQ(exported.extract("dat/bazi.generation").mapped(), "4\n");
    EXPECT_EQ(imported, exported);
}

// Stores copied from Windows may spell their names in any case.
TEST(History, ImportMatchesNamesWithoutRegardToCase) {
    TempProgramDir from("from"), to("to");
    CaseStore a;
    ASSERT_TRUE(a.Open(from.path()).ok());
    FillStore(a, from);
    const fs::path src = from / "copy";
    fs::create_directories(src / "BAZI_F");
    fs::copy_file(from / "dat/bazi0.dat", src / "BAZI0.DAT");
    fs::copy_file(from / "bazi_f/2.rtf", src / "BAZI_F/2.RTF");

    CaseStore b;
    ASSERT_TRUE(b.Open(to.path()).ok());
    fs::remove_all(to / "bazi_f");  // an import creates the report folder when missing
    const Status s = b.ImportFrom(src / "BAZI0.DAT");
    ASSERT_TRUE(s.ok()) << s.message();
    EXPECT_EQ(ReadAll(to / "dat/bazi0.dat"), ReadAll(from / "dat/bazi0.dat"));
    EXPECT_EQ(ReadAll(to / "bazi_f/2.rtf"), ReadAll(from / "bazi_f/2.rtf"));
}

// A damaged or foreign history is refused before anything of the current
// store is touched.
TEST(History, BadImportLeavesStoreIntact) {
    TempProgramDir from("from"), to("to");
    CaseStore a;
    ASSERT_TRUE(a.Open(from.path()).ok());
    FillStore(a, from);
    const std::string good = ReadAll(from / "dat/bazi0.dat");
    auto header = [&](int count, int deleted, int flag, int files, int kind) {
        std::string h = good.substr(0, 20);
        h[0] = char(kind);
        h[4] = char(count), h[5] = h[6] = h[7] = 0;
        h[8] = char(deleted), h[9] = h[10] = h[11] = 0;
        h[12] = char(flag);
        h[14] = char(files), h[15] = 0;
        return h;
    };
    const std::string body = good.substr(20);
    const struct {
        const char* what;
        std::string file0;
        const char* fileName;
    } kCases[] = {
        {"foreign kind", header(3, 1, 0, 1, 2) + body, "bazi0.dat"},
        {"too short for a header", std::string(12, '\0'), "bazi0.dat"},
        {"file count wrong", header(3, 1, 0, 2, 0) + body, "bazi0.dat"},
        {"more deleted than slots", header(3, 4, 0, 1, 0) + body, "bazi0.dat"},
        {"records missing", header(3, 1, 0, 1, 0) + body.substr(0, 1296 * 2 + 5), "bazi0.dat"},
        {"too many records", header(3, 1, 0, 1, 0) + body + std::string(49998 * 1296, '\0'), "bazi0.dat"},
        {"not named bazi0.dat", good, "other.dat"},
        {"a text file", "hello, this is not a store at all", "bazi0.dat"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir src("src");
        fs::create_directories(src / "bazi_f");
        WriteAll(src / c.fileName, c.file0);
        WriteAll(src / "bazi_f/5.rtf", "new report");
        CaseStore b;
        ASSERT_TRUE(b.Open(to.path()).ok());
        CaseRecord r = MakeCase("保留", 1970, false, "旧");
        ASSERT_TRUE(b.AddRecord(&r).ok());
        WriteAll(to / "bazi_f/0.rtf", "old report");
        const auto before = Snapshot(to.path());
        const Status s = b.ImportFrom(src / c.fileName);
        EXPECT_FALSE(s.ok());
        EXPECT_EQ(Snapshot(to.path()), before);
        fs::remove_all(to / "dat");
        fs::remove_all(to / "bazi_f");
        fs::create_directories(to / "dat");
    }
    // A data file named by the header but absent.
    TempProgramDir src("src");
    std::string twoFiles = good.substr(0, 20);
    twoFiles[4] = char(0x51), twoFiles[5] = char(0xC3);  // 50 001 slots
    twoFiles[14] = 2;
    WriteAll(src / "bazi0.dat", twoFiles);
    fs::resize_file(src / "bazi0.dat", 20 + std::uint64_t(50000) * 1296);
    CaseStore b;
    ASSERT_TRUE(b.Open(to.path()).ok());
    const auto before = Snapshot(to.path());
    const Status s = b.ImportFrom(src / "bazi0.dat");
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("bazi1.dat"), std::string::npos) << s.message();
    EXPECT_EQ(Snapshot(to.path()), before);
}

// An import that fails while the files are being put in place is undone:
// the current store, reports included, stays byte for byte as it was, and no
// staging or "previous" folder is left behind.
TEST(History, ImportFailingHalfwayIsUndone) {
    TempProgramDir from("from"), to("to"), out("out");
    CaseStore a;
    ASSERT_TRUE(a.Open(from.path()).ok());
    FillStore(a, from);
    ASSERT_TRUE(a.ExportTo(out / "history").ok());

    CaseStore b;
    ASSERT_TRUE(b.Open(to.path()).ok());
    for (const char* name : {"旧一", "旧二"}) {
        CaseRecord r = MakeCase(name, 1970, false, "旧");
        ASSERT_TRUE(b.AddRecord(&r).ok());
    }
    WriteAll(to / "bazi_f/0.rtf", "old report zero");
    WriteAll(to / "bazi_f/1.rtf", "old report one");
    // A folder where the incoming report 2.rtf must go: moving it in fails
    // after the old files have been moved aside and some new ones moved in.
    fs::create_directories(to / "bazi_f/2.rtf/blocker");
    const auto before = Snapshot(to.path());

    const Status s = b.ImportFrom(out / "history/bazi0.dat");
    EXPECT_FALSE(s.ok());
    EXPECT_TRUE(s.message().ends_with("；导入已撤销，什么都没有改变")) << s.message();
    EXPECT_FALSE(s.needsRepair());  // undone: the store is as it was
    EXPECT_EQ(Snapshot(to.path()), before);
    for (const fs::path& dir : {to / "dat", to / "bazi_f"}) {
        for (const auto& e : fs::directory_iterator(dir)) {
            EXPECT_EQ(e.path().filename().string().rfind(".import", 0), std::string::npos) << e.path();
        }
    }
    std::int32_t count = 0;
    ASSERT_TRUE(b.RecordCount(&count).ok());
    EXPECT_EQ(count, 2);
}

// Files copied onto themselves would be lost.
TEST(History, RefusesOwnFolders) {
    TempProgramDir dir("own");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    FillStore(db, dir);
    const auto before = Snapshot(dir.path());
    EXPECT_FALSE(db.ExportTo(dir / "dat").ok());
    EXPECT_FALSE(db.ExportTo(dir.path()).ok());
    EXPECT_FALSE(db.ExportTo(dir / "dat/../dat").ok());
    EXPECT_FALSE(db.ImportFrom(dir / "dat/bazi0.dat").ok());
    EXPECT_EQ(Snapshot(dir.path()), before);
}

TEST(CaseNode, TextFollowsTreeForm) {
    const struct {
        const char* name;
        int year, month, day;
        int lunar, leap, slot;
        const char* want;
    } kCases[] = {
        {"张三", 1990, 5, 12, 0, 0, 17, "张三  公1990-5-12|17"}, {"李四", 1984, 4, 3, 1, 1, 0, "李四  农闰1984-4-3|0"},
        {"李四", 1984, 4, 3, 0, 1, 2, "李四  公1984-4-3|2"},  // leap only counts for lunar dates
        {"古人", 0, 1, 1, 1, 0, 3, "古人  农-1-1-1|3"},       // year 0 is 1 BC
        {"古人", -120, 2, 2, 0, 0, 4, "古人  公-121-2-2|4"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.want);
        CaseRecord r;
        r.a.name = c.name;
        r.a.year = std::int16_t(c.year);
        r.a.month = std::int16_t(c.month);
        r.a.day = std::int16_t(c.day);
        r.a.isLunar = std::uint8_t(c.lunar);
        r.a.isLeapMonth = std::uint8_t(c.leap);
        r.slot = c.slot;
        EXPECT_EQ(CaseNodeText(r), c.want);
        EXPECT_EQ(SlotOfNodeText(CaseNodeText(r)), c.slot);
    }
    EXPECT_EQ(SlotOfNodeText("没有竖线"), -1);
}

TEST(Categories, ListReadWriteAndAdd) {
    IniFile ini;
    ini.Parse("[Classes]\r\nCOUNT=3\r\n1=同事\r\n3=abc\r\n");
    EXPECT_EQ(ReadCategoryList(ini), (std::vector<std::string>{"同事", "临时保存", "abc"}));
    EXPECT_EQ(ReadCategoryList(ini, ""), (std::vector<std::string>{"同事", "", "abc"}));
    EXPECT_FALSE(AddCategory(ini, "ABC"));  // ASCII case folded on the decoded text
    EXPECT_TRUE(AddCategory(ini, "亲戚"));
    EXPECT_EQ(ReadCategoryList(ini).back(), "亲戚");
    WriteCategoryList(ini, {"甲", "乙"});
    EXPECT_EQ(ReadCategoryList(ini), (std::vector<std::string>{"甲", "乙"}));
    EXPECT_EQ(ini.ReadString("classes", "3"), "abc");  // left in the file, no longer read

    ini.Parse("[classes]\r\ncount=-5\r\n");
    EXPECT_TRUE(ReadCategoryList(ini).empty());

    const struct {
        const char* name;
        bool ok;
    } kNames[] = {{"  同事 ", true},
                  {"", false},
                  {"   ", false},
                  {"六个汉字正好", true},
                  {"七个汉字就太长", false},
                  {"abcdefghijkl", true},
                  {"abcdefghijklm", false}};
    for (const auto& c : kNames) {
        SCOPED_TRACE(c.name);
        std::string trimmed;
        const Status s = CheckCategoryName(c.name, &trimmed);
        EXPECT_EQ(s.ok(), c.ok);
        if (!s.ok()) {
            EXPECT_EQ(s.message(), kBadCategoryMessage);
        }
    }
}

}  // namespace
}  // namespace tessaly
