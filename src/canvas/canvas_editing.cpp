#include "canvas/canvas_editing.h"

#include <wx/cursor.h>
#include <wx/utils.h>

#include "canvas/canvas_ctrl.h"
#include "core/hotspot_resize.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"

namespace {

wxStockCursor stockCursor(ResizeCursor c) {
    switch (c) {
        case ResizeCursor::diagonalDown:
            return wxCURSOR_SIZENWSE;
        case ResizeCursor::diagonalUp:
            return wxCURSOR_SIZENESW;
        case ResizeCursor::sideways:
            return wxCURSOR_SIZEWE;
        case ResizeCursor::upDown:
            return wxCURSOR_SIZENS;
        case ResizeCursor::none:
            break;
    }
    return wxCURSOR_ARROW;
}

// The handles move as the hotspot changes under the pointer: the pointer is read
// from the desktop, in canvas coordinates, not from the moving handle.
wxPoint pointerOnCanvas(const MainWindow& window) {
    return window.canvas->ScreenToClient(wxGetMousePosition());
}

Arrow arrowOf(int key) {
    switch (key) {
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return Arrow::left;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return Arrow::right;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return Arrow::up;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return Arrow::down;
        default:
            return Arrow::none;
    }
}

void onCanvasKey(MainWindow& window, int key, int keyState) {
    const Arrow arrow = arrowOf(key);
    if (arrow != Arrow::none) {
        nudgeSelectedHotspot(window, nudgeOffset(arrow, keyState));
        return;
    }
    if ((key == WXK_DELETE || key == WXK_NUMPAD_DELETE) && keyState == 0) {
        const int selected = selectedHotspot(window);
        if (selected > 0) deleteHotspotAsked(window, selected);
    }
}

void bindHandle(MainWindow& window, int index) {
    MainWindow* w = &window;
    wxWindow* handle = window.handles[index];
    handle->SetCursor(wxCursor(stockCursor(handleCursor(index))));
    handle->Bind(wxEVT_LEFT_DOWN, [w, handle, index](wxMouseEvent&) {
        const wxPoint at = pointerOnCanvas(*w);
        if (!startHandleDrag(*w, index, at.x, at.y)) return;
        // The arrow keys act on the hotspot afterwards.
        w->canvas->SetFocus();
        if (!handle->HasCapture()) handle->CaptureMouse();
    });
    handle->Bind(wxEVT_MOTION, [w, index](wxMouseEvent&) {
        if (w->handleDrag.handle != index) return;
        const wxPoint at = pointerOnCanvas(*w);
        handleDragStep(*w, at.x, at.y);
    });
    handle->Bind(wxEVT_LEFT_UP, [w, handle](wxMouseEvent&) {
        if (handle->HasCapture()) handle->ReleaseMouse();
        endHandleDrag(*w);
    });
    handle->Bind(wxEVT_MOUSE_CAPTURE_LOST, [w](wxMouseCaptureLostEvent&) { endHandleDrag(*w); });
}

}  // namespace

bool startHandleDrag(MainWindow& window, int handle, int x, int y) {
    const int hotspot = window.handlesObject;
    if (!window.document.contains(hotspot) || isLockedHotspot(window, hotspot)) return false;
    beginUndoStep(window, kStepResize);
    window.handleDrag = HandleDrag{handle, hotspot, hotspotRect(window, hotspot), Point{x, y}};
    return true;
}

void handleDragStep(MainWindow& window, int x, int y) {
    const HandleDrag& drag = window.handleDrag;
    if (!drag.active()) return;
    const RectXYWH r =
        resizeFromHandle(drag.start, drag.handle, x - drag.pressed.x, y - drag.pressed.y);
    setHotspotGeometry(window, drag.objectId, r);
    reselectHotspot(window, drag.objectId);
    // Redrawing six text boxes costs more than the canvas and the handles together:
    // they are written once the movements that have come in are handled.
    if (window.focusWritePending) return;
    window.focusWritePending = true;
    MainWindow* w = &window;
    window.CallAfter([w, id = drag.objectId] {
        w->focusWritePending = false;
        if (w->document.contains(id)) showFocusProperties(*w, id);
    });
}

void endHandleDrag(MainWindow& window) {
    if (!window.handleDrag.active()) return;
    const int hotspot = window.handleDrag.objectId;
    window.handleDrag = HandleDrag{};
    showFocusProperties(window, hotspot);
    endUndoStep(window);
}

void nudgeSelectedHotspot(MainWindow& window, Point offset) {
    const int hotspot = selectedHotspot(window);
    if ((offset.x == 0 && offset.y == 0) || hotspot == 0 || isLockedHotspot(window, hotspot))
        return;
    UndoStep step(window, kStepMove, "nudge:" + std::to_string(hotspot));
    RectXYWH r = hotspotRect(window, hotspot);
    r.x += offset.x;
    r.y += offset.y;
    setHotspotGeometry(window, hotspot, r);
    reselectHotspot(window, hotspot);
    showFocusProperties(window, hotspot);
}

void bindCanvasEditing(MainWindow& window) {
    MainWindow* w = &window;
    for (int i = 0; i < kHandleCount; ++i) bindHandle(window, i);
    // Shift keeps opening the drawing overlay; the arrows and Delete come after it.
    auto earlier = w->canvas->onKeyDown;
    w->canvas->onKeyDown = [w, earlier](int key, int keyState) {
        if (earlier) earlier(key, keyState);
        onCanvasKey(*w, key, keyState);
    };
}
