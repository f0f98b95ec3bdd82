// Where the program's files lie: a copy in its own folder, an installed copy
// with a per-user folder, and the folders given by --home or TESSALY_HOME.
#include "common/ProgramFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/IniFile.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

void WriteText(const fs::path& p, const std::string& text) {
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << text;
}

std::string ReadText(const fs::path& p) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(p, &bytes).ok()) << p;
    return bytes;
}

// A made-up machine under one temporary folder:
//   build/dat/            a copy run from its own folder (dat/ writable)
//   ro/dat/               a copy whose dat/ the process may not write
//   prefix/bin/           an installed program ...
//   prefix/share/tessaly/ ... and its shipped files
//   bare/                 an executable with no files at all
//   home/, xdg/           the user's $HOME and $XDG_DATA_HOME
class ProgramFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaly_files_" + std::to_string(::getpid()) + "_" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "build/dat");
        fs::create_directories(root_ / "ro/dat");
        fs::create_directories(root_ / "prefix/bin");
        fs::create_directories(root_ / "bare");
        WriteText(shipped() / "dat/dili.ini", "[shipped places]\n");
        WriteText(shipped() / "dat/help/index.html", "<p>help</p>\n");
        WriteText(shipped() / "skins/Ink.skn", "shipped ink\n");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path shipped() const { return InstalledShippedFolder(root_ / "prefix/bin"); }

    ProgramEnvironment Env(const std::string& exe, const std::string& xdg = "xdg") const {
        ProgramEnvironment env;
        env.executableFolder = root_ / exe;
        env.xdgDataHome = xdg.empty() || xdg.starts_with("rel") ? xdg : (root_ / xdg).string();
        env.userHome = (root_ / "home").string();
        const fs::path readOnly = root_ / "ro/dat";
        env.writable = [readOnly](const fs::path& p) { return p != readOnly; };
        return env;
    }

    fs::path root_;
};

TEST_F(ProgramFilesTest, ChoosesHomeAndShippedFolders) {
    const struct {
        const char* what;
        std::string exe, homeOption, tessalyHome, xdg;
        std::string wantHome, wantShipped;  // relative to the root; "" = none
        HomeChoice wantChoice;
    } kCases[] = {
        {"build folder: portable", "build", "", "", "xdg", "build", "build", HomeChoice::kProgramFolder},
        {"installed: per-user folder", "prefix/bin", "", "", "xdg", "xdg/tessaly", "prefix/share/tessaly",
         HomeChoice::kUserDataFolder},
        {"XDG_DATA_HOME unset", "prefix/bin", "", "", "", "home/.local/share/tessaly", "prefix/share/tessaly",
         HomeChoice::kUserDataFolder},
        {"XDG_DATA_HOME relative: ignored", "prefix/bin", "", "", "rel/data", "home/.local/share/tessaly",
         "prefix/share/tessaly", HomeChoice::kUserDataFolder},
        {"read-only program folder", "ro", "", "", "xdg", "xdg/tessaly", "ro", HomeChoice::kUserDataFolder},
        {"no files at all", "bare", "", "", "xdg", "xdg/tessaly", "", HomeChoice::kUserDataFolder},
        {"--home beats TESSALY_HOME", "build", "mine", "env", "xdg", "mine", "build", HomeChoice::kOption},
        {"TESSALY_HOME beats portable", "build", "", "env", "xdg", "env", "build", HomeChoice::kEnvironment},
        {"TESSALY_HOME when installed", "prefix/bin", "", "env", "xdg", "env", "prefix/share/tessaly",
         HomeChoice::kEnvironment},
        {"--home when installed", "prefix/bin", "mine", "", "xdg", "mine", "prefix/share/tessaly", HomeChoice::kOption},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        ProgramEnvironment env = Env(c.exe, c.xdg);
        if (!c.tessalyHome.empty()) env.tessalyHome = (root_ / c.tessalyHome).string();
        const fs::path option = c.homeOption.empty() ? fs::path() : root_ / c.homeOption;
        const ProgramFiles f = ChooseProgramFiles(option, env);
        EXPECT_EQ(f.home, root_ / c.wantHome);
        EXPECT_EQ(f.shipped, c.wantShipped.empty() ? fs::path() : root_ / c.wantShipped);
        EXPECT_EQ(f.choice, c.wantChoice);
        EXPECT_FALSE(fs::exists(root_ / "xdg")) << "choosing writes nothing";
    }
}

