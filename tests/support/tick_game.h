#pragma once
// One game's records for tests that drive simulate_tick directly.

#include <algorithm>

#include "play/records.h"
#include "play/tick.h"
#include "support/headless.h"

inline constexpr int LEFT = 1;
inline constexpr int RIGHT = 2;
inline constexpr int MIDDLE = 4;

struct TickGame {
  GameState state{};
  MarcherSlots marchers{};
  ShotSlots shots{};

  TickGame() {
    start_game(state, marchers, shots);
    set_mouse(0, 0, 0);
  }

  // A live marcher put in place by hand; speed 0 keeps it where it is.
  Marcher& place(int slot, float x, float y, float speed = 0.0F) {
    Marcher& m = marchers[slot];
    m = Marcher{.x = x, .y = y, .speed = speed, .dying = 0, .live = 1, .kind = 0, .frame = 1, .frame_timer = 3};
    ++state.live_count;
    return m;
  }

  Shot& place_shot(int slot, float x, float y, float vx, float vy) {
    Shot& s = shots[slot];
    s = Shot{.x = x, .y = y, .vx = vx, .vy = vy, .live = 1};
    return s;
  }

  // No spawning: the marchers placed by hand are all there is.
  void freeze_spawns() { state.max_marchers = state.live_count; }

  void tick(int buttons, int x, int y) {
    set_mouse(buttons, x, y);
    simulate_tick(state, marchers, shots);
  }

  int live_shots() const {
    return static_cast<int>(std::count_if(shots.begin(), shots.end(), [](const Shot& s) { return s.live != 0; }));
  }
};
