#pragma once
// Composes one frame of a running game into back_buffer and shows it.

#include "play/records.h"

// Every live shot takes one more motion step per drawn frame.
void draw_field(const GameState& state, const MarcherSlots& marchers, ShotSlots& shots);
