#include "chart/ChartOptions.h"

#include <system_error>

#include "common/TextCodec.h"

namespace tessaly {
namespace {

constexpr int B(bool v) { return v ? 1 : 0; }

constexpr OptionKey kOptionKeys[] = {
    {"leftpos", 0, 500, [](const ChartOptions& o) { return o.firstLineIndent; },
     [](ChartOptions& o, int v) { o.firstLineIndent = v; }},
    {"zishi", 0, 1, [](const ChartOptions& o) { return B(o.lateZiHourKeepsDay); },
     [](ChartOptions& o, int v) { o.lateZiHourKeepsDay = v != 0; }},
    {"biange", 0, 1, [](const ChartOptions& o) { return B(o.specialPatternRoles); },
     [](ChartOptions& o, int v) { o.specialPatternRoles = v != 0; }},
    {"mgong", 0, 1, [](const ChartOptions& o) { return B(o.lifePalaceByMidTerm); },
     [](ChartOptions& o, int v) { o.lifePalaceByMidTerm = v != 0; }},
    {"pai", 0, 1, [](const ChartOptions& o) { return B(o.verticalChart); },
     [](ChartOptions& o, int v) { o.verticalChart = v != 0; }},
    {"idate", 0, 2, [](const ChartOptions& o) { return static_cast<int>(o.timeBasis); },
     [](ChartOptions& o, int v) { o.timeBasis = static_cast<TimeBasis>(v); }},
    {"save", 0, 1, [](const ChartOptions& o) { return B(o.askToSave); },
     [](ChartOptions& o, int v) { o.askToSave = v != 0; }},
    {"bscore", 0, 1, [](const ChartOptions& o) { return B(o.highScoreScale); },
     [](ChartOptions& o, int v) { o.highScoreScale = v != 0; }},
    {"congGe", 0, 1, [](const ChartOptions& o) { return B(o.followJudgements); },
     [](ChartOptions& o, int v) { o.followJudgements = v != 0; }},
    {"endinfo", 0, 1, [](const ChartOptions& o) { return B(o.appendEnding); },
     [](ChartOptions& o, int v) { o.appendEnding = v != 0; }},
    {"indexparts", 0, 1, [](const ChartOptions& o) { return B(o.appendIndexParts); },
     [](ChartOptions& o, int v) { o.appendIndexParts = v != 0; }},
};

std::string RangeText(const OptionKey& k) { return std::to_string(k.min) + ".." + std::to_string(k.max); }

const OptionKey* FindKey(std::string_view key) {
    for (const OptionKey& k : kOptionKeys) {
        if (EqualsIgnoreAsciiCase(key, k.key)) return &k;
    }
    return nullptr;
}

std::string KeyList() {
    std::string s;
    for (const OptionKey& k : kOptionKeys) s += (s.empty() ? "" : ", ") + std::string(k.key);
    return s;
}

}  // namespace

std::span<const OptionKey> OptionKeys() { return kOptionKeys; }

ChartOptions ReadChartOptions(const IniFile& ini, std::vector<std::string>* warnings) {
    ChartOptions o;
    for (const OptionKey& k : kOptionKeys) {
        if (!ini.HasKey(kOptionsSection, k.key)) continue;
        const std::string text = ini.ReadString(kOptionsSection, k.key);
        long v = 0;
        if (ParseInteger(text, &v) && v >= k.min && v <= k.max) {
            k.set(o, static_cast<int>(v));
        } else if (warnings != nullptr) {
            warnings->push_back("dat/pan.ini：" + std::string(k.key) + "=" + text + " 不是 " + RangeText(k) +
                                " 之一，用默认值 " + std::to_string(k.get(ChartOptions{})));
        }
    }
    return o;
}

void WriteChartOptions(const ChartOptions& o, IniFile& ini) {
    for (const OptionKey& k : kOptionKeys) ini.WriteInteger(kOptionsSection, k.key, k.get(o));
}

Status SetChartOption(ChartOptions& o, std::string_view keyValue) {
    const std::size_t eq = keyValue.find('=');
    if (eq == std::string_view::npos) {
        return Status::Error("--set needs KEY=VALUE, got '" + std::string(keyValue) + "'");
    }
    const std::string_view key = Trim(keyValue.substr(0, eq));
    const std::string_view text = Trim(keyValue.substr(eq + 1));
    const OptionKey* k = FindKey(key);
    if (k == nullptr) return Status::Error("--set: unknown option '" + std::string(key) + "' (" + KeyList() + ")");
    long v = 0;
    if (!ParseInteger(text, &v)) {
        return Status::Error("--set " + std::string(key) + ": '" + std::string(text) + "' is not a number");
    }
    if (v < k->min || v > k->max) {
        return Status::Error("--set " + std::string(key) + ": " + std::string(text) + " is outside " + RangeText(*k));
    }
    k->set(o, static_cast<int>(v));
    return Status::Ok();
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

Status ReadEndingText(const std::filesystem::path& path, EndingText* ending) {
    ending->lines.clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Status::Ok();
    std::string bytes;
    if (Status s = ReadFileBytes(path, &bytes); !s.ok()) return s;
    const CodecResult utf8 = GbkToUtf8(bytes);
    if (!utf8.ok()) {
        return Status::Error(path.string() + " 不是 GBK 文本文件（" + utf8.error + "）");
    }
    ending->lines = SplitLines(utf8.text);
    return Status::Ok();
}

Status WriteEndingText(const std::filesystem::path& path, const EndingText& ending) {
    std::string text;
    for (const std::string& line : ending.lines) text += line + "\r\n";
    const CodecResult gbk = Utf8ToGbk(text);
    if (!gbk.ok()) return Status::Error(gbk.error);
    return WriteFileAtomically(path, gbk.text);
}

}  // namespace tessaly
