// ParallelWork — independent items of work spread over several threads.
//
// The work function must not share mutable state between items (each worker
// may keep its own, indexed by its worker number); the calling thread only
// waits and reports progress.
#pragma once

#include <cstddef>
#include <functional>

namespace tessaly {

// The number of worker threads for a request of `jobs`: jobs itself when
// positive, otherwise the machine's hardware threads (at least 1).
int WorkerCount(int jobs);

// RunParallel — work(item, worker) for every item in [0, count).
//   Given:     count     the number of items
//              workers   the number of threads (at least 1); worker numbers
//                        are 0 .. workers − 1, one per thread
//              work      called once per item on a worker thread
//              progress  called on the calling thread with the number of
//                        items done, about ten times a second and once at
//                        the end (when given)
//   Notes:     items are handed out in small batches in ascending order;
//              the call returns when every item is done.
void RunParallel(std::size_t count, int workers, const std::function<void(std::size_t item, int worker)>& work,
                 const std::function<void(std::size_t done, std::size_t total)>& progress = {});

}  // namespace tessaly
