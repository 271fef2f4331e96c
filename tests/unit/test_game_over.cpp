#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "shell/globals.h"
#include "support/headless.h"
#include "support/test_pack.h"
#include "view/game_over.h"

namespace {

using GameOverTest = PackTest;

constexpr int UNSET = -1;

GameOverChoice fresh_choice(int answer, int highlight) {
  return GameOverChoice{.answer = answer, .clicked = false, .again_highlight = highlight, .quit_highlight = highlight};
}

// Pointer positions on the edges of both boxes; every bound is strict, and
// only columns 291 to 409 of the quit button respond.
struct Spot {
  int x;
  int y;
  bool in_again;
  bool in_quit;
};
const std::vector<Spot> spots = {
    {250, 320, false, false}, {251, 320, true, false},  {449, 320, true, false},  {450, 320, false, false},
    {350, 300, false, false}, {350, 301, true, false},  {350, 339, true, false},  {350, 340, false, false},
    {250, 370, false, false}, {270, 370, false, false}, {290, 370, false, false}, {291, 370, false, true},
    {409, 370, false, true},  {410, 370, false, false}, {449, 370, false, false}, {350, 350, false, false},
    {350, 351, false, true},  {350, 389, false, true},  {350, 390, false, false}, {350, 345, false, false},
};

std::string where(const Spot& s) { return "at " + std::to_string(s.x) + "," + std::to_string(s.y); }

TEST_F(GameOverTest, HoverLightsTheButtonUnderThePointer) {
  for (const Spot& s : spots) {
    set_mouse(0, s.x, s.y);
    GameOverChoice choice = fresh_choice(UNSET, 40);
    take_game_over_tick(choice);
    EXPECT_EQ(choice.again_highlight, s.in_again ? 40 : 0) << where(s);
    EXPECT_EQ(choice.quit_highlight, s.in_quit ? 40 : 0) << where(s);
    EXPECT_FALSE(choice.clicked) << where(s);
    EXPECT_EQ(choice.answer, UNSET) << where(s);
  }
}

// Any button held in a box is a click; that tick leaves the clicked button's
// highlight as it was and puts out the other.
TEST_F(GameOverTest, HeldButtonInABoxIsAClick) {
  for (int buttons : {1, 2, 4}) {
    for (const Spot& s : spots) {
      set_mouse(buttons, s.x, s.y);
      GameOverChoice choice = fresh_choice(UNSET, 40);
      take_game_over_tick(choice);
      const std::string what = where(s) + " buttons " + std::to_string(buttons);
      EXPECT_EQ(choice.clicked, s.in_again || s.in_quit) << what;
      EXPECT_EQ(choice.answer, s.in_again ? 1 : (s.in_quit ? 0 : UNSET)) << what;
      EXPECT_EQ(choice.again_highlight, s.in_again ? 40 : 0) << what;
      EXPECT_EQ(choice.quit_highlight, s.in_quit ? 40 : 0) << what;
    }
  }
}

TEST_F(GameOverTest, KeysThenButtonsWithinOneTick) {
  struct Case {
    const char* name;
    bool p;
    bool q;
    int buttons;
    int x;
    int y;
    int answer;
    bool clicked;
  };
  const std::vector<Case> cases = {
      {"Q", false, true, 0, 0, 0, 0, false},
      {"P", true, false, 0, 0, 0, 1, false},
      {"P after Q", true, true, 0, 0, 0, 1, false},
      {"quit clicked while P held", true, false, 1, 350, 370, 0, true},
      {"play again clicked while Q held", false, true, 1, 350, 320, 1, true},
  };
  for (const Case& c : cases) {
    key[KEY_P] = c.p ? 1 : 0;
    key[KEY_Q] = c.q ? 1 : 0;
    set_mouse(c.buttons, c.x, c.y);
    GameOverChoice choice = fresh_choice(UNSET, 0);
    take_game_over_tick(choice);
    EXPECT_EQ(choice.answer, c.answer) << c.name;
    EXPECT_EQ(choice.clicked, c.clicked) << c.name;
  }
}

TEST_F(GameOverTest, PictureShowsTheHighlightsAndThePointer) {
  set_mouse(0, 100, 100);
  draw_game_over_picture(back_buffer, 42.0F, fresh_choice(0, 0));
  EXPECT_EQ(at(250, 300), button_colour(PIC_BUTTON_AGAIN, 0));
  EXPECT_EQ(at(250, 389), button_colour(PIC_BUTTON_QUIT, 0));
  EXPECT_EQ(at(100, 100), pointer_colour());

  GameOverChoice lit = fresh_choice(0, 0);
  lit.quit_highlight = 40;
  draw_game_over_picture(back_buffer, 42.0F, lit);
  EXPECT_EQ(at(250, 300), button_colour(PIC_BUTTON_AGAIN, 0));
  EXPECT_EQ(at(449, 339), button_colour(PIC_BUTTON_AGAIN, 0));
  EXPECT_EQ(at(250, 350), button_colour(PIC_BUTTON_QUIT, 40));
  EXPECT_EQ(at(449, 389), button_colour(PIC_BUTTON_QUIT, 40));
  EXPECT_EQ(at(249, 350), game_over_colour());
  EXPECT_EQ(at(450, 389), game_over_colour());
}

// What every picture of the screen holds: the backdrop over the left 480
// columns, the panel with the final score, 0 for combo and mines, and the
// strip on the right left as it was.
void expect_screen(const std::string& what) {
  EXPECT_EQ(at(0, 0), game_over_colour()) << what;
  EXPECT_EQ(at(479, 479), game_over_colour()) << what;
  EXPECT_EQ(at(52, 510), digit_colour(4)) << what;
  EXPECT_EQ(at(78, 510), digit_colour(2)) << what;
  EXPECT_EQ(at(182, 510), digit_colour(0)) << what;
  EXPECT_EQ(at(420, 510), digit_colour(0)) << what;
  EXPECT_EQ(at(480, 0), untouched_colour()) << what;
  EXPECT_EQ(at(495, 539), untouched_colour()) << what;
}

// The input is set before the call and does not change during it.
TEST_F(GameOverTest, Exits) {
  struct Case {
    const char* name;
    bool p;
    bool q;
    int buttons;
    int x;
    int y;
    int ticks;
    int result;
    int ticks_left;
    bool pointer_shown;
  };
  const std::vector<Case> cases = {
      {"Q at once, before any tick", false, true, 1, 350, 320, 5, 0, 5, false},
      {"Q at once, P held too", true, true, 0, 350, 320, 5, 0, 5, false},
      {"P at the first top test", true, false, 1, 350, 370, 3, 1, 3, false},
      {"P before any tick is counted", true, false, 0, 100, 100, 0, 1, 0, false},
      {"button held on play again", false, false, 1, 350, 320, 1, 1, 0, true},
      {"right button held on play again", false, false, 2, 251, 301, 1, 1, 0, true},
      {"button held on quit", false, false, 1, 350, 370, 1, 0, 0, true},
      // Every counted tick is handled before the picture, one at a time.
      {"backlog of ticks", false, false, 1, 350, 320, 4, 1, 0, true},
  };
  for (const Case& c : cases) {
    key[KEY_P] = c.p ? 1 : 0;
    key[KEY_Q] = c.q ? 1 : 0;
    set_mouse(c.buttons, c.x, c.y);
    tick_count = c.ticks;
    clear_to_color(back_buffer, makecol(UNTOUCHED_R, UNTOUCHED_G, UNTOUCHED_B));
    EXPECT_EQ(show_game_over(42.0F), c.result) << c.name;
    EXPECT_EQ(tick_count.load(), c.ticks_left) << c.name;
    EXPECT_EQ(at(c.x, c.y) == pointer_colour(), c.pointer_shown) << c.name;
    // A click leaves its button as the tick before left it: unlit here.
    EXPECT_EQ(at(449, 339), button_colour(PIC_BUTTON_AGAIN, 0)) << c.name;
    EXPECT_EQ(at(449, 389), button_colour(PIC_BUTTON_QUIT, 0)) << c.name;
    expect_screen(c.name);
  }
}

TEST_F(GameOverTest, ClosingTheWindowQuits) {
  close_requested = true;
  EXPECT_EQ(show_game_over(42.0F), 0);
}

// Runs the screen on its own thread while this one acts as the player; the
// window's close button ends it should the screen fail to notice.
class LiveGameOverTest : public GameOverTest {
 protected:
  std::future<int> screen;

