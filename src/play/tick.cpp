#include "play/tick.h"

#include <allegro.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>

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
  // A killed marcher's slot is free while it still shows its death.
  const auto free_slot =
      std::find_if(marchers.begin(), marchers.end(), [](const Marcher& marcher) { return marcher.live == 0; });
  if (free_slot != marchers.end()) {
    spawn_marcher(*free_slot);
    ++state.live_count;
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
  const auto hit = std::find_if(marchers.begin(), marchers.end(),
                                [](const Marcher& marcher) { return marcher.live != 0 && pointer_on(marcher); });
  if (hit == marchers.end()) {
    state.combo = 0;
    return;
  }
  kill_marcher(state, *hit, CLICK_GROWTH_FACTOR);
  ++state.combo;
  ++state.charge;
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

// The shot hit boxes of all marcher slots, in double, made once per tick for
// the shot step. Up to 100 shots test against all of them, and nearly every
// test misses, so the boxes are kept two to a vector and tested without
// branches; only a shot that hits somewhere is looked at slot by slot. A
// marcher that is not live gets a box that holds nothing.
using DoublePair = double __attribute__((vector_size(16)));
using MaskPair = std::int64_t __attribute__((vector_size(16)));
constexpr int PAIRS = MARCHER_SLOTS / 2;
static_assert(MARCHER_SLOTS % 2 == 0);

struct ShotTargets {
  std::array<DoublePair, PAIRS> left;
  std::array<DoublePair, PAIRS> right;
  std::array<DoublePair, PAIRS> top;
  std::array<DoublePair, PAIRS> bottom;

  void set(int slot, const Marcher& marcher) {
    if (marcher.live == 0) {
      clear(slot);
      return;
    }
    const auto x = static_cast<double>(marcher.x);
    const auto y = static_cast<double>(marcher.y);
    left[slot / 2][slot % 2] = x + HIT_LEFT;
    right[slot / 2][slot % 2] = x + HIT_RIGHT;
    top[slot / 2][slot % 2] = y;
    bottom[slot / 2][slot % 2] = y + SHOT_HIT_HEIGHT;
  }

  // No point lies strictly between these.
  void clear(int slot) {
    left[slot / 2][slot % 2] = std::numeric_limits<double>::infinity();
    right[slot / 2][slot % 2] = -std::numeric_limits<double>::infinity();
    top[slot / 2][slot % 2] = 0.0;
    bottom[slot / 2][slot % 2] = 0.0;
  }

  MaskPair holds(int pair, DoublePair x, DoublePair y) const {
    return (left[pair] < x) & (x < right[pair]) & (top[pair] < y) & (y < bottom[pair]);
  }

  // The lowest slot whose box holds the point, or -1.
  int first_holding(double x, double y) const {
    const DoublePair xs = {x, x};
    const DoublePair ys = {y, y};
    // A lane that holds the point is -1: the count goes up by one per box.
    MaskPair count = {0, 0};
    for (int pair = 0; pair < PAIRS; ++pair) {
      count -= holds(pair, xs, ys);
    }
    if ((count[0] | count[1]) == 0) {
      return -1;
    }
    for (int pair = 0; pair < PAIRS; ++pair) {
      const MaskPair hit = holds(pair, xs, ys);
      if (hit[0] != 0) {
        return 2 * pair;
      }
      if (hit[1] != 0) {
        return 2 * pair + 1;
      }
    }
    return -1;
  }
};

void fly_shots(GameState& state, MarcherSlots& marchers, ShotSlots& shots) {
  ShotTargets targets;  // NOLINT(cppcoreguidelines-pro-type-member-init): filled right below
  for (int m = 0; m < MARCHER_SLOTS; ++m) {
    targets.set(m, marchers[m]);
  }
  for (Shot& shot : shots) {
    if (shot.live == 0) {
      continue;
    }
    step_shot(shot);
    if (shot.live == 0) {
      continue;
    }
    const int hit = targets.first_holding(static_cast<double>(shot.x), static_cast<double>(shot.y));
    if (hit >= 0) {
      kill_marcher(state, marchers[hit], SHOT_GROWTH_FACTOR);
      targets.clear(hit);
      shot.x = SPENT_POSITION;
      shot.y = SPENT_POSITION;
      shot.vx = 0.0F;
      shot.vy = 0.0F;
      shot.live = 0;
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
