// What the benchmarks that open the real main window share: timing, the memcpy
// reference frame, the 790 x 20000 picture with 300 hotspots on a 980 x 678 canvas,
// and a wx application that runs one benchmark inside its event loop.
#pragma once

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/image.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "app/app.h"
#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "hotspots/hotspot_ops.h"

namespace bench {

using Clock = std::chrono::steady_clock;

inline double msSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

inline void settle(int ms) {
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (Clock::now() < end) {
        wxYield();
        wxMilliSleep(5);
    }
}

// The median time of copying one 980 x 678 RGB frame.
inline double memcpyFrameMs(int rounds) {
    const size_t frame = 980u * 678u * 3u;
    std::vector<unsigned char> src(frame, 7), dst(frame);
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        src[i] = static_cast<unsigned char>(i);
        const auto t0 = Clock::now();
        std::memcpy(dst.data(), src.data(), frame);
        times.push_back(msSince(t0));
        if (dst[i] != src[i]) std::puts("memcpy failed");
    }
    return median(times);
}

inline constexpr int kPictureWidth = 790, kPictureHeight = 20000, kHotspots = 300;

// A JPEG of colour bands down the picture, so that a decoder has real work.
inline bool writeBandedJpeg(const std::string& path, int w = kPictureWidth,
                            int h = kPictureHeight) {
    wxImage image(w, h, false);
    unsigned char* p = image.GetData();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x, p += 3) {
            p[0] = static_cast<unsigned char>((y / 97) * 53);
            p[1] = static_cast<unsigned char>(x / 4 + y / 300);
            p[2] = static_cast<unsigned char>((x * y) >> 9);
        }
    image.SetOption(wxIMAGE_OPTION_QUALITY, 90);
    return image.SaveFile(path, wxBITMAP_TYPE_JPEG);
}

// The main window with a 980 x 678 canvas showing a 790 x 20000 picture and 300
// hotspots (or `hotspots`), 5 columns by 60 rows (or as many as it takes) over the
// picture. Returns the picture object.
inline int openBusyWindow(AppState& state, MainWindow*& window, int hotspots = kHotspots) {
    window = openMainWindow(state);
    window->SetClientSize(1280, 680);  // a 980 x 678 canvas above the status bar
    settle(300);
    const int w = kPictureWidth, h = kPictureHeight;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(w) * h * 3);
    for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<std::uint8_t>(i * 31 / 7);
    const int picture = window->canvas->createObject(0, 0);
    window->canvas->setPicture(picture, Picture::fromPlanes(w, h, std::move(rgb)));
    state.pictureObject = picture;
    state.imagePath = "bench.png";
    const int rowHeight =
        hotspots <= kHotspots ? 330 : std::max(1, kPictureHeight / ((hotspots + 4) / 5));
    for (int i = 0; i < hotspots; ++i)
        createHotspot(*window, (i % 5) * 160, (i / 5) * rowHeight, 150, 100, kPlaceholderLink,
                      kPlaceholderTip, false);
    settle(200);
    return picture;
}

// Runs `benchmark` inside a wx application's event loop; its result is the exit code.
inline int runInApp(int argc, char** argv, std::function<int()> benchmark) {
    class BenchApp : public wxApp {
      public:
        explicit BenchApp(std::function<int()> run) : run_(std::move(run)) {}
        bool OnInit() override {
            initialiseToolkit();
            SetExitOnFrameDelete(false);
            return true;
        }
        int OnRun() override {
            wxEventLoopGuarantor loop;
            return run_();
        }

      private:
        std::function<int()> run_;
    };
    wxApp::SetInstance(new BenchApp(std::move(benchmark)));
    return wxEntry(argc, argv);
}

}  // namespace bench
