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

}  // namespace
}  // namespace tessaly
