#include "play/records.h"

#include <allegro.h>

#include "shell/random.h"

// Every sum below is formed in double and rounded once to float when stored.

void start_game(GameState& state, MarcherSlots& marchers, ShotSlots& shots) {
  state = START_STATE;
  marchers.fill(Marcher{});
  shots.fill(Shot{});
}

void spawn_marcher(Marcher& marcher) {
  marcher.x = static_cast<float>(rng::rand() % (SCREEN_W - SPAWN_MARGIN) + 1);
  marcher.y = MARCHER_START_Y;
  const int step = rng::rand() % SPEED_STEPS;
  marcher.live = 1;
  marcher.dying = 0;
  // Two roundings, not one: the step is stored before the base is added.
  const auto increment = static_cast<float>(step / SPEED_STEP_DIVISOR);
  marcher.speed = static_cast<float>(static_cast<double>(increment) + SLOWEST_SPEED);
  marcher.kind = rng::rand() % MARCHER_KINDS;
  marcher.frame = rng::rand() % MARCHER_FRAMES + 1;
  marcher.frame_timer = FIRST_FRAME_TIMER;
}

void step_shot(Shot& shot) {
  shot.vy = static_cast<float>(static_cast<double>(shot.vy) + SHOT_GRAVITY);
  if (shot.vy > SHOT_MAX_FALL) {
    shot.vy = static_cast<float>(SHOT_MAX_FALL);
  }
  shot.x = static_cast<float>(static_cast<double>(shot.x) + static_cast<double>(shot.vx));
  shot.y = static_cast<float>(static_cast<double>(shot.y) + static_cast<double>(shot.vy));
  // Nothing tests the top: a shot above the field falls back into it.
  if (shot.x < 0 || shot.x > FIELD_SIZE || shot.y > FIELD_SIZE) {
    shot.live = 0;
  }
}
