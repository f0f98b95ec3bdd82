#include "common/SystemError.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace tessaly {
namespace {

TEST(SystemErrorText, NamesTheCausesAUserCanActOnInChinese) {
    const struct {
        int errnoValue;
        const char* want;
    } kCases[] = {
        {ENOENT, "文件或文件夹不存在"}, {EACCES, "没有访问权限"},    {EPERM, "没有访问权限"},
        {ENOSPC, "磁盘空间已满"},       {EROFS, "所在磁盘是只读的"}, {EISDIR, "这是一个文件夹，不是文件"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.errnoValue);
        EXPECT_EQ(SystemErrorText(c.errnoValue), c.want);
        EXPECT_EQ(SystemErrorText(std::error_code(c.errnoValue, std::generic_category())), c.want);
    }
}

TEST(SystemErrorText, OtherCausesKeepTheirNumberAndTheSystemText) {
    const std::string text = SystemErrorText(EXDEV);
    EXPECT_EQ(text.rfind("系统错误 " + std::to_string(EXDEV) + "（", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("系统错误 18（）").size());
}

}  // namespace
}  // namespace tessaly
