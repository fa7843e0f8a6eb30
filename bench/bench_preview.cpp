// The preview of a 790 x 20000 JPEG with 300 hotspots: from the 预览 click to the
// page's load finished in the preview window, against a bare wxWebView in a bare
// dialog loading the same document and picture. Openings of the two alternate,
// with a pause after each; prints the medians and their ratio, and how much of
// the preview's time passes before its window opens (document, files, window). Needs a display: run it under xvfb-run.
#include <wx/app.h>
#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/image.h>
#include <wx/modalhook.h>
#include <wx/utils.h>
#include <wx/webview.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app.h"
#include "bench_window.h"
#include "canvas/canvas_ctrl.h"
#include "core/preview_document.h"
#include "core/preview_files.h"
#include "forms/main_window.h"
#include "forms/preview_window.h"
#include "hotspots/hotspot_ops.h"
#include "toolkit/load_progress.h"
#include "toolkit/widgets.h"

namespace {

using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
constexpr int kRuns = 9;
constexpr int kWidth = 790, kHeight = 20000, kHotspots = 300;

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double msBetween(Clock::time_point t0, Clock::time_point t1) {
    return std::chrono::duration<double, std::milli>(t1 - t0).count();
}

// Bands of colour down the picture, so that the engine has real work decoding it.
void writeJpeg(const fs::path& path) { bench::writeBandedJpeg(path.string(), kWidth, kHeight); }

// Once the preview window opens modally, closes it when its page has loaded and
// notes the moment.
class ClosePreviewWhenLoaded : public wxModalDialogHook {
public:
    ClosePreviewWhenLoaded() { Register(); }
    ~ClosePreviewWhenLoaded() override { Unregister(); }
    Clock::time_point openedAt, loadedAt;

protected:
    int Enter(wxDialog* dialog) override {
        auto* w = dynamic_cast<PreviewWindow*>(dialog);
        if (!w) return wxID_NONE;
        openedAt = Clock::now();
        watch_ = std::make_unique<toolkit::LoadProgressWatch>(w->browser, [this, w](int percent) {
            if (percent < 100) return;
            loadedAt = Clock::now();
            w->CallAfter([w] { w->Close(); });
        });
        return wxID_NONE;
    }
    void Exit(wxDialog*) override { watch_.reset(); }

private:
    std::unique_ptr<toolkit::LoadProgressWatch> watch_;
};

// A bare dialog with a bare web view on `url`, shown modally until its load finishes.
double bareOpening(const wxString& url) {
    const auto t0 = Clock::now();
    Clock::time_point loadedAt;
    wxDialog dialog(nullptr, wxID_ANY, "bare", wxDefaultPosition, wxSize(948, 667));
    wxWebView* view = wxWebView::New(&dialog, wxID_ANY, url, wxPoint(4, 17), wxSize(940, 588));
    toolkit::LoadProgressWatch watch(view, [&](int percent) {
        if (percent < 100) return;
        loadedAt = Clock::now();
        dialog.CallAfter([&dialog] { dialog.EndModal(wxID_OK); });
    });
    dialog.ShowModal();
    return msBetween(t0, loadedAt);
}

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        initialiseToolkit();
        return true;
    }
    int OnRun() override {
        const fs::path root = fs::temp_directory_path() / "bench_preview";
        fs::remove_all(root);
        fs::create_directories(root / "run");
        fs::create_directories(root / "bare");
        preview::setRunDirectoryOverride((root / "run").string());
        const fs::path picture = root / "banner 790x20000.jpg";
        writeJpeg(picture);

        AppState state;
        MainWindow* window = openMainWindow(state);
        window->canvas->onFilesDropped({toolkit::fromUtf8(picture.string())});
        if (state.imageHeight != kHeight) {
            std::fprintf(stderr, "the picture was not installed\n");
            return 1;
        }
        for (int i = 0; i < kHotspots; ++i)
            createHotspot(*window, (i % 4) * 160, (i / 4) * 260, 150, 100,
                          "https://item.example/detail?id=" + std::to_string(600000 + i),
                          "热点提示 " + std::to_string(i), false);

        ClosePreviewWhenLoaded hook;
        std::vector<double> opening;
        const auto openPreview = [&] {
            const auto t0 = Clock::now();
            wxCommandEvent click(wxEVT_BUTTON, window->previewButton->GetId());
            click.SetEventObject(window->previewButton);
            window->previewButton->ProcessWindowEvent(click);
            opening.push_back(msBetween(t0, hook.openedAt));
            return msBetween(t0, hook.loadedAt);
        };
        openPreview();  // the document and picture the bare view loads, and a warm-up
        {
            std::ofstream(root / "bare" / preview::kDocumentName, std::ios::binary)
                << state.previewDocumentText;
            fs::copy_file(picture, root / "bare" / picture.filename());
        }
        const wxString bareUrl =
            toolkit::fromUtf8(preview::fileUrl((root / "bare" / preview::kDocumentName).string()));
        // The preview hides the main window while it is open: so does the bare opening.
        const auto openBare = [&] {
            window->Hide();
            const double ms = bareOpening(bareUrl);
            window->Show();
            return ms;
        };
        openBare();
        // The engine takes a closed view's helper process down in the background:
        // let that finish, so that no opening pays for the one before it.
        const auto settle = [] {
            const auto until = Clock::now() + std::chrono::milliseconds(500);
            while (Clock::now() < until) {
                wxYield();
                wxMilliSleep(5);
            }
        };
        settle();
        opening.clear();

        std::vector<double> ours, bare;
        for (int r = 0; r < kRuns; ++r) {
            ours.push_back(openPreview());
            settle();
            bare.push_back(openBare());
            settle();
        }
        const auto fileKb = static_cast<long>(fs::file_size(picture) / 1024);
        const double o = medianMs(ours), b = medianMs(bare);
        std::printf("picture: %d x %d JPEG, %ld kB; %d hotspots, document %zu bytes\n", kWidth,
                    kHeight, fileKb, kHotspots, state.previewDocumentText.size());
        std::printf("bare wxWebView to loaded:   %8.1f ms median of %d\n", b, kRuns);
        std::printf("预览 click to loaded:        %8.1f ms median of %d\n", o, kRuns);
        std::printf("  of which click to window:  %8.1f ms median\n", medianMs(opening));
        std::printf("preview / bare: %.2f (aim <= 1.30)\n", o / b);

        window->Destroy();
        for (int i = 0; i < 5; ++i) wxYield();
        preview::setRunDirectoryOverride("");
        fs::remove_all(root);
        return 0;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
