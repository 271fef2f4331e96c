#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <vector>

#include "shell/random.h"
#include "support/allocations.h"
#include "support/tick_game.h"

namespace {

// ---- spawning -------------------------------------------------------------

TEST(TickSpawn, FirstTickOfASeededGame) {
  WindowSize window;
  rng::srand(1);
  TickGame g;
  g.tick(0, 0, 0);
  const Marcher& m = g.marchers[0];
  EXPECT_EQ(g.state.live_count, 1);
  EXPECT_EQ(m.live, 1);
  EXPECT_EQ(m.x, 42.0F);
  EXPECT_EQ(m.speed, 0.966666698F);
  // Spawned and moved in the same tick.
  EXPECT_EQ(m.y, static_cast<float>(-30.0 + static_cast<double>(0.966666698F)));
  EXPECT_EQ(m.frame, 5);
  EXPECT_EQ(m.frame_timer, 2);
  EXPECT_EQ(g.marchers[1].live, 0);  // one spawn per tick
  g.tick(0, 0, 0);
  EXPECT_EQ(g.state.live_count, 2);
  EXPECT_EQ(g.marchers[1].live, 1);
  g.tick(0, 0, 0);
  EXPECT_EQ(g.state.live_count, 2);  // max_marchers is 2
  EXPECT_EQ(g.marchers[2].live, 0);
}

TEST(TickSpawn, TakesTheFirstSlotNotLiveEvenIfDying) {
  WindowSize window;
  TickGame g;
  g.place(0, 100, 100);
  g.marchers[1] = Marcher{.x = 500, .y = 500, .speed = 1, .dying = 1, .live = 0, .kind = 0, .frame = 40,
                          .frame_timer = 0};
  g.state.max_marchers = 5;
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[1].live, 1);
  EXPECT_EQ(g.marchers[1].dying, 0);
  EXPECT_LT(g.marchers[1].y, 0.0F);
  EXPECT_EQ(g.marchers[2].live, 0);
  EXPECT_EQ(g.state.live_count, 2);
}

TEST(TickSpawn, MaxMarchersPastOneHundredWithEverySlotLive) {
  WindowSize window;
  TickGame g;
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    g.place(i, static_cast<float>(4 * i), 10);
  }
  g.state.max_marchers = 150;
  g.tick(0, 0, 0);
  EXPECT_EQ(g.state.live_count, 100);
  // A kill frees slot 0; the next tick spawns into it and no further.
  g.tick(LEFT, 0 + 10, 20);
  EXPECT_EQ(g.marchers[0].dying, 1);
  EXPECT_EQ(g.state.live_count, 99);
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[0].live, 1);
  EXPECT_EQ(g.state.live_count, 100);
  EXPECT_EQ(g.state.max_marchers, 150);
}

// ---- marcher motion and animation ----------------------------------------

TEST(TickMarchers, AColumnLastsSixTicksAndWrapsAfterEight) {
  TickGame g;
  Marcher& m = g.place(0, 100, 0, 0.5F);
  m.frame = 7;
  g.freeze_spawns();
  std::string frames;
  for (int i = 0; i < 20; ++i) {
    g.tick(0, 0, 0);
    frames += std::to_string(m.frame);
  }
  // Timer 3 from the spawn: the first advance comes on the fourth tick.
  EXPECT_EQ(frames, "77788888811111122222");
  EXPECT_EQ(m.y, 10.0F);
}

TEST(TickMarchers, DyingFrameCountsOnWithoutWrapAndTheBodyStays) {
  TickGame g;
  g.marchers[4] = Marcher{.x = 500, .y = 500, .speed = 1, .dying = 1, .live = 0, .kind = 2, .frame = 8,
                          .frame_timer = 0};
  g.freeze_spawns();
  for (int i = 0; i < 3; ++i) {
    g.tick(0, 0, 0);
  }
  EXPECT_EQ(g.marchers[4].frame, 11);
  EXPECT_EQ(g.marchers[4].y, 500.0F);
  EXPECT_EQ(g.marchers[4].frame_timer, 0);
}

