#pragma once

#include <cstdint>

namespace platform {
// Milliseconds since some fixed moment (system start where the platform offers it).
std::uint64_t tickCountMs();
// Milliseconds of processor time the calling thread has used: a work budget that a
// busy machine does not shorten.
std::uint64_t threadCpuMs();
}  // namespace platform
