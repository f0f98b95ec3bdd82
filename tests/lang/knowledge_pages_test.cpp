// The knowledge pages (data/dat/help): every Chinese page has its English
// page in en/, and every link between the pages leads to a page that exists.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "test_paths.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;

const fs::path kHelp = testing_paths::SourceDir() / "data" / "dat" / "help";

std::string ReadPage(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> Pages(const fs::path& dir) {
    std::vector<std::string> names;
    for (const fs::directory_entry& e : fs::directory_iterator(dir)) {
        if (e.path().extension() == ".html") names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(KnowledgePages, EveryChinesePageHasItsEnglishPage) {
    const std::vector<std::string> chinese = Pages(kHelp);
    ASSERT_GE(chinese.size(), 13u);
    for (const std::string& name : chinese) {
        SCOPED_TRACE(name);
        const std::string english = ReadPage(kHelp / "en" / name);
        ASSERT_FALSE(english.empty());
        EXPECT_NE(english.find("<html lang=\"en\">"), std::string::npos);
        EXPECT_NE(english.find("href=\"style.css\""), std::string::npos);
    }
    EXPECT_TRUE(fs::exists(kHelp / "en" / "style.css"));
    EXPECT_TRUE(fs::exists(kHelp / "en" / "glossary.html"));
}

TEST(KnowledgePages, LinksLeadToPagesThatExist) {
    const std::regex link("href=\"([^\"#:]+)(#[^\"]*)?\"");
    for (const fs::path& dir : {kHelp, kHelp / "en"}) {
        for (const std::string& name : Pages(dir)) {
            const std::string html = ReadPage(dir / name);
            for (auto it = std::sregex_iterator(html.begin(), html.end(), link); it != std::sregex_iterator(); ++it) {
                const fs::path target = dir / (*it)[1].str();
                EXPECT_TRUE(fs::exists(target)) << (dir / name) << " links to " << (*it)[1].str();
            }
        }
    }
}

}  // namespace
}  // namespace tessaly
