#include "store/CaseStore.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>
#include <unistd.h>

#include <cstring>
#include <algorithm>
#include <functional>
#include <set>
#include <chrono>
#include <thread>

#include "common/TextCodec.h"
#include "store/Categories.h"
#include "store_test_util.h"

namespace tessaly {
namespace {

using test::MakeCase;
using test::ReadAll;
using test::ReportOf;
using test::Snapshot;
using test::TempProgramDir;
using test::WriteAll;
namespace fs = std::filesystem;

std::string Gbk(const std::string& utf8) {
    const CodecResult r = Utf8ToGbk(utf8);
    EXPECT_TRUE(r.ok()) << r.error;
    return r.text;
}

void Put16(std::string& b, std::size_t off, int v) {
    b[off] = char(v & 0xFF);
    b[off + 1] = char((v >> 8) & 0xFF);
}
void Put32(std::string& b, std::size_t off, std::int64_t v) {
    for (int i = 0; i < 4; ++i) b[off + i] = char((v >> (8 * i)) & 0xFF);
}
void PutFloat(std::string& b, std::size_t off, float f) {
    std::uint32_t u;
    std::memcpy(&u, &f, 4);
    Put32(b, off, u);
}
void PutText(std::string& b, std::size_t off, const std::string& utf8) {
    const std::string g = Gbk(utf8);
    std::memcpy(b.data() + off, g.data(), g.size());
}

// The header bytes of the layout table, written out by hand.
std::string HeaderBytes(int count, int deleted, int flag, int files, int kind = 0) {
    std::string h(20, '\0');
    h[0] = char(kind);
    Put32(h, 4, count);
    Put32(h, 8, deleted);
    h[12] = char(flag);
    Put16(h, 14, files);
    return h;
}

StoreHeader HeaderOf(const TempProgramDir& dir) {
    StoreHeader h;
    EXPECT_TRUE(DecodeStoreHeader(ReadAll(dir / "dat/bazi0.dat"), &h));
    return h;
}

class StoreTest : public ::testing::Test {
protected:
    void OpenStore() { ASSERT_TRUE(db_.Open(dir_.path()).ok()); }
    std::int32_t Add(CaseRecord r) {
        const Status s = db_.AddRecord(&r);
        EXPECT_TRUE(s.ok()) << s.message();
        return r.slot;
    }
    TempProgramDir dir_{"db"};
    CaseStore db_;
};

TEST_F(StoreTest, FreshFolderGetsTwentyByteHeaderAndReportFolder) {
    OpenStore();
    EXPECT_EQ(ReadAll(dir_ / "dat/bazi0.dat"), HeaderBytes(0, 0, 0, 1));
    EXPECT_TRUE(fs::is_directory(dir_ / "bazi_f"));
    EXPECT_EQ(Add(MakeCase("张三", 1990, true, "临时保存")), 0);
    EXPECT_EQ(fs::file_size(dir_ / "dat/bazi0.dat"), 20u + 1296u);
    EXPECT_EQ(ReadAll(dir_ / "dat/bazi0.dat").substr(0, 20), HeaderBytes(1, 0, 0, 1));
}

// A store made byte by byte from the layout table is read field by field.
TEST_F(StoreTest, ReadsHandBuiltStore) {
    std::string rec(1296, '\x55');  // bytes after each NUL are undefined
    Put32(rec, 0, 1);
    rec[4] = 0;
    PutText(rec, 5, "李四");
    rec[9] = 0;
    PutText(rec, 17, "abc类");
    rec[22] = 0;
    const int timeA[5] = {-100, 12, 31, 23, 59};
    for (int i = 0; i < 5; ++i) Put16(rec, 32 + 2 * i, timeA[i]);
    rec[42] = 1, rec[43] = 1, rec[44] = 0;
    Put16(rec, 46, 30), Put16(rec, 48, -1);
    PutFloat(rec, 52, 121.5f), PutFloat(rec, 56, -31.25f);
    PutText(rec, 60, "附加信息\r\n第二行");
    rec[60 + Gbk("附加信息\r\n第二行").size()] = 0;
    PutText(rec, 1152, "未知地");
    rec[1158] = 0;
    std::memcpy(rec.data() + 1204, "Wang\0", 5);
    const int timeB[5] = {2000, 2, 29, 0, 0};
    for (int i = 0; i < 5; ++i) Put16(rec, 1216 + 2 * i, timeB[i]);
    rec[1226] = 0, rec[1227] = 0, rec[1228] = 1;
    Put16(rec, 1230, 0), Put16(rec, 1232, 5);
    PutFloat(rec, 1236, 87.6f), PutFloat(rec, 1240, 43.8f);
    PutText(rec, 1244, "新疆-乌鲁木齐");
    rec[1244 + Gbk("新疆-乌鲁木齐").size()] = 0;

    std::string deletedRec(1296, '\0');
    deletedRec[4] = 1;
    PutText(deletedRec, 5, "王");
    WriteAll(dir_ / "dat/bazi0.dat", HeaderBytes(2, 1, 0, 1) + deletedRec + rec);
    OpenStore();

    CaseRecord r;
    ASSERT_TRUE(db_.ReadRecord(1, &r).ok());
    EXPECT_TRUE(r.live());
    EXPECT_EQ(r.slot, 1);
    EXPECT_EQ(r.a.name, "李四");
    EXPECT_EQ(r.category, "abc类");
    EXPECT_EQ(r.a.Time(), (CivilTime{-100, 12, 31, 23, 59}));
    EXPECT_EQ(r.a.isLunar, 1);
    EXPECT_EQ(r.a.isLeapMonth, 1);
    EXPECT_EQ(r.a.isMale, 0);
    EXPECT_EQ(r.a.provinceIndex, 30);
    EXPECT_EQ(r.a.cityIndex, -1);
    EXPECT_FLOAT_EQ(r.a.longitude, 121.5f);
    EXPECT_FLOAT_EQ(r.a.latitude, -31.25f);
    EXPECT_EQ(r.note, "附加信息\r\n第二行");
    EXPECT_EQ(r.a.placeText, "未知地");
    EXPECT_EQ(r.b.name, "Wang");
    EXPECT_EQ(r.b.personNo, 1);
    EXPECT_EQ(r.b.Time(), (CivilTime{2000, 2, 29, 0, 0}));
    EXPECT_EQ(r.b.isMale, 1);
    EXPECT_EQ(r.b.cityIndex, 5);
    EXPECT_FLOAT_EQ(r.b.longitude, 87.6f);
    EXPECT_FLOAT_EQ(r.b.latitude, 43.8f);
    EXPECT_EQ(r.b.placeText, "新疆-乌鲁木齐");

    ASSERT_TRUE(db_.ReadRecord(0, &r).ok());
    EXPECT_FALSE(r.live());
    EXPECT_EQ(r.a.name, "王");
}

// Our writer puts every field at the offset of the layout table.
TEST_F(StoreTest, WritesLayoutByteForByte) {
    OpenStore();
    CaseRecord r = MakeCase("张三", -5, true, "同事");
    r.a.isLunar = 1;
    r.a.isLeapMonth = 1;
    r.b.provinceIndex = -1;
    r.b.longitude = 100.25f;
    Add(MakeCase("first", 1980, false, "x"));
    ASSERT_EQ(Add(r), 1);

    std::string want(1296, '\0');
    Put32(want, 0, 1);
    PutText(want, 5, "张三");
    PutText(want, 17, "同事");
    const int timeA[5] = {-5, 5, 12, 8, 30};
    for (int i = 0; i < 5; ++i) Put16(want, 32 + 2 * i, timeA[i]);
    want[42] = 1, want[43] = 1, want[44] = 1;
    Put16(want, 46, 3), Put16(want, 48, 2);
    PutFloat(want, 52, 116.4f), PutFloat(want, 56, 39.9f);
    PutText(want, 60, "备注");
    PutText(want, 1152, "北京-北京");
    PutText(want, 1204, "乙张三");
    const int timeB[5] = {-3, 1, 1, 0, 0};
    for (int i = 0; i < 5; ++i) Put16(want, 1216 + 2 * i, timeB[i]);
    want[1228] = 0;
    Put16(want, 1230, -1);
    PutFloat(want, 1236, 100.25f);
    PutText(want, 1244, "未知地");

    const std::string file = ReadAll(dir_ / "dat/bazi0.dat");
    ASSERT_EQ(file.size(), 20u + 2 * 1296u);
    EXPECT_EQ(file.substr(20 + 1296), want);
    EXPECT_EQ(file.substr(0, 20), HeaderBytes(2, 0, 0, 1));
}

// A reader of tree lines decodes 甲命's name and the category and every
// number of 甲命, and leaves the other texts out; the whole record decodes
// as it was written.
TEST(DecodeCaseRecord, TreeLineLeavesOnlyTheOtherTextsOut) {
    CaseRecord r = MakeCase("张三", 1984, true, "同事", "备注很长");
    r.slot = 7;
    r.a.isLunar = 1;
    std::string bytes;
    ASSERT_TRUE(EncodeCaseRecord(r, &bytes).ok());
    CaseRecord all, line;
    DecodeCaseRecord(bytes, &all);
    DecodeCaseRecord(bytes, &line, CaseTexts::kTreeLine);
    EXPECT_EQ(all.note, "备注很长");
    EXPECT_EQ(all.b.name, "乙张三");
    EXPECT_EQ(all.a.placeText, "北京-北京");
    EXPECT_EQ(line.a.name, "张三");
    EXPECT_EQ(line.category, "同事");
    EXPECT_EQ(line.slot, 7);
    EXPECT_EQ(line.a.year, 1984);
    EXPECT_EQ(line.a.isLunar, 1);
    EXPECT_EQ(line.a.provinceIndex, 3);
    EXPECT_TRUE(line.note.empty());
    EXPECT_TRUE(line.a.placeText.empty());
    EXPECT_EQ(line.b.name, PersonRecord{}.name);  // 乙命 is a default record
    EXPECT_EQ(CaseNodeText(line), CaseNodeText(all));
}

TEST_F(StoreTest, TextsAreCutOnCharacterBoundariesInGbkBytes) {
    OpenStore();
    const struct {
        const char* name;
        const char* stored;
    } kCases[] = {
        {"张三李四王五", "张三李四王"},  // 12 bytes: only 11 fit, the sixth character goes whole
        {"abcdefghijkl", "abcdefghijk"},
        {"a张三李四王五", "a张三李四王"},  // 11 bytes exactly
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        const std::int32_t slot = Add(MakeCase(c.name, 1990, true, "十四个字节的类别名称"));
        CaseRecord r;
        ASSERT_TRUE(db_.ReadRecord(slot, &r).ok());
        EXPECT_EQ(r.a.name, c.stored);
        EXPECT_EQ(r.category, "十四个字节的");  // 13 bytes allowed: six characters fit
    }
}

TEST_F(StoreTest, TextOutsideGbkIsRefusedAndNothingIsWritten) {
    OpenStore();
    const auto before = Snapshot(dir_.path());
    CaseRecord r = MakeCase("张三", 1990, true, "类");
    r.note = "笑\xF0\x9F\x98\x80";  // an emoji GBK cannot hold
    const Status s = db_.AddRecord(&r);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message(), "附加信息：“😀”无法保存为GBK");  // names the field and the character
    EXPECT_EQ(Snapshot(dir_.path()), before);
}

TEST_F(StoreTest, Slot50000OpensSecondDataFileAtOffsetZero) {
    // A store of 50 000 slots; the full first file is sparse on disk.
    const fs::path file0 = dir_ / "dat/bazi0.dat";
    WriteAll(file0, HeaderBytes(50000, 0, 0, 1));
    fs::resize_file(file0, 20 + std::uint64_t(50000) * 1296);
    OpenStore();
    EXPECT_EQ(Add(MakeCase("五万", 1990, true, "类")), 50000);
    EXPECT_EQ(fs::file_size(dir_ / "dat/bazi1.dat"), 1296u);
    EXPECT_EQ(ReadAll(dir_ / "dat/bazi1.dat").substr(0, 4), std::string("\x50\xC3\x00\x00", 4));
    EXPECT_EQ(HeaderOf(dir_), (StoreHeader{0, 50001, 0, 0, 2}));
    CaseRecord r;
    ASSERT_TRUE(db_.ReadRecord(50000, &r).ok());
    EXPECT_EQ(r.a.name, "五万");
}

TEST_F(StoreTest, ThirtiethDeletionStartsReuseInAscendingOrder) {
    OpenStore();
    for (int i = 0; i < 40; ++i) Add(MakeCase(std::to_string(i) + "n", 1990, true, "c"));
    // Delete 29 slots out of order: odd slots 39..3, then even slots 0..18.
    std::vector<int> deleted;
    for (int s = 39; s >= 3; s -= 2) deleted.push_back(s);
    for (int s = 0; s <= 18; s += 2) deleted.push_back(s);
    ASSERT_EQ(deleted.size(), 29u);
    for (int s : deleted) ASSERT_TRUE(db_.DeleteRecord(s).ok());
    EXPECT_EQ(HeaderOf(dir_), (StoreHeader{0, 40, 29, 0, 1}));
    EXPECT_EQ(Add(MakeCase("appended", 1990, true, "c")), 40);  // 29 deletions: still appending

    ASSERT_TRUE(db_.DeleteRecord(20).ok());
    deleted.push_back(20);
    EXPECT_EQ(HeaderOf(dir_), (StoreHeader{0, 41, 30, 1, 1}));
    std::sort(deleted.begin(), deleted.end());
    for (int want : deleted) ASSERT_EQ(Add(MakeCase("reuse", 1990, true, "c")), want);
    EXPECT_EQ(HeaderOf(dir_), (StoreHeader{0, 41, 0, 0, 1}));
    EXPECT_EQ(Add(MakeCase("after", 1990, true, "c")), 41);
    std::int32_t count = 0;
    ASSERT_TRUE(db_.RecordCount(&count).ok());
    EXPECT_EQ(count, 42);
}

TEST_F(StoreTest, ReadRecordOutsideRangeFailsAndLeavesRecord) {
    OpenStore();
    Add(MakeCase("a", 1990, true, "c"));
    Add(MakeCase("b", 1991, false, "c"));
    ASSERT_TRUE(db_.DeleteRecord(1).ok());
    for (int slot : {-1, 2, 1 << 30}) {
        SCOPED_TRACE(slot);
        CaseRecord r = MakeCase("untouched", 1, true, "u");
        EXPECT_FALSE(db_.ReadRecord(slot, &r).ok());
        EXPECT_EQ(r.a.name, "untouched");
    }
    CaseRecord r;
    ASSERT_TRUE(db_.ReadRecord(1, &r).ok());
    EXPECT_FALSE(r.live());
    EXPECT_EQ(r.a.name, "b");  // a deleted record keeps its bytes
    std::int32_t count = 0;
    ASSERT_TRUE(db_.DeleteRecord(0).ok());
    ASSERT_TRUE(db_.RecordCount(&count).ok());
    EXPECT_EQ(count, 2);  // all deleted, still counted
}

TEST_F(StoreTest, DeleteOutOfRangeOrTwiceChangesNothing) {
    OpenStore();
    Add(MakeCase("a", 1990, true, "c"));
    ASSERT_TRUE(db_.DeleteRecord(0).ok());
    const auto before = Snapshot(dir_.path());
    for (int slot : {0, -1, 1, 70000}) {
        SCOPED_TRACE(slot);
        EXPECT_FALSE(db_.DeleteRecord(slot).ok());
        EXPECT_EQ(Snapshot(dir_.path()), before);
    }
    EXPECT_EQ(HeaderOf(dir_).deletedCount, 1);
}

TEST_F(StoreTest, WriteRecordRefusesSlotsBeyondCount) {
    OpenStore();
    Add(MakeCase("a", 1990, true, "c"));
    CaseRecord r = MakeCase("moved", 1990, true, "新类");
    r.slot = 0;
    EXPECT_TRUE(db_.WriteRecord(0, r).ok());
    const auto before = Snapshot(dir_.path());
    EXPECT_FALSE(db_.WriteRecord(1, r).ok());
    EXPECT_FALSE(db_.WriteRecord(-1, r).ok());
    EXPECT_EQ(Snapshot(dir_.path()), before);
    CaseRecord back;
    ASSERT_TRUE(db_.ReadRecord(0, &back).ok());
    EXPECT_EQ(back.category, "新类");
}

TEST_F(StoreTest, SearchModes) {
    OpenStore();
    Add(MakeCase("张", 1990, true, "同事"));     // 0
    Add(MakeCase("张三", 1985, false, "同学"));  // 1
    Add(MakeCase("李张", -100, true, "abc"));    // 2
    Add(MakeCase("王五", 2001, false, "ABC"));   // 3
    CaseRecord other = MakeCase("张", 1990, true, "同事");
    other.a.provinceIndex = 7;
    Add(other);                               // 4
    Add(MakeCase("张", 1990, true, "同事"));  // 5, deleted below
    ASSERT_TRUE(db_.DeleteRecord(5).ok());

    struct Case {
        const char* what;
        SearchCriteria c;
        std::vector<std::int32_t> want;
    };
    auto crit = [](auto f) {
        SearchCriteria c;
        f(c);
        return c;
    };
    const Case kCases[] = {
        {"all off", {}, {0, 1, 2, 3, 4}},
        {"name contains",
         crit([](SearchCriteria& c) {
             c.name = "张";
             c.nameMode = 1;
         }),
         {0, 1, 2, 4}},
        {"name equals",
         crit([](SearchCriteria& c) {
             c.name = "张";
             c.nameMode = 2;
         }),
         {0, 4}},
        {"empty name contains", crit([](SearchCriteria& c) { c.nameMode = 1; }), {0, 1, 2, 3, 4}},
        // Person B's name counts as well: B of case 3 is 乙王五, of cases 0 and 4 乙张.
        {"B's name contains",
         crit([](SearchCriteria& c) {
             c.name = "乙王";
             c.nameMode = 1;
         }),
         {3}},
        {"B's name equals",
         crit([](SearchCriteria& c) {
             c.name = "乙张";
             c.nameMode = 2;
         }),
         {0, 4}},
        {"category bytes",
         crit([](SearchCriteria& c) {
             c.category = "abc";
             c.categoryMode = 2;
         }),
         {2}},
        {"category contains",
         crit([](SearchCriteria& c) {
             c.category = "同";
             c.categoryMode = 1;
         }),
         {0, 1, 4}},
        {"female",
         crit([](SearchCriteria& c) {
             c.sexFilter = 1;
             c.wantedSex = 0;
         }),
         {1, 3}},
        {"years",
         crit([](SearchCriteria& c) {
             c.yearFilter = 1;
             c.firstYear = -100;
             c.lastYear = 1985;
         }),
         {1, 2}},
        {"province", crit([](SearchCriteria& c) { c.province = 7; }), {4}},
        {"mode ignores text", crit([](SearchCriteria& c) { c.name = "nobody"; }), {0, 1, 2, 3, 4}},
    };
    for (Case c : kCases) {
        SCOPED_TRACE(c.what);
        c.c.thirdMode = 1;
        std::vector<std::int32_t> got{99};
        ASSERT_TRUE(db_.SearchRecords(&c.c, &got).ok());
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(c.c.thirdMode, 0);
        // The one-pass search gives the same cases, decoded as ReadRecord does.
        std::vector<CaseRecord> found(1);
        ASSERT_TRUE(db_.SearchCases(c.c, &found).ok());
        ASSERT_EQ(found.size(), c.want.size());
        for (std::size_t i = 0; i < found.size(); ++i) {
            CaseRecord one;
            ASSERT_TRUE(db_.ReadRecord(c.want[i], &one).ok());
            EXPECT_EQ(found[i].slot, c.want[i]);
            EXPECT_EQ(found[i].a.name, one.a.name);
            EXPECT_EQ(found[i].note, one.note);
            EXPECT_EQ(found[i].b.placeText, one.b.placeText);
        }
    }
}

// The header counts deleted slots the marks do not show: the next record is
// appended, slot 0 stays as it was, and the counter is set right.
TEST_F(StoreTest, ReuseWithWrongCounterFallsBackToAppending) {
    OpenStore();
    Add(MakeCase("zero", 1990, true, "c"));
    Add(MakeCase("one", 1990, true, "c"));
    std::string file = ReadAll(dir_ / "dat/bazi0.dat");
    file.replace(0, 20, HeaderBytes(2, 5, 1, 1));
    WriteAll(dir_ / "dat/bazi0.dat", file);

    EXPECT_EQ(Add(MakeCase("new", 1990, true, "c")), 2);
    EXPECT_EQ(HeaderOf(dir_), (StoreHeader{0, 3, 0, 0, 1}));
    CaseRecord r;
    ASSERT_TRUE(db_.ReadRecord(0, &r).ok());
    EXPECT_EQ(r.a.name, "zero");
}

// A crash between the two writes of an operation leaves a store that reads
// consistently: the files are copied at that moment, opened as a store, and
// the copy keeps every live case through a further addition.
TEST_F(StoreTest, CrashBetweenRecordAndHeaderLeavesConsistentStore) {
    OpenStore();
    const auto add = [](CaseStore& db) {
        CaseRecord r = MakeCase("new", 1990, true, "c");
        return db.AddRecord(&r);
    };
    const struct {
        const char* what;
        std::function<Status(CaseStore&)> op;
    } kCases[] = {
        {"append add", add},                                            // on 31 live records
        {"delete", [](CaseStore& db) { return db.DeleteRecord(29); }},  // the 30th deletion
        {"reuse add", add},                                             // takes slot 0
    };
    for (int i = 0; i < 31; ++i) Add(MakeCase(std::to_string(i) + "n", 1990, true, "c"));
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        if (std::string(c.what) == "delete") {
            for (int i = 0; i < 29; ++i) ASSERT_TRUE(db_.DeleteRecord(i).ok());
        }
        const StoreHeader before = HeaderOf(dir_);
        TempProgramDir crashed("crash");
        db_.SetBetweenWritesHookForTest([&] {
            for (const auto& [name, bytes] : Snapshot(dir_ / "dat")) WriteAll(crashed / "dat" / name, bytes);
        });
        ASSERT_TRUE(c.op(db_).ok());
        db_.SetBetweenWritesHookForTest(nullptr);

        CaseStore copy;
        ASSERT_TRUE(copy.Open(crashed.path()).ok());
        StoreHeader h;
        ASSERT_TRUE(copy.ReadHeader(&h).ok());
        EXPECT_EQ(h, before);  // the header is the old one
        std::vector<std::string> liveBefore, liveAfter;
        auto collect = [&](std::vector<std::string>* names) {
            return copy.ForEachRecord([&](const CaseRecord& r) {
                names->push_back(std::to_string(r.slot) + r.a.name);
                return true;
            });
        };
        ASSERT_TRUE(collect(&liveBefore).ok());
        CaseRecord r = MakeCase("after crash", 1990, true, "c");
        ASSERT_TRUE(copy.AddRecord(&r).ok());
        ASSERT_TRUE(collect(&liveAfter).ok());
        for (const std::string& n : liveBefore) {
            EXPECT_NE(std::find(liveAfter.begin(), liveAfter.end(), n), liveAfter.end()) << n << " was lost";
        }
        EXPECT_EQ(liveAfter.size(), liveBefore.size() + 1);
    }
}

