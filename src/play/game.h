#pragma once
// The driver of one game: pack, title screen, frame loop, game-over screen.

// Results of play_game.
inline constexpr int PLAY_AGAIN = 1;
inline constexpr int QUIT = 0;
inline constexpr int GAME_FAILED = -1;  // the asset pack was unusable; already reported

inline constexpr const char* VERSION_TEXT = "Version: 1.7.5.8";
inline constexpr int VERSION_X = 25;
inline constexpr int VERSION_Y = 150;

// Runs one game and returns what the player chose next.
int play_game();

// Releases the previous game's pack and loads "Tulka.dat" afresh, after
// checking it. On failure it tells the player and returns false.
bool replace_asset_pack();

// One frame of the title screen into back_buffer, then present.
void draw_title_frame();
