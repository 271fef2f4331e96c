// Composes still mock-ups of the game's screens from a built asset pack, the
// way the game lays them out, so that the pictures can be judged together:
// a game in play, the game-over screen and the title.
// Usage: mock_screens PATH/TO/Tulka.dat OUTPUT_DIR
// Runs without a display.

#include <allegro.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/assets.h"
#include "shell/pack_check.h"
#include "shell/shell.h"
#include "view/panel.h"

namespace {


struct Marcher {
  int x, y, kind, frame;
};

// A busy moment of play: marchers of every kind over sky, cloud, moon and
// hills, and a burst of shots in the air.
constexpr std::array<Marcher, 12> MARCHERS{{{30, 60, 0, 1},
                                            {120, 150, 1, 3},
                                            {200, 40, 2, 5},
                                            {300, 120, 3, 7},
                                            {392, 70, 0, 2},
                                            {60, 260, 2, 4},
                                            {160, 330, 3, 6},
                                            {250, 270, 1, 8},
                                            {330, 380, 0, 4},
                                            {420, 250, 1, 2},
                                            {100, 440, 2, 1},
                                            {440, 430, 3, 3}}};

void draw_marcher(BITMAP* dest, AssetPack pack, const Marcher& m) {
  masked_blit(pack_bitmap(pack, SHEET_MARCHER), dest, m.frame * 26 - 26, m.kind * 30, m.x, m.y, 26, 30);
  masked_blit(pack_bitmap(pack, SHEET_OVERLAY), dest, m.frame * 52 - 52, 0, m.x - 13, m.y - 40, 52, 40);
}

void draw_digit(BITMAP* dest, AssetPack pack, int digit, int x) {
  masked_blit(pack_bitmap(pack, SHEET_DIGITS), dest, digit * DIGIT_W, 0, x, DIGIT_Y, DIGIT_W, DIGIT_H);
}

// The panel with a three-figure score, a two-figure combo and the mines.
void draw_panel(BITMAP* dest, AssetPack pack, int score, int combo, int mines) {
  blit(pack_bitmap(pack, PIC_PANEL), dest, 0, 0, 0, PANEL_Y, PANEL_W, PANEL_H);
  const int ink = makecol(255, 199, 199);
  textprintf_ex(dest, font, 5, 483, ink, -1, "Score:");
  textprintf_ex(dest, font, 135, 483, ink, -1, "Combo:");
  textprintf_ex(dest, font, 410, 483, ink, -1, "Mines:");
  textprintf_ex(dest, font, 265, 483, ink, -1, "Wave:");
  draw_digit(dest, pack, score / 100, 26);
  draw_digit(dest, pack, score / 10 % 10, 52);
  draw_digit(dest, pack, score % 10, 78);
  draw_digit(dest, pack, mines, 420);
  if (combo >= 10) {
    draw_digit(dest, pack, combo / 10, 156);
  }
  draw_digit(dest, pack, combo % 10, 182);
}

void draw_pointer(BITMAP* dest, AssetPack pack, int x, int y) {
  masked_blit(pack_bitmap(pack, PIC_POINTER), dest, 0, 0, x - 15, y - 15, 30, 30);
}

void play(BITMAP* b, AssetPack pack) {
  clear_bitmap(b);
  blit(pack_bitmap(pack, PIC_FIELD), b, 0, 0, 0, 0, 480, 480);
  for (const Marcher& m : MARCHERS) {
    draw_marcher(b, pack, m);
  }
  const int shot = makecol(255, 88, 88);
  for (int i = 0; i < 24; ++i) {
    const double t = i * 4.0;
    const double x = 210 + (i % 4 < 2 ? 0.5 : -0.5) * t;
    const double y = 300 - t + 0.005 * t * t;
    circlefill(b, static_cast<int>(x), static_cast<int>(y), 2, shot);
  }
  for (int i = 0; i < 40; ++i) {  // a second burst falling over the hills
    circlefill(b, 330 + i * 3, 420 + (i * 7) % 50, 2, shot);
  }
  draw_panel(b, pack, 123, 17, 4);
  rectfill(b, 480, 480, 496, 540, makecol(50, 50, 255));
  rectfill(b, 480, 480, 496, 480 - 14, makecol(255, 30, 30));
  draw_pointer(b, pack, 226, 172);
}

void game_over(BITMAP* b, AssetPack pack) {
  blit(pack_bitmap(pack, PIC_GAME_OVER), b, 0, 0, 0, 0, 480, 640);
  masked_blit(pack_bitmap(pack, PIC_BUTTON_AGAIN), b, 0, 40, 250, 300, 200, 40);
  masked_blit(pack_bitmap(pack, PIC_BUTTON_QUIT), b, 0, 0, 250, 350, 200, 40);
  draw_panel(b, pack, 123, 0, 0);
  draw_pointer(b, pack, 330, 322);
}

void title(BITMAP* b, AssetPack pack) {
  blit(pack_bitmap(pack, PIC_TITLE), b, 0, 0, 0, 0, 480, 640);
  textprintf_ex(b, font, 25, 150, makecol(255, 255, 255), -1, "Version: 1.7.5.8");
  draw_pointer(b, pack, 240, 300);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: mock_screens PATH/TO/Tulka.dat OUTPUT_DIR\n");
    return 2;
  }
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    std::fprintf(stderr, "mock_screens: the library did not start\n");
    return 1;
  }
  set_color_depth(32);
  PackVerdict verdict;
  DATAFILE* pack = load_checked_pack(argv[1], verdict);
  if (pack == nullptr) {
    std::fprintf(stderr, "mock_screens: %s %s\n", argv[1], verdict.reason.c_str());
    return 1;
  }
  BITMAP* screen_copy = create_bitmap(WINDOW_W, WINDOW_H);
  clear_bitmap(screen_copy);
  const std::string out = argv[2];
  struct Mock {
    void (*compose)(BITMAP*, AssetPack);
    const char* file;
  };
  for (const Mock& mock : {Mock{play, "play.bmp"}, Mock{game_over, "game_over.bmp"}, Mock{title, "title.bmp"}}) {
    mock.compose(screen_copy, pack);
    const std::string path = out + "/" + mock.file;
    if (save_bitmap(path.c_str(), screen_copy, nullptr) != 0) {
      std::fprintf(stderr, "mock_screens: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  destroy_bitmap(screen_copy);
  unload_datafile(pack);
  return 0;
}
