#include "play/tick.h"

// Marchers, clicks and bursts are not simulated yet.
void simulate_tick(GameState& /*state*/, MarcherSlots& /*marchers*/, ShotSlots& /*shots*/) {}
