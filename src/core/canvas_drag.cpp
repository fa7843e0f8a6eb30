#include "core/canvas_drag.h"

namespace {
constexpr const char* kLockCaption = "锁定";
constexpr const char* kUnlockCaption = "解锁";
}  // namespace

void rememberPress(AppState& state, int x, int y, int /*keyState*/) {
    state.dragAnchor = Point{x, y};
}

namespace {
bool isHotspot(const HotspotList& hotspots, int object) {
    return object > 0 && hotspots.findHotspotRow(object) >= 0;
}
}  // namespace

void pressObject(AppState& state, const HotspotList& hotspots, DragStage& stage, int object) {
    // Object 0 reads as position (0, 0).
    state.dragAnchor.x -= stage.objectLeft(object);
    state.dragAnchor.y -= stage.objectTop(object);
    if (isHotspot(hotspots, object)) {
        stage.reselect(object);
        stage.showFocusProperties(object);
    }
}

void moveAllHotspots(const HotspotList& hotspots, DragStage& stage, int dx, int dy) {
    const int selected = hotspots.selection();
    const int count = hotspots.hotspotCount();
    for (int i = 0; i < count; ++i) {
        const int h = hotspots.hotspotObjectAt(i);
        stage.moveObject(h, stage.objectLeft(h) + dx, stage.objectTop(h) + dy, false);
        if (i == selected) stage.reselect(h);
    }
}

void dragStep(AppState& state, const HotspotList& hotspots, DragStage& stage, int x, int y,
              int pressedObject) {
    if (pressedObject == state.pictureObject) {
        const int picture = state.pictureObject;
        if (picture == 0) return;
        const int fromLeft = stage.objectLeft(picture), fromTop = stage.objectTop(picture);
        stage.moveObject(picture, x - state.dragAnchor.x, y - state.dragAnchor.y, true);
        const int left = stage.objectLeft(picture), top = stage.objectTop(picture);
        moveAllHotspots(hotspots, stage, left - fromLeft, top - fromTop);
        state.pictureLastLeft = left;
        state.pictureLastTop = top;
        return;
    }
    if (pressedObject == -1 || pressedObject == 0) return;

    const int count = hotspots.hotspotCount();
    for (int i = 0; i < count; ++i) {
        if (hotspots.hotspotObjectAt(i) == pressedObject && hotspots.isHotspotLocked(i)) {
            // A locked hotspot stays put but stays selected, its handles redrawn each step.
            stage.reselect(pressedObject);
            stage.showFocusProperties(pressedObject);
            return;
        }
    }
    stage.moveObject(pressedObject, x - state.dragAnchor.x, y - state.dragAnchor.y, true);
    stage.reselect(pressedObject);
    stage.showFocusProperties(pressedObject);
}

bool opensHotspotMenu(const HotspotList& hotspots, int object) { return isHotspot(hotspots, object); }

std::string lockItemCaption(const HotspotList& hotspots, int objectId) {
    return hotspots.isHotspotLocked(hotspots.findHotspotRow(objectId)) ? kUnlockCaption
                                                                       : kLockCaption;
}

void applyLockItem(HotspotList& hotspots, int objectId, const std::string& caption) {
    if (caption == kUnlockCaption) {
        hotspots.setHotspotLocked(hotspots.findHotspotRow(objectId), false);
    } else if (caption == kLockCaption) {
        hotspots.setHotspotLocked(hotspots.findHotspotRow(objectId), true);
    }
}
