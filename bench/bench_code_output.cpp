// Code output for 1000 hotspots: generating the code (gathering the areas from the
// document included) and filling the code window's editor.
// Prints the median of each half. Needs a display (run it under xvfb-run).
#include <wx/app.h>
#include <wx/init.h>
#include <wx/stc/stc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "core/document.h"
#include "core/map_code.h"
#include "core/random.h"
#include "forms/code_window.h"

namespace {

using Clock = std::chrono::steady_clock;

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

template <class F>
double timeMs(F&& f) {
    const auto start = Clock::now();
    f();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    constexpr int kHotspots = 1000;
    constexpr int kRuns = 31;

    doc::Document work;
    for (int i = 0; i < kHotspots; ++i) {
        doc::Hotspot h;
        h.id = i + 2;
        h.number = i + 1;
        h.rect = RectXYWH{(i * 37) % 900, (i * 53) % 700, 150, 100};
        h.link = "https://item.example/detail?id=" + std::to_string(600000 + i);
        h.tip = "热点提示 \"" + std::to_string(i) + "\"";
        work.add(work.count(), std::move(h));
    }

    rng::seed(1);
    std::string code;
    std::vector<double> generate;
    for (int r = 0; r < kRuns; ++r)
        generate.push_back(timeMs([&] {
            code = mapcode::generateMapCode("https://img.example/banner.jpg", 1920, 4000,
                                            mapcode::drawMapName(), mapcode::collectMapAreas(work));
        }));

    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        std::fprintf(stderr, "no display: run under xvfb-run\n");
        return 1;
    }
    std::vector<double> fill;
    {
        CodeWindow window(nullptr);
        for (int r = 0; r < kRuns; ++r) {
            window.editor->ClearAll();
            fill.push_back(timeMs([&] { window.showCode(code); }));
        }
        if (window.editor->GetLength() != static_cast<int>(code.size())) {
            std::fprintf(stderr, "editor holds %d bytes, code has %zu\n",
                         window.editor->GetLength(), code.size());
            return 1;
        }
    }
    wxEntryCleanup();

    const double g = medianMs(generate), f = medianMs(fill);
    std::printf("hotspots: %d, code: %zu bytes\n", kHotspots, code.size());
    std::printf("generate (median of %d): %.3f ms\n", kRuns, g);
    std::printf("fill editor (median of %d): %.3f ms\n", kRuns, f);
    std::printf("together: %.3f ms (aim: under 20 ms)\n", g + f);
    return 0;
}
