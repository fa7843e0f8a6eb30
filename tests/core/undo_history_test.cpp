#include "core/undo_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using undo::HotspotState;
using undo::UndoHistory;
using undo::Work;

namespace {

// The work as a plain list that hands out object numbers like the canvas, and
// counts what the history asked of it.
class ListEditor : public undo::WorkEditor {
  public:
    Work work;
    int nextObject = 2;  // the picture is object 1
    int geometryCalls = 0, recreateCalls = 0, removeCalls = 0, finished = -1;

    Work capture() const override { return work; }
    void setGeometry(int id, const RectXYWH& r) override {
        ++geometryCalls;
        find(id)->rect = r;
    }
    void setLinkTip(int id, const std::string& link, const std::string& tip) override {
        find(id)->link = link;
        find(id)->tip = tip;
    }
    void setLocked(int id, bool locked) override { find(id)->locked = locked; }
    int recreate(int index, const HotspotState& h) override {
        ++recreateCalls;
        HotspotState made = h;
        made.objectId = nextObject++;
        work.hotspots.insert(work.hotspots.begin() + index, made);
        return made.objectId;
    }
    void remove(int id) override {
        ++removeCalls;
        work.hotspots.erase(work.hotspots.begin() + (find(id) - work.hotspots.data()));
    }
    void setSettings(const undo::Settings& s) override { work.settings = s; }
    void finish(int touched) override { finished = touched; }

    HotspotState* find(int id) {
        for (HotspotState& h : work.hotspots)
            if (h.objectId == id) return &h;
        ADD_FAILURE() << "no hotspot with object " << id;
        static HotspotState none;
        return &none;
    }
    // The hotspot shown with that number.
    HotspotState* numbered(int number) {
        for (HotspotState& h : work.hotspots)
            if (h.number == number) return &h;
        return nullptr;
    }
};

// Runs a script of user actions, each recorded as a step the way the handlers do,
// and of undos and redos; hotspots are named by the number they show.
//   add | move N dx dy | size N w h | link N text | lock N | del N | colour |
//   nudge N t (one pixel right at t ms) | undo | redo
struct Session {
    ListEditor editor;
    UndoHistory history;

