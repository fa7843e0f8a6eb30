#include <windows.h>

#include "platform/clock.h"

namespace platform {
std::uint64_t tickCountMs() { return GetTickCount64(); }
std::uint64_t threadCpuMs() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return GetTickCount64();
    const auto ms = [](const FILETIME& t) {
        return ((static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000u;
    };
    return ms(kernel) + ms(user);
}
}  // namespace platform
