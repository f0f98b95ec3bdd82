// The JSON of tessaly-cli against docs/json.md: each documented command's
// output parses, is UTF-8 whatever --encoding says, begins with the schema,
// and has exactly the fields the document lists, so that the two cannot
// drift apart.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "cli/Command.h"
#include "cli/Help.h"
#include "cli/cli_test_util.h"
#include "cli/json_test_util.h"
#include "test_paths.h"

namespace tessaly::cli {
namespace {
namespace fs = std::filesystem;
using testing_cli::CliResult;
using testing_cli::CollectJsonPaths;
using testing_cli::JsonParser;
using testing_cli::JsonValue;
using testing_cli::RunCli;

// The names in backquotes of a piece of docs/json.md.
std::vector<std::string> QuotedNames(std::string_view text) {
    std::vector<std::string> names;
    for (std::size_t open = text.find('`'); open != std::string::npos; open = text.find('`', open)) {
        const std::size_t close = text.find('`', open + 1);
        if (close == std::string::npos) break;
        names.emplace_back(text.substr(open + 1, close - open - 1));
        open = close + 1;
    }
    return names;
}

// The field paths docs/json.md lists, by section ("terms", "cases show"); a
// heading naming several commands ("## `cases list`, `cases search`") gives
// each of them its table.
std::map<std::string, std::set<std::string>> DocumentedFields() {
    std::ifstream in(testing_paths::SourceDir() / "docs/json.md");
    std::map<std::string, std::set<std::string>> fields;
    std::string line;
    std::vector<std::string> sections;
    while (std::getline(in, line)) {
        if (line.starts_with("## `")) {
            sections = QuotedNames(line);
            for (const std::string& s : sections) fields[s];
        } else if (line.starts_with("| `")) {
            const std::string cell = line.substr(1, line.find('|', 1) - 1);
            for (const std::string& section : sections) {
                for (const std::string& f : QuotedNames(cell)) fields[section].insert(f);
            }
        }
    }
    return fields;
}

// Whether text is well-formed UTF-8.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (n == 0 || i + n > text.size()) return false;
        for (std::size_t k = 1; k < n; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) >> 6) != 2) return false;
        }
        i += n;
    }
    return true;
}

class JsonContractTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaly_json_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(home() / "dat");
        fs::create_directories(home() / "bazi_f");
        fs::copy_file(testing_paths::SourceDir() / "data/dat/dili.ini", home() / "dat/dili.ini");
        std::ofstream(candidates()) << "name,sex,date\n李四,F,1986-05-06 07:08\n孙八,M,1985-01-01 10:00\n";
        const CliResult added =
            RunCli({"cases", "add", "--a", kCivilA, "--b", kB, "--category", "临时保存", "--note", "一例"}, home());
        ASSERT_EQ(added.status, 0) << added.err;
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path home() const { return root_ / "home"; }
    fs::path candidates() const { return root_ / "candidates.csv"; }

    static constexpr const char* kA = "name=甲;sex=M;date=1990-05-12 08:30;prov=北京市";
    static constexpr const char* kCivilA =
        "name=甲;sex=M;date=1990-05-12 08:30;tz=America/New_York;clock=civil;lon=-74.0;lat=40.7;place=美国纽约";
    static constexpr const char* kB = "name=乙;sex=F;date=1992-11-03 21:10";
    static constexpr const char* kLunarA = "name=丁;sex=M;date=2023-02-10 08:30;cal=lunar;leap=1;prov=北京市";

    fs::path root_;
};

