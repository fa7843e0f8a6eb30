// The info dialog: its controls, and changing a hotspot's link and tip through the
// popup item 修改 and through double clicks.
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/menu.h>
#include <wx/timer.h>

#include "hotspot_info_expect.h"
#include "hotspot_test_support.h"
#include "output/code_ui.h"

using namespace guitest;

namespace {

class HotspotInfo : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        putPicture();
        createHotspot(*window, 10, 10, 150, 100, kPlaceholderLink, kPlaceholderTip, false);
        createHotspot(*window, 200, 120, 150, 100, kPlaceholderLink, kPlaceholderTip, true);
        target = lastObject();
        window->document.setLinkTip(window->document.at(1)->id, "http://shop.example.com/Old",
                                    "旧提示");
    }
    void chooseModify(int object) {
        state->menuTargetObject = object;
        wxCommandEvent ev(wxEVT_MENU, window->menuModify->GetId());
        ev.SetEventObject(window->hotspotMenu);
        window->GetEventHandler()->ProcessEvent(ev);
    }
    std::vector<std::string> row(int i) const {
        return {s8(window->hotspotTable->GetItemText(i, 0)), s8(window->hotspotTable->GetItemText(i, 1)),
                s8(window->hotspotTable->GetItemText(i, 2))};
    }
    // Shows the dialog the program opened, as the modal loop would, so real keys
    // and clicks reach it.
    static void showForReal(HotspotInfoDialog& d) {
        d.Show();
        ASSERT_TRUE(waitFor("the dialog to show", [&] { return d.IsShownOnScreen(); }));
        d.Raise();
        wxUIActionSimulator().MouseMove(d.addressBox->GetScreenRect().GetPosition() + wxPoint(5, 5));
        d.addressBox->SetFocus();
        drainEvents();
    }
    int target = 0;
};

}  // namespace

TEST_F(HotspotInfo, TheDialogsControlsAsDesigned) {
    for (const auto mode : {HotspotInfoDialog::create, HotspotInfoDialog::modify}) {
        SCOPED_TRACE(mode);
        auto* d = new HotspotInfoDialog(window, mode, {"http://a.com/X", "提示"});
        d->Show();
        ASSERT_TRUE(waitFor("the dialog to show", [&] { return d->IsShownOnScreen(); }));
        EXPECT_EQ(d->GetSize(), wxSize(435, 149));
        const long style = d->GetWindowStyleFlag();
        EXPECT_TRUE(style & wxCAPTION);
        EXPECT_TRUE(style & wxCLOSE_BOX);
        EXPECT_FALSE(style & (wxRESIZE_BORDER | wxMAXIMIZE_BOX | wxMINIMIZE_BOX));
        const wxRect screen = wxDisplay(d).GetGeometry();
        EXPECT_NEAR(d->GetPosition().x, screen.x + (screen.width - 435) / 2, 1);
        EXPECT_NEAR(d->GetPosition().y, screen.y + (screen.height - 149) / 2, 1);
        const bool create = mode == HotspotInfoDialog::create;
        EXPECT_EQ(s8(d->GetTitle()), create ? "设置热点信息" : "修改热点信息");

        const struct {
            const char* name;
            wxWindow* control;
            wxRect rect;
            std::string text;  // caption or contents
        } rows[] = {
            {"标签1", d->labels, {8, 24, 168, 64}, "热点链接地址：\n\n\n鼠标停留提示："},
            {"编辑框地址", d->addressBox, {91, 18, 329, 24}, create ? "" : "http://a.com/X"},
            {"编辑框文本", d->tipBox, {91, 56, 329, 24}, create ? "" : "提示"},
            {"按钮确认", d->confirmButton, {120, 88, 136, 24}, "确认"},
            {"按钮取消", d->cancelButton, {280, 88, 136, 24}, create ? "取消热点" : "取消修改"},
        };
        for (const auto& r : rows) {
            SCOPED_TRACE(r.name);
            EXPECT_EQ(find(d, r.name), r.control);
            EXPECT_EQ(r.control->GetRect(), r.rect);
            if (auto* box = dynamic_cast<wxTextCtrl*>(r.control))
                EXPECT_EQ(s8(box->GetValue()), r.text);
            else
                EXPECT_EQ(s8(r.control->GetLabel()), r.text);
        }
        // The captions fit their buttons and the boxes are typed into first.
        wxClientDC dc(d->cancelButton);
        dc.SetFont(d->cancelButton->GetFont());
        EXPECT_LE(dc.GetTextExtent(d->cancelButton->GetLabel()).x, 136 - 8);
        EXPECT_EQ(wxWindow::FindFocus(), d->addressBox);
        if (!create) screenshot(d, "hotspot_info_dialog.png");
        d->Destroy();
        drainEvents();
    }
}

