// MainWindow as it starts: title, size, every control of its table, the status
// bar, the popup menu, the layout, and Esc.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/listctrl.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/process.h>
#include <wx/slider.h>
#include <wx/statbox.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdio>
#include <cstdlib>

#include "canvas/canvas_ctrl.h"
#include "forms/main_window_texts.h"
#include "gui_test.h"
#include "toolkit/message_box.h"

using namespace guitest;

using MainWindowStart = MainWindowTest;

namespace {

struct ControlRow {
    const char* name;
    const char* type;  // wx class name of the widget
    int left, top, width, height;
    const char* parent;   // design parent's name, "" for the window
    const char* caption;  // nullptr where the control has no caption to compare
};

// The designed geometry of every control that the layout leaves alone.
const ControlRow kRows[] = {
    {"分组框2", "wxStaticBox", 2, 9, 292, 48, "外形框1", "信息处理"},
    {"按钮载入", "wxButton", 8, 15, 63, 24, "分组框2", "加载图片"},
    {"按钮清空", "wxButton", 79, 15, 63, 24, "分组框2", "清空"},
    {"按钮预览", "wxButton", 150, 15, 63, 24, "分组框2", "预览"},
    {"按钮查看代码", "wxButton", 223, 15, 63, 24, "分组框2", "查看代码"},
    {"分组框1", "wxStaticBox", 2, 62, 292, 143, "外形框1", "属性设置"},
    {"标签1", "wxControl", 18, 23, 64, 60, "分组框1", mainform::kColourLabels},
    {"颜色选择器3", "wxColourPickerCtrl", 77, 16, 96, 24, "分组框1", nullptr},
    {"颜色选择器1", "wxColourPickerCtrl", 77, 40, 96, 24, "分组框1", nullptr},
    {"颜色选择器2", "wxColourPickerCtrl", 77, 63, 96, 24, "分组框1", nullptr},
    {"标签2", "wxStaticText", 18, 94, 104, 16, "分组框1", "热点透明度："},
    {"编辑框1", "wxTextCtrl", 88, 91, 82, 20, "分组框1", nullptr},
    {"滑块条1", "wxSlider", 8, 116, 277, 16, "分组框1", nullptr},
    {"按钮模拟", "wxButton", 184, 19, 96, 88, "分组框1", mainform::kFixedHotspot},
    {"分组框3", "wxStaticBox", 2, 206, 292, 171, "外形框1", "焦点属性"},
    {"列表框1", "wxListBox", 4, 16, 120, 147, "分组框3", nullptr},
    {"标签3", "wxControl", 131, 20, 64, 138, "分组框3", mainform::kFocusLabels},
    {"编辑框左", "wxTextCtrl", 189, 14, 90, 24, "分组框3", ""},
    {"编辑框右", "wxTextCtrl", 189, 38, 90, 24, "分组框3", ""},
    {"编辑框顶", "wxTextCtrl", 189, 62, 90, 24, "分组框3", ""},
    {"编辑框底", "wxTextCtrl", 189, 86, 90, 24, "分组框3", ""},
    {"编辑框宽", "wxTextCtrl", 189, 110, 90, 24, "分组框3", ""},
    {"编辑框高", "wxTextCtrl", 189, 134, 90, 24, "分组框3", ""},
    {"标签4", "wxStaticText", 6, 16, 272, 16, "分组框4", " 序号         连接地址           提示文本 "},
};

wxString captionOf(wxWindow* w) {
    if (auto* t = dynamic_cast<wxTextCtrl*>(w)) return t->GetValue();
    return w->GetLabel();
}

}  // namespace

TEST_F(MainWindowStart, TitleSizeAndScreenshot) {
    EXPECT_EQ(s8(window->GetTitle()), "绘栈热点生成器");
    // The menu bar sits above the designed 971 x 682 window: the window grows by its height.
    const int menuH = window->GetMenuBar()->GetSize().y;
    EXPECT_GT(menuH, 10);
    EXPECT_EQ(window->GetSize(), wxSize(971, 682 + menuH));
    EXPECT_EQ(window->GetClientSize(), wxSize(971, 682 - window->statusBar->GetSize().y));
    EXPECT_TRUE(window->GetWindowStyle() & wxRESIZE_BORDER);
    EXPECT_TRUE(window->GetWindowStyle() & wxMINIMIZE_BOX);
    EXPECT_TRUE(window->GetWindowStyle() & wxMAXIMIZE_BOX);
    // Centred on the screen.
    const wxRect screen = wxGetClientDisplayRect();
    const wxRect r = window->GetRect();
    EXPECT_NEAR(r.x + r.width / 2, screen.x + screen.width / 2, 2);
    EXPECT_NEAR(r.y + r.height / 2, screen.y + screen.height / 2, 2);
    screenshot(window, "main_window.png");
}

