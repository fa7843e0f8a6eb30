// Picture installation: a 790 x 20000 picture as PNG, JPEG and GIF brought in
// through the drop handler (read, decode on the worker thread, canvas object,
// status bar) against decoding the same file with its library alone into an RGB
// buffer, the two taking turns; median times and the memory peak of each above the
// idle program.
// Needs a display: run it under xvfb-run.
#include <gif_lib.h>
#include <png.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/image.h>

#include <cstdio>  // jpeglib.h needs FILE
#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/app.h"
#include "canvas/canvas_ctrl.h"
#include "forms/main_window.h"
#include "image/picture_install.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRuns = 9;
constexpr int kWidth = 790, kHeight = 20000;

double medianMs(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// A field of /proc/self/status in kB.
long statusKb(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.compare(0, key.size(), key) == 0) return std::stol(line.substr(key.size()));
    return -1;
}

// Starts a new peak measurement: VmHWM falls back to the current VmRSS.
void resetPeak() { std::ofstream("/proc/self/clear_refs") << "5"; }

std::uint8_t shade(int x, int y, int channel) {
    if (channel == 0) return static_cast<std::uint8_t>(x * 255 / kWidth);
    if (channel == 1) return static_cast<std::uint8_t>((y / 40) * 37);
    return static_cast<std::uint8_t>((x ^ y) & 0xFF);
}

std::string makeWithWx(wxBitmapType type, const char* ext) {
    wxImage image(kWidth, kHeight, false);
    unsigned char* p = image.GetData();
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x, p += 3)
            for (int c = 0; c < 3; ++c) p[c] = shade(x, y, c);
    image.SetOption(wxIMAGE_OPTION_QUALITY, 90);
    const std::string path = std::string("/tmp/bench_picture_790x20000.") + ext;
    image.SaveFile(path, type);
    return path;
}

// A GIF of 256 colours written with giflib.
std::string makeGif() {
    const std::string path = "/tmp/bench_picture_790x20000.gif";
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    GifColorType colours[256];
    for (int i = 0; i < 256; ++i)
        colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>(255 - i),
                      static_cast<GifByteType>((i * 7) & 0xFF)};
    ColorMapObject* map = GifMakeMapObject(256, colours);
    EGifPutScreenDesc(gif, kWidth, kHeight, 8, 0, map);
    EGifPutImageDesc(gif, 0, 0, kWidth, kHeight, false, nullptr);
    std::vector<GifPixelType> row(kWidth);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) row[x] = static_cast<GifPixelType>(((x / 8) ^ (y / 8)) & 0xFF);
        EGifPutLine(gif, row.data(), kWidth);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
    return path;
}

std::vector<std::uint8_t> readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// ---- The libraries used bare, each into one RGB buffer ----------------------------

struct Source {
    const std::vector<std::uint8_t>* bytes;
    std::size_t at = 0;
};

void bareReadPng(png_structp png, png_bytep out, png_size_t n) {
    auto* s = static_cast<Source*>(png_get_io_ptr(png));
    std::copy_n(s->bytes->data() + s->at, n, out);
    s->at += n;
}

