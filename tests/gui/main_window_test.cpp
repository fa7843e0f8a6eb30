#include <wx/button.h>
#include <wx/statusbr.h>

#include "canvas/canvas_ctrl.h"
#include "gui_test.h"

using namespace guitest;

using MainWindowStart = MainWindowTest;

TEST_F(MainWindowStart, TitleSizeAndScreenshot) {
    EXPECT_EQ(s8(window->GetTitle()), "绘栈热点生成器");
    EXPECT_EQ(window->GetSize(), wxSize(971, 682));
    screenshot(window, "main_window.png");
}
