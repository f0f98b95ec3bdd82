#include "common/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/TextCodec.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessaly_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteGbk(const fs::path& p, const std::string& utf8) {
        const CodecResult g = Utf8ToGbk(utf8);
        ASSERT_TRUE(g.ok());
        std::ofstream(p, std::ios::binary) << g.text;
    }
    std::string ReadUtf8(const fs::path& p) {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(p, &bytes).ok());
        return GbkToUtf8(bytes).text;
    }
    fs::path dir_;
};

TEST_F(IniFileTest, ReadsTypedValuesWithDefaults) {
    IniFile ini;
    ini.Parse("[Set]\nzishi=1\nbiange=0\nmgong= 2 \nleftpos=abc\nbig=7\nneg=-3\n");
    EXPECT_TRUE(ini.ReadBool("set", "ZISHI", false));  // case-insensitive
    EXPECT_FALSE(ini.ReadBool("set", "biange", true));
    EXPECT_TRUE(ini.ReadBool("set", "big", false));  // any non-zero is true
    EXPECT_EQ(ini.ReadInteger("set", "mgong", 0), 2);
    EXPECT_EQ(ini.ReadInteger("set", "leftpos", 42), 42);  // not a number: default
    EXPECT_EQ(ini.ReadInteger("set", "neg", 0), -3);
    EXPECT_EQ(ini.ReadInteger("set", "missing", 9), 9);
    EXPECT_EQ(ini.ReadInteger("nosuch", "mgong", 5), 5);
    EXPECT_TRUE(ini.ReadBool("set", "missing", true));
    EXPECT_EQ(ini.ReadString("set", "missing", "x"), "x");
}

TEST_F(IniFileTest, MissingFileReadsAsEmpty) {
    IniFile ini(dir_ / "none.ini");
    EXPECT_TRUE(ini.loadStatus().ok());
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_EQ(ini.ReadInteger("set", "pai", 1), 1);
}

TEST_F(IniFileTest, ChineseSectionsAndKeysKeepFileOrder) {
    WriteGbk(dir_ / "dili.ini",
             "[福建省]\r\n福州=119:18*26:05\r\n厦门=118:06*24:27\r\n[北京市]\r\n北京=116:24*39:54\r\n");
    IniFile ini(dir_ / "dili.ini");
    ASSERT_TRUE(ini.loadStatus().ok()) << ini.loadStatus().message();
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"福建省", "北京市"}));
    EXPECT_EQ(ini.Keys("福建省"), (std::vector<std::string>{"福州", "厦门"}));
    EXPECT_EQ(ini.ReadString("北京市", "北京"), "116:24*39:54");
}

TEST_F(IniFileTest, WritingOneKeyKeepsEverythingElse) {
    const fs::path p = dir_ / "bzinit.ini";
    WriteGbk(p, "; comment stays\r\n[winpos]\r\nleft=10\r\ntop=20\r\n\r\n[classes]\r\n0=临时保存\r\n");
    IniFile ini(p);
    ini.WriteInteger("WinPos", "top", 33);     // existing key, other case
    ini.WriteInteger("winpos", "width", 400);  // new key in an existing section
    ini.WriteString("皮肤", "名称", "Mx1");    // new section
    ASSERT_TRUE(ini.Save().ok());
    EXPECT_EQ(ReadUtf8(p),
              "; comment stays\r\n[winpos]\r\nleft=10\r\ntop=33\r\nwidth=400\r\n\r\n"
              "[classes]\r\n0=临时保存\r\n\r\n[皮肤]\r\n名称=Mx1\r\n");
    // Nothing but the file itself is left in the folder.
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir_)) names.push_back(e.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"bzinit.ini"});
}

TEST_F(IniFileTest, RefusesAFileThatIsNotGbk) {
    std::ofstream(dir_ / "bad.ini", std::ios::binary) << "[set]\nname=\xFF\xFF\n";
    IniFile ini(dir_ / "bad.ini");
    EXPECT_FALSE(ini.loadStatus().ok());
    EXPECT_NE(ini.loadStatus().message().find("bad.ini"), std::string::npos);
    EXPECT_TRUE(ini.Sections().empty());
}

TEST_F(IniFileTest, SaveIntoMissingFolderFailsWithMessage) {
    IniFile ini;
    ini.WriteBool("set", "zishi", true);
    const Status s = ini.SaveAs(dir_ / "no" / "such" / "pan.ini");
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("pan.ini"), std::string::npos);
}

TEST(ParseInteger, AcceptsOnlySignedDigitRuns) {
    const struct {
        const char* text;
        bool ok;
        long value;
    } kCases[] = {
        {"0", true, 0},    {" 42 ", true, 42},
        {"-7", true, -7},  {"+5", true, 5},
        {"", false, 0},    {"-", false, 0},
        {"1a", false, 0},  {"0x10", false, 0},
        {"1 2", false, 0}, {"99999999999999999999999", false, 0},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        long v = -1;
        EXPECT_EQ(ParseInteger(c.text, &v), c.ok);
        if (c.ok) {
            EXPECT_EQ(v, c.value);
        }
    }
}

}  // namespace
}  // namespace tessaly
