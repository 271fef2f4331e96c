// Entry point: one run of the program plays games until the player quits.

#include <allegro.h>

#include <cstdlib>

#include "play/game.h"
#include "shell/shell.h"

int main() {
  if (!start_system()) {
    return EXIT_FAILURE;
  }
  if (!prepare_run()) {
    end_run();
    return EXIT_FAILURE;
  }
  int answer = PLAY_AGAIN;
  while (answer == PLAY_AGAIN) {
    answer = play_game();
  }
  end_run();
  return answer == GAME_FAILED ? EXIT_FAILURE : EXIT_SUCCESS;
}
END_OF_MAIN()
