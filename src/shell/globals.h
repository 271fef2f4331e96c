#pragma once
// The three program-wide globals, the timer handler and the copy to the screen.

#include <atomic>
#include <cstdint>

#include "shell/assets.h"

extern AssetPack asset_pack;
extern BITMAP* back_buffer;
// Added to by the timer thread, taken by the main thread.
extern std::atomic<std::int32_t> tick_count;

inline constexpr int TICKS_PER_SECOND = 100;

// The timer handler: counts one tick and nothing else.
void on_tick();

// Takes every tick counted so far, in one exchange, so that a tick counted
// between a read and a reset is never lost.
std::int32_t take_all_ticks();

// Takes one counted tick, if one is waiting.
bool take_one_tick();

// Copies back_buffer to the window in one piece.
void present();

// Set by the window's close button; every loop of the game checks it.
extern std::atomic<bool> close_requested;
void on_close_button();
