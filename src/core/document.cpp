#include "core/document.h"

#include <algorithm>

namespace doc {

Operation Operation::add(int index, Hotspot h) {
    Operation op;
    op.kind = Kind::add;
    op.id = h.id;
    op.index = index;
    op.hotspot = std::move(h);
    return op;
}

Operation Operation::remove(int id) {
    Operation op;
    op.kind = Kind::remove;
    op.id = id;
    return op;
}

Operation Operation::setRect(int id, const RectXYWH& r) {
    Operation op;
    op.kind = Kind::setRect;
    op.id = id;
    op.rect = r;
    return op;
}

Operation Operation::setLinkTip(int id, std::string link, std::string tip) {
    Operation op;
    op.kind = Kind::setLinkTip;
    op.id = id;
    op.link = std::move(link);
    op.tip = std::move(tip);
    return op;
}

Operation Operation::setLocked(int id, bool locked) {
    Operation op;
    op.kind = Kind::setLocked;
    op.id = id;
    op.locked = locked;
    return op;
}

Operation Operation::setLook(int id, const Look& look) {
    Operation op;
    op.kind = Kind::setLook;
    op.id = id;
    op.look = look;
    return op;
}

Operation Operation::select(std::set<int> ids) {
    Operation op;
    op.kind = Kind::select;
    op.ids = std::move(ids);
    return op;
}

Operation Operation::setSettings(const Settings& s) {
    Operation op;
    op.kind = Kind::setSettings;
    op.settings = s;
    return op;
}

std::size_t Operation::heldBytes() const {
    const auto heap = [](const std::string& s) {
        // Short texts live inside the string itself.
        return s.capacity() > 15 ? s.capacity() + 1 : 0;
    };
    return sizeof(Operation) + heap(link) + heap(tip) + heap(hotspot.link) + heap(hotspot.tip) +
           ids.size() * (sizeof(int) + 4 * sizeof(void*));
}

Document::Document(const Document& o)
    : hotspots_(o.hotspots_),
      index_(o.index_),
      selection_(o.selection_),
      settings_(o.settings_),
      codeAddress_(o.codeAddress_) {}

Document& Document::operator=(const Document& o) {
    if (this == &o) return *this;
    hotspots_ = o.hotspots_;
    index_ = o.index_;
    selection_ = o.selection_;
    settings_ = o.settings_;
    codeAddress_ = o.codeAddress_;
    return *this;
}

int Document::indexOf(int id) const {
    const auto it = index_.find(id);
    return it == index_.end() ? -1 : it->second;
}

const Hotspot* Document::find(int id) const { return at(indexOf(id)); }

const Hotspot* Document::at(int index) const {
    return index >= 0 && index < count() ? &hotspots_[index] : nullptr;
}

void Document::reindexFrom(int index) {
    for (int i = index; i < count(); ++i) index_[hotspots_[i].id] = i;
}

bool Document::add(int index, Hotspot h) {
    if (h.id <= 0 || contains(h.id)) return false;
    index = std::clamp(index, 0, count());
    hotspots_.insert(hotspots_.begin() + index, std::move(h));
    reindexFrom(index);
    if (observer_) observer_->hotspotAdded(index, hotspots_[index]);
    return true;
}

bool Document::remove(int id) {
    const int index = indexOf(id);
    if (index < 0) return false;
    Hotspot gone = std::move(hotspots_[index]);
    hotspots_.erase(hotspots_.begin() + index);
    index_.erase(id);
    reindexFrom(index);
    const std::set<int> before = selection_;
    const bool wasSelected = selection_.erase(id) > 0;
    if (observer_) {
        observer_->hotspotRemoved(index, gone);
        if (wasSelected) observer_->selectionChanged(before);
    }
    return true;
}

namespace {
template <typename Change>
bool changeHotspot(std::vector<Hotspot>& hotspots, int index, Observer* observer, Change change) {
    if (index < 0) return false;
    Hotspot& h = hotspots[index];
    Hotspot before = h;
    change(h);
    if (h == before) return false;
    if (observer) observer->hotspotChanged(index, before, h);
    return true;
}
}  // namespace

bool Document::setRect(int id, const RectXYWH& r) {
    if (r.w <= 0 || r.h <= 0) return false;
    return changeHotspot(hotspots_, indexOf(id), observer_, [&](Hotspot& h) { h.rect = r; });
}

bool Document::setLinkTip(int id, const std::string& link, const std::string& tip) {
    return changeHotspot(hotspots_, indexOf(id), observer_, [&](Hotspot& h) {
        h.link = link;
        h.tip = tip;
    });
}

bool Document::setLocked(int id, bool locked) {
    return changeHotspot(hotspots_, indexOf(id), observer_, [&](Hotspot& h) { h.locked = locked; });
}

bool Document::setLook(int id, const Look& look) {
    return changeHotspot(hotspots_, indexOf(id), observer_, [&](Hotspot& h) { h.look = look; });
}

bool Document::select(std::set<int> ids) {
    for (auto it = ids.begin(); it != ids.end();)
        it = contains(*it) ? std::next(it) : ids.erase(it);
    if (ids == selection_) return false;
    std::set<int> before = std::move(selection_);
    selection_ = std::move(ids);
    if (observer_) observer_->selectionChanged(before);
    return true;
}

bool Document::setSettings(const Settings& s) {
    if (s == settings_) return false;
    const Settings before = settings_;
    settings_ = s;
    if (observer_) observer_->settingsChanged(before);
    return true;
}

bool Document::apply(const Operation& op) {
    switch (op.kind) {
        case Operation::Kind::add:
            return add(op.index, op.hotspot);
        case Operation::Kind::remove:
            return remove(op.id);
        case Operation::Kind::setRect:
            return setRect(op.id, op.rect);
        case Operation::Kind::setLinkTip:
            return setLinkTip(op.id, op.link, op.tip);
        case Operation::Kind::setLocked:
            return setLocked(op.id, op.locked);
        case Operation::Kind::setLook:
            return setLook(op.id, op.look);
        case Operation::Kind::select:
            return select(op.ids);
        case Operation::Kind::setSettings:
            return setSettings(op.settings);
    }
    return false;
}

int Document::apply(const std::vector<Operation>& ops) {
    int changed = 0;
    for (const Operation& op : ops) changed += apply(op) ? 1 : 0;
    return changed;
}

void Document::clearHotspots() {
    const bool hadSelection = !selection_.empty();
    const std::set<int> before = std::move(selection_);
    selection_.clear();
    std::vector<Hotspot> gone = std::move(hotspots_);
    hotspots_.clear();
    index_.clear();
    if (observer_) {
        observer_->cleared(gone);
        if (hadSelection) observer_->selectionChanged(before);
    }
}

std::vector<Operation> difference(const Document& from, const Document& to) {
    std::vector<Operation> ops;
    for (const Hotspot& h : from.hotspots())
        if (!to.contains(h.id)) ops.push_back(Operation::remove(h.id));
    for (int i = 0; i < to.count(); ++i) {
        const Hotspot& t = *to.at(i);
        const Hotspot* f = from.find(t.id);
        if (!f) {
            ops.push_back(Operation::add(i, t));
            continue;
        }
        if (f->rect != t.rect) ops.push_back(Operation::setRect(t.id, t.rect));
        if (f->link != t.link || f->tip != t.tip)
            ops.push_back(Operation::setLinkTip(t.id, t.link, t.tip));
        if (f->locked != t.locked) ops.push_back(Operation::setLocked(t.id, t.locked));
        if (f->look != t.look) ops.push_back(Operation::setLook(t.id, t.look));
    }
    if (from.settings() != to.settings()) ops.push_back(Operation::setSettings(to.settings()));
    return ops;
}

}  // namespace doc