std::unique_ptr<std::uint8_t[]> barePng(const std::string& path) {
    const auto bytes = readAll(path);
    Source src{&bytes};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_read_fn(png, &src, bareReadPng);
    png_read_info(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_read_update_info(png, info);
    const std::size_t w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    std::unique_ptr<std::uint8_t[]> rgb(new std::uint8_t[w * h * 3]);
    for (std::size_t y = 0; y < h; ++y) png_read_row(png, rgb.get() + y * w * 3, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return rgb;
}

std::unique_ptr<std::uint8_t[]> bareJpeg(const std::string& path) {
    const auto bytes = readAll(path);
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes.data(), bytes.size());
    jpeg_read_header(&cinfo, TRUE);
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const std::size_t w = cinfo.output_width, h = cinfo.output_height;
    std::unique_ptr<std::uint8_t[]> rgb(new std::uint8_t[w * h * 3]);
    while (cinfo.output_scanline < h) {
        JSAMPROW row = rgb.get() + cinfo.output_scanline * w * 3;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    return rgb;
}

int bareReadGif(GifFileType* gif, GifByteType* out, int n) {
    auto* s = static_cast<Source*>(gif->UserData);
    const std::size_t k = std::min<std::size_t>(n, s->bytes->size() - s->at);
    std::copy_n(s->bytes->data() + s->at, k, out);
    s->at += k;
    return static_cast<int>(k);
}

std::unique_ptr<std::uint8_t[]> bareGif(const std::string& path) {
    const auto bytes = readAll(path);
    Source src{&bytes};
    int error = 0;
    GifFileType* gif = DGifOpen(&src, bareReadGif, &error);
    DGifSlurp(gif);
    const SavedImage& frame = gif->SavedImages[0];
    const std::size_t n = static_cast<std::size_t>(gif->SWidth) * gif->SHeight;
    std::unique_ptr<std::uint8_t[]> rgb(new std::uint8_t[n * 3]);
    const GifColorType* colours = gif->SColorMap->Colors;
    for (std::size_t i = 0; i < n; ++i) {
        const GifColorType& c = colours[frame.RasterBits[i]];
        rgb[3 * i] = c.Red;
        rgb[3 * i + 1] = c.Green;
        rgb[3 * i + 2] = c.Blue;
    }
    DGifCloseFile(gif, &error);
    return rgb;
}

void pump() {
    for (int i = 0; i < 5; ++i) wxYield();
}

struct Figures {
    std::vector<double> ms;
    long peakKb = 0;
};

void clearPicture(MainWindow* window, AppState& state) {
    window->canvas->deleteAll();
    state.imageData.clear();
    state.imageData.shrink_to_fit();
    window->loadButton->Enable();
    pump();
}

// One installation through the drop handler, then one bare decode, kRuns times:
// both meet the same state of the machine.
void measure(MainWindow* window, AppState& state, const std::string& path,
             const std::function<std::unique_ptr<std::uint8_t[]>()>& bare, Figures& install, Figures& alone) {
    for (int i = 0; i < kRuns; ++i) {
        clearPicture(window, state);
        resetPeak();
        long before = statusKb("VmRSS");
        auto t0 = Clock::now();
        dropFiles(*window, {wxString(path)});
        install.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
        install.peakKb = std::max(install.peakKb, statusKb("VmHWM") - before);
        if (state.imageHeight != kHeight) std::printf("installation failed: %s\n", path.c_str());
        clearPicture(window, state);

        resetPeak();
        before = statusKb("VmRSS");
        t0 = Clock::now();
        {
            auto pixels = bare();
            alone.ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
            alone.peakKb = std::max(alone.peakKb, statusKb("VmHWM") - before);
        }
    }
}

class BenchApp : public wxApp {
public:
    bool OnInit() override {
        initialiseToolkit();
        return true;
    }
    int OnRun() override {
        const struct {
            const char* name;
            std::string path;
            std::function<std::unique_ptr<std::uint8_t[]>(const std::string&)> bare;
        } formats[] = {
            {"PNG", makeWithWx(wxBITMAP_TYPE_PNG, "png"), barePng},
            {"JPEG", makeWithWx(wxBITMAP_TYPE_JPEG, "jpg"), bareJpeg},
            {"GIF", makeGif(), bareGif},
        };
        const double decodedMb = kWidth * static_cast<double>(kHeight) * 3 / (1024 * 1024);

        AppState state;
        MainWindow* window = openMainWindow(state);
        pump();
        std::printf("picture: %d x %d, %.1f MB decoded RGB; idle program RSS %.1f MB\n", kWidth, kHeight,
                    decodedMb, statusKb("VmRSS") / 1024.0);
        std::printf("%-5s %8s %12s %12s %7s %12s %12s %7s\n", "", "file kB", "bare ms", "install ms", "ratio",
                    "bare peak", "inst. peak", "ratio");
        for (const auto& f : formats) {
            Figures install, bare;
            measure(window, state, f.path, [&] { return f.bare(f.path); }, install, bare);
            const double installMs = medianMs(install.ms), bareMs = medianMs(bare.ms);
            std::printf("%-5s %8ld %12.1f %12.1f %7.2f %10.1fMB %10.1fMB %7.2f\n", f.name,
                        static_cast<long>(readAll(f.path).size() / 1024), bareMs, installMs,
                        installMs / bareMs, bare.peakKb / 1024.0, install.peakKb / 1024.0,
                        static_cast<double>(install.peakKb) / bare.peakKb);
        }
        std::printf("aims: time ratio <= 1.30 for each format\n");
        window->Destroy();
        pump();
        return 0;
    }
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(BenchApp);

int main(int argc, char** argv) { return wxEntry(argc, argv); }
