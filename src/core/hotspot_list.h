// The hotspot list: one entry per hotspot, in creation order. Each entry is shown
// twice, as a list box line (number and lock mark, item data = canvas object) and
// as a table row (number, link, tip); both views are kept in step at the same index.
#pragma once

#include <string>
#include <vector>

#include "core/canvas_store.h"

// What a widget that shows the list must do. The list box and the table are
// two views of one list; an adapter implements both.
class HotspotListView {
public:
    virtual ~HotspotListView() = default;
    // Inserts an entry at `index` (the end when it is the count).
    virtual void insertEntry(int index, const std::string& text, int objectId) = 0;
    // Rewrites entry text in place; item data, selection, top index and caret stay.
    virtual void setEntryText(int index, const std::string& text) = 0;
    virtual void deleteEntry(int index) = 0;
    virtual void clearEntries() = 0;
    virtual void insertRow(int index, const std::string& caption) = 0;
    virtual void setCell(int row, int column, const std::string& text) = 0;
    virtual void deleteRow(int index) = 0;
    virtual void clearRows() = 0;
    // The list box's current selection (-1 for none); setting it raises no event.
    virtual int selection() const = 0;
    virtual void setSelection(int index) = 0;
    virtual void setSelectedRow(int index) = 0;
};

struct HotspotEntry {
    std::string text;  // list box line, e.g. "热点:7 锁定：×"
    int objectId = 0;  // list box item data
    std::string caption;  // table column 0
    std::string link;     // table column 1
    std::string tip;      // table column 2
    // The face's colours, fixed when the hotspot was made; a new size is drawn in them.
    PackedColour fill = packRgb(255, 0, 255);
    PackedColour border = packRgb(0, 128, 0);
};

class HotspotList {
public:
    void setView(HotspotListView* view) { view_ = view; }

    static const char* const kLockedMark;    // "√"
    static const char* const kUnlockedMark;  // "×"
    static std::string hotspotEntryText(int number, bool locked);

    int hotspotCount() const { return static_cast<int>(entries_.size()); }
    // Item data of an entry; -1 when the index is outside the list.
    int hotspotObjectAt(int index) const;
    // First index whose item data is the object; -1 when none.
    int findHotspotRow(int objectId) const;
    // A substring search for the lock mark in the entry text.
    bool isHotspotLocked(int index) const;
    void setHotspotLocked(int index, bool locked);
    void setHotspotLinkTip(int index, const std::string& link, const std::string& tip);

    // Appends a list box entry; returns its index.
    int appendEntry(const std::string& text, int objectId);
    // Inserts a list box entry at `index` (clamped to the list); returns its index.
    int insertEntry(int index, const std::string& text, int objectId);
    void setFaceColours(int index, PackedColour fill, PackedColour border);
    // Inserts a table row at `index` (past the end appends) with its caption.
    void insertRow(int index, const std::string& caption);
    void setCell(int row, int column, const std::string& text);
    // Removes list entry and table row at the same index.
    void removeAt(int index);
    // Empties the list box and the table.
    void clear();

    const HotspotEntry* entry(int index) const;
    std::string entryText(int index) const;
    std::string cell(int row, int column) const;

    int selection() const { return view_ ? view_->selection() : -1; }
    void setSelection(int index);

private:
    bool valid(int index) const { return index >= 0 && index < hotspotCount(); }
    std::vector<HotspotEntry> entries_;
    int rows_ = 0;  // table rows; equals the entries once a creation is complete
    HotspotListView* view_ = nullptr;
};
