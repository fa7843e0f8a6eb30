#include "core/undo_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using doc::Document;
using doc::Hotspot;
using undo::UndoHistory;

namespace {

// Counts what the views would be asked to do.
struct Counter : doc::Observer {
    int added = 0, removed = 0, changed = 0;
    void hotspotAdded(int, const Hotspot&) override { ++added; }
    void hotspotRemoved(int, const Hotspot&) override { ++removed; }
    void hotspotChanged(int, const Hotspot&, const Hotspot&) override { ++changed; }
};

// Runs a script of user actions, each recorded as a step the way the handlers do,
// and of undos and redos; hotspots are named by the number they show.
//   add | move N dx dy | size N w h | link N text | lock N | del N | colour |
//   nudge N t (one pixel right at t ms) | undo | redo
struct Session {
    Document d;
    UndoHistory history;
    int nextObject = 2;  // the picture is object 1

    int numbered(int number) const {
        for (const Hotspot& h : d.hotspots())
            if (h.number == number) return h.id;
        ADD_FAILURE() << "no hotspot numbered " << number;
        return 0;
    }
    RectXYWH rectOf(int number) const { return d.find(numbered(number))->rect; }

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
        auto step = [&](const char* name, auto change, const std::string& key = {},
                        std::uint64_t t = 0) {
            history.begin(name, d, key, t);
            change();
            history.end(d);
        };
        if (op == "add") {
            step("添加热点", [&] {
                Hotspot h;
                h.id = nextObject++;
                h.number = h.id - 1;
                h.rect = {0, 0, 150, 100};
                h.link = "a";
                d.add(d.count(), h);
            });
        } else if (op == "move") {
            int dx = 0, dy = 0;
            in >> dx >> dy;
            step("移动热点", [&] {
                RectXYWH r = rectOf(n);
                r.x += dx;
                r.y += dy;
                d.setRect(numbered(n), r);
            });
        } else if (op == "size") {
            int width = 0, height = 0;
            in >> width >> height;
            step("调整热点大小", [&] {
                RectXYWH r = rectOf(n);
                r.w = width;
                r.h = height;
                d.setRect(numbered(n), r);
            });
        } else if (op == "link") {
            std::string text;
            in >> text;
            step("修改热点信息", [&] { d.setLinkTip(numbered(n), text, ""); });
        } else if (op == "lock") {
            step("锁定热点", [&] { d.setLocked(numbered(n), true); });
        } else if (op == "del") {
            step("删除热点", [&] { d.remove(numbered(n)); });
        } else if (op == "colour") {
            // The picker has changed already when the program hears of it.
            doc::Settings s = d.settings();
            s.hotspotColour = packRgb(0, 0, 255);
            d.setSettings(s);
            history.recordSettings("修改热点颜色", d);
        } else if (op == "nudge") {
            std::uint64_t t = 0;
            in >> t;
            step(
                "移动热点",
                [&] {
                    RectXYWH r = rectOf(n);
                    r.x += 1;
                    d.setRect(numbered(n), r);
                },
                "nudge:" + std::to_string(n), t);
        } else if (op == "undo") {
            history.undo(d);
        } else if (op == "redo") {
            history.redo(d);
        } else if (!op.empty()) {
            ADD_FAILURE() << "unknown action " << op;
        }
    }
    // "number:x,y,wxh" per hotspot in list order, "L" when locked, "=link" when not
    // "a", and "|blue" while the hotspot colour is changed.
    std::string describe() const {
        std::string out;
        for (const Hotspot& h : d.hotspots()) {
            if (!out.empty()) out += " ";
            out += std::to_string(h.number) + ":" + std::to_string(h.rect.x) + "," +
                   std::to_string(h.rect.y) + "," + std::to_string(h.rect.w) + "x" +
                   std::to_string(h.rect.h);
            if (h.locked) out += "L";
            if (h.link != "a") out += "=" + h.link;
        }
        if (d.settings().hotspotColour != doc::Settings().hotspotColour) out += "|blue";
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

TEST(UndoHistory, ADeletedHotspotComesBackUnderItsOwnId) {
    Session s;
    s.run("add;add;del 1;undo");
    ASSERT_EQ(s.d.count(), 2);
    EXPECT_EQ(s.d.at(0)->number, 1);
    EXPECT_EQ(s.d.at(0)->id, 2);
    EXPECT_EQ(s.history.lastTouched(), 2);  // the hotspot brought back is the one to select
    // Deleted and brought back once more: the oldest steps still reach it.
    s.run("redo;undo;undo;undo");
    EXPECT_EQ(s.describe(), "");
}

// Every kind of step among 300 hotspots, taken back and forward: each touches only
// its own hotspots, and the history holds only what changed.
TEST(UndoHistory, StepsAmongThreeHundredHoldOnlyTheirDifference) {
    struct KindCase {
        const char* action;
        int added, removed, changed;  // what an undo asks of the views
    };
    const KindCase kinds[] = {
        {"move 150 10 10", 0, 0, 1}, {"size 150 40 7", 0, 0, 1}, {"link 150 x", 0, 0, 1},
        {"lock 150", 0, 0, 1},       {"del 150", 1, 0, 0},       {"add", 0, 1, 0},
    };
    for (const KindCase& k : kinds) {
        Session s;
        for (int i = 0; i < 300; ++i) s.act("add");
        s.history.clear(s.d);
        const Document before = s.d;
        s.act(k.action);
        const Document after = s.d;
        ASSERT_EQ(s.history.undoCount(), 1u) << k.action;
        EXPECT_LE(s.history.heldBytes(), 2048u) << k.action;
        Counter c;
        s.d.setObserver(&c);
        ASSERT_TRUE(s.history.undo(s.d));
        EXPECT_TRUE(s.d.sameWork(before)) << k.action;
        EXPECT_EQ(c.added, k.added) << k.action;
        EXPECT_EQ(c.removed, k.removed) << k.action;
        EXPECT_EQ(c.changed, k.changed) << k.action;
        ASSERT_TRUE(s.history.redo(s.d));
        EXPECT_TRUE(s.d.sameWork(after)) << k.action;
        s.d.setObserver(nullptr);
    }
}

TEST(UndoHistory, KeepsTheLatestHundredSteps) {
    Session s;
    s.act("add");
    for (int i = 0; i < 150; ++i) s.act("move 1 1 0");
    EXPECT_EQ(s.history.undoCount(), 100u);
    while (s.history.undo(s.d)) {
    }
    // The oldest fifty moves and the creation are gone for good.
    EXPECT_EQ(s.describe(), "1:50,0,150x100");
    EXPECT_EQ(s.history.redoCount(), 100u);
}

TEST(UndoHistory, AnOpenStepEndsBeforeAnUndoOrTheNextStep) {
    Session s;
    s.act("add");
    const int id = s.numbered(1);
    // A drag: begun at the press, the hotspot moved, the button never seen coming up.
    s.history.begin("移动热点", s.d);
    s.d.setRect(id, {40, 0, 150, 100});
    EXPECT_TRUE(s.history.isOpen());
    ASSERT_TRUE(s.history.undo(s.d));
    EXPECT_FALSE(s.history.isOpen());
    EXPECT_EQ(s.describe(), "1:0,0,150x100");
    s.history.redo(s.d);
    s.history.begin("移动热点", s.d);
    s.d.setRect(id, {40, 9, 150, 100});
    s.history.begin("修改热点信息", s.d);  // the next action ends the drag's step
    s.d.setLinkTip(id, "q", "");
    s.history.end(s.d);
    EXPECT_EQ(s.history.undoCount(), 4u);
    s.run("undo;undo");
    EXPECT_EQ(s.describe(), "1:40,0,150x100");
}

TEST(UndoHistory, ClearForgetsEverything) {
    Session s;
    s.run("add;move 1 3 3;undo");
    s.history.clear(s.d);
    EXPECT_FALSE(s.history.canUndo());
    EXPECT_FALSE(s.history.canRedo());
    EXPECT_FALSE(s.history.undo(s.d));
    // The settings seen last are those of the cleared work: a colour step undoes to them.
    doc::Settings set = s.d.settings();
    set.hotspotColour = packRgb(1, 2, 3);
    s.d.setSettings(set);
    s.history.clear(s.d);
    s.act("colour");
    s.act("undo");
    EXPECT_EQ(s.d.settings().hotspotColour, packRgb(1, 2, 3));
}
