#include "core/canvas_drag.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/canvas_store.h"

namespace {

// The canvas as a plain store; selections are recorded.
class StoreStage : public DragStage {
  public:
    CanvasStore store;
    std::vector<int> reselected;
    std::vector<int> focused;
    int objectLeft(int id) const override { return store.left(id); }
    int objectTop(int id) const override { return store.top(id); }
    void moveObject(int id, int x, int y, bool) override { store.move(id, x, y); }
    void reselect(int id) override { reselected.push_back(id); }
    void showFocusProperties(int id) override { focused.push_back(id); }
};

// Only the list box selection matters here.
class SelectionView : public HotspotListView {
  public:
    int selected = -1;
    void insertEntry(int, const std::string&, int) override {}
    void setEntryText(int, const std::string&) override {}
    void deleteEntry(int) override {}
    void clearEntries() override {}
    void insertRow(int, const std::string&) override {}
    void setCell(int, int, const std::string&) override {}
    void deleteRow(int) override {}
    void clearRows() override {}
    int selection() const override { return selected; }
    void setSelection(int index) override { selected = index; }
    void setSelectedRow(int) override {}
};

// A picture at (0, 0) and hotspots, each given as (left, top, locked).
struct Scene {
    AppState state;
    StoreStage stage;
    SelectionView view;
    HotspotList list;
    std::vector<int> hotspots;

    explicit Scene(std::initializer_list<std::tuple<int, int, bool>> spots) {
        list.setView(&view);
        state.pictureObject = stage.store.create(0, 0);
        stage.store.setPicture(state.pictureObject, solid(400, 300));
        for (auto [x, y, locked] : spots) {
            const int id = stage.store.create(x, y);
            stage.store.setPicture(id, solid(150, 100));
            list.appendEntry(HotspotList::hotspotEntryText(id - 1, locked), id);
            hotspots.push_back(id);
        }
    }
    static Picture solid(int w, int h) {
        return Picture::fromPlanes(w, h,
                                   std::vector<std::uint8_t>(static_cast<size_t>(w) * h * 3, 9));
    }
    // One left press at (x, y) as the canvas reports it, then moves with the button down.
    void drag(int x, int y, std::initializer_list<std::pair<int, int>> moves, int keyState = 0) {
        rememberPress(state, x, y, keyState);
        const int pressed = stage.store.hitTest(x, y);
        pressObject(state, list, stage, pressed);
        for (auto [mx, my] : moves) dragStep(state, list, stage, mx, my, pressed ? pressed : -1);
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
    pressObject(s.state, s.list, s.stage, h);
    expectAt(s.state.dragAnchor, 10, 10);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{h});  // pressing a hotspot selects it
    for (int step = 1; step <= 10; ++step)
        dragStep(s.state, s.list, s.stage, 110 + 10 * step, 60 + 10 * step, h);
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
    s.view.selected = 1;
    s.drag(5, 5, {{15, 10}, {25, 15}});
    expectAt(s.at(s.state.pictureObject), 20, 10);
    expectAt(s.at(s.hotspots[0]), 120, 60);
    expectAt(s.at(s.hotspots[1]), 320, 210);  // locked ones move with the picture too
    EXPECT_EQ(s.state.pictureLastLeft, 20);
    EXPECT_EQ(s.state.pictureLastTop, 10);
    // Pressing the picture selects nothing; each step re-selects the selected hotspot only.
    EXPECT_EQ(s.stage.reselected, (std::vector<int>{s.hotspots[1], s.hotspots[1]}));
    EXPECT_TRUE(s.stage.focused.empty());
}

TEST(CanvasDrag, EmptyPlaceAndReleasedButtonMoveNothing) {
    Scene s({{100, 50, false}});
    s.drag(390, 290, {});  // on the picture: fine, but now press outside everything
    s.stage.reselected.clear();
    rememberPress(s.state, 500, 400, 0);
    pressObject(s.state, s.list, s.stage, 0);
    dragStep(s.state, s.list, s.stage, 520, 420, -1);
    dragStep(s.state, s.list, s.stage, 530, 430, 0);
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
    pressObject(s.state, s.list, s.stage, 0);
    rememberPress(s.state, 110, 60, 4);
    pressObject(s.state, s.list, s.stage, h);
    expectAt(s.state.dragAnchor, 10, 10);
    dragStep(s.state, s.list, s.stage, 111, 60, h);
    expectAt(s.at(h), 101, 50);
}

TEST(CanvasDrag, PictureStepsAreMeasuredFromThePressedPicture) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    s.drag(5, 5, {{25, 15}});
    expectAt(s.at(s.state.pictureObject), 20, 10);
    expectAt(s.at(h), 120, 60);
    // A second picture arrives at (0, 0) and takes the hotspot along, relative to it.
    s.state.pictureObject = s.stage.store.create(0, 0);
    s.stage.store.setPicture(s.state.pictureObject, Scene::solid(400, 300));
    s.stage.store.move(h, 100, 50);
    s.drag(200, 200, {{201, 200}});
    expectAt(s.at(s.state.pictureObject), 1, 0);
    expectAt(s.at(h), 101, 50);
    // However the picture got where it is, a step carries the hotspots by what it moved.
    s.stage.store.move(s.state.pictureObject, -300, 40);
    s.drag(50, 200, {{52, 203}, {52, 203}, {60, 200}});
    expectAt(s.at(s.state.pictureObject), -290, 40);
    expectAt(s.at(h), 111, 50);
}

TEST(CanvasDrag, EarlierObjectsDragLikeHotspotsButAreNotSelectedOnPress) {
    Scene s({});
    // The previous picture stays below the new one's number after a drop.
    const int old = s.state.pictureObject;
    s.state.pictureObject = s.stage.store.create(500, 500);
    s.stage.store.setPicture(s.state.pictureObject, Scene::solid(10, 10));
    s.drag(5, 5, {{25, 15}});
    expectAt(s.at(old), 20, 10);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{old});  // the step re-selects it
    EXPECT_FALSE(opensHotspotMenu(s.list, old));
    EXPECT_FALSE(opensHotspotMenu(s.list, s.state.pictureObject));
    EXPECT_FALSE(opensHotspotMenu(s.list, 0));
}

TEST(CanvasDrag, HotspotsBelowTheNewestPictureStayHotspots) {
    Scene s({{100, 50, false}});
    const int h = s.hotspots[0];
    s.state.pictureObject = s.stage.store.create(0, 0);  // a later picture, higher number
    EXPECT_TRUE(opensHotspotMenu(s.list, h));
    EXPECT_FALSE(opensHotspotMenu(s.list, s.state.pictureObject));
    s.stage.reselected.clear();
    rememberPress(s.state, 110, 60, 0);
    pressObject(s.state, s.list, s.stage, h);
    EXPECT_EQ(s.stage.reselected, std::vector<int>{h});
    EXPECT_EQ(s.stage.focused, std::vector<int>{h});
}

TEST(CanvasDrag, NoPictureMovementRunsThePictureBranchHarmlessly) {
    AppState state;
    StoreStage stage;
    HotspotList list;
    dragStep(state, list, stage, 40, 30, 0);
    EXPECT_EQ(state.pictureLastLeft, 0);
    EXPECT_EQ(state.pictureLastTop, 0);
    EXPECT_TRUE(stage.store.objects().empty());
}
