// The Windows browser backends report no percentage through wxWebView: a
// navigation counts as 0 when it starts and 100 once its document has loaded.
#include <wx/webview.h>

#include "toolkit/load_progress.h"

namespace toolkit {

struct LoadProgressWatch::Impl {
    wxWebView* view = nullptr;
    std::function<void(int)> report;
    void onNavigated(wxWebViewEvent& e) {
        report(0);
        e.Skip();
    }
    void onLoaded(wxWebViewEvent& e) {
        report(100);
        e.Skip();
    }
};

LoadProgressWatch::LoadProgressWatch(wxWebView* view, std::function<void(int)> report)
    : impl_(std::make_unique<Impl>()) {
    impl_->view = view;
    impl_->report = std::move(report);
    view->Bind(wxEVT_WEBVIEW_NAVIGATED, &Impl::onNavigated, impl_.get());
    view->Bind(wxEVT_WEBVIEW_LOADED, &Impl::onLoaded, impl_.get());
    view->Bind(wxEVT_WEBVIEW_ERROR, &Impl::onLoaded, impl_.get());
}

LoadProgressWatch::~LoadProgressWatch() {
    impl_->view->Unbind(wxEVT_WEBVIEW_NAVIGATED, &Impl::onNavigated, impl_.get());
    impl_->view->Unbind(wxEVT_WEBVIEW_LOADED, &Impl::onLoaded, impl_.get());
    impl_->view->Unbind(wxEVT_WEBVIEW_ERROR, &Impl::onLoaded, impl_.get());
}

}  // namespace toolkit
