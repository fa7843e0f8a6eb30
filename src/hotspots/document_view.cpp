#include "hotspots/document_view.h"

#include <wx/clrpicker.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "canvas/canvas_ctrl.h"
#include "core/hotspot_face.h"
#include "core/hotspot_resize.h"
#include "forms/main_window.h"

namespace {

PackedColour packed(const wxColour& c) { return packRgb(c.Red(), c.Green(), c.Blue()); }
wxColour colourOf(PackedColour c) { return wxColour(redOf(c), greenOf(c), blueOf(c)); }

}  // namespace

ViewTransform canvasView(const MainWindow& window) {
    const CanvasCtrl& canvas = *window.canvas;
    const int picture = window.state.pictureObject;
    return ViewTransform{Point{canvas.objectLeft(picture), canvas.objectTop(picture)}, 1.0};
}

void followPicture(MainWindow& window) {
    const ViewTransform view = canvasView(window);
    CanvasCtrl& canvas = *window.canvas;
    for (const doc::Hotspot& h : window.document.hotspots()) {
        const Point at = view.toCanvas(Point{h.rect.x, h.rect.y});
        canvas.moveObject(h.id, at.x, at.y);
    }
}

void DocumentView::hotspotAdded(int index, const doc::Hotspot& h) {
    CanvasCtrl& canvas = *window_.canvas;
    const RectXYWH r = canvasView(window_).toCanvas(h.rect);
    canvas.createObjectWithId(h.id, r.x, r.y);
    HotspotList& list = window_.hotspots;
    const int row =
        list.insertEntry(index, HotspotList::hotspotEntryText(h.number, h.locked), h.id);
    list.insertRow(row, text::number13(h.number));
    list.setHotspotLinkTip(row, h.link, h.tip);
    list.setFaceColours(row, h.look.fill, h.look.border);
    canvas.setPicture(h.id, face(r.w, r.h, h.look));
    canvas.setTransparency(h.id, h.look.transparency);
    showSelectedRow();
}

void DocumentView::hotspotRemoved(int index, const doc::Hotspot& h) {
    window_.hotspots.removeAt(index);
    window_.canvas->deleteObject(h.id);
    // The list box may lose its selection with an entry above it: it shows the document's.
    showSelectedRow();
}

void DocumentView::showSelectedRow() {
    const int selected = window_.document.selected();
    if (selected == 0) return;
    const int row = window_.document.indexOf(selected);
    if (window_.hotspots.selection() != row) window_.hotspots.setSelection(row);
}

void DocumentView::hotspotChanged(int index, const doc::Hotspot& before, const doc::Hotspot& now) {
    CanvasCtrl& canvas = *window_.canvas;
    HotspotList& list = window_.hotspots;
    const RectXYWH r = canvasView(window_).toCanvas(now.rect);
    if (now.look != before.look) {
        list.setFaceColours(index, now.look.fill, now.look.border);
        canvas.moveObject(now.id, r.x, r.y);
        canvas.setPicture(now.id, face(r.w, r.h, now.look));
        canvas.setTransparency(now.id, now.look.transparency);
    } else if (now.rect.w != before.rect.w || now.rect.h != before.rect.h) {
        // Only where the two faces differ is repainted.
        canvas.replaceFramedFace(now.id, r.x, r.y, face(r.w, r.h, now.look), kHotspotFrame);
    } else if (now.rect != before.rect) {
        canvas.moveObject(now.id, r.x, r.y);
    }
    if (now.link != before.link || now.tip != before.tip)
        list.setHotspotLinkTip(index, now.link, now.tip);
    if (now.locked != before.locked) list.setHotspotLocked(index, now.locked);
}

Picture DocumentView::face(int width, int height, const doc::Look& look) {
    auto& f = lastFace_;
    if (f.picture.empty() || f.width != width || f.height != height || f.fill != look.fill ||
        f.border != look.border) {
        f.picture = hotspotFacePicture(width, height, look.fill, look.border);
        f.width = width;
        f.height = height;
        f.fill = look.fill;
        f.border = look.border;
    }
    return f.picture;
}

void DocumentView::settingsChanged(const doc::Settings&) {
    showSettings(window_, window_.document.settings());
}

void DocumentView::cleared(const std::vector<doc::Hotspot>& gone) {
    window_.hotspots.clear();
    for (const doc::Hotspot& h : gone) window_.canvas->deleteObject(h.id);
}

void showSettings(MainWindow& window, const doc::Settings& s) {
    const auto pick = [](wxColourPickerCtrl* picker, PackedColour c) {
        if (packed(picker->GetColour()) != c) picker->SetColour(colourOf(c));
    };
    pick(window.hotspotPicker, s.hotspotColour);
    pick(window.borderPicker, s.borderColour);
    pick(window.backgroundPicker, s.backgroundColour);
    if (window.canvas->store().background() != s.backgroundColour)
        window.canvas->setCanvasBackground(s.backgroundColour);
    if (window.transparencySlider->GetValue() != s.transparency)
        window.transparencySlider->SetValue(s.transparency);
    const wxString shown = wxString::Format("%d", s.transparency);
    if (window.transparencyBox->GetValue() != shown) window.transparencyBox->ChangeValue(shown);
}

doc::Settings settingsShown(const MainWindow& window) {
    doc::Settings s;
    s.hotspotColour = packed(window.hotspotPicker->GetColour());
    s.borderColour = packed(window.borderPicker->GetColour());
    s.backgroundColour = packed(window.backgroundPicker->GetColour());
    s.transparency = window.transparencySlider->GetValue();
    return s;
}
