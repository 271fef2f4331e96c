#include "play/game.h"

#include <string>

#include "play/records.h"
#include "play/tick.h"
#include "shell/globals.h"
#include "shell/pack_check.h"
#include "shell/shell.h"
#include "view/field.h"
#include "view/game_over.h"

namespace {

// Pictures taller than the window are clipped by the library.
constexpr int BACKDROP_W = 480;
constexpr int BACKDROP_H = 640;

// Shows title frames, unpaced, at least one, until a mouse button is held.
// Returns false if the window was closed instead.
bool show_title_screen() {
  do {
    if (close_requested) {
      return false;
    }
    draw_title_frame();
  } while (mouse_b == 0);
  return true;
}

}  // namespace

bool replace_asset_pack() {
  if (asset_pack != nullptr) {
    unload_datafile(asset_pack);
    asset_pack = nullptr;
  }
  PackVerdict verdict;
  asset_pack = load_checked_pack(PACK_FILE, verdict);
  if (asset_pack == nullptr) {
    const std::string line = std::string("The asset pack \"") + PACK_FILE + "\" " + verdict.reason +
                             ". The game cannot run without it.";
    report_problem(line.c_str());
    return false;
  }
  return true;
}

void draw_title_frame() {
  blit(pack_bitmap(asset_pack, PIC_TITLE), back_buffer, 0, 0, 0, 0, BACKDROP_W, BACKDROP_H);
  textprintf_ex(back_buffer, font, VERSION_X, VERSION_Y, makecol(255, 255, 255), -1, "%s", VERSION_TEXT);
  masked_blit(pack_bitmap(asset_pack, PIC_POINTER), back_buffer, 0, 0, mouse_x - POINTER_HOT_SPOT,
              mouse_y - POINTER_HOT_SPOT, POINTER_SIZE, POINTER_SIZE);
  present();
}

int play_game() {
  if (!replace_asset_pack()) {
    return GAME_FAILED;
  }
  // A button still held from the last screen skips the title.
  if (mouse_b == 0 && !show_title_screen()) {
    return QUIT;
  }
  install_int_ex(on_tick, BPS_TO_TIMER(TICKS_PER_SECOND));

  GameState state{};
  MarcherSlots marchers{};
  ShotSlots shots{};
  start_game(state, marchers, shots);

  if (key[KEY_ESC] == 0) {
    for (;;) {
      if (tick_count.load() == 0) {
        rest(1);
      }
      const std::int32_t ticks = take_all_ticks();
      for (std::int32_t i = 0; i < ticks; ++i) {
        simulate_tick(state, marchers, shots);
      }
      draw_field(state, marchers, shots);
      if (key[KEY_ESC] != 0) {
        break;
      }
      if (close_requested) {
        return QUIT;
      }
    }
  }
  if (close_requested) {
    return QUIT;
  }
  return show_game_over(static_cast<float>(state.score));
}
