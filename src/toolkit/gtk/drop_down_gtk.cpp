// A choice control is a GtkComboBox: its "popup-shown" property says whether the
// list is dropped down.
#include <gtk/gtk.h>
#include <wx/choice.h>
#include <wx/window.h>

#include "toolkit/drop_down.h"

namespace toolkit {

bool dropDownOpen(wxWindow* top) {
    if (!top) return false;
    if (auto* choice = dynamic_cast<wxChoice*>(top)) {
        GtkWidget* widget = static_cast<GtkWidget*>(choice->GetHandle());
        gboolean shown = FALSE;
        if (widget && GTK_IS_COMBO_BOX(widget))
            g_object_get(widget, "popup-shown", &shown, nullptr);
        if (shown) return true;
    }
    for (wxWindow* child : top->GetChildren())
        if (dropDownOpen(child)) return true;
    return false;
}

}  // namespace toolkit
