// The canvas: our own control that draws the canvas object store and raises the
// canvas events (left press, object pressed, right press, movement, key down, drop).
#pragma once

#include <wx/window.h>

#include <functional>
#include <vector>

#include "core/canvas_store.h"
#include "core/text.h"

// Key state of the common mouse and key events: 1 Ctrl, 2 Shift, 4 Alt.
int keyStateOf(const wxKeyboardState& state);

// One turn of the mouse wheel over the canvas, as the desktop reports it.
struct WheelTurn {
    int rotation = 0;  // positive: turned away from the user (or tilted left)
    int delta = 120;   // the rotation of one notch
    int linesPerNotch = 3;
    bool pageScroll = false;  // the desktop scrolls a page per notch
    bool horizontal = false;  // a sideways wheel
    int keyState = 0;
};

class CanvasCtrl : public wxWindow {
  public:
    CanvasCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
               const wxString& name);

    CanvasStore& store() { return store_; }
    const CanvasStore& store() const { return store_; }

    // Object operations; each repaints what it changes.
    int createObject(int x, int y);
    // An object under a number it had before; 0 when that number is in use.
    int createObjectWithId(int id, int x, int y);
    void deleteObject(int id);
    void deleteAll();
    // Decodes image file bytes; undecodable bytes leave the object without picture.
    // Returns false when the bytes did not decode.
    bool setPictureBytes(int id, const Bytes& bytes);
    void setPicture(int id, Picture picture);
    void setTransparency(int id, int percent);
    // Moves a hotspot and gives it a face of a new size with the same fill and frame
    // of `frame` pixels: only where the two faces differ is repainted.
    void replaceFramedFace(int id, int x, int y, Picture face, int frame);
    // Paints the object above every other from now on.
    void raiseObject(int id);
    // Moves an object; the collision check only raises events nothing handles.
    void moveObject(int id, int x, int y, bool collisionCheck = false);
    int objectLeft(int id) const { return store_.left(id); }
    int objectTop(int id) const { return store_.top(id); }
    int objectWidth(int id) const { return store_.width(id); }
    int objectHeight(int id) const { return store_.height(id); }

    void setCanvasBackground(PackedColour colour);
    // Empty bytes remove the background picture.
    void setBackgroundPictureBytes(const Bytes& bytes);

    // Canvas events. The common left-down fires before the object press.
    std::function<void(int x, int y, int keyState)> onLeftDown;  // common event -1
    // The left button came up, over the canvas or (while it held a press) anywhere.
    std::function<void()> onLeftUp;                                     // common event -2
    std::function<void(const WheelTurn& turn)> onWheel;                 // common event -12
    std::function<void(int object)> onObjectPressed;                    // canvas event 0
    std::function<void(int object)> onObjectRightPressed;               // canvas event 1
    std::function<void(int x, int y, int pressedObject)> onMouseMoved;  // canvas event 7
    // The arrow keys are the canvas's own: they do not move the keyboard focus on.
    std::function<void(int keyCode, int keyState)> onKeyDown;  // common event -9
    std::function<void(const std::vector<wxString>& files)> onFilesDropped;
    std::function<void(int object)> onBeforeDelete;  // canvas event 10
    // A double click whose button came up where it went down, raised after the
    // click has been handled, so it may open a dialog.
    std::function<void(int object)> onObjectDoubleClicked;  // canvas event 4

    // The object pressed with the left button while it is down: -1 over no object, 0 when up.
    int pressedObject() const { return pressed_; }

    // Repaints the invalid area now, composing only what is visible.
    void invalidateObject(int id);

  private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnRightDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnLeftDoubleClick(wxMouseEvent& event);
    void OnWheel(wxMouseEvent& event);
    void invalidateRect(int x, int y, int w, int h);
    void paintArea(wxDC& dc, const wxRect& area);

    CanvasStore store_;
    int pressed_ = 0;
    int doubleClicked_ = 0;  // the object of a double click until the button comes up
    wxPoint doubleClickAt_;
    std::vector<unsigned char> frame_;  // reused composition buffer
};
