#include "core/random.h"

#include <random>

#include "platform/clock.h"

namespace rng {
namespace {
std::mt19937& engine() {
    static std::mt19937 e(1);
    return e;
}
}  // namespace

void seed(std::uint32_t value) { engine().seed(value); }

void seedFromTicks() { seed(static_cast<std::uint32_t>(platform::tickCountMs())); }

int next() { return static_cast<int>(engine()() & 0x7FFFFFFFu); }

}  // namespace rng
