#pragma once
// The game-over screen: the final score and a choice to play again or quit.

#include <allegro.h>

// What the screen has gathered so far from the input of the handled ticks.
struct GameOverChoice {
  int answer;  // 1 = play again, 0 = quit
  bool clicked;
  int again_highlight;  // source row of the play-again button: normal or lit look
  int quit_highlight;
};

inline constexpr int ANSWER_QUIT = 0;
inline constexpr int ANSWER_AGAIN = 1;
inline constexpr int BUTTON_LIT = 40;  // the lit look lies below the normal one
inline constexpr int BUTTON_X = 250;
inline constexpr int BUTTON_W = 200;
inline constexpr int BUTTON_H = 40;
inline constexpr int AGAIN_Y = 300;
inline constexpr int QUIT_Y = 350;

// One tick of input: P, Q, then each button, with the input of the moment.
void take_game_over_tick(GameOverChoice& choice);

// The first picture: no pointer, both buttons unlit.
void draw_game_over_opening(BITMAP* target, float score);

// A picture of the loop, with the highlights and the pointer.
void draw_game_over_picture(BITMAP* target, float score, const GameOverChoice& choice);

// Runs the screen until the player chooses. Returns 1 to play again, 0 to
// quit; 0 too when the window is closed.
int show_game_over(float score);
