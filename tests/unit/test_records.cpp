#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "play/records.h"
#include "shell/random.h"
#include "support/headless.h"

namespace {

TEST(Random, FirstDrawsAfterSeedOne) {
  rng::srand(1);
  EXPECT_EQ(rng::rand(), 41);
  EXPECT_EQ(rng::rand(), 18467);
  EXPECT_EQ(rng::rand(), 6334);
  EXPECT_EQ(rng::rand(), 26500);
}

TEST(Random, SameSeedSameSequence) {
  rng::srand(1700000000u);
  std::array<int, 8> first{};
  std::generate(first.begin(), first.end(), rng::rand);
  rng::srand(1700000000u);
  for (int value : first) {
    EXPECT_EQ(rng::rand(), value);
  }
}

TEST(Random, StaysWithinFifteenBits) {
  rng::srand(0xFFFFFFFFu);
  for (int i = 0; i < 100000; ++i) {
    const int value = rng::rand();
    ASSERT_GE(value, 0);
    ASSERT_LE(value, 32767);
  }
}

TEST(SpawnMarcher, FirstMarcherAfterSeedOne) {
  WindowSize window;
  rng::srand(1);
  Marcher m{};
  m.dying = 1;
  spawn_marcher(m);
  EXPECT_EQ(m.x, 42.0F);
  EXPECT_EQ(m.y, -30.0F);
  EXPECT_EQ(m.speed, 0.966666698F);
  EXPECT_EQ(m.kind, 2);
  EXPECT_EQ(m.frame, 5);
  EXPECT_EQ(m.frame_timer, 3);
  EXPECT_EQ(m.live, 1);
  EXPECT_EQ(m.dying, 0);
}

// Seeds found so that the speed draw (the second) gives each step r.
TEST(SpawnMarcher, SpeedOfEveryStepIsRoundedTwice) {
  struct Case {
    int step;
    float speed;
  };
  const Case cases[] = {{0, 0.5F},         {1, 0.566666663F}, {2, 0.633333325F}, {3, 0.699999988F},
                        {4, 0.766666651F}, {5, 0.833333373F}, {6, 0.899999976F}, {7, 0.966666698F},
                        {8, 1.0333333F},   {9, 1.10000002F}};
  WindowSize window;
  for (const Case& c : cases) {
    bool found = false;
    for (std::uint32_t seed = 0; seed < 1000 && !found; ++seed) {
      rng::srand(seed);
      rng::rand();
      if (rng::rand() % 10 != c.step) {
        continue;
      }
      found = true;
      rng::srand(seed);
      Marcher m{};
      spawn_marcher(m);
      EXPECT_EQ(m.speed, c.speed) << "step " << c.step;
    }
    EXPECT_TRUE(found) << "step " << c.step;
  }
  // Rounding once would give these instead.
  EXPECT_NE(0.833333373F, static_cast<float>(5.0 / 15.0 + 0.5));
  EXPECT_NE(0.966666698F, static_cast<float>(7.0 / 15.0 + 0.5));
}

TEST(SpawnMarcher, ColumnIsWholeAndWithinTheWindowLessMargin) {
  WindowSize window;
  rng::srand(12345);
  float lowest = 1000;
  float highest = -1000;
  for (int i = 0; i < 20000; ++i) {
    Marcher m{};
    spawn_marcher(m);
    ASSERT_EQ(m.x, std::floor(m.x));
    lowest = std::min(lowest, m.x);
    highest = std::max(highest, m.x);
    ASSERT_GE(m.kind, 0);
    ASSERT_LE(m.kind, 3);
    ASSERT_GE(m.frame, 1);
    ASSERT_LE(m.frame, 8);
  }
  EXPECT_EQ(lowest, 1.0F);
  EXPECT_EQ(highest, 466.0F);
}

TEST(StepShot, OneStepFromRest) {
  Shot s{100.0F, 100.0F, 0.5F, -1.0F, 1};
  step_shot(s);
  EXPECT_EQ(s.x, 100.5F);
  EXPECT_EQ(s.y, 99.0100021F);
  EXPECT_EQ(s.vy, -0.99000001F);
  EXPECT_EQ(s.live, 1);
}

TEST(StepShot, FallIsCappedAtThree) {
  struct Case {
    float start_vy;
    int capped_at_step;
  };
  for (const Case c : {Case{-1.0F, 401}, Case{-1.5F, 451}}) {
    Shot s{240.0F, -100000.0F, 0.0F, c.start_vy, 1};
    for (int step = 1; step < c.capped_at_step; ++step) {
      step_shot(s);
    }
    EXPECT_LT(s.vy, 3.0F) << "from " << c.start_vy;
    step_shot(s);
    EXPECT_EQ(s.vy, 3.0F) << "from " << c.start_vy;
    step_shot(s);
    EXPECT_EQ(s.vy, 3.0F) << "from " << c.start_vy;
  }
}

TEST(StepShot, LeavesOnlyPastTheSidesAndTheBottom) {
  struct Case {
    float x, y, vx;
    int live_after;
  };
  // vy starts at -0.01 so that the step adds nothing to y.
  const Case cases[] = {
      {1.0F, 100.0F, -1.0F, 1},      // x exactly 0
      {0.5F, 100.0F, -1.0F, 0},      // x below 0
      {479.0F, 100.0F, 1.0F, 1},     // x exactly 480
      {479.5F, 100.0F, 1.0F, 0},     // x above 480
      {100.0F, 480.0F, 0.0F, 1},     // y exactly 480
      {100.0F, -1000.0F, 0.0F, 1},   // far above the field
  };
  for (const Case& c : cases) {
    Shot s{c.x, c.y, c.vx, -0.01F, 1};
    step_shot(s);
    EXPECT_EQ(s.live, c.live_after) << c.x << "," << c.y;
  }
  Shot below{100.0F, 480.0F, 0.0F, 0.5F, 1};
  step_shot(below);
  EXPECT_EQ(below.live, 0);
  EXPECT_EQ(below.y, 480.51F);  // a shot that leaves keeps its position
  EXPECT_EQ(below.vy, 0.51F);
}

TEST(StartGame, EverySlotFreeAndCountersAtTheirStart) {
  GameState state{};
  state.score = 77;
  MarcherSlots marchers{};
  ShotSlots shots{};
  marchers[42] = Marcher{1, 2, 3, 1, 1, 3, 9, 4};
  shots[99] = Shot{1, 2, 3, 4, 1};
  start_game(state, marchers, shots);
  EXPECT_EQ(state.live_count, 0);
  EXPECT_EQ(state.max_marchers, 2);
  EXPECT_EQ(state.mines, 5);
  EXPECT_EQ(state.score, 1);
  EXPECT_EQ(state.combo, 0);
  EXPECT_EQ(state.charge, 0);
  EXPECT_EQ(state.prev_buttons, 0);
  EXPECT_EQ(state.level_kills, 0);
  for (const Marcher& m : marchers) {
    EXPECT_EQ(m.live, 0);
    EXPECT_EQ(m.dying, 0);
    EXPECT_EQ(m.x, 0.0F);
    EXPECT_EQ(m.frame, 0);
  }
  for (const Shot& s : shots) {
    EXPECT_EQ(s.live, 0);
    EXPECT_EQ(s.vy, 0.0F);
  }
}

}  // namespace
