// tessaly-cli rank: fifty candidates of a fixture ranked exactly as their
// couples' matching runs score them one at a time (tests/data/
// rank_expected.csv holds those indices, taken from "match"), the rows that
// are skipped named by their line, the formats, the reports and the
// arguments.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_test_util.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;
using testing_cli::RunCli;

const std::string kA = "name=张三;sex=M;date=1984-03-08 23:30;prov=北京市;city=0";
const std::string kFixture = std::string(TESSALY_TEST_DATA_DIR) + "/rank_candidates.csv";

std::string ReadFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != '#') lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> f;
    std::istringstream in(line);
    for (std::string x; std::getline(in, x, ',');) f.push_back(x);
    return f;
}

// rank,line,name,index,points of each row of a --csv output.
std::vector<std::string> RankedRows(const std::string& csv) {
    std::vector<std::string> rows;
    const std::vector<std::string> lines = Lines(csv);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string> f = Split(lines[i]);
        rows.push_back(f.at(0) + "," + f.at(1) + "," + f.at(2) + "," + f.at(5) + "," + f.at(6));
    }
    return rows;
}

class TempDir {
public:
    TempDir() {
        static int n = 0;
        path =
            fs::temp_directory_path() / ("tessaly_rank_test_" + std::to_string(::getpid()) + "_" + std::to_string(n++));
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

TEST(RankCommand, RanksTheFixtureAsTheMatchingRunsScoreIt) {
    const std::vector<std::string> want = Lines(ReadFile(fs::path(TESSALY_TEST_DATA_DIR) / "rank_expected.csv"));
    ASSERT_EQ(want.size(), 50u);
    for (const char* jobs : {"1", "3"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        const auto r = RunCli({"rank", "--a", kA, "--candidates", kFixture, "--csv", "--jobs", jobs});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(RankedRows(r.out), want);
    }
    // --top keeps the best.
    const auto top = RunCli({"rank", "--a", kA, "--candidates", kFixture, "--csv", "--top", "5"});
    ASSERT_EQ(top.status, 0) << top.err;
    EXPECT_EQ(RankedRows(top.out), std::vector<std::string>(want.begin(), want.begin() + 5));
}

TEST(RankCommand, NamesEverySkippedRowByItsLine) {
    const auto r = RunCli({"rank", "--a", kA, "--candidates", kFixture});
    ASSERT_EQ(r.status, 0) << r.err;
    const char* kSkipped[] = {
        "column 'note' is no PERSON key; ignored",
        "line 9: the date does not exist; skipped",
        "line 16: same sex as --a (M); --any-sex matches such rows too; skipped",
        "line 24: date: month 13 is not 1..12; skipped",
        // A refusal the message table cannot put into English stays Chinese whole.
        "第 31 行：1988-04-17 02:30 这一时刻在中国时间里不存在",
        "（请用 dst=1（夏令时）或 dst=0（标准时间）选定这个时间的读法）；已跳过",
        "line 41: same sex as --a (M)",
        "line 46: a quoted field is not closed; skipped",
    };
    for (const char* s : kSkipped) EXPECT_NE(r.err.find(s), std::string::npos) << s << "\n" << r.err;
    EXPECT_EQ(r.err.find("\r"), std::string::npos);  // no progress bar: stderr is no terminal
    // The table: A's line, the heading and fifty rows.
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 52u);
    EXPECT_EQ(lines[0], "甲命：张三  男  1984-03-08 23:30  日元太弱");
    EXPECT_NE(lines[2].find("周静霞"), std::string::npos);
    EXPECT_NE(lines[2].find("79  相合"), std::string::npos) << lines[2];

    const auto any = RunCli({"rank", "--a", kA, "--candidates", kFixture, "--csv", "--any-sex"});
    ASSERT_EQ(any.status, 0) << any.err;
    EXPECT_EQ(Lines(any.out).size(), 53u);  // header, 50 and the two men
    EXPECT_EQ(any.err.find("same sex"), std::string::npos);
}

TEST(RankCommand, JsonCountsCandidatesRankedAndSkipped) {
    const auto r = RunCli({"rank", "--a", kA, "--candidates", kFixture, "--json", "--top", "2"});
    ASSERT_EQ(r.status, 0) << r.err;
    const char* kParts[] = {
        R"("a":{"name":"张三","sex":"M","birth":"1984-03-08 23:30","judgement":"太弱"})",
        R"("candidates":56,"ranked":50,"skipped":[{"line":9,"reason":"不存在这个日期"})",
        R"({"rank":1,"line":13,"name":"周静霞","sex":"F","birth":"1973-10-16 21:33","index":79.46)",
        R"("points":79,"years":"相合","judgement_a":"太弱","judgement_b":"太弱"})",
        R"({"rank":2,"line":3,)",
    };
    for (const char* p : kParts) EXPECT_NE(r.out.find(p), std::string::npos) << p << "\n" << r.out.substr(0, 600);
    EXPECT_EQ(r.out.find(R"("rank":3)"), std::string::npos);
}

TEST(RankCommand, ReadsPersonLinesInGbkAndWritesReports) {
    TempDir dir;
    const std::string lines =
        "# one PERSON per line\n"
        "name=李四;sex=F;date=1986-05-06 07:08\r\n"
        "\n"
        "orvane_mingli_data#1985 6 15 12 0 1#0#王五#34 0\n"
        "name=赵六;date=1990-05-12 08:30;tz=America/New_York;clock=civil;lon=-74;lat=40.7;place=美国纽约\n"
        "name=钱七;date=1990-05-12 08:30;tz=America/New_York\n";
    const CodecResult gbk = Utf8ToGbk(lines);
    ASSERT_TRUE(gbk.ok());
    std::ofstream(dir.path / "people.txt", std::ios::binary) << gbk.text;

    const fs::path reports = dir.path / "reports";
    const auto r = RunCli(
        {"rank", "--a", kA, "--candidates", (dir.path / "people.txt").string(), "--csv", "--report", reports.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("line 6: tz: say how the time was read"), std::string::npos) << r.err;
    const std::vector<std::string> rows = Lines(r.out);
    ASSERT_EQ(rows.size(), 4u) << r.out;  // header and three candidates of lines 2, 4 and 5
    EXPECT_NE(r.out.find(",5,赵六,F,1990-05-12 08:30 America/New_York,"), std::string::npos) << r.out;

    // One report per ranked candidate, named by its line: the report's bytes,
    // which "match" prints with a line end after them.
    const struct {
        const char* file;
        std::string b;
    } kReports[] = {
        {"2.txt", "name=李四;sex=F;date=1986-05-06 07:08"},
        {"4.txt", "orvane_mingli_data#1985 6 15 12 0 1#0#王五#34 0"},
        {"5.txt",
         "name=赵六;sex=F;date=1990-05-12 08:30;tz=America/New_York;clock=civil;lon=-74;lat=40.7;place=美国纽约"},
    };
    for (const auto& c : kReports) {
        SCOPED_TRACE(c.file);
        const auto match = RunCli({"match", "--a", kA, "--b", c.b});
        ASSERT_EQ(match.status, 0) << match.err;
        EXPECT_EQ(ReadFile(reports / c.file) + "\r\n", match.out);
    }
    EXPECT_NE(ReadFile(reports / "5.txt").find("(纽约时间 08:30，夏令时)"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(reports), fs::directory_iterator()), 3);
}

TEST(RankCommand, RefusesBadArgumentsAndEmptyRankings) {
    TempDir dir;
    std::ofstream(dir.path / "nodate.csv") << "name,sex\n李四,F\n";
    std::ofstream(dir.path / "binary.csv", std::ios::binary) << "name,date\n\xFF\xFF,1990-01-01\n";
    std::ofstream(dir.path / "allbad.csv") << "name,date\n李四,1990-02-30\n";
    std::ofstream(dir.path / "twice.csv") << "name,date,Name\n李四,1990-02-03,x\n";
    const struct {
        std::vector<std::string> args;
        int status;
        const char* mentions;
    } kCases[] = {
        {{"rank", "--a", kA}, 2, "--candidates FILE is required"},
        {{"rank", "--candidates", kFixture}, 2, "--a PERSON is required"},
        {{"rank", "--a", kA, "--candidates", (dir.path / "none.csv").string()}, 2, "cannot be opened"},
        {{"rank", "--a", kA, "--candidates", kFixture, "--top", "0"}, 2, "--top"},
        {{"rank", "--a", kA, "--candidates", kFixture, "--jobs", "many"}, 2, "--jobs"},
        {{"rank", "--a", kA, "--candidates", kFixture, "--json", "--csv"}, 2, "exclude each other"},
        {{"rank", "--a", kA, "--candidates", kFixture, "--report"}, 2, "--report needs a folder"},
        {{"rank", "--a", kA, "--candidates", kFixture, "extra"}, 2, "unexpected argument 'extra'"},
        {{"rank", "--a", kA, "--candidates", (dir.path / "nodate.csv").string()}, 2, "names no date column"},
        {{"rank", "--a", kA, "--candidates", (dir.path / "binary.csv").string()}, 2, "neither UTF-8 nor GBK"},
        {{"rank", "--a", kA, "--candidates", (dir.path / "twice.csv").string()}, 2, "names 'name' twice"},
        {{"rank", "--a", kA, "--candidates", (dir.path / "allbad.csv").string()}, 1, "no candidate could be ranked"},
        {{"rank", "--a", "name=甲;sex=M;date=1990-02-30 10:00", "--candidates", kFixture},
         1,
         "person A: the date does not exist"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tessaly