TEST(TickMarchers, EscapeLineIsStrict) {
  struct Case {
    float y;
    float speed;
    bool escapes;
  };
  const Case cases[] = {
      {450.5F, 0.5F, false},         // exactly 451.0
      {450.5F, 0.50003F, true},      // just past
      {450.0F, 1.1F, true},
      {449.0F, 1.1F, false},
      {500.0F, 0.0F, true},          // anywhere below, even standing still
  };
  for (const Case& c : cases) {
    TickGame g;
    g.place(0, 100, c.y, c.speed);
    g.freeze_spawns();
    g.tick(0, 0, 0);
    EXPECT_EQ(g.marchers[0].live, c.escapes ? 0 : 1) << c.y << " + " << c.speed;
    EXPECT_EQ(g.state.mines, c.escapes ? 4 : 5) << c.y << " + " << c.speed;
    EXPECT_EQ(g.state.live_count, c.escapes ? 0 : 1) << c.y << " + " << c.speed;
  }
}

TEST(TickMarchers, HalfSpeedEscapesOnTheNineHundredSixtyThirdMove) {
  TickGame g;
  Marcher& m = g.place(0, 100, MARCHER_START_Y, 0.5F);
  g.freeze_spawns();
  for (int i = 0; i < 962; ++i) {
    g.tick(0, 0, 0);
  }
  EXPECT_EQ(m.y, 451.0F);
  EXPECT_EQ(m.live, 1);
  g.tick(0, 0, 0);
  EXPECT_EQ(m.live, 0);
  EXPECT_EQ(m.dying, 0);
  EXPECT_EQ(m.y, 451.5F);  // left where it crossed
  EXPECT_EQ(g.state.mines, 4);
}

TEST(TickMarchers, MinesRollOverOnceAtTheEndOfTheTick) {
  struct Case {
    int mines;
    int escapes;
    int after;
  };
  const Case cases[] = {{5, 1, 4}, {1, 1, 0}, {0, 0, 0}, {0, 1, 9}, {0, 2, 9}, {1, 3, 9}};
  for (const Case& c : cases) {
    TickGame g;
    for (int i = 0; i < c.escapes; ++i) {
      g.place(i * 10, 30.0F * static_cast<float>(i), 451.0F, 1.0F);
    }
    g.place(50, 200, 100);  // one that stays
    g.freeze_spawns();
    g.state.mines = c.mines;
    g.tick(0, 0, 0);
    EXPECT_EQ(g.state.mines, c.after) << c.mines << " with " << c.escapes << " escapes";
    EXPECT_EQ(g.state.live_count, 1);
  }
}

// ---- press edges ---------------------------------------------------------

// Three marchers stacked under the pointer, and charge for one burst to spare.
struct EdgeCase {
  const char* name;
  std::vector<int> buttons;  // one entry per tick
  int clicks;                // left clicks performed, all of them hits
  int bursts;
};

TEST(TickMouse, PressEdges) {
  const EdgeCase cases[] = {
      {"left press", {LEFT}, 1, 0},
      {"held left acts once", {LEFT, LEFT, LEFT}, 1, 0},
      {"release and press again", {LEFT, 0, LEFT}, 2, 0},
      {"right press", {RIGHT}, 0, 1},
      {"held right acts once", {RIGHT, RIGHT}, 0, 1},
      {"both in one tick: left wins, right lost", {LEFT | RIGHT, LEFT | RIGHT, RIGHT}, 1, 0},
      {"right added while left held", {LEFT, LEFT | RIGHT}, 1, 0},
      {"left added while right held", {RIGHT, LEFT | RIGHT}, 0, 1},
      {"middle held, then left", {MIDDLE, MIDDLE | LEFT}, 0, 0},
      {"middle, release, left", {MIDDLE, 0, LEFT}, 1, 0},
      {"nothing", {0, 0}, 0, 0},
  };
  for (const EdgeCase& c : cases) {
    TickGame g;
    g.place(0, 100, 200);
    g.place(1, 101, 201);
    g.place(2, 102, 202);
    g.freeze_spawns();
    g.state.charge = 25;
    g.state.combo = 4;
    for (int b : c.buttons) {
      g.tick(b, 110, 215);
    }
    EXPECT_EQ(g.state.combo, 4 + c.clicks) << c.name;
    EXPECT_EQ(g.state.charge, 25 + c.clicks - 10 * c.bursts) << c.name;
    EXPECT_EQ(g.live_shots() > 0, c.bursts > 0) << c.name;
    EXPECT_EQ(g.state.prev_buttons, c.buttons.back()) << c.name;
  }
}

