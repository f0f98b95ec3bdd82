// The case store: adding, reading and searching a store of 100 000 cases
// (two data files). The store is written once, in bulk, into a temporary
// program folder; the searches then run warm.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "store/CaseStore.h"

namespace {

using namespace tessaly;
namespace fs = std::filesystem;

constexpr std::int32_t kCases = 100000;

const fs::path& BenchDir() {
    static const fs::path dir = [] {
        fs::path d = fs::temp_directory_path() / ("tessaly_store_bench_" + std::to_string(::getpid()));
        fs::remove_all(d);
        fs::create_directories(d / "dat");
        std::atexit([] { fs::remove_all(BenchDir()); });
        return d;
    }();
    return dir;
}

CaseRecord SampleCase(std::int32_t i) {
    static const char* const kNames[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"};
    static const char* const kCategories[] = {"临时保存", "同事", "同学", "亲戚", "客户"};
    CaseRecord r;
    r.slot = i;
    r.deleted = i % 97 == 0 ? 1 : 0;
    r.a.name = kNames[i % 8];
    r.a.year = static_cast<std::int16_t>(1940 + i % 70);
    r.a.isMale = static_cast<std::uint8_t>(i % 2);
    r.a.provinceIndex = static_cast<std::int16_t>(i % 34);
    r.a.placeText = "北京-北京";
    r.b.name = kNames[(i + 3) % 8];
    r.b.placeText = "未知地";
    r.category = kCategories[i % 5];
    r.note = "附加信息 " + std::to_string(i);
    return r;
}

// The 100 000-case store, written in bulk once.
const fs::path& BigStore() {
    static const fs::path dir = [] {
        const fs::path d = BenchDir() / "big";
        fs::create_directories(d / "dat");
        StoreHeader h;
        h.count = kCases;
        h.fileCount = static_cast<std::int16_t>((kCases - 1) / kRecordsPerFile + 1);
        for (std::int32_t i = 0; i < kCases; ++i) h.deletedCount += SampleCase(i).deleted;
        std::ofstream f0(d / "dat/bazi0.dat", std::ios::binary), f1(d / "dat/bazi1.dat", std::ios::binary);
        f0 << EncodeStoreHeader(h);
        std::string bytes;
        for (std::int32_t i = 0; i < kCases; ++i) {
            if (!EncodeCaseRecord(SampleCase(i), &bytes).ok()) std::abort();
            (i < kRecordsPerFile ? f0 : f1) << bytes;
        }
        return d;
    }();
    return dir;
}

void BM_SearchNameContains(benchmark::State& state) {
    CaseStore db;
    if (!db.Open(BigStore()).ok()) std::abort();
    std::vector<std::int32_t> slots;
    for (auto _ : state) {
        SearchCriteria c;
        c.name = "张";
        c.nameMode = 1;
        c.yearFilter = 1;
        c.firstYear = 1950;
        c.lastYear = 1990;
        if (!db.SearchRecords(&c, &slots).ok()) std::abort();
        benchmark::DoNotOptimize(slots.data());
    }
    state.counters["matches"] = static_cast<double>(slots.size());
    state.counters["records"] = kCases;
}
BENCHMARK(BM_SearchNameContains)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SearchAllLive(benchmark::State& state) {
    CaseStore db;
    if (!db.Open(BigStore()).ok()) std::abort();
    std::vector<std::int32_t> slots;
    for (auto _ : state) {
        SearchCriteria c;
        if (!db.SearchRecords(&c, &slots).ok()) std::abort();
        benchmark::DoNotOptimize(slots.data());
    }
    state.counters["matches"] = static_cast<double>(slots.size());
}
BENCHMARK(BM_SearchAllLive)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A full scan that decodes every live record (what "cases list" does).
void BM_DecodeAllLive(benchmark::State& state) {
    CaseStore db;
    if (!db.Open(BigStore()).ok()) std::abort();
    for (auto _ : state) {
        std::size_t n = 0;
        if (!db.ForEachRecord([&](const CaseRecord& r) { return ++n, !r.a.name.empty(); }).ok()) std::abort();
        benchmark::DoNotOptimize(n);
    }
}
BENCHMARK(BM_DecodeAllLive)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReadRecord(benchmark::State& state) {
    CaseStore db;
    if (!db.Open(BigStore()).ok()) std::abort();
    std::mt19937 rng(7);
    std::uniform_int_distribution<std::int32_t> slot(0, kCases - 1);
    CaseRecord r;
    for (auto _ : state) {
        if (!db.ReadRecord(slot(rng), &r).ok()) std::abort();
        benchmark::DoNotOptimize(r.a.year);
    }
}
BENCHMARK(BM_ReadRecord)->Unit(benchmark::kMicrosecond);

// Appending, each record flushed to the disk before the header that counts it.
void BM_AddRecord(benchmark::State& state) {
    const fs::path d = BenchDir() / "add";
    fs::remove_all(d);
    fs::create_directories(d / "dat");
    CaseStore db;
    if (!db.Open(d).ok()) std::abort();
    std::int32_t i = 0;
    for (auto _ : state) {
        CaseRecord r = SampleCase(i++);
        if (!db.AddRecord(&r).ok()) std::abort();
    }
}
BENCHMARK(BM_AddRecord)->Unit(benchmark::kMicrosecond);

}  // namespace
