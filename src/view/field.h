#pragma once
// Composes one frame of a running game into back_buffer and shows it.

#include <allegro.h>

#include "play/records.h"

// One frame into `target`: field, marchers, shots, panel, charge bar and
// pointer. Every live shot takes one more motion step here.
void compose_field(BITMAP* target, const GameState& state, const MarcherSlots& marchers, ShotSlots& shots);

// compose_field into back_buffer, then present.
void draw_field(const GameState& state, const MarcherSlots& marchers, ShotSlots& shots);

// The strip right of the field.
inline constexpr int STRIP_X = 480;
inline constexpr int STRIP_RIGHT = 496;  // one past the window; the library clips
inline constexpr int STRIP_BOTTOM = 540;
// A burst needs more charge than this; the bar turns dark above it.
inline constexpr int BURST_CHARGE = 10;
