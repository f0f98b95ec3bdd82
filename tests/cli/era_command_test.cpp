#include <gtest/gtest.h>

#include "cli/cli_test_util.h"

#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace {

using tessaly::testing_cli::RunCliLine;

TEST(EraCommand, YieldsExpectedOutput) {
    const struct {
        const char* args;
        int status;
        const char* out;
    } kCases[] = {
        {"era 2024", 0, "[当代] 中国  公历纪元2024年\n"},
        {"era -140", 0, "[西汉] 武帝 刘彻 建元1年\n"},  // 140 BC
        {"era -1", 0, "[西汉] 哀帝 刘欣 元寿2年\n"},    // 1 BC
        {"era 1", 0, "[西汉] 平帝 刘衎 元始1年\n"},
        {"era -4712", 0, "\n"},  // no era: an empty line
        {"era 9999", 0, "[当代] 中国  公历纪元9999年\n"},
        {"era 0", 2, ""},
        {"era -4713", 2, ""},
        {"era 10000", 2, ""},
        {"era 99999999999", 2, ""},  // beyond int: still a range error
        {"era 19x", 2, ""},
        {"era ''", 2, ""},
        {"era", 2, ""},
        {"era 1 2", 2, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args);
        const auto r = RunCliLine(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
    }
}

}  // namespace
