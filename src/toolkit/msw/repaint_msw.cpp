// Windows hands every paint its exact update region; UpdateWindow paints only the
// window itself, RedrawWindow its children too.
#include <wx/dcclient.h>
#include <wx/region.h>
#include <wx/window.h>
#include <wx/msw/wrapwin.h>

#include "toolkit/repaint.h"

namespace toolkit {

std::vector<wxRect> paintAreas(wxPaintDC&, wxWindow& window, size_t most) {
    const wxRect client(window.GetClientSize());
    std::vector<wxRect> areas;
    for (wxRegionIterator it(window.GetUpdateRegion()); it; ++it) {
        if (areas.size() == most) return {window.GetUpdateRegion().GetBox().Intersect(client)};
        const wxRect area = it.GetRect().Intersect(client);
        if (!area.IsEmpty()) areas.push_back(area);
    }
    return areas;
}

void repaintNow(wxWindow& window) {
    ::RedrawWindow(static_cast<HWND>(window.GetHandle()), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

}  // namespace toolkit
