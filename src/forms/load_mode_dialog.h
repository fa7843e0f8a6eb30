// LoadModeDialog: a small borderless box that asks whether the picture comes from
// the network or from a local file. Built from its control table.
#pragma once

#include <wx/dialog.h>

#include "core/app_state.h"

class wxButton;
class wxPanel;
class wxStaticBox;

class LoadModeDialog : public wxDialog {
public:
    // Clears state.loadDialogCancelled; the buttons write loadMode or loadDialogCancelled.
    explicit LoadModeDialog(AppState& state);

    wxPanel* backdrop = nullptr;         // 图片框1
    wxStaticBox* group = nullptr;        // 分组框1
    wxButton* networkButton = nullptr;   // 按钮1 "网络图片"
    wxButton* localButton = nullptr;     // 按钮2 "本地图片"
    wxButton* cancelButton = nullptr;    // 按钮3 "取消"

    static constexpr int kBackground[3] = {128, 160, 128};

private:
    void finish(int code);
    AppState& state_;
};