TEST_F(HotspotInfo, ConfirmWritesTheLinkWithItsHostLoweredAndSpacesRemoved) {
    ShownInfo shown;
    const std::string entryBefore = listTexts()[1];
    wxTEST_DIALOG(chooseModify(target),
                  ExpectHotspotInfo(shown, confirmWith(" WWW.Shop.COM/Item?ID=Ab 1　", "新 提示")));
    EXPECT_EQ(shown.caption, "修改热点信息");
    EXPECT_EQ(shown.cancelCaption, "取消修改");
    EXPECT_EQ(shown.boxes.link, "http://shop.example.com/Old");
    EXPECT_EQ(shown.boxes.tip, "旧提示");
    EXPECT_EQ(state->editOldLink, "http://shop.example.com/Old");
    EXPECT_EQ(row(1), (std::vector<std::string>{std::to_string(target - 1),
                                                "http://www.shop.com/Item?ID=Ab1", "新 提示"}));
    EXPECT_EQ(row(0)[1], kPlaceholderLink);  // the other hotspot keeps its own
    EXPECT_EQ(listTexts()[1], entryBefore);
    EXPECT_NE(generateMapCode(*window, MapVariant::preview)
                  .find("href=\"http://www.shop.com/Item?ID=Ab1\" alt=\"新 提示\""),
              std::string::npos);
    expectViewsMatchDocument();
}

// A link or tip longer than a project keeps is refused until shortened, the
// scheme the link rules add counted; the dialog stays open meanwhile.
TEST_F(HotspotInfo, TextsPastTheLimitAreRefusedUntilShortened) {
    std::string tip;
    for (int i = 0; i < 21000; ++i) tip += "链";
    ShownInfo shown;
    bool refused = false;
    wxTEST_DIALOG(chooseModify(target),
                  ExpectHotspotInfo(shown,
                                    [&](HotspotInfoDialog& d) {
                                        d.setValue({std::string(65530, 'b'), tip});
                                        EXPECT_EQ(d.addressBox->GetValue().length(),
                                                  65530u);  // not cut
                                        pressButton(d.confirmButton);
                                        refused = d.IsModal() || d.GetReturnCode() != wxID_OK;
                                        // At the limit exactly once "http://" is added.
                                        d.setValue({std::string(65529, 'b'), tip});
                                        pressButton(d.confirmButton);
                                    }),
                  ExpectMessage("链接过长（最多 65536 字节），请缩短后再确认"));
    EXPECT_TRUE(refused);
    EXPECT_EQ(row(1)[1].size(), 65536u);
    EXPECT_TRUE(row(1)[2] == tip);
}

TEST_F(HotspotInfo, TheRealPopupsItemOpensIt) {
    // Once the popup is open, walk down to its second item and choose it.
    std::vector<int> keys = {WXK_DOWN, WXK_DOWN, WXK_RETURN};
    wxTimer typist;
    typist.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        if (keys.empty()) {
            typist.Stop();
            return;
        }
        wxUIActionSimulator().Char(keys.front());
        keys.erase(keys.begin());
    });
    window->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent&) { typist.Start(150); });
    sim.MouseMove(onScreen(250, 150));
    drainEvents();
    ShownInfo shown;
    wxTEST_DIALOG(openHotspotMenu(*window, target), ExpectHotspotInfo(shown, confirmWith("menu.com", "菜单")));
    typist.Stop();
    EXPECT_EQ(shown.caption, "修改热点信息");
    EXPECT_EQ(row(1)[1], "http://menu.com");
    EXPECT_EQ(row(1)[2], "菜单");
}

TEST_F(HotspotInfo, TypingAndClickingForReal) {
    ShownInfo shown;
    wxTEST_DIALOG(chooseModify(target), ExpectHotspotInfo(shown, [](HotspotInfoDialog& d) {
                      showForReal(d);
                      d.addressBox->SelectAll();
                      wxUIActionSimulator keys;
                      keys.Text("HTTPS://A.COM/Path");
                      ASSERT_TRUE(waitFor("the typed link to reach the address box", [&] {
                          return s8(d.addressBox->GetValue()) == "HTTPS://A.COM/Path";
                      }));
                      keys.MouseMove(d.confirmButton->GetScreenRect().GetPosition() + wxPoint(60, 12));
                      drainEvents();
                      keys.MouseClick();
                      EXPECT_TRUE(waitFor("the click on 确定 to close the dialog",
                                          [&] { return !d.IsShown(); }));
                  }));
    EXPECT_EQ(row(1)[1], "https://a.com/Path");
    EXPECT_EQ(row(1)[2], "旧提示");
}

