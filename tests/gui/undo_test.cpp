// 撤销 and 重做 through the real window: a sequence of user actions taken back one
// by one with Ctrl+Z and forward again, the generated code checked after each; the
// menu's names; the keys left to text boxes; what clears the history.
#include <wx/clrpicker.h>
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/slider.h>

#include "hotspot_info_expect.h"
#include "hotspot_test_support.h"
#include "hotspots/hotspot_info.h"
#include "project/project_session.h"

using namespace guitest;

namespace {

class Undo : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        putPicture();
        setHotspotMenuPopup([](MainWindow&, const wxPoint&) {});
    }
    void TearDown() override {
        setHotspotMenuPopup({});
        HotspotWindowTest::TearDown();
    }
    std::string undoLabel() const { return s8(window->menuUndo->GetItemLabelText()); }
    std::string redoLabel() const { return s8(window->menuRedo->GetItemLabelText()); }
    void pressKeys(int key, int modifiers) {
        sim.Char(key, modifiers);
        drainEvents();
    }
    void undoKey() { pressKeys('Z', wxMOD_CONTROL); }
    void chooseMenu(wxMenuItem* item) {
        wxCommandEvent ev(wxEVT_MENU, item->GetId());
        ev.SetEventObject(item->GetMenu());
        window->GetEventHandler()->ProcessEvent(ev);
    }
    void pickHotspotColour(const wxColour& c) {
        window->hotspotPicker->SetColour(c);
        wxColourPickerEvent ev(window->hotspotPicker, window->hotspotPicker->GetId(), c);
        window->hotspotPicker->GetEventHandler()->ProcessEvent(ev);
    }
    // The three places of every hotspot agree: list entry, table row, canvas object.
    void expectInStep() const {
        expectViewsMatchDocument();
        const HotspotList& list = window->hotspots;
        ASSERT_EQ(static_cast<int>(window->hotspotListBox->GetCount()), list.hotspotCount());
        ASSERT_EQ(window->hotspotTable->GetItemCount(), list.hotspotCount());
        EXPECT_EQ(window->canvas->store().objects().size(), static_cast<size_t>(list.hotspotCount()) + 1);
        for (int i = 0; i < list.hotspotCount(); ++i) {
            const int id = list.hotspotObjectAt(i);
            EXPECT_EQ(reinterpret_cast<intptr_t>(window->hotspotListBox->GetClientData(i)), id);
            const std::string caption = s8(window->hotspotTable->GetItemText(i, 0));
            EXPECT_EQ(listTexts()[i].rfind("热点:" + caption + " ", 0), 0u) << listTexts()[i];
            EXPECT_TRUE(window->canvas->store().exists(id));
        }
    }
};

}  // namespace

