#include "shared/parallelfor.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

bool parallelFor(int count, int threads, LoopProgress* progress,
                 const std::function<void(int index)>& body) {
    if (count <= 0)
        return true;
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, count);

    std::atomic<int> next{1}; // index 0 is the calling thread's
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const auto work = [&](int index) {
        try {
            for (; index < count && !stop.load(); index = next++) {
                if (progress && progress->cancelled()) {
                    stop.store(true);
                    return;
                }
                body(index);
                if (progress)
                    progress->partDone();
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            stop.store(true);
        }
    };

    std::vector<std::thread> pool;
    pool.reserve(std::size_t(threads - 1));
    for (int t = 1; t < threads; ++t) {
        try {
            pool.emplace_back([&] { work(next++); });
        } catch (const std::system_error&) {
            if (pool.empty())
                throw;
            break; // the threads started do the work
        }
    }
    work(0);
    for (std::thread& thread : pool)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    return !stop.load();
}
