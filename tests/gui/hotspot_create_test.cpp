#include <wx/clrpicker.h>
#include <wx/filefn.h>
#include <wx/log.h>
#include <wx/slider.h>

#include <algorithm>
#include <cstdlib>

#include "core/hotspot_face.h"
#include "hotspot_test_support.h"
#include "toolkit/clipboard.h"

using namespace guitest;

using HotspotCreate = HotspotWindowTest;

namespace {

// The colour of a canvas object's face pixel (x, y).
PackedColour facePixel(CanvasCtrl* canvas, int id, int x, int y) {
    const Picture& p = canvas->store().find(id)->picture;
    const std::uint8_t* px = p.rgb + (static_cast<size_t>(y) * p.width + x) * 3;
    return packRgb(px[0], px[1], px[2]);
}

void pickColour(wxColourPickerCtrl* picker, const wxColour& c) {
    picker->SetColour(c);
    wxColourPickerEvent ev(picker, picker->GetId(), c);
    picker->GetEventHandler()->ProcessEvent(ev);
}

// What X shows now over a window's client rectangle. A wxScreenDC can hand back an
// earlier capture once the process has blitted from the screen, so ask X directly.
wxImage grabScreen(wxWindow* w, const wxRect& client, const char* fileName = "grab.png") {
    const wxPoint at = w->ClientToScreen(client.GetPosition());
    if (!wxDirExists(SCREENSHOT_DIR)) wxMkdir(SCREENSHOT_DIR);
    const std::string path = std::string(SCREENSHOT_DIR) + "/" + fileName;
    const std::string cmd = "import -window root -crop " + std::to_string(client.width) + "x" +
                            std::to_string(client.height) + "+" + std::to_string(at.x) + "+" +
                            std::to_string(at.y) + " +repage " + path;
    if (std::system(cmd.c_str()) != 0) return wxImage();
    wxLogNull quiet;
    return wxImage(wxString::FromUTF8(path.c_str()), wxBITMAP_TYPE_PNG);
}

wxColour pixelOf(const wxImage& img, wxPoint p) {
    if (!img.IsOk()) return wxColour();
    return wxColour(img.GetRed(p.x, p.y), img.GetGreen(p.x, p.y), img.GetBlue(p.x, p.y));
}

}  // namespace

TEST_F(HotspotCreate, FixedButtonDoesNothingWithoutAPicture) {
    click(window->fixedHotspotButton);
    EXPECT_EQ(window->hotspotListBox->GetCount(), 0u);
    EXPECT_TRUE(window->canvas->store().objects().empty());
    EXPECT_EQ(window->document.count(), 0);
}

TEST_F(HotspotCreate, FixedButtonMakesAnUnlockedHotspotAtThePictureCorner) {
    putPicture();
    click(window->fixedHotspotButton);
    ASSERT_EQ(listTexts(), std::vector<std::string>{"热点:1 锁定：×"});
    const int h = window->hotspots.hotspotObjectAt(0);
    EXPECT_EQ(h, 2);
    ASSERT_EQ(window->document.count(), 1);
    EXPECT_EQ(window->document.at(0)->id, 2);
    ASSERT_EQ(window->hotspotTable->GetItemCount(), 1);
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 0)), "1");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 1)), "未添加热点链接");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 2)), "热点提示");
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 3)), "");
    EXPECT_EQ(objectAt(h), wxPoint(0, 0));
    EXPECT_EQ(window->canvas->objectWidth(h), 150);
    EXPECT_EQ(window->canvas->objectHeight(h), 100);
    EXPECT_EQ(window->canvas->store().find(h)->transparency, 50);
    // Magenta inside a two-pixel dark-green frame, as the face renderer makes it.
    EXPECT_EQ(facePixel(window->canvas, h, 1, 1), packRgb(0, 128, 0));
    EXPECT_EQ(facePixel(window->canvas, h, 2, 2), packRgb(255, 0, 255));
    const Picture made = hotspotFacePicture(150, 100, packRgb(255, 0, 255), packRgb(0, 128, 0));
    const Picture& shown = window->canvas->store().find(h)->picture;
    EXPECT_TRUE(std::equal(made.rgb, made.rgb + 150 * 100 * 3, shown.rgb));
    // Selected: focus boxes, list and table rows, and the three handles inside the canvas.
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"0", "150", "0", "100", "150", "100"}));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);
    EXPECT_EQ(tableSelection(), 0);
    for (int i :
         {kHandleTopLeft, kHandleMiddleLeft, kHandleBottomLeft, kHandleTopRight, kHandleTopMiddle})
        EXPECT_FALSE(window->handles[i]->IsShown()) << i;
    EXPECT_EQ(handleAt(kHandleBottomMiddle), wxPoint(75, 102));
    EXPECT_EQ(handleAt(kHandleBottomRight), wxPoint(152, 102));
    EXPECT_EQ(handleAt(kHandleMiddleRight), wxPoint(152, 52));

    // A second press stacks a second hotspot, numbered next, and selects it.
    click(window->fixedHotspotButton);
    EXPECT_EQ(listTexts(), (std::vector<std::string>{"热点:1 锁定：×", "热点:2 锁定：×"}));
    EXPECT_EQ(objectAt(3), wxPoint(0, 0));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 1);
    EXPECT_EQ(tableSelection(), 1);
    expectViewsMatchDocument();
}

