// Dragging the picture: a 790 x 20000 picture carrying 300 hotspots, dragged over
// 200 steps on a 980 x 678 canvas. Each step is the canvas's movement handler plus
// the canvas repaint; a memcpy of one 980 x 678 RGB frame is the reference.
// Then dragging one hotspot among 300 and among 2000: the step should not grow
// with the number of hotspots.
// Run under xvfb-run: it opens the real main window.
#include "bench_window.h"

namespace {

using namespace bench;

// The median step of dragging the hotspot at the canvas's middle over 200 steps,
// with `hotspots` hotspots on the picture.
double hotspotDragStepMs(int hotspots) {
    AppState state;
    MainWindow* window = nullptr;
    openBusyWindow(state, window, hotspots);
    CanvasCtrl* canvas = window->canvas;
    const int hotspot = canvas->store().hitTest(330, 240);
    const int fromX = 330, fromY = 240;
    canvas->onLeftDown(fromX, fromY, 0);
    canvas->onObjectPressed(hotspot);
    std::vector<double> steps;
    for (int k = 1; k <= 200; ++k) {
        const int x = fromX + (k % 40) * 4 - 80, y = fromY + (k % 30) * 3 - 45;
        const auto t0 = Clock::now();
        canvas->onMouseMoved(x, y, hotspot);
        canvas->Update();
        steps.push_back(msSince(t0));
    }
    canvas->onLeftUp();
    window->Destroy();
    settle(50);
    return median(steps);
}

int runBenchmark() {
    AppState state;
    MainWindow* window = nullptr;
    const int picture = openBusyWindow(state, window);

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
                canvas->GetClientSize().x, canvas->GetClientSize().y, kPictureWidth, kPictureHeight,
                window->hotspots.hotspotCount());
    std::printf("drag step (handler + canvas repaint): median %.3f ms, max %.3f ms\n",
                median(steps), *std::max_element(steps.begin(), steps.end()));
    std::printf("memcpy of one 980 x 678 x 3 frame: median %.3f ms\n", memcpyFrameMs(200));
    std::printf("picture ended at (%d, %d); first hotspot top %d\n", movedLeft, movedTop,
                firstHotspotTop);

    window->Destroy();
    settle(50);

    const double few = hotspotDragStepMs(kHotspots), many = hotspotDragStepMs(2000);
    std::printf("hotspot drag step among %d hotspots: median %.3f ms\n", kHotspots, few);
    std::printf("hotspot drag step among 2000 hotspots: median %.3f ms\n", many);
    std::printf("ratio 2000 / %d: %.2f (aim <= 1.5)\n", kHotspots, many / few);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return bench::runInApp(argc, argv, runBenchmark); }
