// The repaint thread posts a repaint soon after something is invalidated, reads
// nothing but its stop flag, and ends promptly when the flag is set.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "app/repaint_thread.h"

TEST(RepaintThread, RepaintsSoonAfterAnInvalidationAndStopsOnTheFlag) {
    std::atomic<int> stop{0};
    std::atomic<int> repaints{0};
    RepaintThread thread;
    ASSERT_TRUE(thread.start(&stop, [&] { ++repaints; }));
    EXPECT_FALSE(thread.start(&stop, [] {}));  // one thread per owner

    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    const int idle = repaints.load();
    EXPECT_EQ(idle, 0);  // nothing invalid: nothing posted

    const auto t0 = std::chrono::steady_clock::now();
    repaint::noteInvalid();
    while (repaints.load() == 0 && std::chrono::steady_clock::now() - t0 < std::chrono::seconds(2))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    EXPECT_EQ(repaints.load(), 1);
    EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(20));

    // Many invalidations within a millisecond come to few repaints.
    for (int i = 0; i < 1000; ++i) repaint::noteInvalid();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_LE(repaints.load(), 4);

    stop = 1;
    repaint::noteInvalid();
    const auto t1 = std::chrono::steady_clock::now();
    thread.join();
    EXPECT_LT(std::chrono::steady_clock::now() - t1, std::chrono::milliseconds(100));
    EXPECT_FALSE(thread.running());
}
