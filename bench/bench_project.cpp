// Projects: saving and opening a project of 1000 hotspots on a 790 x 20000 JPEG.
// Prints the median save, the median open without the picture's decode (reading,
// parsing and restoring the hotspots), and the whole open against the bare decode
// of the same picture file in the same run. Needs a display: run it under xvfb-run.
#include <wx/image.h>
#include <wx/log.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "bench_window.h"
#include "core/project_file.h"
#include "decode/picture_decode.h"
#include "image/picture_install.h"
#include "project/project_session.h"

namespace {

constexpr int kRuns = 9, kWidth = 790, kHeight = 20000, kSpots = 1000;

std::string makeJpeg() {
    const std::string path = "/tmp/bench_project_790x20000.jpg";
    bench::writeBandedJpeg(path, kWidth, kHeight);
    return path;
}

Bytes fileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string b = s.str();
    return Bytes(b.begin(), b.end());
}

int run() {
    using namespace bench;
    const std::string picture = makeJpeg();
    const std::string projectPath = "/tmp/bench_project.hzproj";
    AppState state;
    MainWindow* window = openMainWindow(state);
    settle(200);
    dropFiles(*window, {wxString(picture)});
    for (int i = 0; i < kSpots; ++i)
        createHotspot(*window, (i % 5) * 160, (i / 5) * 100, 150, 90,
                      "http://shop.example/item?id=" + std::to_string(i), "热点提示 " + std::to_string(i),
                      i % 3 == 0);
    settle(100);

    std::vector<double> save;
    for (int i = 0; i < kRuns; ++i) {
        const auto t0 = Clock::now();
        if (!saveProjectTo(*window, projectPath)) std::puts("save failed");
        save.push_back(msSince(t0));
    }

    std::vector<double> open, parse, decode;
    for (int i = 0; i < kRuns; ++i) {
        newProject(*window);
        settle(20);
        const auto t0 = Clock::now();
        if (!openProjectFile(*window, projectPath)) std::puts("open failed");
        open.push_back(msSince(t0));
        if (window->hotspots.hotspotCount() != kSpots) std::puts("hotspots missing");

        std::ifstream in(projectPath, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        const auto t1 = Clock::now();
        project::Project p;
        std::string error;
        project::fromJson(s.str(), p, error);
        parse.push_back(msSince(t1));

        const Bytes bytes = fileBytes(picture);
        const auto t2 = Clock::now();
        {
            const DecodeResult d = decodePictureBytes(bytes.data(), bytes.size());
            if (d.picture.height != kHeight) std::puts("decode failed");
        }
        decode.push_back(msSince(t2));
    }
    std::ifstream size(projectPath, std::ios::binary | std::ios::ate);
    const double openMs = median(open), decodeMs = median(decode);
    std::printf("project: %d hotspots on a %d x %d JPEG, file %ld kB\n", kSpots, kWidth, kHeight,
                static_cast<long>(size.tellg()) / 1024);
    std::printf("save:                         %8.2f ms median of %d (aim < 20)\n", median(save), kRuns);
    std::printf("parse the file:               %8.2f ms median\n", median(parse));
    std::printf("open without the decode:      %8.2f ms median (whole open - bare decode)\n",
                openMs - decodeMs);
    std::printf("open, whole:                  %8.2f ms median\n", openMs);
    std::printf("decode of the picture alone:  %8.2f ms median (libjpeg, on this thread)\n", decodeMs);
    std::printf("open / bare decode:           %8.2f (aim <= 1.20)\n", openMs / decodeMs);
    window->session->dirty = false;
    window->Destroy();
    settle(50);
    std::remove(projectPath.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) { return bench::runInApp(argc, argv, run); }
