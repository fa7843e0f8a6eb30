// The rubber band: a 790 x 20000 picture with 300 hotspots on a 980 x 678 canvas,
// Shift held, and a rectangle dragged over 400 steps. Each step is the overlay's
// movement handler plus the board's repaint; a memcpy of one 980 x 678 RGB frame,
// measured in the same run, is the reference.
// Run under xvfb-run: it opens the real main window.
#include "bench_window.h"
#include "canvas/draw_overlay.h"

namespace {

using namespace bench;

int runBenchmark() {
    AppState state;
    MainWindow* window = nullptr;
    openBusyWindow(state, window);
    CanvasCtrl* canvas = window->canvas;

    const auto openStart = Clock::now();
    canvas->onKeyDown(WXK_SHIFT, 2);
    DrawOverlayWindow* overlay = drawOverlayOf(*window);
    if (!overlay) {
        std::puts("the overlay did not open");
        return 1;
    }
    overlay->Update();
    const double openMs = msSince(openStart);
    settle(100);

    overlay->startRubberBand(40, 30);
    std::vector<double> steps;
    RectXYWH widest;
    for (int k = 1; k <= 400; ++k) {
        // Out towards the far corner and back, swaying.
        const int t = k <= 200 ? k : 400 - k;
        const int x = 40 + t * 4 + (k % 7), y = 30 + t * 3 - (k % 5);
        const auto t0 = Clock::now();
        overlay->moveRubberBand(x, y);
        overlay->board->Update();
        steps.push_back(msSince(t0));
        if (overlay->frame().band().w > widest.w) widest = overlay->frame().band();
    }
    const double step = median(steps), frame = memcpyFrameMs(400);

    std::printf("canvas %d x %d, picture %d x %d, %d hotspots, 400 rubber-band steps\n",
                canvas->GetClientSize().x, canvas->GetClientSize().y, kPictureWidth,
                kPictureHeight, window->hotspots.hotspotCount());
    std::printf("opening the overlay (snapshot + window + first paint): %.3f ms\n", openMs);
    std::printf("rubber-band step (handler + overlay repaint): median %.3f ms, max %.3f ms\n", step,
                *std::max_element(steps.begin(), steps.end()));
    std::printf("memcpy of one 980 x 678 x 3 frame: median %.3f ms\n", frame);
    std::printf("ratio step / frame memcpy: %.2f (aim <= 4)\n", frame > 0 ? step / frame : 0.0);
    std::printf("widest band drawn: %d,%d %d x %d\n", widest.x, widest.y, widest.w, widest.h);

    overlay->closeOverlay();
    window->Destroy();
    settle(50);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return bench::runInApp(argc, argv, runBenchmark); }
