// Hostile and damaged input from outside the store: exported histories
// whose records are not records, symbolic links planted where the store
// writes or reads, and file modes the store must keep.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "common/IniFile.h"
#include "store/CaseStore.h"
#include "store/ReportFile.h"
#include "store_test_util.h"
#include "test_paths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using test::MakeCase;
using test::ReadAll;
using test::ReportOf;
using test::Snapshot;
using test::TempProgramDir;
using test::WriteAll;

// A store of three cases with reports, slot 1 deleted, exported to
// `dir`/history.
void ExportedHistory(const TempProgramDir& dir) {
    fs::create_directories(dir / "from/dat");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir / "from").ok());
    for (const char* name : {"张三", "李四", "王五"}) {
        CaseRecord r = MakeCase(name, 1990, true, "同事");
        ASSERT_TRUE(db.AddCase(&r, ReportOf(name)).ok());
    }
    ASSERT_TRUE(db.DeleteRecord(1).ok());  // its report stays, as a deleted category's do
    ASSERT_TRUE(db.ExportTo(dir / "history").ok());
}

unsigned ModeOfFile(const fs::path& p) {
    struct stat st;
    return ::lstat(p.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

// Import looks at every record, not only the header, and names the first
// bad one; the store it would replace stays as it was.
TEST(ImportChecks, EveryRecordIsChecked) {
    const struct {
        const char* what;
        std::size_t offset;  // into record 2
        std::string bytes;
        const char* named;
    } kCases[] = {
        {"deletion mark 7", 4, "\x07", "第 2 号记录无效：删除标记是 7（应为 0 或 1）"},
        {"slot field of another slot", 0, std::string("\x05\0\0\0", 4), "第 2 号记录无效：记录号是 5"},
        {"name not GBK", 5, "\xFF\xFF", "第 2 号记录无效：甲命姓名不是 GBK 文字"},
        {"note not GBK", 60, "\xFF", "第 2 号记录无效：附加信息不是 GBK 文字"},
        {"month 13", 34, std::string("\x0D\0", 2), "第 2 号记录无效：甲命月份 13 不在 1 到 12 之间"},
        {"B year 3000", 1216, std::string("\xB8\x0B", 2), "第 2 号记录无效：乙命年份 3000 不在 "},
        {"minute 60", 40, std::string("\x3C\0", 2), "第 2 号记录无效：甲命分钟 60 不在 0 到 59 之间"},
        {"zeros", 0, std::string(1296, '\0'), "第 2 号记录无效：记录号是 0"},
        // What a person entered by hand could never be.
        {"longitude NaN", 52, std::string("\0\0\xC0\x7F", 4), "第 2 号记录无效：甲命经纬度不在 ±180°、±90° 之内"},
        {"longitude inf", 52, std::string("\0\0\x80\x7F", 4), "甲命经纬度不在"},
        {"longitude 1e30", 52, "\xCA\xF2\x49\x71", "甲命经纬度不在"},
        {"B latitude -inf", 1240, std::string("\0\0\x80\xFF", 4), "乙命经纬度不在"},
        {"province 999", 46, "\xE7\x03", "第 2 号记录无效：甲命：省市：省份编号 999 不在 0 到 34 之间"},
        {"city -5", 48, "\xFB\xFF", "第 2 号记录无效：甲命城市编号 -5 不在 0 到 32767 之间"},
        {"isLunar 7", 42, "\x07", "第 2 号记录无效：甲命农历标记 7 不在 0 到 1 之间"},
        {"leap flag 2", 1227, "\x02", "第 2 号记录无效：乙命闰月标记 2 不在 0 到 1 之间"},
        {"sex 9", 44, "\x09", "第 2 号记录无效：甲命性别标记 9 不在 0 到 1 之间"},
        {"1990-02-31", 34, std::string("\x02\0\x1F\0", 4), "第 2 号记录无效：甲命：不存在这个日期：1990年2月只有28天"},
        {"a lunar leap month the year lacks", 1226, "\x01\x01", "第 2 号记录无效：乙命：不存在这个农历日期"},
        {"name without its NUL", 5, "ABCDEFGHIJKL", "第 2 号记录无效：甲命姓名没有结尾（12 个字节里没有 0 字节）"},
        {"category without its NUL", 17, "ABCDEFGHIJKLMN", "第 2 号记录无效：类别没有结尾"},
        {"B place without its NUL", 1244, std::string(52, 'x'), "第 2 号记录无效：乙命出生地没有结尾"},
        {"empty name", 1204, std::string("\0", 1), "第 2 号记录无效：乙命：姓名不能为空"},
        {"escape sequence in a name", 5, std::string("\x1B[31m\0", 6), "第 2 号记录无效：甲命：姓名：不能含有控制字符"},
        {"tab in the category", 17, std::string("a\tb\0", 4), "第 2 号记录无效：类别不能含有控制字符"},
        {"escape sequence in the note", 60, std::string("a\x1B[2Jb\0", 7),
         "第 2 号记录无效：附加信息除换行外不能含有控制字符"},
        {"escape in a place", 1152, std::string("\x1B]0;x\x07\0", 7), "第 2 号记录无效：甲命：地名：不能含有控制字符"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("importcheck");
        ExportedHistory(dir);
        std::string file = ReadAll(dir / "history/bazi0.dat");
        file.replace(20 + 2 * 1296 + c.offset, c.bytes.size(), c.bytes);
        WriteAll(dir / "history/bazi0.dat", file);
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        CaseRecord mine = MakeCase("保留", 1970, false, "旧");
        ASSERT_TRUE(db.AddCase(&mine, ReportOf("mine")).ok());
        const auto before = Snapshot(dir.path());
        const Status s = db.ImportFrom(dir / "history/bazi0.dat");
        EXPECT_FALSE(s.ok());
        EXPECT_NE(s.message().find(c.named), std::string::npos) << s.message();
        EXPECT_EQ(s.message().rfind("无法导入 " + (dir / "history/bazi0.dat").string() + "：", 0), 0u) << s.message();
        EXPECT_TRUE(s.message().ends_with("；什么都没有改变")) << s.message();
        EXPECT_TRUE(Snapshot(dir.path()) == before);
    }
    // Line breaks in a note are a note's own.
    {
        TempProgramDir dir("importnote");
        ExportedHistory(dir);
        std::string file = ReadAll(dir / "history/bazi0.dat");
        file.replace(20 + 2 * 1296 + 60, 9, std::string("a\r\nb\nc\0", 8) + '\0');
        WriteAll(dir / "history/bazi0.dat", file);
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        const Status s = db.ImportFrom(dir / "history/bazi0.dat");
        EXPECT_TRUE(s.ok()) << s.message();
    }
    // A deleted record may hold anything but its mark and slot.
    TempProgramDir dir("importdeleted");
    ExportedHistory(dir);
    std::string file = ReadAll(dir / "history/bazi0.dat");
    file.replace(20 + 1296 + 5, 2, "\xFF\xFF");  // record 1 is deleted
    file.replace(20 + 1296 + 34, 2, std::string("\x0D\0", 2));
    WriteAll(dir / "history/bazi0.dat", file);
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    EXPECT_TRUE(db.ImportFrom(dir / "history/bazi0.dat").ok());
}

// With the program's place list, a city must be one of its province's.
TEST(ImportChecks, CitiesAreThoseOfThePlaceList) {
    TempProgramDir dir("importcity");
    ExportedHistory(dir);
    fs::copy_file(testing_paths::SourceDir() / "data/dat/dili.ini", dir / "dat/dili.ini");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    ASSERT_TRUE(db.ImportFrom(dir / "history/bazi0.dat").ok());  // province 3, city 2 is in the list
    std::string file = ReadAll(dir / "history/bazi0.dat");
    file.replace(20 + 2 * 1296 + 48, 2, "\xE7\x03");  // city 999
    WriteAll(dir / "history/bazi0.dat", file);
    const auto before = Snapshot(dir.path());
    const Status s = db.ImportFrom(dir / "history/bazi0.dat");
    EXPECT_NE(s.message().find("第 2 号记录无效：甲命：省市："), std::string::npos) << s.message();
    EXPECT_NE(s.message().find("没有第 999 号城市"), std::string::npos) << s.message();
    EXPECT_TRUE(Snapshot(dir.path()) == before);
}

// Only regular files named N.rtf, N a live slot, come in; the rest is
// skipped and named.
TEST(ImportChecks, OnlyReportsOfLiveCasesComeIn) {
    TempProgramDir dir("importreports");
    ExportedHistory(dir);
    const fs::path reports = dir / "history/bazi_f";
    WriteAll(dir / "outside.rtf", "outside");
    fs::remove(reports / "2.rtf");
    fs::create_symlink(dir / "outside.rtf", reports / "2.rtf");
    WriteAll(reports / "notes.rtf", "not a report");
    WriteAll(reports / "007.rtf", "not a slot as the store writes it");
    WriteAll(reports / "9.rtf", "beyond the count");
    WriteAll(reports / "0.RTF", "the same name in capitals");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    std::vector<std::string> skipped;
    const Status s = db.ImportFrom(dir / "history/bazi0.dat", &skipped);
    ASSERT_TRUE(s.ok()) << s.message();
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir / "bazi_f")) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, std::vector<std::string>{"0.rtf"});
    EXPECT_EQ(ReadAll(dir / "bazi_f/0.rtf"), ReadAll(reports / "0.RTF"));  // the first name in name order
    const std::string all = ::testing::PrintToString(skipped);
    for (const char* name : {"1.rtf", "2.rtf", "notes.rtf", "007.rtf", "9.rtf", "0.rtf"}) {
        EXPECT_NE(all.find(std::string("bazi_f/") + name), std::string::npos) << name << " in " << all;
    }
    EXPECT_EQ(ReadAll(dir / "outside.rtf"), "outside");
}

