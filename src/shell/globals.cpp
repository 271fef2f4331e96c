#include "shell/globals.h"

AssetPack asset_pack = nullptr;
BITMAP* back_buffer = nullptr;
std::atomic<std::int32_t> tick_count{0};
std::atomic<bool> close_requested{false};

void on_tick() { tick_count.fetch_add(1, std::memory_order_relaxed); }

std::int32_t take_all_ticks() { return tick_count.exchange(0); }

bool take_one_tick() {
  // Only this thread takes ticks away, so a count seen above 0 stays so.
  if (tick_count.load() <= 0) {
    return false;
  }
  tick_count.fetch_sub(1);
  return true;
}

void present() {
  // Without a window (headless tests) the picture stays in back_buffer.
  if (screen != nullptr) {
    blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  }
}

void on_close_button() { close_requested.store(true); }
