// An installed copy (prefix/bin beside prefix/share/tessaly) keeps each
// user's data in $XDG_DATA_HOME/tessaly; the window and the command line
// agree on it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "cli/cli_test_util.h"
#include "common/ProgramFiles.h"
#include "common/IniFile.h"
#include "common/TextCodec.h"
#include "test_paths.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;
using testing_cli::CliResult;
using testing_cli::ShellQuote;

std::string ReadText(const fs::path& p) {
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(p, &bytes).ok()) << p;
    return bytes;
}

class InstalledLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("tessaly_installed_" + std::to_string(::getpid()));
        fs::remove_all(root_);
        fs::create_directories(bin_());
        fs::copy_file(tessaly::testing_paths::ProgramPath("tessaly-cli"), bin_() / "tessaly-cli");
        const fs::path shipped = InstalledShippedFolder(bin_());
        fs::create_directories(shipped / "dat");
        fs::copy_file(tessaly::testing_paths::SourceDir() / "data/dat/dili.ini", shipped / "dat/dili.ini");
    }
    void TearDown() override { fs::remove_all(root_); }

    fs::path bin_() const { return root_ / "prefix/bin"; }

    // Runs an installed program with a made-up user environment.
    CliResult Run(const std::string& program, const std::string& args, bool withXdg = true) const {
        // Appended piece by piece (g++ 12 warns falsely on "literal" + string&&).
        std::string line = withXdg ? "env -u TESSALY_HOME XDG_DATA_HOME=" : "env -u TESSALY_HOME -u XDG_DATA_HOME";
        if (withXdg) line.append(ShellQuote((root_ / "xdg").string()));
        line.append(" HOME=").append(ShellQuote((root_ / "home").string()));
        line.append(" ").append(ShellQuote((bin_() / program).string())).append(" ").append(args);
        return testing_cli::RunShellLine(line);
    }

    fs::path root_;
};

TEST_F(InstalledLayoutTest, PerUserFolderIsMadeOnFirstUse) {
    const fs::path data = root_ / "xdg/tessaly";
    CliResult r = Run("tessaly-cli", "--where");
    EXPECT_EQ(r.out, data.string() + "\n");
    EXPECT_FALSE(fs::exists(data));
    EXPECT_EQ(Run("tessaly-cli", "--where", false).out, (root_ / "home/.local/share/tessaly").string() + "\n");

    r = Run("tessaly-cli", "cases list");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "命例\n");
    EXPECT_TRUE(fs::is_regular_file(data / "dat/bazi0.dat"));
    EXPECT_TRUE(fs::is_directory(data / "bazi_f"));
    EXPECT_EQ(ReadText(data / "dat/dili.ini"), ReadText(tessaly::testing_paths::SourceDir() / "data/dat/dili.ini"));

    r = Run("tessaly-cli", "places 广东省");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("广州"), std::string::npos);

    r = Run("tessaly-cli", "--home " + ShellQuote((root_ / "mine").string()) + " --where");
    EXPECT_EQ(r.out, (root_ / "mine").string() + "\n");
}

// A newer package ships another place list: the user's untouched copy
// follows it; a copy the user changed is kept, the program says so once,
// and reset-file takes the new one.
TEST_F(InstalledLayoutTest, NewerShippedDataReachesTheUser) {
    const fs::path shipped = InstalledShippedFolder(bin_()) / "dat/dili.ini";
    const fs::path own = root_ / "xdg/tessaly/dat/dili.ini";
    // dili.ini is GBK.
    const auto gbk = [](const std::string& utf8) { return Utf8ToGbk(utf8).text; };
    const auto ship = [&](const std::string& text) { std::ofstream(shipped, std::ios::trunc) << gbk(text); };
    ASSERT_EQ(Run("tessaly-cli", "places 0").status, 0);

    ship("[福建省]\n福州=119:18*26:05\n");
    CliResult r = Run("tessaly-cli", "places 0");
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "0\t福州\t119.3000\t26.0833\n");

    std::ofstream(own, std::ios::trunc) << gbk("[福建省]\n福州=119:00*26:00\n");
    ship("[福建省]\n福州=119:18*26:05\n厦门=118:04*24:27\n");
    r = Run("tessaly-cli", "places 0");
    EXPECT_EQ(r.out, "0\t福州\t119.0000\t26.0000\n") << "the user's own copy stays";
    EXPECT_NE(r.err.find("tessaly-cli reset-file dili.ini"), std::string::npos) << r.err;
    EXPECT_EQ(Run("tessaly-cli", "places 0").err, "") << "said once";

    r = Run("tessaly-cli", "reset-file dili.ini");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(ReadText(own), ReadText(shipped));
    int keptAside = 0;
    for (const auto& e : fs::directory_iterator(own.parent_path())) {
        if (!e.path().filename().string().starts_with("dili.ini.")) continue;
        ++keptAside;
        EXPECT_EQ(ReadText(e.path()), gbk("[福建省]\n福州=119:00*26:00\n"));
        EXPECT_NE(r.out.find(e.path().string()), std::string::npos) << r.out;
    }
    EXPECT_EQ(keptAside, 1);
}

#ifdef TESSALY_HAVE_APP
TEST_F(InstalledLayoutTest, WindowUsesTheSameFolder) {
    fs::copy_file(tessaly::testing_paths::ProgramPath("tessaly"), bin_() / "tessaly");
    for (const bool withXdg : {true, false}) {
        SCOPED_TRACE(withXdg);
        const CliResult window = Run("tessaly", "--where", withXdg);
        EXPECT_EQ(window.status, 0) << window.err;
        EXPECT_EQ(window.out, Run("tessaly-cli", "--where", withXdg).out);
    }
}
#endif

}  // namespace
}  // namespace tessaly