TEST_F(MainWindowStart, EveryControlOfTheTable) {
    for (const ControlRow& row : kRows) {
        SCOPED_TRACE(row.name);
        wxWindow* w = find(window, row.name);
        ASSERT_NE(w, nullptr);
        EXPECT_TRUE(w->IsKindOf(wxClassInfo::FindClass(row.type))) << w->GetClassInfo()->GetClassName();
        EXPECT_EQ(toolkit::designRect(w), wxRect(row.left, row.top, row.width, row.height));
        wxWindow* parent = toolkit::designParent(w);
        ASSERT_NE(parent, nullptr);
        EXPECT_EQ(s8(parent->GetName()), row.parent);
        if (row.caption) {
            EXPECT_EQ(s8(captionOf(w)), s8(toolkit::displayText(row.caption)));
        }
        EXPECT_TRUE(w->IsShown());
    }
    // Group caption colours.
    for (const char* name : {"分组框2", "分组框3", "分组框4"})
        EXPECT_EQ(find(window, name)->GetForegroundColour(), wxColour(0, 96, 192)) << name;
    // Initial values.
    EXPECT_EQ(window->backgroundPicker->GetColour(), wxColour(255, 255, 255));
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(255, 0, 255));
    EXPECT_EQ(window->borderPicker->GetColour(), wxColour(0, 128, 0));
    EXPECT_EQ(window->transparencySlider->GetMin(), 1);
    EXPECT_EQ(window->transparencySlider->GetMax(), 100);
    EXPECT_EQ(window->transparencySlider->GetValue(), 50);
    EXPECT_EQ(window->transparencySlider->GetPageSize(), 5);
    EXPECT_EQ(window->transparencySlider->GetLineSize(), 1);
    EXPECT_EQ(s8(window->transparencyBox->GetValue()), "50");  // filled by the layout
    EXPECT_EQ(window->hotspotListBox->GetCount(), 0u);
    EXPECT_FALSE(window->hotspotListBox->HasFlag(wxLB_SORT));
    // The table: report view, four left-aligned columns.
    wxListCtrl* table = window->hotspotTable;
    EXPECT_EQ(s8(table->GetName()), "超级列表框1");
    EXPECT_TRUE(table->InReportView());
    ASSERT_EQ(table->GetColumnCount(), 4);
    for (int c = 0; c < 4; ++c) {
        wxListItem col;
        col.SetMask(wxLIST_MASK_TEXT | wxLIST_MASK_WIDTH | wxLIST_MASK_FORMAT);
        table->GetColumn(c, col);
        EXPECT_EQ(s8(col.GetText()), mainform::kTableColumns[c].title);
        EXPECT_EQ(col.GetWidth(), mainform::kTableColumns[c].width);
        EXPECT_EQ(col.GetAlign(), wxLIST_FORMAT_LEFT);
    }
    // The eight handle labels: blue 5 x 5, hidden by the layout that ran at load.
    for (int i = 0; i < kHandleCount; ++i) {
        wxWindow* h = find(window, mainform::kHandleNames[i]);
        ASSERT_NE(h, nullptr) << mainform::kHandleNames[i];
        EXPECT_EQ(h->GetParent(), window);
        EXPECT_EQ(h->GetSize(), wxSize(5, 5));
        EXPECT_EQ(h->GetBackgroundColour(), wxColour(0, 0, 255));
        EXPECT_FALSE(h->IsShown());
    }
    // The canvas and the panel.
    EXPECT_NE(dynamic_cast<CanvasCtrl*>(find(window, "动画框1")), nullptr);
    EXPECT_NE(dynamic_cast<wxPanel*>(find(window, "外形框1")), nullptr);
    EXPECT_EQ(window->canvas->store().background(), packRgb(255, 255, 255));
    EXPECT_EQ(window->state.pictureObject, 0);
    EXPECT_TRUE(window->state.imagePath.empty());
    EXPECT_EQ(window->document.count(), 0);
}

