// tessaly-cli explain, and the birth path of match --json.
#include <gtest/gtest.h>

#include "cli/cli_test_util.h"

namespace tessaly {
namespace {
using testing_cli::RunCli;

// Four minutes after 立春 2024 (2024-02-04 16:26:52).
const std::string kLichun = "name=张三;sex=M;date=2024-02-04 16:30";
const std::string kB = "name=李四;sex=F;date=1992-11-03 21:10";

int Count(const std::string& text, const std::string& piece) {
    int n = 0;
    for (std::size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size())) ++n;
    return n;
}

TEST(ExplainCommand, ShowsThePathTheBoundariesAndTheAlternatives) {
    const auto r = RunCli({"explain", "--a", kLichun, "--uncertainty-a", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* piece : {
             "甲命：张三\n",
             "  北京时间：2024-02-04 16:30:00（年柱、月柱由此定）\n",
             "  排盘时间：2024-02-04 16:30（日柱、时柱由此定）\n",
             "四柱：甲辰 丙寅 戊戌 庚申",
             "2024-02-04 16:26:52  在出生前 3分8秒：年柱 癸卯→甲辰，月柱 乙丑→丙寅；在另一侧起大运 ",
             "最近的交界：立春，相距 3分8秒；另一侧年柱为癸卯、月柱为乙丑\n",
             "出生时刻误差 ±30 分钟：3 种八字\n",
             "   1. 2024-02-04 16:00 至 2024-02-04 16:26    癸卯 乙丑 戊戌 庚申\n",
             "   2. 2024-02-04 16:27 至 2024-02-04 16:59  * 甲辰 丙寅 戊戌 庚申  自立春起\n",
             "   3. 2024-02-04 17:00 至 2024-02-04 17:00    甲辰 丙寅 戊戌 辛酉  自申时与酉时之交起\n",
         }) {
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece << "\n" << r.out;
    }
}

TEST(ExplainCommand, ShowsTheSummerClockAndTrueSolarTimeSteps) {
    const auto r = RunCli({"explain", "--a", "name=甲;sex=M;date=1988-06-01 10:30;clock=civil;lon=75.99", "--set",
                           "idate=1", "--uncertainty-a", "60"});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* piece : {
             "  输入：公历 1988-06-01 10:30（中国当地钟表）\n",
             "  当地钟表换北京时间（UTC+9，夏令时）：-1小时0分0秒\n",
             "  北京时间：1988-06-01 09:30:00",
             "  经度校正（东经 75.99°）：-2小时56分2秒 → 地方时 1988-06-01 06:33:58\n",
             "  均时差：+2分",
             "（当地钟表 1988-06-01 09:30 至",
         }) {
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece << "\n" << r.out;
    }
}

TEST(ExplainCommand, CoupleJsonHasEveryCombinationAndTheIndexOfTheRun) {
    const auto x =
        RunCli({"explain", "--a", kLichun, "--b", kB, "--uncertainty-a", "30", "--uncertainty-b", "120", "--json"});
    ASSERT_EQ(x.status, 0) << x.err;
    const auto m = RunCli({"match", "--a", kLichun, "--b", kB, "--json"});
    ASSERT_EQ(m.status, 0) << m.err;
    // The alternatives of each person, and one combination for each pair.
    const int alternatives = Count(x.out, "\"contains_birth\":");
    const int births = Count(x.out, "\"contains_birth\":true");
    EXPECT_EQ(births, 2);
    EXPECT_EQ(Count(x.out, "\"persons\":[{"), 1);
    const std::size_t second = x.out.find("{\"name\":\"李四\"");
    ASSERT_NE(second, std::string::npos);
    const int altA = Count(x.out.substr(0, second), "\"contains_birth\":");
    EXPECT_EQ(altA, 3);
    EXPECT_EQ(Count(x.out, "{\"a\":"), altA * (alternatives - altA));
    // The index of the births as entered is the matching run's.
    const std::size_t at = m.out.find("\"index\":") + 8;
    const std::string index = m.out.substr(at, m.out.find(',', at) - at);
    EXPECT_NE(x.out.find("\"index_entered\":" + index), std::string::npos) << index;
    EXPECT_NE(x.out.find("\"index_min\":"), std::string::npos);
    EXPECT_NE(x.out.find("\"index_max\":"), std::string::npos);
}

TEST(ExplainCommand, TextForACoupleEndsWithTheIndexTable) {
    const auto r = RunCli({"explain", "--a", kLichun, "--b", kB, "--uncertainty-a", "30"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("甲命：张三\n"), std::string::npos);
    EXPECT_NE(r.out.find("乙命：李四\n"), std::string::npos);
    EXPECT_NE(r.out.find("婚配指数（行：甲命的八字，列：乙命的八字，* 为输入时刻）：\n"), std::string::npos);
    EXPECT_NE(r.out.find("  甲3     "), std::string::npos);
    EXPECT_NE(r.out.find("婚配指数范围："), std::string::npos);
}

TEST(ExplainCommand, BadArgumentsExitTwoAndRefusedBirthsOne) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* mentions;
    } kCases[] = {
        {{"explain"}, 2, "--a"},
        {{"explain", "--a", kLichun, "--uncertainty-a", "-5"}, 2, "--uncertainty-a"},
        {{"explain", "--a", kLichun, "--uncertainty-a", "1441"}, 2, "0 to 1440"},
        {{"explain", "--a", kLichun, "--uncertainty-a", "abc"}, 2, "'abc'"},
        {{"explain", "--a", kLichun, "--uncertainty-a"}, 2, "--uncertainty-a"},
        {{"explain", "--a", kLichun, "--uncertainty-b", "10"}, 2, "--b"},
        {{"explain", "--a", kLichun, "extra"}, 2, "extra"},
        {{"explain", "--a", kLichun, "--set", "idate=9"}, 2, "idate"},
        {{"explain", "--a", "name=甲;date=2023-02-30 10:00"}, 1, "甲命：不存在这个日期"},
        {{"explain", "--a", kLichun, "--b", "name=乙;date=2101-01-01 10:00"}, 1, "乙命：年份必须在-850到2100年之间"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const auto r = RunCli(c.args, {}, "zh_CN.UTF-8");  // the core's refusals as written
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

TEST(MatchCommand, JsonGivesEachPersonsBirthPath) {
    const auto r = RunCli({"match", "--a", "name=甲;sex=M;date=1988-06-01 10:30;clock=civil", "--b", kB, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Count(r.out, "\"birth_path\":{"), 2);
    for (const char* piece : {
             "\"birth_path\":{\"calendar\":\"solar\",\"civil_clock\":true,\"time_zone\":\"Asia/Shanghai\","
             "\"utc_offset_seconds\":32400,\"summer_time\":true,\"time_basis\":0,\"time_basis_name\":\"北京时间\",\"late_zi_hour_keeps_day\":false,",
             "{\"step\":\"entered\",\"applies\":true,\"amount_seconds\":0,\"time\":\"1988-06-01 10:30:00\"}",
             "{\"step\":\"clock_to_standard\",\"applies\":true,\"amount_seconds\":-3600,\"time\":\"1988-06-01 "
             "09:30:00\"}",
             "{\"step\":\"longitude\",\"applies\":false,\"amount_seconds\":0,",
             "\"standard_time\":\"1988-06-01 09:30\",\"chart_time\":\"1988-06-01 09:30\",\"late_zi_hour\":false,"
             "\"day_pillar_date\":\"1988-06-01\"}",
         }) {
        EXPECT_NE(r.out.find(piece), std::string::npos) << piece;
    }
}

}  // namespace
}  // namespace tessaly
