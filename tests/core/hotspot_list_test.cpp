#include <gtest/gtest.h>

#include "core/hotspot_list.h"
#include "core/text.h"

namespace {

// Records what the views were told, as the widgets would show it.
class RecordingView : public HotspotListView {
public:
    std::vector<std::pair<std::string, int>> entries;
    std::vector<std::vector<std::string>> rows;
    int sel = -1, rowSel = -1, rewrites = 0;
    void insertEntry(int i, const std::string& t, int id) override {
        entries.insert(entries.begin() + i, {t, id});
    }
    void setEntryText(int i, const std::string& t) override {
        entries[i].first = t;
        ++rewrites;
    }
    void deleteEntry(int i) override { entries.erase(entries.begin() + i); }
    void clearEntries() override { entries.clear(); }
    void insertRow(int i, const std::string& c) override {
        rows.insert(rows.begin() + i, std::vector<std::string>{c, "", "", ""});
    }
    void setCell(int r, int c, const std::string& t) override { rows[r][c] = t; }
    void deleteRow(int i) override { rows.erase(rows.begin() + i); }
    void clearRows() override { rows.clear(); }
    int selection() const override { return sel; }
    void setSelection(int i) override { sel = i; }
    void setSelectedRow(int i) override { rowSel = i; }
};

void add(HotspotList& list, int objectId, bool locked, const std::string& link = "L",
         const std::string& tip = "T") {
    int i = list.appendEntry(HotspotList::hotspotEntryText(objectId - 1, locked), objectId);
    list.insertRow(i, text::number(objectId - 1));
    list.setHotspotLinkTip(i, link, tip);
}

}  // namespace

TEST(HotspotList, EntryTextBytes) {
    const std::string t = HotspotList::hotspotEntryText(7, false);
    EXPECT_EQ(t, "热点:7 锁定：×");
    EXPECT_EQ(text::toGbk(t), "\xC8\xC8\xB5\xE3:7 \xCB\xF8\xB6\xA8\xA3\xBA\xA1\xC1");
    EXPECT_EQ(HotspotList::hotspotEntryText(10, true), "热点:10 锁定：√");
}

TEST(HotspotList, ViewsFollowTheModelAtTheSameIndex) {
    HotspotList list;
    RecordingView view;
    list.setView(&view);
    add(list, 2, false, "a", "x");
    add(list, 3, false, "b", "y");
    add(list, 4, true, "c", "z");
    EXPECT_EQ(list.hotspotCount(), 3);
    EXPECT_EQ(list.hotspotObjectAt(1), 3);
    EXPECT_EQ(list.hotspotObjectAt(3), -1);
    EXPECT_EQ(list.hotspotObjectAt(-1), -1);
    EXPECT_EQ(list.findHotspotRow(4), 2);
    EXPECT_EQ(list.findHotspotRow(9), -1);
    list.removeAt(1);
    ASSERT_EQ(view.entries.size(), 2u);
    EXPECT_EQ(view.entries[1], std::make_pair(std::string("热点:3 锁定：√"), 4));
    EXPECT_EQ(view.rows[1], (std::vector<std::string>{"3", "c", "z", ""}));
    EXPECT_EQ(list.cell(1, 1), "c");
    // A hotspot brought back goes in between, its row at the same index.
    const int back = list.insertEntry(1, HotspotList::hotspotEntryText(2, false), 9);
    list.insertRow(back, "2");
    list.setHotspotLinkTip(back, "b", "y");
    EXPECT_EQ(back, 1);
    EXPECT_EQ(view.entries[1], std::make_pair(std::string("热点:2 锁定：×"), 9));
    EXPECT_EQ(view.rows[1], (std::vector<std::string>{"2", "b", "y", ""}));
    EXPECT_EQ(view.rows[2][0], "3");
    EXPECT_EQ(list.findHotspotRow(4), 2);
    EXPECT_EQ(list.insertEntry(99, "end", 10), 3);  // past the end appends
    list.clear();
    EXPECT_TRUE(view.entries.empty());
    EXPECT_TRUE(view.rows.empty());
    EXPECT_EQ(list.hotspotCount(), 0);
}

TEST(HotspotList, LockIsASubstringSearchOfTheEntryText) {
    HotspotList list;
    RecordingView view;
    list.setView(&view);
    add(list, 2, false, "√ in the link", "√ in the tip");
    EXPECT_FALSE(list.isHotspotLocked(0));  // link and tip do not lock
    view.sel = 0;
    list.setHotspotLocked(0, true);
    EXPECT_TRUE(list.isHotspotLocked(0));
    EXPECT_EQ(view.entries[0].first, "热点:1 锁定：√");
    EXPECT_EQ(view.entries[0].second, 2);  // item data kept
    EXPECT_EQ(view.sel, 0);                // selection kept
    list.setHotspotLocked(0, true);        // nothing to change: not rewritten
    EXPECT_EQ(view.rewrites, 1);
    list.setHotspotLocked(0, false);
    EXPECT_EQ(view.entries[0].first, "热点:1 锁定：×");
    EXPECT_FALSE(list.isHotspotLocked(5));
}