TEST(TickMouse, MiddlePressChangesNothing) {
  TickGame g;
  g.place(0, 100, 200);
  g.freeze_spawns();
  g.state.combo = 4;
  g.state.charge = 25;
  g.tick(MIDDLE, 110, 215);
  EXPECT_EQ(g.state.combo, 4);
  EXPECT_EQ(g.state.charge, 25);
  EXPECT_EQ(g.marchers[0].live, 1);
  EXPECT_EQ(g.live_shots(), 0);
}

// ---- left click ----------------------------------------------------------

TEST(TickClick, HitBoxBoundsAreStrict) {
  struct Case {
    float mx, my;  // marcher corner
    int px, py;    // pointer
    bool hit;
  };
  const Case cases[] = {
      {100, 200, 110, 215, true},
      {100, 200, 102, 215, false},  // x + 2
      {100, 200, 103, 215, true},
      {100, 200, 123, 215, true},
      {100, 200, 124, 215, false},  // x + 24
      {100, 200, 110, 200, false},  // y
      {100, 200, 110, 201, true},
      {100, 200, 110, 229, true},
      {100, 200, 110, 230, false},  // y + 30
      {100, 200.5F, 110, 230, true},
      {100, 200.5F, 110, 231, false},
      {100.5F, 200, 102, 215, false},
      {100.5F, 200, 103, 215, true},
      {100.5F, 200, 124, 215, true},
      {100.5F, 200, 125, 215, false},
      // The bounds are summed in double: in float, 1e-7 + 30 would round to 30, and -1e-8 + 2 to 2.
      {100, 1e-7F, 110, 30, true},
      {100, -1e-7F, 110, 30, false},
      {-1e-8F, 200, 2, 215, true},
  };
  for (const Case& c : cases) {
    TickGame g;
    g.place(0, c.mx, c.my);
    g.freeze_spawns();
    g.state.combo = 3;
    g.state.charge = 7;
    g.tick(LEFT, c.px, c.py);
    const std::string where = "marcher at " + std::to_string(c.mx) + "," + std::to_string(c.my) + " pointer at " +
                              std::to_string(c.px) + "," + std::to_string(c.py);
    EXPECT_EQ(g.marchers[0].live, c.hit ? 0 : 1) << where;
    EXPECT_EQ(g.state.combo, c.hit ? 4 : 0) << where;
    EXPECT_EQ(g.state.charge, c.hit ? 8 : 7) << where;
    EXPECT_EQ(g.state.score, c.hit ? 2 : 1) << where;
  }
}

TEST(TickClick, KilledMarcherIsParkedDyingAndCannotBeHitAgain) {
  TickGame g;
  g.place(3, 100, 200);
  g.place(4, 300, 200);
  g.state.max_marchers = 2;
  g.tick(LEFT, 110, 215);
  const Marcher& m = g.marchers[3];
  EXPECT_EQ(m.x, 500.0F);
  EXPECT_EQ(m.y, 500.0F);
  EXPECT_EQ(m.live, 0);
  EXPECT_EQ(m.dying, 1);
  EXPECT_EQ(g.state.live_count, 1);
  EXPECT_EQ(g.state.level_kills, 1);
  // Its old place and its parking place are both empty now.
  g.state.max_marchers = 1;
  g.tick(0, 0, 0);
  g.tick(LEFT, 110, 215);
  EXPECT_EQ(g.state.combo, 0);
  g.tick(0, 0, 0);
  g.tick(LEFT, 510, 515);
  EXPECT_EQ(g.state.score, 2);
}