// Links planted where the store reads or writes are never followed: the
// file they point to stays as it was.
TEST(Links, AreNeverFollowed) {
    const struct {
        const char* what;
        std::function<void(const TempProgramDir&, const fs::path& outside)> plant;
        std::function<Status(CaseStore&, const TempProgramDir&)> op;
        bool succeeds;
    } kCases[] = {
        {"export of a link in bazi_f",
         [](const TempProgramDir& d, const fs::path& o) { fs::create_symlink(o, d / "bazi_f/7.rtf"); },
         [](CaseStore& db, const TempProgramDir& d) {
             std::vector<std::string> skipped;
             const Status s = db.ExportTo(d / "out", &skipped);
             EXPECT_EQ(skipped.size(), 1u);
             EXPECT_FALSE(fs::exists(d / "out/bazi_f/7.rtf"));
             return s;
         },
         true},
        {"export onto links in the export folder",
         [](const TempProgramDir& d, const fs::path& o) {
             fs::create_directories(d / "out/bazi_f");
             fs::create_symlink(o, d / "out/bazi0.dat");
             fs::create_symlink(o, d / "out/bazi_f/0.rtf");
         },
         [](CaseStore& db, const TempProgramDir& d) {
             const Status s = db.ExportTo(d / "out");
             EXPECT_EQ(ReadAll(d / "out/bazi0.dat"), ReadAll(d / "dat/bazi0.dat"));
             EXPECT_FALSE(fs::is_symlink(d / "out/bazi_f/0.rtf"));
             return s;
         },
         true},
        {"export into a report folder that is a link",
         [](const TempProgramDir& d, const fs::path& o) {
             fs::create_directories(d / "out");
             fs::create_directories(d / "other");
             fs::create_directory_symlink(d / "other", d / "out/bazi_f");
             (void)o;
         },
         [](CaseStore& db, const TempProgramDir& d) {
             const Status s = db.ExportTo(d / "out");
             EXPECT_TRUE(fs::is_empty(d / "other"));
             return s;
         },
         false},
        {"add over a link at the new report's name",
         [](const TempProgramDir& d, const fs::path& o) { fs::create_symlink(o, d / "bazi_f/1.rtf"); },
         [](CaseStore& db, const TempProgramDir& d) {
             CaseRecord r = MakeCase("新", 1990, true, "类");
             const Status s = db.AddCase(&r, ReportOf("new"));
             EXPECT_EQ(r.slot, 1);
             EXPECT_FALSE(fs::is_symlink(d / "bazi_f/1.rtf"));
             return s;
         },
         true},
        {"report saved with a link at the old temporary name",
         [](const TempProgramDir& d, const fs::path& o) {
             fs::create_symlink(o, d / ("bazi_f/0.rtf.tmp" + std::to_string(::getpid())));
         },
         [](CaseStore&, const TempProgramDir& d) { return SaveReportFile(d / "bazi_f/0.rtf", ReportOf("saved")); },
         true},
        {"clear with a link among the reports",
         [](const TempProgramDir& d, const fs::path& o) { fs::create_symlink(o, d / "bazi_f/8.rtf"); },
         [](CaseStore& db, const TempProgramDir& d) {
             const Status s = db.ClearAll();
             EXPECT_FALSE(fs::exists(fs::symlink_status(d / "bazi_f/8.rtf")));
             return s;
         },
         true},
        {"a data file that is a link",
         [](const TempProgramDir& d, const fs::path& o) {
             fs::copy_file(d / "dat/bazi0.dat", o, fs::copy_options::overwrite_existing);
             fs::remove(d / "dat/bazi0.dat");
             fs::create_symlink(o, d / "dat/bazi0.dat");
         },
         [](CaseStore& db, const TempProgramDir&) {
             CaseRecord r = MakeCase("新", 1990, true, "类");
             return db.AddRecord(&r);
         },
         false},
        {"import of a history with linked files",
         [](const TempProgramDir& d, const fs::path& o) {
             fs::create_directories(d / "history");
             fs::copy_file(d / "dat/bazi0.dat", d / "history/real0.dat");
             fs::create_symlink(d / "history/real0.dat", d / "history/bazi0.dat");
             (void)o;
         },
         [](CaseStore& db, const TempProgramDir& d) { return db.ImportFrom(d / "history/bazi0.dat"); }, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        TempProgramDir dir("links");
        CaseStore db;
        ASSERT_TRUE(db.Open(dir.path()).ok());
        CaseRecord r = MakeCase("张三", 1990, true, "类");
        ASSERT_TRUE(db.AddCase(&r, ReportOf("zero")).ok());
        const fs::path outside = dir / "elsewhere/outside.bin";
        fs::create_directories(outside.parent_path());
        WriteAll(outside, "outside");
        c.plant(dir, outside);
        const std::string outsideBefore = ReadAll(outside);
        const Status s = c.op(db, dir);
        EXPECT_EQ(s.ok(), c.succeeds) << s.message();
        EXPECT_EQ(ReadAll(outside), outsideBefore);
        EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(outside)));
        for (const auto& e : fs::directory_iterator(outside.parent_path())) {
            EXPECT_EQ(e.path(), outside) << "written through a link: " << e.path();
        }
    }
}

