#include "core/canvas_drag.h"

namespace {
constexpr const char* kLockCaption = "锁定";
constexpr const char* kUnlockCaption = "解锁";
}  // namespace

void rememberPress(AppState& state, int x, int y, int /*keyState*/) {
    state.dragAnchor = Point{x, y};
}

namespace {
bool isHotspot(const doc::Document& work, int object) {
    return object > 0 && work.contains(object);
}
}  // namespace

void pressObject(AppState& state, const doc::Document& work, DragStage& stage, int object) {
    // Object 0 reads as position (0, 0).
    state.dragAnchor.x -= stage.objectLeft(object);
    state.dragAnchor.y -= stage.objectTop(object);
    if (isHotspot(work, object)) {
        stage.reselect(object);
        stage.showFocusProperties(object);
    }
}

void dragStep(AppState& state, const doc::Document& work, DragStage& stage, int x, int y,
              int pressedObject) {
    if (pressedObject == state.pictureObject) {
        const int picture = state.pictureObject;
        if (picture == 0) return;
        const int fromLeft = stage.objectLeft(picture), fromTop = stage.objectTop(picture);
        stage.moveObject(picture, x - state.dragAnchor.x, y - state.dragAnchor.y, true);
        if (stage.objectLeft(picture) != fromLeft || stage.objectTop(picture) != fromTop)
            stage.pictureMoved();
        return;
    }
    if (pressedObject == -1 || pressedObject == 0) return;

    const doc::Hotspot* h = work.find(pressedObject);
    if (h && h->locked) {
        // A locked hotspot stays put but stays selected, its handles redrawn each step.
        stage.reselect(pressedObject);
        stage.showFocusProperties(pressedObject);
        return;
    }
    stage.moveObject(pressedObject, x - state.dragAnchor.x, y - state.dragAnchor.y, true);
    stage.reselect(pressedObject);
    stage.showFocusProperties(pressedObject);
}

bool opensHotspotMenu(const doc::Document& work, int object) { return isHotspot(work, object); }

std::string lockItemCaption(const doc::Document& work, int objectId) {
    const doc::Hotspot* h = work.find(objectId);
    return h && h->locked ? kUnlockCaption : kLockCaption;
}

void applyLockItem(doc::Document& work, int objectId, const std::string& caption) {
    if (caption == kUnlockCaption) {
        work.setLocked(objectId, false);
    } else if (caption == kLockCaption) {
        work.setLocked(objectId, true);
    }
}
