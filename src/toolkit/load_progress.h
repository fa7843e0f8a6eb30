// The browser's load progress in percent. wxWebView reports none of its own, so
// each platform takes it from its browser engine; one file per platform.
#pragma once

#include <functional>
#include <memory>

class wxWebView;

namespace toolkit {

// Calls `report` with the percentage loaded (0 to 100) whenever the engine's
// estimate changes, until the watch is destroyed. Destroy it before the view.
class LoadProgressWatch {
public:
    LoadProgressWatch(wxWebView* view, std::function<void(int percent)> report);
    ~LoadProgressWatch();
    LoadProgressWatch(const LoadProgressWatch&) = delete;
    LoadProgressWatch& operator=(const LoadProgressWatch&) = delete;

    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace toolkit
