#include "view/game_over.h"

#include "shell/globals.h"
#include "view/panel.h"

namespace {

// The picture is asked for taller than the window; the library clips it.
constexpr int BACKDROP_W = 480;
constexpr int BACKDROP_H = 640;

// The boxes that answer the pointer; every bound is strict. The quit box is
// narrower than its button.
struct Box {
  int left;
  int right;
  int top;
  int bottom;
};
constexpr Box AGAIN_BOX{250, 450, 300, 340};
constexpr Box QUIT_BOX{290, 410, 350, 390};

bool pointer_in(const Box& box) {
  return box.left < mouse_x && mouse_x < box.right && box.top < mouse_y && mouse_y < box.bottom;
}

// A button held over the box is a click, whether or not it went down here;
// that tick leaves the highlight as it was.
void take_button(const Box& box, int press_answer, GameOverChoice& choice, int& highlight) {
  if (mouse_b != 0 && pointer_in(box)) {
    choice.answer = press_answer;
    choice.clicked = true;
  } else {
    highlight = (mouse_b == 0 && pointer_in(box)) ? BUTTON_LIT : 0;
  }
}

void draw_button(BITMAP* target, int index, int highlight, int y) {
  masked_blit(pack_bitmap(asset_pack, index), target, 0, highlight, BUTTON_X, y, BUTTON_W, BUTTON_H);
}

void draw_backdrop(BITMAP* target) {
  blit(pack_bitmap(asset_pack, PIC_GAME_OVER), target, 0, 0, 0, 0, BACKDROP_W, BACKDROP_H);
}

}  // namespace

void take_game_over_tick(GameOverChoice& choice) {
  if (key[KEY_Q] != 0) {
    choice.answer = ANSWER_QUIT;
  }
  if (key[KEY_P] != 0) {
    choice.answer = ANSWER_AGAIN;
  }
  take_button(AGAIN_BOX, ANSWER_AGAIN, choice, choice.again_highlight);
  take_button(QUIT_BOX, ANSWER_QUIT, choice, choice.quit_highlight);
}

void draw_game_over_opening(BITMAP* target, float score) {
  draw_backdrop(target);
  draw_panel(target, score, 0, 0);
  draw_button(target, PIC_BUTTON_AGAIN, 0, AGAIN_Y);
  draw_button(target, PIC_BUTTON_QUIT, 0, QUIT_Y);
}

void draw_game_over_picture(BITMAP* target, float score, const GameOverChoice& choice) {
  draw_backdrop(target);
  draw_button(target, PIC_BUTTON_AGAIN, choice.again_highlight, AGAIN_Y);
  draw_button(target, PIC_BUTTON_QUIT, choice.quit_highlight, QUIT_Y);
  draw_panel(target, score, 0, 0);
  masked_blit(pack_bitmap(asset_pack, PIC_POINTER), target, 0, 0, mouse_x - POINTER_HOT_SPOT,
              mouse_y - POINTER_HOT_SPOT, POINTER_SIZE, POINTER_SIZE);
}

int show_game_over(float score) {
  draw_game_over_opening(back_buffer, score);
  present();
  if (key[KEY_Q] != 0) {
    return ANSWER_QUIT;
  }
  GameOverChoice choice{.answer = ANSWER_QUIT, .clicked = false, .again_highlight = 0, .quit_highlight = 0};
  // No rest: pictures follow one another as fast as they can be drawn.
  for (;;) {
    if (close_requested) {
      return ANSWER_QUIT;
    }
    if (key[KEY_P] != 0) {
      return ANSWER_AGAIN;
    }
    if (choice.clicked) {
      return choice.answer;
    }
    // Ticks one at a time, each with the input of its moment; the timer
    // thread may add more meanwhile.
    while (take_one_tick()) {
      take_game_over_tick(choice);
    }
    draw_game_over_picture(back_buffer, score, choice);
    present();
    if (key[KEY_Q] != 0) {
      return choice.answer;
    }
  }
}
