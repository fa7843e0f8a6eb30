// Whether a modal dialog, message box or busy box of the program is open: drops
// on the canvas are refused meanwhile, or a picture would land behind the dialog.
#pragma once

namespace toolkit {

bool modalOpen();

// Marks a modal stretch of the program (a dialog shown, a wait with a busy box).
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;
};

// Watches every modal dialog wx shows, the program's own and the library's; once.
void watchModalDialogs();

}  // namespace toolkit
