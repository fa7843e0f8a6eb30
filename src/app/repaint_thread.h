// The repaint thread: while it runs, the main window and the canvas are repainted
// about every millisecond. It posts a repaint only when something was invalidated,
// so an idle program costs next to nothing.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

namespace repaint {
// Tells the repaint thread that a window has an invalid area.
void noteInvalid();
}  // namespace repaint

class RepaintThread {
public:
    RepaintThread() = default;
    ~RepaintThread();
    RepaintThread(const RepaintThread&) = delete;
    RepaintThread& operator=(const RepaintThread&) = delete;

    // Starts the loop; `repaintNow` is posted to the UI thread when a repaint is due.
    // `stop` is the only state the thread reads. Returns false when no thread could start.
    bool start(std::atomic<int>* stop, std::function<void()> repaintNow);
    // Sets nothing itself: the owner sets the stop flag; this waits for the loop to end.
    void join();
    bool running() const { return thread_.joinable(); }

private:
    std::thread thread_;
};
