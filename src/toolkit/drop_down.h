// Whether a drop-down list of a window is open; one file per platform implements it.
#pragma once

class wxWindow;

namespace toolkit {
// True while the list of a choice control below `top` is dropped down: an Esc
// then closes the list, not the window.
bool dropDownOpen(wxWindow* top);
}  // namespace toolkit
