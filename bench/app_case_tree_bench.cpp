// The case tree of the main window with 100 000 stored cases (two data
// files), offscreen: the window's first show (the tree lists the first
// 1000 slots), "显示全部命例", opening every category, and scrolling the
// opened tree a page at a time with a full repaint.
//
//   build/app_case_tree_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QScrollBar>
#include <QTreeView>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/CaseTreeModel.h"
#include "app/MainWindow.h"
#include "app/MessageService.h"
#include "store/CaseStore.h"

namespace {

using namespace tessaly;
namespace fs = std::filesystem;

constexpr std::int32_t kCases = 100000;

CaseRecord SampleCase(std::int32_t i) {
    static const char* const kNames[] = {"张三", "李四", "王五", "赵六", "钱七", "孙八", "周九", "吴十"};
    static const char* const kCategories[] = {"临时保存", "同事", "同学", "亲戚", "客户"};
    CaseRecord r;
    r.slot = i;
    r.a.name = kNames[i % 8];
    r.a.year = static_cast<std::int16_t>(1940 + i % 70);
    r.a.month = static_cast<std::int16_t>(1 + i % 12);
    r.a.day = static_cast<std::int16_t>(1 + i % 28);
    r.a.isMale = static_cast<std::uint8_t>(i % 2);
    r.a.isLunar = static_cast<std::uint8_t>(i % 3 == 0);
    r.a.provinceIndex = static_cast<std::int16_t>(i % 34);
    r.a.placeText = "北京市-北京";
    r.b.name = kNames[(i + 3) % 8];
    r.b.placeText = "未知地";
    r.category = kCategories[i % 5];
    r.note = "备注：第" + std::to_string(i) + "对";
    return r;
}

// A program folder holding the 100 000-case store, written in bulk once.
const fs::path& Home() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("tessaly_tree_bench_" + std::to_string(::getpid()));
        fs::remove_all(d);
        fs::create_directories(d / "dat");
        fs::create_directories(d / "bazi_f");
        std::atexit([] { fs::remove_all(Home()); });
        StoreHeader h;
        h.count = kCases;
        h.fileCount = static_cast<std::int16_t>((kCases - 1) / kRecordsPerFile + 1);
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

// Message boxes would wait for a click; the benchmark expects none.
class NoMessages : public MessageService {
public:
    MsgAnswer Show(QWidget*, const MessageRequest& r) override {
        qWarning("unexpected message: %s", qPrintable(r.text));
        return MsgAnswer::kYes;
    }
};

std::unique_ptr<MainWindow> ShownWindow() {
    auto w = std::make_unique<MainWindow>(ProgramFiles{Home()});
    w->resize(1000, 760);
    w->show();
    QApplication::processEvents();
    return w;
}

void Paint(MainWindow& w) { w.caseTree->viewport()->repaint(); }

// Construction, first show (settings, store, the tree of the first 1000
// slots) and the first paint.
void BM_WindowShowsWithFirstThousand(benchmark::State& state) {
    Home();
    for (auto _ : state) {
        auto w = ShownWindow();
        Paint(*w);
        state.counters["listed"] = w->caseModel->rowCount(w->caseModel->CategoryIndex(0)) * 5;
    }
}
BENCHMARK(BM_WindowShowsWithFirstThousand)->Unit(benchmark::kMillisecond)->Iterations(5);

// "显示全部命例": the store scanned, every live case listed, the tree
// rebuilt and painted.
void BM_ShowAllCases(benchmark::State& state) {
    auto w = ShownWindow();
    for (auto _ : state) {
        w->ShowAllCases();
        Paint(*w);
    }
    int listed = 0;
    for (int c = 0; c < w->caseModel->CategoryCount(); ++c)
        listed += w->caseModel->rowCount(w->caseModel->CategoryIndex(c));
    state.counters["listed"] = listed;
}
BENCHMARK(BM_ShowAllCases)->Unit(benchmark::kMillisecond)->Iterations(5);

// "展开" on the root with all 100 000 cases listed: every category opened.
void BM_ExpandAll(benchmark::State& state) {
    auto w = ShownWindow();
    w->ShowAllCases();
    for (auto _ : state) {
        state.PauseTiming();
        w->caseTree->collapseAll();
        w->caseTree->setCurrentIndex(w->caseModel->RootIndex());
        state.ResumeTiming();
        w->ExpandSelected();
        Paint(*w);
    }
}
BENCHMARK(BM_ExpandAll)->Unit(benchmark::kMillisecond)->Iterations(5);

// One page down in the opened tree of 100 000 cases, repainted.
void BM_ScrollOnePage(benchmark::State& state) {
    auto w = ShownWindow();
    w->ShowAllCases();
    w->caseTree->expandRecursively(w->caseModel->RootIndex());
    Paint(*w);
    QScrollBar* bar = w->caseTree->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        Paint(*w);
    }
    state.counters["rows"] = bar->maximum() + bar->pageStep();
}
BENCHMARK(BM_ScrollOnePage)->Unit(benchmark::kMillisecond);

// A jump to the far end of the opened tree (a drag of the scroll bar).
void BM_ScrollToEnd(benchmark::State& state) {
    auto w = ShownWindow();
    w->ShowAllCases();
    w->caseTree->expandRecursively(w->caseModel->RootIndex());
    Paint(*w);
    QScrollBar* bar = w->caseTree->verticalScrollBar();
    bool end = false;
    for (auto _ : state) {
        end = !end;
        bar->setValue(end ? bar->maximum() : 0);
        Paint(*w);
    }
}
BENCHMARK(BM_ScrollToEnd)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    NoMessages messages;
    SetMessageService(&messages);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    SetMessageService(nullptr);
    return 0;
}
