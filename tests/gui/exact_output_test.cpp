// Ordinary sequences of a new user, through the real window with the mouse
// simulated, and the coordinates that end up in the code: a drag after a second
// picture, a press with Alt, a double click followed by a drag, hotspots under a
// picture dropped over theirs, and copied code outliving the program.
#include <wx/filename.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/process.h>
#include <wx/stc/stc.h>
#include <wx/stdpaths.h>
#include <wx/txtstrm.h>
#include <wx/utils.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "code_window_expect.h"
#include "core/map_code.h"
#include "hotspot_test_support.h"
#include "output/code_ui.h"

using namespace guitest;

namespace {

class ExactOutput : public HotspotWindowTest {
  protected:
    void SetUp() override {
        HotspotWindowTest::SetUp();
        setHotspotMenuPopup([this](MainWindow&, const wxPoint&) { ++popups; });
    }
    void TearDown() override {
        setHotspotMenuPopup({});
        for (const wxString& f : files_) wxRemoveFile(f);
        HotspotWindowTest::TearDown();
    }
    // A plain picture file of that size, dropped on the canvas; waits until it is in.
    void dropPicture(int w, int h) {
        const wxString path = wxFileName::CreateTempFileName("exact") + ".png";
        wxRemoveFile(path.BeforeLast('.'));
        wxImage picture(w, h);
        picture.SetRGB(wxRect(0, 0, w, h), 60 + 40 * static_cast<int>(files_.size()), 90, 160);
        ASSERT_TRUE(picture.SaveFile(path, wxBITMAP_TYPE_PNG));
        files_.push_back(path);
        const int before = state->pictureObject;
        window->canvas->onFilesDropped({path});
        ASSERT_TRUE(waitFor("the dropped picture to be installed",
                            [&] { return state->pictureObject != before; }));
        drainEvents();
    }
    // The coordinates of every area line of the generated code, in list order.
    std::string coords() const {
        std::string out;
        for (const auto& a : mapcode::collectMapAreas(window->document))
            out += std::to_string(a.x1) + "," + std::to_string(a.y1) + "," +
                   std::to_string(a.x2) + "," + std::to_string(a.y2) + ";";
        return out;
    }
    void dragOnce(wxPoint from, wxPoint to) {
        drag(from, {to});
        release();
    }
    int popups = 0;

  private:
    std::vector<wxString> files_;
};

}  // namespace

TEST_F(ExactOutput, DragDropASecondPictureAndDragAgainKeepsTheCoordinates) {
    dropPicture(790, 300);
    click(window->fixedHotspotButton);
    ASSERT_EQ(window->hotspots.hotspotCount(), 1);
    const int h = lastObject();
    dragOnce({300, 200}, {320, 210});  // the picture, by (20, 10)
    EXPECT_EQ(objectAt(state->pictureObject), wxPoint(20, 10));
    EXPECT_EQ(objectAt(h), wxPoint(20, 10));
    EXPECT_EQ(coords(), "0,0,150,100;");

    dropPicture(790, 300);  // lands at (0, 0); the hotspot comes along
    EXPECT_EQ(objectAt(state->pictureObject), wxPoint(0, 0));
    EXPECT_EQ(objectAt(h), wxPoint(0, 0));
    EXPECT_EQ(coords(), "0,0,150,100;");

    dragOnce({300, 200}, {301, 200});  // the new picture, by one pixel
    EXPECT_EQ(objectAt(state->pictureObject), wxPoint(1, 0));
    EXPECT_EQ(objectAt(h), wxPoint(1, 0));
    EXPECT_EQ(coords(), "0,0,150,100;");

    // The copied code says the same.
    std::string copied;
    wxTEST_DIALOG(pressButton(window->viewCodeButton), ExpectInput("本地图片地址替换成网络地址", "http://x/a.png"),
                  ExpectCodeWindow([&](CodeWindow& w) {
                      wxTEST_DIALOG(pressButton(w.copyButton),
                                    ExpectMessage("代码已成功复制到剪辑板中，粘贴即可使用"));
                      copied = clipboardText();
                  }));
    EXPECT_NE(copied.find("coords=\"0,0,150,100\""), std::string::npos) << copied;
}

TEST_F(ExactOutput, HotspotsUnderANewPictureStayOnTopAndEditable) {
    dropPicture(790, 300);
    click(window->fixedHotspotButton);
    click(window->fixedHotspotButton);
    const int first = window->hotspots.hotspotObjectAt(0), second = lastObject();
    dragOnce({75, 50}, {375, 150});  // the second (on top) to (300, 100)
    EXPECT_EQ(objectAt(second), wxPoint(300, 100));

    dropPicture(640, 480);
    const auto& objects = window->canvas->store().objects();
    ASSERT_GE(objects.size(), 4u);
    EXPECT_EQ(objects[objects.size() - 2].id, first);  // above the new picture, in list order
    EXPECT_EQ(objects.back().id, second);
    EXPECT_EQ(window->canvas->store().hitTest(10, 10), first);
    EXPECT_EQ(coords(), "0,0,150,100;300,100,450,200;");

    // Pressed and dragged from the canvas, selected with its handles and focus values.
    dragOnce({310, 110}, {340, 130});
    EXPECT_EQ(objectAt(second), wxPoint(330, 120));
    EXPECT_EQ(window->hotspotListBox->GetSelection(), 1);
    EXPECT_EQ(focusTexts(), (std::vector<std::string>{"330", "480", "120", "220", "150", "100"}));
    EXPECT_EQ(handleAt(kHandleTopLeft), wxPoint(328, 118));

    // The popup menu opens over it, and its delete removes it everywhere.
    sim.MouseMove(onScreen(20, 20));
    drainEvents();
    sim.MouseDown(wxMOUSE_BTN_RIGHT);
    sim.MouseUp(wxMOUSE_BTN_RIGHT);
    drainEvents();
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(state->menuTargetObject, first);
    wxCommandEvent choose(wxEVT_MENU, window->menuDelete->GetId());
    wxTEST_DIALOG(window->GetEventHandler()->ProcessEvent(choose),
                  ExpectMessage("你确认删除该热点吗？", wxID_OK));
    EXPECT_EQ(window->hotspots.hotspotCount(), 1);
    EXPECT_FALSE(window->canvas->store().exists(first));
    EXPECT_EQ(coords(), "330,120,480,220;");
}