TEST(TickClick, OverlappingMarchersLoseTheLowerSlotFirst) {
  TickGame g;
  g.place(2, 105, 210);
  g.place(5, 100, 200);  // above and left of slot 2, still under the pointer
  g.place(7, 107, 205);
  g.freeze_spawns();
  g.tick(LEFT, 110, 215);
  EXPECT_EQ(g.marchers[2].live, 0);
  EXPECT_EQ(g.marchers[5].live, 1);
  EXPECT_EQ(g.marchers[7].live, 1);
  g.tick(0, 110, 215);
  g.tick(LEFT, 110, 215);
  EXPECT_EQ(g.marchers[5].live, 0);
  EXPECT_EQ(g.marchers[7].live, 1);
  EXPECT_EQ(g.state.combo, 2);
}

TEST(TickClick, AMarcherSpawnedThisTickHasMovedWhenClicked) {
  WindowSize window;
  rng::srand(1);
  TickGame g;
  // x 42, y -30 + 0.9666667: row 0 is inside the box only after the move.
  g.tick(LEFT, 50, 0);
  EXPECT_EQ(g.state.score, 2);
  EXPECT_EQ(g.marchers[0].dying, 1);
}

// ---- bursts --------------------------------------------------------------

constexpr std::array<std::array<float, 2>, 6> GROUP_VELOCITY{{
    {0.5F, -1.0F}, {0.2F, 0.2F}, {-0.2F, 0.2F}, {-0.5F, -1.0F}, {0.3F, -1.5F}, {-0.3F, -1.5F}}};

TEST(TickBurst, PriceIsMoreThanTenAndBurstsLeaveComboAlone) {
  struct Case {
    int charge;
    int charge_after;
    int shots;
  };
  for (const Case c : {Case{10, 10, 0}, Case{11, 1, 96}, Case{0, 0, 0}, Case{35, 25, 96}}) {
    TickGame g;
    g.freeze_spawns();
    g.state.charge = c.charge;
    g.state.combo = 6;
    g.tick(RIGHT, 240, 240);
    EXPECT_EQ(g.state.charge, c.charge_after) << c.charge;
    EXPECT_EQ(g.live_shots(), c.shots) << c.charge;
    EXPECT_EQ(g.state.combo, 6) << c.charge;
  }
}

// Which slots a burst writes, given which are live before it.
TEST(TickBurst, GroupWalkOverSlotsZeroToNinetyThree) {
  struct Case {
    const char* name;
    std::vector<int> live_before;
    std::vector<int> group_starts;
  };
  std::vector<int> all_but_3;
  std::vector<int> all_but_99;
  std::vector<int> all_but_94_up;
  std::vector<int> all_but_93;
  for (int i = 0; i < SHOT_SLOTS; ++i) {
    if (i != 3) {
      all_but_3.push_back(i);
    }
    if (i != 99) {
      all_but_99.push_back(i);
    }
    if (i < 94) {
      all_but_94_up.push_back(i);
    }
    if (i != 93) {
      all_but_93.push_back(i);
    }
  }
  const Case cases[] = {
      {"all free", {}, {0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90}},
      {"0 to 5 live", {0, 1, 2, 3, 4, 5}, {6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90}},
      {"only 3 free", all_but_3, {3}},
      {"only 93 free", all_but_93, {93}},
      {"only 94 to 99 free", all_but_94_up, {}},
      {"only 99 free", all_but_99, {}},
      {"6 live", {6}, {0, 7, 13, 19, 25, 31, 37, 43, 49, 55, 61, 67, 73, 79, 85, 91}},
      {"2 live, overwritten", {2}, {0, 6, 12, 18, 24, 30, 36, 42, 48, 54, 60, 66, 72, 78, 84, 90}},
  };
  for (const Case& c : cases) {
    TickGame g;
    g.freeze_spawns();
    for (int slot : c.live_before) {
      g.place_shot(slot, 10, 10, 0, 0);
    }
    g.state.charge = 11;
    g.tick(RIGHT, 240, 250);
    EXPECT_EQ(g.state.charge, 1) << c.name;  // paid even when nothing could be written

    // Expected: a group's shot has made its first step from the pointer; any
    // other slot is as it was, moved one step if it was live.
    std::array<int, SHOT_SLOTS> place_in_group{};
    place_in_group.fill(-1);
    for (int k : c.group_starts) {
      for (int i = 0; i < 6; ++i) {
        place_in_group[k + i] = i;
      }
    }
    for (int j = 0; j < SHOT_SLOTS; ++j) {
      Shot expected{};
      if (place_in_group[j] >= 0) {
        const auto& v = GROUP_VELOCITY[place_in_group[j]];
        expected = Shot{240, 250, v[0], v[1], 1};
        step_shot(expected);
      } else if (std::find(c.live_before.begin(), c.live_before.end(), j) != c.live_before.end()) {
        expected = Shot{10, 10, 0, 0, 1};
        step_shot(expected);
      }
      const Shot& s = g.shots[j];
      EXPECT_TRUE(s.x == expected.x && s.y == expected.y && s.vx == expected.vx && s.vy == expected.vy &&
                  s.live == expected.live)
          << c.name << ": slot " << j << " is (" << s.x << "," << s.y << " v " << s.vx << "," << s.vy << " live "
          << s.live << ")";
    }
  }
}

