#pragma once
// The game's own random source, so that a seed gives the same marchers on
// every platform: a 32-bit linear congruential generator.

#include <cstdint>

namespace rng {

inline constexpr std::uint32_t MULTIPLIER = 214013u;
inline constexpr std::uint32_t INCREMENT = 2531011u;
inline constexpr int MAX = 32767;

void srand(std::uint32_t seed);
// A value from 0 to MAX: bits 16 to 30 of the new state.
int rand();

}  // namespace rng
