// Report files: writing and reading the RTF of a whole matching report, as
// saving a case and "另存为" do, and reading it back as "导入命稿" does.
#include <benchmark/benchmark.h>

#include <string>

#include "matching/MatchingRun.h"
#include "matching/ReportStyle.h"
#include "store/ReportFile.h"

namespace {

using namespace tessaly;

PersonRecord Sample(const char* name, int year, bool male) {
    PersonRecord r;
    r.name = name;
    r.year = static_cast<std::int16_t>(year), r.month = 6, r.day = 15, r.hour = 10, r.minute = 0;
    r.isMale = male ? 1 : 0;
    r.longitude = 116.4f, r.latitude = 39.9f;
    r.placeText = "北京市-北京";
    return r;
}

const StyledReport& Report() {
    static const StyledReport report = [] {
        const MatchingResult m = RunMatching(Sample("张三", 1994, true), Sample("李四", 1996, false), {}, {});
        return StyleReport(m.report, "宋体", 12, 0);
    }();
    return report;
}

void BM_WriteRtf(benchmark::State& state) {
    std::string rtf;
    for (auto _ : state) {
        benchmark::DoNotOptimize(WriteRtf(Report(), &rtf));
    }
    state.counters["bytes"] = double(rtf.size());
}
BENCHMARK(BM_WriteRtf)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ReadRtf(benchmark::State& state) {
    std::string rtf;
    WriteRtf(Report(), &rtf);
    for (auto _ : state) {
        StyledReport back;
        benchmark::DoNotOptimize(ReadRtf(rtf, &back));
    }
}
BENCHMARK(BM_ReadRtf)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
