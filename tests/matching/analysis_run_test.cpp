#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

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
    for (const bool bscore : {false, true}) {
        SCOPED_TRACE(bscore ? "bscore" : "no bscore");
        ChartOptions options;
        options.highScoreScale = bscore;
        const MatchingResult m = RunMatching(Person(1990, true), Person(1992, false), options);
        ASSERT_TRUE(m.ok()) << m.status.message();
        const std::string r = m.Text();

        EXPECT_EQ(Count(r, "※五行力量："), 2u);
        EXPECT_EQ(Count(r, "※日主综合得分："), 2u);
        EXPECT_EQ(Count(r, "地支"), 4u);  // two relations sections, two cross paragraphs
        const std::size_t b = r.find("乙命八字：");
        const std::size_t pairing = r.find("婚姻配对分析：\r\n        婚配指数：");
        EXPECT_LT(r.find("※五行力量："), b);
        EXPECT_LT(r.rfind("※五行力量："), pairing);

        char shown[64];
        std::snprintf(shown, sizeof shown, "婚配指数：%d分\r\n", static_cast<int>(m.index));
        EXPECT_EQ(r.find(shown), pairing + std::string("婚姻配对分析：\r\n        ").size());
        EXPECT_GE(m.index, bscore ? 10.0f : 0.0f);
        EXPECT_LE(m.index, 99.0f);
        // The stored charts carry the analysis.
        const ChartData& a = m.persons[0].Chart();
        EXPECT_NE(a.elementScore[0] + a.elementScore[1] + a.elementScore[2] + a.elementScore[3] + a.elementScore[4], 0);
        EXPECT_EQ(m.persons[1].Chart().patterns[3], -1);
    }
}

}  // namespace
}  // namespace tessaly
