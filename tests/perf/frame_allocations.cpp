// Counts the heap allocations of the main thread over many passes of each
// loop that runs while a game is up, in a real window. Our own code must add
// none: the count must equal what the library's own calls of the same passes
// make when they are made on their own.
//
// malloc and its kin are defined here and forward to glibc's own entry
// points, so every allocation of the process passes through them, the
// library's and operator new's included. Only the main thread is counted:
// the library's X and timer threads allocate on their own.
//
// Usage: frame_allocations PACK [gtest options]; needs a display.

#include <allegro.h>
#include <gtest/gtest.h>
#include <pthread.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <ostream>
#include <string>

#include "play/game.h"
#include "play/records.h"
#include "play/tick.h"
#include "shell/globals.h"
#include "shell/pack_check.h"
#include "shell/shell.h"
#include "view/field.h"
#include "view/game_over.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<long long> counted{0};
pthread_t main_thread;

void note_allocation() {
  if (counting.load(std::memory_order_relaxed) && pthread_equal(pthread_self(), main_thread) != 0) {
    counted.fetch_add(1, std::memory_order_relaxed);
  }
}

}  // namespace

// glibc's own names, parameters included.
// NOLINTBEGIN(bugprone-reserved-identifier)
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* p, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* p);
}

extern "C" {
void* malloc(std::size_t __size) {
  note_allocation();
  return __libc_malloc(__size);
}
void* calloc(std::size_t __nmemb, std::size_t __size) {
  note_allocation();
  return __libc_calloc(__nmemb, __size);
}
void* realloc(void* __ptr, std::size_t __size) {
  note_allocation();
  return __libc_realloc(__ptr, __size);
}
void* memalign(std::size_t __alignment, std::size_t __size) {
  note_allocation();
  return __libc_memalign(__alignment, __size);
}
void* aligned_alloc(std::size_t __alignment, std::size_t __size) {
  note_allocation();
  return __libc_memalign(__alignment, __size);
}
int posix_memalign(void** __memptr, std::size_t __alignment, std::size_t __size) {
  note_allocation();
  *__memptr = __libc_memalign(__alignment, __size);
  return *__memptr == nullptr ? ENOMEM : 0;
}
void free(void* __ptr) { __libc_free(__ptr); }
}
// NOLINTEND(bugprone-reserved-identifier)

namespace {

constexpr int PASSES = 10000;
constexpr int LEFT_BUTTON = 1;
constexpr int RIGHT_BUTTON = 2;
// The input changes every so many passes: a click, then a burst.
constexpr int INPUT_PERIOD = 40;
// The panel's labels as it draws them.
constexpr std::array<const char*, 4> LABEL_TEXTS{"Score:", "Combo:", "Mines:", "Wave:"};
constexpr int LABEL_X = 5;
constexpr int LABEL_Y = 483;
constexpr int LABEL_RED = 255;
constexpr int LABEL_GREEN_BLUE = 199;
constexpr int WHITE = 255;

// A game kept busy: the field full of marchers, shots in flight, charge for
// bursts, and clicks and bursts from time to time. Ticks per pass vary from
// 0 to 3, as the frame loop's do.
struct BusyGame {
  GameState state{};
  MarcherSlots marchers{};
  ShotSlots shots{};

  BusyGame() {
    start_game(state, marchers, shots);
    state.max_marchers = MARCHER_SLOTS;
  }

