// Editing a hotspot by hand through the real window: dragging its handles, typing
// values into the focus boxes, the arrow keys and Delete on the canvas.
#include <wx/menu.h>

#include "hotspot_test_support.h"

using namespace guitest;

namespace {

const PackedColour kFill = packRgb(255, 0, 255);
const PackedColour kBorder = packRgb(0, 128, 0);

class HandEditing : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        putPicture();
    }
    int addHotspot(int x, int y, bool locked = false) {
        createHotspot(*window, x, y, 150, 100, kPlaceholderLink, kPlaceholderTip, locked);
        return lastObject();
    }
    PackedColour facePixel(int id, int x, int y) const {
        const Picture& p = window->canvas->store().find(id)->picture;
        const std::uint8_t* px = p.rgb + (static_cast<size_t>(y) * p.width + x) * 3;
        return packRgb(px[0], px[1], px[2]);
    }
    wxSize faceSize(int id) const {
        return wxSize(window->canvas->objectWidth(id), window->canvas->objectHeight(id));
    }
    // Clicks into a focus box, types over its text and ends with `key` (Enter or Tab).
    void typeInto(wxTextCtrl* box, const char* text, int key = WXK_RETURN) {
        click(box);
        box->SelectAll();
        drainEvents();
        sim.Char(WXK_BACK);
        sim.Text(text);
        drainEvents();
        sim.Char(key);
        drainEvents();
    }
    // Clicks a hotspot on the canvas without moving it: selected, with the keyboard focus.
    void clickCanvas(int x, int y) {
        sim.MouseMove(onScreen(x, y));
        drainEvents();
        sim.MouseClick();
        drainEvents();
    }
    void key(int code, int modifiers = wxMOD_NONE) {
        sim.Char(code, modifiers);
        drainEvents();
    }
};

}  // namespace

TEST_F(HandEditing, ResizingFromACornerAndFromEdges) {
    const int h = addHotspot(100, 50);
    for (wxWindow* handle : window->handles) EXPECT_TRUE(handle->GetCursor().IsOk());

    dragHandle(kHandleBottomRight, 30, 20);
    EXPECT_EQ(areaCode(), area(100, 50, 280, 170) + "</map>");
    EXPECT_EQ(faceSize(h), wxSize(180, 120));
    EXPECT_EQ(facePixel(h, 179, 119), kBorder);  // the face is drawn anew at the new size
    EXPECT_EQ(facePixel(h, 177, 117), kFill);
    EXPECT_EQ(handleAt(kHandleBottomRight), wxPoint(282, 172));
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"100", "280", "50", "170", "180", "120"}));
    EXPECT_EQ(wxWindow::FindFocus(), window->canvas);  // the arrows act on it next

    dragHandle(kHandleMiddleLeft, -20, 15);  // sideways only
    EXPECT_EQ(areaCode(), area(80, 50, 280, 170) + "</map>");
    EXPECT_EQ(handleAt(kHandleMiddleLeft), wxPoint(78, 110));

    // Dragged past the bottom edge, the top stops two pixels above it.
    dragHandle(kHandleTopMiddle, 0, 300);
    EXPECT_EQ(areaCode(), area(80, 168, 280, 170) + "</map>");
    EXPECT_EQ(faceSize(h), wxSize(200, 2));
    EXPECT_EQ(facePixel(h, 100, 1), kBorder);
    EXPECT_EQ(focusTexts()[5], "2");
    expectViewsMatchDocument();
}

TEST_F(HandEditing, ALockedHotspotKeepsItsSize) {
    const int h = addHotspot(100, 50, true);
    dragHandle(kHandleBottomRight, 30, 20);
    dragHandle(kHandleTopLeft, -10, -10);
    EXPECT_EQ(areaCode(), area(100, 50, 250, 150) + "</map>");
    EXPECT_EQ(faceSize(h), wxSize(150, 100));
    EXPECT_FALSE(window->menuUndo->IsEnabled());
    expectViewsMatchDocument();
}

