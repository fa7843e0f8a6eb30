// The canvas control on its own: event order and arguments, focus, no capture,
// and pictures taller than any single GUI bitmap.
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include <sstream>

#include "canvas/canvas_ctrl.h"
#include "gui_test.h"

using namespace guitest;

namespace {

Picture solid(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = r;
        rgb[i + 1] = g;
        rgb[i + 2] = b;
    }
    return Picture::fromPlanes(w, h, std::move(rgb));
}

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override {
        frame = new wxFrame(nullptr, wxID_ANY, "canvas", wxPoint(50, 50), wxSize(500, 400));
        // A frame sizes a lone child to its client area: the canvas sits on a panel.
        auto* host = new wxPanel(frame);
        canvas = new CanvasCtrl(host, wxID_ANY, wxPoint(10, 10), wxSize(400, 300), "canvas");
        frame->Show();
        ASSERT_TRUE(waitFor("the canvas to show", [&] { return canvas->IsShownOnScreen(); }));
        drainEvents();
        canvas->onLeftDown = [&](int x, int y, int ks) { log << "down " << x << "," << y << " ks" << ks << ";"; };
        canvas->onObjectPressed = [&](int o) { log << "press " << o << ";"; };
        canvas->onObjectRightPressed = [&](int o) { log << "right " << o << ";"; };
        canvas->onMouseMoved = [&](int x, int y, int p) { log << "move " << x << "," << y << " p" << p << ";"; };
    }
    void TearDown() override {
        frame->Destroy();
        drainEvents();
    }
    void moveTo(int x, int y) {
        sim.MouseMove(canvas->ClientToScreen(wxPoint(x, y)));
        drainEvents();
    }
    std::string take() {
        std::string s = log.str();
        log.str("");
        return s;
    }
    wxFrame* frame = nullptr;
    CanvasCtrl* canvas = nullptr;
    wxUIActionSimulator sim;
    std::ostringstream log;
};

}  // namespace

TEST_F(CanvasTest, PressAndDragRaiseTheirEventsInOrder) {
    const int picture = canvas->createObject(0, 0);
    canvas->setPicture(picture, solid(200, 100, 10, 20, 30));
    const int hotspot = canvas->createObject(100, 50);
    canvas->setPicture(hotspot, solid(50, 40, 255, 0, 255));

    moveTo(110, 60);
    take();
    sim.MouseDown();
    drainEvents();
    // The common left-down comes first, then the object press; the canvas takes the focus.
    EXPECT_EQ(take(), "down 110,60 ks0;press " + std::to_string(hotspot) + ";");
    EXPECT_TRUE(canvas->HasFocus());
    EXPECT_EQ(canvas->pressedObject(), hotspot);
    moveTo(130, 70);
    EXPECT_EQ(take(), "move 130,70 p" + std::to_string(hotspot) + ";");
    sim.MouseUp();
    drainEvents();
    take();
    moveTo(131, 70);
    EXPECT_EQ(take(), "move 131,70 p0;");  // the button is up: pressed object 0

    // Over no object the pressed object is -1.
    moveTo(300, 250);
    take();
    sim.MouseDown();
    drainEvents();
    EXPECT_EQ(take(), "down 300,250 ks0;press 0;");
    moveTo(310, 255);
    EXPECT_EQ(take(), "move 310,255 p-1;");
    sim.MouseUp();
    drainEvents();

    // Right press reports the object under the pointer.
    moveTo(5, 5);
    take();
    sim.MouseDown(wxMOUSE_BTN_RIGHT);
    sim.MouseUp(wxMOUSE_BTN_RIGHT);
    drainEvents();
    EXPECT_EQ(take(), "right " + std::to_string(picture) + ";");

    // The Shift key state reaches the common event.
    moveTo(20, 20);
    take();
    sim.KeyDown(WXK_SHIFT);
    drainEvents();
    sim.MouseDown();
    drainEvents();
    sim.MouseUp();
    sim.KeyUp(WXK_SHIFT);
    drainEvents();
    EXPECT_EQ(take().substr(0, 17), "down 20,20 ks2;pr");
}

TEST_F(CanvasTest, NoMovesArriveWhileThePointerIsOutside) {
    const int picture = canvas->createObject(0, 0);
    canvas->setPicture(picture, solid(400, 300, 1, 2, 3));
    moveTo(50, 50);
    sim.MouseDown();
    drainEvents();
    take();
    sim.MouseMove(canvas->ClientToScreen(wxPoint(450, 50)));  // outside, button still down
    drainEvents();
    EXPECT_EQ(take(), "");
    moveTo(60, 55);  // back inside: the drag resumes
    EXPECT_EQ(take(), "move 60,55 p" + std::to_string(picture) + ";");
    sim.MouseUp();
    drainEvents();
}

TEST_F(CanvasTest, KeyDownReachesTheFocusedCanvas) {
    int code = 0, state = -1;
    canvas->onKeyDown = [&](int c, int s) {
        code = c;
        state = s;
    };
    moveTo(5, 5);
    sim.MouseClick();
    drainEvents();
    sim.KeyDown(WXK_SHIFT);
    drainEvents();
    sim.KeyUp(WXK_SHIFT);
    drainEvents();
    EXPECT_EQ(code, WXK_SHIFT);
    EXPECT_EQ(state & 2, 2);
}

TEST_F(CanvasTest, PictureTallerThanAnyBitmapShowsAndDrags) {
    // 790 x 40000 is beyond the 32767-pixel limit of a single GTK bitmap: the canvas
    // composes only the visible part, so any height shows.
    const int w = 790, h = 40000;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (int y = 0; y < h; ++y) {
        const std::uint8_t band = y >= 39900 ? 200 : 50;
        std::fill(rgb.begin() + static_cast<size_t>(y) * w * 3,
                  rgb.begin() + static_cast<size_t>(y + 1) * w * 3, band);
    }
    const int id = canvas->createObject(0, 0);
    canvas->setPicture(id, Picture::fromPlanes(w, h, std::move(rgb)));
    EXPECT_EQ(canvas->objectHeight(id), 40000);
    canvas->moveObject(id, 0, -39850);
    canvas->Update();
    drainEvents();
    const std::string path = screenshot(frame, "canvas_tall_picture.png");
    wxImage shot(path);
    ASSERT_TRUE(shot.IsOk());
    const wxPoint in = canvas->GetScreenPosition() - frame->GetScreenPosition();
    EXPECT_EQ(shot.GetRed(in.x + 20, in.y + 20), 50);    // row 39870
    EXPECT_EQ(shot.GetRed(in.x + 20, in.y + 100), 200);  // row 39950
    EXPECT_EQ(shot.GetRed(in.x + 20, in.y + 200), 255);  // below the picture: background
    EXPECT_EQ(canvas->store().hitTest(20, 100), id);
}
