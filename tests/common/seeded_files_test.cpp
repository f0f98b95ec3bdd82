// The copies of shipped files in a per-user folder: an unchanged copy follows
// a newer shipped file, a changed one is kept and told about once, and
// ResetSeededFile takes the shipped file on request.
#include "common/SeededFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/IniFile.h"

namespace tessaly {
namespace {
namespace fs = std::filesystem;

TEST(Sha256Hex, GivesTheStandardDigests) {
    const struct {
        std::string bytes;
        const char* want;
    } kCases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        // Lengths around the padding's block boundaries.
        {std::string(55, 'a'), "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        {std::string(56, 'a'), "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        {std::string(63, 'a'), "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        {std::string(64, 'a'), "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        {std::string(65, 'a'), "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0"},
        {std::string(119, 'a'), "31eba51c313a5c08226adf18d4a359cfdfd8d2e816b13f4af952f7ea6584dcfb"},
        {std::string(120, 'a'), "2f3d335432c70b580af0e8e1b3674a7c020d683aa5f73aaaedfdc55af904c21c"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.bytes.size());
        EXPECT_EQ(Sha256Hex(c.bytes), c.want);
    }
}

// A per-user folder (home/) seeded from shipped files (shipped/dat/).
class SeededFilesTest : public ::testing::Test {
protected:
    static fs::path TestRoot() {
        return fs::temp_directory_path() / ("tessaly_seeded_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    void SetUp() override {
        fs::remove_all(root_);
        fs::create_directories(root_ / "shipped/dat");
        fs::create_directories(files_.DatFolder());
        Ship("dili.ini", "[places 1]\n");
        Ship("pan.ini", "[set]\n");
    }
    void TearDown() override { fs::remove_all(root_); }

    void Ship(const std::string& name, const std::string& text) {
        std::ofstream(root_ / "shipped/dat" / name, std::ios::binary | std::ios::trunc) << text;
    }
    void Edit(const std::string& name, const std::string& text) {
        std::ofstream(files_.Dat(name), std::ios::binary | std::ios::trunc) << text;
    }
    std::string Own(const std::string& name) const {
        std::string bytes;
        EXPECT_TRUE(ReadFileBytes(files_.Dat(name), &bytes).ok()) << name;
        return bytes;
    }
    SeedingReport Start() {
        SeedingReport report;
        EXPECT_TRUE(UpdateSeededFiles(files_, &report).ok());
        return report;
    }

    fs::path root_ = TestRoot();
    ProgramFiles files_{root_ / "home", root_ / "shipped", HomeChoice::kUserDataFolder};
};

using Names = std::vector<std::string>;

TEST_F(SeededFilesTest, UnchangedCopyFollowsChangedCopyIsToldOnce) {
    SeedingReport r = Start();
    EXPECT_EQ(Own("dili.ini"), "[places 1]\n");
    EXPECT_TRUE(r.updated.empty() && r.kept.empty()) << "a first copy is no news";
    EXPECT_NE(Own("seeded.txt").find("dili.ini\t"), std::string::npos);

    // A newer program ships both files anew; the user has changed pan.ini.
    Edit("pan.ini", "[set]\nzishi=1\n");
    Ship("dili.ini", "[places 2]\n");
    Ship("pan.ini", "[set]\npai=1\n");
    r = Start();
    EXPECT_EQ(Own("dili.ini"), "[places 2]\n");
    EXPECT_EQ(Own("pan.ini"), "[set]\nzishi=1\n");
    EXPECT_EQ(r.updated, Names{"dili.ini"});
    EXPECT_EQ(r.kept, Names{"pan.ini"});
    const std::string notice = SeedingNotice(r);
    EXPECT_NE(notice.find("tessaly-cli reset-file pan.ini"), std::string::npos) << notice;
    EXPECT_EQ(notice.find("dili.ini"), std::string::npos) << notice;

    // Said once: the next start is quiet, until yet another pan.ini ships.
    r = Start();
    EXPECT_TRUE(r.updated.empty() && r.kept.empty());
    EXPECT_EQ(SeedingNotice(r), "");
    Ship("pan.ini", "[set]\npai=0\n");
    // A start that takes no report cannot tell: the notice waits for the next.
    EXPECT_TRUE(UpdateSeededFiles(files_, nullptr).ok());
    EXPECT_EQ(Start().kept, Names{"pan.ini"});

    // The user's copy turned into the shipped one by hand: listed again, and
    // it follows the next shipped file.
    Edit("pan.ini", "[set]\npai=0\n");
    EXPECT_TRUE(Start().kept.empty());
    Ship("pan.ini", "[set]\npai=1\nbscore=1\n");
    EXPECT_EQ(Start().updated, Names{"pan.ini"});
    EXPECT_EQ(Own("pan.ini"), "[set]\npai=1\nbscore=1\n");
}

TEST_F(SeededFilesTest, CopiesMadeBeforeTheListAreKeptUnlessTheyEqualTheShippedFile) {
    Edit("dili.ini", "[places 1]\n");  // as shipped
    Edit("pan.ini", "[set]\nmine=1\n");
    SeedingReport r = Start();
    EXPECT_EQ(r.kept, Names{"pan.ini"});
    EXPECT_TRUE(r.updated.empty());
    EXPECT_EQ(Own("pan.ini"), "[set]\nmine=1\n");
    EXPECT_TRUE(Start().kept.empty()) << "told once";

    Ship("dili.ini", "[places 2]\n");
    EXPECT_EQ(Start().updated, Names{"dili.ini"});
}

TEST_F(SeededFilesTest, ResetKeepsTheOldCopyAsideAndListsTheNewOne) {
    Start();
    Edit("dili.ini", "[my places]\n");
    Ship("dili.ini", "[places 2]\n");
    EXPECT_EQ(Start().kept, Names{"dili.ini"});

    fs::path kept;
    ASSERT_TRUE(ResetSeededFile(files_, "dili.ini", &kept).ok());
    EXPECT_EQ(Own("dili.ini"), "[places 2]\n");
    ASSERT_FALSE(kept.empty());
    EXPECT_EQ(kept.parent_path(), files_.DatFolder());
    EXPECT_TRUE(kept.filename().string().starts_with("dili.ini.2")) << kept;
    std::string old;
    EXPECT_TRUE(ReadFileBytes(kept, &old).ok());
    EXPECT_EQ(old, "[my places]\n");

    // Listed as the shipped file: the next one replaces it by itself.
    Ship("dili.ini", "[places 3]\n");
    EXPECT_EQ(Start().updated, Names{"dili.ini"});

    // A copy equal to the shipped one: nothing kept aside.
    ASSERT_TRUE(ResetSeededFile(files_, "dili.ini", &kept).ok());
    EXPECT_TRUE(kept.empty());
}

TEST_F(SeededFilesTest, ResetRefusesWhatIsNotAShippedFile) {
    fs::path kept;
    for (const char* name : {"", "..", "../shipped/dat/dili.ini", "nosuch.ini", "seeded.txt"}) {
        SCOPED_TRACE(name);
        const Status s = ResetSeededFile(files_, name, &kept);
        EXPECT_FALSE(s.ok());
        EXPECT_FALSE(fs::exists(files_.Dat("dili.ini"))) << "a refusal changes nothing";
    }
    // A folder that is its own shipped folder has nothing to reset to.
    const ProgramFiles portable{root_ / "shipped", root_ / "shipped", HomeChoice::kProgramFolder};
    const Status s = ResetSeededFile(portable, "dili.ini", &kept);
    EXPECT_FALSE(s.ok());
    EXPECT_NE(s.message().find("没有另一份"), std::string::npos) << s.message();
}

}  // namespace
}  // namespace tessaly
