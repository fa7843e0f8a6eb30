// The hotspot controls of the main window: the fixed-size button, the colour
// pickers, the transparency slider and its number box, the hotspot list box, the
// popup menu's delete and lock items.
#include <wx/button.h>
#include <wx/clrpicker.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/slider.h>
#include <wx/textctrl.h>

#include "canvas/canvas_ctrl.h"
#include "core/hotspot_face.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "toolkit/message_box.h"
#include "toolkit/widgets.h"

namespace {

void onFixedHotspot(MainWindow& window) {
    if (window.state.imagePath.empty()) return;
    UndoStep step(window, kStepAdd);
    const int picture = window.state.pictureObject;
    createHotspot(window, window.canvas->objectLeft(picture), window.canvas->objectTop(picture),
                  150, 100, kPlaceholderLink, kPlaceholderTip, false);
}

// What typing can put there: a minus sign and digits. Pasted text may hold more.
double boxNumber(wxTextCtrl* box) { return text::leadingInteger(toolkit::toUtf8(box->GetValue())); }

// Every write of the box raises this handler once more for the new content.
void onTransparencyTyped(MainWindow& window) {
    wxTextCtrl* box = window.transparencyBox;
    // Pasted "1e3", "0x20" or "nan" count by their leading digits, as if typed, and
    // the box shows that number, so box and slider always agree.
    if (!text::onlyDigitsAndMinus(toolkit::toUtf8(box->GetValue()))) {
        box->SetValue(toolkit::fromUtf8(text::number(static_cast<long long>(boxNumber(box)))));
        return;
    }
    if (transparencyAboveRange(boxNumber(box))) box->SetValue("100");
    if (transparencyBelowRange(boxNumber(box))) box->SetValue("1");
    window.transparencySlider->SetValue(text::truncToInt(boxNumber(box)));
    recordSettingsStep(window, kStepTransparency, "transparency");
}

}  // namespace

void bindHotspotEditing(MainWindow& window) {
    MainWindow* w = &window;
    w->fixedHotspotButton->Bind(wxEVT_BUTTON, [w](wxCommandEvent&) { onFixedHotspot(*w); });

    w->backgroundPicker->Bind(wxEVT_COLOURPICKER_CHANGED, [w](wxColourPickerEvent& e) {
        const wxColour c = e.GetColour();
        w->canvas->setCanvasBackground(packRgb(c.Red(), c.Green(), c.Blue()));
        recordSettingsStep(*w, kStepBackground);
    });
    // The two face colours count for hotspots made from now on; each choice is a step.
    w->hotspotPicker->Bind(wxEVT_COLOURPICKER_CHANGED,
                           [w](wxColourPickerEvent&) { recordSettingsStep(*w, kStepHotspotColour); });
    w->borderPicker->Bind(wxEVT_COLOURPICKER_CHANGED,
                          [w](wxColourPickerEvent&) { recordSettingsStep(*w, kStepBorderColour); });
    // Dragging the slider or typing a number: changes less than a second apart are one step.
    w->transparencySlider->Bind(wxEVT_SLIDER, [w](wxCommandEvent&) {
        w->transparencyBox->SetValue(wxString::Format("%d", w->transparencySlider->GetValue()));
        recordSettingsStep(*w, kStepTransparency, "transparency");
    });
    w->transparencyBox->Bind(wxEVT_TEXT, [w](wxCommandEvent&) { onTransparencyTyped(*w); });

    w->hotspotListBox->Bind(wxEVT_LISTBOX, [w](wxCommandEvent&) { onHotspotListSelected(*w); });

    w->Bind(
        wxEVT_MENU, [w](wxCommandEvent&) { deleteMenuTarget(*w); }, w->menuDelete->GetId());
    w->Bind(
        wxEVT_MENU, [w](wxCommandEvent&) { toggleMenuTargetLock(*w); }, w->menuLock->GetId());

}
