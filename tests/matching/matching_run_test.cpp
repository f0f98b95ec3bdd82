#include "matching/MatchingRun.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "common/IniFile.h"
#include "common/TextCodec.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

PersonRecord Person(const char* name, int year, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = static_cast<std::int16_t>(year);
    r.month = 5;
    r.day = 12;
    r.hour = 8;
    r.minute = 30;
    r.isMale = male;
    r.longitude = 120;
    r.latitude = 30;
    r.placeText = "未知地";
    return r;
}

TEST(MatchingRun, AssemblesTheReportInItsFixedOrder) {
    const MatchingResult m = RunMatching(Person("甲", 1990, true), Person("乙", 1992, false), {});
    ASSERT_TRUE(m.ok()) << m.status.message();

    const std::string r = m.Text();
    const std::size_t a = r.find("甲命八字：\r\n");
    const std::size_t b = r.find("乙命八字：\r\n");
    const std::size_t pairing = r.find("婚姻配对分析：");
    const std::size_t sep = r.find(kReportSeparator);
    const std::size_t tip = r.find("※提示：个人性格");
    const std::size_t footer = r.find("※软件开发商");
    const std::size_t closing = r.find(kReportClosing);
    EXPECT_EQ(a, 0u);
    EXPECT_LT(a, b);
    EXPECT_LT(b, pairing);
    EXPECT_LT(pairing, sep);
    EXPECT_LT(sep, tip);
    EXPECT_LT(tip, footer);
    EXPECT_LT(footer, closing);
    // Without the ending text the report ends with the closing line, no
    // line break after it.
    EXPECT_TRUE(r.ends_with(kReportClosing));
    EXPECT_EQ(std::string(kReportSeparator).size(), 73u);  // 71 hyphens and CR LF

    EXPECT_EQ(m.persons[0].Person().personNo, 0);
    EXPECT_EQ(m.persons[1].Person().personNo, 1);
    EXPECT_EQ(m.persons[0].Person().name, "甲");
}

TEST(MatchingRun, BlocksCarryTheRolesOfTheirText) {
    const MatchingResult m = RunMatching(Person("甲", 1990, true), Person("乙", 1992, false), {});
    ASSERT_TRUE(m.ok());
    // The text of each role, run together in report order.
    const auto textOf = [&](ReportRole role) {
        std::string s;
        for (const ReportBlock& b : m.report.Blocks()) {
            if (b.role == role) s += b.text + "|";
        }
        return s;
    };
    EXPECT_EQ(textOf(ReportRole::kPersonHeading), "甲命八字：|乙命八字：|");
    EXPECT_EQ(textOf(ReportRole::kPairingHeading), "婚姻配对分析：|");
    EXPECT_EQ(textOf(ReportRole::kMatchIndex), "婚配指数：" + std::to_string(int(m.index)) + "分|");
    EXPECT_EQ(textOf(ReportRole::kReadingHeading),
              "甲命性格特征：(测个人性情、先天禀赋、相貌、喜好等)|甲命婚姻择偶：(测婚姻、恋爱、看夫妻状况)|");
    EXPECT_EQ(textOf(ReportRole::kPersonBReadingHeading),
              "乙命性格特征：(测个人性情、先天禀赋、相貌、喜好等)|乙命婚姻择偶：(测婚姻、恋爱、看夫妻状况)|");
    EXPECT_TRUE(textOf(ReportRole::kPillarRow).starts_with("乾造  "));
    EXPECT_NE(textOf(ReportRole::kPillarRow).find("|坤造  "), std::string::npos);
    EXPECT_TRUE(textOf(ReportRole::kPersonBNotes).starts_with("☆胎元："));
    EXPECT_NE(textOf(ReportRole::kPersonBReading).find("※提示："), std::string::npos);
}

TEST(MatchingRun, EndingTextFollowsTheClosingLineWhenAskedFor) {
    const EndingText ending{{"第一行", "第二行"}};
    for (const bool on : {false, true}) {
        SCOPED_TRACE(on);
        ChartOptions options;
        options.appendEnding = on;
        const MatchingResult m = RunMatching(Person("甲", 1990, true), Person("乙", 1992, false), options, ending);
        ASSERT_TRUE(m.ok());
        EXPECT_TRUE(m.Text().ends_with(std::string(kReportClosing) + (on ? "第一行\r\n第二行\r\n" : "")));
    }
}

