// tessaly-cli cases move, edit, categories and rename-category, run as a
// program against a program folder of our own.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_test_util.h"
#include "store/store_test_util.h"
#include "test_paths.h"

namespace {
namespace fs = std::filesystem;
using tessaly::test::ReadAll;
using tessaly::test::Snapshot;
using tessaly::test::WriteAll;
using tessaly::testing_cli::CliResult;
using tessaly::testing_cli::RunCli;

class CaseEditCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tessaly_case_edit_cli_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_ / "dat");
        fs::copy_file(tessaly::testing_paths::SourceDir() / "data/dat/dili.ini", home_ / "dat/dili.ini");
        // The category list: 同事, abc (GBK, CR LF).
        std::ofstream(home_ / "dat/bzinit.ini", std::ios::binary)
            << "[classes]\r\ncount=2\r\n1=\xCD\xAC\xCA\xC2\r\n2=abc\r\n";
        for (const auto& [name, category] : std::vector<std::pair<std::string, std::string>>{
                 {"张三", "同事"}, {"王五", "ABC"}, {"张飞", "abc"}, {"赵六", "同事"}}) {
            const CliResult r =
                Cases({"add", "--a", "name=" + name + ";sex=M;date=1990-05-12 08:30;prov=1;city=0", "--b",
                       "name=李四;sex=F;date=1992-03-04 10:00", "--category", category, "--note", "备注"});
            ASSERT_EQ(r.status, 0) << r.err;
        }
        ASSERT_EQ(Cases({"delete", "3"}).status, 0);
    }
    void TearDown() override { fs::remove_all(home_); }

    CliResult Cases(std::vector<std::string> args, const std::string& locale = tessaly::testing_cli::kTestLocale) {
        args.insert(args.begin(), "cases");
        return RunCli(args, home_, locale);
    }
    std::string Show(int slot) { return Cases({"show", std::to_string(slot), "--json"}).out; }
    fs::path home_;
};

