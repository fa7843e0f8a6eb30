#include "canvas/draw_overlay.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/image.h>
#include <wx/region.h>

#include <algorithm>

#include "canvas/canvas_ctrl.h"
#include "core/app_state.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_info.h"

namespace {

// The drawing board never takes the keyboard focus: the Shift release reaches the window.
class DrawingBoard : public wxWindow {
  public:
    DrawingBoard(wxWindow* parent, const wxSize& size)
        : wxWindow(parent, wxID_ANY, wxPoint(0, 0), size, wxBORDER_NONE,
                   wxString::FromUTF8("画板背景")) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
    }
    bool AcceptsFocus() const override { return false; }
};

}  // namespace

DrawOverlayWindow::DrawOverlayWindow(CanvasCtrl* canvas, AppState& state, int width, int height,
                                     std::vector<std::uint8_t> snapshot)
    : wxWindow(canvas, wxID_ANY, wxPoint(0, 0), wxSize(width, height),
               wxBORDER_NONE | wxWANTS_CHARS, "DrawOverlayWindow"),
      canvas_(canvas),
      state_(state) {
    state_.overlayStartX = state_.overlayStartY = state_.overlayEndX = state_.overlayEndY = 0;
    state_.overlayMouseDown = 0;
    frame_.reset(width, height, std::move(snapshot));
    // The canvas has no border: board and window lie exactly over its client area,
    // so board coordinates are canvas coordinates.
    board = new DrawingBoard(this, wxSize(width, height));
    board->Bind(wxEVT_PAINT, [this](wxPaintEvent&) { paintBoard(); });
    auto press = [this](wxMouseEvent& e) { startRubberBand(e.GetX(), e.GetY()); };
    board->Bind(wxEVT_LEFT_DOWN, press);
    board->Bind(wxEVT_LEFT_DCLICK, press);  // a quick second press is a press too
    board->Bind(wxEVT_MOTION, [this](wxMouseEvent& e) { moveRubberBand(e.GetX(), e.GetY()); });
    board->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent&) { finishRubberBand(); });
    board->Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) {
        state_.overlayMouseDown = 0;
        repaint(frame_.showBand({}));
    });
    auto keyUp = [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_SHIFT) {
            closeOverlay();
            return;
        }
        e.Skip();
    };
    Bind(wxEVT_KEY_UP, keyUp);
    board->Bind(wxEVT_KEY_UP, keyUp);
    // Esc does nothing here; it must not reach the main window and close it.
    Bind(wxEVT_CHAR_HOOK, [](wxKeyEvent& e) {
        if (e.GetKeyCode() != WXK_ESCAPE) e.Skip();
    });
    SetFocus();
}

void DrawOverlayWindow::drawFrame(wxDC& dc, const wxRect& area) {
    const wxRect r = area.Intersect(wxRect(0, 0, frame_.width(), frame_.height()));
    if (r.IsEmpty()) return;
    rows_.resize(static_cast<size_t>(r.width) * r.height * 3);
    const size_t stride = static_cast<size_t>(frame_.width()) * 3,
                 row = static_cast<size_t>(r.width) * 3;
    for (int y = 0; y < r.height; ++y)
        std::copy_n(frame_.pixels() + (r.y + y) * stride + static_cast<size_t>(r.x) * 3, row,
                    rows_.data() + y * row);
    wxImage image(r.width, r.height, rows_.data(), true);
    dc.DrawBitmap(wxBitmap(image), r.x, r.y);
}

void DrawOverlayWindow::paintBoard() {
    wxPaintDC dc(board);
    for (wxRegionIterator it(board->GetUpdateRegion()); it; ++it) drawFrame(dc, it.GetRect());
}

void DrawOverlayWindow::repaint(const std::vector<RectXYWH>& strips) {
    // Straight onto the board, strip by strip: a paint cycle would cost many times
    // more than the few pixels that changed. Exposures repaint from the same frame.
    wxClientDC dc(board);
    for (const RectXYWH& s : strips) {
        if (dc.IsOk()) {
            drawFrame(dc, wxRect(s.x, s.y, s.w, s.h));
        } else {
            board->RefreshRect(wxRect(s.x, s.y, s.w, s.h), false);
        }
    }
}

