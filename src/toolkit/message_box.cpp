#include "toolkit/message_box.h"

#include <wx/msgdlg.h>

#include "toolkit/widgets.h"

int showMessage(const std::string& utf8Text, bool withCancel) {
    wxMessageDialog box(nullptr, toolkit::fromUtf8(utf8Text), toolkit::fromUtf8(kMessageCaption),
                        wxOK | (withCancel ? wxCANCEL : 0) | wxICON_INFORMATION | wxCENTRE);
    // The system's own labels follow its language, and not always for a lone OK.
    if (withCancel)
        box.SetOKCancelLabels(toolkit::fromUtf8(kOkLabel), toolkit::fromUtf8(kCancelLabel));
    else
        box.SetOKLabel(toolkit::fromUtf8(kOkLabel));
    const int answer = box.ShowModal();
    return answer == wxID_OK ? wxID_OK : wxID_CANCEL;
}
