// tessaly-cli timeline: the table and the JSON carry the same facts; spans
// and persons that cannot be shown are refused with their message.
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

#include "cli/cli_test_util.h"
#include "cli/json_value.h"

namespace tessaly {
namespace {
using testing_cli::CliResult;
using LooseJsonReader = testing_cli::loose_json::JsonReader;
using LooseJson = testing_cli::loose_json::JsonValue;
using testing_cli::RunCli;

// 戊辰 乙卯 甲子 己巳 and 己巳 丁丑 乙酉 辛巳 (born before 立春 1990).
const std::string kHusband = "name=甲;sex=M;date=1988-03-10 10:00";
const std::string kWife = "name=乙;sex=F;date=1990-01-20 10:00";

std::vector<std::string> Words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

std::vector<std::string> Split(const std::string& s, const std::string& separator) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    for (std::size_t at; (at = s.find(separator, from)) != std::string::npos; from = at + separator.size()) {
        parts.push_back(s.substr(from, at - from));
    }
    parts.push_back(s.substr(from));
    return parts;
}

// The words of one person's part of a table line, as the JSON says them:
// age, luck pillar, ten gods, relations, 桃花, clashed and repeated pillars
// with 岁运并临, the relation to the other's day branch; nothing for a
// relation that does not hold.
std::vector<std::string> WordsOf(const LooseJson& y, const LooseJson& person, int year) {
    if (!y["born"].boolean) return {"未出生"};
    std::vector<std::string> w;
    w.push_back(std::to_string(static_cast<int>(y["age"].number)) + "岁");
    if (!y["luck"].IsNull()) {
        w.push_back((y["luck_begins"].boolean ? "交" : "") + y["luck"].string);
    } else if (year < person["luck"][0]["first_year"].number) {
        w.push_back("未起运");
    }
    w.push_back(y["stem_god"].string + "/" + y["branch_god"].string);
    for (const char* key : {"day_branch", "year_branch"}) {
        if (!y[key].IsNull()) w.push_back(y[key].string);
    }
    if (y["peach"].boolean) w.emplace_back("桃花");
    std::string marks;
    const auto add = [&](const std::string& m) { marks += (marks.empty() ? "" : "、") + m; };
    for (const LooseJson& p : y["clashed_pillars"].array) add("冲" + p.string);
    for (const LooseJson& p : y["repeated_pillars"].array) add("同" + p.string);
    if (y["sui_yun_bing_lin"].boolean) add("岁运并临");
    if (!marks.empty()) w.push_back(marks);
    if (!y["other_day_branch"].IsNull()) w.push_back(y["other_day_branch"].string);
    return w;
}

TEST(TimelineCommand, TableAndJsonCarryTheSameFacts) {
    const std::vector<std::string> args = {"timeline", "--a", kHusband, "--b", kWife, "--from", "1985", "--to", "2075"};
    const CliResult text = RunCli(args);
    ASSERT_EQ(text.status, 0) << text.err;
    std::vector<std::string> withJson = args;
    withJson.push_back("--json");
    const CliResult json = RunCli(withJson);
    ASSERT_EQ(json.status, 0) << json.err;
    bool ok = false;
    const LooseJson root = LooseJsonReader::Parse(json.out, &ok);
    ASSERT_TRUE(ok) << json.out.substr(0, 300);
    EXPECT_EQ(root["from"].number, 1985);
    EXPECT_EQ(root["to"].number, 2075);
    EXPECT_EQ(root["year_begins_at"].string, "立春");
    ASSERT_EQ(root["years"].array.size(), 91u);

    // The heading lines name each person's luck pillars with their years.
    for (int k = 0; k < 2; ++k) {
        std::string line = "  大运";
        for (const LooseJson& period : root["persons"][static_cast<std::size_t>(k)]["luck"].array) {
            line += "  " + period["pillar"].string + " " +
                    std::to_string(static_cast<int>(period["first_year"].number)) + "至" +
                    std::to_string(static_cast<int>(period["last_year"].number)) + "年";
        }
        EXPECT_NE(text.out.find(line + "\n"), std::string::npos) << line;
        EXPECT_NE(text.out.find(root["persons"][static_cast<std::size_t>(k)]["luck_start"]["text"].string),
                  std::string::npos);
    }

    // One table line per year, in order, after the two heading rows.
    const std::vector<std::string> lines = Split(text.out, "\n");
    std::size_t first = 0;
    while (first < lines.size() && !lines[first].starts_with("年份")) ++first;
    ASSERT_LT(first + 91, lines.size());
    for (std::size_t i = 0; i < 91; ++i) {
        const LooseJson& y = root["years"][i];
        const int year = static_cast<int>(y["year"].number);
        SCOPED_TRACE(year);
        const std::vector<std::string> parts = Split(lines[first + 1 + i], " | ");
        ASSERT_EQ(parts.size(), 3u) << lines[first + 1 + i];
        EXPECT_EQ(Words(parts[0]), (std::vector<std::string>{std::to_string(year), y["pillar"].string}));
        for (std::size_t k = 0; k < 2; ++k) {
            SCOPED_TRACE(k == 0 ? "甲命" : "乙命");
            EXPECT_EQ(Words(parts[k + 1]), WordsOf(y["persons"][k], root["persons"][k], year));
        }
    }
    EXPECT_EQ(lines[first + 92], "");  // the text ends with the last year's line
}

// Facts checked by hand, as the JSON gives them.
TEST(TimelineCommand, JsonOfAClashYearAndAPeachYear) {
    const CliResult r = RunCli({"timeline", "--a", kHusband, "--b", kWife, "--from", "2026", "--to", "2026", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    bool ok = false;
    const LooseJson root = LooseJsonReader::Parse(r.out, &ok);
    ASSERT_TRUE(ok);
    const LooseJson& year = root["years"][0];
    EXPECT_EQ(year["pillar"].string, "丙午");
    const LooseJson& man = year["persons"][0];
    EXPECT_EQ(man["day_branch"].string, "相冲");  // 午 against his 子
    EXPECT_EQ(man["clashed_pillars"][0].string, "日柱");
    EXPECT_TRUE(man["year_branch"].IsNull());
    EXPECT_EQ(man["luck"].string, "己未");
    EXPECT_TRUE(man["luck_begins"].boolean);
    const LooseJson& woman = year["persons"][1];
    EXPECT_TRUE(woman["peach_by_day_branch"].boolean);  // 午 is 桃花 of her 酉
    EXPECT_EQ(woman["other_day_branch"].string, "相冲");
    EXPECT_EQ(root["persons"][1]["pillars"][0].string, "己巳");
    EXPECT_EQ(root["persons"][1]["birth_year"].number, 1990);
}

TEST(TimelineCommand, WithoutYearsShowsThisYearAndTheNextTwenty) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const int thisYear = local.tm_year + 1900;
    const CliResult r = RunCli({"timeline", "--a", kHusband, "--b", kWife, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    bool ok = false;
    const LooseJson root = LooseJsonReader::Parse(r.out, &ok);
    ASSERT_TRUE(ok);
    ASSERT_EQ(root["years"].array.size(), 21u);
    EXPECT_EQ(root["years"][0]["year"].number, thisYear);
    // --from alone: that year and the next twenty.
    const CliResult from = RunCli({"timeline", "--a", kHusband, "--b", kWife, "--from", "-850", "--json"});
    ASSERT_EQ(from.status, 0) << from.err;
    const LooseJson bc = LooseJsonReader::Parse(from.out, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(bc["years"][0]["year"].number, -850);
    EXPECT_EQ(bc["years"][20]["year"].number, -830);
    EXPECT_FALSE(bc["years"][0]["persons"][0]["born"].boolean);
}

TEST(TimelineCommand, RefusalsExitOneWithTheMessage) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } kCases[] = {
        {{"--from", "2030", "--to", "2020"}, "起始年份不能晚于结束年份"},
        {{"--from", "-851"}, "流年年份必须在-850到2100年之间"},
        {{"--to", "2101"}, "流年年份必须在-850到2100年之间"},
        {{"--b", "name=乙;sex=F;date=1990-02-30 10:00"}, "乙命：不存在这个日期"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        std::vector<std::string> args = {"timeline", "--a", kHusband};
        args.insert(args.end(), c.args.begin(), c.args.end());
        if (args[3] != "--b") args.insert(args.begin() + 3, {"--b", kWife});
        const CliResult r = RunCli(args, {}, "zh_CN.UTF-8");  // the core's refusals as written
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(TimelineCommand, BadArgumentsExitTwoNamingTheArgument) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } kCases[] = {
        {{"--from"}, "--from"},
        {{"--to", "明年"}, "--to"},
        {{"--from", "0"}, "没有公元0年"},
        {{"extra"}, "extra"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        std::vector<std::string> args = {"timeline", "--a", kHusband, "--b", kWife};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const CliResult r = RunCli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
    const CliResult noB = RunCli({"timeline", "--a", kHusband});
    EXPECT_EQ(noB.status, 2);
    EXPECT_NE(noB.err.find("--b"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
