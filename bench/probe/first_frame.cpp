// Times the game's start-up from the outside: from just before the process is
// started to the moment the X server holds the first title frame, seen as the
// white pixels of the version text in the game's window. Prints the time in
// milliseconds and the game's peak memory (VmHWM) at that moment, then ends
// the game.
//
// The window is looked for, and its pixels read with XGetImage, once per
// POLL_INTERVAL: each poll is a few round trips to the server and a read of
// 128 x 8 pixels, so the probe stays off the two cores that the game and the
// server need, and the figure is late by at most one interval plus one read.
//
// Usage: first_frame GAME DIR   (DIR holds Tulka.dat; DISPLAY must be set)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr auto POLL_INTERVAL = std::chrono::microseconds(500);
constexpr auto DEADLINE = std::chrono::seconds(10);
// The version text's box, and how many white pixels of it count as drawn.
constexpr int TEXT_X = 25;
constexpr int TEXT_Y = 150;
constexpr int TEXT_W = 128;
constexpr int TEXT_H = 8;
constexpr int WHITE_NEEDED = 60;
constexpr unsigned long WHITE = 0xFFFFFF;
constexpr const char* WINDOW_NAME = "tulka";

int ignore_errors(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

// The game's top-level window, if it is there yet.
Window find_window(Display* display) {
  Window root = 0;
  Window parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count) == 0) {
    return 0;
  }
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) != 0 && name != nullptr) {
      if (std::strcmp(name, WINDOW_NAME) == 0) {
        found = children[i];
      }
      XFree(name);
    }
  }
  if (children != nullptr) {
    XFree(children);
  }
  return found;
}

bool title_shown(Display* display, Window window) {
  XImage* image = XGetImage(display, window, TEXT_X, TEXT_Y, TEXT_W, TEXT_H, AllPlanes, ZPixmap);
  if (image == nullptr) {
    return false;  // not mapped yet
  }
  int white = 0;
  for (int y = 0; y < TEXT_H; ++y) {
    for (int x = 0; x < TEXT_W; ++x) {
      if ((XGetPixel(image, x, y) & WHITE) == WHITE) {
        ++white;
      }
    }
  }
  XDestroyImage(image);
  return white >= WHITE_NEEDED;
}

long peak_memory_kb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) {
      return std::strtol(line.c_str() + std::strlen("VmHWM:"), nullptr, 10);
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: first_frame GAME DIR\n");
    return EXIT_FAILURE;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_frame: no display\n");
    return EXIT_FAILURE;
  }
  // A window can vanish or be unmapped between a look-up and a read.
  XSetErrorHandler(ignore_errors);

  const Clock::time_point start = Clock::now();
  const pid_t game = fork();
  if (game == 0) {
    if (chdir(argv[2]) != 0) {
      _exit(EXIT_FAILURE);
    }
    setsid();
    execl(argv[1], argv[1], static_cast<char*>(nullptr));
    _exit(EXIT_FAILURE);
  }
  if (game < 0) {
    std::perror("first_frame: fork");
    return EXIT_FAILURE;
  }

  Window window = 0;
  bool shown = false;
  Clock::time_point seen{};
  while (Clock::now() - start < DEADLINE) {
    if (window == 0) {
      window = find_window(display);
    }
    if (window != 0 && title_shown(display, window)) {
      seen = Clock::now();
      shown = true;
      break;
    }
    if (waitpid(game, nullptr, WNOHANG) == game) {
      std::fprintf(stderr, "first_frame: the game ended before its title appeared\n");
      return EXIT_FAILURE;
    }
    std::this_thread::sleep_for(POLL_INTERVAL);
  }
  const long peak_kb = peak_memory_kb(game);
  kill(-game, SIGKILL);
  waitpid(game, nullptr, 0);
  XCloseDisplay(display);
  if (!shown) {
    std::fprintf(stderr, "first_frame: no title frame within %lld s\n",
                 static_cast<long long>(std::chrono::duration_cast<std::chrono::seconds>(DEADLINE).count()));
    return EXIT_FAILURE;
  }
  const double ms = std::chrono::duration<double, std::milli>(seen - start).count();
  std::printf("%.2f %ld\n", ms, peak_kb);
  return EXIT_SUCCESS;
}
