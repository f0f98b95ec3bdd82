#include "engine/Baziex.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/IniFile.h"
#include "common/ProgramDir.h"
#include "common/TextCodec.h"
#include "engine/program_home_test_util.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

// Records what the engine hands to the screen.
class RecordingPresenter : public ReportPresenter {
public:
    void ShowReport(const CBaZiEx&, const std::string& report) override {
        shown.push_back(report);
    }
    void DrawChartPicture(const CBaZiEx&) override { ++drawn; }
    std::vector<std::string> shown;
    int drawn = 0;
};

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

class MatchingRunTest : public testing_engine::ProgramHomeTest {
protected:
    void WriteGbk(const fs::path& name, const std::string& utf8) {
        std::ofstream(home_ / "dat" / name, std::ios::binary) << Utf8ToGbk(utf8).text;
    }
    void SetOption(const char* key, long value) {
        IniFile ini(home_ / "dat" / "pan.ini");
        ini.WriteInteger("set", key, value);
        ASSERT_TRUE(ini.Save().ok());
    }
};

TEST_F(MatchingRunTest, AssemblesTheReportInItsFixedOrder) {
    RecordingPresenter screen;
    CBaZiEx engine(&screen);
    ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false))) << engine.errorText;

    const std::string& r = engine.LastReport();
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

    ASSERT_EQ(screen.shown.size(), 1u);
    EXPECT_EQ(screen.shown[0], r);
    EXPECT_EQ(screen.drawn, 1);
    EXPECT_TRUE(engine.reportText.empty());  // handed on
    EXPECT_EQ(engine.personA.personNo, 0);
    EXPECT_EQ(engine.personB.personNo, 1);
}

TEST_F(MatchingRunTest, EndingTextFollowsTheClosingLineWhenEnabled) {
    const struct {
        const char* what;
        const char* file;   // nullptr: no file
        long endinfo;
        const char* tail;   // what follows the closing line
    } kCases[] = {
        {"two lines", "第一行\r\n第二行\r\n", 1, "第一行\r\n第二行\r\n"},
        {"no final line end", "第一行\r\n第二行", 1, "第一行\r\n第二行\r\n"},
        {"empty file", "", 1, ""},
        {"missing file", nullptr, 1, ""},
        {"option off", "第一行\r\n", 0, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        fs::remove(home_ / "dat" / "EndInfo.txt");
        if (c.file != nullptr) WriteGbk("EndInfo.txt", c.file);
        SetOption("endinfo", c.endinfo);
        CBaZiEx engine;
        ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false)));
        EXPECT_TRUE(engine.LastReport().ends_with(std::string(kReportClosing) + c.tail));
        EXPECT_TRUE(engine.Warnings().empty());
    }
}

TEST_F(MatchingRunTest, UnreadableEndingTextIsReportedNotSilentlyDropped) {
    std::ofstream(home_ / "dat" / "EndInfo.txt", std::ios::binary) << "\xFF\xFE";
    SetOption("endinfo", 1);
    CBaZiEx engine;
    ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false)));
    EXPECT_TRUE(engine.LastReport().ends_with(kReportClosing));
    ASSERT_EQ(engine.Warnings().size(), 1u);
    EXPECT_NE(engine.Warnings()[0].find("EndInfo.txt"), std::string::npos);
}

TEST_F(MatchingRunTest, OptionsAreReadAtEveryRun) {
    CBaZiEx engine;
    ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false)));
    EXPECT_TRUE(engine.options.biange);  // default without a file
    EXPECT_FALSE(engine.AutoSaveWanted());
    SetOption("save", 1);
    SetOption("biange", 0);
    ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false)));
    EXPECT_TRUE(engine.AutoSaveWanted());
    EXPECT_FALSE(engine.options.biange);
}

TEST_F(MatchingRunTest, FailedPersonStopsTheRunBeforeTheScreen) {
    const struct {
        const char* what;
        int yearA, yearB;
    } kCases[] = {{"person B out of range", 1990, 2101}, {"person A out of range", -850, 1990}};
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        RecordingPresenter screen;
        CBaZiEx engine(&screen);
        EXPECT_FALSE(engine.RunMatching(Person("甲", c.yearA, true), Person("乙", c.yearB, false)));
        EXPECT_EQ(engine.errorText, kYearRangeMessage);
        EXPECT_TRUE(screen.shown.empty());
        EXPECT_EQ(screen.drawn, 0);
    }
}

TEST_F(MatchingRunTest, ReportPaneKeepsItsTextWhenShowReportIsOff) {
    RecordingPresenter screen;
    CBaZiEx engine(&screen);
    engine.showReport = 0;
    ASSERT_TRUE(engine.RunMatching(Person("甲", 1990, true), Person("乙", 1992, false)));
    EXPECT_TRUE(screen.shown.empty());
    EXPECT_EQ(screen.drawn, 1);
}

TEST(ChartOptions, DefaultsAndOverrides) {
    IniFile ini;
    ChartOptions o = ReadChartOptions(ini);
    EXPECT_TRUE(o.biange);
    EXPECT_FALSE(o.zishi);
    EXPECT_EQ(o.leftpos, 0);
    ini.Parse("[set]\nzishi=1\nmgong=1\npai=1\nidate=2\nleftpos=120\nbscore=1\ncongGe=1\n");
    o = ReadChartOptions(ini);
    EXPECT_TRUE(o.zishi);
    EXPECT_TRUE(o.biange);  // key missing: default true
    EXPECT_EQ(o.mgong, 1);
    EXPECT_EQ(o.pai, 1);
    EXPECT_EQ(o.idate, 2);
    EXPECT_EQ(o.leftpos, 120);
    EXPECT_TRUE(o.bscore);
    EXPECT_TRUE(o.congGe);

    EXPECT_TRUE(SetChartOption(o, "ZiShi=0").ok());
    EXPECT_FALSE(o.zishi);
    EXPECT_TRUE(SetChartOption(o, "congge=0").ok());
    EXPECT_FALSE(o.congGe);
    EXPECT_FALSE(SetChartOption(o, "zishi").ok());
    EXPECT_FALSE(SetChartOption(o, "colour=1").ok());
    EXPECT_FALSE(SetChartOption(o, "idate=two").ok());

    IniFile out;
    WriteChartOptions(o, out);
    const ChartOptions back = ReadChartOptions(out);
    EXPECT_EQ(back.idate, o.idate);
    EXPECT_EQ(back.zishi, o.zishi);
    EXPECT_EQ(out.ReadString("set", "biange"), "1");
}

TEST(SplitLines, LoadsLinesAsAnEditorDoes) {
    EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
    EXPECT_EQ(SplitLines("a\r\nb\r\n"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\nb"), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(SplitLines("a\r\n\r\nb"), (std::vector<std::string>{"a", "", "b"}));
}

}  // namespace
}  // namespace tessaly
