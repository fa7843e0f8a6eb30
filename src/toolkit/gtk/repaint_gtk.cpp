// The clip of a GTK 3 paint is the exact invalid region; wx keeps only its extents.
// Processing a window's updates paints its children along with it.
#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/window.h>

#include "toolkit/repaint.h"

namespace toolkit {

std::vector<wxRect> paintAreas(wxPaintDC& dc, wxWindow& window, size_t most) {
    const wxRect client(window.GetClientSize());
    const wxRect box = window.GetUpdateRegion().GetBox().Intersect(client);
    auto* cr = static_cast<cairo_t*>(dc.GetHandle());
    if (!cr) return {box};
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    std::vector<wxRect> areas;
    if (list->status == CAIRO_STATUS_SUCCESS && list->num_rectangles > 0 &&
        static_cast<size_t>(list->num_rectangles) <= most) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            const int x = static_cast<int>(r.x), y = static_cast<int>(r.y);
            const wxRect area = wxRect(x, y, static_cast<int>(r.x + r.width + 0.999) - x,
                                       static_cast<int>(r.y + r.height + 0.999) - y)
                                    .Intersect(client);
            if (!area.IsEmpty()) areas.push_back(area);
        }
    } else {
        areas.push_back(box);
    }
    cairo_rectangle_list_destroy(list);
    return areas;
}

void repaintNow(wxWindow& window) { window.Update(); }

}  // namespace toolkit
