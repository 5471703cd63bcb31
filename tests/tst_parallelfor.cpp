#include "shared/parallelfor.h"

#include <QTest>

#include <atomic>
#include <stdexcept>
#include <thread>
#include <vector>

// The one loop over threads: every index once, a body's exception thrown to
// the caller after the threads have ended, cancellation between indices.
class TestParallelFor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyIndexOnce();
    void exceptionReachesTheCaller();
    void cancelledLoopStops();
};

namespace {
constexpr int kCount = 2000;
constexpr int kThreads = 4;
} // namespace

void TestParallelFor::everyIndexOnce() {
    std::vector<std::atomic<int>> runs(kCount);
    std::thread::id firstOn;
    WorkProgress progress;
    LoopProgress parts(&progress, 2 * kCount); // two loops, one total
    const auto body = [&](int index) {
        if (index == 0)
            firstOn = std::this_thread::get_id();
        ++runs[std::size_t(index)];
    };
    QVERIFY(parallelFor(kCount, kThreads, &parts, body));
    QCOMPARE(progress.percent(), 50);
    QVERIFY(parallelFor(kCount, kThreads, &parts, body));
    QCOMPARE(progress.percent(), 100);
    for (int index = 0; index < kCount; ++index)
        QCOMPARE(runs[std::size_t(index)].load(), 2);
    QCOMPARE(firstOn, std::this_thread::get_id());
    QVERIFY(parallelFor(0, kThreads, nullptr, body));
    QCOMPARE(runs[0].load(), 2);
}

void TestParallelFor::exceptionReachesTheCaller() {
    std::atomic<int> inside{0};
    std::atomic<int> ran{0};
    QVERIFY_THROWS_EXCEPTION(std::runtime_error, parallelFor(kCount, kThreads, nullptr, [&](int i) {
                                 ++inside;
                                 ++ran;
                                 if (i == 37)
                                     throw std::runtime_error("index 37");
                                 std::this_thread::yield();
                                 --inside;
                             }));
    QCOMPARE(inside.load(), 1); // the throwing body alone never left; the others had ended
    QCOMPARE_LT(ran.load(), kCount);
}

void TestParallelFor::cancelledLoopStops() {
    WorkProgress progress;
    LoopProgress parts(&progress, kCount);
    std::atomic<int> ran{0};
    QVERIFY(!parallelFor(kCount, kThreads, &parts, [&](int i) {
        ++ran;
        if (i == 10)
            progress.cancel();
    }));
    QCOMPARE_LT(ran.load(), kCount);

    ran = 0;
    QVERIFY(!parallelFor(kCount, kThreads, &parts, [&](int) { ++ran; }));
    QCOMPARE(ran.load(), 0);
}

QTEST_GUILESS_MAIN(TestParallelFor)
#include "tst_parallelfor.moc"
