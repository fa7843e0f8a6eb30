// The icon comes from the icon theme, where the package installs it in every size.
#include <gtk/gtk.h>

#include "toolkit/program_icon.h"

namespace toolkit {
void setProgramIcon(wxTopLevelWindow&) { gtk_window_set_default_icon_name("huizhan-hotspots"); }
}  // namespace toolkit
