// Drawing a hotspot with Shift held: the overlay over the canvas, the rubber band,
// the info dialog in its create mode, and what is left afterwards.
#include "canvas/draw_overlay.h"

#include <wx/image.h>

#include "app/reset.h"
#include "core/rubber_band.h"
#include "hotspot_info_expect.h"
#include "hotspot_test_support.h"
#include "output/code_ui.h"

using namespace guitest;

namespace {

class DrawOverlay : public HotspotWindowTest {
  protected:
    void TearDown() override {
        sim.MouseUp();
        sim.KeyUp(WXK_SHIFT);
        drainEvents();
        HotspotWindowTest::TearDown();
    }
    DrawOverlayWindow* overlay() const { return drawOverlayOf(*window); }
    int overlayCount() const {
        int n = 0;
        for (wxWindow* child : window->canvas->GetChildren())
            n += dynamic_cast<DrawOverlayWindow*>(child) && child->IsShown();
        return n;
    }
    void focusCanvas() {
        // Without a window manager X sends keys to the window under the pointer.
        sim.MouseMove(onScreen(5, 5));
        drainEvents();
        window->canvas->SetFocus();
        ASSERT_TRUE(
            waitFor("the canvas to take the focus", [&] { return window->canvas->HasFocus(); }));
    }
    // Shift down on the focused canvas; waits for the overlay.
    void holdShift() {
        focusCanvas();
        sim.KeyDown(WXK_SHIFT);
        ASSERT_TRUE(waitFor("Shift to open the overlay", [&] { return overlay() != nullptr; }));
        drainEvents();
    }
    void releaseShift() {
        sim.KeyUp(WXK_SHIFT);
        drainEvents();
    }
    // Presses at `from` on the overlay and moves to `to`, the button still down.
    void dragOnOverlay(wxPoint from, wxPoint to) {
        sim.MouseMove(onScreen(from.x, from.y));
        drainEvents();
        sim.MouseDown();
        ASSERT_TRUE(waitFor("the press to reach the overlay",
                            [&] { return state->overlayMouseDown == 1; }));
        // Each movement is awaited: GTK may hold back a movement that comes within the
        // same frame as the one before it.
        for (const wxPoint p : {(from + to) / 2, to}) {
            sim.MouseMove(onScreen(p.x, p.y));
            ASSERT_TRUE(waitFor("the rubber band to reach the pointer", [&] {
                return state->overlayEndX ==
                           std::clamp(p.x, 0, window->canvas->GetClientSize().x) &&
                       state->overlayEndY == std::clamp(p.y, 0, window->canvas->GetClientSize().y);
            }));
        }
    }
    // Releases the button; the info dialog is answered by `expect`.
    void releaseInto(const ExpectHotspotInfo& expect, bool* answered = nullptr) {
        bool seen = false;
        wxTEST_DIALOG(
            {
                sim.MouseUp();
                seen = waitFor("the overlay to close after the release",
                               [&] { return state->drawOverlayOpen == 0; });
            },
            expect);
        if (answered) *answered = seen;
    }
    std::vector<int> rectOf(int id) const {
        const CanvasCtrl* c = window->canvas;
        return {c->objectLeft(id), c->objectTop(id), c->objectWidth(id), c->objectHeight(id)};
    }
    // Draws from `from` to `to` and confirms the dialog with a link and a tip.
    void drawAndConfirm(wxPoint from, wxPoint to, const char* link, const char* tip, ShownInfo& shown) {
        holdShift();
        dragOnOverlay(from, to);
        releaseInto(ExpectHotspotInfo(shown, confirmWith(link, tip)));
        releaseShift();
    }
};

}  // namespace

