// Many couples drawn over the whole accepted range: every run either gives a
// complete report in GBK text with an index of 0..99, or is refused with one
// of the conversion messages. Catches a sentence that GBK cannot hold, a
// date that breaks the calendar, an index out of range.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <set>

#include "common/TextCodec.h"
#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

TEST(ReportSweep, EveryRunGivesAWholeGbkReportOrAKnownRefusal) {
    const std::set<std::string> kRefusals = {"不存在这个农历日期，无法转换到公历！", "不存在这个日期",
                                             "时间越界，年份在-850到2100之间", "公、农历正常转换年份在-850到2100之间"};
    std::mt19937 rng(20261209);
    const auto draw = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int reports = 0;
    for (int i = 0; i < 300; ++i) {
        PersonRecord p[2];
        for (PersonRecord& r : p) {
            r.name = "某人";
            r.year = static_cast<std::int16_t>(draw(kMinYear, kMaxYear));
            r.month = static_cast<std::int16_t>(draw(1, 12));
            r.day = static_cast<std::int16_t>(draw(1, 31));
            r.hour = static_cast<std::int16_t>(draw(0, 23));
            r.minute = static_cast<std::int16_t>(draw(0, 59));
            r.isLunar = draw(0, 3) == 0;
            r.isLeapMonth = r.isLunar && draw(0, 4) == 0;
            r.isMale = static_cast<std::uint8_t>(draw(0, 1));
            r.longitude = static_cast<float>(draw(73, 135));
            r.placeText = "未知地";
        }
        if (p[0].year == 1582 && p[0].month == 10 && p[0].day >= 5 && p[0].day <= 14) continue;
        if (p[1].year == 1582 && p[1].month == 10 && p[1].day >= 5 && p[1].day <= 14) continue;
        ChartOptions options;
        for (const std::string& kv : {"idate=" + std::to_string(draw(0, 2)), "zishi=" + std::to_string(draw(0, 1)),
                                      "pai=" + std::to_string(draw(0, 1)), "congGe=" + std::to_string(draw(0, 1)),
                                      "bscore=" + std::to_string(draw(0, 1))}) {
            ASSERT_TRUE(SetChartOption(options, kv).ok());
        }
        SCOPED_TRACE(testing::Message() << "couple " << i << ": " << p[0].year << '-' << p[0].month << '-' << p[0].day
                                        << (p[0].isLunar ? " lunar" : "") << ", " << p[1].year << '-' << p[1].month
                                        << '-' << p[1].day << (p[1].isLunar ? " lunar" : ""));
        const MatchingResult m = RunMatching(p[0], p[1], options);
        if (!m.ok()) {
            EXPECT_TRUE(kRefusals.count(m.status.message())) << m.status.message();
            continue;
        }
        ++reports;
        const std::string r = m.Text();
        EXPECT_TRUE(r.starts_with("甲命八字：\r\n"));
        EXPECT_NE(r.find("乙命八字：\r\n"), std::string::npos);
        EXPECT_NE(r.find("婚姻配对分析："), std::string::npos);
        EXPECT_TRUE(r.ends_with(kReportClosing));
        const CodecResult gbk = Utf8ToGbk(r);
        EXPECT_TRUE(gbk.ok()) << gbk.error;
        EXPECT_GE(m.index, 0.0f);
        EXPECT_LT(m.index, 100.0f);
    }
    EXPECT_GT(reports, 200);
}

}  // namespace
}  // namespace tessaly
