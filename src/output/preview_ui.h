// The preview on the windows' side: the preview button, and the preview
// window's buttons and browser notifications.
#pragma once

#include <string>

class MainWindow;
class PreviewWindow;

// The preview button: writes the preview files, hides the main window, shows the
// document in the preview window modally, then deletes the files and brings the
// main window back with the focus. Nothing happens without a picture.
void showPreview(MainWindow& window);

// The preview window's five buttons, its browser notifications and the progress
// display; `documentPath` is the preview document the window started on.
void bindPreviewWindow(PreviewWindow& preview, const std::string& documentPath);
