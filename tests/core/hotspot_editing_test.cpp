#include <gtest/gtest.h>

#include "core/canvas_drag.h"
#include "core/canvas_store.h"

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

TEST(HotspotLock, MenuCaptionAndToggleRewriteTheEntryText) {
    CanvasStore canvas;
    HotspotList list;
    canvas.create(0, 0);
    const int h = addHotspot(canvas, list);
    const int drawn = addHotspot(canvas, list, true);
    EXPECT_EQ(lockItemCaption(list, h), "锁定");
    EXPECT_EQ(lockItemCaption(list, drawn), "解锁");

    applyLockItem(list, h, lockItemCaption(list, h));
    EXPECT_EQ(list.entryText(0), "热点:1 锁定：√");
    EXPECT_EQ(lockItemCaption(list, h), "解锁");
    applyLockItem(list, h, lockItemCaption(list, h));
    EXPECT_EQ(list.entryText(0), "热点:1 锁定：×");

    applyLockItem(list, drawn, "解锁");
    EXPECT_EQ(list.entryText(1), "热点:2 锁定：×");
    applyLockItem(list, drawn, "修改");  // any other caption does nothing
    EXPECT_EQ(list.entryText(1), "热点:2 锁定：×");
    EXPECT_EQ(list.hotspotObjectAt(0), h);
    EXPECT_EQ(list.hotspotObjectAt(1), drawn);
}
