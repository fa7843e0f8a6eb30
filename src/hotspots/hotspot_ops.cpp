#include "hotspots/hotspot_ops.h"

#include <wx/clrpicker.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

#include <algorithm>

#include "canvas/canvas_ctrl.h"
#include "core/canvas_drag.h"
#include "core/hotspot_face.h"
#include "core/hotspot_resize.h"
#include "core/limits.h"
#include "core/selection_geometry.h"
#include "forms/main_window.h"
#include "forms/main_window_texts.h"
#include "hotspots/document_view.h"
#include "hotspots/undo_ui.h"
#include "toolkit/message_box.h"
#include "toolkit/repaint.h"
#include "toolkit/widgets.h"

namespace {

void writeNumber(wxTextCtrl* box, int value) {
    // Rewriting an entry costs a redraw: only what changed is written.
    const wxString shown = toolkit::fromUtf8(text::number13(value));
    if (box->GetValue() != shown) box->ChangeValue(shown);
}

}  // namespace

Bytes makeHotspotFace(MainWindow& window, int width, int height) {
    const doc::Look look = currentLook(window);
    return makeHotspotFace(width, height, look.fill, look.border);
}

doc::Look currentLook(const MainWindow& window) {
    const doc::Settings& s = window.document.settings();
    return doc::Look{s.hotspotColour, s.borderColour, s.transparency};
}

int insertHotspot(MainWindow& window, int index, std::optional<int> number, const RectXYWH& rect,
                  const std::string& link, const std::string& tip, bool locked,
                  const doc::Look& look) {
    AppState& state = window.state;
    // A face too large for memory is never made, whatever asked for it.
    if (state.imagePath.empty() || !hotspotFaceFits(rect.w, rect.h)) return 0;
    // The hotspot's id is the canvas object number it is shown under.
    doc::Hotspot h;
    h.id = window.canvas->store().nextNumber();
    h.number = number ? *number : h.id - 1;
    h.rect = canvasView(window).toPicture(rect);
    h.link = link;
    h.tip = tip;
    h.locked = locked;
    h.look = look;
    const int id = h.id;
    if (!window.document.add(index, std::move(h))) return 0;
    return id;
}

namespace {
// A rectangle drawn leftwards or upwards has a negative extent: turned around.
RectXYWH normalised(int left, int top, int width, int height) {
    if (width < 0) {
        left += width;
        width = -width;
    }
    if (height < 0) {
        top += height;
        height = -height;
    }
    return RectXYWH{left, top, width, height};
}
}  // namespace

void createHotspot(MainWindow& window, int left, int top, int width, int height,
                   const std::string& link, const std::string& tip, bool locked) {
    if (window.state.imagePath.empty()) return;
    takeSettingsFromControls(window);
    const RectXYWH rect = normalised(left, top, width, height);
    // A click without a drag has no area to link.
    if (rect.w == 0 || rect.h == 0) return;
    if (window.document.count() >= limits::kMaxHotspots) {
        showMessage(kTooManyHotspots);
        return;
    }
    // The face as a file is kept as the last one made; the canvas gets the same pixels.
    makeHotspotFace(window, rect.w, rect.h);
    const int objectId = insertHotspot(window, window.document.count(), std::nullopt, rect, link,
                                       tip, locked, currentLook(window));
    if (objectId == 0) return;
    showFocusProperties(window, objectId);
    reselectHotspot(window, objectId);
}

void applyHotspotSettings(MainWindow& window, PackedColour hotspot, PackedColour border,
                          PackedColour background, int transparency) {
    const doc::Settings s{hotspot, border, background, transparency};
    window.document.setSettings(s);
    // The controls show the document, also where they had been left behind.
    showSettings(window, s);
}

void createHotspots(MainWindow& window, const std::vector<NewHotspot>& spots) {
    if (window.state.imagePath.empty()) return;
    takeSettingsFromControls(window);
    // One repaint for all of them; only the last is shown selected.
    wxWindowUpdateLocker frozen(&window);
    const doc::Look look = currentLook(window);
    int last = 0;
    RectXYWH lastRect;
    for (const NewHotspot& h : spots) {
        if (window.document.count() >= limits::kMaxHotspots) break;
        const RectXYWH rect = normalised(h.left, h.top, h.width, h.height);
        if (rect.w == 0 || rect.h == 0) continue;
        const int id = insertHotspot(window, window.document.count(), std::nullopt, rect, h.link,
                                     h.tip, h.locked, look);
        if (id == 0) continue;
        last = id;
        lastRect = rect;
    }
    if (last == 0) return;
    makeHotspotFace(window, lastRect.w, lastRect.h);
    showFocusProperties(window, last);
    reselectHotspot(window, last);
}

