#include "shell/globals.h"

AssetPack asset_pack = nullptr;
BITMAP* back_buffer = nullptr;
std::atomic<std::int32_t> tick_count{0};
std::atomic<bool> close_requested{false};

void on_tick() { tick_count.fetch_add(1, std::memory_order_relaxed); }

void present() {
  // Without a window (headless tests) the picture stays in back_buffer.
  if (screen != nullptr) {
    blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
  }
}

void on_close_button() { close_requested.store(true); }
