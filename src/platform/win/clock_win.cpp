#include <windows.h>

#include "platform/clock.h"

namespace platform {
std::uint64_t tickCountMs() { return GetTickCount64(); }
}  // namespace platform
