#include "hotspots/undo_ui.h"

#include <wx/clrpicker.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <cstdlib>

#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "forms/main_window_texts.h"
#include "hotspots/hotspot_ops.h"
#include "platform/clock.h"
#include "project/project_session.h"
#include "toolkit/widgets.h"

namespace {

PackedColour packed(const wxColour& c) { return packRgb(c.Red(), c.Green(), c.Blue()); }

// The history's changes carried out by the program's own hotspot routines.
class WindowEditor : public undo::WorkEditor {
  public:
    explicit WindowEditor(MainWindow& window) : window_(window) {}

    undo::Work capture() const override { return captureWork(window_); }
    void setGeometry(int objectId, const RectXYWH& r) override {
        const Point at = pictureAt();
        setHotspotGeometry(window_, objectId, RectXYWH{at.x + r.x, at.y + r.y, r.w, r.h});
    }
    void setLinkTip(int objectId, const std::string& link, const std::string& tip) override {
        window_.hotspots.setHotspotLinkTip(window_.hotspots.findHotspotRow(objectId), link, tip);
    }
    void setLocked(int objectId, bool locked) override {
        window_.hotspots.setHotspotLocked(window_.hotspots.findHotspotRow(objectId), locked);
    }
    int recreate(int index, const undo::HotspotState& h) override {
        const Point at = pictureAt();
        return insertHotspot(window_, index, h.number,
                             RectXYWH{at.x + h.rect.x, at.y + h.rect.y, h.rect.w, h.rect.h}, h.link,
                             h.tip, h.locked, HotspotLook{h.fill, h.border, h.transparency});
    }
    void remove(int objectId) override { removeHotspot(window_, objectId); }
    void setSettings(const undo::Settings& s) override {
        applyHotspotSettings(window_, s.hotspotColour, s.borderColour, s.backgroundColour,
                             s.transparency);
    }
    void finish(int touched) override {
        if (touched > 0) {
            reselectHotspot(window_, touched);
            showFocusProperties(window_, touched);
        } else if (selectedHotspot(window_) == 0) {
            selectFirstOrNone(window_);
        } else {
            onHotspotListSelected(window_);
        }
    }

  private:
    Point pictureAt() const {
        const int picture = window_.state.pictureObject;
        return Point{window_.canvas->objectLeft(picture), window_.canvas->objectTop(picture)};
    }
    MainWindow& window_;
};

void afterChange(MainWindow& window) {
    refreshUndoMenu(window);
    if (window.session) noteWork(window);
}

wxString menuLabel(const char* verb, const std::string& step) { return toolkit::fromUtf8(verb + step); }

}  // namespace

undo::Work captureWork(const MainWindow& window) {
    const CanvasCtrl& canvas = *window.canvas;
    const int picture = window.state.pictureObject;
    const int pictureLeft = canvas.objectLeft(picture), pictureTop = canvas.objectTop(picture);
    undo::Work work;
    const HotspotList& list = window.hotspots;
    work.hotspots.reserve(list.hotspotCount());
    for (int i = 0; i < list.hotspotCount(); ++i) {
        const HotspotEntry& e = *list.entry(i);
        const CanvasObject* o = canvas.store().find(e.objectId);
        undo::HotspotState h;
        h.objectId = e.objectId;
        h.number = std::atoi(e.caption.c_str());
        h.rect = RectXYWH{canvas.objectLeft(e.objectId) - pictureLeft, canvas.objectTop(e.objectId) - pictureTop,
                          canvas.objectWidth(e.objectId), canvas.objectHeight(e.objectId)};
        h.link = e.link;
        h.tip = e.tip;
        h.locked = list.isHotspotLocked(i);
        h.fill = e.fill;
        h.border = e.border;
        h.transparency = o ? o->transparency : 0;
        work.hotspots.push_back(std::move(h));
    }
    undo::Settings& s = work.settings;
    s.hotspotColour = packed(window.hotspotPicker->GetColour());
    s.borderColour = packed(window.borderPicker->GetColour());
    s.backgroundColour = packed(window.backgroundPicker->GetColour());
    s.transparency = window.transparencySlider->GetValue();
    return work;
}