// A full disk: the write of the record fails, the header is not advanced.
TEST_F(StoreTest, FullDiskIsReportedAndCountStays) {
    const fs::path file0 = dir_ / "dat/bazi0.dat";
    WriteAll(file0, HeaderBytes(50000, 0, 0, 1));
    fs::resize_file(file0, 20 + std::uint64_t(50000) * 1296);
    fs::create_symlink("/dev/full", dir_ / "dat/bazi1.dat");
    OpenStore();
    CaseRecord r = MakeCase("lost?", 1990, true, "c");
    const Status s = db_.AddRecord(&r);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("bazi1.dat"), std::string::npos) << s.message();
    EXPECT_EQ(HeaderOf(dir_).count, 50000);
}

TEST(StoreErrors, FileProblemsAreReported) {
    {
        TempProgramDir dir("err");
        fs::remove_all(dir / "dat");
        CaseStore db;
        const Status s = db.Open(dir.path());
        EXPECT_FALSE(s.ok());
        EXPECT_NE(s.message().find("dat"), std::string::npos) << s.message();
    }
    {
        TempProgramDir dir("err");
        fs::create_directory(dir / "dat/bazi0.dat");  // the header cannot be a file
        CaseStore db;
        EXPECT_FALSE(db.Open(dir.path()).ok());
    }
    {
        TempProgramDir dir("err");
        WriteAll(dir / "dat/bazi0.dat", std::string(7, '\0'));
        CaseStore db;
        EXPECT_FALSE(db.Open(dir.path()).ok());
    }
    {
        TempProgramDir dir("err");
        WriteAll(dir / "dat/bazi0.dat", HeaderBytes(3, 0, 0, 1));  // three slots, no records
        CaseStore db;
        const Status opened = db.Open(dir.path());  // reported at once, the store stays bound
        EXPECT_FALSE(opened.ok());
        EXPECT_NE(opened.message().find("bazi0.dat"), std::string::npos) << opened.message();
        CaseRecord r;
        EXPECT_FALSE(db.ReadRecord(1, &r).ok());
        SearchCriteria all;
        std::vector<std::int32_t> slots;
        EXPECT_FALSE(db.SearchRecords(&all, &slots).ok());
    }
    {
        CaseStore db;  // never opened
        CaseRecord r;
        EXPECT_FALSE(db.AddRecord(&r).ok());
    }
}

