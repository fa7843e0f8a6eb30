// Downloads a picture address over HTTP(S) into bytes.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "core/text.h"

namespace platform {

struct DownloadLimits {
    int stallSeconds = 30;                       // give up after this long without a byte
    int slowSeconds = 30;                        // ... or this long at under slowBytesPerSecond
    std::int64_t slowBytesPerSecond = 1024;
    int deadlineSeconds = 300;                   // the whole download, however it goes
    std::int64_t maxBytes = 64LL * 1024 * 1024;  // refuse bodies larger than this
    std::int64_t maxHeaderBytes = 64 * 1024;     // all response headers together
};

// Shared between the downloading thread and the window that watches it.
struct DownloadProgress {
    std::atomic<std::int64_t> received{0};  // body bytes so far
    std::atomic<bool> cancel{false};        // set by the watcher to stop the download
};

enum class DownloadStatus {
    Ok,
    Cancelled,
    TimedOut,          // no byte for stallSeconds (or no connection in that time)
    TooSlow,           // under slowBytesPerSecond for slowSeconds
    DeadlinePassed,    // deadlineSeconds in all
    TooLarge,
    HeadersTooLarge,
    HttpError,
    Incomplete,        // the reply was cut inside its headers or its body
    Failed,            // the transport library's error: see errorCode
};

struct DownloadResult {
    DownloadStatus status = DownloadStatus::Failed;
    Bytes body;           // the whole body when status is Ok
    long httpStatus = 0;  // the last response's status code, 0 when none came
    int errorCode = 0;    // the transport library's own error number (CURLcode)
};

// An HTTP/1.0 GET of `address` as typed, direct (no proxy), following redirects.
// Spaces and non-ASCII bytes are sent percent-encoded. Blocks until done: run it
// on a worker thread and watch `progress`.
DownloadResult httpDownload(const std::string& address, const DownloadLimits& limits,
                            DownloadProgress* progress = nullptr);

// The address with spaces, control bytes and non-ASCII bytes percent-encoded.
std::string encodeAddress(const std::string& address);

// What went wrong, in the program's words, always a sentence; empty for Ok and Cancelled.
std::string downloadMessage(const DownloadResult& result, const DownloadLimits& limits);

}  // namespace platform
