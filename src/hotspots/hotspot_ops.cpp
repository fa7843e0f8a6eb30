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
#include "hotspots/undo_ui.h"
#include "toolkit/message_box.h"
#include "toolkit/repaint.h"
#include "toolkit/widgets.h"

namespace {

PackedColour packed(const wxColour& c) { return packRgb(c.Red(), c.Green(), c.Blue()); }

void writeNumber(wxTextCtrl* box, int value) {
    // Rewriting an entry costs a redraw: only what changed is written.
    const wxString shown = toolkit::fromUtf8(text::number13(value));
    if (box->GetValue() != shown) box->ChangeValue(shown);
}

}  // namespace

Bytes makeHotspotFace(MainWindow& window, int width, int height) {
    window.state.hotspotBitmap =
        makeHotspotFace(width, height, packed(window.hotspotPicker->GetColour()),
                        packed(window.borderPicker->GetColour()));
    return window.state.hotspotBitmap;
}

HotspotLook currentLook(const MainWindow& window) {
    return HotspotLook{packed(window.hotspotPicker->GetColour()), packed(window.borderPicker->GetColour()),
                       window.transparencySlider->GetValue()};
}

int insertHotspot(MainWindow& window, int index, std::optional<int> number, const RectXYWH& rect,
                  const std::string& link, const std::string& tip, bool locked,
                  const HotspotLook& look) {
    AppState& state = window.state;
    // A face too large for memory is never made, whatever asked for it.
    if (state.imagePath.empty() || !hotspotFaceFits(rect.w, rect.h)) return 0;
    CanvasCtrl& canvas = *window.canvas;
    const int objectId = canvas.createObject(rect.x, rect.y);
    state.hotspotObjects.push_back(objectId);
    const int shown = number ? *number : objectId - 1;
    const int row =
        window.hotspots.insertEntry(index, HotspotList::hotspotEntryText(shown, locked), objectId);
    window.hotspots.insertRow(row, text::number13(shown));
    window.hotspots.setHotspotLinkTip(row, link, tip);
    window.hotspots.setFaceColours(row, look.fill, look.border);
    canvas.setPicture(objectId, hotspotFacePicture(rect.w, rect.h, look.fill, look.border));
    canvas.setTransparency(objectId, look.transparency);
    return objectId;
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
    const RectXYWH rect = normalised(left, top, width, height);
    // A click without a drag has no area to link.
    if (rect.w == 0 || rect.h == 0) return;
    if (window.hotspots.hotspotCount() >= limits::kMaxHotspots) {
        showMessage(kTooManyHotspots);
        return;
    }
    // The face as a file is kept as the last one made; the canvas gets the same pixels.
    makeHotspotFace(window, rect.w, rect.h);
    const int objectId = insertHotspot(window, window.hotspots.hotspotCount(), std::nullopt, rect,
                                       link, tip, locked, currentLook(window));
    if (objectId == 0) return;
    showFocusProperties(window, objectId);
    reselectHotspot(window, objectId);
}

void applyHotspotSettings(MainWindow& window, PackedColour hotspot, PackedColour border,
                          PackedColour background, int transparency) {
    const auto colour = [](PackedColour c) { return wxColour(redOf(c), greenOf(c), blueOf(c)); };
    window.hotspotPicker->SetColour(colour(hotspot));
    window.borderPicker->SetColour(colour(border));
    window.backgroundPicker->SetColour(colour(background));
    window.canvas->setCanvasBackground(background);
    window.transparencySlider->SetValue(transparency);
    window.transparencyBox->ChangeValue(wxString::Format("%d", transparency));
}

