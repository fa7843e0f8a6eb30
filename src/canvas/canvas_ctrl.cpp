#include "canvas/canvas_ctrl.h"

#include <wx/bitmap.h>
#include <wx/dcclient.h>
#include <wx/dnd.h>
#include <wx/image.h>

#include <cstdlib>

#include "app/repaint_thread.h"
#include "core/hotspot_face.h"
#include "decode/picture_decode.h"
#include "toolkit/modal_state.h"
#include "toolkit/repaint.h"

int keyStateOf(const wxKeyboardState& state) {
    return (state.ControlDown() ? 1 : 0) | (state.ShiftDown() ? 2 : 0) | (state.AltDown() ? 4 : 0);
}

namespace {

class CanvasDropTarget : public wxFileDropTarget {
  public:
    explicit CanvasDropTarget(CanvasCtrl* canvas) : canvas_(canvas) {}
    bool OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) override {
        // Refused while a dialog is open: the picture would land behind it.
        if (!canvas_->onFilesDropped || files.empty() || toolkit::modalOpen()) return false;
        std::vector<wxString> list(files.begin(), files.end());
        // The handler may open dialogs: run it after the drop has been answered.
        canvas_->CallAfter([c = canvas_, list] {
            if (c->onFilesDropped) c->onFilesDropped(list);
        });
        return true;
    }

  private:
    CanvasCtrl* canvas_;
};

}  // namespace

CanvasCtrl::CanvasCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                       const wxString& name)
    : wxWindow(parent, id, pos, size, wxBORDER_NONE | wxWANTS_CHARS, name) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetDropTarget(new CanvasDropTarget(this));
    Bind(wxEVT_PAINT, &CanvasCtrl::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CanvasCtrl::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CanvasCtrl::OnLeftUp, this);
    Bind(wxEVT_RIGHT_DOWN, &CanvasCtrl::OnRightDown, this);
    Bind(wxEVT_MOTION, &CanvasCtrl::OnMotion, this);
    Bind(wxEVT_KEY_DOWN, &CanvasCtrl::OnKeyDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CanvasCtrl::OnLeftDoubleClick, this);
    Bind(wxEVT_MOUSEWHEEL, &CanvasCtrl::OnWheel, this);
}

int CanvasCtrl::createObject(int x, int y) { return store_.create(x, y); }

int CanvasCtrl::createObjectWithId(int id, int x, int y) { return store_.createWithId(id, x, y); }

void CanvasCtrl::deleteObject(int id) {
    if (!store_.exists(id)) return;
    if (onBeforeDelete) onBeforeDelete(id);
    invalidateObject(id);
    store_.remove(id);
}

void CanvasCtrl::deleteAll() {
    store_.removeAll(onBeforeDelete ? std::function<void(int)>(onBeforeDelete)
                                    : std::function<void(int)>());
    Refresh();
    repaint::noteInvalid();
}

bool CanvasCtrl::setPictureBytes(int id, const Bytes& bytes) {
    DecodeResult decoded = decodePictureBytes(bytes.data(), bytes.size());
    const bool ok = !decoded.picture.empty();
    setPicture(id, std::move(decoded.picture));
    return ok;
}

void CanvasCtrl::setPicture(int id, Picture picture) {
    invalidateObject(id);
    store_.setPicture(id, std::move(picture));
    invalidateObject(id);
}

void CanvasCtrl::replaceFramedFace(int id, int x, int y, Picture face, int frame) {
    if (!store_.exists(id)) return;
    const RectXYWH before{store_.left(id), store_.top(id), store_.width(id), store_.height(id)};
    store_.move(id, x, y);
    store_.setPicture(id, std::move(face));
    const RectXYWH after{store_.left(id), store_.top(id), store_.width(id), store_.height(id)};
    for (const RectXYWH& r : framedFaceChanges(before, after, frame))
        invalidateRect(r.x, r.y, r.w, r.h);
}

void CanvasCtrl::setTransparency(int id, int percent) {
    store_.setTransparency(id, percent);
    invalidateObject(id);
}

void CanvasCtrl::raiseObject(int id) {
    if (store_.raise(id)) invalidateObject(id);
}

void CanvasCtrl::moveObject(int id, int x, int y, bool /*collisionCheck*/) {
    if (!store_.exists(id)) return;
    invalidateObject(id);
    store_.move(id, x, y);
    invalidateObject(id);
}

void CanvasCtrl::setCanvasBackground(PackedColour colour) {
    store_.setBackground(colour);
    Refresh();
    repaint::noteInvalid();
}

