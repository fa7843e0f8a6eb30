// The info dialog's two flows: changing an existing hotspot's link and tip, and
// giving a freshly drawn rectangle its link and tip to become a hotspot.
#pragma once

class MainWindow;

// Opens the info dialog for the hotspot held by `objectId`, filled from its table
// row; confirm writes the new link and tip back, anything else leaves the row as it
// was. Nothing opens for an object without a list entry.
void modifyHotspotInfo(MainWindow& window, int objectId);

// Opens the info dialog with empty boxes for the rectangle in `drawnRect`; confirm
// creates a locked hotspot there. Returns whether a hotspot was made.
bool createDrawnHotspot(MainWindow& window);
