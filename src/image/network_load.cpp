// The network branch of 按钮载入: ask for an address, check it, download it on a
// worker thread while a progress box with a cancel button stays responsive.
#include <wx/progdlg.h>
#include <wx/utils.h>

#include <atomic>
#include <thread>

#include "core/address_check.h"
#include "core/display_text.h"
#include "forms/main_window.h"
#include "image/picture_install.h"
#include "image/worker.h"
#include "platform/http.h"
#include "toolkit/input_box.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

// The box is sized by its text: a long address is shown cut in the middle.
constexpr int kShownAddressChars = 60;

wxString progressText(const std::string& address, std::int64_t received) {
    return toolkit::fromUtf8("正在下载网络图片：" + text::elideMiddle(address, kShownAddressChars) +
                             "\n已收到 " + text::number(received) + " 字节");
}

// Runs the download on a worker thread; the progress box is updated from here,
// the UI thread, until the worker is done. False when it failed or was cancelled.
bool downloadWithProgress(MainWindow& window, const std::string& address, Bytes& body) {
    const platform::DownloadLimits limits = downloadLimits();
    platform::DownloadProgress progress;
    platform::DownloadResult result;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        result = platform::httpDownload(address, limits, &progress);
        done = true;
    });
    {
        JoinOnExit join(worker);
        wxProgressDialog box(toolkit::fromUtf8("下载网络图片"), progressText(address, 0), 100, &window,
                             wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_ELAPSED_TIME);
        while (!done) {
            if (!box.Pulse(progressText(address, progress.received))) progress.cancel = true;
            if (downloadProgressHook()) downloadProgressHook()(box);
            wxMilliSleep(20);
        }
    }
    if (result.status != platform::DownloadStatus::Ok) {
        const std::string message = platform::downloadMessage(result, limits);
        if (!message.empty()) showMessage(message);  // a cancelled download needs no word
        return false;
    }
    body = std::move(result.body);
    return true;
}

}  // namespace

platform::DownloadLimits& downloadLimits() {
    static platform::DownloadLimits limits;
    return limits;
}

std::function<void(wxProgressDialog& box)>& downloadProgressHook() {
    static std::function<void(wxProgressDialog&)> hook;
    return hook;
}

bool loadNetworkAddress(MainWindow& window, const std::string& typed) {
    const AddressVerdict verdict = checkPictureAddress(typed);
    if (verdict != AddressVerdict::Ok) {
        showMessage(addressMessage(verdict));
        return false;
    }
    Bytes body;
    if (!downloadWithProgress(window, typed, body)) return false;
    if (!bringInPicture(window, typed, std::move(body), &typed)) return false;
    window.state.loadMode = 1;
    return true;
}

void loadNetworkPicture(MainWindow& window, const wxString& initial) {
    wxString entered;
    if (!askInput(toolkit::fromUtf8("图片地址"), toolkit::fromUtf8("请在下方输入网络图片地址"),
                  initial, entered))
        return;
    loadNetworkAddress(window, toolkit::toUtf8(entered));
}
