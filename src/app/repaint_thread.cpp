#include "app/repaint_thread.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace repaint {
namespace {
std::mutex& gate() {
    static std::mutex m;
    return m;
}
std::condition_variable& wake() {
    static std::condition_variable c;
    return c;
}
std::atomic<bool> invalid{false};
}  // namespace

void noteInvalid() {
    if (invalid.load()) return;  // already noted: the thread will wake for it
    {
        // Set under the gate: a waiter between its look at the flag and its sleep
        // cannot miss it.
        std::lock_guard<std::mutex> lock(gate());
        if (invalid.exchange(true)) return;
    }
    wake().notify_one();
}

// Waits until something is invalid, at most 50 ms.
static bool waitForInvalid() {
    std::unique_lock<std::mutex> lock(gate());
    wake().wait_for(lock, std::chrono::milliseconds(50), [] { return invalid.load(); });
    return invalid.exchange(false);
}

}  // namespace repaint

RepaintThread::~RepaintThread() { join(); }

bool RepaintThread::start(std::atomic<int>* stop, std::function<void()> repaintNow) {
    if (thread_.joinable()) return false;
    try {
        thread_ = std::thread([stop, repaintNow = std::move(repaintNow)] {
            while (stop->load() == 0) {
                if (repaint::waitForInvalid() && stop->load() == 0) repaintNow();
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
    } catch (...) {
        return false;
    }
    return true;
}

void RepaintThread::join() {
    if (thread_.joinable()) thread_.join();
}
