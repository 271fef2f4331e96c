// Plays the game with left clicks until it has made enough kills, so that a
// measurement can be taken with many marchers on the field. Reads the field
// and the score from the window of a game that runs the flat-colour test
// pack, and clicks through the XTEST extension.
//
// Only left-click kills are made, so the kills alone fix how many marchers
// may be live at once: from 2, one more after every 3 x (the current number)
// kills. The score shown is the kills plus 1.
//
// Usage: hunt WINDOW KILLS TIMEOUT_SECONDS   (prints the score reached)

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr int FIELD = 480;
// A press must span a 10 ms tick, and the release one more, to be seen.
constexpr milliseconds HOLD{25};
constexpr milliseconds RELEASE{25};
constexpr int LEFT_BUTTON = 1;

// The flat pack: one colour per marcher kind; the body is 26 x 30.
constexpr std::array<unsigned long, 4> MARCHER_COLOURS{0xFFFF00, 0xFF8000, 0x80FF00, 0x0080FF};
constexpr int MARCHER_W = 26;
constexpr int MARCHER_H = 30;
// Aim this far above the lowest row seen: the marcher moves down meanwhile.
constexpr int AIM_ABOVE_BOTTOM = 14;
// Digit d is drawn in (250, 10 + 24 d, 10); up to four digits, units at x 78.
constexpr int DIGIT_W = 26;
constexpr int UNITS_X = 78;
constexpr int DIGITS = 4;
constexpr int DIGIT_PROBE_DX = 12;
constexpr int DIGIT_PROBE_Y = 512;
constexpr unsigned long DIGIT_RED = 250;
constexpr unsigned long DIGIT_BLUE = 10;
constexpr unsigned long DIGIT_GREEN_BASE = 10;
constexpr unsigned long DIGIT_GREEN_STEP = 24;
constexpr unsigned long RGB = 0xFFFFFF;

bool is_marcher(unsigned long pixel) {
  return std::any_of(MARCHER_COLOURS.begin(), MARCHER_COLOURS.end(),
                     [pixel](unsigned long colour) { return (pixel & RGB) == colour; });
}

struct Point {
  int x;
  int y;
};

// The lowest body on the field, aimed at its middle.
std::optional<Point> find_target(XImage* field) {
  for (int y = FIELD - 1; y >= 0; --y) {
    for (int x = 0; x < FIELD; ++x) {
      const unsigned long pixel = XGetPixel(field, x, y);
      if (!is_marcher(pixel)) {
        continue;
      }
      int right = x;
      while (right + 1 < FIELD && XGetPixel(field, right + 1, y) == pixel) {
        ++right;
      }
      const int width = right - x + 1;
      if (width < MARCHER_W / 2 || y < MARCHER_H / 2) {
        x = right;  // a sliver, or a marcher still coming in: keep looking
        continue;
      }
      return Point{x + (width < MARCHER_W ? width : MARCHER_W) / 2, y - AIM_ABOVE_BOTTOM};
    }
  }
  return std::nullopt;
}

// The score shown in the panel, or -1 if it cannot be read.
int read_score(Display* display, Window window) {
  XImage* row = XGetImage(display, window, 0, DIGIT_PROBE_Y, UNITS_X + DIGIT_W, 1, AllPlanes, ZPixmap);
  if (row == nullptr) {
    return -1;
  }
  int score = 0;
  int place = 1;
  for (int k = 0; k < DIGITS; ++k) {
    const unsigned long pixel = XGetPixel(row, UNITS_X - k * DIGIT_W + DIGIT_PROBE_DX, 0);
    const unsigned long red = (pixel >> 16) & 0xFF;
    const unsigned long green = (pixel >> 8) & 0xFF;
    const unsigned long blue = pixel & 0xFF;
    if (red != DIGIT_RED || blue != DIGIT_BLUE) {
      break;
    }
    score += static_cast<int>((green - DIGIT_GREEN_BASE) / DIGIT_GREEN_STEP) * place;
    place *= 10;
  }
  XDestroyImage(row);
  return place == 1 ? -1 : score;
}

void click(Display* display, Window window, Point at) {
  int root_x = 0;
  int root_y = 0;
  Window child = 0;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), at.x, at.y, &root_x, &root_y, &child);
  XTestFakeMotionEvent(display, -1, root_x, root_y, 0);
  XTestFakeButtonEvent(display, LEFT_BUTTON, True, 0);
  XFlush(display);
  std::this_thread::sleep_for(HOLD);
  XTestFakeButtonEvent(display, LEFT_BUTTON, False, 0);
  XFlush(display);
  std::this_thread::sleep_for(RELEASE);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: hunt WINDOW KILLS TIMEOUT_SECONDS\n");
    return EXIT_FAILURE;
  }
  const auto window = static_cast<Window>(std::strtoul(argv[1], nullptr, 0));
  const int kills = std::atoi(argv[2]);
  const auto deadline = Clock::now() + std::chrono::seconds(std::atoi(argv[3]));
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "hunt: no display\n");
    return EXIT_FAILURE;
  }
  int score = read_score(display, window);
  while (score < kills + 1 && Clock::now() < deadline) {
    XImage* field = XGetImage(display, window, 0, 0, FIELD, FIELD, AllPlanes, ZPixmap);
    if (field == nullptr) {
      break;
    }
    const std::optional<Point> target = find_target(field);
    XDestroyImage(field);
    if (target) {
      click(display, window, *target);
    } else {
      std::this_thread::sleep_for(RELEASE);
    }
    score = read_score(display, window);
  }
  XCloseDisplay(display);
  std::printf("%d\n", score);
  return score >= kills + 1 ? EXIT_SUCCESS : EXIT_FAILURE;
}
