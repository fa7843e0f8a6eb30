// Start-up and exit.
#pragma once

#include <wx/app.h>

#include <memory>

#include "core/app_state.h"

class MainWindow;

// Creates MainWindow for `state`, wires every subsystem's handlers and shows it.
MainWindow* openMainWindow(AppState& state);
// Once per process, before any window: picture decoders, assert handling.
void initialiseToolkit();

class HotspotApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;
    // What an event handler threw ends that handler only, with a word to the user.
    bool OnExceptionInMainLoop() override;

  private:
    std::unique_ptr<AppState> state_;
};