TEST_F(Undo, EveryStepGoesBackAndComesAgain) {
    EXPECT_EQ(undoLabel(), "撤销");
    EXPECT_EQ(redoLabel(), "重做");
    EXPECT_FALSE(window->menuUndo->IsEnabled());
    EXPECT_FALSE(window->menuRedo->IsEnabled());

    // Create, move, resize, edit, create another, delete the first, change a colour.
    click(window->fixedHotspotButton);
    EXPECT_EQ(undoLabel(), "撤销添加热点");
    EXPECT_TRUE(window->menuUndo->IsEnabled());
    const std::string created = areaCode();
    drag({75, 50}, {{125, 75}, {175, 100}});
    release();
    EXPECT_EQ(undoLabel(), "撤销移动热点");
    const std::string moved = areaCode();
    EXPECT_EQ(moved, area(100, 50, 250, 150) + "</map>");
    dragHandle(kHandleBottomRight, 30, 20);
    EXPECT_EQ(undoLabel(), "撤销调整热点大小");
    const std::string resized = areaCode();
    EXPECT_EQ(resized, area(100, 50, 280, 170) + "</map>");
    ShownInfo shown;
    state->menuTargetObject = lastObject();
    wxTEST_DIALOG(chooseMenu(window->menuModify), ExpectHotspotInfo(shown, confirmWith("http://a.com/x", "甲")));
    EXPECT_EQ(undoLabel(), "撤销修改热点信息");
    const std::string edited = areaCode();
    EXPECT_EQ(edited, area(100, 50, 280, 170, "http://a.com/x", "甲") + "</map>");
    click(window->fixedHotspotButton);
    const std::string two = areaCode();
    state->menuTargetObject = window->hotspots.hotspotObjectAt(0);
    wxTEST_DIALOG(chooseMenu(window->menuDelete), ExpectMessage("你确认删除该热点吗？", wxID_OK));
    EXPECT_EQ(undoLabel(), "撤销删除热点");
    const std::string deleted = areaCode();
    EXPECT_EQ(deleted, area(0, 0, 150, 100) + "</map>");
    pickHotspotColour(wxColour(0, 0, 255));
    EXPECT_EQ(undoLabel(), "撤销修改热点颜色");
    expectInStep();

    // Back, one step at a time, from the canvas.
    window->canvas->SetFocus();
    drainEvents();
    undoKey();
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(255, 0, 255));
    EXPECT_EQ(redoLabel(), "重做修改热点颜色");
    EXPECT_EQ(areaCode(), deleted);
    undoKey();  // the deleted hotspot comes back in its place, with its number
    EXPECT_EQ(areaCode(), two);
    EXPECT_EQ(listTexts(), (std::vector<std::string>{"热点:1 锁定：×", "热点:2 锁定：×"}));
    EXPECT_EQ(s8(window->hotspotTable->GetItemText(0, 0)), "1");
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 0);  // and is the selected one
    EXPECT_EQ(handleAt(kHandleBottomRight), wxPoint(282, 172));
    expectInStep();
    for (const std::string* code : {&edited, &resized, &moved, &created}) {
        undoKey();
        EXPECT_EQ(areaCode(), *code);
        expectInStep();
    }
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"0", "150", "0", "100", "150", "100"}));
    undoKey();
    EXPECT_EQ(areaCode(), "</map>");
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    for (wxWindow* handle : window->handles) EXPECT_FALSE(handle->IsShown());
    EXPECT_EQ(undoLabel(), "撤销");
    EXPECT_FALSE(window->menuUndo->IsEnabled());
    EXPECT_EQ(redoLabel(), "重做添加热点");
    undoKey();  // nothing left: nothing happens
    EXPECT_EQ(areaCode(), "</map>");

    // Forward again: Ctrl+Y, Ctrl+Shift+Z and the menu item.
    for (const std::string* code : {&created, &moved, &resized, &edited, &two, &deleted}) {
        pressKeys('Y', wxMOD_CONTROL);
        EXPECT_EQ(areaCode(), *code);
        expectInStep();
    }
    pressKeys('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(0, 0, 255));
    EXPECT_FALSE(window->menuRedo->IsEnabled());
    chooseMenu(window->menuUndo);
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(255, 0, 255));
    chooseMenu(window->menuRedo);
    EXPECT_EQ(window->hotspotPicker->GetColour(), wxColour(0, 0, 255));
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:2 锁定：×"});
}

TEST_F(Undo, ADeletedHotspotComesBackWithItsLookAndLock) {
    // Made in green at 30 % and locked; the pickers changed afterwards.
    window->hotspotPicker->SetColour(wxColour(0, 200, 0));
    window->transparencySlider->SetValue(30);
    createHotspot(*window, 40, 40, 120, 80, "http://b.com", "乙", true);
    window->hotspotPicker->SetColour(wxColour(255, 0, 255));
    window->transparencySlider->SetValue(50);
    const int before = lastObject();
    wxTEST_DIALOG(deleteHotspotAsked(*window, before), ExpectMessage("你确认删除该热点吗？", wxID_OK));
    chooseMenu(window->menuUndo);
    const int back = lastObject();
    EXPECT_EQ(back, before);  // it comes back under its own id
    const CanvasObject* o = window->canvas->store().find(back);
    ASSERT_NE(o, nullptr);
    EXPECT_EQ(o->transparency, 30);
    EXPECT_EQ(o->picture.rgb[(40 * 120 + 60) * 3 + 1], 200);  // a fill pixel, green
    EXPECT_EQ(listTexts(), std::vector<std::string>{"热点:" + std::to_string(before - 1) + " 锁定：√"});
    EXPECT_EQ(areaCode(), area(40, 40, 160, 120, "http://b.com", "乙") + "</map>");
    expectViewsMatchDocument();
}

TEST_F(Undo, TheKeysBelongToATextBoxThatHasTheFocus) {
    click(window->fixedHotspotButton);
    const std::string code = areaCode();
    window->transparencyBox->SetFocus();
    drainEvents();
    undoKey();
    pressKeys('Y', wxMOD_CONTROL);
    EXPECT_EQ(areaCode(), code);
    EXPECT_EQ(undoLabel(), "撤销添加热点");
    window->focusLeft->SetFocus();
    drainEvents();
    undoKey();
    EXPECT_EQ(areaCode(), code);
    // The hotspot list is no text box.
    window->hotspotListBox->SetFocus();
    drainEvents();
    undoKey();
    EXPECT_EQ(areaCode(), "</map>");
}

TEST_F(Undo, ATransparencyDragIsOneStep) {
    wxSlider* slider = window->transparencySlider;
    for (int value : {55, 60, 70}) {
        slider->SetValue(value);
        wxCommandEvent ev(wxEVT_SLIDER, slider->GetId());
        ev.SetInt(value);
        slider->GetEventHandler()->ProcessEvent(ev);
    }
    EXPECT_EQ(s8(window->transparencyBox->GetValue()), "70");
    EXPECT_EQ(undoLabel(), "撤销修改热点透明度");
    chooseMenu(window->menuUndo);
    EXPECT_EQ(slider->GetValue(), 50);
    EXPECT_EQ(s8(window->transparencyBox->GetValue()), "50");
    EXPECT_FALSE(window->menuUndo->IsEnabled());
}