TEST_F(DrawOverlay, ShiftOpensOneOverlayCoveringTheCanvasWithItsPicture) {
    putPicture();
    createHotspot(*window, 120, 60, 150, 100, kPlaceholderLink, kPlaceholderTip, false);
    ASSERT_TRUE(window->handles[kHandleTopLeft]->IsShown());
    const std::vector<wxPoint> objectsBefore = {objectAt(state->pictureObject), objectAt(lastObject())};

    holdShift();
    DrawOverlayWindow* o = overlay();
    CanvasCtrl* canvas = window->canvas;
    EXPECT_EQ(o->GetParent(), canvas);
    EXPECT_EQ(o->GetScreenRect(), canvas->GetScreenRect());
    EXPECT_EQ(o->GetSize(), canvas->GetClientSize());
    EXPECT_EQ(o->board->GetRect(), wxRect(canvas->GetClientSize()));
    EXPECT_EQ(find(o, "画板背景"), o->board);
    EXPECT_EQ(state->drawOverlayOpen, 1);
    EXPECT_EQ(o->GetSize(), canvas->GetSize());
    EXPECT_EQ(wxWindow::FindFocus(), o);
    for (wxWindow* h : window->handles) EXPECT_FALSE(h->IsShown());

    // Its picture is the canvas as it was shown.
    const wxSize size = canvas->GetClientSize();
    std::vector<std::uint8_t> shown(static_cast<size_t>(size.x) * size.y * 3);
    canvas->store().compose(shown.data(), 0, 0, size.x, size.y, size.x * 3);
    ASSERT_EQ(o->frame().width(), size.x);
    EXPECT_TRUE(std::equal(shown.begin(), shown.end(), o->frame().pixels()));
    const wxImage shot(screenshot(canvas, "draw_overlay_open.png"));
    ASSERT_TRUE(shot.IsOk());
    for (const wxPoint& p : {wxPoint(10, 10), wxPoint(150, 100), wxPoint(500, 400)}) {
        const size_t at = (static_cast<size_t>(p.y) * size.x + p.x) * 3;
        EXPECT_EQ(shot.GetRed(p.x, p.y), shown[at]) << p.x << "," << p.y;
        EXPECT_EQ(shot.GetGreen(p.x, p.y), shown[at + 1]) << p.x << "," << p.y;
    }

    // Repeated key-downs while Shift is held open nothing more.
    for (int i = 0; i < 3; ++i) canvas->onKeyDown(WXK_SHIFT, 2);
    sim.KeyDown(WXK_SHIFT);
    drainEvents();
    EXPECT_EQ(overlayCount(), 1);

    // Esc on the overlay closes nothing.
    sim.Char(WXK_ESCAPE);
    drainEvents();
    EXPECT_TRUE(window->IsShown());
    EXPECT_EQ(overlay(), o);

    releaseShift();
    EXPECT_TRUE(waitFor("the overlay to close", [&] { return overlayCount() == 0; }));
    EXPECT_EQ(state->drawOverlayOpen, 0);
    EXPECT_EQ(wxWindow::FindFocus(), canvas);
    EXPECT_EQ((std::vector<wxPoint>{objectAt(state->pictureObject), objectAt(lastObject())}), objectsBefore);
    // The handles stay hidden until the next selection.
    for (wxWindow* h : window->handles) EXPECT_FALSE(h->IsShown());
}

