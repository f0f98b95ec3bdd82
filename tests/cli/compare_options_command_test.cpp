// compare-options as a user runs it.
#include <gtest/gtest.h>

#include "cli/cli_test_util.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {
using testing_cli::RunCli;

// Both born after 23:00, far west of the standard meridian.
const std::string kLateA = "name=张三;sex=M;date=1984-02-04 23:40;lon=104.1";
const std::string kLateB = "name=李四;sex=F;date=1985-12-31 23:05;lon=87.6";

int Count(const std::string& s, const std::string& part) {
    int n = 0;
    for (std::size_t at = s.find(part); at != std::string::npos; at = s.find(part, at + 1)) ++n;
    return n;
}

TEST(CompareOptionsCommand, PrintsTheUsersRunAndWhatEachOtherValueChanges) {
    const auto r = RunCli({"compare-options", "--a", kLateA, "--b", kLateB});
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* part : {
             "甲命：张三（男）1984-02-04 23:40    乙命：李四（女）1985-12-31 23:05\n",
             "你的设置：区分夜子时、和早子时：否；变格时按格局取用神：是；命宫起法：按节入起；使用时间：北京时间；"
             "婚配指数高分制：否；分析使用从格：否\n",
             "  甲命八字：甲子 丙寅 己巳 甲子\n",
             // 23:40 keeps its own day.
             "区分夜子时、和早子时：是（zishi=1）：\n  甲命八字：甲子 丙寅 己巳 甲子 → 甲子 丙寅 戊辰 甲子\n",
             "命宫起法：按中气起（mgong=1）：\n  乙命命宫：辛巳 → 庚辰\n",
             "婚配指数高分制：是（bscore=1）：\n  婚配指数：55.95 → 65.95\n  变动分项：高分制加分 0.00→10.00\n",
             "分析使用从格：是（congGe=1）：没有变化\n",
         }) {
        EXPECT_NE(r.out.find(part), std::string::npos) << part << "\n" << r.out;
    }
    EXPECT_EQ(Count(r.out, "）："), 7);  // a heading for each of the seven other values
}

// --set changes the user's own settings, the row of that option then shows
// the value of the file.
TEST(CompareOptionsCommand, SetChangesTheStartingPoint) {
    const auto r = RunCli({"compare-options", "--a", kLateA, "--b", kLateB, "--set", "zishi=1", "--set", "idate=2"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("区分夜子时、和早子时：是；"), std::string::npos);
    EXPECT_NE(r.out.find("区分夜子时、和早子时：否（zishi=0）："), std::string::npos);
    EXPECT_NE(r.out.find("使用时间：北京时间（idate=0）："), std::string::npos);
    EXPECT_NE(r.out.find("使用时间：真太阳时（idate=1）："), std::string::npos);
    EXPECT_EQ(r.out.find("（idate=2）"), std::string::npos);
}

TEST(CompareOptionsCommand, JsonHasOneRowPerRun) {
    const auto r = RunCli({"compare-options", "--a", kLateA, "--b", kLateB, "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with(
        R"({"schema":1,"settings":{"zishi":0,"biange":1,"mgong":0,"idate":0,"bscore":0,"congGe":0},"columns":["甲命八字",)"))
        << r.out.substr(0, 200);
    EXPECT_EQ(Count(r.out, R"("label":)"), 8);
    EXPECT_NE(r.out.find(R"({"label":"你的设置","setting":"","ok":true,"message":"","cells":["甲子 丙寅 己巳 甲子",)"),
              std::string::npos);
    EXPECT_NE(r.out.find(R"("setting":"bscore=1","ok":true,)"), std::string::npos);
    EXPECT_NE(r.out.find(R"("moved_parts":["高分制加分"])"), std::string::npos);
    EXPECT_TRUE(r.out.ends_with("}\n"));
}

TEST(CompareOptionsCommand, GbkOutputDecodesToTheSameText) {
    const auto utf8 = RunCli({"compare-options", "--a", kLateA, "--b", kLateB});
    const auto gbk = RunCli({"--encoding", "gbk", "compare-options", "--a", kLateA, "--b", kLateB});
    ASSERT_EQ(gbk.status, 0) << gbk.err;
    const CodecResult back = GbkToUtf8(gbk.out);
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_EQ(back.text, utf8.out);
}

TEST(CompareOptionsCommand, RefusalsAndBadArguments) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char* mentions;
    } kCases[] = {
        {{"compare-options", "--a", kLateA, "--b", "name=乙;sex=F;date=2101-01-01 10:00"}, 1, "乙命："},
        {{"compare-options", "--a", kLateA}, 2, "--b"},
        {{"compare-options", "--a", kLateA, "--b", kLateB, "--set", "nosuch=1"}, 2, "nosuch"},
        {{"compare-options", "--a", kLateA, "--b", kLateB, "extra"}, 2, "compare-options: unexpected argument 'extra'"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.mentions);
        const auto r = RunCli(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_TRUE(r.out.empty());
        EXPECT_NE(r.err.find(c.mentions), std::string::npos) << r.err;
    }
}

}  // namespace
}  // namespace tessaly
