// Undo and redo: the user's actions as named steps, each holding only what it
// changed, as document operations both ways. A step is begun with the document as
// it is and ended with it as it became; the difference is all that is kept.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "core/document.h"

namespace undo {

class UndoHistory {
  public:
    static constexpr std::size_t kDefaultLimit = 100;
    // Steps closer together than this with the same merge key make one step.
    static constexpr std::uint64_t kMergeMs = 1000;

    explicit UndoHistory(std::size_t limit = kDefaultLimit) : limit_(limit) {}

    // Begins a step with the document before it. A step still open is ended first,
    // with `before` as its document after. Steps with the same non-empty merge key
    // that follow each other within kMergeMs (counted from the previous one) become one.
    void begin(const std::string& name, const doc::Document& before,
               const std::string& mergeKey = {}, std::uint64_t nowMs = 0);
    // Ends the open step with the document after it; a step that changed nothing is dropped.
    void end(const doc::Document& after);
    bool isOpen() const { return open_; }

    // A change of the settings the program hears of only once it is made (a colour
    // picked, the slider moved): the settings before it are those the history saw
    // last, the hotspots are as in `now`.
    void recordSettings(const std::string& name, const doc::Document& now,
                        const std::string& mergeKey = {}, std::uint64_t nowMs = 0);

    // Forgets every step; `now` is the document from which the next steps go.
    void clear(const doc::Document& now);

    bool canUndo() const { return !done_.empty(); }
    bool canRedo() const { return !undone_.empty(); }
    // The name of the step an undo or a redo would take; empty when there is none.
    std::string undoName() const { return canUndo() ? done_.back().name : std::string(); }
    std::string redoName() const { return canRedo() ? undone_.back().name : std::string(); }
    std::size_t undoCount() const { return done_.size(); }
    std::size_t redoCount() const { return undone_.size(); }

    // Takes the last step back (or forward again) on the document; a step still
    // open is ended with the document first. False when there is nothing to do.
    bool undo(doc::Document& document);
    bool redo(doc::Document& document);
    // The last hotspot the step just taken changed or made again; 0 when it only
    // removed hotspots or changed the settings.
    int lastTouched() const { return touched_; }

    // The bytes the steps hold, their texts included (the open step's snapshot is
    // not counted: it lives only while a step is open).
    std::size_t heldBytes() const;

  private:
    struct Step {
        std::string name;
        std::vector<doc::Operation> back;     // after -> before
        std::vector<doc::Operation> forward;  // before -> after
        std::string mergeKey;
        std::uint64_t lastMs = 0;
    };
    void push(Step step);
    void take(doc::Document& document, const std::vector<doc::Operation>& ops);

    std::size_t limit_;
    std::deque<Step> done_;
    std::vector<Step> undone_;
    bool open_ = false;
    bool applying_ = false;
    bool mayMerge_ = false;  // the last step is the latest action, not one undone or redone
    std::string pendingName_;
    std::string pendingKey_;
    std::uint64_t pendingMs_ = 0;
    doc::Document before_;  // the open step's document before it
    doc::Settings lastSettings_;
    int touched_ = 0;
};

}  // namespace undo