TEST_F(DrawOverlay, DrawnRectangleBecomesALockedHotspotExactlyThere) {
    putPicture();
    holdShift();
    dragOnOverlay({100, 80}, {250, 180});
    // The dotted band is on the screen: dots exclusive-or the picture's grey, gaps and
    // the inside untouched.
    const wxImage shot(screenshot(window->canvas, "draw_overlay_band.png"));
    ASSERT_TRUE(shot.IsOk());
    EXPECT_EQ(shot.GetRed(100, 80), 200 ^ 236);
    EXPECT_EQ(shot.GetRed(101, 80), 200);
    EXPECT_EQ(shot.GetRed(249, 179), 200 ^ 236);
    EXPECT_EQ(shot.GetRed(100, 150), 200 ^ 236);
    EXPECT_EQ(shot.GetRed(150, 130), 200);
    EXPECT_EQ(shot.GetRed(250, 180), 200);  // just outside the band
    EXPECT_EQ(shot.GetRed(121, 129), 200);  // a dot of the smaller band of the step before
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);  // nothing made while drawing

    ShownInfo shown;
    bool closed = false;
    releaseInto(ExpectHotspotInfo(shown, confirmWith(" shop.example.com/Item?ID=Ab ", "春季新品")), &closed);
    EXPECT_TRUE(closed);
    EXPECT_EQ(shown.caption, "设置热点信息");
    EXPECT_EQ(shown.cancelCaption, "取消热点");
    EXPECT_EQ(shown.boxes.link, "");
    EXPECT_EQ(shown.boxes.tip, "");
    EXPECT_EQ(state->drawnRect.x, 100);
    EXPECT_EQ(state->drawnRect.y, 80);
    EXPECT_EQ(state->drawnRect.w, 150);
    EXPECT_EQ(state->drawnRect.h, 100);

    ASSERT_EQ(window->hotspots.hotspotCount(), 1);
    const int id = lastObject();
    EXPECT_EQ(rectOf(id), (std::vector<int>{100, 80, 150, 100}));
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:" + std::to_string(id - 1) + " 锁定：√"});
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 1)), "http://shop.example.com/Item?ID=Ab");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "春季新品");
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"100", "250", "80", "180", "150", "100"}));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(98, 78));
    const std::string code = generateMapCode(*window, MapVariant::preview);
    EXPECT_NE(code.find("  <area shape=\"rect\" coords=\"100,80,250,180\" "
                        "href=\"http://shop.example.com/Item?ID=Ab\" alt=\"春季新品\" "
                        "title=\"春季新品\" target=\"_blank\" />\r\n"),
              std::string::npos)
        << code;

    // The overlay went with the dialog; the focus is back on the canvas.
    EXPECT_TRUE(waitFor("the overlay to close", [&] { return overlayCount() == 0; }));
    EXPECT_EQ(wxWindow::FindFocus(), window->canvas);
    releaseShift();
    EXPECT_EQ(overlayCount(), 0);
}

TEST_F(DrawOverlay, DrawingUpAndLeftGivesTheSameHotspot) {
    putPicture();
    ShownInfo shown;
    drawAndConfirm({250, 180}, {100, 80}, "", "", shown);
    EXPECT_EQ(state->drawnRect.w, -150);
    EXPECT_EQ(state->drawnRect.h, -100);
    ASSERT_EQ(window->hotspots.hotspotCount(), 1);
    EXPECT_EQ(rectOf(lastObject()), (std::vector<int>{100, 80, 150, 100}));
    // Both boxes empty: the bare scheme and an empty tip.
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 1)), "http://");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "");
    EXPECT_TRUE(window->hotspots.isHotspotLocked(0));
}

TEST_F(DrawOverlay, PastTheCanvasEdgeTheCornerStaysOnTheEdge) {
    putPicture(637, 462);
    const wxSize size = window->canvas->GetClientSize();
    ShownInfo shown;
    drawAndConfirm({size.x - 40, size.y - 30}, {size.x + 60, size.y + 50}, "a.com", "", shown);
    drawAndConfirm({50, 40}, {-30, -20}, "b.com", "", shown);
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(rectOf(window->hotspots.hotspotObjectAt(0)),
              (std::vector<int>{size.x - 40, size.y - 30, 40, 30}));
    EXPECT_EQ(rectOf(window->hotspots.hotspotObjectAt(1)), (std::vector<int>{0, 0, 50, 40}));
}

TEST_F(DrawOverlay, CancelOrCloseMakesNothingAndClosesTheOverlay) {
    putPicture();
    const std::function<void(HotspotInfoDialog&)> answers[] = {
        cancelAfterTyping("a.com", "tip"),
        [](HotspotInfoDialog& d) {
            d.setValue({"a.com", "tip"});
            d.Close();  // the close box
        },
    };
    for (const auto& answer : answers) {
        ShownInfo shown;
        bool closed = false;
        holdShift();
        dragOnOverlay({100, 80}, {250, 180});
        releaseInto(ExpectHotspotInfo(shown, answer), &closed);
        EXPECT_TRUE(closed);
        EXPECT_EQ(shown.caption, "设置热点信息");
        EXPECT_EQ(window->hotspots.hotspotCount(), 0);
        EXPECT_EQ(window->hotspotTable->GetItemCount(), 0);
        EXPECT_TRUE(waitFor("the overlay to close", [&] { return overlayCount() == 0; }));
        EXPECT_EQ(wxWindow::FindFocus(), window->canvas);
        releaseShift();
    }
    EXPECT_EQ(window->canvas->store().objects().size(), 1u);  // the picture alone
}