// The pid of a process that has ended.
pid_t DeadPid() {
    const pid_t child = ::fork();
    if (child == 0) ::_exit(0);
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

// Temporary files of processes that died are removed by Open (from dat/)
// and by ClearAll (from bazi_f/ as well); those of running processes and
// files that only look alike stay.
TEST(LeftoverTemps, OfDeadProcessesAreRemoved) {
    const std::string dead = std::to_string(DeadPid()), alive = std::to_string(::getpid());
    const struct {
        std::string name;
        bool removed;
    } kCases[] = {
        {".tessaly-tmp." + dead + ".1a2b3c4d", true},
        {"bzinit.ini.tmp" + dead, true},
        {"bzinit.ini.tmp" + dead + "-k3x9q1", true},
        {"bazi0.dat.tmp" + dead, true},
        {".tessaly-tmp." + alive + ".1a2b3c4d", false},
        {"bzinit.ini.tmp" + alive + "-k3x9q1", false},
        {"notes.tmp" + dead, false},               // not a file of the program's kinds
        {"bzinit.ini.tmp" + dead + "-k3", false},  // not such a suffix
        {"bzinit.ini.tmp", false},
    };
    TempProgramDir dir("temps");
    fs::create_directories(dir / "bazi_f");
    for (const auto& c : kCases) {
        WriteAll(dir / "dat" / c.name, "x");
        WriteAll(dir / "bazi_f" / c.name, "x");
    }
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsDeadTempName(c.name), c.removed);
        EXPECT_NE(fs::exists(dir / "dat" / c.name), c.removed);
        EXPECT_TRUE(fs::exists(dir / "bazi_f" / c.name));  // Open does not list the report folder
    }
    ASSERT_TRUE(db.ClearAll().ok());
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.name);
        EXPECT_NE(fs::exists(dir / "bazi_f" / c.name), c.removed);
    }
}

