#include "toolkit/message_box.h"

#include <wx/msgdlg.h>

#include "toolkit/modal_state.h"
#include "toolkit/widgets.h"

int showMessage(const std::string& utf8Text, bool withCancel) {
    wxMessageDialog box(nullptr, toolkit::fromUtf8(utf8Text), toolkit::fromUtf8(kMessageCaption),
                        wxOK | (withCancel ? wxCANCEL : 0) | wxICON_INFORMATION | wxCENTRE);
    const toolkit::ModalScope modal;
    // The system's own labels follow its language, and not always for a lone OK.
    if (withCancel)
        box.SetOKCancelLabels(toolkit::fromUtf8(kOkLabel), toolkit::fromUtf8(kCancelLabel));
    else
        box.SetOKLabel(toolkit::fromUtf8(kOkLabel));
    const int answer = box.ShowModal();
    return answer == wxID_OK ? wxID_OK : wxID_CANCEL;
}

int askSaveChanges(const std::string& utf8Text) {
    wxMessageDialog box(nullptr, toolkit::fromUtf8(utf8Text), toolkit::fromUtf8(kMessageCaption),
                        wxYES_NO | wxCANCEL | wxICON_INFORMATION | wxCENTRE);
    box.SetYesNoCancelLabels(toolkit::fromUtf8("保存"), toolkit::fromUtf8("不保存"),
                             toolkit::fromUtf8("取消"));
    const int answer = box.ShowModal();
    return answer == wxID_YES || answer == wxID_NO ? answer : wxID_CANCEL;
}
