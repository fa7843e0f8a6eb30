// The program's pseudo-random generator, seeded once per run.
#pragma once

#include <cstdint>

namespace rng {
void seed(std::uint32_t value);
// Seeds from the millisecond tick counter.
void seedFromTicks();
// The next non-negative value.
int next();
}  // namespace rng
