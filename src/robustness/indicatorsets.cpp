#include "robustness/indicatorsets.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

std::vector<MethodRanking> rankOverIndicatorSets(const SharedState& s,
                                                 const std::vector<int>& positions,
                                                 const Regional& regional, WorkProgress* progress,
                                                 int threads) {
    const int sets = s.nColonne; // all indicators, then each of the nColonne - 1 left out
    const std::size_t methods = positions.size();
    std::vector<MethodRanking> result(std::size_t(sets) * methods);
    if (sets < 1 || methods == 0)
        return result;
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, sets);

    const qint64 total = qint64(sets) * qint64(methods);
    std::atomic<int> nextSet{0};
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureMutex;

    auto worker = [&]() {
        try {
            const Regional local = regional;
            SharedState scratch;
            for (int set = nextSet++; set < sets && !stop.load(); set = nextSet++) {
                matrixWithout(s, set == 0 ? 0 : set + 1, scratch);
                for (std::size_t i = 0; i < methods; ++i) {
                    if (progress && progress->cancelled()) {
                        stop.store(true);
                        return;
                    }
                    result[std::size_t(set) * methods + i] =
                        rankByMethod(scratch, positions[i], local);
                    const qint64 now = ++done;
                    if (progress)
                        progress->setPercent(percentOf(now, total));
                }
            }
        } catch (...) {
            const std::lock_guard<std::mutex> lock(failureMutex);
            if (!failure)
                failure = std::current_exception();
            stop.store(true);
        }
    };

    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t)
        pool.emplace_back(worker);
    worker();
    for (std::thread& thread : pool)
        thread.join();
    if (failure)
        std::rethrow_exception(failure);
    if (stop.load())
        return {};
    return result;
}