void beginUndoStep(MainWindow& window, const char* name, const std::string& mergeKey) {
    window.undoHistory.begin(name, captureWork(window), mergeKey, platform::tickCountMs());
}

void endUndoStep(MainWindow& window) {
    if (!window.undoHistory.isOpen()) return;
    window.undoHistory.end(captureWork(window));
    afterChange(window);
}

UndoStep::UndoStep(MainWindow& window, const char* name, const std::string& mergeKey)
    : window_(window) {
    beginUndoStep(window, name, mergeKey);
}

UndoStep::~UndoStep() { endUndoStep(window_); }

void recordSettingsStep(MainWindow& window, const char* name, const std::string& mergeKey) {
    window.undoHistory.recordSettings(name, captureWork(window), mergeKey, platform::tickCountMs());
    afterChange(window);
}

namespace {
// A drag still held keeps the work as it is. (Ctrl+Shift+Z on the canvas opens the
// drawing overlay with its Shift: that must not keep it.)
bool busy(const MainWindow& window) {
    return window.undoHistory.isOpen() && wxGetMouseState().LeftIsDown();
}
}  // namespace

void undoLastStep(MainWindow& window) {
    if (busy(window)) return;
    WindowEditor editor(window);
    if (window.undoHistory.undo(editor)) afterChange(window);
}

void redoLastStep(MainWindow& window) {
    if (busy(window)) return;
    WindowEditor editor(window);
    if (window.undoHistory.redo(editor)) afterChange(window);
}

void forgetUndoSteps(MainWindow& window) {
    window.undoHistory.clear(captureWork(window));
    refreshUndoMenu(window);
}

void refreshUndoMenu(MainWindow& window) {
    const undo::UndoHistory& h = window.undoHistory;
    const wxString undoLabel = menuLabel(mainform::kMenuUndo, h.undoName());
    const wxString redoLabel = menuLabel(mainform::kMenuRedo, h.redoName());
    if (window.menuUndo->GetItemLabel() != undoLabel) window.menuUndo->SetItemLabel(undoLabel);
    if (window.menuRedo->GetItemLabel() != redoLabel) window.menuRedo->SetItemLabel(redoLabel);
    if (window.menuUndo->IsEnabled() != h.canUndo()) window.menuUndo->Enable(h.canUndo());
    if (window.menuRedo->IsEnabled() != h.canRedo()) window.menuRedo->Enable(h.canRedo());
}

void bindUndo(MainWindow& window) {
    MainWindow* w = &window;
    w->Bind(wxEVT_MENU, [w](wxCommandEvent&) { undoLastStep(*w); }, w->menuUndo->GetId());
    w->Bind(wxEVT_MENU, [w](wxCommandEvent&) { redoLastStep(*w); }, w->menuRedo->GetId());
    // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z anywhere in the window, except in a text box,
    // where they belong to the text.
    w->Bind(wxEVT_CHAR_HOOK, [w](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        const bool z = key == 'Z' || key == 'z', y = key == 'Y' || key == 'y';
        const bool undoKey = e.GetModifiers() == wxMOD_CONTROL && z;
        const bool redoKey = (e.GetModifiers() == wxMOD_CONTROL && y) ||
                             (e.GetModifiers() == (wxMOD_CONTROL | wxMOD_SHIFT) && z);
        if ((!undoKey && !redoKey) || dynamic_cast<wxTextEntry*>(wxWindow::FindFocus())) {
            e.Skip();
            return;
        }
        if (undoKey) {
            undoLastStep(*w);
        } else {
            redoLastStep(*w);
        }
    });
    forgetUndoSteps(window);
}