  void open() {
    screen = std::async(std::launch::async, [] { return show_game_over(42.0F); });
  }

  void wait_for_ticks_taken() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (tick_count.load() > 0 && std::chrono::steady_clock::now() < deadline) {
      std::this_thread::yield();
    }
    ASSERT_EQ(tick_count.load(), 0) << "the screen took no tick";
  }

  int result() {
    if (screen.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
      close_requested = true;
      ADD_FAILURE() << "the screen did not end";
    }
    return screen.get();
  }
};

// Q pressed after some pictures ends the screen with the answer so far; the
// last picture shows the button that the pointer rests on lit.
TEST_F(LiveGameOverTest, QLaterReturnsTheAnswerSoFar) {
  set_mouse(0, 300, 320);
  tick_count = 3;
  open();
  wait_for_ticks_taken();
  key[KEY_Q] = 1;
  EXPECT_EQ(result(), 0);
  EXPECT_EQ(at(250, 300), button_colour(PIC_BUTTON_AGAIN, 40));
  EXPECT_EQ(at(250, 350), button_colour(PIC_BUTTON_QUIT, 0));
  EXPECT_EQ(at(300, 320), pointer_colour());
  expect_screen("Q later");
}

// A press on the quit button's outer columns is no click: the screen goes on
// until Q.
TEST_F(LiveGameOverTest, PressOnTheQuitButtonsEdgeDoesNothing) {
  set_mouse(1, 270, 370);
  tick_count = 2;
  open();
  wait_for_ticks_taken();
  EXPECT_EQ(screen.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
  set_mouse(0, 270, 370);
  key[KEY_Q] = 1;
  EXPECT_EQ(result(), 0);
  EXPECT_EQ(at(270, 370), pointer_colour());
  EXPECT_EQ(at(250, 350), button_colour(PIC_BUTTON_QUIT, 0));
}

}  // namespace
