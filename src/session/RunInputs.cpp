#include "session/RunInputs.h"

#include "common/IniFile.h"

namespace tessaly {

RunInputs LoadRunInputs(const ProgramFiles& files, const std::function<void(ChartOptions&)>& adjust) {
    RunInputs in;
    const IniFile optionsFile(files.Dat("pan.ini"));
    if (!optionsFile.loadStatus().ok()) {
        in.warnings.push_back("排盘设置没有读到，用默认设置：" + optionsFile.loadStatus().message());
    }
    in.options = ReadChartOptions(optionsFile, &in.warnings);
    if (adjust) adjust(in.options);
    in.ending = LoadEndingText(files, in.options, &in.warnings);
    return in;
}

EndingText LoadEndingText(const ProgramFiles& files, const ChartOptions& options, std::vector<std::string>* warnings) {
    EndingText ending;
    if (!options.appendEnding) return ending;
    if (Status s = ReadEndingText(files.Dat("EndInfo.txt"), &ending); !s.ok()) {
        warnings->push_back("命稿结尾信息没有加上：" + s.message());
        ending = {};
    }
    return ending;
}

}  // namespace tessaly
