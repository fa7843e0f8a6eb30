#include "core/canvas_drag.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/canvas_store.h"

namespace {

// The canvas as a plain store over a document: hotspots move in the document and
// their objects follow it, as the window's views do; selections are recorded.
class StoreStage : public DragStage {
  public:
    CanvasStore store;
    doc::Document* work = nullptr;
    int picture = 0;
    std::vector<int> reselected;
    std::vector<int> focused;
    int objectLeft(int id) const override { return store.left(id); }
    int objectTop(int id) const override { return store.top(id); }
    void moveObject(int id, int x, int y, bool) override {
        if (const doc::Hotspot* h = work->find(id)) {
            work->setRect(id,
                          {x - store.left(picture), y - store.top(picture), h->rect.w, h->rect.h});
        }
        store.move(id, x, y);
    }
    void pictureMoved() override {
        for (const doc::Hotspot& h : work->hotspots())
            store.move(h.id, store.left(picture) + h.rect.x, store.top(picture) + h.rect.y);
        if (work->selected()) reselect(work->selected());
    }
    void reselect(int id) override { reselected.push_back(id); }
    void showFocusProperties(int id) override { focused.push_back(id); }
};

// A picture at (0, 0) and hotspots, each given as (left, top, locked).
struct Scene {
    AppState state;
    StoreStage stage;
    doc::Document work;
    std::vector<int> hotspots;

    explicit Scene(std::initializer_list<std::tuple<int, int, bool>> spots) {
        stage.work = &work;
        setPicture(stage.store.create(0, 0));
        stage.store.setPicture(state.pictureObject, solid(400, 300));
        for (auto [x, y, locked] : spots) {
            const int id = stage.store.create(x, y);
            stage.store.setPicture(id, solid(150, 100));
            doc::Hotspot h;
            h.id = id;
            h.number = id - 1;
            h.rect = {x, y, 150, 100};
            h.locked = locked;
            work.add(work.count(), h);
            hotspots.push_back(id);
        }
    }
    void setPicture(int id) { state.pictureObject = stage.picture = id; }
    static Picture solid(int w, int h) {
        return Picture::fromPlanes(w, h,
                                   std::vector<std::uint8_t>(static_cast<size_t>(w) * h * 3, 9));
    }
    // One left press at (x, y) as the canvas reports it, then moves with the button down.
    void drag(int x, int y, std::initializer_list<std::pair<int, int>> moves, int keyState = 0) {
        rememberPress(state, x, y, keyState);
        const int pressed = stage.store.hitTest(x, y);
        pressObject(state, work, stage, pressed);
        for (auto [mx, my] : moves) dragStep(state, work, stage, mx, my, pressed ? pressed : -1);
    }
    Point at(int id) const { return {stage.store.left(id), stage.store.top(id)}; }
};

void expectAt(const Point& p, int x, int y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

}  // namespace

TEST(CanvasDrag, HotspotFollowsThePointerByItsGrabOffset) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    rememberPress(s.state, 110, 60, 0);
    pressObject(s.state, s.work, s.stage, h);
    expectAt(s.state.dragAnchor, 10, 10);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{h});  // pressing a hotspot selects it
    for (int step = 1; step <= 10; ++step)
        dragStep(s.state, s.work, s.stage, 110 + 10 * step, 60 + 10 * step, h);
    expectAt(s.at(h), 200, 150);
    EXPECT_EQ(s.stage.reselected.size(), 11u);  // selected again on every step
    EXPECT_EQ(s.stage.focused.size(), 11u);
}

TEST(CanvasDrag, LockedHotspotStaysButIsSelectedEveryStep) {
    Scene s({{100, 50, true}});
    const int h = s.hotspots[0];
    s.drag(110, 60, {{150, 100}, {210, 160}});
    expectAt(s.at(h), 100, 50);
    EXPECT_EQ(s.stage.reselected, (std::vector<int>{h, h, h}));
    EXPECT_EQ(s.stage.focused, (std::vector<int>{h, h, h}));
}

TEST(CanvasDrag, PictureCarriesEveryHotspotAndOnlyTheSelectedTakesItsHandles) {
    Scene s({{100, 50, false}, {300, 200, true}});
    s.work.select({s.hotspots[1]});
    s.drag(5, 5, {{15, 10}, {25, 15}});
    expectAt(s.at(s.state.pictureObject), 20, 10);
    expectAt(s.at(s.hotspots[0]), 120, 60);
    expectAt(s.at(s.hotspots[1]), 320, 210);  // locked ones move with the picture too
    // The picture is the view: the document keeps every rectangle.
    EXPECT_EQ(s.work.find(s.hotspots[0])->rect, (RectXYWH{100, 50, 150, 100}));
    // Pressing the picture selects nothing; each step re-selects the selected hotspot only.
    EXPECT_EQ(s.stage.reselected, (std::vector<int>{s.hotspots[1], s.hotspots[1]}));
    EXPECT_TRUE(s.stage.focused.empty());
}

