// Answers the info dialog that the program opens modally: checks what it shows,
// runs `act` on it (which types and presses a button, or closes it) and hands its
// result back to the program.
#pragma once

#include <wx/button.h>
#include <wx/testing.h>

#include <functional>
#include <string>

#include "forms/hotspot_info_dialog.h"
#include "gui_test.h"

namespace guitest {

// What the dialog showed when it opened.
struct ShownInfo {
    std::string caption;
    std::string cancelCaption;
    LinkTip boxes;
};

class ExpectHotspotInfo : public wxExpectModalBase<HotspotInfoDialog, ExpectHotspotInfo> {
  public:
    ExpectHotspotInfo(ShownInfo& shown, std::function<void(HotspotInfoDialog&)> act)
        : shown_(shown), act_(std::move(act)) {}

  protected:
    int OnInvoked(HotspotInfoDialog* d) const override {
        shown_.caption = s8(d->GetTitle());
        shown_.cancelCaption = s8(d->cancelButton->GetLabel());
        shown_.boxes = d->value();
        act_(*d);
        EXPECT_FALSE(d->IsShown()) << "the dialog was left open";
        return d->GetReturnCode();
    }
    wxString GetDefaultDescription() const override { return "hotspot info dialog"; }

  private:
    ShownInfo& shown_;
    std::function<void(HotspotInfoDialog&)> act_;
};

// Types into both boxes and presses 确认.
inline std::function<void(HotspotInfoDialog&)> confirmWith(const char* link, const char* tip) {
    return [link = std::string(link), tip = std::string(tip)](HotspotInfoDialog& d) {
        d.setValue({link, tip});
        pressButton(d.confirmButton);
    };
}

// Types into both boxes and presses the cancel button.
inline std::function<void(HotspotInfoDialog&)> cancelAfterTyping(const char* link, const char* tip) {
    return [link = std::string(link), tip = std::string(tip)](HotspotInfoDialog& d) {
        d.setValue({link, tip});
        pressButton(d.cancelButton);
    };
}

}  // namespace guitest