TEST_F(DrawOverlay, ShiftUpWhileDraggingDropsTheRectangle) {
    putPicture();
    holdShift();
    dragOnOverlay({100, 80}, {250, 180});
    releaseShift();
    EXPECT_TRUE(waitFor("the overlay to close", [&] { return overlayCount() == 0; }));
    EXPECT_EQ(state->overlayMouseDown, 0);
    sim.MouseUp();  // any dialog here would fail the test
    drainEvents();
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    EXPECT_EQ(wxWindow::FindFocus(), window->canvas);
    EXPECT_EQ(objectAt(state->pictureObject), wxPoint(0, 0));
}

TEST_F(DrawOverlay, AClickOrALineWithoutAreaOpensNoDialog) {
    putPicture();
    holdShift();
    sim.MouseMove(onScreen(100, 80));
    drainEvents();
    sim.MouseClick();
    drainEvents();
    EXPECT_EQ(state->drawnRect.w, 0);
    EXPECT_EQ(state->drawnRect.h, 0);
    dragOnOverlay({100, 80}, {200, 80});  // a flat line
    sim.MouseUp();
    drainEvents();
    EXPECT_EQ(state->drawnRect.w, 100);
    EXPECT_EQ(state->drawnRect.h, 0);
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    // The overlay is still there for a real rectangle, and shows no band.
    ASSERT_NE(overlay(), nullptr);
    EXPECT_EQ(overlay()->frame().band().w, 0);
    sim.MouseMove(onScreen(300, 200));  // moving with the button up draws nothing
    drainEvents();
    EXPECT_EQ(overlay()->frame().band().w, 0);
    ShownInfo shown;
    dragOnOverlay({10, 10}, {20, 20});
    releaseInto(ExpectHotspotInfo(shown, confirmWith("x.com", "")));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
}

TEST_F(DrawOverlay, PressingTheBoardTakesTheFocusBackForTheShiftRelease) {
    putPicture();
    holdShift();
    window->hotspotListBox->SetFocus();
    ASSERT_TRUE(
        waitFor("the list to take the focus", [&] { return window->hotspotListBox->HasFocus(); }));
    sim.MouseMove(onScreen(100, 80));
    drainEvents();
    sim.MouseClick();
    EXPECT_TRUE(waitFor("the click to give the overlay the focus",
                        [&] { return overlay() && overlay()->HasFocus(); }));
    releaseShift();
    EXPECT_TRUE(waitFor("the overlay to close", [&] { return overlayCount() == 0; }));
    EXPECT_EQ(wxWindow::FindFocus(), window->canvas);
}

TEST_F(DrawOverlay, WithoutAPictureShiftDoesNothing) {
    focusCanvas();
    sim.KeyDown(WXK_SHIFT);
    drainEvents();
    EXPECT_EQ(overlayCount(), 0);
    EXPECT_EQ(state->drawOverlayOpen, 0);
    sim.KeyUp(WXK_SHIFT);
    drainEvents();
    // After a reset as well.
    putPicture();
    resetAll(*window);
    focusCanvas();
    sim.KeyDown(WXK_SHIFT);
    drainEvents();
    EXPECT_EQ(overlayCount(), 0);
}

TEST_F(DrawOverlay, ASecondHotspotNeedsANewShiftPress) {
    putPicture();
    ShownInfo shown;
    drawAndConfirm({10, 10}, {60, 60}, "a.com", "", shown);
    drawAndConfirm({100, 100}, {160, 170}, "b.com", "", shown);
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    EXPECT_EQ(rectOf(lastObject()), (std::vector<int>{100, 100, 60, 70}));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 1);
}
