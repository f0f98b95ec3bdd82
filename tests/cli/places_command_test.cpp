// tessaly-cli places, run as a program against a dat/dili.ini of our own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "cli/cli_test_util.h"
#include "common/TextCodec.h"

namespace {
namespace fs = std::filesystem;

class PlacesCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = fs::temp_directory_path() /
                ("tessaly_places_cli_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(home_);
        fs::create_directories(home_ / "dat");
        const tessaly::CodecResult gbk =
            tessaly::Utf8ToGbk("[北京市]\r\n北京=116:24*39:54\r\n坏值=116度\r\n西郊=-75:30*10:0\r\n");
        ASSERT_TRUE(gbk.ok());
        std::ofstream(home_ / "dat" / "dili.ini", std::ios::binary) << gbk.text;
    }
    void TearDown() override { fs::remove_all(home_); }

    tessaly::testing_cli::CliResult Places(const std::string& args) {
        return tessaly::testing_cli::RunCliLine("places " + args, home_);
    }

    fs::path home_;
};

TEST_F(PlacesCommandTest, ListsProvinces) {
    const auto r = Places("");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.substr(0, 24), "0\t福建省\n1\t北京市\n");
    EXPECT_NE(r.out.find("\n34\t未知地\n"), std::string::npos);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 35);
}

TEST_F(PlacesCommandTest, ListsCitiesAndReportsABadValueOnce) {
    for (const char* province : {"1", "北京市"}) {
        SCOPED_TRACE(province);
        const auto r = Places(province);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out,
                  "0\t北京\t116.4000\t39.9000\n"
                  "1\t坏值\t120.0000\t30.0000\n"
                  "2\t西郊\t-74.5000\t10.0000\n");
        EXPECT_NE(r.err.find("坏值=116度"), std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

TEST_F(PlacesCommandTest, UnknownLastAndEmptyProvinces) {
    const struct {
        const char* args;
        int status;
        const char* out;
    } kCases[] = {
        {"未知地", 0, "0\t未知地\t120.0000\t30.0000\n"},
        {"33", 0, ""},  // no section: no cities (a note on stderr)
        {"35", 2, ""},
        {"火星", 2, ""},
        {"1 2", 2, ""},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.args);
        const auto r = Places(c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_EQ(r.out, c.out);
        if (c.status != 0) {
            EXPECT_FALSE(r.err.empty());
        }
    }
}

}  // namespace
