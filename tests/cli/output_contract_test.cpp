// What a script may rely on, over every command of tessaly-cli: a failed
// write ends the run with status 1 and a message; options take their value
// either way ("--opt value", "--opt=value") and "--" ends them; what is
// printed ends with a line end, and --newline gives every line one line end;
// a report's own bytes are printed as they are.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "cli/Command.h"
#include "cli/cli_test_util.h"
#include "cli/json_test_util.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "test_paths.h"

namespace tessaly::cli {
namespace {
namespace fs = std::filesystem;
using testing_cli::CliResult;
using testing_cli::JsonParser;
using testing_cli::JsonValue;
using testing_cli::RunCli;
using testing_cli::RunCliLine;
using testing_cli::ShellQuote;

constexpr const char* kA = "name=甲;sex=M;date=1990-05-12 08:30;prov=北京市";
constexpr const char* kB = "name=乙;sex=F;date=1992-11-03 21:10";

// The words of a command line written as a shell would split it (double
// quotes only); empty when it needs more of a shell than that.
std::vector<std::string> SplitCommandLine(std::string_view line) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, inWord = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if (c == ' ' && !quoted) {
            if (inWord) words.push_back(word);
            word.clear();
            inWord = false;
        } else if (!quoted && std::string_view("|<>~$`'\\").find(c) != std::string_view::npos) {
            return {};
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) words.push_back(word);
    return words;
}

std::string Joined(const std::vector<std::string>& args) {
    std::string line;
    for (const std::string& a : args) line.append(line.empty() ? "" : " ").append(ShellQuote(a));
    return line;
}

class OutputContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaly_output_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(home() / "dat");
        fs::create_directories(home() / "bazi_f");
        fs::copy_file(testing_paths::SourceDir() / "data/dat/dili.ini", home() / "dat/dili.ini");
        std::ofstream(candidates()) << "name,sex,date\n李四,F,1986-05-06 07:08\n王芳,F,1988-07-14 07:23\n";
        const CliResult added =
            RunCli({"cases", "add", "--a", kA, "--b", kB, "--category", "临时保存", "--note", "一例"}, home());
        ASSERT_EQ(added.status, 0) << added.err;
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path home() const { return root_ / "home"; }
    fs::path candidates() const { return root_ / "candidates.csv"; }

    // One run of every command that prints, each succeeding in home(): the
    // rows below, else the command's first example.
    std::vector<std::vector<std::string>> EveryCommand() const {
        const std::map<std::string, std::vector<std::vector<std::string>>> kRows = {
            {"cases", {{"cases", "list"}, {"cases", "show", "0"}, {"cases", "search", "--name", "甲"}}},
            {"rank", {{"rank", "--a", kA, "--candidates", candidates().string()}}},
            {"help", {{"help", "match"}, {"help"}}},
            {"completion", {{"completion", "bash"}}},
            {"match", {{"match", "--a", kA, "--b", kB}, {"match", "--a", kA, "--b", kB, "--json"}}},
            {"terms", {{"terms", "2024"}, {"terms", "2024", "--json"}}},
        };
        std::vector<std::vector<std::string>> runs;
        for (const CommandInfo& c : Commands()) {
            if (const auto row = kRows.find(std::string(c.name)); row != kRows.end()) {
                runs.insert(runs.end(), row->second.begin(), row->second.end());
                continue;
            }
            const std::string_view example = c.help.examples.substr(0, c.help.examples.find('\n'));
            std::vector<std::string> words = SplitCommandLine(example);
            EXPECT_FALSE(words.empty()) << c.name << ": its first example needs a shell; give it a row here";
            if (!words.empty()) runs.emplace_back(words.begin() + 1, words.end());
        }
        return runs;
    }

    fs::path root_;
};

TEST_F(OutputContractTest, FailedWriteExitsOneWithAMessage) {
    std::vector<std::vector<std::string>> runs = EveryCommand();
    runs.push_back({"--help"});
    runs.push_back({"--version"});
    runs.push_back({"terms", "--help"});
    for (const auto& args : runs) {
        SCOPED_TRACE(Joined(args));
        const CliResult ok = RunCli(args, home());
        ASSERT_EQ(ok.status, 0) << ok.err;
        ASSERT_FALSE(ok.out.empty());
        const CliResult full = RunCliLine(Joined(args) + " >/dev/full", home(), "zh_CN.UTF-8");
        EXPECT_EQ(full.status, 1);
        EXPECT_NE(full.err.find("tessaly-cli: 无法写出输出：磁盘空间已满"), std::string::npos) << full.err;
    }
}

// A reader that has gone away, with SIGPIPE ignored (as some parents leave
// it): the write fails with EPIPE instead of ending the process.
TEST_F(OutputContractTest, ClosedPipeIsAFailedWrite) {
    int out[2];
    ASSERT_EQ(::pipe(out), 0);
    ::close(out[0]);
    const fs::path errFile = root_ / "err.txt";
    const std::string cli = testing_paths::ProgramPath("tessaly-cli").string();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::signal(SIGPIPE, SIG_IGN);
        ::dup2(out[1], STDOUT_FILENO);
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, STDERR_FILENO);
        const std::string homeDir = home().string();
        ::execl(cli.c_str(), cli.c_str(), "--home", homeDir.c_str(), "terms", "2024", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(out[1]);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by a signal";
    EXPECT_EQ(WEXITSTATUS(status), 1);
    std::string err;
    EXPECT_TRUE(ReadFileBytes(errFile, &err).ok());
    EXPECT_NE(err.find("无法写出输出"), std::string::npos) << err;
}