// A private store stays private: what replaces a file keeps its mode, new
// store files take the header's, an export keeps the source's.
TEST(Modes, AreKeptThroughAddExportImportAndClear) {
    TempProgramDir dir("modes");
    CaseStore db;
    ASSERT_TRUE(db.Open(dir.path()).ok());
    fs::permissions(dir / "dat/bazi0.dat", fs::perms::owner_read | fs::perms::owner_write);
    CaseRecord r = MakeCase("张三", 1990, true, "类");
    ASSERT_TRUE(db.AddCase(&r, ReportOf("zero")).ok());
    EXPECT_EQ(ModeOfFile(dir / "bazi_f/0.rtf"), 0600u);
    ASSERT_TRUE(db.WriteCase(0, r, ReportOf("rewritten")).ok());
    EXPECT_EQ(ModeOfFile(dir / "bazi_f/0.rtf"), 0600u);
    ASSERT_TRUE(db.ExportTo(dir / "out").ok());
    EXPECT_EQ(ModeOfFile(dir / "out/bazi0.dat"), 0600u);
    EXPECT_EQ(ModeOfFile(dir / "out/bazi_f/0.rtf"), 0600u);
    ASSERT_TRUE(db.ImportFrom(dir / "out/bazi0.dat").ok());
    EXPECT_EQ(ModeOfFile(dir / "dat/bazi0.dat"), 0600u);
    EXPECT_EQ(ModeOfFile(dir / "bazi_f/0.rtf"), 0600u);
    ASSERT_TRUE(db.ClearAll().ok());
    EXPECT_EQ(ModeOfFile(dir / "dat/bazi0.dat"), 0600u);
    // Settings and reports saved outside the store keep their mode too.
    WriteAll(dir / "dat/bzinit.ini", "[classes]\r\n");
    fs::permissions(dir / "dat/bzinit.ini", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(WriteFileAtomically(dir / "dat/bzinit.ini", "[classes]\r\ncount=0\r\n").ok());
    EXPECT_EQ(ModeOfFile(dir / "dat/bzinit.ini"), 0600u);
}

}  // namespace
}  // namespace tessaly
