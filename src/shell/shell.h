#pragma once
// Start-up and shutdown of one run of the program.

inline constexpr int WINDOW_W = 496;
inline constexpr int WINDOW_H = 540;

// Starts the library and opens the window. On failure it has already told the
// player why and shut the library down, and returns false.
bool start_system();

// Seeds the random source from the clock and creates back_buffer. On failure
// it has told the player why, and returns false.
bool prepare_run();

// Releases the pack, back_buffer and the library, in that order.
void end_run();

// Tells the player about a problem that ends the game: on stderr and in a
// message box.
void report_problem(const char* line);
