// The reset: back to the no-picture state, ready for the next picture.
#include "app/reset.h"

#include <wx/button.h>
#include <wx/textctrl.h>

#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "forms/main_window_texts.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "toolkit/widgets.h"

void resetAll(MainWindow& window) {
    AppState& state = window.state;
    // The canvas keeps counting object numbers: the next picture is not object 1.
    window.canvas->deleteAll();
    window.canvas->setBackgroundPictureBytes({});
    state.pictureObject = 0;
    window.hideHandles();
    for (wxTextCtrl* box : {window.focusHeight, window.focusWidth, window.focusBottom,
                            window.focusTop, window.focusRight, window.focusLeft})
        box->ChangeValue(wxString());
    window.document.clearHotspots();  // and so the list box and the table
    state.dragAnchor = Point{0, 0};
    window.setStatusText(kPanePath, toolkit::fromUtf8(mainform::kNoPicture));
    window.setStatusWidth(kPanePath, 250);
    window.setStatusText(kPaneWidth, wxString());
    window.setStatusText(kPaneHeight, wxString());
    window.loadButton->Enable();
    state.imagePath.clear();
    // Nothing is left to take back.
    forgetUndoSteps(window);
}
