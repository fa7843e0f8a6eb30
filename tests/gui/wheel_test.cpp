// The mouse wheel over the canvas scrolls a long picture with its hotspots, by the
// desktop's notch, and stops at the picture's ends; dragging still works after it.
#include <wx/menu.h>

#include <cstdlib>

#include "canvas/canvas_handlers.h"
#include "hotspot_test_support.h"

using namespace guitest;

namespace {

class Wheel : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        picture = putPicture(790, 20000);
        createHotspot(*window, 100, 150, 150, 100, kPlaceholderLink, kPlaceholderTip, false);
        createHotspot(*window, 300, 19800, 150, 100, kPlaceholderLink, kPlaceholderTip, true);
        window->hotspots.setSelection(0);
        onHotspotListSelected(*window);
        // What the desktop says a notch is, as the canvas hears it.
        window->canvas->Bind(wxEVT_MOUSEWHEEL, [this](wxMouseEvent& e) {
            lines = e.GetLinesPerAction();
            ++turns;
            e.Skip();
        });
        sim.MouseMove(onScreen(400, 300));
        drainEvents();
    }
    // Turns the wheel by X buttons 4 (up), 5 (down), 6 (left), 7 (right), with Ctrl when asked.
    void turn(int button, int times = 1, bool ctrl = false) {
        const int before = turns;
        const std::string cmd = std::string("xdotool ") + (ctrl ? "keydown ctrl " : "") + "click --repeat " +
                                std::to_string(times) + " --delay 1 " + std::to_string(button) +
                                (ctrl ? " keyup ctrl" : "");
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        ASSERT_TRUE(waitFor("the wheel turns to arrive", [&] { return turns >= before + times; }))
            << turns - before << " of " << times;
        drainEvents();
    }
    const std::string code() { return areaCode(); }
    int picture = 0;
    int lines = 0;
    int turns = 0;
};

}  // namespace

TEST_F(Wheel, ScrollsThePictureWithItsHotspotsBetweenItsEnds) {
    const std::string before = code();
    EXPECT_EQ(before, area(100, 150, 250, 250) + area(300, 19800, 450, 19900) + "</map>");
    turn(5);
    ASSERT_GT(lines, 0);
    const int notch = lines * kWheelLinePixels;
    EXPECT_EQ(objectAt(picture), wxPoint(0, -notch));
    EXPECT_EQ(objectAt(window->hotspots.hotspotObjectAt(0)), wxPoint(100, 150 - notch));
    EXPECT_EQ(objectAt(window->hotspots.hotspotObjectAt(1)), wxPoint(300, 19800 - notch));  // locked too
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(98, 148 - notch));  // the selected one's handles follow
    EXPECT_EQ(code(), before);  // nothing moved relative to the picture
    EXPECT_EQ(focusTexts()[2], "150");
    EXPECT_FALSE(window->menuUndo->IsEnabled());  // scrolling is no step

    // Far down: the picture's bottom end stops at the canvas top.
    turn(5, 20000 / notch + 5);
    EXPECT_EQ(objectAt(picture), wxPoint(0, -20000));
    turn(4, 2);
    EXPECT_EQ(objectAt(picture), wxPoint(0, -20000 + 2 * notch));
    // Sideways with Ctrl, and with a sideways wheel.
    turn(4, 1, true);
    EXPECT_EQ(objectAt(picture), wxPoint(notch, -20000 + 2 * notch));
    turn(7);
    EXPECT_EQ(objectAt(picture).x, 0);
    turn(6, 2);
    EXPECT_EQ(objectAt(picture).x, 2 * notch);
    EXPECT_EQ(code(), before);

    // Back up past the top: the top end stops one canvas height below the canvas top.
    turn(4, 20000 / notch + 40);
    const int canvasHeight = window->canvas->GetClientSize().y;
    EXPECT_EQ(objectAt(picture).y, canvasHeight);
    EXPECT_EQ(code(), before);

    // Dragging the picture keeps working, from wherever the wheel left it.
    window->canvas->moveObject(picture, 0, 0);
    window->canvas->moveObject(window->hotspots.hotspotObjectAt(0), 100, 150);
    drag({20, 20}, {{30, 40}});
    release();
    EXPECT_EQ(objectAt(picture), wxPoint(10, 20));
    EXPECT_EQ(objectAt(window->hotspots.hotspotObjectAt(0)), wxPoint(110, 170));
    expectViewsMatchDocument();
}
