// tessaly-cli cases, run as a program against a program folder of our own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "cli_test_util.h"

namespace {
namespace fs = std::filesystem;
using tessaly::testing_cli::CliResult;
using tessaly::testing_cli::RunCli;

class CasesCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tessaly_cases_cli_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_ / "dat");
    }
    void TearDown() override { fs::remove_all(home_); }

    CliResult Cases(std::vector<std::string> args, const fs::path& home = {}) {
        args.insert(args.begin(), "cases");
        return RunCli(args, home.empty() ? home_ : home);
    }
    void AddCase(const std::string& nameA, const std::string& category) {
        const CliResult r = Cases({"add", "--a", "name=" + nameA + ";sex=M;date=1990-05-12 08:30", "--b",
                                   "name=李四;sex=F;date=1992-03-04 10:00", "--category", category, "--note", "备注"});
        ASSERT_EQ(r.status, 0) << r.err;
    }
    fs::path home_;
};

TEST_F(CasesCommandTest, AddListShowSearchDelete) {
    AddCase("张三", "同事");
    AddCase("王五", "ABC");
    AddCase("张飞", "abc");
    EXPECT_TRUE(fs::is_regular_file(home_ / "bazi_f/0.rtf"));

    CliResult r = Cases({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "命例\n  同事\n    张三  公1990-5-12|0\n  ABC\n    王五  公1990-5-12|1\n    张飞  公1990-5-12|2\n");

    r = Cases({"show", "2", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"slot\":2,\"category\":\"abc\",\"note\":\"备注\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"name\":\"张飞\",\"male\":true,\"year\":1990"), std::string::npos) << r.out;

    r = Cases({"search", "--name", "张", "--category-exact", "abc"});  // the store compares bytes
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "命例\n  abc\n    张飞  公1990-5-12|2\n");

    r = Cases({"delete", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_FALSE(fs::exists(home_ / "bazi_f/0.rtf"));
    EXPECT_EQ(Cases({"delete", "0"}).status, 1);  // already deleted
    EXPECT_EQ(Cases({"show", "0"}).status, 1);
    EXPECT_EQ(Cases({"show", "9"}).status, 1);
}

// show looks at the report without reading a large one whole: the same
// lines for a report of any size, a warning for a missing or unreadable one.
TEST_F(CasesCommandTest, ShowNamesTheReportAndWarnsOfAMissingOrBadOne) {
    AddCase("张三", "同事");
    const fs::path report = home_ / "bazi_f/0.rtf";
    const CliResult sound = Cases({"show", "0"});
    ASSERT_EQ(sound.status, 0) << sound.err;
    EXPECT_EQ(sound.err, "");
    EXPECT_NE(sound.out.find("\nreport: " + report.string() + "\n"), std::string::npos) << sound.out;

    const struct {
        const char* what;
        std::function<void()> make;
        bool warned;  // a warning naming the report
    } kReports[] = {
        {"larger than is read to look at it", [&] { fs::resize_file(report, (std::uintmax_t(16) << 20) + 1); }, false},
        {"neither RTF nor text", [&] { std::ofstream(report, std::ios::binary) << "\xFF\xFF\xFF"; }, true},
        {"missing", [&] { fs::remove(report); }, true},
    };
    for (const auto& k : kReports) {
        SCOPED_TRACE(k.what);
        k.make();
        const CliResult r = Cases({"show", "0"});
        ASSERT_EQ(r.status, 0) << r.err;
        if (!k.warned) {
            EXPECT_EQ(r.err, "");
            // The same lines but the digest, which covers the report's bytes.
            const auto withoutDigest = [](std::string out) {
                const std::size_t at = out.find("digest: ");
                return out.erase(at, out.find('\n', at) - at);
            };
            EXPECT_EQ(withoutDigest(r.out), withoutDigest(sound.out));
        } else {
            EXPECT_NE(r.err.find(report.string()), std::string::npos) << r.err;
        }
    }
}

// A change made and then not printed (standard output full) is a warning
// that the change stands, with exit 0: a script must not make it again.
TEST_F(CasesCommandTest, AChangeMadeButNotPrintedStandsWithExitZero) {
    AddCase("张三", "同事");
    const struct {
        const char* line;
        bool changes;
    } kRuns[] = {
        {"cases add --a 'name=王五;sex=M;date=1990-05-12 08:30' --b 'name=李四;sex=F;date=1992-03-04 10:00' "
         "--category 同事 --note 备注",
         true},
        {"cases move 0 朋友", true},
        {"cases rename-category 朋友 亲戚", true},
        {"cases delete 1", true},
        {"cases repair", false},  // nothing to mend: nothing changed
        {"cases list", false},
    };
    for (const auto& run : kRuns) {
        SCOPED_TRACE(run.line);
        const CliResult r = tessaly::testing_cli::RunCliLine(std::string(run.line) + " >/dev/full", home_);
        if (run.changes) {
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_NE(r.err.find("warning: cannot write the output: "), std::string::npos) << r.err;
            EXPECT_NE(r.err.find("the change of the store stands"), std::string::npos) << r.err;
        } else {
            EXPECT_EQ(r.status, 1) << r.err;
            EXPECT_EQ(r.err.find("stands"), std::string::npos) << r.err;
        }
    }
    EXPECT_EQ(Cases({"list"}).out, "命例\n  亲戚\n    张三  公1990-5-12|0\n");
}

TEST_F(CasesCommandTest, ArgumentErrorsExitTwo) {
    const std::vector<std::vector<std::string>> kCases = {
        {},
        {"frobnicate"},
        {"show"},
        {"show", "x"},
        {"delete", "-1"},
        {"clear"},
        {"search", "--sex", "maybe"},
        {"search", "--years", "0..1990"},
        {"add", "--a", "name=甲;sex=M;date=1990-01-01 00:00", "--b", "name=乙;sex=F;date=1991-01-01 00:00", "--note",
         "n"},  // no category
        {"add", "--a", "name=甲;sex=M;date=1990-01-01 00:00", "--b", "name=乙;sex=F;date=1991-01-01 00:00",
         "--category", "七个汉字太长了", "--note", "n"},
    };
    for (const auto& args : kCases) {
        SCOPED_TRACE(args.empty() ? std::string("(none)") : args[0]);
        const CliResult r = Cases(args);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_FALSE(r.err.empty());
    }
}

TEST_F(CasesCommandTest, ExportImportAndClear) {
    AddCase("张三", "同事");
    const fs::path out = home_ / "export";
    ASSERT_EQ(Cases({"export", out.string()}).status, 0);
    EXPECT_TRUE(fs::exists(out / "bazi0.dat"));
    EXPECT_TRUE(fs::exists(out / "bazi_f/0.rtf"));
    EXPECT_EQ(Cases({"export", (home_ / "dat").string()}).status, 1);

    const fs::path other = home_ / "other";
    fs::create_directories(other / "dat");
    std::ofstream(other / "bad.dat") << "not a store";
    fs::copy_file(other / "bad.dat", other / "bazi0.dat");
    EXPECT_EQ(Cases({"import", (other / "bazi0.dat").string()}, other).status, 1);
    ASSERT_EQ(Cases({"import", (out / "bazi0.dat").string()}, other).status, 0);
    CliResult r = Cases({"list"}, other);
    EXPECT_EQ(r.out, "命例\n  同事\n    张三  公1990-5-12|0\n");
    EXPECT_TRUE(fs::exists(other / "bazi_f/0.rtf"));

    ASSERT_EQ(Cases({"clear", "--yes"}).status, 0);
    r = Cases({"list"});
    EXPECT_EQ(r.out, "命例\n");
    EXPECT_EQ(fs::file_size(home_ / "dat/bazi0.dat"), 20u);
    EXPECT_FALSE(fs::exists(home_ / "bazi_f/0.rtf"));
}

// A damaged store is refused with a pointer to repair; repair keeps the
// damaged file and leaves a usable store.
TEST_F(CasesCommandTest, DamagedStoreIsRefusedUntilRepaired) {
    AddCase("张三", "同事");
    AddCase("李四", "同事");
    fs::resize_file(home_ / "dat/bazi0.dat", 20 + 1296 + 7);  // the second record torn
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list"},
          {"delete", "0"},
          {"add", "--a", "name=甲;sex=M;date=1990-01-01 00:00", "--b", "name=乙;sex=F;date=1991-01-01 00:00",
           "--category", "类", "--note", "n"}}) {
        SCOPED_TRACE(args[0]);
        const CliResult r = Cases(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("bazi0.dat"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("cases repair"), std::string::npos) << r.err;
    }
    CliResult r = Cases({"repair"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("1 missing records are deleted records now"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("kept in " + (home_ / "dat/damaged-").string()), std::string::npos) << r.out;
    r = Cases({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "命例\n  同事\n    张三  公1990-5-12|0\n");
    r = Cases({"repair"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "the store needs no repair\n");
    EXPECT_EQ(Cases({"repair", "now"}).status, 2);
}

// An empty header (a crash of an older version while creating the store)
// does not stand in the way of clear, import or repair.
TEST_F(CasesCommandTest, EmptyHeaderCanBeClearedImportedOrRepaired) {
    AddCase("张三", "同事");
    const fs::path out = home_ / "export";
    ASSERT_EQ(Cases({"export", out.string()}).status, 0);
    for (const char* way : {"clear", "import", "repair"}) {
        SCOPED_TRACE(way);
        std::ofstream(home_ / "dat/bazi0.dat", std::ios::trunc).close();
        const CliResult listed = Cases({"list"});
        EXPECT_EQ(listed.status, 1);
        EXPECT_NE(listed.err.find("的文件头已损坏（只有 0 字节，应有 20 字节）；命例库需要修复\n"
                                  "tessaly-cli: 'tessaly-cli cases repair' makes it usable again"),
                  std::string::npos)
            << listed.err;
        const std::string w = way;
        const CliResult r = w == "clear"    ? Cases({"clear", "--yes"})
                            : w == "import" ? Cases({"import", (out / "bazi0.dat").string()})
                                            : Cases({"repair"});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(Cases({"list"}).out, w == "import" ? "命例\n  同事\n    张三  公1990-5-12|0\n" : "命例\n");
    }
}

TEST_F(CasesCommandTest, MissingDatFolderIsRefused) {
    fs::remove_all(home_ / "dat");
    const CliResult r = Cases({"list"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("dat"), std::string::npos) << r.err;
}

}  // namespace