TEST_F(MainWindowStart, StatusBarPanes) {
    wxStatusBar* bar = window->statusBar;
    EXPECT_EQ(s8(bar->GetName()), "状态条1");
    ASSERT_EQ(bar->GetFieldsCount(), 6);
    const int widths[6] = {65, 250, 66, 80, 66, 80};
    const int styles[6] = {wxSB_FLAT, wxSB_SUNKEN, wxSB_FLAT, wxSB_SUNKEN, wxSB_FLAT, wxSB_SUNKEN};
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(s8(bar->GetStatusText(i)), mainform::kStatusTexts[i]);
        EXPECT_EQ(bar->GetStatusWidth(i), widths[i]);
        EXPECT_EQ(bar->GetStatusStyle(i), styles[i]);
        EXPECT_EQ(window->statusWidth(static_cast<StatusPane>(i)), widths[i]);
    }
    // Every pane's text fits its width with the status bar's own margins.
    wxClientDC dc(bar);
    dc.SetFont(bar->GetFont());
    for (int i = 0; i < 6; ++i) {
        wxRect field;
        bar->GetFieldRect(i, field);
        EXPECT_LE(dc.GetTextExtent(bar->GetStatusText(i)).x, field.width - 2) << i;
    }
}

TEST_F(MainWindowStart, CaptionsFitTheirControls) {
    // Single-line captions must not be clipped at the designed geometry.
    for (const char* name : {"按钮载入", "按钮清空", "按钮预览", "按钮查看代码", "标签2", "标签4"}) {
        wxWindow* w = find(window, name);
        wxClientDC dc(w);
        dc.SetFont(w->GetFont());
        EXPECT_LE(dc.GetTextExtent(w->GetLabel()).x, w->GetSize().x - 4) << name;
    }
    for (const char* name : {"标签1", "标签3", "按钮模拟"}) {
        wxWindow* w = find(window, name);
        wxClientDC dc(w);
        dc.SetFont(w->GetFont());
        wxArrayString lines = wxSplit(w->GetLabel(), '\n', '\0');
        int widest = 0;
        for (const wxString& l : lines) widest = std::max(widest, dc.GetTextExtent(l).x);
        EXPECT_LE(widest, w->GetSize().x) << name;
        // Labels draw their lines 12 pixels apart; the button uses the font's own height.
        const int pitch = std::string(name) == "按钮模拟" ? dc.GetCharHeight() : 12;
        int shown = static_cast<int>(lines.size());
        while (shown > 0 && lines[shown - 1].empty()) --shown;
        EXPECT_LE(shown * pitch, w->GetSize().y) << name;
    }
}

TEST_F(MainWindowStart, PopupMenu) {
    ASSERT_NE(window->hotspotMenu, nullptr);
    EXPECT_EQ(window->hotspotMenu->GetMenuItemCount(), 3u);
    EXPECT_EQ(s8(window->menuDelete->GetItemLabelText()), "删除");
    EXPECT_EQ(s8(window->menuModify->GetItemLabelText()), "修改");
    EXPECT_EQ(s8(window->menuLock->GetItemLabelText()), "锁定");
    // The popup menu is not on the menu bar, which holds the 文件 and 编辑 menus.
    wxMenuBar* bar = window->GetMenuBar();
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->GetMenuCount(), 2u);
    EXPECT_EQ(s8(bar->GetMenuLabel(0)), "文件(&F)");
    EXPECT_EQ(s8(bar->GetMenuLabel(1)), "编辑(&E)");
    for (size_t i = 0; i < bar->GetMenuCount(); ++i) EXPECT_NE(bar->GetMenu(i), window->hotspotMenu);
    std::vector<std::string> items;
    for (const wxMenuItem* item : window->fileMenu->GetMenuItems())
        items.push_back(item->IsSeparator() ? "-" : s8(item->GetItemLabel()));
    EXPECT_EQ(items, (std::vector<std::string>{"新建工程(&N)", "打开工程(&O)…\tCtrl+O", "最近打开(&R)",
                                               "保存工程(&S)\tCtrl+S",
                                               "工程另存为(&A)…\tCtrl+Shift+S", "-", "导入代码(&I)…", "-",
                                               "退出(&X)"}));
    EXPECT_STREQ(mainform::kMenuTitle, "删除热点");
}

