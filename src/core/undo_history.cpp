#include "core/undo_history.h"

#include <unordered_set>

namespace undo {

bool HotspotState::operator==(const HotspotState& o) const {
    return objectId == o.objectId && number == o.number && rect.x == o.rect.x &&
           rect.y == o.rect.y && rect.w == o.rect.w && rect.h == o.rect.h && link == o.link &&
           tip == o.tip && locked == o.locked && fill == o.fill && border == o.border &&
           transparency == o.transparency;
}

bool Settings::operator==(const Settings& o) const {
    return hotspotColour == o.hotspotColour && borderColour == o.borderColour &&
           backgroundColour == o.backgroundColour && transparency == o.transparency;
}

void UndoHistory::begin(const std::string& name, Work before, const std::string& mergeKey,
                        std::uint64_t nowMs) {
    if (applying_) return;
    if (open_) end(before);
    pending_ = Step{name, std::move(before), Work{}, mergeKey, nowMs};
    open_ = true;
}

void UndoHistory::end(Work after) {
    if (!open_ || applying_) return;
    open_ = false;
    Step step = std::move(pending_);
    pending_ = Step{};
    step.after = std::move(after);
    lastSettings_ = step.after.settings;
    const bool merges = mayMerge_ && !done_.empty() && !step.mergeKey.empty() &&
                        done_.back().mergeKey == step.mergeKey &&
                        step.lastMs >= done_.back().lastMs &&
                        step.lastMs - done_.back().lastMs < kMergeMs;
    if (merges) {
        Step& last = done_.back();
        last.after = std::move(step.after);
        last.lastMs = step.lastMs;
        // Back where the burst began: nothing is left to undo.
        if (last.after == last.before) {
            done_.pop_back();
            mayMerge_ = false;
        }
        return;
    }
    if (step.after == step.before) return;
    push(std::move(step));
}

void UndoHistory::recordSettings(const std::string& name, Work now, const std::string& mergeKey,
                                 std::uint64_t nowMs) {
    if (applying_) return;
    Work before = now;
    before.settings = lastSettings_;
    // A step still open ends before this change.
    if (open_) end(before);
    before = now;
    before.settings = lastSettings_;
    begin(name, std::move(before), mergeKey, nowMs);
    end(std::move(now));
}

void UndoHistory::push(Step step) {
    undone_.clear();
    done_.push_back(std::move(step));
    while (done_.size() > limit_) done_.pop_front();
    mayMerge_ = true;
}

void UndoHistory::clear(Work now) {
    done_.clear();
    undone_.clear();
    open_ = false;
    pending_ = Step{};
    mayMerge_ = false;
    renumbered_.clear();
    lastSettings_ = now.settings;
}

bool UndoHistory::undo(WorkEditor& editor) {
    if (open_) end(editor.capture());
    if (done_.empty()) return false;
    Step step = std::move(done_.back());
    done_.pop_back();
    apply(editor, step.before);
    undone_.push_back(std::move(step));
    mayMerge_ = false;
    return true;
}

bool UndoHistory::redo(WorkEditor& editor) {
    if (open_) end(editor.capture());
    if (undone_.empty()) return false;
    Step step = std::move(undone_.back());
    undone_.pop_back();
    apply(editor, step.after);
    done_.push_back(std::move(step));
    mayMerge_ = false;
    return true;
}

int UndoHistory::resolve(int objectId) const {
    // Each hotspot made anew has a fresh number, so the chain always ends.
    for (auto it = renumbered_.find(objectId); it != renumbered_.end(); it = renumbered_.find(objectId))
        objectId = it->second;
    return objectId;
}

void UndoHistory::apply(WorkEditor& editor, const Work& target) {
    applying_ = true;
    const Work now = editor.capture();
    std::unordered_set<int> wanted;
    for (const HotspotState& t : target.hotspots) wanted.insert(resolve(t.objectId));
    std::unordered_map<int, const HotspotState*> kept;
    for (const HotspotState& h : now.hotspots) {
        if (wanted.count(h.objectId)) {
            kept.emplace(h.objectId, &h);
        } else {
            editor.remove(h.objectId);
        }
    }
    // The hotspots that stay keep their order; the missing ones go in between.
    int touched = 0;
    for (size_t i = 0; i < target.hotspots.size(); ++i) {
        const HotspotState& t = target.hotspots[i];
        const int id = resolve(t.objectId);
        const auto found = kept.find(id);
        if (found == kept.end()) {
            const int made = editor.recreate(static_cast<int>(i), t);
            if (made > 0) {
                renumbered_[id] = made;
                touched = made;
            }
            continue;
        }
        const HotspotState& c = *found->second;
        if (c.rect.x != t.rect.x || c.rect.y != t.rect.y || c.rect.w != t.rect.w || c.rect.h != t.rect.h) {
            editor.setGeometry(id, t.rect);
            touched = id;
        }
        if (c.link != t.link || c.tip != t.tip) {
            editor.setLinkTip(id, t.link, t.tip);
            touched = id;
        }
        if (c.locked != t.locked) {
            editor.setLocked(id, t.locked);
            touched = id;
        }
    }
    if (now.settings != target.settings) editor.setSettings(target.settings);
    lastSettings_ = target.settings;
    editor.finish(touched);
    applying_ = false;
}

}  // namespace undo