void CanvasCtrl::setBackgroundPictureBytes(const Bytes& bytes) {
    store_.setBackgroundPicture(
        bytes.empty() ? Picture{} : decodePictureBytes(bytes.data(), bytes.size()).picture);
    Refresh();
    repaint::noteInvalid();
}

void CanvasCtrl::invalidateObject(int id) {
    invalidateRect(store_.left(id), store_.top(id), store_.width(id), store_.height(id));
}

void CanvasCtrl::invalidateRect(int x, int y, int w, int h) {
    if (w <= 0 || h <= 0) return;
    wxRect r = wxRect(x, y, w, h).Intersect(wxRect(GetClientSize()));
    if (r.IsEmpty()) return;
    RefreshRect(r, false);
    repaint::noteInvalid();
}

void CanvasCtrl::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    // A few scattered areas (a resized frame, uncovered handles) are painted one by
    // one; many of them at once as the box around them.
    for (const wxRect& area : toolkit::paintAreas(dc, *this, 16)) paintArea(dc, area);
}

void CanvasCtrl::paintArea(wxDC& dc, const wxRect& area) {
    if (area.IsEmpty()) return;
    const int stride = area.width * 3;
    frame_.resize(static_cast<size_t>(stride) * area.height);
    store_.compose(frame_.data(), area.x, area.y, area.width, area.height, stride);
    wxImage image(area.width, area.height, frame_.data(), true);
    dc.DrawBitmap(wxBitmap(image), area.x, area.y);
}

void CanvasCtrl::OnLeftDown(wxMouseEvent& event) {
    SetFocus();
    const int x = event.GetX(), y = event.GetY();
    if (onLeftDown) onLeftDown(x, y, keyStateOf(event));
    const int hit = store_.hitTest(x, y);
    pressed_ = hit ? hit : -1;
    if (onObjectPressed) onObjectPressed(hit);
    event.Skip();
}

void CanvasCtrl::OnLeftUp(wxMouseEvent& event) {
    pressed_ = 0;
    if (onLeftUp) onLeftUp();
    const int doubleClicked = doubleClicked_;
    doubleClicked_ = 0;
    const wxPoint moved = event.GetPosition() - doubleClickAt_;
    if (doubleClicked && std::abs(moved.x) <= 2 && std::abs(moved.y) <= 2) {
        // Raised once the click itself has been handled, so it may open a dialog.
        CallAfter([this, doubleClicked] {
            if (onObjectDoubleClicked) onObjectDoubleClicked(doubleClicked);
        });
    }
    event.Skip();
}

void CanvasCtrl::OnRightDown(wxMouseEvent& event) {
    SetFocus();
    if (onObjectRightPressed) onObjectRightPressed(store_.hitTest(event.GetX(), event.GetY()));
    event.Skip();
}

void CanvasCtrl::OnMotion(wxMouseEvent& event) {
    // The button may have been released outside the canvas.
    if (!event.LeftIsDown() && pressed_ != 0) {
        pressed_ = 0;
        if (onLeftUp) onLeftUp();
    }
    // Without a mouse capture, nothing arrives while the pointer is outside the canvas.
    if (!wxRect(GetClientSize()).Contains(event.GetPosition())) return;
    if (onMouseMoved) onMouseMoved(event.GetX(), event.GetY(), pressed_);
    event.Skip();
}

void CanvasCtrl::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (onKeyDown) onKeyDown(key, keyStateOf(event));
    const bool arrow = key == WXK_LEFT || key == WXK_RIGHT || key == WXK_UP || key == WXK_DOWN ||
                       key == WXK_NUMPAD_LEFT || key == WXK_NUMPAD_RIGHT || key == WXK_NUMPAD_UP ||
                       key == WXK_NUMPAD_DOWN;
    if (!arrow) event.Skip();
}

void CanvasCtrl::OnWheel(wxMouseEvent& event) {
    WheelTurn turn;
    turn.rotation = event.GetWheelRotation();
    turn.delta = event.GetWheelDelta();
    turn.horizontal = event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL;
    turn.linesPerNotch = turn.horizontal ? event.GetColumnsPerAction() : event.GetLinesPerAction();
    turn.pageScroll = event.IsPageScroll();
    turn.keyState = keyStateOf(event);
    if (onWheel) onWheel(turn);
}

// The second press of a quick double click is a press like any other, so it can
// start a drag; only when the button comes up where it went down is it also a
// double click on the object.
void CanvasCtrl::OnLeftDoubleClick(wxMouseEvent& event) {
    OnLeftDown(event);
    doubleClicked_ = store_.hitTest(event.GetX(), event.GetY());
    doubleClickAt_ = event.GetPosition();
}
