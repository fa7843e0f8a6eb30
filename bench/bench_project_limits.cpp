// Project files at and past the limits: the memory and time of refusing 64 MB of
// empty hotspots, against opening the largest project the program saves. The
// heap is counted by this program's own operator new, peak over live bytes.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "bench_window.h"
#include "core/limits.h"
#include "core/project_file.h"

namespace {
std::atomic<long long> live{0}, peak{0};

void noteAlloc(std::size_t n) {
    const long long now = live.fetch_add(static_cast<long long>(n)) + static_cast<long long>(n);
    long long p = peak.load();
    while (now > p && !peak.compare_exchange_weak(p, now)) {
    }
}
}  // namespace

// Every allocation carries its size in front, so that a free can count it back.
void* operator new(std::size_t n) {
    auto* p = static_cast<std::size_t*>(std::malloc(n + sizeof(std::max_align_t)));
    if (!p) throw std::bad_alloc();
    *p = n;
    noteAlloc(n);
    return reinterpret_cast<char*>(p) + sizeof(std::max_align_t);
}
void operator delete(void* q) noexcept {
    if (!q) return;
    auto* p = reinterpret_cast<std::size_t*>(static_cast<char*>(q) - sizeof(std::max_align_t));
    live.fetch_sub(static_cast<long long>(*p));
    std::free(p);
}
void operator delete(void* q, std::size_t) noexcept { operator delete(q); }

namespace {

struct Figure {
    double ms;
    long long peakBytes;
};

// The peak heap above what was live before, and the time, of one read.
Figure measure(const std::string& text, bool expectOk) {
    project::Project p;
    std::string error;
    const long long before = live.load();
    peak.store(before);
    const auto t0 = bench::Clock::now();
    const bool ok = project::fromJson(text, p, error);
    const double ms = bench::msSince(t0);
    if (ok != expectOk) std::printf("unexpected result: %s\n", error.c_str());
    return {ms, peak.load() - before};
}

int run() {
    constexpr int kRuns = 5;
    std::string empties = "{\"format\":\"huizhan-hotspots-project\",\"version\":1,\"hotspots\":[{}";
    while (empties.size() + 8 < limits::kMaxProjectBytes) empties += ",{}";
    empties += "]}";

    project::Project full;
    full.hasPicture = true;
    full.picture.path = "/tmp/a.jpg";
    full.picture.width = 790;
    full.picture.height = 20000;
    for (int i = 0; i < limits::kMaxHotspots; ++i)
        full.hotspots.push_back({(i % 5) * 150, (i / 5) * 5, 150, 5,
                                 "http://shop.example/item?id=" + std::to_string(i),
                                 "热点提示 " + std::to_string(i), false});
    const std::string largest = project::toJson(full);

    std::vector<double> refuseMs, openMs;
    long long refusePeak = 0, openPeak = 0;
    for (int i = 0; i < kRuns; ++i) {
        const Figure r = measure(empties, false);
        refuseMs.push_back(r.ms);
        refusePeak = std::max(refusePeak, r.peakBytes);
        const Figure o = measure(largest, true);
        openMs.push_back(o.ms);
        openPeak = std::max(openPeak, o.peakBytes);
    }
    std::printf("refusing 64 MB of empty hotspots: peak heap / file size  ratio %.2f (aim <= 10)\n",
                static_cast<double>(refusePeak) / static_cast<double>(empties.size()));
    std::printf("refusing 64 MB of empty hotspots: median %.0f ms (aim <= 2000)\n",
                bench::median(refuseMs));
    std::printf(
        "opening the largest project (%d hotspots, %.1f MB): peak heap / file size  ratio %.2f "
        "(aim <= 10)\n",
        limits::kMaxHotspots, static_cast<double>(largest.size()) / (1 << 20),
        static_cast<double>(openPeak) / static_cast<double>(largest.size()));
    std::printf("opening the largest project: median %.0f ms\n", bench::median(openMs));
    return 0;
}

}  // namespace

int main() { return run(); }
