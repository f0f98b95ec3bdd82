// make_traditional_ts — fills a Traditional Chinese translation of the window
// (src/app/translations/tessaly_zh_TW.ts or tessaly_zh_HK.ts) from its source
// texts through OpenCC, after lupdate has brought the file up to date:
//   make_traditional_ts zh_TW|zh_HK FILE.ts
// Hand corrections, "source<TAB>translation" lines, are read from
// traditional_fixes_zh_TW.tsv (or _zh_HK) beside the file when it exists.
// (cmake --build build --target traditional_translations runs it for both.)
#include <filesystem>
#include <optional>
#include <fstream>
#include <iostream>
#include <sstream>

#include "lang/ChineseScript.h"
#include "lang/Language.h"
#include "lang/TsFile.h"

namespace {

bool ReadFile(const std::filesystem::path& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tessaly;
    const std::optional<UiLanguage> language = argc == 3 ? LanguageOfCode(argv[1]) : std::nullopt;
    if (!language || !IsTraditional(*language)) {
        std::cerr << "usage: make_traditional_ts zh_TW|zh_HK FILE.ts\n";
        return 2;
    }
    const TraditionalConverter& converter = TraditionalConverter::For(*language);
    if (!converter.ok()) {
        std::cerr << "make_traditional_ts: " << converter.status().message() << '\n';
        return 1;
    }
    const std::filesystem::path file = argv[2];
    std::string ts, fixes;
    if (!ReadFile(file, &ts)) {
        std::cerr << "make_traditional_ts: cannot read " << file << '\n';
        return 1;
    }
    std::string fixName = "traditional_fixes_";
    fixName.append(LanguageCode(*language)).append(".tsv");
    const std::filesystem::path fixFile = file.parent_path() / fixName;
    ReadFile(fixFile, &fixes);  // optional
    const std::string out = TraditionalTs(ts, converter, ReadTsFixes(fixes));
    std::ofstream o(file, std::ios::binary | std::ios::trunc);
    o << out;
    if (!o.flush()) {
        std::cerr << "make_traditional_ts: cannot write " << file << '\n';
        return 1;
    }
    return 0;
}
