#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "shell/globals.h"
#include "support/headless.h"
#include "support/test_pack.h"
#include "view/field.h"

namespace {

std::string black() { return rgb(0, 0, 0); }
std::string shot_colour() { return rgb(255, 88, 88); }
std::string block_colour() { return rgb(50, 50, 255); }
std::string low_bar() { return rgb(255, 150, 150); }
std::string high_bar() { return rgb(255, 30, 30); }

struct Probe {
  int x;
  int y;
  std::string colour;
};

class FieldTest : public PackTest {
 protected:
  GameState state = START_STATE;
  MarcherSlots marchers{};
  ShotSlots shots{};

  void draw() { draw_field(state, marchers, shots); }
};

Marcher live_marcher(float x, float y, int kind, int frame) {
  Marcher m{};
  m.x = x;
  m.y = y;
  m.live = 1;
  m.kind = kind;
  m.frame = frame;
  return m;
}

Marcher dying_marcher(float x, float y, int kind, int frame) {
  Marcher m = live_marcher(x, y, kind, frame);
  m.live = 0;
  m.dying = 1;
  return m;
}

TEST_F(FieldTest, MarcherBodiesAndOverlays) {
  struct Case {
    const char* name;
    Marcher marcher;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"live, kind 2, frame 5",
       live_marcher(100.0F, 200.0F, 2, 5),
       {{100, 200, marcher_colour(2, 4)}, {125, 229, marcher_colour(2, 4)}, {126, 229, field_colour()},
        {100, 230, field_colour()}, {87, 160, overlay_colour(4)}, {138, 199, overlay_colour(4)},
        {86, 160, field_colour()}, {87, 159, field_colour()}, {139, 199, field_colour()}}},
      // Body from row 10, overlay from row -29: its bottom row covers the body's top row.
      {"y 10.5",
       live_marcher(200.0F, 10.5F, 0, 1),
       {{200, 10, overlay_colour(0)}, {200, 11, marcher_colour(0, 0)}, {200, 39, marcher_colour(0, 0)},
        {200, 40, field_colour()}, {187, 10, overlay_colour(0)}, {187, 11, field_colour()}}},
      // Truncation toward zero: the body stands at (-5, -10), not (-6, -11).
      {"above and left of the field",
       live_marcher(-5.5F, -10.5F, 3, 8),
       {{0, 0, marcher_colour(3, 7)}, {20, 19, marcher_colour(3, 7)}, {21, 19, field_colour()},
        {20, 20, field_colour()}}},
      // The offset is taken off in double precision: -39.9999999 truncates
      // to -39, so the overlay reaches row 0 (a float would round to -40).
      {"y just above 0", live_marcher(100.0F, 1.0e-7F, 0, 1), {{100, 0, overlay_colour(0)}, {100, 1, marcher_colour(0, 0)}}},
      {"just spawned, out of sight", live_marcher(100.0F, -30.0F, 1, 1), {{100, 0, field_colour()}, {87, 0, field_colour()}}},
      // A dying marcher is drawn from row 1 whatever its kind.
      {"dying, kind 3, frame 2",
       dying_marcher(300.0F, 100.0F, 3, 2),
       {{300, 100, marcher_colour(1, 1)}, {325, 129, marcher_colour(1, 1)}, {287, 60, overlay_colour(1)}}},
      // Parked at (500, 500): only the overlay's left 9 columns reach into the strip.
      {"dying, parked",
       dying_marcher(500.0F, 500.0F, 0, 3),
       {{487, 460, overlay_colour(2)}, {495, 479, overlay_colour(2)}, {486, 460, black()}, {487, 459, black()},
        {490, 480, low_bar()}, {490, 481, block_colour()}}},
      {"dying, past the end of both sheets",
       dying_marcher(300.0F, 100.0F, 0, 10),
       {{300, 100, field_colour()}, {287, 60, field_colour()}, {338, 99, field_colour()}}},
      {"live at the right edge",
       live_marcher(466.0F, 300.0F, 0, 1),
       {{491, 300, marcher_colour(0, 0)}, {492, 300, black()}, {495, 299, overlay_colour(0)}}},
  };
  for (const Case& c : cases) {
    marchers = {};
    marchers[57] = c.marcher;
    draw();
    for (const Probe& p : c.probes) {
      EXPECT_EQ(at(p.x, p.y), p.colour) << c.name << " at " << p.x << "," << p.y;
    }
  }
}

// Each body right before its own overlay, and a higher slot over a lower one.
TEST_F(FieldTest, MarchersInSlotOrder) {
  marchers[3] = live_marcher(100.0F, 140.0F, 0, 1);  // overlay rows 100 to 139
  marchers[4] = live_marcher(100.0F, 100.0F, 2, 1);  // body rows 100 to 129, overlay rows 60 to 99
  marchers[5] = live_marcher(300.0F, 300.0F, 0, 1);
  marchers[9] = dying_marcher(310.0F, 300.0F, 0, 4);
  draw();
  EXPECT_EQ(at(100, 110), marcher_colour(2, 0));
  EXPECT_EQ(at(100, 135), overlay_colour(0));
  EXPECT_EQ(at(310, 300), marcher_colour(1, 3));
  EXPECT_EQ(at(305, 300), marcher_colour(0, 0));
}