TEST(MatchingRun, FailedPersonStopsTheRunAndIsNamed) {
    PersonRecord lunar = Person("乙", 2023, false);
    lunar.isLunar = 1;
    lunar.isLeapMonth = 1;
    lunar.month = 2;
    lunar.day = 30;
    PersonRecord feb30 = Person("乙", 2023, false);
    feb30.month = 2;
    feb30.day = 30;
    const struct {
        const char* what;
        PersonRecord a, b;
        int failed;
        std::string message, errorText;
    } kCases[] = {
        {"person A out of range", Person("甲", -850, true), Person("乙", 1990, false), 0, kYearRangeMessage,
         std::string("甲命：") + kYearRangeMessage + "（-851-05-12）"},
        {"person B out of range", Person("甲", 1990, true), Person("乙", 2101, false), 1, kYearRangeMessage,
         std::string("乙命：") + kYearRangeMessage + "（2101-05-12）"},
        {"person B's day does not exist", Person("甲", 1990, true), feb30, 1, kNoSuchDate,
         "乙命：不存在这个日期（2023-02-30）"},
        {"person B's leap-month day does not exist", Person("甲", 1990, true), lunar, 1, kNoSuchLunarDate,
         std::string("乙命：") + kNoSuchLunarDate + "（农历2023-闰02-30）"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        const MatchingResult m = RunMatching(c.a, c.b, {});
        EXPECT_FALSE(m.ok());
        EXPECT_EQ(m.failedPerson, c.failed);
        EXPECT_EQ(m.status.message(), c.message);
        EXPECT_EQ(m.ErrorText(), c.errorText);
        EXPECT_TRUE(m.report.Empty());
    }
}

TEST(MatchingRun, RunsAreIndependentOfEachOther) {
    const PersonRecord a = Person("甲", 1990, true), b = Person("乙", 1992, false);
    const MatchingResult first = RunMatching(a, b, {});
    RunMatching(Person("丙", 1700, false), Person("丁", -300, true), {});
    const MatchingResult again = RunMatching(a, b, {});
    EXPECT_EQ(first.Text(), again.Text());
    EXPECT_EQ(first.report, again.report);
    EXPECT_EQ(first.index, again.index);
}

// A name GBK cannot hold changes nothing in the report but the name: the
// report is UTF-8 and its columns are counted by the width rule of TextCodec.
TEST(MatchingRun, NamesOutsideGbkAreReportedAsGiven) {
    const MatchingResult plain = RunMatching(Person("甲", 1990, true), Person("乙", 1992, false), {});
    const MatchingResult named = RunMatching(Person("Søren", 1990, true), Person("김민준", 1992, false), {});
    ASSERT_TRUE(named.ok()) << named.status.message();
    std::string text = named.Text();
    for (const auto& [from, to] :
         {std::pair{"命主姓名:Søren  ", "命主姓名:甲  "}, {"命主姓名:김민준  ", "命主姓名:乙  "}}) {
        const std::size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, std::string(from).size(), to);
    }
    EXPECT_EQ(text, plain.Text());
    EXPECT_EQ(named.index, plain.index);
}

TEST(ChartOptions, ReadWriteAndSetThroughOneKeyTable) {
    IniFile ini;
    std::vector<std::string> warnings;
    ChartOptions o = ReadChartOptions(ini, &warnings);
    EXPECT_TRUE(o.specialPatternRoles);
    EXPECT_FALSE(o.lateZiHourKeepsDay);
    EXPECT_EQ(o.firstLineIndent, 0);
    EXPECT_TRUE(warnings.empty());
    ini.Parse("[set]\nzishi=1\nmgong=1\npai=1\nidate=2\nleftpos=120\nbscore=1\ncongGe=1\n");
    o = ReadChartOptions(ini, &warnings);
    EXPECT_TRUE(o.lateZiHourKeepsDay);
    EXPECT_TRUE(o.specialPatternRoles);  // key missing: default true
    EXPECT_TRUE(o.lifePalaceByMidTerm);
    EXPECT_TRUE(o.verticalChart);
    EXPECT_EQ(o.timeBasis, TimeBasis::kLocalMeanTime);
    EXPECT_EQ(o.firstLineIndent, 120);
    EXPECT_TRUE(o.highScoreScale);
    EXPECT_TRUE(o.followJudgements);
    EXPECT_TRUE(warnings.empty());

    EXPECT_TRUE(SetChartOption(o, "ZiShi=0").ok());
    EXPECT_FALSE(o.lateZiHourKeepsDay);
    EXPECT_TRUE(SetChartOption(o, "congge=0").ok());
    EXPECT_FALSE(o.followJudgements);

    IniFile out;
    WriteChartOptions(o, out);
    const ChartOptions back = ReadChartOptions(out);
    EXPECT_EQ(back.timeBasis, o.timeBasis);
    EXPECT_EQ(back.lateZiHourKeepsDay, o.lateZiHourKeepsDay);
    EXPECT_EQ(out.ReadString("set", "biange"), "1");
    EXPECT_EQ(out.Keys("set"), (std::vector<std::string>{"leftpos", "zishi", "biange", "mgong", "pai", "idate", "save",
                                                         "bscore", "congGe", "endinfo", "indexparts"}));
}