// The store's folder is read-only for the user running the program. Root
// ignores permissions, so as root the check runs in a child process that has
// dropped to the unprivileged user "nobody".
TEST(StoreErrors, ReadOnlyFolderIsReported) {
    TempProgramDir dir("ro");
    fs::permissions(dir / "dat", fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                     fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const auto check = [&]() -> std::string {
        CaseStore db;
        const Status s = db.Open(dir.path());
        if (s.ok()) return "opened a store in a read-only folder";
        if (s.message().find("bazi0.dat") == std::string::npos) return "message does not name the file: " + s.message();
        return {};
    };
    if (::geteuid() != 0) {
        EXPECT_EQ(check(), "");
        return;
    }
    int pipeFd[2];
    ASSERT_EQ(::pipe(pipeFd), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(pipeFd[0]);
        std::string result = (::setgid(65534) == 0 && ::setuid(65534) == 0) ? check() : "cannot drop privileges";
        if (::write(pipeFd[1], result.data(), result.size()) < 0) ::_exit(2);
        ::_exit(0);
    }
    ::close(pipeFd[1]);
    std::string result;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFd[0], buf, sizeof buf)) > 0) result.append(buf, static_cast<std::size_t>(n));
    ::close(pipeFd[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(result, "");
}

// Two programs on one folder: operations do not interleave, so every record
// lands in its own slot and the count is exact.
TEST(StoreLocking, ConcurrentAddsDoNotCollide) {
    TempProgramDir dir("lock");
    CaseStore first, second;
    ASSERT_TRUE(first.Open(dir.path()).ok());
    ASSERT_TRUE(second.Open(dir.path()).ok());
    constexpr int kEach = 40;
    auto run = [&](CaseStore* db, const std::string& tag) {
        for (int i = 0; i < kEach; ++i) {
            CaseRecord r = MakeCase(tag + std::to_string(i), 1990, true, "c");
            ASSERT_TRUE(db->AddRecord(&r).ok());
        }
    };
    std::thread t1(run, &first, "a"), t2(run, &second, "b");
    t1.join();
    t2.join();
    std::int32_t count = 0;
    ASSERT_TRUE(first.RecordCount(&count).ok());
    EXPECT_EQ(count, 2 * kEach);
    std::set<std::string> names;
    for (int s = 0; s < count; ++s) {
        CaseRecord r;
        ASSERT_TRUE(first.ReadRecord(s, &r).ok());
        EXPECT_EQ(r.slot, s);
        names.insert(r.a.name);
    }
    EXPECT_EQ(names.size(), std::size_t(2 * kEach));
}

// Adds beside clears: each case comes with its report under the lock, so
// afterwards the reports are exactly those of the live cases.
TEST(StoreLocking, ClearsBesideAddsLeaveNoStrayReport) {
    TempProgramDir dir("clearadd");
    CaseStore adder, clearer;
    ASSERT_TRUE(adder.Open(dir.path()).ok());
    ASSERT_TRUE(clearer.Open(dir.path()).ok());
    const StyledReport report = ReportOf("report");
    std::thread adds([&] {
        for (int i = 0; i < 60; ++i) {
            CaseRecord r = MakeCase(std::to_string(i) + "a", 1990, true, "c");
            ASSERT_TRUE(adder.AddCase(&r, report).ok());
        }
    });
    for (int i = 0; i < 6; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_TRUE(clearer.ClearAll().ok());
    }
    adds.join();
    std::set<std::string> live, reports;
    ASSERT_TRUE(adder
                    .ForEachRecord([&](const CaseRecord& r) {
                        live.insert(std::to_string(r.slot) + ".rtf");
                        return true;
                    })
                    .ok());
    for (const auto& e : fs::directory_iterator(dir / "bazi_f")) reports.insert(e.path().filename().string());
    EXPECT_EQ(reports, live);
}

TEST_F(StoreTest, ClearAllRemovesFilesAndLeavesEmptyStore) {
    OpenStore();
    Add(MakeCase("a", 1990, true, "c"));
    WriteAll(dir_ / "bazi_f/0.rtf", "{\\rtf1 x}");
    WriteAll(dir_ / "bazi_f/7.RTF", "{\\rtf1 y}");
    WriteAll(dir_ / "bazi_f/keep.txt", "other");
    WriteAll(dir_ / "dat/bazi1.dat", "stale");
    WriteAll(dir_ / "dat/bzinit.ini", "[classes]\r\n");
    ASSERT_TRUE(db_.ClearAll().ok());
    EXPECT_EQ(ReadAll(dir_ / "dat/bazi0.dat"), HeaderBytes(0, 0, 0, 1));
    EXPECT_FALSE(fs::exists(dir_ / "dat/bazi1.dat"));
    EXPECT_FALSE(fs::exists(dir_ / "bazi_f/0.rtf"));
    EXPECT_FALSE(fs::exists(dir_ / "bazi_f/7.RTF"));
    EXPECT_TRUE(fs::exists(dir_ / "bazi_f/keep.txt"));
    EXPECT_TRUE(fs::exists(dir_ / "dat/bzinit.ini"));
    EXPECT_EQ(Add(MakeCase("b", 1990, true, "c")), 0);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// A new case is stored with its report, or not at all: when the report
// cannot be written nothing of the store changes and the error says so.
TEST(AddCase, StoresBothOrLeavesNoLiveCase) {
    test::TempProgramDir dir("withreport");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    const StyledReport report = ReportOf("甲命八字：");

    CaseRecord first = test::MakeCase("张三", 1990, true, "同事");
    ASSERT_TRUE(db.AddCase(&first, report).ok());
    EXPECT_TRUE(std::filesystem::is_regular_file(db.ReportPath(first.slot)));

    // A folder where the next report must go: writing it fails.
    std::filesystem::create_directories(db.ReportPath(first.slot + 1) / "blocker");
    const auto before = test::Snapshot(dir.path());
    CaseRecord second = test::MakeCase("李四", 1992, false, "同事");
    const Status s = db.AddCase(&second, report);
    EXPECT_FALSE(s.ok());
    EXPECT_EQ(s.message(), "命稿无法写入，命例没有保存：无法写入 " + db.ReportPath(first.slot + 1).string() +
                               "：这是一个文件夹，不是文件");
    EXPECT_FALSE(s.needsRepair());
    EXPECT_EQ(test::Snapshot(dir.path()), before);
    EXPECT_TRUE(std::filesystem::is_directory(db.ReportPath(first.slot + 1) / "blocker"));
    std::int32_t count = 0;
    ASSERT_TRUE(db.RecordCount(&count).ok());
    EXPECT_EQ(count, 1);
    CaseRecord back;
    ASSERT_TRUE(db.ReadRecord(first.slot, &back).ok());
    EXPECT_TRUE(back.live());
}

// A clear that fails after its journal is on disk has happened all the same
// (the next use of the store finishes it): it succeeds with a warning that
// says so instead of reporting a failed clear. The failure: from step n on,
// the journal's place holds a folder that is not empty, which no step can
// replace or remove.
TEST(ClearAll, FailureAfterTheCommitSaysTheClearStands) {
    int standing = 0;
    for (int n = 1;; ++n) {
        SCOPED_TRACE(n);
        TempProgramDir dir("clearfinish");
        const fs::path journal = dir.path() / "dat" / "bazi.journal";
        {
            CaseStore db;
            ASSERT_TRUE(db.Open(dir.path()).ok());
            CaseRecord r = MakeCase("张三", 1990, true, "同事");
            ASSERT_TRUE(db.AddCase(&r, ReportOf("report")).ok());
        }
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        db.SetStepHookForTest([&](int step) {
            if (step != n) return;
            fs::remove(journal);
            fs::create_directories(journal / "in the way");
        });
        const Status s = db.ClearAll();
        db.SetStepHookForTest({});
        fs::remove_all(journal);
        if (s.ok() && !s.hasWarning()) break;
        CaseStore again;
        std::int32_t count = -1;
        ASSERT_TRUE(again.Open(dir.path()).ok());
        ASSERT_TRUE(again.RecordCount(&count).ok());
        const bool saysItStands = s.message().find("已经生效") != std::string::npos;
        EXPECT_EQ(saysItStands, count == 0) << s.message();
        EXPECT_EQ(s.ok(), saysItStands) << s.message();
        standing += saysItStands;
        ASSERT_LT(n, 100);
    }
    EXPECT_GT(standing, 0);
}

}  // namespace
}  // namespace tessaly