TEST_F(FieldTest, ShotsTakeOneStepAndAreDrawnWhereTheyLand) {
  struct Case {
    const char* name;
    Shot shot;
    Shot after;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"in the field",
       {100.0F, 100.0F, 0.5F, -1.0F, 1},
       {100.5F, 99.0100021F, 0.5F, -0.99000001F, 1},
       {{100, 99, shot_colour()}, {102, 99, shot_colour()}, {103, 99, field_colour()}, {100, 97, shot_colour()},
        {100, 96, field_colour()}, {98, 99, shot_colour()}, {97, 99, field_colour()}}},
      {"leaving on the right, drawn once in the strip",
       {480.5F, 300.0F, 1.0F, 0.0F, 1},
       {481.5F, 300.01F, 1.0F, 0.01F, 0},
       {{481, 300, shot_colour()}, {483, 300, shot_colour()}, {484, 300, black()}}},
      // -0.5 truncates to column 0.
      {"leaving on the left",
       {0.5F, 300.0F, -1.0F, 0.0F, 1},
       {-0.5F, 300.01F, -1.0F, 0.01F, 0},
       {{0, 300, shot_colour()}, {2, 300, shot_colour()}, {3, 300, field_colour()}}},
      {"not live", {200.0F, 200.0F, 1.0F, 1.0F, 0}, {200.0F, 200.0F, 1.0F, 1.0F, 0}, {{200, 200, field_colour()}}},
  };
  for (const Case& c : cases) {
    shots = {};
    shots[42] = c.shot;
    draw();
    const Shot& s = shots[42];
    EXPECT_EQ(s.x, c.after.x) << c.name;
    EXPECT_EQ(s.y, c.after.y) << c.name;
    EXPECT_EQ(s.vy, c.after.vy) << c.name;
    EXPECT_EQ(s.live, c.after.live) << c.name;
    for (const Probe& p : c.probes) {
      EXPECT_EQ(at(p.x, p.y), p.colour) << c.name << " at " << p.x << "," << p.y;
    }
  }
}

TEST_F(FieldTest, ShotThatLeftIsNeitherSteppedNorDrawnAgain) {
  shots[0] = Shot{480.5F, 300.0F, 1.0F, 0.0F, 1};
  draw();
  ASSERT_EQ(shots[0].live, 0);
  draw();
  EXPECT_EQ(shots[0].x, 481.5F);
  EXPECT_EQ(at(481, 300), black());
}

TEST_F(FieldTest, ChargeBar) {
  struct Case {
    int charge;
    int top;  // first row of the bar
    std::string colour;
  };
  const std::vector<Case> cases = {
      {0, 480, low_bar()}, {10, 470, low_bar()}, {11, 469, high_bar()}, {200, 280, high_bar()},
      {480, 0, high_bar()}, {100000, 0, high_bar()},
  };
  for (const Case& c : cases) {
    state.charge = c.charge;
    draw();
    for (int x : {480, 495}) {
      const std::string where = "charge " + std::to_string(c.charge) + " x " + std::to_string(x);
      EXPECT_EQ(at(x, c.top), c.colour) << where;
      EXPECT_EQ(at(x, 480), c.colour) << where;
      EXPECT_EQ(at(x, 481), block_colour()) << where;
      EXPECT_EQ(at(x, 539), block_colour()) << where;
      if (c.top > 0) {
        EXPECT_EQ(at(x, c.top - 1), black()) << where;
      }
    }
  }
}

TEST_F(FieldTest, EmptyFieldClearsTheStripAndShowsTheCounters) {
  state.score = 57;
  state.combo = 3;
  state.mines = 4;
  draw();
  EXPECT_EQ(at(0, 0), field_colour());
  EXPECT_EQ(at(479, 479), field_colour());
  EXPECT_EQ(at(480, 0), black());
  EXPECT_EQ(at(495, 479), black());
  EXPECT_EQ(at(52, 510), digit_colour(5));
  EXPECT_EQ(at(78, 510), digit_colour(7));
  EXPECT_EQ(at(156, 510), panel_colour());
  EXPECT_EQ(at(182, 510), digit_colour(3));
  EXPECT_EQ(at(420, 510), digit_colour(4));
}

// The pointer goes over everything, the panel and the strip included.
TEST_F(FieldTest, PointerLast) {
  marchers[0] = live_marcher(470.0F, 460.0F, 0, 1);
  shots[0] = Shot{480.0F, 480.0F, 0.0F, 0.0F, 1};
  state.charge = 30;
  set_mouse(0, 490, 485);
  draw();
  const std::vector<Probe> probes = {
      {475, 470, pointer_colour()}, {495, 470, pointer_colour()}, {480, 480, pointer_colour()},
      {475, 499, pointer_colour()}, {474, 470, marcher_colour(0, 0)}, {476, 500, panel_colour()},
      {490, 500, block_colour()},
  };
  for (const Probe& p : probes) {
    EXPECT_EQ(at(p.x, p.y), p.colour) << "at " << p.x << "," << p.y;
  }
}

}  // namespace
