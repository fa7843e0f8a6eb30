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

#include "toolkit/message_box.h"

TEST_F(MainWindowStart, DialogExpectationsWork) {
    int answer = 0;
    wxTEST_DIALOG(answer = showMessage("你确认删除该热点吗？", true),
                  ExpectMessage("你确认删除该热点吗？", wxID_CANCEL));
    EXPECT_EQ(answer, wxID_CANCEL);
    wxString typed;
    bool ok = false;
    wxTEST_DIALOG(ok = askInput(u8("标题"), u8("提示"), u8("http://"), typed),
                  ExpectInput("标题", " a b ", false, "提示"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(s8(typed), " a b ");
    EXPECT_EQ(ExpectInput::lastInitial(), "http://");
}
