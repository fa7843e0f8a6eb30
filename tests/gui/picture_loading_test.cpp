#include <wx/button.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/filename.h>
#include <wx/panel.h>
#include <wx/progdlg.h>
#include <wx/statbox.h>
#include <wx/statusbr.h>
#include <wx/stdpaths.h>

#include <wx/log.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "../core/test_http_server.h"
#include "canvas/canvas_ctrl.h"
#include "forms/load_mode_dialog.h"
#include "gui_test.h"
#include "image/picture_install.h"
#include "load_dialog_expect.h"
#include "output/code_ui.h"

using namespace guitest;


namespace {

std::string fixturePath(const char* name) { return std::string(FIXTURE_DIR) + "/pictures/" + name; }

std::string fixtureBytes(const char* name) {
    std::ifstream in(fixturePath(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Answers the open-file dialog 通用对话框1 with a path (or cancels it), checking its settings.
class ExpectOpenFile : public wxExpectModalBase<wxFileDialog, ExpectOpenFile> {
public:
    explicit ExpectOpenFile(std::string path, bool cancel = false) : path_(std::move(path)), cancel_(cancel) {}

protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        EXPECT_EQ(s8(dialog->GetMessage()), "请选择图片文件");  // the title of a file dialog
        EXPECT_EQ(s8(dialog->GetName()), "通用对话框1");
        EXPECT_EQ(s8(dialog->GetWildcard()),
                  "所有图片文件(*.jpg;*.bmp;*.png;*.ico;*.gif)|*.jpg;*.bmp;*.png;*.ico;*.gif|"
                  "JPEG图片文件(*.jpg)|*.jpg|PNG图片文件(*.png)|*.png|位图文件(*.bmp)|*.bmp|"
                  "图标文件（*.ico）|*.ico|GIF动图文件（打开后为静态）|*.gif");
        EXPECT_EQ(dialog->GetFilterIndex(), 0);
        EXPECT_TRUE(dialog->HasFlag(wxFD_OPEN));
        EXPECT_FALSE(dialog->HasFlag(wxFD_SAVE));
        if (cancel_) return wxID_CANCEL;
        // GTK takes the path asynchronously.
        dialog->SetPath(u8(path_.c_str()));
        EXPECT_TRUE(waitFor("the file dialog to take the path",
                            [&] { return s8(dialog->GetPath()) == path_; }));
        return wxID_OK;
    }
    wxString GetDefaultDescription() const override { return "open-file dialog"; }

private:
    std::string path_;
    bool cancel_;
};

// What a refused picture must leave untouched.
struct Snapshot {
    std::string imagePath, lastPickedPath;
    Bytes imageData;
    int imageWidth, imageHeight, loadMode, pictureObject;
    size_t objects;
    bool loadEnabled;
    std::string pane1, pane3, pane5;
    int pane1Width;

    static Snapshot of(MainWindow& w) {
        const AppState& s = w.state;
        return {s.imagePath, s.lastPickedPath, s.imageData, s.imageWidth, s.imageHeight, s.loadMode,
                s.pictureObject, w.canvas->store().objects().size(), w.loadButton->IsEnabled(),
                s8(w.statusBar->GetStatusText(kPanePath)), s8(w.statusBar->GetStatusText(kPaneWidth)),
                s8(w.statusBar->GetStatusText(kPaneHeight)), w.statusWidth(kPanePath)};
    }
    bool operator==(const Snapshot& o) const {
        return imagePath == o.imagePath && lastPickedPath == o.lastPickedPath &&
               imageData == o.imageData && imageWidth == o.imageWidth &&
               imageHeight == o.imageHeight && loadMode == o.loadMode &&
               pictureObject == o.pictureObject && objects == o.objects &&
               loadEnabled == o.loadEnabled && pane1 == o.pane1 && pane3 == o.pane3 &&
               pane5 == o.pane5 && pane1Width == o.pane1Width;
    }
};

class PictureLoading : public MainWindowTest {
protected:
    void clickLoad() {
        wxCommandEvent click(wxEVT_BUTTON, window->loadButton->GetId());
        click.SetEventObject(window->loadButton);
        window->loadButton->ProcessWindowEvent(click);
    }
    void drop(std::vector<std::string> paths) {
        std::vector<wxString> files;
        for (const auto& p : paths) files.push_back(u8(p.c_str()));
        window->canvas->onFilesDropped(files);
    }
    std::string pane(StatusPane p) { return s8(window->statusBar->GetStatusText(p)); }
    void expectInstalled(const std::string& path, int w, int h) {
        EXPECT_EQ(state->imagePath, path);
        EXPECT_EQ(state->imageWidth, w);
        EXPECT_EQ(state->imageHeight, h);
        EXPECT_EQ(window->canvas->objectWidth(state->pictureObject), w);
        EXPECT_EQ(window->canvas->objectLeft(state->pictureObject), 0);
        EXPECT_EQ(window->canvas->objectTop(state->pictureObject), 0);
        EXPECT_EQ(pane(kPanePath), path);
        EXPECT_EQ(pane(kPaneWidth), std::to_string(w) + "(xp)");
        EXPECT_EQ(pane(kPaneHeight), std::to_string(h) + "(xp)");
        EXPECT_FALSE(window->loadButton->IsEnabled());
    }
    void TearDown() override {
        downloadLimits() = platform::DownloadLimits{};
        downloadProgressHook() = nullptr;
        MainWindowTest::TearDown();
    }
};

// ---- LoadModeDialog ---------------------------------------------------------------

TEST_F(PictureLoading, LoadModeDialogIsDrawnAsDesignedAndIgnoresEsc) {
    state->loadDialogCancelled = 1;
    auto* dialog = new LoadModeDialog(*state);
    EXPECT_EQ(state->loadDialogCancelled, 0);
    dialog->Show();
    ASSERT_TRUE(waitFor("the load dialog to show", [&] { return dialog->IsShownOnScreen(); }));
    EXPECT_EQ(dialog->GetSize(), wxSize(270, 72));
    EXPECT_FALSE(dialog->HasFlag(wxCAPTION));
    EXPECT_EQ(s8(dialog->GetTitle()), "加载方式");
    const wxColour green(128, 160, 128);
    EXPECT_EQ(dialog->backdrop->GetRect(), wxRect(0, 0, 300, 72));
    EXPECT_EQ(dialog->backdrop->GetBackgroundColour(), green);
    EXPECT_EQ(dialog->group->GetBackgroundColour(), green);
    EXPECT_EQ(s8(dialog->group->GetLabel()), "请选择加载图片方式");
    EXPECT_EQ(toolkit::designRect(dialog->group), wxRect(8, 5, 256, 58));
    const struct {
        wxButton* button;
        const char* name;
        const char* caption;
        wxRect rect;
    } buttons[] = {{dialog->networkButton, "按钮1", "网络图片", {9, 22, 77, 23}},
                   {dialog->localButton, "按钮2", "本地图片", {89, 22, 77, 23}},
                   {dialog->cancelButton, "按钮3", "取消", {169, 22, 77, 23}}};
    for (const auto& b : buttons) {
        EXPECT_EQ(find(dialog, b.name), b.button) << b.name;
        EXPECT_EQ(s8(b.button->GetLabel()), b.caption);
        EXPECT_EQ(toolkit::designRect(b.button), b.rect) << b.name;
    }
    // Centred on the screen.
    const wxRect screen = wxGetClientDisplayRect();
    EXPECT_NEAR(dialog->GetPosition().x, screen.x + (screen.width - 270) / 2, 1);

    wxKeyEvent esc(wxEVT_CHAR_HOOK);
    esc.m_keyCode = WXK_ESCAPE;
    esc.SetEventObject(dialog->localButton);
    dialog->localButton->ProcessWindowEvent(esc);
    drainEvents();
    EXPECT_TRUE(dialog->IsShown());
    EXPECT_EQ(state->loadDialogCancelled, 0);
    dialog->Destroy();
}

TEST_F(PictureLoading, CancelInLoadModeDialogChangesNothing) {
    state->loadMode = 1;
    const Snapshot before = Snapshot::of(*window);
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮3"));
    EXPECT_EQ(state->loadDialogCancelled, 1);
    EXPECT_TRUE(Snapshot::of(*window) == before);
}

TEST_F(PictureLoading, NetworkChoiceAsksForTheAddressAndKeepsTheMode) {
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮1"),
                  ExpectInput("图片地址", "", true, "请在下方输入网络图片地址"));
    EXPECT_EQ(ExpectInput::lastInitial(), "http://");
    EXPECT_EQ(state->loadMode, 1);
    EXPECT_EQ(state->loadDialogCancelled, 0);
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_TRUE(window->loadButton->IsEnabled());
}

// ---- Local pictures -------------------------------------------------------------

TEST_F(PictureLoading, LocalChoiceOpensTheFileDialogAndInstalls) {
    state->loadMode = 1;
    const std::string path = fixturePath("good_790x300.png");
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮2"), ExpectOpenFile(path));
    EXPECT_EQ(state->loadMode, 0);
    EXPECT_EQ(state->pictureObject, 1);
    EXPECT_EQ(state->lastPickedPath, path);
    EXPECT_EQ(state->imageData.size(), fixtureBytes("good_790x300.png").size());
    expectInstalled(path, 790, 300);
    EXPECT_EQ(window->statusWidth(kPanePath), 6 * static_cast<int>(path.size()) + 25);
    EXPECT_EQ(window->statusBar->GetStatusWidth(kPanePath), 6 * static_cast<int>(path.size()) + 25);
    EXPECT_TRUE(waitFor("the canvas to take the focus",
                        [&] { return wxWindow::FindFocus() == window->canvas; }));
    screenshot(window, "picture_loaded.png");
}

TEST_F(PictureLoading, CancelledFileDialogKeepsOnlyTheModeChoice) {
    state->loadMode = 1;
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮2"), ExpectOpenFile("", true));
    EXPECT_EQ(state->loadMode, 0);
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_TRUE(state->imagePath.empty());
    EXPECT_TRUE(window->loadButton->IsEnabled());
}

TEST_F(PictureLoading, FileDialogFolderFirstUseThenTheLastPick) {
    const wxString desktop = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop);
    EXPECT_EQ(openDialogFolder(""), desktop);  // no "C:\Documents and Settings" here
    const std::string dir = std::string(FIXTURE_DIR) + "/pictures";
    EXPECT_EQ(s8(openDialogFolder(dir + "/good_790x300.png")), dir);
    EXPECT_EQ(s8(openDialogFolder(dir)), dir);
    EXPECT_EQ(openDialogFolder("http://a.com/x.png"), desktop);
}

// A path of 40 GBK bytes (44 in UTF-8) makes pane 1 6 x 40 + 25 = 265 pixels wide.
TEST_F(PictureLoading, PanePathWidthCountsGbkBytes) {
    const std::string path = "/tmp/热点图片_" + std::string(22, 'x') + ".png";
    ASSERT_EQ(path.size(), 44u);
    ASSERT_TRUE(wxCopyFile(u8(fixturePath("good_790x300.png").c_str()), u8(path.c_str())));
    drop({path});
    EXPECT_EQ(window->statusWidth(kPanePath), 265);
    EXPECT_EQ(window->statusBar->GetStatusWidth(kPanePath), 265);
    EXPECT_EQ(pane(kPanePath), path);
    wxRemoveFile(u8(path.c_str()));
}

// ---- Drops ---------------------------------------------------------------------------

TEST_F(PictureLoading, DropInstallsOnTopAndKeepsWhatWasThere) {
    state->loadMode = 1;
    drop({fixturePath("good_790x300.png")});
    EXPECT_EQ(state->loadMode, 0);
    EXPECT_EQ(state->lastPickedPath, "");  // a drop does not change it
    expectInstalled(fixturePath("good_790x300.png"), 790, 300);
    const int first = state->pictureObject;
    const int standIn = window->canvas->createObject(10, 10);  // where a hotspot would be

    // Two files at once: the first is taken, appended last and drawn on top.
    drop({fixturePath("anim.gif"), fixturePath("multi.ico")});
    expectInstalled(fixturePath("anim.gif"), 40, 30);
    const auto& objects = window->canvas->store().objects();
    ASSERT_EQ(objects.size(), 3u);
    EXPECT_EQ(objects[0].id, first);
    EXPECT_EQ(objects[1].id, standIn);
    EXPECT_EQ(objects[2].id, state->pictureObject);
    EXPECT_EQ(window->canvas->store().hitTest(5, 5), state->pictureObject);
}

// A phone photo stored sideways with EXIF orientation 6 (red, green / blue,
// yellow when stored, 64 x 32): shown turned a quarter clockwise, 32 x 64, as
// browsers show it, and the code's size follows.
TEST_F(PictureLoading, ExifRotatedJpegShowsUpright) {
    const std::string path = fixturePath("exif/orientation6.jpg");
    drop({path});
    expectInstalled(path, 32, 64);
    const std::string code = generateMapCode(*window, MapVariant::code);
    EXPECT_NE(code.find("width=\"32\" height=\"64\""), std::string::npos) << code;
    // What X shows at the canvas's quadrants: blue top left, red top right, yellow
    // bottom left, green bottom right.
    const auto shown = [&] {
        const wxPoint at = window->canvas->ClientToScreen(wxPoint(0, 0));
        const std::string shot = std::string(SCREENSHOT_DIR) + "/exif_upright.png";
        if (!wxDirExists(SCREENSHOT_DIR)) wxMkdir(SCREENSHOT_DIR);
        const std::string cmd = "import -window root -crop 32x64+" + std::to_string(at.x) + "+" +
                                std::to_string(at.y) + " +repage " + shot;
        if (std::system(cmd.c_str()) != 0) return std::string("(no import)");
        wxLogNull quiet;
        const wxImage img(u8(shot.c_str()), wxBITMAP_TYPE_PNG);
        if (!img.IsOk() || img.GetWidth() < 32 || img.GetHeight() < 64) return std::string("(no picture)");
        std::string q;
        for (const wxPoint p : {wxPoint(8, 16), wxPoint(24, 16), wxPoint(8, 48), wxPoint(24, 48)}) {
            const int r = img.GetRed(p.x, p.y), g = img.GetGreen(p.x, p.y);
            q += r > 150 && g > 150 ? 'Y' : r > 150 ? 'R' : g > 150 ? 'G' : 'B';
        }
        return q;
    };
    std::string last;
    EXPECT_TRUE(waitFor(
        "the canvas to show the picture upright", [&] { return (last = shown()) == "BRYG"; }, 5000))
        << "the canvas shows " << last;
}

struct PictureCase {
    const char* file;
    const char* message;  // null: the picture loads with this size
    int width, height;
};

class BadPictures : public PictureLoading, public ::testing::WithParamInterface<PictureCase> {};

// Each file is dropped over a loaded picture: a refused one leaves everything as it was.
TEST_P(BadPictures, GiveTheirMessageOrTheirSize) {
    drop({fixturePath("good_790x300.png")});
    const Snapshot before = Snapshot::of(*window);
    const PictureCase& c = GetParam();
    const std::string path = c.file[0] == '/' ? c.file : fixturePath(c.file);
    if (c.message) {
        wxTEST_DIALOG(drop({path}), ExpectMessage(c.message));
        EXPECT_TRUE(Snapshot::of(*window) == before);
    } else {
        drop({path});
        expectInstalled(path, c.width, c.height);
    }
}

const PictureCase kPictureCases[] = {
    {"empty.png", "图片读取失败，图片数据为空", 0, 0},
    {"truncated.png", "图片读取失败，图片文件已损坏或不完整", 0, 0},
    {"truncated_header.jpg", "图片读取失败，图片文件已损坏或不完整", 0, 0},
    {"text.jpg", "图片读取失败，无法识别的图片格式", 0, 0},
    {"huge_100000x100000.png", "图片过大（100000×100000 像素），无法载入", 0, 0},
    {"/nonexistent/x.png", "图片读取失败，无法打开文件：/nonexistent/x.png", 0, 0},
    {"corrupt_codes.gif", "图片读取失败，图片文件已损坏或不完整", 0, 0},
    {"cut_frame.gif", "图片读取失败，图片文件已损坏或不完整", 0, 0},
    {"truncated.jpg", nullptr, 64, 48},  // libjpeg shows what arrived
    {"anim.gif", nullptr, 40, 30},
    {"multi.ico", nullptr, 48, 48},
    {"noise.jpg", nullptr, 64, 48},
};

INSTANTIATE_TEST_SUITE_P(Files, BadPictures, ::testing::ValuesIn(kPictureCases), [](const auto& tc) {
    std::string n = tc.param.file;
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

TEST_F(PictureLoading, InstallPictureRefusesUndecodableStateBytes) {
    drop({fixturePath("good_790x300.png")});
    const int object = state->pictureObject;
    state->imageData = Bytes{'n', 'o', 'p', 'e'};
    bool installed = true;
    wxTEST_DIALOG(installed = installPicture(*window), ExpectMessage("图片读取失败，无法识别的图片格式"));
    EXPECT_FALSE(installed);
    EXPECT_EQ(state->pictureObject, object);
    EXPECT_EQ(state->imageWidth, 790);
    EXPECT_EQ(window->canvas->store().objects().size(), 1u);
}

// ---- Network pictures -------------------------------------------------------------

class NetworkPictures : public PictureLoading {
protected:
    testhttp::Server server;
    std::string png = fixtureBytes("good_790x300.png");

    void load(const std::string& typed) {
        wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮1"),
                      ExpectInput("图片地址", typed.c_str(), false, "请在下方输入网络图片地址"));
    }
    void loadRefused(const std::string& typed, const char* message) {
        const Snapshot before = Snapshot::of(*window);
        wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮1"),
                      ExpectInput("图片地址", typed.c_str(), false, "请在下方输入网络图片地址"),
                      ExpectMessage(message));
        Snapshot after = Snapshot::of(*window);
        after.loadMode = before.loadMode;  // the dialog's choice is kept, as always
        EXPECT_TRUE(after == before) << typed;
        EXPECT_EQ(state->loadMode, 1);
    }
};

TEST_F(NetworkPictures, GoodPictureIsDownloadedAndInstalled) {
    server.route("/shop/a.png", {testhttp::response(200, png)});
    const std::string typed = server.url("/shop/a.png");
    load(typed);
    expectInstalled(typed, 790, 300);
    EXPECT_EQ(state->lastPickedPath, typed);
    EXPECT_EQ(state->loadMode, 1);
    EXPECT_EQ(state->imageData.size(), png.size());
    EXPECT_TRUE(waitFor("the canvas to take the focus",
                        [&] { return wxWindow::FindFocus() == window->canvas; }));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_NE(server.requests()[0].find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"),
              std::string::npos);
}

TEST_F(NetworkPictures, UpperCaseAddressIsKeptAsTyped) {
    server.route("/SHOP/A.PNG", {testhttp::response(200, png)});
    const std::string typed = "HTTP://127.0.0.1:" + server.base().substr(17) + "/SHOP/A.PNG";
    load(typed);
    expectInstalled(typed, 790, 300);
}

TEST_F(NetworkPictures, RedirectIsFollowed) {
    server.route("/old.png", {testhttp::redirect("/new.png")});
    server.route("/new.png", {testhttp::response(200, png)});
    load(server.url("/old.png"));
    expectInstalled(server.url("/old.png"), 790, 300);
}

TEST_F(NetworkPictures, FailuresAreReportedAndChangeNothing) {
    downloadLimits().stallSeconds = 1;
    server.route("/missing.png", {testhttp::response(404, "<html>no</html>", "text/html")});
    server.route("/page.png", {testhttp::response(200, "<html><body>login</body></html>", "text/html")});
    server.route("/slow.png", {"", true});
    server.route("/cut.png", {"HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + png.substr(0, 100)});
    const struct {
        std::string typed;
        const char* message;
    } cases[] = {
        {"", "网络图片地址不能为空"},
        {"http://", "网络图片地址不能为空"},
        {" " + server.url("/a.png"), "网络图片地址不正确，无法读入图片 请以  http:// 开头"},
        {server.url("/a.jpeg"), "网络图片地址不正确，无法读入图片"},
        {server.url("/a.png?x=1"), "网络图片地址不正确，无法读入图片"},
        {server.url("/missing.png"), "网络图片下载失败（HTTP 404）"},
        {server.url("/page.png"), "图片读取失败，无法识别的图片格式"},
        {server.url("/slow.png"), "网络图片下载失败，服务器 1 秒没有响应"},
        {server.url("/cut.png"), "网络图片下载失败，数据没有传输完整"},
    };
    for (const auto& c : cases) loadRefused(c.typed, c.message);
    EXPECT_EQ(server.requests().size(), 4u);  // the refused addresses never went out
}

// The progress box counts the bytes as they come; its Cancel button stops the
// download at once, without a message, and nothing changes.
TEST_F(NetworkPictures, ProgressBoxShowsBytesAndCancels) {
    server.route("/slow.png", {"HTTP/1.0 200 OK\r\nContent-Length: 5000\r\n\r\n" + png.substr(0, 100), true});
    const std::string typed = server.url("/slow.png");
    std::string shown;
    bool pressed = false;
    downloadProgressHook() = [&](wxProgressDialog& box) {
        shown = s8(box.GetMessage());
        if (pressed || shown.find("已收到 100 字节") == std::string::npos) return;
        wxWindow* cancel = box.FindWindow(wxID_CANCEL);
        ASSERT_TRUE(cancel);
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(cancel);
        cancel->ProcessWindowEvent(click);
        pressed = true;
    };
    load(typed);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(shown, "正在下载网络图片：" + typed + "\n已收到 100 字节");
    EXPECT_EQ(state->pictureObject, 0);
    EXPECT_TRUE(state->imagePath.empty());
    EXPECT_TRUE(window->loadButton->IsEnabled());
}

}  // namespace
