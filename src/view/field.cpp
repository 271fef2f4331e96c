#include "view/field.h"

#include "shell/globals.h"
#include "view/panel.h"

namespace {

constexpr int OVERLAY_W = 52;
constexpr int OVERLAY_H = 40;
// The overlay is centred over the body and stands on its top edge.
constexpr double OVERLAY_DX = 13.0;
constexpr double OVERLAY_DY = 40.0;
constexpr int DYING_ROW = 1;
constexpr int SHOT_RADIUS = 2;

// Positions become pixels by truncation toward zero, after any offset has
// been applied in double precision.
int pixel(double position) { return static_cast<int>(position); }

void draw_marcher(BITMAP* target, const Marcher& m, int row) {
  masked_blit(pack_bitmap(asset_pack, SHEET_MARCHER), target, m.frame * MARCHER_W - MARCHER_W, row * MARCHER_H,
              pixel(m.x), pixel(m.y), MARCHER_W, MARCHER_H);
  masked_blit(pack_bitmap(asset_pack, SHEET_OVERLAY), target, m.frame * OVERLAY_W - OVERLAY_W, 0,
              pixel(double{m.x} - OVERLAY_DX), pixel(double{m.y} - OVERLAY_DY), OVERLAY_W, OVERLAY_H);
}

}  // namespace

void compose_field(BITMAP* target, const GameState& state, const MarcherSlots& marchers, ShotSlots& shots) {
  clear_bitmap(target);
  blit(pack_bitmap(asset_pack, PIC_FIELD), target, 0, 0, 0, 0, FIELD_SIZE, FIELD_SIZE);

  // Slot order: a higher slot draws over a lower one.
  for (const Marcher& m : marchers) {
    if (m.live != 0) {
      draw_marcher(target, m, m.kind);
    }
    if (m.dying != 0) {
      draw_marcher(target, m, DYING_ROW);
    }
  }

  // A shot that leaves in this step is still drawn once, where it left.
  for (Shot& shot : shots) {
    if (shot.live != 0) {
      step_shot(shot);
      circlefill(target, pixel(shot.x), pixel(shot.y), SHOT_RADIUS, makecol(255, 88, 88));
    }
  }

  draw_panel(target, static_cast<float>(state.score), state.combo, state.mines);

  rectfill(target, STRIP_X, FIELD_SIZE, STRIP_RIGHT, STRIP_BOTTOM, makecol(50, 50, 255));
  // The bar grows up from row 480 over the block's top row, one row per charge.
  const int bar_colour = state.charge > BURST_CHARGE ? makecol(255, 30, 30) : makecol(255, 150, 150);
  rectfill(target, STRIP_X, FIELD_SIZE, STRIP_RIGHT, FIELD_SIZE - state.charge, bar_colour);

  masked_blit(pack_bitmap(asset_pack, PIC_POINTER), target, 0, 0, mouse_x - POINTER_HOT_SPOT,
              mouse_y - POINTER_HOT_SPOT, POINTER_SIZE, POINTER_SIZE);
}

void draw_field(const GameState& state, const MarcherSlots& marchers, ShotSlots& shots) {
  compose_field(back_buffer, state, marchers, shots);
  present();
}
