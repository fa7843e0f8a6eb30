// The code output on the windows' side: gathering the generator's inputs from the
// main window, the view-code button, and the code window's handlers.
#pragma once

#include <functional>
#include <string>

class CodeWindow;
class MainWindow;

enum class MapVariant {
    code,     // the code window's: the address given for the code, a fresh map name
    preview,  // the preview document's: the copy's name or network address, literal map name
};

// The image-map code of the current picture and hotspots, read at this moment.
std::string generateMapCode(const MainWindow& window, MapVariant variant);

// The view-code button: asks for the picture's network address when the picture
// is local, then opens the code window modally.
void viewCode(MainWindow& window);

// The copy button and the full-screen conversion row; `pictureHeight` reads the
// picture's height on the canvas when the conversion runs.
void bindCodeWindow(CodeWindow& codeWindow, std::function<int()> pictureHeight);
