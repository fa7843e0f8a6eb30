// Undo and redo: the user's actions as named steps, each holding the work before
// and after it. Taking a step back or forward makes the work match the snapshot by
// difference, through an editor that changes hotspots only the program's own ways.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/app_state.h"
#include "core/canvas_store.h"

namespace undo {

// One hotspot as the work holds it.
struct HotspotState {
    int objectId = 0;  // its canvas object when the work was looked at
    int number = 0;    // shown in its list entry and as its table caption
    RectXYWH rect;     // relative to the picture
    std::string link;
    std::string tip;
    bool locked = false;
    PackedColour fill = 0;    // its face colours and transparency, fixed when it was made
    PackedColour border = 0;
    int transparency = 0;

    bool operator==(const HotspotState& o) const;
    bool operator!=(const HotspotState& o) const { return !(*this == o); }
};

// What new hotspots will look like, and the canvas background.
struct Settings {
    PackedColour hotspotColour = packRgb(255, 0, 255);
    PackedColour borderColour = packRgb(0, 128, 0);
    PackedColour backgroundColour = packRgb(255, 255, 255);
    int transparency = 50;

    bool operator==(const Settings& o) const;
    bool operator!=(const Settings& o) const { return !(*this == o); }
};

// The work as a step sees it: the hotspots in list order and the settings. The
// picture's own position is not part of it: moving the picture carries every
// hotspot along and changes nothing relative to it.
struct Work {
    std::vector<HotspotState> hotspots;
    Settings settings;

    bool operator==(const Work& o) const { return hotspots == o.hotspots && settings == o.settings; }
    bool operator!=(const Work& o) const { return !(*this == o); }
};

// The changes a step back or forward is made of, carried out by the program's own
// routines so that list entry, table row and canvas object stay in step.
class WorkEditor {
  public:
    virtual ~WorkEditor() = default;
    virtual Work capture() const = 0;
    // Places the hotspot at `rect` relative to the picture; a new size rebuilds its face.
    virtual void setGeometry(int objectId, const RectXYWH& rect) = 0;
    virtual void setLinkTip(int objectId, const std::string& link, const std::string& tip) = 0;
    virtual void setLocked(int objectId, bool locked) = 0;
    // Makes the hotspot anew at list position `index`, with its number, look, link,
    // tip and lock; returns its new canvas object (0 when it could not be made).
    virtual int recreate(int index, const HotspotState& hotspot) = 0;
    virtual void remove(int objectId) = 0;
    virtual void setSettings(const Settings& settings) = 0;
    // The step has been applied; `touched` is the last hotspot it changed or made
    // (0 when it only removed hotspots or changed the settings).
    virtual void finish(int touched) = 0;
};

class UndoHistory {
  public:
    static constexpr std::size_t kDefaultLimit = 100;
    // Steps closer together than this with the same merge key make one step.
    static constexpr std::uint64_t kMergeMs = 1000;

    explicit UndoHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // Begins a step with the work before it. A step still open is ended first, with
    // `before` as its work after. Steps with the same non-empty merge key that follow
    // each other within kMergeMs (counted from the previous one) become one.
    void begin(const std::string& name, Work before, const std::string& mergeKey = {},
               std::uint64_t nowMs = 0);
    // Ends the open step with the work after it; a step that changed nothing is dropped.
    void end(Work after);
    bool isOpen() const { return open_; }

    // A change of the settings the program hears of only once it is made (a colour
    // picked, the slider moved): the settings before it are those the history saw
    // last, the hotspots are as in `now`.
    void recordSettings(const std::string& name, Work now, const std::string& mergeKey = {},
                        std::uint64_t nowMs = 0);

    // Forgets every step; `now` is the work from which the next steps go.
    void clear(Work now);

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // The name of the step an undo or a redo would take; empty when there is none.
    std::string undoName() const { return canUndo() ? done_.back().name : std::string(); }
    std::string redoName() const { return canRedo() ? undone_.back().name : std::string(); }
    std::size_t undoCount() const { return done_.size(); }
    std::size_t redoCount() const { return undone_.size(); }

    // Takes the last step back (or forward again); a step still open is ended with
    // the editor's work first. False when there is nothing to do.
    bool undo(WorkEditor& editor);
    bool redo(WorkEditor& editor);

    // The canvas object a hotspot recorded as `objectId` has now: undo and redo make
    // deleted hotspots anew, under new object numbers.
    int resolve(int objectId) const;

  private:
    struct Step {
        std::string name;
        Work before;
        Work after;
        std::string mergeKey;
        std::uint64_t lastMs = 0;
    };
    void push(Step step);
    // Makes the editor's work match `target`.
    void apply(WorkEditor& editor, const Work& target);

    std::size_t limit_;
    std::deque<Step> done_;
    std::vector<Step> undone_;
    bool open_ = false;
    bool applying_ = false;
    bool mayMerge_ = false;  // the last step is the latest action, not one undone or redone
    Step pending_;
    Settings lastSettings_;
    std::unordered_map<int, int> renumbered_;  // recorded object -> the object made for it
};

}  // namespace undo
