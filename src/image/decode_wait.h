// Decoding a picture from outside on a worker thread, the window kept alive.
#pragma once

#include <atomic>
#include <functional>

#include "core/text.h"
#include "decode/picture_decode.h"

class MainWindow;
class wxProgressDialog;

// Runs `work` on a worker thread and waits for it, the window repainting
// meanwhile. After half a second a busy box with `title`, `text` and a Cancel
// button appears; Cancel sets the flag `work` is given.
void runWhileResponsive(MainWindow& window, const char* title, const char* text,
                        const std::function<void(const std::atomic<bool>& cancel)>& work);

// Decodes `bytes` on a worker thread and waits for it, the window repainting
// meanwhile. After half a second a busy box with a Cancel button appears; Cancel
// stops the decode, which then ends as Cancelled.
DecodeResult decodeWhileResponsive(MainWindow& window, const Bytes& bytes);

// The limits of every picture from outside (budget, pixel cap); tests change them.
DecodeLimits& pictureLimits();

// Called after every update of a busy box; tests act on the box here.
std::function<void(wxProgressDialog& box)>& decodeBusyHook();

inline constexpr const char* kBusyTitle = "载入图片";
inline constexpr const char* kBusyText = "正在解码图片，请稍候……";
