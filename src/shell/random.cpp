#include "shell/random.h"

namespace rng {
namespace {
std::uint32_t state = 0;
}

void srand(std::uint32_t seed) { state = seed; }

int rand() {
  state = state * MULTIPLIER + INCREMENT;  // wraps modulo 2^32
  return static_cast<int>((state >> 16) & MAX);
}

}  // namespace rng
