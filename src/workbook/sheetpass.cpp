#include "workbook/sheetpass.h"

#include "shared/parallelfor.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <vector>

namespace {

// One sheet on its way from a worker to the calling thread.
struct Slot {
    SheetData sheet;
    bool done = false; // read, or failed
    Status read;
    std::exception_ptr exception;
};

// The sheets read side by side by the workers, and handed over in order by
// the calling thread.
class Pass {
public:
    Pass(int count, int threads, const SheetRead& read)
        : m_count(count), m_window(2 * threads), m_read(read),
          m_slots(static_cast<std::size_t>(count)) {}

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

    // Stops the workers at the sheet they are reading.
    void stop() {
        {
            const std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_changed.notify_all();
    }

    // Reads sheets until none is left or the pass stops.
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

private:
    const int m_count;
    const int m_window;
    const SheetRead& m_read;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<std::unique_ptr<Slot>> m_slots; // by sheet; null before and after
    int m_next = 0;                             // the next sheet to read
    int m_released = 0;                         // sheets handed over and freed
    bool m_stop = false;
};

// Hands the sheets over in order as the workers finish them; stops the
// workers however it ends.
Status handOverAll(Pass& pass, int count, const SheetHandOver& handOver) {
    struct StopAtEnd {
        Pass& pass;
        ~StopAtEnd() { pass.stop(); }
    } stopAtEnd{pass};
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
    // Task 0, on the calling thread, hands over; task w + 1 is worker w. One
    // worker is enough to end the pass: each reads until no sheet is left.
    Pass pass(count, threads, read);
    Status passed;
    parallelFor(threads + 1, threads + 1, nullptr, [&](int task) {
        if (task == 0)
            passed = handOverAll(pass, count, handOver);
        else
            pass.work(task - 1);
    });
    return passed;
}
