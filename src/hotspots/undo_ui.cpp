#include "hotspots/undo_ui.h"

#include <wx/clrpicker.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "forms/main_window_texts.h"
#include "hotspots/document_view.h"
#include "hotspots/hotspot_ops.h"
#include "platform/clock.h"
#include "project/project_session.h"
#include "toolkit/widgets.h"

namespace {

// The step just taken back or forward: the hotspot it touched is selected, or, when
// the selected one went, the first one left.
void showStepTaken(MainWindow& window, int touched) {
    if (touched > 0) {
        reselectHotspot(window, touched);
        showFocusProperties(window, touched);
    } else if (selectedHotspot(window) == 0) {
        selectFirstOrNone(window);
    } else {
        reselectHotspot(window, selectedHotspot(window));
        showFocusProperties(window, selectedHotspot(window));
    }
}

void afterChange(MainWindow& window) {
    refreshUndoMenu(window);
    if (window.session) noteWork(window);
}

wxString menuLabel(const char* verb, const std::string& step) { return toolkit::fromUtf8(verb + step); }

}  // namespace

void takeSettingsFromControls(MainWindow& window) {
    window.document.setSettings(settingsShown(window));
}

void beginUndoStep(MainWindow& window, const char* name, const std::string& mergeKey) {
    takeSettingsFromControls(window);
    window.undoHistory.begin(name, window.document, mergeKey, platform::tickCountMs());
}

void endUndoStep(MainWindow& window) {
    if (!window.undoHistory.isOpen()) return;
    takeSettingsFromControls(window);
    window.undoHistory.end(window.document);
    afterChange(window);
}

UndoStep::UndoStep(MainWindow& window, const char* name, const std::string& mergeKey)
    : window_(window) {
    beginUndoStep(window, name, mergeKey);
}

UndoStep::~UndoStep() { endUndoStep(window_); }

void recordSettingsStep(MainWindow& window, const char* name, const std::string& mergeKey) {
    takeSettingsFromControls(window);
    window.undoHistory.recordSettings(name, window.document, mergeKey, platform::tickCountMs());
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
    takeSettingsFromControls(window);
    if (!window.undoHistory.undo(window.document)) return;
    showStepTaken(window, window.undoHistory.lastTouched());
    afterChange(window);
}

void redoLastStep(MainWindow& window) {
    if (busy(window)) return;
    takeSettingsFromControls(window);
    if (!window.undoHistory.redo(window.document)) return;
    showStepTaken(window, window.undoHistory.lastTouched());
    afterChange(window);
}

void forgetUndoSteps(MainWindow& window) {
    takeSettingsFromControls(window);
    window.undoHistory.clear(window.document);
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
