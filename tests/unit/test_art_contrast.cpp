// The built asset pack, measured: the text and figures that the game draws
// over its pictures must stay readable, the shots must stand out on the
// field, and the pictures must keep the layout that the drawing code expects.
// Contrast is the WCAG ratio of relative luminances.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>

#include "shell/assets.h"
#include "shell/pack_check.h"
#include "support/headless.h"
#include "view/panel.h"

namespace {

constexpr double TEXT_CONTRAST = 4.5;
constexpr double SHAPE_CONTRAST = 3.0;
constexpr double SHOT_CLEAR_SHARE = 0.95;

constexpr int FONT_H = 8;

double linear(int channel) {
  const double c = channel / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(int colour) {
  return 0.2126 * linear(getr(colour)) + 0.7152 * linear(getg(colour)) + 0.0722 * linear(getb(colour));
}

double contrast(int a, int b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between any colour of `front` and any of `back`.
double lowest_contrast(const std::set<int>& front, const std::set<int>& back) {
  double lowest = 21.0;
  for (const int f : front) {
    for (const int b : back) {
      lowest = std::min(lowest, contrast(f, b));
    }
  }
  return lowest;
}

std::set<int> colours_in(BITMAP* b, int x, int y, int w, int h) {
  std::set<int> found;
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      found.insert(getpixel(b, px, py));
    }
  }
  return found;
}

int mask() { return makecol(255, 0, 255); }

class ArtPack : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    PackVerdict verdict;
    pack_ = load_checked_pack(TULKA_PACK, verdict);
    ASSERT_NE(pack_, nullptr) << verdict.reason;
  }

  static void TearDownTestSuite() {
    if (pack_ != nullptr) {
      unload_datafile(pack_);
      pack_ = nullptr;
    }
  }

  void SetUp() override { ASSERT_NE(pack_, nullptr); }

  static BITMAP* picture(int index) { return pack_bitmap(pack_, index); }

  static void report(const char* what, double value) {
    ::testing::Test::RecordProperty(what, std::to_string(value));
    std::printf("  %s: %.4f\n", what, value);
  }

  static AssetPack pack_;
};

AssetPack ArtPack::pack_ = nullptr;

TEST_F(ArtPack, LabelsReadOnThePanel) {
  struct Label {
    const char* text;
    int x;
  };
  constexpr std::array<Label, 4> LABELS{{{"Score:", 5}, {"Combo:", 135}, {"Wave:", 265}, {"Mines:", 410}}};
  const std::set<int> ink{makecol(255, 199, 199)};
  double lowest = 21.0;
  for (const Label& label : LABELS) {
    // The whole text box, not only the letters' pixels.
    const std::set<int> under =
        colours_in(picture(PIC_PANEL), label.x, LABEL_Y - PANEL_Y, text_length(font, label.text), FONT_H);
    const double ratio = lowest_contrast(ink, under);
    EXPECT_GE(ratio, TEXT_CONTRAST) << label.text;
    lowest = std::min(lowest, ratio);
  }
  report("lowest label contrast", lowest);
}

TEST_F(ArtPack, VersionReadsOnTheTitle) {
  const char* version = "Version: 1.7.5.8";
  const std::set<int> under = colours_in(picture(PIC_TITLE), 25, 150, text_length(font, version), FONT_H);
  const double ratio = lowest_contrast({makecol(255, 255, 255)}, under);
  EXPECT_GE(ratio, TEXT_CONTRAST);
  report("lowest version contrast", ratio);
}

TEST_F(ArtPack, ShotsStandOutOnTheField) {
  BITMAP* field = picture(PIC_FIELD);
  const int shot = makecol(255, 88, 88);
  int clear = 0;
  for (int y = 0; y < 480; ++y) {
    for (int x = 0; x < 480; ++x) {
      clear += contrast(shot, getpixel(field, x, y)) >= SHAPE_CONTRAST ? 1 : 0;
    }
  }
  const double share = clear / (480.0 * 480.0);
  EXPECT_GE(share, SHOT_CLEAR_SHARE);
  report("share of the field where shots reach 3:1", share);
}

TEST_F(ArtPack, DigitsReadOnThePanel) {
  // Every place a digit can be drawn: score (with a thousands place), combo
  // (183 for a combo of 100) and mines.
  constexpr std::array<int, 9> PLACES{0, 26, 52, 78, 130, 156, 182, 183, 420};
  std::set<int> under;
  for (const int x : PLACES) {
    const std::set<int> here = colours_in(picture(PIC_PANEL), x, DIGIT_Y - PANEL_Y, DIGIT_W, DIGIT_H);
    under.insert(here.begin(), here.end());
  }
  double lowest = 21.0;
  for (int d = 0; d < 10; ++d) {
    std::set<int> ink = colours_in(picture(SHEET_DIGITS), d * DIGIT_W, 0, DIGIT_W, DIGIT_H);
    ink.erase(mask());
    ASSERT_FALSE(ink.empty()) << "digit " << d << " is blank";
    const double ratio = lowest_contrast(ink, under);
    EXPECT_GE(ratio, SHAPE_CONTRAST) << "digit " << d;
    lowest = std::min(lowest, ratio);
  }
  report("lowest digit contrast", lowest);
}

