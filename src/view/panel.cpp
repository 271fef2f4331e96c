#include "view/panel.h"

#include <array>

#include "shell/globals.h"

namespace {


struct Label {
  const char* text;
  int x;
};
constexpr std::array<Label, 4> LABELS{{
    {"Score:", 5},
    {"Combo:", 135},
    {"Mines:", 410},
    {"Wave:", 265},  // a label alone: no value is drawn beside it
}};

// The cell of digit d at (x, DIGIT_Y); the sheet's mask colour shows through.
void draw_digit(BITMAP* target, int digit, int x) {
  if (digit < 0 || digit > 9) {
    return;
  }
  masked_blit(pack_bitmap(asset_pack, SHEET_DIGITS), target, digit * DIGIT_W, 0, x, DIGIT_Y, DIGIT_W, DIGIT_H);
}

// The decimal digits of a whole score, units at SCORE_UNITS_X, no leading
// zeros; the panel has room for four.
void draw_score(BITMAP* target, float score) {
  // Compared as a float first, so that no cast overflows.
  int value = 0;
  if (score >= static_cast<float>(SCORE_MAX)) {
    value = SCORE_MAX;
  } else if (score >= 1.0F) {
    value = static_cast<int>(score);
  }
  int x = SCORE_UNITS_X;
  do {
    draw_digit(target, value % 10, x);
    value /= 10;
    x -= DIGIT_W;
  } while (value > 0);
}

// Below 100 a tens digit only when it is not 0; from 100 all three digits.
void draw_combo(BITMAP* target, int combo) {
  const int value = combo < 0 ? 0 : (combo > COMBO_MAX ? COMBO_MAX : combo);
  const int hundreds = value / 100;
  const int tens = value / 10 % 10;
  if (hundreds != 0) {
    draw_digit(target, hundreds, COMBO_HUNDREDS_X);
  }
  if (hundreds != 0 || tens != 0) {
    draw_digit(target, tens, COMBO_TENS_X);
  }
  draw_digit(target, value % 10, COMBO_UNITS_X);
}

}  // namespace

void draw_panel(BITMAP* target, float score, int combo, int mines) {
  blit(pack_bitmap(asset_pack, PIC_PANEL), target, 0, 0, 0, PANEL_Y, PANEL_W, PANEL_H);
  for (const Label& label : LABELS) {
    textprintf_ex(target, font, label.x, LABEL_Y, makecol(255, 199, 199), -1, "%s", label.text);
  }
  draw_score(target, score);
  draw_digit(target, mines, MINES_X);
  draw_combo(target, combo);
}

void draw_status_panel(float score, int combo, int mines) { draw_panel(back_buffer, score, combo, mines); }
