// The canvas's mouse handlers: press, drag and the hotspot popup menu.
#include <wx/menu.h>
#include <wx/utils.h>

#include "canvas/canvas_ctrl.h"
#include "core/canvas_drag.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "toolkit/widgets.h"

namespace {

// The drag arithmetic's view of the main window's canvas and selection.
class WindowDragStage : public DragStage {
  public:
    explicit WindowDragStage(MainWindow& window) : window_(window) {}
    int objectLeft(int id) const override { return window_.canvas->objectLeft(id); }
    int objectTop(int id) const override { return window_.canvas->objectTop(id); }
    void moveObject(int id, int x, int y, bool collisionCheck) override {
        window_.canvas->moveObject(id, x, y, collisionCheck);
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
    if (!opensHotspotMenu(window.hotspots, object)) return;
    window.state.menuTargetObject = object;
    window.menuLock->SetItemLabel(toolkit::fromUtf8(lockItemCaption(window.hotspots, object)));
    const wxPoint at = window.ScreenToClient(wxGetMousePosition() + wxPoint(3, 3));
    if (menuPopup()) {
        menuPopup()(window, at);
    } else {
        window.PopupMenu(window.hotspotMenu, at);
    }
}

void bindCanvasHandlers(MainWindow& window) {
    MainWindow* w = &window;
    auto stage = std::make_shared<WindowDragStage>(window);
    w->canvas->onLeftDown = [w](int x, int y, int keyState) {
        rememberPress(w->state, x, y, keyState);
    };
    w->canvas->onObjectPressed = [w, stage](int object) { pressObject(w->state, w->hotspots, *stage, object);
    };
    w->canvas->onMouseMoved = [w, stage](int x, int y, int pressed) {
        dragStep(w->state, w->hotspots, *stage, x, y, pressed);
    };
    w->canvas->onObjectRightPressed = [w](int object) { openHotspotMenu(*w, object); };
}
