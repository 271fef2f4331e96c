// Paints the ten pictures of the asset pack as 24-bit BMP files, for `dat` to
// pack. Usage: paint_pictures SOURCE_DIR OUTPUT_DIR
// The sprites come from the text pixel maps in SOURCE_DIR (assets/pictures);
// the large pictures are painted here. Runs without a display, and the same
// sources always give the same files.
//
// The look: a night raid over a quiet valley. Marchers are small bright
// figures drifting down under striped canopies against a deep blue sky,
// everything outlined in the same near-black ink, lettering in a chunky
// pixel font.

#include <allegro.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "pixel_art.h"

namespace {

constexpr std::array<const char*, 7> SOURCE_FILES{"palette.txt", "marchers.txt", "canopy.txt", "pointer.txt",
                                                  "digits.txt",  "font.txt",     "icons.txt"};

// Picture sizes, as the game reads them.
constexpr int FIELD_SIZE = 480;
constexpr int PICTURE_ROWS = 540;
constexpr int PANEL_W = 480;
constexpr int PANEL_H = 60;
constexpr int MARCHER_W = 26;
constexpr int MARCHER_H = 30;
constexpr int OVERLAY_W = 52;
constexpr int OVERLAY_H = 40;
constexpr int COLUMNS = 8;
constexpr int KINDS = 4;
constexpr int COLLAPSE_CELLS = 4;  // after the eight live cells, for a hit marcher
constexpr int POINTER_SIZE = 30;
constexpr int DIGIT_W = 26;
constexpr int DIGIT_H = 30;
constexpr int BUTTON_W = 200;
constexpr int BUTTON_H = 40;

// Where the game puts things that the pictures must leave room for.
constexpr int VERSION_X = 25;
constexpr int VERSION_Y = 150;
constexpr int VERSION_W = 16 * 8;
constexpr int VERSION_H = 8;
constexpr int BUTTON_X = 250;
constexpr int AGAIN_Y = 300;
constexpr int QUIT_Y = 350;
constexpr int PANEL_Y = 480;
constexpr int DIGIT_Y = 18;  // within the panel

// The shared colours of the large pictures.
constexpr Rgb INK{24, 18, 42};
constexpr Rgb SKY_TOP{8, 10, 30};
constexpr Rgb SKY_LOW{44, 30, 78};
constexpr Rgb CLOUD{34, 30, 70};
constexpr Rgb CLOUD_RIM{60, 54, 108};
constexpr Rgb FAR_HILL{30, 26, 62};
constexpr Rgb NEAR_HILL{16, 16, 36};
constexpr Rgb MOON{246, 238, 206};
constexpr Rgb MOON_SHADE{206, 196, 170};
constexpr Rgb CREAM{252, 248, 236};
constexpr Rgb PALE{204, 202, 220};
constexpr Rgb CORAL{250, 120, 90};
constexpr Rgb GOLD{255, 218, 74};
constexpr Rgb ICE{170, 222, 255};
constexpr Rgb LAMP{255, 210, 110};
constexpr Rgb PLATE{18, 16, 40};
constexpr Rgb PLATE_RIM{70, 62, 120};

// The animation of one marcher over the eight columns: the body swings under
// its canopy like a pendulum, the canopy leans a little the other way and
// breathes, and the legs trail the swing.
constexpr std::array<int, COLUMNS> BODY_SWING{0, 1, 2, 1, 0, -1, -2, -1};
constexpr std::array<int, COLUMNS> CANOPY_LEAN{0, 0, -1, 0, 0, 0, 1, 0};
constexpr std::array<bool, COLUMNS> CANOPY_BREATH{false, false, true, true, false, false, true, true};
constexpr std::array<char, COLUMNS> LEG_POSE{'a', 'b', 'b', 'a', 'a', 'c', 'c', 'a'};

// Bodies are 22 wide, centred in their 26-wide cell when not swinging; the
// hands are at columns 3 and 18 of the body maps.
constexpr int BODY_LEFT = 2;
constexpr int BODY_TOP_ROWS = 22;
constexpr int LEFT_HAND = 3;
constexpr int RIGHT_HAND = 18;
// The canopy map's left edge within the overlay cell, and the seams of its hem
// (in map columns, on map row HEM_ROW) where the risers start.
constexpr int CANOPY_LEFT = 2;
constexpr int CANOPY_TOP = 1;
constexpr int HEM_ROW = 15;
constexpr std::array<int, 6> RISER_SEAMS{1, 9, 19, 28, 38, 46};

Art art;

int mask() { return makecol(255, 0, 255); }

// A fixed little generator, so that the stars fall in the same places on
// every build.
struct Scatter {
  std::uint32_t state;
  int next(int range) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % static_cast<std::uint32_t>(range));
  }
};

