// Pictures and servers that mean harm, through the real window: hostile files
// dropped over a loaded picture with hotspots, the busy box of a long decode,
// drops while a dialog is open, file names from other systems, hostile servers.
#include <wx/button.h>
#include <wx/display.h>
#include <wx/filedlg.h>
#include <wx/filefn.h>
#include <wx/progdlg.h>
#include <wx/statusbr.h>

#include <fstream>
#include <iterator>

#include "../core/test_http_server.h"
#include "canvas/canvas_ctrl.h"
#include "gui_test.h"
#include "image/decode_wait.h"
#include "image/picture_install.h"
#include "load_dialog_expect.h"
#include "toolkit/file_filter.h"

using namespace guitest;

namespace {

std::string fixture(const std::string& name) { return std::string(FIXTURE_DIR) + "/" + name; }

std::string fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Everything a refused picture must leave as it was, hotspots included.
struct Everything {
    std::string imagePath, lastPickedPath;
    Bytes imageData;
    int imageWidth, imageHeight, loadMode, pictureObject;
    std::vector<std::pair<int, wxPoint>> objects;
    int hotspots;
    bool loadEnabled;
    std::string pane1, pane3, pane5;

    static Everything of(MainWindow& w) {
        const AppState& s = w.state;
        Everything e{s.imagePath, s.lastPickedPath, s.imageData, s.imageWidth, s.imageHeight, s.loadMode,
                     s.pictureObject, {}, w.hotspots.hotspotCount(), w.loadButton->IsEnabled(),
                     s8(w.statusBar->GetStatusText(kPanePath)), s8(w.statusBar->GetStatusText(kPaneWidth)),
                     s8(w.statusBar->GetStatusText(kPaneHeight))};
        for (const CanvasObject& o : w.canvas->store().objects())
            e.objects.emplace_back(o.id, wxPoint(static_cast<int>(o.x), static_cast<int>(o.y)));
        return e;
    }
    bool operator==(const Everything& o) const {
        return imagePath == o.imagePath && lastPickedPath == o.lastPickedPath && imageData == o.imageData &&
               imageWidth == o.imageWidth && imageHeight == o.imageHeight && loadMode == o.loadMode &&
               pictureObject == o.pictureObject && objects == o.objects && hotspots == o.hotspots &&
               loadEnabled == o.loadEnabled && pane1 == o.pane1 && pane3 == o.pane3 && pane5 == o.pane5;
    }
};

class UntrustedPictures : public MainWindowTest {
public:
    void drop(const std::string& path) { window->canvas->onFilesDropped({wxString::FromUTF8(path)}); }

protected:
    void clickLoad() { pressButton(window->loadButton); }
    // A real picture, installed by a drop, and two hotspots on it.
    void loadPictureWithHotspots() {
        drop(fixture("pictures/good_790x300.png"));
        ASSERT_EQ(state->imageWidth, 790);
        pressButton(window->fixedHotspotButton);
        pressButton(window->fixedHotspotButton);
        ASSERT_EQ(window->hotspots.hotspotCount(), 2);
    }
    void TearDown() override {
        decodeBusyHook() = nullptr;
        pictureLimits() = DecodeLimits{};
        downloadLimits() = platform::DownloadLimits{};
        downloadProgressHook() = nullptr;
        MainWindowTest::TearDown();
    }
};

struct HostileCase {
    const char* file;
    const char* message;
};

class HostileDrop : public UntrustedPictures, public ::testing::WithParamInterface<HostileCase> {};

TEST_P(HostileDrop, GivesAMessageAndChangesNothing) {
    loadPictureWithHotspots();
    const Everything before = Everything::of(*window);
    wxTEST_DIALOG(drop(fixture(GetParam().file)), ExpectMessage(GetParam().message));
    EXPECT_TRUE(Everything::of(*window) == before);
}

constexpr const char* kDamaged = "图片读取失败，图片文件已损坏或不完整";

const HostileCase kHostile[] = {
    {"hostile/gif_hidden_frame_codesize13.gif", kDamaged},
    {"hostile/gif_fuzz_a.gif", kDamaged},
    {"hostile/bmp8_pixels_inside_colour_table.bmp", kDamaged},
    {"hostile/gif_fuzz_b.gif", kDamaged},
    {"hostile/jpeg_ff00_hides_20000x20000_sof.jpg", "图片过大（20000×20000 像素），无法载入"},
    {"hostile/prog_14142_444.jpg",
     "图片过大（14142×14142 像素，解码需要 1721 MB 内存，超过 1024 MB 的上限），无法载入"},
    {"hostile/png_chunk_len_2g_slow.png", kDamaged},
    {"pictures/huge_100000x100000.png", "图片过大（100000×100000 像素），无法载入"},
    {"pictures/corrupt_codes.gif", kDamaged},
    {"pictures/cut_frame.gif", kDamaged},
};

INSTANTIATE_TEST_SUITE_P(Fixtures, HostileDrop, ::testing::ValuesIn(kHostile), [](const auto& tc) {
    std::string n = tc.param.file;
    n = n.substr(n.find('/') + 1);
    for (char& ch : n)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
});

// The RGBA bomb fits the budget (800 MB) and takes seconds: the busy box comes,
// the window keeps painting, and Cancel stops the decode without a word.
TEST_F(UntrustedPictures, LongDecodeShowsTheBusyBoxAndCancelChangesNothing) {
    loadPictureWithHotspots();
    const Everything before = Everything::of(*window);
    int paints = 0;
    window->canvas->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    window->canvas->Refresh();
    std::string title, message, cancelLabel;
    bool mainEnabled = true;
    int paintsBeforeBox = -1;
    decodeBusyHook() = [&](wxProgressDialog& box) {
        if (!title.empty()) return;
        title = s8(box.GetTitle());
        message = s8(box.GetMessage());
        mainEnabled = window->IsEnabled();
        paintsBeforeBox = paints;
        wxWindow* cancel = box.FindWindow(wxID_CANCEL);
        ASSERT_TRUE(cancel);
        cancelLabel = s8(static_cast<wxButton*>(cancel)->GetLabelText());
        screenshot(&box, "busy_box.png");
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(cancel);
        cancel->ProcessWindowEvent(click);
    };
    drop(fixture("hostile/bomb_rgba_14142.png"));  // no message box expected: a cancel needs none
    EXPECT_EQ(title, "载入图片");
    EXPECT_EQ(message, "正在解码图片，请稍候……");
    EXPECT_NE(cancelLabel.find("取消"), std::string::npos) << cancelLabel;
    EXPECT_FALSE(mainEnabled);
    EXPECT_GT(paintsBeforeBox, 0);
    EXPECT_TRUE(Everything::of(*window) == before);
    EXPECT_TRUE(window->IsEnabled());
}

// Within a smaller budget the same file is refused before any pixel is allocated.
TEST_F(UntrustedPictures, BudgetRefusalGivesThePicturesSize) {
    loadPictureWithHotspots();
    pictureLimits().budgetBytes = 512LL << 20;
    const Everything before = Everything::of(*window);
    wxTEST_DIALOG(drop(fixture("hostile/bomb_rgba_14142.png")),
                  ExpectMessage("图片过大（14142×14142 像素，解码需要 764 MB 内存，超过 512 MB 的上限），无法载入"));
    EXPECT_TRUE(Everything::of(*window) == before);
}

// A drop while the load-mode dialog is open would install a picture behind it.
TEST_F(UntrustedPictures, DropDuringTheLoadModeDialogIsRefused) {
    const Everything before = Everything::of(*window);
    wxTEST_DIALOG(clickLoad(),
                  ChooseLoadMode("按钮3", [&] { drop(fixture("pictures/good_790x300.png")); }));
    EXPECT_TRUE(Everything::of(*window) == before);
    // Once the dialog is gone, drops are taken again.
    drop(fixture("pictures/good_790x300.png"));
    EXPECT_EQ(state->imageWidth, 790);
}

TEST_F(UntrustedPictures, DropDuringAMessageBoxIsRefused) {
    loadPictureWithHotspots();
    const int picture = state->pictureObject;
    class DropMeanwhile : public ExpectMessage {
    public:
        DropMeanwhile(UntrustedPictures* t) : ExpectMessage(kDamaged), t_(t) {}

    protected:
        int OnInvoked(wxMessageDialog* box) const override {
            t_->drop(fixture("pictures/anim.gif"));
            return ExpectMessage::OnInvoked(box);
        }

    private:
        UntrustedPictures* t_;
    };
    wxTEST_DIALOG(drop(fixture("pictures/cut_frame.gif")), DropMeanwhile(this));
    EXPECT_EQ(state->pictureObject, picture);
    EXPECT_EQ(state->imageWidth, 790);
}

// Answers the open-file dialog by cancelling, after checking which names its filters list.
class ExpectFiltersInAnyCase : public wxExpectModalBase<wxFileDialog, ExpectFiltersInAnyCase> {
protected:
    int OnInvoked(wxFileDialog* dialog) const override {
        const struct {
            int filter;
            const char* name;
            bool listed;
        } cases[] = {
            {0, "IMG_0001.JPG", true}, {0, "a.Png", true},  {0, "b.GIF", true},     {0, "c.txt", false},
            {1, "IMG_0001.JPG", true}, {1, "x.jpg", true},  {1, "x.png", false},    {2, "SHOP.PNG", true},
            {3, "OLD.BMP", true},      {4, "APP.ICO", true}, {5, "Anim.Gif", true}, {5, "anim.jpg", false},
        };
        for (const auto& c : cases)
            EXPECT_EQ(toolkit::filterListsFile(*dialog, c.filter, c.name), c.listed) << c.filter << " " << c.name;
        EXPECT_EQ(dialog->GetFilterIndex(), 0);
        return wxID_CANCEL;
    }
    wxString GetDefaultDescription() const override { return "open-file dialog"; }
};

TEST_F(UntrustedPictures, OpenFileFiltersMatchExtensionsInAnyCase) {
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮2"), ExpectFiltersInAnyCase());
    EXPECT_EQ(state->pictureObject, 0);
}

// GBK bytes in a file name (a Windows archive unpacked here): shown as the
// characters they are, the pane as wide as the name's GBK bytes.
TEST_F(UntrustedPictures, GbkFileNameIsShownAndCounted) {
    const std::string gbkName = "\xC8\xC8\xB5\xE3\xCD\xBC\xC6\xAC";  // 热点图片
    const std::string raw = "/tmp/" + gbkName + ".png";
    {
        std::ofstream out(raw, std::ios::binary);
        out << fileBytes(fixture("pictures/good_790x300.png"));
    }
    // The name as GTK hands a dropped file to wx.
    const wxString path(raw.c_str(), *wxConvFileName);
    ASSERT_EQ(std::string(path.fn_str().data()), raw);
    window->canvas->onFilesDropped({path});
    EXPECT_EQ(state->imagePath, "/tmp/热点图片.png");
    EXPECT_EQ(s8(window->statusBar->GetStatusText(kPanePath)), "/tmp/热点图片.png");
    EXPECT_EQ(window->statusWidth(kPanePath), 6 * static_cast<int>(raw.size()) + 25);
    EXPECT_EQ(state->imageWidth, 790);
    std::remove(raw.c_str());
}

// ---- Hostile servers ------------------------------------------------------------

class HostileServers : public UntrustedPictures {
protected:
    testhttp::Server server;
    void loadRefused(const std::string& address, const char* message) {
        const Everything before = Everything::of(*window);
        wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮1"),
                      ExpectInput("图片地址", address.c_str(), false, "请在下方输入网络图片地址"),
                      ExpectMessage(message));
        Everything after = Everything::of(*window);
        after.loadMode = before.loadMode;  // the dialog's choice is kept, as always
        EXPECT_TRUE(after == before) << address;
    }
};

