// The heaviest tick there is: every marcher slot live, a full burst's 96 shots
// in flight, and every shot tested against every marcher without a hit.

#include <allegro.h>
#include <algorithm>
#include <benchmark/benchmark.h>

#include "play/records.h"
#include "play/tick.h"

namespace {

constexpr int LIVE_SHOTS = 96;
constexpr int TESTS_PER_TICK = LIVE_SHOTS * MARCHER_SLOTS;
// The setup stays valid this long: no marcher reaches the escape line and no
// shot falls into the field before it.
constexpr int TICKS_PER_SETUP = 100;

struct Game {
  GameState state;
  MarcherSlots marchers;
  ShotSlots shots;
};

Game worst_case() {
  Game g{};
  start_game(g.state, g.marchers, g.shots);
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    g.marchers[i] = Marcher{.x = static_cast<float>(1 + (i * 47) % 460),
                            .y = static_cast<float>(-30 + (i * 37) % 360),
                            .speed = 0.5F + 0.06F * static_cast<float>(i % 10),
                            .dying = 0,
                            .live = 1,
                            .kind = i % 4,
                            .frame = 1 + i % 8,
                            .frame_timer = i % 6};
  }
  g.state.live_count = MARCHER_SLOTS;
  // One more than the slots, so the spawn scan runs in full and finds nothing.
  g.state.max_marchers = MARCHER_SLOTS + 1;
  // High above the field, over the marchers' columns: every box test runs, none hits.
  for (int j = 0; j < LIVE_SHOTS; ++j) {
    g.shots[j] = Shot{.x = static_cast<float>(5 + j * 5), .y = -1000.0F, .vx = 0.0F, .vy = 0.0F, .live = 1};
  }
  return g;
}

bool still_worst_case(const Game& g) {
  const auto shots = std::count_if(g.shots.begin(), g.shots.end(), [](const Shot& s) { return s.live != 0; });
  return g.state.live_count == MARCHER_SLOTS && g.state.score == 1 && shots == LIVE_SHOTS;
}

void BM_WorstTick(benchmark::State& bench) {
  mouse_b = 0;
  mouse_x = 240;
  mouse_y = 240;
  const Game start = worst_case();
  Game g = start;
  int ticks = 0;
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    simulate_tick(g.state, g.marchers, g.shots);
    benchmark::DoNotOptimize(g);
    if (++ticks == TICKS_PER_SETUP) {
      bench.PauseTiming();
      if (!still_worst_case(g)) {
        bench.SkipWithError("a marcher or a shot left the worst case");
        break;
      }
      g = start;
      ticks = 0;
      bench.ResumeTiming();
    }
  }
  bench.counters["tests"] = TESTS_PER_TICK;
  // Seconds per shot-against-marcher test, the rest of the tick included.
  bench.counters["per_test"] =
      benchmark::Counter(TESTS_PER_TICK, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_WorstTick)->Repetitions(10)->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
