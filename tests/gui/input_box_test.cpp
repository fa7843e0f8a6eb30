// The input box through real keys: Enter confirms what was typed, Esc cancels.
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include "forms/hotspot_info_dialog.h"
#include "gui_test.h"

using namespace guitest;

namespace {

// Opens the box (not modal, so the keys can be sent from here), types at the end of
// the field and ends it with `key`; returns the button the key pressed.
int typeAndEnd(InputBox& box, const char* typed, int key) {
    int pressed = -1;
    box.Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) {
        pressed = e.GetId();
        e.Skip();
    });
    box.Show();
    wxWindow* field = find(&box, "InputField");
    EXPECT_NE(field, nullptr);
    if (!field) return -1;
    EXPECT_TRUE(waitFor("the input box to show", [&] { return box.IsShownOnScreen(); }));
    box.Raise();
    field->SetFocus();
    drainEvents();
    wxUIActionSimulator sim;
    sim.Char(WXK_END);
    sim.Text(typed);
    drainEvents();
    sim.Char(key);
    EXPECT_TRUE(waitFor("the key to close the input box", [&] { return !box.IsShown(); }));
    return box.IsShown() ? -1 : pressed;
}

}  // namespace

TEST(InputBoxKeys, EnterConfirmsAndEscCancels) {
    {
        InputBox box(u8("请在下方输入网络图片地址"), u8("图片地址"), "http://");
        EXPECT_EQ(typeAndEnd(box, "img.example/a.png", WXK_RETURN), wxID_OK);
        EXPECT_EQ(s8(box.GetValue()), "http://img.example/a.png");
    }
    {
        InputBox box(u8("请在下方输入网络图片地址"), u8("图片地址"), "http://");
        EXPECT_EQ(typeAndEnd(box, "x", WXK_ESCAPE), wxID_CANCEL);
    }
}

TEST(InputBoxKeys, EnterConfirmsTheHotspotInfoDialog) {
    HotspotInfoDialog d(nullptr, HotspotInfoDialog::create, LinkTip{});
    d.Show();
    ASSERT_TRUE(waitFor("the dialog to show", [&] { return d.IsShownOnScreen(); }));
    d.Raise();
    d.tipBox->SetFocus();
    drainEvents();
    wxUIActionSimulator sim;
    sim.Text("tip");
    drainEvents();
    sim.Char(WXK_RETURN);
    EXPECT_TRUE(waitFor("Enter to close the dialog", [&] { return !d.IsShown(); }));
    EXPECT_EQ(d.GetReturnCode(), wxID_OK);
    EXPECT_EQ(s8(d.value().tip), "tip");
}
