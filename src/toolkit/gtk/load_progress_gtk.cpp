// WebKitGTK keeps its estimate in the web view's "estimated-load-progress"
// property (0.0 to 1.0) and announces each change through GObject's notify signal.
#include <glib-object.h>
#include <wx/webview.h>

#include "core/preview_document.h"
#include "toolkit/load_progress.h"

namespace toolkit {

struct LoadProgressWatch::Impl {
    gpointer view = nullptr;  // cleared by GObject if the view goes first
    gulong handler = 0;
    std::function<void(int)> report;
};

namespace {
void onProgressChanged(GObject* view, GParamSpec*, gpointer data) {
    gdouble progress = 0;
    g_object_get(view, "estimated-load-progress", &progress, nullptr);
    static_cast<LoadProgressWatch::Impl*>(data)->report(preview::progressPercent(progress, 1.0));
}
}  // namespace

LoadProgressWatch::LoadProgressWatch(wxWebView* view, std::function<void(int)> report)
    : impl_(std::make_unique<Impl>()) {
    impl_->report = std::move(report);
    auto* native = static_cast<GObject*>(view->GetNativeBackend());
    if (!native ||
        !g_object_class_find_property(G_OBJECT_GET_CLASS(native), "estimated-load-progress"))
        return;
    impl_->view = native;
    g_object_add_weak_pointer(native, &impl_->view);
    impl_->handler = g_signal_connect(native, "notify::estimated-load-progress",
                                      G_CALLBACK(onProgressChanged), impl_.get());
}

LoadProgressWatch::~LoadProgressWatch() {
    if (!impl_->view) return;
    auto* native = static_cast<GObject*>(impl_->view);
    g_signal_handler_disconnect(native, impl_->handler);
    g_object_remove_weak_pointer(native, &impl_->view);
}

}  // namespace toolkit