// Sizes the drawing code relies on, and where the mask colour may be.
TEST_F(ArtPack, PicturesKeepTheirLayout) {
  struct Expect {
    int index;
    int w;
    int min_h;
    bool opaque;  // drawn with blit, so no mask colour anywhere
  };
  constexpr std::array<Expect, 10> PICTURES{{{PIC_FIELD, 480, 480, true},
                                             {SHEET_OVERLAY, -1, 40, false},
                                             {PIC_POINTER, 30, 30, false},
                                             {PIC_GAME_OVER, 480, 540, true},
                                             {PIC_PANEL, 480, 60, true},
                                             {PIC_TITLE, 480, 540, true},
                                             {SHEET_DIGITS, 260, 30, false},
                                             {PIC_BUTTON_AGAIN, 200, 80, false},
                                             {PIC_BUTTON_QUIT, 200, 80, false},
                                             {SHEET_MARCHER, 208, 120, false}}};
  for (const Expect& e : PICTURES) {
    BITMAP* b = picture(e.index);
    SCOPED_TRACE("picture " + std::to_string(e.index));
    if (e.w > 0) {
      EXPECT_EQ(b->w, e.w);
    }
    EXPECT_GE(b->h, e.min_h);
    EXPECT_LE(b->h, 640);
    const bool has_mask = colours_in(b, 0, 0, b->w, b->h).count(mask()) != 0;
    EXPECT_NE(has_mask, e.opaque);
  }
  BITMAP* overlay = picture(SHEET_OVERLAY);
  EXPECT_EQ(overlay->h, 40);
  EXPECT_GE(overlay->w, 8 * 52);
  EXPECT_EQ(overlay->w % 52, 0);
}

TEST_F(ArtPack, SpritesSitInTheirCells) {
  // Digits: mask all round each glyph, so neighbouring digits never touch.
  BITMAP* digits = picture(SHEET_DIGITS);
  for (int d = 0; d < 10; ++d) {
    const int x0 = d * DIGIT_W;
    for (int i = 0; i < DIGIT_W; ++i) {
      EXPECT_EQ(getpixel(digits, x0 + i, 0), mask()) << "digit " << d;
      EXPECT_EQ(getpixel(digits, x0 + i, DIGIT_H - 1), mask()) << "digit " << d;
    }
    for (int i = 0; i < DIGIT_H; ++i) {
      EXPECT_EQ(getpixel(digits, x0, i), mask()) << "digit " << d;
      EXPECT_EQ(getpixel(digits, x0 + DIGIT_W - 1, i), mask()) << "digit " << d;
    }
  }
  // The pointer marks its hot spot and is see-through in its corners.
  BITMAP* pointer = picture(PIC_POINTER);
  EXPECT_NE(getpixel(pointer, POINTER_HOT_SPOT, POINTER_HOT_SPOT), mask());
  for (const int corner : {0, POINTER_SIZE - 1}) {
    EXPECT_EQ(getpixel(pointer, corner, 0), mask());
    EXPECT_EQ(getpixel(pointer, corner, POINTER_SIZE - 1), mask());
  }
  // Buttons: rounded corners in both looks.
  for (const int index : {PIC_BUTTON_AGAIN, PIC_BUTTON_QUIT}) {
    for (const int top : {0, 40}) {
      EXPECT_EQ(getpixel(picture(index), 0, top), mask());
      EXPECT_EQ(getpixel(picture(index), 199, top + 39), mask());
      EXPECT_NE(getpixel(picture(index), 100, top + 20), mask());
    }
  }
}

// Copies one cell into a string of its pixels, for comparing cells.
std::string cell(BITMAP* b, int x, int y, int w, int h) {
  std::string pixels;
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      const int c = getpixel(b, px, py);
      pixels.append(reinterpret_cast<const char*>(&c), sizeof c);
    }
  }
  return pixels;
}

TEST_F(ArtPack, EveryAnimationColumnMoves) {
  BITMAP* marchers = picture(SHEET_MARCHER);
  BITMAP* overlay = picture(SHEET_OVERLAY);
  for (int c = 0; c < 8; ++c) {
    const int next = (c + 1) % 8;
    for (int kind = 0; kind < 4; ++kind) {
      const std::string here = cell(marchers, c * 26, kind * 30, 26, 30);
      EXPECT_NE(here, cell(marchers, next * 26, kind * 30, 26, 30)) << "kind " << kind << " column " << c;
      EXPECT_GT(colours_in(marchers, c * 26, kind * 30, 26, 30).size(), 1u) << "kind " << kind << " column " << c;
    }
    EXPECT_NE(cell(overlay, c * 52, 0, 52, 40), cell(overlay, next * 52, 0, 52, 40)) << "column " << c;
  }
}

TEST_F(ArtPack, KindsDifferInColour) {
  // Each kind's main colour: the commonest colour of its row that is neither
  // mask nor dark outline.
  BITMAP* marchers = picture(SHEET_MARCHER);
  constexpr double DARK = 0.1;
  std::array<int, 4> main_colour{};
  for (int kind = 0; kind < 4; ++kind) {
    std::map<int, int> counts;
    for (int y = kind * 30; y < kind * 30 + 30; ++y) {
      for (int x = 0; x < 208; ++x) {
        const int c = getpixel(marchers, x, y);
        if (c != mask() && luminance(c) > DARK) {
          ++counts[c];
        }
      }
    }
    ASSERT_FALSE(counts.empty()) << "kind " << kind;
    main_colour[kind] = std::max_element(counts.begin(), counts.end(), [](const auto& a, const auto& b) {
                          return a.second < b.second;
                        })->first;
  }
  constexpr double MIN_DISTANCE = 80.0;
  for (int a = 0; a < 4; ++a) {
    for (int b = a + 1; b < 4; ++b) {
      const int p = main_colour[a];
      const int q = main_colour[b];
      EXPECT_GE(std::hypot(getr(p) - getr(q), getg(p) - getg(q), getb(p) - getb(q)), MIN_DISTANCE)
          << "kinds " << a << " and " << b;
    }
  }
}

}  // namespace
