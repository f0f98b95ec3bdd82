#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "common/ProgramDir.h"
#include "engine/Baziex.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

PersonRecord Person(int year, bool male) {
    PersonRecord r;
    r.year = static_cast<std::int16_t>(year);
    r.month = 5;
    r.day = 12;
    r.hour = 8;
    r.isMale = male;
    r.longitude = 120;
    r.placeText = "未知地";
    return r;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// The analysis of both persons and the pairing land in the report in their
// places, and the index shown is the one stored.
TEST(AnalysisInTheRun, StrengthRelationsAndPairingSections) {
    const fs::path home = fs::temp_directory_path() / "tessaly_analysis_run";
    fs::remove_all(home);
    fs::create_directories(home / "dat");
    SetProgramDir(home);

    for (const bool bscore : {false, true}) {
        SCOPED_TRACE(bscore ? "bscore" : "no bscore");
        CBaZiEx engine;
        engine.SetOptionOverrides({bscore ? "bscore=1" : "bscore=0"});
        ASSERT_TRUE(engine.RunMatching(Person(1990, true), Person(1992, false))) << engine.errorText;
        const std::string& r = engine.LastReport();

        EXPECT_EQ(Count(r, "※五行力量："), 2u);
        EXPECT_EQ(Count(r, "※日主综合得分："), 2u);
        EXPECT_EQ(Count(r, "地支"), 4u);  // two relations sections, two cross paragraphs
        const std::size_t b = r.find("乙命八字：");
        const std::size_t pairing = r.find("婚姻配对分析：\r\n        婚配指数：");
        EXPECT_LT(r.find("※五行力量："), b);
        EXPECT_LT(r.rfind("※五行力量："), pairing);

        char shown[64];
        std::snprintf(shown, sizeof shown, "婚配指数：%d分\r\n", static_cast<int>(engine.matchIndex));
        EXPECT_EQ(r.find(shown), pairing + std::string("婚姻配对分析：\r\n        ").size());
        EXPECT_GE(engine.matchIndex, bscore ? 10.0f : 0.0f);
        EXPECT_LE(engine.matchIndex, 99.0f);
        // The stored charts carry the analysis.
        EXPECT_NE(engine.chartA.elementScore[0] + engine.chartA.elementScore[1] + engine.chartA.elementScore[2] +
                      engine.chartA.elementScore[3] + engine.chartA.elementScore[4],
                  0);
        EXPECT_EQ(engine.chartB.patterns[3], -1);
    }
    fs::remove_all(home);
}

}  // namespace
}  // namespace tessaly
