// The work as a document: the hotspots in list order with their rectangles in
// picture pixels, the selection, the colour pickers and transparency, and the
// address typed for the code. Every change is one of a few operations; observers
// (the views) hear of each one after it is made.
#pragma once

#include <cstddef>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/canvas_store.h"
#include "core/geometry.h"

namespace doc {

// A hotspot's face: fill and frame colours and the transparency, fixed when it is made.
struct Look {
    PackedColour fill = packRgb(255, 0, 255);
    PackedColour border = packRgb(0, 128, 0);
    int transparency = 0;
    bool operator==(const Look& o) const {
        return fill == o.fill && border == o.border && transparency == o.transparency;
    }
    bool operator!=(const Look& o) const { return !(*this == o); }
};

struct Hotspot {
    int id = 0;      // stable for the hotspot's life, taken back by undo as it was
    int number = 0;  // shown in its list entry and as its table caption
    RectXYWH rect;   // in picture pixels
    std::string link;
    std::string tip;
    bool locked = false;
    Look look;

    bool operator==(const Hotspot& o) const {
        return id == o.id && number == o.number && rect == o.rect && link == o.link &&
               tip == o.tip && locked == o.locked && look == o.look;
    }
    bool operator!=(const Hotspot& o) const { return !(*this == o); }
};

// What new hotspots will look like, and the canvas background.
struct Settings {
    PackedColour hotspotColour = packRgb(255, 0, 255);
    PackedColour borderColour = packRgb(0, 128, 0);
    PackedColour backgroundColour = packRgb(255, 255, 255);
    int transparency = 50;

    bool operator==(const Settings& o) const {
        return hotspotColour == o.hotspotColour && borderColour == o.borderColour &&
               backgroundColour == o.backgroundColour && transparency == o.transparency;
    }
    bool operator!=(const Settings& o) const { return !(*this == o); }
};

// One change of the document, as a plain value: a batch is a list of these.
struct Operation {
    enum class Kind { add, remove, setRect, setLinkTip, setLocked, setLook, select, setSettings };
    Kind kind = Kind::select;
    int id = 0;
    int index = 0;     // add: the list position
    Hotspot hotspot;   // add
    RectXYWH rect;     // setRect
    std::string link;  // setLinkTip
    std::string tip;
    bool locked = false;  // setLocked
    Look look;            // setLook
    std::set<int> ids;    // select
    Settings settings;    // setSettings

    static Operation add(int index, Hotspot h);
    static Operation remove(int id);
    static Operation setRect(int id, const RectXYWH& r);
    static Operation setLinkTip(int id, std::string link, std::string tip);
    static Operation setLocked(int id, bool locked);
    static Operation setLook(int id, const Look& look);
    static Operation select(std::set<int> ids);
    static Operation setSettings(const Settings& s);

    // The bytes this operation holds, its texts included.
    std::size_t heldBytes() const;
};

// Told of each change after it is made.
class Observer {
  public:
    virtual ~Observer() = default;
    virtual void hotspotAdded(int /*index*/, const Hotspot& /*h*/) {}
    // `h` is the hotspot as it was, `index` where it was.
    virtual void hotspotRemoved(int /*index*/, const Hotspot& /*h*/) {}
    virtual void hotspotChanged(int /*index*/, const Hotspot& /*before*/, const Hotspot& /*now*/) {}
    virtual void selectionChanged(const std::set<int>& /*before*/) {}
    virtual void settingsChanged(const Settings& /*before*/) {}
    // Every hotspot went at once; `gone` are they, in list order.
    virtual void cleared(const std::vector<Hotspot>& /*gone*/) {}
};

class Document {
  public:
    Document() = default;
    // A copy is a plain value: it has no observer.
    Document(const Document& o);
    Document& operator=(const Document& o);

    void setObserver(Observer* observer) { observer_ = observer; }

    const std::vector<Hotspot>& hotspots() const { return hotspots_; }
    int count() const { return static_cast<int>(hotspots_.size()); }
    // The list position of a hotspot, -1 when there is none; constant time.
    int indexOf(int id) const;
    const Hotspot* find(int id) const;
    const Hotspot* at(int index) const;
    bool contains(int id) const { return indexOf(id) >= 0; }

    const std::set<int>& selection() const { return selection_; }
    // The hotspot shown selected while the views select one: the lowest id, 0 for none.
    int selected() const { return selection_.empty() ? 0 : *selection_.begin(); }
    const Settings& settings() const { return settings_; }
    const std::string& codeAddress() const { return codeAddress_; }

    // Each returns false and changes nothing when it does not apply (no such
    // hotspot, an id in use, nothing would change).
    bool add(int index, Hotspot h);  // index clamped to the list; id > 0 and unused
    bool remove(int id);
    bool setRect(int id, const RectXYWH& r);
    bool setLinkTip(int id, const std::string& link, const std::string& tip);
    bool setLocked(int id, bool locked);
    bool setLook(int id, const Look& look);
    // Ids not in the document are dropped.
    bool select(std::set<int> ids);
    bool setSettings(const Settings& s);
    void setCodeAddress(std::string address) { codeAddress_ = std::move(address); }

    bool apply(const Operation& op);
    // A batch: each operation in turn; returns how many changed something.
    int apply(const std::vector<Operation>& ops);

    // Every hotspot and the selection go; the settings and the address stay.
    void clearHotspots();

    // The work as undo and the unsaved-changes mark compare it: hotspots and settings.
    bool sameWork(const Document& o) const {
        return hotspots_ == o.hotspots_ && settings_ == o.settings_;
    }

  private:
    void reindexFrom(int index);
    std::vector<Hotspot> hotspots_;
    std::unordered_map<int, int> index_;  // id -> list position
    std::set<int> selection_;
    Settings settings_;
    std::string codeAddress_;
    Observer* observer_ = nullptr;
};

// The operations that turn `from` into `to` (hotspots and settings; the selection
// is not part of it). Hotspots never change order, so removals come first, then
// the additions in ascending list position, then the changes of those in both.
std::vector<Operation> difference(const Document& from, const Document& to);

}  // namespace doc