    void run(const std::string& script) {
        std::istringstream in(script);
        std::string line;
        while (std::getline(in, line, ';')) act(line);
    }
    void act(const std::string& line) {
        std::istringstream in(line);
        std::string op;
        int n = 0;
        in >> op >> n;
        Work& w = editor.work;
        auto step = [&](const char* name, auto change, const std::string& key = {}, std::uint64_t t = 0) {
            history.begin(name, w, key, t);
            change();
            history.end(w);
        };
        if (op == "add") {
            step("添加热点", [&] {
                HotspotState h;
                h.objectId = editor.nextObject++;
                h.number = h.objectId - 1;
                h.rect = {0, 0, 150, 100};
                h.link = "a";
                w.hotspots.push_back(h);
            });
        } else if (op == "move") {
            int dx = 0, dy = 0;
            in >> dx >> dy;
            step("移动热点", [&] {
                editor.numbered(n)->rect.x += dx;
                editor.numbered(n)->rect.y += dy;
            });
        } else if (op == "size") {
            int width = 0, height = 0;
            in >> width >> height;
            step("调整热点大小", [&] {
                editor.numbered(n)->rect.w = width;
                editor.numbered(n)->rect.h = height;
            });
        } else if (op == "link") {
            std::string text;
            in >> text;
            step("修改热点信息", [&] { editor.numbered(n)->link = text; });
        } else if (op == "lock") {
            step("锁定热点", [&] { editor.numbered(n)->locked = true; });
        } else if (op == "del") {
            step("删除热点", [&] {
                w.hotspots.erase(w.hotspots.begin() + (editor.numbered(n) - w.hotspots.data()));
            });
        } else if (op == "colour") {
            // The picker has changed already when the program hears of it.
            w.settings.hotspotColour = packRgb(0, 0, 255);
            history.recordSettings("修改热点颜色", w);
        } else if (op == "nudge") {
            std::uint64_t t = 0;
            in >> t;
            step("移动热点", [&] { editor.numbered(n)->rect.x += 1; }, "nudge:" + std::to_string(n), t);
        } else if (op == "undo") {
            history.undo(editor);
        } else if (op == "redo") {
            history.redo(editor);
        } else if (!op.empty()) {
            ADD_FAILURE() << "unknown action " << op;
        }
    }
    // "number:x,y,wxh" per hotspot in list order, "L" when locked, "=link" when not
    // "a", and "|blue" while the hotspot colour is changed.
    std::string describe() const {
        std::string out;
        for (const HotspotState& h : editor.work.hotspots) {
            if (!out.empty()) out += " ";
            out += std::to_string(h.number) + ":" + std::to_string(h.rect.x) + "," +
                   std::to_string(h.rect.y) + "," + std::to_string(h.rect.w) + "x" +
                   std::to_string(h.rect.h);
            if (h.locked) out += "L";
            if (h.link != "a") out += "=" + h.link;
        }
        if (editor.work.settings.hotspotColour != undo::Settings().hotspotColour) out += "|blue";
        return out;
    }
};

struct Case {
    const char* name;
    const char* script;
    const char* work;      // the work afterwards
    const char* undoName;  // what an undo would take now
    const char* redoName;
};

const Case kCases[] = {
    {"UndoAdd", "add;undo", "", "", "添加热点"},
    {"UndoRedoAdd", "add;undo;redo", "1:0,0,150x100", "添加热点", ""},
    {"UndoMove", "add;move 1 20 30;undo", "1:0,0,150x100", "添加热点", "移动热点"},
    {"RedoMove", "add;move 1 20 30;undo;redo", "1:20,30,150x100", "移动热点", ""},
    {"UndoResize", "add;size 1 40 7;undo", "1:0,0,150x100", "添加热点", "调整热点大小"},
    {"UndoLinkAndLock", "add;link 1 x;lock 1;undo", "1:0,0,150x100=x", "修改热点信息", "锁定热点"},
    {"UndoTwiceGoesBackTwoSteps", "add;link 1 x;lock 1;undo;undo", "1:0,0,150x100", "添加热点",
     "修改热点信息"},
    {"UndoDeleteBringsItBackInItsPlace", "add;add;add;del 2;undo", "1:0,0,150x100 2:0,0,150x100 3:0,0,150x100",
     "添加热点", "删除热点"},
    {"DeletedThenEarlierStepsStillFindIt", "add;add;move 1 5 0;link 1 y;del 1;undo;undo;undo",
     "1:0,0,150x100 2:0,0,150x100", "添加热点", "移动热点"},
    {"AllTheWayBackAndForth", "add;move 1 5 5;del 1;undo;undo;undo;redo;redo;redo", "", "删除热点", ""},
    {"ForthAgainAfterARecreatedOneWasRemoved", "add;move 1 5 5;del 1;undo;undo;undo;redo;redo",
     "1:5,5,150x100", "移动热点", "删除热点"},
    {"ANewStepDropsTheRedo", "add;move 1 5 5;undo;link 1 z", "1:0,0,150x100=z", "修改热点信息", ""},
    {"ColourChangeUndoes", "add;colour;undo", "1:0,0,150x100", "添加热点", "修改热点颜色"},
    {"ColourChangeRedoes", "add;colour;undo;redo", "1:0,0,150x100|blue", "修改热点颜色", ""},
    {"ABurstOfNudgesIsOneStep", "add;nudge 1 0;nudge 1 300;nudge 1 900;nudge 1 1500;undo",
     "1:0,0,150x100", "添加热点", "移动热点"},
    {"APauseEndsTheBurst", "add;nudge 1 0;nudge 1 500;nudge 1 1600;undo", "1:2,0,150x100", "移动热点",
     "移动热点"},
    {"NudgingAnotherHotspotIsAnotherStep", "add;add;nudge 1 0;nudge 2 100;undo", "1:1,0,150x100 2:0,0,150x100",
     "移动热点", "移动热点"},
    {"NoMergeIntoAStepRedoneOrUndone", "add;nudge 1 0;undo;redo;nudge 1 100;undo", "1:1,0,150x100",
     "移动热点", "移动热点"},
    {"AStepThatChangedNothingIsNotOne", "add;move 1 0 0;undo", "", "", "添加热点"},
    {"NothingToUndoIsHarmless", "undo;redo;add;redo", "1:0,0,150x100", "添加热点", ""},
};

class UndoScript : public ::testing::TestWithParam<Case> {};

TEST_P(UndoScript, EndsWithTheWorkAndNames) {
    const Case& c = GetParam();
    Session s;
    s.run(c.script);
    EXPECT_EQ(s.describe(), c.work);
    EXPECT_EQ(s.history.undoName(), c.undoName);
    EXPECT_EQ(s.history.redoName(), c.redoName);
}

INSTANTIATE_TEST_SUITE_P(Steps, UndoScript, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& p) { return p.param.name; });

}  // namespace

