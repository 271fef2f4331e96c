#pragma once
// The status panel below the field: labels and the digits of the counters.

#include <allegro.h>

// Paints the whole 480 x 60 panel into `target` at row 480.
void draw_panel(BITMAP* target, float score, int combo, int mines);

// The panel into back_buffer.
void draw_status_panel(float score, int combo, int mines);

// The panel's place below the field, and the row of its labels.
inline constexpr int PANEL_Y = 480;
inline constexpr int PANEL_W = 480;
inline constexpr int PANEL_H = 60;
inline constexpr int LABEL_Y = 483;

// Where the digits stand.
inline constexpr int DIGIT_W = 26;
inline constexpr int DIGIT_H = 30;
inline constexpr int DIGIT_Y = 498;
inline constexpr int SCORE_UNITS_X = 78;  // further digits stand one cell to the left each
inline constexpr int SCORE_MAX = 9999;
inline constexpr int COMBO_HUNDREDS_X = 130;
inline constexpr int COMBO_TENS_X = 156;
inline constexpr int COMBO_UNITS_X = 182;
inline constexpr int COMBO_MAX = 999;
inline constexpr int MINES_X = 420;
