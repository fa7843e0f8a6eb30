#include "image/decode_wait.h"

#include <wx/evtloop.h>
#include <wx/progdlg.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "forms/main_window.h"
#include "image/worker.h"
#include "toolkit/modal_state.h"
#include "toolkit/widgets.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kBusyDelay = std::chrono::milliseconds(500);

// The worker's end, signalled under a lock.
class Handover {
  public:
    void put() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            done_ = true;
        }
        ready_.notify_all();
    }
    bool waitFor(std::chrono::milliseconds ms) {
        std::unique_lock<std::mutex> lock(mutex_);
        return ready_.wait_for(lock, ms, [this] { return done_; });
    }

  private:
    std::mutex mutex_;
    std::condition_variable ready_;
    bool done_ = false;
};

}  // namespace

DecodeLimits& pictureLimits() {
    static DecodeLimits limits;
    return limits;
}

std::function<void(wxProgressDialog& box)>& decodeBusyHook() {
    static std::function<void(wxProgressDialog&)> hook;
    return hook;
}

void runWhileResponsive(MainWindow& window, const char* title, const char* text,
                        const std::function<void(const std::atomic<bool>& cancel)>& work) {
    toolkit::ModalScope modal;  // no drop starts a second load meanwhile
    std::atomic<bool> cancel{false};
    Handover handover;
    std::thread worker([&] {
        work(cancel);
        handover.put();
    });
    JoinOnExit join(worker);
    // The first half second: paint and size events only; clicks and keys wait.
    const auto start = Clock::now();
    bool done = handover.waitFor(std::chrono::milliseconds(5));
    while (!done && Clock::now() - start < kBusyDelay) {
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
        done = handover.waitFor(std::chrono::milliseconds(5));
    }
    if (done) return;
    wxProgressDialog box(toolkit::fromUtf8(title), toolkit::fromUtf8(text), 100, &window,
                         wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_ELAPSED_TIME);
    while (!handover.waitFor(std::chrono::milliseconds(20))) {
        if (!box.Pulse()) cancel = true;
        if (decodeBusyHook()) decodeBusyHook()(box);
    }
}

DecodeResult decodeWhileResponsive(MainWindow& window, const Bytes& bytes) {
    DecodeResult result;
    runWhileResponsive(window, kBusyTitle, kBusyText, [&](const std::atomic<bool>& cancel) {
        DecodeLimits limits = pictureLimits();
        limits.cancel = &cancel;
        result = decodePictureBytes(bytes.data(), bytes.size(), limits);
    });
    return result;
}
