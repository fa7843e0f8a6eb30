// DrawOverlayWindow: while Shift is held over the canvas, a child window covering
// the canvas exactly shows a frozen picture of it; a left drag draws a dotted
// rubber band, and the release hands the rectangle to the info dialog.
#pragma once

#include <wx/window.h>

#include <functional>

#include "core/rubber_band.h"

class CanvasCtrl;
class wxDC;
class MainWindow;
struct AppState;

class DrawOverlayWindow : public wxWindow {
  public:
    // Covers `canvas` and shows `snapshot` (the canvas's RGB rows, width x height).
    DrawOverlayWindow(CanvasCtrl* canvas, AppState& state, int width, int height,
                      std::vector<std::uint8_t> snapshot);

    wxWindow* board = nullptr;  // 画板背景: the drawing board, the window's only control

    // The board's mouse: press, movement and release, in board client coordinates.
    void startRubberBand(int x, int y);
    void moveRubberBand(int x, int y);
    void finishRubberBand();
    // Shift released: drops a rectangle being drawn and closes the overlay.
    void closeOverlay();
    bool closing() const { return closing_; }

    // What the board shows: the snapshot with the rubber band on it.
    const rubberband::Frame& frame() const { return frame_; }

    // Runs when a rectangle with an area has been drawn (state.drawnRect).
    std::function<void()> onRectangleDrawn;

  private:
    void repaint(const std::vector<RectXYWH>& strips);
    void paintBoard();
    // Draws the frame's pixels inside `area` at their place on the board.
    void drawFrame(wxDC& dc, const wxRect& area);

    CanvasCtrl* canvas_;
    AppState& state_;
    rubberband::Frame frame_;
    std::vector<unsigned char> rows_;  // reused for the pixels of one area
    bool closing_ = false;
};

// The Shift key down on the canvas: with a picture loaded, opens the overlay (once,
// however often the key repeats).
void openDrawOverlay(MainWindow& window, int keyCode);
// The overlay open over the window's canvas, or null.
DrawOverlayWindow* drawOverlayOf(const MainWindow& window);
