#pragma once
// A pack of flat colours built in memory, so that one pixel tells which
// picture, cell or button look was drawn there, and a 496 x 540 memory
// bitmap as back_buffer. Colours are "r,g,b" strings for readable failures.

#include <allegro.h>
#include <gtest/gtest.h>

#include <string>

std::string field_colour();
std::string panel_colour();
std::string game_over_colour();
std::string pointer_colour();
std::string digit_colour(int digit);
std::string marcher_colour(int row, int column);
std::string overlay_colour(int column);
std::string button_colour(int index, int highlight);  // index PIC_BUTTON_AGAIN or PIC_BUTTON_QUIT
std::string rgb(int r, int g, int b);

// A colour none of the pictures uses, to see what a drawing left alone.
inline constexpr int UNTOUCHED_R = 1;
inline constexpr int UNTOUCHED_G = 2;
inline constexpr int UNTOUCHED_B = 3;
std::string untouched_colour();

// The colour of back_buffer at (x, y).
std::string at(int x, int y);

// Sets asset_pack to the flat pack and back_buffer to a memory bitmap filled
// with the untouched colour; releases both and all input afterwards.
class PackTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
