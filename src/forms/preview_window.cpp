#include "forms/preview_window.h"

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>
#include <wx/webview.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/preview_document.h"
#include "toolkit/load_progress.h"
#include "toolkit/widgets.h"

using toolkit::fromUtf8;

PreviewWindow::PreviewWindow(const wxString& startAddress)
    : wxDialog(nullptr, wxID_ANY, fromUtf8(previewform::kCaption), wxDefaultPosition,
               wxSize(948, 667),
               wxCAPTION | wxMINIMIZE_BOX | wxCLOSE_BOX | wxSYSTEM_MENU | wxDIALOG_NO_PARENT,
               "PreviewWindow") {
    SetFont(toolkit::uiFont());
    buildControls(startAddress);
    SetSize(948, 667);
    CentreOnScreen();
    runLayout();
    // The position-changed layout; a fixed border sees a new client size only when
    // the window manager's decorations become known, and lays out again then.
    Bind(wxEVT_MOVE, [this](wxMoveEvent& e) {
        runLayout();
        e.Skip();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        runLayout();
        e.Skip();
    });
    // A plain Esc closes the window like its close box.
    toolkit::closeOnPlainEscape(this);
}

PreviewWindow::~PreviewWindow() { progressWatch.reset(); }

void PreviewWindow::buildControls(const wxString& startAddress) {
    using namespace previewform;
    using toolkit::Place;
    const Place self = toolkit::on(this);

    browserGroup = toolkit::groupBox(self, "分组框1", kBrowserGroup, {8, 12, 920, 568});
    const Place inBrowserGroup = toolkit::in(browserGroup);
    browser = wxWebView::New(this, wxID_ANY, startAddress,
                             toolkit::pos(inBrowserGroup, {5, 16, 843, 497}), wxSize(843, 497),
                             wxWebViewBackendDefault, 0, fromUtf8("超文本浏览框1"));
    if (browser) toolkit::placed(browser, inBrowserGroup);

    statusGroup = toolkit::groupBox(self, "分组框2", kStatusGroup, {8, 583, 376, 51});
    const Place inStatus = toolkit::in(statusGroup);
    progressLabel = toolkit::label(inStatus, "标签进度", kProgress, {81, 12, 136, 14});
    progressBar = new wxGauge(this, wxID_ANY, 100, toolkit::pos(inStatus, {7, 30, 312, 16}),
                              wxSize(312, 16), wxGA_HORIZONTAL, wxDefaultValidator,
                              fromUtf8("进度条1"));
    toolkit::placed(progressBar, inStatus);

    actionsGroup = toolkit::groupBox(self, "分组框3", kActionsGroup, {390, 583, 538, 51});
    const Place inActions = toolkit::in(actionsGroup);
    forwardButton = toolkit::button(inActions, "按钮前进", kForward, {8, 18, 66, 23});
    backButton = toolkit::button(inActions, "按钮后退", kBack, {79, 18, 66, 23});
    refreshButton = toolkit::button(inActions, "按钮刷新", kRefresh, {154, 18, 66, 23});
    addressLabel = toolkit::label(inActions, "标签1", kAddressLabel, {229, 18, 36, 23});
    addressBox = toolkit::editBox(inActions, "编辑框地址", "", {266, 18, 176, 23});
    goButton = toolkit::button(inActions, "按钮跳转", kGo, {384, 18, 66, 23});
    cancelButton = toolkit::button(inActions, "按钮取消预览", kCancel, {457, 18, 66, 23});
}

namespace {
Geometry toGeometry(const wxRect& r) { return {r.x, r.y, r.width, r.height}; }
wxRect toRect(const Geometry& g) { return wxRect(g.left, g.top, g.width, g.height); }
}  // namespace

void PreviewWindow::runLayout() {
    if (!cancelButton) return;
    // Controls of a group box are placed beside it: note where each stands in its
    // box before the boxes move, so that it moves with its box.
    std::vector<std::pair<wxWindow*, wxRect>> inGroups;
    for (wxWindow* child : GetChildren()) {
        wxWindow* group = toolkit::designParent(child);
        if (group && group != this) inGroups.emplace_back(child, toolkit::designRect(child));
    }
    const auto designed = [&inGroups](wxWindow* w) {
        for (const auto& [child, rect] : inGroups)
            if (child == w) return toGeometry(rect);
        return Geometry{};
    };

    preview::PreviewGeometry g;
    g.browserGroup = toGeometry(browserGroup->GetRect());
    g.browser = designed(browser);
    g.statusGroup = toGeometry(statusGroup->GetRect());
    g.actionsGroup = toGeometry(actionsGroup->GetRect());
    g.cancelButton = designed(cancelButton);
    g.addressBox = designed(addressBox);
    g.goButton = designed(goButton);
    g.progressBar = designed(progressBar);
    const wxSize client = GetClientSize();
    g = preview::layoutPreview(g, client.GetWidth(), client.GetHeight());

    const auto clamped = [](wxRect r) {
        r.width = std::max(0, r.width);
        r.height = std::max(0, r.height);
        return r;
    };
    browserGroup->SetSize(clamped(toRect(g.browserGroup)));
    statusGroup->SetSize(clamped(toRect(g.statusGroup)));
    actionsGroup->SetSize(clamped(toRect(g.actionsGroup)));
    const std::pair<const wxWindow*, const Geometry*> laidOut[] = {
        {browser, &g.browser},         {cancelButton, &g.cancelButton},
        {addressBox, &g.addressBox},   {goButton, &g.goButton},
        {progressBar, &g.progressBar},
    };
    for (auto& [child, rect] : inGroups) {
        for (const auto& [w, geometry] : laidOut)
            if (w == child) rect = toRect(*geometry);
        rect.Offset(toolkit::designParent(child)->GetPosition());
        child->SetSize(clamped(rect));
    }
}
