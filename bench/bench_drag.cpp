// Dragging the picture: a 790 x 20000 picture carrying 300 hotspots, dragged over
// 200 steps on a 980 x 678 canvas. Each step is the canvas's movement handler plus
// the canvas repaint; a memcpy of one 980 x 678 RGB frame is the reference.
// Run under xvfb-run: it opens the real main window.
#include <wx/app.h>
#include <wx/evtloop.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/app.h"
#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void settle(int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        wxYield();
        wxMilliSleep(5);
    }
}

double memcpyReferenceMs() {
    const size_t frame = 980u * 678u * 3u;
    std::vector<unsigned char> src(frame, 7), dst(frame);
    std::vector<double> times;
    for (int i = 0; i < 200; ++i) {
        src[i] = static_cast<unsigned char>(i);
        const auto t0 = Clock::now();
        std::memcpy(dst.data(), src.data(), frame);
        times.push_back(msSince(t0));
        if (dst[i] != src[i]) std::puts("memcpy failed");
    }
    return median(times);
}

int runBenchmark() {
    AppState state;
    MainWindow* window = openMainWindow(state);
    window->SetClientSize(1280, 680);  // a 980 x 678 canvas above the status bar
    settle(300);

    const int w = 790, h = 20000;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 31 / 7);
    const int picture = window->canvas->createObject(0, 0);
    window->canvas->setPicture(picture, Picture::fromPlanes(w, h, std::move(rgb)));
    state.pictureObject = picture;
    state.imagePath = "bench.png";

    // 5 columns x 60 rows over the whole picture.
    for (int i = 0; i < 300; ++i)
        createHotspot(*window, (i % 5) * 160, (i / 5) * 330, 150, 100, kPlaceholderLink,
                      kPlaceholderTip, false);
    settle(200);

    CanvasCtrl* canvas = window->canvas;
    int x = 5, y = 5;
    canvas->onLeftDown(x, y, 0);
    canvas->onObjectPressed(picture);
    std::vector<double> steps;
    for (int k = 1; k <= 200; ++k) {
        // Upwards through the picture, swaying sideways.
        x = 5 + (k % 20) * 3;
        y = 5 - k * 20;
        const auto t0 = Clock::now();
        canvas->onMouseMoved(x, y, picture);
        canvas->Update();
        steps.push_back(msSince(t0));
    }
    const int movedLeft = canvas->objectLeft(picture), movedTop = canvas->objectTop(picture);
    const int firstHotspotTop = canvas->objectTop(window->hotspots.hotspotObjectAt(0));

    std::printf("canvas %d x %d, picture %d x %d, %d hotspots, 200 drag steps\n",
                canvas->GetClientSize().x, canvas->GetClientSize().y, w, h,
                window->hotspots.hotspotCount());
    std::printf("drag step (handler + canvas repaint): median %.3f ms, max %.3f ms\n",
                median(steps), *std::max_element(steps.begin(), steps.end()));
    std::printf("memcpy of one 980 x 678 x 3 frame: median %.3f ms\n", memcpyReferenceMs());
    std::printf("picture ended at (%d, %d); first hotspot top %d\n", movedLeft, movedTop,
                firstHotspotTop);

    window->Destroy();
    settle(50);
    return 0;
}

class BenchApp : public wxApp {
  public:
    bool OnInit() override {
        initialiseToolkit();
        SetExitOnFrameDelete(false);
        return true;
    }
    int OnRun() override {
        wxEventLoopGuarantor loop;
        return runBenchmark();
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
