#include "common/ParallelWork.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace tessaly {

int WorkerCount(int jobs) {
    if (jobs > 0) return jobs;
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

void RunParallel(std::size_t count, int workers, const std::function<void(std::size_t item, int worker)>& work,
                 const std::function<void(std::size_t done, std::size_t total)>& progress) {
    workers = std::max(1, workers);
    // Batches small enough to keep every thread busy to the end, large
    // enough that taking one costs nothing.
    const std::size_t batch = std::clamp<std::size_t>(count / (std::size_t(workers) * 64), 1, 32);
    std::atomic<std::size_t> next{0}, done{0};
    std::mutex mutex;
    std::condition_variable finished;
    int running = workers;

    std::vector<std::thread> threads;
    threads.reserve(std::size_t(workers));
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            for (;;) {
                const std::size_t first = next.fetch_add(batch);
                if (first >= count) break;
                const std::size_t last = std::min(count, first + batch);
                for (std::size_t i = first; i < last; ++i) work(i, w);
                done.fetch_add(last - first);
            }
            const std::lock_guard lock(mutex);
            if (--running == 0) finished.notify_all();
        });
    }
    {
        std::unique_lock lock(mutex);
        while (running > 0) {
            finished.wait_for(lock, std::chrono::milliseconds(100));
            if (progress && running > 0) {
                lock.unlock();
                progress(done.load(), count);
                lock.lock();
            }
        }
    }
    for (std::thread& t : threads) t.join();
    if (progress) progress(count, count);
}

}  // namespace tessaly
