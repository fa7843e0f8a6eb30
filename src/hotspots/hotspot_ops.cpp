#include "hotspots/hotspot_ops.h"

#include <wx/clrpicker.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/wupdlock.h>

#include "canvas/canvas_ctrl.h"
#include "core/canvas_drag.h"
#include "core/hotspot_face.h"
#include "core/selection_geometry.h"
#include "forms/main_window.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

PackedColour packed(const wxColour& c) { return packRgb(c.Red(), c.Green(), c.Blue()); }

void writeNumber(wxTextCtrl* box, int value) {
    box->ChangeValue(toolkit::fromUtf8(text::number13(value)));
}

}  // namespace

Bytes makeHotspotFace(MainWindow& window, int width, int height) {
    window.state.hotspotBitmap =
        makeHotspotFace(width, height, packed(window.hotspotPicker->GetColour()),
                        packed(window.borderPicker->GetColour()));
    return window.state.hotspotBitmap;
}

namespace {

// The making of one hotspot, with or without showing it selected. Returns its
// object, 0 when nothing was made.
int makeHotspot(MainWindow& window, int left, int top, int width, int height, const std::string& link,
                const std::string& tip, bool locked, bool show) {
    AppState& state = window.state;
    if (state.imagePath.empty()) return 0;
    // A rectangle drawn leftwards or upwards has a negative extent: turn it around.
    if (width < 0) {
        left += width;
        width = -width;
    }
    if (height < 0) {
        top += height;
        height = -height;
    }
    // A click without a drag has no area to link.
    if (width == 0 || height == 0) return 0;

    CanvasCtrl& canvas = *window.canvas;
    const int objectId = canvas.createObject(left, top);
    state.hotspotObjects.push_back(objectId);
    const int number = objectId - 1;
    const int index =
        window.hotspots.appendEntry(HotspotList::hotspotEntryText(number, locked), objectId);
    if (index < 0) return 0;
    window.hotspots.insertRow(index, text::number13(number));
    window.hotspots.setHotspotLinkTip(index, link, tip);
    const PackedColour fill = packed(window.hotspotPicker->GetColour());
    const PackedColour border = packed(window.borderPicker->GetColour());
    if (show) makeHotspotFace(window, width, height);  // the face's bytes, kept in the state
    canvas.setPicture(objectId, hotspotFacePicture(width, height, fill, border));
    canvas.setTransparency(objectId, window.transparencySlider->GetValue());
    if (show) {
        showFocusProperties(window, objectId);
        reselectHotspot(window, objectId);
    }
    return objectId;
}

}  // namespace

void createHotspot(MainWindow& window, int left, int top, int width, int height,
                   const std::string& link, const std::string& tip, bool locked) {
    makeHotspot(window, left, top, width, height, link, tip, locked, true);
}

void createHotspots(MainWindow& window, const std::vector<NewHotspot>& spots) {
    // One repaint for all of them; only the last is shown selected.
    wxWindowUpdateLocker frozen(&window);
    for (size_t i = 0; i < spots.size(); ++i) {
        const NewHotspot& h = spots[i];
        makeHotspot(window, h.left, h.top, h.width, h.height, h.link, h.tip, h.locked,
                    i + 1 == spots.size());
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
        handle->Show(p.visible);
        if (p.visible) handle->Update();
    }
    const int row = window.hotspots.findHotspotRow(objectId);
    if (row >= 0) window.hotspots.setSelection(row);
    window.canvas->Update();
    window.Update();
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

void deleteMenuTarget(MainWindow& window) {
    if (showMessage(kDeleteQuestion, true) != wxID_OK) return;
    const int target = window.state.menuTargetObject;
    const int row = window.hotspots.findHotspotRow(target);
    if (row >= 0) window.hotspots.removeAt(row);
    window.canvas->deleteObject(target);
    if (window.hotspots.hotspotCount() == 0) {
        window.hideHandles();
    } else {
        window.hotspots.setSelection(0);
        onHotspotListSelected(window);
    }
}

void toggleMenuTargetLock(MainWindow& window) {
    applyLockItem(window.hotspots, window.state.menuTargetObject,
                  toolkit::toUtf8(window.menuLock->GetItemLabelText()));
}