// 4 x 4 ordered dither thresholds, 0 to 15.
constexpr std::array<int, 16> BAYER{0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};
constexpr int SKY_BANDS = 10;

double dither(int x, int y) { return (BAYER[(y % 4) * 4 + x % 4] + 0.5) / 16.0; }

// A vertical blend from `top` to `bottom` in a few flat bands, dithered where
// they meet, as pixel art does it.
void banded_gradient(BITMAP* b, int x0, int y0, int x1, int y1, Rgb top, Rgb bottom) {
  for (int y = y0; y <= y1; ++y) {
    const double level = static_cast<double>(y - y0) / std::max(1, y1 - y0) * SKY_BANDS;
    for (int x = x0; x <= x1; ++x) {
      const int band = std::min(SKY_BANDS, static_cast<int>(level + dither(x, y)));
      putpixel(b, x, y, colour(blend(top, bottom, static_cast<double>(band) / SKY_BANDS)));
    }
  }
}

struct Box {
  int x0, y0, x1, y1;
  bool holds(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
};

void stars(BITMAP* b, std::uint32_t seed, int count, int bottom, const Box& keep_clear) {
  Scatter scatter{seed};
  const std::array<Rgb, 3> tints{Rgb{230, 230, 255}, Rgb{255, 240, 200}, Rgb{150, 150, 200}};
  for (int i = 0; i < count; ++i) {
    const int x = scatter.next(b->w);
    const int y = scatter.next(bottom);
    const Rgb tint = tints[static_cast<std::size_t>(scatter.next(3))];
    if (keep_clear.holds(x, y)) {
      continue;
    }
    putpixel(b, x, y, colour(tint));
    if (i % 9 == 0) {  // a few bright ones with a twinkle cross
      const int glow = colour(blend(tint, SKY_LOW, 0.55));
      putpixel(b, x - 1, y, glow);
      putpixel(b, x + 1, y, glow);
      putpixel(b, x, y - 1, glow);
      putpixel(b, x, y + 1, glow);
    }
  }
}

void moon(BITMAP* b, int cx, int cy, int r) {
  // A soft halo in two dithered steps, then the disc with a shaded limb and
  // a few craters.
  for (int y = cy - 2 * r; y <= cy + 2 * r; ++y) {
    for (int x = cx - 2 * r; x <= cx + 2 * r; ++x) {
      const double d = std::hypot(x - cx, y - cy) / r;
      if (d < 2.0 && d >= 1.0 && dither(x, y) > (d - 1.0)) {
        putpixel(b, x, y, colour(blend(Rgb{getr(getpixel(b, x, y)), getg(getpixel(b, x, y)), getb(getpixel(b, x, y))},
                                       Rgb{70, 62, 120}, 0.35)));
      }
    }
  }
  circlefill(b, cx, cy, r, colour(MOON_SHADE));
  circlefill(b, cx - 2, cy - 2, r - 2, colour(MOON));
  circlefill(b, cx + r / 3, cy - r / 4, r / 5, colour(MOON_SHADE));
  circlefill(b, cx - r / 3, cy + r / 3, r / 4, colour(MOON_SHADE));
  circlefill(b, cx + r / 4, cy + r / 2, r / 8, colour(MOON_SHADE));
}

// A long flat cloud: a row of overlapping ellipses with a faint moonlit rim.
void cloud(BITMAP* b, int x, int y, int length) {
  for (int i = 0; i < length; i += 14) {
    const int ry = 5 + ((i / 14) % 3) * 2;
    ellipsefill(b, x + i, y - ry / 2, 14, ry, colour(CLOUD_RIM));
  }
  for (int i = 0; i < length; i += 14) {
    const int ry = 5 + ((i / 14) % 3) * 2;
    ellipsefill(b, x + i + 1, y - ry / 2 + 2, 14, ry, colour(CLOUD));
  }
  // A flat, darker underside.
  const int last = (length - 1) / 14 * 14;
  rectfill(b, x - 10, y + 3, x + last + 10, y + 8, colour(blend(CLOUD, SKY_LOW, 0.4)));
}

// A ridge line: the height of a hill at x, from a few slow waves.
int ridge(int x, int base, double phase, int height) {
  const double t = x / 480.0 * 6.283;
  return base - static_cast<int>(height * (0.55 + 0.3 * std::sin(t * 1.3 + phase) + 0.15 * std::sin(t * 3.1 + phase * 2)));
}

void pine(BITMAP* b, int x, int ground, int height, int ink) {
  for (int tier = 0; tier < 3; ++tier) {
    const int top = ground - height + tier * height / 4;
    const int half = 3 + tier * 2;
    triangle(b, x, top, x - half, top + height / 3, x + half, top + height / 3, ink);
  }
  vline(b, x, ground - height / 4, ground, ink);
}

void cottage(BITMAP* b, int x, int ground) {
  const int wall = colour(NEAR_HILL);
  rectfill(b, x, ground - 12, x + 16, ground, wall);
  triangle(b, x - 3, ground - 12, x + 8, ground - 21, x + 19, ground - 12, wall);
  rectfill(b, x + 12, ground - 22, x + 14, ground - 16, wall);  // chimney
  rectfill(b, x + 4, ground - 8, x + 6, ground - 5, colour(LAMP));
  rectfill(b, x + 10, ground - 8, x + 12, ground - 5, colour(blend(LAMP, NEAR_HILL, 0.35)));
}

// The valley at the foot of every screen: far hills, near hills with pines,
// and a cottage with a lit window (none when cottage_x is negative).
void hills(BITMAP* b, int ground, int cottage_x) {
  const int far_colour = colour(FAR_HILL);
  const int near_colour = colour(NEAR_HILL);
  for (int x = 0; x < b->w; ++x) {
    vline(b, x, ridge(x, ground - 24, 0.7, 46), b->h - 1, far_colour);
  }
  for (int x = 0; x < b->w; ++x) {
    vline(b, x, ridge(x, ground + 6, 2.9, 30), b->h - 1, near_colour);
  }
  for (int x = 14; x < b->w; x += 37 + (x * 7) % 23) {
    if (x > cottage_x - 16 && x < cottage_x + 34) {
      continue;
    }
    pine(b, x, ridge(x, ground + 6, 2.9, 30) + 2, 14 + (x * 13) % 10, near_colour);
  }
  if (cottage_x >= 0) {
    cottage(b, cottage_x, ridge(cottage_x + 8, ground + 6, 2.9, 30) + 3);
  }
}

struct NightScene {
  std::uint32_t seed;
  int star_count;
  int moon_x, moon_y, moon_r;
  int ground;  // top of the near hills, roughly
  int cottage_x;  // negative for none
  Box keep_clear;  // no star in here
};

void night(BITMAP* b, const NightScene& scene) {
  banded_gradient(b, 0, 0, b->w - 1, b->h - 1, SKY_TOP, SKY_LOW);
  stars(b, scene.seed, scene.star_count, scene.ground - 30, scene.keep_clear);
  moon(b, scene.moon_x, scene.moon_y, scene.moon_r);
  hills(b, scene.ground, scene.cottage_x);
}

// --- Sprites ----------------------------------------------------------------

void paint_marchers(BITMAP* b) {
  clear_to_color(b, mask());
  for (int kind = 0; kind < KINDS; ++kind) {
    const std::string name = "kind" + std::to_string(kind);
    for (int c = 0; c < COLUMNS; ++c) {
      const int x = c * MARCHER_W + BODY_LEFT + BODY_SWING[c];
      const int y = kind * MARCHER_H;
      draw_map(b, art, art_map(art, name + "_top"), x, y);
      draw_map(b, art, art_map(art, name + "_legs_" + LEG_POSE[c]), x, y + BODY_TOP_ROWS);
    }
  }
}

void risers(BITMAP* b, int cell_x, int canopy_x, int left_hand, int right_hand, int hand_y) {
  const int cord = colour(PALE);
  for (std::size_t i = 0; i < RISER_SEAMS.size(); ++i) {
    const int hand = i < RISER_SEAMS.size() / 2 ? left_hand : right_hand;
    line(b, canopy_x + RISER_SEAMS[i], CANOPY_TOP + HEM_ROW + 1, cell_x + hand, hand_y, cord);
  }
}

void paint_overlay(BITMAP* b) {
  clear_to_color(b, mask());
  const PixelMap& full = art_map(art, "canopy_full");
  const PixelMap& breath = art_map(art, "canopy_breath");
  for (int c = 0; c < COLUMNS; ++c) {
    const int cell_x = c * OVERLAY_W;
    const int canopy_x = cell_x + CANOPY_LEFT + CANOPY_LEAN[c];
    // The body sits 13 pixels in from the cell's left edge.
    const int body_x = (OVERLAY_W - MARCHER_W) / 2 + BODY_LEFT + BODY_SWING[c];
    risers(b, cell_x, canopy_x, body_x + LEFT_HAND + 1, body_x + RIGHT_HAND, OVERLAY_H - 1);
    draw_map(b, art, CANOPY_BREATH[c] ? breath : full, canopy_x, CANOPY_TOP);
  }
  // The collapse: the canopy sags lower and flatter with every cell, its
  // cords slack, until only a crumpled rag is left.
  constexpr std::array<double, COLLAPSE_CELLS> SQUASH{0.7, 0.45, 0.28, 0.15};
  for (int i = 0; i < COLLAPSE_CELLS; ++i) {
    const int cell_x = (COLUMNS + i) * OVERLAY_W;
    const int height = std::max(2, static_cast<int>(full.h * SQUASH[static_cast<std::size_t>(i)]));
    const int top = OVERLAY_H - 2 - height - (COLLAPSE_CELLS - 1 - i) * 5;
    const int sag = 2 * (i + 1);
    for (int y = 0; y < height; ++y) {
      const int src_y = y * full.h / height;
      for (int x = sag; x < full.w - sag; ++x) {
        const int src_x = (x - sag) * full.w / (full.w - 2 * sag);
        const char letter = full.rows[src_y][src_x];
        if (letter != '.') {
          putpixel(b, cell_x + CANOPY_LEFT + x, top + y, colour(art.palette.at(letter)));
        }
      }
    }
  }
}

void paint_pointer(BITMAP* b) {
  clear_to_color(b, mask());
  draw_map(b, art, art_map(art, "pointer"), 0, 0);
}

// Gold digits doubled from their 10 x 13 maps, lit along their top edges and
// shaded along their bottom edges; every colour stays bright.
constexpr Rgb DIGIT_TOP{255, 240, 168};
constexpr Rgb DIGIT_LOW{248, 168, 44};
constexpr Rgb DIGIT_LIGHT{255, 252, 228};
constexpr Rgb DIGIT_SHADE{222, 128, 34};
constexpr int DIGIT_SCALE = 2;

void paint_digits(BITMAP* b) {
  clear_to_color(b, mask());
  for (int d = 0; d < 10; ++d) {
    const PixelMap& glyph = art_map(art, "digit_" + std::to_string(d));
    const int x = d * DIGIT_W + (DIGIT_W - glyph.w * DIGIT_SCALE) / 2;
    const int y = (DIGIT_H - glyph.h * DIGIT_SCALE) / 2;
    draw_shape(b, glyph, x, y, DIGIT_SCALE, [](int row, int height) {
      return colour(blend(DIGIT_TOP, DIGIT_LOW, static_cast<double>(row) / (height - 1)));
    });
    for (int gy = 0; gy < glyph.h; ++gy) {
      for (int gx = 0; gx < glyph.w; ++gx) {
        if (!glyph.ink(gx, gy)) {
          continue;
        }
        if (gy == 0 || !glyph.ink(gx, gy - 1)) {
          hline(b, x + gx * DIGIT_SCALE, y + gy * DIGIT_SCALE, x + gx * DIGIT_SCALE + 1, colour(DIGIT_LIGHT));
        }
        if (gy == glyph.h - 1 || !glyph.ink(gx, gy + 1)) {
          hline(b, x + gx * DIGIT_SCALE, y + gy * DIGIT_SCALE + 1, x + gx * DIGIT_SCALE + 1, colour(DIGIT_SHADE));
        }
      }
    }
  }
}

// --- Lettering styles ---------------------------------------------------------

LetterStyle logo_style(int scale) {
  return LetterStyle{scale, CREAM, CORAL, colour(INK), makecol(6, 4, 16), scale / 2};
}

LetterStyle line_style(Rgb tint) { return LetterStyle{2, tint, blend(tint, PALE, 0.5), colour(INK), -1, 0}; }

void rounded(BITMAP* b, int x0, int y0, int x1, int y1, int r, int ink) {
  rectfill(b, x0 + r, y0, x1 - r, y1, ink);
  rectfill(b, x0, y0 + r, x1, y1 - r, ink);
  circlefill(b, x0 + r, y0 + r, r, ink);
  circlefill(b, x1 - r, y0 + r, r, ink);
  circlefill(b, x0 + r, y1 - r, r, ink);
  circlefill(b, x1 - r, y1 - r, r, ink);
}

// A dark rounded plate with an ink edge and a light rim, the frame of the
// title's instructions and of the game-over buttons.
constexpr int PLATE_CORNER = 7;

void plate(BITMAP* b, int x0, int y0, int x1, int y1) {
  rounded(b, x0, y0, x1, y1, PLATE_CORNER, colour(INK));
  rounded(b, x0 + 1, y0 + 1, x1 - 1, y1 - 1, PLATE_CORNER - 1, colour(PLATE_RIM));
  rounded(b, x0 + 3, y0 + 3, x1 - 2, y1 - 2, PLATE_CORNER - 2, colour(blend(PLATE, PLATE_RIM, 0.3)));
  rounded(b, x0 + 3, y0 + 3, x1 - 3, y1 - 3, PLATE_CORNER - 2, colour(PLATE));
}

// --- Panel ----------------------------------------------------------------------

constexpr Rgb PANEL_FACE{30, 26, 58};
constexpr Rgb PANEL_GRAIN{26, 22, 52};
constexpr Rgb PANEL_LIGHT{84, 74, 138};
constexpr Rgb WELL{12, 10, 28};
constexpr Rgb WELL_DARK{6, 4, 16};
constexpr Rgb WELL_LIGHT{58, 50, 104};
// Recessed wells behind the score, combo and mines digits.
constexpr int WELL_TOP = DIGIT_Y - 3;
constexpr int WELL_BOTTOM = DIGIT_Y + DIGIT_H + 2;
constexpr std::array<Box, 3> DIGIT_WELLS{
    {{1, WELL_TOP, 106, WELL_BOTTOM}, {127, WELL_TOP, 211, WELL_BOTTOM}, {416, WELL_TOP, 449, WELL_BOTTOM}}};
constexpr std::array<int, 3> GROOVES{118, 255, 401};

void paint_panel(BITMAP* b) {
  for (int y = 0; y < PANEL_H; ++y) {
    hline(b, 0, y, PANEL_W - 1, colour(y % 3 == 0 ? PANEL_GRAIN : PANEL_FACE));
  }
  hline(b, 0, 0, PANEL_W - 1, colour(PANEL_LIGHT));
  hline(b, 0, 1, PANEL_W - 1, colour(blend(PANEL_FACE, PANEL_LIGHT, 0.5)));
  hline(b, 0, PANEL_H - 1, PANEL_W - 1, colour(WELL_DARK));
  for (const Box& well : DIGIT_WELLS) {
    rectfill(b, well.x0, well.y0, well.x1, well.y1, colour(WELL_LIGHT));
    rectfill(b, well.x0, well.y0, well.x1 - 1, well.y1 - 1, colour(WELL_DARK));
    rectfill(b, well.x0 + 1, well.y0 + 1, well.x1 - 1, well.y1 - 1, colour(WELL));
  }
  for (const int x : GROOVES) {
    vline(b, x, 4, PANEL_H - 5, colour(WELL_DARK));
    vline(b, x + 1, 4, PANEL_H - 5, colour(WELL_LIGHT));
  }
  // Studs in the corners of the wave section, which has no number of its own.
  for (const int x : {262, 394}) {
    for (const int y : {16, 48}) {
      circlefill(b, x, y, 2, colour(WELL_DARK));
      putpixel(b, x - 1, y - 1, colour(PANEL_LIGHT));
    }
  }
  // Three little canopies in a row stand for the waves that keep coming.
  for (int i = 0; i < 3; ++i) {
    const int cx = 298 + i * 30;
    const int y = 24 + (i % 2) * 6;
    const PixelMap& canopy = art_map(art, "canopy_full");
    for (int my = 0; my < canopy.h; my += 2) {
      for (int mx = 0; mx < canopy.w; mx += 2) {
        const char letter = canopy.rows[my][mx];
        if (letter != '.') {
          putpixel(b, cx - canopy.w / 4 + mx / 2, y + my / 2,
                   colour(blend(art.palette.at(letter), PANEL_FACE, 0.55)));
        }
      }
    }
  }
}

// --- Buttons --------------------------------------------------------------------

struct ButtonLook {
  Rgb face_top, face_low, rim, word_top, word_low;
};

constexpr ButtonLook BUTTON_NORMAL{{58, 50, 110}, {28, 24, 60}, {120, 110, 190}, CREAM, PALE};
constexpr ButtonLook BUTTON_LIT{{240, 96, 80}, {150, 36, 50}, {255, 170, 140}, {255, 255, 255}, {255, 226, 150}};
constexpr int BUTTON_CORNER = 8;
constexpr int BUTTON_SCALE = 3;

void paint_button(BITMAP* b, const char* word) {
  clear_to_color(b, mask());
  for (int state = 0; state < 2; ++state) {
    const ButtonLook& look = state == 0 ? BUTTON_NORMAL : BUTTON_LIT;
    const int top = state * BUTTON_H;
    const int bottom = top + BUTTON_H - 1;
    rounded(b, 0, top, BUTTON_W - 1, bottom, BUTTON_CORNER, colour(INK));
    rounded(b, 1, top + 1, BUTTON_W - 2, bottom - 1, BUTTON_CORNER - 1, colour(look.rim));
    BITMAP* face = create_bitmap(BUTTON_W, BUTTON_H);
    banded_gradient(face, 0, 0, BUTTON_W - 1, BUTTON_H - 1, look.face_top, look.face_low);
    BITMAP* shape = create_bitmap(BUTTON_W, BUTTON_H);
    clear_to_color(shape, mask());
    rounded(shape, 3, 3, BUTTON_W - 3, BUTTON_H - 3, BUTTON_CORNER - 2, 0);
    for (int y = 0; y < BUTTON_H; ++y) {
      for (int x = 0; x < BUTTON_W; ++x) {
        if (getpixel(shape, x, y) != mask()) {
          putpixel(b, x, top + y, getpixel(face, x, y));
        }
      }
    }
    destroy_bitmap(shape);
    destroy_bitmap(face);
    const LetterStyle letters{BUTTON_SCALE, look.word_top, look.word_low, colour(INK), colour(INK), 2};
    draw_text_centred(b, art, word, BUTTON_W / 2, top + (BUTTON_H - 7 * BUTTON_SCALE) / 2 - 1, letters);
  }
}

// --- Large pictures -------------------------------------------------------------

// Copies one marcher, body and canopy, from the painted sheets onto a picture,
// with its body's top-left corner at (x, y), scaled by a whole factor.
void place_marcher(BITMAP* dest, BITMAP* sheet, BITMAP* overlay, int kind, int column, int x, int y, int scale,
                   bool with_canopy) {
  masked_stretch_blit(sheet, dest, column * MARCHER_W, kind * MARCHER_H, MARCHER_W, MARCHER_H, x, y,
                      MARCHER_W * scale, MARCHER_H * scale);
  if (with_canopy) {
    masked_stretch_blit(overlay, dest, column * OVERLAY_W, 0, OVERLAY_W, OVERLAY_H,
                        x - (OVERLAY_W - MARCHER_W) / 2 * scale, y - OVERLAY_H * scale, OVERLAY_W * scale,
                        OVERLAY_H * scale);
  }
}

void paint_field(BITMAP* b) {
  const NightScene scene{0x7a11u, 260, 404, 62, 18, FIELD_SIZE - 40, 300, Box{-1, -1, -1, -1}};
  banded_gradient(b, 0, 0, b->w - 1, b->h - 1, SKY_TOP, SKY_LOW);
  stars(b, scene.seed, scene.star_count, scene.ground - 30, scene.keep_clear);
  cloud(b, 40, 150, 120);
  cloud(b, 300, 250, 150);
  cloud(b, 90, 350, 90);
  moon(b, scene.moon_x, scene.moon_y, scene.moon_r);
  hills(b, scene.ground, scene.cottage_x);
}

void paint_title(BITMAP* b, BITMAP* sheet, BITMAP* overlay) {
  const Box version{VERSION_X - 4, VERSION_Y - 4, VERSION_X + VERSION_W + 4, VERSION_Y + VERSION_H + 4};
  night(b, NightScene{0x71e1u, 200, 420, 44, 16, PICTURE_ROWS - 70, 372, version});
  cloud(b, 330, 136, 100);
  draw_text_centred(b, art, "TULKA", FIELD_SIZE / 2, 26, logo_style(11));
  draw_text_centred(b, art, "THE NIGHT RAID", FIELD_SIZE / 2, 116, line_style(ICE));

  // How to play.
  constexpr int TOP = 178;
  plate(b, 16, TOP, FIELD_SIZE - 17, TOP + 196);
  draw_text_centred(b, art, "HOW TO PLAY", FIELD_SIZE / 2, TOP + 14, line_style(GOLD));
  draw_map(b, art, art_map(art, "mouse_left"), 32, TOP + 44);
  draw_text(b, art, "LEFT CLICK A MARCHER", 62, TOP + 42, line_style(CREAM));
  draw_text(b, art, "TO DESTROY IT.", 62, TOP + 60, line_style(PALE));
  draw_map(b, art, art_map(art, "mouse_right"), 32, TOP + 94);
  draw_text(b, art, "RIGHT CLICK FIRES A BURST", 62, TOP + 92, line_style(CREAM));
  draw_text(b, art, "ONCE THE CHARGE PASSES 10.", 62, TOP + 110, line_style(PALE));
  rounded(b, 26, TOP + 146, 55, TOP + 166, 3, colour(INK));
  rounded(b, 27, TOP + 147, 54, TOP + 164, 3, colour(PALE));
  rounded(b, 28, TOP + 148, 53, TOP + 162, 2, colour(CREAM));
  draw_text(b, art, "ESC", 32, TOP + 152, LetterStyle{1, INK, INK, -1, -1, 0});
  draw_text(b, art, "ESC ENDS THE GAME.", 62, TOP + 150, line_style(CREAM));

  // A few marchers on their way down, one of each kind.
  place_marcher(b, sheet, overlay, 0, 1, 60, 430, 1, true);
  place_marcher(b, sheet, overlay, 1, 4, 170, 452, 1, true);
  place_marcher(b, sheet, overlay, 2, 6, 300, 426, 1, true);
  place_marcher(b, sheet, overlay, 3, 2, 410, 440, 1, true);
  draw_text_centred(b, art, "CLICK TO START", FIELD_SIZE / 2, PICTURE_ROWS - 30, line_style(GOLD));
}

void paint_game_over(BITMAP* b, BITMAP* sheet, BITMAP* overlay) {
  night(b, NightScene{0x60e2u, 200, 64, 180, 14, 410, -1, Box{-1, -1, -1, -1}});
  draw_text_centred(b, art, "GAME OVER", FIELD_SIZE / 2, 40, logo_style(8));
  draw_text_centred(b, art, "THE RAIDERS HAVE LANDED", FIELD_SIZE / 2, 120, line_style(ICE));

  // The landed raiders, twice their size, on the hill at the left.
  for (int kind = 0; kind < KINDS; ++kind) {
    place_marcher(b, sheet, overlay, kind, kind * 2, 16 + kind * 52, 330 + (kind % 2) * 8, 2, false);
  }
  // A late one still coming down.
  place_marcher(b, sheet, overlay, 1, 5, 120, 240, 1, true);

  // The frame of the two buttons, with the keys that do the same.
  plate(b, BUTTON_X - 12, AGAIN_Y - 14, BUTTON_X + BUTTON_W + 11, QUIT_Y + BUTTON_H + 28);
  draw_text_centred(b, art, "P: PLAY AGAIN   Q: QUIT", BUTTON_X + BUTTON_W / 2, QUIT_Y + BUTTON_H + 10,
                    LetterStyle{1, PALE, PALE, -1, -1, 0});

  // Point at the final score in the panel below.
  draw_text(b, art, "FINAL SCORE", 10, PANEL_Y - 20, line_style(GOLD));
  const int tip_x = 10 + text_width("FINAL SCORE", 2) + 10;
  triangle(b, tip_x, PANEL_Y - 18, tip_x + 10, PANEL_Y - 18, tip_x + 5, PANEL_Y - 8, colour(GOLD));
}

// The opaque pictures must never hold the mask colour: the game blits them
// whole, and a stray mask pixel would show as bright pink.
bool opaque(BITMAP* b) {
  for (int y = 0; y < b->h; ++y) {
    for (int x = 0; x < b->w; ++x) {
      if (getpixel(b, x, y) == mask()) {
        return false;
      }
    }
  }
  return true;
}

bool save(BITMAP* b, const std::string& dir, const char* file) {
  const std::string path = dir + "/" + file;
  if (save_bitmap(path.c_str(), b, nullptr) != 0) {
    std::fprintf(stderr, "paint_pictures: cannot write %s\n", path.c_str());
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: paint_pictures SOURCE_DIR OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "paint_pictures: the library did not start\n");
    return 1;
  }
  set_color_depth(32);
  for (const char* file : SOURCE_FILES) {
    std::string error;
    if (!read_art_file(std::string(argv[1]) + "/" + file, art, error)) {
      std::fprintf(stderr, "paint_pictures: %s\n", error.c_str());
      return 1;
    }
  }
  const std::string out = argv[2];

