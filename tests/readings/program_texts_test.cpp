#include "readings/ProgramTexts.h"

#include <gtest/gtest.h>

#include <string>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

TEST(ProgramTexts, EveryTextIsValidGbkText) {
    for (int id = 0; id < 10000; ++id) {
        const std::string_view t = ProgramText(id);
        if (t.empty()) continue;
        SCOPED_TRACE(id);
        EXPECT_TRUE(Utf8ToGbk(t).ok());
    }
}

TEST(ProgramTexts, SpousePalaceTextsBeginWithTheirGod) {
    // The marriage reading splits off the first two characters as the god's
    // name; 劫财's text begins 比劫 and 七杀's 偏官.
    const char* kNames[] = {"比肩", "比劫", "食神", "伤官", "偏财", "正财", "偏官", "正官", "偏印", "正印"};
    for (int g = 0; g < 10; ++g) {
        SCOPED_TRACE(g);
        EXPECT_TRUE(ProgramText(5251 + g).starts_with(kNames[g]));
    }
    EXPECT_TRUE(ProgramText(1).empty());
}

TEST(ProgramTexts, PersonalityTextsArePresentAndInTheirForm) {
    const char* kGods[] = {"比肩", "劫财", "食神", "伤官", "偏财", "正财", "七杀", "正官", "偏印", "正印"};
    for (int g = 0; g < 10; ++g) {
        SCOPED_TRACE(kGods[g]);
        EXPECT_TRUE(ProgramText(8200 + g).starts_with(std::string(kGods[g]) + "心性"));
        EXPECT_NE(ProgramText(8200 + g).find("优点"), std::string_view::npos);
        EXPECT_NE(ProgramText(8200 + g).find("缺点"), std::string_view::npos);
        EXPECT_TRUE(ProgramText(8210 + g).starts_with(std::string(kGods[g]) + "为喜用，"));
        EXPECT_TRUE(ProgramText(8220 + g).starts_with(std::string(kGods[g]) + "为忌神，"));
    }
    const char* kStems[] = {"甲木", "乙木", "丙火", "丁火", "戊土", "已土", "庚金", "辛金", "壬水", "癸水"};
    for (int n = 0; n < 10; ++n) {
        EXPECT_TRUE(ProgramText(7016 + n).starts_with(std::string(kStems[n]) + "日主，")) << 7016 + n;
    }
    const char* kStages[] = {"长生", "沐浴", "冠带", "临官", "帝旺", "衰", "病", "死", "墓", "绝", "胎", "养"};
    for (int s = 0; s < 12; ++s) {
        EXPECT_TRUE(ProgramText(8260 + s).starts_with(std::string(kStages[s]) + "：")) << 8260 + s;
    }
    EXPECT_EQ(ProgramText(8217), "正官为喜用，聪明有见识，行事知分寸而带有贵气，细心致密，朴素勤俭。");
    EXPECT_EQ(ProgramText(8227), "正官为忌神，有骄傲刚愎的现象但临事又优柔寡断，或缺乏责任感，目无法纪。");
    EXPECT_TRUE(ProgramText(7015).empty());
    EXPECT_TRUE(ProgramText(8230).empty());
    EXPECT_TRUE(ProgramText(8272).empty());
}

}  // namespace
}  // namespace tessaly