// ---- shots ---------------------------------------------------------------

// A shot with vx 0 and vy -0.01 keeps its place through its step.
constexpr float STILL = -0.01F;

TEST(TickShots, HitBoxBoundsAreStrictAndTwentyEightTall) {
  struct Case {
    float dx, dy;  // shot minus marcher corner
    bool hit;
  };
  const Case cases[] = {
      {10, 10, true},   {2, 10, false},    {2.5F, 10, true},   {23.5F, 10, true}, {24, 10, false},
      {10, 0, false},   {10, 0.5F, true},  {10, 27.5F, true},  {10, 28, false},   {10, 29, false},
  };
  for (const Case& c : cases) {
    TickGame g;
    g.place(0, 200.0F - c.dx, 300.0F - c.dy);
    g.freeze_spawns();
    g.place_shot(0, 200, 300, 0, STILL);
    g.tick(0, 0, 0);
    EXPECT_EQ(g.marchers[0].live, c.hit ? 0 : 1) << c.dx << "," << c.dy;
    EXPECT_EQ(g.shots[0].live, c.hit ? 0 : 1) << c.dx << "," << c.dy;
  }
  // Summed in double: in float, 1e-7 + 28 would round to 28, and -1e-8 + 2 to 2, and both miss.
  TickGame g;
  g.place(0, 190, 1e-7F);
  g.place_shot(0, 200, 28, 0, STILL);
  g.place(1, -1e-8F, 300);
  g.place_shot(1, 2, 310, 0, STILL);
  g.freeze_spawns();
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[0].live, 0);
  EXPECT_EQ(g.marchers[1].live, 0);
}

TEST(TickShots, AShotKillsOnlyTheLowestMarcherItOverlaps) {
  TickGame g;
  g.place(3, 190, 290);  // shares a box pair with slot 2
  g.place(2, 195, 295);
  g.freeze_spawns();
  g.state.combo = 3;
  g.state.charge = 4;
  g.place_shot(0, 200, 300, 0, STILL);
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[2].live, 0);
  EXPECT_EQ(g.marchers[2].dying, 1);
  EXPECT_EQ(g.marchers[3].live, 1);
  const Shot& s = g.shots[0];
  EXPECT_EQ(s.live, 0);
  EXPECT_EQ(s.x, -50.0F);
  EXPECT_EQ(s.y, -50.0F);
  EXPECT_EQ(s.vx, 0.0F);
  EXPECT_EQ(s.vy, 0.0F);
  EXPECT_EQ(g.state.score, 2);
  EXPECT_EQ(g.state.combo, 3);  // shot kills touch neither combo nor charge
  EXPECT_EQ(g.state.charge, 4);
}

