#include <gtest/gtest.h>

#include "core/canvas_drag.h"
#include "core/canvas_store.h"
#include "core/hotspot_list.h"

namespace {

// Registers a hotspot as creation does: a canvas object, numbered object - 1.
int addHotspot(CanvasStore& canvas, HotspotList& list, bool locked = false) {
    const int id = canvas.create(0, 0);
    const int index = list.appendEntry(HotspotList::hotspotEntryText(id - 1, locked), id);
    list.insertRow(index, std::to_string(id - 1));
    return id;
}

}  // namespace

TEST(HotspotNumbering, DeletedNumbersAreNotReused) {
    CanvasStore canvas;
    HotspotList list;
    canvas.create(0, 0);  // the picture, object 1
    addHotspot(canvas, list);
    const int second = addHotspot(canvas, list);
    addHotspot(canvas, list);
    list.removeAt(list.findHotspotRow(second));
    canvas.remove(second);
    addHotspot(canvas, list);
    ASSERT_EQ(list.hotspotCount(), 3);
    EXPECT_EQ(list.entryText(0), "热点:1 锁定：×");
    EXPECT_EQ(list.entryText(1), "热点:3 锁定：×");
    EXPECT_EQ(list.entryText(2), "热点:4 锁定：×");
    EXPECT_EQ(list.cell(2, 0), "4");
}

// The lock is the document's field; the entry text shows it.
TEST(HotspotLock, MenuCaptionAndToggleChangeTheLock) {
    doc::Document work;
    for (int id : {2, 3}) {
        doc::Hotspot h;
        h.id = id;
        h.number = id - 1;
        h.rect = {0, 0, 5, 5};
        h.locked = id == 3;
        h.tip = "√";  // a mark in a text is no lock
        work.add(work.count(), h);
    }
    const int h = 2, drawn = 3;
    const auto entry = [&](int id) {
        const doc::Hotspot* x = work.find(id);
        return HotspotList::hotspotEntryText(x->number, x->locked);
    };
    EXPECT_EQ(lockItemCaption(work, h), "锁定");
    EXPECT_EQ(lockItemCaption(work, drawn), "解锁");

    applyLockItem(work, h, lockItemCaption(work, h));
    EXPECT_EQ(entry(h), "热点:1 锁定：√");
    EXPECT_EQ(lockItemCaption(work, h), "解锁");
    applyLockItem(work, h, lockItemCaption(work, h));
    EXPECT_EQ(entry(h), "热点:1 锁定：×");

    applyLockItem(work, drawn, "解锁");
    EXPECT_EQ(entry(drawn), "热点:2 锁定：×");
    applyLockItem(work, drawn, "修改");  // any other caption does nothing
    EXPECT_EQ(entry(drawn), "热点:2 锁定：×");
    EXPECT_EQ(work.at(0)->id, h);
    EXPECT_EQ(work.at(1)->id, drawn);
}
