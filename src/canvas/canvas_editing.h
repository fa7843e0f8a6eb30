// Editing the selected hotspot on the canvas by hand: dragging its handles to
// resize it, and the arrow and Delete keys.
#pragma once

#include "core/app_state.h"

class MainWindow;

// A handle pressed at canvas point (x, y): the hotspot the handles surround starts
// resizing from it, unless it is locked. Returns whether it did.
bool startHandleDrag(MainWindow& window, int handle, int x, int y);
// The pointer at canvas point (x, y) with the handle held: the hotspot takes its
// new size with a new face and the handles follow at once; the focus boxes follow
// once the event loop has handled the movements that came in.
void handleDragStep(MainWindow& window, int x, int y);
// The handle let go: the resize becomes one step to take back.
void endHandleDrag(MainWindow& window);

// The selected hotspot moved by `offset`, unless it is locked; presses on the same
// hotspot within a second of each other are one step.
void nudgeSelectedHotspot(MainWindow& window, Point offset);
