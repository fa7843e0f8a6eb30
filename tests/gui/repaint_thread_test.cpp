// The repaint thread posts a repaint after something is invalidated, one for all
// that was invalidated while it painted, reads nothing but its stop flag, and ends
// when the flag is set.
#include "app/repaint_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "gui_test.h"

using guitest::waitFor;

TEST(RepaintThread, OneRepaintPerBatchOfInvalidationsAndNoneAfterTheStopFlag) {
    std::atomic<int> stop{0};
    std::atomic<int> repaints{0};
    std::atomic<int> released{0};  // the repaints that may return; the others hold
    RepaintThread thread;
    ASSERT_TRUE(thread.start(&stop, [&] {
        const int n = ++repaints;
        while (released.load() < n) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }));
    EXPECT_FALSE(thread.start(&stop, [] {}));  // one thread per owner
    EXPECT_EQ(repaints.load(), 0);             // nothing invalid: nothing posted

    repaint::noteInvalid();
    ASSERT_TRUE(waitFor("a repaint after the invalidation", [&] { return repaints.load() == 1; }));
    // A thousand invalidations while it paints come to one more repaint.
    for (int i = 0; i < 1000; ++i) repaint::noteInvalid();
    released = 1;
    ASSERT_TRUE(waitFor("the repaint for the batch", [&] { return repaints.load() == 2; }));

    // Stopped while it paints, with something invalid again: no repaint after the flag.
    stop = 1;
    repaint::noteInvalid();
    released = 2;
    thread.join();
    EXPECT_EQ(repaints.load(), 2);
    EXPECT_FALSE(thread.running());
}