TEST_F(OutputContractTest, OptionValueAfterEqualsSignIsTheSame) {
    const std::string mine = (root_ / "mine").string();
    const struct {
        std::vector<std::string> separate, joined;
        bool inHome;
    } kCases[] = {
        {{"match", "--a", kA, "--b", kB}, {"match", "--a=" + std::string(kA), "--b=" + std::string(kB)}, true},
        {{"wedding", "--a", kA, "--b", kB, "--year", "2025"}, {"wedding", "--a", kA, "--b", kB, "--year=2025"}, true},
        {{"pillars", "1990-05-12 23:30", "--set", "zishi=1"}, {"pillars", "1990-05-12 23:30", "--set=zishi=1"}, true},
        {{"cases", "search", "--sex", "male"}, {"cases", "search", "--sex=male"}, true},
        {{"rank", "--a", kA, "--candidates", candidates().string(), "--top", "1"},
         {"rank", "--a", kA, "--candidates=" + candidates().string(), "--top=1"},
         true},
        {{"--encoding", "gbk", "terms", "2024"}, {"--encoding=gbk", "terms", "2024"}, true},
        {{"--newline", "crlf", "lunar", "2024-02-10"}, {"--newline=crlf", "lunar", "2024-02-10"}, true},
        {{"--home", mine, "--where"}, {"--home=" + mine, "--where"}, false},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(Joined(c.joined));
        const CliResult a = RunCli(c.separate, c.inHome ? home() : fs::path());
        const CliResult b = RunCli(c.joined, c.inHome ? home() : fs::path());
        ASSERT_EQ(a.status, 0) << a.err;
        EXPECT_EQ(b.status, 0) << b.err;
        EXPECT_EQ(b.out, a.out);
    }
}

TEST_F(OutputContractTest, DoubleDashEndsTheOptions) {
    // After "--" an option's name is an operand like any other.
    CliResult r = RunCli({"places", "--", "--json"}, home());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("unknown province '--json'"), std::string::npos) << r.err;
    r = RunCli({"terms", "--", "--precise"}, home());
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("'--precise'"), std::string::npos) << r.err;
    r = RunCli({"cases", "search", "--name", "--", "--sex"}, home());
    EXPECT_EQ(r.status, 2) << "--name takes no value from behind the --";

    // Options before it are taken as usual, and a BC date behind it stays a date.
    EXPECT_EQ(RunCli({"lunar", "--json", "--", "-500-01-01"}, home()).out,
              RunCli({"lunar", "-500-01-01", "--json"}, home()).out);
}

TEST_F(OutputContractTest, EveryLineEndsOneWayWithNewline) {
    // The commands that print the program's report keep its CR LF; every
    // other text ends its lines with LF.
    const std::set<std::string> kReports = {"match", "wedding"};
    for (const auto& args : EveryCommand()) {
        SCOPED_TRACE(Joined(args));
        const CliResult plain = RunCli(args, home());
        ASSERT_EQ(plain.status, 0) << plain.err;
        EXPECT_TRUE(plain.out.ends_with("\n"));
        if (!kReports.count(args[0]) || std::find(args.begin(), args.end(), "--json") != args.end()) {
            EXPECT_EQ(plain.out.find('\r'), std::string::npos);
        }

        std::vector<std::string> lf = {"--newline", "lf"};
        lf.insert(lf.end(), args.begin(), args.end());
        const CliResult l = RunCli(lf, home());
        ASSERT_EQ(l.status, 0) << l.err;
        EXPECT_EQ(l.out.find("\r\n"), std::string::npos);
        EXPECT_TRUE(l.out.ends_with("\n"));

        std::vector<std::string> crlf = {"--newline", "crlf"};
        crlf.insert(crlf.end(), args.begin(), args.end());
        const CliResult c = RunCli(crlf, home());
        ASSERT_EQ(c.status, 0) << c.err;
        EXPECT_TRUE(c.out.ends_with("\r\n"));
        std::size_t lone = 0;
        for (std::size_t i = 0; i < c.out.size(); ++i) lone += c.out[i] == '\n' && (i == 0 || c.out[i - 1] != '\r');
        EXPECT_EQ(lone, 0u) << "LF without CR";
        // The same lines, only their ends differ.
        std::string back = c.out;
        for (std::size_t at = back.find("\r\n"); at != std::string::npos; at = back.find("\r\n", at)) back.erase(at, 1);
        EXPECT_EQ(back, l.out);
    }
    EXPECT_EQ(RunCli({"--newline", "cr", "terms", "2024"}, home()).status, 2);
}

TEST_F(OutputContractTest, ReportBytesArePrintedAsTheyAreWithALineEndAfter) {
    const CliResult json = RunCli({"match", "--a", kA, "--b", kB, "--json"}, home());
    JsonValue doc;
    ASSERT_TRUE(JsonParser(json.out).Parse(&doc));
    const std::string report = doc.Field("report")->text;
    ASSERT_TRUE(report.ends_with("☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆"));

    EXPECT_EQ(RunCli({"match", "--a", kA, "--b", kB}, home()).out, report + "\r\n");
    const CliResult gbk = RunCli({"--encoding", "gbk", "match", "--a", kA, "--b", kB}, home());
    const CodecResult gbkReport = Utf8ToGbk(report);
    ASSERT_TRUE(gbkReport.ok());
    EXPECT_EQ(gbk.out, gbkReport.text + "\r\n");
}

}  // namespace
}  // namespace tessaly::cli
