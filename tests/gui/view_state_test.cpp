// The picture's place on the canvas is the view, not the work: scrolling and
// dragging the picture mark nothing as changed and are no steps to take back.
// The title's "*" compares the work with what was saved, so undoing back to the
// saved work clears it.
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>

#include "canvas/canvas_ctrl.h"
#include "hotspot_test_support.h"
#include "hotspots/undo_ui.h"
#include "project/project_session.h"

using namespace guitest;

namespace {

class ViewState : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        const wxString base = wxFileName::CreateTempFileName("view");
        wxRemoveFile(base);
        picturePath = toolkit::toUtf8(base) + ".png";
        projectPath = toolkit::toUtf8(base) + ".hzproj";
        wxImage picture(790, 2000);
        picture.SetRGB(wxRect(0, 0, 790, 2000), 30, 120, 200);
        ASSERT_TRUE(picture.SaveFile(toolkit::fromUtf8(picturePath), wxBITMAP_TYPE_PNG));
        window->canvas->onFilesDropped({toolkit::fromUtf8(picturePath)});
        ASSERT_TRUE(waitFor("the dropped picture to be installed",
                            [&] { return state->pictureObject != 0; }));
        click(window->fixedHotspotButton);
        createHotspot(*window, 200, 300, 80, 40, "http://b/", "乙", true);
        ASSERT_TRUE(saveProjectTo(*window, projectPath));
        ASSERT_FALSE(starred());
    }
    void TearDown() override {
        HotspotWindowTest::TearDown();
        wxRemoveFile(toolkit::fromUtf8(picturePath));
        wxRemoveFile(toolkit::fromUtf8(projectPath));
    }
    bool starred() const { return s8(window->GetTitle()).find('*') != std::string::npos; }
    // The title is looked at when the window is idle or soon after a change: look now.
    void settle() {
        drainEvents();
        noteWork(*window);
    }
    std::string picturePath, projectPath;
};

}  // namespace

TEST_F(ViewState, ScrollingAndDraggingThePictureChangeNoWork) {
    const doc::Document saved = window->document;
    const std::string code = areaCode();
    const size_t steps = window->undoHistory.undoCount();

    // The wheel, down and across.
    sim.MouseMove(onScreen(400, 300));
    drainEvents();
    ASSERT_EQ(std::system("xdotool click --repeat 3 --delay 1 5"), 0);
    ASSERT_TRUE(waitFor("the wheel to scroll the picture up",
                        [&] { return objectAt(state->pictureObject).y < 0; }));
    settle();
    EXPECT_FALSE(starred()) << s8(window->GetTitle());
    expectViewsMatchDocument();

    // The picture dragged by the mouse, from a place without hotspots.
    const wxPoint before = objectAt(state->pictureObject);
    drag({600, 400}, {{590, 380}, {560, 350}});
    release();
    EXPECT_EQ(objectAt(state->pictureObject), before + wxPoint(-40, -50));
    settle();
    EXPECT_FALSE(starred()) << s8(window->GetTitle());
    EXPECT_EQ(window->undoHistory.undoCount(), steps);
    EXPECT_TRUE(window->document.sameWork(saved));
    EXPECT_EQ(areaCode(), code);
    expectViewsMatchDocument();
}

TEST_F(ViewState, UndoBackToTheSavedWorkClearsTheStar) {
    click(window->fixedHotspotButton);
    settle();
    EXPECT_TRUE(starred());
    undoLastStep(*window);
    settle();
    EXPECT_FALSE(starred()) << s8(window->GetTitle());
    expectViewsMatchDocument();
    redoLastStep(*window);
    settle();
    EXPECT_TRUE(starred());
    // A step taken back past the saved work is a change again; forward to it is none.
    undoLastStep(*window);
    undoLastStep(*window);
    settle();
    EXPECT_TRUE(starred());
    redoLastStep(*window);
    settle();
    EXPECT_FALSE(starred()) << s8(window->GetTitle());
    expectViewsMatchDocument();
}
