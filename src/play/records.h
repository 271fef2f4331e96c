#pragma once
// The records of one game: marchers, shots and the game's counters.

#include <array>
#include <cstdint>

// One enemy. Its picture is 26 x 30 with the top-left corner at (x, y).
struct Marcher {
  float x;
  float y;
  float speed;  // pixels per tick
  std::int32_t dying;
  std::int32_t live;
  std::int32_t kind;   // sheet row while live, 0 to 3
  std::int32_t frame;  // animation column from 1; counts on while dying
  std::int32_t frame_timer;
};

// One projectile of a burst.
struct Shot {
  float x;
  float y;
  float vx;  // pixels per motion step
  float vy;  // pixels per motion step, negative upward
  std::int32_t live;
};

struct GameState {
  std::int32_t live_count;
  std::int32_t max_marchers;
  std::int32_t mines;
  std::int32_t score;
  std::int32_t combo;
  std::int32_t charge;
  std::int32_t prev_buttons;
  std::int32_t level_kills;
};

inline constexpr int MARCHER_SLOTS = 100;
inline constexpr int SHOT_SLOTS = 100;
using MarcherSlots = std::array<Marcher, MARCHER_SLOTS>;
using ShotSlots = std::array<Shot, SHOT_SLOTS>;

inline constexpr int MARCHER_W = 26;
inline constexpr int MARCHER_H = 30;
inline constexpr int MARCHER_KINDS = 4;
inline constexpr int MARCHER_FRAMES = 8;
inline constexpr float MARCHER_START_Y = -30.0F;
inline constexpr int FIRST_FRAME_TIMER = 3;
// New marchers keep this far from the right edge of the window.
inline constexpr int SPAWN_MARGIN = 30;
inline constexpr int SPEED_STEPS = 10;
inline constexpr double SPEED_STEP_DIVISOR = 15.0;
inline constexpr double SLOWEST_SPEED = 0.5;

inline constexpr int FIELD_SIZE = 480;
inline constexpr double SHOT_GRAVITY = 0.01;
inline constexpr double SHOT_MAX_FALL = 3.0;

inline constexpr GameState START_STATE{
    .live_count = 0,
    .max_marchers = 2,
    .mines = 5,
    .score = 1,
    .combo = 0,
    .charge = 0,
    .prev_buttons = 0,
    .level_kills = 0,
};

// A fresh game: the start counters, and every slot zeroed.
void start_game(GameState& state, MarcherSlots& marchers, ShotSlots& shots);

// Places a new live marcher above the top edge at a random column.
// Reads SCREEN_W, so the window must be open.
void spawn_marcher(Marcher& marcher);

// One motion step under gravity; clears live when the shot leaves the field.
void step_shot(Shot& shot);
