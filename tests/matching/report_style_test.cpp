#include "matching/ReportStyle.h"

#include <gtest/gtest.h>

#include "matching/MatchingRun.h"

namespace tessaly {
namespace {

// The style of every byte of the text after the runs are laid over the base.
std::vector<TextStyle> Apply(const StyledReport& r) {
    std::vector<TextStyle> styles(r.text.size(), r.base);
    for (const StyleRun& run : r.runs) {
        for (std::size_t i = run.start; i < run.start + run.length && i < styles.size(); ++i) {
            if (run.color) styles[i].color = *run.color;
            if (run.pointSize) styles[i].pointSize = *run.pointSize;
            if (run.bold) styles[i].bold = *run.bold;
        }
    }
    return styles;
}

class ReportStyleTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        PersonRecord a, b;
        a.name = "甲";
        a.SetTime({1990, 5, 12, 8, 30});
        a.isMale = 1;
        b.name = "乙";
        b.SetTime({1992, 11, 3, 21, 10});
        b.isMale = 0;
        for (PersonRecord* p : {&a, &b}) {
            p->longitude = 120;
            p->placeText = "未知地";
        }
        const MatchingResult m = RunMatching(a, b, {});
        ASSERT_TRUE(m.ok()) << m.status.message();
        report_ = new StyledReport(StyleReport(m.report, "宋体", 12, 20));
        styles_ = new std::vector<TextStyle>(Apply(*report_));
    }
    static void TearDownTestSuite() {
        delete report_;
        delete styles_;
    }

    // The style of the first byte of the n-th occurrence of `what`.
    static TextStyle At(const std::string& what, int occurrence = 0, std::size_t offset = 0) {
        std::size_t at = report_->text.find(what);
        for (int k = 0; k < occurrence && at != std::string::npos; ++k) at = report_->text.find(what, at + 1);
        EXPECT_NE(at, std::string::npos) << what;
        return at == std::string::npos ? TextStyle{} : (*styles_)[at + offset];
    }

    static StyledReport* report_;
    static std::vector<TextStyle>* styles_;
};
StyledReport* ReportStyleTest::report_ = nullptr;
std::vector<TextStyle>* ReportStyleTest::styles_ = nullptr;

TEST_F(ReportStyleTest, HeadingsPillarsIndexAndSections) {
    const TextStyle blueBold{kReportBlue, 12, true};
    const struct {
        const char* what;
        int occurrence;
        TextStyle want;
    } kCases[] = {
        {"甲命八字：", 0, blueBold},
        {"命主姓名", 0, {kReportBlack, 12, false}},
        {"乾造", 0, {kReportRed, 12, false}},    // A's pillar row
        {"藏干", 0, {kReportBlack, 12, false}},  // ends before 藏干
        {"☆胎元", 0, {kReportBlack, 11, false}},
        {"乙命八字：", 0, blueBold},
        {"命主姓名", 1, {kReportGreen, 12, false}},  // B's chart in green
        {"坤造", 0, {kReportRed, 12, false}},
        {"☆胎元", 1, {kReportGreen, 11, false}},
        {"婚姻配对分析：", 0, blueBold},
        {"婚配指数", 0, {kReportRed, 16, true}},
        {"☆乙命对甲命", 0, {kReportBlue, 11, false}},
        {"-----", 0, {kReportBlack, 12, false}},
        {"※软件开发商", 0, {kReportBlack, 12, false}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(At(c.what, c.occurrence), c.want);
    }
    // The index's unit 分 is inside the red run.
    const std::size_t i = report_->text.find("婚配指数");
    const std::size_t fen = report_->text.find("分", i);
    EXPECT_EQ((*styles_)[fen + 2].color, kReportRed);
    EXPECT_EQ(report_->firstLineIndent, 300);
    EXPECT_EQ(report_->base.pointSize, 12);
}

TEST(ReportStyle, StylesFollowTheRolesNotTheWords) {
    // A name that reads like a heading or a pillar row stays plain text: the
    // style comes from the block's role.
    ReportText t;
    t.Add(ReportRole::kPersonHeading, "甲命八字：");
    t.Add(ReportRole::kBody, "\r\n命主姓名:乾造  藏干婚配指数");
    t.Add(ReportRole::kMatchIndex, "婚配指数：70分");
    const StyledReport r = StyleReport(t, "宋体", 10, 0);
    EXPECT_EQ(r.text, t.PlainText());
    ASSERT_EQ(r.runs.size(), 2u);  // plain text needs no run
    EXPECT_EQ(r.runs[0].start, 0u);
    EXPECT_EQ(r.runs[0].length, std::string("甲命八字：").size());
    EXPECT_EQ(r.runs[0].color, kReportBlue);
    EXPECT_EQ(r.runs[1].start, t.PlainText().find("婚配指数：70分"));
    EXPECT_EQ(r.runs[1].pointSize, 14);
    EXPECT_TRUE(StyleReport(ReportText{}, "宋体", 12, 0).runs.empty());
}

}  // namespace
}  // namespace tessaly
