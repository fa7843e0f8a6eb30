#pragma once

#include <cstdint>

namespace platform {
// Milliseconds since some fixed moment (system start where the platform offers it).
std::uint64_t tickCountMs();
}  // namespace platform