TEST_F(HandEditing, TypedValuesMoveAndResize) {
    addHotspot(10, 20);
    typeInto(window->focusLeft, "30");
    EXPECT_EQ(areaCode(), area(30, 20, 180, 120) + "</map>");
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"30", "180", "20", "120", "150", "100"}));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(28, 18));

    typeInto(window->focusWidth, "200", WXK_TAB);  // leaving the box applies too
    EXPECT_EQ(areaCode(), area(30, 20, 230, 120) + "</map>");
    typeInto(window->focusBottom, "121");
    EXPECT_EQ(areaCode(), area(30, 20, 230, 121) + "</map>");
    typeInto(window->focusTop, "-5");
    EXPECT_EQ(areaCode(), area(30, -5, 230, 96) + "</map>");

    // Not a whole number, or a size below 2: the hotspot's own value comes back.
    for (auto [box, text] : {std::pair{window->focusHeight, "abc"}, {window->focusHeight, "1"},
                             {window->focusRight, "31"}, {window->focusLeft, "4.5"},
                             {window->focusWidth, ""}}) {
        SCOPED_TRACE(text);
        typeInto(box, text);
        EXPECT_EQ(focusTexts(), (std::vector<std::string>{"30", "230", "-5", "96", "200", "101"}));
    }
    EXPECT_EQ(areaCode(), area(30, -5, 230, 96) + "</map>");

    // Locked, it refuses typed values as it refuses the mouse.
    window->document.setLocked(lastObject(), true);
    typeInto(window->focusLeft, "0");
    EXPECT_EQ(focusTexts()[0], "30");
    EXPECT_EQ(areaCode(), area(30, -5, 230, 96) + "</map>");
    expectViewsMatchDocument();
}

TEST_F(HandEditing, WithNoHotspotATypedValueGoesBack) {
    typeInto(window->focusLeft, "12");
    EXPECT_EQ(focusTexts()[0], "");
}

TEST_F(HandEditing, ArrowsNudgeByOneAndWithCtrlByTen) {
    addHotspot(100, 50);
    const int locked = addHotspot(300, 150, true);
    clickCanvas(110, 60);
    ASSERT_EQ(window->hotspotListBox->GetSelection(), 0);
    key(WXK_RIGHT);
    key(WXK_RIGHT);
    key(WXK_RIGHT);
    key(WXK_DOWN, wxMOD_CONTROL);
    key(WXK_LEFT, wxMOD_CONTROL);
    key(WXK_UP);
    EXPECT_EQ(areaCode(), area(93, 59, 243, 159) + area(300, 150, 450, 250) + "</map>");
    EXPECT_EQ(focusTexts()[0], "93");
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(91, 57));
    EXPECT_EQ(wxWindow::FindFocus(), window->canvas);  // the arrows stay on the canvas

    clickCanvas(310, 160);
    ASSERT_EQ(window->hotspotListBox->GetSelection(), 1);
    key(WXK_LEFT);
    key(WXK_UP, wxMOD_CONTROL);
    EXPECT_EQ(objectAt(locked), wxPoint(300, 150));
    expectViewsMatchDocument();
}

TEST_F(HandEditing, DeleteAsksAsThePopupMenuDoes) {
    const int first = addHotspot(10, 10);
    const int second = addHotspot(200, 100, true);  // locked ones can be deleted
    clickCanvas(210, 110);
    wxTEST_DIALOG(
        {
            key(WXK_DELETE);
            drainEvents();
        },
        ExpectMessage("你确认删除该热点吗？", wxID_CANCEL));
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
    wxTEST_DIALOG(
        {
            key(WXK_DELETE);
            drainEvents();
        },
        ExpectMessage("你确认删除该热点吗？", wxID_OK));
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:1 锁定：×"});
    EXPECT_EQ(window->hotspotTable->GetItemCount(), 1);
    EXPECT_FALSE(window->canvas->store().exists(second));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(8, 8));
    EXPECT_EQ(areaCode(), area(10, 10, 160, 110) + "</map>");
    EXPECT_TRUE(window->canvas->store().exists(first));
    expectViewsMatchDocument();
}
