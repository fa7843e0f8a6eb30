#include "output/preview_ui.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include "core/preview_document.h"
#include "core/preview_files.h"
#include "forms/main_window.h"
#include "forms/preview_window.h"
#include "output/code_ui.h"
#include "platform/files.h"
#include "toolkit/load_progress.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {
const char* const kWriteFailed = "数据写出失败";
const char* const kPictureWriteFailed = "预览图片写出失败";
}  // namespace

void bindPreviewWindow(PreviewWindow& w, const std::string& documentPath) {
    using toolkit::fromUtf8;
    using toolkit::toUtf8;
    w.cancelButton->Bind(wxEVT_BUTTON, [&w](wxCommandEvent&) { w.Close(); });
    wxWebView* browser = w.browser;
    if (!browser) return;  // no browser engine: the window can only be closed
    browser->Bind(wxEVT_WEBVIEW_NAVIGATING, [&w, documentPath](wxWebViewEvent& e) {
        w.addressBox->ChangeValue(
            fromUtf8(preview::addressBoxText(toUtf8(e.GetURL()), documentPath)));
        e.Skip();
    });
    // A link that asks for a new window (every hotspot's does) opens in this browser.
    browser->Bind(wxEVT_WEBVIEW_NEWWINDOW,
                  [browser](wxWebViewEvent& e) { browser->LoadURL(e.GetURL()); });
    w.progressWatch = std::make_unique<toolkit::LoadProgressWatch>(browser, [&w](int percent) {
        w.progressBar->SetValue(percent);
        w.progressLabel->SetLabel(fromUtf8(preview::progressText(percent)));
    });

    w.forwardButton->Bind(wxEVT_BUTTON, [browser](wxCommandEvent&) {
        if (browser->CanGoForward()) browser->GoForward();
    });
    w.backButton->Bind(wxEVT_BUTTON, [browser](wxCommandEvent&) {
        if (browser->CanGoBack()) browser->GoBack();
    });
    w.refreshButton->Bind(wxEVT_BUTTON, [browser](wxCommandEvent&) { browser->Reload(); });
    w.goButton->Bind(wxEVT_BUTTON, [&w, browser, documentPath](wxCommandEvent&) {
        browser->LoadURL(
            fromUtf8(preview::goTarget(toUtf8(w.addressBox->GetValue()), documentPath)));
    });
}

void showPreview(MainWindow& window) {
    AppState& s = window.state;
    if (s.pictureObject == 0) return;
    const bool network = s.loadMode == 1;
    s.previewDocumentText = preview::documentText(generateMapCode(window, MapVariant::preview));
    const std::string pictureName =
        network ? std::string() : preview::pictureFileName(s.imagePath, platform::kPathSeparators);

    const preview::WriteResult written =
        preview::writePreviewFiles(preview::cacheLocations(), s.previewDocumentText, pictureName,
                                   network ? nullptr : &s.imageData);
    if (written.outcome == preview::WriteOutcome::documentFailed) {
        showMessage(kWriteFailed, true);
        return;
    }
    if (written.outcome == preview::WriteOutcome::pictureFailed) {
        showMessage(kPictureWriteFailed);
        return;
    }
    s.previewDocumentPath = written.files.document;

    window.Hide();
    {
        PreviewWindow previewWindow(toolkit::fromUtf8(preview::fileUrl(s.previewDocumentPath)));
        bindPreviewWindow(previewWindow, s.previewDocumentPath);
        previewWindow.ShowModal();
        previewWindow.Hide();
    }
    // Only what this preview wrote: a network preview leaves no copy behind.
    preview::removePreviewFiles(written.files);
    window.Show();
    window.Raise();
    window.SetFocus();
}

void bindPreview(MainWindow& window) {
    window.previewButton->Bind(wxEVT_BUTTON, [&window](wxCommandEvent&) { showPreview(window); });
}
