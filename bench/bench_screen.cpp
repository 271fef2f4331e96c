// What reaching the window costs: present beside a plain memcpy of the same
// bytes, and whole frames of each screen ending in present. Needs a display
// (tools/bench.sh runs it under Xvfb at depth 24) and the shipped pack.
//
// Usage: bench_screen PACK [benchmark options]

#include <allegro.h>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "play/game.h"
#include "shell/globals.h"
#include "shell/pack_check.h"
#include "shell/shell.h"
#include "view/field.h"
#include "view/game_over.h"
#include "worst_frame.h"

namespace {

constexpr std::size_t BYTES_PER_PIXEL = 4;
constexpr std::size_t WINDOW_BYTES = std::size_t{WINDOW_W} * WINDOW_H * BYTES_PER_PIXEL;
constexpr float GAME_OVER_SCORE = 1234.0F;

void repeated(benchmark::internal::Benchmark* b) {
  b->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);
}

// cppcheck-suppress constParameterCallback
void BM_Present(benchmark::State& bench) {
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    present();
  }
  bench.counters["bytes"] = static_cast<double>(WINDOW_BYTES);
}
BENCHMARK(BM_Present)->Apply(repeated);

// cppcheck-suppress constParameterCallback
void BM_MemcpyWindow(benchmark::State& bench) {
  std::vector<unsigned char> from(WINDOW_BYTES, 1);
  std::vector<unsigned char> to(WINDOW_BYTES, 0);
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    std::memcpy(to.data(), from.data(), WINDOW_BYTES);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyWindow)->Apply(repeated);

// cppcheck-suppress constParameterCallback
void BM_TitleFrame(benchmark::State& bench) {
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    draw_title_frame();
  }
}
BENCHMARK(BM_TitleFrame)->Apply(repeated);

// cppcheck-suppress constParameterCallback
void BM_GameOverFrame(benchmark::State& bench) {
  const GameOverChoice choice{.answer = ANSWER_QUIT, .clicked = false, .again_highlight = BUTTON_LIT, .quit_highlight = 0};
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    draw_game_over_picture(back_buffer, GAME_OVER_SCORE, choice);
    present();
  }
}
BENCHMARK(BM_GameOverFrame)->Apply(repeated);

// The worst game frame again, this time all the way to the window.
// cppcheck-suppress constParameterCallback
void BM_WorstGameFrame(benchmark::State& bench) {
  Frame f = worst_frame();
  const ShotSlots start = f.shots;
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    f.shots = start;
    draw_field(f.state, f.marchers, f.shots);
  }
}
BENCHMARK(BM_WorstGameFrame)->Apply(repeated);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: bench_screen PACK [benchmark options]\n");
    return EXIT_FAILURE;
  }
  if (!start_system() || !prepare_run()) {
    return EXIT_FAILURE;
  }
  PackVerdict verdict;
  asset_pack = load_checked_pack(argv[1], verdict);
  if (asset_pack == nullptr) {
    std::fprintf(stderr, "bench_screen: %s %s\n", argv[1], verdict.reason.c_str());
    end_run();
    return EXIT_FAILURE;
  }
  std::printf("window: %d x %d at %d bits per pixel\n", SCREEN_W, SCREEN_H, bitmap_color_depth(screen));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  end_run();
  return EXIT_SUCCESS;
}
