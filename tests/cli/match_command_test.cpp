#include <gtest/gtest.h>

#include <unistd.h>

#include "cli/cli_test_util.h"
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
    EXPECT_TRUE(r.out.ends_with("☆以上批语仅供参考，须知人生命运妙在阴阳五行的无穷变化☆"));
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
    EXPECT_TRUE(r.out.starts_with("{\"index\":"));
    for (const char* key : {"\"report\":\"甲命八字：\\r\\n", "\"persons\":[{", "\"day_master_score\":",
                            "\"star_hits\":[[", "\"stems\":[{", "\"branches\":[{", "\"clock_time\":\"1990-05-12 08:30\"",
                            "\"chart_time\":", "\"lunar_time\":", "\"is_leap_month\":false"}) {
        EXPECT_NE(r.out.find(key), std::string::npos) << key;
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
