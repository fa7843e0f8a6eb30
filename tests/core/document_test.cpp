#include "core/document.h"

#include <gtest/gtest.h>

#include "core/view_transform.h"

using doc::Document;
using doc::Hotspot;
using doc::Operation;

namespace {

Hotspot spot(int id, int x = 0, int y = 0) {
    Hotspot h;
    h.id = id;
    h.number = id - 1;
    h.rect = RectXYWH{x, y, 10, 20};
    h.link = "http://a/" + std::to_string(id);
    h.tip = "tip";
    return h;
}

// A short text of the list: ids in order, "*" after a locked one, e.g. "2 3* 4".
std::string ids(const Document& d) {
    std::string s;
    for (const Hotspot& h : d.hotspots()) {
        if (!s.empty()) s += ' ';
        s += std::to_string(h.id) + (h.locked ? "*" : "");
    }
    return s;
}

// Records what the views would hear.
struct Recorder : doc::Observer {
    std::string log;
    void hotspotAdded(int index, const Hotspot& h) override {
        log += "+" + std::to_string(h.id) + "@" + std::to_string(index) + " ";
    }
    void hotspotRemoved(int index, const Hotspot& h) override {
        log += "-" + std::to_string(h.id) + "@" + std::to_string(index) + " ";
    }
    void hotspotChanged(int index, const Hotspot&, const Hotspot& h) override {
        log += "~" + std::to_string(h.id) + "@" + std::to_string(index) + " ";
    }
    void selectionChanged(const std::set<int>&) override { log += "sel "; }
    void settingsChanged(const doc::Settings&) override { log += "set "; }
    void cleared(const std::vector<Hotspot>& gone) override {
        log += "clear" + std::to_string(gone.size()) + " ";
    }
};

struct OpCase {
    const char* name;
    std::vector<Operation> ops;
    int changed;        // operations that changed something
    std::string list;   // the list afterwards
    std::string heard;  // what the observer heard
    std::set<int> selected;
};

class DocumentOps : public testing::TestWithParam<OpCase> {};

TEST_P(DocumentOps, ResultingDocument) {
    const OpCase& c = GetParam();
    Document d;
    for (int id : {2, 3, 4}) d.add(d.count(), spot(id, id * 10, id * 100));
    d.select({3});
    Recorder r;
    d.setObserver(&r);
    EXPECT_EQ(d.apply(c.ops), c.changed);
    EXPECT_EQ(ids(d), c.list);
    EXPECT_EQ(r.log, c.heard);
    EXPECT_EQ(d.selection(), c.selected);
    // The lookup by id agrees with the list after every change.
    for (int i = 0; i < d.count(); ++i) EXPECT_EQ(d.indexOf(d.at(i)->id), i);
    EXPECT_EQ(d.indexOf(99), -1);
}

doc::Settings redSettings() {
    doc::Settings s;
    s.hotspotColour = packRgb(255, 0, 0);
    return s;
}

INSTANTIATE_TEST_SUITE_P(
    Table, DocumentOps,
    testing::Values(
        OpCase{"AddAtEnd", {Operation::add(9, spot(5))}, 1, "2 3 4 5", "+5@3 ", {3}},
        OpCase{"AddInside", {Operation::add(1, spot(7))}, 1, "2 7 3 4", "+7@1 ", {3}},
        OpCase{"AddUsedIdRefused", {Operation::add(0, spot(3))}, 0, "2 3 4", "", {3}},
        OpCase{"AddNoIdRefused", {Operation::add(0, spot(0))}, 0, "2 3 4", "", {3}},
        OpCase{"RemoveSelected", {Operation::remove(3)}, 1, "2 4", "-3@1 sel ", {}},
        OpCase{"RemoveOther", {Operation::remove(4)}, 1, "2 3", "-4@2 ", {3}},
        OpCase{"RemoveMissing", {Operation::remove(8)}, 0, "2 3 4", "", {3}},
        OpCase{"Move", {Operation::setRect(2, {5, 6, 10, 20})}, 1, "2 3 4", "~2@0 ", {3}},
        OpCase{"MoveToSamePlace", {Operation::setRect(2, {20, 200, 10, 20})}, 0, "2 3 4", "", {3}},
        OpCase{"EmptySizeRefused", {Operation::setRect(2, {5, 6, 0, 20})}, 0, "2 3 4", "", {3}},
        OpCase{"LinkTip", {Operation::setLinkTip(4, "l", "t")}, 1, "2 3 4", "~4@2 ", {3}},
        OpCase{"Lock", {Operation::setLocked(4, true)}, 1, "2 3 4*", "~4@2 ", {3}},
        OpCase{"LookOfMissing", {Operation::setLook(9, {})}, 0, "2 3 4", "", {3}},
        OpCase{"Look", {Operation::setLook(2, {1, 2, 3})}, 1, "2 3 4", "~2@0 ", {3}},
        OpCase{"SelectDropsUnknown", {Operation::select({2, 4, 9})}, 1, "2 3 4", "sel ", {2, 4}},
        OpCase{"SelectSame", {Operation::select({3})}, 0, "2 3 4", "", {3}},
        OpCase{"Settings", {Operation::setSettings(redSettings())}, 1, "2 3 4", "set ", {3}},
        OpCase{"Batch",
               {Operation::remove(2), Operation::add(0, spot(6)), Operation::setLocked(6, true),
                Operation::select({6})},
               4,
               "6* 3 4",
               "-2@0 +6@0 ~6@0 sel ",
               {6}}),
    [](const testing::TestParamInfo<OpCase>& p) { return std::string(p.param.name); });

TEST(Document, ClearKeepsSettingsAndAddress) {
    Document d;
    d.add(0, spot(2));
    d.select({2});
    d.setSettings(redSettings());
    d.setCodeAddress("http://img/a.jpg");
    Recorder r;
    d.setObserver(&r);
    d.clearHotspots();
    EXPECT_EQ(d.count(), 0);
    EXPECT_TRUE(d.selection().empty());
    EXPECT_FALSE(d.contains(2));
    EXPECT_EQ(d.settings(), redSettings());
    EXPECT_EQ(d.codeAddress(), "http://img/a.jpg");
    EXPECT_EQ(r.log, "clear1 sel ");
}

TEST(Document, CopyIsAValueWithoutObserver) {
    Document d;
    Recorder r;
    d.setObserver(&r);
    d.add(0, spot(2));
    Document copy = d;
    copy.remove(2);
    EXPECT_EQ(r.log, "+2@0 ");
    EXPECT_TRUE(d.contains(2));
}

// The difference between two documents, applied, makes one the other.
TEST(DocumentDifference, TurnsOneIntoTheOther) {
    Document from;
    for (int id = 2; id < 12; ++id) from.add(from.count(), spot(id, id, id));
    Document to = from;
    to.remove(2);
    to.remove(7);
    to.add(3, spot(20));
    to.add(to.count(), spot(21));
    to.setRect(5, {1, 1, 4, 4});
    to.setLocked(9, true);
    to.setLinkTip(10, "x", "y");
    to.setSettings(redSettings());

    Document forward = from;
    forward.apply(doc::difference(from, to));
    EXPECT_TRUE(forward.sameWork(to)) << ids(forward) << " / " << ids(to);
    Document back = to;
    back.apply(doc::difference(to, from));
    EXPECT_TRUE(back.sameWork(from)) << ids(back) << " / " << ids(from);
    EXPECT_TRUE(doc::difference(from, from).empty());
}

struct TransformCase {
    Point offset;
    Point picture;
    Point canvas;
};

TEST(ViewTransform, BothWaysAtSeveralOffsets) {
    const TransformCase cases[] = {
        {{0, 0}, {0, 0}, {0, 0}},
        {{0, 0}, {150, 100}, {150, 100}},
        {{-40, -2000}, {150, 2100}, {110, 100}},
        {{35, 12}, {-5, 0}, {30, 12}},
        {{-790, -19500}, {789, 19999}, {-1, 499}},
    };
    for (const TransformCase& c : cases) {
        const ViewTransform v{c.offset, 1.0};
        EXPECT_EQ(v.toCanvas(c.picture), c.canvas) << c.offset.x << "," << c.offset.y;
        EXPECT_EQ(v.toPicture(c.canvas), c.picture) << c.offset.x << "," << c.offset.y;
        const RectXYWH r{c.picture.x, c.picture.y, 150, 100};
        EXPECT_EQ(v.toCanvas(r), (RectXYWH{c.canvas.x, c.canvas.y, 150, 100}));
        EXPECT_EQ(v.toPicture(v.toCanvas(r)), r);
    }
}

}  // namespace
