// 预览 through the real window and the real browser engine: the preview files, the
// page as it loads and shows, hotspot links, the address box and the buttons, the
// three ways to close, and where the files go when the program's folder is closed.
#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/image.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>
#include <wx/webview.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "canvas/canvas_ctrl.h"
#include "core/preview_document.h"
#include "core/preview_files.h"
#include "forms/preview_window.h"
#include "gui_test.h"
#include "hotspots/hotspot_ops.h"
#include "platform/files.h"
#include "toolkit/load_progress.h"

using namespace guitest;
namespace fs = std::filesystem;

namespace {

const char* const kLoaded = "加载已完成";
const int kLoadTimeoutMs = 60000;  // the engine starts its helper processes first

std::string readAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string text(wxWindow* w) {
    if (auto* box = dynamic_cast<wxTextCtrl*>(w)) return s8(box->GetValue());
    return s8(w->GetLabel());
}

bool loaded(PreviewWindow& w) { return text(w.progressLabel) == kLoaded; }

wxColour pixelAt(const wxImage& image, int x, int y) {
    return wxColour(image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y));
}

// Waits until the browser, as X shows it, has `colour` at `at`; the engine paints
// a little after the load has finished. `shot` receives the last screenshot.
bool browserShows(PreviewWindow& w, wxPoint at, const wxColour& colour, const std::string& name,
                  wxImage* shot = nullptr) {
    wxImage last;
    const bool shown = waitFor("the browser to show the colour", [&] {
        w.Raise();
        last = wxImage(toolkit::fromUtf8(screenshot(w.browser, name)), wxBITMAP_TYPE_PNG);
        return last.IsOk() && pixelAt(last, at.x, at.y) == colour;
    });
    if (shot) *shot = last;
    return shown;
}

class Preview : public MainWindowTest {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("preview-" + std::to_string(std::random_device{}()));
        fs::create_directories(root / "run");
        fs::create_directories(root / "pictures");
        std::ofstream(root / "blocked") << "not a directory";
        preview::setRunDirectoryOverride((root / "run").string());
        MainWindowTest::SetUp();
    }
    void TearDown() override {
        MainWindowTest::TearDown();
        preview::setRunDirectoryOverride("");
        fs::remove_all(root);
    }

    // A 300 x 200 picture of one colour, dropped on the canvas as a user would.
    void dropPicture(const std::string& name, const wxColour& colour = wxColour(200, 40, 60)) {
        const fs::path path = root / "pictures" / name;
        wxImage picture(300, 200);
        picture.SetRGB(wxRect(0, 0, 300, 200), colour.Red(), colour.Green(), colour.Blue());
        ASSERT_TRUE(picture.SaveFile(toolkit::fromUtf8(path.string()), wxBITMAP_TYPE_PNG));
        window->canvas->onFilesDropped({toolkit::fromUtf8(path.string())});
        ASSERT_TRUE(waitFor("the dropped picture to be installed",
                            [&] { return state->pictureObject != 0; }));
        ASSERT_EQ(state->imageWidth, 300);
        ASSERT_FALSE(state->imageData.empty());
    }
    // A small local page to navigate to; returns its path.
    std::string page(const std::string& name, const std::string& body) {
        const fs::path path = root / name;
        std::ofstream(path, std::ios::binary) << "<html><body>" << body << "</body></html>";
        return path.string();
    }
    fs::path cache() const { return root / "run" / "Cache"; }
    size_t cacheEntries(const fs::path& dir) const {
        return fs::is_directory(dir) ? std::distance(fs::directory_iterator(dir), {}) : 0;
    }
    void expectMainWindowBack() {
        EXPECT_TRUE(
            waitFor("the main window to be shown again", [&] { return window->IsShown(); }));
        wxWindow* focus = wxWindow::FindFocus();
        EXPECT_TRUE(focus && wxGetTopLevelParent(focus) == window);
    }

    fs::path root;
    wxUIActionSimulator sim;
};

