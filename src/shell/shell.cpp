#include "shell/shell.h"

#include <cstdio>
#include <ctime>

#include "shell/globals.h"
#include "shell/random.h"

bool start_system() {
  if (allegro_init() != 0) {
    // Nothing else may be installed now: the keyboard would crash.
    std::fprintf(stderr,
                 "tulka: the Allegro library could not start: %s.\n"
                 "tulka: the game needs a graphical display; is DISPLAY set?\n",
                 allegro_error[0] != '\0' ? allegro_error : "no system driver could be used");
    return false;
  }
  install_keyboard();
  install_mouse();
  install_timer();
  set_color_depth(desktop_color_depth());
  if (set_gfx_mode(GFX_AUTODETECT_WINDOWED, WINDOW_W, WINDOW_H, 0, 0) != 0) {
    std::fprintf(stderr, "tulka: the game window could not be opened: %s\n", allegro_error);
    // The error text is data, never a format.
    allegro_message("%s\n", allegro_error);
    allegro_exit();
    return false;
  }
  set_close_button_callback(on_close_button);
  return true;
}

bool prepare_run() {
  rng::srand(static_cast<std::uint32_t>(std::time(nullptr)));
  back_buffer = create_bitmap(SCREEN_W, SCREEN_H);
  if (back_buffer == nullptr) {
    report_problem("There is not enough memory for the game's picture buffer.");
    return false;
  }
  // A new bitmap holds whatever memory held; the title never clears the strip.
  clear_bitmap(back_buffer);
  return true;
}

void end_run() {
  if (asset_pack != nullptr) {
    unload_datafile(asset_pack);
    asset_pack = nullptr;
  }
  if (back_buffer != nullptr) {
    destroy_bitmap(back_buffer);
    back_buffer = nullptr;
  }
  allegro_exit();
}

void report_problem(const char* line) {
  std::fprintf(stderr, "tulka: %s\n", line);
  allegro_message("%s\n", line);
}
