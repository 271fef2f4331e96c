// Paints the ten pictures of the asset pack as 24-bit BMP files, for `dat` to
// pack. Usage: paint_pictures OUTPUT_DIR
// Runs without a display: only memory bitmaps are used.

#include <allegro.h>

#include <array>
#include <cstdio>
#include <string>

namespace {

struct Picture {
  const char* file;
  int w;
  int h;
};

// In pack order.
constexpr std::array<Picture, 10> PICTURES{{
    {"00_field.bmp", 480, 480},
    {"01_overlay.bmp", 52 * 9, 40},
    {"02_pointer.bmp", 30, 30},
    {"03_game_over.bmp", 480, 540},
    {"04_panel.bmp", 480, 60},
    {"05_title.bmp", 480, 540},
    {"06_digits.bmp", 260, 30},
    {"07_button_again.bmp", 200, 80},
    {"08_button_quit.bmp", 200, 80},
    {"09_marchers.bmp", 26 * 8, 30 * 4},
}};

int mask() { return makecol(255, 0, 255); }

// Text from the built-in 8 x 8 font, scaled up by a whole factor.
void big_text(BITMAP* dest, const char* text, int x, int y, int scale, int colour) {
  const int w = text_length(font, text);
  const int h = text_height(font);
  BITMAP* small = create_bitmap(w, h);
  clear_to_color(small, mask());
  textout_ex(small, font, text, 0, 0, colour, -1);
  masked_stretch_blit(small, dest, 0, 0, w, h, x, y, w * scale, h * scale);
  destroy_bitmap(small);
}

void centred_big_text(BITMAP* dest, const char* text, int cx, int y, int scale, int colour) {
  big_text(dest, text, cx - text_length(font, text) * scale / 2, y, scale, colour);
}

void paint_field(BITMAP* b) {
  clear_to_color(b, makecol(18, 30, 44));
  for (int i = 0; i < 480; i += 40) {
    hline(b, 0, i, 479, makecol(26, 42, 60));
    vline(b, i, 0, 479, makecol(26, 42, 60));
  }
}

void paint_overlay(BITMAP* b) {
  clear_to_color(b, mask());
  for (int cell = 0; cell < 9; ++cell) {
    const int x0 = cell * 52;
    const int sway = (cell % 4) - 2;
    ellipsefill(b, x0 + 26 + sway, 18, 22, 14, makecol(230, 230, 240));
    rectfill(b, x0 + 2, 19, x0 + 50, 33, mask());
    line(b, x0 + 6 + sway, 18, x0 + 14, 39, makecol(200, 200, 200));
    line(b, x0 + 46 + sway, 18, x0 + 38, 39, makecol(200, 200, 200));
  }
}

void paint_pointer(BITMAP* b) {
  clear_to_color(b, mask());
  circle(b, 15, 15, 10, makecol(255, 255, 255));
  hline(b, 3, 15, 27, makecol(255, 255, 255));
  vline(b, 15, 3, 27, makecol(255, 255, 255));
}

void paint_backdrop(BITMAP* b, int colour, const char* title) {
  clear_to_color(b, colour);
  centred_big_text(b, title, 240, 60, 5, makecol(255, 230, 120));
}

void paint_game_over(BITMAP* b) {
  paint_backdrop(b, makecol(40, 12, 20), "GAME OVER");
}

void paint_panel(BITMAP* b) { clear_to_color(b, makecol(24, 24, 36)); }

void paint_title(BITMAP* b) {
  paint_backdrop(b, makecol(12, 20, 40), "TULKA");
  const int ink = makecol(210, 220, 255);
  textout_ex(b, font, "Left click a marcher to destroy it.", 25, 200, ink, -1);
  textout_ex(b, font, "Right click fires a burst once the charge passes 10.", 25, 220, ink, -1);
  textout_ex(b, font, "Esc ends the game.", 25, 240, ink, -1);
  textout_ex(b, font, "Press a mouse button to start.", 25, 280, ink, -1);
}

void paint_digits(BITMAP* b) {
  clear_to_color(b, mask());
  for (int d = 0; d < 10; ++d) {
    const char text[2] = {static_cast<char>('0' + d), 0};
    big_text(b, text, d * 26 + 5, 3, 3, makecol(255, 240, 200));
  }
}

void paint_button(BITMAP* b, const char* word) {
  clear_to_color(b, mask());
  for (int state = 0; state < 2; ++state) {
    const int top = state * 40;
    rectfill(b, 0, top, 199, top + 39, state ? makecol(90, 160, 90) : makecol(50, 80, 50));
    rect(b, 0, top, 199, top + 39, makecol(220, 255, 220));
    centred_big_text(b, word, 100, top + 12, 2, makecol(255, 255, 255));
  }
}

void paint_marchers(BITMAP* b) {
  clear_to_color(b, mask());
  const std::array<int, 4> bodies{makecol(230, 80, 80), makecol(80, 200, 90), makecol(90, 140, 240),
                                  makecol(240, 200, 60)};
  for (int kind = 0; kind < 4; ++kind) {
    for (int frame = 0; frame < 8; ++frame) {
      const int x0 = frame * 26;
      const int y0 = kind * 30;
      const int swing = (frame % 4 < 2) ? 3 : -3;
      circlefill(b, x0 + 13, y0 + 6, 5, bodies[kind]);
      rectfill(b, x0 + 8, y0 + 11, x0 + 18, y0 + 21, bodies[kind]);
      line(b, x0 + 10, y0 + 21, x0 + 10 - swing, y0 + 29, bodies[kind]);
      line(b, x0 + 16, y0 + 21, x0 + 16 + swing, y0 + 29, bodies[kind]);
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: paint_pictures OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "paint_pictures: the library did not start\n");
    return 1;
  }
  set_color_depth(32);
  for (std::size_t i = 0; i < PICTURES.size(); ++i) {
    BITMAP* b = create_bitmap(PICTURES[i].w, PICTURES[i].h);
    switch (i) {
      case 0: paint_field(b); break;
      case 1: paint_overlay(b); break;
      case 2: paint_pointer(b); break;
      case 3: paint_game_over(b); break;
      case 4: paint_panel(b); break;
      case 5: paint_title(b); break;
      case 6: paint_digits(b); break;
      case 7: paint_button(b, "PLAY AGAIN"); break;
      case 8: paint_button(b, "QUIT"); break;
      default: paint_marchers(b); break;
    }
    const std::string path = std::string(argv[1]) + "/" + PICTURES[i].file;
    if (save_bitmap(path.c_str(), b, nullptr) != 0) {
      std::fprintf(stderr, "paint_pictures: cannot write %s\n", path.c_str());
      return 1;
    }
    destroy_bitmap(b);
  }
  return 0;
}