  void pass(int n) {
    state.charge = 100;
    const int phase = n % INPUT_PERIOD;
    mouse_b = phase == 0 ? LEFT_BUTTON : (phase == INPUT_PERIOD / 2 ? RIGHT_BUTTON : 0);
    mouse_x = 40 + (n * 7) % 400;
    mouse_y = 100 + (n * 3) % 300;
    for (int t = 0; t < n % 4; ++t) {
      simulate_tick(state, marchers, shots);
    }
    draw_field(state, marchers, shots);
  }
};

BusyGame busy;
GameOverChoice choice{};

void frame_loop_pass(int n) { busy.pass(n); }

void title_pass(int /*n*/) { draw_title_frame(); }

void game_over_pass(int n) {
  mouse_b = 0;
  mouse_x = 300 + n % 100;
  mouse_y = 320;
  tick_count.store(1);
  while (take_one_tick()) {
    take_game_over_tick(choice);
  }
  draw_game_over_picture(back_buffer, 1234.0F, choice);
  present();
}

// The library's calls that allocate, made on their own: the labels of the
// panel and the copy to the window.
void panel_labels_and_copy(int /*n*/) {
  for (const char* text : LABEL_TEXTS) {
    textprintf_ex(back_buffer, font, LABEL_X, LABEL_Y, makecol(LABEL_RED, LABEL_GREEN_BLUE, LABEL_GREEN_BLUE), -1,
                  "%s", text);
  }
  blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

void version_and_copy(int /*n*/) {
  textprintf_ex(back_buffer, font, VERSION_X, VERSION_Y, makecol(WHITE, WHITE, WHITE), -1, "%s", VERSION_TEXT);
  blit(back_buffer, screen, 0, 0, 0, 0, SCREEN_W, SCREEN_H);
}

// Only to show that the count sees an allocation of our own.
void* volatile kept = nullptr;
void frame_loop_pass_that_allocates(int n) {
  kept = std::malloc(16);
  std::free(kept);
  frame_loop_pass(n);
}

using Pass = void (*)(int);

long long allocations_over(Pass pass) {
  pass(0);  // anything the library does once, on first use, is left out
  counted.store(0);
  counting.store(true);
  for (int n = 1; n <= PASSES; ++n) {
    pass(n);
  }
  counting.store(false);
  return counted.load();
}

struct Loop {
  const char* name;
  Pass ours;
  Pass library_alone;
};

void PrintTo(const Loop& loop, std::ostream* out) { *out << loop.name; }

class FrameAllocations : public ::testing::TestWithParam<Loop> {};

TEST_P(FrameAllocations, OnlyTheLibraryAllocates) {
  const Loop& loop = GetParam();
  const long long library = allocations_over(loop.library_alone);
  const long long ours = allocations_over(loop.ours);
  std::printf("%s: %lld allocations in %d passes; the library's calls alone make %lld\n", loop.name, ours, PASSES,
              library);
  EXPECT_EQ(ours, library) << "our code allocates " << static_cast<double>(ours - library) / PASSES
                           << " times per pass";
}

INSTANTIATE_TEST_SUITE_P(Loops, FrameAllocations,
                         ::testing::Values(Loop{"frame_loop", frame_loop_pass, panel_labels_and_copy},
                                           Loop{"title", title_pass, version_and_copy},
                                           Loop{"game_over", game_over_pass, panel_labels_and_copy}),
                         [](const ::testing::TestParamInfo<Loop>& info) { return std::string(info.param.name); });

TEST(CountingItself, SeesOneAllocationOfOursPerPass) {
  const long long library = allocations_over(panel_labels_and_copy);
  EXPECT_EQ(allocations_over(frame_loop_pass_that_allocates), library + PASSES);
}

TEST(CountingItself, SeesOperatorNew) {
  counted.store(0);
  counting.store(true);
  // NOLINTNEXTLINE(cppcoreguidelines-owning-memory): the allocation is the point
  // cppcheck-suppress unusedAllocatedMemory
  int* volatile p = new int(1);
  delete p;
  counting.store(false);
  EXPECT_EQ(counted.load(), 1);
}

}  // namespace

int main(int argc, char** argv) {
  main_thread = pthread_self();
  ::testing::InitGoogleTest(&argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: frame_allocations PACK [gtest options]\n");
    return EXIT_FAILURE;
  }
  if (!start_system() || !prepare_run()) {
    return EXIT_FAILURE;
  }
  PackVerdict verdict;
  asset_pack = load_checked_pack(argv[1], verdict);
  if (asset_pack == nullptr) {
    std::fprintf(stderr, "frame_allocations: %s %s\n", argv[1], verdict.reason.c_str());
    end_run();
    return EXIT_FAILURE;
  }
  const int result = RUN_ALL_TESTS();
  end_run();
  return result;
}
