#include <gtest/gtest.h>

#include "cli/cli_test_util.h"

namespace tessaly {
namespace {
using testing_cli::RunCli;

const std::string kMan = "name=甲;sex=M;date=1995-05-12 08:30";
const std::string kWoman = "name=乙;sex=F;date=1996-03-03 21:10";

TEST(WeddingCommand, PrintsTheSearchOfTheYear) {
    const auto r = RunCli({"wedding", "--a", kMan, "--b", kWoman, "--year", "2024", "--set", "idate=0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("甲辰年29岁丙子女\r\n甲辰年白虎在子，天狗在寅\r\n\r\n★十一月甲子　不利月不取 \r\n"));
    EXPECT_NE(r.out.find("2024-1-13 十二月初三 丙子日 子寅卯辰巳申戌亥时 \r\n"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with(" \r\n"));
}

TEST(WeddingCommand, RefusalsExitOneWithTheMessage) {
    const struct {
        std::vector<std::string> args;
        const char* message;
    } kCases[] = {
        {{"wedding", "--a", kMan, "--b", "name=乙;sex=M;date=1996-03-03 21:10", "--year", "2024"},
         "必须输入男、女八字合婚后，才能选择结婚吉日！"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year", "2101"}, "结婚年份必须在-850到2100年之间"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year", "-851"}, "结婚年份必须在-850到2100年之间"},
        {{"wedding", "--a", "name=甲;sex=M;date=2101-05-12 08:30", "--b", kWoman, "--year", "2024"},
         "年份必须在-850到2100年之间，并且没有公元0年"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.message);
        const auto r = RunCli(c.args, {}, "zh_CN.UTF-8");  // the core's refusals as written
        EXPECT_EQ(r.status, 1);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
    }
}

TEST(WeddingCommand, BadArgumentsExitTwoNamingTheArgument) {
    const struct {
        std::vector<std::string> args;
        const char* mentions;
    } kCases[] = {
        {{"wedding", "--a", kMan, "--b", kWoman}, "--year"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year"}, "--year"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year", "二〇二四"}, "--year"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year", "0"}, "--year 0"},
        {{"wedding", "--b", kWoman, "--year", "2024"}, "--a"},
        {{"wedding", "--a", kMan, "--b", kWoman, "--year", "2024", "extra"}, "extra"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tessaly
