#include <wx/clrpicker.h>
#include <wx/slider.h>
#include <wx/statusbr.h>

#include "hotspot_test_support.h"

using namespace guitest;

using HotspotReset = HotspotWindowTest;
using HotspotClose = HotspotWindowTest;

TEST_F(HotspotReset, ClearThrowsEverythingAwayAndNumberingGoesOn) {
    putPicture();
    window->setStatusText(kPanePath, "/tmp/picture.png");
    window->setStatusWidth(kPanePath, 400);
    window->setStatusText(kPaneWidth, "400");
    window->setStatusText(kPaneHeight, "300");
    window->transparencySlider->SetValue(30);
    click(window->fixedHotspotButton);
    click(window->fixedHotspotButton);
    drag({50, 50}, {{60, 55}});
    release();
    ASSERT_EQ(window->hotspotListBox->GetCount(), 2u);
    const Bytes imageData = state->imageData = Bytes{1, 2, 3};
    state->imageWidth = 400;

    wxTEST_DIALOG(click(window->clearButton), ExpectSaveQuestion(wxID_NO));
    EXPECT_TRUE(window->canvas->store().objects().empty());
    EXPECT_EQ(state->pictureObject, 0);
    for (wxWindow* handle : window->handles) EXPECT_FALSE(handle->IsShown());
    EXPECT_EQ(focusTexts(), std::vector<std::string>(6, ""));
    EXPECT_EQ(window->document.count(), 0);
    EXPECT_EQ(window->hotspotListBox->GetCount(), 0u);
    EXPECT_EQ(window->hotspotTable->GetItemCount(), 0);
    EXPECT_EQ(state->dragAnchor.x, 0);
    EXPECT_EQ(state->dragAnchor.y, 0);
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPanePath)), "尚未加载图片");
    EXPECT_EQ(window->statusWidth(kPanePath), 250);
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPaneWidth)), "");
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPaneHeight)), "");
    EXPECT_TRUE(window->loadButton->IsEnabled());
    EXPECT_TRUE(state->imagePath.empty());
    // Kept: the picture's bytes and size, the slider, the colours.
    EXPECT_EQ(state->imageData, imageData);
    EXPECT_EQ(state->imageWidth, 400);
    EXPECT_EQ(window->transparencySlider->GetValue(), 30);
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(255, 0, 255));

    // Without a picture the fixed button does nothing.
    click(window->fixedHotspotButton);
    EXPECT_EQ(window->hotspotListBox->GetCount(), 0u);

    // Objects 1 to 3 are used up: the new picture is 4, its first hotspot 5, shown as 4.
    EXPECT_EQ(putPicture(), 4);
    click(window->fixedHotspotButton);
    EXPECT_EQ(lastObject(), 5);
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:4 锁定：×"});
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 0)), "4");
    EXPECT_EQ(objectAt(5), wxPoint(0, 0));
}

TEST_F(HotspotReset, ClearWithoutAPictureChangesNothing) {
    click(window->clearButton);
    EXPECT_TRUE(window->loadButton->IsEnabled());
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPanePath)), "尚未加载图片");
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_EQ(window->canvas->store().nextNumber(), 1);
}

namespace {

// Notes when the window is really destroyed (it goes at the next idle time).
std::shared_ptr<bool> watchDestroy(wxWindow* w) {
    auto destroyed = std::make_shared<bool>(false);
    w->Bind(wxEVT_DESTROY, [w, destroyed](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == w) *destroyed = true;
        e.Skip();
    });
    return destroyed;
}

}  // namespace

TEST_F(HotspotClose, WithoutChangesTheWindowClosesAtOnce) {
    const std::shared_ptr<bool> destroyed = watchDestroy(window);
    EXPECT_TRUE(window->Close());
    EXPECT_TRUE(waitFor("the window to be destroyed", [&] { return *destroyed; }));
    window = nullptr;
}

TEST_F(HotspotClose, WithUnsavedHotspotsCancelKeepsEverything) {
    putPicture();
    createHotspot(*window, 20, 30, 150, 100, "未添加热点链接", "热点提示", false);
    const std::shared_ptr<bool> destroyed = watchDestroy(window);
    bool closed = true;
    wxTEST_DIALOG(closed = window->Close(), ExpectSaveQuestion(wxID_CANCEL));
    EXPECT_FALSE(closed);
    drainEvents();
    ASSERT_FALSE(*destroyed);
    EXPECT_TRUE(window->IsShown());
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:1 锁定：×"});
    EXPECT_EQ(objectAt(2), wxPoint(20, 30));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(18, 28));
}

TEST_F(HotspotClose, EscWithUnsavedHotspotsAsksAndDontSaveCloses) {
    putPicture();
    createHotspot(*window, 20, 30, 150, 100, "未添加热点链接", "热点提示", false);
    const std::shared_ptr<bool> destroyed = watchDestroy(window);
    window->canvas->SetFocus();
    drainEvents();
    wxTEST_DIALOG(
        {
            sim.Char(WXK_ESCAPE);
            EXPECT_TRUE(
                waitFor("the window to be destroyed after Esc", [&] { return *destroyed; }));
        },
        ExpectSaveQuestion(wxID_NO));
    EXPECT_TRUE(*destroyed);
    if (*destroyed) window = nullptr;
}
