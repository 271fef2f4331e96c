#pragma once
// The worst frame of a game: every marcher on the field and in view with its
// overlay, the shots of 16 bursts in flight, and three digits each for the
// score and the combo.

#include <allegro.h>

#include "play/records.h"

inline constexpr int SHOTS_IN_BURSTS = 96;

struct Frame {
  GameState state = START_STATE;
  MarcherSlots marchers{};
  ShotSlots shots{};
};

inline Frame worst_frame() {
  Frame f;
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    Marcher& m = f.marchers[i];
    m.x = static_cast<float>(1 + (i * 47) % 466);
    m.y = static_cast<float>(40 + (i * 29) % 420) + 0.5F;
    m.speed = 0.5F;
    m.live = 1;
    m.kind = i % MARCHER_KINDS;
    m.frame = 1 + i % MARCHER_FRAMES;
  }
  for (int i = 0; i < SHOTS_IN_BURSTS; ++i) {
    f.shots[i] = Shot{static_cast<float>(20 + (i * 37) % 440), static_cast<float>(20 + (i * 53) % 440), 0.3F, -1.0F, 1};
  }
  f.state.score = 999;
  f.state.combo = 199;
  f.state.mines = 5;
  f.state.charge = 120;
  mouse_x = 240;
  mouse_y = 240;
  return f;
}
