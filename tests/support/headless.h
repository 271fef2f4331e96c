#pragma once
// The library without a display, for unit tests: memory bitmaps, drawing and
// the built-in font work; mouse_b, mouse_x, mouse_y and key[] are plain
// globals that a test sets itself.

#include <allegro.h>

// While one lives, SCREEN_W and SCREEN_H read 496 x 540, as with the window
// open. Only for code that reads the window's size; nothing is drawn to it.
class WindowSize {
 public:
  WindowSize();
  ~WindowSize();
  WindowSize(const WindowSize&) = delete;
  WindowSize& operator=(const WindowSize&) = delete;

 private:
  GFX_DRIVER* saved_;
};

// Sets the mouse state that the game reads.
void set_mouse(int buttons, int x, int y);

// Releases every key.
void release_keys();
