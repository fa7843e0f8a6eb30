// The program's icon on its main window; one file per platform implements it.
#pragma once

class wxTopLevelWindow;

namespace toolkit {
void setProgramIcon(wxTopLevelWindow& window);
}  // namespace toolkit
