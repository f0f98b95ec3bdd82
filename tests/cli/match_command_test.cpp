#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <regex>

#include "cli/cli_test_util.h"
#include "cli/json_value.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {
using testing_cli::RunCli;

const std::string kA = "name=甲;sex=M;date=1990-05-12 08:30";
const std::string kB = "name=乙;sex=F;date=1992-11-03 21:10";

TEST(MatchCommand, PrintsTheReportFromHeaderToClosingLine) {
    const auto r = RunCli({"match", "--a", kA, "--b", kB});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("甲命八字：\r\n"));
    EXPECT_TRUE(r.out.ends_with("☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆\r\n"));
}

TEST(MatchCommand, RefusedRunExitsOneWithTheEngineMessage) {
    const auto r = RunCli({"match", "--a", "name=甲;sex=M;date=2101-05-12 08:30", "--b", kB});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.out.empty());
    EXPECT_NE(r.err.find("年份必须在-850到2100年之间，并且没有公元0年"), std::string::npos) << r.err;
}

TEST(MatchCommand, BadArgumentsExitTwoNamingTheArgument) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } kCases[] = {
        {{"match", "--b", kB}, "--a"},
        {{"match", "--a", kA, "--b", "name=乙;sex=X;date=1992-11-03 21:10"}, "sex"},
        {{"match", "--a", kA, "--b", "name=乙;date=1992-13-03 21:10"}, "month"},
        {{"match", "--a", kA, "--b", "name=乙;date=0-01-03 21:10"}, "year 0"},
        {{"match", "--a", kA, "--b", "name=乙;date=1992-11-03 25:10"}, "hour"},
        {{"match", "--a", kA, "--b", "name=乙;colour=red;date=1992-11-03 21:10"}, "colour"},
        {{"match", "--a", kA, "--b", "name=乙"}, "date"},
        {{"match", "--a", kA, "--b", "name=乙名字太长了;date=1992-11-03 21:10"}, "name"},
        {{"match", "--a", kA, "--b", kB, "--set", "zishi"}, "KEY=VALUE"},
        {{"match", "--a", kA, "--b", kB, "--set", "nosuch=1"}, "nosuch"},
        {{"match", "--a", kA, "--b", kB, "--encoding", "latin1"}, "--encoding"},
        {{"match", "--a", kA, "--b", kB, "extra"}, "extra"},
        {{"nosuchcommand"}, "nosuchcommand"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

TEST(MatchCommand, JsonCarriesIndexReportAndBothPersons) {
    const auto r = RunCli({"match", "--a", kA, "--b", kB, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("{\"schema\":1,\"index\":"));
    for (const char* key :
         {"\"report\":\"甲命八字：\\r\\n", "\"persons\":[{", "\"day_master_score\":", "\"star_hits\":[[",
          "\"stems\":[{", "\"branches\":[{", "\"clock_time\":\"1990-05-12 08:30\"",
          "\"chart_time\":", "\"lunar_time\":", "\"is_leap_month\":false"}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
    }
}

// The names beside the chart data's codes say what the report says of the
// same charts: 乾造 庚午 辛巳 丁丑 甲辰, "日元太旺，喜用水，金(官杀、财星)";
// 坤造 壬申 庚戌 癸未 癸亥, "日元偏旺，喜用火，木(财星、食伤)".
TEST(MatchCommand, JsonNamesAgreeWithTheReport) {
    const auto r = RunCli({"match", "--a", kA, "--b", kB, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    bool ok = false;
    const testing_cli::loose_json::JsonValue doc = testing_cli::loose_json::JsonReader::Parse(r.out, &ok);
    ASSERT_TRUE(ok);
    const struct {
        std::vector<std::string> pillars;
        std::string strength;
        std::vector<std::string> favourablePairs, favourableElements;
        std::string yearStemGod;  // the chart's row above the pillars: 财, 劫
    } kPersons[] = {
        {{"庚午", "辛巳", "丁丑", "甲辰"}, "太旺", {"官杀", "财星"}, {"水", "金"}, "正财"},
        {{"壬申", "庚戌", "癸未", "癸亥"}, "偏旺", {"财星", "食伤"}, {"火", "木"}, "劫财"},
    };
    for (std::size_t i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        const testing_cli::loose_json::JsonValue& p = doc["persons"][i];
        for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(p["pillar_names"][k].string, kPersons[i].pillars[k]);
        EXPECT_EQ(p["strength_level_name"].string, kPersons[i].strength);
        for (std::size_t k = 0; k < 2; ++k) {
            EXPECT_EQ(p["role_pair_names"][k].string, kPersons[i].favourablePairs[k]);
            EXPECT_EQ(p["role_element_names"][k].string, kPersons[i].favourableElements[k]);
        }
        EXPECT_EQ(p["stems"][0]["god_name"].string, kPersons[i].yearStemGod);
        EXPECT_TRUE(p["stems"][2]["god_name"].IsNull()) << "the day stem is the day master (日元)";
        EXPECT_EQ(p["stems"][2]["god"].number, 255);
    }
}

TEST(MatchCommand, GbkOutputDecodesToTheSameReport) {
    const auto utf8 = RunCli({"match", "--a", kA, "--b", kB});
    const auto gbk = RunCli({"--encoding", "gbk", "match", "--a", kA, "--b", kB});
    ASSERT_EQ(gbk.status, 0) << gbk.err;
    const CodecResult back = GbkToUtf8(gbk.out);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.text, utf8.out);
}

TEST(MatchCommand, ClipboardLineIsAcceptedAsPerson) {
    const auto r = RunCli({"match", "--a", "orvane_mingli_data#1990 5 12 8 30 1#1#甲#34 0", "--b", kB, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"clock_time\":\"1990-05-12 08:30\""), std::string::npos);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(MatchCommand, PlacesResolveThroughDiliIni) {
    const struct {
        std::string person;
        int status;
        const char* expect;  // in stdout (status 0) or stderr
    } kCases[] = {
        {"name=甲;date=1990-05-12 08:30;prov=北京市;city=北京", 0, "\"place\":\"北京市-北京\""},
        {"name=甲;date=1990-05-12 08:30;prov=1;city=0", 0, "\"place\":\"北京市-北京\""},
        {"name=甲;date=1990-05-12 08:30;prov=34", 0, "\"place\":\"未知地\""},
        {"orvane_mingli_data#1990 5 12 8 30 1#1#甲#1 0", 0, "\"place\":\"北京市-北京\""},
        {"name=甲;date=1990-05-12 08:30;prov=北京市;city=北京;lon=117.5", 0, "\"longitude\":117.5"},
        {"name=甲;date=1990-05-12 08:30;prov=火星", 2, "prov"},
        {"name=甲;date=1990-05-12 08:30;prov=1;city=999", 2, "city"},
        {"name=甲;date=1990-05-12 08:30;city=北京", 2, "prov"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.person);
        const auto r = RunCli({"match", "--a", c.person, "--b", kB, "--json"});
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE((c.status == 0 ? r.out : r.err).find(c.expect), std::string::npos) << r.out.substr(0, 300) << r.err;
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

TEST(MatchCommand, TimeBasisShiftsTheChartTime) {
    // 105°00′ lies 15° west of the standard meridian: local mean time is one
    // hour behind Beijing time.
    const std::string a = "name=甲;sex=M;date=1990-05-12 10:00;lon=105;lat=30";
    const struct {
        const char* idate;
        const char* chartTime;
        const char* birthLine;
    } kCases[] = {
        {"idate=0", "\"chart_time\":\"1990-05-12 10:00\"", "出生公历：1990年5月12日10时0分(北京时间)，星期六。"},
        {"idate=2", "\"chart_time\":\"1990-05-12 09:00\"", "出生公历：1990年5月12日9时0分(地方时)，星期六。"},
        // In mid-May the true sun is about 3.7 minutes ahead of the mean sun.
        {"idate=1", "\"chart_time\":\"1990-05-12 09:04\"", "出生公历：1990年5月12日9时4分(真太阳时)，星期六。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.idate);
        const auto r = RunCli({"match", "--a", a, "--b", kB, "--set", c.idate, "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find("\"clock_time\":\"1990-05-12 10:00\""), std::string::npos);
        EXPECT_NE(r.out.find(c.chartTime), std::string::npos);
        EXPECT_NE(r.out.find(c.birthLine), std::string::npos);
    }
}

TEST(MatchCommand, ConversionFailuresExitOne) {
    const struct {
        std::string person;
        const char* message;
    } kCases[] = {
        {"name=甲;date=2023-02-30 08:00;cal=lunar;leap=1", "不存在这个农历日期，无法转换到公历！"},
        {"name=甲;date=2001-02-29 08:00", "不存在这个日期"},
        {"name=甲;date=2100-12-31 23:30", "公、农历正常转换年份在-850到2100之间"},
        {"name=甲;date=1582-10-10 08:00", "不存在1582-10-5到1582-10-14这10天时间。"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.person);
        const auto r = RunCli({"match", "--a", c.person, "--b", kB});
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

// The user's own scores, roles and judgement for one person, checked as the
// desktop dialog checks them.
TEST(MatchCommandOverride, RefusedValuesExitTwoWithTheDialogsMessage) {
    const struct {
        const char* values;
        const char* mentions;
    } kCases[] = {
        {"scores=4,4,4,4,4,4,3,3,3,2", "十神之和不能小于36"},  // sum 35
        {"scores=36,0,0,-1,0,0,0,0,0,0", "伤官 '-1': 请输入0至999之间的数"},
        {"scores=36,0,0,0,0,0,0,0,0,1000", "正印 '1000': 请输入0至999之间的数"},
        {"scores=36,0,0,0,0,0,0,0,0,x", "正印 'x': 请输入0至999之间的数"},
        {"scores=36,0,0,0,0,0,0,0,0,", "正印 '': 请输入0至999之间的数"},
        {"scores=36,0,0", "ten values"},
        {"roles=比劫,食伤,财星,官杀", "roles"},
        {"roles=比劫,食伤,财星,官杀,5", "roles"},
        {"judgement=极旺", "judgement"},
        {"judgement=7", "judgement"},
        {"judgement=0;judgement=1", "twice"},
        {"colour=red", "colour"},
        {";", "sets nothing"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.values);
        for (const char* key : {"--override-a", "--override-b"}) {
            const auto r = RunCli({"match", "--a", kA, "--b", kB, key, c.values});
            EXPECT_EQ(r.status, 2);
            EXPECT_TRUE(r.out.empty());
            EXPECT_NE(r.err.find(key), std::string::npos) << r.err;
            EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
        }
    }
    const auto missing = RunCli({"match", "--a", kA, "--b", kB, "--override-a"});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.err.find("--override-a needs VALUES"), std::string::npos) << missing.err;
}

// A PERSON key given twice is refused as an override key given twice is:
// which of the two was meant cannot be told.
TEST(MatchCommandPerson, AKeyGivenTwiceExitsTwo) {
    for (const char* person :
         {"name=张三;sex=M;sex=F;date=1990-05-12 08:30", "name=张三;sex=M;date=1990-05-12 08:30;date=1990-05-13 08:30",
          "name=张三;name=李四;sex=M;date=1990-05-12 08:30"}) {
        SCOPED_TRACE(person);
        const auto r = RunCli({"match", "--a", person, "--b", kB});
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find("--a: "), std::string::npos) << r.err;
        EXPECT_NE(r.err.find(" is given twice"), std::string::npos) << r.err;
    }
}

// The strength section of person n (0 甲命, 1 乙命) in a printed report.
std::string StrengthOf(const std::string& report, int n) {
    const std::size_t from = report.find("※五行力量：", n == 0 ? 0 : report.find("乙命八字："));
    return report.substr(from, report.find("※此命局", from) - from);
}

TEST(MatchCommandOverride, ReanalysesThePersonGivenAndKeepsTheOther) {
    const auto plain = RunCli({"match", "--a", kA, "--b", kB, "--set", "biange=0"});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const struct {
        const char* values;
        const char* strengthA;  // in 甲命's strength section
    } kCases[] = {
        // 甲命 is a 丁 day: 比劫 is 火, 食伤 土, 财星 金, 官杀 水, 印枭 木.
        {"judgement=从旺", "日元极旺，以从旺看，"},
        {"judgement=0;roles=官杀,财星,比劫,印枭,食伤",
         "日元极旺，以从旺看，喜用水，金(官杀、财星)。忌仇火，木(比劫、印枭)。"},
        {"roles=3,2,0,4,1;judgement=0", "日元极旺，以从旺看，喜用水，金(官杀、财星)。忌仇火，木(比劫、印枭)。"},
        {"scores=36,0,0,0,0,0,0,0,0,0", "火36(100.0%)"},  // exactly 36: accepted
        {"scores=4,4,4,4,4,4,3,3,3,3;judgement=偏弱", "日元偏弱，"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.values);
        const auto r = RunCli({"match", "--a", kA, "--b", kB, "--set", "biange=0", "--override-a", c.values});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(StrengthOf(r.out, 0).find(c.strengthA), std::string::npos) << StrengthOf(r.out, 0);
        EXPECT_EQ(StrengthOf(r.out, 1), StrengthOf(plain.out, 1));
        // The charts themselves stay as they were.
        const std::size_t chartEnd = plain.out.find("※五行力量：");
        EXPECT_EQ(r.out.substr(0, chartEnd), plain.out.substr(0, chartEnd));
        EXPECT_TRUE(r.out.ends_with("☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆\r\n"));
    }
}

TEST(MatchCommandOverride, BothPersonsAndJson) {
    const auto r = RunCli({"match", "--a", kA, "--b", kB, "--set", "biange=0", "--override-a", "judgement=从弱",
                           "--override-b", "judgement=从旺", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::size_t a = r.out.find("\"strength_level\":");
    const std::size_t b = r.out.find("\"strength_level\":", a + 1);
    ASSERT_NE(b, std::string::npos);
    EXPECT_EQ(r.out.substr(a, 19), "\"strength_level\":0,");  // 从弱: extremely weak
    EXPECT_EQ(r.out.substr(b, 19), "\"strength_level\":6,");  // 从旺: extremely strong
    EXPECT_NE(r.out.find("日元极弱，以从弱看，"), std::string::npos);
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

const std::string kLateA = "name=张三;sex=M;date=1984-02-04 23:40;lon=104.1";
const std::string kLateB = "name=李四;sex=F;date=1985-12-31 23:05;lon=87.6";

// The points of the parts add up to the index (in single precision, as the
// pairing adds them); the high-score bonus and the cap are parts too.
TEST(MatchCommand, JsonTakesTheIndexApart) {
    const struct {
        std::string a, b;
        std::vector<std::string> set;
        const char* capText;
    } kCases[] = {
        {kLateA, kLateB, {}, R"("id":"cap","name":"封顶99分","points":0,"max":0,"applies":false)"},
        // 101.02 points with the high-score scale: 99.
        {"name=庚;sex=M;date=1938-07-13 15:50",
         "name=辛;sex=F;date=1923-11-09 14:41",
         {"--set", "bscore=1"},
         R"("id":"cap","name":"封顶99分","points":-2.0)"},
        // Two women: no nine stars, no birth numbers.
        {"name=甲;sex=F;date=1990-05-12 08:30",
         kB,
         {},
         R"("id":"nine_stars","name":"九星","points":0,"max":2,"applies":false)"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.a);
        std::vector<std::string> args{"match", "--a", c.a, "--b", c.b, "--json"};
        args.insert(args.end(), c.set.begin(), c.set.end());
        const auto r = RunCli(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NE(r.out.find(c.capText), std::string::npos) << r.out.substr(0, 3000);
        const std::size_t end = r.out.find(R"(],"report":)");
        ASSERT_NE(end, std::string::npos);
        const std::string parts = r.out.substr(0, end);
        const double index = std::atof(parts.c_str() + std::strlen(R"({"schema":1,"index":)"));
        float sum = 0;
        int n = 0;
        static const std::regex kPoints(R"("points":(-?[0-9.e+-]+))");
        for (auto it = std::sregex_iterator(parts.begin(), parts.end(), kPoints); it != std::sregex_iterator(); ++it) {
            sum = static_cast<float>(double(sum) + std::atof((*it)[1].str().c_str()));
            ++n;
        }
        EXPECT_EQ(n, 11);
        EXPECT_NEAR(sum, index, 1e-4);
        for (const char* id :
             {"mutual_support", "favourable_elements", "element_balance", "yin_yang_balance", "day_masters",
              "birth_years", "nine_stars", "constellations", "birth_numbers", "high_score_bonus", "cap"}) {
            EXPECT_NE(parts.find(std::string(R"("id":")") + id + '"'), std::string::npos) << id;
        }
    }
    const auto r = RunCli({"match", "--a", kLateA, "--b", kLateB, "--json"});
    EXPECT_NE(r.out.find(R"("inputs":[{"name":"年柱","a":"甲子","b":"乙丑"}],"line":"☆甲乙命生年)"), std::string::npos);
    EXPECT_NE(r.out.find(R"("inputs":[{"name":"婚配指数高分制","value":"否"}])"), std::string::npos);
}

}  // namespace
}  // namespace tessaly
