// Repainting: the areas a paint event has to draw, and drawing what is invalid at
// once. wx hands GTK 3 windows only the box around what was invalidated (a few
// scattered strips then cost as much as their box), and its Update of a window
// paints the children too on GTK but not on Windows. One file per platform.
#pragma once

#include <wx/gdicmn.h>

#include <vector>

class wxPaintDC;
class wxWindow;

namespace toolkit {

// The rectangles to paint in `window` (client coordinates), at most `most` of
// them: when there are more, the box around them all.
std::vector<wxRect> paintAreas(wxPaintDC& dc, wxWindow& window, size_t most);

// Paints what is invalid in `window` and every window inside it, before returning.
void repaintNow(wxWindow& window);

}  // namespace toolkit