TEST_F(HotspotCreate, HotspotFollowsADraggedPictureAndTheHandlesShowAboveTheCanvas) {
    const int picture = putPicture();
    window->canvas->moveObject(picture, 100, 50);
    click(window->fixedHotspotButton);
    const int h = lastObject();
    EXPECT_EQ(objectAt(h), wxPoint(100, 50));
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"0", "150", "0", "100", "150", "100"}));
    const std::vector<wxPoint> want = {{98, 48},   {98, 100},  {98, 152}, {175, 152},
                                       {252, 152}, {252, 102}, {252, 48}, {175, 48}};
    drainEvents();
    const wxImage shown =
        grabScreen(window, wxRect(wxPoint(0, 0), window->GetClientSize()), "hotspot_handles.png");
    ASSERT_TRUE(shown.IsOk());
    for (int i = 0; i < kHandleCount; ++i) {
        EXPECT_EQ(handleAt(i), want[i]) << i;
        // On screen the handle's middle is blue, over the canvas beneath it.
        EXPECT_EQ(pixelOf(shown, want[i] + wxPoint(2, 2)), wxColour(0, 0, 255)) << i;
    }
    expectViewsMatchDocument();
}

TEST_F(HotspotCreate, ColoursAndTransparencyApplyToLaterHotspotsOnly) {
    putPicture();
    click(window->fixedHotspotButton);
    const int first = lastObject();
    pickColour(window->hotspotPicker, wxColour(0, 0, 255));
    pickColour(window->borderPicker, wxColour(255, 0, 0));
    window->transparencySlider->SetValue(20);
    click(window->fixedHotspotButton);
    const int second = lastObject();
    EXPECT_EQ(facePixel(window->canvas, first, 10, 10), packRgb(255, 0, 255));
    EXPECT_EQ(window->canvas->store().find(first)->transparency, 50);
    EXPECT_EQ(facePixel(window->canvas, second, 10, 10), packRgb(0, 0, 255));
    EXPECT_EQ(facePixel(window->canvas, second, 0, 10), packRgb(255, 0, 0));
    EXPECT_EQ(window->canvas->store().find(second)->transparency, 20);
    expectViewsMatchDocument();
}

TEST_F(HotspotCreate, BackgroundPickerRecoloursTheCanvasAtOnce) {
    pickColour(window->backgroundPicker, wxColour(10, 20, 30));
    EXPECT_EQ(window->canvas->store().background(), packRgb(10, 20, 30));
    drainEvents();
    const wxColour shown =
        pixelOf(grabScreen(window->canvas, wxRect(300, 200, 1, 1)), wxPoint(0, 0));
    EXPECT_EQ(shown, wxColour(10, 20, 30)) << s8(shown.GetAsString(wxC2S_CSS_SYNTAX));
}

TEST_F(HotspotCreate, TransparencyBoxAndSliderKeepInStep) {
    wxTextCtrl* box = window->transparencyBox;
    wxSlider* slider = window->transparencySlider;
    EXPECT_EQ(s8(box->GetValue()), "50");
    auto retype = [&](const char* typed) {
        box->SetFocus();
        box->SelectAll();
        drainEvents();
        sim.Text(typed);
        drainEvents();
    };
    retype("250");
    EXPECT_EQ(s8(box->GetValue()), "100");
    EXPECT_EQ(slider->GetValue(), 100);
    retype("37");
    EXPECT_EQ(s8(box->GetValue()), "37");
    EXPECT_EQ(slider->GetValue(), 37);
    // Emptying the box puts "1" back at once.
    box->SetFocus();
    box->SelectAll();
    sim.Char(WXK_DELETE);
    drainEvents();
    EXPECT_EQ(s8(box->GetValue()), "1");
    EXPECT_EQ(slider->GetValue(), 1);
    // Letters and the decimal point cannot be typed.
    box->SetInsertionPointEnd();
    sim.Text("a.5");
    drainEvents();
    EXPECT_EQ(s8(box->GetValue()), "15");
    EXPECT_EQ(slider->GetValue(), 15);
    // A minus sign at the start makes the value negative: "1".
    box->SetInsertionPoint(0);
    sim.Char('-');
    drainEvents();
    EXPECT_EQ(s8(box->GetValue()), "1");
    EXPECT_EQ(slider->GetValue(), 1);
    // Moving the slider writes its position into the box.
    slider->SetFocus();
    drainEvents();
    sim.Char(WXK_RIGHT);
    EXPECT_TRUE(waitFor("the slider key to set the count box", [&] {
        return s8(box->GetValue()) == "2";
    })) << s8(box->GetValue());
    EXPECT_EQ(slider->GetValue(), 2);
    // Pasted text counts by its leading digits, as typing would, and the box says so.
    struct Paste {
        const char* text;
        const char* shown;
    };
    for (const Paste& p : {Paste{"1e3", "1"}, Paste{"0x20", "1"}, Paste{"nan", "1"},
                           Paste{"42abc", "42"}, Paste{"-7", "1"}, Paste{"99", "99"}}) {
        SCOPED_TRACE(p.text);
        ASSERT_TRUE(toolkit::copyToClipboard(p.text));
        box->SetFocus();
        box->SelectAll();
        drainEvents();
        sim.Char('v', wxMOD_CONTROL);
        drainEvents();
        EXPECT_EQ(s8(box->GetValue()), p.shown);
        EXPECT_EQ(slider->GetValue(), std::atoi(p.shown));
    }
}