TEST_F(HotspotInfo, CancelCloseBoxAndEscLeaveTheRowAsItWas) {
    const std::vector<std::string> before = row(1);
    const struct {
        const char* how;
        std::function<void(HotspotInfoDialog&)> answer;
    } ways[] = {
        {"cancel button", [](HotspotInfoDialog& d) {
             showForReal(d);
             d.setValue({"changed.com", "changed"});
             wxUIActionSimulator user;
             user.MouseMove(d.cancelButton->GetScreenRect().GetPosition() + wxPoint(60, 12));
             drainEvents();
             user.MouseClick();
             EXPECT_TRUE(
                 waitFor("the click on 取消 to close the dialog", [&] { return !d.IsShown(); }));
         }},
        {"close box", [](HotspotInfoDialog& d) {
             d.setValue({"changed.com", "changed"});
             d.Close();
         }},
        {"Esc", [](HotspotInfoDialog& d) {
             showForReal(d);
             d.setValue({"changed.com", "changed"});
             wxUIActionSimulator user;
             user.Char(WXK_ESCAPE, wxMOD_SHIFT);  // not a plain Esc: stays open
             drainEvents();
             EXPECT_TRUE(d.IsShown());
             user.Char(WXK_ESCAPE);
             EXPECT_TRUE(waitFor("Esc to close the dialog", [&] { return !d.IsShown(); }));
         }},
    };
    for (const auto& way : ways) {
        SCOPED_TRACE(way.how);
        ShownInfo shown;
        wxTEST_DIALOG(chooseModify(target), ExpectHotspotInfo(shown, way.answer));
        EXPECT_EQ(row(1), before);
        EXPECT_EQ(state->dialogLink, before[1]);
        EXPECT_EQ(state->dialogTip, before[2]);
        EXPECT_TRUE(window->IsShown());  // the Esc closed the dialog only
    }
    expectViewsMatchDocument();
}

TEST_F(HotspotInfo, DoubleClickingAHotspotOrItsEntryOpensTheSameDialog) {
    ShownInfo shown;
    sim.MouseMove(onScreen(250, 150));
    drainEvents();
    wxTEST_DIALOG(
        {
            sim.MouseDblClick();
            EXPECT_TRUE(waitFor("the double click to open the info dialog",
                                [&] { return !shown.caption.empty(); }));
        },
        ExpectHotspotInfo(shown, confirmWith("b.com", "双击")));
    EXPECT_EQ(shown.caption, "修改热点信息");
    EXPECT_EQ(shown.boxes.link, "http://shop.example.com/Old");
    EXPECT_EQ(row(1)[1], "http://b.com");
    EXPECT_EQ(row(1)[2], "双击");
    EXPECT_EQ(objectAt(target), wxPoint(200, 120));  // locked: the clicks moved nothing

    // The picture and empty places open nothing (any dialog would fail the test).
    for (const wxPoint& p : {wxPoint(380, 280), wxPoint(600, 450)}) {
        sim.MouseMove(onScreen(p.x, p.y));
        drainEvents();
        sim.MouseDblClick();
        drainEvents();
    }

    // The first entry of the list box.
    ShownInfo fromList;
    wxListBox* list = window->hotspotListBox;
    sim.MouseMove(list->ClientToScreen(wxPoint(20, 8)));
    drainEvents();
    wxTEST_DIALOG(
        {
            sim.MouseDblClick();
            EXPECT_TRUE(waitFor("the double click to open the info dialog",
                                [&] { return !fromList.caption.empty(); }));
        },
        ExpectHotspotInfo(fromList, confirmWith("c.com", "列表")));
    EXPECT_EQ(fromList.boxes.link, kPlaceholderLink);
    EXPECT_EQ(row(0)[1], "http://c.com");
    EXPECT_EQ(row(0)[2], "列表");
    expectViewsMatchDocument();
}

TEST_F(HotspotInfo, AnObjectWithoutEntryOpensNothing) {
    const int picture = state->pictureObject;
    chooseModify(picture);  // any dialog would fail the test
    chooseModify(9999);
    drainEvents();
    EXPECT_EQ(row(1)[1], "http://shop.example.com/Old");
}
