#include <wx/menu.h>
#include <wx/timer.h>

#include "hotspot_test_support.h"
#include "hotspots/document_view.h"
#include "toolkit/message_box.h"

using namespace guitest;

namespace {

class HotspotCanvas : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        picture = putPicture();
        // The real popup is modal: these tests record what would pop up instead.
        setHotspotMenuPopup([this](MainWindow& w, const wxPoint& at) {
            popups.push_back(s8(w.menuLock->GetItemLabelText()));
            popupAt = at;
        });
    }
    void TearDown() override {
        setHotspotMenuPopup({});
        HotspotWindowTest::TearDown();
    }
    int addHotspot(int x, int y, bool locked = false) {
        createHotspot(*window, x, y, 150, 100, "未添加热点链接", "热点提示", locked);
        return lastObject();
    }
    void rightPress(int x, int y) {
        sim.MouseMove(onScreen(x, y));
        drainEvents();
        sim.MouseDown(wxMOUSE_BTN_RIGHT);
        sim.MouseUp(wxMOUSE_BTN_RIGHT);
        drainEvents();
    }
    void chooseMenuItem(wxMenuItem* item) {
        wxCommandEvent ev(wxEVT_MENU, item->GetId());
        ev.SetEventObject(window->hotspotMenu);
        window->GetEventHandler()->ProcessEvent(ev);
    }

    int picture = 0;
    std::vector<std::string> popups;
    wxPoint popupAt;
};

}  // namespace

TEST_F(HotspotCanvas, DraggingAHotspotMovesItWithHandlesAndFocusValues) {
    const int h = addHotspot(100, 50);
    addHotspot(300, 200);  // selected last; pressing the first selects it
    drag({110, 60}, {{150, 90}});
    EXPECT_EQ(state->dragAnchor.x, 10);
    EXPECT_EQ(state->dragAnchor.y, 10);
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);
    EXPECT_EQ(objectAt(h), wxPoint(140, 80));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(138, 78));
    sim.MouseMove(onScreen(210, 160));
    EXPECT_TRUE(waitFor("the hotspot to follow the drag",
                        [&] { return objectAt(h) == wxPoint(200, 150); }));
    release();
    EXPECT_EQ(objectAt(h), wxPoint(200, 150));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(198, 148));
    EXPECT_EQ(handleAt(kHandleBottomRight), wxPoint(352, 252));
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"200", "350", "150", "250", "150", "100"}));
    EXPECT_EQ(tableSelection(), 0);
    // With the button up, moving changes nothing.
    sim.MouseMove(onScreen(260, 200));
    drainEvents();
    EXPECT_EQ(objectAt(h), wxPoint(200, 150));
    expectViewsMatchDocument();
}

TEST_F(HotspotCanvas, ALockedHotspotStaysButIsSelected) {
    const int h = addHotspot(100, 50, true);
    addHotspot(300, 200);
    drag({110, 60}, {{160, 110}, {210, 160}});
    release();
    EXPECT_EQ(objectAt(h), wxPoint(100, 50));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(98, 48));
    EXPECT_EQ(focusTexts()[0], "100");
    expectViewsMatchDocument();
}

TEST_F(HotspotCanvas, DraggingThePictureCarriesEveryHotspot) {
    const int a = addHotspot(100, 50);
    const int b = addHotspot(200, 150, true);
    window->hotspots.setSelection(0);
    onHotspotListSelected(*window);
    const std::vector<std::string> focusBefore = focusTexts();
    drag({5, 5}, {{15, 10}, {25, 15}});
    release();
    EXPECT_EQ(objectAt(picture), wxPoint(20, 10));
    EXPECT_EQ(objectAt(a), wxPoint(120, 60));
    EXPECT_EQ(objectAt(b), wxPoint(220, 160));
    // The view moved; the document's rectangles did not.
    EXPECT_EQ(canvasView(*window).offset, (Point{20, 10}));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(118, 58));  // the selected hotspot's handles
    EXPECT_EQ(focusTexts(), focusBefore);
    // A new fixed hotspot goes to the picture's new corner.
    click(window->fixedHotspotButton);
    EXPECT_EQ(objectAt(lastObject()), wxPoint(20, 10));
    EXPECT_EQ(focusTexts()[0], "0");
    expectViewsMatchDocument();
}

TEST_F(HotspotCanvas, PressingAnEmptyPlaceKeepsEverything) {
    const int h = addHotspot(100, 50);
    drag({600, 500}, {{620, 520}});
    release();
    EXPECT_EQ(objectAt(picture), wxPoint(0, 0));
    EXPECT_EQ(objectAt(h), wxPoint(100, 50));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(98, 48));
}

TEST_F(HotspotCanvas, RightPressShowsTheLockCaptionAtTheCursor) {
    const int unlocked = addHotspot(100, 50);
    const int locked = addHotspot(300, 50, true);
    rightPress(110, 60);
    EXPECT_EQ(state->menuTargetObject, unlocked);
    rightPress(310, 60);
    EXPECT_EQ(state->menuTargetObject, locked);
    EXPECT_EQ(popups, (std::vector<std::string>{"锁定", "解锁"}));
    EXPECT_EQ(popupAt, window->ScreenToClient(onScreen(313, 63)));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 1);  // a right press selects nothing
    // The picture and empty places open no menu.
    rightPress(380, 280);
    rightPress(600, 500);
    EXPECT_EQ(popups.size(), 2u);
    EXPECT_EQ(state->menuTargetObject, locked);
}

