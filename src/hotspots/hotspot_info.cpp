// The popup item 修改, double clicks on a hotspot or its list entry, and the
// create flow behind a drawn rectangle.
#include "hotspots/hotspot_info.h"

#include <wx/listbox.h>
#include <wx/menu.h>

#include "canvas/canvas_ctrl.h"
#include "core/canvas_drag.h"
#include "core/link_rule.h"
#include "forms/hotspot_info_dialog.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"
#include "hotspots/undo_ui.h"

void modifyHotspotInfo(MainWindow& window, int objectId) {
    AppState& s = window.state;
    const doc::Hotspot* before = window.document.find(objectId);
    if (!before) return;
    s.editOldLink = before->link;
    s.editOldTip = before->tip;

    HotspotInfoDialog dialog(&window, HotspotInfoDialog::modify, {s.editOldLink, s.editOldTip});
    if (dialog.ShowModal() == wxID_OK) {
        const LinkTip typed = dialog.value();
        s.dialogLink = hotspotLink(typed.link, LinkEdit::modify);
        s.dialogTip = typed.tip;
    } else {
        s.dialogLink = s.editOldLink;
        s.dialogTip = s.editOldTip;
    }
    UndoStep step(window, kStepEdit);
    window.document.setLinkTip(objectId, s.dialogLink, s.dialogTip);
}

bool createDrawnHotspot(MainWindow& window) {
    AppState& s = window.state;
    HotspotInfoDialog dialog(&window, HotspotInfoDialog::create);
    if (dialog.ShowModal() != wxID_OK) return false;
    const LinkTip typed = dialog.value();
    s.dialogLink = hotspotLink(typed.link, LinkEdit::create);
    const int before = window.document.count();
    const RectXYWH r = s.drawnRect;
    UndoStep step(window, kStepAdd);
    createHotspot(window, r.x, r.y, r.w, r.h, s.dialogLink, typed.tip, true);
    return window.document.count() > before;
}

void bindHotspotInfo(MainWindow& window) {
    MainWindow* w = &window;
    w->Bind(
        wxEVT_MENU, [w](wxCommandEvent&) { modifyHotspotInfo(*w, w->state.menuTargetObject); },
        w->menuModify->GetId());
    w->canvas->onObjectDoubleClicked = [w](int object) {
        if (opensHotspotMenu(w->document, object)) modifyHotspotInfo(*w, object);
    };
    // The dialog opens once the list box has finished with the click.
    w->hotspotListBox->Bind(wxEVT_LISTBOX_DCLICK, [w](wxCommandEvent& e) {
        const doc::Hotspot* h = w->document.at(e.GetInt());
        const int object = h ? h->id : 0;
        if (object > 0) w->CallAfter([w, object] { modifyHotspotInfo(*w, object); });
    });
}