void DrawOverlayWindow::startRubberBand(int x, int y) {
    if (closing_) return;
    const Point p = rubberband::clampToArea(x, y, frame_.width(), frame_.height());
    state_.overlayMouseDown = 1;
    state_.overlayStartX = state_.overlayEndX = p.x;
    state_.overlayStartY = state_.overlayEndY = p.y;
    repaint(frame_.showBand({}));
    // The Shift release must reach the window, even if the focus went elsewhere meanwhile.
    if (!HasFocus()) SetFocus();
    // Movements outside the board keep arriving while the button is down.
    if (!board->HasCapture()) board->CaptureMouse();
}

void DrawOverlayWindow::moveRubberBand(int x, int y) {
    if (!state_.overlayMouseDown) return;
    // Past the canvas edge the corner stays on the edge.
    const Point p = rubberband::clampToArea(x, y, frame_.width(), frame_.height());
    state_.overlayEndX = p.x;
    state_.overlayEndY = p.y;
    const Point start{state_.overlayStartX, state_.overlayStartY};
    repaint(frame_.showBand(rubberband::normalised(rubberband::spanned(start, p))));
}

void DrawOverlayWindow::finishRubberBand() {
    if (!state_.overlayMouseDown) return;
    state_.overlayMouseDown = 0;
    if (board->HasCapture()) board->ReleaseMouse();
    // The end corner is the one the last movement stored.
    state_.drawnRect = rubberband::spanned({state_.overlayStartX, state_.overlayStartY},
                                           {state_.overlayEndX, state_.overlayEndY});
    // A click without extent makes no hotspot: the overlay stays for the next try.
    if (state_.drawnRect.w == 0 || state_.drawnRect.h == 0) {
        repaint(frame_.showBand({}));
        return;
    }
    if (onRectangleDrawn) onRectangleDrawn();
}

void DrawOverlayWindow::closeOverlay() {
    if (closing_) return;
    closing_ = true;
    if (board->HasCapture()) board->ReleaseMouse();
    state_.overlayMouseDown = 0;
    Hide();
    canvas_->SetFocus();
    state_.drawOverlayOpen = 0;
    // Deleted once the event that closed it (on the board or the window) is over.
    canvas_->CallAfter([this] { delete this; });
}

DrawOverlayWindow* drawOverlayOf(const MainWindow& window) {
    for (wxWindow* child : window.canvas->GetChildren()) {
        auto* overlay = dynamic_cast<DrawOverlayWindow*>(child);
        if (overlay && !overlay->closing()) return overlay;
    }
    return nullptr;
}

void openDrawOverlay(MainWindow& window, int keyCode) {
    AppState& s = window.state;
    if (s.pictureObject == 0 || keyCode != WXK_SHIFT || s.drawOverlayOpen) return;
    CanvasCtrl* canvas = window.canvas;
    const wxSize size = canvas->GetClientSize();
    window.hideHandles();
    // The canvas as it is shown now; the handles are not part of it.
    s.overlaySnapshot.assign(static_cast<size_t>(size.x) * size.y * 3, 0);
    canvas->store().compose(s.overlaySnapshot.data(), 0, 0, size.x, size.y, size.x * 3);
    auto* overlay = new DrawOverlayWindow(canvas, s, size.x, size.y, s.overlaySnapshot);
    MainWindow* w = &window;
    overlay->onRectangleDrawn = [w, overlay] {
        createDrawnHotspot(*w);
        // The overlay goes with the dialog, whichever way it was closed.
        overlay->closeOverlay();
    };
    s.drawOverlayOpen = 1;
}

void bindDrawOverlay(MainWindow& window) {
    MainWindow* w = &window;
    // Shift is the only key the canvas answers.
    w->canvas->onKeyDown = [w](int keyCode, int) { openDrawOverlay(*w, keyCode); };
}