TEST(UndoHistory, ARecreatedHotspotKeepsItsNumberUnderANewObject) {
    Session s;
    s.run("add;add;del 1;undo");
    ASSERT_EQ(s.editor.work.hotspots.size(), 2u);
    const HotspotState& back = s.editor.work.hotspots[0];
    EXPECT_EQ(back.number, 1);
    EXPECT_EQ(back.objectId, 4);  // objects 2 and 3 were taken
    EXPECT_EQ(s.history.resolve(2), 4);
    EXPECT_EQ(s.editor.finished, 4);  // the hotspot brought back is the one to select
    // Deleted and brought back once more: the oldest steps still reach it.
    s.run("redo;undo");
    EXPECT_EQ(s.history.resolve(2), 5);
    s.run("undo;undo");
    EXPECT_EQ(s.describe(), "");
}

TEST(UndoHistory, UndoingOneMoveAmongManyTouchesOnlyThatHotspot) {
    Session s;
    for (int i = 0; i < 300; ++i) s.act("add");
    s.act("move 150 10 10");
    s.editor.geometryCalls = s.editor.recreateCalls = s.editor.removeCalls = 0;
    ASSERT_TRUE(s.history.undo(s.editor));
    EXPECT_EQ(s.editor.geometryCalls, 1);
    EXPECT_EQ(s.editor.recreateCalls, 0);
    EXPECT_EQ(s.editor.removeCalls, 0);
    EXPECT_EQ(s.editor.finished, s.editor.numbered(150)->objectId);
}

TEST(UndoHistory, KeepsTheLatestHundredSteps) {
    Session s;
    s.act("add");
    for (int i = 0; i < 150; ++i) s.act("move 1 1 0");
    EXPECT_EQ(s.history.undoCount(), 100u);
    while (s.history.undo(s.editor)) {
    }
    // The oldest fifty moves and the creation are gone for good.
    EXPECT_EQ(s.describe(), "1:50,0,150x100");
    EXPECT_EQ(s.history.redoCount(), 100u);
}

TEST(UndoHistory, AnOpenStepEndsBeforeAnUndoOrTheNextStep) {
    Session s;
    s.act("add");
    Work& w = s.editor.work;
    // A drag: begun at the press, the hotspot moved, the button never seen coming up.
    s.history.begin("移动热点", w);
    w.hotspots[0].rect.x = 40;
    EXPECT_TRUE(s.history.isOpen());
    ASSERT_TRUE(s.history.undo(s.editor));
    EXPECT_FALSE(s.history.isOpen());
    EXPECT_EQ(s.describe(), "1:0,0,150x100");
    s.history.redo(s.editor);
    s.history.begin("移动热点", w);
    w.hotspots[0].rect.y = 9;
    s.history.begin("修改热点信息", w);  // the next action ends the drag's step
    w.hotspots[0].link = "q";
    s.history.end(w);
    EXPECT_EQ(s.history.undoCount(), 4u);
    s.run("undo;undo");
    EXPECT_EQ(s.describe(), "1:40,0,150x100");
}

TEST(UndoHistory, ClearForgetsEverything) {
    Session s;
    s.run("add;move 1 3 3;undo");
    s.history.clear(s.editor.work);
    EXPECT_FALSE(s.history.canUndo());
    EXPECT_FALSE(s.history.canRedo());
    EXPECT_FALSE(s.history.undo(s.editor));
    // The settings seen last are those of the cleared work: a colour step undoes to them.
    s.editor.work.settings.hotspotColour = packRgb(1, 2, 3);
    s.history.clear(s.editor.work);
    s.act("colour");
    s.act("undo");
    EXPECT_EQ(s.editor.work.settings.hotspotColour, packRgb(1, 2, 3));
}
