// Picture installation: a 790 x 20000 JPEG brought in through the drop handler
// (read, probe, decode, canvas object, status bar) against decoding the same file
// with wxImage alone; median times and the memory peak of each above the idle program.
// Needs a display: run it under xvfb-run.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/image.h>
#include <wx/log.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "image/picture_install.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;
constexpr int kWidth = 790, kHeight = 20000;

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A field of /proc/self/status in kB.
long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
    return -1;
}

// Starts a new peak measurement: VmHWM falls back to the current VmRSS.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

std::string makeJpeg() {
    wxImage image(kWidth, kHeight, false);
    unsigned char* p = image.GetData();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x, p += 3) {
            p[0] = static_cast<unsigned char>(x * 255 / kWidth);
            p[1] = static_cast<unsigned char>((y / 40) * 37);
            p[2] = static_cast<unsigned char>((x ^ y) & 0xFF);
        }
    image.SetOption(wxIMAGE_OPTION_QUALITY, 90);
    const std::string path = "/tmp/bench_picture_790x20000.jpg";
    image.SaveFile(path, wxBITMAP_TYPE_JPEG);
    return path;
}

void pump() {
    for (int i = 0; i < 5; ++i) wxYield();
}

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        initialiseToolkit();
        return true;
    }
    int OnRun() override {
        const std::string path = makeJpeg();
        std::ifstream f(path, std::ios::binary | std::ios::ate);
        const long fileKb = static_cast<long>(f.tellg()) / 1024;
        const double decodedMb = kWidth * static_cast<double>(kHeight) * 3 / (1024 * 1024);

        AppState state;
        MainWindow* window = openMainWindow(state);
        pump();
        const long idleKb = statusKb("VmRSS");

        // Installation first, so that its peak is not hidden by the bare decode's.
        std::vector<double> install;
        long installPeakKb = 0;
        for (int i = 0; i < kRuns; ++i) {
            window->canvas->deleteAll();
            state.imageData.clear();
            window->loadButton->Enable();
            pump();
            resetPeak();
            const long before = statusKb("VmRSS");
            const auto t0 = Clock::now();
            dropFiles(*window, {wxString(path)});
            install.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            installPeakKb = std::max(installPeakKb, statusKb("VmHWM") - before);
            if (state.imageHeight != kHeight) std::printf("installation failed\n");
        }
        window->canvas->deleteAll();
        state.imageData.clear();
        pump();

        std::vector<double> bare;
        long barePeakKb = 0;
        for (int i = 0; i < kRuns; ++i) {
            resetPeak();
            const long before = statusKb("VmRSS");
            const auto t0 = Clock::now();
            {
                wxLogNull quiet;
                wxImage image(path, wxBITMAP_TYPE_JPEG);
                bare.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
                barePeakKb = std::max(barePeakKb, statusKb("VmHWM") - before);
            }
        }

        const double installMs = medianMs(install), bareMs = medianMs(bare);
        std::printf("picture: %d x %d JPEG, %ld kB file, %.1f MB decoded RGB\n", kWidth, kHeight,
                    fileKb, decodedMb);
        std::printf("idle program RSS:          %8.1f MB\n", idleKb / 1024.0);
        std::printf("bare wxImage decode:       %8.1f ms median of %d, peak +%.1f MB\n", bareMs, kRuns,
                    barePeakKb / 1024.0);
        std::printf("installation (drop path):  %8.1f ms median of %d, peak +%.1f MB\n", installMs,
                    kRuns, installPeakKb / 1024.0);
        std::printf("installation / bare decode: %.2f (aim <= 1.30)\n", installMs / bareMs);
        std::printf("installation peak / decoded bytes: %.2f (aim <= 2.00)\n",
                    installPeakKb / 1024.0 / decodedMb);
        window->Destroy();
        pump();
        return 0;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