TEST(ChartOptions, ValuesOutsideTheirRangeAreRefusedOrReplacedByTheDefault) {
    const struct {
        const char* keyValue;
        const char* refusal;  // what --set says; the file gives the default and a warning
    } kCases[] = {
        {"idate=3", "--set idate: 3 is outside 0..2"},
        {"idate=-1", "--set idate: -1 is outside 0..2"},
        {"zishi=2", "--set zishi: 2 is outside 0..1"},
        {"leftpos=501", "--set leftpos: 501 is outside 0..500"},
        {"leftpos=99999999999999999999", "--set leftpos: '99999999999999999999' is not a number"},
        {"pai=x", "--set pai: 'x' is not a number"},
        {"colour=1",
         "--set: unknown option 'colour' (leftpos, zishi, biange, mgong, pai, idate, save, bscore, "
         "congGe, endinfo, indexparts)"},
        {"zishi", "--set needs KEY=VALUE, got 'zishi'"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.keyValue);
        ChartOptions o;
        EXPECT_EQ(SetChartOption(o, c.keyValue).message(), c.refusal);
        const std::string kv = c.keyValue;
        if (kv.find('=') == std::string::npos || kv.starts_with("colour")) continue;
        IniFile ini;
        ini.Parse("[set]\n" + kv + "\n");
        std::vector<std::string> warnings;
        const ChartOptions read = ReadChartOptions(ini, &warnings);
        EXPECT_EQ(read.timeBasis, TimeBasis::kBeijingTime);
        EXPECT_FALSE(read.lateZiHourKeepsDay);
        EXPECT_EQ(read.firstLineIndent, 0);
        EXPECT_FALSE(read.verticalChart);
        ASSERT_EQ(warnings.size(), 1u);
        EXPECT_NE(warnings[0].find(kv), std::string::npos) << warnings[0];
    }
}

class EndingTextFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("tessaly_ending_" + std::to_string(::getpid()));
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    fs::path dir_;
};

TEST_F(EndingTextFile, ReadsLinesAsAnEditorDoesAndRefusesWhatIsNotGbk) {
    const struct {
        const char* what;
        const char* file;  // GBK after conversion; nullptr: no file
        std::vector<std::string> lines;
    } kCases[] = {
        {"two lines", "第一行\r\n第二行\r\n", {"第一行", "第二行"}},
        {"no final line end", "第一行\r\n第二行", {"第一行", "第二行"}},
        {"empty file", "", {}},
        {"missing file", nullptr, {}},
    };
    const fs::path path = dir_ / "EndInfo.txt";
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        fs::remove(path);
        if (c.file != nullptr) std::ofstream(path, std::ios::binary) << Utf8ToGbk(c.file).text;
        EndingText e;
        ASSERT_TRUE(ReadEndingText(path, &e).ok());
        EXPECT_EQ(e.lines, c.lines);
    }
    std::ofstream(path, std::ios::binary) << "\xFF\xFE";
    EndingText e;
    const Status s = ReadEndingText(path, &e);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("EndInfo.txt"), std::string::npos);

    // Written back as GBK with CR LF after every line.
    ASSERT_TRUE(WriteEndingText(path, EndingText{{"第一行", "第二行"}}).ok());
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(path, &bytes).ok());
    EXPECT_EQ(GbkToUtf8(bytes).text, "第一行\r\n第二行\r\n");
}

TEST(SplitLines, LoadsLinesAsAnEditorDoes) {
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace tessaly