TEST_F(Undo, ClearingForgetsTheSteps) {
    click(window->fixedHotspotButton);
    drag({75, 50}, {{175, 100}});
    release();
    ASSERT_TRUE(window->menuUndo->IsEnabled());
    wxTEST_DIALOG(click(window->clearButton), ExpectSaveQuestion(wxID_NO));
    EXPECT_FALSE(window->menuUndo->IsEnabled());
    EXPECT_FALSE(window->menuRedo->IsEnabled());
    EXPECT_EQ(undoLabel(), "撤销");
    // A picture dragged about is no step; nor is a click that moves nothing.
    putPicture();
    drag({300, 200}, {{320, 210}});
    release();
    click(window->fixedHotspotButton);
    drag({25, 15}, {{25, 15}});
    release();
    EXPECT_EQ(undoLabel(), "撤销添加热点");
    chooseMenu(window->menuUndo);
    EXPECT_FALSE(window->menuUndo->IsEnabled());
}

TEST_F(Undo, ADrawnHotspotALockAndTheBackgroundAreStepsToo) {
    state->drawnRect = RectXYWH{30, 40, 100, 60};
    ShownInfo shown;
    wxTEST_DIALOG(createDrawnHotspot(*window), ExpectHotspotInfo(shown, confirmWith("a.com", "丙")));
    EXPECT_EQ(undoLabel(), "撤销添加热点");
    const int drawn = lastObject();
    state->menuTargetObject = drawn;
    window->menuLock->SetItemLabel(u8("解锁"));  // as the popup shows it over a locked hotspot
    chooseMenu(window->menuLock);
    EXPECT_EQ(undoLabel(), "撤销解锁热点");
    const std::string number = std::to_string(drawn - 1);
    EXPECT_EQ(listTexts()[0], "热点:" + number + " 锁定：×");
    window->backgroundPicker->SetColour(wxColour(10, 20, 30));
    wxColourPickerEvent ev(window->backgroundPicker, window->backgroundPicker->GetId(), wxColour(10, 20, 30));
    window->backgroundPicker->GetEventHandler()->ProcessEvent(ev);
    EXPECT_EQ(window->canvas->store().background(), packRgb(10, 20, 30));
    EXPECT_EQ(undoLabel(), "撤销修改背景颜色");

    chooseMenu(window->menuUndo);
    EXPECT_EQ(window->canvas->store().background(), packRgb(255, 255, 255));
    EXPECT_EQ(window->backgroundPicker->GetColour(), wxColour(255, 255, 255));
    chooseMenu(window->menuUndo);
    EXPECT_EQ(listTexts()[0], "热点:" + number + " 锁定：√");  // locked again, in place
    EXPECT_EQ(window->hotspots.hotspotObjectAt(0), drawn);
    chooseMenu(window->menuUndo);
    EXPECT_EQ(window->hotspots.hotspotCount(), 0);
    chooseMenu(window->menuRedo);
    EXPECT_EQ(areaCode(), area(30, 40, 130, 100, "http://a.com", "丙") + "</map>");
    expectViewsMatchDocument();
}

TEST_F(Undo, ANewPictureOrAnOpenedProjectStartsAfresh) {
    const wxString path = wxFileName::CreateTempFileName("undo") + ".png";
    wxRemoveFile(path.BeforeLast('.'));
    wxImage picture(300, 200);
    picture.SetRGB(wxRect(0, 0, 300, 200), 90, 120, 160);
    ASSERT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
    click(window->fixedHotspotButton);
    ASSERT_TRUE(window->menuUndo->IsEnabled());
    window->canvas->onFilesDropped({path});  // dropped over the work
    ASSERT_TRUE(waitFor("the dropped picture to be installed", [&] {
        return s8(window->statusBar->GetStatusText(kPanePath)) == s8(path);
    }));
    EXPECT_FALSE(window->menuUndo->IsEnabled());

    click(window->fixedHotspotButton);
    const std::string project = s8(path) + ".hzproj";
    ASSERT_TRUE(saveProjectTo(*window, project));
    click(window->fixedHotspotButton);
    ASSERT_TRUE(window->menuUndo->IsEnabled());
    ASSERT_TRUE(openProjectFile(*window, project));
    EXPECT_FALSE(window->menuUndo->IsEnabled());
    EXPECT_FALSE(window->menuRedo->IsEnabled());
    EXPECT_EQ(window->hotspots.hotspotCount(), 2);
    wxRemoveFile(path);
    wxRemoveFile(toolkit::fromUtf8(project));
}
