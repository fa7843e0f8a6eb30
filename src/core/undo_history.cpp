#include "core/undo_history.h"

namespace undo {

void UndoHistory::begin(const std::string& name, const doc::Document& before,
                        const std::string& mergeKey, std::uint64_t nowMs) {
    if (applying_) return;
    if (open_) end(before);
    pendingName_ = name;
    pendingKey_ = mergeKey;
    pendingMs_ = nowMs;
    before_ = before;
    open_ = true;
}

void UndoHistory::end(const doc::Document& after) {
    if (!open_ || applying_) return;
    open_ = false;
    doc::Document before = std::move(before_);
    before_ = doc::Document{};
    lastSettings_ = after.settings();
    const bool merges = mayMerge_ && !done_.empty() && !pendingKey_.empty() &&
                        done_.back().mergeKey == pendingKey_ && pendingMs_ >= done_.back().lastMs &&
                        pendingMs_ - done_.back().lastMs < kMergeMs;
    if (merges) {
        // The burst's document before it is this step's before, taken back by the last step.
        Step& last = done_.back();
        before.apply(last.back);
        last.back = doc::difference(after, before);
        last.forward = doc::difference(before, after);
        last.lastMs = pendingMs_;
        // Back where the burst began: nothing is left to undo.
        if (last.forward.empty()) {
            done_.pop_back();
            mayMerge_ = false;
        }
        return;
    }
    Step step{pendingName_, doc::difference(after, before), doc::difference(before, after),
              pendingKey_, pendingMs_};
    if (step.forward.empty()) return;
    push(std::move(step));
}

void UndoHistory::recordSettings(const std::string& name, const doc::Document& now,
                                 const std::string& mergeKey, std::uint64_t nowMs) {
    if (applying_) return;
    doc::Document before = now;
    before.setSettings(lastSettings_);
    // A step still open ends before this change.
    if (open_) end(before);
    begin(name, before, mergeKey, nowMs);
    end(now);
}

void UndoHistory::push(Step step) {
    undone_.clear();
    done_.push_back(std::move(step));
    while (done_.size() > limit_) done_.pop_front();
    mayMerge_ = true;
}

void UndoHistory::clear(const doc::Document& now) {
    done_.clear();
    undone_.clear();
    open_ = false;
    before_ = doc::Document{};
    mayMerge_ = false;
    lastSettings_ = now.settings();
    touched_ = 0;
}

void UndoHistory::take(doc::Document& document, const std::vector<doc::Operation>& ops) {
    applying_ = true;
    touched_ = 0;
    for (const doc::Operation& op : ops) {
        document.apply(op);
        if (op.kind != doc::Operation::Kind::remove &&
            op.kind != doc::Operation::Kind::setSettings && document.contains(op.id))
            touched_ = op.id;
    }
    lastSettings_ = document.settings();
    applying_ = false;
}

bool UndoHistory::undo(doc::Document& document) {
    if (open_) end(document);
    if (done_.empty()) return false;
    Step step = std::move(done_.back());
    done_.pop_back();
    take(document, step.back);
    undone_.push_back(std::move(step));
    mayMerge_ = false;
    return true;
}

bool UndoHistory::redo(doc::Document& document) {
    if (open_) end(document);
    if (undone_.empty()) return false;
    Step step = std::move(undone_.back());
    undone_.pop_back();
    take(document, step.forward);
    done_.push_back(std::move(step));
    mayMerge_ = false;
    return true;
}

std::size_t UndoHistory::heldBytes() const {
    const auto stepBytes = [](const Step& s) {
        std::size_t n = sizeof(Step) + s.name.capacity() + s.mergeKey.capacity();
        for (const doc::Operation& op : s.back) n += op.heldBytes();
        for (const doc::Operation& op : s.forward) n += op.heldBytes();
        n += (s.back.capacity() - s.back.size() + s.forward.capacity() - s.forward.size()) *
             sizeof(doc::Operation);
        return n;
    };
    std::size_t n = 0;
    for (const Step& s : done_) n += stepBytes(s);
    for (const Step& s : undone_) n += stepBytes(s);
    return n;
}

}  // namespace undo