TEST_F(CaseEditCommandTest, Move) {
    CliResult r = Cases({"move", "0", "客户"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "moved slot 0 from 同事 to 客户: 张三  公1990-5-12|0\n");
    EXPECT_NE(Show(0).find("\"category\":\"客户\""), std::string::npos);
    r = Cases({"list"});
    EXPECT_EQ(r.out,
              "命例\n  客户\n    张三  公1990-5-12|0\n  ABC\n    王五  公1990-5-12|1\n    张飞  公1990-5-12|2\n");
}

TEST_F(CaseEditCommandTest, Edit) {
    CliResult r = Cases(
        {"edit", "0", "--a", "name=张四;date=2023-2-29 23:59;cal=lunar;leap=1;sex=F", "--note", "第一行\n第二行"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "edited slot 0: 张四  农闰2023-2-29|0\n"
              "  name: 张三 -> 张四\n"
              "  sex: male -> female\n"
              "  birth: gregorian 1990-5-12 08:30 -> lunar leap 2023-2-29 23:59\n"
              "  note: changed\n");
    const std::string json = Show(0);
    EXPECT_NE(json.find("\"note\":\"第一行\\r\\n第二行\""), std::string::npos) << json;
    EXPECT_NE(json.find("\"name\":\"张四\",\"male\":false,\"year\":2023,\"month\":2,\"day\":29"), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"place\":\"北京市-北京\""), std::string::npos) << json;  // place unchanged

    // A new city: the coordinates and the place text follow it.
    r = Cases({"edit", "0", "--a", "prov=未知地"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  place: 北京市-北京 (province 1, city 0; "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("-> 未知地 (province 34, city 0; 120.0000, 30.0000)\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("name:"), std::string::npos) << r.out;  // only what changed

    r = Cases({"edit", "1", "--note", "新备注"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "edited slot 1: 王五  公1990-5-12|1\n  note: changed\n");
}

// A time read from the clock of the birth place is converted as match does
// it: the record keeps standard time, the case shows the entry beside it,
// and its report is made anew.
TEST_F(CaseEditCommandTest, EditConvertsAClockTimeAndMakesTheReportAnew) {
    const std::string report0 = tessaly::test::ReadAll(home_ / "bazi_f/0.rtf");
    CliResult r = Cases({"edit", "0", "--a", "date=1990-05-12 08:30;tz=America/New_York;clock=civil"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "edited slot 0: 张三  公1990-5-12|0\n"
              "  birth: gregorian 1990-5-12 08:30 -> gregorian 1990-5-12 08:30 当地钟表 America/New_York\n"
              "  stored as Beijing time 1990-5-12 20:30\n");
    EXPECT_NE(tessaly::test::ReadAll(home_ / "bazi_f/0.rtf"), report0);
    const CliResult show = Cases({"show", "0"});
    EXPECT_NE(show.out.find("  birth: gregorian 1990-5-12 20:30\n"
                            "  entered: 1990-05-12 08:30 当地钟表 America/New_York（夏令时）→ 北京时间 20:30\n"),
              std::string::npos)
        << show.out;
    // Summer time of China on a Beijing-time entry, read as its clock.
    r = Cases({"edit", "1", "--a", "clock=civil"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(Cases({"show", "1"}).out.find("  birth: gregorian 1990-5-12 07:30\n"), std::string::npos);
}

TEST_F(CaseEditCommandTest, CategoriesAndRename) {
    CliResult r = Cases({"categories"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "同事\nabc\n");

    const auto generation = [&] {
        return fs::exists(home_ / "dat/bazi.generation")
                   ? std::stoull(tessaly::test::ReadAll(home_ / "dat/bazi.generation"))
                   : 0ull;
    };
    const unsigned long long before = generation();
    r = Cases({"rename-category", "ABC", "朋友"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "renamed category ABC to 朋友: 2 case(s) (slots 1, 2); the category list entry renamed\n");
    EXPECT_EQ(generation(), before + 1);  // a change like any other
    EXPECT_EQ(Cases({"categories"}).out, "同事\n朋友\n");
    EXPECT_EQ(Cases({"list"}).out,
              "命例\n  同事\n    张三  公1990-5-12|0\n  朋友\n    王五  公1990-5-12|1\n    张飞  公1990-5-12|2\n");
}

TEST_F(CaseEditCommandTest, RefusalsExitOneAndChangeNothing) {
    const auto before = Snapshot(home_);
    const struct {
        std::vector<std::string> args;
        const char* message;
    } kCases[] = {
        {{"move", "3", "客户"}, "第 3 号命例已经删除了"},
        {{"move", "9", "客户"}, "没有第 9 号命例（命例库共有 4 个记录位置）"},
        {{"move", "0", "七个汉字就太长了"}, "类别名不能为空，并且最多可以有6个汉字！"},
        {{"move", "0", "  "}, "类别名不能为空"},
        {{"edit", "3", "--note", "x"}, "第 3 号命例已经删除了"},
        {{"edit", "9", "--note", "x"}, "没有第 9 号命例（命例库共有 4 个记录位置）"},
        {{"edit", "0", "--note", ""}, "附加信息不能为空"},
        {{"edit", "0", "--a", "name=六个汉字太长"}, "name"},
        {{"edit", "0", "--a", "date=-851-1-1 00:00"}, "年份必须在-850到2100年之间"},
        {{"edit", "0", "--a", "prov=福建省;city=没有这个城市"}, "city"},
        {{"edit", "0", "--a", "date=1990-02-30 08:30"}, "不存在这个日期：1990年2月只有28天"},
        {{"edit", "0", "--a", "date=1984-05-10 08:30;cal=lunar;leap=1"},
         "不存在这个农历日期：农历1984年没有闰五月（这一年闰十月）"},
        {{"edit", "0", "--a", "date=1988-04-17 02:30;clock=civil"}, "--a：请用 dst=1（夏令时）或 dst=0（标准时间）"},
        {{"rename-category", "同事", "同事"}, "已有这个类别了，请另起一个名称！"},
        {{"rename-category", "同事", "ABC"}, "已有这个类别了，请另起一个名称！"},
        {{"rename-category", "没有", "新名"}, "没有命例属于类别“没有”，类别列表里也没有它"},
        {{"rename-category", "同事", "七个汉字就太长了"}, "类别名不能为空"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        const CliResult r = Cases(c.args, "zh_CN.UTF-8");  // the core's refusals as written
        EXPECT_EQ(r.status, 1) << r.out;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Snapshot(home_), before);
    }
}

// A text that lands in a file is refused when it holds a control
// character: a line break in a category name would start a line of
// dat/bzinit.ini of its own, an escape sequence would act on a terminal
// when the case is listed.
TEST_F(CaseEditCommandTest, ControlCharactersInTextsAreRefused) {
    const auto before = Snapshot(home_);
    const std::string a = "name=张三;sex=M;date=1990-05-12 08:30", b = "name=李四;sex=F;date=1992-03-04 10:00";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } kCases[] = {
        {{"move", "0", "a\tb"}, 1, "类别名称：不能含有控制字符"},
        {{"move", "0", "\x1b[31m"}, 1, "类别名称：不能含有控制字符"},
        {{"move", "0", "a\x7f"}, 1, "类别名称：不能含有控制字符"},
        {{"move", "0",
          "a\xc2\x9b"
          "31m"},
         1,
         "类别名称：不能含有控制字符"},  // the one-character CSI
        {{"rename-category", "同事", "a\ncount=0"}, 1, "类别名称：不能含有控制字符"},
        {{"rename-category", "同事", "\x1b]0;x\x07"}, 1, "类别名称：不能含有控制字符"},
        {{"edit", "0", "--note", "a\x1b[2Jb"}, 1, "附加信息：除换行外不能含有控制字符"},
        {{"edit", "0", "--a", "name=\x1b[2J"}, 1, "name: must not hold control characters"},
        {{"add", "--a", "name=x\x1b[5m;sex=M;date=1990-05-12 08:30", "--b", b, "--category", "c", "--note", "n"},
         2,
         "name: must not hold control characters"},
        {{"add", "--a", a, "--b", b, "--category", "a\x1b", "--note", "n"}, 2, "--category: must not hold control"},
        {{"add", "--a", a, "--b", b, "--category", "c", "--note", "a\x1b[2Jb"}, 2, "--note: must not hold control"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const CliResult r = Cases(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << r.err;
        EXPECT_EQ(Snapshot(home_), before);
    }
    EXPECT_EQ(ReadAll(home_ / "dat/bzinit.ini"), "[classes]\r\ncount=2\r\n1=\xCD\xAC\xCA\xC2\r\n2=abc\r\n");
}

// A stored text holding control characters (from an older store, or put
// there by hand) is printed with them written out; line breaks of a note
// stay line breaks.
TEST_F(CaseEditCommandTest, StoredControlCharactersArePrintedWrittenOut) {
    std::string file = ReadAll(home_ / "dat/bazi0.dat");
    file.replace(20 + 5, 12, std::string("\x1b[31m\xba\xec", 7) + std::string(5, '\0'));  // the name: ESC [31m 红
    file.replace(20 + 17, 4, std::string("a\tb\0", 4));                                   // the category
    file.replace(20 + 60, 11, std::string("x\x1b[2Jy\r\nz\x07\0", 11));                   // the note
    WriteAll(home_ / "dat/bazi0.dat", file);

    CliResult r = Cases({"list"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("  a\\tb\n    \\e[31m红  公1990-5-12|0\n"), std::string::npos) << r.out;
    r = Cases({"search", "--name", "[31m"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "命例\n  a\\tb\n    \\e[31m红  公1990-5-12|0\n");
    r = Cases({"show", "0"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* shown : {"category: a\\tb\n", "node: \\e[31m红  公1990-5-12|0\n", "  name: \\e[31m红\n",
                              "note:\nx\\e[2Jy\r\nz\\a\n"}) {
        EXPECT_NE(r.out.find(shown), std::string::npos) << shown << " in " << r.out;
    }
    r = Cases({"show", "0", "--json"});
    EXPECT_NE(r.out.find("\"name\":\"\\u001b[31m红\""), std::string::npos) << r.out;
    r = Cases({"move", "0", "客户"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "moved slot 0 from a\\tb to 客户: \\e[31m红  公1990-5-12|0\n");
    r = Cases({"edit", "0", "--note", "新的"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("edited slot 0: \\e[31m红  公1990-5-12|0\n", 0), 0u) << r.out;
    for (const auto& args : std::vector<std::vector<std::string>>{{"list"}, {"show", "0"}, {"categories"}}) {
        const CliResult all = Cases(args);
        EXPECT_EQ(all.out.find('\x1b'), std::string::npos) << all.out;
        EXPECT_EQ(all.out.find('\t'), std::string::npos) << all.out;
    }
}

TEST_F(CaseEditCommandTest, ArgumentErrorsExitTwo) {
    const std::vector<std::vector<std::string>> kCases = {
        {"move"},
        {"move", "0"},
        {"move", "x", "客户"},
        {"move", "0", "a", "b"},
        {"edit", "0"},  // nothing to change
        {"edit", "-1", "--note", "x"},
        {"edit", "0", "--b", "name=x"},
        {"edit", "0", "--a", "lon=120"},
        {"edit", "0", "--note"},
        {"categories", "x"},
        {"rename-category", "同事"},
    };
    for (const auto& args : kCases) {
        SCOPED_TRACE(args.size() > 1 ? args[0] + " " + args[1] : args[0]);
        const CliResult r = Cases(args);
        EXPECT_EQ(r.status, 2) << r.out;
        EXPECT_FALSE(r.err.empty());
    }
}

}  // namespace

namespace {

// A change based on what `cases show` printed: the digest it shows is the
// basis of --expect; once the case changed, edit, move and delete with the
// old digest are refused (status 1) and nothing changes; with the current
// one they go through. Another case's change is no reason to refuse.
TEST_F(CaseEditCommandTest, ExpectRefusesAChangeBasedOnAnOldShow) {
    const auto digestOf = [&](int slot) {
        const std::string out = Cases({"show", std::to_string(slot)}).out;
        const std::size_t at = out.find("\ndigest: ");
        return at == std::string::npos ? std::string() : out.substr(at + 9, 16);
    };
    const std::string seen = digestOf(0);
    ASSERT_EQ(seen.size(), 16u);
    EXPECT_NE(Show(0).find("\"digest\":\"" + seen + "\""), std::string::npos);
    ASSERT_EQ(Cases({"edit", "1", "--note", "别的命例"}).status, 0);
    EXPECT_EQ(digestOf(0), seen);  // another case changed: not this one
    ASSERT_EQ(Cases({"edit", "0", "--note", "别处改的"}).status, 0);
    const std::string now = digestOf(0);
    EXPECT_NE(now, seen);

    const auto files = Snapshot(home_);
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"edit", "0", "--note", "晚了", "--expect", seen},
             {"move", "0", "客户", "--expect", seen},
             {"delete", "0", "--expect", seen},
         }) {
        SCOPED_TRACE(args[0]);
        const CliResult r = Cases(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "tessaly-cli: 命例已被其他程序修改，请重新查看\n");
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Snapshot(home_), files);
    }
    EXPECT_EQ(Cases({"delete", "0", "--expect", "xyz"}).status, 2);
    CliResult r = Cases({"move", "0", "客户", "--expect", now});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Cases({"edit", "0", "--note", "新的", "--expect", digestOf(0)});
    ASSERT_EQ(r.status, 0) << r.err;
    r = Cases({"delete", "0", "--expect", digestOf(0)});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "deleted slot 0\n");
}

}  // namespace
