#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "shell/globals.h"
#include "support/test_pack.h"
#include "view/panel.h"

namespace {

constexpr int NONE = -1;
constexpr int ROW = 510;  // a row through the middle of every digit

using PanelTest = PackTest;

// What a digit place shows: digit d from its left edge to its 25th column,
// the transparent 26th column showing the panel.
void expect_place(int x, int digit, const std::string& what) {
  if (digit == NONE) {
    EXPECT_EQ(at(x + 12, ROW), panel_colour()) << what << ": nothing at x " << x;
    return;
  }
  EXPECT_EQ(at(x, ROW), digit_colour(digit)) << what << ": left edge at x " << x;
  EXPECT_EQ(at(x + 24, ROW), digit_colour(digit)) << what << ": right edge at x " << x;
  EXPECT_EQ(at(x + 25, ROW), panel_colour()) << what << ": mask column at x " << x;
}

TEST_F(PanelTest, ScoreDigitsRightAlignedWithoutLeadingZeros) {
  struct Case {
    float score;
    std::array<int, 4> digits;  // at x 0, 26, 52, 78
  };
  const std::vector<Case> cases = {
      {1.0F, {NONE, NONE, NONE, 1}},   {8.0F, {NONE, NONE, NONE, 8}}, {9.0F, {NONE, NONE, NONE, 9}},
      {10.0F, {NONE, NONE, 1, 0}},     {57.0F, {NONE, NONE, 5, 7}},   {99.0F, {NONE, NONE, 9, 9}},
      {100.0F, {NONE, 1, 0, 0}},       {305.0F, {NONE, 3, 0, 5}},     {999.0F, {NONE, 9, 9, 9}},
      {1000.0F, {1, 0, 0, 0}},         {4072.0F, {4, 0, 7, 2}},       {9999.0F, {9, 9, 9, 9}},
      {10000.0F, {9, 9, 9, 9}},        {3.0e9F, {9, 9, 9, 9}},
  };
  for (const Case& c : cases) {
    draw_status_panel(c.score, 0, 0);
    const std::string what = "score " + std::to_string(c.score);
    for (int place = 0; place < 4; ++place) {
      expect_place(place * 26, c.digits[place], what);
    }
  }
}

TEST_F(PanelTest, ComboDigits) {
  struct Case {
    int combo;
    std::array<int, 3> digits;  // at x 130, 156, 182
  };
  const std::vector<Case> cases = {
      {0, {NONE, NONE, 0}}, {9, {NONE, NONE, 9}}, {10, {NONE, 1, 0}},  {99, {NONE, 9, 9}},
      {100, {1, 0, 0}},     {101, {1, 0, 1}},     {199, {1, 9, 9}},    {200, {2, 0, 0}},
      {507, {5, 0, 7}},     {999, {9, 9, 9}},     {1000, {9, 9, 9}},   {2147483647, {9, 9, 9}},
  };
  for (const Case& c : cases) {
    draw_status_panel(1.0F, c.combo, 0);
    const std::string what = "combo " + std::to_string(c.combo);
    expect_place(130, c.digits[0], what);
    expect_place(156, c.digits[1], what);
    expect_place(182, c.digits[2], what);
  }
}

TEST_F(PanelTest, MinesDigitOnEveryCall) {
  for (int mines : {0, 5, 9}) {
    draw_status_panel(1.0F, 0, mines);
    expect_place(420, mines, "mines " + std::to_string(mines));
  }
}

// Between the combo and the mines, and right of the mines, no digit at all:
// "Wave:" has no value.
TEST_F(PanelTest, NoDigitsOutsideTheirPlaces) {
  draw_status_panel(9999.0F, 999, 9);
  for (int x = 208; x < 420; ++x) {
    ASSERT_EQ(at(x, ROW), panel_colour()) << "x " << x;
  }
  for (int x = 446; x < 480; ++x) {
    ASSERT_EQ(at(x, ROW), panel_colour()) << "x " << x;
  }
}

// Each label is the font's own rendering of its text at its place, in the
// label colour with no background; the panel covers exactly its 480 x 60.
TEST_F(PanelTest, BackgroundAndLabels) {
  draw_status_panel(1.0F, 0, 0);
  EXPECT_EQ(at(0, 480), panel_colour());
  EXPECT_EQ(at(479, 539), panel_colour());
  EXPECT_EQ(at(0, 479), untouched_colour());
  EXPECT_EQ(at(480, 500), untouched_colour());

  struct Label {
    const char* text;
    int x;
  };
  BITMAP* expected = create_bitmap(496, 540);
  for (const Label& label : {Label{"Score:", 5}, Label{"Combo:", 135}, Label{"Mines:", 410}, Label{"Wave:", 265}}) {
    clear_bitmap(expected);
    textout_ex(expected, font, label.text, label.x, 483, makecol(255, 255, 255), -1);
    const int w = text_length(font, label.text);
    int lit = 0;
    for (int y = 483; y < 483 + text_height(font); ++y) {
      for (int x = label.x; x < label.x + w; ++x) {
        const bool ink = getpixel(expected, x, y) != 0;
        lit += ink ? 1 : 0;
        ASSERT_EQ(at(x, y), ink ? rgb(255, 199, 199) : panel_colour()) << label.text << " at " << x << "," << y;
      }
    }
    EXPECT_GT(lit, 10) << label.text;
  }
  destroy_bitmap(expected);
}

}  // namespace
