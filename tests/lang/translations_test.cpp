// The window's translation files, src/app/translations/*.ts: English wholly
// translated, Traditional Chinese what make_traditional_ts makes of the
// source texts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "lang/ChineseScript.h"
#include "lang/TsFile.h"
#include "test_paths.h"

namespace tessaly {
namespace {

const std::filesystem::path kDir = testing_paths::SourceDir() / "src" / "app" / "translations";

std::string ReadWhole(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

TEST(Translations, EveryEnglishEntryIsTranslated) {
    const std::vector<TsMessage> messages = ReadTsMessages(ReadWhole(kDir / "tessaly_en.ts"));
    ASSERT_FALSE(messages.empty());
    for (const TsMessage& m : messages) {
        SCOPED_TRACE(testing::Message() << "tessaly_en.ts line " << m.line << " (" << m.context << "): " << m.source);
        EXPECT_EQ(m.type, "");  // neither unfinished nor vanished
        EXPECT_FALSE(m.translation.empty());
        // Arguments survive the translation.
        for (const char* arg : {"%1", "%2", "%3"}) {
            EXPECT_EQ(m.source.find(arg) == std::string::npos, m.translation.find(arg) == std::string::npos) << arg;
        }
    }
}

TEST(Translations, TraditionalFilesAreUpToDate) {
    for (UiLanguage l : {UiLanguage::kTraditionalTaiwan, UiLanguage::kTraditionalHongKong}) {
        const std::string code(LanguageCode(l));
        SCOPED_TRACE(code);
        const std::string ts = ReadWhole(kDir / ("tessaly_" + code + ".ts"));
        const std::string fixes = ReadWhole(kDir / ("traditional_fixes_" + code + ".tsv"));
        ASSERT_FALSE(ts.empty());
        EXPECT_TRUE(TraditionalTs(ts, TraditionalConverter::For(l), ReadTsFixes(fixes)) == ts)
            << "run: cmake --build build --target traditional_translations";
        for (const TsMessage& m : ReadTsMessages(ts)) EXPECT_EQ(m.type, "") << m.source;
        // The same messages as the English file.
        const auto en = ReadTsMessages(ReadWhole(kDir / "tessaly_en.ts"));
        const auto tr = ReadTsMessages(ts);
        ASSERT_EQ(en.size(), tr.size());
        for (std::size_t i = 0; i < en.size(); ++i) EXPECT_EQ(en[i].source, tr[i].source);
    }
}

TEST(Translations, ReadsAndRewritesTsFiles) {
    const std::string ts =
        "<TS version=\"2.1\" language=\"zh_TW\">\n<context>\n    <name>A</name>\n    <message>\n"
        "        <source>关闭 &amp; 打印</source>\n        <translation type=\"unfinished\"></translation>\n"
        "    </message>\n    <message>\n        <source>旧的</source>\n"
        "        <translation type=\"vanished\">舊的</translation>\n    </message>\n"
        "    <message numerus=\"yes\">\n        <source>%n 个命例</source>\n        <translation>\n"
        "            <numerusform></numerusform>\n        </translation>\n    </message>\n"
        "    <message>\n        <source>软件</source>\n        <translation>x</translation>\n    </message>\n"
        "</context>\n</TS>\n";
    const std::string out = TraditionalTs(ts, TraditionalConverter::For(UiLanguage::kTraditionalTaiwan),
                                          ReadTsFixes("# a fix\n软件\t軟件\n"));
    const std::vector<TsMessage> m = ReadTsMessages(out);
    ASSERT_EQ(m.size(), 4u);
    EXPECT_EQ(m[0].context, "A");
    EXPECT_EQ(m[0].source, "关闭 & 打印");
    EXPECT_EQ(m[0].translation, "關閉 & 列印");
    EXPECT_EQ(m[0].type, "");
    EXPECT_EQ(m[1].translation, "舊的");  // vanished: left alone
    EXPECT_EQ(m[1].type, "vanished");
    EXPECT_EQ(m[2].translation, "%n 個命例");
    EXPECT_EQ(m[3].translation, "軟件");  // the fix wins over OpenCC
    EXPECT_EQ(m[0].line, 4u);
    EXPECT_EQ(out.substr(0, 60), ts.substr(0, 60));  // the rest kept as it was
}

}  // namespace
}  // namespace tessaly
