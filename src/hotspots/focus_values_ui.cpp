// Values typed into the six focus boxes: on Enter, or when the box is left, the
// selected hotspot moves (左边, 顶边) or takes the new size (右边, 底边, 宽度, 高度).
// A value that is no whole number, or would make the hotspot smaller than 2 x 2,
// puts the hotspot's own value back, as does a locked hotspot.
#include <wx/textctrl.h>

#include <memory>

#include "core/hotspot_resize.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"
#include "toolkit/widgets.h"

namespace {

// `shownBefore` is what the box showed when it got the focus: with no hotspot
// selected it is what goes back.
void applyFocusBox(MainWindow& window, FocusBox box, wxTextCtrl* ctrl, const wxString& shownBefore) {
    const int hotspot = selectedHotspot(window);
    if (hotspot == 0) {
        ctrl->ChangeValue(shownBefore);
        return;
    }
    // The boxes show picture pixels: the document's own values.
    const doc::Hotspot& h = *window.document.find(hotspot);
    const std::optional<RectXYWH> typed =
        h.locked ? std::nullopt : applyTypedValue(h.rect, box, toolkit::toUtf8(ctrl->GetValue()));
    if (typed) {
        const bool moves = box == FocusBox::left || box == FocusBox::top;
        UndoStep step(window, moves ? kStepMove : kStepResize);
        window.document.setRect(hotspot, *typed);
        reselectHotspot(window, hotspot);
        showFocusProperties(window, hotspot);
        return;
    }
    showFocusProperties(window, hotspot);
}

}  // namespace

void bindFocusValues(MainWindow& window) {
    MainWindow* w = &window;
    const std::pair<wxTextCtrl*, FocusBox> boxes[] = {
        {w->focusLeft, FocusBox::left},     {w->focusRight, FocusBox::right},
        {w->focusTop, FocusBox::top},       {w->focusBottom, FocusBox::bottom},
        {w->focusWidth, FocusBox::width},   {w->focusHeight, FocusBox::height}};
    for (const auto& [ctrl, box] : boxes) {
        auto shownBefore = std::make_shared<wxString>();
        wxTextCtrl* c = ctrl;
        const FocusBox b = box;
        c->Bind(wxEVT_SET_FOCUS, [c, shownBefore](wxFocusEvent& e) {
            *shownBefore = c->GetValue();
            e.Skip();
        });
        c->Bind(wxEVT_TEXT_ENTER, [w, c, b, shownBefore](wxCommandEvent&) {
            applyFocusBox(*w, b, c, *shownBefore);
            *shownBefore = c->GetValue();
        });
        c->Bind(wxEVT_KILL_FOCUS, [w, c, b, shownBefore](wxFocusEvent& e) {
            e.Skip();
            if (w->IsBeingDeleted()) return;
            applyFocusBox(*w, b, c, *shownBefore);
        });
    }
}