TEST(TickShots, AHigherShotTakesTheOtherMarcherInTheSameTick) {
  TickGame g;
  g.place(3, 190, 290);  // shares a box pair with slot 2
  g.place(2, 195, 295);
  g.freeze_spawns();
  g.place_shot(4, 200, 300, 0, STILL);
  g.place_shot(9, 200, 300, 0, STILL);
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[2].live, 0);
  EXPECT_EQ(g.marchers[3].live, 0);
  EXPECT_EQ(g.live_shots(), 0);
  EXPECT_EQ(g.state.score, 3);
}

TEST(TickShots, TwoShotsOnOneMarcherTheSecondFliesOn) {
  TickGame g;
  g.place(0, 190, 290);
  g.freeze_spawns();
  g.place_shot(3, 200, 300, 0, STILL);
  g.place_shot(1, 201, 301, 0, STILL);
  g.tick(0, 0, 0);
  EXPECT_EQ(g.marchers[0].live, 0);
  EXPECT_EQ(g.shots[1].live, 0);
  EXPECT_EQ(g.shots[1].x, -50.0F);
  EXPECT_EQ(g.shots[3].live, 1);
  EXPECT_EQ(g.shots[3].x, 200.0F);
  EXPECT_EQ(g.state.score, 2);
}

TEST(TickShots, OnlyLiveShotsMoveAndAShotThatLeavesHitsNothing) {
  TickGame g;
  g.place(0, 470, 290);
  g.freeze_spawns();
  g.shots[0] = Shot{200, 200, 1, 1, 0};
  g.place_shot(1, 479.5F, 300, 1.0F, STILL);  // leaves past x 480, over the marcher's box
  g.tick(0, 0, 0);
  EXPECT_EQ(g.shots[0].x, 200.0F);
  EXPECT_EQ(g.shots[1].live, 0);
  EXPECT_EQ(g.shots[1].x, 480.5F);
  EXPECT_EQ(g.marchers[0].live, 1);
}

TEST(TickShots, ABurstFliesAndHitsInTheTickItIsFired) {
  TickGame g;
  g.place(0, 100, 200);
  g.place(1, 300, 200);
  g.freeze_spawns();
  g.state.charge = 11;
  g.state.combo = 2;
  g.tick(RIGHT, 110, 215);
  // Shot 0 takes the marcher; shot 1 finds nothing left and flies on.
  EXPECT_EQ(g.marchers[0].live, 0);
  EXPECT_EQ(g.shots[0].live, 0);
  EXPECT_EQ(g.shots[0].x, -50.0F);
  EXPECT_EQ(g.live_shots(), 95);
  EXPECT_EQ(g.state.score, 2);
  EXPECT_EQ(g.state.combo, 2);
  EXPECT_EQ(g.state.charge, 1);
}

// ---- kills and growth ----------------------------------------------------

enum class Kill { CLICK, SHOT };

// Kills the marcher in slot 0 of a game with max_marchers live marchers.
void kill_one(TickGame& g, Kill how) {
  g.marchers[0] = Marcher{.x = 100, .y = 200, .speed = 0, .dying = 0, .live = 1, .kind = 0, .frame = 1,
                          .frame_timer = 3};
  if (how == Kill::CLICK) {
    g.tick(0, 0, 0);
    g.tick(LEFT, 110, 215);
  } else {
    g.place_shot(0, 110, 215, 0, STILL);
    g.tick(0, 0, 0);
  }
  ASSERT_EQ(g.marchers[0].dying, 1);
  ++g.state.live_count;  // slot 0 is put back by the next kill_one
}

