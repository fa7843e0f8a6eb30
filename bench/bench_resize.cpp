// Resizing by a handle and taking a move back: on a 980 x 678 canvas showing a
// 790 x 20000 picture with 300 hotspots, one resize step of a 400 x 300 hotspot
// (the handle's mouse movement handled, the face drawn anew, the canvas repainted)
// against a memcpy of one canvas frame, and one undo of a move.
// Run under xvfb-run: it opens the real main window.
#include "bench_window.h"
#include "canvas/canvas_editing.h"
#include "hotspots/undo_ui.h"

namespace {

using namespace bench;

int runBenchmark() {
    AppState state;
    MainWindow* window = nullptr;
    openBusyWindow(state, window);
    CanvasCtrl* canvas = window->canvas;

    // The first hotspot, made 400 x 300 and selected, its lower right handle pressed.
    const int hotspot = window->hotspots.hotspotObjectAt(0);
    setHotspotGeometry(*window, hotspot, RectXYWH{100, 100, 400, 300});
    window->hotspots.setSelection(0);
    onHotspotListSelected(*window);
    settle(100);
    const int pressX = 502, pressY = 402;
    if (!startHandleDrag(*window, kHandleBottomRight, pressX, pressY)) {
        std::puts("the handle did not take the press");
        return 1;
    }
    std::vector<double> steps, withBoxes;
    for (int k = 1; k <= 300; ++k) {
        // Back and forth around 400 x 300, a different size every step.
        const int d = (k % 40) - 20;
        auto t0 = Clock::now();
        handleDragStep(*window, pressX + d, pressY + d / 2);
        canvas->Update();
        steps.push_back(msSince(t0));
        // The focus boxes follow when the event loop comes round: written and drawn.
        t0 = Clock::now();
        wxTheApp->ProcessPendingEvents();
        window->Update();
        withBoxes.push_back(steps.back() + msSince(t0));
    }
    endHandleDrag(*window);
    const int endWidth = canvas->objectWidth(hotspot), endHeight = canvas->objectHeight(hotspot);

    // Moves of one hotspot after another, each taken back at once.
    std::vector<double> undos;
    for (int k = 0; k < 200; ++k) {
        const int moved = window->hotspots.hotspotObjectAt(1 + k % 299);
        beginUndoStep(*window, kStepMove);
        RectXYWH r = hotspotRect(*window, moved);
        r.x += 7;
        r.y += 3;
        setHotspotGeometry(*window, moved, r);
        endUndoStep(*window);
        const auto t0 = Clock::now();
        undoLastStep(*window);
        canvas->Update();
        undos.push_back(msSince(t0));
    }
    const int firstLeft = canvas->objectLeft(window->hotspots.hotspotObjectAt(1));

    // What the history holds for one move among the 300: only that hotspot.
    forgetUndoSteps(*window);
    {
        const int moved = window->hotspots.hotspotObjectAt(150);
        beginUndoStep(*window, kStepMove);
        RectXYWH r = hotspotRect(*window, moved);
        r.x += 7;
        r.y += 3;
        setHotspotGeometry(*window, moved, r);
        endUndoStep(*window);
    }
    const std::size_t stepBytes = window->undoHistory.heldBytes();

    const double frame = memcpyFrameMs(300);
    std::printf("canvas %d x %d, picture %d x %d, %d hotspots\n", canvas->GetClientSize().x,
                canvas->GetClientSize().y, kPictureWidth, kPictureHeight,
                window->hotspots.hotspotCount());
    std::printf(
        "resize step of a 400 x 300 hotspot (handle movement, new face, repaint): median %.3f ms, "
        "max %.3f ms\n",
        median(steps), *std::max_element(steps.begin(), steps.end()));
    std::printf(
        "the same with the six focus boxes written and drawn: median %.3f ms (ratio %.2f)\n",
        median(withBoxes), median(withBoxes) / frame);
    std::printf("memcpy of one 980 x 678 x 3 frame: median %.3f ms\n", frame);
    std::printf("ratio resize step / frame memcpy: %.2f (aim: at most 6)\n", median(steps) / frame);
    std::printf(
        "undo of a move among 300 hotspots: median %.3f ms, max %.3f ms (aim: median under 2 ms)\n",
        median(undos), *std::max_element(undos.begin(), undos.end()));
    std::printf("undo step of a move among 300 hotspots: %zu bytes held (aim <= 2048)\n",
                stepBytes);
    std::printf("hotspot ended %d x %d; the second hotspot is back at left %d\n", endWidth,
                endHeight, firstLeft);

    window->Destroy();
    settle(50);
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return bench::runInApp(argc, argv, runBenchmark); }