TEST_F(HostileServers, TricklingAndCutRepliesAreFailures) {
    loadPictureWithHotspots();
    downloadLimits().stallSeconds = 2;
    downloadLimits().slowSeconds = 1;
    server.route("/trickle.png", {"HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n", false, 500});
    server.route("/cut.png", {"HTTP/1.0 200 OK\r\nContent-Ty"});
    server.route("/gif.png", {testhttp::response(200, fileBytes(fixture("hostile/gif_hidden_frame_codesize13.gif")))});
    loadRefused(server.url("/trickle.png"), "网络图片下载失败，服务器传输过慢（1 秒内平均每秒不到 1 KB）");
    loadRefused(server.url("/cut.png"), "网络图片下载失败，数据没有传输完整");
    // The hostile GIF under an address ending in .png: the format is the bytes'.
    loadRefused(server.url("/gif.png"), kDamaged);
}

// A 3000-character address: the progress box keeps its Cancel button on the screen.
TEST_F(HostileServers, LongAddressKeepsTheProgressBoxOnTheScreen) {
    const std::string path = "/" + std::string(3000, 'a') + ".png";
    server.route(path, {"", true});
    const wxRect screen = wxDisplay(0u).GetClientArea();
    wxRect boxRect, cancelRect;
    std::string shown;
    downloadProgressHook() = [&](wxProgressDialog& box) {
        if (!shown.empty()) return;
        shown = s8(box.GetMessage());
        boxRect = box.GetScreenRect();
        wxWindow* cancel = box.FindWindow(wxID_CANCEL);
        ASSERT_TRUE(cancel);
        cancelRect = cancel->GetScreenRect();
        screenshot(&box, "progress_long_address.png");
        wxCommandEvent click(wxEVT_BUTTON, wxID_CANCEL);
        click.SetEventObject(cancel);
        cancel->ProcessWindowEvent(click);
    };
    wxTEST_DIALOG(clickLoad(), ChooseLoadMode("按钮1"),
                  ExpectInput("图片地址", server.url(path).c_str(), false, "请在下方输入网络图片地址"));
    EXPECT_NE(shown.find("…"), std::string::npos);
    EXPECT_LT(shown.size(), 300u);
    EXPECT_TRUE(screen.Contains(boxRect)) << boxRect.width;
    EXPECT_TRUE(screen.Contains(cancelRect));
    EXPECT_EQ(state->pictureObject, 0);
}

}  // namespace
