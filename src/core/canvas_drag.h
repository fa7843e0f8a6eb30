// What the canvas does with the mouse: remembering the press, grabbing an object,
// dragging hotspots and the picture (the view, which every hotspot follows), and the
// popup menu's target and lock caption.
#pragma once

#include <string>

#include "core/app_state.h"
#include "core/document.h"

// The canvas and selection as the drag handlers see them.
class DragStage {
  public:
    virtual ~DragStage() = default;
    virtual int objectLeft(int id) const = 0;
    virtual int objectTop(int id) const = 0;
    // A hotspot moves in the document; any other object on the canvas only.
    virtual void moveObject(int id, int x, int y, bool collisionCheck) = 0;
    // The picture moved on the canvas: every hotspot follows it, the selected one
    // with its handles. The document does not change.
    virtual void pictureMoved() = 0;
    // Selects the object again from its freshly read rectangle (handles, list rows).
    virtual void reselect(int id) = 0;
    virtual void showFocusProperties(int id) = 0;
};

// Left button down on the canvas: the press point becomes the anchor, whatever
// keys are held, so a drag never starts from an earlier press.
void rememberPress(AppState& state, int x, int y, int keyState);

// An object pressed with the left button (0 for none): the anchor becomes the
// pointer's offset inside it; a listed hotspot is selected.
void pressObject(AppState& state, const doc::Document& work, DragStage& stage, int object);

// One mouse movement over the canvas with the object pressed since the button went
// down (-1 over nothing, 0 when the button is up). The picture carries the hotspots
// by the distance it really moved this step, measured from its own position.
void dragStep(AppState& state, const doc::Document& work, DragStage& stage, int x, int y,
              int pressedObject);

// Whether a right press on `object` opens the hotspot menu: only listed hotspots do.
bool opensHotspotMenu(const doc::Document& work, int object);

// The third menu item's caption for a hotspot: "解锁" when it is locked, else "锁定".
std::string lockItemCaption(const doc::Document& work, int objectId);

// The third menu item chosen with `caption`: "解锁" unlocks the hotspot, "锁定" locks
// it; nothing else changes.
void applyLockItem(doc::Document& work, int objectId, const std::string& caption);