  BITMAP* sheet = create_bitmap(MARCHER_W * COLUMNS, MARCHER_H * KINDS);
  BITMAP* overlay = create_bitmap(OVERLAY_W * (COLUMNS + COLLAPSE_CELLS), OVERLAY_H);
  BITMAP* field = create_bitmap(FIELD_SIZE, FIELD_SIZE);
  BITMAP* pointer = create_bitmap(POINTER_SIZE, POINTER_SIZE);
  BITMAP* game_over = create_bitmap(FIELD_SIZE, PICTURE_ROWS);
  BITMAP* panel = create_bitmap(PANEL_W, PANEL_H);
  BITMAP* title = create_bitmap(FIELD_SIZE, PICTURE_ROWS);
  BITMAP* digits = create_bitmap(DIGIT_W * 10, DIGIT_H);
  BITMAP* again = create_bitmap(BUTTON_W, BUTTON_H * 2);
  BITMAP* quit = create_bitmap(BUTTON_W, BUTTON_H * 2);

  paint_marchers(sheet);
  paint_overlay(overlay);
  paint_field(field);
  paint_pointer(pointer);
  paint_game_over(game_over, sheet, overlay);
  paint_panel(panel);
  paint_title(title, sheet, overlay);
  paint_digits(digits);
  paint_button(again, "PLAY AGAIN");
  paint_button(quit, "QUIT");

  const std::array<BITMAP*, 4> backgrounds{field, game_over, panel, title};
  if (!std::all_of(backgrounds.begin(), backgrounds.end(), opaque)) {
    std::fprintf(stderr, "paint_pictures: a background holds the mask colour\n");
    return 1;
  }

  // In pack order.
  const std::array<std::pair<BITMAP*, const char*>, 10> pictures{{
      {field, "00_field.bmp"},
      {overlay, "01_overlay.bmp"},
      {pointer, "02_pointer.bmp"},
      {game_over, "03_game_over.bmp"},
      {panel, "04_panel.bmp"},
      {title, "05_title.bmp"},
      {digits, "06_digits.bmp"},
      {again, "07_button_again.bmp"},
      {quit, "08_button_quit.bmp"},
      {sheet, "09_marchers.bmp"},
  }};
  for (const auto& [picture, file] : pictures) {
    if (!save(picture, out, file)) {
      return 1;
    }
    destroy_bitmap(picture);
  }
  return 0;
}
