#include "support/headless.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace {

GFX_DRIVER window_record{};

class HeadlessEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    ASSERT_EQ(install_allegro(SYSTEM_NONE, &errno, atexit), 0);
    set_color_depth(32);
  }
};

const auto* const headless = ::testing::AddGlobalTestEnvironment(new HeadlessEnvironment);

}  // namespace

WindowSize::WindowSize() : saved_(gfx_driver) {
  window_record.w = 496;
  window_record.h = 540;
  gfx_driver = &window_record;
}

WindowSize::~WindowSize() { gfx_driver = saved_; }

void set_mouse(int buttons, int x, int y) {
  mouse_b = buttons;
  mouse_x = x;
  mouse_y = y;
}

void release_keys() {
  for (int i = 0; i < KEY_MAX; ++i) {
    key[i] = 0;
  }
}