// An Esc that closes the open 文件 menu is the menu's: the window stays. The next
// plain Esc closes it as ever.
TEST_F(MainWindowStart, EscOnAnOpenMenuClosesOnlyTheMenu) {
    bool opened = false, closed = false;
    window->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& e) {
        opened = true;
        e.Skip();
    });
    window->Bind(wxEVT_MENU_CLOSE, [&](wxMenuEvent& e) {
        closed = true;
        e.Skip();
    });
    window->Raise();
    const wxRect bar = window->GetMenuBar()->GetScreenRect();
    wxUIActionSimulator user;
    user.MouseMove(bar.GetPosition() + wxPoint(15, bar.height / 2));
    drainEvents();
    user.MouseClick();
    ASSERT_TRUE(waitFor("the click to open the 文件 menu", [&] { return opened; }));
    user.Char(WXK_ESCAPE);
    ASSERT_TRUE(waitFor("Esc to close the menu", [&] { return closed; }));
    // Whatever the Esc set going has run once the pending events are done.
    for (int i = 0; i < 5; ++i) {
        wxTheApp->ProcessPendingEvents();
        wxYield();
    }
    EXPECT_TRUE(window->IsShown());
    EXPECT_FALSE(window->IsBeingDeleted());
    EXPECT_FALSE(wxPendingDelete.Member(window));
}

TEST_F(MainWindowStart, LayoutFollowsResizeAndMoveHidesHandles) {
    window->SetClientSize(1280, 700 - window->statusBar->GetSize().y);
    ASSERT_TRUE(waitFor("the canvas to take the new width",
                        [&] { return window->canvas->GetSize().x == 980; }));
    const int statusH = window->statusBar->GetSize().y;
    const int clientH = window->GetClientSize().y + statusH;
    EXPECT_EQ(window->canvas->GetRect(), wxRect(1, 1, 980, clientH - 2 - statusH));
    EXPECT_EQ(window->panel->GetRect(), wxRect(983, 1, 295, clientH - 2 - statusH));
    EXPECT_EQ(window->infoGroup->GetSize().y, window->panel->GetSize().y - 378);
    EXPECT_EQ(window->hotspotTable->GetSize().y, window->infoGroup->GetSize().y - 36);
    // The status bar stays at the bottom edge (Xvfb has no window manager: no frame border).
    EXPECT_TRUE(waitFor("the status bar to reach the bottom edge", [&] {
        return window->statusBar->GetScreenRect().GetBottom() == window->GetScreenRect().GetBottom();
    }));
    screenshot(window, "main_window_1280x700.png");

    // A move without a resize runs the layout too: it hides the handles.
    for (wxWindow* h : window->handles) h->Show();
    window->Move(window->GetPosition() + wxPoint(7, 5));
    EXPECT_TRUE(waitFor("the move to hide the handles",
                        [&] { return !window->handles[kHandleTopLeft]->IsShown(); }));
    for (wxWindow* h : window->handles) EXPECT_FALSE(h->IsShown());

    // Maximise and restore apply the same formulas.
    window->Maximize();
    // Without a window manager the window may stay as it is: the layout holds either way.
    (void)waitFor(
        "the window to be maximised", [&] { return window->IsMaximized(); }, 1000);
    EXPECT_TRUE(waitFor("the canvas to follow the maximised size", [&] {
        return window->canvas->GetSize().x == window->GetClientSize().x - 300;
    }));
    window->Maximize(false);
    window->SetSize(971, 682 + window->GetMenuBar()->GetSize().y);
    ASSERT_TRUE(waitFor("the canvas to follow the new size", [&] {
        return window->canvas->GetSize().x == window->GetClientSize().x - 300;
    }));
    EXPECT_EQ(window->canvas->GetSize().y, window->GetClientSize().y - 2);
}

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

// The real program: a plain Esc in MainWindow closes it and the process ends.
TEST(ProgramRun, EscEndsTheProgram) {
    const long pid = wxExecute(wxString(APP_BINARY), wxEXEC_ASYNC | wxEXEC_MAKE_GROUP_LEADER);
    ASSERT_GT(pid, 0);
    std::string windowId;
    ASSERT_TRUE(waitFor("the program's window to appear", [&] {
        FILE* p = popen(("xdotool search --sync --onlyvisible --pid " + std::to_string(pid) +
                         " 2>/dev/null | head -1").c_str(), "r");
        char buf[64] = {0};
        if (p) {
            if (!fgets(buf, sizeof buf, p)) buf[0] = 0;
            pclose(p);
        }
        windowId = buf;
        return !windowId.empty();
    }));
    pump(300);
    while (!windowId.empty() && (windowId.back() == '\n')) windowId.pop_back();
    ASSERT_EQ(std::system(("xdotool windowfocus --sync " + windowId + " key Escape").c_str()), 0);
    EXPECT_TRUE(waitFor("Esc to end the program",
                        [&] { return !wxProcess::Exists(static_cast<int>(pid)); }));
    if (wxProcess::Exists(static_cast<int>(pid))) wxProcess::Kill(static_cast<int>(pid), wxSIGKILL, wxKILL_CHILDREN);
}