void removeHotspot(MainWindow& window, int objectId) { window.document.remove(objectId); }

void setHotspotGeometry(MainWindow& window, int objectId, const RectXYWH& rect) {
    window.document.setRect(objectId, canvasView(window).toPicture(rect));
}

RectXYWH hotspotRect(const MainWindow& window, int objectId) {
    const doc::Hotspot* h = window.document.find(objectId);
    return h ? canvasView(window).toCanvas(h->rect) : RectXYWH{};
}

int selectedHotspot(const MainWindow& window) { return window.document.selected(); }

bool isLockedHotspot(const MainWindow& window, int objectId) {
    const doc::Hotspot* h = window.document.find(objectId);
    return h && h->locked;
}

void selectFirstOrNone(MainWindow& window) {
    if (window.document.count() == 0) {
        window.document.select({});
        window.hideHandles();
    } else {
        window.hotspots.setSelection(0);
        onHotspotListSelected(window);
    }
}

void selectHotspot(MainWindow& window, int top, int bottom, int left, int right, int width,
                   int height, int objectId) {
    const wxRect c = window.canvas->GetRect();
    const auto placements = placeHandles(top, bottom, left, right, width, height,
                                         CanvasFrame{c.x, c.y, c.width, c.height});
    for (int i = 0; i < kHandleCount; ++i) {
        wxWindow* handle = window.handles[i];
        const HandlePlacement& p = placements[i];
        if (handle->GetPosition() != wxPoint(p.x, p.y))
            handle->SetSize(p.x, p.y, 5, 5, wxSIZE_ALLOW_MINUS_ONE);
        // The handle being dragged stays under the pointer, even past the canvas edge.
        handle->Show(p.visible || window.handleDrag.handle == i);
    }
    window.handlesObject = objectId;
    const int row = window.document.indexOf(objectId);
    if (row >= 0) {
        window.document.select({objectId});
        window.hotspots.setSelection(row);
    }
    // Handles, canvas and window in one go: each repaint of its own waits for the display.
    toolkit::repaintNow(window);
}

void reselectHotspot(MainWindow& window, int objectId) {
    // A hotspot is drawn from the document; any other object from the canvas.
    const CanvasCtrl& canvas = *window.canvas;
    const RectXYWH r = window.document.contains(objectId)
                           ? hotspotRect(window, objectId)
                           : RectXYWH{canvas.objectLeft(objectId), canvas.objectTop(objectId),
                                      canvas.objectWidth(objectId), canvas.objectHeight(objectId)};
    selectHotspot(window, r.y, r.y + r.h, r.x, r.x + r.w, r.w, r.h, objectId);
}

void showFocusProperties(MainWindow& window, int objectId) {
    // Picture pixels, from the document.
    const doc::Hotspot* h = window.document.find(objectId);
    if (!h) return;
    const FocusValues f = focusValues(h->rect.x, h->rect.y, h->rect.w, h->rect.h, 0, 0);
    writeNumber(window.focusLeft, f.left);
    writeNumber(window.focusRight, f.right);
    writeNumber(window.focusTop, f.top);
    writeNumber(window.focusBottom, f.bottom);
    writeNumber(window.focusWidth, f.width);
    writeNumber(window.focusHeight, f.height);
}

void onHotspotListSelected(MainWindow& window) {
    // The list box has the user's choice; the document says which hotspot that is.
    const int index = window.hotspots.selection();
    const doc::Hotspot* h = window.document.at(index);
    if (!h) return;
    const int objectId = h->id;
    window.hotspots.setSelection(index);  // the table row follows the list box
    reselectHotspot(window, objectId);
    showFocusProperties(window, objectId);
}

void deleteHotspotAsked(MainWindow& window, int objectId) {
    if (showMessage(kDeleteQuestion, true) != wxID_OK) return;
    UndoStep step(window, kStepDelete);
    removeHotspot(window, objectId);
    selectFirstOrNone(window);
}

void deleteMenuTarget(MainWindow& window) { deleteHotspotAsked(window, window.state.menuTargetObject); }

void toggleMenuTargetLock(MainWindow& window) {
    const std::string caption = toolkit::toUtf8(window.menuLock->GetItemLabelText());
    UndoStep step(window, caption == mainform::kMenuUnlock ? kStepUnlock : kStepLock);
    applyLockItem(window.document, window.state.menuTargetObject, caption);
}
