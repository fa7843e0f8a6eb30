#include "canvas/canvas_handlers.h"

#include <wx/menu.h>
#include <wx/utils.h>

#include "canvas/canvas_ctrl.h"
#include "core/canvas_drag.h"
#include "core/hotspot_resize.h"
#include "forms/main_window.h"
#include "hotspots/document_view.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "toolkit/widgets.h"

namespace {

// The drag arithmetic's view of the main window's canvas and selection.
class WindowDragStage : public DragStage {
  public:
    explicit WindowDragStage(MainWindow& window) : window_(window) {}
    int objectLeft(int id) const override { return window_.canvas->objectLeft(id); }
    int objectTop(int id) const override { return window_.canvas->objectTop(id); }
    void moveObject(int id, int x, int y, bool collisionCheck) override {
        if (const doc::Hotspot* h = window_.document.find(id)) {
            setHotspotGeometry(window_, id, RectXYWH{x, y, h->rect.w, h->rect.h});
            return;
        }
        window_.canvas->moveObject(id, x, y, collisionCheck);
    }
    void pictureMoved() override {
        followPicture(window_);
        if (const int selected = selectedHotspot(window_)) reselect(selected);
    }
    void reselect(int id) override { reselectHotspot(window_, id); }
    void showFocusProperties(int id) override { ::showFocusProperties(window_, id); }

  private:
    MainWindow& window_;
};

HotspotMenuPopup& menuPopup() {
    static HotspotMenuPopup popup;
    return popup;
}

}  // namespace

void setHotspotMenuPopup(HotspotMenuPopup popup) { menuPopup() = std::move(popup); }

void openHotspotMenu(MainWindow& window, int object) {
    if (!opensHotspotMenu(window.document, object)) return;
    window.state.menuTargetObject = object;
    window.menuLock->SetItemLabel(toolkit::fromUtf8(lockItemCaption(window.document, object)));
    const wxPoint at = window.ScreenToClient(wxGetMousePosition() + wxPoint(3, 3));
    if (menuPopup()) {
        menuPopup()(window, at);
    } else {
        window.PopupMenu(window.hotspotMenu, at);
    }
}

void scrollPicture(MainWindow& window, const WheelTurn& turn) {
    AppState& s = window.state;
    CanvasCtrl& canvas = *window.canvas;
    const int picture = s.pictureObject;
    if (picture == 0 || !canvas.store().exists(picture)) return;
    // A sideways wheel, or the wheel with Ctrl, scrolls across.
    const bool across = turn.horizontal || turn.keyState == 1;
    if (!across && turn.keyState != 0) return;
    const wxSize view = canvas.GetClientSize();
    const int pixels = wheelPixels(turn.rotation, turn.delta, turn.linesPerNotch, turn.pageScroll,
                                   kWheelLinePixels, across ? view.x : view.y,
                                   across ? window.wheelRemainder.x : window.wheelRemainder.y);
    const int left = canvas.objectLeft(picture), top = canvas.objectTop(picture);
    // A sideways wheel tilted right shows more of the right side.
    const int toLeft = across ? scrollTarget(left, turn.horizontal ? -pixels : pixels,
                                             canvas.objectWidth(picture), view.x)
                              : left;
    const int toTop =
        across ? top : scrollTarget(top, pixels, canvas.objectHeight(picture), view.y);
    if (toLeft == left && toTop == top) return;
    canvas.moveObject(picture, toLeft, toTop);
    WindowDragStage stage(window);
    stage.pictureMoved();
}

void bindCanvasHandlers(MainWindow& window) {
    MainWindow* w = &window;
    auto stage = std::make_shared<WindowDragStage>(window);
    // One press of the left button, whatever it drags, is one step to take back.
    w->canvas->onLeftDown = [w](int x, int y, int keyState) {
        beginUndoStep(*w, kStepMove);
        rememberPress(w->state, x, y, keyState);
    };
    w->canvas->onLeftUp = [w] { endUndoStep(*w); };
    w->canvas->onWheel = [w](const WheelTurn& turn) { scrollPicture(*w, turn); };
    w->canvas->onObjectPressed = [w, stage](int object) {
        pressObject(w->state, w->document, *stage, object);
    };
    w->canvas->onMouseMoved = [w, stage](int x, int y, int pressed) {
        dragStep(w->state, w->document, *stage, x, y, pressed);
    };
    w->canvas->onObjectRightPressed = [w](int object) { openHotspotMenu(*w, object); };
}
