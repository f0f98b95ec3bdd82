// tessaly-cli rank: fifty candidates of a fixture ranked exactly as their
// couples' matching runs score them one at a time (tests/data/
// rank_expected.csv holds those indices, taken from "match"), the rows that
// are skipped named by their line, the formats, the reports and the
// arguments.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/cli_test_util.h"
#include "common/TextCodec.h"
#include "test_paths.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;
using testing_cli::RunCli;

const std::string kRankA = "name=张三;sex=M;date=1984-03-08 23:30;prov=北京市;city=0";
const std::string kFixture = (testing_paths::TestDataDir() / "rank_candidates.csv").string();

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
    const std::vector<std::string> want = Lines(ReadFile(testing_paths::TestDataDir() / "rank_expected.csv"));
    ASSERT_EQ(want.size(), 50u);
    for (const char* jobs : {"1", "3"}) {
        SCOPED_TRACE(std::string("--jobs ") + jobs);
        const auto r = RunCli({"rank", "--a", kRankA, "--candidates", kFixture, "--csv", "--jobs", jobs});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(RankedRows(r.out), want);
    }
    // --top keeps the best.
    const auto top = RunCli({"rank", "--a", kRankA, "--candidates", kFixture, "--csv", "--top", "5"});
    ASSERT_EQ(top.status, 0) << top.err;
    EXPECT_EQ(RankedRows(top.out), std::vector<std::string>(want.begin(), want.begin() + 5));
}

TEST(RankCommand, NamesEverySkippedRowByItsLine) {
    const auto r = RunCli({"rank", "--a", kRankA, "--candidates", kFixture});
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

    const auto any = RunCli({"rank", "--a", kRankA, "--candidates", kFixture, "--csv", "--any-sex"});
    ASSERT_EQ(any.status, 0) << any.err;
    EXPECT_EQ(Lines(any.out).size(), 53u);  // header, 50 and the two men
    EXPECT_EQ(any.err.find("same sex"), std::string::npos);
}

