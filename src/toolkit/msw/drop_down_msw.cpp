// A choice control is a combo box: CB_GETDROPPEDSTATE says whether its list is
// dropped down.
#include <windows.h>
#include <wx/choice.h>
#include <wx/window.h>

#include "toolkit/drop_down.h"

namespace toolkit {

bool dropDownOpen(wxWindow* top) {
    if (!top) return false;
    if (auto* choice = dynamic_cast<wxChoice*>(top)) {
        if (SendMessageW(static_cast<HWND>(choice->GetHandle()), CB_GETDROPPEDSTATE, 0, 0))
            return true;
    }
    for (wxWindow* child : top->GetChildren())
        if (dropDownOpen(child)) return true;
    return false;
}

}  // namespace toolkit
