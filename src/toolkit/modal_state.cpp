#include "toolkit/modal_state.h"

#include <wx/dialog.h>
#include <wx/modalhook.h>

#include <set>

namespace toolkit {

namespace {

int depth = 0;

class ModalWatch : public wxModalDialogHook {
public:
    std::set<wxDialog*> open;

protected:
    int Enter(wxDialog* dialog) override {
        open.insert(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override { open.erase(dialog); }
};

ModalWatch& watch() {
    static ModalWatch w;
    return w;
}

}  // namespace

bool modalOpen() { return depth > 0 || !watch().open.empty(); }

ModalScope::ModalScope() { ++depth; }
ModalScope::~ModalScope() { --depth; }

void watchModalDialogs() {
    static bool registered = false;
    if (registered) return;
    registered = true;
    watch().Register();
}

}  // namespace toolkit
