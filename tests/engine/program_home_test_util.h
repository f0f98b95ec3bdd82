// A program folder of the test's own (with an empty dat/), made the
// program folder for the test and removed afterwards.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/ProgramDir.h"

namespace tessaly::testing_engine {

class ProgramHomeTest : public ::testing::Test {
protected:
    void SetUp() override {
        home_ = std::filesystem::temp_directory_path() /
                ("tessaly_home_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->test_suite_name()) +
                 "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(home_);
        std::filesystem::create_directories(home_ / "dat");
        SetProgramDir(home_);
    }
    void TearDown() override { std::filesystem::remove_all(home_); }

    std::filesystem::path home_;
};

}  // namespace tessaly::testing_engine
