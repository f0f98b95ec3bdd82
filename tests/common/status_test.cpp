#include "common/Status.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(Status, KindTellsDamageThatARepairMendsFromOtherFailures) {
    const struct {
        const char* what;
        Status status;
        bool ok;
        Status::Kind kind;
        const char* message;
    } kCases[] = {
        {"success", Status::Ok(), true, Status::Kind::kOk, ""},
        {"default", Status(), true, Status::Kind::kOk, ""},
        {"error", Status::Error("无法写入 a.ini：磁盘空间已满"), false, Status::Kind::kError,
         "无法写入 a.ini：磁盘空间已满"},
        {"needs repair", Status::NeedsRepair("命例库文件 bazi1.dat 不见了"), false, Status::Kind::kNeedsRepair,
         "命例库文件 bazi1.dat 不见了"},
        {"error without words", Status::Error(""), false, Status::Kind::kError, "未知错误"},
        {"damage without words", Status::NeedsRepair(""), false, Status::Kind::kNeedsRepair, "未知错误"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.status.ok(), c.ok);
        EXPECT_EQ(static_cast<bool>(c.status), c.ok);
        EXPECT_EQ(c.status.kind(), c.kind);
        EXPECT_EQ(c.status.needsRepair(), c.kind == Status::Kind::kNeedsRepair);
        EXPECT_EQ(c.status.message(), c.message);
    }
}

}  // namespace
}  // namespace tessaly
