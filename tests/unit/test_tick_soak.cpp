// A million ticks of seeded random input, with the records' invariants
// checked after every tick.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>

#include "shell/random.h"
#include "support/tick_game.h"

namespace {

constexpr int SOAK_TICKS = 1'000'000;

// Presses held for a while and released for a while, on any button mix, the
// pointer often on a marcher and otherwise anywhere, even off the field.
class RandomHand {
 public:
  explicit RandomHand(std::uint32_t seed) : random_(seed) {}

  void next(const TickGame& g) {
    if (--left_in_phase_ > 0) {
      jitter();
      return;
    }
    if (buttons_ != 0) {
      buttons_ = 0;
      left_in_phase_ = pick(0, 30);
      return;
    }
    buttons_ = pick_buttons();
    left_in_phase_ = pick(1, 20);
    aim(g);
  }

  int buttons() const { return buttons_; }
  int x() const { return x_; }
  int y() const { return y_; }

 private:
  int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

  int pick_buttons() {
    const int roll = pick(0, 99);
    if (roll < 60) {
      return LEFT;
    }
    if (roll < 85) {
      return RIGHT;
    }
    if (roll < 90) {
      return LEFT | RIGHT;
    }
    if (roll < 95) {
      return MIDDLE;
    }
    return pick(1, 7);
  }

  void aim(const TickGame& g) {
    if (pick(0, 1) == 0) {
      const int first = pick(0, MARCHER_SLOTS - 1);
      for (int i = 0; i < MARCHER_SLOTS; ++i) {
        const Marcher& m = g.marchers[(first + i) % MARCHER_SLOTS];
        if (m.live != 0) {
          x_ = static_cast<int>(m.x) + pick(0, 26);
          y_ = static_cast<int>(m.y) + pick(0, 31);
          return;
        }
      }
    }
    x_ = pick(-20, 520);
    y_ = pick(-60, 560);
  }

  void jitter() {
    x_ += pick(-2, 2);
    y_ += pick(-2, 2);
  }

  std::mt19937 random_;
  int buttons_ = 0;
  int left_in_phase_ = 0;
  int x_ = 240;
  int y_ = 240;
};

// The first broken invariant, or an empty string.
std::string broken_invariant(const TickGame& g) {
  int live = 0;
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    const Marcher& m = g.marchers[i];
    if (m.live != 0) {
      ++live;
      if (m.dying != 0) {
        return "marcher " + std::to_string(i) + " is both live and dying";
      }
    }
  }
  if (g.state.live_count != live) {
    return "live_count " + std::to_string(g.state.live_count) + " but " + std::to_string(live) + " live slots";
  }
  if (g.state.mines < 0 || g.state.mines > 9) {
    return "mines " + std::to_string(g.state.mines);
  }
  if (g.state.charge < 0) {
    return "charge " + std::to_string(g.state.charge);
  }
  for (int j = 0; j < SHOT_SLOTS; ++j) {
    const Shot& s = g.shots[j];
    if (s.live != 0 && (s.x < 0 || s.x > FIELD_SIZE || s.y > FIELD_SIZE)) {
      return "live shot " + std::to_string(j) + " outside the field at " + std::to_string(s.x) + "," +
             std::to_string(s.y);
    }
  }
  return {};
}

TEST(TickSoak, InvariantsHoldThroughAMillionRandomTicks) {
  WindowSize window;
  rng::srand(20240611);
  RandomHand hand(7);
  TickGame g;

  long long kills = 0;
  long long bursts = 0;
  long long escapes = 0;
  long long shot_ticks = 0;
  int most_shots = 0;
  std::array<bool, MARCHER_SLOTS> was_live{};
  const auto start = std::chrono::steady_clock::now();
  for (int tick = 1; tick <= SOAK_TICKS; ++tick) {
    hand.next(g);
    const GameState before = g.state;
    g.tick(hand.buttons(), hand.x(), hand.y());

    const std::string broken = broken_invariant(g);
    if (!broken.empty()) {
      FAIL() << "after tick " << tick << ": " << broken;
    }
    kills += g.state.score - before.score;
    bursts += g.state.charge < before.charge ? 1 : 0;
    for (int m = 0; m < MARCHER_SLOTS; ++m) {
      escapes += (was_live[m] && g.marchers[m].live == 0 && g.marchers[m].dying == 0) ? 1 : 0;
      was_live[m] = g.marchers[m].live != 0;
    }
    const int shots = g.live_shots();
    shot_ticks += shots > 0 ? 1 : 0;
    most_shots = std::max(most_shots, shots);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("soak: %d ticks in %.1f s: %lld kills, %lld bursts, %lld escapes, max_marchers %d, "
              "%lld ticks with shots in flight (at most %d)\n",
              SOAK_TICKS, seconds, kills, bursts, escapes, g.state.max_marchers, shot_ticks, most_shots);
  // The input must reach the parts of the tick that matter.
  EXPECT_GT(kills, 10'000);
  EXPECT_GT(bursts, 1'000);
  EXPECT_GT(escapes, 1'000);
  EXPECT_GT(g.state.max_marchers, 100);
}

}  // namespace
