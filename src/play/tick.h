#pragma once
// One 10 ms step of a game.

#include "play/records.h"

// Advances the game by one tick: spawn, marchers, mouse, shots, mines.
// Reads the library's mouse state where it uses it.
void simulate_tick(GameState& state, MarcherSlots& marchers, ShotSlots& shots);
