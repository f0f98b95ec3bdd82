// Checks of what tessaly-cli is given: persons (coordinates, names, the
// clipboard line, places), case texts, text encodings; and what cases show
// says of a report it cannot find or read.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "cli_test_util.h"
#include "test_paths.h"

namespace {
namespace fs = std::filesystem;
using tessaly::testing_cli::CliResult;
using tessaly::testing_cli::RunCli;

const std::string kB = "name=乙;sex=F;date=1992-11-03 21:10";

class ArgumentChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() / ("tessaly_args_cli_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_ / "dat");
        fs::copy_file(tessaly::testing_paths::BuildDir() / "dat/dili.ini", home_ / "dat/dili.ini");
    }
    void TearDown() override { fs::remove_all(home_); }
    CliResult Match(const std::string& a) { return RunCli({"match", "--a", a, "--b", kB}, home_); }
    fs::path home_;
};

TEST_F(ArgumentChecksTest, BadPersonsExitTwoNamingTheKey) {
    const struct {
        std::string person;
        const char* mentions;
    } kCases[] = {
        {"sex=M;date=1990-05-12 08:30;lon=nan;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=inf;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=-Infinity;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=0x1p4;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=1e2;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=116.4;lat=NaN", "lat"},
        {"sex=M;date=1990-05-12 08:30;lon=1.2.3;lat=30", "lon"},
        {"sex=M;date=1990-05-12 08:30;lon=.;lat=30", "lon"},
        {"name=甲\x01;sex=M;date=1990-05-12 08:30", "control characters"},
        {"name=甲\u0085;sex=M;date=1990-05-12 08:30", "control characters"},
        {"orvane_mingli_data#1984 5 10 8 30 1#2#某人#0 3", "sex field"},
        {"orvane_mingli_data#1984 5 10 8 30 1#男#某人#0 3", "sex field"},
        {"name=\xFF;sex=M;date=1990-05-12 08:30", "UTF-8"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.person);
        const CliResult r = Match(c.person);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    for (const char* good :
         {"sex=M;date=1990-05-12 08:30;lon=116.4;lat=39.9", "sex=M;date=1990-05-12 08:30;lon=-0.5;lat=+.5",
          "orvane_mingli_data#1984 5 10 8 30 1#0#某人#0 3", "orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3"}) {
        SCOPED_TRACE(good);
        EXPECT_EQ(Match(good).status, 0);
    }
}

// A province needs its cities: without dat/dili.ini, or without the
// province in it, prov= is refused instead of quietly placing the birth at
// the default coordinates.
TEST_F(ArgumentChecksTest, PlacesNeedTheirCities) {
    const std::string person = "sex=M;date=1990-05-12 08:30;prov=北京市;city=0";
    ASSERT_EQ(Match(person).status, 0);
    std::ofstream(home_ / "dat/dili.ini", std::ios::binary | std::ios::trunc)
        << "[\xC9\xCF\xBA\xA3\xCA\xD0]\r\na=121:28*31:14\r\n";
    CliResult r = Match(person);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("lists no cities for 北京市"), std::string::npos) << r.err;
    fs::remove(home_ / "dat/dili.ini");
    r = Match(person);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("dili.ini is missing"), std::string::npos) << r.err;
    r = RunCli({"match", "--a", "orvane_mingli_data#1984 5 10 8 30 1#1#某人#0 3", "--b", kB}, home_);
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("dili.ini is missing"), std::string::npos) << r.err;
    EXPECT_EQ(Match("sex=M;date=1990-05-12 08:30;prov=未知地").status, 0);
}

TEST_F(ArgumentChecksTest, CaseTextsRefuseControlsAndTextGbkCannotHold) {
    const auto add = [&](const std::string& category, const std::string& note) {
        return RunCli({"cases", "add", "--a", "name=甲;sex=M;date=1990-05-12 08:30", "--b", kB, "--category", category,
                       "--note", note},
                      home_);
    };
    const struct {
        std::string category, note;
        const char* mentions;
    } kCases[] = {
        {"同\t事", "备注", "--category: must not hold control characters"},
        {"同事", "备\a注", "--note: must not hold control characters"},
        {"同事", "备注\x1B[31m", "--note: must not hold control characters"},
        {"笑\xF0\x9F\x98\x80", "备注", "--category: the store holds GBK text"},
        {"同事", "\xF0\x9F\x98\x80", "--note: the store holds GBK text"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const CliResult r = add(c.category, c.note);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    EXPECT_FALSE(fs::exists(home_ / "dat/bazi0.dat") && fs::file_size(home_ / "dat/bazi0.dat") > 20);
    ASSERT_EQ(add("同事", "第一行\r\n第二行").status, 0);  // notes keep their line breaks
    const CliResult shown = RunCli({"cases", "show", "0", "--json"}, home_);
    EXPECT_NE(shown.out.find("\"note\":\"第一行\\r\\n第二行\""), std::string::npos) << shown.out;
    for (const char* option : {"--name", "--category"}) {
        SCOPED_TRACE(option);
        const CliResult r = RunCli({"cases", "search", option, "\xF0\x9F\x98\x80"}, home_);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find("GBK"), std::string::npos) << r.err;
    }
}

// The report of a shown case is missing or cannot be read: the case is
// shown as before, with a warning.
TEST_F(ArgumentChecksTest, ShowWarnsOfAReportItCannotUse) {
    ASSERT_EQ(RunCli({"cases", "add", "--a", "name=甲;sex=M;date=1990-05-12 08:30", "--b", kB, "--category", "类",
                      "--note", "备注"},
                     home_)
                  .status,
              0);
    CliResult r = RunCli({"cases", "show", "0"}, home_);
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    // The case's digest follows its report; the rest of what is shown stays.
    const auto withoutDigest = [](std::string out) {
        const std::size_t at = out.find("\ndigest: ");
        if (at != std::string::npos) out.erase(at, out.find('\n', at + 1) - at);
        return out;
    };
    const std::string shownWithReport = r.out;
    std::ofstream(home_ / "bazi_f/0.rtf", std::ios::trunc) << "{\\rtf1 {{{ not closed";
    r = RunCli({"cases", "show", "0"}, home_);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out, shownWithReport);
    EXPECT_EQ(withoutDigest(r.out), withoutDigest(shownWithReport));
    // The reason is the RTF reader's, which the message table does not put
    // into English: the warning is Chinese whole.
    EXPECT_NE(r.err.find("警告：第 0 号命例的命稿无法读取：" + (home_ / "bazi_f/0.rtf").string() + "：RTF"),
              std::string::npos)
        << r.err;
    fs::remove(home_ / "bazi_f/0.rtf");
    r = RunCli({"cases", "show", "0", "--json"}, home_);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("\"report\":\"\""), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("warning: the report of slot 0"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("is missing"), std::string::npos) << r.err;
}

}  // namespace
