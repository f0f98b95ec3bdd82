#include "engine/ChartOptions.h"

#include <system_error>

#include "common/TextCodec.h"

namespace tessaly {

ChartOptions ReadChartOptions(const IniFile& ini) {
    const ChartOptions d;
    ChartOptions o;
    const auto s = kOptionsSection;
    o.zishi = ini.ReadBool(s, "zishi", d.zishi);
    o.biange = ini.ReadBool(s, "biange", d.biange);
    o.mgong = static_cast<int>(ini.ReadInteger(s, "mgong", d.mgong));
    o.endinfo = ini.ReadBool(s, "endinfo", d.endinfo);
    o.pai = static_cast<int>(ini.ReadInteger(s, "pai", d.pai));
    o.idate = static_cast<int>(ini.ReadInteger(s, "idate", d.idate));
    o.save = ini.ReadBool(s, "save", d.save);
    o.leftpos = static_cast<int>(ini.ReadInteger(s, "leftpos", d.leftpos));
    o.bscore = ini.ReadBool(s, "bscore", d.bscore);
    o.congGe = ini.ReadBool(s, "congGe", d.congGe);
    return o;
}

void WriteChartOptions(const ChartOptions& o, IniFile& ini) {
    const auto s = kOptionsSection;
    ini.WriteInteger(s, "leftpos", o.leftpos);
    ini.WriteBool(s, "zishi", o.zishi);
    ini.WriteBool(s, "biange", o.biange);
    ini.WriteInteger(s, "mgong", o.mgong);
    ini.WriteInteger(s, "pai", o.pai);
    ini.WriteInteger(s, "idate", o.idate);
    ini.WriteBool(s, "save", o.save);
    ini.WriteBool(s, "bscore", o.bscore);
    ini.WriteBool(s, "congGe", o.congGe);
    ini.WriteBool(s, "endinfo", o.endinfo);
}

Status SetChartOption(ChartOptions& o, std::string_view keyValue) {
    const std::size_t eq = keyValue.find('=');
    if (eq == std::string_view::npos) {
        return Status::Error("--set needs KEY=VALUE, got '" + std::string(keyValue) + "'");
    }
    const std::string_view key = Trim(keyValue.substr(0, eq));
    const std::string_view text = Trim(keyValue.substr(eq + 1));
    long v = 0;
    if (!ParseInteger(text, &v)) {
        return Status::Error("--set " + std::string(key) + ": '" + std::string(text) + "' is not a number");
    }
    const auto is = [&](std::string_view k) { return EqualsIgnoreAsciiCase(key, k); };
    const int n = static_cast<int>(v);
    if (is("zishi")) o.zishi = v != 0;
    else if (is("biange")) o.biange = v != 0;
    else if (is("mgong")) o.mgong = n;
    else if (is("endinfo")) o.endinfo = v != 0;
    else if (is("pai")) o.pai = n;
    else if (is("idate")) o.idate = n;
    else if (is("save")) o.save = v != 0;
    else if (is("leftpos")) o.leftpos = n;
    else if (is("bscore")) o.bscore = v != 0;
    else if (is("congGe")) o.congGe = v != 0;
    else {
        return Status::Error("--set: unknown option '" + std::string(key) +
                             "' (zishi, biange, mgong, endinfo, pai, idate, save, leftpos, bscore, congGe)");
    }
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

Status ReadEndInfoLines(const std::filesystem::path& path, std::vector<std::string>* lines) {
    lines->clear();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return Status::Ok();
    std::string bytes;
    if (Status s = ReadFileBytes(path, &bytes); !s.ok()) return s;
    const CodecResult utf8 = GbkToUtf8(bytes);
    if (!utf8.ok()) {
        return Status::Error(path.string() + " is not a GBK text file (" + utf8.error + ")");
    }
    *lines = SplitLines(utf8.text);
    return Status::Ok();
}

}  // namespace tessaly
