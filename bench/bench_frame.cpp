// The worst frame of a game, 100 live marchers with their overlays, 96 shots
// and the panel, drawn by draw_field into back_buffer (no window, so present
// copies nothing); beside it the same library calls made on their own with
// their arguments worked out beforehand. The difference is what our own code
// costs per frame; tools/bench.sh prints it as a ratio of the two medians.

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <array>
#include <cerrno>
#include <cstdlib>

#include "play/records.h"
#include "shell/globals.h"
#include "view/field.h"
#include "worst_frame.h"

namespace {

constexpr int MASK = 0xFF00FF;

std::array<DATAFILE, PACK_PICTURES + 1> entries{};

// A sheet whose cells are each half transparent, like real pictures.
BITMAP* sheet(int w, int h, int cell_w, int colour) {
  BITMAP* bmp = create_bitmap(w, h);
  clear_to_color(bmp, MASK);
  for (int x = 0; x < w; x += cell_w) {
    ellipsefill(bmp, x + cell_w / 2, h / 2, cell_w / 2 - 1, h / 2 - 1, colour);
  }
  return bmp;
}

void make_pack() {
  std::array<BITMAP*, PACK_PICTURES> p{};
  p[PIC_FIELD] = sheet(480, 480, 480, makecol(0, 90, 0));
  p[SHEET_OVERLAY] = sheet(8 * 52, 40, 52, makecol(0, 200, 200));
  p[PIC_POINTER] = sheet(30, 30, 30, makecol(255, 255, 255));
  p[PIC_GAME_OVER] = sheet(480, 540, 480, makecol(80, 0, 0));
  p[PIC_PANEL] = sheet(480, 60, 480, makecol(0, 0, 80));
  p[PIC_TITLE] = sheet(480, 540, 480, makecol(40, 40, 40));
  p[SHEET_DIGITS] = sheet(260, 30, 26, makecol(250, 200, 10));
  p[PIC_BUTTON_AGAIN] = sheet(200, 80, 200, makecol(0, 100, 0));
  p[PIC_BUTTON_QUIT] = sheet(200, 80, 200, makecol(100, 0, 100));
  p[SHEET_MARCHER] = sheet(8 * 26, 4 * 30, 26, makecol(255, 255, 0));
  for (int i = 0; i < PACK_PICTURES; ++i) {
    entries[i] = DATAFILE{p[i], DAT_BITMAP, 0, nullptr};
  }
  entries.back() = DATAFILE{nullptr, DAT_END, 0, nullptr};
  asset_pack = entries.data();
}

BITMAP* pic(int index) { return pack_bitmap(asset_pack, index); }

// cppcheck-suppress constParameterCallback
void BM_DrawField(benchmark::State& bench) {
  Frame f = worst_frame();
  const ShotSlots start = f.shots;
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is the benchmark's own idiom
    f.shots = start;  // the same flight every time
    draw_field(f.state, f.marchers, f.shots);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DrawField)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

// The library's share: the same calls, arguments worked out beforehand.
struct Copy {
  int sx, sy, dx, dy;
};

// cppcheck-suppress constParameterCallback
void BM_LibraryCallsAlone(benchmark::State& bench) {
  Frame f = worst_frame();
  const ShotSlots start = f.shots;
  std::array<Copy, MARCHER_SLOTS> bodies{};
  std::array<Copy, MARCHER_SLOTS> overlays{};
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    const Marcher& m = f.marchers[i];
    bodies[i] = {(m.frame - 1) * 26, m.kind * 30, static_cast<int>(m.x), static_cast<int>(m.y)};
    overlays[i] = {(m.frame - 1) * 52, 0, static_cast<int>(m.x - 13.0), static_cast<int>(m.y - 40.0)};
  }
  ShotSlots stepped = start;
  std::array<std::array<int, 2>, SHOTS_IN_BURSTS> centres{};
  for (int i = 0; i < SHOTS_IN_BURSTS; ++i) {
    step_shot(stepped[i]);
    centres[i] = {static_cast<int>(stepped[i].x), static_cast<int>(stepped[i].y)};
  }
  const int shot_colour = makecol(255, 88, 88);
  const int label_colour = makecol(255, 199, 199);
  const int block_colour = makecol(50, 50, 255);
  const int bar_colour = makecol(255, 30, 30);
  // 999 and 199: three digits each, and the mines digit.
  const std::array<Copy, 7> digits{{{9 * 26, 0, 26, 498},
                                    {9 * 26, 0, 52, 498},
                                    {9 * 26, 0, 78, 498},
                                    {5 * 26, 0, 420, 498},
                                    {1 * 26, 0, 130, 498},
                                    {9 * 26, 0, 156, 498},
                                    {9 * 26, 0, 182, 498}}};
  BITMAP* const field = pic(PIC_FIELD);
  BITMAP* const marcher_sheet = pic(SHEET_MARCHER);
  BITMAP* const overlay_sheet = pic(SHEET_OVERLAY);
  BITMAP* const panel = pic(PIC_PANEL);
  BITMAP* const digit_sheet = pic(SHEET_DIGITS);
  BITMAP* const pointer = pic(PIC_POINTER);
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is the benchmark's own idiom
    clear_bitmap(back_buffer);
    blit(field, back_buffer, 0, 0, 0, 0, 480, 480);
    for (int i = 0; i < MARCHER_SLOTS; ++i) {
      masked_blit(marcher_sheet, back_buffer, bodies[i].sx, bodies[i].sy, bodies[i].dx, bodies[i].dy, 26, 30);
      masked_blit(overlay_sheet, back_buffer, overlays[i].sx, 0, overlays[i].dx, overlays[i].dy, 52, 40);
    }
    for (const auto& c : centres) {
      circlefill(back_buffer, c[0], c[1], 2, shot_colour);
    }
    blit(panel, back_buffer, 0, 0, 0, 480, 480, 60);
    textprintf_ex(back_buffer, font, 5, 483, label_colour, -1, "%s", "Score:");
    textprintf_ex(back_buffer, font, 135, 483, label_colour, -1, "%s", "Combo:");
    textprintf_ex(back_buffer, font, 410, 483, label_colour, -1, "%s", "Mines:");
    textprintf_ex(back_buffer, font, 265, 483, label_colour, -1, "%s", "Wave:");
    for (const Copy& d : digits) {
      masked_blit(digit_sheet, back_buffer, d.sx, d.sy, d.dx, d.dy, 26, 30);
    }
    rectfill(back_buffer, 480, 480, 496, 540, block_colour);
    rectfill(back_buffer, 480, 480, 496, 360, bar_colour);
    masked_blit(pointer, back_buffer, 0, 0, 225, 225, 30, 30);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_LibraryCallsAlone)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
  // The library without a display: memory bitmaps and drawing only.
  if (install_allegro(SYSTEM_NONE, &errno, atexit) != 0) {
    return EXIT_FAILURE;
  }
  set_color_depth(32);
  back_buffer = create_bitmap(496, 540);
  make_pack();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return EXIT_SUCCESS;
}