void createHotspots(MainWindow& window, const std::vector<NewHotspot>& spots) {
    if (window.state.imagePath.empty()) return;
    // One repaint for all of them; only the last is shown selected.
    wxWindowUpdateLocker frozen(&window);
    const HotspotLook look = currentLook(window);
    int last = 0;
    RectXYWH lastRect;
    for (const NewHotspot& h : spots) {
        if (window.hotspots.hotspotCount() >= limits::kMaxHotspots) break;
        const RectXYWH rect = normalised(h.left, h.top, h.width, h.height);
        if (rect.w == 0 || rect.h == 0) continue;
        const int id = insertHotspot(window, window.hotspots.hotspotCount(), std::nullopt, rect,
                                     h.link, h.tip, h.locked, look);
        if (id == 0) continue;
        last = id;
        lastRect = rect;
    }
    if (last == 0) return;
    makeHotspotFace(window, lastRect.w, lastRect.h);
    showFocusProperties(window, last);
    reselectHotspot(window, last);
}

void removeHotspot(MainWindow& window, int objectId) {
    const int row = window.hotspots.findHotspotRow(objectId);
    if (row >= 0) window.hotspots.removeAt(row);
    window.canvas->deleteObject(objectId);
}

void setHotspotGeometry(MainWindow& window, int objectId, const RectXYWH& rect) {
    CanvasCtrl& canvas = *window.canvas;
    const HotspotEntry* entry = window.hotspots.entry(window.hotspots.findHotspotRow(objectId));
    if (!entry || !canvas.store().exists(objectId)) return;
    if (canvas.objectWidth(objectId) != rect.w || canvas.objectHeight(objectId) != rect.h) {
        canvas.replaceFramedFace(objectId, rect.x, rect.y,
                                 hotspotFacePicture(rect.w, rect.h, entry->fill, entry->border),
                                 kHotspotFrame);
    } else if (canvas.objectLeft(objectId) != rect.x || canvas.objectTop(objectId) != rect.y) {
        canvas.moveObject(objectId, rect.x, rect.y);
    }
}

RectXYWH hotspotRect(const MainWindow& window, int objectId) {
    const CanvasCtrl& c = *window.canvas;
    return RectXYWH{c.objectLeft(objectId), c.objectTop(objectId), c.objectWidth(objectId),
                    c.objectHeight(objectId)};
}

int selectedHotspot(const MainWindow& window) {
    return std::max(0, window.hotspots.hotspotObjectAt(window.hotspots.selection()));
}

bool isLockedHotspot(const MainWindow& window, int objectId) {
    return window.hotspots.isHotspotLocked(window.hotspots.findHotspotRow(objectId));
}

void selectFirstOrNone(MainWindow& window) {
    if (window.hotspots.hotspotCount() == 0) {
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
    const int row = window.hotspots.findHotspotRow(objectId);
    if (row >= 0) window.hotspots.setSelection(row);
    // Handles, canvas and window in one go: each repaint of its own waits for the display.
    toolkit::repaintNow(window);
}

void reselectHotspot(MainWindow& window, int objectId) {
    const CanvasCtrl& canvas = *window.canvas;
    const int top = canvas.objectTop(objectId), height = canvas.objectHeight(objectId);
    const int left = canvas.objectLeft(objectId), width = canvas.objectWidth(objectId);
    selectHotspot(window, top, top + height, left, left + width, width, height, objectId);
}

void showFocusProperties(MainWindow& window, int objectId) {
    const CanvasCtrl& canvas = *window.canvas;
    const int picture = window.state.pictureObject;
    const FocusValues f = focusValues(canvas.objectLeft(objectId), canvas.objectTop(objectId),
                                      canvas.objectWidth(objectId), canvas.objectHeight(objectId),
                                      canvas.objectLeft(picture), canvas.objectTop(picture));
    writeNumber(window.focusLeft, f.left);
    writeNumber(window.focusRight, f.right);
    writeNumber(window.focusTop, f.top);
    writeNumber(window.focusBottom, f.bottom);
    writeNumber(window.focusWidth, f.width);
    writeNumber(window.focusHeight, f.height);
}

void onHotspotListSelected(MainWindow& window) {
    const int index = window.hotspots.selection();
    const int objectId = window.hotspots.hotspotObjectAt(index);
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
    applyLockItem(window.hotspots, window.state.menuTargetObject, caption);
}
