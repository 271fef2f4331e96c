#include "support/test_pack.h"

#include <array>
#include <cstdio>

#include "shell/globals.h"
#include "support/headless.h"

namespace {

constexpr int MASK = 0xFF00FF;  // the library's mask colour at 32 bits

std::array<DATAFILE, PACK_PICTURES + 1> entries{};

BITMAP* flat(int w, int h, int colour) {
  BITMAP* bmp = create_bitmap(w, h);
  clear_to_color(bmp, colour);
  return bmp;
}

int col(const std::string& s) {
  int r = 0;
  int g = 0;
  int b = 0;
  std::sscanf(s.c_str(), "%d,%d,%d", &r, &g, &b);
  return makecol(r, g, b);
}

}  // namespace

std::string rgb(int r, int g, int b) { return std::to_string(r) + "," + std::to_string(g) + "," + std::to_string(b); }
std::string field_colour() { return rgb(0, 60, 0); }
std::string panel_colour() { return rgb(0, 0, 80); }
std::string game_over_colour() { return rgb(80, 0, 0); }
std::string pointer_colour() { return rgb(255, 255, 255); }
std::string digit_colour(int digit) { return rgb(250, 10 + digit, 10); }
std::string marcher_colour(int row, int column) { return rgb(200, row * 8 + column, 20); }
std::string overlay_colour(int column) { return rgb(0, 200, 100 + column); }
std::string button_colour(int index, int highlight) {
  const bool lit = highlight != 0;
  if (index == PIC_BUTTON_AGAIN) {
    return lit ? rgb(0, 255, 0) : rgb(0, 100, 0);
  }
  return lit ? rgb(200, 100, 200) : rgb(100, 0, 100);
}
std::string untouched_colour() { return rgb(UNTOUCHED_R, UNTOUCHED_G, UNTOUCHED_B); }

std::string at(int x, int y) {
  const int c = getpixel(back_buffer, x, y);
  return rgb(getr(c), getg(c), getb(c));
}

void PackTest::SetUp() {
  std::array<BITMAP*, PACK_PICTURES> pictures{};
  pictures[PIC_FIELD] = flat(480, 480, col(field_colour()));
  pictures[SHEET_OVERLAY] = create_bitmap(9 * 52, 40);  // one cell more than a live marcher uses
  for (int c = 0; c < 9; ++c) {
    rectfill(pictures[SHEET_OVERLAY], c * 52, 0, c * 52 + 51, 39, col(overlay_colour(c)));
  }
  pictures[PIC_POINTER] = flat(30, 30, col(pointer_colour()));
  pictures[PIC_GAME_OVER] = flat(480, 540, col(game_over_colour()));
  pictures[PIC_PANEL] = flat(480, 60, col(panel_colour()));
  pictures[PIC_TITLE] = flat(480, 540, makecol(40, 40, 40));
  // Each digit cell's last column is transparent.
  pictures[SHEET_DIGITS] = flat(260, 30, MASK);
  for (int d = 0; d < 10; ++d) {
    rectfill(pictures[SHEET_DIGITS], d * 26, 0, d * 26 + 24, 29, col(digit_colour(d)));
  }
  for (int index : {PIC_BUTTON_AGAIN, PIC_BUTTON_QUIT}) {
    pictures[index] = flat(200, 80, col(button_colour(index, 0)));
    rectfill(pictures[index], 0, 40, 199, 79, col(button_colour(index, 40)));
  }
  pictures[SHEET_MARCHER] = create_bitmap(8 * 26, 4 * 30);
  for (int r = 0; r < 4; ++r) {
    for (int c = 0; c < 8; ++c) {
      rectfill(pictures[SHEET_MARCHER], c * 26, r * 30, c * 26 + 25, r * 30 + 29, col(marcher_colour(r, c)));
    }
  }
  for (int i = 0; i < PACK_PICTURES; ++i) {
    entries[i] = DATAFILE{pictures[i], DAT_BITMAP, 0, nullptr};
  }
  entries.back() = DATAFILE{nullptr, DAT_END, 0, nullptr};
  asset_pack = entries.data();
  back_buffer = flat(496, 540, makecol(UNTOUCHED_R, UNTOUCHED_G, UNTOUCHED_B));
  release_keys();
  set_mouse(0, -100, -100);
  tick_count = 0;
  close_requested = false;
}

void PackTest::TearDown() {
  for (int i = 0; i < PACK_PICTURES; ++i) {
    destroy_bitmap(static_cast<BITMAP*>(entries[i].dat));
    entries[i] = DATAFILE{};
  }
  asset_pack = nullptr;
  destroy_bitmap(back_buffer);
  back_buffer = nullptr;
  release_keys();
  set_mouse(0, 0, 0);
  tick_count = 0;
  close_requested = false;
}