TEST_F(Preview, LocalPictureWritesBothFilesShowsThePageAndCancelCleansUp) {
    // A name that needs percent-encoding in the page.
    const std::string name = "横幅 #1.png";
    dropPicture(name);
    // 镕 is not in GB2312: the tip still reaches the page whole. Legacy entity names
    // without ";" reach the engine as typed.
    createHotspot(*window, 10, 20, 150, 100, "http://shop.example/a?id=5&copy", "新品上市镕&reg_",
                  false);

    DriveModal<PreviewWindow> drive([&](PreviewWindow& w) {
        EXPECT_FALSE(window->IsShown());
        // Both files beside each other while the preview is open.
        const fs::path doc = cache() / "Temporary.html";
        EXPECT_EQ(readAll(doc), state->previewDocumentText);
        EXPECT_EQ(readAll(cache() / name),
                  std::string(state->imageData.begin(), state->imageData.end()));
        EXPECT_NE(state->previewDocumentText.find(
                      "<img src=\"%E6%A8%AA%E5%B9%85%20%231.png\" width=\"300\" height=\"200\""),
                  std::string::npos);
        EXPECT_NE(state->previewDocumentText.find("alt=\"新品上市镕&amp;reg_\""),
                  std::string::npos);
        EXPECT_EQ(state->previewDocumentPath, doc.string());

        ASSERT_TRUE(waitFor(
            "the preview document to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        EXPECT_EQ(w.progressBar->GetValue(), 100);
        EXPECT_EQ(text(w.addressBox), "当前为预览文档");
        EXPECT_EQ(s8(w.browser->GetCurrentURL()), preview::fileUrl(doc.string()));
        // The engine read the page as UTF-8 and found the picture by its encoded name.
        wxString alt, href, width;
        EXPECT_TRUE(w.browser->RunScript("document.getElementsByTagName('area')[0].alt", &alt));
        EXPECT_EQ(s8(alt), "新品上市镕&reg_");
        EXPECT_TRUE(w.browser->RunScript(
            "document.getElementsByTagName('area')[0].getAttribute('href')", &href));
        EXPECT_EQ(s8(href), "http://shop.example/a?id=5&copy");
        EXPECT_TRUE(w.browser->RunScript("document.images[0].naturalWidth", &width));
        EXPECT_EQ(s8(width), "300");

        // The picture shows at the body's 8-pixel margin, the page around it.
        wxImage shot;
        ASSERT_TRUE(
            browserShows(w, {8 + 150, 8 + 100}, wxColour(200, 40, 60), "preview_local.png", &shot));
        EXPECT_EQ(pixelAt(shot, 8 + 1, 8 + 1), wxColour(200, 40, 60));
        EXPECT_EQ(pixelAt(shot, 8 + 298, 8 + 198), wxColour(200, 40, 60));
        EXPECT_EQ(pixelAt(shot, 8 + 320, 8 + 100), wxColour(255, 255, 255));
        EXPECT_EQ(pixelAt(shot, 8 + 150, 8 + 215), wxColour(255, 255, 255));
        pressButton(w.cancelButton);
        EXPECT_FALSE(w.IsShown());
    });
    pressButton(window->previewButton);
    EXPECT_EQ(drive.runs(), 1);
    EXPECT_FALSE(fs::exists(cache() / "Temporary.html"));
    EXPECT_FALSE(fs::exists(cache() / name));
    EXPECT_TRUE(fs::is_directory(cache()));  // Cache itself stays
    expectMainWindowBack();
}

TEST_F(Preview, HotspotClickTypedAddressBackForwardAndEsc) {
    dropPicture("banner.png");
    const std::string target = preview::fileUrl(page("target.html", "hotspot target"));
    const std::string other = page("other page.html", "typed address");
    createHotspot(*window, 40, 30, 150, 100, target, "去看看", false);

    DriveModal<PreviewWindow> drive([&](PreviewWindow& w) {
        ASSERT_TRUE(waitFor(
            "the preview document to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        ASSERT_EQ(text(w.addressBox), "当前为预览文档");
        // Show the page, then click inside the hotspot's area.
        ASSERT_TRUE(browserShows(w, {8 + 100, 8 + 80}, wxColour(200, 40, 60), "preview_click.png"));
        // Every progress notification of the next load, with the label as it reads then.
        std::vector<std::pair<int, std::string>> progress;
        toolkit::LoadProgressWatch watch(
            w.browser, [&](int percent) { progress.emplace_back(percent, text(w.progressLabel)); });
        sim.MouseMove(w.browser->ClientToScreen(wxPoint(8 + 40 + 75, 8 + 30 + 50)));
        drainEvents();
        sim.MouseClick();
        ASSERT_TRUE(waitFor(
            "the address box to show the clicked link",
            [&] { return text(w.addressBox) == target; }, kLoadTimeoutMs));
        ASSERT_TRUE(waitFor(
            "the clicked link to load",
            [&] { return loaded(w) && s8(w.browser->GetCurrentURL()) == target; }, kLoadTimeoutMs));
        ASSERT_GE(progress.size(), 2u);
        EXPECT_LT(progress.front().first, 100);
        EXPECT_EQ(progress.front().second,
                  "已加载：" + std::to_string(progress.front().first) + "%");
        EXPECT_EQ(progress.back(), std::make_pair(100, std::string(kLoaded)));
        for (const auto& [percent, label] : progress)
            EXPECT_EQ(label, preview::progressText(percent));

        pressButton(w.backButton);
        ASSERT_TRUE(waitFor(
            "back to return to the preview document",
            [&] { return text(w.addressBox) == "当前为预览文档"; }, kLoadTimeoutMs));

        // A typed local path goes there; back returns to the preview document.
        w.addressBox->SetValue(toolkit::fromUtf8(other));
        pressButton(w.goButton);
        const std::string otherUrl = preview::fileUrl(other);
        ASSERT_TRUE(waitFor(
            "the address box to show the typed path",
            [&] { return text(w.addressBox) == otherUrl; }, kLoadTimeoutMs));
        ASSERT_TRUE(waitFor(
            "the typed path to load",
            [&] { return loaded(w) && s8(w.browser->GetCurrentURL()) == otherUrl; },
            kLoadTimeoutMs));
        pressButton(w.backButton);
        ASSERT_TRUE(waitFor(
            "back to return to the preview document",
            [&] { return text(w.addressBox) == "当前为预览文档"; }, kLoadTimeoutMs));
        ASSERT_TRUE(waitFor(
            "the preview document to load again", [&] { return loaded(w); }, kLoadTimeoutMs));
        pressButton(w.forwardButton);
        ASSERT_TRUE(waitFor(
            "forward to go to the typed path", [&] { return text(w.addressBox) == otherUrl; },
            kLoadTimeoutMs));

        // 跳转 with the preview text goes back to the document.
        w.addressBox->SetValue(u8("当前为预览文档"));
        pressButton(w.goButton);
        ASSERT_TRUE(waitFor(
            "跳转 to load the preview document",
            [&] {
                return loaded(w) && s8(w.browser->GetCurrentURL()) ==
                                        preview::fileUrl(state->previewDocumentPath);
            },
            kLoadTimeoutMs));
        pressButton(w.refreshButton);
        ASSERT_TRUE(waitFor(
            "the refresh to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        EXPECT_EQ(text(w.addressBox), "当前为预览文档");

        // Esc with a modifier does nothing; a plain Esc closes.
        w.Raise();
        w.addressBox->SetFocus();
        drainEvents();
        sim.Char(WXK_ESCAPE, wxMOD_SHIFT);
        drainEvents();
        EXPECT_TRUE(w.IsShown());
        sim.Char(WXK_ESCAPE);
        EXPECT_TRUE(waitFor("Esc to close the preview window", [&] { return !w.IsShown(); }));
    });
    pressButton(window->previewButton);
    EXPECT_EQ(drive.runs(), 1);
    EXPECT_EQ(cacheEntries(cache()), 0u);
    expectMainWindowBack();
}

TEST_F(Preview, NetworkPictureWritesNoCopyAndTheCloseBoxCleansUp) {
    // A network picture as installed: the address as typed, its bytes as downloaded.
    const int id = window->canvas->createObject(0, 0);
    window->canvas->setPicture(
        id, Picture::fromPlanes(300, 200, std::vector<std::uint8_t>(300 * 200 * 3, 90)));
    state->pictureObject = id;
    state->loadMode = 1;
    state->imagePath = "http://127.0.0.1:9/图片\\banner.jpg";
    state->imageData = Bytes(100, 7);
    state->imageWidth = 300;
    state->imageHeight = 200;
    std::ofstream(root / "run" / "keep.png") << "x";

    DriveModal<PreviewWindow> drive([&](PreviewWindow& w) {
        EXPECT_EQ(cacheEntries(cache()), 1u);  // the document alone
        EXPECT_NE(readAll(cache() / "Temporary.html")
                      .find("<body><img src=\"http://127.0.0.1:9/图片\\banner.jpg\" width=\"300\""),
                  std::string::npos);
        EXPECT_TRUE(waitFor(
            "the preview document to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        w.Close();  // what the close box sends
    });
    pressButton(window->previewButton);
    EXPECT_EQ(drive.runs(), 1);
    EXPECT_EQ(cacheEntries(cache()), 0u);
    expectMainWindowBack();
}

TEST_F(Preview, UnwritableRunDirectoryFallsBackToTheUserCache) {
    preview::setRunDirectoryOverride((root / "blocked").string());
    dropPicture("banner.png");
    const fs::path userCache =
        fs::path(platform::userCacheDirectory()) / preview::kProgramFolder / "Cache";
    ASSERT_EQ(userCache.string().rfind(std::getenv("XDG_CACHE_HOME"), 0), 0u);

    DriveModal<PreviewWindow> drive([&](PreviewWindow& w) {
        EXPECT_EQ(state->previewDocumentPath, (userCache / "Temporary.html").string());
        EXPECT_TRUE(fs::exists(userCache / "banner.png"));
        EXPECT_TRUE(waitFor(
            "the preview document to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        EXPECT_EQ(text(w.addressBox), "当前为预览文档");
    });
    pressButton(window->previewButton);
    EXPECT_EQ(drive.runs(), 1);
    EXPECT_TRUE(fs::is_directory(userCache));
    EXPECT_EQ(cacheEntries(userCache), 0u);
    expectMainWindowBack();
}

TEST_F(Preview, NoWritableFolderSaysSoAndTheMainWindowStays) {
    preview::setRunDirectoryOverride((root / "blocked").string());
    dropPicture("banner.png");
    const std::string oldCache = std::getenv("XDG_CACHE_HOME");
    setenv("XDG_CACHE_HOME", (root / "blocked").c_str(), 1);
    wxTEST_DIALOG(pressButton(window->previewButton), ExpectMessage("数据写出失败"));
    setenv("XDG_CACHE_HOME", oldCache.c_str(), 1);
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(state->previewDocumentPath.empty());
}

TEST_F(Preview, FailedPictureCopySaysSoAndRemovesTheDocument) {
    dropPicture("banner.png");
    // Something that is not a file stands where the copy would go, in both folders.
    fs::create_directories(cache() / "banner.png");
    const fs::path userCache =
        fs::path(platform::userCacheDirectory()) / preview::kProgramFolder / "Cache";
    fs::create_directories(userCache / "banner.png");
    wxTEST_DIALOG(pressButton(window->previewButton), ExpectMessage("预览图片写出失败"));
    fs::remove_all(userCache / "banner.png");
    EXPECT_FALSE(fs::exists(cache() / "Temporary.html"));
    EXPECT_FALSE(fs::exists(userCache / "Temporary.html"));
    EXPECT_TRUE(window->IsShown());
}

TEST_F(Preview, WithoutAPictureNothingHappens) {
    pressButton(window->previewButton);  // any window or message would fail the test
    EXPECT_FALSE(fs::exists(cache()));
    EXPECT_TRUE(window->IsShown());
}

struct ControlRow {
    const char* name;
    const char* type;
    int left, top, width, height;  // after the layout, relative to the design parent
    const char* parent;
    const char* caption;
};

// Under Xvfb there are no decorations: the client area is the whole 948 x 667.
const ControlRow kRows[] = {
    {"分组框1", "wxStaticBox", 2, 2, 944, 605, "PreviewWindow", "预览浏览框"},
    {"超文本浏览框1", "wxWebView", 2, 15, 940, 588, "分组框1", nullptr},
    {"分组框2", "wxStaticBox", 2, 609, 250, 51, "PreviewWindow", "状态栏"},
    {"标签进度", "wxStaticText", 81, 12, 136, 14, "分组框2", "当前进度：100%"},
    {"进度条1", "wxGauge", 4, 30, 240, 16, "分组框2", nullptr},
    {"分组框3", "wxStaticBox", 254, 609, 692, 51, "PreviewWindow", "操作"},
    {"按钮前进", "wxButton", 8, 18, 66, 23, "分组框3", "前进"},
    {"按钮后退", "wxButton", 79, 18, 66, 23, "分组框3", "后退"},
    {"按钮刷新", "wxButton", 154, 18, 66, 23, "分组框3", "刷新"},
    {"标签1", "wxStaticText", 229, 18, 36, 23, "分组框3", "网址："},
    {"编辑框地址", "wxTextCtrl", 266, 18, 270, 23, "分组框3", ""},
    {"按钮跳转", "wxButton", 541, 18, 66, 23, "分组框3", "跳转"},
    {"按钮取消预览", "wxButton", 617, 18, 66, 23, "分组框3", "取消预览"},
};

TEST_F(Preview, WindowControlsAndLayout) {
    dropPicture("banner.png");
    DriveModal<PreviewWindow> drive([&](PreviewWindow& w) {
        EXPECT_EQ(s8(w.GetTitle()), "绘栈浏览器窗口（预览代码）");
        EXPECT_EQ(w.GetSize(), wxSize(948, 667));
        ASSERT_EQ(w.GetClientSize(), wxSize(948, 667));
        EXPECT_FALSE(w.HasFlag(wxRESIZE_BORDER));
        EXPECT_FALSE(w.HasFlag(wxMAXIMIZE_BOX));
        EXPECT_TRUE(w.HasFlag(wxMINIMIZE_BOX));
        EXPECT_TRUE(w.HasFlag(wxCLOSE_BOX));
        const wxRect screen = wxGetClientDisplayRect();
        const wxRect r = w.GetRect();
        EXPECT_NEAR(r.x + r.width / 2, screen.x + screen.width / 2, 2);
        EXPECT_NEAR(r.y + r.height / 2, screen.y + screen.height / 2, 2);
        for (const ControlRow& row : kRows) {
            SCOPED_TRACE(row.name);
            wxWindow* c = find(&w, row.name);
            ASSERT_NE(c, nullptr);
            EXPECT_TRUE(c->IsKindOf(wxClassInfo::FindClass(row.type)))
                << c->GetClassInfo()->GetClassName();
            EXPECT_EQ(toolkit::designRect(c), wxRect(row.left, row.top, row.width, row.height));
            EXPECT_EQ(s8(toolkit::designParent(c)->GetName()), row.parent);
            if (row.caption) {
                EXPECT_EQ(text(c), row.caption);
            }
        }
        // The layout runs again when the window moves and keeps its result.
        w.Move(r.x + 30, r.y + 20);
        drainEvents();
        EXPECT_EQ(toolkit::designRect(w.goButton), wxRect(541, 18, 66, 23));
        EXPECT_EQ(w.browser->GetRect(), wxRect(4, 17, 940, 588));
        ASSERT_TRUE(waitFor(
            "the preview document to load", [&] { return loaded(w); }, kLoadTimeoutMs));
        EXPECT_TRUE(browserShows(w, {8 + 10, 8 + 10}, wxColour(200, 40, 60), "preview_browser.png"));
        screenshot(&w, "preview_window.png");
    });
    pressButton(window->previewButton);
    EXPECT_EQ(drive.runs(), 1);
}

}  // namespace