TEST(RankCommand, JsonCountsCandidatesRankedAndSkipped) {
    const auto r = RunCli({"rank", "--a", kRankA, "--candidates", kFixture, "--json", "--top", "2"});
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
    const auto r = RunCli({"rank", "--a", kRankA, "--candidates", (dir.path / "people.txt").string(), "--csv",
                           "--report", reports.string()});
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
        const auto match = RunCli({"match", "--a", kRankA, "--b", c.b});
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
        {{"rank", "--a", kRankA}, 2, "--candidates FILE is required"},
        {{"rank", "--candidates", kFixture}, 2, "--a PERSON is required"},
        {{"rank", "--a", kRankA, "--candidates", (dir.path / "none.csv").string()}, 2, "cannot be opened"},
        {{"rank", "--a", kRankA, "--candidates", kFixture, "--top", "0"}, 2, "--top"},
        {{"rank", "--a", kRankA, "--candidates", kFixture, "--jobs", "many"}, 2, "--jobs"},
        {{"rank", "--a", kRankA, "--candidates", kFixture, "--json", "--csv"}, 2, "exclude each other"},
        {{"rank", "--a", kRankA, "--candidates", kFixture, "--report"}, 2, "--report needs a folder"},
        {{"rank", "--a", kRankA, "--candidates", kFixture, "extra"}, 2, "unexpected argument 'extra'"},
        {{"rank", "--a", kRankA, "--candidates", (dir.path / "nodate.csv").string()}, 2, "names no date column"},
        {{"rank", "--a", kRankA, "--candidates", (dir.path / "binary.csv").string()}, 2, "neither UTF-8 nor GBK"},
        {{"rank", "--a", kRankA, "--candidates", (dir.path / "twice.csv").string()}, 2, "names 'name' twice"},
        {{"rank", "--a", kRankA, "--candidates", (dir.path / "allbad.csv").string()}, 1, "no candidate could be ranked"},
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

// rank_expected.csv against facts found without the ranking: each couple's
// index from "match" (the whole matching run, one couple at a time), the
// points its whole part, and the order by index, then by the name's GBK
// bytes.
TEST(RankExpected, HoldsTheIndicesOfTheMatchRunsInRankingOrder) {
    const std::vector<std::string> fixture = [] {
        std::vector<std::string> lines;
        std::istringstream in(ReadFile(kFixture));
        for (std::string l; std::getline(in, l);) lines.push_back(l);
        return lines;
    }();
    // The fixture's columns; a quoted field may hold a comma.
    const auto fields = [](const std::string& line) {
        std::vector<std::string> f(1);
        bool quoted = false;
        for (const char c : line) {
            if (c == '"') {
                quoted = !quoted;
            } else if (c == ',' && !quoted) {
                f.emplace_back();
            } else {
                f.back() += c;
            }
        }
        return f;
    };
    const std::vector<std::string> header = fields(fixture.at(1));
    double lastIndex = 1e9;
    std::string lastName;
    for (const std::string& row : Lines(ReadFile(testing_paths::TestDataDir() / "rank_expected.csv"))) {
        const std::vector<std::string> want = Split(row);  // rank,line,name,index,points
        SCOPED_TRACE(row);
        const std::vector<std::string> cells = fields(fixture.at(std::stoul(want.at(1)) - 1));
        std::string person;
        for (std::size_t c = 0; c < header.size() && c < cells.size(); ++c) {
            if (cells[c].empty() || header[c] == "note") continue;
            person += (person.empty() ? "" : ";") + header[c] + "=" + cells[c];
        }
        EXPECT_NE(person.find("name=" + want.at(2)), std::string::npos);
        const auto match = RunCli({"match", "--a", kRankA, "--b", person, "--json"});
        ASSERT_EQ(match.status, 0) << match.err;
        const std::size_t at = match.out.find("\"index\":");
        ASSERT_NE(at, std::string::npos);
        const double index = std::strtod(match.out.c_str() + at + 8, nullptr);
        char text[32];
        std::snprintf(text, sizeof text, "%.3f", index);
        EXPECT_EQ(want.at(3), text);
        EXPECT_EQ(std::stoi(want.at(4)), static_cast<int>(index));
        // Best first; an equal index goes by the name in GBK.
        EXPECT_LE(index, lastIndex);
        if (index == lastIndex) {
            EXPECT_LT(Utf8ToGbk(lastName).text, Utf8ToGbk(want.at(2)).text);
        }
        lastIndex = index;
        lastName = want.at(2);
    }
}

// Reports are written beside their name and renamed over it: a link, a pipe
// or a folder already under a report's name is refused, never followed,
// written through or waited on; an earlier report is replaced.
TEST(RankCommand, ReportsNeitherFollowLinksNorWaitOnPipes) {
    TempDir dir;
    const fs::path reports = dir.path / "reports";
    fs::create_directories(reports);
    std::ofstream(dir.path / "outside.txt") << "keep me";
    fs::create_symlink(dir.path / "outside.txt", reports / "13.txt");  // 周静霞, the best
    ASSERT_EQ(::mkfifo((reports / "3.txt").c_str(), 0600), 0);         // 王芳芳, the second
    fs::create_directories(reports / "20.txt");                        // 郭艳艳, the third
    std::ofstream(reports / "4.txt") << "an earlier report";           // 李霞
    const auto r =
        RunCli({"rank", "--a", kRankA, "--candidates", kFixture, "--top", "5", "--report", reports.string()});
    EXPECT_EQ(r.status, 1) << r.err;
    EXPECT_NE(r.err.find("13.txt is a symbolic link"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("3.txt is not a regular file"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("20.txt is not a regular file"), std::string::npos) << r.err;
    EXPECT_EQ(ReadFile(dir.path / "outside.txt"), "keep me");
    EXPECT_TRUE(fs::is_symlink(reports / "13.txt"));
    EXPECT_TRUE(fs::is_fifo(reports / "3.txt"));
    EXPECT_NE(ReadFile(reports / "12.txt").find("甲命八字"), std::string::npos);  // replaced
    for (const auto& e : fs::directory_iterator(reports)) {
        EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
    }
}

// Candidate files the ranking refuses, each with where the fault lies.
TEST(RankCommand, RefusesFoldersLongLinesAndTextInOtherEncodings) {
    TempDir dir;
    fs::create_directories(dir.path / "folder.csv");
    std::ofstream(dir.path / "long.csv") << "name,date\n李四,1990-01-01\n" << std::string(64 * 1024 + 1, 'x') << "\n";
    std::ofstream(dir.path / "fits.csv") << "name,date\n李四,1990-01-01\n" << std::string(64 * 1024, '#') << "\n";
    // 山田花子 and やまだ in Shift-JIS: valid GBK bytes, garbage as GBK.
    std::ofstream(dir.path / "sjis.csv", std::ios::binary)
        << "name,date\n\x8e\x52\x93\x63\x89\xd4\x8e\x71,1990-01-01\n\x82\xe2\x82\xdc\x82\xbe,1991-02-03\n";
    // GBK with traditional and rare characters stays GBK: 陳國華, 王喆.
    std::ofstream(dir.path / "gbk.csv", std::ios::binary) << "name,date\n"
                                                          << Utf8ToGbk("陳國華").text << ",1990-01-01\n"
                                                          << Utf8ToGbk("王喆").text << ",1991-02-03\n";
    const struct {
        const char* file;
        int status;
        const char* mentions;
    } kCases[] = {
        {"folder.csv", 2, "is a folder"},
        {"long.csv", 2, "line 3 is longer than 64 KiB"},
        {"fits.csv", 0, ""},
        {"sjis.csv", 2, "line 2 reads as Shift-JIS"},
        {"gbk.csv", 0, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.file);
        const auto r = RunCli({"rank", "--a", kRankA, "--candidates", (dir.path / c.file).string(), "--csv"});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    const auto gbk = RunCli({"rank", "--a", kRankA, "--candidates", (dir.path / "gbk.csv").string(), "--csv"});
    EXPECT_NE(gbk.out.find("陳國華"), std::string::npos) << gbk.out;
}

// A file of a million lines: the seven-digit line numbers keep a space
// between them and the rank.
TEST(RankCommand, SevenDigitLinesStayApartFromTheRank) {
    TempDir dir;
    {
        std::ofstream f(dir.path / "far.csv");
        f << "name,date\n" << std::string(1'234'566, '\n') << "李四,1990-01-01\n";
    }
    const auto r = RunCli({"rank", "--a", kRankA, "--candidates", (dir.path / "far.csv").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = Lines(r.out);
    ASSERT_EQ(lines.size(), 3u) << r.out;
    EXPECT_EQ(lines[2].rfind("     1 1234568  李四", 0), 0u) << lines[2];
    EXPECT_EQ(lines[1].rfind("  名次      行  姓名", 0), 0u) << lines[1];
}

}  // namespace
}  // namespace tessaly
