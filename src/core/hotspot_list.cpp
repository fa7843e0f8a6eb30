#include "core/hotspot_list.h"

#include <algorithm>

#include "core/text.h"

const char* const HotspotList::kLockedMark = "√";
const char* const HotspotList::kUnlockedMark = "×";

std::string HotspotList::hotspotEntryText(int number, bool locked) {
    return "热点:" + text::number13(number) + " 锁定：" + (locked ? kLockedMark : kUnlockedMark);
}

int HotspotList::hotspotObjectAt(int index) const {
    return valid(index) ? entries_[index].objectId : -1;
}

int HotspotList::findHotspotRow(int objectId) const {
    const int count = hotspotCount();
    for (int i = 0; i < count; ++i)
        if (entries_[i].objectId == objectId) return i;
    return -1;
}

bool HotspotList::isHotspotLocked(int index) const {
    return valid(index) && entries_[index].text.find(kLockedMark) != std::string::npos;
}

void HotspotList::setHotspotLocked(int index, bool locked) {
    if (!valid(index)) return;
    const std::string& from = locked ? kUnlockedMark : kLockedMark;
    const std::string& to = locked ? kLockedMark : kUnlockedMark;
    std::string updated = text::replaceAll(entries_[index].text, from, to);
    if (updated == entries_[index].text) return;
    entries_[index].text = updated;
    if (view_) view_->setEntryText(index, updated);
}

void HotspotList::setHotspotLinkTip(int index, const std::string& link, const std::string& tip) {
    setCell(index, 1, link);
    setCell(index, 2, tip);
}

int HotspotList::appendEntry(const std::string& text, int objectId) {
    return insertEntry(hotspotCount(), text, objectId);
}

int HotspotList::insertEntry(int index, const std::string& text, int objectId) {
    index = std::clamp(index, 0, hotspotCount());
    HotspotEntry e;
    e.text = text;
    e.objectId = objectId;
    entries_.insert(entries_.begin() + index, std::move(e));
    if (view_) view_->insertEntry(index, text, objectId);
    return index;
}

void HotspotList::setFaceColours(int index, PackedColour fill, PackedColour border) {
    if (!valid(index)) return;
    entries_[index].fill = fill;
    entries_[index].border = border;
}

void HotspotList::insertRow(int index, const std::string& caption) {
    if (index < 0) return;
    if (index > rows_) index = rows_;
    ++rows_;
    if (index < hotspotCount()) entries_[index].caption = caption;
    if (view_) view_->insertRow(index, caption);
}

void HotspotList::setCell(int row, int column, const std::string& text) {
    if (!valid(row) || row >= rows_ || column < 0 || column > 3) return;
    HotspotEntry& e = entries_[row];
    switch (column) {
        case 0: e.caption = text; break;
        case 1: e.link = text; break;
        case 2: e.tip = text; break;
        default: break;
    }
    if (view_) view_->setCell(row, column, text);
}

void HotspotList::removeAt(int index) {
    if (!valid(index)) return;
    entries_.erase(entries_.begin() + index);
    if (view_) view_->deleteEntry(index);
    if (index < rows_) {
        --rows_;
        if (view_) view_->deleteRow(index);
    }
}

void HotspotList::clear() {
    entries_.clear();
    rows_ = 0;
    if (view_) {
        view_->clearEntries();
        view_->clearRows();
    }
}

const HotspotEntry* HotspotList::entry(int index) const {
    return valid(index) ? &entries_[index] : nullptr;
}

std::string HotspotList::entryText(int index) const {
    return valid(index) ? entries_[index].text : std::string();
}

std::string HotspotList::cell(int row, int column) const {
    if (!valid(row) || row >= rows_) return {};
    const HotspotEntry& e = entries_[row];
    switch (column) {
        case 0: return e.caption;
        case 1: return e.link;
        case 2: return e.tip;
        default: return {};
    }
}

void HotspotList::setSelection(int index) {
    if (!view_) return;
    view_->setSelection(index);
    view_->setSelectedRow(index);
}
