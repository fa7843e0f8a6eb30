// What the canvas does with the mouse: remembering the press, grabbing an object,
// dragging hotspots and the picture (which carries every hotspot with it), and the
// popup menu's target and lock caption.
#pragma once

#include <string>

#include "core/app_state.h"
#include "core/hotspot_list.h"

// The canvas and selection as the drag handlers see them.
class DragStage {
  public:
    virtual ~DragStage() = default;
    virtual int objectLeft(int id) const = 0;
    virtual int objectTop(int id) const = 0;
    virtual void moveObject(int id, int x, int y, bool collisionCheck) = 0;
    // Selects the object again from its freshly read rectangle (handles, list rows).
    virtual void reselect(int id) = 0;
    virtual void showFocusProperties(int id) = 0;
};

// Left button down on the canvas: the press point becomes the anchor, whatever
// keys are held, so a drag never starts from an earlier press.
void rememberPress(AppState& state, int x, int y, int keyState);

// An object pressed with the left button (0 for none): the anchor becomes the
// pointer's offset inside it; a listed hotspot is selected.
void pressObject(AppState& state, const HotspotList& hotspots, DragStage& stage, int object);

// One mouse movement over the canvas with the object pressed since the button went
// down (-1 over nothing, 0 when the button is up). The picture carries the hotspots
// by the distance it really moved this step, measured from its own position.
void dragStep(AppState& state, const HotspotList& hotspots, DragStage& stage, int x, int y,
              int pressedObject);

// Moves every listed hotspot by (dx, dy); the selected one takes its handles along.
void moveAllHotspots(const HotspotList& hotspots, DragStage& stage, int dx, int dy);

// Whether a right press on `object` opens the hotspot menu: only listed hotspots do.
bool opensHotspotMenu(const HotspotList& hotspots, int object);

// The third menu item's caption for a hotspot: "解锁" when it is locked, else "锁定".
std::string lockItemCaption(const HotspotList& hotspots, int objectId);

// The third menu item chosen with `caption`: "解锁" unlocks the hotspot, "锁定" locks
// it; its entry text is rewritten in place and nothing else changes.
void applyLockItem(HotspotList& hotspots, int objectId, const std::string& caption);
