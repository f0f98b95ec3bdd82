// Writing a settings file another program changed meanwhile: only the keys
// changed here are written, into the file as it is now.
#include <gtest/gtest.h>

#include "store/SettingsMerge.h"
#include "store_test_util.h"

namespace tessaly::test {
namespace {

IniFile Parsed(const std::string& utf8) {
    IniFile ini;
    ini.Parse(utf8);
    return ini;
}

TEST(SettingsMergeTest, ChangesAreTheKeysEditedOrAdded) {
    const struct {
        const char* base;
        const char* edited;
        std::vector<std::string> changed;  // section/key=value
    } kRows[] = {
        {"[a]\r\nx=1\r\n", "[a]\r\nx=1\r\n", {}},
        {"[a]\r\nx=1\r\n", "[a]\r\nx=2\r\n", {"a/x=2"}},
        {"[a]\r\nx=1\r\n", "[a]\r\nx=1\r\ny=\r\n", {"a/y="}},  // an empty value is a value
        {"[A]\r\nX=1\r\n", "[a]\r\nx=1\r\n", {}},              // names without regard to ASCII case
        {"[a]\r\nx=1\r\ny=2\r\n", "[a]\r\nx=1\r\n", {}},       // a key only in the base is not removed
        {"", "[b]\r\nz=中文\r\n", {"b/z=中文"}},
    };
    for (const auto& row : kRows) {
        SCOPED_TRACE(std::string(row.base) + " -> " + row.edited);
        std::vector<std::string> got;
        for (const IniChange& c : IniChanges(Parsed(row.base), Parsed(row.edited))) {
            got.push_back(c.section + "/" + c.key + "=" + c.value);
        }
        EXPECT_EQ(got, row.changed);
    }
}

TEST(SettingsMergeTest, KeysChangedByAnotherProgramStay) {
    TempProgramDir home("merge");
    const fs::path path = home / "dat/bzinit.ini";
    // The window read the file; the command line then renamed a category.
    IniFile read = Parsed("[classes]\r\ncount=2\r\n1=客户\r\n2=朋友\r\n[winpos]\r\nleft=10\r\n");
    ASSERT_TRUE(read.SaveAs(path).ok());
    IniFile other(path);
    other.WriteString("classes", "1", "老客户");
    ASSERT_TRUE(other.Save().ok());

    IniFile window = read;
    window.WriteInteger("winpos", "left", 120);
    window.WriteString("window", "skinname", "Ink");
    IniFile written;
    ASSERT_TRUE(MergeIntoIniFile(path, IniChanges(read, window), &written).ok());
    const IniFile after(path);
    EXPECT_EQ(after.ToText(), written.ToText());
    EXPECT_EQ(after.ReadString("classes", "1"), "老客户");
    EXPECT_EQ(after.ReadInteger("winpos", "left", 0), 120);
    EXPECT_EQ(after.ReadString("window", "skinname"), "Ink");
}

TEST(SettingsMergeTest, NothingIsWrittenWhenNothingChangedOrTheFileIsUnreadable) {
    TempProgramDir home("merge");
    const fs::path path = home / "dat/pan.ini";
    EXPECT_TRUE(MergeIntoIniFile(path, {}).ok());
    EXPECT_FALSE(fs::exists(path));  // no change: no file made

    WriteAll(path, "[a]\r\nx=\xFF\xFF\r\n");  // not GBK
    const std::string before = ReadAll(path);
    EXPECT_FALSE(MergeIntoIniFile(path, {{"a", "y", "1"}}).ok());
    EXPECT_EQ(ReadAll(path), before);
}

}  // namespace
}  // namespace tessaly::test
