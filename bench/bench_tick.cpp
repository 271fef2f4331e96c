// The heaviest tick there is: every marcher slot live, a full burst's 96 shots
// in flight, and every shot tested against every marcher without a hit. And a
// backlog of 500 ticks taken in one pass, as after a five-second title screen.
// Each figure with a limit carries the counters `limit` and `ratio`.

#include <allegro.h>
#include <algorithm>
#include <benchmark/benchmark.h>

#include "play/records.h"
#include "play/tick.h"
#include "shell/random.h"

namespace {

constexpr int LIVE_SHOTS = 96;
constexpr int TESTS_PER_TICK = LIVE_SHOTS * MARCHER_SLOTS;
// The setup stays valid this long: no marcher reaches the escape line and no
// shot falls into the field before it.
constexpr int TICKS_PER_SETUP = 100;
// Seconds: the most one shot-against-marcher test may cost.
constexpr double TEST_LIMIT = 2e-9;
// A five-second title screen leaves this many ticks to be taken at once.
constexpr int BACKLOG_TICKS = 500;
constexpr double BACKLOG_LIMIT = 5e-3;
constexpr unsigned BACKLOG_SEED = 7;

// The library reads the window's size when a marcher spawns.
GFX_DRIVER window_record{};
void pretend_window() {
  window_record.w = 496;
  window_record.h = 540;
  gfx_driver = &window_record;
}

// `limit`, and `ratio`: the measured seconds per unit over the limit.
void add_limit(benchmark::State& bench, double units_per_iteration, double limit) {
  bench.counters["limit"] = limit;
  bench.counters["ratio"] = benchmark::Counter(units_per_iteration * limit, benchmark::Counter::kIsIterationInvariantRate |
                                                                                benchmark::Counter::kInvert);
}

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
  add_limit(bench, TESTS_PER_TICK, TEST_LIMIT);
}
BENCHMARK(BM_WorstTick)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

// The game as a replay finds it: fresh, no button held, two marchers allowed.
Game fresh_game() {
  Game g{};
  start_game(g.state, g.marchers, g.shots);
  return g;
}

// A busy game: every slot live and spread over the field, room to respawn
// every one that gets through, and 16 bursts rising from low in the field
// that fall back onto the marchers.
Game busy_game() {
  Game g = worst_case();
  for (int i = 0; i < MARCHER_SLOTS; ++i) {
    g.marchers[i].y = static_cast<float>(-30 + (i * 37) % 420);
  }
  g.state.max_marchers = MARCHER_SLOTS;
  for (int j = 0; j < LIVE_SHOTS; ++j) {
    g.shots[j] = Shot{.x = static_cast<float>(20 + (j * 37) % 440),
                      .y = static_cast<float>(300 + (j * 53) % 170),
                      .vx = 0.1F * static_cast<float>(j % 7 - 3),
                      .vy = -1.5F,
                      .live = 1};
  }
  return g;
}

// All 500 ticks of one pass; the game is set back between iterations, a copy
// of a few kilobytes that costs next to nothing beside the ticks.
void BM_Backlog(benchmark::State& bench, Game (*make)()) {
  pretend_window();
  mouse_b = 0;
  mouse_x = 240;
  mouse_y = 240;
  const Game start = make();
  Game g = start;
  for (auto _ : bench) {  // NOLINT(clang-analyzer-deadcode.DeadStores): the loop variable is unused by design
    g = start;
    rng::srand(BACKLOG_SEED);
    for (int t = 0; t < BACKLOG_TICKS; ++t) {
      simulate_tick(g.state, g.marchers, g.shots);
    }
    benchmark::DoNotOptimize(g);
  }
  bench.counters["live_at_end"] = g.state.live_count;
  add_limit(bench, 1.0, BACKLOG_LIMIT);
}
BENCHMARK_CAPTURE(BM_Backlog, fresh, fresh_game)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);
BENCHMARK_CAPTURE(BM_Backlog, busy, busy_game)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);
// The worst tick's set-up run on for 500 ticks: the bound above any real game.
BENCHMARK_CAPTURE(BM_Backlog, worst, worst_case)->Repetitions(10)->UseRealTime()->ReportAggregatesOnly(true)->DisplayAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
