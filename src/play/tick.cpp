#include "play/tick.h"

#include <allegro.h>

#include <array>

// Positions are floats, but every box and line test widens them to double and
// keeps the offsets in double, so that a sum is never rounded before it is
// compared. Only results that are stored are rounded to float.

namespace {

constexpr int LEFT_BUTTON = 1;
constexpr int RIGHT_BUTTON = 2;

// A new animation column every 6 ticks: the timer counts 5 down to 0.
constexpr std::int32_t FRAME_TIMER_RELOAD = 5;

// A marcher whose top edge passes this line has got through.
constexpr double ESCAPE_LINE = 451.0;

// Hit boxes, relative to the marcher's top-left corner; every bound is strict.
constexpr double HIT_LEFT = 2.0;
constexpr double HIT_RIGHT = 24.0;
constexpr double CLICK_HIT_HEIGHT = 30.0;
constexpr double SHOT_HIT_HEIGHT = 28.0;

// Where killed marchers and spent shots are parked, out of the field.
constexpr float KILLED_POSITION = 500.0F;
constexpr float SPENT_POSITION = -50.0F;

// A burst needs more than its price in charge.
constexpr std::int32_t BURST_PRICE = 10;

// max_marchers grows once level_kills reaches this many times max_marchers.
constexpr std::int32_t CLICK_GROWTH_FACTOR = 3;
constexpr std::int32_t SHOT_GROWTH_FACTOR = 2;

// Mines below 0 at the end of a tick roll over to this.
constexpr std::int32_t MINES_ROLLOVER = 9;

struct Velocity {
  float vx;
  float vy;
};

// One group of a burst, in slot order; negative vy is upward.
constexpr std::array<Velocity, 6> BURST_GROUP{{
    {0.5F, -1.0F},
    {0.2F, 0.2F},
    {-0.2F, 0.2F},
    {-0.5F, -1.0F},
    {0.3F, -1.5F},
    {-0.3F, -1.5F},
}};
constexpr int GROUP_SIZE = static_cast<int>(BURST_GROUP.size());
// Groups may start up to here; slot 99 is never written.
constexpr int LAST_GROUP_START = 93;
static_assert(LAST_GROUP_START + GROUP_SIZE <= SHOT_SLOTS);

void kill_marcher(GameState& state, Marcher& marcher, std::int32_t growth_factor) {
  --state.live_count;
  ++state.level_kills;
  marcher.x = KILLED_POSITION;
  marcher.y = KILLED_POSITION;
  marcher.live = 0;
  marcher.dying = 1;
  // Both kinds of kill feed one level_kills; each compares with its own factor.
  if (state.level_kills >= growth_factor * state.max_marchers) {
    ++state.max_marchers;
    state.level_kills = 0;
  }
  ++state.score;
}

void spawn(GameState& state, MarcherSlots& marchers) {
  if (state.live_count >= state.max_marchers) {
    return;
  }
  for (Marcher& marcher : marchers) {
    if (marcher.live == 0) {
      spawn_marcher(marcher);
      ++state.live_count;
      return;
    }
  }
}

void move_marchers(GameState& state, MarcherSlots& marchers) {
  for (Marcher& marcher : marchers) {
    if (marcher.live != 0) {
      marcher.y = static_cast<float>(static_cast<double>(marcher.y) + static_cast<double>(marcher.speed));
      if (marcher.frame_timer > 0) {
        --marcher.frame_timer;
      } else {
        ++marcher.frame;
        marcher.frame_timer = FRAME_TIMER_RELOAD;
      }
      if (marcher.frame > MARCHER_FRAMES) {
        marcher.frame = 1;
      }
      if (static_cast<double>(marcher.y) > ESCAPE_LINE) {
        --state.mines;
        marcher.live = 0;
        --state.live_count;
      }
    }
    // The death animation runs on, unwrapped, until the slot is reused.
    if (marcher.dying != 0) {
      ++marcher.frame;
    }
  }
}

// The pointer is read afresh at every comparison: the library moves it in the background.
bool pointer_on(const Marcher& marcher) {
  const auto x = static_cast<double>(marcher.x);
  const auto y = static_cast<double>(marcher.y);
  return y < mouse_y && mouse_y < y + CLICK_HIT_HEIGHT && x + HIT_LEFT < mouse_x && mouse_x < x + HIT_RIGHT;
}

void left_click(GameState& state, MarcherSlots& marchers) {
  for (Marcher& marcher : marchers) {
    if (marcher.live != 0 && pointer_on(marcher)) {
      kill_marcher(state, marcher, CLICK_GROWTH_FACTOR);
      ++state.combo;
      ++state.charge;
      return;
    }
  }
  state.combo = 0;
}

void burst(GameState& state, ShotSlots& shots) {
  if (state.charge <= BURST_PRICE) {
    return;
  }
  state.charge -= BURST_PRICE;
  // The walk goes on after a group, so live shots just after a free slot are overwritten.
  for (int first = 0; first <= LAST_GROUP_START; ++first) {
    if (shots[first].live != 0) {
      continue;
    }
    for (int i = 0; i < GROUP_SIZE; ++i) {
      Shot& shot = shots[first + i];
      shot.x = static_cast<float>(mouse_x);
      shot.y = static_cast<float>(mouse_y);
      shot.vx = BURST_GROUP[i].vx;
      shot.vy = BURST_GROUP[i].vy;
      shot.live = 1;
    }
  }
}

void handle_mouse(GameState& state, MarcherSlots& marchers, ShotSlots& shots) {
  const int buttons = mouse_b;
  const bool press = buttons != 0 && state.prev_buttons == 0;
  state.prev_buttons = buttons;
  if (!press) {
    return;
  }
  // mouse_b is read again for each button: a button that comes down meanwhile counts.
  if ((mouse_b & LEFT_BUTTON) != 0) {
    left_click(state, marchers);
  } else if ((mouse_b & RIGHT_BUTTON) != 0) {
    burst(state, shots);
  }
}

// Non-short-circuit: four compares and one well-predicted branch beat four
// data-dependent branches in the shot loop, the hottest code of the game.
bool shot_on(const Marcher& marcher, double shot_x, double shot_y) {
  const auto x = static_cast<double>(marcher.x);
  const auto y = static_cast<double>(marcher.y);
  return static_cast<bool>(static_cast<int>(x + HIT_LEFT < shot_x) & static_cast<int>(shot_x < x + HIT_RIGHT) &
                           static_cast<int>(y < shot_y) & static_cast<int>(shot_y < y + SHOT_HIT_HEIGHT));
}

void fly_shots(GameState& state, MarcherSlots& marchers, ShotSlots& shots) {
  for (Shot& shot : shots) {
    if (shot.live == 0) {
      continue;
    }
    step_shot(shot);
    if (shot.live == 0) {
      continue;
    }
    const auto shot_x = static_cast<double>(shot.x);
    const auto shot_y = static_cast<double>(shot.y);
    for (Marcher& marcher : marchers) {
      if (marcher.live != 0 && shot_on(marcher, shot_x, shot_y)) {
        kill_marcher(state, marcher, SHOT_GROWTH_FACTOR);
        shot.x = SPENT_POSITION;
        shot.y = SPENT_POSITION;
        shot.vx = 0.0F;
        shot.vy = 0.0F;
        shot.live = 0;
        break;
      }
    }
  }
}

}  // namespace

void simulate_tick(GameState& state, MarcherSlots& marchers, ShotSlots& shots) {
  spawn(state, marchers);
  move_marchers(state, marchers);
  handle_mouse(state, marchers, shots);
  fly_shots(state, marchers, shots);
  if (state.mines < 0) {
    state.mines = MINES_ROLLOVER;
  }
}