TEST(CanvasDrag, EmptyPlaceAndReleasedButtonMoveNothing) {
    Scene s({{100, 50, false}});
    s.drag(390, 290, {});  // on the picture: fine, but now press outside everything
    s.stage.reselected.clear();
    rememberPress(s.state, 500, 400, 0);
    pressObject(s.state, s.work, s.stage, 0);
    dragStep(s.state, s.work, s.stage, 520, 420, -1);
    dragStep(s.state, s.work, s.stage, 530, 430, 0);
    expectAt(s.at(s.state.pictureObject), 0, 0);
    expectAt(s.at(s.hotspots[0]), 100, 50);
    EXPECT_TRUE(s.stage.reselected.empty());
}

TEST(CanvasDrag, APressAlwaysSetsTheAnchor) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    for (int keys : {0, 1, 2, 3, 4, 5, 6, 7}) {
        s.state.dragAnchor = {7, 8};
        rememberPress(s.state, 110, 60, keys);
        expectAt(s.state.dragAnchor, 110, 60);
    }
    // An earlier press far away, then an Alt press on the hotspot moved by 1 px.
    rememberPress(s.state, 20, 250, 0);
    pressObject(s.state, s.work, s.stage, 0);
    rememberPress(s.state, 110, 60, 4);
    pressObject(s.state, s.work, s.stage, h);
    expectAt(s.state.dragAnchor, 10, 10);
    dragStep(s.state, s.work, s.stage, 111, 60, h);
    expectAt(s.at(h), 101, 50);
}

TEST(CanvasDrag, PictureStepsAreMeasuredFromThePressedPicture) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    s.drag(5, 5, {{25, 15}});
    expectAt(s.at(s.state.pictureObject), 20, 10);
    expectAt(s.at(h), 120, 60);
    // A second picture arrives at (0, 0) and takes the hotspot along, relative to it.
    s.setPicture(s.stage.store.create(0, 0));
    s.stage.store.setPicture(s.state.pictureObject, Scene::solid(400, 300));
    s.stage.pictureMoved();
    s.drag(200, 200, {{201, 200}});
    expectAt(s.at(s.state.pictureObject), 1, 0);
    expectAt(s.at(h), 101, 50);
    // However the picture got where it is, a step moves it from there, and the
    // hotspots are drawn where the document puts them on it.
    s.stage.store.move(s.state.pictureObject, -300, 40);
    s.drag(50, 200, {{52, 203}, {52, 203}, {60, 200}});
    expectAt(s.at(s.state.pictureObject), -290, 40);
    expectAt(s.at(h), -190, 90);
}

TEST(CanvasDrag, EarlierObjectsDragLikeHotspotsButAreNotSelectedOnPress) {
    Scene s({});
    // The previous picture stays below the new one's number after a drop.
    const int old = s.state.pictureObject;
    s.setPicture(s.stage.store.create(500, 500));
    s.stage.store.setPicture(s.state.pictureObject, Scene::solid(10, 10));
    s.drag(5, 5, {{25, 15}});
    expectAt(s.at(old), 20, 10);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{old});  // the step re-selects it
    EXPECT_FALSE(opensHotspotMenu(s.work, old));
    EXPECT_FALSE(opensHotspotMenu(s.work, s.state.pictureObject));
    EXPECT_FALSE(opensHotspotMenu(s.work, 0));
}

TEST(CanvasDrag, HotspotsBelowTheNewestPictureStayHotspots) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    s.setPicture(s.stage.store.create(0, 0));  // a later picture, higher number
    EXPECT_TRUE(opensHotspotMenu(s.work, h));
    EXPECT_FALSE(opensHotspotMenu(s.work, s.state.pictureObject));
    s.stage.reselected.clear();
    rememberPress(s.state, 110, 60, 0);
    pressObject(s.state, s.work, s.stage, h);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{h});
    EXPECT_EQ(s.stage.focused, std::vector<int>{h});
}

TEST(CanvasDrag, NoPictureMovementRunsThePictureBranchHarmlessly) {
    AppState state;
    StoreStage stage;
    doc::Document work;
    stage.work = &work;
    dragStep(state, work, stage, 40, 30, 0);
    EXPECT_TRUE(stage.store.objects().empty());
}
