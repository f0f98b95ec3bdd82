// The case store on 100 000 cases: searching, listing every case, decoding
// records, reading one and adding one.
//
// The store is the one tools/make_case_store.py builds from a few hundred
// real cases (made by tessaly-cli), in a temporary folder removed when the
// program ends; or, when TESSALY_BENCH_STORE names a program folder, that
// one (left as it is). Searches run warm (the files in the page cache).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/CaseStore.h"
#include "test_paths.h"

namespace {

using namespace tessaly;
namespace fs = std::filesystem;

// A folder removed, with everything in it, when the program ends.
class TempFolder {
public:
    explicit TempFolder(const std::string& tag)
        : path_(fs::temp_directory_path() / ("tessaly_" + tag + "_" + std::to_string(::getpid()))) {
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

TempFolder& Scratch() {
    static TempFolder folder("store_bench");
    return folder;
}

const fs::path& BigStore() {
    static const fs::path dir = [] {
        if (const char* given = std::getenv("TESSALY_BENCH_STORE")) return fs::path(given);
        const fs::path d = Scratch().path() / "big";
        const std::string cmd = "python3 '" + (testing_paths::SourceDir() / "tools/make_case_store.py").string() +
                                "' --cli '" + testing_paths::ProgramPath("tessaly-cli").string() + "' --out '" +
                                d.string() + "' --count 100000 --no-reports";
        if (std::system(cmd.c_str()) != 0) std::abort();
        return d;
    }();
    return dir;
}

CaseStore& OpenBigStore() {
    static CaseStore db;
    static const bool opened = db.Open(BigStore()).ok();
    if (!opened) std::abort();
    return db;
}

// `cases search --name 张 --years 1950..1990`, in-process.
void BM_SearchNameAndYears(benchmark::State& state) {
    CaseStore& db = OpenBigStore();
    SearchCriteria c;
    c.name = "张";
    c.nameMode = 1;
    c.yearFilter = 1;
    c.firstYear = 1950;
    c.lastYear = 1990;
    std::vector<CaseRecord> found;
    for (auto _ : state) {
        if (!db.SearchCases(c, &found).ok()) std::abort();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["matches"] = static_cast<double>(found.size());
}
BENCHMARK(BM_SearchNameAndYears)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Every live case read and decoded as `cases list` does, without printing.
void BM_VisitAllCases(benchmark::State& state) {
    CaseStore& db = OpenBigStore();
    std::size_t n = 0;
    for (auto _ : state) {
        n = 0;
        if (!db.VisitCases(SearchCriteria{}, [&](const CaseRecord& r) { return ++n, !r.a.name.empty(); }).ok()) {
            std::abort();
        }
        benchmark::DoNotOptimize(n);
    }
    state.counters["matches"] = static_cast<double>(n);
}
BENCHMARK(BM_VisitAllCases)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Every live case decoded into a list of its own ("显示全部命例").
void BM_SearchAllCases(benchmark::State& state) {
    CaseStore& db = OpenBigStore();
    std::vector<CaseRecord> found;
    for (auto _ : state) {
        if (!db.SearchCases(SearchCriteria{}, &found).ok()) std::abort();
        benchmark::DoNotOptimize(found.data());
    }
    state.counters["matches"] = static_cast<double>(found.size());
}
BENCHMARK(BM_SearchAllCases)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Decoding alone: the 100 000 records' bytes already in memory, decoded
// one after another into one record.
void BM_DecodeRecords(benchmark::State& state) {
    std::string bytes;
    for (int k = 0; k < 2; ++k) {
        const fs::path file = BigStore() / "dat" / ("bazi" + std::to_string(k) + ".dat");
        const std::size_t skip = k == 0 ? kStoreHeaderSize : 0, at = bytes.size();
        bytes.resize(at + fs::file_size(file) - skip);
        std::ifstream in(file, std::ios::binary);
        in.seekg(std::streamoff(skip));
        in.read(bytes.data() + at, std::streamsize(bytes.size() - at));
    }
    const std::size_t n = bytes.size() / kCaseRecordSize;
    CaseRecord record;
    for (auto _ : state) {
        for (std::size_t i = 0; i < n; ++i) {
            DecodeCaseRecord(std::string_view(bytes).substr(i * kCaseRecordSize, kCaseRecordSize), &record);
            benchmark::DoNotOptimize(record.a.name.data());
        }
    }
    state.counters["records"] = static_cast<double>(n);
}
BENCHMARK(BM_DecodeRecords)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ReadRecord(benchmark::State& state) {
    CaseStore& db = OpenBigStore();
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> slot(0, 99999);
    CaseRecord r;
    for (auto _ : state) {
        if (!db.ReadRecord(slot(rng), &r).ok()) std::abort();
        benchmark::DoNotOptimize(r.a.year);
    }
}
BENCHMARK(BM_ReadRecord)->Unit(benchmark::kMicrosecond);

// Appending, each step flushed to the disk as in use.
void BM_AddRecord(benchmark::State& state) {
    const fs::path d = Scratch().path() / "add";
    fs::remove_all(d);
    fs::create_directories(d / "dat");
    CaseStore db;
    if (!db.Open(d).ok()) std::abort();
    CaseRecord r;
    r.a.name = "张三";
    r.category = "同事";
    r.note = "附加信息";
    for (auto _ : state) {
        if (!db.AddRecord(&r).ok()) std::abort();
    }
}
BENCHMARK(BM_AddRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