TEST_F(HotspotCanvas, TheRealPopupShowsTheCaption) {
    addHotspot(300, 50, true);
    setHotspotMenuPopup({});
    std::string seen;
    bool open = false;
    // The popup runs its own loop: once it is open, read the caption and press Esc
    // (again every 200 ms, until the popup has gone).
    wxTimer esc;
    esc.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (open) wxUIActionSimulator().Char(WXK_ESCAPE);
    });
    window->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent&) {
        seen = s8(window->menuLock->GetItemLabelText());
        open = true;
        esc.Start(200);
    });
    sim.MouseMove(onScreen(310, 60));
    drainEvents();
    openHotspotMenu(*window, lastObject());
    open = false;
    esc.Stop();
    EXPECT_EQ(seen, "解锁");
    drainEvents();
    EXPECT_TRUE(window->IsShown());
}

TEST_F(HotspotCanvas, LockAndUnlockRewriteTheEntryInPlace) {
    const int first = addHotspot(100, 50);
    addHotspot(300, 50);
    rightPress(110, 60);
    chooseMenuItem(window->menuLock);
    EXPECT_EQ(listTexts(), (std::vector<std::string>{"热点:1 锁定：√", "热点:2 锁定：×"}));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 1);  // selection unmoved
    EXPECT_EQ(tableSelection(), 1);
    // Now locked, it no longer drags.
    drag({110, 60}, {{160, 110}});
    release();
    EXPECT_EQ(objectAt(first), wxPoint(100, 50));
    rightPress(110, 60);
    EXPECT_EQ(popups.back(), "解锁");
    chooseMenuItem(window->menuLock);
    EXPECT_EQ(listTexts()[0], "热点:1 锁定：×");
    EXPECT_EQ(window->hotspots.hotspotObjectAt(0), first);
    expectViewsMatchDocument();
}

TEST_F(HotspotCanvas, DeleteAsksAndSelectsTheFirstHotspot) {
    const int a = addHotspot(10, 10);
    const int b = addHotspot(100, 100);
    const int c = addHotspot(200, 150);
    rightPress(110, 110);
    ASSERT_EQ(state->menuTargetObject, b);
    wxTEST_DIALOG(chooseMenuItem(window->menuDelete),
                  ExpectMessage("你确认删除该热点吗？", wxID_CANCEL));
    EXPECT_EQ(window->hotspotListBox->GetCount(), 3u);
    EXPECT_TRUE(window->canvas->store().exists(b));

    wxTEST_DIALOG(chooseMenuItem(window->menuDelete),
                  ExpectMessage("你确认删除该热点吗？", wxID_OK));
    EXPECT_EQ(listTexts(), (std::vector<std::string>{"热点:1 锁定：×", "热点:3 锁定：×"}));
    EXPECT_EQ(window->hotspotTable->GetItemCount(), 2);
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(1, 0)), "3");
    EXPECT_FALSE(window->canvas->store().exists(b));
    // The first hotspot is selected now, though the third was before.
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);
    EXPECT_EQ(tableSelection(), 0);
    EXPECT_EQ(handleAt(kHandleBottomRight), wxPoint(162, 112));
    EXPECT_EQ(focusTexts()[0], "10");
    ASSERT_EQ(window->document.count(), 2);
    EXPECT_EQ(window->document.at(0)->id, a);
    EXPECT_EQ(window->document.at(1)->id, c);

    // Deleting the rest hides the handles and leaves the focus values.
    for (int id : {a, c}) {
        state->menuTargetObject = id;
        wxTEST_DIALOG(chooseMenuItem(window->menuDelete),
                      ExpectMessage("你确认删除该热点吗？", wxID_OK));
    }
    EXPECT_EQ(window->hotspotListBox->GetCount(), 0u);
    EXPECT_EQ(window->hotspotTable->GetItemCount(), 0);
    for (wxWindow* handle : window->handles) EXPECT_FALSE(handle->IsShown());
    EXPECT_EQ(focusTexts()[0], "200");
    // Numbers are not reused.
    addHotspot(0, 0);
    EXPECT_EQ(lastObject(), 5);
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:4 锁定：×"});
    expectViewsMatchDocument();
}

TEST_F(HotspotCanvas, ChoosingAListEntrySelectsThatHotspot) {
    addHotspot(10, 20);
    addHotspot(300, 200);
    wxListBox* list = window->hotspotListBox;
    ASSERT_EQ(list->GetSelection(), 1);
    sim.MouseMove(list->ClientToScreen(wxPoint(20, 8)));  // on the first line
    drainEvents();
    sim.MouseClick();
    EXPECT_TRUE(
        waitFor("the click to select the first line", [&] { return list->GetSelection() == 0; }));
    drainEvents();
    EXPECT_EQ(tableSelection(), 0);
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(8, 18));
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"10", "160", "20", "120", "150", "100"}));
    expectViewsMatchDocument();
}
