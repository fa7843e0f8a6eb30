// The whole way through the real window: a dropped picture, two fixed hotspots,
// one dragged into place, 查看代码 with the uploaded address, and the copy.
#include <wx/button.h>
#include <wx/clipbrd.h>
#include <wx/dataobj.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/stc/stc.h>
#include <wx/uiaction.h>

#include "canvas/canvas_ctrl.h"
#include "forms/code_window.h"
#include "code_window_expect.h"
#include "gui_test.h"

using namespace guitest;

namespace {

void clickReally(wxUIActionSimulator& sim, wxWindow* w) {
    sim.MouseMove(w->GetScreenRect().GetPosition() + wxPoint(w->GetSize().x / 2, w->GetSize().y / 2));
    drainEvents();
    sim.MouseClick();
    drainEvents();
}

}  // namespace

using EndToEnd = MainWindowTest;

TEST_F(EndToEnd, DroppedPictureHotspotsDragViewCodeAndCopy) {
    // A 790 x 300 picture on disk, dropped on the canvas.
    const wxString path = wxFileName::CreateTempFileName("e2e") + ".png";
    wxImage picture(790, 300);
    picture.SetRGB(wxRect(0, 0, 790, 300), 40, 90, 160);
    ASSERT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
    window->canvas->onFilesDropped({path});
    ASSERT_TRUE(
        waitFor("the dropped picture to be installed", [&] { return state->pictureObject != 0; }));
    EXPECT_EQ(state->imageWidth, 790);
    EXPECT_EQ(state->imageHeight, 300);
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPaneWidth)), "790(xp)");
    EXPECT_FALSE(window->loadButton->IsEnabled());

    // Two fixed hotspots, clicked with the mouse; both land on the picture's corner.
    wxUIActionSimulator sim;
    clickReally(sim, window->fixedHotspotButton);
    clickReally(sim, window->fixedHotspotButton);
    ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    const int second = window->hotspots.hotspotObjectAt(1);
    EXPECT_EQ(s8(window->hotspotListBox->GetString(1)), "热点:" + std::to_string(second - 1) + " 锁定：×");

    // Drag the upper one from (10, 10) to (110, 60): it ends at (100, 50).
    CanvasCtrl* canvas = window->canvas;
    sim.MouseMove(canvas->ClientToScreen(wxPoint(10, 10)));
    drainEvents();
    sim.MouseDown();
    drainEvents();
    for (int step = 1; step <= 4; ++step) {
        sim.MouseMove(canvas->ClientToScreen(wxPoint(10 + 25 * step, 10 + 12 * step + (step == 4 ? 2 : 0))));
        drainEvents();
    }
    sim.MouseUp();
    drainEvents();
    EXPECT_EQ(canvas->objectLeft(second), 100);
    EXPECT_EQ(canvas->objectTop(second), 50);
    EXPECT_EQ(s8(window->focusLeft->GetValue()), "100");
    EXPECT_EQ(s8(window->focusBottom->GetValue()), "150");
    screenshot(window, "main_window_with_hotspots.png");

    // 查看代码: the local picture asks for its uploaded address; then copy.
    std::string shown, copied;
    wxTEST_DIALOG(pressButton(window->viewCodeButton),
                  ExpectInput("本地图片地址替换成网络地址", "http://img.example.com/banner.jpg"),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      EXPECT_EQ(s8(w.GetTitle()), "查看代码    [热点代码]");
                      shown = s8(w.editor->GetText());
                      wxTEST_DIALOG(pressButton(w.copyButton),
                                    ExpectMessage("代码已成功复制到剪辑板中，粘贴即可使用"));
                      copied = clipboardText();
                  }));

    const size_t at = shown.find("usemap=\"#");
    ASSERT_NE(at, std::string::npos);
    const std::string name = shown.substr(at + 9, 6);
    const int number = std::stoi(name);
    EXPECT_GE(number, 100000);
    EXPECT_LE(number, 999999);
    const std::string expected =
        "<img src=\"http://img.example.com/banner.jpg\" width=\"790\" height=\"300\" usemap=\"#" + name +
        "\" border=\"0\" />\r\n"
        "<map name=\"" + name + "\" id=\"" + name + "\">"
        "  <area shape=\"rect\" coords=\"0,0,150,100\" href=\"未添加热点链接\" alt=\"热点提示\" title=\"热点提示\" target=\"_blank\" />\r\n"
        "  <area shape=\"rect\" coords=\"100,50,250,150\" href=\"未添加热点链接\" alt=\"热点提示\" title=\"热点提示\" target=\"_blank\" />\r\n"
        "</map>";
    EXPECT_EQ(shown, expected);
    EXPECT_EQ(copied, expected);
    wxRemoveFile(path);
}
