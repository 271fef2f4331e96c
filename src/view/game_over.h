#pragma once
// The game-over screen: the final score and a choice to play again or quit.

// Returns 1 to play again, 0 to quit.
int show_game_over(float score);