TEST_F(ProgramFilesTest, PerUserFolderIsSeededOnceAndNeverOverwritten) {
    const ProgramFiles f = ChooseProgramFiles({}, Env("prefix/bin"));
    ASSERT_EQ(f.choice, HomeChoice::kUserDataFolder);
    ASSERT_TRUE(PrepareProgramFiles(f).ok());
    EXPECT_EQ(ReadText(f.Dat("dili.ini")), "[shipped places]\n");
    EXPECT_TRUE(fs::is_directory(f.ReportsFolder()));
    EXPECT_FALSE(fs::exists(f.Dat("help"))) << "read-only folders stay shipped";
    EXPECT_EQ(fs::status(f.home).permissions() & fs::perms::all, fs::perms::owner_all);

    // The user edits the place list; a later version ships another one and a
    // new settings file.
    WriteText(f.Dat("dili.ini"), "[my places]\n");
    WriteText(shipped() / "dat/dili.ini", "[shipped places, version 2]\n");
    WriteText(shipped() / "dat/pan.ini", "[set]\n");
    ASSERT_TRUE(PrepareProgramFiles(f).ok());
    EXPECT_EQ(ReadText(f.Dat("dili.ini")), "[my places]\n");
    EXPECT_EQ(ReadText(f.Dat("pan.ini")), "[set]\n");

    int entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(f.DatFolder())) ++entries;
    EXPECT_EQ(entries, 3) << "the two copies and their list (seeded.txt), no temporary file";
}

TEST_F(ProgramFilesTest, GivenAndPortableFoldersAreUsedAsTheyAre) {
    ProgramEnvironment env = Env("prefix/bin");
    env.tessalyHome = (root_ / "env").string();
    for (const ProgramFiles& f :
         {ChooseProgramFiles(root_ / "mine", env), ChooseProgramFiles({}, env), ChooseProgramFiles({}, Env("build"))}) {
        SCOPED_TRACE(f.home.string());
        ASSERT_TRUE(PrepareProgramFiles(f).ok());
        EXPECT_FALSE(fs::exists(f.Dat("dili.ini")));
    }
    EXPECT_FALSE(fs::exists(root_ / "mine"));
    EXPECT_FALSE(fs::exists(root_ / "env"));
}

TEST_F(ProgramFilesTest, FolderThatCannotBeMadeIsNamed) {
    WriteText(root_ / "xdg", "a file where the folder should be\n");
    const ProgramFiles f = ChooseProgramFiles({}, Env("prefix/bin"));
    const Status s = PrepareProgramFiles(f);
    ASSERT_FALSE(s.ok());
    EXPECT_NE(s.message().find((root_ / "xdg").string()), std::string::npos) << s.message();
}

TEST_F(ProgramFilesTest, UserCopiesOfShippedFilesWin) {
    const ProgramFiles f = ChooseProgramFiles({}, Env("prefix/bin"));
    ASSERT_TRUE(PrepareProgramFiles(f).ok());
    EXPECT_EQ(f.Skin("Ink"), shipped() / "skins/Ink.skn");
    EXPECT_EQ(f.UserOrShipped("dat/help"), shipped() / "dat/help");

    WriteText(f.home / "skins/Ink.skn", "my ink\n");
    WriteText(f.home / "dat/help/index.html", "<p>mine</p>\n");
    EXPECT_EQ(f.Skin("Ink"), f.home / "skins/Ink.skn");
    EXPECT_EQ(f.UserOrShipped("dat/help"), f.home / "dat/help");
    EXPECT_EQ(f.Skin("Nosuch"), f.home / "skins/Nosuch.skn");
    EXPECT_EQ(f.SkinFolders(), (std::vector<fs::path>{f.home / "skins", shipped() / "skins"}));

    // A program folder of its own: one folder for both.
    const ProgramFiles portable = ChooseProgramFiles({}, Env("build"));
    EXPECT_EQ(portable.SkinFolders(), (std::vector<fs::path>{root_ / "build/skins"}));
    EXPECT_EQ(ProgramFiles{root_ / "x"}.UserOrShipped("dat/help"), root_ / "x/dat/help");
}

}  // namespace
}  // namespace tessaly
