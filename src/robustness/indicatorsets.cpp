#include "robustness/indicatorsets.h"

#include "methods/methodcomputation.h"
#include "methods/ranking.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace {

// The set's view of a matrix's view: every column, or all but the one left
// out (set j leaves out column j - 1).
MatrixView setView(const MatrixView& all, int set) {
    MatrixView view = all;
    if (set > 0)
        view.columns.erase(view.columns.begin() + (set - 1));
    return view;
}

} // namespace

// Each method transforms every column once: a column's transformation does
// not depend on the other columns, so every set aggregates a view of the
// same transformed matrix.
std::vector<MethodRanking> rankOverIndicatorSets(const Matrix& matrix,
                                                 const std::vector<MethodPosition>& positions,
                                                 WorkProgress* progress, int threads) {
    const int sets = matrix.indicatorCount() + 1; // all indicators, then each one left out
    const std::size_t methods = positions.size();
    std::vector<MethodRanking> result(std::size_t(sets) * methods);
    if (matrix.indicatorCount() < 1 || methods == 0)
        return result;
    if (threads <= 0)
        threads = int(std::max(1u, std::thread::hardware_concurrency()));
    threads = std::min(threads, sets);

    const qint64 total = qint64(sets) * qint64(methods);
    std::atomic<qint64> done{0};
    std::atomic<bool> stop{false};
    std::exception_ptr failure;
    std::mutex failureMutex;
    const MatrixView data = matrix.view();

    for (std::size_t i = 0; i < methods && !stop.load(); ++i) {
        const MethodPosition position = positions[i];
        const bool ascending = methodAt(position).ascending;
        const std::vector<double> transformed = transformColumns(position, data);
        const MatrixView transformedView = data.withValues(transformed.data());
        std::atomic<int> nextSet{0};
        auto worker = [&]() {
            try {
                for (int set = nextSet++; set < sets && !stop.load(); set = nextSet++) {
                    if (progress && progress->cancelled()) {
                        stop.store(true);
                        return;
                    }
                    MethodRanking& run = result[std::size_t(set) * methods + i];
                    const Expected<std::vector<double>> index =
                        indexOf(position, setView(data, set), setView(transformedView, set));
                    if (index) {
                        run.ranks = rankIndex(*index, ascending);
                    } else {
                        run.refused = true;
                        run.message = index.error().message;
                    }
                    const qint64 now = ++done;
                    if (progress)
                        progress->setPercent(percentOf(now, total));
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
    }
    if (failure)
        std::rethrow_exception(failure);
    if (stop.load())
        return {};
    return result;
}