TEST_F(JsonContractTest, OutputHasTheDocumentedFieldsInUtf8WithTheSchema) {
    const struct {
        std::string section;
        std::vector<std::string> args;
    } kRuns[] = {
        {"terms", {"terms", "2024", "--json"}},
        {"terms", {"terms", "-104", "--precise", "--json"}},
        {"newmoons", {"newmoons", "2024", "--json"}},
        {"newmoons", {"newmoons", "1582", "--json", "--precise"}},
        {"lunar", {"lunar", "2023-04-01", "--json"}},  // in a leap month
        {"lunaryear", {"lunaryear", "2023", "--json"}},
        {"month", {"month", "2024", "2", "--json"}},
        {"month", {"month", "1582", "10", "--json"}},
        {"places", {"places", "--json"}},
        {"places", {"places", "广东省", "--json"}},
        {"match", {"match", "--a", kA, "--b", kB, "--json"}},
        {"match", {"match", "--a", kCivilA, "--b", kB, "--json"}},
        {"cases show", {"cases", "show", "0", "--json"}},
        {"cases list", {"cases", "list", "--json"}},
        {"cases search", {"cases", "search", "--name", "甲", "--json"}},
        {"rank", {"rank", "--a", kA, "--candidates", candidates().string(), "--json"}},
        {"compare-options", {"compare-options", "--a", kA, "--b", kB, "--json"}},
        {"explain", {"explain", "--a", kCivilA, "--b", kB, "--uncertainty-a", "30", "--json"}},
        {"explain", {"explain", "--a", kLunarA, "--uncertainty-a", "600", "--set", "idate=1", "--json"}},
        {"explain", {"explain", "--a", "name=丙;sex=M;date=2100-12-31 22:00", "--uncertainty-a", "120", "--set", "idate=0", "--json"}},
        {"match", {"match", "--a", kLunarA, "--b", kB, "--set", "idate=1", "--json"}},
        {"timeline", {"timeline", "--a", kA, "--b", kB, "--from", "2026", "--to", "2040", "--json"}},
    };
    const auto documented = DocumentedFields();
    std::map<std::string, std::set<std::string>> seen;
    for (const auto& run : kRuns) {
        std::string line;
        for (const std::string& a : run.args) line += a + ' ';
        SCOPED_TRACE(line);
        const CliResult r = RunCli(run.args, home());
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_TRUE(IsUtf8(r.out));
        EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << "one line, ended";
        JsonValue doc;
        JsonParser parser(r.out);
        ASSERT_TRUE(parser.Parse(&doc)) << parser.error();
        ASSERT_EQ(doc.kind, JsonValue::Kind::kObject);
        ASSERT_FALSE(doc.fields.empty());
        EXPECT_EQ(doc.fields.front().first, "schema");
        EXPECT_EQ(doc.fields.front().second.number, 1);
        CollectJsonPaths(doc, "", &seen[run.section]);

        std::vector<std::string> gbk = {"--encoding", "gbk"};
        gbk.insert(gbk.end(), run.args.begin(), run.args.end());
        const CliResult g = RunCli(gbk, home());
        EXPECT_EQ(g.status, 0) << g.err;
        EXPECT_EQ(g.out, r.out) << "--encoding gbk leaves JSON in UTF-8";
    }
    for (const auto& [section, fields] : documented) {
        SCOPED_TRACE(section);
        ASSERT_TRUE(seen.count(section)) << "docs/json.md describes a command this test does not run";
        for (const std::string& f : fields) EXPECT_TRUE(seen[section].count(f)) << f << " is documented, not printed";
        for (const std::string& f : seen[section]) EXPECT_TRUE(fields.count(f)) << f << " is printed, not documented";
    }
    for (const auto& [section, fields] : seen)
        EXPECT_TRUE(documented.count(section)) << section << " is not documented";
}

// A command whose synopsis offers --json is documented.
TEST(JsonContract, EveryCommandWithJsonIsDocumented) {
    const auto documented = DocumentedFields();
    for (const CommandInfo& c : Commands()) {
        for (const SynopsisPart& p : ParseSynopsis(c.synopsis)) {
            if (std::find(p.options.begin(), p.options.end(), "--json") == p.options.end()) continue;
            const std::string section =
                p.subcommand.empty() ? std::string(c.name) : std::string(c.name) + ' ' + p.subcommand;
            EXPECT_TRUE(documented.count(section)) << section << " --json is not in docs/json.md";
        }
    }
}

}  // namespace
}  // namespace tessaly::cli
