// The canvas's mouse handlers: press, drag, the wheel and the hotspot popup menu.
#pragma once

class MainWindow;
struct WheelTurn;

// The mouse wheel over the canvas: the view of the picture, and so every hotspot,
// scrolls up and down (sideways with a sideways wheel or with Ctrl) by the desktop's
// notch of kWheelLinePixels lines, never leaving more than the canvas empty past its
// ends. The document does not change.
inline constexpr int kWheelLinePixels = 20;
void scrollPicture(MainWindow& window, const WheelTurn& turn);
