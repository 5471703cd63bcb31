#include "workbook/sheetpass.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// One sheet on its way from a worker to the calling thread.
struct Slot {
    SheetData sheet;
    bool done = false; // read, or failed
    Status read;
    std::exception_ptr exception;
};

// The sheets read side by side, and the workers that read them.
class Pass {
public:
    Pass(int count, int threads, const SheetRead& read)
        : m_count(count), m_window(2 * threads), m_read(read),
          m_slots(static_cast<std::size_t>(count)) {
        m_workers.reserve(static_cast<std::size_t>(threads));
        for (int worker = 0; worker < threads; ++worker)
            m_workers.emplace_back([this, worker] { work(worker); });
    }

    // Stops the workers at the sheet they are reading and waits for them.
    ~Pass() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
        for (std::thread& worker : m_workers)
            worker.join();
    }

    Pass(const Pass&) = delete;
    Pass& operator=(const Pass&) = delete;

    // Waits for sheet index, which must be the next one not yet released.
    Slot& wait(int index) {
        std::unique_lock lock(m_mutex);
        m_changed.wait(
            lock, [&] { return m_slots[std::size_t(index)] && m_slots[std::size_t(index)]->done; });
        return *m_slots[std::size_t(index)];
    }

    // Frees sheet index, letting the workers read further ahead.
    void release(int index) {
        std::unique_ptr<Slot> freed;
        {
            const std::lock_guard lock(m_mutex);
            freed = std::move(m_slots[std::size_t(index)]);
            m_released = index + 1;
        }
        m_changed.notify_all();
    }

private:
    void work(int worker) {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_changed.wait(lock, [&] {
                return m_stop || m_next >= m_count || m_next < m_released + m_window;
            });
            if (m_stop || m_next >= m_count)
                return;
            const int index = m_next++;
            auto& slot = m_slots[std::size_t(index)];
            slot = std::make_unique<Slot>();
            Slot* reading = slot.get();
            lock.unlock();
            try {
                reading->read = m_read(worker, index, reading->sheet);
            } catch (...) {
                reading->exception = std::current_exception();
            }
            lock.lock();
            reading->done = true;
            m_changed.notify_all();
        }
    }

    const int m_count;
    const int m_window;
    const SheetRead& m_read;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Slot>> m_slots; // by sheet; null before and after
    int m_next = 0;                             // the next sheet to read
    int m_released = 0;                         // sheets handed over and freed
    bool m_stop = false;
    std::vector<std::thread> m_workers;
};

} // namespace

Status passSheets(int count, int threads, const SheetRead& read, const SheetHandOver& handOver) {
    threads = std::clamp(threads, 1, std::max(count, 1));
    if (threads == 1) {
        for (int index = 0; index < count; ++index) {
            SheetData sheet;
            if (Status done = read(0, index, sheet); !done)
                return done;
            if (!handOver(index, sheet))
                return {};
        }
        return {};
    }
    Pass pass(count, threads, read);
    for (int index = 0; index < count; ++index) {
        Slot& slot = pass.wait(index);
        if (slot.exception)
            std::rethrow_exception(slot.exception);
        if (!slot.read)
            return slot.read;
        if (!handOver(index, slot.sheet))
            return {};
        pass.release(index);
    }
    return {};
}