TEST_F(ExactOutput, APressWithAltSetsTheAnchor) {
    putPicture(790, 400);
    createHotspot(*window, 100, 50, 150, 100, "L", "T", false);
    const int h = lastObject();
    // An earlier press far from the hotspot, on the picture, without moving.
    sim.MouseMove(onScreen(20, 250));
    drainEvents();
    sim.MouseClick();
    drainEvents();
    sim.KeyDown(WXK_ALT);
    drainEvents();
    drag({110, 60}, {{111, 60}});
    release();
    sim.KeyUp(WXK_ALT);
    drainEvents();
    EXPECT_EQ(objectAt(h), wxPoint(101, 50));
    EXPECT_EQ(coords(), "101,50,251,150;");
}

TEST_F(ExactOutput, AClickThenAPressAndDragAtOnceMovesTheHotspot) {
    putPicture(790, 400);
    createHotspot(*window, 100, 50, 150, 100, "L", "T", false);
    const int h = lastObject();
    sim.MouseMove(onScreen(150, 100));
    drainEvents();
    sim.MouseClick();
    // At once: the second press is part of a double click.
    sim.MouseDown();
    drainEvents();
    for (int x : {170, 190, 210}) {
        sim.MouseMove(onScreen(x, 120));
        drainEvents();
    }
    release();
    EXPECT_EQ(objectAt(h), wxPoint(160, 70));
    EXPECT_EQ(coords(), "160,70,310,170;");
}

// --- Copied code outlives the program -------------------------------------------

namespace {

const char* const kChildFlag = "HUIZHAN_CLIPBOARD_CHILD";

// Started as a program of its own by the test below: copies the code through the
// real code window, writes what it copied into the given file and exits.
class ClipboardChild : public HotspotWindowTest {};

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST_F(ClipboardChild, CopyCodeThenExit) {
    const char* out = std::getenv(kChildFlag);
    if (!out) GTEST_SKIP() << "runs only as the child of CopiedCodeOutlivesTheProgram";
    putPicture(790, 400, "http://img.example/banner.png");
    state->loadMode = 1;
    createHotspot(*window, 40, 60, 150, 100, "http://shop.example/1", "第一", false);
    std::string copied;
    wxTEST_DIALOG(pressButton(window->viewCodeButton), ExpectCodeWindow([&](CodeWindow& w) {
                      w.Show();
                      click(w.copyButton);
                      copied = toolkit::toUtf8(w.editor->GetText());
                  }),
                  ExpectMessage("代码已成功复制到剪辑板中，粘贴即可使用"));
    std::ofstream(out, std::ios::binary) << copied;
}

TEST(ClipboardKeeper, CopiedCodeOutlivesTheProgram) {
    if (std::getenv(kChildFlag)) GTEST_SKIP();
    // A clipboard keeper on the test display, as a desktop runs one.
    wxProcess keeper;
    keeper.Redirect();
    const long keeperPid = wxExecute(CLIPBOARD_KEEPER, wxEXEC_ASYNC, &keeper);
    ASSERT_GT(keeperPid, 0);
    wxTextInputStream keeperOut(*keeper.GetInputStream());
    ASSERT_TRUE(
        waitFor("the clipboard keeper to start", [&] { return keeper.IsInputAvailable(); }));
    ASSERT_EQ(keeperOut.ReadLine(), "ready");

    const std::string outFile = toolkit::toUtf8(wxFileName::CreateTempFileName("copied"));
    wxExecuteEnv env;
    wxGetEnvMap(&env.env);
    env.env[kChildFlag] = toolkit::fromUtf8(outFile);
    const wxString self = wxStandardPaths::Get().GetExecutablePath();
    const long rc = wxExecute(self + " --gtest_filter=ClipboardChild.CopyCodeThenExit",
                              wxEXEC_SYNC, nullptr, &env);
    EXPECT_EQ(rc, 0);
    const std::string copied = readFile(outFile);
    wxRemoveFile(toolkit::fromUtf8(outFile));
    ASSERT_NE(copied.find("coords=\"40,60,190,160\""), std::string::npos) << copied;

    // The program has gone; the keeper hands out what it copied, byte for byte.
    std::string pasted;
    FILE* p = popen("xclip -o -selection clipboard", "r");
    ASSERT_NE(p, nullptr);
    char buf[4096];
    for (size_t n; (n = fread(buf, 1, sizeof buf, p)) > 0;) pasted.append(buf, n);
    pclose(p);
    EXPECT_EQ(pasted, copied);

    wxProcess::Kill(keeperPid, wxSIGKILL);
}
