// The timer thread counts ticks while the main thread takes them, both the
// frame loop's way (all at once) and the game-over screen's (one by one).

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "shell/globals.h"

namespace {

TEST(TickCounter, EveryTickIsTakenExactlyOnceUnderContention) {
  constexpr std::int64_t TOTAL = 10'000'000;
  tick_count = 0;
  std::atomic<bool> done{false};
  std::thread timer([&done] {
    for (std::int64_t i = 0; i < TOTAL; ++i) {
      on_tick();
    }
    done = true;
  });

  std::int64_t taken = 0;
  std::int64_t passes = 0;
  while (!done || tick_count.load() != 0) {
    // Alternate between the two ways of taking, as the screens do.
    if (++passes % 2 == 0) {
      taken += take_all_ticks();
    } else {
      for (int i = 0; i < 64 && take_one_tick(); ++i) {
        ++taken;
      }
    }
  }
  timer.join();
  EXPECT_EQ(taken, TOTAL);
  EXPECT_EQ(tick_count.load(), 0);
  EXPECT_FALSE(take_one_tick());
  EXPECT_EQ(take_all_ticks(), 0);
}

}  // namespace