TEST(TickGrowth, ThresholdsPerKindOfKill) {
  struct Case {
    int max_marchers;
    int level_kills;
    std::vector<Kill> kills;
    int max_after;
    int level_kills_after;
  };
  const Case cases[] = {
      {2, 5, {Kill::CLICK}, 3, 0},  // 6 = 3 x 2
      {2, 4, {Kill::CLICK}, 2, 5},
      {2, 3, {Kill::SHOT}, 3, 0},   // 4 = 2 x 2
      {2, 2, {Kill::SHOT}, 2, 3},
      // Clicks pass the shot threshold without growth; the next shot kill grows.
      {2, 3, {Kill::CLICK}, 2, 4},
      {2, 3, {Kill::CLICK, Kill::SHOT}, 3, 0},
      {2, 4, {Kill::CLICK, Kill::CLICK}, 3, 0},
      // level_kills resets, and the new threshold counts from the new max.
      {2, 5, {Kill::CLICK, Kill::SHOT, Kill::SHOT, Kill::SHOT, Kill::SHOT, Kill::SHOT}, 3, 5},
      {2, 5, {Kill::CLICK, Kill::SHOT, Kill::SHOT, Kill::SHOT, Kill::SHOT, Kill::SHOT, Kill::SHOT}, 4, 0},
      {100, 299, {Kill::CLICK}, 101, 0},
      {150, 299, {Kill::SHOT}, 151, 0},
  };
  for (const Case& c : cases) {
    TickGame g;
    // Every slot live, so that nothing spawns whatever max_marchers is.
    for (int i = 1; i < MARCHER_SLOTS; ++i) {
      g.place(i, static_cast<float>(4 * (i % 100)), 400);
    }
    ++g.state.live_count;
    g.state.max_marchers = c.max_marchers;
    g.state.level_kills = c.level_kills;
    for (Kill k : c.kills) {
      kill_one(g, k);
    }
    const std::string name = std::to_string(c.max_marchers) + "/" + std::to_string(c.level_kills) + " after " +
                             std::to_string(c.kills.size()) + " kills";
    EXPECT_EQ(g.state.max_marchers, c.max_after) << name;
    EXPECT_EQ(g.state.level_kills, c.level_kills_after) << name;
    EXPECT_EQ(g.state.score, 1 + static_cast<int>(c.kills.size())) << name;
  }
}

// ---- no allocation, no state of its own ---------------------------------

// Drives a game with presses, bursts and escapes for a while.
void busy_game(TickGame& g, int ticks) {
  for (int t = 0; t < ticks; ++t) {
    const int phase = t % 40;
    const int buttons = phase < 3 ? LEFT : (phase >= 20 && phase < 23 ? RIGHT : 0);
    g.state.charge += phase == 19 ? 10 : 0;  // enough for every other burst
    const Marcher& m = g.marchers[t % 3];
    g.tick(buttons, static_cast<int>(m.x) + 13, static_cast<int>(m.y + m.speed) + 15);
  }
}

TEST(TickPurity, AllocatesNothing) {
  WindowSize window;
  rng::srand(99);
  TickGame g;
  const long long before = allocations_so_far();
  busy_game(g, 3000);
  EXPECT_EQ(allocations_so_far(), before);
  EXPECT_GT(g.state.score, 20);  // it did work
}

TEST(TickPurity, KeepsNoStateBetweenGames) {
  WindowSize window;
  rng::srand(5);
  TickGame first;
  first.place(0, 100, 100);  // under the first press
  busy_game(first, 3000);
  TickGame between;  // left with a button held and a burst in flight
  between.state.charge = 20;
  between.tick(RIGHT, 240, 240);
  rng::srand(5);
  TickGame second;
  second.place(0, 100, 100);
  busy_game(second, 3000);
  // Bit for bit on purpose; the records have no padding.
  // NOLINTBEGIN(bugprone-suspicious-memory-comparison)
  EXPECT_EQ(std::memcmp(&first.state, &second.state, sizeof first.state), 0);
  EXPECT_EQ(std::memcmp(first.marchers.data(), second.marchers.data(), sizeof first.marchers), 0);
  EXPECT_EQ(std::memcmp(first.shots.data(), second.shots.data(), sizeof first.shots), 0);
  // NOLINTEND(bugprone-suspicious-memory-comparison)
}

}  // namespace
